// Command names on narrow buttons: mnemonic marks dropped, initials taken
// within the text, whatever its length.
#include "CmdButtonPrivate.h"

#include <gtest/gtest.h>

#include <string>

namespace {

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

} // namespace
