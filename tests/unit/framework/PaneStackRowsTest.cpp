// The pane stack's row invariants under random opening, closing, adding,
// removing, page changes, extra rows, resizing, reordering and scrolling.
#include "PaneStackTestSupport.h"

#include <random>

namespace {

class PaneStackRowsTest : public PaneStackTest, public ::testing::WithParamInterface<unsigned> {
protected:
    void SetUp() override {
        PaneStackTest::SetUp();
        NewStack(13, 8);
    }
};

// One random operation on the stack, by number.
void RandomOp(APaneStack* s, std::mt19937& rng) {
    auto pick = [&rng](SInt32 n) { return SInt32(rng() % unsigned(n)); };
    const SInt32 n = s->CountStackPanes();
    AStackPane* p = n ? s->GetStackPane(1 + pick(n)) : nullptr;
    switch (pick(p ? 11 : 1)) {
    case 0: {
        const SInt16 style = SInt16(pick(4) == 0 ? kStackPaneAlwaysOpen : pick(2) * 2);
        s->AddPane(pick(5), 0, "sec", SInt16(1 + pick(5)), SInt16(pick(3)));
        if (style != kStackPaneOrdinary)
            s->AddPaneType(pick(5), 0, "fixed", SInt16(1 + pick(4)), style);
        break;
    }
    case 1:
        p->OpenPane();
        break;
    case 2:
        p->ClosePane();
        break;
    case 3:
        p->Dispose();
        break;
    case 4:
        s->SetCurrent(p, p);
        s->AddPanePage(1, "page", SInt16(pick(4)), nullptr, SInt16(pick(2)));
        break;
    case 5:
        if (p->GetCurPage()) s->ChangePage(p->GetCurPage());
        break;
    case 6:
        pick(2) ? p->OpenMore() : p->CloseMore();
        break;
    case 7:
        p->SetHeightMultiple(SInt16(1 + pick(6)));
        break;
    case 8:
        s->Resize(SInt16(217), SInt16(20 + pick(200)));
        break;
    case 9:
        s->ScrollToItem(pick(s->GetTotalItems() + 2) - 1);
        break;
    case 10:
        if (pick(4) == 0)
            s->ShuffleOpenable();
        else
            s->SetCurrent(p, p), s->OpenCurPane();
        break;
    }
}

TEST_P(PaneStackRowsTest, InvariantsHoldUnderRandomOperations) {
    std::mt19937 rng(GetParam());
    for (int step = 0; step < 300; ++step) {
        RandomOp(stack, rng);
        ASSERT_TRUE(StackInvariantsHold(stack)) << "seed " << GetParam() << " step " << step;
    }
    stack->RemoveStackPanes();
    EXPECT_TRUE(StackInvariantsHold(stack));
    EXPECT_EQ(stack->GetTotalItems(), 0);
}

INSTANTIATE_TEST_SUITE_P(Seeds, PaneStackRowsTest, ::testing::Values(1u, 7u, 42u, 1234u, 99991u));

} // namespace
