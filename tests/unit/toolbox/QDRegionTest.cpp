// Region handles: the header kept in step, the algebra, recording with
// OpenRgn / CloseRgn, and BitMapToRegion against the bits themselves.
#include "QDReference.h"
#include "QuickDraw.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(QDRegion, HeaderFollowsEveryChange) {
    RgnHandle a = NewRgn(), b = NewRgn();
    EXPECT_EQ((*a)->rgnSize, 10);
    EXPECT_TRUE(EmptyRgn(a));
    SetRectRgn(a, 1, 2, 11, 12);
    EXPECT_EQ((*a)->rgnSize, 10);
    EXPECT_EQ(ToKsRect((*a)->rgnBBox), (KsRect{1, 2, 11, 12}));
    SetRectRgn(b, 6, 7, 20, 25);
    UnionRgn(a, b, b);
    EXPECT_GT((*b)->rgnSize, 10);
    EXPECT_EQ(ToKsRect((*b)->rgnBBox), (KsRect{1, 2, 20, 25}));
    OffsetRgn(b, -1, 3);
    EXPECT_EQ(ToKsRect((*b)->rgnBBox), (KsRect{0, 5, 19, 28}));
    SectRgn(a, b, b); // dst may be an operand
    EXPECT_EQ(ToKsRect((*b)->rgnBBox), (KsRect{1, 5, 11, 12}));
    EXPECT_GT((*b)->rgnSize, 10); // an L shape
    SectRgn(b, a, a);
    SetRectRgn(b, 1, 5, 10, 12);
    SectRgn(a, b, b); // back to one rectangle
    EXPECT_EQ((*b)->rgnSize, 10);
    SetRectRgn(a, 5, 5, 5, 9); // an empty rectangle makes the empty region
    EXPECT_TRUE(EmptyRgn(a));
    EXPECT_EQ(ToKsRect((*a)->rgnBBox), (KsRect{0, 0, 0, 0}));
    DisposeRgn(a);
    DisposeRgn(b);
    DisposeRgn(nullptr);
}

TEST(QDRegion, AlgebraAndQueriesMatchPixelSets) {
    RgnHandle a = NewRgn(), b = NewRgn(), d = NewRgn();
    SetRectRgn(a, 0, 0, 10, 10);
    SetRectRgn(b, 5, 5, 15, 15);
    auto inA = [](int x, int y) { return x >= 0 && x < 10 && y >= 0 && y < 10; };
    auto inB = [](int x, int y) { return x >= 5 && x < 15 && y >= 5 && y < 15; };
    struct Op {
        void (*fn)(RgnHandle, RgnHandle, RgnHandle);
        bool (*want)(bool, bool);
    } ops[] = {{SectRgn, [](bool p, bool q) { return p && q; }},
               {UnionRgn, [](bool p, bool q) { return p || q; }},
               {DiffRgn, [](bool p, bool q) { return p && !q; }},
               {XorRgn, [](bool p, bool q) { return p != q; }}};
    for (const Op& op : ops) {
        op.fn(a, b, d);
        for (int y = -2; y < 18; ++y)
            for (int x = -2; x < 18; ++x)
                ASSERT_EQ(bool(PtInRgn(Point{SInt16(y), SInt16(x)}, d)),
                          op.want(inA(x, y), inB(x, y)));
    }
    Rect in{6, 6, 7, 7}, out{20, 20, 30, 30};
    EXPECT_TRUE(RectInRgn(&in, a));
    EXPECT_FALSE(RectInRgn(&out, a));
    CopyRgn(a, d);
    EXPECT_TRUE(EqualRgn(a, d));
    InsetRgn(d, 2, 3);
    EXPECT_EQ(ToKsRect((*d)->rgnBBox), (KsRect{2, 3, 8, 7}));
    KsRgn k = RgnHandleToKsRgn(d);
    EXPECT_EQ(k, KsRgn(KsRect{2, 3, 8, 7}));
    RgnHandle e = KsNewRgnFrom(KsRgn({KsRect{0, 0, 2, 2}, KsRect{4, 4, 6, 6}}));
    EXPECT_TRUE(PtInRgn(Point{5, 5}, e));
    EXPECT_FALSE(PtInRgn(Point{3, 3}, e));
    EXPECT_GT((*e)->rgnSize, 10);
    SetEmptyRgn(e);
    EXPECT_TRUE(EmptyRgn(e));
    for (RgnHandle h : {a, b, d, e})
        DisposeRgn(h);
}

TEST(QDRegion, OpenRgnRecordsFramesAndLinePathsWithoutDrawing) {
    GrafPtr port = KsNewPort(30, 30);
    KsSetPort(port);
    OpenRgn();
    EXPECT_NE(port->rgnSave, nullptr);
    Rect r1{0, 0, 10, 10}, r2{5, 5, 15, 15};
    FrameRect(&r1);
    FrameRect(&r2); // frames combine by exclusive-or
    MoveTo(20, 20);
    LineTo(26, 20);
    LineTo(26, 28);
    LineTo(20, 28);
    LineTo(20, 20);
    RgnHandle out = NewRgn();
    CloseRgn(out);
    EXPECT_EQ(port->rgnSave, nullptr);
    EXPECT_EQ(port->pnVis, 0);
    qdref::Canvas white(30, 30);
    EXPECT_EQ(qdref::Compare(port, white), ""); // nothing was drawn
    auto in = [](int x, int y, int l, int t, int r, int b) {
        return x >= l && x < r && y >= t && y < b;
    };
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x) {
            const bool want =
                (in(x, y, 0, 0, 10, 10) != in(x, y, 5, 5, 15, 15)) || in(x, y, 20, 20, 26, 28);
            ASSERT_EQ(bool(PtInRgn(Point{SInt16(y), SInt16(x)}, out)), want) << x << "," << y;
        }
    // The pen draws again afterwards.
    LineTo(25, 20);
    EXPECT_EQ(DevicePixel(port, 22, 20), 0u);
    DisposeRgn(out);
    KsDisposePort(port);
}

// ---- BitMapToRegion ---------------------------------------------------------

bool Bit(const std::vector<UInt8>& bits, int rowBytes, int x, int y) {
    return (bits[std::size_t(y * rowBytes + x / 8)] >> (7 - x % 8)) & 1;
}

TEST(QDBitMapToRegion, RegionHoldsExactlyTheSetBits) {
    qdref::Rng rng{7};
    for (int round = 0; round < 60; ++round) {
        const int w = rng.Range(1, 40), h = rng.Range(1, 20);
        const int rowBytes = (w + 7) / 8 + rng.Range(0, 3);
        const int left = rng.Range(-20, 20), top = rng.Range(-20, 20);
        std::vector<UInt8> bits(std::size_t(rowBytes * h));
        const int density = rng.Range(0, 3);
        for (UInt8& byte : bits)
            byte = density == 0   ? UInt8(rng.Next())
                   : density == 1 ? 0xFF
                                  : UInt8(rng.Next() & rng.Next());
        BitMap bm{reinterpret_cast<Ptr>(bits.data()), SInt16(rowBytes),
                  Rect{SInt16(top), SInt16(left), SInt16(top + h), SInt16(left + w)}};
        RgnHandle rgn = NewRgn();
        ASSERT_EQ(BitMapToRegion(rgn, &bm), noErr);
        for (int y = -1; y <= h; ++y)
            for (int x = -1; x <= w; ++x) {
                const bool want = x >= 0 && x < w && y >= 0 && y < h && Bit(bits, rowBytes, x, y);
                ASSERT_EQ(bool(PtInRgn(Point{SInt16(top + y), SInt16(left + x)}, rgn)), want)
                    << "round " << round << " at " << x << "," << y;
            }
        DisposeRgn(rgn);
    }
}

TEST(QDBitMapToRegion, BadBitmapsAreRefused) {
    std::vector<UInt8> bits(16, 0xFF);
    RgnHandle rgn = NewRgn();
    SetRectRgn(rgn, 0, 0, 3, 3);
    BitMap tooNarrow{reinterpret_cast<Ptr>(bits.data()), 1, Rect{0, 0, 2, 9}}; // 9 bits, 1 byte
    EXPECT_EQ(BitMapToRegion(rgn, &tooNarrow), paramErr);
    BitMap negativeRow{reinterpret_cast<Ptr>(bits.data()), -2, Rect{0, 0, 2, 8}};
    EXPECT_EQ(BitMapToRegion(rgn, &negativeRow), paramErr);
    BitMap noBits{nullptr, 2, Rect{0, 0, 2, 8}};
    EXPECT_EQ(BitMapToRegion(rgn, &noBits), paramErr);
    BitMap inverted{reinterpret_cast<Ptr>(bits.data()), 2, Rect{5, 0, 2, 8}};
    EXPECT_EQ(BitMapToRegion(rgn, &inverted), paramErr);
    EXPECT_EQ(BitMapToRegion(nullptr, &noBits), paramErr);
    BitMap empty{nullptr, 0, Rect{0, 0, 0, 8}};
    EXPECT_EQ(BitMapToRegion(rgn, &empty), noErr);
    EXPECT_TRUE(EmptyRgn(rgn));
    DisposeRgn(rgn);
}

} // namespace

namespace {

TEST(QDPolygon, OpenPolyRecordsPointsWithoutDrawing) {
    GrafPtr port = KsNewPort(20, 20);
    MoveTo(2, 3);
    PolyHandle poly = OpenPoly();
    LineTo(12, 3);
    LineTo(7, 15);
    LineTo(2, 3);
    ClosePoly();
    EXPECT_EQ(port->pnVis, 0);
    qdref::Canvas white(20, 20);
    EXPECT_EQ(qdref::Compare(port, white), "");
    ASSERT_EQ((*poly)->polySize, 10 + 4 * 4);
    EXPECT_EQ(ToKsRect((*poly)->polyBBox), (KsRect{2, 3, 12, 15}));
    EXPECT_EQ((*poly)->polyPoints[0].h, 2);
    EXPECT_EQ((*poly)->polyPoints[2].v, 15);
    OffsetPoly(poly, 1, -1);
    EXPECT_EQ(ToKsRect((*poly)->polyBBox), (KsRect{3, 2, 13, 14}));
    EXPECT_EQ((*poly)->polyPoints[3].h, 3);
    KillPoly(poly);
    KsDisposePort(port);
}

} // namespace
