// Start-up state, the window list, standard menus and commands, quitting;
// the About window, the blocking dialog run and an unreadable main pane.
#include "APane.h"
#include "AboutBoxWindow.h"
#include "ApplicationTestSupport.h"

#include <cstring>

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
    about->SetVisible(false); // as a click leaves it (WindowAboutPopupTest)
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
