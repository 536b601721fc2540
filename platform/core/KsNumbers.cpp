#include "KsNumbers.h"

namespace {

SInt32 Saturate32(__int128 x) {
    if (x > INT32_MAX) return INT32_MAX;
    if (x < INT32_MIN) return INT32_MIN;
    return SInt32(x);
}

} // namespace

SInt32 mapFromTo(SInt32 x, SInt32 fromLo, SInt32 fromHi, SInt32 toLo, SInt32 toHi) {
    if (fromLo == fromHi) return toLo;
    // Each difference needs 33 bits and their product 66, hence 128-bit.
    __int128 num = __int128(SInt64(x) - fromLo) * (SInt64(toHi) - toLo);
    __int128 den = SInt64(fromHi) - fromLo;
    if (den < 0) {
        num = -num;
        den = -den;
    }
    // Round half away from zero of the offset from toLo, so that mapping a
    // range and its mirror image give mirror-image results.
    __int128 q = num >= 0 ? (2 * num + den) / (2 * den) : -((-2 * num + den) / (2 * den));
    return Saturate32(q + toLo);
}

double mapDoubleFromTo(double x, double fromLo, double fromHi, double toLo, double toHi) {
    if (fromHi == fromLo || x == fromLo) return toLo;
    if (x == fromHi) return toHi;
    return (x - fromLo) * ((toHi - toLo) / (fromHi - fromLo)) + toLo;
}

SInt32 limitlong(SInt32 value, SInt32 lo, SInt32 hi) {
    if (value > hi) value = hi;
    if (value < lo) value = lo;
    return value;
}

SInt32 divCeil(SInt32 a, SInt32 b) {
    if (b == 0) return 0;
    SInt64 n = a, d = b;
    SInt64 q = n / d; // truncates towards zero
    if (q * d != n && ((n > 0) == (d > 0))) ++q;
    return SInt32(q > INT32_MAX ? INT32_MAX : q);
}
