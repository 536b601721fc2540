// The thermometer's calls: progress, the spin, cancelling and the busy
// cursor. Drawing is in KsThermometerDraw.cpp.
#include "KsThermometer.h"
#include "Cursors.h"
#include "KsCmdPeriod.h"
#include "KsOutput.h"
#include "KsThermometerPrivate.h"
#include "KsThreads.h"
#include "KsTime.h"
#include "KsWindowShell.h"
#include "XError.h"

#include <atomic>
#include <cstring>

namespace {

constexpr short kBusyFirst = kKsBusyCursorID, kBusyFrames = 4, kBusyTicks = 15;
constexpr short kShortBusyFirst = 370, kShortBusyFrames = 2, kShortBusyTicks = 6;

// Worker threads reach these calls through the core's progress hooks; the
// state is the main thread's, so they are turned away, and told so once.
bool OnMainThread() {
    if (KsIsMainThread()) return true;
    static std::atomic<bool> warned{false};
    if (!warned.exchange(true))
        dprintf("WARNING: Attempt to use the progress thermometer from non-main thread!\n");
    return false;
}

void SetBusy(short firstID, short frames, short ticksPerFrame) {
    KsThermoState& s = KsThermo();
    if (firstID == 0) {
        firstID = s.shortCursor ? kShortBusyFirst : kBusyFirst;
        frames = s.shortCursor ? kShortBusyFrames : kBusyFrames;
        ticksPerFrame = s.shortCursor ? kShortBusyTicks : kBusyTicks;
    }
    if (firstID != s.firstCursor) s.frameDue = true;
    s.firstCursor = firstID;
    s.frames = frames < 1 ? short(1) : frames; // the frame count is a divisor
    s.ticksPerFrame = ticksPerFrame < 1 ? short(1) : ticksPerFrame;
    s.frame = -1; // the next frame shown is the first
}

// Brings the window to the front of its layer unless it is there already
// (moving a window re-lays the desktop out, too dear for every update).
void ToFront(WindowPtr w) {
    for (WindowPtr x = KsGetWindowList(); x && x != w; x = GetNextWindow(x)) {
        if (IsWindowVisible(x) && KsGetWindowLayer(x) == KsGetWindowLayer(w)) {
            BringToFront(w);
            return;
        }
    }
}

} // namespace

void StatInit() {
    if (!OnMainThread()) return;
    if (!KsThermoWindow()) KsThermoCreateWindow();
}

void StatReset() {
    if (!OnMainThread()) return;
    KsThermoState& s = KsThermo();
    s.resetStart = s.lastFrame = KsGetTicks();
    SetBusy(0, 0, 0);
    if (s.hintShown && KsThermoWindow()) KsThermoDrawHint(false);
    s.spinDelay = kKsDefaultSpinDelay;
}

bool StatUpdate(const char* message, long current, long total, bool cancelAllowed) {
    if (!OnMainThread()) return false;
    KsThermoState& s = KsThermo();
    const long now = KsGetTicks();
    if (!message) message = "";
    // Counts below zero mean nothing done yet.
    if (current < 0) current = 0;
    if (total < 0) total = 0;
    if ((s.total != 0 && s.current == s.total) || current < s.current) {
        s.opStart = now;
        s.lastSecond = -1;
    }
    WindowPtr w = KsThermoWindow();
    if (!w) return false;
    if (!s.shown) {
        KsThermoShowWindow();
        s.opStart = now;
        s.lastSecond = -1;
    }
    ToFront(w);
    if (current > total) current = total;
    const bool changed = total != s.total || current != s.current;
    s.total = total;
    s.current = current;
    const bool newMessage = std::strncmp(message, s.message, sizeof s.message - 1) != 0;
    if (newMessage) {
        std::strncpy(s.message, message, sizeof s.message - 1);
        s.message[sizeof s.message - 1] = 0;
    }
    const bool tall = total == 0;
    if (s.fullUpdate) {
        s.messageTall = tall;
        KsThermoDrawAll();
    } else {
        KsThermoDrawTimeLine(now, false);
        const bool tallChanged = tall != s.messageTall;
        if (newMessage || tallChanged) {
            s.messageTall = tall;
            KsThermoDrawMessage(tallChanged);
            if (tallChanged) s.barValid = false; // both lines were erased
        }
        if (changed || !s.barValid) KsThermoDrawBar();
    }
    StatSpinCursor(cancelAllowed, -1);
    return false;
}

void StatSpinCursor(bool cancelAllowed, long delay) {
    if (!OnMainThread()) return;
    KsThermoState& s = KsThermo();
    if (delay != -1) s.spinDelay = delay;
    const long now = KsGetTicks();
    // Input only arrives when the back end is pumped: once a tick is enough,
    // and keeps this call cheap for operations that spin for every item.
    if (now != s.lastService) {
        s.lastService = now;
        KsPumpEvents();
        KsThermoServeUpdates();
    }
    const bool visible = s.shown && KsThermoWindow();
    if (visible && cancelAllowed != s.hintShown) KsThermoDrawHint(cancelAllowed);

    if (s.callback) s.callback();

    if (cancelAllowed && (s.abortPending || KsFindQueuedEvent(TestCmdPeriod, false))) {
        s.abortPending = false;
        xraisexerror("BASE_USER_ABORT");
    }

    if (now - s.resetStart < s.spinDelay) return;
    if (!s.frameDue && now - s.lastFrame < s.ticksPerFrame) return;
    s.frameDue = false;
    s.lastFrame = now;
    if (visible) KsThermoDrawTimeLine(now, false);
    s.frame = short((s.frame + 1) % s.frames);
    SetCursorByID(short(s.firstCursor + s.frame));
    s.busyShown = true;
}

void StatClose() {
    if (OnMainThread()) StatCloseOnMainThread();
}

void StatCloseOnMainThread() {
    KsThermoState& s = KsThermo();
    // The busy cursor would otherwise stay over content whose window leaves
    // the cursor alone.
    if (s.busyShown) {
        s.busyShown = false;
        SetArrowCursor();
    }
    if (!s.shown && !s.message[0] && s.total == 0 && s.current == 0) return;
    s.message[0] = 0;
    s.total = s.current = 0;
    s.timeLine[0] = 0;
    s.lastSecond = -1;
    if (s.shown && KsThermoWindow()) KsThermoHideWindow();
    s.shown = KsIsAppMinimized();
}

bool StatIsActive() {
    if (!OnMainThread()) return false;
    return KsThermo().shown && KsThermoWindow() && IsWindowVisible(KsThermo().window);
}

double StatGetProgress() {
    if (!OnMainThread()) return -1.0;
    const KsThermoState& s = KsThermo();
    return s.total == 0 ? -1.0 : double(s.current) / double(s.total);
}

const char* StatGetMessage() {
    if (!OnMainThread()) return "";
    return KsThermo().message;
}

StatCallback StatSetCallback(StatCallback proc) {
    if (!OnMainThread()) return nullptr;
    StatCallback old = KsThermo().callback;
    KsThermo().callback = proc;
    return old;
}

void StatAbort() {
    if (!OnMainThread()) return;
    KsThermo().abortPending = true;
}

void StatSetSpinDelayTicks(long ticks) {
    if (!OnMainThread()) return;
    KsThermo().spinDelay = ticks;
}

void StatSetBusyCursor(short firstID, short frames, short ticksPerFrame) {
    if (!OnMainThread()) return;
    SetBusy(firstID, frames, ticksPerFrame);
}

void StatSetShortBusyCursor(bool on) {
    if (!OnMainThread()) return;
    KsThermo().shortCursor = on;
}

void StatSetShowTime(bool on) {
    if (!OnMainThread()) return;
    KsThermo().showTime = on;
}

void StatSetShowPercent(bool on) {
    if (!OnMainThread()) return;
    KsThermo().showPercent = on;
}
