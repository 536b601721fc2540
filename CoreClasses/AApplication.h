// AApplication: the one application object of a process, and its event loop.
//
// A host derives its own class, constructs one instance and calls Go. Go runs
// IApplication (start-up), opens the documents named at launch, runs the
// event loop (Run) until quitting is complete, and shuts down (Exit).
//
// Sections: the shared event state; internal events and the modal key
// handler; the application; the request lock; free functions.
//
// Ownership: the application owns its window list (the list, not the
// windows: each window adds and forgets itself), the modal key handler, the
// end-of-event task array and the internal event queue. Everything runs on
// the main thread.
#pragma once

#include "AObject.h"
#include "AWindow.h"
#include "Events.h"
#include "KsAppRequests.h"

class AArray;
class CKsList;
class APane;
class AFileLocator;
class ADirLocator;

// ---------------------------------------------------------------------------
// Shared event state

enum nullEventType_t : int {
    kNullEventFromRun = 0,       // the run loop's own null events
    kNullEventFromUserCheck = 1, // made by CheckForUserEventCustom
};

extern EventRecord CurrentEvent; // the event being handled
extern long CurrentNickNum;      // 0 at the start of every handled event
extern unsigned char CurrentNickNumShifted;
extern nullEventType_t gNullEventType; // only while NullEvent runs
extern int gl_nullEventProcessing;     // 1 inside ProcessEvent's null branch
// The longest the event loop's wait may sleep, in ticks. By default it sleeps
// until input comes or something asks to run (caret, tips, posted and
// internal events, the request socket); 0 makes each turn return at once.
extern long gl_sleepTime;
constexpr long kKsLoopSleepLongest = 60L * 60 * 60 * 24; // its default: a day
extern unsigned char DoDeferredQuit;   // Run quits after the current event
extern unsigned char QuitCompleted;    // Run ends

class AApplication;
extern AApplication* gApplication;

// ---------------------------------------------------------------------------
// Internal events and the modal key handler

// A queued copy of an event record; the queue owns it until it is handled.
class AInternalEvent : public AObject {
    KS_DECLARE_CLASS(AInternalEvent, AObject)

    AInternalEvent();                              // CurrentEvent with what = 0
    explicit AInternalEvent(const EventRecord& e); // a copy of e

    EventRecord itsEvent{};
    AInternalEvent* itsNext = nullptr;
};

// A posted command: CurrentEvent with what = 0 and the modifier keys given.
class ANickNumEvent : public AInternalEvent {
    KS_DECLARE_CLASS(ANickNumEvent, AInternalEvent)

    ANickNumEvent(long nick, short modifiers);
    long itsNick = 0;
};

// Sees every key-down first while installed (the application owns it).
class AAppModalKeyHandler : public AObject {
    KS_DECLARE_CLASS(AAppModalKeyHandler, AObject)

    // *done = 1 uninstalls the handler after this key; true consumes the key.
    virtual unsigned char DoKey(unsigned char* done, const EventRecord* event, short charCode,
                                short keyCode);
};

// What the text-field glue supplies to the standard Edit commands and to the
// idle pass. The text-edit glue's hooks are installed from the start
// (KsTextEditHooks.h); a null entry does nothing.
struct KsAppEditHooks {
    bool (*isActive)() = nullptr;
    void (*cut)() = nullptr;
    void (*copy)() = nullptr;
    void (*paste)() = nullptr;
    void (*clear)() = nullptr;
    void (*selectAll)() = nullptr;
    void (*idle)() = nullptr;           // caret blink
    void (*updateEditMenu)() = nullptr; // enables the Edit items a field allows
    void (*undo)() = nullptr;
    void (*redo)() = nullptr;
    void (*pageSetup)() = nullptr;
};
KsAppEditHooks KsSetAppEditHooks(const KsAppEditHooks& hooks); // answers the previous set

// ---------------------------------------------------------------------------
// The application

// Standard menus and nick numbers.
enum : short { kAppleMenuID = 256, kFileMenuID = 257, kEditMenuID = 258 };
enum : long {
    kNickNew = 1001,
    kNickOpen = 1002,
    kNickClose = 1003,
    kNickSave = 1004,
    kNickSaveAs = 1005,
    kNickPageSetup = 1006,
    kNickPrint = 1007,
    kNickQuit = 1010,
    kNickUndo = 1030,
    kNickRedo = 1031,
    kNickCut = 1032,
    kNickCopy = 1033,
    kNickPaste = 1034,
    kNickClear = 1035,
    kNickSelectAll = 1036,
    kNickAbout = 1100,
};

class AApplication : public AObject {
    KS_DECLARE_CLASS(AApplication, AObject)

    AApplication();
    ~AApplication() override;
    // One application per process: it is never copied.
    AApplication(const AApplication&) = delete;
    AApplication& operator=(const AApplication&) = delete;

    // --- Events (AApplicationEvents.cpp)
    virtual void NullEvent(EventRecord event, WindowPtr mouseWindow, short mousePart,
                           nullEventType_t type);
    virtual void MouseDownEvent(EventRecord event, WindowPtr window, short part);
    virtual void MouseUpEvent(EventRecord event);
    virtual void UpdateAllTheMenus();
    virtual void ActivateEvent(EventRecord event);
    virtual void App1Event(EventRecord event);
    virtual void DiskEvent(EventRecord event);
    virtual void UpdateEvent(EventRecord event);
    virtual unsigned char KeyDownEvent(EventRecord event);
    virtual unsigned char KeyUpEvent(EventRecord event);
    virtual unsigned char HandleStdKeyDown(EventRecord* event, short charCode, short keyCode);
    virtual long KbdEquivToMenuCode(EventRecord* event, short charCode, short keyCode);
    virtual unsigned char HandleHiPriorityGlobalKeyDown(EventRecord* event, short charCode,
                                                        short keyCode);
    virtual unsigned char HandleLoPriorityGlobalKeyDown(EventRecord* event, short charCode,
                                                        short keyCode);
    virtual void InstallModalKeyHandler(AAppModalKeyHandler* handler);
    virtual void RemoveModalKeyHandler();
    virtual void SuspendEvent(EventRecord event);
    virtual void ResumeEvent(EventRecord event);
    virtual void OSEvent(EventRecord event);
    virtual void MenuClickEvent(EventRecord event);
    virtual void HighLevelEvent(EventRecord event);
    // Outside requests (KsAppRequests.h): the single entry point.
    virtual short DoAppleEvent(AEDesc* event, AEDesc* reply, long refcon);
    virtual void sendSelfAppleEvent(unsigned long eventClass, unsigned long eventID,
                                    unsigned long keyword, const AEDesc* param);
    virtual void UpdateMenus();
    virtual void UpdateStdMenus();
    virtual unsigned char HandleStdMenus(short menuID, short nick);
    virtual void MenuDispatch(long menuCode, EventRecord event);
    virtual void CheckMemory();

    // --- Life (AApplication.cpp)
    virtual void IApplication();
    virtual void StartInit();
    virtual void FinishInit();
    virtual void OpenResourceFiles();
    virtual void Go();
    virtual void Run();
    virtual void Exit();
    virtual unsigned char ProcessEvent(short mask);
    virtual void ProcessThreadEvents();
    virtual void ModifyEvent(EventRecord* event);
    virtual bool DisplayException(const char* code, bool allowAbort);
    virtual void FatalException(const char* code, char* text);
    virtual short FatalErrDialog(char* message, char* file, int line);

    // --- Standard commands
    virtual void OpenCmd(const ADirLocator* dir);
    virtual void NewCmd(const ADirLocator* dir, char* const name);
    virtual void QuitCmd();
    virtual void AboutCmd();
    virtual void PreferencesCmd();
    virtual unsigned char CloseCmd(WindowPtr window);
    virtual unsigned char SaveCmd(WindowPtr window, unsigned char saveAs);
    virtual void ExitToShellCleanup();
    virtual void OpenFile(AFileLocator* file);
    virtual void NewFile(AFileLocator* file);
    virtual void PrintFile(AFileLocator* file);

    // --- Window list (does nothing before IApplication made it)
    virtual void ForgetWindow(AWindow* window);
    virtual void AddToWindowList(AWindow* window);
    virtual unsigned char IsStillAWindow(const AWindow* window);
    virtual unsigned char IsWptrInWindowList(WindowPtr window);
    virtual void SaveWindowState(AWindow* window);
    virtual unsigned char RestoreWindowState(AWindow* window);
    virtual void SetAuthorName(char* name);
    const char* GetAuthorName() const { return authorName; }
    virtual void UpdateAllWindows();
    virtual void ForceRedrawOfAllWindows();
    virtual void InstallFtlErrHandler();
    virtual unsigned char MenuBroadcast(EventRecord event, short menuID, long nick);
    virtual void BroadcastWinProc(windowMsgID_t message, EventRecord* event, long a, long b);
    virtual void AddEndOfEventTask(void (*proc)(void*), void* data);
    virtual void RemoveEndOfEventTask(void (*proc)(void*), void* data);
    virtual unsigned char HandleEvent(EventRecord* event);
    virtual long PeekPostedNickNum();
    virtual void RemovePostedNickNum();
    virtual char* GetShortAppName();
    virtual char* GetLongAppName();
    virtual void SetShortAppName(const char* name);
    virtual void SetLongAppName(const char* name);
    virtual unsigned char GetAppIsBusy();
    virtual void SetAppIsBusy(unsigned char busy);
    virtual void SetUseInternalEventQueue(unsigned char on);
    virtual unsigned char GetUseInternalEventQueue();
    virtual void PostNickNumEvent(long nick, short modifiers);
    virtual unsigned char PostNickNumEvent_old(long nick, short modifiers);
    virtual int GetSysEventMask();
    virtual int SetSysEventMask(int mask);

    // Not virtual.
    void PostInternalEvent(const EventRecord& record);
    void BroadcastNickNum(long nick, short modifiers);
    // Takes the posted nick when it was posted at or before `when`.
    unsigned char HandlePostedNickNum(long when);
    void SetMouseCapture(APane* pane) { mouseCapture = pane; }
    void ReleaseMouseCapture() { mouseCapture = nullptr; }
    APane* GetMouseCapture() const { return mouseCapture; }
    bool IsM2BmodeEnabled() const { return m2bModeEnabled != 0; }
    void SetM2BmodeEnabled(bool on) { m2bModeEnabled = on; }
    void UseResourceFileList(bool on) { useResourceFileList = on; }
    bool HasWindowList() const { return windowList != nullptr; }
    unsigned char InForeground() const { return inForeground; }
    long GetLastInputTicks() const { return lastInputTicks; }
    long GetNullCountdown() const { return nullCountdown; }
    void SetNullCountdown(long n) { nullCountdown = n; }
    // The command line: arguments that are not options ("-x", "--x"; "--"
    // ends the options) name documents, which arrive as the open-documents
    // request at start-up. Set before Go.
    void SetCommandLine(int argc, const char* const* argv);
    // The socket through which scripts and later launches reach this
    // application; empty when it is not listening.
    const char* GetRequestSocketPath() const;

    // Failure reporting (forwards to KsFailureReport.h).
    static unsigned char FatalErrDebug(char* message, char* file, int line);
    static unsigned char FatalErrUI(char* message, char* file, int line);

protected:
    virtual void BuildMenus();
    virtual void CreateTheFileMenu();
    virtual void CreateTheEditMenu();
    virtual void UpdateTheFileMenu();
    virtual void UpdateTheEditMenu();
    virtual void setAEAddress(AEDesc* addr);
    virtual void DoEndOfEventTasks();
    virtual void InstallAppExceptionHandler();
    virtual unsigned char HandleInternalEvent(const AInternalEvent& event);

private:
    friend struct AApplicationPrivate;
    friend class AApplicationAELock;

    AWindow* aboutWindow = nullptr;
    char authorName[32] = {};
    short appResFile = 0;
    unsigned char inForeground = 0;
    long lastInputTicks = 0;
    CKsList* windowList = nullptr;
    AAppModalKeyHandler* modalKeyHandler = nullptr;
    AArray* endOfEventTasks = nullptr;
    long nullCountdown = 0;
    char shortAppName[128] = {};
    char longAppName[128] = {};
    long postedNick = 0;
    short postedModifiers = 0;
    long postedTicks = 0;
    unsigned char appIsBusy = 0;
    unsigned char useInternalEventQueue = 0;
    unsigned char m2bModeEnabled = 0;
    unsigned char useResourceFileList = 1;
    unsigned char displayingException = 0;
    APane* mouseCapture = nullptr;
    AInternalEvent* internalQueueHead = nullptr;
    AInternalEvent* internalQueueTail = nullptr;
    int sysEventMask = 0xFFEF;
    int aeLockDepth = 0; // live AApplicationAELocks

    // Linux launch and requests.
    struct Launch;
    Launch* launch = nullptr;
};

// ---------------------------------------------------------------------------
// The request lock

// While one exists the application is busy and refuses a quit request.
// Nests: the application stays busy until the outermost lock ends.
class AApplicationAELock {
public:
    explicit AApplicationAELock(AApplication* app);
    ~AApplicationAELock();
    AApplicationAELock(const AApplicationAELock&) = delete;
    AApplicationAELock& operator=(const AApplicationAELock&) = delete;

private:
    AApplication* itsApp;
};

// ---------------------------------------------------------------------------
// Free functions

unsigned char KsEventAvail(short mask, EventRecord* event);
// Obsolete: a fatal error; answers false if the fatal path returns.
unsigned char KsWaitNextEvent(short mask, EventRecord* event, long sleep, const KsRgn& mouseRgn);
unsigned char CheckForUserEvent(long interval);
unsigned char CheckForUserEventCustom(long interval, unsigned char (*filter)(EventRecord*));
unsigned char ProcessUpdateEvent(EventRecord event);
void WindImmedUpdate(WindowPtr window, unsigned char unused);
unsigned char RightMouseButton(EventRecord* event);
// True after the 2nd, 4th, 6th... click of a series.
unsigned char DoubleClick();
void setstacksize(long size);
// The active window: the hilited one of the toolbox list; null when none.
WindowPtr KsAppActiveWindow();
