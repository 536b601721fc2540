// The framework's message boxes, behind the core's UIdialog hook.
//
// KsSimpleDlg shows an AutoRequestDlg centred on the screen under the mouse,
// KsSimpleDlgAppCentered one centred over the application's main window, and
// KsSimpleDialog one that shows the bold, italic and underline tags of its
// text. All three share these rules:
// - Batch mode (one setting for the whole process) shows nothing: the
//   request and the default button's label go to the debug output and the
//   log file, and the default button is the answer.
// - Scripted answers (tests, unattended runs) are taken in order before
//   anything is shown, and logged the same way.
// - A request from another thread is carried to the main thread, which shows
//   it at its next turn of the event loop while the thread waits. When the
//   main thread does not take it up in time (it is not running an event
//   loop) the default is the answer, and that is logged.
// - Settings change only from the main thread; from another thread a
//   warning is printed and nothing changes.
#pragma once

#include "KsUIHooks.h"

struct EventRecord;
class AWindow;

short KsSimpleDlg(const char* text, const char* buttons, short defaultButton, UIicon_t icon,
                  const char* tag, bool flag, const char* source);
short KsSimpleDlgAppCentered(const char* text, const char* buttons, short defaultButton,
                             UIicon_t icon, const char* tag, bool flag, const char* source);
short KsSimpleDialog(const char* text, const char* buttons, short defaultButton, UIicon_t icon,
                     const char* tag, bool flag, const char* source);

using KsSDlogCleanupProc = void (*)();
using KsSDlogUpdateProc = bool (*)(EventRecord* ev);

// Answers the previous value.
bool KsSDlogSetBatchMode(bool on);
bool KsSDlogGetBatchMode();
void KsSDlogSetCleanup(KsSDlogCleanupProc proc);
void KsSDlogSetUpdate(KsSDlogUpdateProc proc);
void SDLSetCleanupProc(KsSDlogCleanupProc proc);
KsSDlogCleanupProc SDLGetCleanupProc();
void SDLSetUpdateEvtProc(KsSDlogUpdateProc proc);
KsSDlogUpdateProc SDLGetUpdateEvtProc();
void KsSDlogInit();
// Whether the window is the message box showing now.
bool KsSDlogIsSimpleDlog(const AWindow* window);
// Redraws the message box showing now, when window is it (null: whichever
// it is). Without a message box showing, the assertion "arWindow" fails.
void KsSDlogUpdate(AWindow* window);
// The lines of the last message box shown, as it showed them; lines count
// from 1, and a line out of range is empty.
long GetARnumLines();
const char* GetARnthLine(long n);
// The name of the last request shown by KsSimpleDialog.
const char* KsSDlogRequestName();

// Scripted answers, taken one per request, oldest first.
void KsSDlogPushScriptedAnswer(short answer);
void KsSDlogClearScriptedAnswers();
int KsSDlogScriptedAnswersLeft();

// How long another thread waits for the main thread to take up its request
// before it answers the default (milliseconds). Answers the previous value.
long KsSDlogSetPickupTimeout(long milliseconds);
// Shows the requests other threads are waiting on. The event loop calls it
// on the main thread; elsewhere it does nothing.
void KsSDlogServeThreadRequests();
