// Radio groups, push-button groups and the check box's enabling rules.
#include "ARadioCheckGads.h"
#include "MacText.h"
#include "PaneTestSupport.h"

namespace {

// Counts the calls of SetState, which a group must not make on the members
// it turns off.
class CountingRadio : public ARadioButtonGad {
public:
    int setStates = 0;
    bool SetState(bool on, bool face) override {
        ++setStates;
        return ARadioButtonGad::SetState(on, face);
    }
};

class ButtonGroups : public PaneTest {
protected:
    CountingRadio* Radio(APane* encl, SInt32 group, SInt16 top) {
        auto* r = new CountingRadio;
        r->IRadioButtonGad(encl, group, "r", 10, S, 100, top, S, 18, S, S);
        return r;
    }
};

// Group numbers are not compared: every grouped radio button of an
// enclosure is one group, as hosts expect.
TEST_F(ButtonGroups, SelectingARadioButtonClearsItsEnclosuresOtherGroupedOnes) {
    APane* other = Add(main, 200, S, 150, 10, S, 100, 1);
    CountingRadio* a = Radio(main, 1, 10);
    CountingRadio* b = Radio(main, 2, 30);
    CountingRadio* loose = Radio(main, APushButton::kNoGroup, 50);
    CountingRadio* elsewhere = Radio(other, 1, 20);
    for (CountingRadio* r : {a, loose, elsewhere})
        EXPECT_TRUE(r->SetState(true, true));
    a->setStates = 0;
    EXPECT_TRUE(b->SetState(true, true));
    EXPECT_FALSE(a->GetState());
    EXPECT_EQ(a->setStates, 0);
    EXPECT_EQ(a->GetRsrcType(), 0u);
    EXPECT_EQ(b->GetRsrcType(), FourCharCode("cicn"));
    EXPECT_TRUE(loose->GetState());
    EXPECT_TRUE(elsewhere->GetState());
    // A grouped button never turns itself off; a loose one toggles.
    EXPECT_FALSE(b->SetState(false, true));
    EXPECT_TRUE(b->GetState());
    EXPECT_FALSE(b->SetState(true, true));
    EXPECT_TRUE(loose->SetState(false, true));
    EXPECT_EQ(loose->GetRsrcType(), 0u);
}

TEST_F(ButtonGroups, PushButtonsWithAGroupNumberAnswerSetStateAsRadio) {
    APushButton* b[3];
    for (int i = 0; i < 3; ++i)
        b[i] = APushButton::New(main, 10, S, 60, SInt16(10 + 30 * i), S, 20, nullptr, 0, 0);
    b[0]->SetRefNum(5);
    b[1]->SetRefNum(0);
    b[2]->SetState(true, true); // no group: kept
    EXPECT_TRUE(b[0]->SetStateAsRadio());
    EXPECT_TRUE(b[1]->SetStateAsRadio());
    EXPECT_FALSE(b[0]->GetState());
    EXPECT_TRUE(b[2]->GetState());
    EXPECT_FALSE(b[1]->SetStateAsRadio());
}

// Disabling a checked box unchecks it, and enabling it again does not
// check it back: hosts rely on it.
TEST_F(ButtonGroups, DisablingACheckedBoxUnchecksAndShrinksIt) {
    auto* box = ACheckBoxGad::New(main, "Loop", 10, S, 120, 10, S, 21);
    box->SetState(true, true);
    box->Disable();
    EXPECT_FALSE(box->GetState());
    EXPECT_FALSE(box->CanBeTabbedTo());
    EXPECT_EQ(box->GetFrame(), (KsRect{10, 15, 30, 25}));
    EXPECT_EQ(box->GetBorderStyle(), 61);
    box->Enable();
    EXPECT_FALSE(box->GetState());
    EXPECT_TRUE(box->CanBeTabbedTo());
    EXPECT_EQ(box->GetFrame(), (KsRect{10, 13, 30, 28}));
    EXPECT_EQ(box->GetBorderStyle(), 60);
    // The enclosure's hit test follows the box (checked in debug builds).
    EXPECT_EQ(main->FindPane({12, 14}, false, false), box);
}

TEST_F(ButtonGroups, AReversedBoxSitsAtTheRightWithItsLabelRightJustified) {
    auto* box = ACheckBoxGad::New(main, "Loop", 10, S, 120, 10, S, 21);
    box->SetReversed(true);
    EXPECT_EQ(box->GetFrame(), (KsRect{110, 13, 130, 28}));
    EXPECT_EQ(box->GetLabel()->GetJust(), -1);
    EXPECT_EQ(box->GetActiveRect().right, 130);
    EXPECT_LT(box->GetActiveRect().left, 110 - 6);
    EXPECT_GT(box->GetActiveRect().left, 10);
}

} // namespace
