// The pane stack's behaviour where a careless stack goes wrong: duplicate
// indexes, heights of closed panes and pages, calls without a current pane,
// host procedures that raise or dispose of the stack, a zero row height and
// the frame allowance of resizing.
#include "PaneStackTestSupport.h"

#include <stdexcept>

namespace {

constexpr SInt16 kRow = 13;

class PaneStackFaultsTest : public PaneStackTest {
protected:
    void SetUp() override {
        PaneStackTest::SetUp();
        NewStack(kRow, 6);
    }
    // n ordinary panes of 3 rows.
    void AddPanes(int n) {
        for (int i = 0; i < n; ++i)
            stack->AddPane(i, 0, "sec", 3, 0);
    }
};

TEST_F(PaneStackFaultsTest, DuplicateIndexRefusesReorderAndKeepsEveryPane) {
    AddPanes(4);
    stack->GetStackPane(3)->SetPaneIndex(1);
    stack->GetStackPane(2)->SetOpenable(false, false);
    EXPECT_FALSE(stack->ShuffleOpenable());
    EXPECT_EQ(stack->CountStackPanes(), 4);
    EXPECT_TRUE(StackInvariantsHold(stack));
    stack->GetStackPane(3)->SetPaneIndex(2);
    EXPECT_TRUE(stack->ShuffleOpenable());
    EXPECT_EQ(stack->GetStackPane(4)->GetPaneIndex(), 1); // the unopenable one goes last
    EXPECT_TRUE(StackInvariantsHold(stack));
}

TEST_F(PaneStackFaultsTest, HeightMultipleKeepsClosedPanesOneRowAndPagesAtLeastOne) {
    AddPanes(3);
    AStackPane* p = stack->GetStackPane(2);
    stack->SetCurrent(p, p);
    APagePane* page = stack->AddPanePage(0, "pg", 0, nullptr, 0);
    p->SetHeightMultiple(6);
    EXPECT_EQ(p->GetBounds().Height(), kRow);
    EXPECT_EQ(page->GetHeightMultiple(), 5);
    EXPECT_TRUE(StackInvariantsHold(stack));
    p->SetHeightMultiple(1);
    EXPECT_EQ(page->GetHeightMultiple(), 1);
    p->OpenPane();
    EXPECT_TRUE(StackInvariantsHold(stack));
    p->SetHeightMultiple(4);
    EXPECT_EQ(p->GetBounds().Height(), 4 * kRow);
    EXPECT_TRUE(StackInvariantsHold(stack));
}

// Every member that works on the current pane, gadget or target, called
// without one.
TEST_F(PaneStackFaultsTest, CallsWithoutCurrentPaneDoNothing) {
    stack->SetCurrent(nullptr, nullptr);
    EXPECT_EQ(stack->AddPanePage(0, "p", 2, nullptr, 0), nullptr);
    EXPECT_EQ(stack->AddLabelGad(0, "l", nullptr, 4, 4), nullptr);
    EXPECT_EQ(stack->AddCheckBoxGad(0, "c", nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(stack->AddPopupMenuGad(0, "m", nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(stack->AddEnableGad(0, "", nullptr, nullptr, nullptr, 2, 2), nullptr);
    EXPECT_FALSE(stack->SetCurGad("x"));
    EXPECT_FALSE(stack->RefConSetCurGad(3));
    EXPECT_FALSE(stack->OpenCurPane());
    EXPECT_FALSE(stack->CloseCurPane());
    EXPECT_FALSE(stack->EnableCurPane(true));
    EXPECT_TRUE(stack->IsCurPaneEnabled());
    EXPECT_FALSE(stack->ChangePage(nullptr));
    EXPECT_FALSE(stack->Restack(nullptr, 2));
    EXPECT_EQ(stack->RefConGetMenuGad(1), nullptr);
    EXPECT_EQ(stack->GetCurTopOffset(), 0);
    stack->SetCurGadQAPID("x");
    stack->UpdateCurGadValues(0, nullptr);
    stack->UpdateCurPaneValues(0, nullptr);
    stack->RedrawCurPane(true);
    EXPECT_TRUE(StackInvariantsHold(stack));
}

int gCalls = 0;
APaneStack* gStackToDispose = nullptr;

void Raise(SInt32, APane*, void*) {
    ++gCalls;
    throw std::runtime_error("host failure");
}

void DisposeStack(SInt32, APane*, void*) {
    ++gCalls;
    if (gStackToDispose) gStackToDispose->Dispose();
}

TEST_F(PaneStackFaultsTest, RaisingProcedureLeavesPointersAndClipAsTheyWere) {
    AddPanes(2);
    AStackPane* first = stack->GetStackPane(1);
    stack->SetCurrent(first, first);
    stack->AddLabelGad(0, "val", Raise, 4, 0);
    AStackPane* second = stack->GetStackPane(2);
    stack->SetCurrent(second, second);
    Rect clip{0, 0, 50, 60};
    ClipRect(&clip);
    gCalls = 0;
    EXPECT_THROW(stack->UpdatePaneValues(0, 0, nullptr), std::runtime_error);
    EXPECT_EQ(gCalls, 1);
    EXPECT_EQ(stack->GetCurStackPane(), second);
    EXPECT_EQ(stack->GetCurTarget(), second);
    Rect after = (**KsGetPort()->clipRgn).rgnBBox;
    EXPECT_TRUE(EqualRect(&after, &clip));
    EXPECT_THROW(first->OpenPane(), std::runtime_error);
    EXPECT_TRUE(StackInvariantsHold(stack));
}

TEST_F(PaneStackFaultsTest, ProcedureDisposingTheStackWaitsForTheCallToReturn) {
    AddPanes(3);
    for (int i = 1; i <= 3; ++i) {
        stack->SetCurrent(stack->GetStackPane(i), stack->GetStackPane(i));
        stack->AddLabelGad(0, "v", DisposeStack, 4, 0);
    }
    const long live = APane::GetLivePaneCount();
    gStackToDispose = stack;
    gCalls = 0;
    stack->UpdateValues(0, nullptr);
    gStackToDispose = nullptr;
    EXPECT_EQ(gCalls, 1); // the walk stops once the stack is going
    EXPECT_EQ(w->GetMainPane()->GetNumSubPanes(), 0);
    EXPECT_LT(APane::GetLivePaneCount(), live);
}

// A zero row height would divide by zero in every row computation; resizing
// keeps the frame allowance construction uses.
TEST_F(PaneStackFaultsTest, RowHeightAndResizeAllowance) {
    struct Case {
        SInt16 row, visible;
    } cases[] = {{0, 5}, {1, 3}, {13, 6}, {20, 2}};
    for (const Case& c : cases) {
        APaneStack* s = APaneStack::New(w->GetMainPane(), 0, 0, 150, c.row, c.visible, 0, RGBwhite);
        const SInt16 r = s->GetRowHeight();
        EXPECT_GE(r, 1);
        const SInt16 h = SInt16(s->GetBounds().Height());
        EXPECT_EQ(h, r * c.visible + APaneStack::kFrameExtra);
        s->Resize(SInt16(s->GetBounds().Width()), h);
        EXPECT_EQ(s->GetVisibleItems(), c.visible) << "row " << c.row;
        s->Resize(SInt16(s->GetBounds().Width()), SInt16(h + r - 1));
        EXPECT_EQ(s->GetVisibleItems(), c.visible) << "row " << c.row;
        s->AddPane(0, 0, "a", 3, 0)->OpenPane();
        // Opening scrolled the current pane into view when it did not fit.
        EXPECT_EQ(s->ScrollToItem(0), c.visible < 3) << "row " << c.row;
        EXPECT_TRUE(StackInvariantsHold(s));
        s->Dispose();
    }
}

} // namespace
