// AWindow: the framework's window.
//
// Each AWindow owns one toolbox window and the root pane of a pane tree. The
// event loop turns every event that concerns a window into a numbered window
// message (SendMsg); the window turns the message into calls on its panes.
// A window also carries the document state of a document window, its
// placement rules, modality, and the machinery to run as a blocking dialog
// or as a pop-up that lives while the mouse button is held.
//
// Made by New / NewFromRsrc, which construct and then run the virtual
// initialiser; destroyed by Dispose (or by closing a window whose close
// disposes it: it then goes at its next message, never inside the handler).
//
// The toolbox window's reference constant is the window's number in the
// registry of live windows, never a pointer: a 64-bit pointer does not fit it,
// and the registry lets GetWindowObj tell a live AWindow from anything else.
#pragma once

#include "AObject.h"
#include "KsColor.h"
#include "KsGeometry.h"
#include "KsRgn.h"
#include "PaneDow.h"
#include "QDOffscreen.h"
#include "Windows.h"

class AApplication;
class APane;
class AFileLocator;
class ADirLocator;
class AAttrList;
class DragList;

// The messages through which the event loop drives a window.
enum windowMsgID_t : short {
    wmQuit = 0,
    wmUpdate = 1,
    wmKeyDown = 2, // a = character code, b = key code
    wmUpdateMenus = 3,
    wmMenuSelect = 4, // a = menu, b = item
    wmIdle = 5,       // a = the mouse is over this window
    wmDeactivate = 6,
    wmActivate = 7,
    wmDrag = 8,
    wmClose = 9, // result: the close was cancelled
    wmGrow = 10,
    wmZoomIn = 11,
    wmZoomOut = 12,
    wmClick = 13,
    wmResize = 14,
    wmVTREEvent = 17,
};

// Screens are the screen manager's indexes; kKsNoScreen stands for global
// coordinates where a screen may be given.
enum : int { kKsNoScreen = -1 };

// Toolbox window kinds (bits 0 to 11 of the kind word) of framework windows.
enum : SInt16 {
    kKsWindowKindPlain = 64,
    kKsWindowKindModal = 128,
    kKsWindowKindNotAWindow = 8, // a toolbox window an AWindow uses that is not itself one
};

class AWindow : public AObject, public PaneDow {
    KS_DECLARE_CLASS(AWindow, AObject)

    static constexpr UInt32 kSignature = 0x774D4758; // "XGMw" in memory order

    // iFlags bits.
    enum : UInt32 { kDirtyDoc = 1, kNewDoc = 2, kModal = 4 };

    static AWindow* New(const char* title, void* dataHandle, WindowPtr behind,
                        unsigned char hasCloseBox, unsigned char canZoom, unsigned char canGrow,
                        unsigned char flag7, unsigned char flag8, short procID);
    static AWindow* NewFromRsrc(const char* title, void* dataHandle, WindowPtr behind,
                                unsigned char hasCloseBox, unsigned char canZoom,
                                unsigned char canGrow, unsigned char flag7, unsigned char flag8,
                                short procID, long resourceType, char* rsrcName, short rsrcID);
    static AWindow* NewFromRsrc(const char* title, char* rsrcName, unsigned char f1,
                                unsigned char f2, unsigned char f3, unsigned char f4,
                                unsigned char f5, short procID);

    AWindow();
    ~AWindow() override;

    void Dispose() override;

    // Message handlers: data is the dereferenced data handle, or the window
    // itself when it has none.
    virtual bool Idle(void* data, EventRecord* ev, long mouseInWindow, long b);
    virtual bool UpdateMenus(void* data, EventRecord* ev, long a, long b);
    virtual bool Click(void* data, EventRecord* ev, long a, long b);
    virtual bool VTREEvent(void* data, EventRecord* ev, long a, long b);
    virtual bool Update(void* data, EventRecord* ev, long a, long b);
    virtual bool Quit(void* data, EventRecord* ev, long a, long b);
    virtual bool MenuSelect(void* data, EventRecord* ev, long menu, long item);
    virtual bool KeyDown(void* data, EventRecord* ev, long charCode, long keyCode);
    virtual bool Activate(void* data, EventRecord* ev, long a, long b);
    virtual bool Deactivate(void* data, EventRecord* ev, long a, long b);
    virtual bool Drag(void* data, EventRecord* ev, long a, long b);
    virtual bool Grow(void* data, EventRecord* ev, long a, long b);
    virtual bool Close(void* data, EventRecord* ev, long a, long b);
    virtual bool Zoom(void* data, EventRecord* ev, long a, long b);
    virtual bool Resize(void* data, EventRecord* ev, long a, long b);
    void Resize() { Resize(nullptr, nullptr, 0, 0); }
    virtual void UpdateCompatible(void* data);
    virtual bool DoWindowMsg(windowMsgID_t msg, void* data, EventRecord* ev, long a, long b);
    virtual void Draw(const KsRect* updateRect, void* data);

    // The usual way to deliver a message: current port, data pointer, error
    // guard; an error inside is raised again after the window is put right.
    bool SendMsg(windowMsgID_t msg, EventRecord* ev, long a, long b);

    virtual APane* Popup(KsPoint where, bool tearOff, bool below, short procID, bool goAway);
    virtual bool TrackPopup(bool useGhost, KsRect* rect, KsRect* outRect, bool* changed);
    virtual void DoingPopup(KsPoint pt, bool useGhost, bool inside, bool wasInside);
    virtual void SelectAndShow();
    virtual void ToggleSelectAndShow();
    virtual void AddEdgePanes(short height, APane* encl);
    virtual void AddGrowBoxPane(short size, KsRGBColor color);
    virtual void AddGrowBoxPane();
    virtual void GetGrowBoxRect(KsRect* r);
    virtual void SetCloseDisposes(bool on);
    virtual bool HasCloseBox() const;
    virtual bool HasHome() const;
    virtual void GoHome();
    virtual bool GetHome(int* screen, KsRect* rect);
    virtual void GoCenter();
    virtual void GoCenterMouse();
    virtual void SetHomeRect(int screen, KsRect rect);
    virtual void SetWindowToRect(int screen, long left, long top, long right, long bottom);
    virtual void SetWindowWidHei(int screen, long width, long height);
    virtual void SetWindowTopLeft(int screen, long left, long top);
    virtual void SetContentSize(long width, long height);
    virtual void MoveWindowRelative(int screen, long left, long top, long right, long bottom);
    virtual void MoveWindow(int screen, long left, long top, bool front);
    virtual void CenterWindowInScreen(int screen);
    virtual void PlaceWindowNearCursor();
    virtual void SetVisible(bool on);
    virtual KsRect GetWindowRect(int screen);
    virtual bool SetZoomStdState();
    virtual KsRect GetInnerGrowLimits();
    virtual KsRect GetOuterGrowLimits();
    virtual void SetInnerGrowLimits(long minW, long minH, long maxW, long maxH);
    virtual void SetOuterGrowLimits(long minW, long minH, long maxW, long maxH);
    virtual void GetZoomMaxes(long* w, long* h);
    virtual bool GetIsDirtyDoc() const;
    virtual void SetIsDirtyDoc(bool on);
    virtual bool GetIsNewDoc() const;
    virtual void SetIsNewDoc(bool on);
    virtual bool SaveDoc(AFileLocator* where, bool saveAs);
    virtual bool SaveWindow(bool saveAs, const ADirLocator* startDir);
    virtual APane* DoDialog(AApplication* app);
    virtual void SetCanDrag(bool on);
    virtual void SetWindowTitle(const char* title);
    virtual void GetWindowTitle(char* buf, long len);
    virtual bool IsActiveWindow() const;
    virtual bool IsHilited() const;
    virtual void UpdateIfNeeded();
    virtual void ForgetPane(APane* pane);
    virtual void SetTBarCanGoOff(bool on);
    virtual bool IsVisible() const;
    virtual void DoGoodClick(APane* pane);
    virtual bool IsIconic() const;
    virtual void Iconify(bool on);
    virtual void RevertIconicState();
    virtual bool GetIsModal() const;
    virtual void SetIsModal(bool on);
    virtual bool GetDesignMode() const;
    virtual void SetDesignMode(bool on);
    virtual void CloseWhenIdle(bool on);
    virtual void SetSaveState(AObject* state, long a, long b, long c, AAttrList* attrs);
    virtual void GetSaveState(AObject** state, long* a, long* b, long* c, AAttrList* attrs);
    virtual void SetColorScheme(const KsRGBColor* color);
    virtual void GetColorScheme(KsRGBColor* color) const;
    virtual void UpdateColorScheme();
    virtual bool IsInitialized() const;
    virtual void SetHasMiniHelp(bool on);
    virtual void DoDragTrack(KsPoint pt, short modifiers, short action);
    virtual bool IsRightMouseButton(const EventRecord* ev) const;
    virtual APane* FindContextMenuPane(KsPoint pt);
    // Asks for the tip of underPoint (the pane under the pointer), or of its
    // nearest enclosure that has one.
    void RequestMiniHelp(APane* underPoint);
    virtual void FinishDragUpdate();
    virtual void StartDragUpdate();
    virtual bool UseDragCache();
    virtual void TerminateDragEvent();
    virtual void InitializeDragEvent(KsRect rect);
    virtual void SuspendUpdates(bool on);
    virtual void IgnoreUpdates(bool on);
    virtual void IWindow(const char* title, void* dataHandle, WindowPtr behind,
                         unsigned char hasCloseBox, unsigned char canZoom, unsigned char canGrow,
                         unsigned char flag7, unsigned char flag8, short procID);
    virtual void IWindowFromRsrc(const char* title, char* rsrcName, unsigned char f1,
                                 unsigned char f2, unsigned char f3, unsigned char f4,
                                 unsigned char f5, short procID);
    virtual void IWindowFromRsrc(const char* title, void* dataHandle, WindowPtr behind,
                                 unsigned char hasCloseBox, unsigned char canZoom,
                                 unsigned char canGrow, unsigned char flag7, unsigned char flag8,
                                 short procID, long resourceType, char* rsrcName, short rsrcID);
    virtual void SetIsOldStyle(bool on);
    virtual void CreateMainPane();
    virtual void GetMainPaneInfo(short* width, short* height, short* halfWidth, short* halfHeight);

    // PaneDow: a chosen context-menu item arrives like a menu-bar command.
    bool HandleContextPopup(MenuInfo** menu, EventRecord event, long nick, short menuID) override;

    // Placement helpers that are not virtual.
    void OffsetWindow(long dx, long dy);
    void TileWindowRightOf(AWindow* other, short gap, bool alignFirst, bool alignSecond);
    void TileWindowLeftOf(AWindow* other, short gap, bool alignFirst, bool alignSecond);
    void TileWindowBelow(AWindow* other, short gap, bool alignFirst, bool alignSecond);
    void TileWindowAbove(AWindow* other, short gap, bool alignFirst, bool alignSecond);
    bool AnalyzeForSnap(short* dx, short* dy);

    // The drag running in the application, shared with the panes'.
    static void BeginDrag(DragList* list);
    static void EndDrag();
    static bool DoingDrag();
    static DragList* GetDragList();

    APane* FindPaneByID(const char* id) const;
    void GetDataHandle(char*** handle) const;
    void SetClickDrags(bool on) { clickDrags = on; }
    void SetDynamicSizing(bool on) { dynamicSizing = on; }
    bool GetDynamicSizing() const { return dynamicSizing; }
    void SetPlacement(long how) { placement = how; }
    void DisposeDragCache();
    long GetPlacement() const { return placement; }
    void SetSnapOnDrag(bool on) { snapOnDrag = on; }
    void SetSnapOnGrow(bool on) { snapOnGrow = on; }

    WindowPtr GetWindowPtr() const { return windowPort; }
    APane* GetMainPane() const { return mainPane; }
    APane* GetActivePane() const { return activePane; }
    void SetActivePane(APane* pane) { activePane = pane; }
    APane* GetResultPane() const { return resultPane; }
    void SetResultPane(APane* pane) { resultPane = pane; }
    // The pane that receives keys first.
    APane* GetTargetPane() const { return targetPane; }
    void SetTargetPane(APane* pane) { targetPane = pane; }
    bool IsDisposePending() const { return disposePending; }
    UInt32 GetSignature() const { return signature; }

    // A mouse-down pending inside r (bounds inclusive) is taken out of the
    // queue: true.
    static bool CheckForUserClick(KsRect r);

    // The key that dumps the pane under the mouse; 0 = off.
    static short iPaneDumpKey;
    // The dump key's action at global point where (KsPaneDump.h); true when
    // anything was dumped, and the key is then used.
    bool DumpPaneID(KsPoint where);

    // The save-changes alert (resource 401: item 1 save, item 2 cancel,
    // anything else discard) and the put-file dialog; both are replaceable
    // (null restores the default) so that hosts and tests can script them.
    // By default the alert is a message box asking "Save", "Don't Save" or
    // "Cancel", and the put-file dialog is KsPutFileDlog (AFileDialog.h).
    using SaveAlertProc = short (*)(const char* title, const char* action);
    using PutFileProc = bool (*)(const char* prompt, const ADirLocator* startDir,
                                 const char* defaultName, AFileLocator* out);
    static SaveAlertProc SetSaveAlertProc(SaveAlertProc proc);
    static PutFileProc SetPutFileProc(PutFileProc proc);

protected:
    WindowPtr windowPort = nullptr;
    UInt32 signature = kSignature;
    APane* mainPane = nullptr;
    APane* growBoxPane = nullptr;
    bool closeDisp = true;
    bool hascloseBox = false;
    KsRect homeRect{};
    int homeScreen = 0; // the screen current at construction
    bool iconifyArmed = true;
    bool wasIconic = false;
    char** dataHandle = nullptr;
    bool isOldStyle = false;
    short growLimits[4] = {80, 80, 32767, 32767};
    UInt32 iFlags = 0;
    APane* activePane = nullptr;
    bool canDrag = true;
    bool deactivated = false;
    APane* resultPane = nullptr;
    short mainPaneRsrcID = 0;
    char** mainPaneRsrcName = nullptr;
    bool initialized = false;
    KsRGBColor schemeColor{0x7000, 0x7000, 0x7000};
    bool schemePending = true;
    bool updatesSuspended = false;
    bool updatePending = false;
    bool updatesIgnored = false;
    bool closeWhenIdleFlag = false;
    bool disposePending = false;
    bool tbarCanGoOff = false;
    bool clickDrags = false;
    bool hasMiniHelp = true;
    bool dynamicSizing = false;
    struct DragCache {
        GWorldPtr world = nullptr;
        KsRect rect{};
        bool filledThisPass = false;
    } dragCache;
    bool designMode = false;
    bool snapOnDrag = true;
    bool snapOnGrow = true;
    long placement = 0;
    APane* targetPane = nullptr;

private:
    friend struct AWindowReader; // the window dump
    UInt32 registryNumber = 0;
};

// The visible region of the window being updated, for the duration of its
// update (global state, saved and restored around nested updates).
extern KsRgn ShellSaveVisRgn;

// Draw procedures of the shaded edge panes (AddEdgePanes).
void topEdgeDraw_AWIN(APane* pane, const KsRect* rect, void* data);
void botEdgeDraw_AWIN(APane* pane, const KsRect* rect, void* data);

// For code that only holds a toolbox window.
AWindow* GetWindowObj(WindowPtr window);
bool SendWindowMsg(windowMsgID_t msg, WindowPtr window, EventRecord* ev, long a, long b);
char** GetWindowDataHdl(WindowPtr window);
bool DoWindowClose(WindowPtr window);
bool DoWindowCloseParam(WindowPtr window, long param);
bool DoWindowUpdate(WindowPtr window);
void ForceWindowUpdate(WindowPtr window);

// True while w is an AWindow that has not been disposed of.
bool KsIsLiveWindow(const AWindow* w);
