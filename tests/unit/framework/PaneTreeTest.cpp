// The pane tree: moving subtrees, order, hierarchy values, IDs, disposal,
// copies and texts; six-coordinate placement, large moves, conversions,
// juxtaposition and labels.
#include "MacText.h"
#include "PaneTestSupport.h"
#include "XError.h"

#include <cstring>

TEST_F(PaneTest, AddSubPaneMovesWholeSubtreeBetweenEnclosures) {
    APane* a = Add(main, 0, S, 100, 0, S, 100);
    APane* b = Add(main, 100, S, 100, 0, S, 100);
    APane* c = Add(a, 0, S, 10, 0, S, 10);
    APane* d = Add(c, 0, S, 5, 0, S, 5);
    b->AddSubPane(c);
    EXPECT_EQ(a->GetNumSubPanes(), 0);
    EXPECT_EQ(b->GetNumSubPanes(), 1);
    EXPECT_EQ(c->GetEnclPane(), b);
    EXPECT_EQ(d->GetEnclWindow(), win);
    // Cycles are refused.
    EXPECT_THROW(d->AddSubPane(b), XError);
    EXPECT_THROW(c->SetEnclosure(d), XError);
    EXPECT_THROW(c->Incorporate(d), XError);
    EXPECT_THROW(d->Incorporate(c), XError);
    EXPECT_EQ(d->GetEnclPane(), c);
    c->SetEnclosure(c); // itself: nothing
    EXPECT_EQ(c->GetEnclPane(), b);
}

TEST_F(PaneTest, SetEnclosureKeepsTheOffsetFromTheInterior) {
    APane* a = Add(main, 10, S, 100, 10, S, 100);
    APane* b = Add(main, 200, S, 100, 50, S, 100);
    APane* c = Add(a, 5, S, 10, 7, S, 10);
    c->SetEnclosure(b);
    EXPECT_EQ(c->GetBounds().left, 205);
    EXPECT_EQ(c->GetBounds().top, 57);
}

TEST_F(PaneTest, OrderAndForEachPruning) {
    APane* a = Add(main, 0, S, 10, 0, S, 10);
    APane* b = Add(main, 0, S, 10, 0, S, 10);
    Add(a, 0, S, 5, 0, S, 5);
    a->BringToFront();
    EXPECT_EQ(main->GetSubPane(main->GetNumSubPanes()), a);
    a->SendToBack();
    EXPECT_EQ(main->GetSubPane(1), a);
    struct Seen {
        APane* list[8];
        int n = 0;
    } seen;
    main->ForEachSubPane(
        [](APane* p, void* s, void* skip) {
            auto* v = static_cast<Seen*>(s);
            v->list[v->n++] = p;
            return p != skip;
        },
        &seen, a);
    ASSERT_EQ(seen.n, 3);
    EXPECT_EQ(seen.list[0], main);
    EXPECT_EQ(seen.list[1], a);
    EXPECT_EQ(seen.list[2], b);
}

TEST_F(PaneTest, HierarchyValuesAreRecomputed) {
    APane* a = Add(main, 0, S, 10, 0, S, 10);
    APane* b = Add(a, 0, S, 5, 0, S, 5);
    b->SetHandlesMenus(true);
    b->SetAlwaysDawdle(true);
    EXPECT_TRUE(a->GetHandlesMenus());
    EXPECT_TRUE(main->GetAlwaysDawdle());
    b->SetHandlesMenus(false);
    EXPECT_FALSE(a->GetHandlesMenus());
    EXPECT_FALSE(main->GetHandlesMenus());
    b->Dispose();
    EXPECT_FALSE(main->GetAlwaysDawdle());
}

TEST_F(PaneTest, GeneratedAndExplicitIDs) {
    APane* p = Add(main, 0, S, 10, 0, S, 10);
    p->AddLabel("Gain", kLabelNone);
    char buf[64];
    EXPECT_FALSE(p->GetPaneID(buf, sizeof buf));
    EXPECT_STREQ(buf, "Gain");
    p->SetPaneID("a/b");
    EXPECT_TRUE(p->GetPaneID(buf, sizeof buf));
    EXPECT_STREQ(buf, "a_b");
    p->SetPaneID("");
    EXPECT_FALSE(p->GetPaneID(buf, sizeof buf));
    EXPECT_STREQ(buf, "Gain");

    APane* q = Add(main, 0, S, 10, 0, S, 10);
    q->GetPaneID(buf, sizeof buf);
    EXPECT_EQ(UInt8(buf[0]), 0xC7);
    EXPECT_EQ(std::strncmp(buf + 1, "Pane #", 6), 0);
    EXPECT_EQ(UInt8(buf[std::strlen(buf) - 1]), 0xC8);
    // Zero or negative lengths copy nothing.
    char guard[4] = {'x', 'y', 'z', 0};
    q->GetPaneID(guard, 0);
    q->GetPaneID(guard, -5);
    EXPECT_STREQ(guard, "xyz");
    q->GetPaneID(guard, 1);
    EXPECT_STREQ(guard, "");
}

TEST_F(PaneTest, CompoundIDsMatchWholeComponents) {
    main->SetPaneID("win");
    APane* a = Add(main, 0, S, 10, 0, S, 10);
    a->SetPaneID("a");
    APane* b = Add(a, 0, S, 5, 0, S, 5);
    b->SetPaneID("b");
    APane* ab = Add(main, 0, S, 10, 0, S, 10);
    ab->SetPaneID("ab");
    EXPECT_EQ(main->FindByCompoundID("win:a:b"), b);
    EXPECT_EQ(main->FindByCompoundID("a:b"), b);
    EXPECT_EQ(main->FindByCompoundID("b"), b);
    EXPECT_EQ(main->FindByCompoundID("ab"), ab);
    EXPECT_EQ(main->FindByCompoundID("a"), a);
    EXPECT_EQ(main->FindByCompoundID("win:x"), nullptr);
    EXPECT_EQ(main->FindByCompoundID("wi"), nullptr);
    EXPECT_EQ(main->FindPaneByID("ab"), ab);
    EXPECT_EQ(win->FindPaneByID("b"), b);
}

TEST_F(PaneTest, DisposeClearsEveryWindowPointer) {
    APane* a = Add(main, 0, S, 10, 0, S, 10);
    APane* b = Add(a, 0, S, 5, 0, S, 5);
    win->SetTargetPane(b);
    win->SetActivePane(b);
    win->SetResultPane(a);
    const long live = APane::GetLivePaneCount();
    a->Dispose();
    EXPECT_EQ(win->GetTargetPane(), nullptr);
    EXPECT_EQ(win->GetActivePane(), nullptr);
    EXPECT_EQ(win->GetResultPane(), nullptr);
    EXPECT_EQ(APane::GetLivePaneCount(), live - 2);
    EXPECT_EQ(main->GetNumSubPanes(), 0);
}

TEST_F(PaneTest, CopyIsDetachedAndDeep) {
    APane* a = Add(main, 0, S, 40, 0, S, 40);
    a->SetPaneID("orig");
    a->SetText("hello");
    a->SetRefNum(7);
    a->SetSelected(true);
    APane* b = Add(a, 0, S, 5, 0, S, 5);
    b->SetPaneID("kid");
    auto* c = static_cast<APane*>(a->Copy());
    EXPECT_EQ(c->GetEnclPane(), nullptr);
    EXPECT_EQ(c->GetRefNum(), 0);
    EXPECT_FALSE(c->GetSelected());
    ASSERT_EQ(c->GetNumSubPanes(), 1);
    EXPECT_EQ(c->GetSubPane(1)->GetEnclPane(), c);
    EXPECT_NE(c->GetSubPane(1), b);
    EXPECT_EQ(c->FindPaneByID("kid"), c->GetSubPane(1));
    EXPECT_NE(c->GetBodyText(), a->GetBodyText());
    EXPECT_STREQ(c->GetBodyText()->GetText(), "hello");
    c->Dispose();
    EXPECT_EQ(a->GetNumSubPanes(), 1);
}

TEST_F(PaneTest, IncorporateTakesPlaceAndContent) {
    APane* shell = Add(main, 0, S, 10, 0, S, 10);
    APane* other = Add(main, 50, S, 80, 20, S, 60, 1);
    other->SetPaneID("panel");
    APane* kid = Add(other, 2, S, 5, 2, S, 5);
    shell->Incorporate(other);
    EXPECT_EQ(shell->GetBounds(), (KsRect{50, 20, 130, 80}));
    EXPECT_EQ(kid->GetEnclPane(), shell);
    EXPECT_EQ(main->FindPaneByID("panel"), shell);
    EXPECT_EQ(main->GetNumSubPanes(), 1);
}

TEST_F(PaneTest, TextSettersCompareWholeTexts) {
    APane* p = Add(main, 0, S, 10, 0, S, 10);
    std::string longText(300, 'a');
    p->SetText(longText.c_str());
    std::string other = longText;
    other[290] = 'b';
    Validate();
    p->SetText(other.c_str());
    EXPECT_STREQ(p->GetBodyText()->GetText(), other.c_str());
    p->AddLabel(longText.c_str(), kLabelNone);
    EXPECT_TRUE(p->SetLabelText(other.c_str()));
    EXPECT_FALSE(p->SetLabelText(other.c_str()));
    char buf[8];
    EXPECT_EQ(p->GetText(buf, sizeof buf), -1);
    EXPECT_STREQ(buf, "aaaaaaa");
}

TEST_F(PaneTest, SixCoordinatePlacementAndSizing) {
    APane* encl = Add(main, 0, S, 200, 0, S, 100);
    ASSERT_EQ(encl->GetInterior(), (KsRect{0, 0, 200, 100}));
    APane* stretch = Add(encl, 10, -10, S, 5, S, 20);
    EXPECT_EQ(stretch->GetBounds(), (KsRect{10, 5, 190, 25}));
    EXPECT_EQ(stretch->GetSizingAttrs(), UInt32(0x1 | 0x2 | 0x4));
    APane* corner = Add(encl, S, -10, 40, S, -10, 20);
    EXPECT_EQ(corner->GetSizingAttrs(), UInt32(0x2 | 0x8));
    APane* centred = Add(encl, S, S, 40, S, S, 20);
    EXPECT_EQ(centred->GetBounds(), (KsRect{80, 40, 120, 60}));

    EXPECT_TRUE(encl->Resize(250, 130));
    EXPECT_EQ(stretch->GetBounds(), (KsRect{10, 5, 240, 25}));
    EXPECT_EQ(corner->GetBounds(), (KsRect{200, 100, 240, 120}));
    EXPECT_EQ(centred->GetBounds(), (KsRect{105, 55, 145, 75}));
    EXPECT_FALSE(encl->Resize(S, S));
}

TEST_F(PaneTest, InvalidPlacementRaisesAndLeavesNothing) {
    const SInt32 before = main->GetNumSubPanes();
    EXPECT_THROW(Add(main, 10, S, S, 0, S, 10), XError);
    EXPECT_THROW(Add(main, 10, 10, 10, 0, S, 10), XError);
    EXPECT_THROW(Add(main, 0, S, 10, S, S, S), XError);
    EXPECT_EQ(main->GetNumSubPanes(), before);
    // No enclosure and no window: nowhere to place.
    SetPort(nullptr);
    EXPECT_THROW(Add(nullptr, 0, S, 10, 0, S, 10), XError);
}

TEST_F(PaneTest, LargeMovesKeepSizeAndCarrySubPanes) {
    APane* p = Add(main, 0, S, 100, 0, S, 50);
    APane* sub = Add(p, 10, S, 20, 10, S, 20);
    EXPECT_TRUE(p->MovePaneTo(70000, 0));
    EXPECT_EQ(p->GetLogicalTopLeft().h, 70000);
    EXPECT_LE(p->GetBounds().right, 32767);
    EXPECT_EQ(p->GetWidth(), 100);
    // A second move of a pane that already has an offset keeps its bounds.
    EXPECT_TRUE(p->MovePaneTo(140000, 0));
    EXPECT_EQ(p->GetLogicalTopLeft().h, 140000);
    EXPECT_EQ(p->GetWidth(), 100);
    EXPECT_LE(p->GetBounds().right, 32767);
    // The sub-pane moved by the whole 32-bit distance.
    EXPECT_EQ(sub->GetLogicalTopLeft().h, 140010);
    EXPECT_EQ(sub->GetWidth(), 20);
    for (SInt32 x : {-100000, 5, 40000, -40000, 0}) {
        EXPECT_TRUE(p->MovePaneTo(x, 3));
        EXPECT_EQ(p->GetLogicalTopLeft().h, x);
        EXPECT_EQ(p->GetWidth(), 100);
        EXPECT_EQ(sub->GetLogicalTopLeft().h, x + 10);
        EXPECT_EQ(sub->GetLogicalTopLeft().v, 13);
    }
    EXPECT_EQ(p->GetBounds(), (KsRect{0, 3, 100, 53}));
    EXPECT_FALSE(p->MovePaneTo(S, S));
}

TEST_F(PaneTest, PtInPaneAndConversions) {
    APane* p = Add(main, 10, S, 20, 10, S, 20, 1);
    EXPECT_TRUE(p->PtInPane({30, 30}));
    EXPECT_TRUE(p->PtInPane({10, 10}));
    EXPECT_FALSE(p->PtInPane({31, 30}));
    KsPoint pt{15, 16};
    p->WindowToPanePt(&pt);
    const KsRect in = p->GetInterior();
    EXPECT_EQ(pt.h, 15 - in.left);
    p->PaneToWindowPt(&pt);
    EXPECT_EQ(pt, (KsPoint{15, 16}));
}

TEST_F(PaneTest, JuxtaposeAlignAndCentre) {
    APane* a = Add(main, 100, S, 50, 100, S, 40);
    APane* b = Add(main, 0, S, 20, 0, S, 10);
    b->JuxtaposePaneRight(a, 5);
    EXPECT_EQ(b->GetBounds().left, 155);
    b->JuxtaposePaneLeft(a, 5);
    EXPECT_EQ(b->GetBounds().left, 75);
    b->AlignPaneBottom(a, 2);
    EXPECT_EQ(b->GetBounds().bottom, 138);
    b->JuxtaposePaneBottom(a, 0);
    EXPECT_EQ(b->GetBounds().top, 140);
    b->CenterPane(a, true, true);
    EXPECT_EQ(b->GetBounds(), (KsRect{115, 115, 135, 125}));
}

TEST_F(PaneTest, LabelPositionsKeepTheFrame) {
    APane* p = Add(main, 100, S, 60, 50, S, 20, 1);
    const KsRect frame = p->GetFrame();
    p->AddLabel("Gain", kLabelLeft);
    EXPECT_EQ(p->GetFrame(), frame);
    EXPECT_GT(p->GetLabelDX(), 6);
    EXPECT_EQ(p->GetBounds().left, frame.left - p->GetLabelDX());
    EXPECT_EQ(p->GetLabelPos(), kLabelLeft);
    p->AddLabel("Gain", kLabelAbove);
    EXPECT_EQ(p->GetFrame(), frame);
    EXPECT_EQ(p->GetLabelPos(), kLabelAbove);
    p->AddLabel(nullptr, kLabelLeft);
    EXPECT_EQ(p->GetLabel(), nullptr);
    EXPECT_EQ(p->GetBounds(), frame);
}

TEST_F(PaneTest, LabelOverBorderInvalidatesTheFrameToo) {
    APane* p = Add(main, 100, S, 60, 50, S, 20, 1);
    p->AddLabel("Over", kLabelOverBorder);
    ASSERT_LT(p->GetFrame().left, p->GetBounds().left);
    Validate();
    p->Inval();
    EXPECT_TRUE(UpdateRgn().Contains(p->GetFrame()));
    EXPECT_TRUE(UpdateRgn().Contains(p->GetBounds()));
}
