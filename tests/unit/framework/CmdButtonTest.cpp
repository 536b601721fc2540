// A command button's face follows its nick, unknown nicks are refused without
// touching the button, the command goes out only when enabled, with the
// simulated modifiers applied, and the list of buttons follows renames and
// disposal; both persistence formats keep command and shape buttons; a shape
// button answers only clicks on its face's mask; narrow buttons abbreviate
// their command's name; re-assigning buttons by a menu choice after the
// click or by dropping one button on another.
#include "CmdButtonPrivate.h"
#include "CmdButtonTestSupport.h"
#include "PaneStream.h"
#include "Sound.h"

#include <string>

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

struct AbbrevCase {
    const char* text;
    bool digitRoom;
    const char* want;
};

TEST(CmdButtonAbbreviation, TakesInitialsWithinTheText) {
    const AbbrevCase cases[] = {
        {"Paste", true, "Pa"},    {"Save As", true, "SA"}, {"Track 2 Solo", true, "T2"},
        {"Go To 3", true, "GT"},  // the digit must follow the second initial
        {"Take 12", true, "T12"}, // the second initial may be a digit too
        {"Cue A1", true, "CA1"},  {"Cue A1", false, "CA"}, // a narrow button has no room for it
        {"X", true, "X"},                                  // shorter than two characters
        {"", true, ""},           {"Open ", true, "O"},    // nothing after the space
        {"Cue A", true, "CA"},                             // nothing after the second initial
        {" lead", true, " l"},
    };
    for (const AbbrevCase& c : cases)
        EXPECT_EQ(AbbreviateCommandName(c.text, c.digitRoom), c.want) << '"' << c.text << '"';
}

TEST(CmdButtonAbbreviation, ReadsOnlyTheGivenLength) {
    // The views end before characters that would change the answer.
    const std::string backing = "Cue A1";
    EXPECT_EQ(AbbreviateCommandName(std::string_view(backing).substr(0, 5), true), "CA");
    EXPECT_EQ(AbbreviateCommandName(std::string_view(backing).substr(0, 4), true), "C");
    EXPECT_EQ(AbbreviateCommandName(std::string_view(backing).substr(0, 1), true), "C");
}

TEST(CmdButtonAbbreviation, StripsMnemonicMarks) {
    const std::pair<const char*, const char*> cases[] = {
        {"&Open...", "Open..."},   {"Cut && Paste", "Cut & Paste"},
        {"Trailing&", "Trailing"}, {"&&&Both", "&Both"},
        {"None", "None"},
    };
    for (const auto& [text, want] : cases)
        EXPECT_EQ(StripMnemonics(text), want) << text;
}

void ExpectSame(CmdButton* want, CmdButton* got) {
    ASSERT_NE(got, nullptr);
    EXPECT_STREQ(got->ClassName(), want->ClassName());
    EXPECT_EQ(got->GetCmdNum(), want->GetCmdNum());
    EXPECT_EQ(got->GetSimOption(), want->GetSimOption());
    EXPECT_EQ(got->GetSimControl(), want->GetSimControl());
    EXPECT_EQ(got->GetSelectable(), want->GetSelectable());
    EXPECT_EQ(got->GetAbbreviates(), want->GetAbbreviates());
    EXPECT_EQ(got->GetBounds(), want->GetBounds());
    auto* ws = dynamic_cast<ShapeCmdButton*>(want);
    auto* gs = dynamic_cast<ShapeCmdButton*>(got);
    ASSERT_EQ(ws == nullptr, gs == nullptr);
    if (!ws) return;
    EXPECT_EQ(gs->GetUpRsrcID(), ws->GetUpRsrcID());
    EXPECT_EQ(gs->GetDownRsrcID(), ws->GetDownRsrcID());
    EXPECT_EQ(gs->GetShapeType(), ws->GetShapeType());
    EXPECT_EQ(gs->GetButtonColor(), ws->GetButtonColor());
    EXPECT_EQ(gs->GetUpRgn(), ws->GetUpRgn()); // the face was loaded again
}

TEST_F(CmdButtonTest, RoundTripsThroughTheStreamAndThePaneText) {
    CmdButton* b = Button(10, kStop);
    b->SetSimControl(true);
    b->SetSelectable(false);
    b->SetAbbreviates(false);
    ShapeCmdButton* s = ShapeCmdButton::New(win->GetMainPane(), 80, S, 16, 10, S, 16, kCue, 9016,
                                            9016, {0x1000, 0x2000, 0x3000});
    for (CmdButton* original : {static_cast<CmdButton*>(b), static_cast<CmdButton*>(s)}) {
        auto* copy = static_cast<CmdButton*>(original->Copy());
        ExpectSame(original, copy);
        EXPECT_EQ(CmdButton::GetCmdButton(1, original->GetCmdNum()), copy);
        copy->Dispose();
    }
    const std::string text = WritePaneText(win->GetMainPane());
    APane* root = ReadPaneText(text.data(), long(text.size()), nullptr, win);
    ASSERT_NE(root, nullptr);
    ASSERT_EQ(root->GetNumSubPanes(), 2);
    ExpectSame(b, static_cast<CmdButton*>(root->GetSubPane(1)));
    ExpectSame(s, static_cast<CmdButton*>(root->GetSubPane(2)));
    root->Dispose();
}

// The framework's selected-radio colour icon: a disc in a 16x16 square.
constexpr SInt16 kDiscIcon = 9016;

TEST(CmdButtonShape, MaskOfAColourIconIsItsShape) {
    CIconHandle icon = KsGetCIcon(kDiscIcon);
    ASSERT_NE(icon, nullptr);
    const KsRgn shape = CIconMaskRegion(icon);
    KsDisposCIcon(icon);
    EXPECT_EQ(shape.Bounds(), (KsRect{1, 1, 15, 15}));
    const std::pair<KsPoint, bool> cases[] = {
        {{7, 7}, true},  {{5, 1}, true},  {{1, 5}, true},    {{0, 0}, false},
        {{4, 1}, false}, {{1, 1}, false}, {{14, 14}, false},
    };
    for (const auto& [pt, in] : cases)
        EXPECT_EQ(shape.Contains(pt), in) << pt.h << "," << pt.v;
    EXPECT_TRUE(CIconMaskRegion(nullptr).IsEmpty());
}

TEST_F(CmdButtonTest, ShapeButtonAnswersOnlyClicksOnItsShape) {
    ShapeCmdButton* s =
        ShapeCmdButton::New(win->GetMainPane(), 10, S, 16, 10, S, 16, kPlay, kDiscIcon, 0, {});
    ShapeCmdButton* plain =
        ShapeCmdButton::New(win->GetMainPane(), 40, S, 16, 10, S, 16, kStop, 0, 0, {});
    Settle();
    ASSERT_EQ(s->GetInterior(), (KsRect{10, 10, 26, 26}));
    struct Case {
        ShapeCmdButton* button;
        SInt16 h, v; // window coordinates
        bool sends;
    };
    const Case cases[] = {
        {s, 17, 17, true},  // the disc
        {s, 10, 10, false}, // a transparent corner
        {s, 25, 11, false},
        {plain, 40, 10, true}, // no face: a plain command button
    };
    for (const Case& c : cases) {
        sent.clear();
        Point g{c.v, c.h};
        {
            StPortSaver port;
            SetPortWindowPort(win->GetWindowPtr());
            LocalToGlobal(&g);
        }
        long t = KsGetTicks();
        desk.Gesture(t, g, {g});
        c.button->DoClick({c.h, c.v}, 0, SInt32(KsGetTicks()), nullptr);
        while (WaitMouseUp()) { // an ignored click leaves the release queued
        }
        EXPECT_EQ(!sent.empty(), c.sends) << c.h << "," << c.v;
    }
}

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
