// Where the end-to-end drivers report a window's parts: found through
// FindWindow itself, so the scripts follow the frame's layout.
#pragma once

#include "Windows.h"

#include <cstdio>
#include <vector>

// The first point of `part` scanning the title bar's middle row; the middle
// of the run (a third in, for the drag area), away from its edges.
inline bool FindPart(WindowPtr w, SInt16 wanted, Point* found) {
    const Rect c = (**w->contRgn).rgnBBox;
    const Rect s = (**w->strucRgn).rgnBBox;
    const SInt16 mid = SInt16((s.top + c.top) / 2);
    std::vector<Point> hits;
    for (SInt16 h = s.left; h < s.right; ++h) {
        WindowPtr hit = nullptr;
        if (FindWindow(Point{mid, h}, &hit) == wanted && hit == w) hits.push_back(Point{mid, h});
    }
    if (hits.empty()) return false;
    *found = wanted == inDrag ? hits[hits.size() / 3] : hits[hits.size() / 2];
    return true;
}

// One "window NAME content L,T,R,B goaway H,V drag H,V zoom H,V grow H,V
// visible 0|1" line; parts the window lacks are left out.
inline void PrintWindowLine(WindowPtr w, const char* name) {
    const Rect c = (**w->contRgn).rgnBBox;
    std::printf("window %s content %d,%d,%d,%d", name, c.left, c.top, c.right, c.bottom);
    Point p;
    if (FindPart(w, inGoAway, &p)) std::printf(" goaway %d,%d", p.h, p.v);
    if (FindPart(w, inDrag, &p)) std::printf(" drag %d,%d", p.h, p.v);
    if (FindPart(w, inZoomOut, &p) || FindPart(w, inZoomIn, &p))
        std::printf(" zoom %d,%d", p.h, p.v);
    WindowPtr hit = nullptr;
    const Point grip{SInt16(c.bottom - 4), SInt16(c.right - 4)};
    if (FindWindow(grip, &hit) == inGrow && hit == w) std::printf(" grow %d,%d", grip.h, grip.v);
    std::printf(" visible %d\n", IsWindowVisible(w) ? 1 : 0);
}
