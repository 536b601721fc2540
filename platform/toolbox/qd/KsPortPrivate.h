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

// A surface of width x height device pixels, erased to white; null when the
// size is not positive or memory ran out. KsDisposeSurface accepts null.
KsPortSurface* KsNewSurface(SInt32 width, SInt32 height, SInt16 scale);
void KsDisposeSurface(KsPortSurface* surface);
// Adds device pixels to the surface's damage.
void KsAddDamage(KsPortSurface* surface, const KsRect& device);
void KsAddDamage(KsPortSurface* surface, const KsRgn& device);

// A region handle's block: the toolbox header, then the shape. Made only by
// NewRgn (and the calls built on it); never resize it.
struct KsRgnBlock {
    Region header;
    KsRgn rgn;
};

// The region behind a RgnHandle; valid for the handle's life.
KsRgn& KsRgnRef(RgnHandle rgn);
// Keeps rgnSize and rgnBBox in step after changing KsRgnRef(rgn).
void KsRgnSync(RgnHandle rgn);

// A pixel pattern's block: this header, then width * height xRGB pixels row
// by row.
struct PixPat {
    SInt16 width;
    SInt16 height;
};
constexpr SInt16 kKsMaxPixPatSide = 1024;
inline const UInt32* KsPixPatPixels(PixPatHandle pp) {
    return reinterpret_cast<const UInt32*>(reinterpret_cast<const char*>(*pp) + sizeof(PixPat));
}

// The port's effective clip (clip ∩ visible ∩ bounds) in device pixels.
KsRgn KsPortDeviceClip(GrafPtr port);
// The same in local coordinates.
KsRgn KsPortLocalClip(GrafPtr port);
// The port's bounds limited to the pixels its surface has, local coordinates.
KsRect KsPortLocalBounds(GrafPtr port);
// Local to device and back for one port.
KsRect KsLocalToDevice(GrafPtr port, const KsRect& r);
KsPoint KsLocalToDevice(GrafPtr port, KsPoint p);
KsRgn KsLocalToDevice(GrafPtr port, const KsRgn& r);

// The current port, asserting that there is one.
GrafPtr KsThePort();
// The device pixel of a toolbox colour: 0xFFRRGGBB from the high byte of each
// channel (the unused x byte is kept set so the pixels read as opaque).
constexpr UInt32 KsPixelOf(const RGBColor& c) {
    return 0xFF000000u | (UInt32(c.red >> 8) << 16) | (UInt32(c.green >> 8) << 8) |
           UInt32(c.blue >> 8);
}

// While OpenRgn records in a port (pen hidden): frames and closed line paths
// combine by exclusive-or, as the classic recording does.
void KsRecordShape(GrafPtr port, const KsRgn& shape); // no-op when not recording
void KsRecordLine(GrafPtr port, KsPoint from, KsPoint to);
bool KsIsRecordingRgn(GrafPtr port);
