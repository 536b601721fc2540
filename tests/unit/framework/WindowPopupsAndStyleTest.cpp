// The About window, pop-ups that live while the button is held and the ghost
// outline of a torn-off one, and the old-style look handed to the main pane.
#include "APane.h"
#include "AWindowPrivate.h"
#include "AWindowTestSupport.h"
#include "AboutBoxWindow.h"
#include "KsWindowShell.h"

#include <vector>

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

TEST_F(AWindowTest, OldStyleReachesTheMainPaneAndRepaintsOnlyOnChange) {
    ProbeWindow* w = ProbeWindow::Make("Old");
    w->SetContentSize(120, 90);
    w->SelectAndShow();
    APane* main = w->GetMainPane();
    ASSERT_NE(main, nullptr);
    WindowPtr wp = w->GetWindowPtr();
    auto settle = [&] {
        BeginUpdate(wp);
        EndUpdate(wp);
    };
    settle();
    EXPECT_FALSE(main->GetFlag(kPaneOldStyleLook));
    w->SetIsOldStyle(true);
    EXPECT_TRUE(main->GetFlag(kPaneOldStyleLook));
    EXPECT_FALSE(KsRgnRef(wp->updateRgn).IsEmpty()) << "the new look is drawn";
    settle();
    w->SetIsOldStyle(true);
    EXPECT_TRUE(KsRgnRef(wp->updateRgn).IsEmpty()) << "nothing changed";
    w->SetIsOldStyle(false);
    EXPECT_FALSE(main->GetFlag(kPaneOldStyleLook));
    EXPECT_FALSE(KsRgnRef(wp->updateRgn).IsEmpty());
    EXPECT_TRUE(main->GetFlag(kPaneFixLeft)) << "other flags are kept";
}

// Looks at the desktop each time the pop-up polls the mouse.
class GhostWindow : public ProbeWindow {
public:
    struct Look {
        KsRect ghost;    // where the outline should be
        int edgeChanged; // of 16 pixels along its top edge
        int rimChanged;  // of 16 pixels in the rows just above and below it
    };
    std::vector<UInt32> before; // the desktop before the pop-up
    std::vector<Look> looks;
    Point start{};

    void DoingPopup(KsPoint, bool useGhost, bool inside, bool) override {
        if (!useGhost || inside) return;
        const KsRect popup = KsStructureRect(GetWindowPtr());
        const Point now = KsGetGlobalMouse();
        // Pressed on the pop-up's frame, the ghost starts over the pop-up
        // itself; only ghosts over the bare desktop are looked at.
        if (now.h == start.h && now.v == start.v) return;
        const KsRect g = popup.Offsetted(now.h - start.h, now.v - start.v);
        Look look{g, 0, 0};
        for (SInt32 h = g.left + 8; h < g.left + 24; ++h) {
            look.edgeChanged += Changed(h, g.top);
            look.rimChanged += Changed(h, g.top - 1) + Changed(h, g.top + 1);
        }
        looks.push_back(look);
    }
    int Changed(SInt32 h, SInt32 v) const {
        pixman_image_t* img = KsGetDesktopPort()->surface->image;
        const SInt32 stride = pixman_image_get_stride(img) / 4;
        auto* p = reinterpret_cast<UInt32*>(pixman_image_get_data(img));
        return (p[v * stride + h] & 0xFFFFFF) != before[std::size_t(v * stride + h)];
    }
    void Snapshot() {
        pixman_image_t* img = KsGetDesktopPort()->surface->image;
        auto* p = reinterpret_cast<UInt32*>(pixman_image_get_data(img));
        const std::size_t n = std::size_t(pixman_image_get_stride(img) / 4) *
                              std::size_t(pixman_image_get_height(img));
        before.assign(p, p + n);
        for (UInt32& px : before)
            px &= 0xFFFFFF;
    }
};

TEST_F(AWindowTest, ATornOffPopupShowsAGhostOutlineThatLeavesNoTrace) {
    auto* w = new GhostWindow;
    w->IWindow("Menu", nullptr, nullptr, 1, 1, 1, 0, 0, 2);
    w->SetContentSize(120, 90);
    SetPortWindowPort(w->GetWindowPtr());
    w->Snapshot();
    w->start = P(200, 200);
    // Held at (200, 200), dragged out to two places far from the pop-up.
    Gesture(P(200, 200), {P(700, 500), P(900, 600)});
    w->Popup(KsPoint{200, 200}, true, true, 2, false);

    ASSERT_GE(w->looks.size(), 2u);
    const GhostWindow::Look& first = w->looks.front();
    const GhostWindow::Look& last = w->looks.back();
    EXPECT_NE(first.ghost, last.ghost);
    for (const GhostWindow::Look* look : {&first, &last}) {
        // A gray outline: every other pixel of the edge flips, nothing beside it.
        EXPECT_EQ(look->edgeChanged, 8);
        EXPECT_EQ(look->rimChanged, 0);
    }
    // The window went where the last ghost was; the first ghost left no trace.
    const KsRect now = w->GetWindowRect(kKsNoScreen);
    EXPECT_EQ(now.left, last.ghost.left);
    EXPECT_EQ(now.top, last.ghost.top);
    int traces = 0;
    for (SInt32 h = first.ghost.left; h < first.ghost.right; ++h)
        traces += w->Changed(h, first.ghost.top) + w->Changed(h, first.ghost.bottom - 1);
    for (SInt32 v = first.ghost.top; v < first.ghost.bottom; ++v)
        traces += w->Changed(first.ghost.left, v) + w->Changed(first.ghost.right - 1, v);
    EXPECT_EQ(traces, 0);
}

} // namespace
