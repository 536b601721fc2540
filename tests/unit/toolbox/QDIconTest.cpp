// Icons: decoders on hand-made resources (every truncation refused), exact
// pixels of PlotIcon, PlotSICN and colour icons through their masks, icon
// families by size with the disabled and selected transforms, patterns and
// cursors.
#include "IconsPrivate.h"
#include "QDImageTestSupport.h"
#include "ResourceTestSupport.h"
#include "Resources.h"
#include "XError.h"

#include <gtest/gtest.h>

namespace {

// A 32x32 icon whose bit (x, y) is set when (x + 2y) % 5 == 0: no symmetry
// hides a swapped axis or byte.
bool IconBit(int x, int y) {
    return (x + 2 * y) % 5 == 0;
}
std::vector<UInt8> IconBits(int side, bool (*bit)(int, int)) {
    std::vector<UInt8> out(std::size_t(side * side / 8));
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            if (bit(x, y)) out[std::size_t(y * side / 8 + x / 8)] |= UInt8(0x80 >> (x % 8));
    return out;
}
bool MaskBit(int x, int y) {
    return x >= 2 && y >= 1 && x < 14 && y < 15; // a square inside a 16 or 32 icon
}
bool SmallBit(int x, int y) {
    return x == y;
}

template <typename F> void ExpectEveryTruncationRaises(const std::vector<UInt8>& data, F decode) {
    for (std::size_t n = 0; n < data.size(); ++n) {
        std::vector<UInt8> cut(data.begin(), data.begin() + std::ptrdiff_t(n)); // exact size
        EXPECT_THROW(decode(cut.empty() ? nullptr : cut.data(), n), XError) << "length " << n;
    }
}

constexpr std::uint32_t kWhite = 0xFFFFFF, kBlack = 0, kRed = 0xFF0000;

// A colour icon of 4x3 pixels at 2 bits: colour table red, green, blue,
// white; the mask leaves out the top-left pixel and the whole last row.
std::vector<UInt8> MakeCicn() {
    Bytes o;
    PutPixMap(o, true, 2, 0, 0, 3, 4, 2);
    o.u32(0).u16(2).rect(0, 0, 3, 4); // mask
    o.u32(0).u16(2).rect(0, 0, 3, 4); // one-bit form
    o.u32(0);
    o.u8(0x70).u8(0).u8(0xF0).u8(0).u8(0x00).u8(0); // mask rows
    o.u8(0xA0).u8(0).u8(0x50).u8(0).u8(0xF0).u8(0); // bitmap rows
    PutColorTable(o, {{0xFFFF, 0, 0}, {0, 0xFFFF, 0}, {0, 0, 0xFFFF}, {0xFFFF, 0xFFFF, 0xFFFF}});
    // Pixel values: row 0: 0 1 2 3, row 1: 3 2 1 0, row 2: 1 1 1 1.
    o.u8(0x1B).u8(0).u8(0xE4).u8(0).u8(0x55).u8(0);
    return o.b;
}
const std::uint32_t kCicnColors[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
const int kCicnValues[3][4] = {{0, 1, 2, 3}, {3, 2, 1, 0}, {1, 1, 1, 1}};
bool CicnMask(int x, int y) {
    return y < 2 && !(x == 0 && y == 0);
}

class IconPortTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(port, nullptr); }
    TinyPort tiny{40, 40};
    GrafPtr port = tiny.port;
};

} // namespace

TEST(QDIconDecode, SystemPaletteIsTheCubeThenRamps) {
    const UInt32* p = KsSystemPalette8();
    EXPECT_EQ(p[0], 0xFFFFFFu);
    EXPECT_EQ(p[5], 0xFFFF00u);
    EXPECT_EQ(p[35], 0xFF0000u);
    EXPECT_EQ(p[214], 0x000033u);
    EXPECT_EQ(p[215], 0xEE0000u);
    EXPECT_EQ(p[225], 0x00EE00u);
    EXPECT_EQ(p[244], 0x000011u);
    EXPECT_EQ(p[245], 0xEEEEEEu);
    EXPECT_EQ(p[255], 0x000000u);
}

TEST(QDIconDecode, OneBitFormsAndTheirTruncations) {
    const std::vector<UInt8> icon = IconBits(32, IconBit);
    const KsImage img = KsDecodeICON(icon.data(), icon.size());
    ASSERT_EQ(img.width, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(img.bits[std::size_t(y * 32 + x)] != 0, IconBit(x, y)) << x << "," << y;
    ExpectEveryTruncationRaises(icon, [](const UInt8* d, std::size_t n) { KsDecodeICON(d, n); });

    std::vector<UInt8> list = IconBits(16, SmallBit);
    const std::vector<UInt8> mask = IconBits(16, MaskBit);
    list.insert(list.end(), mask.begin(), mask.end());
    const KsImage small = KsDecodeIconList(list.data(), list.size(), 16);
    EXPECT_EQ(small.bits[17], 1);
    EXPECT_EQ(small.bits[1], 0);
    EXPECT_EQ(small.mask[1 * 16 + 2], 1);
    EXPECT_EQ(small.mask[1 * 16 + 1], 0);
    ExpectEveryTruncationRaises(list,
                                [](const UInt8* d, std::size_t n) { KsDecodeIconList(d, n, 16); });
}

TEST(QDIconDecode, SICNListsCountWholeIconsOnly) {
    std::vector<UInt8> sicn = IconBits(16, SmallBit);
    const std::vector<UInt8> second = IconBits(16, MaskBit);
    sicn.insert(sicn.end(), second.begin(), second.end());
    EXPECT_EQ(KsCountSICN(sicn.size()), 2);
    const KsImage b = KsDecodeSICN(sicn.data(), sicn.size(), 1);
    EXPECT_EQ(b.bits[1 * 16 + 2], 1);
    EXPECT_EQ(b.bits[0], 0);
    EXPECT_THROW(KsDecodeSICN(sicn.data(), sicn.size(), 2), XError);
    EXPECT_THROW(KsDecodeSICN(sicn.data(), sicn.size(), -1), XError);
    ExpectEveryTruncationRaises(sicn, [](const UInt8* d, std::size_t n) { KsDecodeSICN(d, n, 1); });
}

TEST(QDIconDecode, ColourIconFieldsAndTruncations) {
    const std::vector<UInt8> data = MakeCicn();
    const KsColorIcon icon = KsDecodeCIcon(data.data(), data.size());
    ASSERT_EQ(icon.color.width, 4);
    ASSERT_EQ(icon.color.height, 3);
    EXPECT_EQ(icon.pixelSize, 2);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            const std::size_t at = std::size_t(y * 4 + x);
            EXPECT_EQ(icon.color.pixels[at] & 0xFFFFFF, kCicnColors[kCicnValues[y][x]]);
            EXPECT_EQ(icon.color.mask[at] != 0, CicnMask(x, y));
        }
    EXPECT_EQ(icon.oneBit.bits[0], 1);
    EXPECT_EQ(icon.oneBit.bits[1], 0);
    ExpectEveryTruncationRaises(data, [](const UInt8* d, std::size_t n) { KsDecodeCIcon(d, n); });

    // A depth of 3 bits and rows too narrow for the width are refused.
    std::vector<UInt8> bad = data;
    bad[33] = 3; // pixelSize
    EXPECT_THROW(KsDecodeCIcon(bad.data(), bad.size()), XError);
    bad = data;
    bad[5] = 0; // rowBytes 0
    EXPECT_THROW(KsDecodeCIcon(bad.data(), bad.size()), XError);
}

TEST(QDIconDecode, PixelPatternsOfBothTypes) {
    Bytes one;
    one.u16(0).u32(0).u32(0).u32(0).u16(0).u32(0);
    for (UInt8 row : {0x80, 0, 0, 0, 0, 0, 0, 0x01})
        one.u8(row);
    const KsImage p0 = KsDecodePixPatImage(one.b.data(), one.b.size());
    ASSERT_EQ(p0.width, 8);
    EXPECT_EQ(p0.pixels[0] & 0xFFFFFF, kBlack);
    EXPECT_EQ(p0.pixels[1] & 0xFFFFFF, kWhite);
    EXPECT_EQ(p0.pixels[63] & 0xFFFFFF, kBlack);

    // Type 1: a 2x2 map at 1 bit, then its colour table, then the pixels.
    Bytes map;
    map.u16(1).u32(28).u32(28 + 50 + 8 + 16).u32(0).u16(0).u32(0).zeros(8);
    PutPixMap(map, true, 2, 0, 0, 2, 2, 1, 0, 1, 1, 28 + 50);
    PutColorTable(map, {{0, 0, 0xFFFF}, {0xFFFF, 0, 0}});
    map.u8(0x40).u8(0).u8(0x80).u8(0);
    const KsImage p1 = KsDecodePixPatImage(map.b.data(), map.b.size());
    ASSERT_EQ(p1.width, 2);
    EXPECT_EQ(p1.pixels[0] & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(p1.pixels[1] & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(p1.pixels[2] & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(p1.pixels[3] & 0xFFFFFF, 0x0000FFu);
    ExpectEveryTruncationRaises(map.b, [](const UInt8* d, std::size_t n) { KsDecodePixPat(d, n); });
    // An offset past the end is refused, not followed.
    std::vector<UInt8> far = map.b;
    far[5] = 0xF0;
    EXPECT_THROW(KsDecodePixPat(far.data(), far.size()), XError);
}

TEST(QDIconDecode, CursorsKeepTheirHotSpotInside) {
    Bytes c;
    for (int i = 0; i < 16; ++i)
        c.u16(1 << i);
    for (int i = 0; i < 16; ++i)
        c.u16(0xFFFF);
    c.u16(3).u16(5);
    const KsCursorImage cur = KsDecodeCursor(c.b.data(), c.b.size());
    EXPECT_EQ(cur.data[4], 0x10);
    EXPECT_EQ(cur.mask[15], 0xFFFF);
    EXPECT_EQ(cur.hotSpot.v, 3);
    EXPECT_EQ(cur.hotSpot.h, 5);
    ExpectEveryTruncationRaises(c.b, [](const UInt8* d, std::size_t n) { KsDecodeCursor(d, n); });
    c.b[66] = 0;
    c.b[67] = 16;
    EXPECT_THROW(KsDecodeCursor(c.b.data(), c.b.size()), XError);
}

TEST_F(IconPortTest, PlotIconCopiesBitsInTheForeAndBackColours) {
    const std::vector<UInt8> icon = IconBits(32, IconBit);
    Handle h = KsNewHandleFrom(icon.data(), Size(icon.size()));
    RGBColor red{0xFFFF, 0, 0};
    RGBBackColor(&red);
    Rect r{4, 4, 36, 36};
    PlotIcon(&r, h);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool inside = x >= 4 && x < 36 && y >= 4 && y < 36;
            const std::uint32_t want = !inside ? kWhite : IconBit(x - 4, y - 4) ? kBlack : kRed;
            ASSERT_EQ(PixelAt(port, x, y), want) << x << "," << y;
        }
    // Damaged data draws nothing.
    KsSetHandleSize(h, 100);
    const auto before = AllPixels(port);
    EXPECT_THROW(PlotIcon(&r, h), XError);
    EXPECT_EQ(AllPixels(port), before);
    KsDisposeHandle(h);
}

TEST_F(IconPortTest, PlotSICNLeavesClearBitsAndScalesByWholePixels) {
    std::vector<UInt8> sicn = IconBits(16, MaskBit);
    const std::vector<UInt8> diag = IconBits(16, SmallBit);
    sicn.insert(sicn.end(), diag.begin(), diag.end());
    Handle h = KsNewHandleFrom(sicn.data(), Size(sicn.size()));
    const Rect all{0, 0, 40, 40};
    RGBColor green{0, 0xFFFF, 0};
    RGBBackColor(&green);
    EraseRect(&all);
    RGBColor blue{0, 0, 0xFFFF};
    RGBForeColor(&blue);
    Rect r{2, 2, 34, 34}; // twice the icon's size
    PlotSICN(&r, h, 1);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool inside = x >= 2 && x < 34 && y >= 2 && y < 34;
            const bool set = inside && SmallBit((x - 2) / 2, (y - 2) / 2);
            ASSERT_EQ(PixelAt(port, x, y), set ? 0x0000FFu : 0x00FF00u) << x << "," << y;
        }
    EXPECT_THROW(PlotSICN(&r, h, 2), XError);
    KsDisposeHandle(h);
}

TEST_F(IconPortTest, ColourIconsDrawThroughTheirMaskAndClip) {
    const std::vector<UInt8> data = MakeCicn();
    const KsColorIcon decoded = KsDecodeCIcon(data.data(), data.size());
    CIconHandle icon = KsNewCIconHandle(decoded);
    Rect clip{0, 0, 6, 40}; // top, left, bottom, right
    ClipRect(&clip);
    Rect r{2, 10, 8, 18}; // 8x6: each icon pixel becomes 2x2
    PaintCicon(icon, &r);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 24; ++x) {
            std::uint32_t want = kWhite;
            const int ix = (x - 10) / 2, iy = (y - 2) / 2;
            if (x >= 10 && x < 18 && y >= 2 && y < 8 && y < 6 && CicnMask(ix, iy))
                want = kCicnColors[kCicnValues[iy][ix]];
            ASSERT_EQ(PixelAt(port, x, y), want) << x << "," << y;
        }
    // The mask is reachable as a bitmap, as a shape button builds its region.
    const CIcon& c = **icon;
    RgnHandle rgn = NewRgn();
    ASSERT_EQ(BitMapToRegion(rgn, &c.iconMask), noErr);
    EXPECT_TRUE(PtInRgn(Point{0, 1}, rgn));
    EXPECT_FALSE(PtInRgn(Point{0, 0}, rgn));
    EXPECT_FALSE(PtInRgn(Point{2, 1}, rgn));
    DisposeRgn(rgn);
    KsDisposCIcon(icon);

    // Raw 'cicn' data in a handle (a gadget's copy of a 'cccn') draws the same.
    Handle raw = KsNewHandleFrom(data.data(), Size(data.size()));
    ClipWideOpen();
    Rect one{20, 20, 23, 24};
    PaintCicon(reinterpret_cast<CIconHandle>(raw), &one);
    EXPECT_EQ(PixelAt(port, 21, 20), kCicnColors[1]);
    EXPECT_EQ(PixelAt(port, 20, 20), kWhite);
    EXPECT_EQ(PixelAt(port, 20, 22), kWhite);
    KsDisposeHandle(raw);
}

namespace {

// A resource file with an icon family 128 (ICN#, icl8, ics#), a damaged
// family 129, a colour icon 130 and a pattern 131; current while it lives.
class IconFamilyTest : public IconPortTest {
protected:
    void SetUp() override {
        IconPortTest::SetUp();
        std::vector<UInt8> large = IconBits(32, IconBit);
        const std::vector<UInt8> mask = IconBits(32, MaskBit);
        large.insert(large.end(), mask.begin(), mask.end());
        std::vector<UInt8> small = IconBits(16, SmallBit);
        const std::vector<UInt8> smallMask(32, 0xFF);
        small.insert(small.end(), smallMask.begin(), smallMask.end());
        std::vector<UInt8> colour(32 * 32);
        for (std::size_t i = 0; i < colour.size(); ++i)
            colour[i] = UInt8(i % 2 ? 35 : 215); // red and the darker red ramp
        Bytes ppat;
        ppat.u16(0).u32(0).u32(0).u32(0).u16(0).u32(0).zeros(8);
        auto str = [](const std::vector<UInt8>& v) { return std::string(v.begin(), v.end()); };
        const std::vector<UInt8> cicn = MakeCicn();
        WriteBytes(dir.path() / "icons", MakeResourceImage({{"ICN#", 128, str(large)},
                                                            {"icl8", 128, str(colour)},
                                                            {"ics#", 128, str(small)},
                                                            {"ICN#", 129, std::string(200, '\xFF')},
                                                            {"cicn", 130, str(cicn)},
                                                            {"cicn", 132, str(cicn).substr(0, 90)},
                                                            {"ppat", 131, ppat.str()}}));
        ref = KsOpenResFile((dir.path() / "icons").c_str(), fsRdPerm);
        ASSERT_GT(ref, 0);
    }
    void TearDown() override {
        CloseResFile(ref);
        IconPortTest::TearDown();
    }
    ScratchDir dir;
    SInt16 ref = 0;
};

std::uint32_t Half(std::uint32_t a, std::uint32_t b) {
    std::uint32_t out = 0;
    for (int s = 0; s <= 16; s += 8)
        out |= ((((a >> s) & 0xFF) + ((b >> s) & 0xFF)) / 2) << s;
    return out;
}
std::uint32_t Dark(std::uint32_t a) {
    std::uint32_t out = 0;
    for (int s = 0; s <= 16; s += 8) {
        const std::uint32_t v = (a >> s) & 0xFF;
        out |= (v - v / 3) << s;
    }
    return out;
}

} // namespace

TEST_F(IconFamilyTest, LargeRectanglesUseTheColourIconThroughTheMask) {
    Rect r{4, 4, 36, 36};
    ASSERT_EQ(PlotIconID(&r, kAlignNone, kTransformNone, 128), noErr);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const std::uint32_t want =
                MaskBit(x, y) ? ((y * 32 + x) % 2 ? 0xFF0000u : 0xEE0000u) : kWhite;
            ASSERT_EQ(PixelAt(port, x + 4, y + 4), want) << x << "," << y;
        }
}

TEST_F(IconFamilyTest, TransformsDimOrDarkenAsDocumented) {
    RGBColor grey{0x8080, 0x8080, 0x8080};
    RGBBackColor(&grey);
    Rect r{0, 0, 32, 32};
    ASSERT_EQ(KsPlotIconID2(128, &r, kAlignNone, kTransformNone, true), noErr);
    EXPECT_EQ(PixelAt(port, 3, 2), Half(0xFF0000, 0x808080));
    EXPECT_EQ(PixelAt(port, 2, 2), Half(0xEE0000, 0x808080));
    EXPECT_EQ(PixelAt(port, 0, 0), kWhite); // outside the mask: untouched
    ASSERT_EQ(PlotIconID(&r, kAlignNone, kTransformSelected, 128), noErr);
    EXPECT_EQ(PixelAt(port, 3, 2), Dark(0xFF0000));
    EXPECT_EQ(PixelAt(port, 3, 2), 0xAA0000u);
    EXPECT_EQ(PlotIconID(&r, kAlignNone, kTransformOpen, 128), paramErr);
}

TEST_F(IconFamilyTest, SmallRectanglesUseTheSmallIconAndAlignmentPlacesIt) {
    Rect r{0, 0, 20, 40};
    ASSERT_EQ(PlotIconID(&r, kAlignTopRight, kTransformNone, 128), noErr);
    // ics# is 16x16 at the top right: (24..40, 0..16); its diagonal is black.
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool in = x >= 24 && y < 16;
            ASSERT_EQ(PixelAt(port, x, y), in && (x - 24) == y ? kBlack : kWhite) << x << "," << y;
        }
    EXPECT_TRUE(PtInIconID(Point{5, 29}, &r, kAlignTopRight, 128));
    EXPECT_TRUE(PtInIconID(Point{5, 30}, &r, kAlignTopRight, 128)); // mask is full
    EXPECT_FALSE(PtInIconID(Point{5, 10}, &r, kAlignTopRight, 128));
}

TEST_F(IconFamilyTest, MissingOrDamagedFamiliesAnswerErrorsAndDrawNothing) {
    Rect r{0, 0, 32, 32};
    const auto before = AllPixels(port);
    EXPECT_EQ(PlotIconID(&r, kAlignNone, kTransformNone, 999), resNotFound);
    EXPECT_EQ(KsPlotIconID(129, &r), paramErr); // 200 bytes: the mask is cut short
    EXPECT_EQ(AllPixels(port), before);
}

TEST_F(IconFamilyTest, ColourIconsAndPatternsFromResources) {
    CIconHandle icon = KsGetCIcon(130);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ((**icon).width, 4);
    EXPECT_EQ((**icon).iconMask.rowBytes, 2);
    KsDisposCIcon(icon);
    EXPECT_EQ(GetCIcon(132), nullptr); // damaged
    EXPECT_EQ(GetCIcon(999), nullptr);
    PixPatHandle pp = GetPixPat(131);
    ASSERT_NE(pp, nullptr);
    EXPECT_EQ((**pp).width, 8);
    DisposePixPat(pp);
}
