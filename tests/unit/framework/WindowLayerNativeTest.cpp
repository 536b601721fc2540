// The native helpers as they mean on the desktop.
#include "KsNativeWindow.h"
#include "WindowLayerTestSupport.h"

TEST_F(WindowLayerTest, CentringKeepsTheWindowInsideTheAreaBelowTheMenuBar) {
    WindowPtr w = Shown(7, 64, 40, 60);
    SInt32 l = 0, t = 0, r = 0, b = 0;
    GetMainWndSize(&l, &t, &r, &b);
    EXPECT_EQ(KsRect(l, t, r, b), (KsRect{0, 20, 640, 480}));

    CenterWindowInWindow(w, nullptr);
    ASSERT_TRUE(GetWindowWRect(w, &l, &t, &r, &b));
    EXPECT_NEAR(l - 0, 640 - r, 1); // an odd leftover goes below or right
    EXPECT_NEAR(t - 20, 480 - b, 1);

    // Over a parent near the top-left corner: pulled back inside.
    WindowPtr parent = Shown(7, 64, 2, 22);
    SizeWindow(parent, 10, 10, false);
    CenterWindowInWindow(w, parent);
    ASSERT_TRUE(GetWindowWRect(w, &l, &t, &r, &b));
    EXPECT_EQ(l, 0);
    EXPECT_EQ(t, 20);
    EXPECT_FALSE(GetWindowWRect(reinterpret_cast<void*>(&l), &l, &t, &r, &b));
    EXPECT_EQ(l, 0); // left as it was
}

TEST_F(WindowLayerTest, MinimisingHidesAndRestoringShowsInTheSamePlace) {
    WindowPtr a = Shown(7, 64, 40, 60);
    WindowPtr b = Shown(7, 64, 300, 60);
    SInt32 l0, t0, r0, b0, l, t, r, bt;
    GetWindowWRect(b, &l0, &t0, &r0, &b0);
    MinimizeWindow(b);
    EXPECT_TRUE(KsIsIconic(b));
    EXPECT_FALSE(b->visible);
    EXPECT_EQ(KsGetActiveWindow(), a);
    GetWindowWRect(b, &l, &t, &r, &bt);
    EXPECT_EQ(KsRect(l, t, r, bt), KsRect(l0, t0, r0, b0));
    RestoreMinimizedWindows();
    EXPECT_FALSE(KsIsIconic(b));
    EXPECT_TRUE(b->visible);
    EXPECT_EQ(KsGetActiveWindow(), b);
}

TEST_F(WindowLayerTest, FloatingTableHoldsNineAndForgetsDisposedWindows) {
    std::vector<WindowPtr> ws;
    for (int i = 0; i < kKsFloatingWindowSlots; ++i) {
        ws.push_back(Shown(3, 64, SInt16(10 + 20 * i), 100));
        EXPECT_EQ(KsAddFloatingWindow(ws.back()), i + 1);
    }
    WindowPtr extra = Shown(3);
    EXPECT_EQ(KsAddFloatingWindow(extra), 0);
    EXPECT_EQ(IsFloatingWindow(ws[4]), 5);
    EXPECT_TRUE(IsActivatableFWVisible());
    EXPECT_TRUE(IntersectWithAnyFloatingWindow(KsRect{95, 110, 96, 111}));
    Forget(ws[4]);
    EXPECT_EQ(KsAddFloatingWindow(extra), 5);
    for (WindowPtr w : ws)
        if (w != ws[4]) ChangeWindowToToolbar(w);
    ChangeWindowToToolbar(extra);
    EXPECT_FALSE(IsActivatableFWVisible());
}

TEST_F(WindowLayerTest, StylesAreKeptPerWindowAndTopmostWindowsObstruct) {
    WindowPtr w = Shown(2, 64, 100, 100);
    EXPECT_EQ(KsGetWindowStyles(w), UInt32(kKsStyleDefault));
    RemoveWindowStyles(w, true, true, false, false, false);
    EXPECT_EQ(KsGetWindowStyles(w),
              UInt32(kKsStyleSystemMenu | kKsStyleCaption | kKsStyleResizeFrame));
    EXPECT_FALSE(KsWinIsRectObstructedByTopmost(KsRect{120, 120, 130, 130}));
    SetWindowAlwaysOnTop(w, true);
    EXPECT_TRUE(KsWinIsRectObstructedByTopmost(KsRect{120, 120, 130, 130}));
    EXPECT_FALSE(KsWinIsRectObstructedByTopmost(KsRect{500, 400, 510, 410}));
    KsHideWindow(w);
    EXPECT_FALSE(KsWinIsRectObstructedByTopmost(KsRect{120, 120, 130, 130}));
}
