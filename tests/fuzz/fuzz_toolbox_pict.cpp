// Picture data of any kind (opcodes of version 1 or 2, or PNG) played into a
// small port, scaled; damaged data must raise XError and nothing else.
#include "PicturesPrivate.h"
#include "XError.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static GrafPtr port = KsNewPort(48, 48);
    KsSetPort(port);
    // An exact-size copy: ASan sees any read past the end.
    std::vector<UInt8> bytes(data, data + size);
    const UInt8* p = bytes.empty() ? nullptr : bytes.data();
    try {
        KsDrawPictureData(p, size, Rect{2, 3, 40, 45});
    } catch (const XError&) {
    }
    try {
        (void)KsPictureFrame(p, size);
    } catch (const XError&) {
    }
    return 0;
}
