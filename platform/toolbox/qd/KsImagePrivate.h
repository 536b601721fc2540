// What the picture, icon and pixel-pattern decoders share (not installed): a
// bounds-checked reader over resource bytes, decoded images, the one routine
// that puts an image on a port, PackBits and the standard 8-bit palette.
#pragma once

#include "KsGeometry.h"
#include "QuickDraw.h"

#include <cstddef>
#include <vector>

// Reads big-endian values from a byte range. Every read checks what is left
// and raises `code` ("{what}" at "{offset}") instead of reading past the end,
// so decoders never index the buffer themselves.
class KsByteReader {
public:
    KsByteReader(const UInt8* data, std::size_t size, const char* code)
        : data_(data), size_(data ? size : 0), code_(code) {}

    std::size_t Offset() const { return pos_; }
    std::size_t Size() const { return size_; }
    std::size_t Remaining() const { return size_ - pos_; }
    [[noreturn]] void Fail(const char* what) const;
    [[noreturn]] void FailAt(const char* what, std::size_t offset) const;

    void Need(std::size_t n, const char* what) const {
        if (n > Remaining()) Fail(what);
    }
    UInt8 U8(const char* what) {
        Need(1, what);
        return data_[pos_++];
    }
    SInt8 S8(const char* what) { return SInt8(U8(what)); }
    UInt16 U16(const char* what) {
        Need(2, what);
        const UInt16 v = UInt16((data_[pos_] << 8) | data_[pos_ + 1]);
        pos_ += 2;
        return v;
    }
    SInt16 S16(const char* what) { return SInt16(U16(what)); }
    UInt32 U32(const char* what) {
        const UInt32 hi = U16(what);
        return (hi << 16) | U16(what);
    }
    Rect ReadRect(const char* what) {
        Rect r;
        r.top = S16(what);
        r.left = S16(what);
        r.bottom = S16(what);
        r.right = S16(what);
        return r;
    }
    Point ReadPoint(const char* what) {
        Point p;
        p.v = S16(what);
        p.h = S16(what);
        return p;
    }
    const UInt8* Bytes(std::size_t n, const char* what) {
        Need(n, what);
        const UInt8* p = data_ + pos_;
        pos_ += n;
        return p;
    }
    void Skip(std::size_t n, const char* what) { Bytes(n, what); }
    void Seek(std::size_t offset, const char* what) {
        if (offset > size_) Fail(what);
        pos_ = offset;
    }
    const char* Code() const { return code_; }

private:
    const UInt8* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
    const char* code_;
};

// Error codes of the decoders; their texts are registered with the image code.
inline constexpr const char* kKsBadIcon = "QD_BAD_ICON";
inline constexpr const char* kKsBadPict = "QD_BAD_PICT";
inline constexpr const char* kKsBadPixPat = "QD_BAD_PIXPAT";
inline constexpr const char* kKsBadCursor = "QD_BAD_CURSOR";
inline constexpr const char* kKsPictUnsupported = "QD_PICT_UNSUPPORTED";
inline constexpr const char* kKsImageTooLarge = "QD_IMAGE_TOO_LARGE";

// Decoded images never exceed this many pixels, whatever their headers say.
constexpr std::size_t kKsMaxImagePixels = std::size_t(1) << 24;
constexpr SInt32 kKsMaxImageSide = 16384;

// A decoded image. One-bit images keep their bits and take the port's
// colours when drawn; colour images keep 0xAARRGGBB pixels (alpha is used
// only when hasAlpha). A mask, when present, says which pixels are drawn.
struct KsImage {
    SInt32 width = 0;
    SInt32 height = 0;
    std::vector<UInt8> bits;    // one-bit images: one byte per pixel, 1 = set
    std::vector<UInt32> pixels; // colour images: width * height
    std::vector<UInt8> mask;    // empty: every pixel; else 1 = drawn
    bool hasAlpha = false;

    bool IsOneBit() const { return pixels.empty(); }
};

// Checks a size before anything is allocated for it (raises code).
void KsCheckImageSize(SInt32 width, SInt32 height, const char* code);

// How a one-bit image meets the port: copy paints clear bits in the
// background colour, or leaves them.
enum class KsBlitMode : UInt8 { kCopy, kOr };
// Colour changes for icon states: disabled blends halfway towards the
// background colour; selected darkens each channel by a third.
enum class KsBlitTone : UInt8 { kNormal, kDisabled, kSelected, kSelectedDisabled };

// Draws the image's src rectangle (image pixels) scaled to dst (local
// coordinates of the port) by nearest neighbour, clipped to the port's clip ∩
// visible and to maskLocal when given; pixels of src outside the image are
// not drawn. Records damage.
void KsBlitImage(GrafPtr port, const KsImage& image, const KsRect& src, const KsRect& dst,
                 KsBlitMode mode, KsBlitTone tone = KsBlitTone::kNormal,
                 const KsRgn* maskLocal = nullptr);

// Unpacks one PackBits run list into exactly `outSize` bytes of out; the
// input must hold them (raises through reader). unitSize 2 unpacks runs of
// 16-bit words, as 16-bit pixel rows are packed.
void KsUnpackBits(KsByteReader& in, std::size_t inSize, UInt8* out, std::size_t outSize,
                  std::size_t unitSize);

// The standard 256-colour system palette (0x00RRGGBB): the 6x6x6 colour cube
// from white down, then ramps of red, green, blue and grey, then black.
const UInt32* KsSystemPalette8();

// Pixel values of `depth` bits per pixel from packed rows: the value of pixel
// x in row. Depth is 1, 2, 4 or 8.
inline UInt8 KsPixelValue(const UInt8* row, SInt32 x, SInt32 depth) {
    const SInt32 bit = x * depth;
    const UInt8 byte = row[bit >> 3];
    return UInt8((byte >> (8 - depth - (bit & 7))) & ((1 << depth) - 1));
}

// A colour table as stored in resources and pictures (seed, flags, size,
// entries of value and RGB); answers 256 colours looked up by pixel value
// (missing values are black). Checks the count against the data.
void KsReadColorTable(KsByteReader& in, UInt32 lut[256]);

// A stored pixel map header (the classic PixMap record, 50 bytes with its
// base address, 46 without). rowBytes has its flag bits removed.
struct KsPixMapHeader {
    SInt32 rowBytes = 0;
    bool isPixMap = false; // the rowBytes flag bit 15
    Rect bounds{};
    SInt16 packType = 0;
    SInt16 pixelType = 0;
    SInt16 pixelSize = 0;
    SInt16 cmpCount = 0;
    SInt16 cmpSize = 0;
    UInt32 pmTable = 0;
    SInt32 Width() const { return SInt32(bounds.right) - bounds.left; }
    SInt32 Height() const { return SInt32(bounds.bottom) - bounds.top; }
};
KsPixMapHeader KsReadPixMapHeader(KsByteReader& in, bool withBaseAddr);
// Checks an indexed map: a depth of 1, 2, 4 or 8, a sane size, and rows wide
// enough for its pixels.
void KsCheckIndexedMap(const KsByteReader& in, const KsPixMapHeader& pm);
// Indexed rows (rowBytes apart) to xRGB pixels through lut.
std::vector<UInt32> KsIndexedToPixels(const UInt8* rows, std::size_t rowBytes, SInt32 width,
                                      SInt32 height, SInt32 depth, const UInt32 lut[256]);
