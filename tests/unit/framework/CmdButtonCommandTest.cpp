// A command button's face follows its nick, unknown nicks are refused without
// touching the button, the command goes out only when enabled, with the
// simulated modifiers applied, and the list of buttons follows renames and
// disposal.
#include "CmdButtonTestSupport.h"
#include "Sound.h"

namespace {

std::string TextOf(CmdButton* b) {
    char text[80] = {};
    b->GetText(text, sizeof text);
    return text;
}

TEST_F(CmdButtonTest, FaceFollowsTheNickAndUnknownNicksChangeNothing) {
    CmdButton* b = Button(10, kPlay);
    struct Step {
        SInt32 nick, wantNick;
        const char* text;
        bool simOption, simControl;
    };
    const Step steps[] = {
        {kPlay, kPlay, "Play", false, false}, // mnemonic mark dropped
        {5555, kPlay, "Play", false, false},  // unknown: refused before anything changes
        {CmdButton::kAltNick, 1, "ALT", true, false},
        {kStop, kStop, "Stop Tape", true, false}, // simulations stay until nick 0
        {0, 0, "", false, false},
        {CmdButton::kCtlNick, 2, "CTL", false, true},
        {999, 2, "CTL", false, true},
    };
    for (const Step& s : steps) {
        b->SetCmdNum(s.nick);
        EXPECT_EQ(b->GetCmdNum(), s.wantNick) << s.nick;
        EXPECT_EQ(TextOf(b), s.text) << s.nick;
        EXPECT_EQ(b->GetWinHelpNum(), s.wantNick) << s.nick;
        EXPECT_EQ(b->GetSimOption(), s.simOption) << s.nick;
        EXPECT_EQ(b->GetSimControl(), s.simControl) << s.nick;
    }
}

TEST_F(CmdButtonTest, SendsEnabledCommandsAndBeepsForDisabledOnes) {
    CmdButton* b = Button(10, kPlay);
    b->DoGoodClick({}, 0, 0, nullptr);
    EXPECT_EQ(sent, std::vector<long>{kPlay});
    EXPECT_EQ(CurrentNickNum, kPlay);
    enabled.erase(kPlay);
    const int beeps = KsGetBeepCount();
    b->DoGoodClick({}, 0, 0, nullptr);
    EXPECT_EQ(sent.size(), 1u);
    EXPECT_EQ(KsGetBeepCount(), beeps + 1);
}

TEST_F(CmdButtonTest, ARealOptionKeyCancelsTheSimulatedOne) {
    CmdButton* b = Button(10, kPlay);
    struct Case {
        UInt16 held;
        bool simOption, wantOption, wantIgnoring;
    };
    const Case cases[] = {
        {0, true, true, false},
        {optionKey, true, false, true},
        {optionKey, false, true, false},
        {0, false, false, false},
    };
    for (const Case& c : cases) {
        b->SetSimOption(c.simOption);
        CurrentEvent.modifiers = c.held;
        b->DoGoodClick({}, SInt16(c.held), 0, nullptr);
        ASSERT_FALSE(sent.empty());
        EXPECT_EQ((sentModifiers.back() & optionKey) != 0, c.wantOption) << c.held;
        EXPECT_EQ(sentIgnoringOption.back(), c.wantIgnoring) << c.held;
        EXPECT_FALSE(CmdButton::ForceIgnoreOption());
        EXPECT_EQ(CurrentEvent.modifiers, c.held);
    }
}

TEST_F(CmdButtonTest, ListFollowsNickChangesAndDisposal) {
    CmdButton* a = Button(10, kPlay);
    CmdButton* b = Button(80, kStop);
    CmdButton* c = Button(150, kPlay);
    EXPECT_EQ(CmdButton::GetCmdButton(0, kPlay), a);
    EXPECT_EQ(CmdButton::GetCmdButton(1, kPlay), c);
    EXPECT_EQ(CmdButton::GetCmdButton(2, kPlay), nullptr);
    a->SetCmdNum(kCue); // after a lookup sorted the list
    EXPECT_EQ(CmdButton::GetCmdButton(0, kPlay), c);
    EXPECT_EQ(CmdButton::GetCmdButton(1, kPlay), nullptr);
    EXPECT_EQ(CmdButton::GetCmdButton(0, kCue), a);
    c->Dispose();
    EXPECT_EQ(CmdButton::GetCmdButton(0, kPlay), nullptr);
    EXPECT_EQ(CmdButton::GetCmdButton(0, kStop), b);
}

} // namespace
