// The queue: order, masks, flushing, scanning, null events and the window
// manager's activate and update events.
#include "EventTestSupport.h"

#include <cstddef>

// The classic field order and widths, which code reading records relies on.
static_assert(sizeof(EventRecord) == 20 && offsetof(EventRecord, what) == 0 &&
              offsetof(EventRecord, message) == 4 && offsetof(EventRecord, when) == 8 &&
              offsetof(EventRecord, where) == 12 && offsetof(EventRecord, modifiers) == 16 &&
              offsetof(Point, v) == 0 && sizeof(EventRecord::message) == 4 &&
              sizeof(EventRecord::modifiers) == 2);

TEST_F(EventTest, PostedEventsComeOutInOrderWithTheirStamps) {
    backend->ScriptMove(t0, 40, 30);
    KsPumpEvents();
    KsAdvanceVirtualClock(5);
    ASSERT_EQ(PostEvent(keyDown, 0x0061), noErr);
    ASSERT_EQ(PostEvent(mouseDown, 0), noErr);
    ASSERT_EQ(PostEvent(diskEvt, 7), noErr);
    EXPECT_EQ(KsQueuedEventCount(), 3);

    EventRecord e = Next();
    EXPECT_EQ(e.what, keyDown);
    EXPECT_EQ(e.message, 0x0061u);
    EXPECT_EQ(e.when, UInt32(t0 + 5));
    EXPECT_EQ(ToKsPoint(e.where), (KsPoint{40, 30}));
    EXPECT_EQ(e.modifiers, btnState); // button up, no keys
    EXPECT_EQ(Next().what, mouseDown);
    EXPECT_EQ(Next().message, 7u);
    EXPECT_EQ(KsQueuedEventCount(), 0);
}

TEST_F(EventTest, MasksSelectAndSkipWithoutLosingOthers) {
    PostEvent(keyDown, 1);
    PostEvent(mouseDown, 2);
    PostEvent(keyDown, 3);
    EventRecord e{};
    ASSERT_TRUE(GetNextEvent(mDownMask, &e));
    EXPECT_EQ(e.message, 2u);
    // Peeking leaves the event in place.
    ASSERT_TRUE(EventAvail(keyDownMask, &e));
    EXPECT_EQ(e.message, 1u);
    EXPECT_EQ(KsQueuedEventCount(), 2);
    EXPECT_FALSE(GetNextEvent(mUpMask | updateMask, &e));
    EXPECT_EQ(e.what, nullEvent);
    EXPECT_EQ(Next().message, 1u);
    EXPECT_EQ(Next().message, 3u);
}

TEST_F(EventTest, EventMaskRefusesKindsAndDefaultsToNoKeyUps) {
    EXPECT_EQ(KsGetEventMask(), EventMask(everyEvent & ~keyUpMask));
    EXPECT_EQ(PostEvent(keyUp, 0), evtNotEnb);
    SetEventMask(everyEvent);
    EXPECT_EQ(PostEvent(keyUp, 0), noErr);
    SetEventMask(mDownMask);
    EXPECT_EQ(PostEvent(keyDown, 0), evtNotEnb);
    EXPECT_EQ(PostEvent(kHighLevelEvent, 0), evtNotEnb);
    SetEventMask(mDownMask | highLevelEventMask);
    EXPECT_EQ(PostEvent(kHighLevelEvent, 0), noErr);
    EXPECT_EQ(KsQueuedEventCount(), 2);
}

TEST_F(EventTest, FlushStopsAtTheFirstStopKindAndKeepsOthers) {
    PostEvent(keyDown, 1);
    PostEvent(mouseDown, 2);
    PostEvent(keyDown, 3);
    PostEvent(diskEvt, 4); // stop here
    PostEvent(keyDown, 5);
    FlushEvents(keyDownMask, diskMask);
    EXPECT_EQ(Next().message, 2u);
    EXPECT_EQ(Next().message, 4u);
    EXPECT_EQ(Next().message, 5u);

    PostEvent(keyDown, 6);
    PostEvent(mouseUp, 7);
    FlushEvents(everyEvent, 0);
    EXPECT_EQ(KsQueuedEventCount(), 0);
}

TEST_F(EventTest, AFullQueueDropsItsOldestEvent) {
    for (UInt32 i = 0; i < 130; ++i)
        ASSERT_EQ(PostEvent(keyDown, i), noErr);
    EXPECT_EQ(KsQueuedEventCount(), 128);
    EXPECT_EQ(Next().message, 2u);
    EventRecord e{};
    UInt32 last = 0;
    while (GetNextEvent(everyEvent, &e))
        last = e.message;
    EXPECT_EQ(last, 129u);
}

namespace {
KsScanAction EditAndDrop(EventRecord* e, void* data) {
    ++*static_cast<int*>(data);
    if (e->what == mouseDown) return KsScanAction::drop;
    if (e->message == 3) {
        e->message = 33;
        return KsScanAction::keepAndStop;
    }
    e->message += 100;
    return KsScanAction::keep;
}
KsScanAction DropAndStop(EventRecord*, void*) {
    return KsScanAction::dropAndStop;
}
} // namespace

TEST_F(EventTest, ScanEditsDropsAndStops) {
    PostEvent(keyDown, 1);
    PostEvent(mouseDown, 2);
    PostEvent(keyDown, 3);
    PostEvent(keyDown, 4); // not shown: the scan stopped
    int shown = 0;
    KsScanEvents(EditAndDrop, &shown);
    EXPECT_EQ(shown, 3);
    EXPECT_EQ(Next().message, 101u);
    EXPECT_EQ(Next().message, 33u);
    EXPECT_EQ(Next().message, 4u);

    PostEvent(keyDown, 5);
    PostEvent(keyDown, 6);
    KsScanEvents(DropAndStop, nullptr);
    EXPECT_EQ(KsQueuedEventCount(), 1);
    EXPECT_EQ(Next().message, 6u);
}

TEST_F(EventTest, NullEventsCarryTimeMouseAndModifiers) {
    backend->ScriptMove(t0, 200, 150);
    backend->ScriptKeyDown(t0, 0x38); // Shift: no event, only a modifier
    backend->ScriptPress(t0 + 2, 200, 150, KsMouseButton::right);
    KsAdvanceVirtualClock(1);
    EventRecord e{};
    EXPECT_FALSE(GetNextEvent(everyEvent, &e));
    EXPECT_EQ(e.what, nullEvent);
    EXPECT_EQ(e.message, 0u);
    EXPECT_EQ(e.when, UInt32(t0 + 1));
    EXPECT_EQ(ToKsPoint(e.where), (KsPoint{200, 150}));
    EXPECT_EQ(e.modifiers, shiftKey | btnState);
    KsAdvanceVirtualClock(1);
    ASSERT_TRUE(GetNextEvent(everyEvent, &e));
    EXPECT_EQ(e.what, mouseDown);
    EXPECT_EQ(e.modifiers, shiftKey | controlKey); // right button, button down
}

namespace {
struct WindowEvents {
    int activates = 0; // pending activate events
    int updates = 0;   // windows with pending updates
    int activateAsks = 0;
};
Boolean Activate(EventRecord* e, Boolean remove, void* data) {
    auto* w = static_cast<WindowEvents*>(data);
    ++w->activateAsks;
    if (!w->activates) return false;
    e->what = activateEvt;
    e->message = 0x1000;
    e->modifiers = activeFlag;
    if (remove) --w->activates;
    return true;
}
Boolean Update(EventRecord* e, Boolean, void* data) {
    auto* w = static_cast<WindowEvents*>(data);
    if (!w->updates) return false;
    e->what = updateEvt;
    e->message = 0x2000 + UInt32(w->updates);
    return true; // stays pending until the window is validated
}
} // namespace

TEST_F(EventTest, ActivatesComeFirstAndUpdatesAfterAllInput) {
    WindowEvents w;
    w.activates = 1;
    w.updates = 1;
    KsSetWindowEventHooks({Activate, Update, &w});
    backend->ScriptKeyDown(t0, 0x31); // space, fed at the first pump
    PostEvent(mouseDown, 0);

    EventRecord e = Next();
    EXPECT_EQ(e.what, activateEvt);
    EXPECT_EQ(e.modifiers, activeFlag | btnState);
    EXPECT_EQ(e.when, UInt32(t0));
    EXPECT_EQ(Next().what, mouseDown);
    EXPECT_EQ(Next().what, keyDown);
    e = Next();
    EXPECT_EQ(e.what, updateEvt);
    EXPECT_EQ(e.message, 0x2001u);
    // Flushing never loses an update: it is not a queued entry.
    FlushEvents(everyEvent, 0);
    EXPECT_EQ(Next().what, updateEvt);
    w.updates = 0;
    EXPECT_FALSE(GetNextEvent(everyEvent, &e));
    // A mask without activates does not even ask.
    int asked = w.activateAsks;
    w.activates = 1;
    EXPECT_FALSE(GetNextEvent(mDownMask, &e));
    EXPECT_EQ(w.activateAsks, asked);
    EXPECT_TRUE(EventAvail(activMask, &e));
    EXPECT_EQ(w.activates, 1); // peeking left it pending
    KsSetWindowEventHooks({});
}
