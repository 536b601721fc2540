// The About window, and pop-ups that live while the button is held.
#include "APane.h"
#include "AWindowPrivate.h"
#include "AWindowTestSupport.h"
#include "AboutBoxWindow.h"
#include "KsWindowShell.h"

namespace {

TEST_F(AWindowTest, AboutBoxIsCentredInLayerThreeAndOnlyHidesWhenClosed) {
    auto* about = new AboutBoxWindow;
    about->IAboutBoxWindow();
    EXPECT_EQ(KsGetWindowLayer(about->GetWindowPtr()), 3);

    about->SelectAndShow();
    EXPECT_TRUE(about->IsVisible());
    const KsRect r = about->GetWindowRect(kKsNoScreen);
    EXPECT_EQ(r.left, (1280 - r.Width()) / 2);
    EXPECT_EQ(r.top, (800 - r.Height()) / 2);

    about->SendMsg(wmDeactivate, nullptr, 0, 0);
    EventRecord ev{};
    ev.where = Point{SInt16(r.top + 60), SInt16(r.left + 60)};
    about->SendMsg(wmClick, &ev, 0, 0);
    EXPECT_FALSE(about->IsVisible());
    EventRecord idle{};
    about->SendMsg(wmIdle, &idle, 0, 0);
    ASSERT_TRUE(KsIsLiveWindow(about)) << "the same window serves the next use";
    about->SelectAndShow();
    EXPECT_TRUE(about->IsVisible());
}

TEST_F(AWindowTest, PopupShowsThePaneTreeWhileHeldAndAnswersThePaneReleasedOn) {
    ProbeWindow* w = ProbeWindow::Make("Menu");
    w->SetContentSize(120, 90);
    SetPortWindowPort(w->GetWindowPtr());
    APane* item =
        APane::New(w->GetMainPane(), 0, 0, kPaneDontCare, 30, kPaneDontCare, 30, RGBgray9, 0);
    item->SetPaneID("Item");
    WindowPtr own = w->GetWindowPtr();
    const SInt16 ownLayer = KsGetWindowLayer(own);

    // Held at (200, 200), moved onto the item, released there.
    backend->ScriptPress(t + 1, 200, 200);
    backend->ScriptMove(t + 2, 220, 240);
    backend->ScriptMove(t + 3, 230, 245);
    backend->ScriptRelease(t + 4, 230, 245);
    KsAdvanceVirtualClockToTick(t + 1);
    EventRecord down{};
    ASSERT_TRUE(WaitNextEvent(mDownMask, &down, 10, nullptr));
    APane* chosen = w->Popup(KsPoint{200, 200}, false, true, 2, false);
    EXPECT_EQ(chosen, item);
    EXPECT_EQ(w->GetWindowPtr(), own) << "the own toolbox window is back";
    EXPECT_EQ(GetWindowKind(own) & 0x0FFF, 64);
    EXPECT_EQ(KsGetWindowLayer(own), ownLayer);
    EXPECT_EQ(GetWindowObj(own), w);
    int windows = 0;
    for (WindowPtr x = KsGetWindowList(); x; x = GetNextWindow(x))
        ++windows;
    EXPECT_EQ(windows, 1) << "the pop-up window is gone";
    EXPECT_EQ(w->GetMainPane()->GetEnclWindow(), w);
}

} // namespace
