// Slider values, limits and the mapping between values and points, checked
// against a plain reference of the track geometry.
#include "KsSliderKinds.h"
#include "PaneTestSupport.h"

#include <cmath>
#include <limits>
#include <random>

namespace {

class SliderValue : public PaneTest {
protected:
    void SetUp() override {
        PaneTest::SetUp();
        HookCalls().clear();
    }
};

TEST_F(SliderValue, SetMinMaxRedrawsAndTellsOnceWithTheClampedValue) {
    struct Case {
        double start, lo0, hi0, v, lo, hi, want;
    } cases[] = {
        {5, 0, 10, 5, 0, 10, 5},    // unchanged value still counts as a change
        {10, 0, 10, 30, 0, 20, 20}, // at the old maximum, asked beyond the new one
        {0, 0, 10, -4, -2, 10, -2}, // at the old minimum, asked below the new one
        {7, 0, 10, 3, 5, 1, 5},     // a maximum under the minimum collapses onto it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.want);
        ASlider* s = ASlider::New(main, 10, S, 200, 10, S, 20, c.start, c.lo0, c.hi0);
        Validate();
        s->SetTrackHook(RecordHook);
        HookCalls().clear();
        EXPECT_EQ(s->SetMinMax(c.v, c.lo, c.hi), 0);
        EXPECT_EQ(HookCalls(), std::vector<double>{c.want});
        EXPECT_EQ(s->GetValue(), c.want);
        // The thumb was drawn where the new value puts it.
        KsRect thumb{};
        s->FindThumbRect(&thumb, s->GetValue());
        EXPECT_EQ(Px((thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2),
                  Rgb(s->GetThumbColor()));
        s->Dispose();
    }
}

TEST_F(SliderValue, SetValueClampsAndIgnoresPushesAgainstTheLimit) {
    ASlider* s = ASlider::New(main, 10, S, 200, 10, S, 20, 10, 0, 10);
    s->SetTrackHook(RecordHook);
    s->SetValue(12);
    EXPECT_TRUE(HookCalls().empty());
    s->SetValue(-3);
    s->SetValue(-5);
    EXPECT_EQ(HookCalls(), std::vector<double>{0});
    EXPECT_EQ(s->GetValue(), 0);
    s->SetValueNoTrackHook(4);
    EXPECT_EQ(s->GetValue(), 4);
    EXPECT_EQ(s->GetTrackHook(), &RecordHook);
    EXPECT_EQ(HookCalls().size(), 1u);
}

TEST_F(SliderValue, DoublesBeyondThirtyTwoBitsAreGuarded) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double v;
        SInt32 want;
    } cases[] = {{1e12, INT32_MAX}, {-1e12, INT32_MIN}, {inf, INT32_MAX},
                 {std::nan(""), 0}, {-7.9, -7},         {7.9, 7}};
    for (const Case& c : cases)
        EXPECT_EQ(SliderLong(c.v), c.want) << c.v;
    ASlider* s = ASlider::New(main, 10, S, 200, 10, S, 20, 0, -1e12, 1e12);
    SInt32 lo = 0, hi = 0;
    s->GetMinMax(&lo, &hi);
    EXPECT_EQ(lo, INT32_MIN);
    EXPECT_EQ(hi, INT32_MAX);
    // An empty range maps to its low end, in whole numbers and in reals.
    for (bool real : {false, true}) {
        s->SetFloatingPoint(real);
        EXPECT_EQ(s->RangeMap(5, 3, 3, 40, 90), 40);
    }
}

// The thumb centre runs from lo = start + side / 2 to hi = end - side / 2; the
// minimum lies at the left, or at the bottom of a vertical slider.
TEST_F(SliderValue, ValueAndPointAgreeWithAPlainReference) {
    std::mt19937 rng(20261207);
    for (int i = 0; i < 200; ++i) {
        const bool vertical = i % 2;
        const SInt16 len = SInt16(40 + rng() % 300), side = SInt16(8 + rng() % 20);
        const double lo = double(SInt32(rng() % 2000) - 1000), hi = lo + double(rng() % 5000);
        ASlider* s = vertical ? ASlider::New(main, 5, S, side, 5, S, len, lo, lo, hi)
                              : ASlider::New(main, 5, S, len, 5, S, side, lo, lo, hi);
        const KsRect in = s->GetInterior();
        const SInt32 half = (vertical ? in.Width() : in.Height()) / 2;
        const double a = (vertical ? in.top : in.left) + half;
        const double b = (vertical ? in.bottom : in.right) - half;
        const double v = lo + double(rng() % 10001) / 10000 * (hi - lo);
        KsPoint pt{};
        s->ValueToPt(v, &pt, false);
        const SInt32 vi = SInt32(v);
        const double frac = hi == lo ? 0 : (double(vi) - lo) / (hi - lo);
        const double want = vertical ? b - frac * (b - a) : a + frac * (b - a);
        EXPECT_NEAR(vertical ? pt.v : pt.h, want, 1.0) << i;
        double back = 0;
        s->PtToValue(pt, &back, false);
        EXPECT_NEAR(back, vi, (hi - lo) / std::max(b - a, 1.0) + 1) << i;
        // The ends of the track answer the visible limits.
        const KsPoint end = vertical ? KsPoint{pt.h, in.bottom + 50} : KsPoint{in.left - 50, pt.v};
        s->PtToValue(end, &back, false);
        EXPECT_EQ(back, lo) << i;
        s->Dispose();
    }
}

} // namespace
