// The arithmetic of scrolling panes and scroll bars, as pure functions over
// 32-bit values. Every intermediate is computed in 64 bits and every answer
// is clamped, so limits anywhere in the 32-bit range neither overflow nor
// divide by zero.
#pragma once

#include "KsMacTypes.h"

namespace KsScroll {

// v clamped into [lo, hi]; a hi below lo is first raised to lo.
SInt32 Clamp(SInt64 v, SInt32 lo, SInt32 hi);

// The largest position of an axis whose landscape runs from min to max and
// shows `visible` units: max less the shown extent (the smaller of visible
// and max - min, when positive), never below min.
SInt32 ScrollMax(SInt32 min, SInt32 max, SInt32 visible);

// The page step of an axis `extent` units long with step `incr`: whole
// steps less one, at least one step. Steps of 0 or less count as 1.
SInt32 PageIncr(SInt32 extent, SInt32 incr);

// A step of 0 or less taken as 1.
inline SInt32 SaneIncr(SInt32 incr) {
    return incr > 0 ? incr : 1;
}

// --- Scroll bars -----------------------------------------------------------------

// The shortest thumb, and the length a too short one becomes.
constexpr SInt32 kMinThumb = 14;

// The proportional thumb: track * visible / (range + visible), where range is
// max - min; 0 when that divisor is 0; lengths under 15 become 14; never
// longer than the track.
SInt32 ThumbLength(SInt32 track, SInt32 min, SInt32 max, SInt32 visible);

// Where the thumb of `value` starts: [min, max] mapped onto
// [trackStart, trackEnd - thumb]. A track with no room for the thumb, or
// min == max, answers trackStart. The value is clamped first.
SInt32 ValueToThumb(SInt32 value, SInt32 min, SInt32 max, SInt32 trackStart, SInt32 trackEnd,
                    SInt32 thumb);
// The inverse: the value whose thumb starts at pos, clamped to [min, max].
SInt32 ThumbToValue(SInt32 pos, SInt32 min, SInt32 max, SInt32 trackStart, SInt32 trackEnd,
                    SInt32 thumb);

// value rounded up to the next multiple of step counted from min, clamped to
// max; steps below 2 leave the value alone.
SInt32 RoundUpToStep(SInt32 value, SInt32 min, SInt32 max, SInt32 step);

// The scale value for a scale handle dragged to `distance` pixels from the
// thumb's opposite edge on a track `track` long: the fraction clamped to
// [0, 1] and mapped onto [scaleMin, scaleMax].
double ScaleFromDistance(SInt32 distance, SInt32 track, double scaleMin, double scaleMax);

// The part of delta that keeps pos inside the 32-bit range, itself held to
// 32 bits.
SInt32 SaturatedDelta(SInt32 pos, SInt64 delta);

} // namespace KsScroll
