// What the demo draws: the contents of its three windows.
#pragma once

#include "QuickDraw.h"

// Each draws into the current port inside `area` (local coordinates).
void DrawShapesDemo(const Rect& area);
void DrawTextDemo(const Rect& area);
void DrawTimecodeDemo(const Rect& area);
// The desktop's heading, drawn once on the desktop port.
void DrawDesktopHeading(GrafPtr desktop, const Rect& area);
