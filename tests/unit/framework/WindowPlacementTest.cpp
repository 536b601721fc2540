// Window placement: rectangles, screens, home, tiling, snapping, grow limits,
// growing and zooming, and the zoom animation's outlines.
#include "AScreenManOS.h"
#include "AWindowTestSupport.h"
#include "KsExpandBox.h"
#include "KsHeadlessDesk.h"

#include <vector>

namespace {

KsRect Content(AWindow* w) {
    Rect c{};
    KsGetWindowContentRect(w->GetWindowPtr(), &c);
    return KsRect{c.left, c.top, c.right, c.bottom};
}

TEST_F(AWindowTest, NewWindowFillsTheMainScreenBelowTheMenuBar) {
    ProbeWindow* w = ProbeWindow::Make();
    EXPECT_EQ(w->GetWindowRect(kKsNoScreen), (KsRect{3, 23, 1277, 797}));
    EXPECT_FALSE(w->IsVisible());
    EXPECT_TRUE(w->IsInitialized());
    EXPECT_EQ(GetWindowKind(w->GetWindowPtr()), SInt16(7 << 12 | 64));
}

TEST_F(AWindowTest, RectanglesAreMadeGlobalAndKeptOnScreen) {
    backend->SetScreens({{1280, 800}, {640, 480}});
    ProbeWindow* w = ProbeWindow::Make();
    w->SetWindowToRect(kKsNoScreen, 100, 100, 400, 300);
    EXPECT_EQ(w->GetWindowRect(kKsNoScreen), (KsRect{100, 100, 400, 300}));
    w->SetWindowToRect(1, 10, 20, 110, 120);
    EXPECT_EQ(w->GetWindowRect(kKsNoScreen), (KsRect{1290, 20, 1390, 120}));
    EXPECT_EQ(w->GetWindowRect(1), (KsRect{10, 20, 110, 120}));

    w->SetWindowWidHei(kKsNoScreen, 200, 150);
    EXPECT_EQ(w->GetWindowRect(kKsNoScreen), (KsRect{1290, 20, 1490, 170}));
    w->SetWindowTopLeft(kKsNoScreen, 50, 60);
    EXPECT_EQ(w->GetWindowRect(kKsNoScreen), (KsRect{50, 60, 250, 210}));
    w->OffsetWindow(5, -5);
    EXPECT_EQ(w->GetWindowRect(kKsNoScreen), (KsRect{55, 55, 255, 205}));

    // A rectangle on no screen is pulled onto one.
    w->SetWindowToRect(kKsNoScreen, 5000, 5000, 5100, 5080);
    KsRect r = w->GetWindowRect(kKsNoScreen);
    EXPECT_EQ(r.Width(), 100);
    EXPECT_TRUE(KsRect({0, 0, 1920, 800}).Contains(r));
    // ... or goes home when it has one.
    w->SetHomeRect(kKsNoScreen, KsRect{30, 40, 230, 240});
    w->SetWindowToRect(kKsNoScreen, -900, -900, -800, -800);
    EXPECT_EQ(w->GetWindowRect(kKsNoScreen), (KsRect{30, 40, 230, 240}));

    // A title bar that would be under the menu bar or off the desktop:
    // the window keeps the size and is centred on the main screen.
    w->SetWindowToRect(kKsNoScreen, 100, -10, 300, 190);
    r = w->GetWindowRect(kKsNoScreen);
    EXPECT_EQ(r.Width(), 200);
    EXPECT_EQ(r.left, 540);
    w->SetTBarCanGoOff(true);
    w->SetWindowToRect(kKsNoScreen, 100, -10, 300, 190);
    EXPECT_EQ(w->GetWindowRect(kKsNoScreen), (KsRect{100, -10, 300, 190}));
    // Every placement tells the window.
    w->Take();
    w->SetWindowTopLeft(kKsNoScreen, 100, 100);
    EXPECT_EQ(w->Take(), std::vector<std::string>{"Resize 0 0"});
}

TEST_F(AWindowTest, MoveWindowStopsAtZeroAndContentSizeConverts) {
    ProbeWindow* w = ProbeWindow::Make();
    w->SetWindowToRect(kKsNoScreen, 100, 100, 400, 300);
    w->MoveWindow(kKsNoScreen, -40, -7, false);
    EXPECT_EQ(w->GetWindowRect(kKsNoScreen), (KsRect{0, 0, 300, 200}));
    w->SetWindowToRect(kKsNoScreen, 100, 100, 400, 300);
    const KsRect c = Content(w);
    w->SetContentSize(-32768, -32768);
    EXPECT_EQ(Content(w), c);
    w->SetContentSize(250, -32768);
    EXPECT_EQ(Content(w).Width(), 250);
    EXPECT_EQ(Content(w).Height(), c.Height());
}

TEST_F(AWindowTest, RelativeMovesCentringAndHome) {
    ProbeWindow* w = ProbeWindow::Make();
    w->SetWindowToRect(kKsNoScreen, 100, 100, 300, 200);
    w->MoveWindowRelative(kKsNoScreen, -32768, 10, 20, -32768);
    EXPECT_EQ(w->GetWindowRect(kKsNoScreen), (KsRect{1060, 30, 1260, 130}));
    w->MoveWindowRelative(kKsNoScreen, 0, -32768, 0, 0);
    EXPECT_EQ(w->GetWindowRect(kKsNoScreen), (KsRect{0, 700, 1280, 800}));

    w->SetWindowToRect(kKsNoScreen, 100, 100, 300, 200);
    w->GoCenter();
    EXPECT_EQ(w->GetWindowRect(kKsNoScreen), (KsRect{540, 360, 740, 460}));

    EXPECT_FALSE(w->HasHome());
    int s = 99;
    KsRect home{};
    EXPECT_FALSE(w->GetHome(&s, &home));
    w->SetHomeRect(0, KsRect{10, 40, 110, 140});
    EXPECT_TRUE(w->GetHome(&s, &home));
    EXPECT_EQ(s, 0);
    w->GoHome();
    EXPECT_EQ(w->GetWindowRect(kKsNoScreen), (KsRect{10, 40, 110, 140}));
}

TEST_F(AWindowTest, TilingKeepsTheSizeUnlessBothEdgesAlign) {
    ProbeWindow* a = ProbeWindow::Make("A");
    ProbeWindow* b = ProbeWindow::Make("B");
    a->SetWindowToRect(kKsNoScreen, 100, 100, 300, 300);
    b->SetWindowToRect(kKsNoScreen, 500, 500, 600, 550);
    b->TileWindowRightOf(a, 4, true, false);
    EXPECT_EQ(b->GetWindowRect(kKsNoScreen), (KsRect{304, 100, 404, 150}));
    b->TileWindowLeftOf(a, 4, false, true);
    EXPECT_EQ(b->GetWindowRect(kKsNoScreen), (KsRect{-4 + 100 - 100, 250, 96, 300}));
    b->TileWindowBelow(a, 2, true, true);
    EXPECT_EQ(b->GetWindowRect(kKsNoScreen), (KsRect{100, 302, 300, 352}));
    b->TileWindowAbove(a, 0, false, false);
    EXPECT_EQ(b->GetWindowRect(kKsNoScreen), (KsRect{100, 50, 300, 100}));
}

TEST_F(AWindowTest, SnapsToANeighbourSevenPixelsAwayButNotElevenNorWhenIconic) {
    ProbeWindow* a = ProbeWindow::Make("A");
    ProbeWindow* b = ProbeWindow::Make("B");
    a->SetWindowToRect(kKsNoScreen, 100, 100, 300, 300);
    a->SetVisible(true);
    b->SetVisible(true);
    short dx = 0, dy = 0;

    b->SetWindowToRect(kKsNoScreen, 307, 150, 407, 250); // 7 to the right of a
    ASSERT_TRUE(b->AnalyzeForSnap(&dx, &dy));
    EXPECT_EQ(dx, -7);
    EXPECT_EQ(dy, 0);
    b->SetWindowToRect(kKsNoScreen, 0, 307, 150, 407); // 7 below a
    ASSERT_TRUE(b->AnalyzeForSnap(&dx, &dy));
    EXPECT_EQ(dx, 0);
    EXPECT_EQ(dy, -7);
    b->SetWindowToRect(kKsNoScreen, 30, 150, 93, 250); // 7 to the left of a
    ASSERT_TRUE(b->AnalyzeForSnap(&dx, &dy));
    EXPECT_EQ(dx, 7);

    b->SetWindowToRect(kKsNoScreen, 311, 150, 411, 250);
    EXPECT_FALSE(b->AnalyzeForSnap(&dx, &dy));
    b->SetWindowToRect(kKsNoScreen, 307, 150, 407, 250);
    b->iconic = true;
    EXPECT_FALSE(b->AnalyzeForSnap(&dx, &dy));
    b->iconic = false;
    a->iconic = true;
    EXPECT_FALSE(b->AnalyzeForSnap(&dx, &dy)) << "iconic neighbours do not pull";
    a->iconic = false;
    a->SetVisible(false);
    EXPECT_FALSE(b->AnalyzeForSnap(&dx, &dy)) << "hidden neighbours do not pull";
}

TEST_F(AWindowTest, DraggingSnapsOntoTheNeighbour) {
    ProbeWindow* a = ProbeWindow::Make("A");
    auto* b = new AWindow;
    b->IWindow("B", nullptr, nullptr, 1, 1, 1, 0, 0, 0);
    a->SetWindowToRect(kKsNoScreen, 100, 100, 300, 300);
    b->SetWindowToRect(kKsNoScreen, 500, 150, 600, 250);
    a->SetVisible(true);
    b->SelectAndShow();
    // Title bar of b at (550, 155): drag it 193 left, to 7 px right of a.
    EventRecord e = Gesture(P(550, 155), {P(450, 155), P(357, 155)});
    b->SendMsg(wmDrag, &e, 0, 0);
    EXPECT_EQ(b->GetWindowRect(kKsNoScreen), (KsRect{300, 150, 400, 250}));
    b->SetSnapOnDrag(false);
    e = Gesture(P(350, 155), {P(360, 155), P(371, 155)});
    b->SendMsg(wmDrag, &e, 0, 0);
    EXPECT_EQ(b->GetWindowRect(kKsNoScreen), (KsRect{321, 150, 421, 250}));
}

TEST_F(AWindowTest, GrowLimitsDefaultRoundTripAndClamp) {
    ProbeWindow* w = ProbeWindow::Make();
    EXPECT_EQ(w->GetOuterGrowLimits(), (KsRect{80, 80, 32767, 32767}));
    w->SetInnerGrowLimits(120, 90, 640, 480);
    EXPECT_EQ(w->GetInnerGrowLimits(), (KsRect{120, 90, 640, 480}));
    const KsRect outer = w->GetOuterGrowLimits();
    EXPECT_GT(outer.left, 120);
    EXPECT_GT(outer.top, 90);
    long zw = 0, zh = 0;
    w->GetZoomMaxes(&zw, &zh);
    EXPECT_EQ(zw, 640);
    EXPECT_EQ(zh, 480);
    // Maxima beyond 16 bits stay at the largest size instead of wrapping.
    w->SetOuterGrowLimits(-5, 80, 100000, 70000);
    EXPECT_EQ(w->GetOuterGrowLimits(), (KsRect{0, 80, 32767, 32767}));
    w->SetInnerGrowLimits(80, 80, 40000, 32767);
    EXPECT_EQ(w->GetOuterGrowLimits().right, 32767);
    EXPECT_EQ(w->GetOuterGrowLimits().bottom, 32767);
}

TEST_F(AWindowTest, GrowingFollowsTheMouseWithinTheLimits) {
    auto* w = new AWindow;
    w->IWindow("G", nullptr, nullptr, 1, 1, 1, 0, 0, 0);
    w->SetWindowToRect(kKsNoScreen, 100, 100, 400, 300);
    w->SelectAndShow();
    // Default maxima: the tracked limit must not wrap to a negative size.
    KsRect before = Content(w);
    EventRecord e =
        Gesture(P(before.right - 2, before.bottom - 2), {P(before.right + 20, before.bottom + 10),
                                                         P(before.right + 48, before.bottom + 28)});
    w->SendMsg(wmGrow, &e, 0, 0);
    EXPECT_EQ(Content(w).Width(), before.Width() + 50);
    EXPECT_EQ(Content(w).Height(), before.Height() + 30);

    // Shrinking stops at the inner minimum.
    w->SetInnerGrowLimits(200, 150, 1000, 700);
    before = Content(w);
    e = Gesture(P(before.right - 2, before.bottom - 2), {P(before.left + 5, before.top + 5)});
    w->SendMsg(wmGrow, &e, 0, 0);
    EXPECT_EQ(Content(w).Width(), 200);
    EXPECT_EQ(Content(w).Height(), 150);
    // The standard limits let the outer size go down to 80 x 80.
    w->SetOuterGrowLimits(80, 80, 32767, 32767);
    before = Content(w);
    e = Gesture(P(before.right - 2, before.bottom - 2), {P(before.left + 1, before.top + 1)});
    w->SendMsg(wmGrow, &e, 0, 0);
    EXPECT_EQ(w->GetWindowRect(kKsNoScreen).Width(), 80);
    EXPECT_EQ(w->GetWindowRect(kKsNoScreen).Height(), 80);
}

TEST_F(AWindowTest, ZoomGoesToTheStandardSizeAndBack) {
    auto* w = new AWindow;
    w->IWindow("Z", nullptr, nullptr, 1, 1, 1, 0, 0, 0);
    w->SetWindowToRect(kKsNoScreen, 100, 100, 400, 300);
    w->SetInnerGrowLimits(80, 80, 500, 350);
    w->SelectAndShow();
    const KsRect user = Content(w);
    EXPECT_FALSE(w->SetZoomStdState());
    w->SendMsg(wmZoomOut, nullptr, 0, 0);
    KsRect z = Content(w);
    EXPECT_EQ(z.Width(), 500);
    EXPECT_EQ(z.Height(), 350);
    EXPECT_EQ(z.TopLeft(), user.TopLeft());
    EXPECT_TRUE(w->SetZoomStdState());
    w->SendMsg(wmZoomIn, nullptr, 0, 0);
    EXPECT_EQ(Content(w), user);
    // Maxima larger than the screen give the work area, pulled onto it.
    w->SetOuterGrowLimits(80, 80, 32767, 32767);
    w->SendMsg(wmZoomOut, nullptr, 0, 0);
    z = Content(w);
    Rect s{};
    KsGetWindowStructureRect(w->GetWindowPtr(), &s);
    EXPECT_EQ(s.top, 20);
    EXPECT_EQ(s.bottom, 800);
    EXPECT_GE(s.left, 0);
    EXPECT_LE(s.right, 1280);
}

// The bounds of the desktop pixels that differ from a snapshot, taken on
// every pump; distinct consecutive bounds only.
struct PumpWatch {
    GrafPtr desk = nullptr;
    std::vector<std::uint32_t> before;
    std::vector<KsRect> shown;
    KsPumpHook previous;

    static void Pump(void* data) {
        auto* w = static_cast<PumpWatch*>(data);
        const std::vector<std::uint32_t> now = AllPixels(w->desk);
        const int stride = pixman_image_get_stride(w->desk->surface->image) / 4;
        KsRect box{};
        bool any = false;
        for (std::size_t i = 0; i < now.size(); ++i) {
            if (now[i] == w->before[i]) continue;
            const SInt32 h = SInt32(i % std::size_t(stride)), v = SInt32(i / std::size_t(stride));
            box = any ? box.Union(KsRect{h, v, h + 1, v + 1}) : KsRect{h, v, h + 1, v + 1};
            any = true;
        }
        if (any && (w->shown.empty() || !(w->shown.back() == box))) w->shown.push_back(box);
        if (w->previous.proc) w->previous.proc(w->previous.data);
    }
};

TEST(ExpandBox, ShowsGrowingOutlinesAndRestoresTheDesktop) {
    HeadlessDesk desk(240, 180);
    PumpWatch watch;
    watch.desk = KsGetDesktopPort();
    ASSERT_NE(watch.desk, nullptr);
    watch.before = AllPixels(watch.desk);
    watch.previous = KsSetPumpHook({PumpWatch::Pump, &watch});
    const KsRect from{20, 30, 30, 40}, to{100, 80, 180, 130};
    ExpandBoxOnDesktop(from, to);
    KsSetPumpHook(watch.previous);

    ASSERT_EQ(watch.shown.size(), std::size_t(kExpandBoxSteps));
    EXPECT_EQ(watch.shown.back(), to);
    for (std::size_t i = 1; i < watch.shown.size(); ++i) {
        EXPECT_GT(watch.shown[i].Width(), watch.shown[i - 1].Width()) << i;
        EXPECT_GE(watch.shown[i].left, watch.shown[i - 1].left) << i;
    }
    EXPECT_TRUE(AllPixels(watch.desk) == watch.before);
}

TEST(ExpandBox, DoesNothingWithoutADesktop) {
    HeadlessDesk desk(100, 100, DeskWith::eventsOnly);
    ASSERT_EQ(KsGetDesktopPort(), nullptr);
    ExpandBoxOnDesktop({0, 0, 10, 10}, {0, 0, 50, 50}); // must not crash
}

} // namespace
