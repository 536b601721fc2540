// Structure, content, visible and update regions of overlapping windows, and
// what hiding, moving, resizing and reordering expose.
#include "WindowTestSupport.h"

#include <random>

namespace {

class WindowRegion : public WindowTest {};

// The structure of a document window around content (l, t, r, b).
KsRect DocStruc(KsRect c) {
    return {c.left - 1, c.top - 22, c.right + 1, c.bottom + 1};
}

TEST_F(WindowRegion, VisibleRegionsOfOverlappingWindows) {
    WindowPtr a = Doc(R(100, 100, 300, 250));
    WindowPtr b = Doc(R(200, 150, 400, 300));
    EXPECT_EQ(Struc(a), KsRgn(DocStruc({100, 100, 300, 250})));
    EXPECT_EQ(Cont(b), KsRgn(KsRect{200, 150, 400, 300}));
    EXPECT_EQ(VisGlobal(b), Cont(b));
    EXPECT_EQ(VisGlobal(a), Cont(a) - KsRgn(DocStruc({200, 150, 400, 300})));
    // The port maps local (0, 0) to the content's corner.
    SetPortWindowPort(a);
    Point p = P(0, 0);
    LocalToGlobal(&p);
    EXPECT_EQ(ToKsPoint(p), (KsPoint{100, 100}));
    GlobalToLocal(&p);
    EXPECT_EQ(ToKsPoint(p), (KsPoint{0, 0}));
    EXPECT_EQ(a->portRect.right, 200);
    EXPECT_EQ(a->portRect.bottom, 150);

    // The menu bar strip is never part of a window's visible region.
    WindowPtr top = Doc(R(10, 5, 100, 60));
    EXPECT_EQ(VisGlobal(top), KsRgn(KsRect{10, kKsMenuBarHeight, 100, 60}));
}

TEST_F(WindowRegion, HidingExposesWhatTheWindowCovered) {
    WindowPtr a = Doc(R(100, 100, 300, 250));
    WindowPtr b = Doc(R(200, 150, 400, 300));
    KsRgn bStruc = Struc(b);
    ASSERT_TRUE(Update(a).IsEmpty());
    HideWindow(b);
    EXPECT_EQ(Update(a), Cont(a) & bStruc);
    EXPECT_EQ(VisGlobal(a), Cont(a));
    EXPECT_TRUE(VisGlobal(b).IsEmpty());
    // The desktop shows again where nothing else is; exposed content is erased.
    EXPECT_EQ(Px(390, 290), Rgb(KsGetDesktopColor()));
    EXPECT_EQ(Px(250, 200), Rgb(a->colors[kKsWinContentColor]));
    // Showing it again invalidates all of its content and none of a's.
    ValidateAll();
    ShowWindow(b);
    EXPECT_EQ(Update(b), Cont(b));
    EXPECT_TRUE(Update(a).IsEmpty());
}

TEST_F(WindowRegion, MovingKeepsPixelsAndExposesOnlyWhatWasHidden) {
    WindowPtr a = Doc(R(100, 100, 300, 250));
    WindowPtr b = Doc(R(200, 150, 400, 300));
    // A red mark in b's content.
    SetPortWindowPort(b);
    Rect mark = R(10, 10, 20, 20);
    RGBColor red{0xFFFF, 0, 0};
    PaintRGBRect(&mark, &red);
    KsRgn oldB = Struc(b);
    MoveWindow(b, 250, 200, false);
    EXPECT_EQ(Px(260 + 5, 210 + 5), 0xFF0000u); // the mark moved with the window
    EXPECT_EQ(Px(215, 165), Rgb(a->colors[kKsWinContentColor]));
    EXPECT_TRUE(Update(b).IsEmpty()); // it was wholly visible: nothing to redraw
    EXPECT_EQ(Update(a), (Cont(a) & oldB) - Struc(b));
    EXPECT_EQ(VisGlobal(a), Cont(a) - Struc(b));

    // Moving a window out from behind another exposes only its hidden part.
    ValidateAll();
    SelectWindow(a); // a in front now; part of b hidden
    ValidateAll();
    KsRgn hiddenBefore = Cont(b) - VisGlobal(b);
    MoveWindow(b, 400, 300, false);
    KsRgn hiddenMoved = hiddenBefore;
    hiddenMoved.Offset(150, 100);
    EXPECT_EQ(Update(b), hiddenMoved & VisGlobal(b));
    EXPECT_FALSE(Update(b).IsEmpty());
}

TEST_F(WindowRegion, ResizingExposesTheStripsThatChanged) {
    WindowPtr a = Doc(R(100, 100, 300, 250));
    WindowPtr b = Doc(R(200, 150, 400, 300));
    KsRgn oldB = Struc(b);
    SizeWindow(b, 50, 50, true);
    EXPECT_EQ(Update(a), (Cont(a) & oldB) - Struc(b));
    EXPECT_TRUE(Update(b).IsEmpty()); // shrinking leaves no new content
    ValidateAll();
    SizeWindow(b, 120, 80, true);
    EXPECT_EQ(Update(b), Cont(b) - KsRgn(KsRect{200, 150, 250, 200}));
    ValidateAll();
    // Without fUpdate the new strip is not invalidated.
    SizeWindow(b, 150, 100, false);
    EXPECT_TRUE(Update(b).IsEmpty());
    // Moving and sizing in one step.
    Rect c = R(20, 40, 120, 140);
    KsSetWindowBounds(a, &c, true);
    EXPECT_EQ(Cont(a), KsRgn(KsRect{20, 40, 120, 140}));
    EXPECT_EQ(Struc(a), KsRgn(DocStruc({20, 40, 120, 140})));
}

TEST_F(WindowRegion, ReorderingExposesTheWindowBroughtForward) {
    WindowPtr a = Doc(R(100, 100, 300, 250));
    WindowPtr b = Doc(R(200, 150, 400, 300));
    KsRgn hidden = Cont(a) - VisGlobal(a);
    BringToFront(a);
    EXPECT_EQ(Update(a), hidden);
    EXPECT_EQ(KsGetWindowList(), a);
    ValidateAll();
    SendBehind(a, nullptr);
    EXPECT_EQ(KsGetWindowList(), b);
    EXPECT_EQ(Update(b), Cont(b) & Struc(a));
}

TEST_F(WindowRegion, InvalAndValidActOnTheCurrentWindowInLocalCoordinates) {
    WindowPtr a = Doc(R(100, 100, 300, 250));
    SetPortWindowPort(a);
    Rect r = R(10, 10, 50, 30);
    InvalRect(&r);
    EXPECT_EQ(Update(a), KsRgn(KsRect{110, 110, 150, 130}));
    Rect v = R(10, 10, 30, 30);
    ValidRect(&v);
    EXPECT_EQ(Update(a), KsRgn(KsRect{130, 110, 150, 130}));
    // Outside the content nothing is recorded.
    Rect out = R(-50, -50, -10, -10);
    InvalRect(&out);
    EXPECT_EQ(Update(a), KsRgn(KsRect{130, 110, 150, 130}));
    // SetOrigin moves local coordinates, not the window.
    SetOrigin(100, 100);
    Rect shifted = R(100, 100, 110, 110);
    InvalRect(&shifted);
    EXPECT_TRUE(Update(a).Contains(KsRect{100, 100, 110, 110}));
    RgnHandle h = NewRgn();
    SetRectRgn(h, 100, 100, 400, 400);
    ValidRgn(h);
    EXPECT_TRUE(Update(a).IsEmpty());
    DisposeRgn(h);
    // The desktop's port is no window: nothing happens.
    KsSetPort(KsGetDesktopPort());
    InvalRect(&r);
    EXPECT_TRUE(Update(a).IsEmpty());
}

// Seeded random operations, each window's visible region checked against a
// reference computed straight from the structures in list order.
TEST_F(WindowRegion, RandomOperationsKeepVisibleRegionsExact) {
    std::mt19937 rng(1234);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const SInt16 procs[] = {documentProc,    dBoxProc,    plainDBox,       altDBoxProc,
                            movableDBoxProc, zoomDocProc, kWindowFloatProc};
    WindowPtr ws[7];
    for (int i = 0; i < 7; ++i) {
        SInt16 l = SInt16(pick(0, 500)), tp = SInt16(pick(0, 380));
        Rect c = R(l, tp, SInt16(l + pick(10, 200)), SInt16(tp + pick(10, 150)));
        ws[i] = NewCWindow(nullptr, &c, nullptr, pick(0, 3) != 0, procs[i],
                           reinterpret_cast<WindowPtr>(-1), true, i);
    }
    for (int step = 0; step < 200; ++step) {
        WindowPtr w = ws[pick(0, 6)];
        switch (pick(0, 5)) {
        case 0:
            ShowWindow(w);
            break;
        case 1:
            HideWindow(w);
            break;
        case 2:
            SelectWindow(w);
            break;
        case 3:
            MoveWindow(w, SInt16(pick(-50, 600)), SInt16(pick(-50, 450)), false);
            break;
        case 4:
            SizeWindow(w, SInt16(pick(0, 300)), SInt16(pick(0, 300)), true);
            break;
        case 5:
            SendBehind(w, ws[pick(0, 6)]);
            break;
        }
        KsRgn covered(KsRect{0, 0, 640, kKsMenuBarHeight});
        for (WindowPtr x = KsGetWindowList(); x; x = GetNextWindow(x)) {
            KsRgn expect = x->visible ? Cont(x) - covered : KsRgn();
            ASSERT_EQ(VisGlobal(x), expect) << "step " << step;
            ASSERT_TRUE((Update(x) - Cont(x)).IsEmpty());
            if (x->visible) covered.Union(Struc(x));
        }
    }
}

} // namespace
