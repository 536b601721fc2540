// The system beep.
#pragma once

#include "KsMacTypes.h"

// Sounds the alert: a short tone of `duration` ticks where an audio device
// exists (kept between 1 and kKsMaxBeepTicks), nothing audible otherwise. Each
// call is counted.
void SysBeep(SInt16 duration);

constexpr SInt16 kKsMaxBeepTicks = 60;
// The usual alert: a refused press or key, a reported error.
constexpr SInt16 kKsShortBeepTicks = 5;

// Beeps since the process started, for tests.
int KsGetBeepCount();
