#include "KsDump.h"
#include "KsFatal.h"
#include "KsFileText.h"
#include "KsRaisedError.h"
#include "KsScopedEnv.h"
#include "KsScratchDir.h"
#include "XError.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace {

struct Seen {
    std::string message, file;
    int line = 0;
    int calls = 0;
    int exitStatus = -1;
};
Seen gSeen;

unsigned char ClearAndGoOn(char* m, char* f, int l) {
    gSeen.message = m;
    gSeen.file = f;
    gSeen.line = l;
    ++gSeen.calls;
    FtlClearFatalError();
    return false;
}
unsigned char StopHere(char*, char*, int) {
    ++gSeen.calls;
    return true;
}
unsigned char LeaveSet(char*, char*, int) {
    ++gSeen.calls;
    return false;
}
unsigned char ReportAgain(char*, char*, int) {
    ++gSeen.calls;
    // A handler that fails in turn must not recurse into itself.
    EXPECT_TRUE(__FtlAbortm("inner", "h.cpp", 2));
    FtlClearFatalError();
    return false;
}

class Fatal : public ::testing::Test {
protected:
    void SetUp() override {
        gSeen = Seen{};
        previous_ = FtlInstall(nullptr);
        previousExit_ = FtlSetExitProc([](int status) { gSeen.exitStatus = status; });
    }
    void TearDown() override {
        FtlInstall(previous_);
        FtlSetExitProc(previousExit_);
        FtlClearFatalError();
    }
    FtlHandler previous_ = nullptr;
    FtlExitProc previousExit_ = nullptr;
};

int CountEntries(const std::string& dir, const char* prefix) {
    int n = 0;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d))
            if (std::string(e->d_name).rfind(prefix, 0) == 0) ++n;
        closedir(d);
    }
    return n;
}

} // namespace

TEST_F(Fatal, HandlerSeesTheReportAndDecides) {
    FtlInstall(ClearAndGoOn);
    EXPECT_FALSE(__FtlAssertFailed("x > 0", "a.cpp", 12));
    EXPECT_EQ(gSeen.message, "Assertion failed: x > 0");
    EXPECT_EQ(gSeen.file, "a.cpp");
    EXPECT_EQ(gSeen.line, 12);
    EXPECT_FALSE(FtlIsFatalErrorSet());
    EXPECT_EQ(gSeen.exitStatus, -1); // cleared state: the program goes on

    FtlInstall(StopHere);
    EXPECT_TRUE(__FtlAbortm("stop", "b.cpp", 3));
    EXPECT_TRUE(FtlIsFatalErrorSet());
    EXPECT_EQ(gSeen.exitStatus, -1);
}

TEST_F(Fatal, LeavingTheStateSetEndsTheProcess) {
    FtlInstall(LeaveSet);
    EXPECT_FALSE(__FtlAbortm("bye", "c.cpp", 9));
    EXPECT_EQ(gSeen.exitStatus, 70);
}

TEST_F(Fatal, AReportInsideTheHandlerDoesNotRecurse) {
    FtlInstall(ReportAgain);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(__FtlAbortm("outer", "h.cpp", 1));
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(gSeen.calls, 1);
    EXPECT_NE(err.find("inner"), std::string::npos);
}

TEST_F(Fatal, AssertMacroOnlyReportsFailures) {
    FtlInstall(ClearAndGoOn);
    int x = 1;
    FtlAssert(x == 1);
    EXPECT_EQ(gSeen.calls, 0);
    FtlAssert(x == 2);
    EXPECT_EQ(gSeen.calls, 1);
    EXPECT_EQ(gSeen.message, "Assertion failed: x == 2");
}

class Dump : public ::testing::Test {
protected:
    void SetUp() override {
        env_.Set("XDG_STATE_HOME", dir_);
        DmpRemoveAll();
    }
    void TearDown() override { DmpRemoveAll(); }
    ScratchDir scratch_{"ksdump"};
    const std::string dir_ = scratch_.str();
    ScopedEnv env_;
};

TEST_F(Dump, WritesEnabledSectionsInOrderWithTheCurrentError) {
    DmpInstall([](std::FILE* f) { std::fputs("first body\n", f); }, "First", 1);
    DmpInstall([](std::FILE* f) { std::fputs("hidden body\n", f); }, "Hidden", 0);
    DmpInstall([](std::FILE*) { throw std::runtime_error("broken printer"); }, "Broken", 1);
    DmpInstall([](std::FILE* f) { std::fputs("second body\n", f); }, "Second", 1);
    // Registering a title again replaces it in place.
    DmpInstall([](std::FILE* f) { std::fputs("first again\n", f); }, "First", 1);

    XError e("SYS_ERROR", "short OSErr", -36);
    e.PushLevel("CTX").SetText("while saving");
    StSetCurrentException mark(e);
    std::string path = DmpDumpToFile(nullptr, "Report from Exception", 0);

    EXPECT_EQ(path.rfind(dir_ + "/", 0), 0u) << path;
    std::string text = ReadFileText(path);
    EXPECT_NE(text.find("Report from Exception"), std::string::npos);
    EXPECT_NE(text.find("2 CTX: while saving"), std::string::npos);
    EXPECT_NE(text.find("1 SYS_ERROR: A system error occurred (error -36)."), std::string::npos);
    size_t first = text.find("== First\nfirst again\n");
    size_t broken = text.find("== Broken\n(this section failed:");
    size_t second = text.find("== Second\nsecond body\n");
    EXPECT_NE(first, std::string::npos);
    EXPECT_NE(broken, std::string::npos);
    EXPECT_NE(second, std::string::npos);
    EXPECT_LT(first, broken);
    EXPECT_LT(broken, second);
    EXPECT_EQ(text.find("hidden body"), std::string::npos);

    // Two dumps never share a name, and no scratch file is left behind.
    std::string again = DmpDumpToFile(nullptr, "again", 0);
    EXPECT_NE(again, path);
    std::string folder = path.substr(0, path.rfind('/'));
    EXPECT_EQ(CountEntries(folder, ".dump-"), 0);
}

TEST_F(Dump, CoreSectionsProduceText) {
    DmpInstall(PSPrintStack, "Current Program Stack", 1);
    DmpInstall(PrintSysConfig, "System Configuration", 1);
    DmpInstall(PrintProcessModules, "Binary Modules Loaded", 1);
    std::string text = ReadFileText(DmpDumpToFile(nullptr, "sections", 0));
    EXPECT_NE(text.find("processors online:"), std::string::npos);
    EXPECT_NE(text.find("libKsCore.so"), std::string::npos);
}

TEST_F(Dump, AnUnwritablePlaceRaisesAndLeavesNothing) {
    std::string bad = dir_ + "/no/such/folder/dump.txt";
    const XError e = ErrorOf([&] { DmpDumpToFile(bad.c_str(), "t", 0); });
    EXPECT_STREQ(e.GetCode(), "DMP_WRITE_FAILED");
    EXPECT_NE(e.GetText().find(bad), std::string::npos);
    // An explicit path that works is used as given.
    std::string good = dir_ + "/explicit.txt";
    EXPECT_EQ(std::string(DmpDumpToFile(good.c_str(), "t", 0)), good);
    EXPECT_EQ(CountEntries(dir_, ".dump-"), 0);
}
