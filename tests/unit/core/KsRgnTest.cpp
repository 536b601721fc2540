#include "KsRgn.h"
#include "KsRgnPrivate.h"

#include <gtest/gtest.h>

#include <bitset>
#include <random>
#include <utility>
#include <vector>

namespace {

// The reference: a bitmap of the plane from -kMargin to kSpan - kMargin on
// each axis, filled pixel by pixel. Shapes stay well inside it.
constexpr int kSpan = 96, kMargin = 16;

struct Plane {
    std::bitset<kSpan * kSpan> bits;

    static bool Inside(int h, int v) {
        return h >= -kMargin && h < kSpan - kMargin && v >= -kMargin && v < kSpan - kMargin;
    }
    bool Get(int h, int v) const {
        return Inside(h, v) && bits[std::size_t((v + kMargin) * kSpan + h + kMargin)];
    }
    void Set(int h, int v, bool on) {
        if (Inside(h, v)) bits[std::size_t((v + kMargin) * kSpan + h + kMargin)] = on;
    }
    void Fill(const KsRect& r) {
        for (int v = r.top; v < r.bottom; ++v)
            for (int h = r.left; h < r.right; ++h)
                Set(h, v, true);
    }
    template <class F> static Plane Make(F f) {
        Plane p;
        for (int v = -kMargin; v < kSpan - kMargin; ++v)
            for (int h = -kMargin; h < kSpan - kMargin; ++h)
                p.Set(h, v, f(h, v));
        return p;
    }
};

// The region's pixels, read only through its rectangles, after checking that
// they are banded, disjoint and non-touching within a band.
Plane Rasterise(const KsRgn& rgn) {
    Plane p;
    std::size_t count = 0;
    bool first = true;
    KsRect prev{};
    for (KsRect r : rgn.Rects()) {
        ++count;
        EXPECT_FALSE(r.IsEmpty());
        if (!first) {
            bool sameBand = r.top == prev.top;
            EXPECT_TRUE(sameBand ? (r.bottom == prev.bottom && r.left > prev.right)
                                 : r.top >= prev.bottom)
                << "bands out of order";
        }
        for (int v = r.top; v < r.bottom; ++v)
            for (int h = r.left; h < r.right; ++h) {
                EXPECT_FALSE(p.Get(h, v)) << "overlapping rectangles";
                p.Set(h, v, true);
            }
        prev = r;
        first = false;
    }
    EXPECT_EQ(count, rgn.RectCount());
    EXPECT_TRUE(rgn.IsValid());
    return p;
}

KsRect RandomRect(std::mt19937& rng) {
    std::uniform_int_distribution<int> pos(0, 60), size(-2, 20);
    int l = pos(rng), t = pos(rng);
    return {l, t, l + size(rng), t + size(rng)}; // sometimes empty or inverted
}

std::vector<KsRect> RandomRects(std::mt19937& rng) {
    std::vector<KsRect> rects(std::size_t(rng() % 9));
    for (KsRect& r : rects)
        r = RandomRect(rng);
    return rects;
}

Plane Reference(const std::vector<KsRect>& rects) {
    Plane p;
    for (const KsRect& r : rects)
        if (!r.IsEmpty()) p.Fill(r);
    return p;
}

KsRect ReferenceBounds(const Plane& p) {
    KsRect b{};
    for (int v = -kMargin; v < kSpan - kMargin; ++v)
        for (int h = -kMargin; h < kSpan - kMargin; ++h)
            if (p.Get(h, v)) b = b.Union({h, v, h + 1, v + 1});
    return b;
}

// Shrinks (d > 0) or grows (d < 0) by the box rule, pixel by pixel.
Plane ReferenceInset(const Plane& p, int dh, int dv) {
    int gh = dh < 0 ? -dh : dh, gv = dv < 0 ? -dv : dv;
    return Plane::Make([&](int h, int v) {
        bool all = true, any = false;
        for (int j = -gv; j <= gv; ++j)
            for (int i = -gh; i <= gh; ++i) {
                bool in = p.Get(h + i, v + j);
                all = all && in;
                any = any || in;
            }
        // Mixed signs are done one axis at a time, handled by the caller.
        return (dh > 0 || dv > 0) ? all : any;
    });
}

} // namespace

TEST(KsRgn, EmptyAndSingleRectangle) {
    KsRgn e;
    EXPECT_TRUE(e.IsEmpty());
    EXPECT_EQ(e.RectCount(), 0u);
    EXPECT_EQ(e.Bounds(), KsRect{});
    EXPECT_FALSE(e.Contains(KsPoint{0, 0}));
    EXPECT_TRUE(e.Rects().begin() == e.Rects().end());
    EXPECT_TRUE(KsRgn(KsRect{5, 5, 5, 10}).IsEmpty());
    EXPECT_TRUE(KsRgn(KsRect{5, 5, 2, 10}).IsEmpty()); // inverted: empty, no complaint

    KsRgn r(KsRect{0, 0, 2, 1});
    EXPECT_EQ(r.RectCount(), 1u);
    EXPECT_EQ(*r.Rects().begin(), (KsRect{0, 0, 2, 1}));
    EXPECT_TRUE(r.Contains(KsPoint{1, 0}));
    EXPECT_FALSE(r.Contains(KsPoint{2, 0})); // half-open
    EXPECT_FALSE(r.Contains(KsPoint{0, 1}));
    EXPECT_EQ(r.Bounds(), (KsRect{0, 0, 2, 1}));
    // Neither case allocates: pixman keeps them inline or in shared static data.
    EXPECT_TRUE(KsRgnPixman(e)->data == nullptr || KsRgnPixman(e)->data->size == 0);
    EXPECT_EQ(KsRgnPixman(r)->data, nullptr);
    KsRgn copy(r);
    EXPECT_EQ(KsRgnPixman(copy)->data, nullptr);

    r.SetEmpty();
    EXPECT_TRUE(r.IsEmpty());
    r.SetRect({-3, -3, 3, 3});
    EXPECT_EQ(r.Bounds(), (KsRect{-3, -3, 3, 3}));
}

TEST(KsRgn, AlgebraExactCases) {
    KsRgn a(KsRect{0, 0, 10, 10}), b(KsRect{5, 5, 15, 15});
    EXPECT_EQ((a | b).RectCount(), 3u);
    // Abutting rectangles merge into one; empties are equal however made.
    EXPECT_EQ(KsRgn({{0, 0, 5, 5}, {5, 0, 10, 5}}), KsRgn(KsRect{0, 0, 10, 5}));
    EXPECT_EQ(KsRgn(KsRect{100, 100, 110, 110}) & a, KsRgn());
    // Rectangle forms of the algebra.
    KsRgn x = a;
    x.Union(KsRect{10, 0, 20, 10}).Subtract(KsRect{0, 0, 20, 5}).Intersect(KsRect{5, 0, 15, 20});
    EXPECT_EQ(x, KsRgn(KsRect{5, 5, 15, 10}));
    x.Union(KsRect{50, 50, 40, 60}); // empty: nothing changes
    EXPECT_EQ(x, KsRgn(KsRect{5, 5, 15, 10}));
}

TEST(KsRgn, OffsetAndInsetSaturateAtThePlaneLimits) {
    // Past the 32-bit limit the part that no longer fits is cut off.
    KsRgn edge(KsRect{INT32_MAX - 20, 0, INT32_MAX - 10, 5});
    edge.Offset(15, 0);
    EXPECT_EQ(edge.Bounds(), (KsRect{INT32_MAX - 5, 0, INT32_MAX, 5}));
    edge.Offset(100, 0);
    EXPECT_TRUE(edge.IsEmpty());
    KsRgn low({{INT32_MIN + 2, INT32_MIN + 2, INT32_MIN + 6, INT32_MIN + 4},
               {INT32_MIN + 10, INT32_MIN + 2, INT32_MIN + 12, INT32_MIN + 20}});
    low.Offset(-4, -3);
    EXPECT_EQ(low, KsRgn({{INT32_MIN, INT32_MIN, INT32_MIN + 2, INT32_MIN + 1},
                          {INT32_MIN + 6, INT32_MIN, INT32_MIN + 8, INT32_MIN + 17}}));
    low.Offset(INT32_MAX, INT32_MAX); // the far side of the plane, no wrap
    EXPECT_EQ(low.Bounds(), (KsRect{-1, -1, 7, 16}));

    KsRgn r(KsRect{0, 0, 10, 6}), l({{0, 0, 10, 10}, {10, 8, 30, 10}});
    // Extreme amounts saturate (growing by INT32_MIN grows by INT32_MAX), and
    // nothing lies beyond the limits of the plane.
    KsRgn all = KsRgn(r).Inset(INT32_MIN, INT32_MIN);
    EXPECT_EQ(all.Bounds(), (KsRect{INT32_MIN + 1, INT32_MIN + 1, INT32_MAX, INT32_MAX}));
    EXPECT_TRUE(all.Contains(KsPoint{INT32_MIN + 1, INT32_MAX - 1}));
    EXPECT_EQ(KsRgn(all).Inset(1, 0).Bounds(),
              (KsRect{INT32_MIN + 2, INT32_MIN + 1, INT32_MAX - 1, INT32_MAX}));
    KsRgn plane(KsRect{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX});
    EXPECT_EQ(plane.Inset(3, 2),
              KsRgn(KsRect{INT32_MIN + 3, INT32_MIN + 2, INT32_MAX - 3, INT32_MAX - 2}));
    EXPECT_TRUE(KsRgn(l).Inset(INT32_MAX, 0).IsEmpty());
    EXPECT_TRUE(all.Inset(INT32_MAX, INT32_MAX).IsEmpty());
}

TEST(KsRgn, CopyMoveAndPrivateAccess) {
    KsRgn a({{0, 0, 5, 5}, {10, 10, 15, 15}});
    KsRgn b = a;
    b.Offset(1, 1);
    EXPECT_NE(a, b); // copies are independent
    KsRgn c = std::move(b);
    EXPECT_TRUE(b.IsEmpty()); // NOLINT: a moved-from region is empty and usable
    b.Union(KsRect{0, 0, 1, 1});
    EXPECT_EQ(b.RectCount(), 1u);
    EXPECT_EQ(c.Bounds(), (KsRect{1, 1, 16, 16}));
    a = c;
    EXPECT_EQ(a, c);
    a = a; // self-assignment keeps the region
    EXPECT_EQ(a, c);
    a = KsRgn(KsRect{0, 0, 1, 1});
    EXPECT_EQ(a.RectCount(), 1u);

    // The toolbox layer works on the pixman region in place.
    KsRgn p(KsRect{0, 0, 4, 4});
    pixman_region32_union_rect(KsRgnPixman(p), KsRgnPixman(p), 4, 0, 4, 4);
    EXPECT_EQ(p, KsRgn(KsRect{0, 0, 8, 4}));
    EXPECT_EQ(pixman_region32_n_rects(KsRgnPixman(std::as_const(p))), 1);
}

TEST(KsRgn, RandomisedAgainstBitmap) {
    std::mt19937 rng(0x5eed1234);
    for (int round = 0; round < 300; ++round) {
        std::vector<KsRect> ra = RandomRects(rng), rb = RandomRects(rng);
        KsRgn a(ra.data(), ra.size()), b(rb.data(), rb.size());
        Plane pa = Reference(ra), pb = Reference(rb);
        ASSERT_EQ(Rasterise(a).bits, pa.bits) << "round " << round;
        ASSERT_EQ(Rasterise(b).bits, pb.bits);
        EXPECT_EQ(a.Bounds(), ReferenceBounds(pa));

        EXPECT_EQ(Rasterise(a | b).bits, pa.bits | pb.bits) << "union, round " << round;
        EXPECT_EQ(Rasterise(a & b).bits, pa.bits & pb.bits) << "intersect, round " << round;
        EXPECT_EQ(Rasterise(a - b).bits, pa.bits & ~pb.bits) << "subtract, round " << round;
        EXPECT_EQ(Rasterise(a ^ b).bits, pa.bits ^ pb.bits) << "xor, round " << round;
        EXPECT_EQ(a == b, pa.bits == pb.bits);
        EXPECT_EQ(a.Overlaps(b), (pa.bits & pb.bits).any());

        // In-place forms match the operators.
        KsRgn c = a;
        c |= b;
        EXPECT_EQ(c, a | b);
        c = a;
        c -= b;
        EXPECT_EQ(c, a - b);

        int dh = int(rng() % 9) - 4, dv = int(rng() % 9) - 4;
        KsRgn moved = a;
        moved.Offset(dh, dv);
        EXPECT_EQ(Rasterise(moved).bits,
                  Plane::Make([&](int h, int v) { return pa.Get(h - dh, v - dv); }).bits);

        Plane expected = ReferenceInset(ReferenceInset(pa, dh, 0), 0, dv);
        KsRgn inset = a;
        inset.Inset(dh, dv);
        EXPECT_EQ(Rasterise(inset).bits, expected.bits)
            << "inset " << dh << "," << dv << " round " << round;

        for (int k = 0; k < 20; ++k) {
            KsPoint p{int(rng() % 90) - 10, int(rng() % 90) - 10};
            EXPECT_EQ(a.Contains(p), pa.Get(p.h, p.v));
            KsRect q = RandomRect(rng);
            bool all = !q.IsEmpty(), any = false;
            for (int v = q.top; v < q.bottom; ++v)
                for (int h = q.left; h < q.right; ++h) {
                    all = all && pa.Get(h, v);
                    any = any || pa.Get(h, v);
                }
            EXPECT_EQ(a.Contains(q), all);
            EXPECT_EQ(a.Overlaps(q), any);
        }
    }
}
