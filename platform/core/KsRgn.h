// KsRgn: a set of pixels, held as y-x banded rectangles.
//
// A value type: copies are independent, moves are cheap. The empty region
// and a single rectangle are stored inline and never allocate; more complex
// shapes keep their bands in one heap block owned by the region.
//
// Coordinates follow KsGeometry.h: rectangles are half-open, so the region
// built from {0, 0, 2, 1} holds the pixels (0, 0) and (1, 0).
//
// Rectangles are handed out in y-x banded order: sorted by top, then by left;
// rectangles of one band share top and bottom, and within a band they never
// touch. Equal sets of pixels always have equal rectangle lists.
//
// Failure: an operation that runs out of memory raises XError "SYS_ERROR"
// (memFullErr) and leaves the region as it was.
#pragma once

#include "KsGeometry.h"

#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <utility>

class KsRgn {
public:
    KsRgn() noexcept;                         // empty
    explicit KsRgn(const KsRect& r) noexcept; // empty when r is empty
    // The union of the rectangles; empty ones are ignored.
    KsRgn(const KsRect* rects, std::size_t count);
    KsRgn(std::initializer_list<KsRect> rects) : KsRgn(rects.begin(), rects.size()) {}
    KsRgn(const KsRgn& other);
    KsRgn(KsRgn&& other) noexcept;
    KsRgn& operator=(const KsRgn& other);
    KsRgn& operator=(KsRgn&& other) noexcept;
    ~KsRgn();

    void SetEmpty() noexcept;
    void SetRect(const KsRect& r) noexcept;

    bool IsEmpty() const noexcept;
    // The smallest rectangle holding the region; {0, 0, 0, 0} when empty.
    KsRect Bounds() const noexcept;
    // The pixel at p is in the region.
    bool Contains(KsPoint p) const noexcept;
    // Every pixel of r is in the region (false for an empty r).
    bool Contains(const KsRect& r) const noexcept;
    // At least one pixel of r is in the region (false for an empty r).
    bool Overlaps(const KsRect& r) const noexcept;
    bool Overlaps(const KsRgn& other) const;
    friend bool operator==(const KsRgn& a, const KsRgn& b) noexcept;

    // The algebra, in place.
    KsRgn& Union(const KsRgn& other);
    KsRgn& Union(const KsRect& r);
    KsRgn& Intersect(const KsRgn& other);
    KsRgn& Intersect(const KsRect& r);
    KsRgn& Subtract(const KsRgn& other);
    KsRgn& Subtract(const KsRect& r);
    KsRgn& Xor(const KsRgn& other);
    // Moves every pixel by (dh, dv). Parts pushed past the 32-bit limits are lost.
    KsRgn& Offset(SInt32 dh, SInt32 dv);
    // Shrinks by dh pixels at every left and right edge and by dv at every top
    // and bottom edge; negative values grow. A pixel survives a shrink when
    // the whole (2|dh|+1) x (2|dv|+1) box around it was in the region.
    KsRgn& Inset(SInt32 dh, SInt32 dv);

    KsRgn& operator|=(const KsRgn& o) { return Union(o); }
    KsRgn& operator&=(const KsRgn& o) { return Intersect(o); }
    KsRgn& operator-=(const KsRgn& o) { return Subtract(o); }
    KsRgn& operator^=(const KsRgn& o) { return Xor(o); }
    friend KsRgn operator|(const KsRgn& a, const KsRgn& b);
    friend KsRgn operator&(const KsRgn& a, const KsRgn& b);
    friend KsRgn operator-(const KsRgn& a, const KsRgn& b);
    friend KsRgn operator^(const KsRgn& a, const KsRgn& b);

    // The banded rectangles, for (KsRect r : rgn.Rects()). The range is valid
    // until the region next changes.
    class RectIterator {
    public:
        KsRect operator*() const {
            KsRect r;
            std::memcpy(&r, p_, sizeof r); // the band store has KsRect's layout
            return r;
        }
        RectIterator& operator++() {
            p_ += kBoxSize;
            return *this;
        }
        bool operator==(const RectIterator& o) const { return p_ == o.p_; }

    private:
        friend class KsRgn;
        explicit RectIterator(const unsigned char* p) : p_(p) {}
        const unsigned char* p_;
    };
    struct RectRange {
        RectIterator first, last;
        RectIterator begin() const { return first; }
        RectIterator end() const { return last; }
    };
    RectRange Rects() const noexcept;
    std::size_t RectCount() const noexcept;

    // Debug self-check of the band invariants; true for a sound region.
    bool IsValid() const noexcept;

private:
    friend struct KsRgnAccess;
    static constexpr std::size_t kBoxSize = 4 * sizeof(SInt32);
    // The pixman region lives here: the extents box and the band pointer.
    alignas(void*) unsigned char storage_[kBoxSize + sizeof(void*)];
};
