// The window-manager shell over the toolbox window manager.
//
// Sections: state; kinds and layers; order and activation; showing and
// hiding; moving, sizing and updates; modal layer; forgetting; application.
#include "KsWindowShell.h"

#include "AWindow.h"
#include "AWindowState.h"
#include "KsDesktop.h"
#include "KsFatal.h"
#include "KsPortSavers.h"
#include "KsWindowShellPrivate.h"

#include <algorithm>
#include <vector>

// ---- State ------------------------------------------------------------------

namespace {

struct ShellState {
    SInt16 lastDeactivatedLayer = -1;
    WindowPtr lastDeactivated = nullptr;
    KsShowWindowHook showHook = nullptr;
    WindowPtr nativeModalDialog = nullptr;
    bool nativeModalDialogEnabled = true;
    bool smallCaptionMode = false;
    // Windows made modal and the layer each had before.
    std::vector<std::pair<WindowPtr, SInt16>> layerBeforeModal;
};

ShellState& S() {
    static ShellState s;
    return s;
}

// The kind word: bits 0-11 the framework kind, 12-14 the layer (KsWindowLayerOf).
constexpr SInt16 kKindMask = 0x0FFF;
constexpr int kLayerShift = 12;
static_assert(kKsModalWindowKind == kKsWindowKindModal);

// While a modal window is active only these layers may still come forward:
// the front layer and those between the pop-ups and the documents.
bool SelectableOverModal(SInt16 layer) {
    return layer == kKsFrontLayer || (layer >= kKsPopupLayer && layer < kKsDocumentLayer);
}

bool IsModalKind(WindowPtr w) {
    return KsGetWindowKind(w) == kKsModalWindowKind;
}

} // namespace

WindowPtr KsLastDeactivatedWindow() {
    return S().lastDeactivated;
}

void KsWindowShellReset() {
    KsModalStackReset();
    KsNativeWindowReset();
    KsModalAppStateReset();
    S() = ShellState{};
}

// ---- Kinds and layers ---------------------------------------------------------

void KsSetWindowKind(WindowPtr window, SInt16 kind) {
    if (kind & ~kKindMask) {
        FtlAbortm("WindowManShell uses bits 12-14");
        return; // a handler that lets the program go on keeps the kind word intact
    }
    if (!window) return;
    SetWindowKind(window, SInt16((GetWindowKind(window) & ~kKindMask) | kind));
}

SInt16 KsGetWindowKind(WindowPtr window) {
    // Read from the record: every event asks this of every window.
    return window ? SInt16(window->windowKind & kKindMask) : SInt16(0);
}

void KsSetWindowLayer(WindowPtr window, SInt16 layer) {
    if (!(layer >= 0 && layer <= 7)) {
        FtlAssert(layer >= 0 && layer <= 7);
        return;
    }
    if (!window) return;
    // Bit 15 goes with every change of layer; the toolbox re-places the window
    // at the front of its new layer.
    SetWindowKind(window, SInt16((GetWindowKind(window) & kKindMask) | (layer << kLayerShift)));
}

SInt16 KsGetWindowLayer(WindowPtr window) {
    return KsWindowLayerOf(GetWindowKind(window));
}

// ---- Order and activation -------------------------------------------------------

WindowPtr KsGetAnyActiveWindow() {
    return KsFrontActiveWindow();
}

WindowPtr KsGetActiveWindow() {
    return KsGetAnyActiveWindow();
}

WindowPtr KsGetNextWindow(WindowPtr window) {
    for (WindowPtr x = window ? GetNextWindow(window) : nullptr; x; x = GetNextWindow(x))
        if (x->visible && KsIsWindowActivatable(x)) return x;
    return nullptr;
}

SInt16 KsGetWindowLevel(WindowPtr window) {
    if (!window) return 1000;
    const SInt16 layer = KsGetWindowLayer(window);
    SInt16 level = 0;
    for (WindowPtr x = KsGetWindowList(); x; x = GetNextWindow(x)) {
        if (!x->visible || KsGetWindowLayer(x) != layer) continue;
        if (x == window) return level;
        ++level;
    }
    return 1000;
}

WindowPtr KsGetTopActivatableWindow() {
    for (WindowPtr x = KsGetWindowList(); x; x = GetNextWindow(x)) {
        if (!x->visible || !KsIsWindowActivatable(x)) continue;
        if (KsGetWindowLayer(x) == kKsModalLayer && !IsModalKind(x)) continue;
        return x;
    }
    return nullptr;
}

WindowPtr KsGetAnyTopActivatableWindow(SInt16 layer) {
    WindowPtr any = nullptr;
    for (WindowPtr x = KsGetWindowList(); x; x = GetNextWindow(x)) {
        if (!x->visible || !KsIsWindowActivatable(x)) continue;
        if (layer == -1 || KsGetWindowLayer(x) == layer) return x;
        if (!any) any = x;
    }
    return any;
}

void KsBringToFrontInLayer(WindowPtr window) {
    if (!window) return;
    const SInt16 layer = KsGetWindowLayer(window);
    WindowPtr before = nullptr; // the last visible window of a lower layer
    WindowPtr stop = nullptr;
    for (WindowPtr x = KsGetWindowList(); x; x = GetNextWindow(x)) {
        if (!x->visible) continue;
        if (KsGetWindowLayer(x) >= layer) {
            stop = x;
            break;
        }
        before = x;
    }
    if (stop == window) return;
    if (!before)
        BringToFront(window);
    else
        BringBehind(window, before);
}

void BringBehind(WindowPtr window, WindowPtr behind) {
    if (!window || window == behind) return;
    // Behind a window of a lower layer the front of the window's own layer is
    // the place: only hidden windows can lie between.
    if (behind && KsGetWindowLayer(behind) < KsGetWindowLayer(window)) {
        BringToFront(window);
        return;
    }
    // SendBehind hands activation to whatever now leads; the shell decides
    // activation itself, so the window keeps what it had.
    const bool wasActive = window->hilited && window->visible && KsIsWindowActivatable(window);
    SendBehind(window, behind);
    if (wasActive && !window->hilited) {
        WindowPtr taker = KsGetAnyActiveWindow();
        if (taker && taker != window) KsActivateWindow(taker, false);
        KsActivateWindow(window, true);
    }
}

bool KsCanSelectWindow(WindowPtr window) {
    WindowPtr active = KsGetAnyActiveWindow();
    return !active || active == window || !IsModalKind(active);
}

void KsSelectWindow(WindowPtr window) {
    if (!window) return;
    const SInt16 layer = KsGetWindowLayer(window);
    if (!KsCanSelectWindow(window) && !SelectableOverModal(layer)) return;
    KsBringToFrontInLayer(window);
    if (!KsIsActivatableLayer(layer)) return;
    if (window->hilited) return;
    WindowPtr active = KsGetAnyActiveWindow();
    if (active && active != window) {
        KsActivateWindow(active, false);
        S().lastDeactivatedLayer = KsGetWindowLayer(active);
        S().lastDeactivated = active;
    }
    KsActivateWindow(window, true);
}

void KsActivateWindow(WindowPtr window, bool on) {
    if (!window) return;
    HiliteWindow(window, on);
    KsPostActivate(window, on);
}

void KsFlushActivates(WindowPtr window) {
    KsForgetActivates(window);
}

SInt16 KsGetLastDeactivatedLayer() {
    return S().lastDeactivatedLayer;
}

// ---- Showing and hiding ------------------------------------------------------------

KsShowWindowHook KsSetShowWindowHook(KsShowWindowHook hook) {
    KsShowWindowHook old = S().showHook;
    S().showHook = hook;
    return old;
}

void KsShowWindow(WindowPtr window) {
    if (!window || window->visible) return;
    if (S().showHook) S().showHook(kKsShowWindowMessage, window);
    ShowHide(window, true);
    if (KsGetTopActivatableWindow() == window) KsSelectWindow(window);
}

void KsHideWindow(WindowPtr window) {
    if (!window || !window->visible) return;
    const bool activatable = KsIsWindowActivatable(window);
    if (activatable && window->hilited) KsActivateWindow(window, false);
    if (IsModalKind(window)) {
        if (KsInNativeModalDialog())
            KsEnableNativeModalDialog(true);
        else
            KsTBX_EnableWindow(window, true, true, true);
    }
    ShowHide(window, false);
    if (KsIsInForeground() && activatable) {
        WindowPtr next = KsGetAnyTopActivatableWindow(S().lastDeactivatedLayer);
        if (next && !next->hilited && !KsInNativeModalDialog()) KsSelectWindow(next);
    }
}

// ---- Moving, sizing and updates ----------------------------------------------------

void KsMoveWindow(WindowPtr window, SInt16 h, SInt16 v, bool front) {
    if (!window) return;
    MoveWindow(window, h, v, false);
    if (front) KsSelectWindow(window);
}

void KsSizeWindow(WindowPtr window, SInt16 width, SInt16 height, bool update) {
    if (window) SizeWindow(window, width, height, update);
}

void KsZimWindow(WindowPtr window, const KsRect& content, bool update, bool front) {
    if (!window) return;
    Rect r = ToRect(content);
    KsSetWindowBounds(window, &r, update);
    if (front) KsSelectWindow(window);
}

void KsDragWindow(WindowPtr window, Point start, const Rect* bounds) {
    if (!window) return;
    if (!(KsGetModifiers() & cmdKey)) KsSelectWindow(window);
    SInt32 moved = 0;
    {
        StPortSaver saver(KsGetDesktopPort());
        Rect limit = bounds ? *bounds : KsDesktopBounds();
        moved = DragGrayRgn(window->strucRgn, start, &limit, &limit, noConstraint, nullptr);
    }
    if (moved == kKsDragOutside || moved == 0) return;
    const SInt16 dh = SInt16(moved & 0xFFFF), dv = SInt16(moved >> 16);
    Rect c;
    KsGetWindowContentRect(window, &c);
    MoveWindow(window, SInt16(c.left + dh), SInt16(c.top + dv), false);
}

void KsZoomWindow(WindowPtr window, SInt16 part, bool front) {
    if (!window) return;
    ZoomWindow(window, part, false);
    if (front) KsSelectWindow(window);
}

void KsInvalWindow(WindowPtr window) {
    if (window) InvalWindowRect(window, &window->portRect);
}

RgnHandle KsBeginUpdate(WindowPtr window) {
    RgnHandle region = NewRgn();
    if (!window) return region;
    BeginUpdate(window);
    CopyRgn(window->visRgn, region);
    return region;
}

void KsEndUpdate(WindowPtr window, RgnHandle region) {
    if (window) EndUpdate(window);
    if (region) DisposeRgn(region);
}

bool KsIsPortAWindow(GrafPtr port) {
    WindowPtr w = KsWindowOfPort(port);
    return w && w->ks;
}

bool KsSendZoomMsg(WindowPtr window) {
    if (!window) return false;
    Rect content, standard;
    KsGetWindowContentRect(window, &content);
    GetWindowStandardState(window, &standard);
    const bool inStandard = content.left == standard.left && content.top == standard.top &&
                            content.right == standard.right && content.bottom == standard.bottom;
    return SendWindowMsg(inStandard ? wmZoomIn : wmZoomOut, window, nullptr, 0, 0);
}

// ---- Modal layer -------------------------------------------------------------------

void KsEnterModalLayer(WindowPtr window) {
    if (!window) return;
    auto& remembered = S().layerBeforeModal;
    const SInt16 layer = KsGetWindowLayer(window);
    auto it = std::find_if(remembered.begin(), remembered.end(),
                           [window](const auto& e) { return e.first == window; });
    if (it == remembered.end()) remembered.emplace_back(window, layer);
    SInt16 modalLayer = kKsModalLayer;
    WindowPtr active = KsGetAnyActiveWindow();
    if (active && active != window && KsGetWindowLayer(active) < modalLayer)
        modalLayer = KsGetWindowLayer(active);
    KsSetWindowKind(window, kKsModalWindowKind);
    KsSetWindowLayer(window, modalLayer);
}

void KsLeaveModalLayer(WindowPtr window) {
    if (!window) return;
    auto& remembered = S().layerBeforeModal;
    SInt16 layer = kKsDocumentLayer;
    auto it = std::find_if(remembered.begin(), remembered.end(),
                           [window](const auto& e) { return e.first == window; });
    if (it != remembered.end()) {
        layer = it->second;
        remembered.erase(it);
    }
    KsSetWindowKind(window, kKsWindowKindPlain);
    KsSetWindowLayer(window, layer);
}

// ---- Forgetting --------------------------------------------------------------------

void KsForgetWindow(WindowPtr window) {
    if (!window) return;
    KsModalStackForget(window);
    KsNativeForgetWindow(window);
    ShellState& s = S();
    if (s.lastDeactivated == window) s.lastDeactivated = nullptr;
    if (s.nativeModalDialog == window) s.nativeModalDialog = nullptr;
    std::erase_if(s.layerBeforeModal, [window](const auto& e) { return e.first == window; });
}

// ---- Application -------------------------------------------------------------------

WindowPtr KsSetNativeModalDialog(WindowPtr dialog) {
    WindowPtr old = S().nativeModalDialog;
    S().nativeModalDialog = dialog;
    S().nativeModalDialogEnabled = true;
    return old;
}

bool KsInNativeModalDialog() {
    return S().nativeModalDialog != nullptr;
}

void KsEnableNativeModalDialog(bool enable) {
    if (S().nativeModalDialog) S().nativeModalDialogEnabled = enable;
}

bool KsIsNativeModalDialogEnabled() {
    return S().nativeModalDialog && S().nativeModalDialogEnabled;
}

void KsBringAppToForeground() {
    if (!KsIsInForeground()) return;
    WindowPtr top = KsGetAnyTopActivatableWindow(kKsAnyLayer);
    if (top && !top->hilited) KsSelectWindow(top);
}

bool KsIsAppMaximized() {
    return false;
}

bool KsIsAppMinimized() {
    return false;
}

void KsSetWinSmallCaptionMode(bool on) {
    S().smallCaptionMode = on;
}

bool KsWinSmallCaptionMode() {
    return S().smallCaptionMode;
}
