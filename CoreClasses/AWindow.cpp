#include "AWindow.h"

#include "APane.h"

#include <cstring>
#include <unordered_map>

#include "KsFatal.h"
#include "XError.h"

short AWindow::iPaneDumpKey = 0;

namespace {
// Live windows by registry number. The number, not the pointer, goes into the
// toolbox window's reference constant.
struct WindowRegistry {
    std::unordered_map<UInt32, AWindow*> byNumber;
    UInt32 next = 1;
};
WindowRegistry& Registry() {
    static WindowRegistry r;
    return r;
}

bool IsFrameworkKind(SInt16 kind) {
    const SInt16 k = SInt16(kind & 0x0FFF);
    return k == kKsWindowKindPlain || k == kKsWindowKindModal;
}
} // namespace

bool KsIsLiveWindow(const AWindow* w) {
    if (!w) return false;
    for (const auto& [n, live] : Registry().byNumber)
        if (live == w) return true;
    return false;
}

AWindow::AWindow() {
    WindowRegistry& r = Registry();
    registryNumber = r.next++;
    if (r.next > 0x7FFFFFFF) r.next = 1;
    r.byNumber[registryNumber] = this;
}

AWindow::~AWindow() {
    Registry().byNumber.erase(registryNumber);
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

void AWindow::IWindow(const char* title, void* data, WindowPtr, unsigned char hasCloseBox,
                      unsigned char canZoom, unsigned char canGrow, unsigned char, unsigned char,
                      short procID) {
    dataHandle = static_cast<char**>(data);
    hascloseBox = hasCloseBox != 0;
    IObject();
    Rect r{60, 40, 460, 640};
    if ((procID & 0xFFF0) == 0) {
        if (canZoom) procID = SInt16(procID + 8);
        if (!canGrow) procID = SInt16(procID + 4);
    }
    Str255 ptitle{};
    const size_t n = title ? std::min<size_t>(std::strlen(title), 255) : 0;
    ptitle[0] = UInt8(n);
    if (n) std::memcpy(ptitle + 1, title, n);
    windowPort = NewCWindow(nullptr, &r, ptitle, false, procID, WindowPtr(-1), hasCloseBox,
                            SInt32(registryNumber));
    SetPortWindowPort(windowPort);
    SetWindowKind(windowPort, SInt16((7 << 12) | kKsWindowKindPlain));
    initialized = true;
}

void AWindow::Dispose() {
    if (APane* main = mainPane) {
        mainPane = nullptr;
        main->Dispose();
    }
    if (windowPort) {
        if (IsWindowVisible(windowPort)) HideWindow(windowPort);
        signature = 0;
        SetWRefCon(windowPort, -1);
        SetWindowKind(windowPort, 0);
        DisposeWindow(windowPort);
        windowPort = nullptr;
    }
    Registry().byNumber.erase(registryNumber);
    AObject::Dispose();
}

AWindow* GetWindowObj(WindowPtr window) {
    if (!window || !IsFrameworkKind(GetWindowKind(window))) return nullptr;
    const SInt32 ref = GetWRefCon(window);
    if (ref == -1) {
        FtlAbortm("Trying to access the AWindow that was already disposed of.");
        return nullptr;
    }
    const auto& live = Registry().byNumber;
    const auto it = live.find(UInt32(ref));
    if (it == live.end() || it->second->GetWindowPtr() != window ||
        it->second->GetSignature() != AWindow::kSignature)
        return nullptr;
    return it->second;
}

bool AWindow::SendMsg(windowMsgID_t msg, EventRecord* ev, long a, long b) {
    GrafPtr previous = nullptr;
    GetPort(&previous);
    if (windowPort) SetPortWindowPort(windowPort);
    void* data = dataHandle ? static_cast<void*>(*dataHandle) : static_cast<void*>(this);
    const bool result = DoWindowMsg(msg, data, ev, a, b);
    if (previous && previous != GrafPtr(windowPort) && KsWindowOfPort(previous)) SetPort(previous);
    return result;
}

bool AWindow::DoWindowMsg(windowMsgID_t msg, void* data, EventRecord* ev, long a, long b) {
    if (disposePending) {
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
    GrafPtr previous = nullptr;
    GetPort(&previous);
    SetPortWindowPort(window);
    InvalWindowRect(window, &window->portRect);
    DoWindowUpdate(window);
    if (previous) SetPort(previous);
}

// Handlers: the window's own behaviour over its pane tree.
bool AWindow::Idle(void*, EventRecord*, long, long) {
    return false;
}
bool AWindow::UpdateMenus(void*, EventRecord*, long, long) {
    return false;
}
bool AWindow::Click(void*, EventRecord*, long, long) {
    return false;
}
bool AWindow::VTREEvent(void*, EventRecord*, long, long) {
    return false;
}
bool AWindow::Update(void*, EventRecord*, long, long) {
    BeginUpdate(windowPort);
    EndUpdate(windowPort);
    return false;
}
bool AWindow::Quit(void* data, EventRecord* ev, long, long b) {
    return Close(data, ev, 1, b);
}
bool AWindow::MenuSelect(void*, EventRecord*, long, long) {
    return false;
}
bool AWindow::KeyDown(void*, EventRecord*, long, long) {
    return GetIsModal();
}
bool AWindow::Activate(void*, EventRecord*, long, long) {
    return false;
}
bool AWindow::Deactivate(void*, EventRecord*, long, long) {
    deactivated = true;
    return false;
}
bool AWindow::Drag(void*, EventRecord*, long, long) {
    return false;
}
bool AWindow::Grow(void*, EventRecord*, long, long) {
    return false;
}
bool AWindow::Close(void*, EventRecord*, long, long) {
    SetVisible(false);
    if (closeDisp) disposePending = true;
    return false;
}
bool AWindow::Zoom(void*, EventRecord*, long, long) {
    return false;
}
bool AWindow::Resize(void*, EventRecord*, long, long) {
    if (!mainPane || !windowPort) return false;
    const KsRect port = ToKsRect(GetWindowPort(windowPort)->portRect);
    mainPane->MovePaneTo(port.left, port.top);
    return mainPane->Resize(ClampToSInt16(port.Width()), ClampToSInt16(port.Height()));
}
void AWindow::UpdateCompatible(void*) {}
void AWindow::Draw(const KsRect* updateRect, void* data) {
    if (mainPane) mainPane->Draw(updateRect, data);
}

APane* AWindow::Popup(KsPoint, bool, bool, short, bool) {
    return nullptr;
}
bool AWindow::TrackPopup(bool, KsRect*, KsRect*, bool*) {
    return false;
}
void AWindow::DoingPopup(KsPoint, bool, bool, bool) {}
void AWindow::SelectAndShow() {
    SetVisible(true);
    SelectWindow(windowPort);
}
void AWindow::ToggleSelectAndShow() {
    if (IsVisible())
        SendMsg(wmClose, nullptr, 1, 0);
    else
        SelectAndShow();
}
void AWindow::AddEdgePanes(short, APane*) {}
void AWindow::AddGrowBoxPane(short, KsRGBColor) {}
void AWindow::AddGrowBoxPane() {}
void AWindow::GetGrowBoxRect(KsRect* r) {
    *r = KsRect{};
}
void AWindow::SetCloseDisposes(bool on) {
    closeDisp = on;
}
bool AWindow::HasCloseBox() const {
    return hascloseBox;
}
bool AWindow::HasHome() const {
    return !(homeRect.right <= homeRect.left || homeRect.bottom <= homeRect.top);
}
void AWindow::GoHome() {}
bool AWindow::GetHome(int* screen, KsRect* rect) {
    if (!HasHome()) return false;
    if (screen) *screen = homeScreen;
    if (rect) *rect = homeRect;
    return true;
}
void AWindow::GoCenter() {}
void AWindow::GoCenterMouse() {}
void AWindow::SetHomeRect(int screen, KsRect rect) {
    homeScreen = screen;
    homeRect = rect;
}
void AWindow::SetWindowToRect(int, long, long, long, long) {}
void AWindow::SetWindowWidHei(int, long, long) {}
void AWindow::SetWindowTopLeft(int, long, long) {}
void AWindow::SetContentSize(long, long) {}
void AWindow::MoveWindowRelative(int, long, long, long, long) {}
void AWindow::MoveWindow(int, long, long, bool) {}
void AWindow::CenterWindowInScreen(int) {}
void AWindow::PlaceWindowNearCursor() {}
void AWindow::SetVisible(bool on) {
    if (windowPort) ShowHide(windowPort, on);
}
KsRect AWindow::GetWindowRect(int) {
    Rect r{};
    if (windowPort) KsGetWindowStructureRect(windowPort, &r);
    return KsRect{r.left, r.top, r.right, r.bottom};
}
bool AWindow::SetZoomStdState() {
    return false;
}
KsRect AWindow::GetInnerGrowLimits() {
    return GetOuterGrowLimits();
}
KsRect AWindow::GetOuterGrowLimits() {
    return KsRect{growLimits[0], growLimits[1], growLimits[2], growLimits[3]};
}
void AWindow::SetInnerGrowLimits(long a, long b, long c, long d) {
    SetOuterGrowLimits(a, b, c, d);
}
void AWindow::SetOuterGrowLimits(long minW, long minH, long maxW, long maxH) {
    growLimits[0] = short(minW);
    growLimits[1] = short(minH);
    growLimits[2] = short(maxW);
    growLimits[3] = short(maxH);
}
void AWindow::GetZoomMaxes(long* w, long* h) {
    if (w) *w = growLimits[2];
    if (h) *h = growLimits[3];
}
bool AWindow::GetIsDirtyDoc() const {
    return (iFlags & kDirtyDoc) != 0;
}
void AWindow::SetIsDirtyDoc(bool on) {
    iFlags = on ? (iFlags | kDirtyDoc) : (iFlags & ~UInt32(kDirtyDoc));
}
bool AWindow::GetIsNewDoc() const {
    return (iFlags & kNewDoc) != 0;
}
void AWindow::SetIsNewDoc(bool on) {
    iFlags = on ? (iFlags | kNewDoc) : (iFlags & ~UInt32(kNewDoc));
}
bool AWindow::SaveDoc(AFileLocator*, bool) {
    return false;
}
bool AWindow::SaveWindow(bool, const ADirLocator*) {
    return false;
}
APane* AWindow::DoDialog(AApplication*) {
    return nullptr;
}
void AWindow::SetCanDrag(bool on) {
    canDrag = on;
}
void AWindow::SetWindowTitle(const char* title) {
    Str255 p{};
    const size_t n = title ? std::min<size_t>(std::strlen(title), 255) : 0;
    p[0] = UInt8(n);
    if (n) std::memcpy(p + 1, title, n);
    if (windowPort) SetWTitle(windowPort, p);
}
void AWindow::GetWindowTitle(char* buf, long len) {
    FtlAssert(buf);
    if (!buf || len <= 0) return;
    Str255 p{};
    if (windowPort) GetWTitle(windowPort, p);
    const long n = std::min<long>(p[0], len - 1);
    std::memcpy(buf, p + 1, size_t(n));
    buf[n] = 0;
}
bool AWindow::IsActiveWindow() const {
    return windowPort && windowPort->hilited;
}
bool AWindow::IsHilited() const {
    return windowPort && IsWindowHilited(windowPort);
}
void AWindow::UpdateIfNeeded() {}
void AWindow::ForgetPane(APane* pane) {
    if (activePane == pane) activePane = nullptr;
    if (resultPane == pane) resultPane = nullptr;
    if (targetPane == pane) targetPane = nullptr;
    if (growBoxPane == pane) growBoxPane = nullptr;
    if (mainPane == pane) mainPane = nullptr;
}
void AWindow::SetTBarCanGoOff(bool on) {
    tbarCanGoOff = on;
}
bool AWindow::IsVisible() const {
    return windowPort && IsWindowVisible(windowPort);
}
void AWindow::DoGoodClick(APane*) {}
bool AWindow::IsIconic() const {
    return false;
}
void AWindow::Iconify(bool) {}
void AWindow::RevertIconicState() {}
bool AWindow::GetIsModal() const {
    return (iFlags & kModal) != 0;
}
void AWindow::SetIsModal(bool on) {
    iFlags = on ? (iFlags | kModal) : (iFlags & ~UInt32(kModal));
}
bool AWindow::GetDesignMode() const {
    return designMode;
}
void AWindow::SetDesignMode(bool on) {
    designMode = on;
}
void AWindow::CloseWhenIdle(bool on) {
    closeWhenIdleFlag = on;
}
void AWindow::SetSaveState(AObject*, long, long, long, AAttrList*) {}
void AWindow::GetSaveState(AObject** s, long* a, long* b, long* c, AAttrList*) {
    if (s) *s = nullptr;
    if (a) *a = 0;
    if (b) *b = 0;
    if (c) *c = 0;
}
void AWindow::SetColorScheme(const KsRGBColor* color) {
    schemeColor = color ? *color : KsRGBColor{0x7000, 0x7000, 0x7000};
    if (initialized)
        UpdateColorScheme();
    else
        schemePending = true;
}
void AWindow::GetColorScheme(KsRGBColor* color) const {
    if (color) *color = schemeColor;
}
void AWindow::UpdateColorScheme() {
    schemePending = false;
}
bool AWindow::IsInitialized() const {
    return initialized;
}
void AWindow::SetHasMiniHelp(bool on) {
    hasMiniHelp = on;
}
void AWindow::DoDragTrack(KsPoint, short, short) {}
bool AWindow::IsRightMouseButton(const EventRecord* ev) const {
    return ev && (ev->modifiers & 0x1000) != 0;
}
APane* AWindow::FindContextMenuPane(KsPoint) {
    return nullptr;
}
void AWindow::FinishDragUpdate() {}
void AWindow::StartDragUpdate() {}
bool AWindow::UseDragCache() {
    return false;
}
void AWindow::TerminateDragEvent() {}
void AWindow::InitializeDragEvent(KsRect) {}
void AWindow::SuspendUpdates(bool on) {
    updatesSuspended = on;
}
void AWindow::IgnoreUpdates(bool on) {
    updatesIgnored = on;
}
void AWindow::IWindowFromRsrc(const char* title, char* rsrcName, unsigned char f1, unsigned char,
                              unsigned char f3, unsigned char f4, unsigned char f5, short procID) {
    IWindowFromRsrc(title, nullptr, WindowPtr(-1), f1, f3, f4, f5, 0, procID, long(FourCharCode("KsPn")), rsrcName, 0);
}
void AWindow::IWindowFromRsrc(const char* title, void* data, WindowPtr behind, unsigned char,
                              unsigned char canZoom, unsigned char canGrow, unsigned char flag7,
                              unsigned char flag8, short procID, long, char*, short rsrcID) {
    mainPaneRsrcID = rsrcID;
    IWindow(title, data, behind, 1, canZoom, canGrow, flag7, flag8, procID);
}
void AWindow::SetIsOldStyle(bool on) {
    isOldStyle = on;
}
void AWindow::CreateMainPane() {
    if (mainPane || !windowPort) return;
    SetPortWindowPort(windowPort);
    mainPane = APane::New(nullptr, 0, 0, kPaneDontCare, 0, 0, kPaneDontCare, RGBgray7, 0);
}
void AWindow::GetMainPaneInfo(short*, short*, short*, short*) {}
bool AWindow::HandleContextPopup(MenuInfo**, EventRecord event, long nick, short menuID) {
    return MenuSelect(nullptr, &event, menuID, nick);
}
void AWindow::OffsetWindow(long, long) {}
void AWindow::TileWindowRightOf(AWindow*, short, bool, bool) {}
void AWindow::TileWindowLeftOf(AWindow*, short, bool, bool) {}
void AWindow::TileWindowBelow(AWindow*, short, bool, bool) {}
void AWindow::TileWindowAbove(AWindow*, short, bool, bool) {}
bool AWindow::AnalyzeForSnap(short*, short*) {
    return false;
}
APane* AWindow::FindPaneByID(const char* id) const {
    return mainPane && id ? mainPane->FindPaneByID(id) : nullptr;
}
void AWindow::GetDataHandle(char*** handle) const {
    if (handle) *handle = dataHandle;
}
bool AWindow::CheckForUserClick(KsRect) {
    return false;
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
