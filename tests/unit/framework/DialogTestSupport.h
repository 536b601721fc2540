// A started application with a dialog, the fatal messages its accessors
// report, and scripted clicks on its panes.
#pragma once

#include "ApplicationTestSupport.h"
#include "DialogWindow.h"
#include "KsFatal.h"
#include "KsModalAppState.h"
#include "KsSimpleDlg.h"

#include <string>
#include <vector>

inline std::vector<std::string>& FatalMessages() {
    static std::vector<std::string> messages;
    return messages;
}

class DialogTest : public AppTest {
protected:
    static constexpr SInt16 S = kPaneDontCare;

    void SetUp() override {
        AppTest::SetUp();
        FatalMessages().clear();
        previousFtl_ = FtlInstall([](char* message, char*, int) -> unsigned char {
            FatalMessages().emplace_back(message);
            return true; // go on: the accessor then does nothing
        });
        KsSDlogClearScriptedAnswers();
    }
    void TearDown() override {
        if (dlg && KsIsLiveWindow(dlg)) dlg->Dispose();
        dlg = nullptr;
        FtlInstall(previousFtl_);
        FtlClearFatalError();
        KsSDlogClearScriptedAnswers();
        AppTest::TearDown();
    }

    // A modal dialog with the standard row of `buttons` buttons.
    DialogWindow* MakeDialog(short buttons = 2) {
        dlg = DialogWindow::New("Dialog", true, 320, 200, false);
        if (buttons) dlg->AddStdButtons(buttons);
        dlg->AddDefaultButIndic();
        return dlg;
    }

public:
    // No scripted input is waiting.
    bool ScriptDone() const { return backend->ScriptPending() == 0; }
    // A press and release at the centre of a pane, scripted for the next
    // ticks, in global coordinates of the window as it is now.
    void ScriptClick(AWindow* w, const APane* p, long delay = 2) {
        const KsRect f = p->GetFrame();
        Point pt{SInt16((f.top + f.bottom) / 2), SInt16((f.left + f.right) / 2)};
        SetPortWindowPort(w->GetWindowPtr());
        LocalToGlobal(&pt);
        const long at = KsGetTicks() + delay;
        backend->ScriptPress(at, pt.h, pt.v);
        backend->ScriptRelease(at + 1, pt.h, pt.v);
    }

protected:
    bool Key(long charCode, long keyCode, UInt16 modifiers = 0) {
        EventRecord ev{};
        ev.what = keyDown;
        ev.modifiers = modifiers;
        return dlg->SendMsg(wmKeyDown, &ev, charCode, keyCode);
    }

    DialogWindow* dlg = nullptr;

private:
    FtlHandler previousFtl_ = nullptr;
};
