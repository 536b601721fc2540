#include "PaneTestSupport.h"

#include "AMemStream.h"
#include "AObjDoc.h"
#include "Cursors.h"
#include "KsHandle.h"
#include "MacText.h"
#include "XError.h"

namespace {
// A focusable leaf that records what reaches it.
class Field : public APane {
public:
    int keys = 0;
    int clicks = 0;
    bool disposeOnKey = false;
    APane* victim = nullptr;
    SInt16 cursor = 0;
    void Activate() override { active = true; }
    void Deactivate() override { active = false; }
    bool DoKeyDown(SInt16, SInt16, EventRecord*, void*) override {
        ++keys;
        if (victim) victim->Dispose();
        return disposeOnKey;
    }
    void DoClick(KsPoint, SInt16, SInt32, void*) override { ++clicks; }
    void Dawdle(KsPoint, SInt16, SInt32*, SInt16* id, void*) override {
        if (cursor) *id = cursor;
        if (victim) {
            victim->Dispose();
            victim = nullptr;
        }
    }
};

Field* NewField(APane* encl, SInt16 left, SInt16 top) {
    auto* f = new Field;
    f->IPane(encl, left, kPaneDontCare, 20, top, kPaneDontCare, 20, RGBwhite, 1);
    f->SetCanBeTabbedTo(true);
    return f;
}
} // namespace

TEST_F(PaneTest, ClicksReachTheFrontPaneAndLabelsOnlyWithClickInLabel) {
    auto* f = NewField(main, 100, 100);
    f->AddLabel("Label", kLabelLeft);
    main->DoClick({105, 105}, 0, 0, nullptr);
    EXPECT_EQ(f->clicks, 1);
    main->DoClick({f->GetBounds().left + 1, 105}, 0, 0, nullptr);
    EXPECT_EQ(f->clicks, 1);
    f->SetClickInLabel(true);
    main->DoClick({f->GetBounds().left + 1, 105}, 0, 0, nullptr);
    EXPECT_EQ(f->clicks, 2);
}

TEST_F(PaneTest, TabOrderForwardsBackwardsAndSkipsDisplayOnly) {
    Field* a = NewField(main, 10, 10);
    APane* box = Add(main, 50, S, 100, 10, S, 40);
    Field* b = NewField(box, 5, 5);
    Field* c = NewField(main, 200, 10);
    Field* d = NewField(main, 240, 10);
    d->SetDisplayOnly(true);
    b->Activate();
    win->SetTargetPane(b);
    EventRecord tab{};
    tab.what = keyDown;
    tab.message = 9;
    EXPECT_TRUE(main->DoKeyDown(9, 0, &tab, nullptr));
    EXPECT_TRUE(c->IsActive());
    EXPECT_FALSE(b->IsActive());
    EXPECT_EQ(win->GetTargetPane(), c);
    EXPECT_TRUE(main->DoKeyDown(9, 0, &tab, nullptr)); // wraps past the end
    EXPECT_TRUE(a->IsActive());
    tab.modifiers = 0x200;
    EXPECT_TRUE(main->DoKeyDown(9, 0, &tab, nullptr)); // Shift-Tab from the first
    EXPECT_TRUE(c->IsActive());
    EXPECT_TRUE(main->DoKeyDown(9, 0, &tab, nullptr));
    EXPECT_TRUE(b->IsActive());
    EXPECT_FALSE(d->IsActive());
}

TEST_F(PaneTest, KeysGoToTheTargetFirstAndNeverWithCommand) {
    Field* a = NewField(main, 10, 10);
    Field* b = NewField(main, 40, 10);
    b->Activate();
    win->SetTargetPane(b);
    EventRecord ev{};
    ev.what = keyDown;
    ev.message = 'x';
    b->disposeOnKey = true;
    EXPECT_TRUE(main->DoKeyDown('x', 0, &ev, nullptr));
    EXPECT_EQ(b->keys, 1);
    EXPECT_EQ(a->keys, 0);
    ev.modifiers = 0x100;
    EXPECT_FALSE(main->DoKeyDown('x', 0, &ev, nullptr));
    EXPECT_EQ(b->keys, 1);
}

TEST_F(PaneTest, HandlersMayDisposePanesDuringWalks) {
    Field* a = NewField(main, 10, 10);
    Field* b = NewField(main, 40, 10);
    a->Activate();
    win->SetTargetPane(a);
    a->victim = a; // disposes itself while handling the key
    EventRecord ev{};
    ev.what = keyDown;
    ev.message = 'q';
    main->DoKeyDown('q', 0, &ev, nullptr);
    EXPECT_EQ(win->GetTargetPane(), nullptr);
    EXPECT_EQ(main->GetNumSubPanes(), 1);
    b->victim = b;
    b->SetAlwaysDawdle(true);
    SInt16 cursor = -1;
    main->Dawdle({45, 15}, 0, nullptr, &cursor, nullptr);
    EXPECT_EQ(main->GetNumSubPanes(), 0);
}

TEST_F(PaneTest, DawdleChoosesTheFrontMostCursor) {
    Field* a = NewField(main, 10, 10);
    Field* b = NewField(main, 20, 10);
    a->cursor = iBeamCursor;
    b->cursor = crossCursor;
    SInt16 id = 0;
    main->Dawdle({25, 15}, 0, nullptr, &id, nullptr);
    EXPECT_EQ(id, crossCursor);
    main->Dawdle({12, 15}, 0, nullptr, &id, nullptr);
    EXPECT_EQ(id, iBeamCursor);
    main->Dawdle({300, 200}, 0, nullptr, &id, nullptr);
    EXPECT_EQ(id, -1);
    EXPECT_EQ(KsGetCursorID(), kKsArrowCursorID);
}

TEST_F(PaneTest, MenusFanOutToHandlingVisibleSubPanes) {
    struct Menu : APane {
        int seen = 0;
        bool DoMenuSelect(SInt32, SInt32, void*) override { return ++seen > 0; }
    };
    auto* m = new Menu;
    m->IPane(main, 0, S, 10, 0, S, 10, RGBwhite, 0);
    EXPECT_FALSE(main->DoMenuSelect(1, 1, nullptr));
    m->SetHandlesMenus(true);
    EXPECT_TRUE(main->DoMenuSelect(1, 1, nullptr));
    EXPECT_EQ(m->seen, 1);
}

TEST_F(PaneTest, DrawingOrderClipsAndPaintsBackToFront) {
    APane* a = Add(main, 10, S, 40, 10, S, 40, 0, RGBred);
    APane* b = Add(main, 30, S, 40, 30, S, 40, 0, RGBwhite);
    main->Draw(nullptr, nullptr);
    EXPECT_EQ(Px(15, 15), Rgb(RGBred));
    EXPECT_EQ(Px(35, 35), Rgb(RGBwhite)); // b over a
    EXPECT_EQ(Px(5, 5), Rgb(RGBgray7));
    b->SendToBack();
    main->Draw(nullptr, nullptr);
    EXPECT_EQ(Px(35, 35), Rgb(RGBred));
    // A clip restricts the redraw.
    a->SetBkndColor(RGBblack);
    const KsRect clip{10, 10, 20, 20};
    main->Draw(&clip, nullptr);
    EXPECT_EQ(Px(15, 15), Rgb(RGBblack));
    EXPECT_EQ(Px(25, 25), Rgb(RGBred));
}

TEST_F(PaneTest, InvalidationIsRecordedAsARegion) {
    APane* p = Add(main, 10, S, 40, 10, S, 40);
    Validate();
    p->SetSelected(true);
    KsRgn ring(KsRect{10, 10, 50, 50});
    ring.Subtract(KsRect{13, 13, 47, 47});
    EXPECT_EQ(UpdateRgn(), ring);
    Validate();
    p->MovePaneTo(100, 10);
    EXPECT_EQ(UpdateRgn(), KsRgn({KsRect{10, 10, 50, 50}, KsRect{100, 10, 140, 50}}));
    Validate();
    p->SetVisible(false);
    EXPECT_EQ(UpdateRgn(), KsRgn(KsRect{100, 10, 140, 50}));
}

TEST_F(PaneTest, InheritedBackgroundFollowsTheEnclosure) {
    APane* e = Add(main, 0, S, 100, 0, S, 100, 0, KsRGBColor{0x8000, 0x8000, 0x8000});
    APane* s = Add(e, 0, S, 10, 0, S, 10);
    s->SetInheritsBkgd(true, 50);
    EXPECT_EQ(s->GetBkndColor(), (KsRGBColor{0x4000, 0x4000, 0x4000}));
    e->SetBkndColor(RGBwhite);
    EXPECT_EQ(s->GetBkndColor().red, 0x7FFF);
    // A background resource that is not there is no background.
    e->SetBkgdRsrc(31000, 0x50494354);
    EXPECT_EQ(e->GetBkgdRsrcID(), 0);
}

TEST_F(PaneTest, MiniHelpTextSources) {
    APane* p = Add(main, 0, S, 10, 0, S, 10);
    EXPECT_FALSE(p->HasMiniHelpText());
    p->AddLabel("Lbl", kLabelNone);
    char buf[16];
    p->GetMiniHelpText(buf, sizeof buf);
    EXPECT_STREQ(buf, "Lbl");
    p->SetHelpText("Help");
    p->SetLabelPosition(kLabelLeft);
    p->GetMiniHelpText(buf, sizeof buf);
    EXPECT_STREQ(buf, "Help");
    EXPECT_TRUE(p->HasMiniHelpText());
    p->SetFlag(kPaneNoMiniHelp, true);
    EXPECT_FALSE(p->HasMiniHelpText());
}

// Streams

namespace {
Handle WriteDoc(APane* p) {
    AMemStream s(KsByteOrder::littleEndian);
    AObjDoc doc(s);
    doc.Write(p);
    return KsCopyHand(s.GetDataHandle());
}
APane* ReadDoc(Handle h) {
    AMemStream s(h);
    AObjDoc doc(s);
    doc.Read();
    return static_cast<APane*>(doc.TakeObject());
}
} // namespace

TEST_F(PaneTest, BinaryRoundTripOfAWholeTree) {
    APane* root = Add(main, 5, S, 200, 5, S, 100, 1, RGBlightblue);
    root->SetPaneID("root");
    root->AddLabel("Root label", kLabelAbove);
    root->SetHelpText("help me");
    root->SetText("body");
    APane* kid = Add(root, 2, -2, S, 2, S, 20);
    kid->SetPaneID("kid");
    kid->SetSelected(true);
    kid->SetAlwaysDawdle(true);
    Add(kid, 1, S, 3, 1, S, 3)->SetPaneID("grandkid");
    root->MovePaneTo(50000, 7);
    Handle h = WriteDoc(root);
    APane* copy = ReadDoc(h);
    KsDisposeHandle(h);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetBounds(), root->GetBounds());
    EXPECT_EQ(copy->GetXOffset(), root->GetXOffset());
    EXPECT_EQ(copy->GetLabelDY(), root->GetLabelDY());
    EXPECT_STREQ(copy->GetLabel()->GetText(), "Root label");
    EXPECT_STREQ(copy->GetHelpText()->GetText(), "help me");
    EXPECT_STREQ(copy->GetBodyText()->GetText(), "body");
    APane* k = copy->FindByCompoundID("root:kid");
    ASSERT_NE(k, nullptr);
    EXPECT_FALSE(k->GetSelected());
    EXPECT_TRUE(copy->GetAlwaysDawdle());
    EXPECT_NE(copy->FindByCompoundID("kid:grandkid"), nullptr);
    EXPECT_EQ(k->GetEnclPane(), copy);
    EXPECT_EQ(copy->GetEnclPane(), nullptr);
    EXPECT_EQ(copy->GetBkndColor(), RGBlightblue);
    copy->Dispose();
}

TEST_F(PaneTest, DamagedStreamsRaiseAndLeaveNothing) {
    APane* root = Add(main, 5, S, 200, 5, S, 100);
    for (int i = 0; i < 5; ++i)
        Add(root, 0, S, 3, 0, S, 3);
    Handle h = WriteDoc(root);
    const long live = APane::GetLivePaneCount();
    const Size size = KsGetHandleSize(h);
    int failures = 0;
    for (Size cut = 1; cut < size; cut += 7) {
        Handle part = KsNewHandleFrom(*h, cut);
        try {
            APane* p = ReadDoc(part);
            if (p) p->Dispose();
        } catch (const XError&) {
            ++failures;
        }
        KsDisposeHandle(part);
        EXPECT_EQ(APane::GetLivePaneCount(), live);
    }
    EXPECT_GT(failures, 0);
    KsDisposeHandle(h);
}
