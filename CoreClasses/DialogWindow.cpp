// DialogWindow: set-up, the button row, roles, keys, the run loop, closing.
#include "DialogWindow.h"

#include "AApplication.h"
#include "ADialogButtonGad.h"
#include "AGadget.h"
#include "APanePrivate.h"
#include "ATextEntry.h"
#include "AWindowPrivate.h"
#include "Cursors.h"
#include "KsColorScheme.h"
#include "KsDrawUtils.h"
#include "KsEventWake.h"
#include "KsFatal.h"
#include "KsModalAppState.h"
#include "KsPortSavers.h"
#include "KsTime.h"
#include "Stx.h"
#include "XError.h"

#include <memory>

namespace {
constexpr SInt16 S = kPaneDontCare;

AGadget* AsGadget(APane* pane) {
    return pane && pane->IsInstanceOf("AGadget") ? static_cast<AGadget*>(pane) : nullptr;
}
bool EnabledGadget(APane* pane) {
    AGadget* g = AsGadget(pane);
    return g && g->GetEnabled();
}

KsRect Grown(KsRect r, SInt16 by) {
    r.Inset(SInt16(-by), SInt16(-by));
    return r;
}

// The first pane, depth first in list order, that `want` accepts.
struct FirstFound {
    bool (*want)(APane*);
    APane* found = nullptr;
};
bool FindFirst(APane* pane, void* a, void*) {
    auto* f = static_cast<FirstFound*>(a);
    if (f->found) return false;
    if (f->want(pane)) {
        f->found = pane;
        return false;
    }
    return true;
}
APane* FirstSubPane(APane* root, bool (*want)(APane*)) {
    FirstFound f{want};
    if (root) root->ForEachSubPane(FindFirst, &f, nullptr);
    return f.found;
}
// Shown in its dialog: it and every enclosure are visible. The dialog
// itself may still be hidden, as it is when a run chooses the first focus.
bool ShownInDialog(const APane* p) {
    for (; p; p = p->GetEnclPane())
        if (!p->GetOwnVisible()) return false;
    return true;
}
bool IsEditableEntry(APane* p) {
    return ShownInDialog(p) && p->IsInstanceOf("ATextEntry") && !p->GetDisplayOnly() &&
           !static_cast<ATextEntry*>(p)->GetReadOnly();
}
bool IsVisibleTextList(APane* p) {
    return ShownInDialog(p) && p->IsInstanceOf("ATextListPane");
}
} // namespace

DialogWindow* DialogWindow::New(const char* title, bool modal, short width, short height,
                                bool design) {
    auto* d = new DialogWindow;
    d->IDialogWindow(title, modal, width, height, design);
    return d;
}

DialogWindow::DialogWindow() {
    placement = 2;
    snapOnDrag = false;
    snapOnGrow = false;
    closeDisp = false;
}

void DialogWindow::IDialogWindow(const char* title, bool modal, short width, short height,
                                 bool design) {
    isModal = modal;
    SetDesignMode(design);
    const bool grow = modal || design;
    IWindow(nullptr, nullptr, WindowPtr(-1), 1, 0, grow ? 1 : 0, 0, 0, SInt16(modal ? 5 : 0));
    if (width != 0 && height != 0) SetContentSize(width, height);
    ApplyBackground();
    SetWindowTitle(title);
    if (modal) SetIsModal(true);
}

void DialogWindow::ApplyBackground() {
    KsRGBColor c = RGBgray9;
    if (GetColorSchemeAttr("CS_BG_COLOR") != 0)
        GetSchemeColor("CS_BG_COLOR_RED", "CS_BG_COLOR_GREEN", "CS_BG_COLOR_BLUE", &c);
    schemeColor = c;
    if (windowPort) SetWindowContentColor(windowPort, c);
    if (mainPane) mainPane->SetBkndColor(c);
}

void DialogWindow::UpdateColorScheme() {
    AWindow::UpdateColorScheme();
    StPortSaver port;
    if (windowPort) SetPortWindowPort(windowPort);
    ApplyBackground();
    if (mainPane) mainPane->UpdateColorScheme();
}

void DialogWindow::DialogDesignInit() {}

// ---------------------------------------------------------------------------
// The button row

void DialogWindow::AddStdButtons(short numButs) {
    if (numButs < 1 || numButs > 3) {
        __FtlAssertFailed("numButs >= 1 && numButs <= 3", __FILE__, __LINE__);
        return;
    }
    const SInt16 n = numButs;
    AddButton("OKBut", stx("OK//Button label"), S, SInt16(71 - 80 * n), 70, S, -13, 21);
    SetIsOKGad("OKBut");
    SetDefaultGad("OKBut", false);
    if (n >= 2) {
        AddButton("CancelBut", stx("Cancel//Button label"), S, SInt16(151 - 80 * n), 70, S, -13,
                  21);
        SetIsAbortGad("CancelBut");
    }
    if (n == 3) AddButton("ApplyBut", stx("Apply//Button label"), S, -9, 70, S, -13, 21);
}

void DialogWindow::AddStdButDivider() {
    APane* p = AddPane("ButDivider", 0, 0, S, S, -45, 2);
    p->SetBorderStyle(kBorderNone);
    p->SetInheritsBkgd(true, 0);
    p->SetBorderProc(GrooveBorderProc);
    p->SetBorderStyle(kBorderGroove);
}

void DialogWindow::AddDefaultButIndic() {
    if (defaultIndicator) return;
    APane* p = AddPane("ButDefaultIndic", S, -86, 76, S, -10, 27);
    p->SetInheritsBkgd(true, 0);
    // The ring itself is drawn by Draw around whichever gadget is the
    // default; this pane only marks its place and must not paint over it.
    p->SetDrawsBackground(false);
    p->SendToBack();
    // Shown exactly while there is a default gadget, as SetDefaultGad keeps it.
    p->SetVisible(defaultGad != nullptr);
    defaultIndicator = p;
}

// ---------------------------------------------------------------------------
// Roles

APane* DialogWindow::SetIsOKGad(const char* id) {
    if (!id) {
        okGad = nullptr;
        return nullptr;
    }
    APane* p = FindPaneByID(id);
    if (p && p->IsInstanceOf("AGadget")) {
        p->SetFlag(kPaneOKGadget, true);
        if (!okGad) okGad = p;
    }
    return p;
}

APane* DialogWindow::SetIsAbortGad(const char* id) {
    if (!id) {
        abortGad = nullptr;
        return nullptr;
    }
    APane* p = FindPaneByID(id);
    if (p && p->IsInstanceOf("AGadget")) {
        p->SetFlag(kPaneAbortGadget, true);
        if (!abortGad) abortGad = p;
    }
    return p;
}

AGadget* DialogWindow::SetDefaultGad(const char* id, bool ignoreReturn) {
    returnIgnored = ignoreReturn;
    AGadget* next = id ? AsGadget(FindPaneByID(id)) : nullptr;
    if (next != defaultGad) {
        if (defaultGad) defaultGad->PaneInvalRect(Grown(defaultGad->GetFrame(), 3));
        if (next) next->PaneInvalRect(Grown(next->GetFrame(), 3));
        defaultGad = next;
    }
    if (defaultIndicator) defaultIndicator->SetVisible(defaultGad != nullptr);
    return defaultGad;
}

void DialogWindow::SetDefaultGadEnabled(bool on) {
    if (!defaultGad || defaultGad->GetEnabled() == on) return;
    defaultGad->SetEnabled(on);
    defaultGad->PaneInvalRect(Grown(defaultGad->GetFrame(), 4));
}

AGadget* DialogWindow::GetDefaultGad() const {
    return defaultGad;
}

void DialogWindow::DefaultGadClick() {
    if (defaultGad) PressByKey(defaultGad, &CurrentEvent);
}

void DialogWindow::PressByKey(AGadget* gad, const EventRecord* ev) {
    StPaneHold hold(gad);
    gad->HiliteGad();
    KsDoNothing(kPressPause);
    if (!hold.Alive()) return;
    gad->DeliteGad();
    PressByKeyClickOnly(gad, ev);
}

void DialogWindow::ForgetPane(APane* pane) {
    AWindow::ForgetPane(pane);
    if (pane == okGad) okGad = nullptr;
    if (pane == abortGad) abortGad = nullptr;
    if (pane == defaultGad) defaultGad = nullptr;
    if (pane == defaultIndicator) defaultIndicator = nullptr;
    if (pane == exitItem) exitItem = nullptr;
    if (pane == lastAddedPane) lastAddedPane = nullptr;
}

// ---------------------------------------------------------------------------
// Clicks, keys, closing

void DialogWindow::DoGoodClick(APane* pane) {
    if (!pane || !(pane->GetFlags() & (kPaneOKGadget | kPaneAbortGadget))) return;
    exitItem = pane;
    if (activePane) activePane->TabFrom();
    if ((pane->GetFlags() & kPaneOKGadget) && testProc &&
        !testProc(this, AsGadget(pane), testRefCon))
        exitItem = nullptr;
}

bool DialogWindow::KeyDown(void* data, EventRecord* ev, long charCode, long keyCode) {
    const bool isReturn = charCode == 13 && !returnIgnored;
    if (isReturn || keyCode == kEnterKeyCode) {
        if (activePane && activePane->IsInstanceOf("ADialogButtonGad") &&
            EnabledGadget(activePane)) {
            AGadget* button = AsGadget(activePane);
            StPaneHold hold(button);
            button->HiliteGad();
            KsDoNothing(kPressPause);
            if (!hold.Alive()) return true;
            button->DeliteGad();
            button->Deactivate();
            PressByKeyClickOnly(button, ev);
            return true;
        }
        if (EnabledGadget(defaultGad)) {
            DefaultGadClick();
            return true;
        }
    }
    const bool cmdPeriod = charCode == '.' && ev && (ev->modifiers & cmdKey);
    if (EnabledGadget(abortGad) && (charCode == 27 || cmdPeriod)) {
        PressByKey(AsGadget(abortGad), ev);
        return true;
    }
    return AWindow::KeyDown(data, ev, charCode, keyCode) || charCode == 9;
}

void DialogWindow::PressByKeyClickOnly(AGadget* gad, const EventRecord* ev) {
    StPortSaver port;
    const KsPoint pt{ev ? ev->where.h : SInt16(0), ev ? ev->where.v : SInt16(0)};
    // The procedures' refCon: the window's data, or the window without any.
    void* refCon = dataHandle ? static_cast<void*>(*dataHandle) : static_cast<void*>(this);
    gad->DoGoodClick(pt, ev ? SInt16(ev->modifiers) : SInt16(0), ev ? SInt32(ev->when) : 0, refCon);
}

bool DialogWindow::Close(void* data, EventRecord* ev, long a, long b) {
    if (EnabledGadget(abortGad))
        DoGoodClick(abortGad);
    else if (EnabledGadget(okGad))
        DoGoodClick(okGad);
    else if (DoDeferredQuit && a == 1) {
        exitItem = abortGad ? abortGad : okGad ? okGad : defaultGad;
        if (!exitItem) {
            if (!closePlaceholder) closePlaceholder = AddPane("CloseEnd", 0, S, 1, 0, S, 1);
            closePlaceholder->SetVisible(false);
            exitItem = closePlaceholder;
        }
    }
    return AWindow::Close(data, ev, a, b);
}

bool DialogWindow::Deactivate(void* data, EventRecord* ev, long a, long b) {
    if (isModal && IsVisible() && !firstPostProcess) return true;
    return AWindow::Deactivate(data, ev, a, b);
}

bool DialogWindow::Idle(void* data, EventRecord* ev, long a, long b) {
    if (windowIdleProc) {
        // The procedure is given idle time every tick, as it always was.
        KsWakeNoLaterThan(KsGetTicks() + 1);
        if (windowIdleProc(this, ev, a, b)) return true;
    }
    return AWindow::Idle(data, ev, a, b);
}

// The ring around the default button: black and one pixel out for the black
// bevel, a rounded 2-pixel ring three pixels out for every other face.
void DialogWindow::Draw(const KsRect* updateRect, void* data) {
    AWindow::Draw(updateRect, data);
    if (!defaultGad || !defaultGad->IsVisible() || !windowPort) return;
    StPortSaver port{GrafPtr(windowPort)};
    StColorPenSaver pen;
    const KsRect f = defaultGad->GetFrame();
    const RGBColor ring = ToRGBColor(defaultGad->GetEnabled() ? RGBblack : RGBgray6);
    RGBForeColor(&ring);
    if (defaultGad->GetBorderStyle() == kBorderBlackBevel) {
        const Rect r = ToRect(Grown(f, 1));
        PenSize(1, 1);
        FrameRect(&r);
    } else {
        const Rect r = ToRect(Grown(f, 3));
        PenSize(2, 2);
        FrameRoundRect(&r, 10, 8);
    }
}

// ---------------------------------------------------------------------------
// Running

bool DialogWindow::IsFirstPostProcess() const {
    return firstPostProcess;
}
void DialogWindow::PostProcess() {}

bool DialogWindow::Run(DialogTestProc proc, long refCon) {
    if (!activePane) {
        APane* first = FirstSubPane(mainPane, IsEditableEntry);
        if (!first) first = FirstSubPane(mainPane, IsVisibleTextList);
        if (first)
            first->TabTo();
        else if (defaultGad)
            defaultGad->TabTo();
    } else if (defaultGad) {
        defaultGad->TabTo();
    }
    SetIsModal(isModal);
    SelectAndShow();
    exitItem = nullptr;
    testProc = proc;
    testRefCon = refCon;
    if (!isModal && testProc) return false;
    if (!gApplication) return false;

    bool stopped = false;
    {
        struct Running {
            bool& flag;
            ~Running() { flag = false; }
        } runFlag{running};
        running = true;
        std::unique_ptr<StKsModalMenus> menus;
        if (isModal) menus = std::make_unique<StKsModalMenus>(kEditMenuID);
        // A dialog hidden by its close box, or disposed of by its owner from
        // inside the loop, ends the run: nothing could end it any more.
        while (!exitItem && !stopped && KsIsLiveWindow(this) && IsVisible()) {
            bool handled = false;
            const XError e = KsTryStandard([&] { handled = gApplication->ProcessEvent(-1); });
            if (e.IsError()) {
                stopped = gApplication->DisplayException(e.GetCode(), true);
            } else if (handled && KsIsLiveWindow(this)) {
                PostProcess();
                firstPostProcess = false;
            }
        }
    }
    if (!KsIsLiveWindow(this)) return false;
    SetArrowCursor();
    SetVisible(false);
    return !stopped && exitItem && (exitItem->GetFlags() & kPaneOKGadget);
}
