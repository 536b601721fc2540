#include "KsGeometry.h"

namespace {

constexpr SInt32 Saturate32(SInt64 x) {
    return x > SInt64(INT32_MAX) ? INT32_MAX : x < SInt64(INT32_MIN) ? INT32_MIN : SInt32(x);
}

// Clamps into the 16-bit range; clamped is set when the value did not fit.
SInt16 Clamp16(SInt32 x, bool& clamped) {
    if (x > INT16_MAX) {
        clamped = true;
        return INT16_MAX;
    }
    if (x < INT16_MIN) {
        clamped = true;
        return INT16_MIN;
    }
    return SInt16(x);
}

} // namespace

KsRect& KsRect::Offset(SInt32 dh, SInt32 dv) {
    left = Saturate32(SInt64(left) + dh);
    right = Saturate32(SInt64(right) + dh);
    top = Saturate32(SInt64(top) + dv);
    bottom = Saturate32(SInt64(bottom) + dv);
    return *this;
}

KsRect& KsRect::Inset(SInt32 dh, SInt32 dv) {
    left = Saturate32(SInt64(left) + dh);
    right = Saturate32(SInt64(right) - dh);
    top = Saturate32(SInt64(top) + dv);
    bottom = Saturate32(SInt64(bottom) - dv);
    return *this;
}

SInt16 ClampToSInt16(SInt32 value) {
    bool clamped = false;
    return Clamp16(value, clamped);
}

bool LongPointToPoint(const LongPoint& in, KsPoint* out) {
    bool clamped = false;
    out->h = Clamp16(in.h, clamped);
    out->v = Clamp16(in.v, clamped);
    return !clamped;
}

bool LongRectToRect(const LongRect& in, KsRect* out) {
    bool clamped = false;
    out->left = Clamp16(in.left, clamped);
    out->top = Clamp16(in.top, clamped);
    out->right = Clamp16(in.right, clamped);
    out->bottom = Clamp16(in.bottom, clamped);
    return !clamped;
}

void PointToLongPoint(const KsPoint& in, LongPoint* out) {
    *out = {in.h, in.v};
}

void RectToLongRect(const KsRect& in, LongRect* out) {
    *out = {in.left, in.top, in.right, in.bottom};
}
