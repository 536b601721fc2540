// Reading 'styl' data. The first two bytes give the text's length; the rest
// is the data. Whatever is accepted is written again and must read back the
// same, so the writer never produces what the reader refuses.
#include "KsStyleScrap.h"
#include "XError.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const SInt32 textLength = SInt32((data[0] << 8) | data[1]);
    std::vector<KsStyleRun> runs;
    try {
        runs = KsReadStyleScrap(data + 2, size - 2, textLength);
    } catch (const XError&) {
        return 0;
    }
    const std::string again = KsWriteStyleScrap(runs, textLength);
    if (again.size() != size - 2) __builtin_trap();
    if (KsReadStyleScrap(again.data(), again.size(), textLength) != runs) __builtin_trap();
    return 0;
}
