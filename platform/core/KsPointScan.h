// Finding the rectangles of a packed array that contain a point.
//
// Unlike KsRect::Contains, all four edges count as inside here: the pane
// hit tests and idle walks that scan with it are defined that way. Most
// rectangles of such a scan miss, on no predictable edge, so where SSE2 is
// available four rectangles are tested with one compare each and one branch
// for the four. Inline: the scans run per mouse move.
#pragma once

#include "KsGeometry.h"

#include <climits>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The point inside r, all four edges included.
constexpr bool KsRectHoldsInclusive(const KsRect& r, KsPoint pt) {
    return (pt.h >= r.left) & (pt.h <= r.right) & (pt.v >= r.top) & (pt.v <= r.bottom);
}

// A rectangle no point lies in, edges included or not.
constexpr KsRect kKsRectNowhere{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
// A rectangle every point lies in, edges included.
constexpr KsRect kKsRectEverywhere{INT_MIN, INT_MIN, INT_MAX, INT_MAX};

class KsPointScan {
public:
    explicit KsPointScan(KsPoint pt) : pt_(pt) {
#if defined(__SSE2__)
        // left <= h, top <= v, right > h - 1, bottom > v - 1: the compare
        // "greater" answers 0, 0, 1, 1 exactly for a containing rectangle.
        // h - 1 has no value at INT_MIN, where the plain loop answers.
        wide_ = pt.h != INT_MIN && pt.v != INT_MIN;
        if (wide_) p_ = _mm_setr_epi32(pt.h, pt.v, pt.h - 1, pt.v - 1);
#endif
    }

    // The 1-based index of the last of r[0, n) that holds the point, or 0.
    SInt32 Last(const KsRect* r, SInt32 n) const {
#if defined(__SSE2__)
        if (wide_) {
            for (; n >= 4; n -= 4) {
                const int m3 = Mask(r + n - 1), m2 = Mask(r + n - 2);
                const int m1 = Mask(r + n - 3), m0 = Mask(r + n - 4);
                if ((m3 == kIn) | (m2 == kIn) | (m1 == kIn) | (m0 == kIn))
                    return m3 == kIn ? n : m2 == kIn ? n - 1 : m1 == kIn ? n - 2 : n - 3;
            }
        }
#endif
        for (; n >= 1; --n)
            if (KsRectHoldsInclusive(r[n - 1], pt_)) return n;
        return 0;
    }

    // The 1-based index of the first of r[from - 1, n) that holds the point,
    // or 0.
    SInt32 First(const KsRect* r, SInt32 from, SInt32 n) const {
#if defined(__SSE2__)
        if (wide_) {
            for (; from + 3 <= n; from += 4) {
                const int m0 = Mask(r + from - 1), m1 = Mask(r + from);
                const int m2 = Mask(r + from + 1), m3 = Mask(r + from + 2);
                if ((m0 == kIn) | (m1 == kIn) | (m2 == kIn) | (m3 == kIn))
                    return m0 == kIn   ? from
                           : m1 == kIn ? from + 1
                           : m2 == kIn ? from + 2
                                       : from + 3;
            }
        }
#endif
        for (; from <= n; ++from)
            if (KsRectHoldsInclusive(r[from - 1], pt_)) return from;
        return 0;
    }

    // A bit for each of r[0, n) that holds the point, bit k for r[k]; n at
    // most 64.
    UInt64 Holding(const KsRect* r, SInt32 n) const {
        UInt64 bits = 0;
        SInt32 k = 0;
#if defined(__SSE2__)
        if (wide_) {
            for (; k + 4 <= n; k += 4) {
                const UInt64 four =
                    UInt64(Mask(r + k) == kIn) | UInt64(Mask(r + k + 1) == kIn) << 1 |
                    UInt64(Mask(r + k + 2) == kIn) << 2 | UInt64(Mask(r + k + 3) == kIn) << 3;
                bits |= four << k;
            }
        }
#endif
        // Without a branch: which of the few left holds the point is no
        // likelier to be predicted than which of the four above.
        for (; k < n; ++k)
            bits |= UInt64(KsRectHoldsInclusive(r[k], pt_)) << k;
        return bits;
    }

    // Holding, over an array padded to a whole number of fours with
    // rectangles that hold no point: whole fours only, so the scan's length
    // varies with n in steps of four, and short arrays take one step.
    UInt64 HoldingInFours(const KsRect* r, SInt32 n) const {
#if defined(__SSE2__)
        if (wide_) {
            UInt64 bits = 0;
            for (SInt32 k = 0; k < n; k += 4) {
                const UInt64 four =
                    UInt64(Mask(r + k) == kIn) | UInt64(Mask(r + k + 1) == kIn) << 1 |
                    UInt64(Mask(r + k + 2) == kIn) << 2 | UInt64(Mask(r + k + 3) == kIn) << 3;
                bits |= four << k;
            }
            return n >= 64 ? bits : bits & ((UInt64(1) << n) - 1);
        }
#endif
        return Holding(r, n);
    }

private:
    static_assert(sizeof(KsRect) == 4 * sizeof(SInt32), "the scan reads rectangles as four lanes");
    KsPoint pt_;
#if defined(__SSE2__)
    static constexpr int kIn = 0xC;
    int Mask(const KsRect* r) const {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r));
        return _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpgt_epi32(v, p_)));
    }
    __m128i p_{};
    bool wide_ = false;
#endif
};
