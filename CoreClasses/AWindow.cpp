// AWindow: creation, disposal, the live-window registry and message dispatch.
//
// Sections: registry; creation; disposal; the pane tree (main pane, resize,
// draw, lookup); finding the AWindow of a toolbox window; delivering messages.
//
// Placement lives in AWindowPlacement.cpp, event handlers in
// AWindowEvents.cpp, document handling in AWindowDocument.cpp, pop-ups and the
// drag cache in AWindowPopup.cpp.
#include "AWindow.h"

#include <cstdio>
#include <cstring>
#include <unordered_map>

#include "AApplication.h"
#include "APane.h"
#include "AScreenManOS.h"
#include "AWindowPrivate.h"
#include "KsColorScheme.h"
#include "KsDesktop.h"
#include "KsFatal.h"
#include "KsHandle.h"
#include "KsNativeWindow.h"
#include "KsOutput.h"
#include "KsWindowShell.h"
#include "XError.h"

short AWindow::iPaneDumpKey = 0;
KsRgn ShellSaveVisRgn;

// ---------------------------------------------------------------------------
// Registry

namespace {
// Live windows by registry number. The number, not the pointer, goes into the
// toolbox window's reference constant.
struct WindowRegistry {
    std::unordered_map<UInt32, AWindow*> byNumber;
    UInt32 next = 1;
    UInt32 changes = 0; // bumped whenever a window comes or goes
};
WindowRegistry& Registry() {
    static WindowRegistry r;
    return r;
}

bool IsFrameworkKind(SInt16 kind) {
    return kind == kKsWindowKindPlain || kind == kKsWindowKindModal;
}
} // namespace

bool KsIsLiveWindow(const AWindow* w) {
    if (!w) return false;
    for (const auto& [n, live] : Registry().byNumber)
        if (live == w) return true;
    return false;
}

UInt32 KsWindowRegistryChanges() {
    return Registry().changes;
}

AWindow* KsWindowByNumber(UInt32 number) {
    const auto& live = Registry().byNumber;
    const auto it = live.find(number);
    return it == live.end() ? nullptr : it->second;
}

bool KsIsWindowPort(GrafPtr port) {
    if (!port) return false;
    for (WindowPtr w = KsGetWindowList(); w; w = GetNextWindow(w))
        if (GrafPtr(w) == port) return true;
    return false;
}

WindowPtr KsActiveWindow() {
    return KsGetActiveWindow();
}

void KsReportWindowError(const XError& error) {
    StSetCurrentException current(error);
    if (gApplication)
        gApplication->DisplayException(error.GetCode(), false);
    else
        dprintf("%s\n", error.GetText().c_str());
}

// ---------------------------------------------------------------------------
// Creation

AWindow::AWindow() {
    WindowRegistry& r = Registry();
    registryNumber = r.next++;
    if (r.next > 0x7FFFFFFF) r.next = 1;
    r.byNumber[registryNumber] = this;
    ++r.changes;
    homeScreen = 0; // the main screen: the screen manager keeps no other notion of "current"
}

AWindow::~AWindow() {
    if (Registry().byNumber.erase(registryNumber)) ++Registry().changes;
}

AWindow* AWindow::New(const char* title, void* dataHandle, WindowPtr behind,
                      unsigned char hasCloseBox, unsigned char canZoom, unsigned char canGrow,
                      unsigned char flag7, unsigned char flag8, short procID) {
    auto* w = new AWindow;
    try {
        w->IWindow(title, dataHandle, behind, hasCloseBox, canZoom, canGrow, flag7, flag8, procID);
    } catch (...) {
        w->Dispose();
        throw;
    }
    return w;
}

AWindow* AWindow::NewFromRsrc(const char* title, void* data, WindowPtr behind,
                              unsigned char hasCloseBox, unsigned char canZoom,
                              unsigned char canGrow, unsigned char flag7, unsigned char flag8,
                              short procID, long resourceType, char* rsrcName, short rsrcID) {
    auto* w = new AWindow;
    try {
        w->IWindowFromRsrc(title, data, behind, hasCloseBox, canZoom, canGrow, flag7, flag8, procID,
                           resourceType, rsrcName, rsrcID);
    } catch (...) {
        w->Dispose();
        throw;
    }
    return w;
}

AWindow* AWindow::NewFromRsrc(const char* title, char* rsrcName, unsigned char f1, unsigned char f2,
                              unsigned char f3, unsigned char f4, unsigned char f5, short procID) {
    auto* w = new AWindow;
    try {
        w->IWindowFromRsrc(title, rsrcName, f1, f2, f3, f4, f5, procID);
    } catch (...) {
        w->Dispose();
        throw;
    }
    return w;
}

void AWindow::IWindow(const char* title, void* data, WindowPtr, unsigned char hasCloseBox,
                      unsigned char canZoom, unsigned char canGrow, unsigned char, unsigned char,
                      short procID) {
    dataHandle = static_cast<char**>(data);
    hascloseBox = hasCloseBox != 0;
    IObject();

    // The initial outer rectangle: the home screen less the menu bar, 3 in.
    AScreenManOS* sm = AScreenManOS::New();
    KsRect outer = sm->GetScreenBounds(homeScreen);
    if (outer.IsEmpty()) outer = sm->GetMainScreenBounds();
    if (homeScreen == 0) outer.top += kKsMenuBarHeight;
    outer.Inset(3, 3);

    if ((procID & 0xFFF0) == 0) {
        if (canZoom) procID = SInt16(procID + 8);
        if (!canGrow) procID = SInt16(procID + 4);
    }
    Str255 ptitle{};
    KsCToPStr(title, ptitle);
    Rect content = ToRect(outer);
    SBoxToCBox(&content, procID);
    // Behind every other window of its layer: the behind argument is not used.
    windowPort = NewCWindow(nullptr, &content, ptitle, false, procID, nullptr, hasCloseBox,
                            SInt32(registryNumber));
    if (!windowPort) xraisexerror("MEM_LOW");
    SetPortWindowPort(windowPort);

    SetWindowHiliteColor(windowPort, RGBdustyPurple);
    SetWindowTBarColor(windowPort, RGBgray4);
    KsSetWindowKind(windowPort, kKsWindowKindPlain);
    KsSetWindowLayer(windowPort, kKsDocumentLayer);
    RemoveWindowStyles(windowPort, true, true, false, false, false);

    CreateMainPane();
    Resize();
    if (gApplication) gApplication->AddToWindowList(this);
    initialized = true;
}

void AWindow::IWindowFromRsrc(const char* title, char* rsrcName, unsigned char f1, unsigned char,
                              unsigned char f3, unsigned char f4, unsigned char f5, short procID) {
    // The second flag is not used; the long form gives every window a close box.
    IWindowFromRsrc(title, nullptr, WindowPtr(-1), 1, f4, f3, f1, f5, procID,
                    long(FourCharCode("KsPn")), rsrcName, 0);
}

void AWindow::IWindowFromRsrc(const char* title, void* data, WindowPtr behind, unsigned char,
                              unsigned char canZoom, unsigned char canGrow, unsigned char flag7,
                              unsigned char flag8, short procID, long, char* rsrcName,
                              short rsrcID) {
    mainPaneRsrcID = rsrcID;
    if (rsrcName)
        mainPaneRsrcName =
            reinterpret_cast<char**>(KsNewHandleFrom(rsrcName, Size(std::strlen(rsrcName) + 1)));
    IWindow(title, data, behind, 1, canZoom, canGrow, flag7, flag8, procID);
    SetWindowTBarColor(windowPort, RGBgray8);
}

// ---------------------------------------------------------------------------
// Disposal

void AWindow::Dispose() {
    GrafPtr current = KsGetPort();
    KsDisposeHandle(reinterpret_cast<Handle>(mainPaneRsrcName));
    mainPaneRsrcName = nullptr;
    DisposeDragCache();

    if (windowPort) {
        if (IsWindowVisible(windowPort)) {
            KsHideWindow(windowPort);
            KsFlushActivates(windowPort);
        }
        if (APane* p = mainPane) {
            mainPane = nullptr;
            p->Dispose();
        }
        growBoxPane = nullptr;
        activePane = resultPane = targetPane = nullptr;
        dataHandle = reinterpret_cast<char**>(-1);
        signature = 0;
        SetWRefCon(windowPort, -1);
    }
    // Out of the shell's tables (the modal stack among them) before the
    // toolbox window goes, so nothing reselects a window that is gone.
    if (windowPort) KsForgetWindow(windowPort);
    if (windowPort && current == GrafPtr(windowPort)) {
        WindowPtr next = KsActiveWindow();
        if (!next || next == windowPort) next = FrontWindow();
        if (next && next != windowPort)
            SetPortWindowPort(next);
        else
            SetPort(KsGetDesktopPort());
    }
    if (gApplication) gApplication->ForgetWindow(this);
    if (windowPort) {
        SetWindowKind(windowPort, 0);
        DisposeWindow(windowPort);
        windowPort = nullptr;
    }
    if (Registry().byNumber.erase(registryNumber)) ++Registry().changes;
    AObject::Dispose();
}

// ---------------------------------------------------------------------------
// The pane tree

// A pane resource that cannot be read is reported and replaced by a plain
// grey pane: the window is still made.
void AWindow::CreateMainPane() {
    if (mainPane || !windowPort) return;
    SetPortWindowPort(windowPort);
    if (mainPaneRsrcID != 0 || mainPaneRsrcName) {
        try {
            mainPane = APane::NewPaneFromRsrc(
                nullptr, mainPaneRsrcName ? *mainPaneRsrcName : nullptr, mainPaneRsrcID);
            if (mainPane) {
                mainPane->SetEnclWindow(this);
                KsRGBColor bk = RGBgray7;
                mainPane->GetBkgdInfo(nullptr, nullptr, nullptr, &bk);
                SetWindowContentColor(windowPort, bk);
                Rect r = ToRect(mainPane->GetBounds());
                CBoxToSBox(windowPort, &r);
                SetWindowWidHei(kKsNoScreen, r.right - r.left, r.bottom - r.top);
                GoCenter();
            }
        } catch (...) {
            const XError error = XErrorFromCurrentException();
            if (mainPane) mainPane->Dispose();
            mainPane = nullptr;
            KsReportWindowError(error);
        }
    }
    if (!mainPane) {
        mainPane = APane::New(nullptr, 0, 0, kPaneDontCare, 0, 0, kPaneDontCare, RGBgray7, 0);
        mainPane->SetEnclWindow(this);
    }
    if (isOldStyle) mainPane->SetFlag(kPaneOldStyleLook, true);
}

bool AWindow::Resize(void*, EventRecord*, long, long) {
    if (!mainPane || !windowPort) return false;
    const KsRect port = ToKsRect(GetWindowPort(windowPort)->portRect);
    mainPane->MovePaneTo(port.left, port.top);
    return mainPane->Resize(ClampToSInt16(port.Width()), ClampToSInt16(port.Height()));
}

void AWindow::Draw(const KsRect* updateRect, void* data) {
    if (mainPane) mainPane->Draw(updateRect, data);
}

APane* AWindow::FindPaneByID(const char* id) const {
    return mainPane && id ? mainPane->FindPaneByID(id) : nullptr;
}

void AWindow::ForgetPane(APane* pane) {
    if (gApplication && gApplication->GetMouseCapture() == pane)
        gApplication->ReleaseMouseCapture();
    if (activePane == pane) activePane = nullptr;
    if (resultPane == pane) resultPane = nullptr;
    if (targetPane == pane) targetPane = nullptr;
    if (growBoxPane == pane) growBoxPane = nullptr;
    if (mainPane == pane) mainPane = nullptr;
}

// ---------------------------------------------------------------------------
// Finding the AWindow of a toolbox window

AWindow* GetWindowObj(WindowPtr window) {
    if (!window || !IsFrameworkKind(KsGetWindowKind(window))) return nullptr;
    const SInt32 ref = window->WindowRecord::refCon;
    if (ref == -1) {
        FtlAbortm("Trying to access the AWindow that was already disposed of.");
        return nullptr;
    }
    // Only a live registry entry that owns this very toolbox window counts;
    // anything else is reported and answered as no window at all.
    AWindow* w = KsWindowByNumber(UInt32(ref));
    if (!w || w->GetWindowPtr() != window || w->GetSignature() != AWindow::kSignature) {
        char message[320];
        char title[256];
        KsPToCStr(window->title, title, sizeof title);
        std::snprintf(message, sizeof message, "Refcon is not an AWindow*: %32s %lx", title,
                      static_cast<unsigned long>(UInt32(ref)));
        FtlAbortm(message);
        return nullptr;
    }
    return w;
}

bool SendWindowMsg(windowMsgID_t msg, WindowPtr window, EventRecord* ev, long a, long b) {
    AWindow* w = GetWindowObj(window);
    return w ? w->SendMsg(msg, ev, a, b) : false;
}

char** GetWindowDataHdl(WindowPtr window) {
    AWindow* w = GetWindowObj(window);
    char** h = nullptr;
    if (w) w->GetDataHandle(&h);
    return h;
}

bool DoWindowClose(WindowPtr window) {
    return SendWindowMsg(wmClose, window, nullptr, 1, 0);
}

bool DoWindowCloseParam(WindowPtr window, long param) {
    return SendWindowMsg(wmClose, window, nullptr, 1, param);
}

bool DoWindowUpdate(WindowPtr window) {
    return SendWindowMsg(wmUpdate, window, nullptr, 0, 0);
}

void ForceWindowUpdate(WindowPtr window) {
    if (!window) return;
    GrafPtr previous = KsGetPort();
    SetPortWindowPort(window);
    InvalWindowRect(window, &window->portRect);
    DoWindowUpdate(window);
    if (previous && KsIsLiveWindowOrDesktopPort(previous)) SetPort(previous);
}

bool KsIsLiveWindowOrDesktopPort(GrafPtr port) {
    return port == KsGetDesktopPort() || KsIsWindowPort(port);
}

// ---------------------------------------------------------------------------
// Delivering messages

bool AWindow::SendMsg(windowMsgID_t msg, EventRecord* ev, long a, long b) {
    // A window the application has let go of takes no more messages.
    if (gApplication && gApplication->HasWindowList() && !gApplication->IsStillAWindow(this))
        return false;
    GrafPtr previous = KsGetPort();
    if (windowPort) SetPortWindowPort(windowPort);
    void* data = dataHandle ? static_cast<void*>(*dataHandle) : static_cast<void*>(this);
    // The handler may dispose of this window: after it returns nothing of the
    // window is touched.
    const auto restorePort = [previous] {
        if (previous && previous != KsGetPort() && KsIsWindowPort(previous)) SetPort(previous);
    };
    bool result = false;
    try {
        result = DoWindowMsg(msg, data, ev, a, b);
    } catch (...) {
        const XError kept = XErrorFromCurrentException();
        restorePort();
        StSetCurrentException current(kept);
        xraisexerror(kept);
    }
    restorePort();
    return result;
}

bool AWindow::DoWindowMsg(windowMsgID_t msg, void* data, EventRecord* ev, long a, long b) {
    if (disposePending) {
        KsFlushActivates(windowPort);
        Dispose();
        return false;
    }
    switch (msg) {
    case wmQuit:
        return Quit(data, ev, a, b);
    case wmUpdate:
        Update(data, ev, a, b);
        return false;
    case wmKeyDown:
        return KeyDown(data, ev, a, b);
    case wmUpdateMenus:
        UpdateMenus(data, ev, a, b);
        return false;
    case wmMenuSelect:
        return MenuSelect(data, ev, a, b);
    case wmIdle:
        Idle(data, ev, a, b);
        return false;
    case wmDeactivate:
        Deactivate(data, ev, a, b);
        return false;
    case wmActivate:
        Activate(data, ev, a, b);
        return false;
    case wmDrag:
        Drag(data, ev, a, b);
        return false;
    case wmClose:
        return Close(data, ev, a, b);
    case wmGrow:
        Grow(data, ev, a, b);
        return false;
    case wmZoomIn:
    case wmZoomOut:
        Zoom(data, ev, a, b);
        return false;
    case wmClick:
        Click(data, ev, a, b);
        return false;
    case wmResize:
        Resize(data, ev, a, b);
        return false;
    case wmVTREEvent:
        VTREEvent(data, ev, a, b);
        return false;
    }
    return false;
}
