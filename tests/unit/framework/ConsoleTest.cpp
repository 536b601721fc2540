// What reaches a console and its files: line ends, tab stops, long and
// tab-heavy text against a plain reference, the size cap, the abort question
// and its re-entry, the log file and saving, printing; the input console's
// command box: Return, recall (F3) and repeat (F2), echo and input logging.
#include "AFileLocator.h"
#include "KsCapturedOutput.h"
#include "KsCommand.h"
#include "KsConsoleFixture.h"
#include "KsConsoleText.h"
#include "KsFileText.h"
#include "KsPdfPages.h"
#include "KsScratchDir.h"
#include "Printing.h"
#include "XError.h"

#include <cstring>
#include <random>
#include <vector>

namespace {
// The console's text for output, written the plain way: line ends first,
// then each line's tabs.
std::string Reference(const std::string& in, int column = 0) {
    std::string lf;
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (in[i] == '\r' && i + 1 < in.size() && in[i + 1] == '\n') continue;
        lf += in[i] == '\r' ? '\n' : in[i];
    }
    std::string out;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = lf.find('\n', start);
        const std::string line = lf.substr(start, end == std::string::npos ? end : end - start);
        std::string expanded(std::size_t(column), '.');
        for (char c : line) {
            if (c == '\t') do
                    expanded += ' ';
                while (expanded.size() % 4 != 0);
            else
                expanded += c;
        }
        out += expanded.substr(std::size_t(column));
        column = 0;
        if (end == std::string::npos) break;
        out += '\r';
        start = end + 1;
    }
    return out;
}

std::string Mixed(unsigned seed, std::size_t length) {
    std::mt19937 gen(seed);
    const char pick[] = "abcdefgh\t\t\t\n\r ";
    std::string s;
    for (std::size_t i = 0; i < length; ++i)
        s += pick[gen() % (sizeof pick - 1)];
    return s;
}
} // namespace

TEST_F(ConsoleTest, PrintedTextMatchesThePlainReference) {
    struct Case {
        const char* name;
        std::vector<std::string> prints;
    };
    const Case cases[] = {
        {"tab after one letter", {"a\tb\n"}},
        {"tab at a stop", {"abcd\tx\n\t\n"}},
        {"line ends mixed", {"x\r\ny\rz\n\r\n"}},
        {"column carries across prints", {"ab", "\tc\n", "abcde", "\t|"}},
        {"longer than any fixed buffer", {std::string(5000, 'x') + "\t" + std::string(3000, 'y')}},
        {"long and tab-heavy", {Mixed(1, 20000), Mixed(2, 7000)}},
    };
    ConsolePane* c = Open(false);
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        c->ClearConsole();
        std::string all;
        for (const std::string& p : k.prints) {
            EXPECT_EQ(Print(c, "%s", p.c_str()), int(p.size()));
            all += p;
        }
        EXPECT_EQ(c->GetConsoleText(), Reference(all));
    }
}

TEST_F(ConsoleTest, TheCapDropsWholeLinesFromTheFrontAndKeepsTheNewest) {
    struct Case {
        std::size_t cap;
        int lines;
    };
    for (const Case k : {Case{4096, 2000}, Case{1024, 50}, Case{20000, 20000}}) {
        ConsolePane* c = Open(false);
        c->SetTextCap(k.cap);
        for (int i = 0; i < k.lines; ++i)
            Print(c, "line %05d\n", i);
        const std::string text = c->GetConsoleText();
        EXPECT_LE(text.size(), k.cap);
        ASSERT_GE(text.size(), 12u);
        EXPECT_EQ(text.compare(0, 5, "line "), 0) << "the first line kept is whole";
        char last[32];
        std::snprintf(last, sizeof last, "line %05d\r", k.lines - 1);
        EXPECT_EQ(text.substr(text.size() - 11), last);
        // What is kept runs on without a gap.
        int first = std::atoi(text.c_str() + 5);
        EXPECT_EQ(text.size(), std::size_t(k.lines - first) * 11);
        win->Dispose();
    }
    // One print larger than the cap keeps its own end.
    ConsolePane* c = Open(false);
    c->SetTextCap(1024);
    Print(c, "%s", (std::string(3000, 'a') + "end").c_str());
    EXPECT_EQ(c->GetConsoleText().size(), 1024u);
    EXPECT_EQ(c->GetConsoleText().substr(1021), "end");
}

TEST_F(ConsoleTest, CommandPeriodAsksOnceEvenWhenTheQuestionPrints) {
    for (const short choice : {short(2), short(1)}) {
        ConsolePane* c = Open(false);
        c->SetCmdPeriodEnable(true);
        questions = 0;
        answer = choice;
        // What prints while the question is up meets another Command-period.
        whileAsking = [] {
            PostCmdPeriod();
            ConsolePrint("asked\n");
        };
        PostCmdPeriod();
        if (choice == 1) {
            try {
                Print(c, "one\n");
                ADD_FAILURE() << "Abort raises";
            } catch (const XError& e) {
                EXPECT_STREQ(e.GetCode(), "BASE_USER_ABORT");
            }
        } else {
            Print(c, "one\n");
            FlushEvents(everyEvent, 0); // the Command-period typed while asked
            Print(c, "two\n");
        }
        EXPECT_EQ(questions, 1);
        EXPECT_EQ(c->GetConsoleText(), choice == 1 ? "one\rasked\r" : "one\rasked\rtwo\r");
        whileAsking = nullptr;
        FlushEvents(everyEvent, 0);
        win->Dispose();
    }
}

TEST_F(ConsoleTest, TheLogFileHasEveryLineInCrLfWhenTheWindowGoes) {
    ScratchDir dir;
    ConsolePane* c = Open(false);
    const AFileLocator log = AFileLocator::FromPath((dir / "run.log").string());
    c->OpenLogFile("Run log", &log, false);
    Print(c, "a\tb\n");
    Print(c, "c\rd\r\n%s", "\xA5 end");
    EXPECT_EQ(ConsolePane::GetActiveConsole(), c);
    win->Dispose();
    EXPECT_EQ(ConsolePane::GetActiveConsole(), nullptr);
    EXPECT_EQ(ReadFileText(dir / "run.log"), "Run log\r\na   b\r\nc\r\nd\r\n\xE2\x80\xA2 end");
    // Appending keeps what was there.
    c = Open(false);
    c->OpenLogFile(nullptr, &log, true);
    Print(c, "more\n");
    c->CloseLogFile();
    EXPECT_EQ(ReadFileText(dir / "run.log").substr(29), "more\r\n");
}

TEST_F(ConsoleTest, SavingWritesTheWholeTextOrLeavesTheOldFile) {
    ScratchDir dir;
    ConsolePane* c = Open(false);
    Print(c, "x\ty\nlast");
    c->SaveTextToPath((dir / "out.txt").c_str());
    EXPECT_EQ(ReadFileText(dir / "out.txt"), "x   y\r\nlast");
    EXPECT_THROW(c->SaveTextToPath(dir.str().c_str()), XError);
    EXPECT_FALSE(std::filesystem::exists(dir.str() + ".part"));
}

TEST_F(ConsoleTest, PrintingPutsEveryLineOnAPageUnderTheHeader) {
    ScratchDir dir;
    ConsolePane* c = Open(false);
    for (int i = 0; i < 200; ++i)
        Print(c, "printed line %d\n", i);
    const std::string out = (dir / "console.pdf").string();
    KsPrSetOutputPath(out.c_str());
    c->Print();
    KsPrSetOutputPath(nullptr);
    const Rect page = GetPrintPageRect();
    const int perPage = (page.bottom - page.top - c->GetHdrHeight()) / c->GetLineHeight();
    const PdfPages pages = ReadPdfPages(ReadFileText(out));
    EXPECT_EQ(pages.problem, "");
    EXPECT_EQ(pages.pageObjects, (200 + perPage - 1) / perPage);
}

TEST_F(ConsoleTest, TheConsoleCommandSwitchesTheLogAndExplainsItself) {
    Open(false);
    KsSetConsoleLogging(false);
    StCaptureOutput out(KsOutputChannel::debug);
    KsDoCommand("console log help");
    EXPECT_NE(out.text.find("Console command for the console.\n"), std::string::npos);
    EXPECT_NE(out.text.find("Changing from NOT tracing console to log file to tracing console "
                            "to log file.\n"),
              std::string::npos);
    EXPECT_TRUE(KsConsoleLogging());
    const std::string path = KsConsoleLogPath();
    out.text.clear();
    KsDoCommand("console trace");
    EXPECT_EQ(out.text, "");
    EXPECT_EQ(KsConsoleLogPath(), path);
    KsDoCommand("console");
    EXPECT_EQ(out.text, "Type 'console help' for full help.\n");
    KsDoCommand("console nolog");
    EXPECT_FALSE(KsConsoleLogging());
}

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
