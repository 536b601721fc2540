// AWindow as a document: dirty and new flags, closing with the save-changes
// alert, saving, the blocking dialog run, title and simple properties.
#include <cstring>
#include <string>

#include "AApplication.h"
#include "AFileDialog.h"
#include "AFileLocator.h"
#include "APane.h"
#include "AWindow.h"
#include "AWindowPrivate.h"
#include "KsColorScheme.h"
#include "KsFatal.h"
#include "KsUIHooks.h"
#include "Stx.h"
#include "XError.h"

namespace {
constexpr short kAlertSave = 1;
constexpr short kAlertCancel = 2;
constexpr short kAlertDiscard = 3;

// Alert 401 as a message box: "Save" is the default, "Cancel" answers
// Escape and the close box. Without message boxes (before start-up) the
// default answers, so a dirty document is never dropped unasked.
short DefaultSaveAlert(const char* title, const char* action) {
    const std::string text = stxFormat("Save changes to the document \"%s\" before %s?",
                                       title ? title : "", action ? action : "");
    switch (UIdialog(text.c_str(), stx("Save|Don't Save|Cancel"), 1, 3, "SaveChanges")) {
    case 1:
        return kAlertSave;
    case 2:
        return kAlertDiscard;
    default:
        return kAlertCancel;
    }
}
AWindow::SaveAlertProc gSaveAlert = DefaultSaveAlert;
AWindow::PutFileProc gPutFile = KsPutFileDlog;
} // namespace

AWindow::SaveAlertProc AWindow::SetSaveAlertProc(SaveAlertProc proc) {
    SaveAlertProc old = gSaveAlert;
    gSaveAlert = proc ? proc : DefaultSaveAlert;
    return old;
}

AWindow::PutFileProc AWindow::SetPutFileProc(PutFileProc proc) {
    PutFileProc old = gPutFile;
    gPutFile = proc ? proc : KsPutFileDlog;
    return old;
}

// ---------------------------------------------------------------------------
// Document state

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

// ---------------------------------------------------------------------------
// Closing and saving

bool AWindow::Quit(void* data, EventRecord* ev, long, long b) {
    return Close(data, ev, 1, b);
}

// A true result means the close was cancelled. A save that fails (answers
// false or raises) cancels the close too: the window stays open and dirty.
bool AWindow::Close(void*, EventRecord*, long, long) {
    if (GetIsDirtyDoc()) {
        char title[256];
        GetWindowTitle(title, sizeof title);
        const short item = gSaveAlert(title, "closing");
        if (item == kAlertCancel) return true;
        if (item == kAlertSave && SaveWindow(false, nullptr)) return true;
    }
    SetVisible(false);
    if (closeDisp) disposePending = true;
    return false;
}

bool AWindow::SaveDoc(AFileLocator*, bool) {
    return false;
}

// Answers true when nothing was saved: the user cancelled the dialog, or
// the document's SaveDoc reported failure.
bool AWindow::SaveWindow(bool saveAs, const ADirLocator* startDir) {
    if (!GetIsNewDoc() && !saveAs) return !SaveDoc(nullptr, false);
    auto* where = new AFileLocator;
    bool unsaved = true;
    XError kept;
    try {
        if (gPutFile("Save As", startDir, "Untitled", where)) unsaved = !SaveDoc(where, saveAs);
    } catch (...) {
        kept = XErrorFromCurrentException();
    }
    delete where;
    if (kept.IsError()) xraisexerror(kept);
    return unsaved;
}

// ---------------------------------------------------------------------------
// Blocking run

// Runs the event loop one pass at a time until this window is closed, hidden
// or loses activation (Deactivate sets `deactivated`).
APane* AWindow::DoDialog(AApplication* app) {
    resultPane = nullptr;
    SetCloseDisposes(false);
    SelectAndShow();
    if (windowPort) WindImmedUpdate(windowPort, 0);
    deactivated = false;
    if (!app) app = gApplication;
    while (app && !deactivated) {
        app->ProcessEvent(-1);
        // A host may dispose of the window from inside the loop.
        if (!KsIsLiveWindow(this)) return nullptr;
    }
    return resultPane;
}

void AWindow::DoGoodClick(APane*) {}

// ---------------------------------------------------------------------------
// Title and simple properties

void AWindow::SetWindowTitle(const char* title) {
    Str255 p{};
    KsCToPStr(title, p);
    if (windowPort) SetWTitle(windowPort, p);
}

void AWindow::GetWindowTitle(char* buf, long len) {
    FtlAssert(buf);
    if (!buf || len <= 0) return;
    Str255 p{};
    if (windowPort) GetWTitle(windowPort, p);
    KsPToCStr(p, buf, size_t(len));
}

void AWindow::SetCloseDisposes(bool on) {
    closeDisp = on;
}
bool AWindow::HasCloseBox() const {
    return hascloseBox;
}
void AWindow::SetCanDrag(bool on) {
    canDrag = on;
}
void AWindow::SetTBarCanGoOff(bool on) {
    tbarCanGoOff = on;
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
bool AWindow::IsInitialized() const {
    return initialized;
}
void AWindow::SetHasMiniHelp(bool on) {
    hasMiniHelp = on;
}
void AWindow::SetIsOldStyle(bool on) {
    isOldStyle = on;
    // The look is the main pane's to draw; it repaints only when it changed.
    if (mainPane && mainPane->SetFlag(kPaneOldStyleLook, on) != on) mainPane->Inval();
}
void AWindow::GetDataHandle(char*** handle) const {
    if (handle) *handle = dataHandle;
}
void AWindow::SetSaveState(AObject*, long, long, long, AAttrList*) {}
void AWindow::GetSaveState(AObject** s, long* a, long* b, long* c, AAttrList*) {
    if (s) *s = nullptr;
    if (a) *a = 0;
    if (b) *b = 0;
    if (c) *c = 0;
}

// ---------------------------------------------------------------------------
// Colour scheme

void AWindow::SetColorScheme(const KsRGBColor* color) {
    if (color)
        schemeColor = *color;
    else if (GetColorSchemeAttr("CS_BG_COLOR"))
        GetSchemeColor("CS_BG_COLOR_RED", "CS_BG_COLOR_GREEN", "CS_BG_COLOR_BLUE", &schemeColor);
    else
        schemeColor = KsRGBColor{0x7000, 0x7000, 0x7000};
    if (initialized) {
        UpdateColorScheme();
        if (IsVisible()) InvalWindowRect(windowPort, &windowPort->portRect);
    } else {
        schemePending = true;
    }
}

void AWindow::GetColorScheme(KsRGBColor* color) const {
    if (color) *color = schemeColor;
}

void AWindow::UpdateColorScheme() {
    schemePending = false;
}

void AWindow::GetMainPaneInfo(short* width, short* height, short* halfWidth, short* halfHeight) {
    if (!mainPane) return;
    const KsRect r = mainPane->GetInterior();
    if (width) *width = short(r.Width());
    if (height) *height = short(r.Height());
    if (halfWidth) *halfWidth = short(r.Width() / 2);
    if (halfHeight) *halfHeight = short(r.Height() / 2);
}
