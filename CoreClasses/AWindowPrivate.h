// What the window's source files share and nothing else needs.
#pragma once

#include <cstring>

#include "AApplication.h" // CurrentEvent, the event being handled
#include "AWindow.h"

// The AWindow with this registry number; null when none is live.
AWindow* KsWindowByNumber(UInt32 number);
// Changes whenever a window is made or disposed: a walk over windows that saw
// no change since its snapshot knows every window in it is still alive.
UInt32 KsWindowRegistryChanges();
// True when port is the port of a window still in the toolbox's list; safe
// for ports of windows already disposed of (compares pointers only).
bool KsIsWindowPort(GrafPtr port);
bool KsIsLiveWindowOrDesktopPort(GrafPtr port);
// The visible, hilited window; null when none.
WindowPtr KsActiveWindow();

class XError;
// Shows an error the window caught and got over (a pane resource that could
// not be read).
void KsReportWindowError(const XError& error);

// C text to a Pascal string, cut to 255 bytes; null gives "".
inline void KsCToPStr(const char* c, Str255 p) {
    const size_t n = c ? std::min<size_t>(std::strlen(c), 255) : 0;
    p[0] = UInt8(n);
    if (n) std::memcpy(p + 1, c, n);
}
// Pascal string to C text in a buffer of `size` bytes (size > 0).
inline void KsPToCStr(const unsigned char* p, char* c, size_t size) {
    const size_t n = std::min<size_t>(p[0], size - 1);
    std::memcpy(c, p + 1, n);
    c[n] = 0;
}

// The rectangle of a toolbox Rect, and back.
inline KsRect KsRectOf(const Rect& r) {
    return KsRect{r.left, r.top, r.right, r.bottom};
}
