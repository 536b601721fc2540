// Windows inside a running application: the About window,
// the blocking dialog run, and a main pane resource that cannot be read.
#include "APane.h"
#include "AboutBoxWindow.h"
#include "ApplicationTestSupport.h"

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
