#include "KsAppInfo.h"
#include "KsFileText.h"
#include "KsLog.h"
#include "KsLogPrivate.h"
#include "KsRaisedError.h"
#include "KsScopedEnv.h"
#include "KsScratchDir.h"
#include "XError.h"

#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace {
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::stringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

long FileSize(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 ? long(info.st_size) : -1;
}

// Points the log at a fresh state folder for one test.
class LogFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        env_.Set("XDG_STATE_HOME", scratch_.str());
        LogFile::Close();
        previousCap_ = LogFile::SetMaxSize(1L << 20);
    }
    void TearDown() override {
        LogFile::SetMaxSize(previousCap_);
        LogFile::Close();
    }
    ScratchDir scratch_;
    ScopedEnv env_;
    long previousCap_ = 0;
};
} // namespace

TEST(LogText, ConvertsToUtf8AndSanitises) {
    // Mac OS Roman bytes: 0x8E e-acute, 0xA5 bullet, 0xD2 left double quote.
    EXPECT_EQ(KsLogText("caf\x8E \xA5 \xD2x", KsLineBreaks::keep), "caf\u00E9 \u2022 \u201Cx");
    // Valid UTF-8 passes through untouched.
    EXPECT_EQ(KsLogText("caf\u00E9 \u20AC", KsLineBreaks::keep), "caf\u00E9 \u20AC");
    EXPECT_EQ(KsLogText("a\rb\r\nc\nd", KsLineBreaks::keep), "a\nb\nc\nd");
    EXPECT_EQ(KsLogText("a\rb\r\nc\n\n", KsLineBreaks::join), "a | b | c");
    EXPECT_EQ(KsLogText(std::string_view("x\0y\x1b\x7f\tz", 7), KsLineBreaks::join), "x?y??\tz");

    EXPECT_TRUE(KsIsValidUTF8("plain"));
    EXPECT_FALSE(KsIsValidUTF8("\xC0\x80"));         // overlong
    EXPECT_FALSE(KsIsValidUTF8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(KsIsValidUTF8("\xF4\x90\x80\x80")); // past U+10FFFF
    EXPECT_FALSE(KsIsValidUTF8("\xE2\x82"));         // cut short
}

TEST_F(LogFileTest, OneTimestampedLinePerCall) {
    std::string expectedPath =
        scratch_.str() + "/" + KSGetApplName() + "/" + KSGetApplName() + ".log";
    EXPECT_EQ(LogFile::GetPath(), expectedPath);
    LogFile::WriteLog("Startup", "ks_core_tests version 1");
    LogFile::WriteLog("FatalExcpt", "top level\nsecond level\n");
    LogFile::WriteLog(nullptr, nullptr);
    struct stat info;
    ASSERT_EQ(stat(expectedPath.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    std::vector<std::string> lines = Lines(ReadFileText(expectedPath));
    ASSERT_EQ(lines.size(), 3u);
    std::regex form(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} \[\d+\] (.*))");
    const char* want[] = {"Startup: ks_core_tests version 1",
                          "FatalExcpt: top level | second level", ": "};
    for (std::size_t i = 0; i < 3; ++i) {
        std::smatch match;
        ASSERT_TRUE(std::regex_match(lines[i], match, form)) << lines[i];
        EXPECT_EQ(match[1], want[i]);
    }
}

TEST_F(LogFileTest, RotatesAtTheCapKeepingNewestLines) {
    LogFile::SetMaxSize(4096);
    std::string path = LogFile::GetPath();
    for (int i = 0; i < 200; ++i)
        LogFile::WriteLog("Line", std::to_string(i).c_str());
    EXPECT_LE(FileSize(path), 4096);
    EXPECT_LE(FileSize(path + ".1"), 4096);
    EXPECT_GT(FileSize(path + ".1"), 3000); // rotated when nearly full, not early
    std::vector<std::string> current = Lines(ReadFileText(path));
    std::vector<std::string> older = Lines(ReadFileText(path + ".1"));
    ASSERT_FALSE(current.empty());
    ASSERT_FALSE(older.empty());
    EXPECT_NE(current.back().find("Line: 199"), std::string::npos);
    // The two files hold consecutive lines: the older one ends where the
    // current one begins.
    auto number = [](const std::string& line) {
        return std::stoi(line.substr(line.rfind(' ') + 1));
    };
    EXPECT_EQ(number(older.back()) + 1, number(current.front()));
}

TEST_F(LogFileTest, ConcurrentWritersKeepLinesWhole) {
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t] {
            for (int i = 0; i < 100; ++i)
                LogFile::WriteLog("T",
                                  (std::to_string(t) + ":" + std::string(40, 'a' + t)).c_str());
        });
    for (auto& thread : threads)
        thread.join();
    std::vector<std::string> lines = Lines(ReadFileText(LogFile::GetPath()));
    ASSERT_EQ(lines.size(), 400u);
    std::regex whole(R"(.* T: ([0-3]):(a{40}|b{40}|c{40}|d{40}))");
    for (const auto& line : lines)
        EXPECT_TRUE(std::regex_match(line, whole)) << line;
}

TEST_F(LogFileTest, FollowsAFileRotatedByAnotherProcess) {
    std::string path = LogFile::GetPath();
    LogFile::WriteLog("A", "before");
    ASSERT_EQ(std::rename(path.c_str(), (path + ".moved").c_str()), 0);
    LogFile::WriteLog("A", "after");
    EXPECT_NE(ReadFileText(path).find("A: after"), std::string::npos);
    EXPECT_EQ(ReadFileText(path).find("before"), std::string::npos);
}

TEST(LogAppEvent, AcceptsAnyText) {
    // The system log cannot be read back here; a format directive in the
    // text must not be expanded (a crash under the sanitizer otherwise).
    AppEventLog::WriteLog("Startup", "%s%s%s%n");
    AppEventLog::WriteLog(nullptr, nullptr);
}

TEST(LogPrintfLogger, RelativeNamesGoToTheStateFolderAndFlushPolicies) {
    ScratchDir scratch;
    ScopedEnv env;
    env.Set("XDG_STATE_HOME", scratch.str());
    std::string folder = scratch.str() + "/" + KSGetApplName();

    PrintfLogger eager("CONSOLE.LOG", 51200, 2);
    EXPECT_EQ(eager.GetPath(), folder + "/CONSOLE.LOG");
    EXPECT_EQ(eager.GetMaxSize(), 51200);
    eager.Printf("a%cb%s", '\t', "\r");
    EXPECT_EQ(ReadFileText(eager.GetPath()), "a\tb\n");

    PrintfLogger lines(std::string(folder + "/lines.log").c_str(), 0, 1);
    lines.Printf("partial ");
    EXPECT_EQ(ReadFileText(lines.GetPath()), "");
    lines.Printf("line\n");
    EXPECT_EQ(ReadFileText(lines.GetPath()), "partial line\n");

    {
        PrintfLogger lazy("lazy.log", 0, 0);
        lazy.Printf("%d\n", 42);
        EXPECT_EQ(ReadFileText(lazy.GetPath()), "");
        lazy.Flush();
        EXPECT_EQ(ReadFileText(lazy.GetPath()), "42\n");
        lazy.Printf("%s\n", std::string(3000, 'x').c_str()); // long formats are not cut
    }
    EXPECT_EQ(ReadFileText(folder + "/lazy.log"), "42\n" + std::string(3000, 'x') + "\n");

    EXPECT_EQ(ErrorCode([] { PrintfLogger missing("/nonexistent-folder/x.log", 0, 0); }),
              "LOG_OPEN_FAILED");
}

TEST(LogPrintfLogger, CapKeepsTheNewestText) {
    ScratchDir scratch;
    std::string path = scratch.str() + "/capped.log";
    PrintfLogger logger(path.c_str(), 1024, 2);
    for (int i = 0; i < 300; ++i)
        logger.Printf("%04d\n", i);
    EXPECT_LE(FileSize(path), 1024);
    EXPECT_LE(FileSize(path + ".1"), 1024);
    std::string current = ReadFileText(path);
    EXPECT_EQ(current.substr(current.size() - 5), "0299\n");
    std::string older = ReadFileText(path + ".1");
    int lastOlder = std::stoi(older.substr(older.size() - 5));
    EXPECT_EQ(lastOlder + 1, std::stoi(current.substr(0, 4)));

    // One text larger than the cap keeps its end.
    std::string big;
    for (int i = 0; i < 500; ++i)
        big += char('a' + i % 26);
    big += std::string(1000, '-') + "END";
    logger.Write(big.data(), big.size());
    std::string last = ReadFileText(path);
    EXPECT_EQ(last.size(), 1024u);
    EXPECT_EQ(last.substr(last.size() - 3), "END");
}
