// The drag tracking that drags leaving the application share with those
// inside it (APaneDrag.cpp).
#pragma once

#include "KsGeometry.h"
#include "KsMacTypes.h"
#include "KsSystemDrag.h"

class DragList;

// Where the pointer was when the drag ended.
enum class DragTrackEnd : UInt8 {
    here,      // over the application: its panes take the drop
    elsewhere, // over another application's window
    cancelled, // Escape
};

// Follows the pointer from the global point `start` with the drag region's
// outline, telling the panes under it (APane::SendDragMsg), until the button
// comes up; over another application's window `out` speaks with it. The
// drop itself is left to the caller. Answers the release point.
KsPoint TrackSystemDrag(DragList* list, KsPoint start, SInt16* mods, KsDragSource* out,
                        DragTrackEnd* end);
