// Outside requests: the socket's text form, the socket itself, quit signals.
#include "ApplicationTestSupport.h"
#include "KsAppRequestsPrivate.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <thread>

#include <sys/stat.h>

namespace {

// Sends `request` from another thread while the application polls.
std::string Exchange(AApplication* app, const std::string& request) {
    std::string answer = "<none>";
    std::atomic<bool> done{false};
    const std::string path = app->GetRequestSocketPath();
    std::thread client([&] {
        if (!KsSendAppRequest(path, request, &answer, 3000)) answer = "<failed>";
        done = true;
    });
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done && std::chrono::steady_clock::now() < until) {
        app->ProcessEvent(-1);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    client.join();
    return answer;
}

std::string Reason(const char* text) {
    try {
        AEDesc ev;
        KsParseAppRequest(text, std::strlen(text), &ev);
    } catch (const XError& e) {
        return e.FindParam("reason") ? e.FindParam("reason")->value : "?";
    }
    return "";
}

} // namespace

TEST(AppRequestParse, WellFormedRequests) {
    AEDesc ev;
    KsParseAppRequest("NICK 0x3EC 0x200\n\n", 18, &ev);
    UInt32 cls = 0;
    SInt32 nick = 0;
    SInt16 keys = 0;
    AEGetAttributePtr(&ev, keyEventClassAttr, typeType, nullptr, &cls, sizeof cls, nullptr);
    EXPECT_EQ(cls, kKsEventClass);
    AEGetParamPtr(&ev, keyKsNick, typeSInt32, nullptr, &nick, sizeof nick, nullptr);
    AEGetParamPtr(&ev, keyKsKeys, typeSInt16, nullptr, &keys, sizeof keys, nullptr);
    EXPECT_EQ(nick, 1004);
    EXPECT_EQ(keys, 0x200);

    const char open[] = "OPEN\n/a/b c\r\n/d\n\nignored";
    KsParseAppRequest(open, sizeof open - 1, &ev);
    AEDesc list;
    ASSERT_EQ(AEGetParamDesc(&ev, keyDirectObject, typeAEList, &list), 0);
    long n = 0;
    AECountItems(&list, &n);
    ASSERT_EQ(n, 2);
    EXPECT_EQ(std::string(list.items[0].data.begin(), list.items[0].data.end()), "/a/b c");
}

TEST(AppRequestParse, MalformedRequestsRaise) {
    EXPECT_EQ(Reason(""), "empty request");
    EXPECT_EQ(Reason("FROB"), "unknown request");
    EXPECT_EQ(Reason("NICK"), "NICK takes a nick");
    EXPECT_EQ(Reason("NICK 12x"), "bad number");
    EXPECT_EQ(Reason("NICK 0"), "number out of range");
    EXPECT_EQ(Reason("NICK 99999999999999999999"), "number out of range");
    EXPECT_EQ(Reason("NICK 999999999999999999999"), "bad number"); // 21 digits
    EXPECT_EQ(Reason("NICK 1004 70000"), "number out of range");
    EXPECT_EQ(Reason("OPEN\nrelative"), "path not absolute");
    EXPECT_EQ(Reason("OPEN"), "OPEN without files");
    std::string many = "OPEN\n";
    for (int i = 0; i < kKsAppRequestMaxFiles + 1; ++i)
        many += "/f\n";
    EXPECT_EQ(Reason(many.c_str()), "too many files");
    const char nul[] = "NICK 1\0 2";
    AEDesc ev;
    EXPECT_THROW(KsParseAppRequest(nul, sizeof nul - 1, &ev), XError);
    std::string huge(kKsAppRequestMaxBytes + 1, 'x');
    EXPECT_THROW(KsParseAppRequest(huge.data(), huge.size(), &ev), XError);
}

TEST_F(AppTest, SocketIsPrivateAndDrivesCommands) {
    const std::string path = app->GetRequestSocketPath();
    ASSERT_FALSE(path.empty());
    struct stat st {};
    ASSERT_EQ(path.rfind(runtimeDir->str() + "/", 0), 0u);
    ASSERT_EQ(stat(path.substr(0, path.rfind('/')).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    EXPECT_EQ(Exchange(app, "NICK 1001\n"), "OK 0");
    EXPECT_EQ(app->newCmds, 1);
    EXPECT_EQ(Exchange(app, "NICK 1001 zz\n"), "ERR APP_REQUEST_BAD");
    EXPECT_EQ(app->newCmds, 1);
    EXPECT_EQ(Exchange(app, "PING\n"), "OK 0");

    // Peers of another user are refused before anything is read.
    KsAppRequestServer::SetAllowedUid(getuid() + 1);
    EXPECT_EQ(Exchange(app, "NICK 1001\n"), "ERR APP_REQUEST_REFUSED");
    KsAppRequestServer::ResetAllowedUid();
    EXPECT_EQ(app->newCmds, 1);
}

TEST_F(AppTest, SecondLaunchHandsItsFilesToTheRunningOne) {
    AApplicationPrivate::L(app).running = true;
    // A second application of the same name finds the socket taken.
    std::atomic<bool> done{false};
    std::string answer;
    std::thread second([&] {
        KsSendAppRequest(app->GetRequestSocketPath(), "OPEN\n/x/one\n/x/two\n\n", &answer);
        done = true;
    });
    while (!done)
        app->ProcessEvent(-1);
    second.join();
    EXPECT_EQ(answer, "OK 0");
    EXPECT_EQ(app->opened, (std::vector<std::string>{"/x/one", "/x/two"}));
}

TEST_F(AppTest, SigtermAsksDirtyWindowsAndQuits) {
    RecWindow* a = Win("a");
    Settle();
    a->dirty = true;
    bool refuse = true;
    a->answer = [&](windowMsgID_t m, long, long) { return m == wmClose && refuse; };
    raise(SIGTERM);
    app->ProcessEvent(-1);
    EXPECT_EQ(Names(wmClose), std::vector<std::string>{"a"}); // asked, and it said no
    EXPECT_EQ(QuitCompleted, 0);
    EXPECT_TRUE(KsIsLiveWindow(a));
    refuse = false;
    raise(SIGINT);
    app->ProcessEvent(-1);
    EXPECT_EQ(QuitCompleted, 1);
    EXPECT_EQ(Names(wmQuit), std::vector<std::string>{"a"});
}
