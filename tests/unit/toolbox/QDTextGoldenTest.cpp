// Text against golden images. Rendering may move by a shade between FreeType
// versions, so pixels are compared with a tolerance; a glyph that changes
// shape, position or weight still fails. KS_UPDATE_GOLDEN=1 rewrites them.
#include "KsPortPrivate.h"
#include "QuickDraw.h"

#include <gtest/gtest.h>

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Image {
    int width = 0, height = 0;
    std::vector<UInt32> pixels; // 0x00RRGGBB
};

Image PortPixels(GrafPtr port) {
    Image img;
    pixman_image_t* p = port->surface->image;
    img.width = pixman_image_get_width(p);
    img.height = pixman_image_get_height(p);
    const auto* data = reinterpret_cast<const UInt32*>(pixman_image_get_data(p));
    int stride = pixman_image_get_stride(p) / 4;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            img.pixels.push_back(data[y * stride + x] & 0xFFFFFF);
    return img;
}

bool ReadPNG(const std::string& path, Image& img) {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) return false;
    png.format = PNG_FORMAT_RGB;
    std::vector<UInt8> rgb(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, rgb.data(), 0, nullptr)) return false;
    img.width = int(png.width);
    img.height = int(png.height);
    img.pixels.clear();
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
        img.pixels.push_back(UInt32(rgb[i]) << 16 | UInt32(rgb[i + 1]) << 8 | rgb[i + 2]);
    return true;
}

void DrawSample() {
    const struct {
        SInt16 font, size;
        Style face;
        const char* text;
    } lines[] = {{1, 12, normal, "\x1FGeneva 12: Quick brown fox \xA5 \x8A\x9A"},
                 {1, 12, bold,
                  "\x15"
                  "Bold 12 Hamburgefonts"},
                 {20, 14, italic, "\x0FTimes italic 14"},
                 {4, 10, normal, "\x0BMonaco 0123"}};
    SInt16 v = 16;
    for (const auto& l : lines) {
        TextFont(l.font);
        TextSize(l.size);
        TextFace(l.face);
        MoveTo(6, v);
        DrawString(reinterpret_cast<ConstStr255Param>(l.text));
        v = SInt16(v + 20);
    }
}

void CheckAgainstGolden(SInt16 scale, const char* name) {
    GrafPtr port = KsNewPort(260, 84, scale);
    ASSERT_NE(port, nullptr);
    KsSetPort(port);
    Rect all{0, 0, 84, 260};
    EraseRect(&all);
    DrawSample();
    Image got = PortPixels(port);
    std::string path = std::string(KS_TEST_DATA_DIR) + "/golden/" + name;
    if (const char* u = std::getenv("KS_UPDATE_GOLDEN"); u && *u == '1') {
        ASSERT_EQ(KsWritePortPNG(port, nullptr, path.c_str()), noErr);
    }
    KsDisposePort(port);

    Image want;
    ASSERT_TRUE(ReadPNG(path, want))
        << "no golden image " << path << " (KS_UPDATE_GOLDEN=1 writes it)";
    ASSERT_EQ(got.width, want.width);
    ASSERT_EQ(got.height, want.height);
    long off = 0, inked = 0;
    double total = 0;
    for (std::size_t i = 0; i < got.pixels.size(); ++i) {
        int worst = 0;
        for (int shift : {0, 8, 16}) {
            int d = int((got.pixels[i] >> shift) & 0xFF) - int((want.pixels[i] >> shift) & 0xFF);
            worst = std::max(worst, std::abs(d));
        }
        total += worst;
        if (worst > 48) ++off;
        if (want.pixels[i] != 0xFFFFFF) ++inked;
    }
    EXPECT_GT(inked, 500) << "the golden image holds too little text to mean anything";
    EXPECT_LE(off, long(got.pixels.size() / 200)) << off << " pixels differ by more than 48";
    EXPECT_LT(total / double(got.pixels.size()), 2.0);
}

} // namespace

TEST(QDTextGolden, ScaleOne) {
    CheckAgainstGolden(1, "text-scale1.png");
}

TEST(QDTextGolden, ScaleTwo) {
    CheckAgainstGolden(2, "text-scale2.png");
}

TEST(QDTextGolden, AShiftedLineFails) {
    // The tolerance must not hide a real change: the same text one pixel
    // lower is far from the golden image.
    GrafPtr port = KsNewPort(260, 84, 1);
    KsSetPort(port);
    Rect all{0, 0, 84, 260};
    EraseRect(&all);
    SetOrigin(0, -1);
    DrawSample();
    SetOrigin(0, 0);
    Image got = PortPixels(port);
    KsDisposePort(port);
    Image want;
    ASSERT_TRUE(ReadPNG(std::string(KS_TEST_DATA_DIR) + "/golden/text-scale1.png", want));
    long off = 0;
    for (std::size_t i = 0; i < got.pixels.size(); ++i)
        if (((got.pixels[i] ^ want.pixels[i]) & 0xF0F0F0) != 0) ++off;
    EXPECT_GT(off, long(got.pixels.size() / 200));
}
