#include "KsWheelRouting.h"

#include "AScrollPane.h"
#include "AWindow.h"
#include "KsPortSavers.h"
#include "Windows.h"

bool KsRouteWheel(const EventRecord& event) {
    if ((event.message >> 24) != mouseWheelMessage) return false;
    WindowPtr wp = nullptr;
    if (FindWindow(event.where, &wp) != inContent || !wp) return false;
    // A window behind a modal one takes no input, the wheel included.
    if (!KsIsWindowEnabled(wp)) return false;
    AWindow* w = GetWindowObj(wp);
    APane* main = w ? w->GetMainPane() : nullptr;
    if (!main) return false;
    StPortSaver port(GrafPtr(GetWindowPort(wp)));
    Point local = event.where;
    GlobalToLocal(&local);
    SInt32 dx = 0, dy = 0;
    KsWheelDeltas(event.message, &dx, &dy);
    for (APane* p = main->FindPane({local.h, local.v}, false, false); p; p = p->GetEnclPane())
        if (p->IsInstanceOf("AScrollPane") &&
            static_cast<AScrollPane*>(p)->DoWheel(dx, dy, SInt16(event.modifiers)))
            return true;
    return false;
}
