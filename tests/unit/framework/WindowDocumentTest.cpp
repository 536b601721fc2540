// Closing and saving documents, update states, modality and small state.
#include "AFileLocator.h"
#include "APane.h"
#include "AWindowPrivate.h"
#include "AWindowState.h"
#include "AWindowTestSupport.h"
#include "KsWindowShell.h"
#include "XError.h"

namespace {

short gAlertAnswer = 1;
int gAlerts = 0;
std::string gAlertTitle;
short ScriptedAlert(const char* title, const char* action) {
    ++gAlerts;
    gAlertTitle = std::string(title) + "/" + action;
    return gAlertAnswer;
}
bool gPutFileAnswer = false;
std::string gPutFilePrompt;
bool ScriptedPutFile(const char* prompt, const ADirLocator*, const char* name, AFileLocator* out) {
    gPutFilePrompt = std::string(prompt) + "/" + name;
    if (gPutFileAnswer) out->SetName(name);
    return gPutFileAnswer;
}

class WindowCloseTest : public AWindowTest {
protected:
    void SetUp() override {
        AWindowTest::SetUp();
        oldAlert = AWindow::SetSaveAlertProc(ScriptedAlert);
        oldPut = AWindow::SetPutFileProc(ScriptedPutFile);
        gAlerts = 0;
        gAlertAnswer = 1;
        gPutFileAnswer = false;
        w = ProbeWindow::Make("Report");
        w->SelectAndShow();
        w->SetIsDirtyDoc(true);
    }
    void TearDown() override {
        AWindow::SetSaveAlertProc(oldAlert);
        AWindow::SetPutFileProc(oldPut);
        AWindowTest::TearDown();
    }
    // The window is still open, shown and dirty.
    void ExpectKept() {
        ASSERT_TRUE(KsIsLiveWindow(w));
        EXPECT_TRUE(w->IsVisible());
        EXPECT_TRUE(w->GetIsDirtyDoc());
        EXPECT_FALSE(w->IsDisposePending());
    }
    AWindow::SaveAlertProc oldAlert = nullptr;
    AWindow::PutFileProc oldPut = nullptr;
    ProbeWindow* w = nullptr;
};

// Each row closes a fresh dirty window; a kept one stays open, shown and dirty.
TEST_F(WindowCloseTest, ClosingADirtyWindowSavesAsTheAnswersSay) {
    struct Case {
        const char* what;
        int saveResult;
        short alertAnswer; // 1 save, 2 cancel, 3 discard
        bool newDoc, putFileAnswer;
        bool kept;
        int saves;
    } cases[] = {
        {"a successful save closes", 1, 1, false, false, false, 1},
        {"a failed save cancels the close", 0, 1, false, false, true, 1},
        {"cancel keeps it", 1, 2, false, false, true, 0},
        {"discard closes without saving", 1, 3, false, false, false, 0},
        {"a new document cancelled at its name is kept", 1, 1, true, false, true, 0},
        {"a new document given a name is saved", 1, 1, true, true, false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        w = ProbeWindow::Make("Report");
        w->SelectAndShow();
        w->SetIsDirtyDoc(true);
        w->SetIsNewDoc(c.newDoc);
        w->saveResult = c.saveResult;
        gAlerts = 0;
        gAlertAnswer = c.alertAnswer;
        gPutFileAnswer = c.putFileAnswer;
        gPutFilePrompt.clear();
        EXPECT_EQ(w->SendMsg(wmClose, nullptr, 1, 0), c.kept);
        EXPECT_EQ(w->saves, c.saves);
        EXPECT_EQ(gPutFilePrompt, c.newDoc ? "Save As/Untitled" : "");
        if (c.kept) {
            ExpectKept();
        } else {
            EXPECT_FALSE(w->IsVisible());
            EXPECT_TRUE(w->IsDisposePending());
        }
    }
    EXPECT_EQ(gAlertTitle, "Report/closing");
}

TEST_F(WindowCloseTest, SaveThatRaisesCancelsTheCloseAndReportsTheError) {
    w->saveResult = -1;
    try {
        w->SendMsg(wmClose, nullptr, 1, 0);
        ADD_FAILURE() << "the save error must reach the caller";
    } catch (const XError& e) {
        EXPECT_STREQ(e.GetCode(), "std::exception");
    }
    ExpectKept();
    // The window still works: a later message is handled, not a disposal.
    w->saveResult = 1;
    EXPECT_FALSE(w->SendMsg(wmClose, nullptr, 1, 0));
    EXPECT_TRUE(w->IsDisposePending());
}

TEST_F(WindowCloseTest, CleanWindowClosesWithoutAskingAndStaysWhenCloseKeepsIt) {
    w->SetIsDirtyDoc(false);
    w->SetCloseDisposes(false);
    EXPECT_FALSE(w->SendMsg(wmClose, nullptr, 1, 0));
    EXPECT_EQ(gAlerts, 0);
    EXPECT_FALSE(w->IsVisible());
    EXPECT_FALSE(w->IsDisposePending());
    w->SelectAndShow();
    EXPECT_TRUE(w->IsVisible());
    // Idle closes a window that asked for it, once.
    w->CloseWhenIdle(true);
    w->Take();
    EventRecord ev{};
    w->SendMsg(wmIdle, &ev, 0, 0);
    EXPECT_FALSE(w->IsVisible());
    w->SendMsg(wmIdle, &ev, 0, 0);
    EXPECT_EQ(w->Take(), (std::vector<std::string>{"Idle 0 0", "Close 1 0", "Idle 0 0"}));
}

TEST_F(AWindowTest, SuspendedUpdatesDrawOnceOnResumeAndIgnoredOnesNever) {
    ProbeWindow* w = ProbeWindow::Make();
    w->SetWindowToRect(kKsNoScreen, 100, 100, 300, 300);
    w->SelectAndShow();
    w->SendMsg(wmUpdate, nullptr, 0, 0);
    w->draws = 0;
    w->SuspendUpdates(true);
    w->SendMsg(wmUpdate, nullptr, 0, 0);
    w->SendMsg(wmUpdate, nullptr, 0, 0);
    EXPECT_EQ(w->draws, 0);
    w->SuspendUpdates(false);
    EXPECT_EQ(w->draws, 1);
    w->SuspendUpdates(true);
    w->SuspendUpdates(false);
    EXPECT_EQ(w->draws, 1) << "nothing pending, nothing sent";
    w->IgnoreUpdates(true);
    w->SendMsg(wmUpdate, nullptr, 0, 0);
    w->SuspendUpdates(true);
    w->SendMsg(wmUpdate, nullptr, 0, 0);
    w->SuspendUpdates(false);
    EXPECT_EQ(w->draws, 0 + 1);
    w->IgnoreUpdates(false);
    // Update keeps the visible region and the shell's copy as they were.
    KsRgn before = RgnHandleToKsRgn(w->GetWindowPtr()->visRgn);
    ShellSaveVisRgn = KsRgn(KsRect{1, 2, 3, 4});
    ForceWindowUpdate(w->GetWindowPtr());
    EXPECT_EQ(w->draws, 2);
    EXPECT_TRUE(RgnHandleToKsRgn(w->GetWindowPtr()->visRgn) == before);
    EXPECT_EQ(ShellSaveVisRgn.Bounds(), (KsRect{1, 2, 3, 4}));
    // A hidden window has nothing to draw.
    w->SetVisible(false);
    ForceWindowUpdate(w->GetWindowPtr());
    EXPECT_EQ(w->draws, 2);
}

// The modal layer's rules are the shell's (WindowLayerModalTest); here only
// that the window's flag reaches them.
TEST_F(AWindowTest, ModalityChangesKindAndLayerAndGivesTheLayerBack) {
    ProbeWindow* w = ProbeWindow::Make();
    WindowPtr p = w->GetWindowPtr();
    KsSetWindowLayer(p, 3);
    w->SetIsModal(true);
    EXPECT_TRUE(w->GetIsModal());
    EXPECT_EQ(GetWindowKind(p) & 0x0FFF, 128);
    EXPECT_EQ(KsWindowLayerOf(GetWindowKind(p)), 5);
    w->SetIsModal(false);
    EXPECT_FALSE(w->GetIsModal());
    EXPECT_EQ(GetWindowKind(p) & 0x0FFF, 64);
    EXPECT_EQ(KsWindowLayerOf(GetWindowKind(p)), 3) << "back in its own layer, not the modal one";
}

TEST_F(AWindowTest, SmallStateTitleIconifyPlacementAndScheme) {
    ProbeWindow* w = ProbeWindow::Make();
    std::string longTitle(300, 'x');
    w->SetWindowTitle(longTitle.c_str());
    char buf[400];
    w->GetWindowTitle(buf, sizeof buf);
    EXPECT_EQ(std::string(buf).size(), 255u);
    w->GetWindowTitle(buf, 4);
    EXPECT_STREQ(buf, "xxx");
    w->SetWindowTitle(nullptr);
    w->GetWindowTitle(buf, sizeof buf);
    EXPECT_STREQ(buf, "");

    AObject* s = w;
    long a = 1, b = 2;
    w->GetSaveState(&s, &a, &b, nullptr, nullptr);
    EXPECT_EQ(s, nullptr);
    EXPECT_EQ(a + b, 0);

    KsRGBColor col{};
    w->GetColorScheme(&col);
    EXPECT_EQ(col, (KsRGBColor{0x7000, 0x7000, 0x7000}));
    const KsRGBColor red{0xFFFF, 0, 0};
    w->SetColorScheme(&red);
    w->GetColorScheme(&col);
    EXPECT_EQ(col, red);

    // Placement 3 goes home when shown; an unknown placement is reported.
    w->SetHomeRect(kKsNoScreen, KsRect{200, 200, 400, 350});
    w->SetPlacement(3);
    w->SetVisible(true);
    EXPECT_EQ(w->GetWindowRect(kKsNoScreen), (KsRect{200, 200, 400, 350}));
    w->SetVisible(false);
    w->SetPlacement(9);
    w->SetVisible(true);
    EXPECT_EQ(fatalReports, 1);
    EXPECT_TRUE(w->IsVisible()) << "shown where it is";
}

} // namespace

namespace {

TEST_F(AWindowTest, DisposedModalWindowLeavesTheModalStack) {
    ProbeWindow* doc = ProbeWindow::Make("Doc");
    doc->SelectAndShow();
    ProbeWindow* outer = ProbeWindow::Make("Outer");
    outer->SetIsModal(true);
    outer->SelectAndShow();
    ProbeWindow* inner = ProbeWindow::Make("Inner");
    inner->SetIsModal(true);
    inner->SelectAndShow();
    EXPECT_EQ(NumModalWindows(), 2);
    EXPECT_FALSE(KsIsWindowEnabled(doc->GetWindowPtr()));

    // The outer one goes first, while the inner one is still up: nothing may
    // later reselect it.
    WindowPtr gone = outer->GetWindowPtr();
    outer->Dispose();
    EXPECT_EQ(NumModalWindows(), 1);
    EXPECT_EQ(KsTopModalWindow(), inner->GetWindowPtr());
    inner->SetVisible(false);
    EXPECT_EQ(NumModalWindows(), 0);
    EXPECT_TRUE(KsIsWindowEnabled(doc->GetWindowPtr()));
    for (WindowPtr x = KsGetWindowList(); x; x = GetNextWindow(x))
        EXPECT_NE(x, gone);
    EXPECT_EQ(KsActiveWindow(), doc->GetWindowPtr());
}

} // namespace

namespace {
// Remembers where idle time found it.
class DawdleProbe : public APane {
public:
    KsPoint seen{-1, -1};
    void Dawdle(KsPoint pt, SInt16 mods, SInt32* sleep, SInt16* cursorID, void* data) override {
        seen = pt;
        APane::Dawdle(pt, mods, sleep, cursorID, data);
    }
};
} // namespace

// The idle point arrives local to the window (the application converts it);
// a window away from the desktop's origin must not convert it again.
TEST_F(AWindowTest, IdleHandsThePaneTreeThePointAsGiven) {
    ProbeWindow* w = ProbeWindow::Make();
    w->SetWindowToRect(kKsNoScreen, 200, 150, 500, 450);
    w->SelectAndShow();
    auto* probe = new DawdleProbe;
    probe->IPane(w->GetMainPane(), 0, 0, kPaneDontCare, 0, 0, kPaneDontCare, RGBgray9, 0);
    EventRecord ev{};
    ev.where = Point{40, 30}; // v, h: local
    w->SendMsg(wmIdle, &ev, 1, 0);
    EXPECT_EQ(probe->seen, (KsPoint{30, 40}));
    w->Dispose();
}
