// Tips on the virtual clock: the delay, the quick delay, hiding, placement.
#include "MiniHelp.h"
#include "APane.h"
#include "ApplicationTestSupport.h"
#include "KsAppRouting.h"
#include "KsWindowShell.h"

namespace {

class MiniHelpTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        doc = PlainWin("Doc", 100, 100, 300, 480);
        // Global (120, 130) to (200, 150); a second one near the bottom.
        save = APane::New(doc->GetMainPane(), 20, kPaneDontCare, 80, 30, kPaneDontCare, 20,
                          RGBgray9, 0);
        save->SetHelpText("Save...");
        low = APane::New(doc->GetMainPane(), 20, kPaneDontCare, 80, 455, kPaneDontCare, 20,
                         RGBgray9, 0);
        low->SetHelpText("Low");
    }
    void TearDown() override {
        if (MiniHelpWindow* tip = MiniHelpWindow::Get()) tip->Dispose();
        AppTest::TearDown();
    }
    void Idle(SInt16 h, SInt16 v, long thenWait = 0) {
        KsRouteNullEvent(app, Point{v, h});
        if (thenWait) KsAdvanceVirtualClock(thenWait);
    }
    MiniHelpWindow* Tip() const { return MiniHelpWindow::Get(); }
    bool Shown() const { return Tip() && Tip()->IsVisible(); }
    std::string TipText() const {
        char text[300] = {};
        Tip()->GetTextPane()->GetText(text, sizeof text);
        return text;
    }

    AWindow* doc = nullptr;
    APane* save = nullptr;
    APane* low = nullptr;
};

TEST_F(MiniHelpTest, ShowsAfterTheDelayBelowTheCursorAndHidesWhenLeft) {
    // The first tip after start-up counts as following a hidden one.
    Idle(150, 140, 6);
    ASSERT_NE(Tip(), nullptr);
    EXPECT_EQ(Tip()->GetDelay(), 6);
    EXPECT_EQ(TipText(), "Save") << "a trailing \"...\" is not shown";
    Idle(150, 140, 1);
    EXPECT_FALSE(Shown());
    Idle(150, 140);
    ASSERT_TRUE(Shown());
    EXPECT_EQ(GetWindowObj(KsGetActiveWindow()), doc) << "the tip never takes the activation";
    const KsRect r = Tip()->GetWindowRect(kKsNoScreen);
    EXPECT_EQ(r.top, 140 + 24) << "pushed below the cursor";
    EXPECT_EQ(r.bottom, r.top + 15);
    EXPECT_NEAR((r.left + r.right) / 2, 160, 1) << "centred on the pane";

    Idle(10, 400, 5);
    EXPECT_FALSE(Shown());
    EXPECT_EQ(Tip()->GetHoverRect(), KsRect{});
    Idle(150, 140);
    EXPECT_EQ(Tip()->GetDelay(), 6) << "back within 20 ticks of the hide";
    Idle(10, 400, 30);
    Idle(150, 140, 40);
    EXPECT_EQ(Tip()->GetDelay(), 40);
    const UInt32 requested = Tip()->GetRequestTime();
    Idle(150, 140, 1);
    EXPECT_FALSE(Shown()) << "40 ticks are not yet past the delay";
    EXPECT_EQ(Tip()->GetRequestTime(), requested) << "the same area is not a new request";
    Idle(150, 140);
    EXPECT_TRUE(Shown());
}

TEST_F(MiniHelpTest, NearTheBottomTheTipGoesAboveTheCursor) {
    Idle(150, 560, 7);
    Idle(150, 560);
    ASSERT_TRUE(Shown());
    EXPECT_EQ(Tip()->GetWindowRect(kKsNoScreen).bottom, 560 - 14);
}

// A tip that would leave the desktop at either side is moved back onto it.
TEST_F(MiniHelpTest, TheTipStaysOnTheDesktopAtTheSides) {
    SetPortWindowPort(doc->GetWindowPtr());
    APane* left =
        APane::New(doc->GetMainPane(), 0, kPaneDontCare, 6, 200, kPaneDontCare, 20, RGBgray9, 0);
    left->SetHelpText("A tip wider than its pane");
    MoveWindow(doc->GetWindowPtr(), 0, 100, false);
    Idle(2, 310, 7);
    Idle(2, 310);
    ASSERT_TRUE(Shown());
    EXPECT_EQ(Tip()->GetWindowRect(kKsNoScreen).left, 2);
    HideMiniHelp(false);
    MoveWindow(doc->GetWindowPtr(), 800 - 6, 100, false);
    Idle(797, 310, 30);
    Idle(797, 310, 41);
    Idle(797, 310);
    ASSERT_TRUE(Shown());
    EXPECT_EQ(Tip()->GetWindowRect(kKsNoScreen).right, 800 - 2);
}

TEST_F(MiniHelpTest, ShowingAtOnceAClickAndModalWindows) {
    Idle(150, 140);
    DisplayMiniHelpNow();
    Idle(150, 140, 1);
    Idle(150, 140);
    ASSERT_TRUE(Shown()) << "no delay after DisplayMiniHelpNow";
    EventRecord click = Ev(mouseDown, 0, 150, 140);
    doc->SendMsg(wmClick, &click, 0, 0);
    EXPECT_FALSE(Shown()) << "a click hides the tip";
    EXPECT_EQ(Tip()->GetLastHideTime(), 0u) << "a tip shown at once leaves no hide time";

    char text[] = "Open...";
    DisplayMiniHelp(text, low);
    EXPECT_STREQ(text, "Open...") << "the caller's text is left alone";
    doc->SetIsModal(true);
    const UInt32 before = Tip()->GetRequestTime();
    DisplayMiniHelp("Modal", save);
    EXPECT_EQ(Tip()->GetRequestTime(), before) << "no tips while a modal window is active";
    doc->SetIsModal(false);
}

TEST(MiniHelpDelay, MillisecondsAndTicks) {
    const long was = GetMiniHelpDelay();
    EXPECT_EQ(was, 666);
    for (auto [ms, back] : {std::pair{1000L, 1000L}, {100L, 100L}, {10L, 0L}, {-5L, 0L}}) {
        SetMiniHelpDelay(ms);
        EXPECT_EQ(GetMiniHelpDelay(), back) << ms;
    }
    SetMiniHelpDelay(667); // 40 ticks again
}

} // namespace
