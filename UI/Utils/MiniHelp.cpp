#include "MiniHelp.h"

#include <algorithm>
#include <cstring>

#include "AApplication.h"
#include "APane.h"
#include "AScreenManOS.h"
#include "AWindowState.h"
#include "KsColorScheme.h"
#include "KsDrawUtils.h"
#include "KsEventWake.h"
#include "KsNativeWindow.h"
#include "KsPortSavers.h"
#include "KsTime.h"
#include "KsWindowShell.h"

namespace {

constexpr SInt32 kTipHeight = 15;
constexpr SInt32 kQuickDelay = 6;        // ticks, after a tip hidden a moment ago
constexpr SInt32 kQuickWindow = 20;      // ticks that count as "a moment ago"
constexpr SInt32 kBelowMouse = 24;       // pixels the tip keeps below the cursor
constexpr SInt32 kSizingBorder = 4;      // height of a sizing border on this desktop
constexpr SInt32 kLongestDelay = 540000; // ticks; longer delays leave no hide time
constexpr SInt16 kTipLayer = 2;          // a layer that never holds the active window
constexpr int kMaxTipText = 256;

struct MiniHelpState {
    MiniHelpWindow* window = nullptr;
    bool enabled = true;
    SInt32 delayTicks = 40;
};

MiniHelpState& S() {
    static MiniHelpState state;
    return state;
}

UInt32 Now() {
    return UInt32(KsGetTicks());
}

SInt32 ClampAlign(SInt32 a) {
    return std::clamp<SInt32>(a, -1, 1);
}

KsRect CurrentPortToGlobal(const KsRect& r) {
    GrafPtr port = nullptr;
    GetPort(&port);
    Point tl{SInt16(r.top), SInt16(r.left)}, br{SInt16(r.bottom), SInt16(r.right)};
    if (port) {
        LocalToGlobal(&tl);
        LocalToGlobal(&br);
    }
    return KsRect{tl.h, tl.v, br.h, br.v};
}

KsRect ToGlobal(WindowPtr w, const KsRect& r) {
    if (!w) return r;
    StPortSaver saver;
    SetPortWindowPort(w);
    return CurrentPortToGlobal(r);
}

// The window is made on the first request; making it must not take the
// activation from the window the user works in.
MiniHelpWindow* TipWindow(bool anyLayer) {
    if (!S().window) {
        auto* w = new MiniHelpWindow;
        w->IMiniHelpWindow();
        WindowPtr top = anyLayer ? KsGetAnyTopActivatableWindow(-1) : KsGetTopActivatableWindow();
        if (top) KsSelectWindow(top);
    }
    return S().window;
}

bool ActiveWindowIsModal() {
    AWindow* active = GetWindowObj(KsGetActiveWindow());
    return active && active->GetIsModal();
}

} // namespace

const KsRGBColor MiniHelpWindow::kTipColor{0xF000, 0xF000, 0x8000};

MiniHelpWindow* MiniHelpWindow::Get() {
    return S().window;
}

MiniHelpWindow::~MiniHelpWindow() {
    if (S().window == this) S().window = nullptr;
}

void MiniHelpWindow::IMiniHelpWindow() {
    S().window = this;
    // Definition 2 is the plain box; "can grow" keeps IWindow from turning it
    // into the no-grow variant of another definition.
    IWindow("MiniHelpWindow", nullptr, nullptr, 0, 0, 1, 0, 0, 2);
    SetWindowAlwaysOnTop(windowPort, true);
    SetHasMiniHelp(false);
    SetCloseDisposes(false);
    KsSetWindowLayer(windowPort, kTipLayer);
    SetWindowTBarColor(windowPort, RGBblack);
    SetWindowHiliteColor(windowPort, RGBgray8);
    if (mainPane) {
        mainPane->SetBkndColor(kTipColor);
        textPane = APane::New(mainPane, 0, 0, kPaneDontCare, -1, 0, kPaneDontCare, kTipColor, 0);
        textPane->SetInheritsBkgd(true, 0);
        textPane->SetFontSizeFace(1, 9, 0);
        textPane->SetJust(1);
    }
    SetWindowContentColor(windowPort, kTipColor);
    hAlign = 0;
    vAlign = 1;
}

void MiniHelpWindow::SetAlignment(SInt32 h, SInt32 v) {
    hAlign = ClampAlign(h);
    vAlign = ClampAlign(v);
}

void MiniHelpWindow::UpdateColorScheme() {
    AWindow::UpdateColorScheme();
    KsRGBColor bg = kTipColor;
    if (GetColorSchemeAttr("CS_TEXT_COLOR")) {
        KsRGBColor text{};
        GetSchemeColor("CS_TEXT_COLOR_RED", "CS_TEXT_COLOR_GREEN", "CS_TEXT_COLOR_BLUE", &text);
        AdjustFGColorContrast(RGBblack, text, &bg);
    }
    if (mainPane) mainPane->SetBkndColor(bg);
    SetWindowContentColor(windowPort, bg);
}

void MiniHelpWindow::Request(const char* text, const KsRect& area) {
    if (!text || !*text) return;
    targetRect = area;
    // Asked again at every idle tick while the mouse rests: nothing to do.
    if (targetRect == hoverRect) return;
    hoverRect = targetRect;
    // The caller's text stays as it is; a trailing "..." is not shown.
    char shown[kMaxTipText + 1];
    std::size_t n = std::min(std::strlen(text), std::size_t(kMaxTipText));
    std::memcpy(shown, text, n);
    shown[n] = 0;
    if (n >= 3 && std::strcmp(shown + n - 3, "...") == 0) shown[n - 3] = 0;
    KsHideWindow(windowPort);
    const UInt32 now = Now();
    requestTime = now;
    delay = SInt32(now - lastHideTime) < kQuickWindow ? kQuickDelay : S().delayTicks;
    if (textPane) textPane->SetText(shown);
    KsWakeNoLaterThan(long(requestTime) + long(delay) + 1);
}

bool MiniHelpWindow::Idle(void*, EventRecord* ev, long, long) {
    if (!ev || !windowPort) return false;
    KsPoint mouse{ev->where.h, ev->where.v};
    {
        StPortSaver saver;
        SetPortWindowPort(windowPort);
        Point p = ev->where;
        LocalToGlobal(&p);
        mouse = KsPoint{p.h, p.v};
    }
    const bool inside = mouse.h >= hoverRect.left && mouse.h <= hoverRect.right &&
                        mouse.v >= hoverRect.top && mouse.v <= hoverRect.bottom;
    const bool visible = IsVisible();
    if (visible && !inside) Hide();
    if (!inside) hoverRect = KsRect{};
    if (visible || !inside || !S().enabled) return false;
    if (SInt32(Now() - requestTime) <= delay) {
        // The event loop sleeps until the tip is due.
        KsWakeNoLaterThan(long(requestTime) + long(delay) + 1);
        return false;
    }
    Show(mouse);
    return false;
}

void MiniHelpWindow::Show(KsPoint mouse) {
    if (!windowPort || !textPane) return;
    StPortSaver saver;
    SetPortWindowPort(windowPort);
    char text[kMaxTipText + 1] = {};
    textPane->GetText(text, sizeof text);
    SInt32 w = 0;
    {
        StTextStateSaver font;
        TextFont(1);
        TextSize(9);
        TextFace(0);
        w = TextWidth(text, 0, SInt16(std::strlen(text))) + 6;
    }
    textPane->SetJust(1);

    const KsRect& a = targetRect;
    const SInt32 hc = (a.left + a.right) / 2, vc = (a.top + a.bottom) / 2;
    SInt32 left, right, top, bottom;
    if (hAlign == 0) {
        left = hc - w / 2;
        right = hc + w / 2;
    } else if (hAlign > 0) {
        left = a.right + 2;
        right = left + w;
    } else {
        left = a.left - w - 2;
        right = left + w;
    }
    if (vAlign == 0) {
        bottom = vc + 7;
        top = bottom - kTipHeight;
    } else {
        top = vAlign > 0 ? a.bottom + 2 : a.top - 19;
        if (vAlign > 0 && mouse.h > left - 4 && mouse.h < right && top < mouse.v + kBelowMouse)
            top = mouse.v + kBelowMouse;
        bottom = top + kTipHeight;
    }

    SInt32 dl = 0, dt = 0, dr = 0, db = 0;
    GetWindowCRect(KsGetMainWnd(), &dl, &dt, &dr, &db);
    if (left < dl + 2) {
        left = dl + 2;
        right = left + w + 4;
    }
    if (right > dr - 2) {
        right = dr - 2;
        left = right - w - 4;
    }
    if (db < mouse.v + 48)
        bottom = mouse.v - 14;
    else
        bottom = std::min(bottom, db - kSizingBorder);
    top = bottom - kTipHeight;
    if (top < dt + 2) {
        top = dt + 2;
        bottom = top + kTipHeight;
    }

    KsRect tip{left, top, right, bottom};
    if (AScreenManOS* screens = AScreenManOS::New()) {
        const int areaScreen = screens->ScreenOfPoint(KsPoint{hc, vc});
        if (screens->ScreenOfPoint(KsPoint{hc, bottom}) != areaScreen) {
            tip.bottom = a.top;
            tip.top = tip.bottom - kTipHeight;
            tip = screens->PullOntoScreen(tip, areaScreen, 0);
        }
    }
    SetWindowToRect(kKsNoScreen, tip.left, tip.top, tip.right, tip.bottom);
    schemePending = true;
    SelectAndShow();
    DoWindowUpdate(windowPort);
    lastHideTime = 0;
    requestTime = kNever;
}

void MiniHelpWindow::Hide() {
    if (!windowPort) return;
    const KsRect was = GetWindowRect(kKsNoScreen);
    KsHideWindow(windowPort);
    if (WindowPtr front = FrontWindow(); front && front != windowPort) {
        StPortSaver saver;
        SetPortWindowPort(front);
        Point tl{SInt16(was.top - 2), SInt16(was.left - 2)};
        Point br{SInt16(was.bottom + 2), SInt16(was.right + 2)};
        GlobalToLocal(&tl);
        GlobalToLocal(&br);
        Rect r{tl.v, tl.h, br.v, br.h};
        InvalWindowRect(front, &r);
    }
    if (textPane) textPane->SetText("");
    lastHideTime = delay != 0 && delay < kLongestDelay ? Now() : 0;
    requestTime = kNever;
}

// ---------------------------------------------------------------------------

void DisplayMiniHelp(const char* text, APane* pane) {
    if (!S().enabled) return;
    MiniHelpWindow* tip = TipWindow(true);
    if (!tip || ActiveWindowIsModal() || !text || !*text || !pane) return;
    const KsPoint align = pane->GetMiniHelpAlignment(KsPoint{0, 0});
    tip->SetAlignment(align.h, align.v);
    AWindow* owner = pane->GetEnclWindow();
    tip->Request(text, ToGlobal(owner ? owner->GetWindowPtr() : nullptr, pane->GetFrame()));
}

void DisplayMiniHelpFromRect(const char* text, KsRect area, KsPoint) {
    if (!S().enabled) return;
    const KsRect global = CurrentPortToGlobal(area);
    MiniHelpWindow* tip = TipWindow(false);
    if (!tip || !text || !*text) return;
    tip->Request(text, global);
}

void HideMiniHelp(bool redraw) {
    MiniHelpWindow* tip = S().window;
    if (!tip || !tip->IsVisible()) return;
    tip->Hide();
    if (redraw && gApplication) gApplication->UpdateAllWindows();
}

void DisplayMiniHelpNow() {
    if (MiniHelpWindow* tip = S().window) tip->SetDelay(0);
}

long GetMiniHelpDelay() {
    return long(S().delayTicks) * 1000 / 60;
}

void SetMiniHelpDelay(long ms) {
    S().delayTicks = SInt32(std::clamp<long>(ms, 0, 0x7FFFFFFFL / 60) * 60 / 1000);
}

bool GetMiniHelpEnabled() {
    return S().enabled;
}

void SetMiniHelpEnabled(bool on) {
    S().enabled = on;
}

void EnableMiniHelpWindow() {
    if (MiniHelpWindow* tip = S().window) KsTBX_EnableWindow(tip->GetWindowPtr(), true, true, true);
}
