// Drags that may leave the application, scripted on the headless desk with a
// stand-in for the back end's drag service: what is offered, which panes
// hear the pointer leave and come back, and how a drop elsewhere, one back
// home, a refusal and Escape end the drag.
#include "APane.h"
#include "ApplicationTestSupport.h"
#include "CDataObject.h"
#include "DragList.h"
#include "KsPortSavers.h"
#include "SystemDrag.h"

namespace {

constexpr SInt16 S = kPaneDontCare;
constexpr UInt8 kEscapeKeyCode = 0x35;

// Right of kEdge (global) is another application's window.
class FakeOut final : public KsDragSource {
public:
    static constexpr SInt32 kEdge = 500;
    std::vector<KsDragItem> offered;
    std::vector<bool> ends; // the drop flag of each end
    bool takes = true;
    bool DragBegin(const std::vector<KsDragItem>& items) override {
        offered = items;
        return true;
    }
    bool DragMove(SInt32 h, SInt32) override { return h < kEdge; }
    bool DragEnd(bool drop) override {
        ends.push_back(drop);
        return drop && takes;
    }
};

// The desktop's pixel at a point local to a pane's window.
UInt32 PixelAt(const APane* p, KsPoint at) {
    StPortSaver port;
    SetPortWindowPort(p->GetEnclWindow()->GetWindowPtr());
    Point pt{SInt16(at.v), SInt16(at.h)};
    LocalToGlobal(&pt);
    return DesktopPixel(pt.h, pt.v);
}

class Clip : public APane {
public:
    std::vector<SInt16> heard;
    bool toSystem = true;
    // Inside the left edge, under the accept frame but not the outline.
    UInt32 edgeWhileOver = 0;
    std::vector<KsPoint> ghosts;
    void DrawDragGhost(KsPoint pt) override {
        ghosts.push_back(pt);
        APane::DrawDragGhost(pt);
    }
    KsPoint Edge() const {
        return {GetBounds().left + 1, (GetBounds().top + GetBounds().bottom) / 2};
    }
    bool HandleDragMsg(DragList* list, KsPoint pt, SInt16 mods, SInt16 msg) override {
        if (msg == kDragWithin) edgeWhileOver = PixelAt(this, Edge());
        if (msg == kDragEnter || msg == kDragLeave || msg == kDragDrop) heard.push_back(msg);
        return APane::HandleDragMsg(list, pt, mods, msg);
    }
    bool AcceptDrop(DragList*) override { return true; }
    DragList* GetMyDragList(KsPoint pt) override {
        DragList* list = APane::GetMyDragList(pt);
        DragThing* thing = list->GetDragThing(1);
        thing->AddDragData(kDragDataFile, "/tmp/clip one.mov");
        thing->AddDragData(kDragDataText, "Caf\x8E");
        thing->SetCanDragToSystem(toSystem);
        return list;
    }
};

class PaneDragOutTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        previous = KsSetDragSource(&out);
        AWindow* w = PlainWin("bins", 40, 60, 200, 150);
        source = NewClip(w, 10);
        bin = NewClip(w, 110);
        Settle();
    }
    void TearDown() override {
        KsSetDragSource(previous);
        AppTest::TearDown();
    }
    Clip* NewClip(AWindow* w, SInt16 h) {
        auto* c = new Clip;
        c->IPane(w->GetMainPane(), h, S, 60, 10, S, 40, RGBgray9, 0);
        c->SetStdHandleOver(true);
        return c;
    }
    static Point Centre(const APane* p) {
        const KsRect b = p->GetBounds();
        Point pt{SInt16((b.top + b.bottom) / 2), SInt16((b.left + b.right) / 2)};
        StPortSaver port;
        SetPortWindowPort(p->GetEnclWindow()->GetWindowPtr());
        LocalToGlobal(&pt);
        return pt;
    }
    // Presses on the source, moves along `path` (Escape after `escapeAfter`
    // points when given) and releases at its end.
    bool DragAlong(const std::vector<Point>& path, int escapeAfter = -1) {
        // What the last drag left of its gesture goes first.
        while (backend->ScriptPending())
            (void)StillDown();
        FlushEvents(mDownMask | mUpMask | keyDownMask | keyUpMask, 0);
        long t = KsGetTicks();
        const Point start = Centre(source);
        backend->ScriptPress(++t, start.h, start.v);
        for (std::size_t i = 0; i < path.size(); ++i) {
            backend->ScriptMove(t += 2, path[i].h, path[i].v);
            if (int(i) == escapeAfter) {
                backend->ScriptKeyDown(t += 2, kEscapeKeyCode);
                backend->ScriptKeyUp(t += 2, kEscapeKeyCode);
            }
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

using Heard = std::vector<SInt16>;

TEST_F(PaneDragOutTest, ThePointerLeavesAndComesBackAndTheDropEndsWhereItIs) {
    const Point away{100, 560};
    struct Case {
        const char* what;
        std::vector<Point> path;
        bool takes;
        int escapeAfter;
        bool want;
        std::vector<bool> wantEnds;
        Heard wantSource, wantBin;
    };
    const Case cases[] = {
        {"taken elsewhere", {Centre(bin), away}, true, -1, true, {true}, {2, 3}, {2, 3}},
        {"refused elsewhere", {away}, false, -1, false, {true}, {2, 3}, {}},
        {"back home", {away, Centre(bin)}, true, -1, true, {false}, {2, 3}, {2, 5}},
        {"Escape outside", {away, away}, true, 0, false, {false}, {2, 3}, {}},
        {"Escape at home", {Centre(bin)}, true, 0, false, {false}, {2, 3}, {2, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        out = FakeOut{};
        out.takes = c.takes;
        source->heard.clear();
        bin->heard.clear();
        EXPECT_EQ(DragAlong(c.path, c.escapeAfter), c.want);
        EXPECT_EQ(out.ends, c.wantEnds);
        EXPECT_EQ(source->heard, c.wantSource);
        EXPECT_EQ(bin->heard, c.wantBin);
        EXPECT_FALSE(APane::DoingDrag());
    }
}

TEST_F(PaneDragOutTest, TheOfferIsThePathAndTheTextInUTF8) {
    DragAlong({{100, 560}});
    ASSERT_EQ(out.offered.size(), 2u);
    EXPECT_EQ(out.offered[0].kind, KsDragItem::Kind::file);
    EXPECT_EQ(out.offered[0].utf8, "/tmp/clip one.mov");
    EXPECT_EQ(out.offered[1].kind, KsDragItem::Kind::text);
    EXPECT_EQ(out.offered[1].utf8, "Caf\xC3\xA9");
}

TEST_F(PaneDragOutTest, ThingsThatCannotLeaveStayInTheApplication) {
    source->toSystem = false;
    EXPECT_FALSE(DragAlong({{100, 560}}));
    EXPECT_TRUE(out.offered.empty());
    EXPECT_TRUE(out.ends.empty());
}

TEST_F(PaneDragOutTest, ThePaneThatTakesTheDropIsFramedAndGivenTheGhostWhileThePointerIsOver) {
    const Point over = Centre(bin);
    const UInt32 before = PixelAt(bin, bin->Edge());
    DragAlong({over, over, {100, 560}});
    RGBColor hilite;
    {
        StPortSaver port;
        SetPortWindowPort(bin->GetEnclWindow()->GetWindowPtr());
        GetHiliteColor(&hilite);
    }
    const UInt32 framed =
        UInt32(hilite.red >> 8) << 16 | UInt32(hilite.green >> 8) << 8 | UInt32(hilite.blue >> 8);
    EXPECT_EQ(bin->edgeWhileOver, framed);
    EXPECT_EQ(PixelAt(bin, bin->Edge()), before);
    ASSERT_FALSE(bin->ghosts.empty());
    const KsRect b = bin->GetBounds();
    EXPECT_EQ(bin->ghosts.back(), (KsPoint{(b.left + b.right) / 2, (b.top + b.bottom) / 2}));
}

} // namespace

namespace {

// A data object that offers its own text in place of the things'.
class PlainText final : public CDataObject {
public:
    explicit PlainText(DragList* list) : CDataObject(list) {}
    std::vector<KsDragItem> GetData() const override { return {{KsDragItem::Kind::text, "x"}}; }
    static CDataObject* Make(DragList* list) { return new PlainText(list); }
};

TEST_F(PaneDragOutTest, TheOfferComesFromTheInstalledDataObject) {
    const CDataObject::Factory saved = CDataObject::SetFactory(&PlainText::Make);
    DragAlong({{100, 560}});
    CDataObject::SetFactory(saved);
    ASSERT_EQ(out.offered.size(), 1u);
    EXPECT_EQ(out.offered[0].utf8, "x");
}

} // namespace
