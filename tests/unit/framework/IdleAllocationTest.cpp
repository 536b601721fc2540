// Idle time and pointer moves allocate nothing once warm: null events and
// mouse moves routed by the application through a window's pane tree, over
// panes that take idle time and set cursors, must leave the heap alone.
#include "APane.h"
#include "AllocationCount.h"
#include "ApplicationTestSupport.h"
#include "KsAppRouting.h"
#include "KsBackend.h"
#include "QuickDraw.h"

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

TEST_F(AppTest, IdleTimeAndPointerMovesAllocateNothingOnceWarm) {
    const long atStart = AllocationsSoFar();
    ASSERT_GE(atStart, 0) << "the allocation counter is not installed";
    AWindow* w = AWindow::New("tree", nullptr, WindowPtr(-1), 1, 0, 1, 0, 0, 0);
    MoveWindow(w->GetWindowPtr(), 40, 60, false);
    SizeWindow(w->GetWindowPtr(), 240, 160, false);
    ShowWindow(w->GetWindowPtr());
    SelectWindow(w->GetWindowPtr());
    SetPortWindowPort(w->GetWindowPtr());
    w->CreateMainPane();
    // Four containers of four panes, cursors differing from pane to pane, one
    // container labelled and one pane taking idle time wherever the pointer is.
    std::vector<CursorPane*> panes;
    for (SInt16 c = 0; c < 4; ++c) {
        CursorPane* box = NewCursorPane(w->GetMainPane(), SInt16(8 + 56 * c), 8, 52, 0);
        if (c == 1) box->AddLabel("Gain", kLabelAbove);
        for (SInt16 k = 0; k < 4; ++k)
            panes.push_back(NewCursorPane(box, SInt16(2 + 24 * (k % 2)), SInt16(2 + 24 * (k / 2)),
                                          20, SInt16(1 + k % 3)));
    }
    panes[5]->SetAlwaysDawdle(true);
    EXPECT_GT(AllocationsSoFar(), atStart) << "building the tree allocates, and is counted";

    // A walk over the window and beyond it, in global coordinates.
    std::vector<Point> walk;
    for (SInt16 v = 50; v < 240; v += 7)
        for (SInt16 h = 30; h < 300; h += 11)
            walk.push_back(Point{v, h});
    gl_sleepTime = 0;
    Settle();
    for (const Point& p : walk) { // warm: tables built, cursors loaded
        KsRouteNullEvent(app, p);
        KsRouteMouseMove(app, p);
    }

    struct Route {
        const char* what;
        void (*route)(AApplication*, Point);
    };
    for (const Route& r :
         {Route{"null events", KsRouteNullEvent}, Route{"mouse moves", KsRouteMouseMove}}) {
        const long dawdled = panes[0]->dawdles + panes[5]->dawdles;
        const long before = AllocationsSoFar();
        for (int pass = 0; pass < 3; ++pass)
            for (const Point& p : walk)
                r.route(app, p);
        EXPECT_EQ(AllocationsSoFar() - before, 0) << r.what;
        EXPECT_GT(panes[0]->dawdles + panes[5]->dawdles, dawdled) << r.what << " reach the panes";
    }
    w->Dispose();
}

} // namespace
