// What the toolbox's managers share about ports and regions (not installed).
#pragma once

#include "KsRgn.h"
#include "QuickDraw.h"

#include <pixman.h>

// The pixels behind a port: an xRGB image at device resolution. The owner of
// the surface may be the port (KsNewPort), the desktop or an off-screen world.
struct KsPortSurface {
    pixman_image_t* image = nullptr; // PIXMAN_x8r8g8b8
    SInt16 scale = 1;
    bool ownedByPort = false;
    // Damage in device pixels, collected for the back end to present.
    KsRgn damage;
};

// The region behind a RgnHandle; valid for the handle's life.
KsRgn& KsRgnRef(RgnHandle rgn);
// Keeps rgnSize and rgnBBox in step after changing KsRgnRef(rgn).
void KsRgnSync(RgnHandle rgn);

// The port's effective clip (clip ∩ visible ∩ bounds) in device pixels.
KsRgn KsPortDeviceClip(GrafPtr port);
// Local to device and back for one port.
KsRect KsLocalToDevice(GrafPtr port, const KsRect& r);
KsPoint KsLocalToDevice(GrafPtr port, KsPoint p);
