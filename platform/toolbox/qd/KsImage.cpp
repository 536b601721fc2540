// Decoded images: the error texts of the decoders, the bounds-checked reader's
// failure path, PackBits, colour tables, the system palette, and the routine
// that scales an image onto a port.
#include "KsImagePrivate.h"
#include "KsPortPrivate.h"

#include "XError.h"

#include <iterator>

namespace {

const EMMessage kMessages[] = {
    {"QD_BAD_ICON", "The icon is damaged: {what} (at offset {offset}).", nullptr},
    {"QD_BAD_PICT", "The picture is damaged: {what} (at offset {offset}).", nullptr},
    {"QD_BAD_PIXPAT", "The pixel pattern is damaged: {what} (at offset {offset}).", nullptr},
    {"QD_BAD_CURSOR", "The cursor is damaged: {what} (at offset {offset}).", nullptr},
    {"QD_PICT_UNSUPPORTED",
     "The picture uses something that cannot be drawn: {what} (at offset {offset}).", nullptr},
    {"QD_IMAGE_TOO_LARGE", "The image is too large to draw: {what} (at offset {offset}).", nullptr},
};

struct RegisterMessages {
    RegisterMessages() { EMRegisterMessages(kMessages, int(std::size(kMessages))); }
} gRegisterMessages;

constexpr UInt32 kRGB = 0x00FFFFFFu;

UInt32 Blend(UInt32 a, UInt32 b) { // halfway, per channel
    return ((a & 0xFEFEFEu) >> 1) + ((b & 0xFEFEFEu) >> 1) + (a & b & 0x010101u);
}

UInt32 Darken(UInt32 c) {
    UInt32 out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const UInt32 v = (c >> shift) & 0xFF;
        out |= (v - v / 3) << shift;
    }
    return out;
}

UInt32 Toned(UInt32 c, KsBlitTone tone, UInt32 bk) {
    switch (tone) {
    case KsBlitTone::kNormal:
        return c;
    case KsBlitTone::kDisabled:
        return Blend(c, bk);
    case KsBlitTone::kSelected:
        return Darken(c);
    case KsBlitTone::kSelectedDisabled:
        return Blend(Darken(c), bk);
    }
    return c;
}

UInt32 Over(UInt32 src, UInt32 dst) {
    const UInt32 a = src >> 24;
    if (a == 0xFF) return src;
    if (a == 0) return dst;
    UInt32 out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const UInt32 s = (src >> shift) & 0xFF, d = (dst >> shift) & 0xFF;
        out |= ((s * a + d * (255 - a) + 127) / 255) << shift;
    }
    return out;
}

} // namespace

void KsByteReader::Fail(const char* what) const {
    FailAt(what, pos_);
}

void KsByteReader::FailAt(const char* what, std::size_t offset) const {
    xraisexerror(code_, "str what", what, "long offset", long(offset));
}

void KsCheckImageSize(SInt32 width, SInt32 height, const char* code) {
    if (width <= 0 || height <= 0)
        xraisexerror(code, "str what", "an empty or inverted image rectangle", "long offset", 0L);
    if (width > kKsMaxImageSide || height > kKsMaxImageSide ||
        std::size_t(width) * std::size_t(height) > kKsMaxImagePixels)
        xraisexerror(kKsImageTooLarge, "str what", "more pixels than an image may hold",
                     "long offset", 0L);
}

// ---- PackBits ---------------------------------------------------------------

void KsUnpackBits(KsByteReader& in, std::size_t inSize, UInt8* out, std::size_t outSize,
                  std::size_t unitSize) {
    in.Need(inSize, "a packed row is cut short");
    const std::size_t end = in.Offset() + inSize;
    std::size_t o = 0;
    while (in.Offset() < end) {
        const SInt8 n = in.S8("a packed row is cut short");
        if (n == -128) continue; // a no-op in the classic encoding
        if (n >= 0) {
            const std::size_t count = (std::size_t(n) + 1) * unitSize;
            if (count > end - in.Offset()) in.Fail("a literal run runs past its row");
            if (count > outSize - o) in.Fail("a packed row unpacks to more than its width");
            const UInt8* p = in.Bytes(count, "a packed row is cut short");
            for (std::size_t i = 0; i < count; ++i)
                out[o++] = p[i];
        } else {
            const std::size_t repeat = std::size_t(1 - n);
            if (unitSize > end - in.Offset()) in.Fail("a repeat run runs past its row");
            if (repeat * unitSize > outSize - o)
                in.Fail("a packed row unpacks to more than its width");
            const UInt8* p = in.Bytes(unitSize, "a packed row is cut short");
            for (std::size_t r = 0; r < repeat; ++r)
                for (std::size_t i = 0; i < unitSize; ++i)
                    out[o++] = p[i];
        }
    }
    if (o != outSize) in.Fail("a packed row unpacks to less than its width");
}

// ---- Colour tables ----------------------------------------------------------

void KsReadColorTable(KsByteReader& in, UInt32 lut[256]) {
    in.Skip(4, "the colour table is cut short"); // seed
    const UInt16 flags = in.U16("the colour table is cut short");
    const SInt16 last = in.S16("the colour table is cut short");
    if (last < -1 || last > 255) in.Fail("the colour table has an impossible number of entries");
    const std::size_t count = std::size_t(last + 1);
    in.Need(count * 8, "the colour table is cut short");
    for (int i = 0; i < 256; ++i)
        lut[i] = 0;
    // A device table (flags bit 15) is indexed by position, others by value.
    const bool byIndex = (flags & 0x8000) != 0;
    for (std::size_t i = 0; i < count; ++i) {
        const UInt16 value = in.U16("the colour table is cut short");
        const UInt16 r = in.U16("the colour table is cut short"),
                     g = in.U16("the colour table is cut short"),
                     b = in.U16("the colour table is cut short");
        const std::size_t key = byIndex ? i : (value & 0xFF);
        lut[key] = (UInt32(r >> 8) << 16) | (UInt32(g >> 8) << 8) | UInt32(b >> 8);
    }
}

const UInt32* KsSystemPalette8() {
    static const auto table = [] {
        struct T {
            UInt32 c[256];
        } t{};
        // 215 cube colours from white down (the cube's black moves to 255).
        for (int i = 0; i < 215; ++i) {
            const UInt32 r = UInt32(5 - i / 36) * 0x33, g = UInt32(5 - (i / 6) % 6) * 0x33,
                         b = UInt32(5 - i % 6) * 0x33;
            t.c[i] = (r << 16) | (g << 8) | b;
        }
        // Ten levels each of red, green, blue and grey that the cube lacks.
        const UInt32 levels[10] = {0xEE, 0xDD, 0xBB, 0xAA, 0x88, 0x77, 0x55, 0x44, 0x22, 0x11};
        for (int k = 0; k < 10; ++k) {
            const UInt32 v = levels[k];
            t.c[215 + k] = v << 16;
            t.c[225 + k] = v << 8;
            t.c[235 + k] = v;
            t.c[245 + k] = (v << 16) | (v << 8) | v;
        }
        t.c[255] = 0;
        return t;
    }();
    return table.c;
}

// ---- Drawing ----------------------------------------------------------------

void KsBlitImage(GrafPtr port, const KsImage& image, const KsRect& src, const KsRect& dst,
                 KsBlitMode mode, KsBlitTone tone, const KsRgn* maskLocal) {
    if (src.IsEmpty() || dst.IsEmpty() || image.width <= 0 || image.height <= 0) return;
    const KsRect dstDev = KsLocalToDevice(port, dst);
    KsRgn clip = KsPortDeviceClip(port);
    clip.Intersect(dstDev);
    if (maskLocal) clip.Intersect(KsLocalToDevice(port, *maskLocal));
    if (clip.IsEmpty()) return;

    const SInt64 sw = src.Width(), sh = src.Height(), dw = dstDev.Width(), dh = dstDev.Height();
    // Each device pixel takes the source pixel under its centre.
    const KsRect box = clip.Bounds();
    std::vector<SInt32> columns(std::size_t(box.Width()));
    for (SInt32 x = box.left; x < box.right; ++x)
        columns[std::size_t(x - box.left)] =
            SInt32(src.left + ((2 * SInt64(x - dstDev.left) + 1) * sw) / (2 * dw));

    const UInt32 fg = KsPixelOf(port->rgbFgColor) & kRGB, bk = KsPixelOf(port->rgbBkColor) & kRGB;
    const UInt32 fgT = Toned(fg, tone, bk), bkT = Toned(bk, tone, bk);
    pixman_image_t* img = port->surface->image;
    auto* bits = reinterpret_cast<UInt32*>(pixman_image_get_data(img));
    const std::size_t stride = std::size_t(pixman_image_get_stride(img)) / 4;
    const bool oneBit = image.IsOneBit();
    for (KsRect b : clip.Rects()) {
        for (SInt32 y = b.top; y < b.bottom; ++y) {
            const SInt64 sy = src.top + ((2 * SInt64(y - dstDev.top) + 1) * sh) / (2 * dh);
            if (sy < 0 || sy >= image.height) continue;
            const std::size_t rowAt = std::size_t(sy) * std::size_t(image.width);
            UInt32* out = bits + std::size_t(y) * stride;
            for (SInt32 x = b.left; x < b.right; ++x) {
                const SInt32 sx = columns[std::size_t(x - box.left)];
                if (sx < 0 || sx >= image.width) continue;
                const std::size_t at = rowAt + std::size_t(sx);
                if (!image.mask.empty() && !image.mask[at]) continue;
                UInt32 c;
                if (oneBit) {
                    const bool set = image.bits[at] != 0;
                    if (!set && mode == KsBlitMode::kOr) continue;
                    c = set ? fgT : bkT;
                } else if (image.hasAlpha) {
                    const UInt32 p = image.pixels[at];
                    c = Over((p & 0xFF000000u) | Toned(p & kRGB, tone, bk), out[x]) & kRGB;
                } else {
                    c = Toned(image.pixels[at] & kRGB, tone, bk);
                }
                out[x] = 0xFF000000u | c;
            }
        }
    }
    KsAddDamage(port->surface, clip);
}

// ---- Pixel maps -------------------------------------------------------------

KsPixMapHeader KsReadPixMapHeader(KsByteReader& in, bool withBaseAddr) {
    const char* cut = "the pixel map header is cut short";
    KsPixMapHeader pm;
    if (withBaseAddr) in.Skip(4, cut);
    const UInt16 rb = in.U16(cut);
    pm.isPixMap = (rb & 0x8000) != 0;
    pm.rowBytes = rb & 0x3FFF;
    pm.bounds = in.ReadRect(cut);
    in.Skip(2, cut); // pmVersion
    pm.packType = in.S16(cut);
    in.Skip(12, cut); // packSize, hRes, vRes
    pm.pixelType = in.S16(cut);
    pm.pixelSize = in.S16(cut);
    pm.cmpCount = in.S16(cut);
    pm.cmpSize = in.S16(cut);
    in.Skip(4, cut); // planeBytes
    pm.pmTable = in.U32(cut);
    in.Skip(4, cut); // pmReserved
    return pm;
}

void KsCheckIndexedMap(const KsByteReader& in, const KsPixMapHeader& pm) {
    const SInt32 d = pm.pixelSize;
    if (d != 1 && d != 2 && d != 4 && d != 8) in.Fail("an unsupported pixel depth");
    if (pm.Width() <= 0 || pm.Height() <= 0) in.Fail("an empty or inverted pixel map");
    KsCheckImageSize(pm.Width(), pm.Height(), in.Code());
    if (SInt64(pm.rowBytes) * 8 < SInt64(pm.Width()) * d)
        in.Fail("rows too narrow for the pixel map's width");
}

std::vector<UInt32> KsIndexedToPixels(const UInt8* rows, std::size_t rowBytes, SInt32 width,
                                      SInt32 height, SInt32 depth, const UInt32 lut[256]) {
    std::vector<UInt32> px(std::size_t(width) * std::size_t(height));
    for (SInt32 y = 0; y < height; ++y) {
        const UInt8* row = rows + std::size_t(y) * rowBytes;
        for (SInt32 x = 0; x < width; ++x)
            px[std::size_t(y) * std::size_t(width) + std::size_t(x)] =
                0xFF000000u | lut[KsPixelValue(row, x, depth)];
    }
    return px;
}
