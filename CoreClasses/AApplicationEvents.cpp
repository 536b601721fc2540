// The event loop: one poll and its routing, mouse and key handling, menu
// commands as nick numbers, broadcasts, idle distribution, the internal queue
// and the posted nick, end-of-event tasks, and the polls of long operations.
//
// Windows are only ever reached through window messages. Every walk over
// windows works on a snapshot and checks each window is still alive before
// sending: a handler may close any window, itself included.
#include "AApplication.h"
#include "AApplicationPrivate.h"
#include "APane.h"
#include "AWindowPrivate.h"

#include "AArray.h"
#include "ABartender.h"
#include "CKsList.h"
#include "Cursors.h"
#include "KsDump.h"
#include "KsEventWake.h"
#include "KsFatal.h"
#include "KsHelpFiles.h"
#include "KsPortSavers.h"
#include "KsRgn.h"
#include "KsSimpleDlg.h"
#include "KsTime.h"
#include "KsUIHooks.h"
#include "KsWheelRouting.h"
#include "KsWindowShell.h"
#include "Menus.h"
#include "MiniHelp.h"
#include "Sound.h"
#include "Windows.h"
#include "XError.h"

#include <cstdlib>
#include <optional>
#include <vector>

// ---------------------------------------------------------------------------
// Shared state

EventRecord CurrentEvent{};
long CurrentNickNum = 0;
unsigned char CurrentNickNumShifted = 0;
nullEventType_t gNullEventType = kNullEventFromRun;
int gl_nullEventProcessing = 0;
long gl_sleepTime = kKsLoopSleepLongest;

namespace {

WindowPtr mouseWindow = nullptr;
short mousePart = 0;

short clickCount = 0;
EventRecord lastClick{};
WindowPtr lastClickWindow = nullptr;
EventRecord contentClick{};

bool endOfEventRunning = false;
int broadcastNesting = 0;

// The modal key handler whose DoKey is running, and whether it was removed
// or replaced meanwhile (then it is disposed once DoKey has returned).
AAppModalKeyHandler* handlerInCall = nullptr;
bool handlerRetired = false;

struct EndTask {
    void (*proc)(void*);
    void* data;
};

// A fixed-size snapshot of windows that spills to the heap only for long
// lists, so the idle pass of an ordinary application never allocates.
template <class T> class Snapshot {
public:
    void Add(T item) {
        if (count_ < kInline)
            inline_[count_] = item;
        else
            spill_.push_back(item);
        ++count_;
    }
    size_t Count() const { return count_; }
    T operator[](size_t i) const { return i < kInline ? inline_[i] : spill_[i - kInline]; }

private:
    static constexpr size_t kInline = 64;
    T inline_[kInline];
    size_t count_ = 0;
    std::vector<T> spill_;
};

bool InToolboxList(WindowPtr w) {
    for (WindowPtr p = KsGetWindowList(); p; p = GetNextWindow(p))
        if (p == w) return true;
    return false;
}

// Restores a global on every way out.
template <class T> class StRestore {
public:
    StRestore(T& ref, T value) : ref_(ref), saved_(ref) { ref_ = value; }
    ~StRestore() { ref_ = saved_; }
    StRestore(const StRestore&) = delete;
    StRestore& operator=(const StRestore&) = delete;

private:
    T& ref_;
    T saved_;
};

void Reraise(const XError& e) {
    if (e.IsError()) xraisexerror(e);
}

AWindow* ActiveAWindow() {
    return GetWindowObj(KsAppActiveWindow());
}

} // namespace

WindowPtr KsAppActiveWindow() {
    return KsGetActiveWindow();
}

// ---------------------------------------------------------------------------
// Internal events and the key handler

AInternalEvent::AInternalEvent() : itsEvent(CurrentEvent) {
    itsEvent.what = nullEvent;
}
AInternalEvent::AInternalEvent(const EventRecord& e) : itsEvent(e) {}

ANickNumEvent::ANickNumEvent(long nick, short modifiers) : itsNick(nick) {
    itsEvent.modifiers =
        EventModifiers((itsEvent.modifiers & ~0x1F80) | (UInt16(modifiers) & 0x1F80));
}

unsigned char AAppModalKeyHandler::DoKey(unsigned char* done, const EventRecord*, short, short) {
    if (done) *done = 0;
    return false;
}

void AApplication::InstallModalKeyHandler(AAppModalKeyHandler* handler) {
    RemoveModalKeyHandler();
    modalKeyHandler = handler;
}

void AApplication::RemoveModalKeyHandler() {
    AAppModalKeyHandler* h = modalKeyHandler;
    modalKeyHandler = nullptr;
    if (!h) return;
    if (h == handlerInCall)
        handlerRetired = true; // disposed once its DoKey returns
    else
        h->Dispose();
}

// ---------------------------------------------------------------------------
// The poll

unsigned char AApplication::ProcessEvent(short mask) {
    AApplicationPrivate::PollRequests(this);
    KsSDlogServeThreadRequests();
    if (QuitCompleted) return false;
    // A pane holding the mouse sees presses even on windows that take none.
    KsHoldMouse(mouseCapture != nullptr);
    bool got = KsWaitForEventOrWake(EventMask(UInt16(mask) | osMask), &CurrentEvent,
                                    AApplicationPrivate::LoopSleep(this));
    mousePart = FindWindow(CurrentEvent.where, &mouseWindow);

    if (CurrentEvent.what == nullEvent) {
        StRestore<int> processing(gl_nullEventProcessing, 1);
        UIstatReset();
        if (!HandlePostedNickNum(long(CurrentEvent.when))) {
            NullEvent(CurrentEvent, mouseWindow, mousePart, kNullEventFromRun);
            if (nullCountdown > 0) --nullCountdown;
        }
        got = false;
    }
    if (GetUseInternalEventQueue() == 1 && internalQueueHead && !got) {
        AInternalEvent* e = internalQueueHead;
        internalQueueHead = e->itsNext;
        if (!internalQueueHead) internalQueueTail = nullptr;
        e->itsNext = nullptr;
        struct Owner {
            AInternalEvent* e;
            ~Owner() { delete e; }
        } owner{e};
        gl_nullEventProcessing = 0;
        return HandleInternalEvent(*e);
    }
    gl_nullEventProcessing = 0;
    return HandleEvent(got ? &CurrentEvent : nullptr);
}

unsigned char AApplication::HandleEvent(EventRecord* event) {
    unsigned char routed = false;
    try {
        if (event) {
            if (event != &CurrentEvent) CurrentEvent = *event;
            CurrentNickNum = 0;
            CurrentNickNumShifted = 0;
            UIstatReset();
            EventRecord& e = CurrentEvent;
            routed = true;
            switch (e.what) {
            case mouseDown:
                MouseDownEvent(e, mouseWindow, mousePart);
                break;
            case mouseUp:
                MouseUpEvent(e);
                break;
            case keyDown:
            case autoKey:
                KeyDownEvent(e);
                break;
            case keyUp:
                KeyUpEvent(e);
                break;
            case updateEvt:
                UpdateEvent(e);
                break;
            case diskEvt:
                DiskEvent(e);
                break;
            case activateEvt:
            case 14:
                ActivateEvent(e);
                break;
            case 12:
                App1Event(e);
                break;
            case osEvt:
                OSEvent(e);
                break;
            case kHighLevelEvent:
                HighLevelEvent(e);
                break;
            default:
                routed = false;
                break;
            }
        }
        DoEndOfEventTasks();
        // The memory figures come from the system and cost a file read: once
        // per tick is as often as they can change meaningfully. The tick is
        // the one the event was stamped with, so an event costs no second
        // read of the clock.
        static UInt32 lastMemoryCheck = 0;
        static bool memoryChecked = false;
        if (const UInt32 tick = CurrentEvent.when; !memoryChecked || tick != lastMemoryCheck) {
            memoryChecked = true;
            lastMemoryCheck = tick;
            CheckMemory();
        }
    } catch (...) {
        // The status display closes however the event ended.
        UIstatClose();
        throw;
    }
    UIstatClose();
    return routed;
}

void AApplication::ModifyEvent(EventRecord*) {}

// ---------------------------------------------------------------------------
// Mouse

void AApplication::MouseDownEvent(EventRecord event, WindowPtr window, short part) {
    part = FindWindow(event.where, &window);
    if (mouseCapture && mouseCapture->DoCaptureClick(&event, part)) return;
    // Only a held mouse brings a press on a disabled window this far (the
    // toolbox refuses it otherwise): the holder passed it on, and the window
    // behind a modal one still takes nothing.
    if (window && !KsIsWindowEnabled(window)) {
        SysBeep(kKsShortBeepTicks);
        return;
    }
    lastInputTicks = KsGetTicks();
    // Modal-aware: while a modal window is active nothing behind it comes forward.
    if (window) KsSelectWindow(window);
    switch (part) {
    case inMenuBar:
        MenuClickEvent(event);
        break;
    case inSysWindow:
        break;
    case inContent: {
        const bool same = window == lastClickWindow && clickCount > 0;
        const long dt = long(event.when) - long(lastClick.when);
        const int dh = std::abs(event.where.h - lastClick.where.h);
        const int dv = std::abs(event.where.v - lastClick.where.v);
        if (!RightMouseButton(&event) && same && dt >= 0 && dt < long(GetDblTime()) && dh <= 1 &&
            dv <= 1)
            ++clickCount;
        else
            clickCount = 1;
        lastClick = event;
        lastClickWindow = window;
        contentClick = event;
        SendWindowMsg(wmClick, window, &event, 0, 0);
        break;
    }
    case inDrag:
        SendWindowMsg(wmDrag, window, &event, 0, 0);
        break;
    case inGrow:
        SendWindowMsg(wmGrow, window, &event, 0, 0);
        break;
    case inGoAway:
        if (TrackGoAway(window, event.where)) CloseCmd(window);
        break;
    case inZoomIn:
        if (TrackBox(window, event.where, part)) SendWindowMsg(wmZoomIn, window, nullptr, 0, 0);
        break;
    case inZoomOut:
        if (TrackBox(window, event.where, part)) SendWindowMsg(wmZoomOut, window, nullptr, 0, 0);
        break;
    default:
        break;
    }
}

void AApplication::MouseUpEvent(EventRecord) {}
void AApplication::App1Event(EventRecord) {}
void AApplication::DiskEvent(EventRecord) {}

unsigned char RightMouseButton(EventRecord* event) {
    const EventRecord& e = event ? *event : CurrentEvent;
    return (e.modifiers & controlKey) != 0;
}

unsigned char DoubleClick() {
    return clickCount >= 2 && clickCount % 2 == 0;
}

// ---------------------------------------------------------------------------
// Keys

unsigned char AApplication::KeyDownEvent(EventRecord event) {
    lastInputTicks = KsGetTicks();
    const short charCode = short(SInt8(event.message & charCodeMask));
    const short keyCode = short((event.message & keyCodeMask) >> 8);
    if (AAppModalKeyHandler* h = modalKeyHandler) {
        unsigned char done = 0;
        unsigned char r = false;
        {
            StRestore<AAppModalKeyHandler*> inCall(handlerInCall, h);
            StRestore<bool> retired(handlerRetired, false);
            try {
                r = h->DoKey(&done, &event, charCode, keyCode);
            } catch (...) {
                if (handlerRetired) h->Dispose();
                throw;
            }
            if (handlerRetired) {
                // Removed or replaced inside DoKey: it goes now, once.
                h->Dispose();
                done = 0;
            }
        }
        if (done && modalKeyHandler == h) RemoveModalKeyHandler();
        if (r) return r;
    }
    if (unsigned char r = HandleHiPriorityGlobalKeyDown(&event, charCode, keyCode)) return r;
    if (unsigned char r = HandleStdKeyDown(&event, charCode, keyCode)) return r;
    return HandleLoPriorityGlobalKeyDown(&event, charCode, keyCode);
}

unsigned char AApplication::KeyUpEvent(EventRecord) {
    return true;
}

unsigned char AApplication::HandleHiPriorityGlobalKeyDown(EventRecord*, short, short) {
    return false;
}
unsigned char AApplication::HandleLoPriorityGlobalKeyDown(EventRecord*, short, short) {
    return false;
}

long AApplication::KbdEquivToMenuCode(EventRecord* event, short charCode, short) {
    return KsMenuKey(CharParameter(charCode), event ? event->modifiers : 0);
}

namespace {

unsigned char HandleHelpKey(AApplication* app, EventRecord* event) {
    WindowPtr w = nullptr;
    FindWindow(event->where, &w);
    AWindow* aw = w && app->IsWptrInWindowList(w) ? GetWindowObj(w) : nullptr;
    if (!aw) {
        DisplayWinHelpContents();
        return true;
    }
    if (event->modifiers & controlKey) {
        DisplayMiniHelpNow();
        DisplayWinHelpContents();
        return true;
    }
    HideMiniHelp(true);
    StPortSaver port;
    SetPortWindowPort(w);
    Point local = event->where;
    GlobalToLocal(&local);
    APane* main = aw->GetMainPane();
    APane* pane = main ? main->FindPane(KsPoint{local.h, local.v}, false, false) : nullptr;
    PaneDow* asked = pane ? static_cast<PaneDow*>(pane) : static_cast<PaneDow*>(aw);
    if (!PaneDow::DoHelpOf(asked, true)) DisplayWinHelpContents();
    return true;
}

unsigned char HandlePaneDumpKey(AApplication* app, EventRecord* event) {
    WindowPtr w = nullptr;
    FindWindow(event->where, &w);
    if (!w || !app->IsWptrInWindowList(w)) return false;
    AWindow* aw = GetWindowObj(w);
    return aw && aw->DumpPaneID(KsPoint{event->where.h, event->where.v});
}

} // namespace

unsigned char AApplication::HandleStdKeyDown(EventRecord* event, short charCode, short keyCode) {
    if (event->modifiers & cmdKey) {
        AApplicationPrivate::PrepareMenus(this, event);
        long code = KbdEquivToMenuCode(event, charCode, keyCode);
        short translated = charCode;
        if (code == 0) {
            UInt32 state = 0;
            const auto* layout =
                reinterpret_cast<const void*>(GetScriptManagerVariable(smKCHRCache));
            if (!layout) layout = KsGetKeyboardLayout();
            const UInt32 c = KeyTranslate(layout, UInt16(keyCode & 0x7F), &state) & 0xFF;
            if (c) {
                translated = short(SInt8(c));
                code = KbdEquivToMenuCode(event, translated, keyCode);
            }
        }
        if (code != 0) {
            MenuDispatch(code, *event);
            return true;
        }
        if (translated == '.') {
            if (AWindow* w = ActiveAWindow(); w && w->GetIsModal())
                w->SendMsg(wmKeyDown, event, '.', keyCode);
        }
        return true; // a command key is never typing
    }
    if (keyCode == kKsKeyF1) return HandleHelpKey(this, event);
    if (AWindow::iPaneDumpKey != 0 && AWindow::iPaneDumpKey == keyCode)
        return HandlePaneDumpKey(this, event);
    if (const MenuID menu = KsMenuBarKeyMenu(*event)) { // F10, Alt and a title's mnemonic
        AApplicationPrivate::PrepareMenus(this, event);
        MenuDispatch(KsMenuSelectFromKey(menu), *event);
        return true;
    }
    return SendWindowMsg(wmKeyDown, KsAppActiveWindow(), event, charCode, keyCode);
}

// ---------------------------------------------------------------------------
// Menus

void AApplicationPrivate::PrepareMenus(AApplication* app, EventRecord* event) {
    AWindow* w = ActiveAWindow();
    app->UpdateMenus();
    if (w && w->GetIsModal()) {
        if (gBartender) gBartender->ResetAllMenus();
        if (KsAppEdit().updateEditMenu) KsAppEdit().updateEditMenu();
        w->SendMsg(wmUpdateMenus, event, 0, 0);
    } else {
        app->BroadcastWinProc(wmUpdateMenus, event, 0, 0);
    }
}

bool AApplicationPrivate::NickCommand(AApplication* app, long nick, short modifiers) {
    PrepareMenus(app, &CurrentEvent);
    if (gBartender && !gBartender->IsItemEnabled(nick)) {
        SysBeep(kKsShortBeepTicks);
        return false;
    }
    CurrentEvent.modifiers =
        EventModifiers((CurrentEvent.modifiers & ~0x1F80) | (UInt16(modifiers) & 0x1F80));
    short item = 0, menuID = 0;
    if (gBartender) gBartender->NickNumToMenuInfo(&item, &menuID, nick);
    app->MenuBroadcast(CurrentEvent, menuID, nick);
    return true;
}

void AApplication::MenuClickEvent(EventRecord event) {
    SetArrowCursor();
    if (QuitCompleted) return;
    AApplicationPrivate::PrepareMenus(this, &event);
    const long code = MenuSelect(event.where);
    MenuDispatch(code, event);
}

void AApplication::MenuDispatch(long menuCode, EventRecord event) {
    const short menuID = short(menuCode >> 16);
    const short item = short(menuCode & 0xFFFF);
    XError e;
    if (menuID != 0) { // 0: the menu was dismissed without a choice
        e = KsTryStandard([&] {
            const long nick =
                gBartender ? short(gBartender->MenuInfoToNickNum(item, menuID)) : item;
            MenuBroadcast(event, menuID, nick);
        });
    }
    if (!QuitCompleted) {
        // The chosen title stays lit at least 4 ticks after the click.
        while (long(TickCount()) <= long(CurrentEvent.when) + 4)
            KsDoNothing(16);
        HiliteMenu(0);
    }
    Reraise(e);
}

unsigned char AApplication::MenuBroadcast(EventRecord event, short menuID, long nick) {
    WindowPtr active = KsAppActiveWindow();
    if (active && IsWptrInWindowList(active) &&
        SendWindowMsg(wmMenuSelect, active, &event, menuID, nick))
        return true;
    if (windowList) {
        Snapshot<AWindow*> windows;
        const SInt32 n = windowList->GetCount();
        for (SInt32 i = 1; i <= n; ++i)
            windows.Add(windowList->AtAs<AWindow>(i));
        for (size_t i = 0; i < windows.Count(); ++i) {
            AWindow* w = windows[i];
            if (!IsStillAWindow(w) || w->GetWindowPtr() == active) continue;
            if (w->SendMsg(wmMenuSelect, &event, menuID, nick)) return true;
        }
    }
    return HandleStdMenus(menuID, short(nick));
}

void AApplication::UpdateAllTheMenus() {
    if (m2bModeEnabled) return;
    if (!gApplication) return;
    gApplication->UpdateMenus();
    if (AWindow* w = ActiveAWindow(); w && w->GetIsModal()) {
        if (gBartender) gBartender->ResetAllMenus();
        if (KsAppEdit().updateEditMenu) KsAppEdit().updateEditMenu();
    }
    EventRecord none{};
    gApplication->BroadcastWinProc(wmUpdateMenus, &none, 0, 0);
}

void AApplication::BroadcastWinProc(windowMsgID_t message, EventRecord* event, long a, long b) {
    if (!windowList) return;
    StRestore<int> nesting(broadcastNesting, broadcastNesting + 1);
    Snapshot<AWindow*> windows;
    const SInt32 n = windowList->GetCount();
    for (SInt32 i = 1; i <= n; ++i)
        windows.Add(windowList->AtAs<AWindow>(i));
    XError e;
    for (size_t i = 0; i < windows.Count() && !e.IsError(); ++i) {
        AWindow* w = windows[i];
        if (!IsStillAWindow(w)) continue; // closed by an earlier handler
        e = KsTryStandard([&] { w->SendMsg(message, event, a, b); });
    }
    Reraise(e);
}

// ---------------------------------------------------------------------------
// Update, activate, suspend and resume

void AApplication::UpdateEvent(EventRecord event) {
    WindowPtr w = KsEventWindow(event);
    if (!w) return;
    if (!GetWindowObj(w)) {
        // No framework window: the update is consumed without drawing.
        BeginUpdate(w);
        EndUpdate(w);
        return;
    }
    SendWindowMsg(wmUpdate, w, nullptr, 0, 0);
}

void AApplication::ActivateEvent(EventRecord event) {
    WindowPtr w = KsEventWindow(event);
    if (!w || !IsWptrInWindowList(w)) return;
    if (event.modifiers & activeFlag)
        SendWindowMsg(wmActivate, w, &event, 0, 0);
    else
        SendWindowMsg(wmDeactivate, w, nullptr, 0, 0);
}

void AApplication::OSEvent(EventRecord event) {
    if ((event.message >> 24) == mouseWheelMessage) {
        KsRouteWheel(event);
        return;
    }
    if ((event.message >> 24) != suspendResumeMessage) return;
    if (event.message & resumeFlag)
        gApplication->ResumeEvent(event);
    else
        gApplication->SuspendEvent(event);
}

void AApplication::SuspendEvent(EventRecord) {
    if (WindowPtr w = KsAppActiveWindow()) {
        HiliteWindow(w, false);
        SendWindowMsg(wmDeactivate, w, nullptr, 0, 0);
    }
    inForeground = 0;
}

void AApplication::ResumeEvent(EventRecord) {
    if (WindowPtr w = KsGetAnyTopActivatableWindow(kKsAnyLayer)) KsSelectWindow(w);
    inForeground = 1;
}

// ---------------------------------------------------------------------------
// Idle

void AApplication::NullEvent(EventRecord event, WindowPtr mouseWin, short part,
                             nullEventType_t type) {
    if (void (*idle)() = KsAppEdit().idle) idle();
    StRestore<nullEventType_t> typeSaver(gNullEventType, type);
    if (part == inGrow)
        SetCursorByID(2010);
    else if (!mouseWin || part != inContent)
        SetArrowCursor();

    StPortSaver port;
    // Only framework windows take idle time; the others are left out of the
    // snapshot. While no window comes or goes, every window in it is alive
    // and still owns its toolbox window, so the walk needs no lookups.
    struct IdleTarget {
        WindowPtr w;
        AWindow* aw;
    };
    Snapshot<IdleTarget> windows;
    for (WindowPtr w = KsGetWindowList(); w; w = w->nextWindow)
        if (AWindow* aw = GetWindowObj(w)) windows.Add(IdleTarget{w, aw});
    const UInt32 registryAtSnapshot = KsWindowRegistryChanges();
    const Point currentWhere = CurrentEvent.where;
    const Point eventWhere = event.where;
    const bool samePoint = currentWhere.h == eventWhere.h && currentWhere.v == eventWhere.v;
    // Made only when a window's idle throws: most passes need none.
    std::optional<XError> e;
    bool failed = false;
    for (size_t i = 0; i < windows.Count() && !failed; ++i) {
        const IdleTarget t = windows[i];
        if (KsWindowRegistryChanges() != registryAtSnapshot) {
            // An earlier window's idle made or disposed windows.
            if (!InToolboxList(t.w) || GetWindowObj(t.w) != t.aw) continue;
        }
        WindowPtr w = t.w;
        SetPortWindowPort(w);
        Point local = currentWhere;
        GlobalToLocal(&local);
        Point evLocal = local;
        if (!samePoint) {
            evLocal = eventWhere;
            GlobalToLocal(&evLocal);
        }
        CurrentEvent.where = local;
        event.where = evLocal;
        const Rect& r = w->portRect;
        const bool inside = w == mouseWin && part == inContent && local.h >= r.left &&
                            local.h <= r.right && local.v >= r.top && local.v <= r.bottom;
        try {
            t.aw->SendMsg(wmIdle, &event, inside, type);
        } catch (...) {
            e = XErrorFromCurrentException();
            failed = e->IsError();
        }
        CurrentEvent.where = currentWhere;
        event.where = eventWhere;
    }
    if (e) Reraise(*e);
}

// ---------------------------------------------------------------------------
// The internal queue and the posted nick

void AApplication::PostInternalEvent(const EventRecord& record) {
    auto* e = new AInternalEvent(record);
    if (internalQueueTail)
        internalQueueTail->itsNext = e;
    else
        internalQueueHead = e;
    internalQueueTail = e;
}

void AApplication::PostNickNumEvent(long nick, short modifiers) {
    auto* e = new ANickNumEvent(nick, modifiers);
    if (internalQueueTail)
        internalQueueTail->itsNext = e;
    else
        internalQueueHead = e;
    internalQueueTail = e;
}

unsigned char AApplication::HandleInternalEvent(const AInternalEvent& event) {
    if (event.IsInstanceOf("ANickNumEvent")) {
        CurrentEvent = event.itsEvent;
        const auto& n = static_cast<const ANickNumEvent&>(event);
        return AApplicationPrivate::NickCommand(this, n.itsNick, short(event.itsEvent.modifiers));
    }
    CurrentEvent = event.itsEvent;
    return HandleEvent(&CurrentEvent);
}

unsigned char AApplication::PostNickNumEvent_old(long nick, short modifiers) {
    if (postedNick) return false;
    postedTicks = long(TickCount());
    postedNick = nick;
    postedModifiers = modifiers;
    return true;
}

long AApplication::PeekPostedNickNum() {
    return postedNick;
}

void AApplication::RemovePostedNickNum() {
    postedNick = 0;
}

unsigned char AApplication::HandlePostedNickNum(long when) {
    if (!postedNick || postedTicks > when) return false;
    const long nick = postedNick;
    const short modifiers = postedModifiers;
    postedNick = 0;
    const XError e = KsTryStandard([&] { BroadcastNickNum(nick, modifiers); });
    postedNick = 0;
    Reraise(e);
    return true;
}

void AApplication::BroadcastNickNum(long nick, short modifiers) {
    AApplicationPrivate::NickCommand(this, nick, modifiers);
}

// ---------------------------------------------------------------------------
// End-of-event tasks

void AApplication::AddEndOfEventTask(void (*proc)(void*), void* data) {
    if (!endOfEventTasks) return;
    const EndTask t{proc, data};
    endOfEventTasks->AppendItem(&t);
}

void AApplication::RemoveEndOfEventTask(void (*proc)(void*), void* data) {
    if (!endOfEventTasks) return;
    const SInt32 n = endOfEventTasks->GetCount();
    for (SInt32 i = 1; i <= n; ++i) {
        auto* t = static_cast<EndTask*>(endOfEventTasks->GetItemPtr(i));
        if (t->proc == proc && t->data == data) t->proc = nullptr;
    }
}

void AApplication::DoEndOfEventTasks() {
    if (endOfEventRunning || !endOfEventTasks || endOfEventTasks->GetCount() == 0) return;
    StRestore<bool> running(endOfEventRunning, true);
    const SInt32 n = endOfEventTasks->GetCount();
    for (SInt32 i = 1; i <= n; ++i) {
        EndTask t{};
        endOfEventTasks->GetItem(i, &t);
        const EndTask cleared{nullptr, nullptr};
        endOfEventTasks->SetItem(i, &cleared); // each task runs once
        if (!t.proc) continue;
        const XError e = KsTryStandard([&] { t.proc(t.data); });
        if (e.IsError()) {
            StSetCurrentException current(e);
            xDisplay(e.GetCode());
        }
    }
    if (endOfEventTasks->GetCount() == n) {
        endOfEventTasks->DeleteAll();
    } else {
        for (SInt32 i = endOfEventTasks->GetCount(); i >= 1; --i) {
            auto* t = static_cast<EndTask*>(endOfEventTasks->GetItemPtr(i));
            if (!t->proc) endOfEventTasks->DeleteItem(i);
        }
    }
}

// ---------------------------------------------------------------------------
// The event mask

int AApplication::GetSysEventMask() {
    return sysEventMask;
}

int AApplication::SetSysEventMask(int mask) {
    const int previous = sysEventMask;
    sysEventMask = mask;
    SetEventMask(EventMask(mask & 0xFFFF));
    return short(previous);
}

// ---------------------------------------------------------------------------
// Free functions

unsigned char KsEventAvail(short mask, EventRecord* event) {
    EventRecord scratch{};
    return EventAvail(EventMask(UInt16(mask)), event ? event : &scratch);
}

unsigned char KsWaitNextEvent(short, EventRecord*, long, const KsRgn&) {
    if (__FtlAbortm("KsWaitNextEvent is obsolete.  Call ProcessEvent instead",
                    "CoreClasses/AApplication", __LINE__))
        __builtin_trap();
    return false;
}

unsigned char CheckForUserEvent(long interval) {
    return CheckForUserEventCustom(interval, nullptr);
}

namespace {
long lastCheckTicks = -1;
unsigned char lastCheckResult = false;
} // namespace

unsigned char CheckForUserEventCustom(long interval, unsigned char (*filter)(EventRecord*)) {
    const long now = KsGetTicks();
    if (lastCheckTicks >= 0 && now - lastCheckTicks < interval) return lastCheckResult;
    lastCheckTicks = now;
    if (!KsIsInForeground()) return lastCheckResult = false;

    StClipSaver clip;
    EventRecord record{};
    unsigned char result =
        filter ? filter(&record) : KsEventAvail(mDownMask | keyDownMask, &record);

    const EventRecord savedEvent = CurrentEvent;
    WindowPtr const savedWindow = mouseWindow;
    const short savedPart = mousePart;
    CurrentEvent = record;
    WindowPtr w = nullptr;
    const short part = FindWindow(record.where, &w);
    if (result && part != inMenuBar && !(gApplication && w && gApplication->IsWptrInWindowList(w)))
        result = false;
    mouseWindow = w;
    mousePart = part;
    XError e;
    // Tips would pop up over a long operation's progress: off while it polls.
    const bool tips = GetMiniHelpEnabled();
    SetMiniHelpEnabled(false);
    if (gApplication)
        e = KsTryStandard(
            [&] { gApplication->NullEvent(record, w, part, kNullEventFromUserCheck); });
    SetMiniHelpEnabled(tips);
    CurrentEvent = savedEvent;
    mouseWindow = savedWindow;
    mousePart = savedPart;
    lastCheckResult = result;
    Reraise(e);
    return result;
}

void KsAppResetUserEventCheck() {
    lastCheckTicks = -1;
    lastCheckResult = false;
    clickCount = 0;
    lastClickWindow = nullptr;
}

unsigned char ProcessUpdateEvent(EventRecord event) {
    if (!gApplication) return false;
    gApplication->UpdateEvent(event);
    return true;
}

void WindImmedUpdate(WindowPtr window, unsigned char) {
    DoWindowUpdate(window);
}

void setstacksize(long size) {
    PSSetStackSize(size);
}
