// The event manager.
//
// Sections: state; input from the back ends; taking events; waiting;
// mouse and keyboard calls; settings and hooks.
//
// The queue is a fixed ring of records, so posting and taking never allocate.
// Activate and update events are not queued: the window manager answers them
// when asked (KsSetWindowEventHooks), which keeps update events behind all
// input and makes flushing unable to lose them.
#include "Events.h"
#include "Cursors.h"
#include "EventsPrivate.h"
#include "KsBackend.h"
#include "KsDesktop.h"
#include "KsEventWake.h"
#include "KsKeyTraps.h"
#include "KsKeyboardPrivate.h"
#include "KsMacRoman.h"
#include "KsPortPrivate.h"
#include "KsRgn.h"
#include "KsTextInputPrivate.h"
#include "KsTime.h"
#include "Sound.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// ---------------------------------------------------------------------------
// State

constexpr int kQueueSize = 128;
constexpr EventMask kDefaultEventMask = everyEvent & ~keyUpMask;
constexpr UInt32 kDefaultDblTime = 30;   // half a second
constexpr UInt32 kDefaultCaretTime = 32; // about two blinks a second
constexpr UInt32 kDefaultKeyThresh = 24; // first repeat after 0.4 s
constexpr UInt32 kDefaultKeyRate = 4;    // then 15 a second
constexpr UInt8 kLeftButton = 1, kRightButton = 2;

struct EventState {
    EventRecord queue[kQueueSize];
    int head = 0;
    int count = 0;
    EventMask eventMask = kDefaultEventMask;

    Point mouse{0, 0};
    UInt8 buttons = 0;
    UInt8 keys[16] = {};
    bool capsLock = false;
    bool foreground = true;

    bool repeating = false;
    UInt8 repeatKey = 0;
    UInt32 repeatMessage = 0;
    long nextRepeat = 0;

    UInt32 dblTime = kDefaultDblTime;
    UInt32 caretTime = kDefaultCaretTime;
    UInt32 keyThresh = kDefaultKeyThresh;
    UInt32 keyRate = kDefaultKeyRate;

    // Tracking calls wait only when polled again with nothing new.
    UInt32 inputSerial = 0;
    UInt32 lastTrackSerial = 0;
    long lastTrackTick = -1;
    bool pumping = false;

    // A refused mouse-down takes its mouse-up with it.
    bool dropNextMouseUp = false;
    bool mouseHeld = false;

    // The event loop's wake time and descriptor (KsWakeNoLaterThan,
    // KsSetWakeFd).
    long wakeBy = LONG_MAX;
    int wakeFd = -1;

    KsWindowEventHooks windowHooks;
    KsClickFilterHook clickFilter;
    KsGlobalToLocalHook globalToLocal;
    KsQuitRequestHook quitHook;

    EventRecord& At(int i) { return queue[(head + i) % kQueueSize]; }
    const EventRecord& At(int i) const { return queue[(head + i) % kQueueSize]; }
};

EventState& S() {
    static EventState state;
    return state;
}

SInt16 Clamp16(SInt32 x) {
    return SInt16(x < SHRT_MIN ? SHRT_MIN : x > SHRT_MAX ? SHRT_MAX : x);
}

bool KeyDown(const EventState& s, UInt8 code) {
    return code < 128 && ((s.keys[code >> 3] >> (code & 7)) & 1) != 0;
}
void SetKey(EventState& s, UInt8 code, bool down) {
    if (code >= 128) return;
    UInt8 bit = UInt8(1u << (code & 7));
    if (down)
        s.keys[code >> 3] |= bit;
    else
        s.keys[code >> 3] &= UInt8(~bit);
}

EventModifiers Modifiers(const EventState& s) {
    EventModifiers m = 0;
    if (!s.buttons) m |= btnState;
    if (KeyDown(s, kKsKeyCommand) || KeyDown(s, kKsKeyRightCommand)) m |= cmdKey;
    if (KeyDown(s, kKsKeyShift) || KeyDown(s, kKsKeyRightShift)) m |= shiftKey;
    if (KeyDown(s, kKsKeyOption) || KeyDown(s, kKsKeyRightOption)) m |= optionKey;
    if (s.capsLock) m |= alphaLock;
    if (s.buttons & kRightButton) m |= controlKey;
    return m;
}

bool Admits(EventMask mask, EventKind what) {
    if (what < 16) return (mask & (1u << what)) != 0;
    return what == kHighLevelEvent && (mask & highLevelEventMask) != 0;
}

void Append(EventState& s, const EventRecord& event) {
    if (s.count == kQueueSize) { // the oldest goes, as in the classic queue
        s.head = (s.head + 1) % kQueueSize;
        --s.count;
    }
    s.At(s.count++) = event;
}

void Erase(EventState& s, int index) {
    for (int i = index; i + 1 < s.count; ++i)
        s.At(i) = s.At(i + 1);
    --s.count;
}

EventRecord Stamped(const EventState& s, EventKind what, UInt32 message, EventModifiers extra = 0,
                    long now = KsGetTicks()) {
    EventRecord e;
    e.what = what;
    e.message = message;
    e.when = UInt32(now);
    e.where = s.mouse;
    e.modifiers = EventModifiers(Modifiers(s) | extra);
    return e;
}

void PostStamped(EventState& s, EventKind what, UInt32 message, EventModifiers extra = 0) {
    KsPostEventRecord(Stamped(s, what, message, extra));
}

UInt32 KeyMessage(UInt8 keyCode, UInt8 charCode) {
    return UInt32(keyCode) << 8 | charCode;
}

// ---------------------------------------------------------------------------
// Input from the back ends

// A wheel turn, merged into the newest queued event when that is a wheel
// event at the same place whose sum still fits: a touchpad sends many small
// ones, and each would otherwise be a scroll of its own.
void FeedWheel(EventState& s, float x, float y) {
    auto sixteenths = [](float notches) {
        const float v = notches * float(kKsWheelUnitsPerNotch);
        return v != v ? 0 : SInt32(std::lround(std::clamp(v, -4096.0f, 4096.0f)));
    };
    SInt32 dx = sixteenths(x), dy = sixteenths(y);
    if (dx == 0 && dy == 0) return;
    if (s.count > 0) {
        EventRecord& last = s.At(s.count - 1);
        if (last.what == osEvt && (last.message >> 24) == mouseWheelMessage &&
            last.where.h == s.mouse.h && last.where.v == s.mouse.v) {
            SInt32 lx = 0, ly = 0;
            KsWheelDeltas(last.message, &lx, &ly);
            if (std::abs(lx + dx) <= 2047 && std::abs(ly + dy) <= 2047) {
                last.message = KsWheelMessage(lx + dx, ly + dy);
                return;
            }
        }
    }
    PostStamped(s, osEvt, KsWheelMessage(dx, dy));
}

void FeedKeyDown(EventState& s, UInt8 keyCode, UInt8 charCode, bool hasChar) {
    if (UInt16 mod = KsModifierOfKey(keyCode)) {
        if (mod == alphaLock) {
            if (!KeyDown(s, keyCode)) s.capsLock = !s.capsLock;
        }
        SetKey(s, keyCode, true);
        return;
    }
    SetKey(s, keyCode, true);
    if (!hasChar) {
        UInt16 code = UInt16((keyCode & 0x7F) | (Modifiers(s) & 0xFF00));
        charCode = UInt8(KeyTranslate(KsGetKeyboardLayout(), code, nullptr));
    }
    UInt32 message = KeyMessage(keyCode, charCode);
    if (KsIsKeyTrapped(message, Modifiers(s))) {
        s.repeating = false;
        return;
    }
    PostStamped(s, keyDown, message);
    s.repeating = true;
    s.repeatKey = keyCode;
    s.repeatMessage = message;
    s.nextRepeat = KsGetTicks() + long(s.keyThresh);
}

void FeedKeyUp(EventState& s, UInt8 keyCode) {
    bool wasDown = KeyDown(s, keyCode);
    SetKey(s, keyCode, false);
    if (KsModifierOfKey(keyCode)) return;
    if (s.repeating && s.repeatKey == keyCode) s.repeating = false;
    if (!wasDown) return;
    UInt16 code = UInt16((keyCode & 0x7F) | (Modifiers(s) & 0xFF00));
    UInt8 ch = UInt8(KeyTranslate(KsGetKeyboardLayout(), code, nullptr));
    PostStamped(s, keyUp, KeyMessage(keyCode, ch));
}

bool KeyEventsQueued(const EventState& s) {
    for (int i = 0; i < s.count; ++i)
        if (s.At(i).what == keyDown || s.At(i).what == autoKey) return true;
    return false;
}

// Typed text: an input method's commit may go to the text-input client whole
// (KsTextInput.h). Otherwise each character that has a Mac OS Roman form
// becomes a key-down with the key that types it (0 when no key does); others
// are refused with a beep.
void FeedText(EventState& s, const char* text) {
    if (!text) return;
    if (KsTextInputCommit(text, KeyEventsQueued(s))) return;
    std::size_t length = std::strlen(text);
    std::size_t at = 0;
    while (at < length) {
        char32_t ch = 0;
        at += KsDecodeUTF8(text + at, length - at, &ch);
        unsigned char roman = 0;
        if (!KsUnicodeToMacRoman(ch, &roman) || roman == 0) {
            SysBeep(kKsShortBeepTicks);
            continue;
        }
        UInt8 keyCode = 0;
        bool shift = false;
        KsKeyForChar(roman, &keyCode, &shift);
        if (KsIsKeyTrapped(KeyMessage(keyCode, roman), Modifiers(s))) continue;
        PostStamped(s, keyDown, KeyMessage(keyCode, roman));
    }
}

void SetFocus(EventState& s, bool in) {
    if (s.foreground == in) return;
    s.foreground = in;
    if (!in) {
        // Keys released while another application has the focus are never
        // reported: forget them now instead of repeating them forever.
        std::memset(s.keys, 0, sizeof s.keys);
        s.repeating = false;
    }
    PostStamped(s, osEvt, UInt32(suspendResumeMessage) << 24 | (in ? UInt32(resumeFlag) : 0u));
}

// ---------------------------------------------------------------------------
// Taking events

// A press on a window that takes no input, or the release that ends one.
bool Refused(EventState& s, const EventRecord& e) {
    if (e.what == mouseUp && s.dropNextMouseUp) {
        s.dropNextMouseUp = false;
        return true;
    }
    if (e.what != mouseDown) return false;
    s.dropNextMouseUp = false;
    if (s.mouseHeld || !s.clickFilter.refuses) return false;
    if (!s.clickFilter.refuses(e.where, s.clickFilter.data)) return false;
    s.dropNextMouseUp = true;
    SysBeep(kKsShortBeepTicks);
    return true;
}

// Answers false with a null event stamped at the tick it read, which it also
// stores in *tick when asked: a waiting caller need not read the clock again.
bool Take(EventMask mask, EventRecord* event, bool remove, long* tick = nullptr) {
    KsPumpEvents();
    EventState& s = S();
    EventModifiers mods = Modifiers(s);
    auto stamp = [&](EventRecord* e) {
        e->when = UInt32(KsGetTicks());
        e->where = s.mouse;
        e->modifiers = EventModifiers((e->modifiers & activeFlag) | mods);
    };
    if ((mask & activMask) && s.windowHooks.activate) {
        EventRecord e{};
        if (s.windowHooks.activate(&e, remove, s.windowHooks.data)) {
            stamp(&e);
            *event = e;
            return true;
        }
    }
    for (int i = 0; i < s.count;) {
        if (!Admits(mask, s.At(i).what)) {
            ++i;
        } else if (Refused(s, s.At(i))) {
            Erase(s, i);
        } else {
            *event = s.At(i);
            if (remove) Erase(s, i);
            return true;
        }
    }
    const long now = KsGetTicks();
    if (tick) *tick = now;
    if ((mask & autoKeyMask) && s.repeating && now >= s.nextRepeat) {
        *event = Stamped(s, autoKey, s.repeatMessage, 0, now);
        // A late caller gets one repeat, not a burst of missed ones.
        if (remove) s.nextRepeat = now + long(s.keyRate);
        return true;
    }
    if ((mask & updateMask) && s.windowHooks.update) {
        EventRecord e{};
        if (s.windowHooks.update(&e, remove, s.windowHooks.data)) {
            stamp(&e);
            *event = e;
            return true;
        }
    }
    // The modifiers read above, not read again.
    *event = EventRecord{nullEvent, 0, UInt32(now), s.mouse, mods};
    return false;
}

// Waits on the back end when a tracking call comes round again within the
// same tick and nothing new has arrived, so that tracking loops sleep.
void TrackingPause() {
    EventState& s = S();
    KsPumpEvents();
    long now = KsGetTicks();
    if (s.inputSerial == s.lastTrackSerial && now == s.lastTrackTick) {
        KsGetBackend()->WaitForInput(kKsTrackingWaitMs);
        KsPumpEvents();
        now = KsGetTicks();
    }
    s.lastTrackSerial = s.inputSerial;
    s.lastTrackTick = now;
}

bool MouseEventQueued(const EventState& s, int* index) {
    for (int i = 0; i < s.count; ++i) {
        const EventRecord& e = s.At(i);
        if (e.what == mouseDown || e.what == mouseUp) {
            if (index) *index = i;
            return true;
        }
    }
    return false;
}

} // namespace

// ---------------------------------------------------------------------------
// Input from the back ends

void KsFeedInput(const KsInput& in) {
    EventState& s = S();
    ++s.inputSerial;
    switch (in.kind) {
    case KsInput::Kind::mouseMove:
        s.mouse = {Clamp16(in.v), Clamp16(in.h)};
        KsCursorMouseMoved(); // an obscured cursor shows again
        break;
    case KsInput::Kind::mouseDown: {
        s.mouse = {Clamp16(in.v), Clamp16(in.h)};
        bool wasUp = s.buttons == 0;
        s.buttons |= in.button == KsMouseButton::right ? kRightButton : kLeftButton;
        // One button stands for all: a second button only changes the modifiers.
        if (wasUp) PostStamped(s, mouseDown, 0);
        break;
    }
    case KsInput::Kind::mouseUp: {
        s.mouse = {Clamp16(in.v), Clamp16(in.h)};
        UInt8 bit = in.button == KsMouseButton::right ? kRightButton : kLeftButton;
        if (!(s.buttons & bit)) break;
        s.buttons &= UInt8(~bit);
        // The release of the right button still says which button it was.
        if (s.buttons == 0)
            PostStamped(s, mouseUp, 0,
                        bit == kRightButton ? EventModifiers(controlKey) : EventModifiers(0));
        break;
    }
    case KsInput::Kind::keyDown:
        if (in.keyCode < 128) FeedKeyDown(s, in.keyCode, in.charCode, in.hasChar);
        break;
    case KsInput::Kind::keyUp:
        if (in.keyCode < 128) FeedKeyUp(s, in.keyCode);
        break;
    case KsInput::Kind::text:
        FeedText(s, in.text);
        break;
    case KsInput::Kind::composition:
        KsTextInputCompose(in.text, in.start, in.length);
        break;
    case KsInput::Kind::focusIn:
        SetFocus(s, true);
        break;
    case KsInput::Kind::focusOut:
        SetFocus(s, false);
        break;
    case KsInput::Kind::screens:
        KsDesktopFollowScreens();
        break;
    case KsInput::Kind::wheel:
        FeedWheel(s, in.wheelX, in.wheelY);
        break;
    case KsInput::Kind::quit:
        if (s.quitHook.proc) {
            s.quitHook.proc(s.quitHook.data);
        } else {
            EventRecord e = Stamped(s, kHighLevelEvent, FourCharCode("aevt"));
            UInt32 id = FourCharCode("quit");
            e.where = {SInt16(UInt16(id >> 16)), SInt16(UInt16(id & 0xFFFF))};
            KsPostEventRecord(e);
        }
        break;
    }
}

namespace {

// The event manager as the back ends see it. Installed when the library
// loads, so input is never fed to nobody.
class Sink final : public KsEventSink {
public:
    void Input(const KsInput& input) override { KsFeedInput(input); }
    void PumpAndPresent() override { KsPumpEvents(); }
};
Sink gSink;
[[maybe_unused]] const bool gSinkInstalled = (KsSetEventSink(&gSink), true);

} // namespace

void KsPumpEvents() {
    EventState& s = S();
    if (s.pumping) return; // a hook that waits must not pump from inside the pump
    s.pumping = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{s.pumping};
    KsGetBackend()->Pump();
    KsPresentDesktop();
}

// ---------------------------------------------------------------------------
// Wheel messages

UInt32 KsWheelMessage(SInt32 dx16, SInt32 dy16) {
    const UInt32 x = UInt32(std::clamp<SInt32>(dx16, -2048, 2047)) & 0xFFF;
    const UInt32 y = UInt32(std::clamp<SInt32>(dy16, -2048, 2047)) & 0xFFF;
    return UInt32(mouseWheelMessage) << 24 | x << 12 | y;
}

void KsWheelDeltas(UInt32 message, SInt32* dx16, SInt32* dy16) {
    // Sign-extends the 12-bit fields.
    auto field = [](UInt32 bits) { return SInt32(bits ^ 0x800) - 0x800; };
    if (dx16) *dx16 = field((message >> 12) & 0xFFF);
    if (dy16) *dy16 = field(message & 0xFFF);
}

// ---------------------------------------------------------------------------
// Getting and posting events

Boolean GetNextEvent(EventMask mask, EventRecord* event) {
    return Take(mask, event, true);
}

Boolean EventAvail(EventMask mask, EventRecord* event) {
    return Take(mask, event, false);
}

Boolean WaitNextEvent(EventMask mask, EventRecord* event, UInt32 sleep, RgnHandle mouseRgn) {
    if (!mouseRgn || !*mouseRgn) return KsWaitNextEventIn(mask, event, sleep, nullptr);
    return KsWaitNextEventIn(mask, event, sleep, &KsRgnRef(mouseRgn));
}

namespace {
// The waits of WaitNextEvent and of the event loop. The loop's wait also ends
// on any input and at the wake time, and sleeps on the wake descriptor too.
Boolean WaitFor(EventMask mask, EventRecord* event, UInt32 sleep, const KsRgn* mouseRgn,
                bool loop) {
    EventState& s = S();
    // Sleep times beyond a day (callers pass 0xFFFFFFFF for "forever") are
    // cut to a day so the deadline cannot overflow.
    constexpr UInt32 kLongestSleep = 60u * 60 * 60 * 24;
    // Timed from the first look at the queue, whose tick it shares: the clock
    // is read once a turn of the event loop (only a wait moves a virtual
    // clock, so the deadline is the same there).
    long deadline = LONG_MIN;
    const UInt32 serial = s.inputSerial;
    bool waited = false;
    for (;;) {
        long now;
        if (Take(mask, event, true, &now)) return true;
        if (deadline == LONG_MIN)
            deadline = now + long(sleep < kLongestSleep ? sleep : kLongestSleep);
        if (mouseRgn && (mask & osMask) && !mouseRgn->Contains(KsPoint{s.mouse.h, s.mouse.v})) {
            *event = Stamped(s, osEvt, UInt32(mouseMovedMessage) << 24, 0, now);
            return true;
        }
        if (loop) {
            if (s.wakeBy <= now) {
                s.wakeBy = LONG_MAX; // answered by this null event
                return false;
            }
            if (s.inputSerial != serial) return false; // the pointer moved
            // One sleep a call: whatever woke the back end (the socket, a
            // signal, a native event that makes no toolbox event) gets its
            // turn of the loop.
            if (waited) return false;
            deadline = std::min(deadline, s.wakeBy);
        }
        if (now >= deadline) return false; // Take left a null event
        long wait = deadline - now;
        if ((mask & autoKeyMask) && s.repeating && s.nextRepeat - now < wait)
            wait = s.nextRepeat - now;
        long ms = TicksToMilliseconds(wait);
        if (loop)
            KsGetBackend()->WaitForInputOrFd(ms > 0 ? ms : 1, s.wakeFd);
        else
            KsGetBackend()->WaitForInput(ms > 0 ? ms : 1);
        waited = true;
    }
}
} // namespace

Boolean KsWaitNextEventIn(EventMask mask, EventRecord* event, UInt32 sleep, const KsRgn* mouseRgn) {
    return WaitFor(mask, event, sleep, mouseRgn, false);
}

Boolean KsWaitForEventOrWake(EventMask mask, EventRecord* event, UInt32 sleep) {
    return WaitFor(mask, event, sleep, nullptr, true);
}

void KsWakeNoLaterThan(long tick) {
    EventState& s = S();
    if (tick < s.wakeBy) s.wakeBy = tick;
}

long KsWakeTime() {
    return S().wakeBy;
}

void KsSetWakeFd(int fd) {
    S().wakeFd = fd;
}

OSErr PostEvent(EventKind what, UInt32 message) {
    return KsPostEventRecord(Stamped(S(), what, message));
}

OSErr KsPostEventRecord(const EventRecord& event) {
    EventState& s = S();
    if (!Admits(s.eventMask, event.what)) return evtNotEnb;
    Append(s, event);
    return noErr;
}

void FlushEvents(EventMask mask, EventMask stopMask) {
    EventState& s = S();
    int i = 0;
    while (i < s.count) {
        EventKind what = s.At(i).what;
        if (Admits(stopMask, what)) break;
        if (Admits(mask, what))
            Erase(s, i);
        else
            ++i;
    }
}

void KsScanEvents(KsEventScanProc proc, void* data) {
    EventState& s = S();
    int kept = 0;
    bool stopped = false;
    for (int i = 0; i < s.count; ++i) {
        EventRecord e = s.At(i);
        KsScanAction action = stopped ? KsScanAction::keep : proc(&e, data);
        stopped =
            stopped || action == KsScanAction::keepAndStop || action == KsScanAction::dropAndStop;
        if (action == KsScanAction::drop || action == KsScanAction::dropAndStop) continue;
        s.At(kept++) = e;
    }
    s.count = kept;
}

int KsQueuedEventCount() {
    return S().count;
}

void SetEventMask(EventMask mask) {
    S().eventMask = mask;
}

EventMask KsGetEventMask() {
    return S().eventMask;
}

// ---------------------------------------------------------------------------
// Mouse and keyboard

Boolean Button() {
    TrackingPause();
    return S().buttons != 0;
}

Boolean StillDown() {
    TrackingPause();
    const EventState& s = S();
    return s.buttons != 0 && !MouseEventQueued(s, nullptr);
}

Boolean WaitMouseUp() {
    TrackingPause();
    EventState& s = S();
    if (s.buttons != 0 && !MouseEventQueued(s, nullptr)) return true;
    for (int i = 0; i < s.count; ++i) {
        if (s.At(i).what == mouseUp) {
            Erase(s, i);
            break;
        }
    }
    return false;
}

Point KsGetGlobalMouse() {
    KsPumpEvents();
    return S().mouse;
}

void GetMouse(Point* mouseLoc) {
    Point p = KsGetGlobalMouse();
    const KsGlobalToLocalHook& hook = S().globalToLocal;
    if (hook.proc) hook.proc(&p, hook.data);
    *mouseLoc = p;
}

Boolean KsMotionThreshold(Point start, SInt16 threshold) {
    for (;;) {
        bool down = StillDown();
        Point p = S().mouse;
        int dh = p.h - start.h, dv = p.v - start.v;
        if (dh < 0) dh = -dh;
        if (dv < 0) dv = -dv;
        if (dh >= threshold || dv >= threshold) return true;
        if (!down) return false;
    }
}

void GetKeys(KeyMap keys) {
    KsPumpEvents();
    std::memcpy(keys, S().keys, sizeof S().keys);
}

EventModifiers KsGetModifiers() {
    KsPumpEvents();
    return Modifiers(S());
}

// ---------------------------------------------------------------------------
// Time, settings and hooks

UInt32 TickCount() {
    return UInt32(KsGetTicks());
}
UInt32 GetDblTime() {
    return S().dblTime;
}
UInt32 GetCaretTime() {
    return S().caretTime;
}
void KsSetDblTime(UInt32 ticks) {
    S().dblTime = ticks;
}
void KsSetCaretTime(UInt32 ticks) {
    S().caretTime = ticks;
}
void KsSetKeyRepeat(UInt32 thresholdTicks, UInt32 rateTicks) {
    // A rate of 0 would repeat on every poll.
    S().keyThresh = thresholdTicks;
    S().keyRate = rateTicks > 0 ? rateTicks : 1;
}
void KsGetKeyRepeat(UInt32* thresholdTicks, UInt32* rateTicks) {
    *thresholdTicks = S().keyThresh;
    *rateTicks = S().keyRate;
}

Boolean KsIsDoubleClick(const EventRecord& first, const EventRecord& second) {
    if (first.what != mouseDown || second.what != mouseDown) return false;
    // Tick stamps are unsigned; a second click stamped earlier is no double click.
    if (second.when < first.when || second.when - first.when >= GetDblTime()) return false;
    int dh = second.where.h - first.where.h, dv = second.where.v - first.where.v;
    return dh >= -1 && dh <= 1 && dv >= -1 && dv <= 1;
}

Boolean KsIsInForeground() {
    return S().foreground;
}

KsWindowEventHooks KsSetWindowEventHooks(KsWindowEventHooks hooks) {
    KsWindowEventHooks old = S().windowHooks;
    S().windowHooks = hooks;
    return old;
}

KsClickFilterHook KsSetClickFilterHook(KsClickFilterHook hook) {
    KsClickFilterHook old = S().clickFilter;
    S().clickFilter = hook;
    return old;
}

void KsHoldMouse(Boolean hold) {
    S().mouseHeld = hold;
}

KsGlobalToLocalHook KsSetGlobalToLocalHook(KsGlobalToLocalHook hook) {
    KsGlobalToLocalHook old = S().globalToLocal;
    S().globalToLocal = hook;
    return old;
}

KsQuitRequestHook KsSetQuitRequestHook(KsQuitRequestHook hook) {
    KsQuitRequestHook old = S().quitHook;
    S().quitHook = hook;
    return old;
}

void KsResetEvents() {
    S() = EventState{};
    KsResetTextInput();
}
