// Drags that may leave the application, scripted on the headless desk with a
// stand-in for the back end's drag service: what is offered, which panes
// hear the pointer leave and come back, how a drop elsewhere, one back home,
// a refusal and Escape end the drag, and the feedback drawn on the way.
#include "APane.h"
#include "DragList.h"
#include "PaneTestSupport.h"
#include "SystemDrag.h"

namespace {

constexpr UInt8 kEscapeKeyCode = 0x35;

// Right of h 500 (global) is another application's window.
class FakeOut final : public KsDragSource {
public:
    std::string offered; // "file:PATH|text:TEXT|"
    std::vector<bool> ends;
    bool takes = true;
    bool DragBegin(const std::vector<KsDragItem>& items) override {
        for (const KsDragItem& i : items)
            offered += (i.kind == KsDragItem::Kind::file ? "file:" : "text:") + i.utf8 + "|";
        return true;
    }
    bool DragMove(SInt32 h, SInt32) override { return h < 500; }
    bool DragEnd(bool drop) override {
        ends.push_back(drop);
        return drop && takes;
    }
};

// The desktop's pixel at a point local to the (only) window.
UInt32 PixelAt(KsPoint at) {
    Point pt{SInt16(at.v), SInt16(at.h)};
    LocalToGlobal(&pt);
    return DesktopPixel(pt.h, pt.v);
}

class Clip : public APane {
public:
    std::vector<SInt16> heard;
    bool toSystem = true;
    UInt32 edgeWhileOver = 0; // under the accept frame, inside the outline
    std::vector<KsPoint> ghosts;
    KsPoint Edge() const { return {GetBounds().left + 1, GetBounds().top + 20}; }
    void DrawDragGhost(KsPoint pt) override {
        ghosts.push_back(pt);
        APane::DrawDragGhost(pt);
    }
    bool HandleDragMsg(DragList* list, KsPoint pt, SInt16 mods, SInt16 msg) override {
        if (msg == kDragWithin) edgeWhileOver = PixelAt(Edge());
        if (msg == kDragEnter || msg == kDragLeave || msg == kDragDrop) heard.push_back(msg);
        return msg == kDragMayAccept || APane::HandleDragMsg(list, pt, mods, msg);
    }
    bool AcceptDrop(DragList*) override { return true; }
    DragList* GetMyDragList(KsPoint pt) override {
        DragList* list = APane::GetMyDragList(pt);
        list->GetDragThing(1)->AddDragData(kDragDataFile, "/tmp/clip one.mov");
        list->GetDragThing(1)->AddDragData(kDragDataText, "Caf\x8E");
        list->GetDragThing(1)->SetCanDragToSystem(toSystem);
        return list;
    }
};

class PaneDragOutTest : public PaneTest {
protected:
    void SetUp() override {
        PaneTest::SetUp();
        previous = KsSetDragSource(&out);
        for (Clip** c : {&source, &bin}) {
            *c = new Clip;
            (*c)->IPane(main, c == &source ? 10 : 110, S, 60, 10, S, 40, RGBgray9, 0);
            (*c)->SetStdHandleOver(true);
        }
    }
    void TearDown() override {
        KsSetDragSource(previous);
        PaneTest::TearDown();
    }
    static Point Global(KsPoint local) {
        Point pt{SInt16(local.v), SInt16(local.h)};
        LocalToGlobal(&pt);
        return pt;
    }
    static Point Centre(const APane* p) {
        const KsRect b = p->GetBounds();
        return Global({(b.left + b.right) / 2, (b.top + b.bottom) / 2});
    }
    // Presses on the source, moves along `path` (Escape after point number
    // `escapeAfter`) and releases at its end.
    bool DragAlong(const std::vector<Point>& path, int escapeAfter = -1) {
        KsHeadlessBackend* backend = desk->backend;
        while (backend->ScriptPending()) // what the last drag left of its gesture
            (void)StillDown();
        FlushEvents(mDownMask | mUpMask | keyDownMask | keyUpMask, 0);
        long t = KsGetTicks();
        backend->ScriptPress(++t, Centre(source).h, Centre(source).v);
        for (std::size_t i = 0; i < path.size(); ++i) {
            backend->ScriptMove(t += 2, path[i].h, path[i].v);
            if (int(i) == escapeAfter) backend->ScriptKeyDown(t += 2, kEscapeKeyCode);
        }
        backend->ScriptRelease(t += 2, path.back().h, path.back().v);
        EventRecord down{};
        EXPECT_TRUE(WaitNextEvent(mDownMask, &down, 10, nullptr));
        return source->DoDrag(nullptr, nullptr, true);
    }

    FakeOut out;
    KsDragSource* previous = nullptr;
    Clip *source = nullptr, *bin = nullptr;
};

TEST_F(PaneDragOutTest, ThePointerLeavesAndComesBackAndTheDropEndsWhereItIs) {
    const Point away{100, 560};
    struct Case {
        const char* what;
        std::vector<Point> path;
        bool takes, toSystem;
        int escapeAfter;
        bool want;
        std::vector<bool> wantEnds;
        std::vector<SInt16> wantSource, wantBin;
    };
    const Case cases[] = {
        {"taken elsewhere", {Centre(bin), away}, true, true, -1, true, {true}, {2, 3}, {2, 3}},
        {"refused elsewhere", {away}, false, true, -1, false, {true}, {2, 3}, {}},
        {"back home", {away, Centre(bin)}, true, true, -1, true, {false}, {2, 3}, {2, 5}},
        {"Escape outside", {away, away}, true, true, 0, false, {false}, {2, 3}, {}},
        {"Escape at home", {Centre(bin)}, true, true, 0, false, {false}, {2, 3}, {2, 3}},
        {"things kept in", {away}, true, false, -1, false, {}, {2, 3}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        out = FakeOut{};
        out.takes = c.takes;
        source->toSystem = c.toSystem;
        source->heard.clear();
        bin->heard.clear();
        EXPECT_EQ(DragAlong(c.path, c.escapeAfter), c.want);
        EXPECT_EQ(out.ends, c.wantEnds);
        EXPECT_EQ(source->heard, c.wantSource);
        EXPECT_EQ(bin->heard, c.wantBin);
        EXPECT_EQ(out.offered, c.toSystem ? "file:/tmp/clip one.mov|text:Caf\xC3\xA9|" : "");
        EXPECT_FALSE(APane::DoingDrag());
    }
}

TEST_F(PaneDragOutTest, ThePaneThatTakesTheDropIsFramedAndGivenTheGhostWhileThePointerIsOver) {
    bin->SetStdHandleOver(false); // no lightening to repaint it
    DragAlong({Centre(bin), Centre(bin), {100, 560}});
    RGBColor hilite;
    GetHiliteColor(&hilite);
    EXPECT_EQ(bin->edgeWhileOver, Rgb({hilite.red, hilite.green, hilite.blue}));
    EXPECT_EQ(PixelAt(bin->Edge()), Rgb(RGBgray9));
    ASSERT_FALSE(bin->ghosts.empty());
    const Point centre = Centre(bin);
    EXPECT_EQ(Global(bin->ghosts.back()).h, centre.h);
    EXPECT_EQ(Global(bin->ghosts.back()).v, centre.v);
}

} // namespace
