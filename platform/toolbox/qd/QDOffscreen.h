// Off-screen worlds, pixel maps and the pixel copies between them.
//
// An off-screen world is a port that owns its pixels: a 32-bit xRGB buffer
// at the world's backing scale, in the same format as every other port, so
// all drawing calls work in it once it is the current port.
//
// Pixel maps. A port's pixels are handed to CopyBits and CopyMask through a
// descriptor: GetPortBitMapForCopyBits(port) (or *GetGWorldPixMap(world))
// answers a PixMap that begins like a BitMap, with bit 15 of rowBytes set as
// the mark of a pixel map. The descriptor belongs to the port and stays valid
// until the port is disposed; its fields are brought up to date each time it
// is asked for. A BitMap that is not such a descriptor is a one-bit bitmap:
// bit 7 of a byte is its leftmost pixel, a set bit is black.
//
// Failures answer the classic result codes; CopyBits and CopyMask, which have
// no result, leave theirs in QDError() (noErr after a successful call).
#pragma once

#include "QuickDraw.h"

using QDErr = SInt16;
using GWorldFlags = UInt32;
using GWorldPtr = CGrafPtr;

// A graphics device: opaque. There is one main device; each world has its own.
struct GDevice;
using GDPtr = GDevice*;
using GDHandle = GDevice**;
// Colour tables are not used: every world draws in 32 bits.
struct ColorTable;
using CTabHandle = ColorTable**;

enum : GWorldFlags {
    pixPurge = 1u << 0, // accepted and ignored: pixels are never purged
    noNewDevice = 1u << 1,
    useTempMem = 1u << 2,
    keepLocal = 1u << 3,
    pixelsPurgeable = 1u << 6,
    pixelsLocked = 1u << 7,
    mapPix = 1u << 16,
    newDepth = 1u << 17,
    alignPix = 1u << 18,
    newRowBytes = 1u << 19,
    reallocPix = 1u << 20,
    clipPix = 1u << 28,
    stretchPix = 1u << 29,
    ditherPix = 1u << 30,
    gwFlagErr = 1u << 31,
};

// A transfer-mode flag that asks for dithering; there is nothing to dither to.
enum : SInt16 { ditherCopy = 64 };

// A port's pixels as CopyBits sees them. baseAddr addresses device pixels
// (0x00RRGGBB, 32 bits each) from the top-left of the buffer; bounds is the
// buffer's extent in the port's local coordinates, which at a backing scale
// above 1 covers fewer logical pixels than the buffer has device pixels.
// rowBytes & 0x3FFF is the stride in bytes when the stride fits in 14 bits;
// pixelRowBytes always holds it.
struct PixMap : BitMap {
    SInt16 pmVersion;
    SInt16 pixelType; // 16: direct pixels
    SInt16 pixelSize; // 32, whatever depth was asked for
    SInt16 cmpCount;  // 3
    SInt16 cmpSize;   // 8
    SInt32 pixelRowBytes;
    SInt16 pixelScale; // device pixels per logical pixel
};
using PixMapPtr = PixMap*;
using PixMapHandle = PixMap**;

// ---------------------------------------------------------------------------
// Worlds

// Makes a world whose portRect and bounds are *boundsRect, erased to white,
// with a fresh port state. pixelDepth 0 or 32 gives xRGB; 1, 2, 4, 8 and 16
// are accepted and drawn in 32 bits all the same. cTable and aGDevice are
// ignored. The current port is left as it was. Answers noErr, paramErr (null
// out pointer or rectangle, empty rectangle, unknown depth) or memFullErr;
// on failure *offscreenGWorld is null.
QDErr NewGWorld(GWorldPtr* offscreenGWorld, SInt16 pixelDepth, const Rect* boundsRect,
                CTabHandle cTable, GDHandle aGDevice, GWorldFlags flags);
// The same at a backing scale of 1 to 4 (a window at scale 2 caches its
// pixels in a world at scale 2); paramErr for any other scale.
QDErr KsNewGWorldScaled(GWorldPtr* offscreenGWorld, SInt16 pixelDepth, const Rect* boundsRect,
                        SInt16 scale, GWorldFlags flags);

// Gives the world new bounds (same scale). When only the position changes,
// the pixels stay and the local coordinates move. When the size changes the
// buffer is made anew, erased to white, and reallocPix is answered; with clipPix the old pixels are
// kept at the same offset from the top-left corner, clipped to the new size; with stretchPix they
// are scaled to fill it (nearest pixel, as CopyBits). The port keeps its pen, colours, text state
// and clip; its visible region becomes the new bounds. newDepth is answered when a different depth
// was asked for (the pixels stay 32-bit). Failures answer gwFlagErr (QDError() tells why) and leave
// the world as it was.
GWorldFlags UpdateGWorld(GWorldPtr* offscreenGWorld, SInt16 pixelDepth, const Rect* boundsRect,
                         CTabHandle cTable, GDHandle aGDevice, GWorldFlags flags);

// Frees the world and its pixels. When it is the current port, there is no
// current port afterwards and the main device becomes current. Accepts null.
void DisposeGWorld(GWorldPtr offscreenGWorld);

// The current port and device. SetGWorld makes port current; for a world
// the device becomes the world's own (gdh is ignored), for any other port
// gdh when it is not null.
void GetGWorld(CGrafPtr* port, GDHandle* gdh);
void SetGWorld(CGrafPtr port, GDHandle gdh);
GDHandle GetGWorldDevice(GWorldPtr offscreenGWorld);
GDHandle GetMainDevice();
GDHandle GetGDevice();

// Restores the current port and device on leaving a scope.
class StGWorldSaver {
public:
    StGWorldSaver() { GetGWorld(&port_, &device_); }
    ~StGWorldSaver() { SetGWorld(port_, device_); }
    StGWorldSaver(const StGWorldSaver&) = delete;
    StGWorldSaver& operator=(const StGWorldSaver&) = delete;

private:
    CGrafPtr port_ = nullptr;
    GDHandle device_ = nullptr;
};

// ---------------------------------------------------------------------------
// Pixel maps

// The pixel map of a world (any port is accepted); null for null.
PixMapHandle GetGWorldPixMap(GWorldPtr offscreenGWorld);
// The descriptor to pass to CopyBits for a port; null for null or when
// memory ran out.
const BitMap* GetPortBitMapForCopyBits(CGrafPtr port);
// Pixels never move or get purged: LockPixels always answers true.
Boolean LockPixels(PixMapHandle pm);
void UnlockPixels(PixMapHandle pm);
Ptr GetPixBaseAddr(PixMapHandle pm);

// The result of the last off-screen call or pixel copy.
QDErr QDError();

// ---------------------------------------------------------------------------
// Copying pixels

// Copies srcRect of srcBits (source local coordinates) to dstRect of dstBits
// (destination local coordinates). The destination must be a port's pixel
// map; the source a port's pixel map or a one-bit bitmap (baseAddr non-null,
// rowBytes at least (width + 7) / 8, bounds non-empty).
//
// Scaling: when the rectangles differ in size, each destination device pixel
// at offset i (along one axis, from the rectangle's edge) takes the source
// device pixel at offset floor((2i + 1) * srcSize / (2 * dstSize)), the one
// under its centre. Worlds and ports of different backing scales map the
// same way, device pixel to device pixel.
//
// Modes, with "set" meaning a set bit of a one-bit source and, for a colour
// source, the complement of its RGB value (black is fully set):
//   srcCopy     the source; a one-bit source is drawn in the current port's
//               foreground (set) and background (clear) colours, and a
//               colour source is coloured the same way (dst = src & bk |
//               ~src & fg, the plain source for black on white)
//   srcOr       set pixels darken: fg for a one-bit source, dst & src else
//   srcXor      set pixels invert: ~dst for a one-bit source, dst ^ ~src else
//   srcBic      set pixels clear: bk for a one-bit source, dst | ~src else
//   notSrc*     the same with the source inverted first
//   transparent source pixels of the background colour (clear bits of a
//               one-bit source) are left out, the others copied as srcCopy
//   hilite      where the source is set (for colour: not the background
//               colour), destination pixels of the background colour become
//               the hilite colour and the hilite colour becomes background
// ditherCopy (64) may be added to any mode and is ignored; other modes copy
// as srcCopy.
//
// Clipping: only destination pixels inside maskRgn (when not null,
// destination local coordinates), inside the destination's buffer and
// mapped from inside the source's bounds change; when the destination is the
// current port, also only those inside its clip ∩ visible region. Source and
// destination may overlap in one buffer: the result is as if the source were
// read in full first. The pixels changed are recorded as damage.
//
// A bad argument draws nothing and leaves paramErr in QDError().
void CopyBits(const BitMap* srcBits, const BitMap* dstBits, const Rect* srcRect,
              const Rect* dstRect, SInt16 mode, RgnHandle maskRgn);

// srcCopy of srcRect to dstRect (scaled as CopyBits), through the one-bit
// maskBits: a source pixel is copied only where the mask pixel at the same
// offset within maskRect (which should be the size of srcRect) is set. The
// clipping rules of CopyBits apply.
void CopyMask(const BitMap* srcBits, const BitMap* maskBits, const BitMap* dstBits,
              const Rect* srcRect, const Rect* maskRect, const Rect* dstRect);
