// The pane stack's slider and text-field builders: the class each makes, its
// place in the row, and how far the row moves on.
#include "AMacPopupMenu.h"
#include "AMacToggles.h"
#include "ApplicationTestSupport.h"
#include "KsPaneStackCheck.h"

#include <functional>

namespace {

class PaneStackSlidersTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        w = Win("stack");
        SizeWindow(w->GetWindowPtr(), 300, 400, false);
        SetPortWindowPort(w->GetWindowPtr());
        w->CreateMainPane();
        stack = APaneStack::New(w->GetMainPane(), 0, 0, 200, 13, 6, 0, RGBgray11);
        stack->AddPane(1, 0, "Sliders", 12, 0);
    }
    SInt16 Row() const { return stack->GetCurStackPane()->GetCurTopOffset(); }
    APaneStack* stack = nullptr;
    RecWindow* w = nullptr;
};

TEST_F(PaneStackSlidersTest, EachSliderMemberMakesItsClassAndMovesTheRowOn) {
    struct Case {
        const char* what;
        std::function<APane*(APaneStack*)> add;
        const char* cls;
        SInt16 step;
        SInt16 height;
    } cases[] = {
        {"slider",
         [](APaneStack* s) { return s->AddSliderGad(1, "Gain", nullptr, nullptr, 0, 100); },
         "AThinSlider", 12, 9},
        {"long",
         [](APaneStack* s) { return s->AddSliderGadLong(1, "Pan", nullptr, nullptr, -5, 5); },
         "AThinSlider", 12, 9},
        {"fp",
         [](APaneStack* s) { return s->AddFPSliderGad(1, "Mix", nullptr, nullptr, 0, 1, 0.1); },
         "AThinSlider", 12, 9},
        {"tread",
         [](APaneStack* s) {
             return s->AddTreadmillGadMargin(1, "Jog", nullptr, nullptr, -50, 50, 20, 20);
         },
         "ATreadMill", 12, 9},
        {"angle",
         [](APaneStack* s) { return s->AddAngleGad(1, "Hue", nullptr, nullptr, 0, 360, 5); },
         "AWindMill", 36, 33},
        {"check box",
         [](APaneStack* s) { return s->AddMacCheckBoxGad(2, "Loop", nullptr, nullptr); },
         "ACheckBox", 17, 14},
        {"check box at",
         [](APaneStack* s) { return s->Add1MacCheckBoxGad(3, "Lock", nullptr, nullptr, 100, 4); },
         "ACheckBox", 0, 14},
        {"pop-up menu",
         [](APaneStack* s) {
             return s->AddMacPopupMenuGad(4, "Status", nullptr, nullptr, nullptr);
         },
         "AMacPopupMenu", 19, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const SInt16 before = Row();
        APane* p = c.add(stack);
        ASSERT_NE(p, nullptr);
        EXPECT_TRUE(p->IsInstanceOf(c.cls));
        EXPECT_EQ(Row(), before + c.step);
        EXPECT_EQ(p->GetHeight(), c.height);
        EXPECT_EQ(stack->GetCurStackPane()->GetCurGad(), p);
    }
    EXPECT_TRUE(StackInvariantsHold(stack));
}

TEST_F(PaneStackSlidersTest, TextBelowMovesTheRowAndTextFieldsTakeTheirLabel) {
    auto* s = stack->AddFPSliderGad(1, "Level", nullptr, nullptr, 0, 1, 0.05);
    ASSERT_NE(s, nullptr);
    EXPECT_TRUE(s->GetFloatingPoint());
    const SInt16 row = Row();
    stack->SetCurSliderTextBelow(true);
    stack->SetCurSliderTextBelow(true); // no change, no move
    EXPECT_EQ(Row(), row + 13);
    EXPECT_TRUE(s->GetDrawTextBelow());
    stack->SetCurSliderTextBelow(false);
    EXPECT_EQ(Row(), row);

    ATextEntry* t = stack->AddTextEntryGad(7, "Clip name", nullptr, nullptr, 40, 120, Row(), 18);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->GetWidth(), 120);
    EXPECT_EQ(stack->GetCurStackPane()->GetCurGad(), t);
    EXPECT_EQ(stack->GetCurStackPane()->FindPaneByID("Clipname"), t);
    stack->SetCurSliderTextBelow(true); // the current gadget is no slider now
    EXPECT_EQ(Row(), row);
}

} // namespace
