// 'cicn' data decoded, made into a colour icon and painted through its mask.
#include "IconsPrivate.h"
#include "XError.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static GrafPtr port = KsNewPort(32, 32);
    KsSetPort(port);
    std::vector<UInt8> bytes(data, data + size);
    try {
        const KsColorIcon icon = KsDecodeCIcon(bytes.empty() ? nullptr : bytes.data(), size);
        CIconHandle h = KsNewCIconHandle(icon);
        Rect r{1, 1, 30, 31};
        PaintCicon(h, &r);
        RgnHandle rgn = NewRgn();
        (void)BitMapToRegion(rgn, &(**h).iconMask);
        DisposeRgn(rgn);
        KsDisposCIcon(h);
    } catch (const XError&) {
    }
    return 0;
}
