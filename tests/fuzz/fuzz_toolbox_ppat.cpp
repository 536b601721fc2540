// 'ppat' data decoded into a pixel pattern and used to fill a rectangle.
#include "IconsPrivate.h"
#include "XError.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static GrafPtr port = KsNewPort(24, 24);
    KsSetPort(port);
    std::vector<UInt8> bytes(data, data + size);
    try {
        PixPatHandle pp = KsDecodePixPat(bytes.empty() ? nullptr : bytes.data(), size);
        Rect r{0, 0, 24, 24};
        FillCRect(&r, pp);
        DisposePixPat(pp);
    } catch (const XError&) {
    }
    return 0;
}
