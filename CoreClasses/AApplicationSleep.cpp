// How long the event loop may sleep: an idle application sleeps in the back
// end until input comes, a component's wake time (KsWakeNoLaterThan) or a
// request on its socket, instead of turning every tick.
#include "AApplicationPrivate.h"

#include "AArray.h"
#include "KsEventWake.h"
#include "KsTime.h"

UInt32 AApplicationPrivate::LoopSleep(AApplication* app) {
    KsAppRequestServer* server =
        app->launch && app->launch->server.IsOpen() ? &app->launch->server : nullptr;
    KsSetWakeFd(server ? server->Fd() : -1);
    if (gl_sleepTime <= 0) return 0;
    // Work already waiting runs on this turn.
    if (app->internalQueueHead && app->GetUseInternalEventQueue() == 1) return 0;
    if (app->endOfEventTasks && app->endOfEventTasks->GetCount() > 0) return 0;
    long sleep = gl_sleepTime;
    // Callers counting null events, and a request that has arrived only in
    // part (its connection is read on every turn), take one a tick.
    if (app->nullCountdown > 0 || (server && server->HasPartialRequests())) sleep = 1;
    if (app->postedNick) {
        const long due = app->postedTicks - KsGetTicks();
        if (due <= 0) return 0;
        if (due < sleep) sleep = due;
    }
    return UInt32(sleep);
}
