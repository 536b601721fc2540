// Re-assigning command buttons with scripted input: a menu choice after the
// click in menu-to-button mode, and one button dragged onto another in
// button-to-button mode; refusals show their messages.
#include "CmdButtonTestSupport.h"

namespace {

const char* const kCannotChange = "That button cannot be changed.";
const char* const kCannotAssign = "That menu item cannot be assigned.";

std::vector<std::string> Want(const char* message) {
    return message ? std::vector<std::string>{message} : std::vector<std::string>{};
}

TEST_F(CmdButtonTest, MenuChoiceAfterTheClickAssignsTheCommand) {
    CmdButton::SetM2Bmode(true);
    CmdButton* b = Button(10, kPlay);
    struct Case {
        MenuItemIndex item; // 0: no choice is scripted
        bool selectable;
        SInt32 wantNick;
        const char* message;
    };
    const Case cases[] = {
        {2, true, kStop, nullptr},
        {4, true, kCue, nullptr},
        {3, true, kCue, kCannotAssign}, // an item without a nick
        {0, false, kCue, kCannotChange},
    };
    for (const Case& c : cases) {
        b->SetSelectable(c.selectable);
        Dialogs().clear();
        if (c.item) ScriptMenuChoice(c.item);
        b->DoGoodClick({}, 0, 0, nullptr);
        EXPECT_EQ(b->GetCmdNum(), c.wantNick) << c.item;
        EXPECT_EQ(Dialogs(), Want(c.message)) << c.item;
        EXPECT_FALSE(b->GetSpotlight());
    }
    EXPECT_TRUE(sent.empty()); // assigning sends nothing
}

TEST_F(CmdButtonTest, DroppingAButtonOnAnotherSwapsCopiesOrToggles) {
    CmdButton::SetB2Bmode(true);
    CmdButton* a = Button(10, kPlay);
    CmdButton* b = Button(80, kStop);
    CmdButton* alt = Button(10, CmdButton::kAltNick);
    alt->MovePaneTo(10, 60);
    RecWindow* other = Win("other", 320, 60);
    CmdButton* far = Button(10, kCue, other->GetMainPane());
    Settle();
    auto drag = [&](CmdButton* from, CmdButton* to) {
        from->DoClick(PressAndDragTo(from, to), 0, SInt32(KsGetTicks()), nullptr);
    };
    struct Case {
        CmdButton *from, *to;
        bool toSelectable;
        SInt32 wantFrom, wantTo;
        bool wantSimOption;
        const char* message;
    };
    const Case cases[] = {
        {a, b, true, kStop, kPlay, false, nullptr}, // same window: swapped
        {alt, b, true, 1, kPlay, true, nullptr},    // ALT toggles the simulation
        {alt, b, true, 1, kPlay, false, nullptr},
        {far, b, true, kCue, kCue, false, nullptr}, // another window: copied
        {a, b, false, kStop, kCue, false, kCannotChange},
    };
    for (const Case& c : cases) {
        c.to->SetSelectable(c.toSelectable);
        Dialogs().clear();
        drag(c.from, c.to);
        EXPECT_EQ(c.from->GetCmdNum(), c.wantFrom);
        EXPECT_EQ(c.to->GetCmdNum(), c.wantTo);
        EXPECT_EQ(c.to->GetSimOption(), c.wantSimOption);
        EXPECT_EQ(Dialogs(), Want(c.message));
    }
    EXPECT_TRUE(sent.empty());
}

} // namespace
