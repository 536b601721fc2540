// Number helpers: linear range mapping, clamping, rounding-up division.
#pragma once

#include "KsMacTypes.h"

// Maps x linearly from [fromLo, fromHi] onto [toLo, toHi]: fromLo gives toLo,
// fromHi gives toHi, and points in between are rounded to the nearest
// integer, halves away from toLo. Either range may run backwards. x outside
// the source range extrapolates; the result saturates at the 32-bit limits
// (callers that need the target range clamp with limitlong). A zero source
// range answers toLo. Exact for any 32-bit arguments: nothing overflows.
SInt32 mapFromTo(SInt32 x, SInt32 fromLo, SInt32 fromHi, SInt32 toLo, SInt32 toHi);

// The same in floating point, not rounded. fromLo gives exactly toLo and
// fromHi exactly toHi; a zero source range answers toLo.
double mapDoubleFromTo(double x, double fromLo, double fromHi, double toLo, double toHi);

// value clamped into [lo, hi]. When lo > hi the range is empty and lo wins.
SInt32 limitlong(SInt32 value, SInt32 lo, SInt32 hi);

// The smallest integer not less than a / b, for any signs: divCeil(7, 2) is
// 4, divCeil(-7, 2) is -3. A zero divisor answers 0; INT32_MIN / -1
// saturates to INT32_MAX.
SInt32 divCeil(SInt32 a, SInt32 b);
