// Drags inside the application, scripted on the headless desk: which panes
// hear which drag messages, what a drop answers, the standard feedback's
// colours, and how errors and drop messages come out once the drag is over;
// the drag service's replaceable record factories.
#include "APane.h"
#include "ApplicationTestSupport.h"
#include "CDataObject.h"
#include "CDropTarget.h"
#include "DragList.h"
#include "DragMessages.h"
#include "KsFatal.h"
#include "KsFileText.h"
#include "KsLog.h"
#include "KsPortSavers.h"
#include "KsUIHooks.h"
#include "SystemDrag.h"

#include <cstring>

namespace {

constexpr SInt16 S = kPaneDontCare;

// A bin that records the drag messages reaching it (but the many "within")
// and can refuse, or fail, at any step.
class Bin : public APane {
public:
    std::vector<SInt16> heard;
    std::vector<KsPoint> points;
    bool accepts = true;
    SInt16 failOn = 0; // a message, or 6 for the drop handler
    int drops = 0;
    bool HandleDragMsg(DragList* list, KsPoint pt, SInt16 mods, SInt16 msg) override {
        if (msg != kDragMayAccept && msg != kDragWithin) heard.push_back(msg);
        points.push_back(pt);
        if (msg == failOn) throw XError("TEST_DRAG_FAILED");
        return APane::HandleDragMsg(list, pt, mods, msg);
    }
    bool AcceptDrop(DragList*) override { return accepts; }
    void DropHandler(DragList*, KsPoint, SInt16) override {
        ++drops;
        if (failOn == 6) throw XError("TEST_DROP_FAILED");
    }
    // What another application dropped: "file:" or "text:" and the data.
    std::vector<std::string> received;
    void HandleDropFromSystem(DragList* list, KsPoint, SInt16) override {
        std::string data;
        for (SInt32 i = 1; i <= list->CountDragThings(); ++i) {
            if (list->GetDragThing(i)->GetDragData(kDragDataFile, &data))
                received.push_back("file:" + data);
            if (list->GetDragThing(i)->GetDragData(kDragDataText, &data))
                received.push_back("text:" + data);
        }
        if (failOn == 6) throw XError("TEST_DROP_FAILED");
    }
};

class PaneDragTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        left = Win("left", 40, 60);
        right = Win("right", 320, 60);
        source = NewBin(left, 10, 10);
        near = NewBin(left, 110, 10);
        far = NewBin(right, 10, 10);
        Settle();
        previousDialog = InstallUIdialog(RecordDialog);
        Shown().clear();
    }
    void TearDown() override {
        InstallUIdialog(previousDialog);
        DeleteDragMessages();
        EnableDrops(false);
        AppTest::TearDown();
    }
    Bin* NewBin(AWindow* w, SInt16 h, SInt16 v, const KsRGBColor& colour = RGBgray9) {
        auto* b = new Bin;
        b->IPane(w->GetMainPane(), h, S, 60, v, S, 40, colour, 0);
        b->SetStdHandleOver(true);
        return b;
    }
    // The centre of a pane, in global coordinates, moved by (dh, dv).
    static Point Global(const APane* p, SInt16 dh = 0, SInt16 dv = 0) {
        const KsRect b = p->GetBounds();
        Point pt{SInt16((b.top + b.bottom) / 2 + dv), SInt16((b.left + b.right) / 2 + dh)};
        StPortSaver port;
        SetPortWindowPort(p->GetEnclWindow()->GetWindowPtr());
        LocalToGlobal(&pt);
        return pt;
    }
    // Presses on `from`, moves along `path` and releases at its end; the pane
    // drags itself from the press.
    bool DragAlong(APane* from, const std::vector<Point>& path, bool canLeave = true) {
        // What a failed drag left of its gesture goes first.
        while (backend->ScriptPending())
            (void)StillDown();
        FlushEvents(mDownMask | mUpMask, 0);
        long t = KsGetTicks();
        const Point start = Global(from);
        backend->ScriptPress(++t, start.h, start.v);
        for (Point p : path)
            backend->ScriptMove(t += 2, p.h, p.v);
        backend->ScriptRelease(t += 2, path.back().h, path.back().v);
        EventRecord down{};
        EXPECT_TRUE(WaitNextEvent(mDownMask, &down, 10, nullptr));
        StPortSaver port;
        SetPortWindowPort(from->GetEnclWindow()->GetWindowPtr());
        GlobalToLocal(&down.where);
        KsPoint at{down.where.h, down.where.v};
        return from->DoDrag(&at, nullptr, canLeave);
    }
    static std::vector<std::string>& Shown() {
        static std::vector<std::string> texts;
        return texts;
    }
    static short RecordDialog(const char* text, const char*, short, UIicon_t, const char*, bool,
                              const char*) {
        Shown().emplace_back(text ? text : "");
        return 1;
    }

    RecWindow *left = nullptr, *right = nullptr;
    Bin *source = nullptr, *near = nullptr, *far = nullptr;
    UIdialogProc previousDialog = nullptr;
};

using Heard = std::vector<SInt16>;

TEST_F(PaneDragTest, MessagesFollowThePointerAndTheDropAnswersWhetherItWasTaken) {
    struct Case {
        const char* what;
        std::vector<Point> path;
        bool nearAccepts;
        bool want;
        Heard wantSource, wantNear, wantFar;
        int wantNearDrops, wantFarDrops;
    };
    const Point outside{590, 790};
    const Case cases[] = {
        {"to the next bin", {Global(near)}, true, true, {2, 3}, {2, 5}, {}, 1, 0},
        {"across windows", {Global(near), Global(far)}, true, true, {2, 3}, {2, 3}, {2, 5}, 0, 1},
        {"refused by the bin", {Global(near)}, false, false, {2, 3}, {2, 5}, {}, 1, 0},
        {"outside every window", {Global(near), outside}, true, false, {2, 3}, {2, 3}, {}, 0, 0},
    };
    for (const Case& c : cases) {
        for (Bin* b : {source, near, far}) {
            b->heard.clear();
            b->drops = 0;
        }
        near->accepts = c.nearAccepts;
        EXPECT_EQ(DragAlong(source, c.path), c.want) << c.what;
        EXPECT_EQ(source->heard, c.wantSource) << c.what;
        EXPECT_EQ(near->heard, c.wantNear) << c.what;
        EXPECT_EQ(far->heard, c.wantFar) << c.what;
        EXPECT_EQ(near->drops, c.wantNearDrops) << c.what;
        EXPECT_EQ(far->drops, c.wantFarDrops) << c.what;
        EXPECT_FALSE(APane::DoingDrag()) << c.what;
        for (Bin* b : {source, near, far})
            EXPECT_EQ(b->GetBkndColor(), RGBgray9) << c.what;
    }
}

TEST_F(PaneDragTest, ADragKeptInItsPaneTalksOnlyToThatPane) {
    EXPECT_TRUE(DragAlong(source, {Global(near), Global(far)}, false));
    EXPECT_EQ(source->heard, (Heard{2, 5}));
    EXPECT_TRUE(near->heard.empty());
    EXPECT_TRUE(far->heard.empty());
    const KsRect b = source->GetBounds();
    for (KsPoint p : source->points)
        EXPECT_TRUE(p.h >= b.left && p.h < b.right && p.v >= b.top && p.v < b.bottom)
            << p.h << "," << p.v;
    EXPECT_EQ(source->drops, 1);
}

TEST_F(PaneDragTest, TheStandardFeedbackLightensWithoutWrappingAndRestoresTheColour) {
    struct Case {
        KsRGBColor colour, lit;
    };
    const Case cases[] = {
        {RGBwhite, RGBwhite},
        {{0x9000, 0xA000, 0xF000}, {0xF000, 0xFFFF, 0xFFFF}},
        {RGBblack, {0x6000, 0x6000, 0x6000}},
    };
    for (const Case& c : cases) {
        for (SInt16 end : {SInt16(kDragLeave), SInt16(kDragDrop), SInt16(0)}) {
            Bin* b = NewBin(left, 10, 80, c.colour);
            APane::BeginDrag(nullptr);
            for (int i = 0; i < 2; ++i) { // a second entry must not drift
                b->DoDragFeedback(nullptr, {}, 0, kDragEnter);
                EXPECT_EQ(b->GetBkndColor(), c.lit) << c.colour.red << " end " << end;
            }
            if (end) b->DoDragFeedback(nullptr, {}, 0, end);
            APane::EndDrag(); // also when the drag ends without leave or drop
            EXPECT_EQ(b->GetBkndColor(), c.colour) << c.colour.red << " end " << end;
            b->Dispose();
        }
    }
}

TEST_F(PaneDragTest, ErrorsEndTheDragFirstAndDropErrorsWaitForTheEnd) {
    struct Case {
        Bin** failing;
        SInt16 failOn;
        const char* wantCode;
        int wantDrops;
    };
    const Case cases[] = {
        {&near, kDragEnter, "TEST_DRAG_FAILED", 0}, // in the middle of the drag
        {&near, kDragDrop, "TEST_DRAG_FAILED", 1},  // taking the drop: deferred
        {&near, 6, "TEST_DROP_FAILED", 1},          // in the drop handler: deferred
    };
    for (const Case& c : cases) {
        Bin* b = *c.failing;
        b->failOn = c.failOn;
        b->drops = 0;
        b->heard.clear();
        try {
            DragAlong(source, {Global(near)});
            ADD_FAILURE() << c.wantCode << " not raised";
        } catch (const XError& e) {
            EXPECT_STREQ(e.GetCode(), c.wantCode);
        }
        b->failOn = 0;
        EXPECT_FALSE(APane::DoingDrag());
        EXPECT_EQ(APane::GetDragList(), nullptr);
        EXPECT_EQ(b->drops, c.wantDrops) << c.wantCode;
        EXPECT_EQ(source->GetBkndColor(), RGBgray9) << c.wantCode;
        EXPECT_EQ(near->GetBkndColor(), RGBgray9) << c.wantCode;
        EXPECT_FALSE(GetDragException().IsError());
    }
    // The next drag runs as if nothing had happened.
    EXPECT_TRUE(DragAlong(source, {Global(near)}));
}

TEST_F(PaneDragTest, DropMessagesShowOneOrPointToTheLogAndKeepTheirWholeText) {
    LogFile::Close();
    const std::string longText = std::string(1500, 'x') + "END";
    AddDragMessage(longText.c_str());
    EXPECT_EQ(std::strlen(GetDragMessage(0)), kDragMessageMax - 1);
    DisplayDragMessages();
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0], longText.substr(0, kDragMessageMax - 1));
    LogFile::Close();
    EXPECT_NE(ReadFileText(LogFile::GetPath()).find(longText), std::string::npos);

    AddDragMessage("second");
    DisplayDragMessages();
    ASSERT_EQ(Shown().size(), 2u);
    EXPECT_EQ(Shown()[1], "Information regarding the Export was logged to the Console.\nSee the "
                          "console for details.\n");
    DeleteDragMessages();
    DisplayDragMessages();
    EXPECT_EQ(Shown().size(), 2u);
}

TEST_F(PaneDragTest, DropsFromOtherApplicationsReachRegisteredWindowsWhileEnabled) {
    using K = KsDragItem::Kind;
    RegisterForDrop(left);
    EXPECT_FALSE(EnableDrops(true));
    KsDropSink* sink = KsGetDropSink();
    ASSERT_NE(sink, nullptr);
    struct Case {
        const char* what;
        Point at;
        bool hasPoint;
        bool nearAccepts;
        std::vector<bool> wantAnswers; // enter, within, drop
        std::vector<std::string> wantReceived;
    };
    const std::vector<KsDragItem> items{{K::file, "/home/a/clip one.mov"},
                                        {K::text, "caf\xC3\xA9"}};
    const Case cases[] = {
        {"onto an accepting bin",
         Global(near),
         true,
         true,
         {true, true, true},
         {"file:/home/a/clip one.mov", "text:caf\x8E"}},
        {"onto a refusing bin", Global(near), true, false, {false, false, false}, {}},
        {"into a window not registered", Global(far), true, true, {false, false, false}, {}},
        {"without a point: at the last one",
         Global(near),
         false,
         true,
         {true, true, true},
         {"file:/home/a/clip one.mov", "text:caf\x8E"}},
    };
    for (const Case& c : cases) {
        near->received.clear();
        far->received.clear();
        near->accepts = c.nearAccepts;
        const std::vector<K> kinds{K::file, K::text};
        std::vector<bool> answers;
        answers.push_back(sink->DropTrack(KsDropPhase::enter, c.at.h, c.at.v, 0, kinds));
        answers.push_back(sink->DropTrack(KsDropPhase::within, c.at.h, c.at.v, 0, kinds));
        answers.push_back(c.hasPoint ? sink->DropDeliver(c.at.h, c.at.v, true, 0, items)
                                     : sink->DropDeliver(0, 0, false, 0, items));
        EXPECT_EQ(answers, c.wantAnswers) << c.what;
        EXPECT_EQ(near->received, c.wantReceived) << c.what;
        EXPECT_TRUE(far->received.empty()) << c.what;
        EXPECT_FALSE(APane::DoingDrag()) << c.what;
        EXPECT_EQ(near->GetBkndColor(), RGBgray9) << c.what;
    }
    // A drag that leaves ends; errors end it and are reported once it is over.
    EXPECT_TRUE(sink->DropTrack(KsDropPhase::enter, Global(near).h, Global(near).v, 0, {K::file}));
    sink->DropTrack(KsDropPhase::leave, 0, 0, 0, {});
    EXPECT_FALSE(APane::DoingDrag());
    EXPECT_EQ(near->GetBkndColor(), RGBgray9);
    near->failOn = kDragEnter; // an error on the way ends the drag too
    EXPECT_FALSE(sink->DropTrack(KsDropPhase::enter, Global(near).h, Global(near).v, 0, {K::file}));
    EXPECT_FALSE(APane::DoingDrag());
    near->failOn = 6;
    EXPECT_FALSE(sink->DropDeliver(Global(near).h, Global(near).v, true, 0, items));
    near->failOn = 0;
    EXPECT_EQ(Shown(), (std::vector<std::string>{"TEST_DRAG_FAILED", "TEST_DROP_FAILED"}));
    EXPECT_TRUE(EnableDrops(false));
    EXPECT_EQ(KsGetDropSink(), nullptr);
    EXPECT_FALSE(KsSystemDropsEnabled());
}

TEST(DragListTest, ListsLeaveTheApplicationOnlyWithThingsThatCan) {
    struct Case {
        SInt16 srcKind;
        bool toSystem;
        DragData_t data;
        std::vector<DragData_t> wantOffer;
    };
    const Case cases[] = {
        {kDragSrcMayLeave, true, kDragDataFile, {kDragDataFile}},
        {kDragSrcMayLeave, true, kDragDataText, {kDragDataText}},
        {kDragSrcInApp, true, kDragDataFile, {}},
        {kDragSrcMayLeave, false, kDragDataFile, {}},
        {kDragSrcMayLeave, true, kDragDataNone, {}},
    };
    for (const Case& c : cases) {
        DragList* list = DragList::New(c.srcKind, {});
        DragThing* thing = DragThing::NewPlain();
        if (c.data != kDragDataNone) thing->AddDragData(c.data, "/tmp/a clip.mov");
        thing->SetCanDragToSystem(c.toSystem);
        EXPECT_EQ(list->AddDragThing(thing), 1);
        EXPECT_EQ(list->AddDragObject(list), 2);
        EXPECT_EQ(list->CanDragToSystem(), !c.wantOffer.empty());
        EXPECT_EQ(list->PrepareDragToSystem(), c.wantOffer);
        EXPECT_EQ(list->GetDragObject("DragList"), list);
        list->SetDragHandled(2, true);
        EXPECT_TRUE(list->AnyHandled());
        list->ResetDragList();
        EXPECT_FALSE(list->AnyHandled());
        list->Dispose();
    }
}

std::string gAsserted;
int gRecords = 0;

class CountedTarget : public CDropTarget {
public:
    explicit CountedTarget(AWindow* w) : CDropTarget(w) { ++gRecords; }
    ~CountedTarget() override { --gRecords; }
};

TEST_F(AppTest, DropRecordsWithoutAFactoryFailTheirAssertions) {
    const auto savedTarget = CDropTarget::SetFactory(nullptr);
    const auto savedData = CDataObject::SetFactory(nullptr);
    const FtlHandler previous = FtlInstall([](char* m, char*, int) -> unsigned char {
        gAsserted = m;
        FtlClearFatalError();
        return false;
    });
    EXPECT_EQ(CDropTarget::New(nullptr), nullptr);
    EXPECT_NE(gAsserted.find("CDropTarget::mFactory != 0"), std::string::npos) << gAsserted;
    EXPECT_EQ(CDataObject::New(nullptr), nullptr);
    EXPECT_NE(gAsserted.find("CDataObject::mFactory != 0"), std::string::npos) << gAsserted;
    FtlInstall(previous);
    CDropTarget::SetFactory(savedTarget);
    CDataObject::SetFactory(savedData);
}

TEST_F(AppTest, AWindowHasOneDropRecordWhileItLives) {
    const auto saved =
        CDropTarget::SetFactory([](AWindow* w) -> CDropTarget* { return new CountedTarget(w); });
    RecWindow* a = Win("a");
    RecWindow* b = Win("b", 300);
    for (AWindow* w : {a, a, b})
        RegisterForDrop(w);
    EXPECT_EQ(gRecords, 2);
    EXPECT_EQ(CDropTarget::Find(a)->GetWindow(), a);
    b->Dispose();
    EXPECT_EQ(CDropTarget::Find(b), nullptr);
    EXPECT_EQ(gRecords, 1);
    CDropTarget::DisposeAll();
    CDropTarget::SetFactory(saved);
}

} // namespace
