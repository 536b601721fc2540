// Idle time and pointer moves allocate nothing once warm: null events and
// mouse moves routed by the application through a window's pane tree (panes
// that take idle time and set cursors, gadgets and text fields with tips)
// leave the heap alone, and so does the idle walk the first time it meets
// panes just added or moved.
#include "ATextEntry.h"
#include "AllocationCount.h"
#include "GadgetTestSupport.h"
#include "KsAppRouting.h"
#include "MiniHelp.h"

#include <functional>
#include <string>
#include <vector>

namespace {

// Takes idle time and asks for a cursor, as gadgets and text fields do.
class CursorPane : public APane {
public:
    SInt16 cursor = 0;
    long dawdles = 0;
    void Dawdle(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* cursorID,
                void* data) override {
        ++dawdles;
        if (cursorID && cursor) *cursorID = cursor;
        APane::Dawdle(pt, modifiers, sleep, cursorID, data);
    }
};

CursorPane* NewCursorPane(APane* encl, SInt16 left, SInt16 top, SInt16 size, SInt16 cursor) {
    auto* p = new CursorPane;
    p->cursor = cursor;
    p->IPane(encl, left, kPaneDontCare, size, top, kPaneDontCare, size, RGBwhite, 1);
    return p;
}

class RoutingAllocation : public GadgetTest {
protected:
    void SetUp() override {
        GadgetTest::SetUp();
        ASSERT_GE(AllocationsSoFar(), 0) << "the allocation counter is not installed";
        tipsWere = GetMiniHelpEnabled();
        SetMiniHelpEnabled(true);
    }
    void TearDown() override {
        if (MiniHelpWindow* tip = MiniHelpWindow::Get()) tip->Dispose();
        SetMiniHelpEnabled(tipsWere);
        GadgetTest::TearDown();
    }
    // Allocations made by routing every point of `walk` through `route`.
    static long Allocations(void (*route)(AApplication*, Point), AApplication* app,
                            const std::vector<Point>& walk, int passes = 1) {
        const long before = AllocationsSoFar();
        for (int pass = 0; pass < passes; ++pass)
            for (const Point& p : walk)
                route(app, p);
        return AllocationsSoFar() - before;
    }
    bool tipsWere = false;
};

TEST_F(RoutingAllocation, IdleTimeAndPointerMovesOverPanesAndControlsAllocateNothingOnceWarm) {
    const long atStart = AllocationsSoFar();
    // Four rows of gadgets, every other one with a tip; a row of text fields.
    for (SInt16 k = 0; k < 16; ++k) {
        AGadget* g = Add(SInt16(10 + 96 * (k % 4)), SInt16(10 + 30 * (k / 4)));
        g->SetText("Go");
        if (k % 2) g->SetHelpText(k % 4 == 1 ? "Starts the take" : "Stops it");
    }
    for (SInt16 k = 0; k < 3; ++k)
        ATextEntry::New(main, SInt16(10 + 130 * k), S, 120, 140, S, 22, "12", false)
            ->SetHelpText("Level");
    // Below them four containers of four panes, cursors differing from pane
    // to pane, one container labelled and one pane taking idle time wherever
    // the pointer is.
    std::vector<CursorPane*> panes;
    for (SInt16 c = 0; c < 4; ++c) {
        CursorPane* box = NewCursorPane(main, SInt16(8 + 56 * c), 190, 52, 0);
        if (c == 1) box->AddLabel("Gain", kLabelAbove);
        for (SInt16 k = 0; k < 4; ++k)
            panes.push_back(NewCursorPane(box, SInt16(2 + 24 * (k % 2)), SInt16(2 + 24 * (k / 2)),
                                          20, SInt16(1 + k % 3)));
    }
    panes[5]->SetAlwaysDawdle(true);
    EXPECT_GT(AllocationsSoFar(), atStart) << "building the tree allocates, and is counted";

    // A walk over the window and beyond it.
    std::vector<Point> walk;
    for (SInt32 v = -10; v < 310; v += 9)
        for (SInt32 h = -10; h < 410; h += 13)
            walk.push_back(Global(main, h - 200, v - 150));
    gl_sleepTime = 0;
    Settle();
    for (int warm = 0; warm < 2; ++warm) { // tables built, cursors and the tip made
        Allocations(KsRouteNullEvent, app, walk);
        Allocations(KsRouteMouseMove, app, walk);
    }
    EXPECT_NE(MiniHelpWindow::Get(), nullptr) << "the walk asked for tips";
    for (auto route : {KsRouteNullEvent, KsRouteMouseMove}) {
        SCOPED_TRACE(route == KsRouteNullEvent ? "null events" : "mouse moves");
        const long dawdled = panes[0]->dawdles + panes[5]->dawdles;
        EXPECT_EQ(Allocations(route, app, walk, 3), 0);
        EXPECT_GT(panes[0]->dawdles + panes[5]->dawdles, dawdled) << "reaching the panes";
    }
}

// Moving from control to control asks for each one's tip, and the tip takes
// the new text: once the longest has been shown, texts of any length, short
// and long by turns, are taken without allocating.
TEST_F(RoutingAllocation, TipsOfDifferingLengthsAllocateNothingOnceWarm) {
    std::vector<Point> walk;
    for (SInt16 k = 0; k < 6; ++k) {
        AGadget* g = Add(SInt16(10 + 90 * k), 10);
        const std::string tip =
            std::string(k % 2 ? 40u + 7u * unsigned(k) : 3u + unsigned(k), char('a' + k));
        g->SetHelpText(tip.c_str());
        walk.push_back(Global(g));
        walk.push_back(Global(main, 0, 100)); // between the rows: no tip
    }
    Allocations(KsRouteMouseMove, app, walk); // the tip is made and takes the longest text
    ASSERT_NE(MiniHelpWindow::Get(), nullptr) << "the walk asked for tips";
    EXPECT_EQ(Allocations(KsRouteMouseMove, app, walk, 3), 0);
}

// The tables the idle walk scans (and a long level's grids) get their room
// when sub-panes are added, so the first walk over a new tree, over panes
// just added and over moved panes builds them without touching the heap.
TEST_F(RoutingAllocation, TheFirstIdleWalkOverChangedPanesAllocatesNothing) {
    const auto box = [](APane* encl, SInt16 left, SInt16 top, SInt16 size) {
        return APane::New(encl, left, S, size, top, S, size, RGBwhite, 1);
    };
    const auto walk = [&] { // idle time from the main pane over the window
        SInt32 sleep = 0;
        SInt16 cursor = 0;
        const long before = AllocationsSoFar();
        for (SInt32 v = 0; v < 160; v += 5)
            for (SInt32 h = 0; h < 240; h += 5)
                main->Dawdle({h, v}, 0, &sleep, &cursor, nullptr);
        return AllocationsSoFar() - before;
    };
    walk(); // over the empty main pane: cursors and the like
    std::vector<APane*> boxes;
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"a new tree of boxes nested three deep",
         [&] {
             for (SInt16 c = 0; c < 4; ++c)
                 box(box(boxes.emplace_back(box(main, SInt16(4 + 58 * c), 4, 54)), 2, 2, 40), 2, 2,
                     30);
         }},
        {"panes added to boxes walked before",
         [&] {
             for (APane* b : boxes)
                 for (SInt16 k = 0; k < 6; ++k)
                     box(b, SInt16(2 + 8 * k), 44, 6);
         }},
        {"a hundred small panes in one box, scanned through a grid",
         [&] {
             for (SInt16 k = 0; k < 100; ++k)
                 box(boxes[0], SInt16(2 + 5 * (k % 10)), SInt16(2 + 5 * (k / 10)), 3);
         }},
        {"boxes moved and one removed",
         [&] {
             for (APane* b : boxes)
                 b->MovePaneTo(b->GetBounds().left, 60);
             boxes.back()->Dispose();
         }},
    };
    for (const auto& [what, apply] : changes) {
        apply();
        EXPECT_EQ(walk(), 0) << what;
    }
}

} // namespace
