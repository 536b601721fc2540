// Dragging, growing and the title-bar boxes, driven by scripted mouse input.
#include "WindowTestSupport.h"

#include <cstring>
#include <vector>

namespace {

class WindowTrack : public WindowTest {
protected:
    std::vector<UInt32> Snapshot() { return AllPixels(KsGetDesktopPort()); }
};

int gActions = 0;
void CountAction() {
    ++gActions;
}

TEST_F(WindowTrack, DragGrayRgnAnswersTheDeltaWithinLimitAndSlop) {
    Doc(R(100, 100, 300, 250));
    KsSetPort(KsGetDesktopPort());
    RgnHandle rgn = NewRgn();
    SetRectRgn(rgn, 50, 50, 100, 100);
    Rect limit = R(0, 0, 400, 300), slop = R(0, 0, 500, 400);
    auto before = Snapshot();

    ScriptGesture(P(60, 60), {P(70, 65), P(90, 80)});
    gActions = 0;
    EXPECT_EQ(DragGrayRgn(rgn, P(60, 60), &limit, &slop, noConstraint, CountAction),
              (20 << 16) | 30);
    EXPECT_GT(gActions, 0);
    EXPECT_EQ(Snapshot(), before); // the outline is gone, pixels as they were

    // Pinned to the limit (right and bottom excluded), negative deltas packed.
    ScriptGesture(P(60, 60), {P(450, 350)});
    EXPECT_EQ(DragGrayRgn(rgn, P(60, 60), &limit, &slop, noConstraint, nullptr), (239 << 16) | 339);
    ScriptGesture(P(60, 60), {P(40, 30)});
    EXPECT_EQ(DragGrayRgn(rgn, P(60, 60), &limit, &slop, noConstraint, nullptr),
              SInt32((UInt32(UInt16(-30)) << 16) | UInt16(-20)));
    // Released outside the slop rectangle.
    ScriptGesture(P(60, 60), {P(600, 450)});
    EXPECT_EQ(DragGrayRgn(rgn, P(60, 60), &limit, &slop, noConstraint, nullptr),
              SInt32(0x80008000u));
    // Axis constraints.
    ScriptGesture(P(60, 60), {P(80, 90)});
    EXPECT_EQ(DragGrayRgn(rgn, P(60, 60), &limit, &slop, hAxisOnly, nullptr), 20);
    ScriptGesture(P(60, 60), {P(80, 90)});
    EXPECT_EQ(DragGrayRgn(rgn, P(60, 60), &limit, &slop, vAxisOnly, nullptr), 30 << 16);
    EXPECT_EQ(Snapshot(), before);
    DisposeRgn(rgn);
}

TEST_F(WindowTrack, TheOutlineIsShownWhileDragging) {
    WindowPtr w = Doc(R(100, 100, 300, 250));
    // Press in the title bar, move, and look at the desktop mid-drag from the
    // action procedure.
    static int seen;
    seen = 0;
    ScriptGesture(P(200, 90), {P(250, 140)});
    Rect limit = KsDesktopBounds();
    KsSetPort(KsGetDesktopPort());
    DragGrayRgn(w->strucRgn, P(200, 90), &limit, &limit, noConstraint, [] {
        // The outline's left edge is at x 149 after the move by (50, 50): a
        // gray line, every other pixel flipped.
        int flipped = 0;
        for (SInt32 v = 200; v < 210; ++v)
            flipped += Px(149, v) != Px(148, v);
        if (flipped > seen) seen = flipped;
    });
    EXPECT_EQ(seen, 5);
}

TEST_F(WindowTrack, DragWindowMovesAndSelects) {
    WindowPtr a = Doc(R(100, 100, 300, 250));
    WindowPtr b = Doc(R(350, 100, 500, 250));
    ASSERT_FALSE(a->hilited);
    ScriptGesture(P(200, 90), {P(210, 95), P(230, 130)});
    DragWindow(a, P(200, 90), nullptr);
    EXPECT_EQ(KsContentRect(a), (KsRect{130, 140, 330, 290}));
    EXPECT_TRUE(a->hilited);
    EXPECT_FALSE(b->hilited);
    EXPECT_EQ(FrontWindow(), a);
    // A click without motion only selects.
    ScriptGesture(P(420, 90), {});
    DragWindow(b, P(420, 90), nullptr);
    EXPECT_EQ(KsContentRect(b), (KsRect{350, 100, 500, 250}));
    EXPECT_EQ(FrontWindow(), b);
    // Outside the limit nothing moves.
    Rect limit = R(0, 20, 400, 400);
    ScriptGesture(P(420, 90), {P(620, 90)});
    DragWindow(b, P(420, 90), &limit);
    EXPECT_EQ(KsContentRect(b), (KsRect{350, 100, 500, 250}));
}

TEST_F(WindowTrack, GrowWindowAnswersThePinnedSize) {
    WindowPtr w = Doc(R(100, 100, 300, 250));
    Rect limits = R(80, 60, 251, 201); // 80..250 wide, 60..200 high
    ScriptGesture(P(295, 245), {P(320, 260), P(305, 235)});
    EXPECT_EQ(GrowWindow(w, P(295, 245), &limits), (140 << 16) | 210);
    ScriptGesture(P(295, 245), {P(600, 470)});
    EXPECT_EQ(GrowWindow(w, P(295, 245), &limits), (200 << 16) | 250);
    ScriptGesture(P(295, 245), {P(100, 100)});
    EXPECT_EQ(GrowWindow(w, P(295, 245), &limits), (60 << 16) | 80);
    auto before = Snapshot();
    ScriptGesture(P(295, 245), {P(310, 260), P(295, 245)});
    EXPECT_EQ(GrowWindow(w, P(295, 245), &limits), 0); // back where it started
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(KsContentRect(w), (KsRect{100, 100, 300, 250})); // tracking only
}

TEST_F(WindowTrack, CloseAndZoomBoxesTrackThePress) {
    WindowPtr w = Doc(R(100, 100, 300, 250), zoomDocProc);
    KsRect close = KsCloseBoxRect(w), zoom = KsZoomBoxRect(w);
    Point c = P(SInt16(close.left + 5), SInt16(close.top + 5));
    Point z = P(SInt16(zoom.left + 5), SInt16(zoom.top + 5));
    UInt32 unpressed = Px(close.left + 1, close.top + 1);
    static UInt32 pressedSeen;
    pressedSeen = 0;
    ScriptGesture(c, {P(c.h + 1, c.v)});
    EXPECT_TRUE(TrackGoAway(w, c));
    EXPECT_EQ(Px(close.left + 1, close.top + 1), unpressed);
    ScriptGesture(c, {P(c.h + 40, c.v)});
    EXPECT_FALSE(TrackGoAway(w, c));
    ScriptGesture(z, {P(z.h - 1, z.v + 1)});
    EXPECT_TRUE(TrackBox(w, z, inZoomOut));
    ScriptGesture(z, {P(z.h, z.v + 30)});
    EXPECT_FALSE(TrackBox(w, z, inZoomOut));
    // Mid-press the box shows the hilite colour.
    backend->ScriptPress(Now() + 1, c.h, c.v);
    backend->ScriptRelease(Now() + 3, c.h, c.v);
    EventRecord e;
    ASSERT_TRUE(WaitNextEvent(mDownMask, &e, 10, nullptr));
    KsDrawBox(w, inGoAway, true);
    pressedSeen = Px(close.left + 1, close.top + 1);
    EXPECT_EQ(pressedSeen, Rgb(w->colors[kKsWinHiliteColor]));
    EXPECT_TRUE(TrackGoAway(w, c));
    EXPECT_EQ(Px(close.left + 1, close.top + 1), unpressed);
    // An inactive window has no boxes to track.
    HiliteWindow(w, false);
    EXPECT_FALSE(TrackGoAway(w, c));
}

} // namespace
