// The toolbox drawing interface: ports, pens, patterns, colours, shapes,
// regions and text, over 32-bit xRGB pixel buffers.
//
// Coordinates are the toolbox's 16-bit local coordinates of the current port
// (see KsGeometry.h for the pixel rules: half-open rectangles, the pen hangs
// below and to the right). A port maps them to device pixels through its
// bounds (the pixel buffer's top-left corner in local coordinates) and its
// backing scale (1, or 2 on a dense screen): device = (local - bounds) * scale.
// All drawing is clipped to the port's clip region intersected with its
// visible region, both kept in local coordinates.
#pragma once

#include "KsColor.h"
#include "KsGeometry.h"
#include "KsMacTypes.h"

class KsRgn;

// ---------------------------------------------------------------------------
// Types

using Style = unsigned char; // bit set of the face styles below
enum : Style {
    normal = 0,
    bold = 1,
    italic = 2,
    underline = 4,
    outline = 8,
    shadow = 16,
    condense = 32,
    extend = 64,
};

// Transfer modes: the pattern modes apply to shapes and lines, the source
// modes to text and CopyBits.
enum : SInt16 {
    srcCopy = 0,
    srcOr = 1,
    srcXor = 2,
    srcBic = 3,
    notSrcCopy = 4,
    notSrcOr = 5,
    notSrcXor = 6,
    notSrcBic = 7,
    patCopy = 8,
    patOr = 9,
    patXor = 10,
    patBic = 11,
    notPatCopy = 12,
    notPatOr = 13,
    notPatXor = 14,
    notPatBic = 15,
    transparent = 36,
    hilite = 50,
};

// An 8x8 one-bit pattern: bit 7 of pat[row] is the leftmost pixel; a set bit
// is drawn in the foreground colour, a clear one in the background colour.
struct Pattern {
    UInt8 pat[8];
};

// A region as the toolbox hands it out: a handle whose block starts with the
// size (10 for a plain rectangle) and the bounding box, kept current by every
// call here. The shape itself lives behind them and is reached through
// RgnHandleToKsRgn / KsRgnToRgnHandle.
struct Region {
    UInt16 rgnSize;
    Rect rgnBBox;
};
using RgnPtr = Region*;
using RgnHandle = Region**;

// The rgnSize of an empty or rectangular region; any other shape is larger.
constexpr UInt16 kKsRectRgnSize = 10;
// Queries of a region handle's header alone, without reading the shape: cheap
// enough for every event and every pane of a walk. The box is clamped to 16
// bits, so a rectangle reaching past them is larger than its box says.
inline bool KsRgnIsRect(RgnHandle rgn) { // empty or one rectangle
    return (*rgn)->rgnSize == kKsRectRgnSize;
}
inline Rect KsRgnBounds(RgnHandle rgn) {
    return (*rgn)->rgnBBox;
}

// A pixel pattern ('ppat'): any size of colour pixels that tile from the
// port's local origin. Opaque; made from resource data or from RGB pixels.
// Through the pen modes white pixels count as clear and all others as set:
// copy draws every pixel, or draws the set ones, bic paints the set ones in
// the background colour, xor flips the bits that are clear in each pixel
// (black inverts, white keeps); the not-modes invert the pattern first. A
// port only points at the pixel patterns it is given.
struct PixPat;
using PixPatHandle = PixPat**;

struct PenState {
    Point pnLoc;
    Point pnSize;
    SInt16 pnMode;
    Pattern pnPat;
};

struct FontInfo {
    SInt16 ascent;
    SInt16 descent;
    SInt16 widMax;
    SInt16 leading;
};

struct Polygon {
    SInt16 polySize; // bytes: 10 + 4 * number of points
    Rect polyBBox;
    Point polyPoints[1];
};
using PolyPtr = Polygon*;
using PolyHandle = Polygon**;

struct KsPortSurface; // the pixel buffer behind a port (private)

// A drawing port. CGrafPort is the same record: every port here is a colour
// port. Fields are read directly by callers as in the classic interface;
// change them through the calls so that dependent state stays right.
struct GrafPort {
    KsPortSurface* surface; // pixels, owned by whoever made the port
    Rect portRect;          // the port's drawing area, local coordinates
    Rect portBounds;        // the pixel buffer's extent, local coordinates
    RgnHandle visRgn;
    RgnHandle clipRgn;
    Pattern bkPat;
    Pattern fillPat;
    Point pnLoc;
    Point pnSize;
    SInt16 pnMode;
    Pattern pnPat;
    SInt16 pnVis;          // 0 visible, negative hidden (HidePen / ShowPen)
    PixPatHandle pnPixPat; // when set, used instead of pnPat
    PixPatHandle bkPixPat;
    PixPatHandle fillPixPat;
    SInt16 txFont;
    Style txFace;
    SInt16 txMode;
    SInt16 txSize;
    RGBColor rgbFgColor;
    RGBColor rgbBkColor;
    RGBColor hiliteColor;
    RgnHandle rgnSave; // non-null while OpenRgn records
    SInt16 scale;      // backing scale: device pixels per logical pixel
    void* refCon;      // for the layer that owns the port (windows)
};
using CGrafPort = GrafPort;
using GrafPtr = GrafPort*;
using CGrafPtr = GrafPort*;

// The standard patterns.
extern const Pattern kQDWhite, kQDLtGray, kQDGray, kQDDkGray, kQDBlack;

// ---------------------------------------------------------------------------
// Rectangles and points (the toolbox's 16-bit forms; KsRect has the same
// operations in 32 bits). Results that do not fit 16 bits are clamped.

void SetRect(Rect* r, SInt16 left, SInt16 top, SInt16 right, SInt16 bottom);
void OffsetRect(Rect* r, SInt16 dh, SInt16 dv);
void InsetRect(Rect* r, SInt16 dh, SInt16 dv);
// The common part into dst (may be a or b); an empty answer is (0,0,0,0).
Boolean SectRect(const Rect* a, const Rect* b, Rect* dst);
void UnionRect(const Rect* a, const Rect* b, Rect* dst);
Boolean PtInRect(Point pt, const Rect* r); // half-open: right and bottom are out
Boolean EqualRect(const Rect* a, const Rect* b);
Boolean EmptyRect(const Rect* r);
void Pt2Rect(Point a, Point b, Rect* dst); // the rectangle with corners a and b
void SetPt(Point* pt, SInt16 h, SInt16 v);
void AddPt(Point src, Point* dst);
void SubPt(Point src, Point* dst);
Boolean EqualPt(Point a, Point b);

// ---------------------------------------------------------------------------
// Ports

// Makes an off-screen-like port over a new pixel buffer of the given size in
// logical pixels at `scale`; portRect = bounds = (0, 0, width, height).
GrafPtr KsNewPort(SInt16 width, SInt16 height, SInt16 scale = 1);
void KsDisposePort(GrafPtr port);
// Sets up a port record over an existing surface (the desktop, a window).
void KsOpenPort(GrafPtr port, KsPortSurface* surface, const Rect& bounds);
void KsClosePort(GrafPtr port);
void KsSetPort(GrafPtr port);
void SetPort(GrafPtr port);
void GetPort(GrafPtr* port);
GrafPtr KsGetPort();
void SetOrigin(SInt16 h, SInt16 v);
void PortSize(SInt16 width, SInt16 height);
void MovePortTo(SInt16 leftGlobal, SInt16 topGlobal);
void GlobalToLocal(Point* pt);
void LocalToGlobal(Point* pt);
void ClipRect(const Rect* r);
void SetClip(RgnHandle rgn);
void GetClip(RgnHandle rgn);
void ClipWideOpen(); // the clip becomes the whole coordinate plane

// ---------------------------------------------------------------------------
// Pen, patterns and colours

void HidePen();
void ShowPen();
void GetPen(Point* pt);
void GetPenState(PenState* state);
void SetPenState(const PenState* state);
void PenSize(SInt16 width, SInt16 height);
void PenMode(SInt16 mode);
void PenPat(const Pattern* pat);
void PenPixPat(PixPatHandle pp);
void BackPat(const Pattern* pat);
void BackPixPat(PixPatHandle pp);
void PenNormal();
void RGBForeColor(const RGBColor* color);
void RGBBackColor(const RGBColor* color);
void GetForeColor(RGBColor* color);
void GetBackColor(RGBColor* color);
void HiliteColor(const RGBColor* color);
void GetHiliteColor(RGBColor* color);
void ForeColor(SInt32 classicColor); // blackColor = 33, whiteColor = 30, ...
void BackColor(SInt32 classicColor);
PixPatHandle NewPixPat();
void DisposePixPat(PixPatHandle pp);
// A pixel pattern from `width` x `height` xRGB pixels (0x00RRGGBB).
PixPatHandle KsNewPixPatFromPixels(const UInt32* pixels, SInt16 width, SInt16 height);

// ---------------------------------------------------------------------------
// Lines and shapes

void MoveTo(SInt16 h, SInt16 v);
void Move(SInt16 dh, SInt16 dv);
void LineTo(SInt16 h, SInt16 v);
void Line(SInt16 dh, SInt16 dv);

void FrameRect(const Rect* r);
void PaintRect(const Rect* r);
void EraseRect(const Rect* r);
void InvertRect(const Rect* r);
void MacInvertRect(const Rect* r);
void FillRect(const Rect* r, const Pattern* pat);
void FillCRect(const Rect* r, PixPatHandle pp);

void FrameOval(const Rect* r);
void PaintOval(const Rect* r);
void EraseOval(const Rect* r);
void InvertOval(const Rect* r);
void FillOval(const Rect* r, const Pattern* pat);

void FrameRoundRect(const Rect* r, SInt16 ovalWidth, SInt16 ovalHeight);
void PaintRoundRect(const Rect* r, SInt16 ovalWidth, SInt16 ovalHeight);
void EraseRoundRect(const Rect* r, SInt16 ovalWidth, SInt16 ovalHeight);
void InvertRoundRect(const Rect* r, SInt16 ovalWidth, SInt16 ovalHeight);
void FillRoundRect(const Rect* r, SInt16 ovalWidth, SInt16 ovalHeight, const Pattern* pat);

// Angles in degrees, 0 at twelve o'clock, clockwise positive.
void FrameArc(const Rect* r, SInt16 startAngle, SInt16 arcAngle);
void PaintArc(const Rect* r, SInt16 startAngle, SInt16 arcAngle);
void EraseArc(const Rect* r, SInt16 startAngle, SInt16 arcAngle);
void InvertArc(const Rect* r, SInt16 startAngle, SInt16 arcAngle);
void FillArc(const Rect* r, SInt16 startAngle, SInt16 arcAngle, const Pattern* pat);

PolyHandle OpenPoly();
void ClosePoly();
void KillPoly(PolyHandle poly);
void OffsetPoly(PolyHandle poly, SInt16 dh, SInt16 dv);
void FramePoly(PolyHandle poly);
void PaintPoly(PolyHandle poly);
void ErasePoly(PolyHandle poly);
void InvertPoly(PolyHandle poly);
void FillPoly(PolyHandle poly, const Pattern* pat);

// RGB conveniences the framework uses: the colours of the port are kept.
void EraseRGBRect(const Rect* r, const RGBColor* color);
void FrameRGBRect(const Rect* r, const RGBColor* color);
void PaintRGBRect(const Rect* r, const RGBColor* color);

// Moves the pixels of r by (dh, dv) within r, erases what is uncovered with the
// background, and sets updateRgn (when not null) to the uncovered part.
void ScrollRect(const Rect* r, SInt16 dh, SInt16 dv, RgnHandle updateRgn);

// ---------------------------------------------------------------------------
// Regions

RgnHandle NewRgn();
void DisposeRgn(RgnHandle rgn);
void OpenRgn(); // lines and frames drawn until CloseRgn outline the region
void CloseRgn(RgnHandle dst);
void CopyRgn(RgnHandle src, RgnHandle dst);
void SetEmptyRgn(RgnHandle rgn);
void SetRectRgn(RgnHandle rgn, SInt16 left, SInt16 top, SInt16 right, SInt16 bottom);
void RectRgn(RgnHandle rgn, const Rect* r);
void OffsetRgn(RgnHandle rgn, SInt16 dh, SInt16 dv);
void InsetRgn(RgnHandle rgn, SInt16 dh, SInt16 dv);
void SectRgn(RgnHandle a, RgnHandle b, RgnHandle dst);
void UnionRgn(RgnHandle a, RgnHandle b, RgnHandle dst);
void DiffRgn(RgnHandle a, RgnHandle b, RgnHandle dst);
void XorRgn(RgnHandle a, RgnHandle b, RgnHandle dst);
Boolean RectInRgn(const Rect* r, RgnHandle rgn);
Boolean PtInRgn(Point pt, RgnHandle rgn);
Boolean EmptyRgn(RgnHandle rgn);
Boolean EqualRgn(RgnHandle a, RgnHandle b);
void FrameRgn(RgnHandle rgn);
void PaintRgn(RgnHandle rgn);
void EraseRgn(RgnHandle rgn);
void InvertRgn(RgnHandle rgn);
void FillRgn(RgnHandle rgn, const Pattern* pat);

struct BitMap {
    Ptr baseAddr;
    SInt16 rowBytes;
    Rect bounds;
};
// The region of the set bits of a one-bit bitmap. Answers noErr, paramErr
// (bad row bytes or bounds) or rgnTooBigErr (-500: more than a million
// rectangles; the region is left empty); never reads outside
// rowBytes * height bytes.
OSErr BitMapToRegion(RgnHandle region, const BitMap* bits);

// Between the toolbox's handles and the core's value type.
KsRgn RgnHandleToKsRgn(RgnHandle rgn);
void KsRgnToRgnHandle(const KsRgn& src, RgnHandle dst);
RgnHandle KsNewRgnFrom(const KsRgn& src);

// ---------------------------------------------------------------------------
// Text (font numbers: 0 system, 1 application, others per the font table)

void TextFont(SInt16 font);
void TextFace(Style face);
void TextMode(SInt16 mode);
void TextSize(SInt16 size);
void DrawChar(SInt16 ch);
void DrawString(ConstStr255Param s);
void DrawText(const void* text, SInt16 firstByte, SInt16 byteCount);
SInt16 CharWidth(SInt16 ch);
SInt16 StringWidth(ConstStr255Param s);
SInt16 TextWidth(const void* text, SInt16 firstByte, SInt16 byteCount);
void GetFontInfo(FontInfo* info);
void GetFNum(ConstStr255Param name, SInt16* familyID);
void GetFontName(SInt16 familyID, Str255 name);

// ---------------------------------------------------------------------------
// Output

// Writes the port's pixels inside r (local coordinates; null for the whole
// port) to a PNG file at device resolution. Answers noErr or an error.
OSErr KsWritePortPNG(GrafPtr port, const Rect* r, const char* path);
