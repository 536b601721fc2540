// Native window helpers on the desktop.
//
// Sections: state and handles; rectangles; styles; frame metrics; floating
// windows and overlap; thin wrappers.
#include "KsNativeWindow.h"

#include "KsDesktop.h"
#include "KsModalAppState.h"
#include "KsOutput.h"
#include "KsWindowShell.h"
#include "KsWindowShellPrivate.h"

#include <algorithm>
#include <vector>

// ---- State and handles --------------------------------------------------------

namespace {

struct NativeState {
    WindowPtr floating[kKsFloatingWindowSlots] = {};
    std::vector<std::pair<WindowPtr, UInt32>> styles; // windows whose styles changed
    std::vector<WindowPtr> iconic;                    // in the order minimised
    KsRect overlay{};
    bool appCloseable = true;
    bool appResizeButtons = true;
    int menuBarToken = 0; // EnableMenuBar(false) while set
};

NativeState& S() {
    static NativeState s;
    return s;
}

bool IsMain(KsNativeWindow h) {
    return h && h == static_cast<void*>(KsGetDesktopPort());
}

// The live window of a handle; null when it is none.
WindowPtr Win(KsNativeWindow h) {
    return h ? TBX_GetwPtr(h) : nullptr;
}

KsRect WorkArea() {
    KsRect d = ToKsRect(KsDesktopBounds());
    d.top += kKsMenuBarHeight;
    return d;
}

KsRect Outer(WindowPtr w) {
    Rect r;
    KsGetWindowStructureRect(w, &r);
    return ToKsRect(r);
}

bool Overlap(const KsRect& a, const KsRect& b) {
    return !a.IsEmpty() && !b.IsEmpty() && a.left < b.right && b.left < a.right &&
           a.top < b.bottom && b.top < a.bottom;
}

void Out(const KsRect& r, SInt32* left, SInt32* top, SInt32* right, SInt32* bottom) {
    if (left) *left = r.left;
    if (top) *top = r.top;
    if (right) *right = r.right;
    if (bottom) *bottom = r.bottom;
}

} // namespace

KsNativeWindow KsGetMainWnd() {
    return KsGetDesktopPort();
}

void KsNativeWindowReset() {
    S() = NativeState{};
}

void KsNativeForgetWindow(WindowPtr window) {
    NativeState& s = S();
    for (WindowPtr& f : s.floating)
        if (f == window) f = nullptr;
    std::erase_if(s.styles, [window](const auto& e) { return e.first == window; });
    std::erase(s.iconic, window);
}

// ---- Rectangles ---------------------------------------------------------------

bool GetWindowCRect(KsNativeWindow window, SInt32* left, SInt32* top, SInt32* right,
                    SInt32* bottom) {
    if (IsMain(window)) {
        Out(WorkArea(), left, top, right, bottom);
        return true;
    }
    WindowPtr w = Win(window);
    if (!w) {
        dprintf("GetWindowWRect error: %s\n", "not a window");
        return false;
    }
    Rect r;
    KsGetWindowContentRect(w, &r);
    Out(ToKsRect(r), left, top, right, bottom);
    return true;
}

bool GetWindowWRect(KsNativeWindow window, SInt32* left, SInt32* top, SInt32* right,
                    SInt32* bottom) {
    if (IsMain(window)) {
        Out(ToKsRect(KsDesktopBounds()), left, top, right, bottom);
        return true;
    }
    WindowPtr w = Win(window);
    if (!w) {
        dprintf("GetWindowWRect error: %s\n", "not a window");
        return false;
    }
    // A minimised window is only hidden, so its structure is still the
    // placement it will be restored to.
    Out(Outer(w), left, top, right, bottom);
    return true;
}

void GetMainWndSize(SInt32* left, SInt32* top, SInt32* right, SInt32* bottom) {
    Out(WorkArea(), left, top, right, bottom);
}

void CenterWindowInWindow(KsNativeWindow window, KsNativeWindow parent) {
    WindowPtr w = Win(window);
    if (!w) return;
    const KsRect work = WorkArea();
    WindowPtr p = Win(parent);
    const KsRect over = p ? Outer(p) : work;
    const KsRect outer = Outer(w);
    const SInt32 width = outer.Width(), height = outer.Height();
    SInt32 left = over.left + (over.Width() - width) / 2;
    SInt32 top = over.top + (over.Height() - height) / 2;
    if (left < work.left) left = work.left;
    if (top < work.top) top = work.top;
    if (left + width > work.right) left = work.right - width;
    if (top + height > work.bottom) top = work.bottom - height;
    Rect content;
    KsGetWindowContentRect(w, &content);
    MoveWindow(w, SInt16(content.left + (left - outer.left)),
               SInt16(content.top + (top - outer.top)), false);
}

// ---- Styles ---------------------------------------------------------------------

namespace {

UInt32 Mask(bool minimizeBox, bool maximizeBox, bool systemMenu, bool caption, bool resizeFrame) {
    return (minimizeBox ? kKsStyleMinimizeBox : 0u) | (maximizeBox ? kKsStyleMaximizeBox : 0u) |
           (systemMenu ? kKsStyleSystemMenu : 0u) | (caption ? kKsStyleCaption : 0u) |
           (resizeFrame ? kKsStyleResizeFrame : 0u);
}

void ChangeStyles(KsNativeWindow window, UInt32 add, UInt32 remove) {
    WindowPtr w = Win(window);
    if (!w) return;
    auto& styles = S().styles;
    auto it =
        std::find_if(styles.begin(), styles.end(), [w](const auto& e) { return e.first == w; });
    if (it == styles.end()) {
        styles.emplace_back(w, UInt32(kKsStyleDefault));
        it = styles.end() - 1;
    }
    it->second = (it->second | add) & ~remove;
}

} // namespace

UInt32 KsGetWindowStyles(KsNativeWindow window) {
    WindowPtr w = Win(window);
    if (!w) return 0;
    for (const auto& e : S().styles)
        if (e.first == w) return e.second;
    return kKsStyleDefault;
}

void RemoveWindowStyles(KsNativeWindow window, bool minimizeBox, bool maximizeBox, bool systemMenu,
                        bool caption, bool resizeFrame) {
    ChangeStyles(window, 0, Mask(minimizeBox, maximizeBox, systemMenu, caption, resizeFrame));
}

void AddWindowStyles(KsNativeWindow window, bool minimizeBox, bool maximizeBox, bool systemMenu,
                     bool caption, bool resizeFrame) {
    ChangeStyles(window, Mask(minimizeBox, maximizeBox, systemMenu, caption, resizeFrame), 0);
}

void AddWindowResizeFrame(KsNativeWindow window) {
    ChangeStyles(window, kKsStyleResizeFrame, 0);
}

void MakeWindowResizable(KsNativeWindow window, bool on) {
    const UInt32 bits = kKsStyleResizeFrame | kKsStyleMaximizeBox;
    ChangeStyles(window, on ? bits : 0, on ? 0 : bits);
}

void ChangeWindowToToolbar(KsNativeWindow window) {
    ChangeStyles(window, kKsStyleToolWindow,
                 kKsStyleMinimizeBox | kKsStyleMaximizeBox | kKsStyleSystemMenu);
}

void SetWindowAlwaysOnTop(KsNativeWindow window, bool on) {
    const UInt32 bit = kKsStyleAlwaysOnTop;
    ChangeStyles(window, on ? bit : 0u, on ? 0u : bit);
}

void EnableAppCloseability(bool on) {
    S().appCloseable = on;
}
void EnableAppResizeButtons(bool on) {
    S().appResizeButtons = on;
}
bool KsAppCloseability() {
    return S().appCloseable;
}
bool KsAppResizeButtons() {
    return S().appResizeButtons;
}

// ---- Frame metrics ----------------------------------------------------------------

namespace {

// How far a window definition's structure reaches out of its content.
KsRect Outsets(SInt16 procID) {
    Rect box{100, 100, 200, 200};
    CBoxToSBox(&box, procID);
    return KsRect{100 - box.left, 100 - box.top, box.right - 200, box.bottom - 200};
}

} // namespace

SInt16 GetResizableXBorderWidth() {
    return SInt16(Outsets(documentProc).left);
}
SInt16 GetResizableYBorderWidth() {
    return SInt16(Outsets(documentProc).bottom);
}
SInt16 GetFixedXBorderWidth() {
    return SInt16(Outsets(dBoxProc).left);
}
SInt16 GetFixedYBorderWidth() {
    return SInt16(Outsets(dBoxProc).bottom);
}
SInt16 GetXEdgeWidth() {
    return SInt16(Outsets(plainDBox).left);
}
SInt16 GetYEdgeWidth() {
    return SInt16(Outsets(plainDBox).bottom);
}
SInt16 GetXBorderWidth() {
    return SInt16(Outsets(noGrowDocProc).left);
}
SInt16 GetYBorderWidth() {
    return SInt16(Outsets(noGrowDocProc).bottom);
}
SInt16 GetCaptionHeight() {
    const KsRect o = Outsets(documentProc);
    return SInt16(o.top - o.bottom);
}
SInt16 GetSmallCaptionHeight() {
    const KsRect o = Outsets(kWindowFloatProc);
    return SInt16(o.top - o.bottom);
}
SInt16 GetWinTaskbarHeight() {
    return 0;
}

// ---- Floating windows and overlap ----------------------------------------------------

int KsAddFloatingWindow(KsNativeWindow window) {
    WindowPtr w = Win(window);
    if (!w) return 0;
    if (int i = IsFloatingWindow(w)) return i;
    for (int i = 0; i < kKsFloatingWindowSlots; ++i) {
        if (!S().floating[i]) {
            S().floating[i] = w;
            return i + 1;
        }
    }
    return 0;
}

void KsRemoveFloatingWindow(KsNativeWindow window) {
    for (WindowPtr& f : S().floating)
        if (f && f == window) f = nullptr;
}

int IsFloatingWindow(KsNativeWindow window) {
    if (!window) return 0;
    for (int i = 0; i < kKsFloatingWindowSlots; ++i)
        if (S().floating[i] == window) return i + 1;
    return 0;
}

bool IsActivatableFWVisible() {
    for (WindowPtr f : S().floating)
        if (f && f->visible && !(KsGetWindowStyles(f) & kKsStyleToolWindow)) return true;
    return false;
}

bool IntersectWithFloatingWindow(KsNativeWindow floating, const KsRect& r) {
    WindowPtr f = IsFloatingWindow(floating) ? Win(floating) : nullptr;
    return f && f->visible && Overlap(Outer(f), r);
}

bool IntersectWithAnyFloatingWindow(const KsRect& r) {
    for (WindowPtr f : S().floating)
        if (f && f->visible && Overlap(Outer(f), r)) return true;
    return false;
}

void KsSetOverlayRect(const KsRect& r) {
    S().overlay = r;
}

bool IntersectsWithOverlayRect(const KsRect& r) {
    return Overlap(S().overlay, r);
}

bool KsWinIsRectObstructedByTopmost(const KsRect& r) {
    for (const auto& e : S().styles)
        if ((e.second & kKsStyleAlwaysOnTop) && e.first->visible && Overlap(Outer(e.first), r))
            return true;
    return false;
}

bool WRectFullyVisible(KsNativeWindow window) {
    WindowPtr w = Win(window);
    if (!w || !w->visible) return false;
    const KsRect outer = Outer(w);
    const KsRect work = WorkArea();
    if (outer.left < work.left || outer.top < work.top || outer.right > work.right ||
        outer.bottom > work.bottom)
        return false;
    for (WindowPtr x = KsGetWindowList(); x && x != w; x = GetNextWindow(x))
        if (x->visible && Overlap(Outer(x), outer)) return false;
    return true;
}

KsNativeWindow WalkZOrder(KsNativeWindow window) {
    WindowPtr w = Win(window);
    if (!w || !w->visible) return nullptr;
    WindowPtr lastFloating = nullptr;
    std::vector<WindowPtr> sink;
    bool behind = false;
    const KsRect outer = Outer(w);
    for (WindowPtr x = KsGetWindowList(); x; x = GetNextWindow(x)) {
        if (x == w) {
            behind = true;
            continue;
        }
        if (!x->visible) continue;
        if (IsFloatingWindow(x)) {
            if (!behind) lastFloating = x;
            continue;
        }
        if (behind && KsGetWindowLayer(x) == KsGetWindowLayer(w) && Overlap(Outer(x), outer))
            sink.push_back(x);
    }
    // Collected first, moved after: moving while walking would revisit them.
    for (WindowPtr x : sink)
        BringBehind(x, nullptr);
    return lastFloating;
}

void RenameMaximizeToZoom(KsNativeWindow) {}

bool IsWireFrames() {
    return true;
}

// ---- Thin wrappers ---------------------------------------------------------------------

bool KsIsIconic(KsNativeWindow window) {
    WindowPtr w = Win(window);
    return w && std::find(S().iconic.begin(), S().iconic.end(), w) != S().iconic.end();
}

void MinimizeWindow(KsNativeWindow window) {
    WindowPtr w = Win(window);
    if (!w || KsIsIconic(w)) return;
    S().iconic.push_back(w);
    KsHideWindow(w);
}

void RestoreWindow(KsNativeWindow window) {
    WindowPtr w = Win(window);
    if (!w || !KsIsIconic(w)) return;
    std::erase(S().iconic, w);
    KsShowWindow(w);
}

void SendMinimize(KsNativeWindow window) {
    MinimizeWindow(window);
}

void RestoreMinimizedWindow(KsNativeWindow window) {
    RestoreWindow(window);
}

void RestoreMinimizedWindows() {
    const std::vector<WindowPtr> all = S().iconic;
    for (WindowPtr w : all)
        RestoreWindow(w);
}

void KsSetWindowPos(KsNativeWindow window, KsNativeWindow after, const KsRect& outer) {
    WindowPtr w = Win(window);
    if (!w) return;
    Rect box = ToRect(outer);
    SBoxToCBox(w, &box);
    KsSetWindowBounds(w, &box, true);
    if (IsMain(after))
        KsBringToFrontInLayer(w);
    else if (WindowPtr a = Win(after))
        BringBehind(w, a);
}

void SetWindowFocus(KsNativeWindow window) {
    if (WindowPtr w = Win(window)) KsSelectWindow(w);
}

void SetForegroundWin(KsNativeWindow window) {
    if (WindowPtr w = Win(window)) KsSelectWindow(w);
}

void WinBringWindowToTop(KsNativeWindow window) {
    if (WindowPtr w = Win(window)) KsBringToFrontInLayer(w);
}

void WinBringAppToForeground() {
    KsBringAppToForeground();
}

void RepaintRect(KsNativeWindow window, const KsRect& r) {
    WindowPtr w = Win(window);
    if (!w) return;
    Rect content;
    KsGetWindowContentRect(w, &content);
    Rect local = ToRect(KsRect{r.left - content.left, r.top - content.top, r.right - content.left,
                               r.bottom - content.top});
    InvalWindowRect(w, &local);
}

void EnableMenuBar(bool enable) {
    NativeState& s = S();
    if (!enable && !s.menuBarToken) {
        s.menuBarToken = KsPushMenuState(0);
    } else if (enable && s.menuBarToken) {
        KsPopMenuState(s.menuBarToken);
        s.menuBarToken = 0;
    }
}
