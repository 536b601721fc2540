// Scripted input through the headless back end: mouse, keys, auto-key,
// tracking calls, focus changes and waiting under the virtual clock.
#include "EventTestSupport.h"
#include "KsRgn.h"

#include <sys/resource.h>

TEST_F(EventTest, MouseButtonsSetStateAndModifiers) {
    backend->ScriptPress(t0, 10, 20);
    backend->ScriptPress(t0, 11, 20, KsMouseButton::right); // second button: no second event
    backend->ScriptRelease(t0 + 1, 12, 20, KsMouseButton::right);
    backend->ScriptRelease(t0 + 2, 13, 21);
    EventRecord e = Next();
    EXPECT_EQ(e.what, mouseDown);
    EXPECT_EQ(e.where.h, 10);
    EXPECT_EQ(e.modifiers, 0); // button down: btnState clear
    EXPECT_EQ(KsGetModifiers(), controlKey);
    EXPECT_FALSE(GetNextEvent(everyEvent, &e));
    KsAdvanceVirtualClock(2);
    e = Next();
    EXPECT_EQ(e.what, mouseUp);
    EXPECT_EQ(ToKsPoint(e.where), (KsPoint{13, 21}));
    EXPECT_EQ(e.modifiers, btnState);
    EXPECT_EQ(KsQueuedEventCount(), 0);

    // A right click says so on its down and its up.
    backend->ScriptPress(t0 + 3, 5, 5, KsMouseButton::right);
    backend->ScriptRelease(t0 + 3, 5, 5, KsMouseButton::right);
    KsAdvanceVirtualClock(1);
    EXPECT_EQ(Next().modifiers, controlKey);
    EXPECT_EQ(Next().modifiers, controlKey | btnState);
}

TEST_F(EventTest, KeysCarryCodeAndCharacterAndModifiers) {
    backend->ScriptKeyDown(t0, 0x00); // a
    backend->ScriptKeyDown(t0, 0x38); // Shift
    backend->ScriptKeyDown(t0, 0x0B); // B
    backend->ScriptKeyDown(t0, 0x37); // Ctrl = command
    backend->ScriptKeyDown(t0, 0x7E); // up arrow
    backend->ScriptKeyDown(t0, 0x7A); // F1
    EventRecord e = Next();
    EXPECT_EQ(e.message, 0x0061u);
    EXPECT_EQ(e.modifiers, btnState);
    e = Next();
    EXPECT_EQ(e.message, 0x0B42u);
    EXPECT_EQ(e.modifiers, shiftKey | btnState);
    e = Next();
    EXPECT_EQ(e.message, 0x7E1Eu);
    EXPECT_EQ(e.modifiers, cmdKey | shiftKey | btnState);
    EXPECT_EQ(Next().message, 0x7A10u);
    EXPECT_EQ(KsQueuedEventCount(), 0); // modifier keys sent nothing

    KeyMap keys;
    GetKeys(keys);
    EXPECT_TRUE(KsKeyMapIsDown(keys, 0x00));
    EXPECT_TRUE(KsKeyMapIsDown(keys, 0x37));
    EXPECT_TRUE(KsKeyMapIsDown(keys, 0x7E));
    EXPECT_FALSE(KsKeyMapIsDown(keys, 0x01));
    EXPECT_EQ(reinterpret_cast<const UInt8*>(keys)[0x7E >> 3], 0x40 | 0x04); // 0x7E and 0x7A

    backend->ScriptKeyUp(t0, 0x37);
    backend->ScriptKeyUp(t0, 0x00);
    GetKeys(keys);
    EXPECT_FALSE(KsKeyMapIsDown(keys, 0x00));
    EXPECT_EQ(KsGetModifiers(), shiftKey | btnState);
    EXPECT_EQ(KsQueuedEventCount(), 0); // key-ups are masked by default
    SetEventMask(everyEvent);
    backend->ScriptKeyUp(t0, 0x0B);
    EXPECT_EQ(Next().what, keyUp);
}

TEST_F(EventTest, CapsLockTogglesAndShiftsLettersOnly) {
    backend->ScriptKeyDown(t0, 0x39);
    backend->ScriptKeyUp(t0, 0x39);
    backend->ScriptKeyDown(t0, 0x00); // A
    backend->ScriptKeyDown(t0, 0x12); // 1, not !
    EventRecord e = Next();
    EXPECT_EQ(e.message & charCodeMask, UInt32('A'));
    EXPECT_EQ(e.modifiers, alphaLock | btnState);
    EXPECT_EQ(Next().message & charCodeMask, UInt32('1'));
    backend->ScriptKeyDown(t0, 0x39);
    EXPECT_EQ(KsGetModifiers(), btnState);
}

TEST_F(EventTest, TypedTextBecomesKeyDownsAndRefusesWhatMacRomanLacks) {
    backend->ScriptText(t0, "a\xC3\xA9\xE2\x82\xAC\xE4\xB8\xAD!"); // a é € 中 !
    EXPECT_EQ(Next().message, 0x0061u);
    EXPECT_EQ(Next().message, 0x008Eu); // é has no key: code 0
    EXPECT_EQ(Next().message, 0x00DBu); // the euro sign
    EXPECT_EQ(Next().message, 0x1221u); // ! on the 1 key
    EXPECT_EQ(KsQueuedEventCount(), 0);
    EXPECT_EQ(backend->BeepCount(), 1); // 中 refused
}

TEST_F(EventTest, AutoKeyRepeatsTheHeldKeyAtThresholdThenRate) {
    KsSetKeyRepeat(20, 5);
    backend->ScriptKeyDown(t0, 0x01); // s
    backend->ScriptKeyUp(t0 + 32, 0x01);
    EventRecord e = Next();
    EXPECT_EQ(e.what, keyDown);
    std::vector<UInt32> repeats;
    // Waiting wakes exactly at each repeat under the virtual clock.
    while (KsGetTicks() < t0 + 40) {
        if (WaitNextEvent(everyEvent, &e, 60, nullptr)) {
            ASSERT_EQ(e.what, autoKey);
            EXPECT_EQ(e.message, 0x0173u);
            repeats.push_back(e.when - UInt32(t0));
        }
    }
    EXPECT_EQ(repeats, (std::vector<UInt32>{20, 25, 30}));
    // autoKey events can be masked out while the key is held.
    backend->ScriptKeyDown(KsGetTicks(), 0x02);
    EXPECT_EQ(Next().what, keyDown);
    KsAdvanceVirtualClock(100);
    EXPECT_FALSE(GetNextEvent(everyEvent & ~autoKeyMask, &e));
    EXPECT_TRUE(GetNextEvent(everyEvent, &e));
    EXPECT_EQ(e.what, autoKey);
    // A late caller gets one repeat, then waits the rate again.
    EXPECT_FALSE(GetNextEvent(everyEvent, &e));
}

TEST_F(EventTest, StillDownAndWaitMouseUpFollowTheScript) {
    backend->ScriptPress(t0, 50, 50);
    backend->ScriptMove(t0 + 10, 60, 50);
    backend->ScriptRelease(t0 + 30, 70, 55);
    EXPECT_EQ(Next().what, mouseDown);
    int rounds = 0;
    Point p{};
    while (StillDown()) {
        GetMouse(&p);
        ++rounds;
    }
    long ended = KsGetTicks();
    EXPECT_GE(ended, t0 + 30);
    EXPECT_LE(ended, t0 + 31);
    EXPECT_GT(rounds, 10); // the loop waited in small steps, not one jump
    EXPECT_EQ(p.h, 60);
    EXPECT_EQ(KsQueuedEventCount(), 1); // the mouse-up is left
    EXPECT_FALSE(WaitMouseUp());
    EXPECT_EQ(KsQueuedEventCount(), 0); // and now taken
    EXPECT_FALSE(Button());

    // A mouse event still queued ends StillDown even while the button is down.
    backend->ScriptPress(KsGetTicks(), 1, 1);
    EXPECT_FALSE(StillDown());
    EXPECT_TRUE(Button());
    EXPECT_EQ(Next().what, mouseDown);
    EXPECT_TRUE(StillDown());
    EXPECT_TRUE(WaitMouseUp());
}

TEST_F(EventTest, MotionThresholdWaitsForDistanceOrRelease) {
    backend->ScriptPress(t0, 100, 100);
    backend->ScriptMove(t0 + 5, 101, 101);
    backend->ScriptMove(t0 + 10, 100, 103);
    EXPECT_EQ(Next().what, mouseDown);
    EXPECT_TRUE(KsMotionThreshold(Point{100, 100}, 3));
    EXPECT_EQ(KsGetTicks(), t0 + 10);

    backend->ScriptMove(t0 + 12, 101, 101);
    backend->ScriptRelease(t0 + 15, 101, 101);
    // From where the mouse is now (v 103, h 100), 2 pixels is not enough.
    EXPECT_FALSE(KsMotionThreshold(Point{103, 100}, 3));
    EXPECT_GE(KsGetTicks(), t0 + 15);
}

TEST_F(EventTest, GetMouseUsesTheWindowLayersMapping) {
    backend->ScriptMove(t0, 300, 200);
    Point p{};
    GetMouse(&p);
    EXPECT_EQ(ToKsPoint(p), (KsPoint{300, 200}));
    KsSetGlobalToLocalHook({[](Point* pt, void*) {
                                pt->h -= 100;
                                pt->v -= 50;
                            },
                            nullptr});
    GetMouse(&p);
    EXPECT_EQ(ToKsPoint(p), (KsPoint{200, 150}));
    EXPECT_EQ(KsGetGlobalMouse().h, 300);
}

TEST_F(EventTest, FocusChangesBecomeSuspendAndResume) {
    backend->ScriptKeyDown(t0, 0x38);
    backend->ScriptFocus(t0, false);
    backend->ScriptFocus(t0, false); // no change, no event
    backend->ScriptFocus(t0 + 1, true);
    EventRecord e = Next();
    EXPECT_EQ(e.what, osEvt);
    EXPECT_EQ(e.message, 0x01000000u);
    EXPECT_FALSE(KsIsInForeground());
    EXPECT_EQ(e.modifiers, btnState); // keys held at the switch are forgotten
    EXPECT_FALSE(GetNextEvent(everyEvent, &e));
    KsAdvanceVirtualClock(1);
    e = Next();
    EXPECT_EQ(e.message >> 24, UInt32(suspendResumeMessage));
    EXPECT_EQ(e.message & resumeFlag, UInt32(resumeFlag));
    EXPECT_TRUE(KsIsInForeground());
    // Operating-system events obey their mask bit.
    backend->ScriptFocus(t0 + 1, false);
    EXPECT_FALSE(GetNextEvent(everyEvent & ~osMask, &e));
    EXPECT_TRUE(GetNextEvent(osMask, &e));
}

TEST_F(EventTest, QuitRequestGoesToTheHookOrTheQueue) {
    backend->ScriptQuit(t0);
    EventRecord e = Next();
    EXPECT_EQ(e.what, kHighLevelEvent);
    EXPECT_EQ(e.message, FourCharCode("aevt"));
    EXPECT_EQ((UInt32(UInt16(e.where.v)) << 16) | UInt16(e.where.h), FourCharCode("quit"));
    int quits = 0;
    KsSetQuitRequestHook({[](void* d) { ++*static_cast<int*>(d); }, &quits});
    backend->ScriptQuit(t0);
    EXPECT_FALSE(GetNextEvent(everyEvent, &e));
    EXPECT_EQ(quits, 1);
}

TEST_F(EventTest, DoubleClickTimingUsesTheClickStamps) {
    KsSetDblTime(20);
    EXPECT_EQ(GetDblTime(), 20u);
    backend->ScriptPress(t0, 100, 100);
    backend->ScriptRelease(t0 + 3, 100, 100);
    backend->ScriptPress(t0 + 19, 101, 99);
    backend->ScriptRelease(t0 + 22, 101, 99);
    backend->ScriptPress(t0 + 39, 101, 99); // 20 ticks after the second: too late
    backend->ScriptRelease(t0 + 40, 101, 99);
    backend->ScriptPress(t0 + 45, 103, 99); // in time but 2 pixels away
    std::vector<EventRecord> downs;
    EventRecord e{};
    while (downs.size() < 4) {
        if (WaitNextEvent(mDownMask, &e, 120, nullptr)) downs.push_back(e);
    }
    EXPECT_EQ(downs[1].when - downs[0].when, 19u);
    EXPECT_TRUE(KsIsDoubleClick(downs[0], downs[1]));
    EXPECT_FALSE(KsIsDoubleClick(downs[1], downs[2]));
    EXPECT_FALSE(KsIsDoubleClick(downs[2], downs[3]));
    EXPECT_FALSE(KsIsDoubleClick(downs[1], downs[0])); // stamped earlier
    EventRecord notAClick = downs[1];
    notAClick.what = mouseUp;
    EXPECT_FALSE(KsIsDoubleClick(downs[0], notAClick));
    EXPECT_GT(GetCaretTime(), 0u);
}

TEST_F(EventTest, WaitNextEventSleepsUntilInputOrTimeout) {
    EventRecord e{};
    EXPECT_FALSE(WaitNextEvent(everyEvent, &e, 30, nullptr));
    EXPECT_EQ(KsGetTicks(), t0 + 30); // the whole sleep, in virtual time
    EXPECT_EQ(e.what, nullEvent);
    EXPECT_EQ(e.when, UInt32(t0 + 30));

    backend->ScriptPress(t0 + 42, 7, 8);
    EXPECT_TRUE(WaitNextEvent(everyEvent, &e, 600, nullptr));
    EXPECT_EQ(e.what, mouseDown);
    EXPECT_EQ(KsGetTicks(), t0 + 42); // woke at the input, not at the deadline
    EXPECT_EQ(e.when, UInt32(t0 + 42));

    // Sleep 0 only polls.
    EXPECT_FALSE(WaitNextEvent(everyEvent, &e, 0, nullptr));
    EXPECT_EQ(KsGetTicks(), t0 + 42);
}

TEST_F(EventTest, LeavingTheMouseRegionAnswersMouseMoved) {
    KsRgn inside(KsRect{0, 0, 100, 100});
    backend->ScriptMove(t0, 50, 50);
    backend->ScriptMove(t0 + 10, 150, 50);
    EventRecord e{};
    EXPECT_TRUE(KsWaitNextEventIn(everyEvent, &e, 60, &inside));
    EXPECT_EQ(e.what, osEvt);
    EXPECT_EQ(e.message, 0xFA000000u);
    EXPECT_EQ(e.where.h, 150);
    EXPECT_EQ(KsGetTicks(), t0 + 10);
    // Without the osEvt bit the region is not watched.
    EXPECT_FALSE(KsWaitNextEventIn(everyEvent & ~osMask, &e, 5, &inside));
}

namespace {
double CpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_THREAD, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}
} // namespace

TEST_F(EventTest, WaitingOnTheRealClockDoesNotSpin) {
    KsUseVirtualClock(false);
    long start = KsGetTicks();
    double cpu = CpuSeconds();
    EventRecord e{};
    EXPECT_FALSE(WaitNextEvent(everyEvent, &e, 12, nullptr)); // 200 ms
    double used = CpuSeconds() - cpu;
    EXPECT_GE(KsGetTicks() - start, 12);
    EXPECT_LT(used, 0.050) << "CPU seconds used while waiting";

    // A tracking loop with the button held sleeps too.
    backend->ScriptPress(KsGetTicks(), 1, 1);
    backend->ScriptRelease(KsGetTicks() + 12, 1, 1);
    ASSERT_EQ(Next().what, mouseDown);
    cpu = CpuSeconds();
    while (StillDown()) {
    }
    used = CpuSeconds() - cpu;
    EXPECT_LT(used, 0.050) << "CPU seconds used while tracking";
}

TEST_F(EventTest, PumpServesKsDoNothing) {
    backend->ScriptPress(t0 + 3, 9, 9);
    KsDoNothing(100);
    EXPECT_EQ(KsQueuedEventCount(), 1);
    EXPECT_TRUE(Button());
}
