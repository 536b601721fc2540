// CopyBits and CopyMask against a per-pixel model written from the rules in
// QDOffscreen.h: every mode, scaling, overlap, masks, clipping, one-bit
// sources and mixed backing scales.
#include "QDOffscreen.h"
#include "QDReference.h"

#include <gtest/gtest.h>

#include <vector>

using namespace qdref;

namespace {

using Px = std::uint32_t;

Px* Bits(GrafPtr port) {
    return reinterpret_cast<Px*>(pixman_image_get_data(port->surface->image));
}
int Stride(GrafPtr port) {
    return pixman_image_get_stride(port->surface->image) / 4;
}
int DevW(GrafPtr port) {
    return pixman_image_get_width(port->surface->image);
}
int DevH(GrafPtr port) {
    return pixman_image_get_height(port->surface->image);
}

// Device pixels, row by row, without the unused byte.
std::vector<Px> Snap(GrafPtr port) {
    std::vector<Px> v;
    for (int y = 0; y < DevH(port); ++y)
        for (int x = 0; x < DevW(port); ++x)
            v.push_back(DevicePixel(port, x, y));
    return v;
}

void Randomise(GrafPtr port, Rng& rng) {
    for (int y = 0; y < DevH(port); ++y)
        for (int x = 0; x < DevW(port); ++x)
            Bits(port)[y * Stride(port) + x] = 0xFF000000u | Px(rng.Next() & 0xFFFFFF);
}

// A few colours only, so that transparent and hilite find matches.
void RandomiseFrom(GrafPtr port, Rng& rng, std::initializer_list<Px> palette) {
    std::vector<Px> p(palette);
    for (int y = 0; y < DevH(port); ++y)
        for (int x = 0; x < DevW(port); ++x)
            Bits(port)[y * Stride(port) + x] = 0xFF000000u | p[rng.Next() % p.size()];
}

std::string Diff(GrafPtr port, const std::vector<Px>& want) {
    const std::vector<Px> got = Snap(port);
    for (std::size_t i = 0; i < want.size(); ++i)
        if (got[i] != want[i]) {
            char buf[96];
            std::snprintf(buf, sizeof buf, "device (%d, %d): want %06X got %06X",
                          int(i % std::size_t(DevW(port))), int(i / std::size_t(DevW(port))),
                          unsigned(want[i]), unsigned(got[i]));
            return buf;
        }
    return {};
}

// The model of one colour-source mode, from the header's table.
Px ModelColour(int mode, Px s, Px d, Px fg, Px bk, Px hl) {
    if (mode == transparent) return s == bk ? d : ((s & bk) | (~s & fg & 0xFFFFFF));
    if (mode == hilite) {
        if (s == bk) return d;
        return d == bk ? hl : d == hl ? bk : d;
    }
    if (mode & 4) s ^= 0xFFFFFF;
    switch (mode & 3) {
    case 0:
        return (s & bk) | (~s & fg & 0xFFFFFF);
    case 1:
        return d & s;
    case 2:
        return d ^ (~s & 0xFFFFFF);
    default:
        return d | (~s & 0xFFFFFF);
    }
}

// Nearest source offset of destination offset i, as the header states it.
int Nearest(int i, int srcLen, int dstLen) {
    return int((2 * std::int64_t(i) + 1) * srcLen / (2 * std::int64_t(dstLen)));
}

class CopyBitsTest : public ::testing::Test {
protected:
    GWorldPtr a = nullptr, b = nullptr;
    void SetUp() override {
        Rect r = R(0, 0, 13, 11);
        ASSERT_EQ(NewGWorld(&a, 32, &r, nullptr, nullptr, 0), noErr);
        ASSERT_EQ(NewGWorld(&b, 32, &r, nullptr, nullptr, 0), noErr);
        SetGWorld(b, nullptr);
    }
    void TearDown() override {
        DisposeGWorld(a);
        DisposeGWorld(b);
    }
};

// 1:1 copies in every mode, black on white and in colour, at shifted
// rectangles partly outside both buffers.
TEST_F(CopyBitsTest, EveryModeOneToOne) {
    const int modes[] = {srcCopy,  srcOr,     srcXor,    srcBic,      notSrcCopy,
                         notSrcOr, notSrcXor, notSrcBic, transparent, hilite};
    const RGBColor colours[][2] = {{{0, 0, 0}, {0xFFFF, 0xFFFF, 0xFFFF}},
                                   {{0xFFFF, 0, 0}, {0, 0x3333, 0xCCCC}}};
    Rng rng{7};
    for (const auto& fgbk : colours)
        for (int mode : modes) {
            RGBForeColor(&fgbk[0]);
            RGBBackColor(&fgbk[1]);
            const Px fg = Rgb(fgbk[0]), bk = Rgb(fgbk[1]), hl = Rgb(b->hiliteColor);
            RandomiseFrom(a, rng, {0, 0xFFFFFF, bk, hl, 0x123456, 0xA0B0C0});
            RandomiseFrom(b, rng, {0, 0xFFFFFF, bk, hl, 0x654321});
            const std::vector<Px> s = Snap(a);
            std::vector<Px> want = Snap(b);
            Rect sr = R(-2, 3, 9, 14), dr = R(4, -1, 15, 10);
            for (int y = -1; y < 10; ++y)
                for (int x = 4; x < 15; ++x) {
                    const int sx = x - 6, sy = y + 4;
                    if (x >= 13 || y < 0 || sx < 0 || sy >= 11) continue;
                    Px& d = want[std::size_t(y * 13 + x)];
                    d = ModelColour(mode, s[std::size_t(sy * 13 + sx)], d, fg, bk, hl);
                }
            CopyBits(GetPortBitMapForCopyBits(a), GetPortBitMapForCopyBits(b), &sr, &dr,
                     SInt16(mode), nullptr);
            EXPECT_EQ(QDError(), noErr);
            EXPECT_EQ(Diff(b, want), "") << "mode " << mode << " fg " << fg;
        }
}

TEST_F(CopyBitsTest, ScalingPicksThePixelUnderEachCentre) {
    // Hand-checked: 3 pixels onto 2 take 0 and 2; 2 onto 4 double each.
    Px* s = Bits(a);
    s[0] = 0xFF000001;
    s[1] = 0xFF000002;
    s[2] = 0xFF000003;
    Rect sr = R(0, 0, 3, 1), dr = R(0, 0, 2, 1);
    CopyBits(GetPortBitMapForCopyBits(a), GetPortBitMapForCopyBits(b), &sr, &dr, srcCopy, nullptr);
    EXPECT_EQ(DevicePixel(b, 0, 0), 1u);
    EXPECT_EQ(DevicePixel(b, 1, 0), 3u);
    sr = R(0, 0, 2, 1);
    dr = R(0, 1, 4, 2);
    CopyBits(GetPortBitMapForCopyBits(a), GetPortBitMapForCopyBits(b), &sr, &dr, srcCopy, nullptr);
    EXPECT_EQ(DevicePixel(b, 0, 1), 1u);
    EXPECT_EQ(DevicePixel(b, 1, 1), 1u);
    EXPECT_EQ(DevicePixel(b, 2, 1), 2u);
    EXPECT_EQ(DevicePixel(b, 3, 1), 2u);

    // Seeded rectangles up and down, some reaching outside the source.
    Rng rng{99};
    for (int round = 0; round < 60; ++round) {
        Randomise(a, rng);
        Randomise(b, rng);
        const int sl = rng.Range(-3, 10), st = rng.Range(-3, 8);
        const int sw = rng.Range(1, 12), sh = rng.Range(1, 12);
        const int dl = rng.Range(-2, 10), dt = rng.Range(-2, 8);
        const int dw = rng.Range(1, 14), dh = rng.Range(1, 14);
        const std::vector<Px> src = Snap(a);
        std::vector<Px> want = Snap(b);
        for (int y = dt; y < dt + dh; ++y)
            for (int x = dl; x < dl + dw; ++x) {
                const int sx = sl + Nearest(x - dl, sw, dw), sy = st + Nearest(y - dt, sh, dh);
                if (x < 0 || x >= 13 || y < 0 || y >= 11 || sx < 0 || sx >= 13 || sy < 0 ||
                    sy >= 11)
                    continue;
                want[std::size_t(y * 13 + x)] = src[std::size_t(sy * 13 + sx)];
            }
        sr = R(sl, st, sl + sw, st + sh);
        dr = R(dl, dt, dl + dw, dt + dh);
        CopyBits(GetPortBitMapForCopyBits(a), GetPortBitMapForCopyBits(b), &sr, &dr, srcCopy,
                 nullptr);
        ASSERT_EQ(Diff(b, want), "") << "round " << round;
    }
}

// Within one buffer the result is that of reading the whole source first,
// in all directions, through a ragged mask, 1:1 and scaled, in xor (which
// shows a pixel read twice or read after it was written).
TEST_F(CopyBitsTest, OverlapInOneBufferReadsTheSourceFirst) {
    const int moves[][2] = {{3, 0}, {-3, 0}, {0, 2}, {0, -2}, {2, 2}, {-2, 3}, {1, -1}};
    RgnHandle mask = NewRgn();
    RgnHandle hole = NewRgn();
    SetRectRgn(mask, 0, 0, 13, 11);
    SetRectRgn(hole, 5, 4, 7, 6);
    DiffRgn(mask, hole, mask);
    Rng rng{3};
    for (const auto& m : moves)
        for (int grow = 0; grow < 2; ++grow)
            for (int mode : {int(srcCopy), int(srcXor)}) {
                Randomise(b, rng);
                const std::vector<Px> s = Snap(b);
                std::vector<Px> want = s;
                const int sl = 2, st = 2, sw = 7, sh = 6;
                const int dl = sl + m[0], dt = st + m[1], dw = sw + grow, dh = sh + grow;
                for (int y = dt; y < dt + dh; ++y)
                    for (int x = dl; x < dl + dw; ++x) {
                        if (x < 0 || x >= 13 || y < 0 || y >= 11 ||
                            (x >= 5 && x < 7 && y >= 4 && y < 6))
                            continue;
                        const int sx = sl + Nearest(x - dl, sw, dw),
                                  sy = st + Nearest(y - dt, sh, dh);
                        Px& d = want[std::size_t(y * 13 + x)];
                        d = ModelColour(mode, s[std::size_t(sy * 13 + sx)], d, 0, 0xFFFFFF, 0);
                    }
                Rect sr = R(sl, st, sl + sw, st + sh), dr = R(dl, dt, dl + dw, dt + dh);
                const BitMap* bm = GetPortBitMapForCopyBits(b);
                CopyBits(bm, bm, &sr, &dr, SInt16(mode), mask);
                ASSERT_EQ(Diff(b, want), "")
                    << "move " << m[0] << "," << m[1] << " grow " << grow << " mode " << mode;
            }
    DisposeRgn(mask);
    DisposeRgn(hole);
}

// The current port's clip and visible region limit a copy into it; another
// port's do not. The mask region counts in destination local coordinates.
TEST_F(CopyBitsTest, ClipAppliesOnlyToTheCurrentPort) {
    Rng rng{11};
    Randomise(a, rng);
    const Px seen = DevicePixel(a, 1, 1);
    Rect clip = R(0, 0, 4, 4);
    ClipRect(&clip); // b is current
    Rect sr = R(0, 0, 13, 11);
    CopyBits(GetPortBitMapForCopyBits(a), GetPortBitMapForCopyBits(b), &sr, &sr, srcCopy, nullptr);
    EXPECT_EQ(DevicePixel(b, 1, 1), seen);
    EXPECT_EQ(DevicePixel(b, 4, 1), kWhite);
    EXPECT_EQ(DevicePixel(b, 1, 4), kWhite);

    SetGWorld(a, nullptr);
    CopyBits(GetPortBitMapForCopyBits(a), GetPortBitMapForCopyBits(b), &sr, &sr, srcCopy, nullptr);
    EXPECT_EQ(Diff(b, Snap(a)), "");

    // A mask region, with the destination's origin moved.
    SetGWorld(b, nullptr);
    ClipWideOpen();
    Rect all = R(0, 0, 13, 11);
    EraseRect(&all);
    SetOrigin(100, 200);
    RgnHandle mask = NewRgn();
    SetRectRgn(mask, 102, 203, 105, 204);
    Rect dr = R(100, 200, 113, 211);
    CopyBits(GetPortBitMapForCopyBits(a), GetPortBitMapForCopyBits(b), &sr, &dr, srcCopy, mask);
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 13; ++x) {
            const bool in = x >= 2 && x < 5 && y == 3;
            ASSERT_EQ(DevicePixel(b, x, y), in ? DevicePixel(a, x, y) : kWhite) << x << "," << y;
        }
    DisposeRgn(mask);
}

TEST_F(CopyBitsTest, CopiedPixelsAreDamage) {
    b->surface->damage.SetEmpty();
    Rect sr = R(0, 0, 4, 3), dr = R(5, 6, 9, 9);
    CopyBits(GetPortBitMapForCopyBits(a), GetPortBitMapForCopyBits(b), &sr, &dr, srcCopy, nullptr);
    EXPECT_TRUE(b->surface->damage.Contains(KsRect{5, 6, 9, 9}));
    EXPECT_FALSE(b->surface->damage.Contains(KsPoint{4, 6}));
}

// A one-bit bitmap as the source: drawn in the current colours, through the
// modes, scaled, and refused when it claims more than it has.
TEST_F(CopyBitsTest, OneBitSources) {
    // 10 x 3, rowBytes 2: a diagonal-ish shape with bounds at (20, 30).
    UInt8 bits[6] = {0xC1, 0x40, 0x22, 0x80, 0x1C, 0x00};
    BitMap bm{reinterpret_cast<Ptr>(bits), 2, R(20, 30, 30, 33)};
    auto set = [&](int x, int y) { return (bits[y * 2 + (x >> 3)] >> (7 - (x & 7))) & 1; };
    const RGBColor red{0xFFFF, 0, 0}, blue{0, 0, 0xFFFF};
    RGBForeColor(&red);
    RGBBackColor(&blue);
    Rng rng{5};
    for (int mode = srcCopy; mode <= notSrcBic; ++mode) {
        Randomise(b, rng);
        std::vector<Px> want = Snap(b);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 10; ++x) {
                Px& d = want[std::size_t((y + 1) * 13 + x + 2)];
                d = ApplyMode(mode, set(x, y / 2), d, 0xFF0000, 0x0000FF);
            }
        Rect sr = R(20, 30, 30, 33), dr = R(2, 1, 12, 7); // twice as tall
        CopyBits(&bm, GetPortBitMapForCopyBits(b), &sr, &dr, SInt16(mode), nullptr);
        ASSERT_EQ(Diff(b, want), "") << "mode " << mode;
    }

    // Transparent leaves the clear bits.
    Randomise(b, rng);
    std::vector<Px> want = Snap(b);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 10; ++x)
            if (set(x, y)) want[std::size_t(y * 13 + x)] = 0xFF0000;
    Rect sr = R(20, 30, 30, 33), dr = R(0, 0, 10, 3);
    CopyBits(&bm, GetPortBitMapForCopyBits(b), &sr, &dr, transparent, nullptr);
    EXPECT_EQ(Diff(b, want), "");

    // Bitmaps that claim more than they hold draw nothing.
    const std::vector<Px> before = Snap(b);
    const BitMap bad[] = {
        {reinterpret_cast<Ptr>(bits), 1, R(20, 30, 30, 33)}, // rows too short for 10 pixels
        {nullptr, 2, R(20, 30, 30, 33)},
        {reinterpret_cast<Ptr>(bits), 2, R(20, 30, 20, 33)},              // empty
        {reinterpret_cast<Ptr>(bits), SInt16(0x8002), R(20, 30, 30, 33)}, // not a port's map
        {reinterpret_cast<Ptr>(bits), -2, R(20, 30, 30, 33)},
    };
    for (const BitMap& m : bad) {
        CopyBits(&m, GetPortBitMapForCopyBits(b), &sr, &dr, srcCopy, nullptr);
        EXPECT_EQ(QDError(), paramErr);
    }
    // A one-bit bitmap is not a destination.
    CopyBits(GetPortBitMapForCopyBits(a), &bm, &sr, &dr, srcCopy, nullptr);
    EXPECT_EQ(QDError(), paramErr);
    EXPECT_EQ(Diff(b, before), "");
    // The source rectangle reaching past the bitmap reads nothing outside it.
    Rect wide = R(15, 25, 40, 40), dst = R(0, 0, 25, 15);
    CopyBits(&bm, GetPortBitMapForCopyBits(b), &wide, &dst, srcCopy, nullptr);
    EXPECT_EQ(QDError(), noErr);
    EXPECT_EQ(DevicePixel(b, 0, 0), before[0]);
    EXPECT_EQ(DevicePixel(b, 5, 5), set(0, 0) ? 0xFF0000u : 0x0000FFu);
}

TEST_F(CopyBitsTest, CopyMaskCopiesWhereTheMaskIsSet) {
    Rng rng{21};
    Randomise(a, rng);
    Randomise(b, rng);
    // 4 x 2 mask: a checkerboard of pairs.
    UInt8 mbits[2] = {0xA0, 0x50};
    BitMap mask{reinterpret_cast<Ptr>(mbits), 1, R(0, 0, 4, 2)};
    const std::vector<Px> s = Snap(a);
    std::vector<Px> want = Snap(b);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x) {
            const int sx = 1 + x / 2, sy = 2 + y / 2;
            const int mx = sx - 1, my = sy - 2;
            if ((mbits[my] >> (7 - mx)) & 1)
                want[std::size_t((y + 5) * 13 + x + 3)] = s[std::size_t(sy * 13 + sx)];
        }
    Rect sr = R(1, 2, 5, 4), mr = R(0, 0, 4, 2), dr = R(3, 5, 11, 9);
    CopyMask(GetPortBitMapForCopyBits(a), &mask, GetPortBitMapForCopyBits(b), &sr, &mr, &dr);
    EXPECT_EQ(QDError(), noErr);
    EXPECT_EQ(Diff(b, want), "");
    BitMap shortMask{reinterpret_cast<Ptr>(mbits), 0, R(0, 0, 4, 2)};
    CopyMask(GetPortBitMapForCopyBits(a), &shortMask, GetPortBitMapForCopyBits(b), &sr, &mr, &dr);
    EXPECT_EQ(QDError(), paramErr);
}

// A world at scale 2 holds each logical pixel as 2x2 device pixels; copied
// into a scale-1 port it gives the logical picture, and back up again.
TEST(CopyBitsScale, ScaleTwoWorldToScaleOnePort) {
    GWorldPtr hi = nullptr;
    Rect bounds = R(0, 0, 9, 7);
    ASSERT_EQ(KsNewGWorldScaled(&hi, 32, &bounds, 2, 0), noErr);
    GrafPtr lo = KsNewPort(9, 7);
    GrafPtr hi2 = KsNewPort(9, 7, 2);
    StGWorldSaver saver;
    SetGWorld(hi, nullptr);
    Canvas c(9, 7);
    const RGBColor red{0xFFFF, 0, 0};
    RGBForeColor(&red);
    Rect r1 = R(1, 1, 4, 6), r2 = R(3, 2, 8, 3);
    PaintRect(&r1);
    InvertRect(&r2);
    Paint(
        c, RectMask(1, 1, 4, 6), [](int, int) { return true; }, kQDBlack, patCopy, 0xFF0000,
        kWhite);
    Invert(c, RectMask(3, 2, 8, 3), [](int, int) { return true; });
    ASSERT_EQ(Compare(hi, c), "");

    SetGWorld(lo, GetMainDevice());
    CopyBits(GetPortBitMapForCopyBits(hi), GetPortBitMapForCopyBits(lo), &bounds, &bounds, srcCopy,
             nullptr);
    EXPECT_EQ(Compare(lo, c), "");
    CopyBits(GetPortBitMapForCopyBits(lo), GetPortBitMapForCopyBits(hi2), &bounds, &bounds, srcCopy,
             nullptr);
    EXPECT_EQ(Compare(hi2, c), "");
    KsDisposePort(lo);
    KsDisposePort(hi2);
    DisposeGWorld(hi);
}

} // namespace
