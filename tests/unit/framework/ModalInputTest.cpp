// Through the real event path: a running modal dialog keeps the mouse from
// the document behind it, and a pane that captured the mouse sees presses
// wherever they land.
#include "APane.h"
#include "ApplicationTestSupport.h"

#include <algorithm>

namespace {

// Ends its DoDialog when clicked; gives up on idle after a deadline so that a
// fault ends the run instead of hanging it.
class Dialog : public AWindow {
public:
    int clicks = 0;
    long giveUpAt = 0;
    std::vector<AppMsg> seenBeforeClick; // the test windows' messages until then

    bool DoWindowMsg(windowMsgID_t msg, void* data, EventRecord* ev, long a, long b) override {
        if (msg == wmClick && ++clicks == 1) {
            seenBeforeClick = AppLog();
            SetVisible(false);
            return true;
        }
        if (msg == wmIdle && KsGetTicks() > giveUpAt && IsVisible()) SetVisible(false);
        return AWindow::DoWindowMsg(msg, data, ev, a, b);
    }
};

class CapturePane : public APane {
public:
    bool takes = false;
    int seen = 0;
    bool DoCaptureClick(EventRecord*, SInt16) override {
        ++seen;
        return takes;
    }
};

bool Got(const std::vector<AppMsg>& log, const char* window, windowMsgID_t msg) {
    return std::any_of(log.begin(), log.end(),
                       [&](const AppMsg& m) { return m.window == window && m.msg == msg; });
}

} // namespace

class ModalInputTest : public AppTest {
protected:
    void TearDown() override {
        if (KsIsLiveWindow(dialog)) dialog->Dispose();
        AppTest::TearDown();
    }
    // A modal dialog with its content at (400, 300), 150 by 100.
    Dialog* MakeDialog() {
        dialog = new Dialog;
        dialog->IWindow("dlg", nullptr, WindowPtr(-1), false, 0, 1, 0, 0, 0);
        MoveWindow(dialog->GetWindowPtr(), 400, 300, false);
        SizeWindow(dialog->GetWindowPtr(), 150, 100, false);
        dialog->SetIsModal(true);
        return dialog;
    }
    CapturePane* Capture(AWindow* w, bool takes) {
        auto* p = new CapturePane;
        SetPortWindowPort(w->GetWindowPtr());
        p->IPane(w->GetMainPane(), 5, kPaneDontCare, 20, 5, kPaneDontCare, 20, RGBwhite, 0);
        p->takes = takes;
        app->SetMouseCapture(p);
        return p;
    }
    Dialog* dialog = nullptr;
};

TEST_F(ModalInputTest, TheDocumentBehindARunningDialogTakesNoPressOrDrag) {
    struct Case {
        const char* what;
        Point from, to; // v, h
        bool capture;   // a declining pane in the dialog holds the mouse
    };
    const Case cases[] = {
        {"content drag", {120, 100}, {140, 130}, false},
        {"title bar drag", {50, 100}, {90, 160}, false},
        {"content drag with the mouse held", {120, 100}, {140, 130}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecWindow* doc = Win("doc", 40, 60);
        Settle();
        const KsRect before = KsContentRect(doc->GetWindowPtr());
        Dialog* dlg = MakeDialog();
        CapturePane* pane = c.capture ? Capture(dlg, false) : nullptr;
        const int beeps = backend->BeepCount();
        const long t0 = KsGetTicks() + 5;
        dlg->giveUpAt = t0 + 600;
        backend->ScriptPress(t0, c.from.h, c.from.v);
        backend->ScriptMove(t0 + 1, c.to.h, c.to.v);
        backend->ScriptRelease(t0 + 2, c.to.h, c.to.v);
        backend->ScriptPress(t0 + 10, 450, 350);
        backend->ScriptRelease(t0 + 11, 450, 350);

        dlg->DoDialog(app);

        EXPECT_EQ(dlg->clicks, 1);         // the dialog ran until its own click
        EXPECT_LT(KsGetTicks(), t0 + 600); // and did not merely time out
        for (windowMsgID_t m : {wmClick, wmDrag, wmActivate})
            EXPECT_FALSE(Got(dlg->seenBeforeClick, "doc", m)) << m;
        EXPECT_EQ(KsContentRect(doc->GetWindowPtr()), before);
        EXPECT_EQ(backend->BeepCount() - beeps, 1);
        if (pane) {
            EXPECT_EQ(pane->seen, 2);
        }
        app->ReleaseMouseCapture();
        dialog->Dispose();
        dialog = nullptr;
        doc->Dispose();
        FlushEvents(everyEvent, 0);
    }
}

TEST_F(ModalInputTest, ACapturedPaneSeesPressesOutsideItFirst) {
    for (bool takes : {true, false}) {
        SCOPED_TRACE(takes);
        RecWindow* owner = Win("owner", 40, 60);
        RecWindow* other = Win("other", 400, 300);
        CapturePane* pane = Capture(owner, takes);
        Settle();
        const long t0 = KsGetTicks() + 2;
        backend->ScriptPress(t0, 450, 350);
        backend->ScriptRelease(t0 + 1, 450, 350);
        while (backend->ScriptPending() > 0 || KsGetTicks() < t0 + 3)
            app->ProcessEvent(-1);
        EXPECT_EQ(pane->seen, 1);
        EXPECT_EQ(Got(AppLog(), "other", wmClick), !takes);
        // A disposed pane no longer holds the mouse.
        pane->Dispose();
        EXPECT_EQ(app->GetMouseCapture(), nullptr);
        owner->Dispose();
        other->Dispose();
    }
}
