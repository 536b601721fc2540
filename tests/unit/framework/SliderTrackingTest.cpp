// Sliders driven through the event loop: drags of every kind, clicks on the
// thumb, snapping back, Shift stepping, and typing into thin sliders.
#include "GadgetTestSupport.h"
#include "KsSliderKinds.h"
#include "MacText.h"

#include <cstring>

namespace {

constexpr UInt8 kShiftKey = 0x38;

class SliderTracking : public GadgetTest {
protected:
    void SetUp() override {
        GadgetTest::SetUp();
        HookCalls().clear();
    }
    // A point of the slider's interior, in global coordinates.
    Point At(SInt32 h, SInt32 v) const {
        Point pt{SInt16(v), SInt16(h)};
        SetPortWindowPort(win->GetWindowPtr());
        LocalToGlobal(&pt);
        return pt;
    }
    Point Off(Point p, SInt16 dh, SInt16 dv = 0) const {
        return Point{SInt16(p.v + dv), SInt16(p.h + dh)};
    }
};

TEST_F(SliderTracking, EveryKindFollowsADrag) {
    for (const SliderKind& k : SliderKinds()) {
        SCOPED_TRACE(k.name);
        ASlider* s = k.make(main, 20, 40, 240, 24, 0, 0, 100);
        s->SetTrackHook(RecordHook);
        HookCalls().clear();
        Settle();
        const KsRect t = s->GetTrackRect();
        const Point mid = At((t.left + t.right) / 2, (t.top + t.bottom) / 2);
        double want = 100; // dragged past the far end
        Point from = At(t.left + 1, (t.top + t.bottom) / 2), to = Off(mid, 400);
        if (std::strcmp(k.name, "ATreadMill") == 0) {
            from = mid; // the belt moves a step per pixel wherever it is held
            to = Off(mid, 30);
            want = 30;
        } else if (std::strcmp(k.name, "AWindMill") == 0) {
            from = Off(mid, 0, -8); // straight up: the middle of the sweep
            to = Off(mid, 8);       // a quarter turn on: 225 of 270 degrees
            want = 83;
        }
        Gesture(from, {Off(from, 3), to});
        EXPECT_EQ(s->GetValue(), want);
        ASSERT_FALSE(HookCalls().empty());
        EXPECT_EQ(HookCalls().back(), want);
        s->Dispose();
    }
}

TEST_F(SliderTracking, ThumbClickWithoutMovingAndSnappingBackKeepTheValue) {
    ASlider* s = ASlider::New(main, 20, S, 240, 40, S, 24, 50, 0, 100);
    Settle();
    KsRect thumb{};
    s->FindThumbRect(&thumb, 50);
    const Point centre = At((thumb.left + thumb.right) / 2 + 2, (thumb.top + thumb.bottom) / 2);
    Gesture(centre);
    EXPECT_EQ(s->GetValue(), 50);
    s->SetSnapsBack(true);
    Gesture(centre, {Off(centre, 5), Off(centre, 60)});
    EXPECT_EQ(s->GetValue(), 50);
}

TEST_F(SliderTracking, ShiftDragStepsByTheIncrement) {
    ASlider* s = ASlider::New(main, 20, S, 240, 40, S, 24, 10, 0, 100);
    Settle();
    KsRect thumb{};
    s->FindThumbRect(&thumb, 10);
    const Point c = At((thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2);
    backend->ScriptKeyDown(KsGetTicks() + 1, kShiftKey);
    KsAdvanceVirtualClockToTick(KsGetTicks() + 2);
    Gesture(c, {Off(c, 2), Off(c, 9), Off(c, 30), Off(c, 20)}, 5);
    // Three moves right and one left.
    EXPECT_EQ(s->GetValue(), 12);
}

TEST_F(SliderTracking, TypingCommitsAtTheBufferBound) {
    struct Case {
        const char* keys;
        double lo, hi;
        double want;
        const char* buffer; // left in the typing buffer
    } cases[] = {
        {"4", 0, 99, 4, "4"},    {"42", 0, 99, 42, ""},    {"0", 0, 99, 0, ""},
        {"-7", -5, 99, -5, "7"}, {"123", 0, 999, 123, ""}, {"77\r", 0, 9999, 77, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        AThinSlider* s = AThinSlider::New(main, 20, S, 240, 40, S, 24, 1, c.lo, c.hi, "Gain", 9);
        s->Activate();
        for (const char* k = c.keys; *k; ++k)
            EXPECT_TRUE(s->DoKeyDown(*k, 0, nullptr, nullptr));
        EXPECT_EQ(s->GetValue(), c.want);
        EXPECT_STREQ(s->GetKeyBuffer(), c.buffer);
        s->Dispose();
    }
}

TEST_F(SliderTracking, ArrowsStepAndTextsFollow) {
    AThinSlider* s = AThinSlider::New(main, 20, S, 240, 40, S, 24, 0.25, 0, 10, "Gain", 9);
    s->SetFloatingPoint(true);
    s->SetInc(0.05);
    s->SetValueText();
    EXPECT_STREQ(s->GetValueText()->GetText(), " 0.25");
    EXPECT_FALSE(s->DoKeyDown(0, 0x7C, nullptr, nullptr)) << "keys wait for the focus";
    s->Activate();
    EventRecord shift{};
    shift.modifiers = shiftKey;
    EXPECT_TRUE(s->DoKeyDown(0, 0x7C, &shift, nullptr));
    EXPECT_NEAR(s->GetValue(), 0.75, 1e-9);
    EXPECT_TRUE(s->DoKeyDown(0, 0x7B, nullptr, nullptr));
    EXPECT_NEAR(s->GetValue(), 0.70, 1e-9);
    EXPECT_STREQ(s->GetValueText()->GetText(), " 0.70");
    EXPECT_FALSE(s->DoKeyDown('\t', 0x30, nullptr, nullptr));
    s->SetDrawMinus(false);
    s->SetMinMax(-3, -10, 10);
    EXPECT_STREQ(s->GetValueText()->GetText(), " 3.00");
}

} // namespace
