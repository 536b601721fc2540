// TCAdjustStr on arbitrary bytes in buffers of several sizes: it stays inside
// the buffer, answers the length it left, keeps at most 8 digits, and a second
// pass changes nothing.
#include "KsFuzzCheck.h"
#include "Timecode.h"

#include <cstring>
#include <initializer_list>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2 || size > 80) return 0;
    // First byte: separator; second: flags; the rest is the text.
    const char separator = char(data[0]);
    const UInt16 flags = data[1] & 0x0F;
    const std::size_t textSize = size - 2;
    for (std::size_t length : {textSize, textSize + 1, std::size_t(16), std::size_t(4)}) {
        if (length == 0) continue;
        // Exactly `length` bytes on the heap so that any overrun is caught; the
        // text may be unterminated when it fills the buffer.
        std::unique_ptr<char[]> buf(new char[length]);
        std::memset(buf.get(), 0, length);
        std::memcpy(buf.get(), data + 2, textSize < length ? textSize : length);
        int n = TCAdjustStr(buf.get(), separator, int(length), flags);
        Check(n >= 0 && std::size_t(n) < length && buf[std::size_t(n)] == '\0');
        Check(std::strlen(buf.get()) == std::size_t(n));
        int digits = 0;
        for (int i = 0; i < n; ++i)
            digits += buf[std::size_t(i)] >= '0' && buf[std::size_t(i)] <= '9';
        Check(digits <= 8);
        std::unique_ptr<char[]> again(new char[length]);
        std::memcpy(again.get(), buf.get(), length);
        Check(TCAdjustStr(again.get(), separator, int(length), flags) == n);
        Check(std::memcmp(again.get(), buf.get(), std::size_t(n) + 1) == 0);
    }
    TCAdjustStr(nullptr, ':', 16, 0);
    return 0;
}
