// Icons: the one-bit, family and colour icon decoders, the cursor decoder,
// and the calls that draw them.
//
// Sections: one-bit decoders; colour icons; cursors; drawing; icon families;
// colour icon calls.
#include "IconsPrivate.h"
#include "KsPortPrivate.h"

#include "KsFatal.h"
#include "KsHandle.h"
#include "Resources.h"
#include "XError.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr OSType kCIconSignature = 0x4B734349; // 'KsCI'
constexpr ResType kTypeICN = 0x49434E23;       // 'ICN#'
constexpr ResType kTypeIcs = 0x69637323;       // 'ics#'
constexpr ResType kTypeIcl8 = 0x69636C38;      // 'icl8'
constexpr ResType kTypeIcs8 = 0x69637338;      // 'ics8'
constexpr ResType kTypeCicn = 0x6369636E;      // 'cicn'

// side x side one-bit rows, side / 8 bytes each, from the reader.
std::vector<UInt8> ReadBits(KsByteReader& in, SInt32 side, const char* what) {
    const std::size_t rowBytes = std::size_t(side) / 8;
    const UInt8* p = in.Bytes(rowBytes * std::size_t(side), what);
    std::vector<UInt8> bits(std::size_t(side) * std::size_t(side));
    for (SInt32 y = 0; y < side; ++y)
        for (SInt32 x = 0; x < side; ++x)
            bits[std::size_t(y * side + x)] = KsPixelValue(p + std::size_t(y) * rowBytes, x, 1);
    return bits;
}

KsImage Square(SInt32 side) {
    KsImage img;
    img.width = img.height = side;
    return img;
}

// Unpacked one-bit rows to one byte per pixel.
std::vector<UInt8> BitsOf(const std::vector<UInt8>& rows, std::size_t rowBytes, SInt32 w,
                          SInt32 h) {
    std::vector<UInt8> out(std::size_t(w) * std::size_t(h));
    for (SInt32 y = 0; y < h; ++y)
        for (SInt32 x = 0; x < w; ++x)
            out[std::size_t(y) * std::size_t(w) + std::size_t(x)] =
                KsPixelValue(rows.data() + std::size_t(y) * rowBytes, x, 1);
    return out;
}

} // namespace

// ---- One-bit decoders -------------------------------------------------------

KsImage KsDecodeICON(const UInt8* data, std::size_t size) {
    KsByteReader in(data, size, kKsBadIcon);
    KsImage img = Square(32);
    img.bits = ReadBits(in, 32, "an 'ICON' needs 128 bytes");
    return img;
}

KsImage KsDecodeIconList(const UInt8* data, std::size_t size, SInt32 side) {
    FtlAssert(side == 16 || side == 32);
    KsByteReader in(data, size, kKsBadIcon);
    KsImage img = Square(side);
    img.bits = ReadBits(in, side, "the icon list is cut short before its icon");
    img.mask = ReadBits(in, side, "the icon list is cut short before its mask");
    return img;
}

SInt32 KsCountSICN(std::size_t size) {
    if (size == 0 || size % 32 != 0 || size / 32 > 32767)
        xraisexerror(kKsBadIcon, "str what", "a 'SICN' list is not a whole number of icons",
                     "long offset", long(size));
    return SInt32(size / 32);
}

KsImage KsDecodeSICN(const UInt8* data, std::size_t size, SInt32 index) {
    const SInt32 count = KsCountSICN(size);
    KsByteReader in(data, size, kKsBadIcon);
    if (index < 0 || index >= count) in.Fail("no such icon in the 'SICN' list");
    in.Seek(std::size_t(index) * 32, "no such icon in the 'SICN' list");
    KsImage img = Square(16);
    img.bits = ReadBits(in, 16, "the 'SICN' list is cut short");
    return img;
}

KsImage KsDecodeIndexed8(const UInt8* data, std::size_t size, SInt32 side,
                         const KsImage* maskFrom) {
    FtlAssert(side == 16 || side == 32);
    KsByteReader in(data, size, kKsBadIcon);
    const UInt8* p =
        in.Bytes(std::size_t(side) * std::size_t(side), "an 8-bit icon needs one byte per pixel");
    const UInt32* palette = KsSystemPalette8();
    KsImage img = Square(side);
    img.pixels.resize(std::size_t(side) * std::size_t(side));
    for (std::size_t i = 0; i < img.pixels.size(); ++i)
        img.pixels[i] = 0xFF000000u | palette[p[i]];
    if (maskFrom && maskFrom->width == side && maskFrom->height == side) img.mask = maskFrom->mask;
    return img;
}

// ---- Colour icons -----------------------------------------------------------

KsColorIcon KsDecodeCIcon(const UInt8* data, std::size_t size) {
    KsByteReader in(data, size, kKsBadIcon);
    const char* cut = "the colour icon's header is cut short";
    const KsPixMapHeader pm = KsReadPixMapHeader(in, true);
    KsCheckIndexedMap(in, pm);
    in.Skip(4, cut); // mask base address
    const SInt16 maskRowBytes = in.S16(cut);
    const Rect maskBounds = in.ReadRect(cut);
    in.Skip(4, cut); // one-bit base address
    const SInt16 bmapRowBytes = in.S16(cut);
    const Rect bmapBounds = in.ReadRect(cut);
    in.Skip(4, cut); // icon data handle
    const SInt32 w = pm.Width(), h = pm.Height();
    auto sameSize = [w, h](const Rect& r) {
        return SInt32(r.right) - r.left == w && SInt32(r.bottom) - r.top == h;
    };
    if (!sameSize(maskBounds)) in.Fail("the mask is not the size of the icon");
    if (maskRowBytes < (w + 7) / 8) in.Fail("the mask's rows are too narrow");
    if (bmapRowBytes < 0 ||
        (bmapRowBytes > 0 && (bmapRowBytes < (w + 7) / 8 || !sameSize(bmapBounds))))
        in.Fail("the one-bit image does not fit the icon");

    KsColorIcon icon;
    icon.pixelSize = pm.pixelSize;
    icon.maskRowBytes = maskRowBytes;
    icon.maskBounds = maskBounds;
    const std::size_t maskLen = std::size_t(maskRowBytes) * std::size_t(h);
    const UInt8* maskRows = in.Bytes(maskLen, "the mask is cut short");
    icon.maskRows.assign(maskRows, maskRows + maskLen);
    icon.bmapRowBytes = bmapRowBytes;
    const std::size_t bmapLen = std::size_t(bmapRowBytes) * std::size_t(h);
    const UInt8* bmapRows = in.Bytes(bmapLen, "the one-bit image is cut short");
    icon.bmapRows.assign(bmapRows, bmapRows + bmapLen);

    UInt32 lut[256];
    KsReadColorTable(in, lut);
    const std::size_t pixLen = std::size_t(pm.rowBytes) * std::size_t(h);
    const UInt8* pix = in.Bytes(pixLen, "the colour pixels are cut short");

    icon.color.width = w;
    icon.color.height = h;
    icon.color.pixels = KsIndexedToPixels(pix, std::size_t(pm.rowBytes), w, h, pm.pixelSize, lut);
    icon.color.mask = BitsOf(icon.maskRows, std::size_t(maskRowBytes), w, h);
    if (bmapRowBytes > 0) {
        icon.oneBit.width = w;
        icon.oneBit.height = h;
        icon.oneBit.bits = BitsOf(icon.bmapRows, std::size_t(bmapRowBytes), w, h);
        icon.oneBit.mask = icon.color.mask;
    }
    return icon;
}

namespace {

struct CIconLayout {
    std::size_t maskAt, bmapAt, pixelsAt, total;
};

CIconLayout LayoutOf(SInt32 w, SInt32 h, SInt32 maskRowBytes, SInt32 bmapRowBytes) {
    CIconLayout l;
    l.maskAt = sizeof(CIcon);
    l.bmapAt = l.maskAt + std::size_t(maskRowBytes) * std::size_t(h);
    l.pixelsAt = (l.bmapAt + std::size_t(bmapRowBytes) * std::size_t(h) + 3) & ~std::size_t(3);
    l.total = l.pixelsAt + std::size_t(w) * std::size_t(h) * sizeof(UInt32);
    return l;
}

// The decoded icon in a CIcon block, when the handle holds one that is whole.
bool IsDecodedCIcon(Handle h, CIconLayout* layout) {
    const Size size = KsGetHandleSize(h);
    if (size < Size(sizeof(CIcon))) return false;
    const CIcon& c = *reinterpret_cast<const CIcon*>(*h);
    if (c.signature != kCIconSignature || c.width <= 0 || c.height <= 0 ||
        c.iconMask.rowBytes < 0 || c.iconBMap.rowBytes < 0)
        return false;
    *layout = LayoutOf(c.width, c.height, c.iconMask.rowBytes, c.iconBMap.rowBytes);
    return Size(layout->total) == size;
}

} // namespace

CIconHandle KsNewCIconHandle(const KsColorIcon& icon) {
    const SInt32 w = icon.color.width, h = icon.color.height;
    const CIconLayout l = LayoutOf(w, h, icon.maskRowBytes, icon.bmapRowBytes);
    Handle hd = KsNewHandle(Size(l.total));
    if (!hd) xraisexerror("SYS_ERROR", "short OSErr", memFullErr);
    char* base = *hd;
    auto* c = reinterpret_cast<CIcon*>(base);
    c->signature = kCIconSignature;
    c->width = SInt16(w);
    c->height = SInt16(h);
    c->pixelSize = icon.pixelSize;
    c->iconMask = {base + l.maskAt, icon.maskRowBytes, icon.maskBounds};
    c->iconBMap = {icon.bmapRowBytes ? base + l.bmapAt : nullptr, icon.bmapRowBytes,
                   Rect{0, 0, SInt16(h), SInt16(w)}};
    if (!icon.maskRows.empty())
        std::memcpy(base + l.maskAt, icon.maskRows.data(), icon.maskRows.size());
    if (!icon.bmapRows.empty())
        std::memcpy(base + l.bmapAt, icon.bmapRows.data(), icon.bmapRows.size());
    std::memcpy(base + l.pixelsAt, icon.color.pixels.data(),
                icon.color.pixels.size() * sizeof(UInt32));
    return reinterpret_cast<CIconHandle>(hd);
}

// ---- Cursors ----------------------------------------------------------------

KsCursorImage KsDecodeCursor(const UInt8* data, std::size_t size) {
    KsByteReader in(data, size, kKsBadCursor);
    KsCursorImage c{};
    for (UInt16& row : c.data)
        row = in.U16("a cursor needs 68 bytes");
    for (UInt16& row : c.mask)
        row = in.U16("a cursor needs 68 bytes");
    c.hotSpot = in.ReadPoint("a cursor needs 68 bytes");
    if (c.hotSpot.h < 0 || c.hotSpot.h > 15 || c.hotSpot.v < 0 || c.hotSpot.v > 15)
        in.FailAt("the hot spot lies outside the cursor", 64);
    return c;
}

// ---- Drawing ----------------------------------------------------------------

namespace {

const UInt8* BytesOf(Handle h) {
    return reinterpret_cast<const UInt8*>(*h);
}
std::size_t SizeOf(Handle h) {
    return std::size_t(KsGetHandleSize(h));
}

KsRect FullRect(const KsImage& img) {
    return {0, 0, img.width, img.height};
}

} // namespace

void PlotIcon(const Rect* r, Handle iconHandle) {
    GrafPtr port = KsThePort();
    if (!r || !iconHandle || !*iconHandle) return;
    const KsImage img = KsDecodeICON(BytesOf(iconHandle), SizeOf(iconHandle));
    KsBlitImage(port, img, FullRect(img), ToKsRect(*r), KsBlitMode::kCopy);
}

void PlotSICN(const Rect* r, Handle sicnList, SInt16 index) {
    GrafPtr port = KsThePort();
    if (!r || !sicnList || !*sicnList) return;
    const KsImage img = KsDecodeSICN(BytesOf(sicnList), SizeOf(sicnList), index);
    KsBlitImage(port, img, FullRect(img), ToKsRect(*r), KsBlitMode::kOr);
}

// ---- Icon families ----------------------------------------------------------

namespace {

// The family member to draw in r, decoded: colour over one bit, the large
// size unless r is small and a small icon exists.
bool LoadFamily(SInt16 resID, const Rect& r, KsImage* out) {
    const bool small = std::min(SInt32(r.right) - r.left, SInt32(r.bottom) - r.top) < 32;
    struct Size_ {
        ResType list, color;
        SInt32 side;
    };
    const Size_ large{kTypeICN, kTypeIcl8, 32}, little{kTypeIcs, kTypeIcs8, 16};
    const Size_ order[2] = {small ? little : large, small ? large : little};
    for (const Size_& s : order) {
        Handle list = GetResource(s.list, resID);
        Handle color = GetResource(s.color, resID);
        if (!list && !color) continue;
        KsImage oneBit;
        if (list) oneBit = KsDecodeIconList(BytesOf(list), SizeOf(list), s.side);
        *out = color ? KsDecodeIndexed8(BytesOf(color), SizeOf(color), s.side,
                                        list ? &oneBit : nullptr)
                     : std::move(oneBit);
        return true;
    }
    return false;
}

// Where the icon goes in r: its own size when it fits, else shrunk to fit,
// placed by the alignment's vertical (bits 0-1) and horizontal (bits 2-3) parts.
KsRect PlaceIcon(const KsImage& img, const Rect& r, IconAlignmentType alignment) {
    const SInt32 rw = SInt32(r.right) - r.left, rh = SInt32(r.bottom) - r.top;
    const SInt32 side = std::max(0, std::min({img.width, rw, rh}));
    SInt32 left = r.left + (rw - side) / 2, top = r.top + (rh - side) / 2;
    switch (alignment & 3) {
    case 2:
        top = r.top;
        break;
    case 3:
        top = r.bottom - side;
        break;
    default:
        break;
    }
    switch (alignment & 0xC) {
    case 0x8:
        left = r.left;
        break;
    case 0xC:
        left = r.right - side;
        break;
    default:
        break;
    }
    return {left, top, left + side, top + side};
}

} // namespace

OSErr PlotIconID(const Rect* r, IconAlignmentType alignment, IconTransformType transform,
                 SInt16 resID) {
    GrafPtr port = KsThePort();
    if (!r) return paramErr;
    KsBlitTone tone;
    switch (transform) {
    case kTransformNone:
        tone = KsBlitTone::kNormal;
        break;
    case kTransformDisabled:
        tone = KsBlitTone::kDisabled;
        break;
    case kTransformSelected:
        tone = KsBlitTone::kSelected;
        break;
    case kTransformSelectedDisabled:
        tone = KsBlitTone::kSelectedDisabled;
        break;
    default:
        return paramErr;
    }
    KsImage img;
    try {
        if (!LoadFamily(resID, *r, &img)) return resNotFound;
    } catch (const XError&) {
        return paramErr; // damaged family data: nothing is drawn
    }
    KsBlitImage(port, img, FullRect(img), PlaceIcon(img, *r, alignment), KsBlitMode::kCopy, tone);
    return noErr;
}

Boolean PtInIconID(Point pt, const Rect* r, IconAlignmentType alignment, SInt16 resID) {
    if (!r) return false;
    KsImage img;
    try {
        if (!LoadFamily(resID, *r, &img)) return false;
    } catch (const XError&) {
        return false;
    }
    const KsRect at = PlaceIcon(img, *r, alignment);
    if (at.IsEmpty() || !at.Contains(KsPoint{pt.h, pt.v})) return false;
    const SInt64 x = (SInt64(pt.h) - at.left) * img.width / at.Width(),
                 y = (SInt64(pt.v) - at.top) * img.height / at.Height();
    return img.mask.empty() || img.mask[std::size_t(y * img.width + x)] != 0;
}

OSErr KsPlotIconID(SInt16 resID, const Rect* r) {
    return PlotIconID(r, kAlignAbsoluteCenter, kTransformNone, resID);
}

OSErr KsPlotIconID2(SInt16 resID, const Rect* r, IconAlignmentType alignment,
                    IconTransformType transform, Boolean disabled) {
    if (disabled) transform = IconTransformType(transform | kTransformDisabled);
    return PlotIconID(r, alignment, transform, resID);
}

// ---- Colour icon calls ------------------------------------------------------

CIconHandle GetCIcon(SInt16 iconID) {
    Handle h = GetResource(kTypeCicn, iconID);
    if (!h || !*h) return nullptr;
    try {
        return KsNewCIconHandle(KsDecodeCIcon(BytesOf(h), SizeOf(h)));
    } catch (const XError&) {
        return nullptr;
    }
}

CIconHandle KsGetCIcon(SInt16 iconID) {
    return GetCIcon(iconID);
}

namespace {

void DrawDecoded(GrafPtr port, CIconHandle icon, const CIconLayout& l, const Rect& r) {
    const CIcon& c = **icon;
    KsImage img;
    img.width = c.width;
    img.height = c.height;
    const char* base = reinterpret_cast<const char*>(*icon);
    const auto* px = reinterpret_cast<const UInt32*>(base + l.pixelsAt);
    img.pixels.assign(px, px + std::size_t(c.width) * std::size_t(c.height));
    std::vector<UInt8> rows(reinterpret_cast<const UInt8*>(base + l.maskAt),
                            reinterpret_cast<const UInt8*>(base + l.bmapAt));
    img.mask = BitsOf(rows, std::size_t(c.iconMask.rowBytes), c.width, c.height);
    KsBlitImage(port, img, FullRect(img), ToKsRect(r), KsBlitMode::kCopy);
}

} // namespace

void PlotCIcon(const Rect* r, CIconHandle icon) {
    PaintCicon(icon, r);
}

void PaintCicon(CIconHandle icon, const Rect* r) {
    GrafPtr port = KsThePort();
    if (!icon || !*icon || !r) return;
    Handle h = reinterpret_cast<Handle>(icon);
    CIconLayout layout;
    if (IsDecodedCIcon(h, &layout)) return DrawDecoded(port, icon, layout, *r);
    // Raw resource data, as a gadget keeps a copy of a 'cccn'.
    const KsColorIcon decoded = KsDecodeCIcon(BytesOf(h), SizeOf(h));
    KsBlitImage(port, decoded.color, FullRect(decoded.color), ToKsRect(*r), KsBlitMode::kCopy);
}

void DisposeCIcon(CIconHandle icon) {
    KsDisposeHandle(reinterpret_cast<Handle>(icon));
}

void KsDisposCIcon(CIconHandle icon) {
    DisposeCIcon(icon);
}
