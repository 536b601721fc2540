#include "KsGeometry.h"
#include "KsColor.h"
#include "KsNumbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstring>
#include <random>
#include <vector>

// Streams and pane code rely on left, top, right, bottom as four 32-bit values.
static_assert(sizeof(KsRect) == 16 && offsetof(KsRect, left) == 0 && offsetof(KsRect, top) == 4 &&
              offsetof(KsRect, right) == 8 && offsetof(KsRect, bottom) == 12);

TEST(KsGeometry, EmptinessWidthAndContainment) {
    KsRect r{10, 20, 30, 25};
    EXPECT_EQ(r.Width(), 20);
    EXPECT_EQ(r.Height(), 5);
    EXPECT_FALSE(r.IsEmpty());
    EXPECT_TRUE((KsRect{5, 5, 5, 9}).IsEmpty()); // zero width
    EXPECT_TRUE((KsRect{5, 5, 9, 5}).IsEmpty()); // zero height
    EXPECT_TRUE((KsRect{9, 5, 5, 9}).IsEmpty()); // inverted
    EXPECT_EQ((KsRect{9, 5, 5, 9}).Width(), -4);
    // Half-open: the right and bottom edges are outside.
    EXPECT_TRUE(r.Contains(KsPoint{10, 20}));
    EXPECT_TRUE(r.Contains(KsPoint{29, 24}));
    EXPECT_FALSE(r.Contains(KsPoint{30, 24}));
    EXPECT_FALSE(r.Contains(KsPoint{29, 25}));
    EXPECT_FALSE(r.Contains(KsPoint{9, 20}));
    EXPECT_FALSE((KsRect{5, 5, 5, 9}).Contains(KsPoint{5, 5}));
    EXPECT_TRUE(r.Contains(r));
    EXPECT_TRUE(r.Contains(KsRect{11, 21, 30, 25}));
    EXPECT_FALSE(r.Contains(KsRect{11, 21, 31, 25}));
    EXPECT_FALSE(r.Contains(KsRect{12, 22, 12, 23})); // empty
    // Full 32-bit extent saturates instead of overflowing.
    KsRect huge{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
    EXPECT_EQ(huge.Width(), INT32_MAX);
    EXPECT_EQ((KsRect{INT32_MAX, 0, INT32_MIN, 1}).Width(), INT32_MIN);
}

TEST(KsGeometry, IntersectUnionOverlap) {
    KsRect a{0, 0, 10, 10}, b{5, 5, 15, 15};
    EXPECT_EQ(a.Intersect(b), (KsRect{5, 5, 10, 10}));
    EXPECT_EQ(a.Union(b), (KsRect{0, 0, 15, 15}));
    EXPECT_TRUE(a.Overlaps(b));
    // Touching edges share no pixel.
    KsRect c{10, 0, 20, 10};
    EXPECT_FALSE(a.Overlaps(c));
    EXPECT_EQ(a.Intersect(c), KsRect{});
    EXPECT_EQ(a.Union(c), (KsRect{0, 0, 20, 10}));
    // Empty operands add nothing to a union, wherever they lie.
    KsRect far{100, 100, 100, 200};
    EXPECT_EQ(a.Union(far), a);
    EXPECT_EQ(far.Union(a), a);
    EXPECT_EQ(far.Union(KsRect{-5, -5, -6, -6}), KsRect{});
    EXPECT_FALSE(far.Overlaps(far));
    EXPECT_EQ(far.Intersect(a), KsRect{});
}

TEST(KsGeometry, OffsetAndInsetSaturate) {
    KsRect r{0, 0, 10, 20};
    EXPECT_EQ(r.Offsetted(3, -4), (KsRect{3, -4, 13, 16}));
    EXPECT_EQ(r.Insetted(2, 3), (KsRect{2, 3, 8, 17}));
    EXPECT_EQ(r.Insetted(-2, -3), (KsRect{-2, -3, 12, 23}));
    EXPECT_EQ(r.Insetted(6, 0), (KsRect{6, 0, 4, 20})); // empty, position kept
    EXPECT_TRUE(r.Insetted(6, 0).IsEmpty());
    KsRect edge{INT32_MAX - 5, INT32_MIN + 5, INT32_MAX - 1, INT32_MIN + 9};
    EXPECT_EQ(edge.Offsetted(10, -10), (KsRect{INT32_MAX, INT32_MIN, INT32_MAX, INT32_MIN}));
    EXPECT_EQ(edge.Insetted(-10, -10),
              (KsRect{INT32_MAX - 15, INT32_MIN, INT32_MAX, INT32_MIN + 19}));
    KsRect m = r;
    m.Offset(1, 1).Inset(1, 1);
    EXPECT_EQ(m, (KsRect{2, 2, 10, 20}));
    EXPECT_EQ(r.TopLeft(), (KsPoint{0, 0}));
    EXPECT_EQ(r.BottomRight(), (KsPoint{10, 20}));
}

TEST(KsGeometry, SixteenBitConversionsClamp) {
    EXPECT_EQ(ToKsRect(ToRect(KsRect{-32768, -32769, 32767, 32768})),
              (KsRect{-32768, -32768, 32767, 32767}));
    EXPECT_EQ(ToKsRect(ToRect(KsRect{INT32_MIN, 1, INT32_MAX, 2})), (KsRect{-32768, 1, 32767, 2}));
    EXPECT_EQ(ToKsPoint(ToPoint(KsPoint{40000, -7})), (KsPoint{32767, -7}));
    EXPECT_EQ(ToKsPoint(Point{-3, 4}), (KsPoint{4, -3}));
    EXPECT_EQ(ToKsRect(Rect{1, 2, 3, 4}), (KsRect{2, 1, 4, 3}));
    EXPECT_EQ(ClampToSInt16(65535), 32767);
    EXPECT_EQ(ClampToSInt16(-65536), -32768);
}

TEST(KsGeometry, LandscapeConversionsReportClamping) {
    KsPoint p;
    EXPECT_TRUE(LongPointToPoint(LongPoint{-32768, 32767}, &p));
    EXPECT_EQ(p, (KsPoint{-32768, 32767}));
    EXPECT_FALSE(LongPointToPoint(LongPoint{0, 32768}, &p));
    EXPECT_EQ(p, (KsPoint{0, 32767}));
    EXPECT_FALSE(LongPointToPoint(LongPoint{-32769, 0}, &p));
    EXPECT_EQ(p, (KsPoint{-32768, 0}));

    KsRect r;
    EXPECT_TRUE(LongRectToRect(LongRect{-32768, -1, 32767, 5}, &r));
    EXPECT_EQ(r, (KsRect{-32768, -1, 32767, 5}));
    EXPECT_FALSE(LongRectToRect(LongRect{0, 0, 10, 100000}, &r));
    EXPECT_EQ(r, (KsRect{0, 0, 10, 32767}));

    LongRect lr;
    RectToLongRect(KsRect{INT32_MIN, 2, 3, INT32_MAX}, &lr);
    EXPECT_EQ(lr, (LongRect{INT32_MIN, 2, 3, INT32_MAX}));
    LongPoint lp;
    PointToLongPoint(KsPoint{7, -8}, &lp);
    EXPECT_EQ(lp, (LongPoint{7, -8}));
}

TEST(KsColor, ConvertsToAndFromTheToolboxColour) {
    static_assert(sizeof(KsRGBColor) == 6);
    const KsRGBColor c{0x7448, 0x4EFA, 0x7E26};
    const RGBColor tb = ToRGBColor(c);
    EXPECT_EQ((std::vector<UInt16>{tb.red, tb.green, tb.blue}),
              (std::vector<UInt16>{0x7448, 0x4EFA, 0x7E26}));
    EXPECT_EQ(ToKsRGBColor(tb), c);
    KsRGBColor copied;
    std::memcpy(static_cast<void*>(&copied), &tb, sizeof copied); // trivially copyable
    EXPECT_EQ(copied, c);
}

TEST(KsNumbers, MapFromToExactCases) {
    const struct {
        SInt32 x, fromLo, fromHi, toLo, toHi, want;
    } cases[] = {
        {0, 0, 10, 100, 200, 100},
        {10, 0, 10, 100, 200, 200},
        {5, 0, 10, 100, 200, 150},
        // Halves round away from the low end of the target, in either direction.
        {1, 0, 4, 0, 2, 1},
        {1, 0, 4, 0, -2, -1},
        {1, 0, 3, 0, 1, 0},
        {2, 0, 3, 0, 1, 1},
        // Backwards ranges, as a vertical slider maps its track.
        {0, 10, 0, 0, 100, 100},
        {10, 10, 0, 0, 100, 0},
        {3, 10, 0, 0, 100, 70},
        {3, 0, 10, 100, 0, 70},
        // A zero source range answers the low end of the target.
        {123, 7, 7, -5, 5, -5},
        // Outside the source range: extrapolated, then saturated.
        {20, 0, 10, 0, 100, 200},
        {INT32_MAX, 0, 1, 0, INT32_MAX, INT32_MAX},
        {INT32_MIN, 0, 1, 0, INT32_MAX, INT32_MIN},
        // Full 32-bit ranges do not overflow.
        {INT32_MAX, INT32_MIN, INT32_MAX, 0, 100, 100},
        {INT32_MIN, INT32_MIN, INT32_MAX, 0, 100, 0},
        {0, INT32_MIN, INT32_MAX, INT32_MIN, INT32_MAX, 0},
        {0, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MIN, -1},
        {50, 0, 100, INT32_MIN, INT32_MAX, 0},
        {100, 0, 100, INT32_MIN, INT32_MAX, INT32_MAX},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mapFromTo(c.x, c.fromLo, c.fromHi, c.toLo, c.toHi), c.want)
            << c.x << " " << c.fromLo << ".." << c.fromHi << " -> " << c.toLo << ".." << c.toHi;
}

TEST(KsNumbers, MapFromToAgreesWithRealArithmetic) {
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<SInt32> small(-100000, 100000);
    for (int i = 0; i < 20000; ++i) {
        SInt32 fl = small(rng), fh = small(rng), tl = small(rng), th = small(rng);
        if (fl == fh) continue;
        SInt32 lo = fl < fh ? fl : fh, hi = fl < fh ? fh : fl;
        SInt32 x = lo + SInt32(rng() % UInt32(hi - lo + 1));
        long double exact = (long double)(x - fl) * (th - tl) / (long double)(fh - fl);
        SInt32 got = mapFromTo(x, fl, fh, tl, th);
        // Nearest integer; exact halves may go either way only if the reference is ambiguous.
        EXPECT_LE(std::fabs((long double)(got - tl) - exact), 0.5L + 1e-9L)
            << x << " " << fl << " " << fh << " " << tl << " " << th;
        // Never leaves the target range when x is inside the source range.
        EXPECT_GE(got, tl < th ? tl : th);
        EXPECT_LE(got, tl < th ? th : tl);
    }
}

TEST(KsNumbers, MapDoubleLimitAndDivCeil) {
    EXPECT_DOUBLE_EQ(mapDoubleFromTo(2.5, 0.0, 10.0, 0.0, 1.0), 0.25);
    EXPECT_EQ(mapDoubleFromTo(0.3, 0.3, 0.9, -1.0, 7.7), -1.0);
    EXPECT_EQ(mapDoubleFromTo(0.9, 0.3, 0.9, -1.0, 7.7), 7.7); // exact end, no rounding drift
    EXPECT_EQ(mapDoubleFromTo(4.0, 2.0, 2.0, 3.0, 9.0), 3.0);
    EXPECT_DOUBLE_EQ(mapDoubleFromTo(1.0, 0.0, 2.0, 10.0, 0.0), 5.0);

    EXPECT_EQ(limitlong(5, 0, 10), 5);
    EXPECT_EQ(limitlong(-5, 0, 10), 0);
    EXPECT_EQ(limitlong(15, 0, 10), 10);
    EXPECT_EQ(limitlong(INT32_MIN, INT32_MIN, INT32_MAX), INT32_MIN);
    EXPECT_EQ(limitlong(7, 10, 0), 10); // empty range: lo wins

    // The extremes and a zero divisor; the small cases against real division.
    EXPECT_EQ(divCeil(1, INT32_MAX), 1);
    EXPECT_EQ(divCeil(INT32_MIN, -1), INT32_MAX);
    EXPECT_EQ(divCeil(INT32_MIN, 2), INT32_MIN / 2);
    EXPECT_EQ(divCeil(5, 0), 0);
    for (SInt32 a = -20; a <= 20; ++a)
        for (SInt32 b = -6; b <= 6; ++b)
            if (b != 0) {
                EXPECT_EQ(divCeil(a, b), SInt32(std::ceil(double(a) / b))) << a << "/" << b;
            }
}
