// A started application with a menu of commands in the bar, a window whose
// root pane holds the buttons, recorded message boxes and scripted pointer
// gestures for the command-button tests.
#pragma once

#include "ApplicationTestSupport.h"
#include "CmdButton.h"
#include "KsPortSavers.h"
#include "KsUIHooks.h"
#include "MenuBarPrivate.h"
#include "ShapeCmdButton.h"

#include <set>

class CmdButtonTest : public AppTest {
protected:
    static constexpr short kMenuID = 300;
    static constexpr long kPlay = 2000, kStop = 2001, kCue = 2002;
    static constexpr SInt16 S = -32768;

    void SetUp() override {
        AppTest::SetUp();
        menu = gBartender->CreateMenu("Cmds", kMenuID, ABartender::kMenuInBar);
        gBartender->AppendMenuItem(menu, kPlay, "&Play");
        gBartender->AppendMenuItem(menu, kStop, "Stop Tape");
        gBartender->AppendMenuItem(menu, 0L, "Unbound");
        gBartender->AppendMenuItem(menu, kCue, "Cue A1");
        DrawMenuBar();
        win = Win("cmds", 40, 60);
        // The host enables what applies when asked.
        win->onMsg = [this](windowMsgID_t m, EventRecord* e, long, long b) {
            if (m == wmUpdateMenus)
                for (long n : enabled)
                    gBartender->MacEnableMenuItem(n);
            if (m == wmMenuSelect) {
                sent.push_back(b);
                sentModifiers.push_back(e ? e->modifiers : 0);
                sentIgnoringOption.push_back(CmdButton::ForceIgnoreOption());
            }
        };
        Settle();
        previousDialog = InstallUIdialog(RecordDialog);
        Dialogs().clear();
    }
    void TearDown() override {
        InstallUIdialog(previousDialog);
        CmdButton::SetM2Bmode(false);
        CmdButton::SetB2Bmode(false);
        AppTest::TearDown();
    }

    CmdButton* Button(SInt16 left, SInt32 nick, APane* encl = nullptr) {
        return CmdButton::New(encl ? encl : win->GetMainPane(), left, S, 60, 10, S, 24, nick,
                              RGBgray11);
    }
    // The centre of a pane in global coordinates.
    Point Global(const APane* p) const {
        const KsRect b = p->GetBounds();
        Point pt{SInt16((b.top + b.bottom) / 2), SInt16((b.left + b.right) / 2)};
        StPortSaver port;
        SetPortWindowPort(p->GetEnclWindow()->GetWindowPtr());
        LocalToGlobal(&pt);
        return pt;
    }
    // Scripts a choice of item `item` of the command menu, starting one tick
    // from now.
    void ScriptMenuChoice(MenuItemIndex item) {
        Rect title{};
        ASSERT_TRUE(KsGetMenuTitleRect(kMenuID, &title));
        const SInt16 v = SInt16(21 + (item - 1) * KsMenuLineHeight() + KsMenuLineHeight() / 2);
        long t = KsGetTicks();
        backend->ScriptPress(++t, title.left + 5, 10);
        backend->ScriptMove(t += 2, title.left + 20, v);
        backend->ScriptRelease(t += 2, title.left + 20, v);
    }
    // A press on `from` taken from the queue, as the click that reaches the
    // pane; the move to `to` and the release there follow.
    KsPoint PressAndDragTo(const APane* from, const APane* to) {
        long t = KsGetTicks();
        EventRecord e = desk.Gesture(t, Global(from), {Global(to)});
        StPortSaver port;
        SetPortWindowPort(from->GetEnclWindow()->GetWindowPtr());
        GlobalToLocal(&e.where);
        return {e.where.h, e.where.v};
    }

    static std::vector<std::string>& Dialogs() {
        static std::vector<std::string> texts;
        return texts;
    }
    static short RecordDialog(const char* text, const char*, short, UIicon_t, const char*, bool,
                              const char*) {
        Dialogs().emplace_back(text ? text : "");
        return 1;
    }

    MenuHandle menu = nullptr;
    RecWindow* win = nullptr;
    std::set<long> enabled{kPlay, kStop, kCue};
    std::vector<long> sent;
    std::vector<UInt16> sentModifiers;
    std::vector<bool> sentIgnoringOption;
    UIdialogProc previousDialog = nullptr;
};
