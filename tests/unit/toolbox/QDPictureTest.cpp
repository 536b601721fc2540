// Pictures: opcode pictures built here draw the expected pixels (shapes,
// lines, packed bitmaps and pixel maps, direct pixels), scaled to the
// destination; PNG pictures made with libpng; every truncation raises before
// any pixel changes; the port's state is the same afterwards.
#include "KsHandle.h"
#include "PicturesPrivate.h"
#include "QDImageTestSupport.h"
#include "XError.h"

#include <gtest/gtest.h>
#include <png.h>

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF, kBlack = 0;

// A version 2 picture of the given frame around the opcodes in body.
std::vector<UInt8> Pict2(int t, int l, int b, int r, const Bytes& body) {
    Bytes o;
    o.u16(0).rect(t, l, b, r).u16(0x0011).u16(0x02FF).u16(0x0C00).zeros(24);
    o.raw(body.b).pad().u16(0x00FF);
    return o.b;
}

// Packed rows of a 1-bit 16x2 bitmap (rowBytes 8 so rows are packed).
Bytes PackedBitmap(int dstT, int dstL, int dstB, int dstR) {
    Bytes o;
    o.u16(0x0098).u16(8).rect(0, 0, 2, 16).rect(0, 0, 2, 16).rect(dstT, dstL, dstB, dstR).u16(0);
    // Row 0: 0xF0 then seven zeros: a literal byte then a run of 7 zeros.
    o.u8(4).u8(0x00).u8(0xF0).u8(0xFA).u8(0x00);
    // Row 1: eight 0x0F bytes as one run.
    o.u8(2).u8(0xF9).u8(0x0F);
    return o;
}

class PictureTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(port, nullptr); }
    void Draw(const std::vector<UInt8>& pict, Rect dst) {
        KsDrawPictureData(pict.data(), pict.size(), dst);
    }
    TinyPort tiny{40, 40};
    GrafPtr port = tiny.port;
};

} // namespace

TEST_F(PictureTest, ShapesLinesAndColoursMapOntoTheDestination) {
    Bytes body;
    body.u16(0x001A).u16(0xFFFF).u16(0).u16(0); // red
    body.u16(0x0031).rect(2, 2, 4, 6);          // paint rect
    body.u16(0x001A).u16(0).u16(0).u16(0xFFFF); // blue
    body.u16(0x0022).u16(8).u16(0).u8(5).u8(0); // short line (v 8, h 0) to (8, 5)
    const std::vector<UInt8> pict = Pict2(0, 0, 10, 10, body);
    Draw(pict, Rect{10, 10, 30, 30}); // twice the frame
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            std::uint32_t want = kWhite;
            if (x >= 14 && x < 22 && y >= 14 && y < 18) want = 0xFF0000;
            // The line runs from (10, 26) to (20, 26); the 1x1 pen is not scaled.
            if (y == 26 && x >= 10 && x <= 20) want = 0x0000FF;
            ASSERT_EQ(PixelAt(port, x, y), want) << x << "," << y;
        }
    // The port's own state is back.
    RGBColor fg;
    GetForeColor(&fg);
    EXPECT_EQ(fg.blue, 0);
    EXPECT_EQ(port->pnSize.h, 1);
}

TEST_F(PictureTest, PackedBitmapsAndTheirScaling) {
    const std::vector<UInt8> pict = Pict2(0, 0, 2, 16, PackedBitmap(0, 0, 2, 16));
    Draw(pict, Rect{0, 0, 4, 32}); // twice as big
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 32; ++x) {
            const int bx = x / 2, by = y / 2;
            const bool set = by == 0 ? bx < 4 : (bx % 8) >= 4;
            ASSERT_EQ(PixelAt(port, x, y), set ? kBlack : kWhite) << x << "," << y;
        }
    EXPECT_EQ(PixelAt(port, 0, 4), kWhite);
}

TEST_F(PictureTest, IndexedAndDirectPixelMaps) {
    Bytes body;
    // A 2x2 pixel map at 8 bits (rows of 2 bytes: unpacked).
    body.u16(0x0098);
    PutPixMap(body, false, 2, 0, 0, 2, 2, 8);
    body.u32(0).u16(0).u16(1).u16(0).u16(0xFFFF).u16(0).u16(0).u16(1).u16(0).u16(0).u16(0xFFFF);
    body.rect(0, 0, 2, 2).rect(0, 0, 2, 2).u16(0);
    body.u8(0).u8(1).u8(1).u8(0);
    // A 3x1 direct map at 32 bits, packed by component planes (rowBytes 12).
    body.pad().u16(0x009A);
    PutPixMap(body, true, 12, 0, 0, 1, 3, 32, 4, 3, 8);
    body.rect(0, 0, 1, 3).rect(5, 0, 6, 3).u16(0);
    body.u8(10).u8(2).u8(0x10).u8(0x20).u8(0x30).u8(0xFE).u8(0x40).u8(2).u8(0x50).u8(0x60).u8(0x70);
    Draw(Pict2(0, 0, 10, 10, body), Rect{0, 0, 10, 10});
    EXPECT_EQ(PixelAt(port, 0, 0), 0xFF0000u);
    EXPECT_EQ(PixelAt(port, 1, 0), 0x0000FFu);
    EXPECT_EQ(PixelAt(port, 0, 1), 0x0000FFu);
    EXPECT_EQ(PixelAt(port, 1, 1), 0xFF0000u);
    EXPECT_EQ(PixelAt(port, 0, 5), 0x104050u);
    EXPECT_EQ(PixelAt(port, 1, 5), 0x204060u);
    EXPECT_EQ(PixelAt(port, 2, 5), 0x304070u);
    EXPECT_EQ(PixelAt(port, 3, 5), kWhite);
}

TEST_F(PictureTest, VersionOnePicturesAndTheirEnd) {
    Bytes o;
    o.u16(0).rect(0, 0, 8, 8).u8(0x11).u8(0x01).u8(0x31).rect(1, 1, 3, 3).u8(0xFF);
    Draw(o.b, Rect{0, 0, 8, 8});
    EXPECT_EQ(PixelAt(port, 1, 1), kBlack);
    EXPECT_EQ(PixelAt(port, 3, 1), kWhite);
    // An opcode version 1 has no size for stops the picture.
    std::vector<UInt8> unknown = o.b;
    unknown[unknown.size() - 1] = 0xB0;
    unknown.push_back(0xFF);
    EXPECT_THROW(Draw(unknown, Rect{0, 0, 8, 8}), XError);
}

TEST_F(PictureTest, ClipAndCommentsAndUnknownOpcodesOfKnownSize) {
    Bytes body;
    body.u16(0x0001).u16(10).rect(0, 0, 5, 5); // clip to the top-left quarter
    body.u16(0x00A1).u16(100).u16(3).u8(1).u8(2).u8(3).pad();
    body.u16(0x8100).u32(2).u16(0); // a reserved opcode with a long size
    body.u16(0x0031).rect(0, 0, 10, 10);
    Draw(Pict2(0, 0, 10, 10, body), Rect{0, 0, 10, 10});
    EXPECT_EQ(PixelAt(port, 4, 4), kBlack);
    EXPECT_EQ(PixelAt(port, 5, 4), kWhite);
    EXPECT_EQ(PixelAt(port, 4, 5), kWhite);
    // The port's clip is back to what it was.
    Rect all{0, 0, 40, 40};
    PaintRect(&all);
    EXPECT_EQ(PixelAt(port, 39, 39), kBlack);
}

TEST_F(PictureTest, EveryTruncationRaisesBeforeDrawing) {
    Bytes body;
    body.u16(0x0031).rect(0, 0, 4, 4);
    body.raw(PackedBitmap(4, 0, 6, 16).b);
    body.u16(0x0028).u16(20).u16(0).u8(2).u8('H').u8('i');
    const std::vector<UInt8> pict = Pict2(0, 0, 10, 16, body);
    Draw(pict, Rect{0, 0, 10, 16}); // the whole picture is fine
    const Rect all{0, 0, 40, 40};
    EraseRect(&all);
    const auto before = AllPixels(port);
    for (std::size_t n = 0; n < pict.size(); ++n) {
        std::vector<UInt8> cut(pict.begin(), pict.begin() + std::ptrdiff_t(n));
        EXPECT_THROW(KsDrawPictureData(cut.empty() ? nullptr : cut.data(), n, Rect{0, 0, 10, 16}),
                     XError)
            << "length " << n;
        ASSERT_EQ(AllPixels(port), before) << "length " << n;
    }
}

namespace {

std::vector<UInt8> MakePNG(int w, int h, const std::vector<std::uint32_t>& argb) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(w);
    image.height = png_uint_32(h);
    image.format = PNG_FORMAT_BGRA;
    png_alloc_size_t size = 0;
    EXPECT_TRUE(png_image_write_to_memory(&image, nullptr, &size, 0, argb.data(), 0, nullptr));
    std::vector<UInt8> out(size);
    EXPECT_TRUE(png_image_write_to_memory(&image, out.data(), &size, 0, argb.data(), 0, nullptr));
    out.resize(size);
    return out;
}

} // namespace

TEST_F(PictureTest, PNGPicturesScaleAndBlend) {
    const std::vector<UInt8> png =
        MakePNG(2, 1, {0xFFFF0000u, 0x800000FFu}); // opaque red, half blue
    Handle h = KsNewHandleFrom(png.data(), Size(png.size()));
    PicHandle pic = reinterpret_cast<PicHandle>(h);
    Rect frame;
    ASSERT_TRUE(QDGetPictureBounds(pic, &frame));
    EXPECT_EQ(frame.right, 2);
    EXPECT_EQ(frame.bottom, 1);
    Rect dst{0, 0, 2, 4};
    DrawPicture(pic, &dst);
    EXPECT_EQ(PixelAt(port, 1, 1), 0xFF0000u);
    const std::uint32_t blend = PixelAt(port, 3, 1);
    EXPECT_EQ(blend >> 16, 0x7Fu); // white under half blue
    EXPECT_EQ(blend & 0xFF, 0xFFu);
    EXPECT_EQ(PixelAt(port, 4, 0), kWhite);
    KillPicture(pic);

    std::vector<UInt8> broken = png;
    broken.resize(broken.size() - 20);
    const auto before = AllPixels(port);
    EXPECT_THROW(KsDrawPictureData(broken.data(), broken.size(), dst), XError);
    EXPECT_EQ(AllPixels(port), before);
}
