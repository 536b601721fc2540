// AApplication: start-up, the run loop driver, shut-down, the window list,
// the standard File and Edit menus and their commands, outside requests.
//
// Sections: globals; construction; start-up (IApplication, Go); Run and
// quitting; exit; the window list; menus and commands; requests; the lock.
#include "AApplication.h"
#include "AApplicationPrivate.h"
#include "AboutBoxWindow.h"

#include "AArray.h"
#include "ABartender.h"
#include "AFileDialog.h"
#include "AFileLocator.h"
#include "AHwOsInfo.h"
#include "AScreenManOS.h"
#include "CKsList.h"
#include "Cursors.h"
#include "KsAppInfo.h"
#include "KsFailureReport.h"
#include "KsFatal.h"
#include "KsHelpFiles.h"
#include "KsLog.h"
#include "KsMemWatch.h"
#include "KsOutput.h"
#include "KsSimpleDlg.h"
#include "KsTextEditHooks.h"
#include "KsThermometer.h"
#include "KsTime.h"
#include "Menus.h"
#include "Resources.h"
#include "Sound.h"
#include "Stx.h"
#include "Windows.h"
#include "XError.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

// ---------------------------------------------------------------------------
// Globals

AApplication* gApplication = nullptr;
unsigned char DoDeferredQuit = 0;
unsigned char QuitCompleted = 0;

namespace {

KsAppEditHooks gEdit = KsTextEditHooks();
KsAppExitProc gExitProc = nullptr;
bool gExitCleanupDone = false;
bool gAtExitRegistered = false;

void CopyBounded(char* to, const char* from, size_t size) {
    std::snprintf(to, size, "%s", from ? from : "");
}

const EMMessage kMessages[] = {
    {"APP_REQUEST_BAD", "The request was not understood ({reason}).", nullptr},
    {"APP_REQUEST_FOLDER", "The folder \"{path}\" is not private to this user.", nullptr},
    {"APP_OPEN_FAILED", "The document \"{path}\" could not be opened.", nullptr},
};

void DisplayHook(const char* code) {
    if (gApplication) gApplication->DisplayException(code, false);
}

OSErr AppleEventHandler(AEDesc* event, AEDesc* reply, long refcon) {
    if (!gApplication) return errAEEventNotHandled;
    OSErr result = 0;
    const XError e =
        KsTryStandard([&] { result = gApplication->DoAppleEvent(event, reply, refcon); });
    if (e.IsError()) {
        StSetCurrentException current(e);
        xDisplay(e.GetCode());
        // A request that raised failed: the sender learns it.
        return errAEEventFailed;
    }
    return result;
}

void AtExitCleanup() {
    KsAppExitCleanup();
}
void AtExitNothing() {}

// Lets the windows under a message box redraw.
bool UpdateEventThunk(EventRecord* ev) {
    return ev && ProcessUpdateEvent(*ev);
}

short FatalDialogThunk(char* message, char* file, int line, void*) {
    return gApplication ? gApplication->FatalErrDialog(message, file, line)
                        : KsFatalErrDialog(message, file, line);
}
void UpdateAllThunk(void*) {
    if (gApplication) gApplication->UpdateAllWindows();
}

} // namespace

KsAppEditHooks KsSetAppEditHooks(const KsAppEditHooks& hooks) {
    const KsAppEditHooks previous = gEdit;
    gEdit = hooks;
    return previous;
}
const KsAppEditHooks& KsAppEdit() {
    return gEdit;
}

KsAppExitProc KsAppSetExitProc(KsAppExitProc proc) {
    const KsAppExitProc previous = gExitProc;
    gExitProc = proc;
    return previous;
}
void KsAppCallExit(int status) {
    if (gExitProc)
        gExitProc(status);
    else
        std::exit(status);
}

void KsAppExitCleanup() {
    // Once per process, and never into an application already destroyed:
    // its destructor clears gApplication.
    if (gExitCleanupDone) return;
    gExitCleanupDone = true;
    if (gApplication) gApplication->ExitToShellCleanup();
}
void KsAppResetExitCleanupForTests() {
    gExitCleanupDone = false;
}

AApplication::Launch& AApplicationPrivate::L(AApplication* app) {
    if (!app->launch) app->launch = new AApplication::Launch;
    return *app->launch;
}

// ---------------------------------------------------------------------------
// Construction

AApplication::AApplication() = default;

AApplication::~AApplication() {
    if (gApplication == this) gApplication = nullptr;
    RemoveModalKeyHandler();
    while (internalQueueHead) {
        AInternalEvent* next = internalQueueHead->itsNext;
        delete internalQueueHead;
        internalQueueHead = next;
    }
    internalQueueTail = nullptr;
    delete endOfEventTasks;
    delete windowList; // the windows themselves belong to their owners
    if (launch) {
        for (AFileLocator* f : launch->pending)
            delete f;
        launch->server.Close();
        delete launch;
    }
    KsAESetHandler(nullptr, 0);
    KsAppRemoveQuitSignals();
}

void AApplication::SetCommandLine(int argc, const char* const* argv) {
    auto& files = AApplicationPrivate::L(this).files;
    files.clear();
    bool options = true;
    for (int i = 1; i < argc && argv; ++i) {
        const char* a = argv[i];
        if (!a) break;
        if (options && std::strcmp(a, "--") == 0) {
            options = false;
            continue;
        }
        if (options && a[0] == '-') continue;
        files.emplace_back(a);
    }
}

const char* AApplication::GetRequestSocketPath() const {
    return launch && launch->server.IsOpen() ? launch->server.Path().c_str() : "";
}

// ---------------------------------------------------------------------------
// Start-up

void AApplication::IApplication() {
    gApplication = this;
    xInstallDisplay(DisplayHook);
    EMRegisterMessages(kMessages, int(sizeof kMessages / sizeof kMessages[0]));
    InstallAppExceptionHandler();

    m2bModeEnabled = 0;
    appResFile = CurResFile();
    authorName[0] = 0;
    aboutWindow = nullptr;
    modalKeyHandler = nullptr;
    inForeground = 1;
    lastInputTicks = 0;
    postedNick = 0;
    appIsBusy = 0;
    aeLockDepth = 0;
    mouseCapture = nullptr;
    useInternalEventQueue = 1;
    shortAppName[0] = 0;
    KSGetApplName(longAppName, int(sizeof longAppName));

    AHwOsInfo::MakeHwOsInfo();
    KsMemInit();
    KsMemMoreMasters(20);
    KsMemSetPayload(4000);
    RegLowMemThreshold(4000);

    InitCursor();
    SetWatchCursor();
    InitWindows();
    // Message boxes: every UIdialog of the process shows the framework's.
    KsSDlogInit();
    KsSDlogSetCleanup(DialogCleanup);
    KsSDlogSetUpdate(UpdateEventThunk);
    InstallUIdialog(KsSimpleDlg);
    SDLSetCleanupProc(DialogCleanup);
    SDLSetUpdateEvtProc(UpdateEventThunk);

    StartInit();

    const std::string version = GetVersionInfo();
    LogFile::WriteLog("Startup", version.c_str());
    AppEventLog::WriteLog("Startup", version.c_str());

    InitTranslationTable("Default", false);
    // Text-services editing does not exist here.
    StatInit();
    InstallUIrtns(StatSpinCursor, StatUpdate, StatReset, StatCloseOnMainThread);

    OpenResourceFiles();
    AScreenManOS::New();

    KsFailureHost host = KsGetFailureHost();
    host.displayingException = &displayingException;
    host.updateAllWindows = UpdateAllThunk;
    host.fatalErrDialog = FatalDialogThunk;
    if (!host.showHelp)
        host.showHelp = [](const char* code, short style, void*) { DisplayWinHelp(code, style); };
    KsSetFailureHost(host);

    InstallFtlErrHandler();
    BuildMenus();

    if (!windowList) windowList = new CKsList;
    if (!endOfEventTasks) {
        endOfEventTasks = new AArray;
        endOfEventTasks->IArray(Size(sizeof(void (*)(void*)) + sizeof(void*)));
    }

    // Outside requests: one handler for every class and ID.
    KsAESetHandler(AppleEventHandler, 0);
    KsAppInstallQuitSignals();
    Launch& l = AApplicationPrivate::L(this);
    const char* name = shortAppName[0] ? shortAppName : longAppName;
    const XError e = KsTryStandard([&] {
        const std::string path = KsAppRequestSocketPath(name);
        if (l.server.Open(path) == KsAppRequestServer::OpenResult::otherInstance &&
            !l.files.empty()) {
            std::string req = "OPEN\n";
            for (const std::string& f : l.files) {
                std::string full = f;
                if (full.empty() || full[0] != '/') {
                    char cwd[4096];
                    if (getcwd(cwd, sizeof cwd)) full = std::string(cwd) + "/" + f;
                }
                req += full + "\n";
            }
            std::string answer;
            if (KsSendAppRequest(path, req + "\n", &answer) && answer.rfind("OK", 0) == 0)
                l.handedOff = true;
        }
    });
    if (e.IsError()) dprintf("Request socket not available: %s\n", e.GetText().c_str());

    if (!gAtExitRegistered) {
        gAtExitRegistered = true;
        std::atexit(AtExitCleanup);
        std::atexit(AtExitNothing);
    }
    FinishInit();
}

void AApplication::StartInit() {}

void AApplication::FinishInit() {
    SetArrowCursor();
    UIstatClose();
}

void AApplication::OpenResourceFiles() {
    // The resource file list names nothing on this platform.
}

void AApplication::InstallAppExceptionHandler() {}

void AApplication::Go() {
    FtlInstall(FatalErrDebug);
    ESInit();
    int stage = 0;
    try {
        IApplication();
        stage = 1;
        Launch& l = AApplicationPrivate::L(this);
        if (l.handedOff) {
            QuitCompleted = 1;
        } else {
            // The launch request: the files of the command line.
            if (!l.files.empty()) {
                AEDesc list, ev, reply;
                AECreateList(&list);
                for (const std::string& f : l.files)
                    AEPutPtr(&list, 0, typeFSS, f.data(), Size(f.size()));
                KsAECreateEvent(kCoreEventClass, kAEOpenDocuments, &ev);
                AEPutParamDesc(&ev, keyDirectObject, &list);
                KsAEDispatch(&ev, &reply);
            }
            std::vector<AFileLocator*> pending;
            pending.swap(l.pending);
            for (AFileLocator*& f : pending) {
                const XError e = KsTryStandard([&] { OpenFile(f); });
                delete f;
                f = nullptr;
                if (e.IsError()) {
                    StSetCurrentException current(e);
                    xDisplay(e.GetCode());
                }
            }
            l.running = true;
            LogFile::WriteLog("Ready", "Application ready for user");
            AppEventLog::WriteLog("Ready", "Application ready for user");
            Run();
        }
        stage = 2;
        LogFile::WriteLog("Exiting", "Application about to exit normally");
        Exit();
    } catch (...) {
        const XError e = XErrorFromCurrentException();
        StSetCurrentException current(e);
        if (stage == 0 && e.GetCode() && std::strcmp(e.GetCode(), "BASE_USER_ABORT") == 0) {
            KsAppCallExit(0);
            return;
        }
        static char texts[3][64] = {"Error occurred while initializing.\n",
                                    "Untrapped exception during run.\n",
                                    "Error occurred during exit method.\n"};
        FatalException(e.GetCode(), texts[stage]);
    }
}

// ---------------------------------------------------------------------------
// Run and quitting

void AApplication::Run() {
    while (!QuitCompleted) {
        const XError e = KsTryStandard([&] {
            ProcessEvent(-1);
            if (DoDeferredQuit && !QuitCompleted) {
                QuitCmd();
                DoDeferredQuit = 0;
            }
            ProcessThreadEvents();
        });
        if (e.IsError()) {
            DoDeferredQuit = 0;
            StSetCurrentException current(e);
            DisplayException(e.GetCode(), false);
        }
    }
    SetArrowCursor();
    HiliteMenu(0);
}

void AApplication::ProcessThreadEvents() {}

void AApplication::QuitCmd() {
    if (windowList) {
        // A snapshot: a window may leave the list while it is asked.
        const SInt32 n = windowList->GetCount();
        std::vector<AWindow*> windows;
        windows.reserve(size_t(n));
        for (SInt32 i = 1; i <= n; ++i)
            windows.push_back(windowList->AtAs<AWindow>(i));
        for (AWindow* w : windows) {
            if (!IsStillAWindow(w)) continue;
            if (w->GetIsDirtyDoc() && w->SendMsg(wmClose, nullptr, 1, 0)) return; // cancelled
        }
    }
    BroadcastWinProc(wmQuit, nullptr, 0, 0);
    FlushEvents(0x4000, 0);
    QuitCompleted = 1;
}

// ---------------------------------------------------------------------------
// Exit

void AApplication::Exit() {
    KsAppExitCleanup();
    KsAppCallExit(0);
}

void AApplication::ExitToShellCleanup() {
    KsMemCleanup();
    if (launch) launch->server.Close();
    KsAppRemoveQuitSignals();
}

// ---------------------------------------------------------------------------
// The window list

void AApplication::AddToWindowList(AWindow* window) {
    if (windowList && window && !windowList->Contains(window)) windowList->Append(window);
}

void AApplication::ForgetWindow(AWindow* window) {
    if (!windowList || !window) return;
    windowList->Remove(window);
    if (aboutWindow == window) aboutWindow = nullptr;
}

unsigned char AApplication::IsStillAWindow(const AWindow* window) {
    return windowList && window && windowList->Contains(window);
}

unsigned char AApplication::IsWptrInWindowList(WindowPtr window) {
    if (!windowList || !window) return false;
    const SInt32 n = windowList->GetCount();
    for (SInt32 i = 1; i <= n; ++i)
        if (windowList->AtAs<AWindow>(i)->GetWindowPtr() == window) return true;
    return false;
}

void AApplication::SaveWindowState(AWindow*) {}
unsigned char AApplication::RestoreWindowState(AWindow*) {
    return false;
}

void AApplication::SetAuthorName(char* name) {
    CopyBounded(authorName, name, sizeof authorName);
}

void AApplication::UpdateAllWindows() {
    BroadcastWinProc(wmUpdate, nullptr, 0, 0);
}

void AApplication::ForceRedrawOfAllWindows() {
    if (!windowList) return;
    const SInt32 n = windowList->GetCount();
    std::vector<AWindow*> windows;
    for (SInt32 i = 1; i <= n; ++i)
        windows.push_back(windowList->AtAs<AWindow>(i));
    for (AWindow* w : windows) {
        if (!IsStillAWindow(w)) continue;
        if (WindowPtr p = w->GetWindowPtr()) {
            Rect all{-32768, -32768, 32767, 32767};
            InvalWindowRect(p, &all);
        }
        w->SendMsg(wmUpdate, nullptr, 0, 0);
    }
}

// ---------------------------------------------------------------------------
// Names and flags

char* AApplication::GetShortAppName() {
    return shortAppName;
}
char* AApplication::GetLongAppName() {
    return longAppName;
}
void AApplication::SetShortAppName(const char* name) {
    CopyBounded(shortAppName, name, sizeof shortAppName);
}
void AApplication::SetLongAppName(const char* name) {
    CopyBounded(longAppName, name, sizeof longAppName);
}
unsigned char AApplication::GetAppIsBusy() {
    return appIsBusy;
}
void AApplication::SetAppIsBusy(unsigned char busy) {
    appIsBusy = busy ? 1 : 0;
}
void AApplication::SetUseInternalEventQueue(unsigned char on) {
    useInternalEventQueue = on ? 1 : 0;
}
unsigned char AApplication::GetUseInternalEventQueue() {
    return useInternalEventQueue;
}

// ---------------------------------------------------------------------------
// Failure reporting: the bodies live in KsFailureReport.

bool AApplication::DisplayException(const char* code, bool allowAbort) {
    return KsDisplayException(code, allowAbort);
}
void AApplication::FatalException(const char* code, char* text) {
    KsFatalException(code, text);
}
short AApplication::FatalErrDialog(char* message, char* file, int line) {
    return KsFatalErrDialog(message, file, line);
}
unsigned char AApplication::FatalErrDebug(char* message, char* file, int line) {
    return KsFatalErrDebug(message, file, line);
}
unsigned char AApplication::FatalErrUI(char* message, char* file, int line) {
    return KsFatalErrUI(message, file, line);
}
void AApplication::InstallFtlErrHandler() {
    KsInstallFtlErrHandler();
}
void AApplication::CheckMemory() {
    KsCheckMemory();
}

// ---------------------------------------------------------------------------
// Menus and commands

void AApplication::BuildMenus() {
    ABartender* bartender = ABartender::New();
    bartender->IBartender(shortAppName[0] ? shortAppName : nullptr);
    CreateTheFileMenu();
    CreateTheEditMenu();
}

void AApplication::CreateTheFileMenu() {
    MenuInfo** m = gBartender->CreateMenu(stx("File"), kFileMenuID, 1);
    gBartender->AppendMenuItem(m, kNickNew, stx("&New"), 'N', 0, 0);
    gBartender->AppendMenuItem(m, kNickOpen, stx("&Open..."), 'O', 0, 0);
    gBartender->AppendSeparator(m);
    gBartender->AppendMenuItem(m, kNickClose, stx("&Close"), 'W', 0, 0);
    gBartender->AppendMenuItem(m, kNickSave, stx("&Save"), 'S', 0, 0);
    gBartender->AppendMenuItem(m, kNickSaveAs, stx("Save &As..."), 0, 0, 0);
    gBartender->AppendSeparator(m);
    gBartender->AppendMenuItem(m, kNickPageSetup, stx("Page Set&up..."), 0, 0, 0);
    gBartender->AppendMenuItem(m, kNickPrint, stx("&Print..."), 'P', 0, 0);
    gBartender->AppendSeparator(m);
    gBartender->AppendMenuItem(m, kNickQuit, stx("E&xit"), 'Q', 0, 0);
}

void AApplication::CreateTheEditMenu() {
    MenuInfo** m = gBartender->CreateMenu(stx("Edit"), kEditMenuID, 1);
    gBartender->AppendMenuItem(m, kNickUndo, stx("&Undo"), 'Z', 0, 0);
    gBartender->AppendMenuItem(m, kNickRedo, stx("&Redo"), 'R', 0, 0);
    gBartender->AppendSeparator(m);
    gBartender->AppendMenuItem(m, kNickCut, stx("Cu&t"), 'X', 0, 0);
    gBartender->AppendMenuItem(m, kNickCopy, stx("&Copy"), 'C', 0, 0);
    gBartender->AppendMenuItem(m, kNickPaste, stx("&Paste"), 'V', 0, 0);
    gBartender->AppendMenuItem(m, kNickClear, stx("Clear"), 0, 0, 0);
    gBartender->AppendSeparator(m);
    gBartender->AppendMenuItem(m, kNickSelectAll, stx("Select &All"), 'A', 0, 0);
}

void AApplication::UpdateMenus() {
    if (!gBartender) return;
    gBartender->ResetAllMenus();
    UpdateStdMenus();
}

void AApplication::UpdateStdMenus() {
    UpdateTheFileMenu();
    UpdateTheEditMenu();
}

void AApplication::UpdateTheFileMenu() {
    if (!gBartender) return;
    gBartender->EnableAndSetMenuItem(kNickNew, stx("&New..."));
    gBartender->EnableAndSetMenuItem(kNickOpen, stx("&Open..."));
    gBartender->SetMenuItem(kNickClose, stx("&Close"));
    gBartender->SetMenuItem(kNickSave, stx("&Save..."));
    gBartender->SetMenuItem(kNickSaveAs, stx("Save &As..."));
    gBartender->SetMenuItem(kNickPrint, stx("&Print..."));
    gBartender->MacEnableMenuItem(kNickQuit);
    if (AWindow* w = GetWindowObj(KsAppActiveWindow())) {
        if (w->GetIsDirtyDoc()) {
            gBartender->MacEnableMenuItem(kNickSave);
            gBartender->MacEnableMenuItem(kNickSaveAs);
        }
        if (w->HasCloseBox()) gBartender->MacEnableMenuItem(kNickClose);
    }
}

void AApplication::UpdateTheEditMenu() {
    if (KsAppEdit().updateEditMenu) KsAppEdit().updateEditMenu();
}

unsigned char AApplication::HandleStdMenus(short menuID, short nick) {
    const KsAppEditHooks& edit = KsAppEdit();
    switch (nick) {
    case kNickNew:
        NewCmd(nullptr, nullptr);
        return true;
    case kNickOpen:
        OpenCmd(nullptr);
        return true;
    case kNickClose:
        CloseCmd(KsAppActiveWindow());
        return true;
    case kNickSave:
        SaveCmd(KsAppActiveWindow(), false);
        return true;
    case kNickSaveAs:
        SaveCmd(KsAppActiveWindow(), true);
        return true;
    case kNickPageSetup:
        if (edit.pageSetup) edit.pageSetup();
        return true;
    case kNickQuit:
        QuitCmd();
        return true;
    case kNickUndo:
        if (edit.undo) edit.undo();
        return true;
    case kNickRedo:
        if (edit.redo) edit.redo();
        return true;
    case kNickAbout:
        AboutCmd();
        return true;
    default:
        break;
    }
    if (nick >= kNickCut && nick <= kNickSelectAll && edit.isActive && edit.isActive()) {
        void (*ops[])() = {edit.cut, edit.copy, edit.paste, edit.clear, edit.selectAll};
        if (void (*op)() = ops[nick - kNickCut]) op();
        return true;
    }
    // Desk accessories of the Apple menu do not exist on this platform: the
    // item is taken and nothing opens.
    if (menuID == kAppleMenuID && nick != kNickAbout) return true;
    return false;
}

// The locator is the caller's for the length of the command; an error on
// the way is raised again once it is freed.
void AApplication::NewCmd(const ADirLocator* dir, char* const name) {
    AFileLocator where;
    if (name && *name) where.SetName(name);
    if (AFileDialog::NameFile(stx("New File Name..."), &where, AFileDialog::kAnyType, dir))
        NewFile(&where);
}

void AApplication::OpenCmd(const ADirLocator* dir) {
    std::unique_ptr<AFileLocator> chosen(
        AFileDialog::SelectFile(stx("Select file to open..."), 0, nullptr, dir, 0));
    if (chosen) OpenFile(chosen.get());
}

// One About window serves every use; it is made on the first.
void AApplication::AboutCmd() {
    if (!aboutWindow) {
        auto* about = new AboutBoxWindow;
        try {
            about->IAboutBoxWindow();
        } catch (...) {
            about->Dispose();
            throw;
        }
        aboutWindow = about;
    }
    aboutWindow->SelectAndShow();
}

void AApplication::PreferencesCmd() {}

unsigned char AApplication::CloseCmd(WindowPtr window) {
    return SendWindowMsg(wmClose, window, nullptr, 0, 1);
}

unsigned char AApplication::SaveCmd(WindowPtr window, unsigned char saveAs) {
    AWindow* w = GetWindowObj(window);
    if (!w) return false;
    return w->SaveWindow(saveAs != 0, nullptr);
}

void AApplication::OpenFile(AFileLocator*) {}
void AApplication::NewFile(AFileLocator*) {}
void AApplication::PrintFile(AFileLocator*) {}

// ---------------------------------------------------------------------------
// Requests

short AApplication::DoAppleEvent(AEDesc* event, AEDesc*, long) {
    UInt32 evClass = 0, evID = 0;
    OSErr err = AEGetAttributePtr(event, keyEventClassAttr, typeType, nullptr, &evClass,
                                  sizeof evClass, nullptr);
    if (err) return err;
    err = AEGetAttributePtr(event, keyEventIDAttr, typeType, nullptr, &evID, sizeof evID, nullptr);
    if (err) return err;

    if (evClass == kCoreEventClass) {
        switch (evID) {
        case kAEOpenApplication:
            return 0;
        case kAEOpenDocuments:
        case kAEPrintDocuments: {
            AEDesc list;
            err = AEGetParamDesc(event, keyDirectObject, typeAEList, &list);
            if (err) return err;
            long count = 0;
            err = AECountItems(&list, &count);
            if (err) return err;
            Launch& l = AApplicationPrivate::L(this);
            const bool atOnce = l.running || evID == kAEPrintDocuments;
            if (!atOnce) {
                for (AFileLocator* f : l.pending)
                    delete f;
                l.pending.clear();
            }
            int failures = 0;
            for (long i = 1; i <= count; ++i) {
                AEDesc item;
                if (AEGetNthDesc(&list, i, typeFSS, nullptr, &item) != 0) {
                    ++failures;
                    continue;
                }
                const std::string path(item.data.begin(), item.data.end());
                AFileLocator* loc = nullptr;
                const XError made = KsTryStandard([&] {
                    if (path.find('\0') != std::string::npos) xraisexerror("FILE_BAD_NAME");
                    loc = new AFileLocator(AFileLocator::FromPath(path));
                    if (!loc->IsValid()) xraisexerror("FILE_BAD_NAME", "str name", path);
                });
                if (made.IsError()) {
                    delete loc;
                    ++failures;
                    continue;
                }
                if (!atOnce) {
                    l.pending.push_back(loc);
                    continue;
                }
                // After start-up each document opens now; a failure is shown
                // and the next one is tried.
                const XError e = KsTryStandard([&] {
                    if (evID == kAEPrintDocuments)
                        PrintFile(loc);
                    else
                        OpenFile(loc);
                });
                delete loc;
                if (e.IsError()) {
                    ++failures;
                    StSetCurrentException current(e);
                    xDisplay(e.GetCode());
                }
            }
            return failures ? errAEEventFailed : 0;
        }
        case kAEQuitApplication:
            if (GetAppIsBusy()) {
                SysBeep(1);
                return userCanceledErr;
            }
            QuitCmd();
            return QuitCompleted ? 0 : userCanceledErr;
        case kAEShowPreferences:
            PreferencesCmd();
            return 0;
        default:
            return errAEEventNotHandled;
        }
    }
    if (evClass == kKsEventClass) {
        if (evID != kKsEventNick) return 0;
        SInt32 nick = 0;
        SInt16 keys = 0;
        Size got = 0;
        err = AEGetParamPtr(event, keyKsNick, typeSInt32, nullptr, &nick, sizeof nick, &got);
        if (err) return err;
        if (got != sizeof nick) return errAEWrongDataType;
        err = AEGetParamPtr(event, keyKsKeys, typeSInt16, nullptr, &keys, sizeof keys, &got);
        if (err) return err;
        if (got != sizeof keys) return errAEWrongDataType;
        // The same rule as a menu command: a disabled command only beeps,
        // and the sender learns that nothing ran.
        return AApplicationPrivate::NickCommand(this, nick, keys) ? 0 : errAEEventFailed;
    }
    return errAEEventNotHandled;
}

void AApplication::setAEAddress(AEDesc* addr) {
    if (!addr) return;
    const SInt32 pid = SInt32(getpid());
    *addr = AEDesc{};
    addr->descriptorType = typeProcessSerialNumber;
    addr->data.assign(reinterpret_cast<const UInt8*>(&pid),
                      reinterpret_cast<const UInt8*>(&pid) + sizeof pid);
}

void AApplication::sendSelfAppleEvent(unsigned long eventClass, unsigned long eventID,
                                      unsigned long keyword, const AEDesc* param) {
    AEDesc address, ev, reply;
    setAEAddress(&address);
    OSErr err = KsAECreateEvent(AEEventClass(eventClass), AEEventID(eventID), &ev);
    if (!err && param) err = AEPutParamDesc(&ev, AEKeyword(keyword), param);
    if (err) xraisexerror("SYS_ERROR", "short OSErr", err);
    // This process is the only address: the request is handled now.
    err = KsAEDispatch(&ev, &reply);
    AEDisposeDesc(&ev);
    AEDisposeDesc(&address);
    if (err) xraisexerror("SYS_ERROR", "short OSErr", err);
}

void AApplication::HighLevelEvent(EventRecord event) {
    // The desktop's quit request: class in the message, ID in where.
    const UInt32 evClass = event.message;
    const UInt32 evID = UInt32(UInt16(event.where.v)) << 16 | UInt16(event.where.h);
    AEDesc ev, reply;
    KsAECreateEvent(evClass, evID, &ev);
    KsAEDispatch(&ev, &reply);
}

void AApplicationPrivate::PollRequests(AApplication* app) {
    if (KsAppTakeQuitSignal()) {
        AEDesc ev, reply;
        KsAECreateEvent(kCoreEventClass, kAEQuitApplication, &ev);
        KsAEDispatch(&ev, &reply);
    }
    // The coarse clock is cheap and finer than a tick; the ticks matter only
    // where they move without it, on a virtual clock.
    if (app->launch && app->launch->server.IsOpen())
        app->launch->server.PollIfDue(KsIsVirtualClock() ? KsGetTicks() : 0,
                                      KsAppCoarseMilliseconds());
}

// ---------------------------------------------------------------------------
// The lock

AApplicationAELock::AApplicationAELock(AApplication* app) : itsApp(app) {
    if (!itsApp) return;
    if (itsApp->aeLockDepth++ == 0) itsApp->SetAppIsBusy(true);
}

AApplicationAELock::~AApplicationAELock() {
    if (!itsApp) return;
    if (--itsApp->aeLockDepth == 0) itsApp->SetAppIsBusy(false);
}
