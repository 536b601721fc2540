#include "KsScrollMath.h"

#include "KsNumbers.h"

#include <algorithm>

namespace KsScroll {

namespace {
SInt32 Sat(SInt64 v) {
    return SInt32(std::clamp<SInt64>(v, INT32_MIN, INT32_MAX));
}
} // namespace

SInt32 Clamp(SInt64 v, SInt32 lo, SInt32 hi) {
    if (hi < lo) hi = lo;
    return SInt32(std::clamp<SInt64>(v, lo, hi));
}

SInt32 ScrollMax(SInt32 min, SInt32 max, SInt32 visible) {
    const SInt64 extent = std::min<SInt64>(visible, SInt64(max) - min);
    const SInt64 m = extent > 0 ? SInt64(max) - extent : SInt64(max);
    return Sat(std::max<SInt64>(m, min));
}

SInt32 PageIncr(SInt32 extent, SInt32 incr) {
    incr = SaneIncr(incr);
    const SInt64 page = ((SInt64(extent) - incr) / incr) * incr;
    return page > incr ? Sat(page) : incr;
}

SInt32 ThumbLength(SInt32 track, SInt32 min, SInt32 max, SInt32 visible) {
    if (track <= 0) return 0;
    const SInt64 range = std::max<SInt64>(SInt64(max) - min, 0);
    const SInt64 den = range + std::max<SInt32>(visible, 0);
    SInt64 len = den == 0 ? 0 : SInt64(track) * std::max<SInt32>(visible, 0) / den;
    if (len < kMinThumb + 1) len = kMinThumb;
    return SInt32(std::min<SInt64>(len, track));
}

SInt32 ValueToThumb(SInt32 value, SInt32 min, SInt32 max, SInt32 trackStart, SInt32 trackEnd,
                    SInt32 thumb) {
    const SInt64 room = SInt64(trackEnd) - thumb;
    if (max <= min || room <= trackStart) return trackStart;
    return mapFromTo(Clamp(value, min, max), min, max, trackStart, Sat(room));
}

SInt32 ThumbToValue(SInt32 pos, SInt32 min, SInt32 max, SInt32 trackStart, SInt32 trackEnd,
                    SInt32 thumb) {
    const SInt64 room = SInt64(trackEnd) - thumb;
    if (max <= min || room <= trackStart) return min;
    return Clamp(mapFromTo(Clamp(pos, trackStart, Sat(room)), trackStart, Sat(room), min, max), min,
                 max);
}

SInt32 RoundUpToStep(SInt32 value, SInt32 min, SInt32 max, SInt32 step) {
    if (step < 2) return value;
    const SInt64 off = SInt64(value) - min;
    const SInt64 up = off <= 0 ? 0 : ((off + step - 1) / step) * step;
    return Clamp(SInt64(min) + up, min, max);
}

double ScaleFromDistance(SInt32 distance, SInt32 track, double scaleMin, double scaleMax) {
    double f = track > 0 ? double(distance) / double(track) : 0.0;
    f = std::clamp(f, 0.0, 1.0);
    const double v = scaleMin + f * (scaleMax - scaleMin);
    return std::clamp(v, std::min(scaleMin, scaleMax), std::max(scaleMin, scaleMax));
}

SInt32 SaturatedDelta(SInt32 pos, SInt64 delta) {
    return Sat(SInt64(Sat(SInt64(pos) + delta)) - pos);
}

} // namespace KsScroll
