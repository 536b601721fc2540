// The event manager: the event queue, the mouse and keyboard state, ticks and
// the user's timing settings.
//
// Sections: the event record and its constants; getting and posting events;
// mouse and keyboard state; time and settings; hooks for the window manager
// and the application.
//
// Everything here runs on the main thread. Input reaches the queue when the
// native back end is pumped (KsBackend.h): every call that reads events or
// the mouse pumps it first, and KsDoNothing pumps it through the core's pump
// hook, so tracking loops stay current.
//
// Modifiers follow the keyboard of this platform: Ctrl is the command key
// (cmdKey), Alt the option key (optionKey), and the right mouse button sets
// controlKey. As in the classic toolbox, btnState is set while the mouse
// button is UP.
#pragma once

#include "KsMacTypes.h"
#include "QuickDraw.h" // RgnHandle (types only)

class KsRgn;

// ---------------------------------------------------------------------------
// The event record

using EventKind = UInt16;
using EventMask = UInt16;
using EventModifiers = UInt16;

// The classic fields in the classic order. Natural alignment (20 bytes, padding
// after `what` and at the end) rather than the old 2-byte packing: packed
// 32-bit fields cannot be bound to references or pointers safely.
struct EventRecord {
    EventKind what;
    UInt32 message;
    UInt32 when; // ticks (KsGetTicks)
    Point where; // global coordinates
    EventModifiers modifiers;
};

enum : EventKind {
    nullEvent = 0,
    mouseDown = 1,
    mouseUp = 2,
    keyDown = 3,
    keyUp = 4,
    autoKey = 5,
    updateEvt = 6,
    diskEvt = 7,
    activateEvt = 8,
    osEvt = 15,
    kHighLevelEvent = 23,
};

enum : EventMask {
    mDownMask = 0x0002,
    mUpMask = 0x0004,
    keyDownMask = 0x0008,
    keyUpMask = 0x0010,
    autoKeyMask = 0x0020,
    updateMask = 0x0040,
    diskMask = 0x0080,
    activMask = 0x0100,
    highLevelEventMask = 0x0400,
    osMask = 0x8000,
    everyEvent = 0xFFFF,
};

enum : EventModifiers {
    activeFlag = 0x0001, // activateEvt: activate (set) or deactivate
    btnState = 0x0080,   // set while the mouse button is up
    cmdKey = 0x0100,     // Ctrl
    shiftKey = 0x0200,
    alphaLock = 0x0400,
    optionKey = 0x0800,  // Alt
    controlKey = 0x1000, // the right mouse button
};

// Key events: message = virtual key code << 8 | character code (Mac OS Roman).
enum : UInt32 {
    charCodeMask = 0x000000FF,
    keyCodeMask = 0x0000FF00,
};

// Virtual key codes (the second byte of a key event's message) that callers
// name; the keyboard table maps native keys to them.
enum : UInt8 {
    kKsKeyHelp = 0x72,
    kKsKeyF1 = 0x7A, // the help key of this platform's keyboards
};

// osEvt: the message's high byte says what happened.
enum : UInt32 {
    osEvtMessageMask = 0xFF000000,
    suspendResumeMessage = 0x01, // low bit of the message: resumeFlag
    mouseMovedMessage = 0xFA,
    mouseWheelMessage = 0xFB,
    resumeFlag = 1,
};

// osEvt mouse-wheel events (message high byte 0xFB) carry both deltas in
// sixteenths of a notch, positive to the right and away from the user, as
// two signed 12-bit fields: horizontal in bits 12-23, vertical in bits 0-11.
// `where` is the mouse's place. Consecutive wheel events at one place are
// merged in the queue while their sum fits.
constexpr SInt32 kKsWheelUnitsPerNotch = 16;
UInt32 KsWheelMessage(SInt32 dx16, SInt32 dy16); // clamps each to -2048..2047
void KsWheelDeltas(UInt32 message, SInt32* dx16, SInt32* dy16);

// Result of PostEvent when the event mask refuses the kind.
constexpr OSErr evtNotEnb = 1;

// ---------------------------------------------------------------------------
// Getting and posting events

// Takes the next event that `mask` admits. Order: a pending activate event,
// then the queue (oldest first), then auto-key repeats of the held key, then
// pending update events. Answers false with a null event (where and
// modifiers filled) when none is there.
Boolean GetNextEvent(EventMask mask, EventRecord* event);
// The same, but leaves the event where it is.
Boolean EventAvail(EventMask mask, EventRecord* event);
// As GetNextEvent, but waits up to `sleep` ticks for an event, sleeping on the
// native back end (it never spins; under the virtual clock the wait advances
// virtual time). With a mouse region, the mouse being outside it answers an
// osEvt mouse-moved event (message 0xFA000000) at once. Only rectangular
// regions are read exactly through RgnHandle; KsWaitNextEventIn takes any shape.
Boolean WaitNextEvent(EventMask mask, EventRecord* event, UInt32 sleep, RgnHandle mouseRgn);
Boolean KsWaitNextEventIn(EventMask mask, EventRecord* event, UInt32 sleep, const KsRgn* mouseRgn);

// Appends an event stamped with the current time, mouse and modifiers.
// Answers noErr, or evtNotEnb when the event mask (SetEventMask) excludes the
// kind. A full queue drops its oldest event, as the classic queue did.
OSErr PostEvent(EventKind what, UInt32 message);
// The same with a complete record, kept as given.
OSErr KsPostEventRecord(const EventRecord& event);

// Removes the queued events that `mask` admits, from the oldest, up to the
// first event that `stopMask` admits. Pending update events are not queued
// entries and are never lost.
void FlushEvents(EventMask mask, EventMask stopMask);

// What a scan procedure wants done with the queued event it was shown.
enum class KsScanAction : UInt8 {
    keep,
    drop,
    keepAndStop,
    dropAndStop,
};
// Shows each queued event, oldest first, to `proc`, which may edit it in place
// or drop it. The procedure must not post or take events.
using KsEventScanProc = KsScanAction (*)(EventRecord* event, void* data);
void KsScanEvents(KsEventScanProc proc, void* data);
// Number of queued entries (not counting pending window events).
int KsQueuedEventCount();

// The kinds PostEvent accepts; keyUp is excluded by default, as classically.
void SetEventMask(EventMask mask);
EventMask KsGetEventMask();

// ---------------------------------------------------------------------------
// Mouse and keyboard

// The mouse button is down (any button).
Boolean Button();
// The button is down and no mouse event waits in the queue. Tracking loops call
// it each time round: when nothing has arrived since the previous call within
// the same tick, it waits briefly on the back end instead of spinning.
Boolean StillDown();
// As StillDown, but takes a waiting mouse-up off the queue.
Boolean WaitMouseUp();
// The mouse position in global coordinates, or local ones when the window
// layer has installed its mapping (KsSetGlobalToLocalHook).
void GetMouse(Point* mouseLoc);
Point KsGetGlobalMouse();
// Waits while the button is down until the mouse is `threshold` pixels or more
// from `start` (horizontally or vertically). Answers true when it moved that
// far, false when the button was released first.
Boolean KsMotionThreshold(Point start, SInt16 threshold);

// 128 bits, one per virtual key code: key k is bit (k & 7) of byte k >> 3.
using KeyMap = UInt32[4];
void GetKeys(KeyMap keys);
inline bool KsKeyMapIsDown(const KeyMap keys, UInt8 keyCode) {
    const auto* bytes = reinterpret_cast<const UInt8*>(keys);
    return keyCode < 128 && ((bytes[keyCode >> 3] >> (keyCode & 7)) & 1) != 0;
}
// The modifier bits as they are now.
EventModifiers KsGetModifiers();

// Translates a virtual key code through a keyboard layout. keyCode: bits 0-6
// the virtual key, bit 7 set for a key-up, bits 8-15 the modifier bits 8-15.
// Answers the character code in the low byte (0 when the key has none).
// `state` is kept for dead keys, which this layout does not have.
UInt32 KeyTranslate(const void* transData, UInt16 keyCode, UInt32* state);
// The keyboard layout in use (US English).
const void* KsGetKeyboardLayout();
enum : short { smKCHRCache = 38 };
// Script-manager variables: only smKCHRCache (the layout) is known; others answer 0.
long GetScriptManagerVariable(short selector);

// ---------------------------------------------------------------------------
// Time and settings

UInt32 TickCount(); // KsGetTicks
UInt32 GetDblTime();
UInt32 GetCaretTime();
void KsSetDblTime(UInt32 ticks);
void KsSetCaretTime(UInt32 ticks);
// Auto-key: the first repeat after `thresholdTicks`, then one every `rateTicks`.
void KsSetKeyRepeat(UInt32 thresholdTicks, UInt32 rateTicks);
void KsGetKeyRepeat(UInt32* thresholdTicks, UInt32* rateTicks);

// The rule for counting a second click: both are mouse-downs, the second
// comes less than GetDblTime() after the first, and within 1 pixel of it in
// each direction.
Boolean KsIsDoubleClick(const EventRecord& first, const EventRecord& second);

// This application has the user's focus (between a resume and a suspend).
Boolean KsIsInForeground();

// ---------------------------------------------------------------------------
// Hooks

// Pumps the back end once (native input into the queue, damaged desktop areas
// presented). Installed as the core's pump, so KsDoNothing serves it.
void KsPumpEvents();

// Hands one back-end input to the event manager (the event sink's Input):
// updates the mouse, button, key map and modifier state and queues the
// events it stands for.
struct KsInput;
void KsFeedInput(const KsInput& input);

// The window manager answers pending activate and update events. Each
// procedure fills what, message and, for activates, modifiers (activeFlag);
// the event manager stamps when, where and the other modifiers. With
// remove false it only peeks (EventAvail); an activate answered with remove
// true is delivered and must not be answered again. Update events stay
// pending until the window manager validates the region.
struct KsWindowEventHooks {
    Boolean (*activate)(EventRecord* event, Boolean remove, void* data) = nullptr;
    Boolean (*update)(EventRecord* event, Boolean remove, void* data) = nullptr;
    void* data = nullptr;
};
KsWindowEventHooks KsSetWindowEventHooks(KsWindowEventHooks hooks);

// The window manager refuses a mouse-down that lands on a window which takes
// no input (a window disabled by TBX_EnableWindow). A refused press is never
// delivered, nor the mouse-up that ends it, and the user hears a beep; the
// menu bar and enabled windows are not affected. The press is judged when it
// is taken or peeked, against the windows as they are then.
struct KsClickFilterHook {
    Boolean (*refuses)(Point where, void* data) = nullptr;
    void* data = nullptr;
};
KsClickFilterHook KsSetClickFilterHook(KsClickFilterHook hook);
// While the application holds the mouse (a pane has captured it), every
// mouse-down is delivered, even on a window that takes no input: the holder
// sees it first and the application decides.
void KsHoldMouse(Boolean hold);

// Maps a global point to the current port's local coordinates for GetMouse.
struct KsGlobalToLocalHook {
    void (*proc)(Point* pt, void* data) = nullptr;
    void* data = nullptr;
};
KsGlobalToLocalHook KsSetGlobalToLocalHook(KsGlobalToLocalHook hook);

// The user asked to quit (the native window's close button). Without a hook
// the request is queued as a high-level event: class 'aevt' in the message,
// ID 'quit' in where (v the high half, h the low half).
struct KsQuitRequestHook {
    void (*proc)(void* data) = nullptr;
    void* data = nullptr;
};
KsQuitRequestHook KsSetQuitRequestHook(KsQuitRequestHook hook);
