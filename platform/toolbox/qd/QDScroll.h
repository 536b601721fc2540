// Scrolling a rectangle's pixels in the framework's own geometry types.
#pragma once

#include "KsGeometry.h"
#include "KsMacTypes.h"

class KsRgn;

// ScrollRect with r in 32-bit coordinates (clamped to the port's 16-bit
// space) and the uncovered part put into a region the caller keeps, so that
// a caller that scrolls on every press does not build a region each time.
void KsScrollRect(const KsRect& r, SInt16 dh, SInt16 dv, KsRgn* uncovered);
