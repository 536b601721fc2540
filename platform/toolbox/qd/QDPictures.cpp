// Pictures: the opcode player, region and pixel-image readers inside it, PNG
// pictures, and the calls.
//
// Sections: PNG; regions; pixel images; the player's state and mapping;
// opcodes; the calls.
//
// A picture is played twice: once only reading (every size, count and image
// checked), then drawing, so damaged data raises before any pixel changes.
#include "KsPortPrivate.h"
#include "PicturesPrivate.h"

#include "KsFatal.h"
#include "KsHandle.h"
#include "KsPaintPrivate.h"
#include "KsPortSavers.h"
#include "Resources.h"
#include "XError.h"

#include <png.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <iterator>
#include <map>

namespace {

constexpr ResType kTypePICT = 0x50494354; // 'PICT'
constexpr UInt8 kPNGSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
// Regions inside pictures are limited so that a small file cannot demand an
// unbounded amount of work.
constexpr std::size_t kMaxRegionRects = std::size_t(1) << 20;
constexpr std::size_t kMaxRegionActive = 8192;

[[noreturn]] void BadPict(const char* what, std::size_t offset) {
    xraisexerror(kKsBadPict, "str what", what, "long offset", long(offset));
}

} // namespace

// ---- PNG --------------------------------------------------------------------

bool KsIsPNGData(const UInt8* data, std::size_t size) {
    return data && size >= 8 && std::memcmp(data, kPNGSignature, 8) == 0;
}

namespace {

struct PNGReader {
    png_image image;
    PNGReader(const UInt8* data, std::size_t size) {
        std::memset(&image, 0, sizeof image);
        image.version = PNG_IMAGE_VERSION;
        if (!png_image_begin_read_from_memory(&image, data, size))
            BadPict("the PNG data cannot be read", 0);
    }
    ~PNGReader() { png_image_free(&image); }
};

} // namespace

KsImage KsDecodePNG(const UInt8* data, std::size_t size) {
    PNGReader png(data, size);
    KsCheckImageSize(SInt32(std::min<png_uint_32>(png.image.width, 0x7FFFFFFF)),
                     SInt32(std::min<png_uint_32>(png.image.height, 0x7FFFFFFF)), kKsBadPict);
    png.image.format = PNG_FORMAT_BGRA; // bytes B, G, R, A: 0xAARRGGBB on this host
    static_assert(std::endian::native == std::endian::little);
    KsImage img;
    img.width = SInt32(png.image.width);
    img.height = SInt32(png.image.height);
    img.hasAlpha = true;
    img.pixels.resize(std::size_t(img.width) * std::size_t(img.height));
    if (!png_image_finish_read(&png.image, nullptr, img.pixels.data(), 0, nullptr))
        BadPict("the PNG data is damaged", 0);
    return img;
}

// ---- Regions ----------------------------------------------------------------

namespace {

// A stored region: size, bounding box, then for each scan line its v and the
// h values where the inside flips, each list ending with 0x7FFF.
KsRgn ReadRegion(KsByteReader& in) {
    const std::size_t start = in.Offset();
    const UInt16 size = in.U16("a region is cut short");
    if (size < 10) in.Fail("a region smaller than its header");
    in.Need(std::size_t(size) - 2, "a region is cut short");
    const Rect bbox = in.ReadRect("a region is cut short");
    const std::size_t end = start + size;
    if (size == 10) return KsRgn(ToKsRect(bbox));
    std::vector<SInt32> active, flips, next;
    std::vector<KsRect> rects;
    SInt32 prevV = 0;
    bool first = true;
    for (;;) {
        if (in.Offset() + 2 > end) in.Fail("a region runs past its size");
        const SInt16 v = in.S16("a region is cut short");
        if (v == 0x7FFF) break;
        if (!first && v < prevV) in.Fail("a region's scan lines go upwards");
        if (!first && v > prevV)
            for (std::size_t i = 0; i + 1 < active.size(); i += 2) {
                if (rects.size() >= kMaxRegionRects) in.Fail("a region with too many pieces");
                rects.push_back({active[i], prevV, active[i + 1], v});
            }
        flips.clear();
        for (;;) {
            if (in.Offset() + 2 > end) in.Fail("a region runs past its size");
            const SInt16 h = in.S16("a region is cut short");
            if (h == 0x7FFF) break;
            if (!flips.empty() && h <= flips.back()) in.Fail("a region's points are out of order");
            flips.push_back(h);
        }
        // The inside flips at each h: the symmetric difference of the lists.
        next.clear();
        std::set_symmetric_difference(active.begin(), active.end(), flips.begin(), flips.end(),
                                      std::back_inserter(next));
        if (next.size() % 2 != 0) in.Fail("a region's scan line does not close");
        if (next.size() > kMaxRegionActive) in.Fail("a region with too many pieces");
        active.swap(next);
        prevV = v;
        first = false;
    }
    if (!active.empty()) in.Fail("a region does not close");
    in.Seek(end, "a region is cut short");
    return KsRgn(rects.data(), rects.size());
}

// ---- Pixel images -----------------------------------------------------------

// The bytes of one row of `length` bytes: raw when unpacked, else after a
// byte count (a word when rows are wider than 250 bytes).
void ReadRow(KsByteReader& in, bool packed, std::size_t rowBytes, UInt8* out, std::size_t length,
             std::size_t unit) {
    if (!packed) {
        std::memcpy(out, in.Bytes(length, "the picture's pixels are cut short"), length);
        return;
    }
    const std::size_t count =
        rowBytes > 250 ? in.U16("a packed row is cut short") : in.U8("a packed row is cut short");
    KsUnpackBits(in, count, out, length, unit);
}

// The least number of bytes that `rows` packed rows of `length` bytes take.
std::size_t LeastPacked(std::size_t rows, std::size_t length, std::size_t rowBytes) {
    const std::size_t perRow = (rowBytes > 250 ? 2 : 1) + 2 * ((length + 127) / 128);
    return rows * perRow;
}

struct BitsOp {
    KsImage image;
    Rect bounds{};
    Rect srcRect{};
    Rect dstRect{};
    SInt16 mode = srcCopy;
    bool hasMask = false;
    KsRgn mask; // picture coordinates
};

UInt32 From16(UInt16 v) {
    const UInt32 r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
    return 0xFF000000u | (((r << 3) | (r >> 2)) << 16) | (((g << 3) | (g >> 2)) << 8) |
           ((b << 3) | (b >> 2));
}

BitsOp ReadBitsOp(KsByteReader& in, UInt16 op) {
    const bool direct = op == 0x9A || op == 0x9B;
    const bool packedOp = op != 0x90 && op != 0x91;
    BitsOp b;
    KsPixMapHeader pm;
    UInt32 lut[256] = {};
    if (direct) {
        pm = KsReadPixMapHeader(in, true);
    } else {
        const std::size_t at = in.Offset();
        const UInt16 rb = in.U16("the image header is cut short");
        in.Seek(at, "the image header is cut short");
        if (rb & 0x8000) {
            pm = KsReadPixMapHeader(in, false);
            KsReadColorTable(in, lut);
        } else {
            pm.rowBytes = in.U16("the image header is cut short");
            pm.bounds = in.ReadRect("the image header is cut short");
            pm.pixelSize = 1;
        }
    }
    b.bounds = pm.bounds;
    const SInt32 w = pm.Width(), h = pm.Height();
    if (w <= 0 || h <= 0) in.Fail("an empty or inverted image");
    KsCheckImageSize(w, h, kKsBadPict);
    b.srcRect = in.ReadRect("the image header is cut short");
    b.dstRect = in.ReadRect("the image header is cut short");
    b.mode = in.S16("the image header is cut short");
    if (op & 1) {
        b.hasMask = true;
        b.mask = ReadRegion(in);
    }

    const std::size_t rowBytes = std::size_t(pm.rowBytes);
    std::size_t length = rowBytes, unit = 1;
    bool packed = packedOp && rowBytes >= 8;
    SInt32 packType = pm.packType;
    if (direct) {
        if (pm.pixelSize == 32) {
            if (packType == 0) packType = 4;
            if (packType != 1 && packType != 2 && packType != 4)
                in.Fail("an unknown packing of 32-bit pixels");
            if (pm.cmpCount != 3 && pm.cmpCount != 4) in.Fail("an unknown number of components");
            if (rowBytes < std::size_t(w) * 4) in.Fail("rows too narrow for the image's width");
            if (packType == 2) length = std::size_t(w) * 3, packed = false;
            if (packType == 4) length = std::size_t(w) * std::size_t(pm.cmpCount);
            if (packType == 1) packed = false;
        } else if (pm.pixelSize == 16) {
            if (packType == 0) packType = 3;
            if (packType != 1 && packType != 3) in.Fail("an unknown packing of 16-bit pixels");
            if (rowBytes < std::size_t(w) * 2) in.Fail("rows too narrow for the image's width");
            if (packType == 1) packed = false;
            unit = 2;
        } else {
            in.Fail("a direct image that is neither 16 nor 32 bits deep");
        }
        if (rowBytes < 8) packed = false;
    } else {
        KsCheckIndexedMap(in, pm);
    }
    // Before allocating anything, the data must be able to hold every row.
    if (packed)
        in.Need(LeastPacked(std::size_t(h), length, rowBytes),
                "the picture's pixels are cut short");
    else
        in.Need(length * std::size_t(h), "the picture's pixels are cut short");

    std::vector<UInt8> row(length);
    KsImage& img = b.image;
    img.width = w;
    img.height = h;
    const bool oneBit = !direct && pm.pixelSize == 1 && !(pm.isPixMap);
    if (oneBit)
        img.bits.resize(std::size_t(w) * std::size_t(h));
    else
        img.pixels.resize(std::size_t(w) * std::size_t(h));
    for (SInt32 y = 0; y < h; ++y) {
        ReadRow(in, packed, rowBytes, row.data(), length, unit);
        const std::size_t at = std::size_t(y) * std::size_t(w);
        for (SInt32 x = 0; x < w; ++x) {
            const std::size_t ux = std::size_t(x);
            if (oneBit) {
                img.bits[at + ux] = KsPixelValue(row.data(), x, 1);
            } else if (!direct) {
                img.pixels[at + ux] = 0xFF000000u | lut[KsPixelValue(row.data(), x, pm.pixelSize)];
            } else if (pm.pixelSize == 16) {
                img.pixels[at + ux] = From16(UInt16((row[2 * ux] << 8) | row[2 * ux + 1]));
            } else {
                UInt32 r, g, bl;
                if (packType == 4) {
                    // Planes: (alpha,) red, green, blue.
                    const std::size_t skip = pm.cmpCount == 4 ? std::size_t(w) : 0;
                    r = row[skip + ux];
                    g = row[skip + std::size_t(w) + ux];
                    bl = row[skip + 2 * std::size_t(w) + ux];
                } else if (packType == 2) {
                    r = row[3 * ux], g = row[3 * ux + 1], bl = row[3 * ux + 2];
                } else {
                    r = row[4 * ux + 1], g = row[4 * ux + 2], bl = row[4 * ux + 3];
                }
                img.pixels[at + ux] = 0xFF000000u | (r << 16) | (g << 8) | bl;
            }
        }
    }
    return b;
}

// ---- The player's state and mapping -----------------------------------------

// Owns a region handle for the length of one opcode.
struct StRgn {
    RgnHandle h;
    explicit StRgn(const KsRgn& r) : h(KsNewRgnFrom(r)) {
        if (!h) xraisexerror("SYS_ERROR", "short OSErr", memFullErr);
    }
    ~StRgn() { DisposeRgn(h); }
    StRgn(const StRgn&) = delete;
    StRgn& operator=(const StRgn&) = delete;
};

SInt64 FloorDiv(SInt64 a, SInt64 b) {
    SInt64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

SInt16 Clamp16(SInt64 v) {
    return SInt16(std::clamp<SInt64>(v, -32768, 32767));
}

enum class PlayMode : UInt8 { kCheck, kDraw };

class PictPlayer {
public:
    PictPlayer(const UInt8* data, std::size_t size, PlayMode mode)
        : in_(data, size, kKsBadPict), mode_(mode) {}

    Rect ReadFrame() {
        in_.Skip(2, "the picture header is cut short");
        return in_.ReadRect("the picture header is cut short");
    }

    void Play(GrafPtr port, const Rect& dst, RgnHandle entryClip);

private:
    bool Drawing() const { return mode_ == PlayMode::kDraw; }
    UInt16 NextOp() {
        if (v2_ && (in_.Offset() & 1)) in_.Skip(1, "the picture ends without its end");
        return v2_ ? in_.U16("the picture ends without its end")
                   : in_.U8("the picture ends without its end");
    }
    void Op(UInt16 op);
    void SkipUnknown(UInt16 op, std::size_t opAt);
    void Shape(UInt16 op);
    void Text(const Point& at);
    void Bits(UInt16 op);
    void PixPatOp(UInt16 op);

    SInt16 MapH(SInt32 h) const {
        return Clamp16(dst_.left + FloorDiv(SInt64(h - originH_ - frame_.left) * dw_, fw_));
    }
    SInt16 MapV(SInt32 v) const {
        return Clamp16(dst_.top + FloorDiv(SInt64(v - originV_ - frame_.top) * dh_, fh_));
    }
    Rect MapRect(const Rect& r) const {
        return Rect{MapV(r.top), MapH(r.left), MapV(r.bottom), MapH(r.right)};
    }
    SInt16 ScaleH(SInt32 d) const { return Clamp16(FloorDiv(SInt64(d) * dw_, fw_)); }
    SInt16 ScaleV(SInt32 d) const { return Clamp16(FloorDiv(SInt64(d) * dh_, fh_)); }
    KsRgn MapRgn(const KsRgn& r) const {
        std::vector<KsRect> rects;
        rects.reserve(r.RectCount());
        for (KsRect b : r.Rects())
            rects.push_back(ToKsRect(
                MapRect(Rect{SInt16(b.top), SInt16(b.left), SInt16(b.bottom), SInt16(b.right)})));
        return KsRgn(rects.data(), rects.size());
    }

    KsByteReader in_;
    PlayMode mode_;
    bool v2_ = false;
    bool done_ = false;
    GrafPtr port_ = nullptr;
    RgnHandle entryClip_ = nullptr;
    Rect frame_{}, dst_{};
    SInt64 fw_ = 1, fh_ = 1, dw_ = 1, dh_ = 1;
    SInt32 originH_ = 0, originV_ = 0;
    Rect lastRect_{};
    Point ovSize_{};
    Point penAt_{}, textAt_{};
    Pattern fillPat_ = kQDBlack;
    std::vector<Point> lastPoly_;
    KsRgn lastRgn_;
    std::map<SInt16, SInt16> fonts_; // the picture's font numbers to ours
};

void PictPlayer::Play(GrafPtr port, const Rect& dst, RgnHandle entryClip) {
    port_ = port;
    entryClip_ = entryClip;
    frame_ = ReadFrame();
    dst_ = dst;
    fw_ = SInt64(frame_.right) - frame_.left;
    fh_ = SInt64(frame_.bottom) - frame_.top;
    dw_ = SInt64(dst.right) - dst.left;
    dh_ = SInt64(dst.bottom) - dst.top;
    if (fw_ <= 0 || fh_ <= 0) in_.FailAt("the picture's frame is empty", 2);
    const UInt8 b0 = in_.U8("the picture has no version"),
                b1 = in_.U8("the picture has no version");
    if (b0 == 0x11 && b1 == 0x01) {
        v2_ = false;
    } else if (b0 == 0x00 && b1 == 0x11) {
        if (in_.U16("the picture has no version") != 0x02FF) in_.Fail("an unknown picture version");
        v2_ = true;
    } else {
        in_.FailAt("an unknown picture version", 10);
    }
    if (Drawing()) {
        PenNormal();
        RGBColor black{0, 0, 0}, white{0xFFFF, 0xFFFF, 0xFFFF};
        RGBForeColor(&black);
        RGBBackColor(&white);
        BackPat(&kQDWhite);
        TextFont(0);
        TextSize(12);
        TextFace(normal);
        TextMode(srcOr);
    }
    while (!done_)
        Op(NextOp());
}

void PictPlayer::Op(UInt16 op) {
    const std::size_t opAt = in_.Offset() - (v2_ ? 2 : 1);
    const char* cut = "an opcode's data is cut short";
    switch (op) {
    case 0x0000: // nop
    case 0x001C: // hilite mode
    case 0x001E: // default hilite
        return;
    case 0x0001: { // clip
        const KsRgn clip = ReadRegion(in_);
        if (Drawing()) {
            StRgn mapped(MapRgn(clip));
            SectRgn(mapped.h, entryClip_, mapped.h);
            SetClip(mapped.h);
        }
        return;
    }
    case 0x0002:
    case 0x0009:
    case 0x000A: {
        Pattern p;
        std::memcpy(p.pat, in_.Bytes(8, cut), 8);
        if (op == 0x000A) fillPat_ = p;
        if (!Drawing()) return;
        if (op == 0x0002) BackPat(&p);
        if (op == 0x0009) PenPat(&p);
        return;
    }
    case 0x0003: { // font number
        const SInt16 f = in_.S16(cut);
        const auto known = fonts_.find(f);
        if (Drawing()) TextFont(known != fonts_.end() ? known->second : f);
        return;
    }
    case 0x0004: {
        const UInt8 face = in_.U8(cut);
        if (Drawing()) TextFace(Style(face));
        return;
    }
    case 0x0005: {
        const SInt16 m = in_.S16(cut);
        if (Drawing()) TextMode(m);
        return;
    }
    case 0x0007: {
        const Point size = in_.ReadPoint(cut);
        auto scaled = [](SInt16 s, SInt16 mapped) {
            return s > 0 ? std::max<SInt16>(1, mapped) : SInt16(0);
        };
        if (Drawing()) PenSize(scaled(size.h, ScaleH(size.h)), scaled(size.v, ScaleV(size.v)));
        return;
    }
    case 0x0008: {
        const SInt16 m = in_.S16(cut);
        if (Drawing()) PenMode(m);
        return;
    }
    case 0x000B:
        ovSize_ = in_.ReadPoint(cut);
        return;
    case 0x000C: { // origin: later coordinates are in a system moved by (dh, dv)
        const SInt16 dh = in_.S16(cut), dv = in_.S16(cut);
        originH_ += dh;
        originV_ += dv;
        return;
    }
    case 0x000D: {
        const SInt16 size = in_.S16(cut);
        if (Drawing()) TextSize(std::max<SInt16>(1, ScaleV(size)));
        return;
    }
    case 0x000E:
    case 0x000F: {
        const SInt32 c = SInt32(in_.U32(cut));
        if (!Drawing()) return;
        if (op == 0x000E)
            ForeColor(c);
        else
            BackColor(c);
        return;
    }
    case 0x0011: // version inside the picture
        in_.Skip(v2_ ? 2 : 1, cut);
        return;
    case 0x0012:
    case 0x0013:
    case 0x0014:
        return PixPatOp(op);
    case 0x001A:
    case 0x001B:
    case 0x001D: {
        RGBColor c;
        c.red = in_.U16(cut);
        c.green = in_.U16(cut);
        c.blue = in_.U16(cut);
        if (!Drawing()) return;
        if (op == 0x001A) RGBForeColor(&c);
        if (op == 0x001B) RGBBackColor(&c);
        if (op == 0x001D) HiliteColor(&c);
        return;
    }
    case 0x0020:
    case 0x0021:
    case 0x0022:
    case 0x0023: {
        Point from = penAt_, to;
        if (op == 0x0020 || op == 0x0022) from = in_.ReadPoint(cut);
        if (op == 0x0020 || op == 0x0021) {
            to = in_.ReadPoint(cut);
        } else {
            const SInt8 dh = in_.S8(cut), dv = in_.S8(cut);
            to = Point{SInt16(from.v + dv), SInt16(from.h + dh)};
        }
        penAt_ = to;
        if (Drawing()) {
            MoveTo(MapH(from.h), MapV(from.v));
            LineTo(MapH(to.h), MapV(to.v));
        }
        return;
    }
    case 0x0028:
        textAt_ = in_.ReadPoint(cut);
        return Text(textAt_);
    case 0x0029:
        textAt_.h = SInt16(textAt_.h + in_.U8(cut));
        return Text(textAt_);
    case 0x002A:
        textAt_.v = SInt16(textAt_.v + in_.U8(cut));
        return Text(textAt_);
    case 0x002B: {
        const UInt8 dh = in_.U8(cut), dv = in_.U8(cut);
        textAt_.h = SInt16(textAt_.h + dh);
        textAt_.v = SInt16(textAt_.v + dv);
        return Text(textAt_);
    }
    case 0x002C: { // font name: binds the picture's font number to ours
        const UInt16 length = in_.U16(cut);
        in_.Need(length, cut);
        const std::size_t end = in_.Offset() + length;
        const SInt16 oldID = in_.S16(cut);
        const UInt8 n = in_.U8(cut);
        if (std::size_t(n) + 3 > length) in_.Fail("a font name longer than its opcode");
        Str255 name;
        name[0] = n;
        std::memcpy(name + 1, in_.Bytes(n, cut), n);
        if (Drawing()) {
            SInt16 ours = 0;
            GetFNum(name, &ours);
            fonts_[oldID] = ours;
        }
        in_.Seek(end, cut);
        return;
    }
    case 0x00A0:
        in_.Skip(2, cut);
        return;
    case 0x00A1: {
        in_.Skip(2, cut);
        in_.Skip(in_.U16(cut), "a comment is cut short");
        return;
    }
    case 0x0090:
    case 0x0091:
    case 0x0098:
    case 0x0099:
    case 0x009A:
    case 0x009B:
        return Bits(op);
    case 0x00FF:
        done_ = true;
        return;
    default:
        break;
    }
    if (op >= 0x0030 && op <= 0x008F) return Shape(op);
    SkipUnknown(op, opAt);
}

void PictPlayer::SkipUnknown(UInt16 op, std::size_t opAt) {
    const char* cut = "an opcode's data is cut short";
    if (!v2_) {
        // Version 1 knows no sizes beyond its own opcodes.
        switch (op) {
        case 0x06:
            return in_.Skip(4, cut);
        case 0x10:
            return in_.Skip(8, cut);
        case 0x15:
        case 0x16:
            return in_.Skip(2, cut);
        default:
            in_.FailAt("an opcode of unknown size", opAt);
        }
    }
    std::size_t skip = 0;
    if (op == 0x0006)
        skip = 4;
    else if (op == 0x0010)
        skip = 8;
    else if (op == 0x0015 || op == 0x0016)
        skip = 2;
    else if (op == 0x001F)
        skip = 6;
    else if (op >= 0x0017 && op <= 0x0019)
        skip = 0;
    else if ((op >= 0x0024 && op <= 0x0027) || op == 0x002D || op == 0x002E || op == 0x002F ||
             (op >= 0x0092 && op <= 0x0097) || (op >= 0x009C && op <= 0x009F) ||
             (op >= 0x00A2 && op <= 0x00AF))
        skip = in_.U16(cut);
    else if (op >= 0x00B0 && op <= 0x00CF)
        skip = 0;
    else if (op >= 0x00D0 && op <= 0x00FE)
        skip = in_.U32(cut);
    else if (op >= 0x0100 && op <= 0x7FFF)
        skip = std::size_t(op >> 8) * 2;
    else if (op >= 0x8000 && op <= 0x80FF)
        skip = 0;
    else
        skip = in_.U32(cut); // 0x8100 and up
    in_.Skip(skip, cut);
}

void PictPlayer::Shape(UInt16 op) {
    const char* cut = "a shape is cut short";
    const UInt16 kind = op & 0xF8, verb = op & 7;
    const bool same = (op & 8) != 0;
    SInt16 startAngle = 0, arcAngle = 0;
    switch (kind & 0xF0) {
    case 0x30:
    case 0x40:
    case 0x50:
        if (!same) lastRect_ = in_.ReadRect(cut);
        break;
    case 0x60:
        if (!same) lastRect_ = in_.ReadRect(cut);
        startAngle = in_.S16(cut);
        arcAngle = in_.S16(cut);
        break;
    case 0x70:
        if (!same) {
            const std::size_t at = in_.Offset();
            const UInt16 size = in_.U16(cut);
            if (size < 10 || (size - 10) % 4 != 0) in_.FailAt("a polygon of impossible size", at);
            in_.Need(std::size_t(size) - 2, cut);
            in_.Skip(8, cut); // bounding box
            lastPoly_.resize((size - 10) / 4);
            for (Point& p : lastPoly_)
                p = in_.ReadPoint(cut);
        }
        break;
    case 0x80:
        if (!same) lastRgn_ = ReadRegion(in_);
        break;
    }
    if (!Drawing() || verb > 4) return;
    const Rect r = MapRect(lastRect_);
    const SInt16 ow = ScaleH(ovSize_.h), oh = ScaleV(ovSize_.v);
    switch (kind & 0xF0) {
    case 0x30: {
        void (*const calls[4])(const Rect*) = {FrameRect, PaintRect, EraseRect, InvertRect};
        if (verb < 4)
            calls[verb](&r);
        else
            FillRect(&r, &fillPat_);
        return;
    }
    case 0x40: {
        void (*const calls[4])(const Rect*, SInt16, SInt16) = {FrameRoundRect, PaintRoundRect,
                                                               EraseRoundRect, InvertRoundRect};
        if (verb < 4)
            calls[verb](&r, ow, oh);
        else
            FillRoundRect(&r, ow, oh, &fillPat_);
        return;
    }
    case 0x50: {
        void (*const calls[4])(const Rect*) = {FrameOval, PaintOval, EraseOval, InvertOval};
        if (verb < 4)
            calls[verb](&r);
        else
            FillOval(&r, &fillPat_);
        return;
    }
    case 0x60: {
        void (*const calls[4])(const Rect*, SInt16, SInt16) = {FrameArc, PaintArc, EraseArc,
                                                               InvertArc};
        if (verb < 4)
            calls[verb](&r, startAngle, arcAngle);
        else
            FillArc(&r, startAngle, arcAngle, &fillPat_);
        return;
    }
    case 0x70: {
        if (lastPoly_.empty()) return;
        const std::size_t n = lastPoly_.size();
        Handle h = KsNewHandle(Size(offsetof(Polygon, polyPoints) + n * sizeof(Point)));
        if (!h) xraisexerror("SYS_ERROR", "short OSErr", memFullErr);
        auto poly = reinterpret_cast<PolyHandle>(h);
        Polygon& p = **poly;
        p.polySize = SInt16(std::min<std::size_t>(10 + 4 * n, 32767));
        KsRect box;
        for (std::size_t i = 0; i < n; ++i) {
            p.polyPoints[i] = Point{MapV(lastPoly_[i].v), MapH(lastPoly_[i].h)};
            const KsRect one{p.polyPoints[i].h, p.polyPoints[i].v, p.polyPoints[i].h,
                             p.polyPoints[i].v};
            box = i == 0 ? one
                         : KsRect{std::min(box.left, one.left), std::min(box.top, one.top),
                                  std::max(box.right, one.right), std::max(box.bottom, one.bottom)};
        }
        p.polyBBox = ToRect(box);
        void (*const calls[4])(PolyHandle) = {FramePoly, PaintPoly, ErasePoly, InvertPoly};
        struct Disposer {
            PolyHandle p;
            ~Disposer() { KsDisposeHandle(reinterpret_cast<Handle>(p)); }
        } disposer{poly};
        if (verb < 4)
            calls[verb](poly);
        else
            FillPoly(poly, &fillPat_);
        return;
    }
    case 0x80: {
        StRgn rgn(MapRgn(lastRgn_));
        void (*const calls[4])(RgnHandle) = {FrameRgn, PaintRgn, EraseRgn, InvertRgn};
        if (verb < 4)
            calls[verb](rgn.h);
        else
            FillRgn(rgn.h, &fillPat_);
        return;
    }
    }
}

void PictPlayer::Text(const Point& at) {
    const UInt8 count = in_.U8("text is cut short");
    const UInt8* text = in_.Bytes(count, "text is cut short");
    if (!Drawing()) return;
    MoveTo(MapH(at.h), MapV(at.v));
    DrawText(text, 0, count);
}

void PictPlayer::Bits(UInt16 op) {
    const BitsOp b = ReadBitsOp(in_, op);
    if (!Drawing()) return;
    const KsRect src{SInt32(b.srcRect.left) - b.bounds.left, SInt32(b.srcRect.top) - b.bounds.top,
                     SInt32(b.srcRect.right) - b.bounds.left,
                     SInt32(b.srcRect.bottom) - b.bounds.top};
    const KsRect dst = ToKsRect(MapRect(b.dstRect));
    const KsBlitMode mode = (b.mode & 3) == srcOr ? KsBlitMode::kOr : KsBlitMode::kCopy;
    if (b.hasMask) {
        const KsRgn mask = MapRgn(b.mask);
        KsBlitImage(port_, b.image, src, dst, mode, KsBlitTone::kNormal, &mask);
    } else {
        KsBlitImage(port_, b.image, src, dst, mode);
    }
}

// Pixel patterns inside pictures: read whole; drawn with their one-bit form.
void PictPlayer::PixPatOp(UInt16 op) {
    const char* cut = "a pixel pattern is cut short";
    const UInt16 type = in_.U16(cut);
    Pattern p;
    std::memcpy(p.pat, in_.Bytes(8, cut), 8);
    if (type == 1) {
        KsPixMapHeader pm = KsReadPixMapHeader(in_, false);
        KsCheckIndexedMap(in_, pm);
        UInt32 lut[256];
        KsReadColorTable(in_, lut);
        const std::size_t rowBytes = std::size_t(pm.rowBytes);
        const bool packed = rowBytes >= 8;
        const std::size_t h = std::size_t(pm.Height());
        if (packed)
            in_.Need(LeastPacked(h, rowBytes, rowBytes), cut);
        else
            in_.Need(rowBytes * h, cut);
        std::vector<UInt8> row(rowBytes);
        for (std::size_t y = 0; y < h; ++y)
            ReadRow(in_, packed, rowBytes, row.data(), rowBytes, 1);
    } else if (type == 2) {
        in_.Skip(6, cut);
    } else {
        in_.Fail("an unknown pixel pattern type");
    }
    if (op == 0x0014) fillPat_ = p;
    if (!Drawing()) return;
    if (op == 0x0012) BackPat(&p);
    if (op == 0x0013) PenPat(&p);
}

} // namespace

// ---- The calls --------------------------------------------------------------

Rect KsPictureFrame(const UInt8* data, std::size_t size) {
    if (KsIsPNGData(data, size)) {
        PNGReader png(data, size);
        if (png.image.width > 32767 || png.image.height > 32767)
            BadPict("the PNG image is larger than a frame can hold", 16);
        return Rect{0, 0, SInt16(png.image.height), SInt16(png.image.width)};
    }
    KsByteReader in(data, size, kKsBadPict);
    in.Skip(2, "the picture header is cut short");
    return in.ReadRect("the picture header is cut short");
}

void KsCheckPictureData(const UInt8* data, std::size_t size) {
    if (KsIsPNGData(data, size)) {
        (void)KsDecodePNG(data, size);
        return;
    }
    PictPlayer(data, size, PlayMode::kCheck).Play(nullptr, Rect{0, 0, 1, 1}, nullptr);
}

void KsDrawPictureData(const UInt8* data, std::size_t size, const Rect& dst) {
    GrafPtr port = KsThePort();
    if (SInt32(dst.right) <= dst.left || SInt32(dst.bottom) <= dst.top) return;
    if (KsIsPNGData(data, size)) {
        const KsImage img = KsDecodePNG(data, size);
        KsBlitImage(port, img, KsRect{0, 0, img.width, img.height}, ToKsRect(dst),
                    KsBlitMode::kCopy);
        return;
    }
    KsCheckPictureData(data, size);
    // Playing changes the clip, pen, colours, patterns and text state.
    StClipSaver clip;
    StColorPenSaver pen;
    StTextStateSaver text;
    PictPlayer(data, size, PlayMode::kDraw).Play(port, dst, clip.Saved());
}

PicHandle GetPicture(SInt16 picID) {
    return reinterpret_cast<PicHandle>(GetResource(kTypePICT, picID));
}

void KillPicture(PicHandle pic) {
    if (!pic) return;
    Handle h = reinterpret_cast<Handle>(pic);
    if (HomeResFile(h) != -1)
        ReleaseResource(h);
    else
        KsDisposeHandle(h);
}

Boolean QDGetPictureBounds(PicHandle pic, Rect* frame) {
    *frame = Rect{};
    if (!pic || !*pic) return false;
    try {
        *frame = KsPictureFrame(reinterpret_cast<const UInt8*>(*pic),
                                std::size_t(KsGetHandleSize(reinterpret_cast<Handle>(pic))));
        return true;
    } catch (const XError&) {
        return false;
    }
}

void DrawPicture(PicHandle pic, const Rect* dstRect) {
    if (!pic || !*pic || !dstRect) return;
    KsDrawPictureData(reinterpret_cast<const UInt8*>(*pic),
                      std::size_t(KsGetHandleSize(reinterpret_cast<Handle>(pic))), *dstRect);
}
