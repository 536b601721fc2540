// The scroll arithmetic against a plain reference, over random limits that
// include the ends of the 32-bit range.
#include "KsScrollMath.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>

namespace {

using I128 = __int128;

// Rounds num / den (den > 0) half away from zero.
I128 RoundDiv(I128 num, I128 den) {
    const I128 q = num / den, r = num % den;
    if (2 * (r < 0 ? -r : r) >= den) return q + (num < 0 ? -1 : 1);
    return q;
}

// Plain linear mapping of x from [a, b] onto [c, d].
I128 RefMap(I128 x, I128 a, I128 b, I128 c, I128 d) {
    if (a == b) return c;
    return c + RoundDiv((x - a) * (d - c), b - a);
}

SInt32 Pick(std::mt19937& rng) {
    static const SInt32 kEdges[] = {INT32_MIN, INT32_MIN + 1, -1, 0, 1, INT32_MAX - 1, INT32_MAX};
    switch (rng() % 4) {
    case 0:
        return kEdges[rng() % std::size(kEdges)];
    case 1:
        return SInt32(rng() % 2001) - 1000;
    default:
        return SInt32(rng());
    }
}

} // namespace

TEST(ScrollMath, ThumbPositionsMatchThePlainMapping) {
    std::mt19937 rng(1234);
    for (int i = 0; i < 20000; ++i) {
        SInt32 mn = Pick(rng), mx = Pick(rng);
        if (mx < mn) std::swap(mn, mx);
        const SInt32 start = SInt32(rng() % 40) - 20;
        const SInt32 track = SInt32(rng() % (i % 3 ? 2000 : 20)); // short tracks too
        const SInt32 end = start + track;
        const SInt32 visible = SInt32(rng() % 3000);
        const SInt32 thumb = KsScroll::ThumbLength(track, mn, mx, visible);
        ASSERT_LE(thumb, std::max(track, 0));
        if (track >= KsScroll::kMinThumb) {
            ASSERT_GE(thumb, KsScroll::kMinThumb);
        }
        const I128 range = I128(mx) - mn;
        if (track > 0 && range + visible > 0) {
            I128 want = I128(track) * visible / (range + visible);
            if (want < 15) want = 14;
            ASSERT_EQ(I128(thumb), std::min<I128>(want, track));
        }

        const SInt32 v = Pick(rng);
        const SInt32 pos = KsScroll::ValueToThumb(v, mn, mx, start, end, thumb);
        const I128 room = I128(end) - thumb;
        if (mn == mx || room <= start) {
            ASSERT_EQ(pos, start);
        } else {
            const I128 cv = std::clamp<I128>(v, mn, mx);
            ASSERT_EQ(I128(pos), RefMap(cv, mn, mx, start, room)) << mn << " " << mx << " " << v;
            // The thumb never passes the end of the track.
            ASSERT_LE(I128(pos) + thumb, I128(end));
        }
        const SInt32 p = start + SInt32(rng() % (track + 40)) - 20;
        const SInt32 back = KsScroll::ThumbToValue(p, mn, mx, start, end, thumb);
        ASSERT_GE(back, mn);
        ASSERT_LE(back, mx);
        if (mn != mx && room > start) {
            const I128 cp = std::clamp<I128>(p, start, room);
            ASSERT_EQ(I128(back), RefMap(cp, start, room, mn, mx));
            // Round trip: with more values than places, the value found for a
            // place puts the thumb there.
            if (range > room - start) {
                ASSERT_EQ(KsScroll::ValueToThumb(back, mn, mx, start, end, thumb), SInt32(cp));
            }
        }
    }
}

TEST(ScrollMath, RangesPagesAndStepsStayInside) {
    std::mt19937 rng(99);
    for (int i = 0; i < 20000; ++i) {
        const SInt32 mn = Pick(rng), mx = Pick(rng), visible = SInt32(rng() % 5000);
        const SInt32 smax = KsScroll::ScrollMax(mn, mx, visible);
        ASSERT_GE(smax, mn);
        const I128 extent = std::min<I128>(visible, I128(mx) - mn);
        ASSERT_EQ(I128(smax), std::max<I128>(extent > 0 ? I128(mx) - extent : I128(mx), mn));

        const SInt32 incr = Pick(rng), extentPx = Pick(rng);
        const SInt32 page = KsScroll::PageIncr(extentPx, incr);
        const I128 step = incr > 0 ? incr : 1;
        const I128 want = ((I128(extentPx) - step) / step) * step;
        ASSERT_EQ(I128(page), want > step ? std::min<I128>(want, INT32_MAX) : step);

        const SInt32 pos = Pick(rng);
        const SInt64 delta = SInt64(Pick(rng)) * (rng() % 3);
        const SInt32 d = KsScroll::SaturatedDelta(pos, delta);
        const I128 target = std::clamp<I128>(I128(pos) + delta, INT32_MIN, INT32_MAX);
        ASSERT_EQ(I128(d), std::clamp<I128>(target - pos, INT32_MIN, INT32_MAX));

        SInt32 lo = Pick(rng), hi = Pick(rng);
        if (hi < lo) std::swap(lo, hi);
        const SInt32 st = SInt32(rng() % 50);
        const SInt32 v = KsScroll::Clamp(Pick(rng), lo, hi);
        const SInt32 r = KsScroll::RoundUpToStep(v, lo, hi, st);
        if (st < 2) {
            ASSERT_EQ(r, v);
        } else {
            ASSERT_GE(r, v);
            ASSERT_LE(r, hi);
            if (r < hi) {
                ASSERT_EQ((I128(r) - lo) % st, 0);
            }
        }
    }
}

TEST(ScrollMath, ScaleHandlesMapTheirFractionOntoTheScale) {
    struct Case {
        SInt32 distance, track;
        double lo, hi, want;
    };
    const Case cases[] = {
        {0, 100, 1, 5, 1},  {50, 100, 1, 5, 3}, {100, 100, 1, 5, 5}, {150, 100, 1, 5, 5},
        {-9, 100, 1, 5, 1}, {10, 0, 1, 5, 1},   {25, 100, 8, 0, 6},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(KsScroll::ScaleFromDistance(c.distance, c.track, c.lo, c.hi), c.want);
}
