// Event-manager internals for the back ends and tests (not installed).
#pragma once

#include "Events.h"

// Forgets all queued events and input state (mouse, keys, auto-key, focus)
// and restores the default settings and hooks. For tests and back-end changes.
void KsResetEvents();

// Ticks a tracking call (StillDown, Button, WaitMouseUp) waits on the back end
// when it is called again within the same tick with no new input.
constexpr long kKsTrackingWaitMs = 10;
