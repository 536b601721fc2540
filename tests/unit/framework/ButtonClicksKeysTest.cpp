// Clicks and keys of the button family, scripted on the headless back end
// and served by the application's event loop; radio groups, push buttons
// with a group number, and the check box's disabled and reversed forms.
#include "ABasicButtons.h"
#include "APopupMenuGad.h"
#include "ARadioCheckGads.h"
#include "GadgetTestSupport.h"
#include "MacText.h"
#include "PaneTestSupport.h"

#include <functional>

namespace {

constexpr UInt8 kTab = 0x30, kSpace = 0x31, kLeft = 0x7B, kRight = 0x7C, kDown = 0x7D;

class ButtonTest : public GadgetTest {
protected:
    ACheckBoxGad* Check(SInt16 top = 20) {
        auto* c = ACheckBoxGad::New(main, "Loop", 20, S, 200, top, S, 18);
        c->SetUpClickProc(RecordUpClick);
        return c;
    }
    ARadioButtonGad* Radio(SInt32 group, SInt16 top = 20) {
        auto* r = ARadioButtonGad::New(main, group, "Fast", 20, S, 200, top, S, 18);
        r->SetUpClickProc(RecordUpClick);
        return r;
    }
};

TEST_F(ButtonTest, ClicksToggleOrFireByKind) {
    struct Case {
        const char* name;
        std::function<AGadget*()> make;
        bool after1, after2; // state after the first and the second click
    } cases[] = {
        {"push button",
         [&] { return APushButton::New(main, 20, S, 80, 20, S, 20, RecordUpClick, 0, 0); }, false,
         false},
        {"state button lights only when told",
         [&] { return AStateButton::New(main, 20, S, 80, 20, S, 20, RecordUpClick, "On"); }, false,
         false},
        {"square button",
         [&] { return ASquareButton::New(main, 20, S, 80, 20, S, 20, RecordUpClick, "Sq"); }, false,
         false},
        {"check box", [&] { return Check(); }, true, false},
        {"grouped radio button stays selected", [&] { return Radio(3); }, true, true},
        {"radio button without a group", [&] { return Radio(APushButton::kNoGroup); }, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UpClicks().clear();
        AGadget* g = c.make();
        Settle();
        Gesture(Global(g));
        EXPECT_EQ(g->GetState(), c.after1);
        Gesture(Global(g));
        EXPECT_EQ(g->GetState(), c.after2);
        EXPECT_EQ(UpClicks().size(), 2u);
        g->Dispose();
    }
}

// The label belongs to the box; past the label's end the bounds do not.
TEST_F(ButtonTest, ClickInLabelReachesTheBoxOnlyAsFarAsTheLabel) {
    struct Case {
        bool reversed;
        SInt32 fromBox; // pixels from the box's outer edge along the label
        bool toggles;
    } cases[] = {{false, 12, true}, {false, 170, false}, {true, 12, true}, {true, 170, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.reversed << " " << c.fromBox);
        ACheckBoxGad* box = Check();
        box->SetReversed(c.reversed);
        Settle();
        const KsRect f = box->GetFrame();
        const SInt32 dh = (c.reversed ? -1 : 1) * (f.Width() / 2 + c.fromBox);
        Gesture(Global(box, dh, 0));
        EXPECT_EQ(box->GetState(), c.toggles);
        box->Dispose();
    }
}

TEST_F(ButtonTest, FocusedBoxesAnswerSpaceAndArrows) {
    struct Case {
        const char* kind;
        bool startOn;
        UInt8 key;
        bool endOn;
        size_t upClicks;
    } cases[] = {
        {"check", false, kSpace, true, 1}, {"check", true, kSpace, false, 1},
        {"check", true, kRight, true, 0},  {"check", false, kRight, true, 1},
        {"check", true, kLeft, false, 1},  {"check", false, kLeft, false, 0},
        {"radio", false, kSpace, true, 1}, {"radio", true, kSpace, true, 0},
        {"radio", false, kRight, true, 1}, {"radio", false, kLeft, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.kind << " key " << int(c.key) << " from " << c.startOn);
        AGadget* g = std::string(c.kind) == "check" ? static_cast<AGadget*>(Check())
                                                    : static_cast<AGadget*>(Radio(1));
        g->SetState(c.startOn, true);
        Settle();
        Key(kTab);
        ASSERT_TRUE(g->IsActive());
        UpClicks().clear();
        Key(c.key);
        EXPECT_EQ(g->GetState(), c.endOn);
        EXPECT_EQ(UpClicks().size(), c.upClicks);
        g->Dispose();
    }
}

TEST_F(ButtonTest, AClickMovesTheFocusToTheBoxClicked) {
    ACheckBoxGad* a = Check(20);
    ACheckBoxGad* b = Check(50);
    Settle();
    for (ACheckBoxGad* clicked : {b, a}) {
        Gesture(Global(clicked));
        EXPECT_TRUE(clicked->IsActive());
        EXPECT_FALSE((clicked == a ? b : a)->IsActive());
        EXPECT_EQ(win->GetActivePane(), clicked);
    }
    Key(kSpace);
    EXPECT_FALSE(a->GetState()); // clicked on, then Space turned it off
    EXPECT_TRUE(b->GetState());
}

// Item 2 is disabled: stepping passes over it, and at the end of the menu
// the value stays and no procedure is called.
TEST_F(ButtonTest, PopupArrowsStepOverDisabledItems) {
    auto* pop = APopupMenuGad::New(main, "Rate:", 20, S, 120, 20, S, 20, kLabelLeft, 0);
    pop->MakePopupMenu("Rate");
    for (const char* item : {"24", "25", "30"})
        pop->AppendPopupMenuItem(item, 0, 0);
    pop->EnablePopupMenuItem(2, false);
    pop->SetMenuItem(1, false);
    pop->SetUpClickProc(RecordUpClick);
    Settle();
    Key(kTab);
    ASSERT_TRUE(pop->IsActive());
    const struct {
        UInt8 key;
        SInt32 value;
        size_t upClicks;
    } steps[] = {{kRight, 3, 1}, {kDown, 3, 1}, {kLeft, 1, 2}, {0x7E, 1, 2}};
    for (const auto& s : steps) {
        SCOPED_TRACE(int(s.key));
        Key(s.key);
        EXPECT_EQ(pop->GetMenuItem(), s.value);
        EXPECT_EQ(UpClicks().size(), s.upClicks);
    }
    char text[16] = {};
    pop->GetText(text, sizeof text);
    EXPECT_STREQ(text, "24");
}

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
