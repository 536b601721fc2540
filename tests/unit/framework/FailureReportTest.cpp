#include "FailureTestSupport.h"
#include "KsFileText.h"

#include "KsBackend.h"
#include "KsDump.h"
#include "KsHandle.h"
#include "KsHeadlessDesk.h"
#include "KsLog.h"
#include "Stx.h"
#include "Windows.h"
#include "XError.h"

#include <csignal>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

const char* const kSource = "CoreClasses/AApplication";

// An error of three levels: "Disk full" under "Could not save" under "Export failed".
XError ThreeLevels() {
    static const EMMessage texts[] = {{"T_DISK", "Disk full", nullptr},
                                      {"T_SAVE", "Could not save", nullptr},
                                      {"T_EXPORT", "Export failed", nullptr}};
    EMRegisterMessages(texts, 3);
    XError e("T_DISK");
    e.PushLevel("T_SAVE");
    e.PushLevel("T_EXPORT");
    return e;
}

// A fresh script answering `answers` in order.
void Answers(std::deque<short> answers) {
    Script() = FailureScript{};
    Script().answers = std::move(answers);
}

bool Show(const XError& e, bool allowAbort = false) {
    StSetCurrentException current(e);
    return KsDisplayException(e.GetCode(), allowAbort);
}

using DisplayException = FailureTest;
using MemoryWatch = FailureTest;
using FatalPath = FailureTest;
using FatalPathDeathTest = FailureTest;
using StandardCatch = FailureTest;

} // namespace

// The exception dialog

TEST_F(DisplayException, OneLevelShowsOkWithTheHiddenDumpChoice) {
    int beeps = KsGetBeepCount();
    EXPECT_FALSE(Show(XError("SYS_ERROR", "short OSErr", -36)));
    ASSERT_EQ(S().calls.size(), 1u);
    const FailureDialogCall& c = S().calls[0];
    EXPECT_EQ(c.text, "A system error occurred (error -36).");
    EXPECT_EQ(c.buttons, "OK|#r");
    EXPECT_EQ(c.defaultButton, 1);
    EXPECT_EQ(c.icon, 3);
    EXPECT_EQ(c.tag, "SYS_ERROR");
    EXPECT_EQ(c.source, kSource);
    EXPECT_EQ(KsGetBeepCount(), beeps + 1);
    EXPECT_EQ(S().debug.rfind("Exception:\n@ ", 0), 0u) << S().debug;
}

TEST_F(DisplayException, FatalErrorBeepsTwiceAndLowMemoryBeepsNot) {
    int beeps = KsGetBeepCount();
    Show(XError("FATAL_ERROR", "str msg", "m", "str file", "f", "int line", 1));
    EXPECT_EQ(KsGetBeepCount(), beeps + 2);

    // Below the threshold no beep is sounded (the sound system may need memory).
    KsMemSimulate(1000, 1000000);
    RegLowMemThreshold(4000);
    beeps = KsGetBeepCount();
    Show(XError("SYS_ERROR"));
    EXPECT_EQ(KsGetBeepCount(), beeps);
    EXPECT_NE(S().debug.find("MemoryLow Exception: MegaBytesRemaining:0, PercentFull:"),
              std::string::npos)
        << S().debug;
}

TEST_F(DisplayException, MoreShowsEveryLevelAndAbortEndsTheLoop) {
    S().answers = {2, 1, 1};
    EXPECT_FALSE(Show(ThreeLevels()));
    ASSERT_EQ(S().calls.size(), 3u);
    EXPECT_EQ(S().calls[0].text, "Export failed");
    EXPECT_EQ(S().calls[0].buttons, "OK|More|#r");
    EXPECT_EQ(S().calls[1].text, "Export failed\nCould not save\nDisk full");
    EXPECT_EQ(S().calls[1].buttons, "OK");
    EXPECT_EQ(S().calls[1].icon, 3);
    EXPECT_EQ(S().calls[1].tag, "T_EXPORT");
    EXPECT_EQ(S().calls[2].buttons, "OK|More|#r");

    Answers({3});
    EXPECT_TRUE(Show(ThreeLevels(), true));
    ASSERT_EQ(S().calls.size(), 1u);
    EXPECT_EQ(S().calls[0].buttons, "OK|More|Abort|#r");
}

TEST_F(DisplayException, ErrorStackIsPrintedTopLevelFirst) {
    Show(ThreeLevels());
    size_t top = S().debug.find("* Export failed\n");
    size_t mid = S().debug.find("* Could not save\n");
    size_t low = S().debug.find("* Disk full\n");
    ASSERT_NE(low, std::string::npos) << S().debug;
    EXPECT_LT(top, mid);
    EXPECT_LT(mid, low);
    EXPECT_NE(ReadFileText(LogFile::GetPath())
                  .find("FatalExcpt: Export failed | Could not save | "
                        "Disk full"),
              std::string::npos);
}

TEST_F(DisplayException, HelpCodesOfferHelp) {
    EXPECT_TRUE(KsIsHelpCode("DSK_underrun"));
    EXPECT_TRUE(KsIsHelpCode("DSK_image_too_large"));
    EXPECT_FALSE(KsIsHelpCode("DSK_under"));
    EXPECT_FALSE(KsIsHelpCode(nullptr));

    S().answers = {2, 3, 1}; // Help, Abort
    EXPECT_TRUE(Show(XError("DSK_underrun"), true));
    ASSERT_EQ(S().calls.size(), 2u);
    EXPECT_EQ(S().calls[0].buttons, "OK|Help|Abort|#r");
    ASSERT_EQ(S().helpShown.size(), 1u);
    EXPECT_EQ(S().helpShown[0], "DSK_underrun");
}

TEST_F(DisplayException, HiddenChoiceDumpsOnceAndTheDialogComesBackWithoutIt) {
    S().answers = {2, 1, 1};
    Show(XError("SYS_ERROR"));
    ASSERT_EQ(S().calls.size(), 3u);
    const FailureDialogCall& notice = S().calls[1];
    EXPECT_EQ(notice.text.rfind("System state dumped to file '", 0), 0u) << notice.text;
    EXPECT_EQ(notice.buttons, "OK");
    EXPECT_EQ(notice.icon, 0);
    EXPECT_EQ(notice.tag, "<null>");
    std::string path = notice.text.substr(29, notice.text.size() - 29 - 2);
    EXPECT_NE(ReadFileText(path).find("Report from Exception"), std::string::npos) << path;
    EXPECT_EQ(S().calls[2].buttons, "OK");
}

TEST_F(DisplayException, ClosedOrNonsenseAnswersCountAsOk) {
    for (short answer : {short(255), short(0), short(42)}) {
        Answers({answer});
        EXPECT_FALSE(Show(ThreeLevels(), true));
        EXPECT_EQ(S().calls.size(), 1u) << answer;
    }
}

TEST_F(DisplayException, AnEmptyLevelDumpsBeforeTheDialog) {
    static const EMMessage empty[] = {{"T_EMPTY", "", nullptr}};
    EMRegisterMessages(empty, 1);
    XError e("T_EMPTY");
    e.PushLevel("T_SAVE");
    Show(e);
    size_t dumped = S().debug.find("System state dumped to file \"");
    ASSERT_NE(dumped, std::string::npos) << S().debug;
    ASSERT_EQ(S().calls.size(), 1u);
    EXPECT_LT(dumped, S().calls[0].debugSizeBefore);
}

TEST_F(DisplayException, ReentryAndTheLowMemoryAbortCodeShowNothing) {
    int beeps = KsGetBeepCount();
    const char* lowMem = "LOW_MEM_ABORT_BIN_OPEN";
    std::string copy = lowMem;
    EXPECT_FALSE(KsDisplayException(lowMem, true));
    EXPECT_FALSE(KsDisplayException(copy.c_str(), true));
    EXPECT_TRUE(S().calls.empty());
    EXPECT_EQ(KsGetBeepCount(), beeps);

    bool inner = true;
    S().during = [&](int call) {
        if (call == 1) inner = KsDisplayException("SYS_ERROR", true);
    };
    Show(XError("T_SAVE"));
    EXPECT_FALSE(inner);
    EXPECT_EQ(S().calls.size(), 1u);

    // The application's own flag is honoured, and left clear afterwards.
    unsigned char displaying = 1;
    KsFailureHost host = KsGetFailureHost();
    host.displayingException = &displaying;
    KsSetFailureHost(host);
    S() = FailureScript{};
    EXPECT_FALSE(Show(XError("T_SAVE"), true));
    EXPECT_TRUE(S().calls.empty());
    displaying = 0;
    S().answers = {2}; // Abort
    EXPECT_TRUE(Show(XError("T_SAVE"), true));
    EXPECT_EQ(displaying, 0);
}

TEST_F(DisplayException, AFailingDialogIsReportedOnlyToTheDebugOutput) {
    S().during = [](int) { xraisexerror("T_BROKEN_DIALOG"); };
    EXPECT_FALSE(Show(XError("T_SAVE"), true));
    EXPECT_NE(S().debug.find("Error (T_BROKEN_DIALOG) while trying to display Exception (T_SAVE)"),
              std::string::npos);
    S().during = nullptr;
    S().answers = {2};
    EXPECT_TRUE(Show(XError("T_SAVE"), true)); // the guard was released
}

TEST_F(DisplayException, TranslatedFormatsAreUsedOnlyWhenTheyMatch) {
    std::string folder = stateDir_->str() + "/tr";
    ASSERT_EQ(std::system(("mkdir -p '" + folder + "'").c_str()), 0);
    std::ofstream(folder + "/failtest.xx.stx")
        << "\"System state dumped to file '%s'.\" = \"Bad %d %n\"\n"
           "\"System state dumped to file \\\"%s\\\".\" = \"Gesichert: %s\"\n";
    StxSetTableFolders({folder});
    StxSetLanguages({"xx"});
    ASSERT_TRUE(InitTranslationTable("failtest", true));

    S().answers = {2, 1, 1};
    Show(XError("SYS_ERROR"));
    ASSERT_EQ(S().calls.size(), 3u);
    EXPECT_EQ(S().calls[1].text.rfind("System state dumped to file '", 0), 0u);

    // The fatal dialog's notice has a sound translation: it is used.
    Answers({3, 1, 4});
    char msg[] = "m", file[] = "f.cpp";
    EXPECT_TRUE(KsFatalErrUI(msg, file, 1));
    ASSERT_EQ(S().calls.size(), 3u);
    EXPECT_EQ(S().calls[1].text.rfind("Gesichert: /", 0), 0u) << S().calls[1].text;

    StxClearTranslationTable();
    StxSetLanguages({});
    StxSetTableFolders({});
}

TEST_F(DisplayException, DialogCleanupRedrawsAndSwallowsFailures) {
    DialogCleanup();
    EXPECT_EQ(S().redraws, 1);
    KsFailureHost host = KsGetFailureHost();
    host.updateAllWindows = [](void*) { throw std::runtime_error("redraw"); };
    KsSetFailureHost(host);
    EXPECT_NO_THROW(DialogCleanup());
}

// The memory watch

TEST_F(MemoryWatch, LowIsReportedOnceAMinuteAndChangesAtOnce) {
    ASSERT_TRUE(KsMemSetPayload(1000));
    RegLowMemThreshold(4000);
    EXPECT_NO_THROW(KsCheckMemory());

    auto codeOf = [] {
        try {
            KsCheckMemory();
        } catch (const XError& e) {
            return std::string(e.GetCode());
        }
        return std::string("none");
    };
    KsMemSimulate(3000, 1000000); // low
    EXPECT_EQ(codeOf(), "MEM_LOW");
    EXPECT_EQ(codeOf(), "none");
    KsAdvanceVirtualClock(3600);
    EXPECT_EQ(codeOf(), "none"); // exactly a minute: not yet
    KsAdvanceVirtualClock(1);
    EXPECT_EQ(codeOf(), "MEM_LOW");
    KsMemSimulate(1000, 1000000); // danger: reported at once
    EXPECT_EQ(codeOf(), "MEM_DANGER_LOW");
    EXPECT_EQ(codeOf(), "none");
    KsMemSimulate(100000, 1000000); // back to normal: silent
    EXPECT_EQ(codeOf(), "none");
    KsMemSimulate(3000, 1000000);
    EXPECT_EQ(codeOf(), "MEM_LOW");
}

// The fatal path

TEST_F(FatalPath, DialogCutsALongMessageWithoutTouchingIt) {
    std::string long300(300, 'x');
    std::vector<char> message(long300.begin(), long300.end());
    message.push_back('\0');
    char file[] = "APane.cpp";
    S().answers = {3};
    EXPECT_EQ(KsFatalErrDialog(message.data(), file, 12), 3);
    EXPECT_EQ(std::string(message.data()), long300);
    ASSERT_EQ(S().calls.size(), 1u);
    const FailureDialogCall& c = S().calls[0];
    EXPECT_NE(c.text.find("Error: " + std::string(237, 'x') + "...\nFile: APane.cpp,  Line: 12"),
              std::string::npos);
    EXPECT_EQ(c.text.rfind("A serious program error has occurred.\n", 0), 0u);
    EXPECT_EQ(c.buttons, "Restart|Exit To Finder|Dump State|Debugger|#x|#c");
    EXPECT_EQ(c.icon, 2);
    EXPECT_EQ(c.defaultButton, 1);
    EXPECT_EQ(c.source, kSource);

    // A message with conversions is shown as it is.
    char percent[] = "100% %s %n";
    KsFatalErrDialog(percent, file, 1);
    EXPECT_NE(S().calls[1].text.find("Error: 100% %s %n\n"), std::string::npos);

    S().during = [](int) { throw 5; };
    EXPECT_EQ(KsFatalErrDialog(percent, file, 1), kKsFatalNone);
}

TEST_F(FatalPath, DebugHandlerCutsTo255AndClearsTheState) {
    FtlInstall(KsFatalErrDebug);
    std::string message(300, 'y');
    testing::internal::CaptureStderr();
    EXPECT_TRUE(__FtlAbortm(message.c_str(), "f.cpp", 7));
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(FtlIsFatalErrorSet());
    ASSERT_FALSE(err.empty());
    std::string line = err.substr(0, err.find('\n'));
    EXPECT_EQ(line.size(), 255u);
    EXPECT_EQ(line.rfind("[f.cpp:7] yyy", 0), 0u);
    EXPECT_EQ(line.substr(252), "...");
}

TEST_F(FatalPath, ChoicesOfTheFatalDialogAndNoDumpWithAMemoryErrorPending) {
    FtlInstall(KsFatalErrUI);
    // Dump State shows where the dump went, then the dialog again; Debugger stops.
    S().answers = {3, 1, 4};
    EXPECT_TRUE(__FtlAbortm("broken", "a.cpp", 3));
    ASSERT_EQ(S().calls.size(), 3u);
    EXPECT_EQ(S().calls[1].text.rfind("System state dumped to file \"", 0), 0u);
    EXPECT_EQ(S().calls[1].icon, 0);
    EXPECT_FALSE(FtlIsFatalErrorSet());
    EXPECT_EQ(KsGetLastFatalChoice(), kKsFatalDebugger);
    EXPECT_EQ(S().exitStatus, -1);

    // Exit: the state stays set and the core ends the process.
    Answers({2});
    EXPECT_FALSE(__FtlAbortm("broken", "a.cpp", 3));
    EXPECT_EQ(S().exitStatus, 70);
    EXPECT_EQ(KsGetLastFatalChoice(), kKsFatalExit);
    EXPECT_NE(ReadFileText(LogFile::GetPath()).find("Exit To Finder chosen"), std::string::npos);
    FtlClearFatalError();

    // Hidden 6 goes on; an unknown answer asks again.
    Answers({9, 6});
    EXPECT_FALSE(__FtlAbortm("broken", "a.cpp", 3));
    EXPECT_EQ(S().calls.size(), 2u);
    EXPECT_EQ(S().exitStatus, -1);
    EXPECT_FALSE(FtlIsFatalErrorSet());

    // With a memory error pending no dump is made.
    ASSERT_EQ(KsNewHandle(kKsMaxHandleSize + 1), nullptr);
    ASSERT_NE(KsGetMemError(), 0);
    Answers({3, 1, 4});
    EXPECT_TRUE(__FtlAbortm("broken", "a.cpp", 3));
    ASSERT_EQ(S().calls.size(), 3u);
    EXPECT_EQ(S().calls[1].text, "System state CANNOT be dumped to file.");
    KsDisposeHandle(KsNewHandle(1));
}

TEST_F(FatalPath, RestartReexecutesWithTheOriginalArguments) {
    KsInstallFtlErrHandler();
    S().answers = {1};
    EXPECT_FALSE(__FtlAbortm("broken", "a.cpp", 3));
    EXPECT_EQ(S().restarts, 1);
    EXPECT_EQ(KsGetLastFatalChoice(), kKsFatalRestart);
    // The arguments are this process's own.
    std::string cmdline = ReadFileText("/proc/self/cmdline");
    std::string joined;
    for (const std::string& a : S().restartArgs)
        joined += a + '\0';
    EXPECT_EQ(joined, cmdline);
    // The hook returned (the restart failed): the process leaves as for Exit.
    EXPECT_EQ(S().exitStatus, 70);
}

TEST_F(FatalPath, ARestartSoonAfterARestartLeavesInstead) {
    KsInstallFtlErrHandler();
    S().answers = {1};
    EXPECT_FALSE(__FtlAbortm("broken", "a.cpp", 3));
    ASSERT_EQ(S().restarts, 1);
    // The new process inherits the mark; failing again within the minute,
    // Restart ends it instead of looping.
    ASSERT_NE(std::getenv("KS_FATAL_RESTART_TIME"), nullptr);
    FtlClearFatalError();
    S().answers = {1};
    EXPECT_FALSE(__FtlAbortm("broken again", "a.cpp", 4));
    EXPECT_EQ(S().restarts, 1);
    EXPECT_EQ(S().exitStatus, 70);
    EXPECT_NE(ReadFileText(LogFile::GetPath()).find("leaving instead"), std::string::npos);
    FtlClearFatalError();

    // A mark from long ago, or one that is not a number, restarts as usual.
    for (const char* mark : {"-1000000", "12x"}) {
        setenv("KS_FATAL_RESTART_TIME", mark, 1);
        const int restarts = S().restarts;
        S().answers = {1};
        __FtlAbortm("broken", "a.cpp", 5);
        EXPECT_EQ(S().restarts, restarts + 1) << mark;
        FtlClearFatalError();
    }
    unsetenv("KS_FATAL_RESTART_TIME");
}

TEST_F(FatalPath, HiddenChoiceFiveRaisesAndLaterReportsStillArrive) {
    FtlInstall(KsFatalErrUI);
    S().answers = {5};
    try {
        __FtlAbortm("assert x", "b.cpp", 44);
        ADD_FAILURE() << "no raise";
    } catch (const XError& e) {
        EXPECT_STREQ(e.GetCode(), "FATAL_ERROR");
        EXPECT_EQ(e.FindParam("msg")->value, "assert x");
        EXPECT_EQ(e.FindParam("file")->value, "b.cpp");
        EXPECT_EQ(e.FindParam("line")->intValue, 44);
    }
    EXPECT_FALSE(FtlIsFatalErrorSet());
    Answers({4});
    EXPECT_TRUE(__FtlAbortm("again", "b.cpp", 45));
    EXPECT_EQ(S().calls.size(), 1u); // reached the dialog, not just standard error
}

TEST_F(FatalPath, ReentryGoesToTheDebugger) {
    char msg[] = "outer", file[] = "c.cpp";
    unsigned char inner = 0;
    S().during = [&](int call) {
        if (call == 1) {
            char m2[] = "inner", f2[] = "d.cpp";
            testing::internal::CaptureStderr();
            inner = KsFatalErrUI(m2, f2, 2);
            EXPECT_NE(testing::internal::GetCapturedStderr().find("inner"), std::string::npos);
        }
    };
    S().answers = {4};
    EXPECT_TRUE(KsFatalErrUI(msg, file, 1));
    EXPECT_TRUE(inner);
    EXPECT_EQ(S().calls.size(), 1u);
}

namespace {
std::string gAborted;
unsigned char RecordAndGoOn(char* m, char*, int line) {
    gAborted = m;
    gAborted += "@" + std::to_string(line);
    FtlClearFatalError();
    return false;
}
} // namespace

TEST_F(FatalPath, FatalExceptionTextIsNeverAFormat) {
    FtlInstall(RecordAndGoOn);
    XError e = ThreeLevels();
    StSetCurrentException current(e);
    KsFatalException("T_EXPORT", "Untrapped 100% %s %n\n");
    EXPECT_EQ(gAborted,
              "Untrapped 100% %s %n\n* Export failed\n* Could not save\n* Disk full\n@3247");

    std::string huge(5000, 'z');
    KsFatalException(nullptr, huge.c_str());
    EXPECT_EQ(gAborted, std::string(1023, 'z') + "@3247");
}

TEST_F(FatalPathDeathTest, FatalExceptionEndsTheProcess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            FtlSetExitProc(nullptr);
            KsInstallFtlErrHandler();
            S().answers = {2};
            KsFatalException("X", "Error occurred while initializing.\n");
        },
        testing::ExitedWithCode(70), "");
    EXPECT_DEATH(
        {
            FtlSetExitProc(nullptr);
            FtlInstall(nullptr); // the default handler stops
            KsFatalException("X", "Untrapped exception during run.\n");
        },
        "Untrapped exception during run");
}

TEST_F(FatalPathDeathTest, RestartProcessRunsThisProgramAgain) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    std::string self = ReadFileText("/proc/self/cmdline");
    self = self.substr(0, self.find('\0'));
    auto rerun = [&] {
        char* argv[] = {self.data(), const_cast<char*>("--gtest_list_tests"),
                        const_cast<char*>("--gtest_filter=FatalPath.Restart*"), nullptr};
        KsRestartProcess(argv);
        std::_Exit(3);
    };
    EXPECT_EXIT(rerun(), testing::ExitedWithCode(0), "");
}

// The dump sections

TEST_F(StandardCatch, InstalledDumpHasTheSixSectionsInOrder) {
    KsInstallFtlErrHandler();
    EXPECT_EQ(FtlInstall(nullptr), &KsFatalErrUI);
    std::string dump = ReadFileText(DmpDumpToFile(nullptr, "Sections", 0));
    size_t at = 0;
    for (const char* title :
         {"Current Program Stack", "System Configuration", "Processes Currently Running",
          "WindowList", "Binary Modules Loaded", "Device Drivers Loaded"}) {
        size_t found = dump.find(title, at);
        EXPECT_NE(found, std::string::npos) << title;
        if (found != std::string::npos) at = found;
    }
}

namespace {
class WindowListDump : public ::testing::Test {
protected:
    HeadlessDesk desk_;
};

std::string PrintedWindowList() {
    std::FILE* f = std::tmpfile();
    KsPrintWindowList(f);
    std::rewind(f);
    std::string out;
    char buf[512];
    while (std::fgets(buf, sizeof buf, f))
        out += buf;
    std::fclose(f);
    return out;
}
} // namespace

TEST_F(WindowListDump, ListsEveryWindowFrontToBack) {
    EXPECT_EQ(PrintedWindowList(), "No windows.\n");
    Rect a{40, 10, 140, 210}, b{60, 30, 100, 90};
    NewCWindow(nullptr, &a,
               reinterpret_cast<ConstStr255Param>("\x04"
                                                  "Back"),
               true, documentProc, reinterpret_cast<WindowPtr>(-1), true, 7);
    WindowPtr front = NewCWindow(nullptr, &b,
                                 reinterpret_cast<ConstStr255Param>("\x05"
                                                                    "Pa\nel"),
                                 false, documentProc, reinterpret_cast<WindowPtr>(-1), true, 9);
    // A higher layer goes behind layer 0, whatever the order of making.
    SetWindowKind(front, SInt16((1 << 12) | 8));
    std::string list = PrintedWindowList();
    EXPECT_NE(list.find("  1 \"Back\" kind 8 layer 0 visible (10, 40, 210, 140)"),
              std::string::npos)
        << list;
    EXPECT_NE(list.find("  2 \"Pa?el\" kind 8 layer 1 hidden (30, 60, 90, 100)"), std::string::npos)
        << list;
    EXPECT_NE(list.find("refCon 9"), std::string::npos);
}
