// Routing, clicks, keys, menus as nicks (the menu bar's keys too),
// broadcasts, idle, queues and tasks; the Edit menu and the caret blink act on
// the active text record.
#include "AllocationCount.h"
#include "ApplicationTestSupport.h"
#include "KsKeyboardPrivate.h"
#include "KsTERecord.h"

#include <cstring>
#include <vector>

namespace {

class ThrowingHandler : public AAppModalKeyHandler {
public:
    int* disposed;
    std::function<void()> during;
    explicit ThrowingHandler(int* d) : disposed(d) {}
    unsigned char DoKey(unsigned char* done, const EventRecord*, short, short) override {
        if (during) during();
        *done = 1;
        return true;
    }
    void Dispose() override {
        ++*disposed;
        AAppModalKeyHandler::Dispose();
    }
};

} // namespace

TEST_F(AppTest, EveryEventKindIsRouted) {
    RecWindow* a = Win("a");
    Settle();
    WindowPtr w = a->GetWindowPtr();
    EventRecord e = Ev(updateEvt, KsWindowMessage(w));
    EXPECT_TRUE(app->HandleEvent(&e));
    e = Ev(activateEvt, KsWindowMessage(w), 0, 0, activeFlag);
    app->HandleEvent(&e);
    e = Ev(activateEvt, KsWindowMessage(w));
    app->HandleEvent(&e);
    e = Ev(keyDown, 'k');
    app->HandleEvent(&e);
    e = Ev(osEvt, 0x01000000); // suspend
    app->HandleEvent(&e);
    EXPECT_FALSE(app->InForeground());
    e = Ev(osEvt, 0x01000001); // resume
    app->HandleEvent(&e);
    EXPECT_TRUE(app->InForeground());
    e = Ev(keyUp, 'k');
    EXPECT_TRUE(app->HandleEvent(&e));
    e = Ev(9); // not a routed kind
    EXPECT_FALSE(app->HandleEvent(&e));
    std::vector<windowMsgID_t> msgs;
    for (const AppMsg& m : AppLog())
        msgs.push_back(m.msg);
    // Resuming selects the window again; its activate arrives as an event.
    EXPECT_EQ(msgs, (std::vector<windowMsgID_t>{wmUpdate, wmActivate, wmDeactivate, wmKeyDown,
                                                wmDeactivate}));
    EXPECT_TRUE(IsWindowHilited(w));
}

TEST_F(AppTest, ClickCountingAtTheEdges) {
    RecWindow* a = Win("a", 40, 60);
    Settle();
    auto click = [&](SInt16 h, SInt16 v, UInt16 mods = 0) {
        EventRecord e = Ev(mouseDown, 0, h, v, mods);
        app->HandleEvent(&e);
        KsAdvanceVirtualClock(1);
    };
    click(100, 100);
    EXPECT_FALSE(DoubleClick());
    click(101, 101);
    EXPECT_TRUE(DoubleClick());
    click(100, 99);
    EXPECT_FALSE(DoubleClick()); // the third is not a double click
    click(100, 99);
    EXPECT_TRUE(DoubleClick()); // the fourth is
    click(102, 99);             // 2 pixels away: a new series
    EXPECT_FALSE(DoubleClick());
    click(102, 99, controlKey); // right button restarts
    click(102, 99);
    EXPECT_TRUE(DoubleClick());
    KsAdvanceVirtualClock(long(GetDblTime()));
    click(102, 99); // too late
    EXPECT_FALSE(DoubleClick());
    EXPECT_EQ(Names(wmClick).size(), 8u);
    (void)a;
}

TEST_F(AppTest, KeyChainOrderAndModalKeyHandler) {
    Win("a");
    Settle();
    struct Chain : TestApp {};
    int disposed = 0;
    auto* h = new ThrowingHandler(&disposed);
    app->InstallModalKeyHandler(h);
    EventRecord e = Ev(keyDown, 'x');
    app->HandleEvent(&e);
    EXPECT_TRUE(Names(wmKeyDown).empty()); // the handler took it, and is done
    EXPECT_EQ(disposed, 1);
    app->HandleEvent(&e);
    EXPECT_EQ(Names(wmKeyDown).size(), 1u);

    // A handler that removes itself inside DoKey is disposed once.
    auto* h2 = new ThrowingHandler(&disposed);
    h2->during = [&] { app->RemoveModalKeyHandler(); };
    app->InstallModalKeyHandler(h2);
    app->HandleEvent(&e);
    EXPECT_EQ(disposed, 2);
    // One that replaces itself: the old goes once, the new one stays.
    auto* h3 = new ThrowingHandler(&disposed);
    auto* h4 = new ThrowingHandler(&disposed);
    h3->during = [&] { app->InstallModalKeyHandler(h4); };
    app->InstallModalKeyHandler(h3);
    app->HandleEvent(&e);
    EXPECT_EQ(disposed, 3);
    app->HandleEvent(&e); // h4 takes it and is done
    EXPECT_EQ(disposed, 4);
}

TEST_F(AppTest, CommandKeysAndMenuCommandsArriveAsNicks) {
    RecWindow* a = Win("a");
    RecWindow* b = Win("b", 300, 60);
    Settle();
    a->answer = [](windowMsgID_t m, long, long b2) { return m == wmMenuSelect && b2 == 1004; };
    b->dirty = true; // b is active: Save is enabled
    EventRecord e = Ev(keyDown, (0x01u << 8) | 's', 0, 0, cmdKey);
    app->HandleEvent(&e);
    std::vector<AppMsg> sel;
    for (const AppMsg& m : AppLog())
        if (m.msg == wmMenuSelect) sel.push_back(m);
    ASSERT_EQ(sel.size(), 2u); // active first, then the rest in list order
    EXPECT_EQ(sel[0].window, "b");
    EXPECT_EQ(sel[1].window, "a");
    EXPECT_EQ(sel[0].a, kFileMenuID);
    EXPECT_EQ(sel[0].b, kNickSave);
    EXPECT_EQ(b->saves, 0); // a answered: the standard command did not run

    // Nobody answers New: the application's command does.
    AppLog().clear();
    e = Ev(keyDown, (0x2Du << 8) | 'n', 0, 0, cmdKey);
    app->HandleEvent(&e);
    EXPECT_EQ(app->newCmds, 1);

    // A dismissed menu (ID 0) reaches nobody.
    AppLog().clear();
    app->MenuDispatch(0, e);
    EXPECT_TRUE(Names(wmMenuSelect).empty());
    EXPECT_EQ(app->newCmds, 1);
}

TEST_F(AppTest, CommandPeriodGoesToAModalWindowOnly) {
    RecWindow* a = Win("a");
    Settle();
    EventRecord e = Ev(keyDown, (0x2Fu << 8) | '.', 0, 0, cmdKey);
    EXPECT_TRUE(app->KeyDownEvent(e));
    EXPECT_TRUE(Names(wmKeyDown).empty()); // consumed, nothing typed
    a->modal = true;
    AppLog().clear();
    app->KeyDownEvent(e);
    ASSERT_EQ(Names(wmKeyDown).size(), 1u);
    EXPECT_EQ(AppLog().back().a, '.');
}

TEST_F(AppTest, DisabledNicksOnlyBeepAndModalWindowsDecideAlone) {
    RecWindow* doc = Win("doc");
    RecWindow* dlg = Win("dlg", 300, 60);
    Settle();
    // The document behind would enable Save; the modal dialog in front does not.
    doc->onMsg = [](windowMsgID_t m, EventRecord*, long, long) {
        if (m == wmUpdateMenus) gBartender->MacEnableMenuItem(kNickSave);
    };
    dlg->modal = true;
    const int beeps = backend->BeepCount();
    app->PostNickNumEvent(kNickSave, 0);
    app->ProcessEvent(-1);
    EXPECT_EQ(backend->BeepCount(), beeps + 1);
    EXPECT_TRUE(Names(wmMenuSelect).empty());
    EXPECT_EQ(Names(wmUpdateMenus), std::vector<std::string>{"dlg"});
    // The same through the request path.
    AEDesc ev, reply;
    KsParseAppRequest("NICK 1004", 9, &ev);
    EXPECT_EQ(app->DoAppleEvent(&ev, &reply, 0), errAEEventFailed);
    EXPECT_EQ(doc->saves, 0);
}

TEST_F(AppTest, BroadcastOrderSurvivesWindowsClosingAndStopsAtAnError) {
    RecWindow* a = Win("a");
    RecWindow* b = Win("b");
    Win("c");
    Settle();
    a->onMsg = [&](windowMsgID_t m, EventRecord*, long, long) {
        if (m == wmQuit) b->Dispose(); // closes a later window mid-broadcast
    };
    app->BroadcastWinProc(wmQuit, nullptr, 0, 0);
    EXPECT_EQ(Names(wmQuit), (std::vector<std::string>{"a", "c"}));
    AppLog().clear();
    a->onMsg = [](windowMsgID_t, EventRecord*, long, long) { xraisexerror("TEST_FAIL"); };
    EXPECT_THROW(app->BroadcastWinProc(wmUpdate, nullptr, 0, 0), XError);
    EXPECT_EQ(Names(wmUpdate), std::vector<std::string>{"a"});
}

TEST_F(AppTest, PostedNicksAndTheQueueKeepTheirOrder) {
    Win("a");
    Settle();
    std::vector<long> seen;
    windows[0]->onMsg = [&](windowMsgID_t m, EventRecord*, long, long b) {
        if (m == wmMenuSelect) seen.push_back(b);
    };
    app->PostNickNumEvent(kNickNew, 0);
    app->PostNickNumEvent(kNickOpen, 0);
    EXPECT_TRUE(seen.empty());
    app->ProcessEvent(-1);
    app->ProcessEvent(-1);
    EXPECT_EQ(seen, (std::vector<long>{kNickNew, kNickOpen}));

    seen.clear();
    EXPECT_TRUE(app->PostNickNumEvent_old(kNickNew, 0));
    EXPECT_FALSE(app->PostNickNumEvent_old(kNickOpen, 0));
    AppLog().clear();
    app->ProcessEvent(-1); // the null event takes the nick and gives no idle
    EXPECT_EQ(seen, std::vector<long>{kNickNew});
    EXPECT_TRUE(Names(wmIdle).empty());
    EXPECT_EQ(app->PeekPostedNickNum(), 0);
    app->ProcessEvent(-1);
    EXPECT_FALSE(Names(wmIdle).empty());
    EXPECT_EQ(gl_nullEventProcessing, 0);
}

namespace {
std::vector<int> gRan;
AApplication* gTaskApp = nullptr;
void TaskA(void*) {
    gRan.push_back(1);
    gTaskApp->AddEndOfEventTask([](void*) { gRan.push_back(3); }, nullptr);
}
void TaskB(void*) {
    gRan.push_back(2);
    gTaskApp->HandleEvent(nullptr); // not re-entered
}
void TaskThrows(void*) {
    xraisexerror("TEST_TASK");
}
} // namespace

TEST_F(AppTest, EndOfEventTasksRunOnceAndNewOnesWaitForTheNextEvent) {
    gRan.clear();
    gTaskApp = app;
    app->AddEndOfEventTask(TaskA, nullptr);
    app->AddEndOfEventTask(TaskThrows, nullptr);
    app->AddEndOfEventTask(TaskB, nullptr);
    app->HandleEvent(nullptr);
    EXPECT_EQ(gRan, (std::vector<int>{1, 2}));
    EXPECT_EQ(app->shownCodes, std::vector<std::string>{"TEST_TASK"});
    app->HandleEvent(nullptr);
    EXPECT_EQ(gRan, (std::vector<int>{1, 2, 3}));
    app->HandleEvent(nullptr);
    EXPECT_EQ(gRan.size(), 3u);
    // Removed before it runs: never runs.
    app->AddEndOfEventTask(TaskB, nullptr);
    app->RemoveEndOfEventTask(TaskB, nullptr);
    app->HandleEvent(nullptr);
    EXPECT_EQ(gRan.size(), 3u);
}

TEST_F(AppTest, AnErrorInAHandlerIsShownAndTheLoopGoesOn) {
    RecWindow* a = Win("a");
    Settle();
    int keys = 0;
    a->onMsg = [&](windowMsgID_t m, EventRecord*, long, long) {
        if (m == wmKeyDown && ++keys == 1) xraisexerror("TEST_KEY");
    };
    backend->ScriptText(KsGetTicks() + 1, "ab");
    DoDeferredQuit = 1; // dropped by the error
    for (int i = 0; i < 10 && keys < 2; ++i) {
        // One turn of Run.
        const XError e = KsTryStandard([&] { app->ProcessEvent(-1); });
        if (e.IsError()) {
            DoDeferredQuit = 0;
            app->DisplayException(e.GetCode(), false);
        }
    }
    EXPECT_EQ(keys, 2);
    EXPECT_EQ(app->shownCodes, std::vector<std::string>{"TEST_KEY"});
    EXPECT_EQ(DoDeferredQuit, 0);
}

TEST_F(AppTest, UserEventChecksAreThrottledAndGiveIdle) {
    Win("a");
    Settle();
    EXPECT_FALSE(CheckForUserEvent(30));
    EXPECT_EQ(Names(wmIdle).size(), 1u);
    backend->ScriptPress(KsGetTicks(), 100, 100);
    KsPumpEvents();
    EXPECT_FALSE(CheckForUserEvent(30)); // within 30 ticks: the last answer, no poll
    EXPECT_EQ(Names(wmIdle).size(), 1u);
    KsAdvanceVirtualClock(31);
    EXPECT_TRUE(CheckForUserEvent(30));
    EXPECT_EQ(Names(wmIdle).size(), 2u);
    EXPECT_EQ(gNullEventType, kNullEventFromRun);
}

TEST_F(AppTest, SysEventMaskAnswersThePreviousOne) {
    EXPECT_EQ(app->SetSysEventMask(0xFFFF), short(0xFFEF));
    EXPECT_EQ(app->SetSysEventMask(0xFFEF), -1);
    EXPECT_EQ(KsGetEventMask(), 0xFFEF);
}

namespace {

TEST_F(AppTest, MenuBarKeysOpenTheBarAndChoicesArriveAsNicks) {
    MenuHandle tools = gBartender->CreateMenu("&Tools", 300, ABartender::kMenuInBar);
    gBartender->AppendMenuItem(tools, 2000L, "&Alpha");
    gBartender->AppendMenuItem(tools, 2001L, "&Beta");
    gBartender->SetMenuAlwaysEnabled(300, true);
    Win("a");
    Settle();
    enum : UInt8 { kT = 0x11, kQ = 0x0C, kDown = 0x7D, kReturn = 0x24, kEsc = 0x35, kF10 = 0x6D };
    const struct {
        std::vector<UInt8> keys; // the first with `modifier` held (0: none)
        UInt8 modifier;
        long nick;  // reaching the window as a menu command, or 0
        bool typed; // the first key reached the window as typing
    } cases[] = {
        {{kT, kDown, kReturn}, kKsKeyOption, 2001, false},
        {{kF10, kEsc}, 0, 0, false},
        {{kF10}, kKsKeyShift, 0, true},
        {{kQ}, kKsKeyOption, 0, true}, // no title has Q
        {{kT}, 0, 0, true},
    };
    for (const auto& c : cases) {
        long t = KsGetTicks();
        if (c.modifier) {
            backend->ScriptKeyDown(t, c.modifier);
            backend->ScriptKeyUp(t + 1, c.modifier);
        }
        for (UInt8 k : c.keys) {
            backend->ScriptKeyDown(t, k);
            backend->ScriptKeyUp(t + 1, k);
            t += 3;
        }
        // A late Escape ends a menu that wrongly stays open; it must not be needed.
        backend->ScriptKeyDown(t + 1000, kEsc);
        backend->ScriptKeyUp(t + 1001, kEsc);
        AppLog().clear();
        EventRecord e;
        ASSERT_TRUE(GetNextEvent(keyDownMask, &e));
        app->HandleEvent(&e); // the other keys arrive while the menu is open
        EXPECT_LT(KsGetTicks(), t + 1000);
        long nick = 0;
        bool typed = false;
        for (const AppMsg& m : AppLog()) {
            if (m.msg == wmMenuSelect) nick = m.b;
            typed = typed || m.msg == wmKeyDown;
        }
        EXPECT_EQ(nick, c.nick) << int(c.keys[0]);
        EXPECT_EQ(typed, c.typed) << int(c.keys[0]);
        EXPECT_EQ(KsGetHilitedMenu(), 0);
        KsAdvanceVirtualClockToTick(t + 1010);
        KsGetGlobalMouse(); // the rest of the script, then forget it
        FlushEvents(everyEvent, 0);
    }
}

TEST_F(AppTest, EditMenuCommandsActOnTheActiveRecord) {
    ScopedTE rec;
    rec.Set("hello world");
    EXPECT_FALSE(app->HandleStdMenus(kEditMenuID, kNickSelectAll)); // none active yet
    KsTEActivate(rec.te, nullptr);

    const struct {
        long nick;
        SInt32 selStart, selEnd; // chosen before the command (-1: keep)
        const char* text;        // afterwards
    } script[] = {
        {kNickSelectAll, -1, -1, "hello world"},
        {kNickCopy, 0, 5, "hello world"},
        {kNickPaste, 11, 11, "hello worldhello"},
        {kNickUndo, -1, -1, "hello world"},
        {kNickRedo, -1, -1, "hello worldhello"},
        {kNickCut, 0, 6, "worldhello"},
        {kNickClear, 0, 5, "hello"},
        {kNickUndo, -1, -1, "worldhello"},
    };
    for (const auto& step : script) {
        if (step.selStart >= 0) TESetSelect(step.selStart, step.selEnd, rec.te);
        EXPECT_TRUE(app->HandleStdMenus(kEditMenuID, short(step.nick))) << step.nick;
        EXPECT_EQ(rec.Text(), step.text) << step.nick;
    }
    TESetSelect(0, 32767, rec.te);
    app->UpdateMenus();
    for (long nick :
         {kNickUndo, kNickRedo, kNickCut, kNickCopy, kNickPaste, kNickClear, kNickSelectAll})
        EXPECT_TRUE(gBartender->IsItemEnabled(nick)) << nick;
    TESetSelect(0, 0, rec.te);
    app->UpdateMenus();
    for (long nick : {kNickCut, kNickCopy, kNickClear})
        EXPECT_FALSE(gBartender->IsItemEnabled(nick)) << nick;

    KsTEDeactivate(rec.te);
    EXPECT_FALSE(app->HandleStdMenus(kEditMenuID, kNickCut));
}

TEST_F(AppTest, IdleBlinksTheActiveCaret) {
    ScopedTE rec;
    KsTEActivate(rec.te, nullptr);
    const UInt32 saved = GetCaretTime();
    KsSetCaretTime(0);
    app->NullEvent(EventRecord{}, nullptr, 0, kNullEventFromRun); // warm
    AllocationsSoFar();
    const Boolean before = rec.Rec().caretState;
    const long allocations = AllocationsSoFar();
    KsTEIdle();
    EXPECT_EQ(AllocationsSoFar(), allocations); // a blink allocates nothing
    EXPECT_NE(rec.Rec().caretState, before);
    app->NullEvent(EventRecord{}, nullptr, 0, kNullEventFromRun);
    EXPECT_EQ(rec.Rec().caretState, before);
    KsSetCaretTime(saved);
    KsTEDeactivate(rec.te);
}

} // namespace
