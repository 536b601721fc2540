// Start-up state, the window list, standard menus and commands, quitting;
// the About window, the blocking dialog run and an unreadable main pane; the
// request socket and signals.
#include "APane.h"
#include "AboutBoxWindow.h"
#include "ApplicationTestSupport.h"
#include "KsAppRequestsPrivate.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstring>
#include <thread>

#include <sys/stat.h>

TEST_F(AppTest, StartUpLeavesTheDescribedState) {
    EXPECT_EQ(gApplication, app);
    EXPECT_TRUE(app->InForeground());
    ASSERT_NE(gBartender, nullptr);
    EXPECT_NE(GetMenuHandle(kFileMenuID), nullptr);
    EXPECT_NE(GetMenuHandle(kEditMenuID), nullptr);
    short item = 0, menu = 0;
    gBartender->NickNumToMenuInfo(&item, &menu, kNickQuit);
    EXPECT_EQ(menu, kFileMenuID);
    gBartender->NickNumToMenuInfo(&item, &menu, kNickSelectAll);
    EXPECT_EQ(menu, kEditMenuID);
}

TEST_F(AppTest, WindowListFollowsWindowsAndFileMenuFollowsTheActiveWindow) {
    RecWindow* a = Win("a");
    EXPECT_TRUE(app->IsStillAWindow(a));
    EXPECT_TRUE(app->IsWptrInWindowList(a->GetWindowPtr()));
    app->UpdateMenus();
    EXPECT_TRUE(gBartender->IsItemEnabled(kNickNew));
    EXPECT_TRUE(gBartender->IsItemEnabled(kNickClose));
    EXPECT_FALSE(gBartender->IsItemEnabled(kNickSave));
    a->dirty = true;
    app->UpdateMenus();
    EXPECT_TRUE(gBartender->IsItemEnabled(kNickSave));
    EXPECT_TRUE(gBartender->IsItemEnabled(kNickSaveAs));
    a->Dispose();
    EXPECT_FALSE(app->IsStillAWindow(a));
    app->UpdateMenus();
    EXPECT_TRUE(gBartender->IsItemEnabled(kNickOpen));
    EXPECT_TRUE(gBartender->IsItemEnabled(kNickQuit));
    EXPECT_FALSE(gBartender->IsItemEnabled(kNickClose));
    EXPECT_FALSE(gBartender->IsItemEnabled(kNickPrint));
    char text[64];
    gBartender->GetMenuItem(kNickSave, text, sizeof text);
    EXPECT_STREQ(text, "&Save...");
}

TEST_F(AppTest, StandardCommandsByNick) {
    RecWindow* a = Win("a");
    a->dirty = true;
    EXPECT_TRUE(app->HandleStdMenus(kFileMenuID, kNickNew));
    EXPECT_EQ(app->newCmds, 1);
    EXPECT_TRUE(app->HandleStdMenus(kFileMenuID, kNickSave));
    EXPECT_EQ(a->saves, 1);
    EXPECT_FALSE(app->HandleStdMenus(kFileMenuID, kNickPrint)); // left to the host
    EXPECT_FALSE(app->HandleStdMenus(kEditMenuID, kNickCut));   // no active text field
    AppLog().clear();
    EXPECT_TRUE(app->HandleStdMenus(kFileMenuID, kNickClose));
    ASSERT_EQ(Names(wmClose).size(), 1u);
}

TEST_F(AppTest, QuitStopsAtTheFirstDirtyWindowThatRefuses) {
    RecWindow* a = Win("a");
    RecWindow* b = Win("b");
    a->dirty = b->dirty = true;
    a->answer = [](windowMsgID_t m, long, long) { return m == wmClose; }; // cancels
    app->QuitCmd();
    EXPECT_EQ(Names(wmClose), std::vector<std::string>{"a"});
    EXPECT_TRUE(Names(wmQuit).empty());
    EXPECT_EQ(QuitCompleted, 0);
    a->answer = nullptr;
    AppLog().clear();
    app->QuitCmd();
    EXPECT_EQ(Names(wmClose), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Names(wmQuit), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(QuitCompleted, 1);
}

TEST_F(AppTest, QuitRequestIsRefusedWhileLockedAndLocksNest) {
    AEDesc ev, reply;
    KsAECreateEvent(kCoreEventClass, kAEQuitApplication, &ev);
    const int beeps = backend->BeepCount();
    {
        AApplicationAELock outer(app);
        { AApplicationAELock inner(app); }
        EXPECT_TRUE(app->GetAppIsBusy()); // the outer lock still holds
        EXPECT_EQ(app->DoAppleEvent(&ev, &reply, 0), userCanceledErr);
        EXPECT_EQ(backend->BeepCount(), beeps + 1);
        EXPECT_EQ(QuitCompleted, 0);
    }
    EXPECT_FALSE(app->GetAppIsBusy());
    EXPECT_EQ(app->DoAppleEvent(&ev, &reply, 0), 0);
    EXPECT_EQ(QuitCompleted, 1);
}

TEST_F(AppTest, OpenDocumentsAtLaunchAndLater) {
    const char* argv[] = {"prog", "-v", "/d/one", "--", "-odd", nullptr};
    app->SetCommandLine(5, argv);
    EXPECT_EQ(AApplicationPrivate::L(app).files, (std::vector<std::string>{"/d/one", "-odd"}));
    // Before Run the documents wait for Go.
    AEDesc list, ev, reply;
    AECreateList(&list);
    for (const char* p : {"/d/one", "", "/d/three"})
        AEPutPtr(&list, 0, typeFSS, p, Size(std::strlen(p)));
    KsAECreateEvent(kCoreEventClass, kAEOpenDocuments, &ev);
    AEPutParamDesc(&ev, keyDirectObject, &list);
    EXPECT_EQ(app->DoAppleEvent(&ev, &reply, 0), errAEEventFailed); // the empty one
    EXPECT_TRUE(app->opened.empty());
    EXPECT_EQ(AApplicationPrivate::L(app).pending.size(), 2u);

    // After start-up each opens at once; a failure is shown and reported.
    AApplicationPrivate::L(app).running = true;
    AEDesc later;
    AECreateList(&later);
    std::string longPath = "/d/" + std::string(600, 'x').substr(0, 200) + "/" + "doc";
    for (const std::string& p : {std::string("/d/bad"), longPath})
        AEPutPtr(&later, 0, typeFSS, p.data(), Size(p.size()));
    AEPutParamDesc(&ev, keyDirectObject, &later);
    EXPECT_EQ(app->DoAppleEvent(&ev, &reply, 0), errAEEventFailed);
    ASSERT_EQ(app->opened.size(), 1u);
    EXPECT_EQ(app->opened[0], longPath); // longer than the old 262-byte record
    EXPECT_EQ(app->shownCodes, std::vector<std::string>{"TEST_OPEN_FAILED"});
}

TEST_F(AppTest, ExitCleanupRunsOnceAndNeverIntoADestroyedApplication) {
    app->Exit();
    app->Exit(); // second time: nothing
    EXPECT_STREQ(app->GetRequestSocketPath(), "");
    KsAppResetExitCleanupForTests();
    delete app;
    app = nullptr;
    EXPECT_EQ(gApplication, nullptr);
    KsAppExitCleanup(); // must not touch the deleted object (ASan would see it)
}

namespace {

using WindowAppTest = AppTest;

TEST_F(WindowAppTest, AboutCmdMakesOneWindowAndShowsItEachTime) {
    app->AboutCmd();
    WindowPtr front = FrontWindow();
    AWindow* about = GetWindowObj(front);
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->IsInstanceOf("AboutBoxWindow"));
    EXPECT_TRUE(about->IsVisible());
    about->SetVisible(false); // as a click leaves it (WindowPopupsAndStyleTest)
    app->AboutCmd();
    EXPECT_EQ(FrontWindow(), front) << "the same window again";
    EXPECT_TRUE(about->IsVisible());
    int abouts = 0;
    for (WindowPtr x = KsGetWindowList(); x; x = GetNextWindow(x))
        if (AWindow* aw = GetWindowObj(x); aw && aw->IsInstanceOf("AboutBoxWindow")) ++abouts;
    EXPECT_EQ(abouts, 1);
    about->Dispose();
}

TEST_F(WindowAppTest, UnreadableMainPaneIsReportedAndReplacedByAGreyPane) {
    char name[] = "NoSuchPaneTree";
    AWindow* w = AWindow::NewFromRsrc("Broken", name, 1, 0, 1, 1, 0, 0);
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(app->shown, 1);
    EXPECT_NE(app->shownCodes[0].find("PANE"), std::string::npos) << app->shownCodes[0];
    ASSERT_NE(w->GetMainPane(), nullptr);
    EXPECT_EQ(w->GetMainPane()->GetBkndColor(), RGBgray7);
    EXPECT_TRUE(w->IsInitialized());
    w->Dispose();
}

// Ends its dialog run from idle time, as a window whose button was pressed.
class EndingDialog : public AWindow {
public:
    int idles = 0;
    bool Idle(void* d, EventRecord* e, long a, long b) override {
        if (++idles == 3) {
            resultPane = mainPane;
            SetVisible(false);
        }
        return AWindow::Idle(d, e, a, b);
    }
};

TEST_F(WindowAppTest, DoDialogRunsTheLoopUntilTheWindowLetsGo) {
    auto* d = new EndingDialog;
    d->IWindow("Dialog", nullptr, nullptr, 1, 0, 0, 0, 0, 0);
    APane* result = d->DoDialog(app);
    EXPECT_EQ(result, d->GetMainPane());
    EXPECT_GE(d->idles, 3);
    EXPECT_TRUE(KsIsLiveWindow(d)) << "a dialog run never disposes of its window on close";
    d->Dispose();
}

} // namespace

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
