// The framework's own icons and cursors: each is found through the resource
// chain, has the size of its type and decodes.
#include "Cursors.h"
#include "KsHandle.h"
#include "Resources.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

Handle Load(const char* type, SInt16 id) {
    Handle h = GetResource(FourCharCode({type[0], type[1], type[2], type[3], 0}), id);
    EXPECT_NE(h, nullptr) << "'" << type << "' " << id;
    return h;
}

UInt16 Get16(const UInt8* p) {
    return UInt16(p[0] << 8 | p[1]);
}

// Pixels set in an image of `rows` rows of `rowBytes`.
int Count(const UInt8* p, int bytes) {
    int n = 0;
    for (int i = 0; i < bytes; ++i)
        n += __builtin_popcount(p[i]);
    return n;
}

// Checks a 'cicn' the way a colour-icon reader would: PixMap, mask and
// one-bit BitMaps, colour table and pixels, each within the resource.
void CheckColorIcon(Handle h, int width, int height) {
    const auto* p = reinterpret_cast<const UInt8*>(*h);
    const std::size_t size = std::size_t(KsGetHandleSize(h));
    ASSERT_GE(size, 82u);
    const UInt16 pixRow = Get16(p + 4);
    ASSERT_TRUE(pixRow & 0x8000) << "the first record is a PixMap";
    const int pixRowBytes = pixRow & 0x3FFF;
    EXPECT_EQ(Get16(p + 10), height);
    EXPECT_EQ(Get16(p + 12), width);
    const int depth = Get16(p + 32);
    ASSERT_TRUE(depth == 1 || depth == 2 || depth == 4 || depth == 8);
    ASSERT_GE(pixRowBytes * 8, width * depth);
    const int maskRowBytes = Get16(p + 50 + 4), bitRowBytes = Get16(p + 64 + 4);
    ASSERT_GE(maskRowBytes * 8, width);
    ASSERT_EQ(bitRowBytes, maskRowBytes);
    const UInt8* mask = p + 82;
    const UInt8* bits = mask + maskRowBytes * height;
    const UInt8* table = bits + bitRowBytes * height;
    ASSERT_LE(std::size_t(table + 8 - p), size);
    const int colors = Get16(table + 6) + 1;
    ASSERT_LE(colors, 1 << depth);
    const UInt8* pixels = table + 8 + 8 * colors;
    ASSERT_EQ(std::size_t(pixels - p) + std::size_t(pixRowBytes * height), size);
    EXPECT_GT(Count(mask, maskRowBytes * height), 0);
    for (int i = 0; i < bitRowBytes * height; ++i)
        EXPECT_EQ(bits[i] & ~mask[i], 0) << "the one-bit image lies inside the mask";
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int bit = y * pixRowBytes * 8 + x * depth;
            const int index = (pixels[bit / 8] >> (8 - depth - bit % 8)) & ((1 << depth) - 1);
            EXPECT_LT(index, colors);
        }
}

} // namespace

TEST(FrameworkResources, IconsHaveTheirSizes) {
    UseResFile(kKsFrameworkResFile);
    for (SInt16 id : {9000, 9001, 9002, 9003, 9004, 9005, 9010, 9011, 9012, 9013, 9014, 9015}) {
        Handle h = Load("SICN", id);
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(KsGetHandleSize(h), 32) << id;
        EXPECT_GT(Count(reinterpret_cast<const UInt8*>(*h), 32), 4) << id << " is drawn";
    }
    for (SInt16 id : {0, 1, 2, 128}) {
        Handle h = Load("ICON", id);
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(KsGetHandleSize(h), 128) << id;
        EXPECT_GT(Count(reinterpret_cast<const UInt8*>(*h), 128), 64) << id << " is drawn";
    }
    // The arrows are four different glyphs, the openers two and the scale
    // handles four.
    std::set<std::string> glyphs;
    for (SInt16 id : {9000, 9001, 9002, 9003, 9004, 9005, 9010, 9011, 9012, 9013})
        if (Handle h = Load("SICN", id)) glyphs.insert(std::string(*h, 32));
    EXPECT_EQ(glyphs.size(), 10u);

    Handle radio = Load("cicn", 9016);
    ASSERT_NE(radio, nullptr);
    CheckColorIcon(radio, 16, 16);
}

TEST(FrameworkResources, CursorsDecode) {
    UseResFile(kKsFrameworkResFile);
    std::set<std::string> images;
    const std::vector<SInt16> ids = {360,  361,  362,  363,  370,  371, 624,
                                     2000, 2001, 2009, 2010, 2012, 6610};
    for (SInt16 id : ids) {
        Handle h = Load("CURS", id);
        ASSERT_NE(h, nullptr);
        ASSERT_EQ(KsGetHandleSize(h), 68) << id;
        Cursor c;
        KsDecodeCURS(reinterpret_cast<const UInt8*>(*h), 68, &c);
        EXPECT_TRUE(c.hotSpot.v >= 0 && c.hotSpot.v < 16 && c.hotSpot.h >= 0 && c.hotSpot.h < 16)
            << id;
        int black = 0;
        for (int row = 0; row < 16; ++row) {
            EXPECT_EQ(c.data[row] & ~c.mask[row], 0) << id << ": black pixels are masked";
            black += __builtin_popcount(UInt16(c.data[row]));
        }
        EXPECT_GT(black, 8) << id << " is drawn";
        // The hot spot lies on the drawing, so clicks land where the cursor points.
        EXPECT_TRUE(UInt16(c.mask[c.hotSpot.v]) & (0x8000 >> c.hotSpot.h)) << id;
        images.insert(std::string(*h, 64));
    }
    EXPECT_EQ(images.size(), ids.size()) << "every cursor, every busy frame, differs";
}
