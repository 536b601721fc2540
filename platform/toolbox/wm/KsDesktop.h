// The desktop: one pixel surface holding every window, with the menu bar in
// its top 20 pixels, shown by the back end. Desktop coordinates are global
// coordinates; the main screen's top-left is (0, 0).
#pragma once

#include "QuickDraw.h"

constexpr SInt16 kKsMenuBarHeight = 20;

// Makes the desktop over the back end's screens (KsGetBackend) and registers
// it for presentation; does nothing when it exists. Answers the desktop port.
GrafPtr KsDesktopInit();
// Makes the desktop follow the back end's screens after they changed (the
// native window resized, maximised, made full screen): the surface takes the
// new size keeping the pixels that remain, the menu bar spans the new main
// screen, what was uncovered is drawn at once, and windows left out of reach
// are moved back until enough of their title bar can be grabbed. The event
// manager calls it for the back end's screens input; nothing happens when
// there is no desktop or nothing changed.
void KsDesktopFollowScreens();
// Releases the desktop (tests, shutdown). Windows must be gone first.
void KsDesktopDispose();
// The port over the whole desktop (the window manager's port): its portRect is
// the desktop's bounds and its clip the whole plane; null before KsDesktopInit.
GrafPtr KsGetDesktopPort();
// The union of the screens, and the main screen.
Rect KsDesktopBounds();
Rect KsMainScreenBounds();
// The desktop's background colour (what shows where no window is).
void KsSetDesktopColor(const RGBColor& color);
RGBColor KsGetDesktopColor();
