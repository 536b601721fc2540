// The zoom animation: a box that grows from one rectangle to another on the
// desktop, drawn over everything by exclusive-or so that every pixel it
// touched is as it was when it ends.
#pragma once

#include "KsGeometry.h"

// Steps of the animation, and the pause shown on each.
constexpr int kExpandBoxSteps = 12;
constexpr long kExpandBoxStepMilliseconds = 12;

// from and to are global rectangles. Each step's outline is shown while the
// back end is pumped (KsDoNothing), then erased; nothing happens without a
// desktop or when both rectangles are empty.
void ExpandBoxOnDesktop(const KsRect& from, const KsRect& to);
