// Icons from resource data: one-bit icons ('ICON', 'SICN'), icon families
// ('ICN#', 'ics#', 'icl8', 'ics8' sharing one ID) and colour icons ('cicn').
//
// Every call draws through the current port: clipped to its clip ∩ visible,
// scaled to the rectangle given by nearest neighbour. Damaged resource data
// raises XError and draws nothing; calls with a result answer failure instead.
#pragma once

#include "QuickDraw.h"

using IconAlignmentType = SInt16;
enum : IconAlignmentType {
    kAlignNone = 0x00, // centred
    kAlignVerticalCenter = 0x01,
    kAlignTop = 0x02,
    kAlignBottom = 0x03,
    kAlignHorizontalCenter = 0x04,
    kAlignAbsoluteCenter = 0x05,
    kAlignCenterTop = 0x06,
    kAlignCenterBottom = 0x07,
    kAlignLeft = 0x08,
    kAlignCenterLeft = 0x09,
    kAlignTopLeft = 0x0A,
    kAlignBottomLeft = 0x0B,
    kAlignRight = 0x0C,
    kAlignCenterRight = 0x0D,
    kAlignTopRight = 0x0E,
    kAlignBottomRight = 0x0F,
};

// Disabled blends the icon's colours halfway towards the port's background
// colour; selected darkens each channel by a third; both may be combined.
// Offline and open are not drawn (paramErr).
using IconTransformType = SInt16;
enum : IconTransformType {
    kTransformNone = 0x0000,
    kTransformDisabled = 0x0001,
    kTransformOffline = 0x0002,
    kTransformOpen = 0x0003,
    kTransformSelected = 0x4000,
    kTransformSelectedDisabled = 0x4001,
};

// 'ICON' data (32x32, 128 bytes) in r: set bits in the foreground colour,
// clear ones in the background colour.
void PlotIcon(const Rect* r, Handle iconHandle);

// Icon number `index` (from 0) of a 'SICN' list in r: set bits in the
// foreground colour; clear bits leave the port as it is, so a shadow drawn
// first stays visible.
void PlotSICN(const Rect* r, Handle sicnList, SInt16 index);

// The icon family `resID` in r, drawn through its mask. The large icons are
// used when r is at least 32 pixels both ways or no small icon exists; colour
// ('icl8', 'ics8') when present, else one bit. The icon keeps its own size
// when it fits (smaller rectangles shrink it) and is placed by alignment.
// Answers noErr, resNotFound (no member of the family), paramErr (a transform
// not drawn) or the code of damaged data (nothing is drawn).
OSErr PlotIconID(const Rect* r, IconAlignmentType alignment, IconTransformType transform,
                 SInt16 resID);
// Whether pt (local) lies on the mask of icon family resID placed as PlotIconID
// would place it.
Boolean PtInIconID(Point pt, const Rect* r, IconAlignmentType alignment, SInt16 resID);

// The framework's forms: the family centred in r with no transform; and with
// the alignment and transform given, made disabled on top when `disabled`.
OSErr KsPlotIconID(SInt16 resID, const Rect* r);
OSErr KsPlotIconID2(SInt16 resID, const Rect* r, IconAlignmentType alignment,
                    IconTransformType transform, Boolean disabled);

// A colour icon decoded from 'cicn' data. The block is owned by its handle
// (DisposeCIcon); iconMask and iconBMap point into the block itself, so the
// handle is never resized or copied.
struct CIcon {
    OSType signature; // 'KsCI' for a decoded icon
    SInt16 width;
    SInt16 height;
    SInt16 pixelSize; // depth of the colour data: 1, 2, 4 or 8
    BitMap iconMask;  // one-bit mask: set bits are drawn
    BitMap iconBMap;  // the one-bit form
    // Then the mask rows, the one-bit rows and width * height xRGB pixels.
};
using CIconPtr = CIcon*;
using CIconHandle = CIcon**;

// The 'cicn' with that ID, or null when missing or damaged.
CIconHandle GetCIcon(SInt16 iconID);
CIconHandle KsGetCIcon(SInt16 iconID);
// The colour icon scaled to r, drawn where its mask is set.
void PlotCIcon(const Rect* r, CIconHandle icon);
// The same with the arguments the framework uses; also accepts a handle
// holding raw 'cicn' or 'cccn' resource data (decoded on the fly).
void PaintCicon(CIconHandle icon, const Rect* r);
void DisposeCIcon(CIconHandle icon); // null is allowed
void KsDisposCIcon(CIconHandle icon);

// The 'ppat' with that ID as a pixel pattern, or null when missing or
// damaged. The caller owns it (DisposePixPat).
PixPatHandle GetPixPat(SInt16 patID);
