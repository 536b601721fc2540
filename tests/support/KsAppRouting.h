// Pointer positions routed through the application as the run loop routes
// them, for tests and benchmarks of the idle and mouse-move paths.
#pragma once

#include "AApplication.h"
#include "Events.h"
#include "KsBackend.h"
#include "KsTime.h"
#include "Windows.h"

// A null event at a global point: the routing the run loop gives it, without
// the queue.
inline void KsRouteNullEvent(AApplication* app, Point where) {
    EventRecord e{};
    e.what = nullEvent;
    e.where = where;
    e.when = UInt32(KsGetTicks());
    WindowPtr win = nullptr;
    const short part = FindWindow(where, &win);
    CurrentEvent = e;
    app->NullEvent(e, win, part, kNullEventFromRun);
    app->HandleEvent(nullptr);
}

// A pointer move from the back end, taken by one turn of the loop
// (ProcessEvent ends in HandleEvent).
inline void KsRouteMouseMove(AApplication* app, Point where) {
    KsInput in;
    in.kind = KsInput::Kind::mouseMove;
    in.h = where.h;
    in.v = where.v;
    KsFeedInput(in);
    app->ProcessEvent(everyEvent);
}
