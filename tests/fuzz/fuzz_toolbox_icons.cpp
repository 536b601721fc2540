// The one-bit, 8-bit and cursor decoders. The first byte chooses the kind
// (ICON, ICN#, ics#, SICN, icl8, ics8, CURS) and, for SICN, the index; the
// rest is the resource data. Decoded icons are drawn into a small port.
#include "IconsPrivate.h"
#include "XError.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    static GrafPtr port = KsNewPort(40, 40);
    KsSetPort(port);
    const UInt8 kind = data[0];
    std::vector<UInt8> bytes(data + 1, data + size);
    const UInt8* p = bytes.empty() ? nullptr : bytes.data();
    const std::size_t n = bytes.size();
    try {
        KsImage img;
        switch (kind % 7) {
        case 0:
            img = KsDecodeICON(p, n);
            break;
        case 1:
            img = KsDecodeIconList(p, n, 32);
            break;
        case 2:
            img = KsDecodeIconList(p, n, 16);
            break;
        case 3:
            img = KsDecodeSICN(p, n, kind / 7);
            break;
        case 4:
        case 5: {
            const SInt32 side = kind % 7 == 4 ? 32 : 16;
            img = KsDecodeIndexed8(p, n, side, nullptr);
            break;
        }
        default:
            (void)KsDecodeCursor(p, n);
            return 0;
        }
        KsBlitImage(port, img, KsRect{0, 0, img.width, img.height}, KsRect{3, 2, 37, 30},
                    KsBlitMode::kOr, KsBlitTone::kDisabled);
    } catch (const XError&) {
    }
    return 0;
}
