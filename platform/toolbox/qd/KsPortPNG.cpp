// PNG output of a port's pixels, at device resolution, 8-bit RGB.
#include "KsPortPrivate.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

namespace {

constexpr OSErr ioErr = -36;

// libpng reports failure by longjmp; nothing with a destructor lives between
// setjmp and the calls that may jump.
bool WriteRows(std::FILE* f, const UInt32* bits, std::size_t stride, const KsRect& d,
               png_bytep row) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, png_uint_32(d.Width()), png_uint_32(d.Height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (SInt32 y = d.top; y < d.bottom; ++y) {
        const UInt32* p = bits + std::size_t(y) * stride;
        png_bytep o = row;
        for (SInt32 x = d.left; x < d.right; ++x) {
            *o++ = png_byte(p[x] >> 16);
            *o++ = png_byte(p[x] >> 8);
            *o++ = png_byte(p[x]);
        }
        png_write_row(png, row);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

OSErr KsWritePortPNG(GrafPtr port, const Rect* r, const char* path) {
    if (!port || !port->surface || !path) return paramErr;
    const KsRect local = r ? ToKsRect(*r) : ToKsRect(port->portRect);
    pixman_image_t* img = port->surface->image;
    const KsRect d = KsLocalToDevice(port, local.Intersect(KsPortLocalBounds(port)));
    if (d.IsEmpty()) return paramErr;
    std::vector<png_byte> row(std::size_t(d.Width()) * 3);
    std::FILE* f = std::fopen(path, "wb");
    if (!f) return ioErr;
    const bool ok = WriteRows(f, reinterpret_cast<const UInt32*>(pixman_image_get_data(img)),
                              std::size_t(pixman_image_get_stride(img) / 4), d, row.data());
    const bool closed = std::fclose(f) == 0;
    if (!ok || !closed) {
        std::remove(path);
        return ioErr;
    }
    return noErr;
}
