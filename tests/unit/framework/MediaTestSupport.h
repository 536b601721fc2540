// A window with a main pane for the media widgets, pixels read through the
// window's coordinates, and gestures with a modifier key held.
#pragma once

#include "GadgetTestSupport.h"
#include "KsNativeKeysPrivate.h"

class MediaTest : public GadgetTest {
protected:
    Point G(SInt32 h, SInt32 v) const {
        Point p{SInt16(v), SInt16(h)};
        SetPortWindowPort(win->GetWindowPtr());
        LocalToGlobal(&p);
        return p;
    }
    UInt32 Px(SInt32 h, SInt32 v) const {
        const Point g = G(h, v);
        return DesktopPixel(g.h, g.v);
    }
    // Redraws the window through its update.
    void Redraw() {
        InvalWindowRect(win->GetWindowPtr(), &win->GetWindowPtr()->portRect);
        Settle();
    }
    // A press at `press` and moves through `path` (window coordinates), with
    // the key `held` down throughout (0: none).
    void Drag(KsPoint press, const std::vector<KsPoint>& path, UInt8 held = 0) {
        if (held) backend->ScriptKeyDown(KsGetTicks() + 1, held);
        std::vector<Point> global;
        for (KsPoint p : path)
            global.push_back(G(p.h, p.v));
        Gesture(G(press.h, press.v), global);
        if (held) {
            backend->ScriptKeyUp(KsGetTicks() + 1, held);
            KsDoNothing(20);
            FlushEvents(everyEvent, 0);
        }
    }
};
