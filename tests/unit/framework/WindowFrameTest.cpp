// The pane tree inside a window: click and key routing, the shaded edge
// panes and the grow box, pixel by pixel.
#include "AGrowBoxPane.h"
#include "AMemStream.h"
#include "AObjDoc.h"
#include "APane.h"
#include "AWindowPrivate.h"
#include "AWindowTestSupport.h"
#include "KsDrawUtils.h"
#include "KsHandle.h"

namespace {

// A pane that records the clicks and keys it gets.
class RecordingPane : public APane {
public:
    static RecordingPane* Make(APane* encl, SInt16 l, SInt16 t, SInt16 w, SInt16 h) {
        auto* p = new RecordingPane;
        p->IPane(encl, l, kPaneDontCare, w, t, kPaneDontCare, h, RGBgray4, 0);
        return p;
    }
    std::vector<KsPoint> clicks;
    std::vector<Point> currentAtClick;
    int keys = 0;
    bool useKeys = false;
    void DoClick(KsPoint pt, SInt16, SInt32, void*) override {
        clicks.push_back(pt);
        currentAtClick.push_back(CurrentEvent.where);
    }
    bool DoKeyDown(SInt16, SInt16, EventRecord*, void*) override {
        ++keys;
        return useKeys;
    }
};

class WindowFrameTest : public AWindowTest {
protected:
    void SetUp() override {
        AWindowTest::SetUp();
        w = ProbeWindow::Make("Frame");
        w->SetWindowToRect(kKsNoScreen, 100, 100, 400, 300);
        w->SelectAndShow();
        Rect c{};
        KsGetWindowContentRect(w->GetWindowPtr(), &c);
        origin = KsPoint{c.left, c.top};
    }
    UInt32 Expected(const KsRGBColor& c) { return KsPixelOf(ToRGBColor(c)) & 0xFFFFFF; }
    // The desktop pixel at a point of the window's content.
    UInt32 At(SInt32 h, SInt32 v) { return Px(origin.h + h, origin.v + v); }
    void Redraw() { ForceWindowUpdate(w->GetWindowPtr()); }
    ProbeWindow* w = nullptr;
    KsPoint origin;
};

TEST_F(WindowFrameTest, ClickReachesThePaneUnderItOnceConverted) {
    RecordingPane* p = RecordingPane::Make(w->GetMainPane(), 20, 30, 50, 40);
    // The event loop passes CurrentEvent itself: one conversion only.
    CurrentEvent = EventRecord{};
    CurrentEvent.what = mouseDown;
    CurrentEvent.where = P(SInt16(origin.h + 25), SInt16(origin.v + 35));
    w->SendMsg(wmClick, &CurrentEvent, 0, 0);
    ASSERT_EQ(p->clicks.size(), 1u);
    EXPECT_EQ(p->clicks[0], (KsPoint{25, 35}));
    EXPECT_EQ(p->currentAtClick[0].h, 25) << "CurrentEvent is local during the click";
    EXPECT_EQ(p->currentAtClick[0].v, 35);
    EXPECT_EQ(CurrentEvent.where.h, origin.h + 25) << "and global again afterwards";
    EXPECT_EQ(CurrentEvent.where.v, origin.v + 35);

    // A separate record: both are converted, both come back.
    EventRecord e = CurrentEvent;
    w->SendMsg(wmClick, &e, 0, 0);
    ASSERT_EQ(p->clicks.size(), 2u);
    EXPECT_EQ(p->clicks[1], (KsPoint{25, 35}));
    EXPECT_EQ(e.where.h, origin.h + 25);

    // Right click with no context menu anywhere: nothing happens.
    e.modifiers = controlKey;
    w->SendMsg(wmClick, &e, 0, 0);
    EXPECT_EQ(p->clicks.size(), 2u);
}

TEST_F(WindowFrameTest, ClickDragsMovesTheWindowFromBarePaneOnly) {
    RecordingPane* p = RecordingPane::Make(w->GetMainPane(), 20, 30, 50, 40);
    w->SetClickDrags(true);
    w->Take();
    EventRecord e = Gesture(P(SInt16(origin.h + 150), SInt16(origin.v + 100)),
                            {P(SInt16(origin.h + 160), SInt16(origin.v + 100))});
    CurrentEvent = e;
    w->SendMsg(wmClick, &CurrentEvent, 0, 0);
    EXPECT_EQ(w->Take(), (std::vector<std::string>{"Click 0 0", "Drag 0 0"}));
    e = Gesture(P(SInt16(origin.h + 25), SInt16(origin.v + 35)), {});
    CurrentEvent = e;
    w->SendMsg(wmClick, &CurrentEvent, 0, 0);
    EXPECT_EQ(w->Take(), (std::vector<std::string>{"Click 0 0"}));
    EXPECT_EQ(p->clicks.size(), 1u);
    p->SetFlag(kPaneClickDragsWindow, true);
    w->SendMsg(wmClick, &CurrentEvent, 0, 0);
    EXPECT_EQ(w->Take(), (std::vector<std::string>{"Click 0 0", "Drag 0 0"}));
}

TEST_F(WindowFrameTest, KeysGoToThePaneTreeAndModalWindowsUseThemAll) {
    RecordingPane::Make(w->GetMainPane(), 20, 30, 50, 40);
    EventRecord e{};
    e.where = P(SInt16(origin.h + 25), SInt16(origin.v + 35));
    EXPECT_FALSE(w->SendMsg(wmKeyDown, &e, 'a', 0));
    w->SetIsModal(true);
    EXPECT_TRUE(w->SendMsg(wmKeyDown, &e, 'a', 0));
    EXPECT_TRUE(w->SendMsg(wmKeyDown, &e, 0, 0x72));
}

TEST_F(WindowFrameTest, MainPaneFillsTheContentAndReportsItsSize) {
    short wd = -1, ht = -1, hw = -1, hh = -1;
    w->GetMainPaneInfo(&wd, &ht, &hw, &hh);
    Rect c{};
    KsGetWindowContentRect(w->GetWindowPtr(), &c);
    EXPECT_EQ(wd, c.right - c.left);
    EXPECT_EQ(ht, c.bottom - c.top);
    EXPECT_EQ(hw, wd / 2);
    EXPECT_EQ(hh, ht / 2);
    w->SetWindowWidHei(kKsNoScreen, 401, 251);
    w->GetMainPaneInfo(&wd, nullptr, nullptr, nullptr);
    KsGetWindowContentRect(w->GetWindowPtr(), &c);
    EXPECT_EQ(wd, c.right - c.left) << "follows the window";
    EXPECT_EQ(w->GetMainPane()->GetBkndColor(), RGBgray7);
}

TEST_F(WindowFrameTest, EdgePanesFadeRowByRow) {
    w->AddEdgePanes(4, nullptr);
    ASSERT_NE(w->FindPaneByID("TopEdge"), nullptr);
    ASSERT_NE(w->FindPaneByID("BotEdge"), nullptr);
    Redraw();
    const KsRGBColor base = RGBgray7; // inherited from the main pane
    const SInt32 h = w->GetMainPane()->GetInterior().Height();
    // Top: 130, 122.5, 115, 107.5 percent; bottom: 92.5, 85, 77.5, 70.
    const int top[] = {130, 122, 115, 107};
    const int bot[] = {92, 85, 77, 70};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(At(10, i), Expected(ScaleRGBIntensity(base, top[i], 100))) << "top row " << i;
        EXPECT_EQ(At(10, h - 4 + i), Expected(ScaleRGBIntensity(base, bot[i], 100)))
            << "bottom row " << i;
    }
    EXPECT_EQ(At(10, 4), Expected(base)) << "nothing below the top edge";
}

TEST_F(WindowFrameTest, EdgePanesOfHeightOneAndZero) {
    APane* encl =
        APane::New(w->GetMainPane(), 10, kPaneDontCare, 100, 10, kPaneDontCare, 50, RGBgray8, 0);
    w->AddEdgePanes(1, encl);
    Redraw();
    EXPECT_EQ(At(20, 10), Expected(ScaleRGBIntensity(RGBgray8, 130, 100)));
    EXPECT_EQ(At(20, 59), Expected(ScaleRGBIntensity(RGBgray8, 70, 100)));
    EXPECT_EQ(At(20, 11), Expected(RGBgray8));
    APane* flat =
        APane::New(w->GetMainPane(), 150, kPaneDontCare, 100, 10, kPaneDontCare, 50, RGBgray8, 0);
    w->AddEdgePanes(0, flat);
    Redraw();
    EXPECT_EQ(At(160, 10), Expected(RGBgray8));
    EXPECT_EQ(At(160, 59), Expected(RGBgray8));
}

TEST_F(WindowFrameTest, GrowBoxDrawsItsGripAndGrowsTheWindow) {
    w->AddGrowBoxPane();
    APane* g = w->FindPaneByID("GrowBox");
    ASSERT_NE(g, nullptr);
    KsRect frame{};
    w->GetGrowBoxRect(&frame);
    const KsRect main = w->GetMainPane()->GetInterior();
    const KsRect bounds = g->GetBounds();
    EXPECT_EQ(bounds.right, main.right - 1);
    EXPECT_EQ(bounds.bottom, main.bottom - 1);
    EXPECT_EQ(bounds.Width(), 16);
    EXPECT_EQ(frame, g->GetFrame());
    EXPECT_TRUE(frame.Contains(bounds));
    Redraw();
    const KsRect in = g->GetInterior();
    const UInt32 light = Expected(KsRGBColor{0x9000, 0x9000, 0x9000});
    const UInt32 dark = Expected(KsRGBColor{0x1000, 0x1000, 0x1000});
    // Along each stroke from (left + k, bottom) up to the right.
    for (int k : {0, 4, 8})
        EXPECT_EQ(At(in.left + k + 2, in.bottom - 2), light) << "k " << k;
    for (int k : {1, 2, 5, 6, 9, 10})
        EXPECT_EQ(At(in.left + k + 2, in.bottom - 2), dark) << "k " << k;
    EXPECT_EQ(At(in.left + 3 + 2, in.bottom - 2), Expected(RGBgray5)) << "the gaps stay";

    // A click in it grows the window like the platform's grow box.
    const KsRect before = w->GetWindowRect(kKsNoScreen);
    const Point press = P(SInt16(origin.h + in.left + 8), SInt16(origin.v + in.top + 8));
    CurrentEvent = Gesture(press, {P(SInt16(press.h + 30), SInt16(press.v + 20))});
    w->SendMsg(wmClick, &CurrentEvent, 0, 0);
    const KsRect after = w->GetWindowRect(kKsNoScreen);
    EXPECT_EQ(after.Width(), before.Width() + 30);
    EXPECT_EQ(after.Height(), before.Height() + 20);
}

TEST_F(WindowFrameTest, GripOnAPaleBackgroundStaysLightAndDark) {
    w->AddGrowBoxPane(16, KsRGBColor{0xF000, 0xF000, 0xF000});
    Redraw();
    const KsRect in = w->FindPaneByID("GrowBox")->GetInterior();
    EXPECT_EQ(At(in.left + 2, in.bottom - 2), Expected(RGBwhite)) << "no wrap to a dark line";
    EXPECT_EQ(At(in.left + 3, in.bottom - 2), Expected(KsRGBColor{0xB000, 0xB000, 0xB000}));
}

TEST_F(WindowFrameTest, DeadGrowBoxNeitherDrawsNorGrows) {
    auto* g = new AGrowBoxPane;
    g->IGrowBoxPane(w->GetMainPane(), false, 16);
    g->SetGrowsWindow(true);
    EXPECT_FALSE(g->GetGrowsWindow());
    Redraw();
    const KsRect in = g->GetInterior();
    for (int k : {0, 1, 4})
        EXPECT_EQ(At(in.left + k + 2, in.bottom - 2), Expected(RGBgray11));
    const KsRect before = w->GetWindowRect(kKsNoScreen);
    const Point press = P(SInt16(origin.h + in.left + 8), SInt16(origin.v + in.top + 8));
    CurrentEvent = Gesture(press, {P(SInt16(press.h + 30), SInt16(press.v + 20))});
    w->SendMsg(wmClick, &CurrentEvent, 0, 0);
    EXPECT_EQ(w->GetWindowRect(kKsNoScreen), before);
}

TEST_F(WindowFrameTest, GrowBoxPaneStreamsItsLiveness) {
    for (bool live : {true, false}) {
        auto* g = new AGrowBoxPane;
        g->IGrowBoxPane(w->GetMainPane(), live, 12);
        AMemStream out(KsByteOrder::littleEndian);
        AObjDoc writer(out);
        writer.Write(g);
        Handle h = KsCopyHand(out.GetDataHandle());
        AMemStream in(h);
        AObjDoc reader(in);
        reader.Read();
        auto* back = static_cast<APane*>(reader.TakeObject());
        ASSERT_NE(back, nullptr);
        ASSERT_TRUE(back->IsInstanceOf("AGrowBoxPane"));
        EXPECT_EQ(static_cast<AGrowBoxPane*>(back)->GetHasGrow(), live);
        EXPECT_EQ(back->GetBounds().Width(), 12);
        back->Dispose();
        KsDisposeHandle(h);
        g->Dispose();
    }
}

} // namespace
