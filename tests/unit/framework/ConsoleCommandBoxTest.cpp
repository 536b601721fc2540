// The input console's command box: Return, recall (F3) and repeat (F2),
// echo and input logging, and which commands are kept for recall.
#include "AFileLocator.h"
#include "KsConsoleFixture.h"
#include "KsFileText.h"
#include "KsScratchDir.h"
#include "XError.h"

#include <cstring>
#include <vector>

namespace {
std::vector<std::string> gRan;
const char* gRaise = nullptr;

void Record(char* command) {
    gRan.emplace_back(command);
    if (gRaise) xraisexerror(gRaise);
}
} // namespace

class CommandBox : public ConsoleTest {
protected:
    void SetUp() override {
        ConsoleTest::SetUp();
        io = OpenIO();
        io->SetInputProc(Record);
        gRan.clear();
        gRaise = nullptr;
    }
    // A key as the box receives it.
    void Key(SInt16 charCode, SInt16 keyCode) {
        io->GetEntryBox()->DoKeyDown(charCode, keyCode, nullptr, nullptr);
    }
    void Enter(const std::string& text) {
        io->GetEntryBox()->SetCstr(text.c_str());
        Key(0x0D, 0x24);
    }
    ConsoleIOPane* io = nullptr;
};

TEST_F(CommandBox, ReturnRecallAndRepeatRunWhatWasTyped) {
    struct Step {
        const char* typed; // null: no typing
        SInt16 keyCode;    // 0x24 Return, F3, F2
        std::vector<std::string> ran;
        const char* box; // the box's text after the key
    };
    const Step steps[] = {
        {nullptr, ConsoleIOPane::kKeyRepeat, {""}, ""}, // nothing yet: an empty command
        {"clip list", 0x24, {"", "clip list"}, ""},
        {nullptr, ConsoleIOPane::kKeyRecall, {"", "clip list"}, "clip list"},
        {nullptr, ConsoleIOPane::kKeyRepeat, {"", "clip list", "clip list"}, ""},
    };
    for (const Step& s : steps) {
        if (s.typed) io->GetEntryBox()->SetCstr(s.typed);
        Key(s.keyCode == 0x24 ? 0x0D : 0, s.keyCode);
        EXPECT_EQ(gRan, s.ran);
        EXPECT_EQ(io->GetEntryBox()->GetString(), s.box);
    }
    // Echoed, each on its own line.
    EXPECT_EQ(io->GetConsoleText(), "\rclip list\rclip list\r");
}

TEST_F(CommandBox, CommandsAreKeptWholeAndBeforeTheyRun) {
    const std::string longest(ConsoleIOPane::kMaxCommand, 'k');
    Enter(longest);
    EXPECT_EQ(gRan.back(), longest);
    EXPECT_EQ(std::strlen(io->GetLastCommand()), longest.size());
    // A failing command stays for mending; only the user's abort is quiet.
    gRaise = "CMD_UNKNOWN";
    EXPECT_THROW(Enter("misspelt"), XError);
    EXPECT_STREQ(io->GetLastCommand(), "misspelt");
    gRaise = "BASE_USER_ABORT";
    EXPECT_NO_THROW(Enter("stopped"));
    EXPECT_STREQ(io->GetLastCommand(), "stopped");
}

TEST_F(CommandBox, InputIsLoggedAndEchoedAsChosen) {
    ScratchDir dir;
    const AFileLocator log = AFileLocator::FromPath((dir / "in.log").string());
    io->OpenLogFile(nullptr, &log, false);
    io->SetEchoInput(false);
    io->SetLogInput(true);
    Enter("seek 10");
    io->SetLogInput(false);
    Enter("seek 20");
    io->CloseLogFile();
    EXPECT_EQ(io->GetConsoleText(), "");
    EXPECT_EQ(ReadFileText(dir / "in.log"), "seek 10\r\n");
}

TEST_F(CommandBox, WithoutAProcedureTheCoreRunsTheCommand) {
    io->SwapInputProc(nullptr);
    Enter("no-such-command");
    EXPECT_NE(io->GetConsoleText().find("CMD_UNKNOWN"), std::string::npos);
}

TEST_F(CommandBox, KeysTypedIntoANewConsoleWindowReachItsCommandLine) {
    for (char c : std::string("seek 5\r")) {
        EventRecord e{keyDown, UInt32(c == '\r' ? 0x24 : 0) << 8 | UInt8(c), 0, {0, 0}, 0};
        win->KeyDown(nullptr, &e, 0, 0);
    }
    ASSERT_EQ(gRan.size(), 1u);
    EXPECT_EQ(gRan[0], "seek 5");
}
