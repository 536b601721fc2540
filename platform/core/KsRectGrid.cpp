#include "KsRectGrid.h"

#include "KsPointScan.h"

#include <algorithm>
#include <cmath>

namespace {
// Rectangles within these coordinates go into the cells; others (the
// everywhere of a pane that answers anywhere) into the wide list.
constexpr SInt32 kCellLimit = 1 << 24;
constexpr SInt32 kMaxSide = 256; // cells a side

// The shift of the least power of two that is at least size.
int ShiftFor(SInt64 size) {
    int s = 0;
    while ((SInt64(1) << s) < size)
        ++s;
    return s;
}

bool HasPoints(const KsRect& r) {
    return r.left <= r.right && r.top <= r.bottom;
}
bool Finite(const KsRect& r) {
    return r.left >= -kCellLimit && r.top >= -kCellLimit && r.right <= kCellLimit &&
           r.bottom <= kCellLimit;
}
} // namespace

void KsRectGrid::Build(const KsRect* r, SInt32 n) {
    on_ = n >= kMinRects;
    wide_.clear();
    items_.clear();
    start_.clear();
    cols_ = rows_ = 0;
    if (!on_) return;
    bool any = false;
    for (SInt32 i = 0; i < n; ++i) {
        if (!HasPoints(r[i]) || !Finite(r[i])) continue;
        box_ = any ? KsRect{std::min(box_.left, r[i].left), std::min(box_.top, r[i].top),
                            std::max(box_.right, r[i].right), std::max(box_.bottom, r[i].bottom)}
                   : r[i];
        any = true;
    }
    const SInt64 w = any ? SInt64(box_.right) - box_.left + 1 : 1;
    const SInt64 h = any ? SInt64(box_.bottom) - box_.top + 1 : 1;
    if (any) {
        // About two cells a rectangle, the cells as square as the box allows:
        // a point's cell then lists one or two.
        const double cells = std::max(1.0, double(n) * 2);
        cols_ = SInt32(
            std::clamp(std::lround(std::sqrt(cells * double(w) / double(h))), 1L, long(kMaxSide)));
        rows_ = SInt32(std::clamp(std::lround(cells / cols_), 1L, long(kMaxSide)));
        shiftW_ = ShiftFor((w + cols_ - 1) / cols_);
        shiftH_ = ShiftFor((h + rows_ - 1) / rows_);
        cols_ = SInt32(((w - 1) >> shiftW_) + 1);
        rows_ = SInt32(((h - 1) >> shiftH_) + 1);
    }
    const SInt32 cells = cols_ * rows_;
    // A rectangle over more than a quarter of the cells is read by every scan.
    const SInt64 wideCells = std::max<SInt64>(4, cells / 4);
    start_.assign(size_t(cells) + 1, 0);
    struct Span {
        SInt32 c0, c1, r0, r1;
    };
    const auto span = [&](const KsRect& q) {
        return Span{SInt32((q.left - SInt64(box_.left)) >> shiftW_),
                    SInt32((q.right - SInt64(box_.left)) >> shiftW_),
                    SInt32((q.top - SInt64(box_.top)) >> shiftH_),
                    SInt32((q.bottom - SInt64(box_.top)) >> shiftH_)};
    };
    const auto inCells = [&](const KsRect& q, Span* s) {
        if (!HasPoints(q)) return false;
        if (!Finite(q)) return false;
        *s = span(q);
        return SInt64(s->c1 - s->c0 + 1) * (s->r1 - s->r0 + 1) <= wideCells;
    };
    // Rectangles that overlap much would list each other in cell after cell:
    // past the room Reserve makes, the plain scan serves instead, and the
    // grid's storage stays linear in n. Counted apart, in 64 bits, before
    // the 32-bit cell counts below could wrap.
    SInt64 listed = 0;
    for (SInt32 i = 0; i < n; ++i) {
        Span s{};
        if (inCells(r[i], &s)) listed += SInt64(s.c1 - s.c0 + 1) * (s.r1 - s.r0 + 1);
    }
    if (listed > kItemsPerRect * SInt64(n)) {
        on_ = false;
        cols_ = rows_ = 0;
        start_.clear();
        return;
    }
    // Counted, then placed in index order, each cell's list ascending.
    for (SInt32 i = 0; i < n; ++i) {
        Span s{};
        if (!inCells(r[i], &s)) {
            if (HasPoints(r[i])) wide_.push_back(UInt32(i));
            continue;
        }
        for (SInt32 y = s.r0; y <= s.r1; ++y)
            for (SInt32 x = s.c0; x <= s.c1; ++x)
                ++start_[size_t(y * cols_ + x) + 1];
    }
    for (SInt32 k = 0; k < cells; ++k)
        start_[size_t(k) + 1] += start_[size_t(k)];
    items_.resize(start_[size_t(cells)]);
    for (SInt32 i = 0; i < n; ++i) {
        Span s{};
        if (!inCells(r[i], &s)) continue;
        for (SInt32 y = s.r0; y <= s.r1; ++y)
            for (SInt32 x = s.c0; x <= s.c1; ++x)
                items_[start_[size_t(y * cols_ + x)]++] = UInt32(i);
    }
    // The fill moved each cell's start to the next one's: put them back.
    for (SInt32 k = cells; k > 0; --k)
        start_[size_t(k)] = start_[size_t(k) - 1];
    start_[0] = 0;
}

void KsRectGrid::Reserve(SInt32 n) {
    if (n < kMinRects) return;
    // Cells are about 2n, more by at most a side's count.
    start_.reserve(2 * size_t(n) + 2 * kMaxSide);
    items_.reserve(size_t(kItemsPerRect) * size_t(n));
    wide_.reserve(size_t(n));
}

inline void KsRectGrid::CellOf(KsPoint pt, const UInt32** begin, const UInt32** end) const {
    *begin = *end = nullptr;
    if (cols_ == 0 || !KsRectHoldsInclusive(box_, pt)) return;
    const SInt64 x = (pt.h - SInt64(box_.left)) >> shiftW_;
    const SInt64 y = (pt.v - SInt64(box_.top)) >> shiftH_;
    const size_t k = size_t(y * cols_ + x);
    *begin = items_.data() + start_[k];
    *end = items_.data() + start_[k + 1];
}

SInt32 KsRectGrid::Last(const KsRect* r, KsPoint pt, SInt32 n) const {
    const UInt32 *b = nullptr, *e = nullptr;
    CellOf(pt, &b, &e);
    const UInt32 limit = UInt32(std::max<SInt32>(n, 0));
    // Both lists from the last index below n down, the larger one first.
    const UInt32* p = std::lower_bound(b, e, limit);
    const UInt32* q = std::lower_bound(wide_.data(), wide_.data() + wide_.size(), limit);
    while (p != b || q != wide_.data()) {
        const bool fromCell = q == wide_.data() || (p != b && p[-1] > q[-1]);
        const UInt32 i = fromCell ? *--p : *--q;
        if (KsRectHoldsInclusive(r[i], pt)) return SInt32(i) + 1;
    }
    return 0;
}

SInt32 KsRectGrid::First(const KsRect* r, KsPoint pt, SInt32 from, SInt32 n) const {
    const UInt32 *b = nullptr, *e = nullptr;
    CellOf(pt, &b, &e);
    const UInt32 lo = UInt32(std::max<SInt32>(from - 1, 0));
    const UInt32* p = std::lower_bound(b, e, lo);
    const UInt32* we = wide_.data() + wide_.size();
    const UInt32* q = std::lower_bound(wide_.data(), we, lo);
    while (p != e || q != we) {
        const bool fromCell = q == we || (p != e && *p < *q);
        const UInt32 i = fromCell ? *p++ : *q++;
        if (SInt64(i) >= n) return 0;
        if (KsRectHoldsInclusive(r[i], pt)) return SInt32(i) + 1;
    }
    return 0;
}

UInt64 KsRectGrid::Holding(const KsRect* r, KsPoint pt, SInt32 n) const {
    const UInt32 *b = nullptr, *e = nullptr;
    CellOf(pt, &b, &e);
    UInt64 bits = 0;
    // Without a branch on the test: a cell's entries hold the point on no
    // predictable pattern. r[i] is read for any i the grid lists (r is the
    // array it was built over); a bit is set only below n, at most 64.
    const auto note = [&](UInt32 i) {
        const bool in = (SInt64(i) < n) & KsRectHoldsInclusive(r[i], pt);
        bits |= UInt64(in) << (i & 63);
    };
    for (; b != e; ++b)
        note(*b);
    for (const UInt32 i : wide_)
        note(i);
    return bits;
}
