// BitMapToRegion on arbitrary row widths, bounds and bits. The input is
//   rowBytes (2 bytes), top, left, bottom, right (2 bytes each, big-endian),
//   then the bits,
// and the bitmap handed over is exactly as long as the bits given (the height
// is cut to what they hold), so any read past rowBytes * height is caught.
// A region that is made must hold exactly the set bits inside the bounds.
#include "KsFuzzCheck.h"
#include "QuickDraw.h"
#include "XError.h"

#include <vector>

namespace {
SInt16 Be16(const std::uint8_t* p) {
    return SInt16(UInt16((p[0] << 8) | p[1]));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 10) return 0;
    const SInt16 rowBytes = Be16(data);
    Rect bounds{Be16(data + 2), Be16(data + 4), Be16(data + 6), Be16(data + 8)};
    const std::size_t nbits = size - 10;
    if (rowBytes > 0 && bounds.bottom > bounds.top) {
        const std::size_t rows = nbits / std::size_t(rowBytes);
        if (SInt32(bounds.bottom) - bounds.top > SInt32(rows))
            bounds.bottom = SInt16(bounds.top + SInt32(rows));
    }
    // An exact-size copy: ASan sees any read beyond the bits.
    std::vector<std::uint8_t> bits(data + 10, data + size);
    BitMap bm{nbits ? reinterpret_cast<Ptr>(bits.data()) : nullptr, rowBytes, bounds};
    RgnHandle rgn = NewRgn();
    try {
        const OSErr err = BitMapToRegion(rgn, &bm);
        if (err == noErr) {
            const SInt32 w = SInt32(bounds.right) - bounds.left,
                         h = SInt32(bounds.bottom) - bounds.top;
            const Rect bb = (*rgn)->rgnBBox;
            if (!EmptyRgn(rgn))
                Check(bb.left >= bounds.left && bb.top >= bounds.top && bb.right <= bounds.right &&
                      bb.bottom <= bounds.bottom);
            if (SInt64(w) * h <= 65536)
                for (SInt32 y = 0; y < h; ++y)
                    for (SInt32 x = 0; x < w; ++x) {
                        const bool set =
                            (bits[std::size_t(y) * std::size_t(rowBytes) + std::size_t(x / 8)] >>
                             (7 - x % 8)) &
                            1;
                        Point p{SInt16(bounds.top + y), SInt16(bounds.left + x)};
                        Check(bool(PtInRgn(p, rgn)) == set);
                    }
        } else {
            Check(EmptyRgn(rgn) || err == paramErr);
        }
    } catch (const XError&) {
    }
    DisposeRgn(rgn);
    return 0;
}
