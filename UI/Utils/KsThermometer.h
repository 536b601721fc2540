// The progress thermometer: how long operations report progress, spin the
// busy cursor and notice that the user wants to cancel.
//
// An operation calls StatUpdate for every item it processes (a call that
// changes nothing on screen costs about a microsecond) or StatSpinCursor
// where it has no count. The first update after a close shows the
// "Thermometer" window: the message, a bar, the elapsed time with an
// estimate of the total, and a hint that says how to cancel. With
// cancelAllowed, Command-period (Ctrl+., or Ctrl+; on a French keyboard) or
// an earlier StatAbort raises XError "BASE_USER_ABORT" from inside the call;
// the operation unwinds and the window stays until StatClose. The event loop
// calls StatReset before and StatClose after every event, so an operation
// started by a command needs no closing of its own.
//
// All state is process-wide and belongs to the main thread: a call from
// another thread does nothing (the first one logs a warning).
#pragma once

// Called on every spin, for hosts that keep something of their own moving.
using StatCallback = void (*)();

// Once per process (IApplication calls it): creates the hidden window.
void StatInit();
// A new reference time for the spin delay, the default busy cursor, the
// cancel hint erased and a spin delay of 30 ticks.
void StatReset();
// Shows `message` and the proportion current / total (total 0: the message
// alone, over two lines), then spins. Answers false.
bool StatUpdate(const char* message, long current, long total, bool cancelAllowed);
// Serves pending window updates, shows or erases the cancel hint, calls the
// callback, checks for cancelling and turns the busy cursor. A delay other
// than -1 replaces the spin delay (ticks after a reset before the cursor
// turns).
void StatSpinCursor(bool cancelAllowed, long delay);
// Clears the message and the progress and hides the window.
void StatClose();
// The same for a caller that has made sure it runs on the main thread: the
// hook UIstatClose calls after every event, once its own test has passed.
void StatCloseOnMainThread();

bool StatIsActive(); // the window is shown
// current / total; -1.0 while the total is 0.
double StatGetProgress();
const char* StatGetMessage(); // never null
// Answers the callback it replaces; null removes it.
StatCallback StatSetCallback(StatCallback proc);
// Cancels at the next spin that allows cancelling.
void StatAbort();
void StatSetSpinDelayTicks(long ticks);
// The busy cursor: `frames` cursor resources from firstID, each shown for
// ticksPerFrame ticks (at least 1). firstID 0 chooses the default: four
// frames from 360 at 15 ticks each, or in the short form two frames from 370
// at 6 ticks each.
void StatSetBusyCursor(short firstID, short frames, short ticksPerFrame);
// The short form of the default busy cursor (off at start).
void StatSetShortBusyCursor(bool on);
// Whether the time line, and the percentage on it, are drawn (both on at start).
void StatSetShowTime(bool on);
void StatSetShowPercent(bool on);
