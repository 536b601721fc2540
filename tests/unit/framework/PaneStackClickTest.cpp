// Clicks on a stack pane's header: the opener toggles the pane, the option
// key toggles every pane, and panes that cannot close ignore it.
#include "ApplicationTestSupport.h"
#include "KsPaneStackCheck.h"

namespace {

class PaneStackClickTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        w = Win("stack");
        SizeWindow(w->GetWindowPtr(), 300, 400, false);
        SetPortWindowPort(w->GetWindowPtr());
        w->CreateMainPane();
        stack = APaneStack::New(w->GetMainPane(), 0, 0, 200, 13, 12, 0, RGBgray11);
        stack->AddPane(0, 0, "One", 3, 0);
        stack->AddPane(0, 0, "Two", 4, 0);
        stack->AddPaneType(0, 0, "Fixed", 2, kStackPaneAlwaysOpen);
        stack->AddPane(0, 0, "Flat", 1, 0);
    }
    // A click at the middle of the pane's opener, or of its name when it has
    // no opener.
    void ClickHeader(SInt32 index, SInt16 modifiers) {
        AStackPane* p = stack->GetStackPane(index);
        APane* target = p->GetOpenerGad() ? static_cast<APane*>(p->GetOpenerGad())
                                          : static_cast<APane*>(p->GetLabelGad());
        const KsRect r = target->GetInterior();
        p->DoClick(KsPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2}, modifiers,
                   SInt32(KsGetTicks()), nullptr);
    }
    APaneStack* stack = nullptr;
    RecWindow* w = nullptr;
};

TEST_F(PaneStackClickTest, HeaderClicksToggleAsTheirPaneAllows) {
    struct Step {
        SInt32 pane;
        SInt16 modifiers;
        bool open[4];
    } steps[] = {
        {1, 0, {true, false, true, false}},         // the opener opens
        {1, 0, {false, false, true, false}},        // and closes
        {2, optionKey, {true, true, true, true}},   // option: every pane opens
        {3, 0, {true, true, true, true}},           // always open: no toggle
        {4, 0, {true, true, true, true}},           // one row, no opener: a single click
        {1, optionKey, {false, false, true, true}}, // option: every pane with an opener closes
    };
    for (const Step& s : steps) {
        ClickHeader(s.pane, s.modifiers);
        for (SInt32 i = 1; i <= 4; ++i)
            EXPECT_EQ(stack->GetStackPane(i)->IsOpen(), s.open[i - 1])
                << "after clicking pane " << s.pane << ", pane " << i;
        EXPECT_TRUE(StackInvariantsHold(stack));
        EXPECT_EQ(stack->GetCurStackPane(), nullptr); // only for the click
    }
    EXPECT_FALSE(stack->GetStackPane(3)->SetOpenable(false, true));
    EXPECT_EQ(stack->GetStackPane(3)->GetOpenerGad(), nullptr);
}

} // namespace
