// Windows inside a running application: the window list, the About window,
// the blocking dialog run, and a main pane resource that cannot be read.
#include "APane.h"
#include "AboutBoxWindow.h"
#include "ApplicationTestSupport.h"

namespace {

using WindowAppTest = AppTest;

TEST_F(WindowAppTest, WindowsJoinTheListWhenMadeAndLeaveItWhenDisposed) {
    AWindow* w = AWindow::New("Listed", nullptr, nullptr, 1, 0, 1, 0, 0, 0);
    EXPECT_TRUE(app->IsStillAWindow(w));
    w->Dispose();
    EXPECT_FALSE(app->IsStillAWindow(w));
}

TEST_F(WindowAppTest, AboutCmdMakesOneWindowAndShowsItEachTime) {
    app->AboutCmd();
    WindowPtr front = FrontWindow();
    AWindow* about = GetWindowObj(front);
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->IsInstanceOf("AboutBoxWindow"));
    EXPECT_TRUE(about->IsVisible());
    // A click closes it: hidden, not gone.
    EventRecord e = Ev(mouseDown, 0, 10, 10);
    about->SendMsg(wmClick, &e, 0, 0);
    EXPECT_FALSE(about->IsVisible());
    EventRecord idle = Ev(nullEvent);
    about->SendMsg(wmIdle, &idle, 0, 0);
    ASSERT_TRUE(KsIsLiveWindow(about));
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
