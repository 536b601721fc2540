// A headless back end on the virtual clock for the life of one test, and the
// helpers that read its pixels and script its mouse.
#pragma once

#include "Events.h"
#include "EventsPrivate.h"
#include "KsDesktop.h"
#include "KsHeadlessBackend.h"
#include "KsPixels.h"
#include "KsPortPrivate.h"
#include "KsTime.h"
#include "Windows.h"
#include "WindowsPrivate.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <vector>

// What the desk sets up beyond the back end and the event queue.
enum class DeskWith { eventsOnly, windows };

// Installs the back end, resets the event queue and (with windows) the window
// manager; puts everything back, in reverse, when it goes.
class HeadlessDesk {
public:
    explicit HeadlessDesk(SInt32 width = 640, SInt32 height = 480,
                          DeskWith with = DeskWith::windows)
        : with_(with) {
        KsUseVirtualClock(true);
        auto headless = std::make_unique<KsHeadlessBackend>(width, height);
        backend = headless.get();
        previous_ = KsInstallBackend(std::move(headless));
        KsResetEvents();
        if (with_ == DeskWith::windows) InitWindows();
    }
    ~HeadlessDesk() {
        if (with_ == DeskWith::windows) {
            KsWindowsReset();
            KsDesktopDispose();
        }
        KsResetEvents();
        KsInstallBackend(std::move(previous_));
        KsUseVirtualClock(false);
    }
    HeadlessDesk(const HeadlessDesk&) = delete;
    HeadlessDesk& operator=(const HeadlessDesk&) = delete;

    // Scripts a press at `from`, moves through `path` and a release at the
    // last point, one tick apart after `t`, which it advances; answers the
    // mouse-down event.
    EventRecord Gesture(long& t, Point from, std::initializer_list<Point> path) {
        if (KsGetTicks() > t) t = KsGetTicks();
        FlushEvents(mDownMask | mUpMask, 0); // the previous gesture's release
        long at = t + 1;
        backend->ScriptPress(at, from.h, from.v);
        Point last = from;
        for (Point p : path) {
            backend->ScriptMove(++at, p.h, p.v);
            last = p;
        }
        backend->ScriptRelease(++at, last.h, last.v);
        t = at;
        EventRecord e{};
        EXPECT_TRUE(WaitNextEvent(mDownMask, &e, 10, nullptr));
        return e;
    }

    KsHeadlessBackend* backend = nullptr;

private:
    DeskWith with_;
    std::unique_ptr<KsBackend> previous_;
};

inline Point Pt(SInt16 h, SInt16 v) {
    return Point{v, h};
}

inline UInt32 DesktopPixel(SInt32 h, SInt32 v) {
    return ImagePixel(KsGetDesktopPort()->surface->image, h, v);
}
