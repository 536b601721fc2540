#include "PaneTestSupport.h"

#include "XError.h"

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
