// AWindow event handlers: update, idle, click, keys, menus, activation,
// showing and hiding, modality, iconifying.
#include "AScreenManOS.h"
#include "AWindow.h"
#include "AWindowPrivate.h"
#include "Cursors.h"
#include "KsDesktop.h"
#include "KsFatal.h"
#include "Sound.h"
#include "XError.h"

namespace {
constexpr long kHelpKeyCode = 0x72;
} // namespace

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

bool AWindow::Idle(void* data, EventRecord* ev, long mouseInWindow, long b) {
    if (closeWhenIdleFlag) {
        closeWhenIdleFlag = false;
        Close(data, ev, 1, b);
        return false;
    }
    (void)mouseInWindow;
    TerminateDragEvent();
    return false;
}

bool AWindow::Click(void*, EventRecord*, long, long) {
    return false;
}

bool AWindow::KeyDown(void*, EventRecord*, long, long keyCode) {
    bool used = false;
    if (keyCode == kHelpKeyCode) {
        for (int i = 0; i < 3; ++i)
            SysBeep(5);
        used = false;
    }
    return GetIsModal() || used;
}

bool AWindow::MenuSelect(void*, EventRecord*, long, long) {
    return false;
}

bool AWindow::UpdateMenus(void*, EventRecord*, long, long) {
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

APane* AWindow::FindContextMenuPane(KsPoint) {
    return nullptr;
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
    Update(data, ev, a, b);
    return false;
}

bool AWindow::Deactivate(void*, EventRecord*, long, long) {
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
    (void)wasVisible;
    SelectWindow(windowPort);
    Iconify(false);
    TBX_EnableWindow(windowPort, GetIsModal() ? false : true, false, false);
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
        HideWindow(windowPort);
        return;
    }
    switch (placement) {
    case 0:
        break;
    case 1:
        GoCenter();
        break;
    case 2:
        GoCenterMouse();
        break;
    case 3:
        GoHome();
        break;
    case 4:
        GoCenterMouse();
        break;
    default: {
        constexpr bool FALSE = false; // the report names the failed condition "FALSE"
        FtlAssert(FALSE);
    } break;
    }
    ShowWindow(windowPort);
}

bool AWindow::IsVisible() const {
    return windowPort && IsWindowVisible(windowPort);
}

// This desktop has no minimised state of its own: a window is iconic only
// where a derived class says so.
bool AWindow::IsIconic() const {
    return false;
}

void AWindow::Iconify(bool on) {
    if (!iconifyArmed) {
        iconifyArmed = true;
        return;
    }
    if (!IsVisible()) return;
    wasIconic = IsIconic();
    (void)on;
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
    RGBColor colors[kKsWinColorCount];
    KsGetWinColors(windowPort, colors);
    colors[kKsWinHiliteColor] = ToRGBColor(RGBdustyPurple);
    KsSetWinColors(windowPort, colors);
    const SInt16 layer = KsWindowLayerOf(GetWindowKind(windowPort));
    if (!on) {
        KsSetWindowKindBits(windowPort, kKsWindowKindPlain);
        // Modality over: back to the layer the window had before it.
        if (layerBeforeModal >= 0) KsSetWindowLayerBits(windowPort, layerBeforeModal);
        layerBeforeModal = -1;
        return;
    }
    if (layerBeforeModal < 0) layerBeforeModal = layer;
    KsSetWindowKindBits(windowPort, kKsWindowKindModal);
    SInt16 target = 5;
    WindowPtr active = KsActiveWindow();
    if (active && active != windowPort) {
        const SInt16 activeLayer = KsWindowLayerOf(GetWindowKind(active));
        if (activeLayer < 5) target = activeLayer;
    }
    KsSetWindowLayerBits(windowPort, target);
}
