// AWindow event handlers: update, idle, click, keys, menus, activation,
// showing and hiding, modality, iconifying.
#include "AApplication.h"
#include "APane.h"
#include "AScreenManOS.h"
#include "AWindow.h"
#include "AWindowPrivate.h"
#include "AWindowState.h"
#include "Cursors.h"
#include "KsColorScheme.h"
#include "KsDesktop.h"
#include "KsEventWake.h"
#include "KsFatal.h"
#include "KsNativeWindow.h"
#include "KsTime.h"
#include "KsWindowShell.h"
#include "MiniHelp.h"
#include "Sound.h"
#include "XError.h"

#include <algorithm>

// ---------------------------------------------------------------------------
// Update

bool AWindow::Update(void* data, EventRecord*, long, long) {
    if (updatesIgnored || !windowPort) return false;
    if (updatesSuspended) {
        updatePending = true;
        return false;
    }
    updatePending = false;
    KsRgn vis = RgnHandleToKsRgn(windowPort->visRgn);
    const bool visEmpty = vis.IsEmpty();
    const KsRect visBounds = vis.Bounds();
    KsRgn savedShell = ShellSaveVisRgn;
    ShellSaveVisRgn = vis;
    BeginUpdate(windowPort);
    XError kept;
    if (!visEmpty) {
        try {
            ClipRect(&windowPort->portRect);
            const KsRect updateRect = RgnHandleToKsRgn(windowPort->visRgn).Bounds();
            UpdateCompatible(data);
            Draw(&updateRect, data);
        } catch (...) {
            kept = XErrorFromCurrentException();
        }
    }
    EndUpdate(windowPort);
    if (!visEmpty && RgnHandleToKsRgn(windowPort->visRgn).Bounds() == visBounds)
        KsRgnToRgnHandle(vis, windowPort->visRgn);
    ShellSaveVisRgn = savedShell;
    if (kept.IsError()) xraisexerror(kept);
    return false;
}

void AWindow::UpdateCompatible(void*) {}

void AWindow::SuspendUpdates(bool on) {
    updatesSuspended = on;
    if (!on && updatePending) SendMsg(wmUpdate, nullptr, 0, 0);
}

void AWindow::IgnoreUpdates(bool on) {
    updatesIgnored = on;
}

void AWindow::UpdateIfNeeded() {
    if (windowPort && windowPort->updateRgn && !EmptyRgn(windowPort->updateRgn))
        SendMsg(wmUpdate, nullptr, 0, 0);
}

// ---------------------------------------------------------------------------
// Idle, click, keys, menus

// The sleep the pane tree starts from: a pane that needs time again soon
// lowers it to the ticks it can wait.
constexpr SInt32 kIdleSleepUnneeded = 0x7FFFFFFF;

bool AWindow::Idle(void* data, EventRecord* ev, long mouseInWindow, long b) {
    if (closeWhenIdleFlag) {
        closeWhenIdleFlag = false;
        Close(data, ev, 1, b);
        return false;
    }
    if (mainPane && ev) {
        // The application's idle distribution has already made the point
        // local to this window; converting again would shift it.
        const KsPoint pt{ev->where.h, ev->where.v};
        // The tip wants the pane under the point: the walk finds it on its
        // way down where it can.
        const bool tips = mouseInWindow && hasMiniHelp && GetMiniHelpEnabled();
        APane* hit = nullptr;
        bool found = false;
        if (!mainPane->GetAlwaysDawdle() && !mainPane->PtInPane(pt)) {
            if (mouseInWindow) SetArrowCursor();
        } else {
            SInt32 sleep = kIdleSleepUnneeded;
            const SInt16 modifiers = SInt16(ev->modifiers);
            if (tips)
                found = mainPane->DawdleFindingPane(pt, modifiers, &sleep, data, &hit);
            else
                mainPane->Dawdle(pt, modifiers, &sleep, nullptr, data);
            if (sleep != kIdleSleepUnneeded) KsWakeNoLaterThan(KsGetTicks() + std::max(sleep, 0));
        }
        // With tips off there is nothing to ask for: no search for the pane.
        if (mouseInWindow && hasMiniHelp && GetMiniHelpEnabled() && mainPane)
            RequestMiniHelp(found ? hit : mainPane->FindPane(pt, false, false));
    }
    TerminateDragEvent();
    return false;
}

// Each point is converted once: ev is often CurrentEvent itself, and a second
// conversion of the same record would move the click. CurrentEvent.where
// stays local while the pane tree handles the click (the grow box reads it)
// and both points are global again afterwards.
// The first pane up from the one under the point that has mini-help text asks for
// its tip; the tip window ignores a request for the area it already shows.
void AWindow::RequestMiniHelp(APane* pane) {
    for (int depth = 0; pane && depth < kMaxChain; ++depth) {
        if (pane->HasMiniHelpText()) {
            char text[257];
            pane->GetMiniHelpText(text, sizeof text);
            DisplayMiniHelp(text, pane);
            return;
        }
        pane = pane->GetEnclPane();
    }
}

bool AWindow::Click(void* data, EventRecord* ev, long a, long b) {
    if (!mainPane || !ev || !windowPort) return false;
    HideMiniHelp(true);
    SetPortWindowPort(windowPort);
    const Point globalEv = ev->where;
    Point local = globalEv;
    GlobalToLocal(&local);
    const KsPoint pt{local.h, local.v};

    if (IsRightMouseButton(ev)) {
        if (APane* p = FindContextMenuPane(pt)) {
            KsSelectWindow(windowPort);
            p->DoContextPopup(*ev);
            FlushEvents(mDownMask | mUpMask, 0);
        }
        return false;
    }
    if (clickDrags) {
        APane* hit = mainPane->FindPane(pt, false, false);
        if (hit == mainPane || (hit && hit->GetFlag(kPaneClickDragsWindow)))
            return Drag(data, ev, a, b);
    }
    const Point globalCurrent = CurrentEvent.where;
    const bool same = ev == &CurrentEvent;
    if (!same) GlobalToLocal(&CurrentEvent.where);
    ev->where = local;
    const SInt16 modifiers = SInt16(ev->modifiers);
    const SInt32 when = SInt32(ev->when);
    struct Restore {
        EventRecord* ev;
        Point evWhere, currentWhere;
        ~Restore() {
            CurrentEvent.where = currentWhere;
            ev->where = evWhere;
        }
    } restore{ev, globalEv, globalCurrent};
    mainPane->DoClick(pt, modifiers, when, data);
    return false;
}

bool AWindow::KeyDown(void* data, EventRecord* ev, long charCode, long keyCode) {
    if (!mainPane) return GetIsModal();
    bool used = false;
    if (iPaneDumpKey != 0 && iPaneDumpKey == keyCode) {
        if (ev) used = DumpPaneID(KsPoint{ev->where.h, ev->where.v});
    } else if (keyCode == kKsKeyHelp) {
        for (int i = 0; i < 3; ++i)
            SysBeep(kKsShortBeepTicks);
    } else {
        used = mainPane->DoKeyDown(SInt16(charCode), SInt16(keyCode), ev, data);
    }
    return GetIsModal() || used;
}

bool AWindow::MenuSelect(void* data, EventRecord*, long menu, long item) {
    return mainPane ? mainPane->DoMenuSelect(SInt32(menu), SInt32(item), data) : false;
}

bool AWindow::UpdateMenus(void* data, EventRecord* ev, long, long) {
    if (mainPane) mainPane->UpdateMenus(data, ev);
    return false;
}

bool AWindow::VTREEvent(void*, EventRecord*, long, long) {
    return false;
}

bool AWindow::HandleContextPopup(MenuInfo**, EventRecord event, long nick, short menuID) {
    return MenuSelect(nullptr, &event, menuID, nick);
}

bool AWindow::IsRightMouseButton(const EventRecord* ev) const {
    return ev && (ev->modifiers & controlKey) != 0;
}

APane* AWindow::FindContextMenuPane(KsPoint pt) {
    return mainPane ? mainPane->FindPane(pt, false, false) : nullptr;
}

// ---------------------------------------------------------------------------
// Activation

bool AWindow::Activate(void* data, EventRecord* ev, long a, long b) {
    if (!IsIconic() && windowPort) {
        const KsRect r = GetWindowRect(kKsNoScreen);
        AScreenManOS* sm = AScreenManOS::New();
        bool onScreen = false;
        for (int i = 0; i < sm->GetScreenCount(); ++i)
            if (sm->GetScreenBounds(i).Overlaps(r)) onScreen = true;
        if (!onScreen) GoHome();
    }
    if (mainPane) mainPane->Activate();
    if (activePane && activePane->IsVisible()) activePane->Activate();
    Update(data, ev, a, b);
    return false;
}

bool AWindow::Deactivate(void*, EventRecord*, long, long) {
    if (activePane && !activePane->IsActive()) activePane = nullptr;
    if (mainPane) mainPane->Deactivate();
    deactivated = true;
    return false;
}

bool AWindow::IsActiveWindow() const {
    return windowPort && KsActiveWindow() == windowPort;
}

bool AWindow::IsHilited() const {
    return windowPort && IsWindowHilited(windowPort);
}

// ---------------------------------------------------------------------------
// Showing and hiding

void AWindow::SelectAndShow() {
    if (!windowPort) return;
    const bool wasVisible = IsVisible();
    if (schemePending) UpdateColorScheme();
    SetVisible(true);
    if (!wasVisible && mainPane) mainPane->WasRevealed();
    KsBringToFrontInLayer(windowPort);
    KsSelectWindow(windowPort);
    Iconify(false);
    if (GetIsModal()) {
        if (KsInNativeModalDialog())
            KsEnableNativeModalDialog(false);
        else
            KsTBX_EnableWindow(windowPort, false, false, false);
    } else {
        KsTBX_EnableWindow(windowPort, true, false, false);
    }
}

void AWindow::ToggleSelectAndShow() {
    if (IsVisible())
        SendMsg(wmClose, nullptr, 1, 0);
    else
        SelectAndShow();
}

void AWindow::SetVisible(bool on) {
    if (!windowPort) return;
    if (!on) {
        if (placement == 4 && gApplication) gApplication->SaveWindowState(this);
        KsHideWindow(windowPort);
        return;
    }
    switch (placement) {
    case 0:
        break;
    case 1:
        CenterWindowInWindow(windowPort, KsGetMainWnd());
        break;
    case 2:
        GoCenterMouse();
        break;
    case 3:
        GoHome();
        break;
    case 4:
        GoCenterMouse();
        if (gApplication) gApplication->RestoreWindowState(this);
        break;
    default: {
        constexpr bool FALSE = false; // the report names the failed condition "FALSE"
        FtlAssert(FALSE);
    } break;
    }
    KsShowWindow(windowPort);
}

bool AWindow::IsVisible() const {
    return windowPort && windowPort->visible;
}

bool AWindow::IsIconic() const {
    return windowPort && KsIsIconic(windowPort);
}

void AWindow::Iconify(bool on) {
    if (!iconifyArmed) {
        iconifyArmed = true;
        return;
    }
    if (!IsVisible() && !IsIconic()) return;
    wasIconic = IsIconic();
    if (on)
        MinimizeWindow(windowPort);
    else if (wasIconic)
        RestoreWindow(windowPort);
}

void AWindow::RevertIconicState() {}

// ---------------------------------------------------------------------------
// Modality

bool AWindow::GetIsModal() const {
    return (iFlags & kModal) != 0;
}

void AWindow::SetIsModal(bool on) {
    iFlags = on ? (iFlags | kModal) : (iFlags & ~UInt32(kModal));
    if (!windowPort) return;
    SetWindowHiliteColor(windowPort, RGBdustyPurple);
    // The shell remembers the layer the window had, so that it goes back
    // there (not stays in the modal layer) when modality ends.
    if (on)
        KsEnterModalLayer(windowPort);
    else
        KsLeaveModalLayer(windowPort);
}
