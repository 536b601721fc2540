// What the application's source files share.
#pragma once

#include "AApplication.h"
#include "KsAppRequestsPrivate.h"

#include "AFileLocator.h"
#include "KsFailureReport.h"
#include "KsUIHooks.h"
#include "XError.h"

#include <string>
#include <vector>

struct AApplication::Launch {
    std::vector<std::string> files;     // named on the command line
    std::vector<AFileLocator*> pending; // open-documents request before Run
    bool running = false;               // Go has reached Run: requests act at once
    bool handedOff = false;             // the files went to a running instance
    KsAppRequestServer server;
};

struct AApplicationPrivate {
    static AApplication::Launch& L(AApplication* app);
    // Requests from the socket and the quit signals; called on every poll.
    static void PollRequests(AApplication* app);
    // Ticks the event loop's wait may sleep before this turn's work is late:
    // none while events of the application's own wait, at most gl_sleepTime.
    // Watches the request socket too.
    static UInt32 LoopSleep(AApplication* app);
    static CKsList* WindowList(AApplication* app) { return app->windowList; }
    // Menus are brought up to date as for a menu click (a modal window
    // starts from an all-default menu bar and alone updates it); a disabled
    // nick beeps and answers false, an enabled one is broadcast.
    static void PrepareMenus(AApplication* app, EventRecord* event);
    static bool NickCommand(AApplication* app, long nick, short modifiers);
    static int& AELockDepth(AApplication* app) { return app->aeLockDepth; }
};

// The edit glue installed through KsSetAppEditHooks.
const KsAppEditHooks& KsAppEdit();

// How Exit leaves the process (std::exit by default; tests keep it alive).
using KsAppExitProc = void (*)(int status);
KsAppExitProc KsAppSetExitProc(KsAppExitProc proc);
void KsAppCallExit(int status);
// Runs the exit cleanup once per process (also from the C run time).
void KsAppExitCleanup();
void KsAppResetExitCleanupForTests();

// Forgets click counting and the last user-event check (tests).
void KsAppResetUserEventCheck();
