// Mouse-wheel events reach the scroll pane under the pointer: the innermost
// one that can still move in the wheel's direction takes the turn.
#pragma once

#include "Events.h"

// Routes an osEvt mouse-wheel event; answers whether a pane scrolled.
bool KsRouteWheel(const EventRecord& event);
