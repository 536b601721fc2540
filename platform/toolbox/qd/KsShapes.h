// The pixels that the toolbox's curved and thick shapes cover, as regions in
// the coordinates of the rectangle or points given. Pure geometry: no port,
// no clipping, no pen state.
#pragma once

#include "KsGeometry.h"
#include "KsRgn.h"

KsRgn KsOvalRgn(const KsRect& r);
KsRgn KsRoundRectRgn(const KsRect& r, int ovalW, int ovalH);
KsRgn KsArcRgn(const KsRect& r, int startAngle, int arcAngle);
// Even-odd fill of the closed polygon through the points.
KsRgn KsPolyRgn(const KsPoint* pts, int n);
// The pixels a penW x penH pen covers moving from one point to the other;
// the pen hangs below and to the right of the points.
KsRgn KsLineRgn(KsPoint from, KsPoint to, int penW, int penH);
KsRgn KsFrameOvalRgn(const KsRect& r, int penW, int penH);
KsRgn KsFrameRoundRectRgn(const KsRect& r, int ovalW, int ovalH, int penW, int penH);
KsRgn KsFrameArcRgn(const KsRect& r, int startAngle, int arcAngle, int penW, int penH);
