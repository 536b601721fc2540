// The thermometer's process-wide state and its drawing (not installed).
#pragma once

#include "KsThermometer.h"
#include "Windows.h"

#include <cstddef>

// The window's content, 280 x 64, and what is drawn where (local coordinates).
constexpr short kKsThermoWidth = 280, kKsThermoHeight = 64;
constexpr Rect kKsThermoMessageRect{7, 10, 23, 270};
constexpr Rect kKsThermoMessageRectTall{7, 10, 38, 270}; // without a bar
constexpr Rect kKsThermoBarRect{28, 10, 38, 270};
constexpr Rect kKsThermoHintRect{43, 10, 59, 270}; // the time line's row
constexpr short kKsThermoHintRight = 260;
constexpr short kKsThermoTimeH = 10, kKsThermoTimeV = 55;
constexpr long kKsDefaultSpinDelay = 30;

struct KsThermoState {
    WindowPtr window = nullptr;
    UInt32 windowID = 0; // tells a live window from one disposed behind our back
    bool shown = false;
    bool fullUpdate = false; // draw everything at the next chance

    char message[256] = {};
    bool messageTall = false; // drawn over both lines (no bar)
    long total = 0, current = 0;
    short fillEdge = -1;   // right edge of the fill last painted; -1 none
    bool barValid = false; // the bar's area shows total and current

    long opStart = 0;    // the time base of the elapsed time
    long resetStart = 0; // the spin delay counts from here
    long spinDelay = kKsDefaultSpinDelay;

    short firstCursor = 360, frames = 4, ticksPerFrame = 15, frame = 0;
    long lastFrame = 0;
    bool frameDue = false; // the next frame is shown at once
    bool shortCursor = false;
    bool busyShown = false; // a busy frame is on screen

    bool showTime = true, showPercent = true;
    bool abortPending = false;
    StatCallback callback = nullptr;

    long lastSecond = -1;
    char timeLine[64] = {}; // the time line drawn last
    bool hintShown = false;
    short hintLeft = kKsThermoHintRect.right; // the hint starts here when shown
    long lastService = -1;                    // the tick events were last served in
};

KsThermoState& KsThermo();

// The window when it is still alive; forgets it otherwise.
WindowPtr KsThermoWindow();
void KsThermoCreateWindow();
// Sizes, centres and shows the window.
void KsThermoShowWindow();
void KsThermoHideWindow();

// Each draws into the window (port set and restored by the call).
// eraseBoth: erase both lines first, not only the message's own rectangle.
void KsThermoDrawMessage(bool eraseBoth);
// Draws what changed since the bar was last drawn, or all of it when the
// bar's area is not valid.
void KsThermoDrawBar();
void KsThermoDrawHint(bool show);
// At most once per elapsed second unless `force`.
void KsThermoDrawTimeLine(long now, bool force);
// Everything, as after the window was uncovered.
void KsThermoDrawAll();
// Serves pending update events: this window's is drawn here, the
// application's windows are handed to the event loop's update handling.
void KsThermoServeUpdates();

// The time line's text for `elapsed` seconds at current of total.
void KsThermoFormatTimeLine(long elapsed, long current, long total, bool percent, char* out,
                            std::size_t size);
