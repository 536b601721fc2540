// The screen manager: where the screens are, in global coordinates.
//
// The screens come from a provider that the toolbox layer installs when it
// makes its desktop (one per display of the back end, side by side; screen 0
// is the main one, holding the menu bar). Without a provider there is one
// screen of 1280x800, so that start-up and tools work before any desktop.
#pragma once

#include "KsGeometry.h"

// Fills up to `max` screen rectangles and answers how many there are.
using KsScreenProvider = int (*)(KsRect* screens, int max);
KsScreenProvider KsSetScreenProvider(KsScreenProvider provider);
// Bits per pixel of a screen. The back ends show 32-bit xRGB screens; a
// display of another depth (a one-bit panel) says so through this provider.
using KsScreenDepthProvider = int (*)(int index);
KsScreenDepthProvider KsSetScreenDepthProvider(KsScreenDepthProvider provider);

class AScreenManOS {
public:
    // Makes the one screen manager (or answers it when made); Get answers it,
    // null before New.
    static AScreenManOS* New();
    static AScreenManOS* Get();
    static void Dispose();

    static constexpr int kMaxScreens = 16;

    int GetScreenCount() const;
    KsRect GetScreenBounds(int index) const; // empty out of range
    KsRect GetMainScreenBounds() const { return GetScreenBounds(0); }
    // Bits per pixel of the screen (32 without a depth provider); 0 out of
    // range.
    int GetScreenDepth(int index) const;
    // The screen holding the point; the nearest one when none does.
    int ScreenOfPoint(KsPoint pt) const;
    // The screen holding most of r; for an r on no screen, the one nearest
    // its centre.
    int ScreenOfRect(const KsRect& r) const;
    // GetScreenDepth(ScreenOfRect(r)), asking for the screens once: drawing
    // asks it for every pane.
    int DepthOfRect(const KsRect& r) const;
    // r moved (its size kept where it fits) so that it lies on the screen
    // inset by `margin`; an r larger than that area is cut to it.
    KsRect PullOntoScreen(const KsRect& r, int screen, int margin) const;

    AScreenManOS(const AScreenManOS&) = delete;
    AScreenManOS& operator=(const AScreenManOS&) = delete;

private:
    AScreenManOS() = default;
    // The screens are asked for on every call: displays come and go.
    int Screens(KsRect* out) const;
};
