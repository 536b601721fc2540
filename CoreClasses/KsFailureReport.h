// Failure reporting: what the user sees when something goes wrong.
//
// Four paths meet here. An error escaping one event is shown by
// KsDisplayException and the application goes on. An error escaping start-up,
// the run loop or shut-down ends the process through KsFatalException. A
// failed assertion reaches the fatal-error handler (KsFatalErrDebug during
// start-up, KsFatalErrUI afterwards), which offers restart, exit, a state dump
// or the debugger. KsCheckMemory turns a shrinking memory reserve into
// "MEM_LOW" and "MEM_DANGER_LOW".
//
// The application's failure members forward here one to one. What these
// functions need from the application comes in through KsFailureHost, so this
// file knows nothing of the application class.
//
// Main thread only.
#pragma once

#include "XError.h"

#include <cstdio>

// What the application lends to failure reporting. Every member may be left
// null; the defaults are given beside each one.
struct KsFailureHost {
    // The application's re-entry guard of KsDisplayException. Null: a private
    // flag is used.
    unsigned char* displayingException = nullptr;
    // Redraws every window after a message dialog closed (DialogCleanup).
    void (*updateAllWindows)(void* data) = nullptr;
    // Shows the help topic named by an error code (the dialog's Help button).
    void (*showHelp)(const char* code, short command, void* data) = nullptr;
    // The application's (overridable) fatal-error dialog; KsFatalErrUI calls
    // it. Null: KsFatalErrDialog.
    short (*fatalErrDialog)(char* message, char* file, int line, void* data) = nullptr;
    // Writes the "WindowList" section of the state dump. Null: KsPrintWindowList.
    void (*printWindowList)(std::FILE* out, void* data) = nullptr;
    // Re-executes the program with argv (null-terminated) after the user
    // chose Restart; returns only when that failed. Null: KsRestartProcess.
    void (*restart)(char* const* argv, void* data) = nullptr;
    // The program's original arguments, null-terminated. Null: read from
    // /proc/self/cmdline when KsInstallFtlErrHandler runs.
    char* const* argv = nullptr;
    void* data = nullptr;
};

// Installs the host (copied); answers the previous one.
KsFailureHost KsSetFailureHost(const KsFailureHost& host);
const KsFailureHost& KsGetFailureHost();

// ---------------------------------------------------------------------------
// Showing an error

// Shows the error being handled (set it with StSetCurrentException): beeps,
// writes the error stack to the debug output and the logs, then loops on the
// dialog (OK, Help, More, Abort) until OK, Abort or closing the dialog.
// Answers true when the user chose Abort. Refused (false, nothing shown) while
// another error is being shown and for "LOW_MEM_ABORT_BIN_OPEN". Never raises.
bool KsDisplayException(const char* code, bool allowAbort);

// Codes whose dialog offers a Help button.
bool KsIsHelpCode(const char* code);

// After a message dialog closes: presents the desktop and redraws all
// windows. Never raises.
void DialogCleanup();

// ---------------------------------------------------------------------------
// The low-memory watch, called after every event. Raises "MEM_LOW" or
// "MEM_DANGER_LOW" when memory is low: every change of state at once, a state
// that persists once a minute (3600 ticks).
void KsCheckMemory();
// Forgets the last reported state (state 0, time 0), as at start-up.
void KsResetMemoryWatch();

// ---------------------------------------------------------------------------
// The fatal path

// Ends the process with `text` (shown as it is, never as a format) and the
// error stack of the error being handled. `code` is not used.
void KsFatalException(const char* code, const char* text);

// Fatal-dialog choices.
enum KsFatalChoice : short {
    kKsFatalNone = 0,    // no choice recorded / the dialog failed
    kKsFatalRestart = 1, // "Restart"
    kKsFatalExit = 2,    // "Exit To Finder"
    kKsFatalDump = 3,    // "Dump State"
    kKsFatalDebugger = 4,
    kKsFatalRaise = 5,    // hidden: raise "FATAL_ERROR" and go on
    kKsFatalContinue = 6, // hidden: go on
};

// The fatal-error dialog; answers the chosen button. The message is never
// changed (a long one is shown cut to 240 characters ending in "...").
// Answers kKsFatalNone when the dialog cannot be shown.
short KsFatalErrDialog(char* message, char* file, int line);
// The fatal-error handler during start-up: to the debugger, answers true.
unsigned char KsFatalErrDebug(char* message, char* file, int line);
// The fatal-error handler after start-up: dumps the state, offers the dialog
// and acts on the choice (Restart re-executes the program, Exit flushes the
// logs and leaves, Debugger answers true). Re-entry goes to the debugger.
unsigned char KsFatalErrUI(char* message, char* file, int line);
// The last choice KsFatalErrUI acted on (kKsFatalNone before any).
short KsGetLastFatalChoice();

// Registers the state-dump sections and installs KsFatalErrUI; captures the
// program's arguments for Restart when the host gave none.
void KsInstallFtlErrHandler();

// Re-executes /proc/self/exe with argv; returns only when that failed.
void KsRestartProcess(char* const* argv);

// The "WindowList" dump section: every window of the toolbox list, front to
// back, with its title, kind, layer, visibility and content rectangle.
void KsPrintWindowList(std::FILE* out);
