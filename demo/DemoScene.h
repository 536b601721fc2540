// What the demo draws on the desktop.
#pragma once

#include "QuickDraw.h"

// Draws the showcase into `port` (the desktop port), inside `area`.
void DrawDemoScene(GrafPtr port, const Rect& area);
