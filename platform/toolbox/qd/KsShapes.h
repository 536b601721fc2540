// The pixels of the toolbox's shapes, as regions: pure geometry, no port.
// The drawing calls paint, frame, erase, invert and fill through these.
//
// Pixel rules (KsGeometry.h): a pixel is the unit square below and to the
// right of its coordinates; a shape bounded by r never covers a pixel
// outside r (left <= h < right); pens hang below and to the right of their
// point. Empty or inverted rectangles, empty pens (a side <= 0) and
// polygons of fewer than three points answer the empty region.
//
// - Ovals: the pixels whose centres lie inside the ellipse inscribed in r,
//   plus the middle row(s) and the middle pixel(s) of each row, so that an
//   oval always touches all four sides of r, however thin. Symmetric
//   left-right and top-bottom; computed in exact integer arithmetic.
// - Round rects: r with each corner cut by a quarter of an ovalW x ovalH
//   oval. Oval sizes are clamped to r; a size <= 0 gives plain corners.
// - Arcs: the pixels of the oval whose centres lie in the wedge from
//   startAngle over arcAngle degrees: 0 is twelve o'clock, positive is
//   clockwise, and angles are relative to r (45 degrees points at its
//   top-right corner whatever its proportions). The wedge is half-open (it
//   holds its start ray, not its end ray), so adjacent wedges never share a
//   pixel; the oval's centre pixel, where it has one, belongs to every
//   non-empty wedge. arcAngle 0 is empty; |arcAngle| >= 360 is the oval.
// - Polygons: even-odd interior, a pixel in when its centre is; a centre
//   exactly on an edge counts as inside that edge's right-hand span.
// - Lines: a Bresenham path walked from the upper end (the left one when
//   level), a tie going to the pixel nearer that end, so both directions give
//   the same pixels; the pen rectangle is swept along it and both end
//   positions are included.
// - Frames: the shape minus the same shape inset by the pen (penW at left
//   and right, penH at top and bottom, oval sizes reduced by twice the pen),
//   so every frame lies inside its shape. A frame arc is the frame oval's
//   part in the wedge (no radii). A frame poly is the polyline
//   pts[0] -> pts[1] -> ... -> pts[n - 1]: like the toolbox's, it is closed
//   only when the last point repeats the first.
//
// Work is bounded by the 16-bit coordinate plane: every result is clipped to
// -32768 <= h, v < 32768, the range the toolbox's coordinates can address,
// so no call loops over more than 65,536 rows whatever its arguments.
// Cost is O(rows) for the conic shapes and lines, and
// O(n log n + rows * crossings log crossings) for polygons.
//
// Failure: running out of memory raises XError "SYS_ERROR" (memFullErr).
#pragma once

#include "KsGeometry.h"
#include "KsRgn.h"

KsRgn KsOvalRgn(const KsRect& r);
KsRgn KsRoundRectRgn(const KsRect& r, int ovalW, int ovalH);
KsRgn KsArcRgn(const KsRect& r, int startAngle, int arcAngle);
// pts may be null only when n <= 0.
KsRgn KsPolyRgn(const KsPoint* pts, int n);
KsRgn KsLineRgn(KsPoint from, KsPoint to, int penW, int penH);
KsRgn KsFrameOvalRgn(const KsRect& r, int penW, int penH);
KsRgn KsFrameRoundRectRgn(const KsRect& r, int ovalW, int ovalH, int penW, int penH);
KsRgn KsFrameArcRgn(const KsRect& r, int startAngle, int arcAngle, int penW, int penH);
KsRgn KsFramePolyRgn(const KsPoint* pts, int n, int penW, int penH);
