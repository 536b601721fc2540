// Slider values, limits and the mapping between values and points, checked
// against a plain reference of the track geometry; every slider class
// through the object stream and the pane property text, and a record's
// typing bound held to the buffer.
#include "KsPersistRoundTrip.h"
#include "KsSliderKinds.h"
#include "MacText.h"
#include "PaneStream.h"
#include "PaneTestSupport.h"
#include "PaneTextTestSupport.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>

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

using panetext_test::PaneTree;

class SliderPersist : public PaneTest {};

void ExpectSame(ASlider* a, ASlider* b, bool reals) {
    EXPECT_STREQ(b->ClassName(), a->ClassName());
    EXPECT_EQ(b->GetValue(), reals ? a->GetValue() : double(SliderLong(a->GetValue())));
    EXPECT_EQ(b->GetMin(), a->GetMin());
    EXPECT_EQ(b->GetMax(), a->GetMax());
    EXPECT_EQ(b->GetSnapsBack(), a->GetSnapsBack());
    if (reals) {
        EXPECT_EQ(b->GetInc(), a->GetInc());
        EXPECT_EQ(b->GetFloatingPoint(), a->GetFloatingPoint());
    }
    if (!a->IsInstanceOf("AThinSlider")) return;
    auto* ta = static_cast<AThinSlider*>(a);
    auto* tb = static_cast<AThinSlider*>(b);
    EXPECT_EQ(tb->GetLeftMargin(), ta->GetLeftMargin());
    EXPECT_EQ(tb->GetRightMargin(), ta->GetRightMargin());
    EXPECT_EQ(tb->GetKeyDownBufferMax(), ta->GetKeyDownBufferMax());
    EXPECT_EQ(tb->DrawMinus(), ta->DrawMinus());
    EXPECT_STREQ(tb->GetLabel()->GetText(), ta->GetLabel()->GetText());
    EXPECT_STREQ(tb->GetValueText()->GetText(), ta->GetValueText()->GetText());
}

TEST_F(SliderPersist, EveryClassComesBackFromBothFormats) {
    APane* holder = Add(main, 0, S, 380, 0, S, 200, 1);
    for (const SliderKind& k : SliderKinds()) {
        SCOPED_TRACE(k.name);
        ASlider* s = k.make(holder, 10, 10, 300, 24, -7, -20, 50);
        EXPECT_EQ(s->GetClassID(), k.id);
        s->SetSnapsBack(true);
        s->SetFloatingPoint(true);
        s->SetInc(0.25);
        s->SetValueNoUpdate(-7.75);
        if (k.thin) {
            auto* t = static_cast<AThinSlider*>(s);
            t->SetMargins(20, 41);
            t->SetDrawMinus(false);
        }
        ASlider* back = static_cast<ASlider*>(ThroughObjectStream<APane>(s));
        PaneTree holdStream(back);
        ExpectSame(s, back, true);
        auto* copy = static_cast<ASlider*>(s->Copy());
        PaneTree holdCopy(copy);
        ExpectSame(s, copy, true);

        // The text carries whole numbers: a slider of whole numbers reads back
        // equal, and writes the same text again.
        s->SetFloatingPoint(false);
        s->SetValueNoUpdate(-7);
        const std::string text = WritePaneText(holder);
        APane* root = ReadPaneText(text.data(), long(text.size()), nullptr, nullptr);
        PaneTree holdText(root);
        ASSERT_EQ(root->GetNumSubPanes(), 1);
        ExpectSame(s, static_cast<ASlider*>(root->GetSubPane(1)), false);
        EXPECT_EQ(WritePaneText(root), text);
        s->Dispose();
    }
}

// The typing bound read from outside data cannot make typing overrun the
// buffer: it is held to what the buffer takes, and typing commits there.
TEST_F(SliderPersist, ATypingBoundFromOutsideIsHeldToTheBuffer) {
    APane* holder = Add(main, 0, S, 380, 0, S, 200, 1);
    AThinSlider* s = AThinSlider::New(holder, 10, S, 300, 10, S, 24, 0, 0, 1e9, "Big", 9);
    std::string text = WritePaneText(holder);
    const std::string key = "tskdbmax l\t";
    const std::size_t at = text.find(key);
    ASSERT_NE(at, std::string::npos);
    text.replace(at + key.size(), text.find('\r', at) - at - key.size(), "30000");
    APane* root = ReadPaneText(text.data(), long(text.size()), main, win);
    PaneTree hold(root);
    auto* t = static_cast<AThinSlider*>(root->GetSubPane(1));
    EXPECT_EQ(t->GetKeyDownBufferMax(), AThinSlider::kKeyBufferSize - 2);
    t->Activate();
    for (int i = 0; i < 40; ++i)
        ASSERT_TRUE(t->DoKeyDown('1', 0, nullptr, nullptr));
    EXPECT_LT(std::strlen(t->GetKeyBuffer()), std::size_t(AThinSlider::kKeyBufferSize));
    EXPECT_GT(t->GetValue(), 1e8) << "full buffers were committed";
    s->Dispose();
}

} // namespace
