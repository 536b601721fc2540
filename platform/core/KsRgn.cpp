// KsRgn over pixman's region32.
//
// Sections: storage and lifetime; queries; the algebra; inset.
//
// Every operation that builds a new band list builds it in a scratch region
// and swaps it in only on success, so a failed allocation leaves the region
// untouched. Empty results are normalised to pixman's freshly initialised
// empty region (extents all 0): pixman leaves stale extents on some empty
// results, and equality compares extents.
#include "KsRgnPrivate.h"

#include "XError.h"

#include <climits>
#include <cstddef>
#include <vector>

// The public header sizes the storage without seeing pixman.
static_assert(sizeof(KsRgn) == sizeof(pixman_region32_t));
static_assert(alignof(KsRgn) >= alignof(pixman_region32_t));
// Rectangles are read straight out of the band store.
static_assert(sizeof(pixman_box32_t) == sizeof(KsRect));
static_assert(offsetof(pixman_box32_t, x1) == offsetof(KsRect, left));
static_assert(offsetof(pixman_box32_t, y1) == offsetof(KsRect, top));
static_assert(offsetof(pixman_box32_t, x2) == offsetof(KsRect, right));
static_assert(offsetof(pixman_box32_t, y2) == offsetof(KsRect, bottom));

namespace {

[[noreturn]] void RaiseMemFull() {
    xraisexerror("SYS_ERROR", "short OSErr", memFullErr);
}

pixman_box32_t Box(const KsRect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

SInt32 Saturate32(SInt64 x) {
    return x > INT32_MAX ? INT32_MAX : x < INT32_MIN ? INT32_MIN : SInt32(x);
}

// A freshly initialised region in raw storage: empty, or the one non-empty box.
void InitBox(pixman_region32_t* reg, const pixman_box32_t& box) {
    new (reg) pixman_region32_t;
    if (box.x1 < box.x2 && box.y1 < box.y2)
        pixman_region32_init_with_extents(reg, &box);
    else
        pixman_region32_init(reg);
}

// Builds the union of boxes (any order, overlaps allowed, empties skipped)
// into an uninitialised reg. False when memory ran out; reg is then empty.
bool InitBoxes(pixman_region32_t* reg, std::vector<pixman_box32_t>& boxes) {
    std::size_t n = 0;
    for (const pixman_box32_t& b : boxes)
        if (b.x1 < b.x2 && b.y1 < b.y2) boxes[n++] = b;
    if (n <= 1) {
        InitBox(reg, n == 1 ? boxes[0] : pixman_box32_t{0, 0, 0, 0});
        return true;
    }
    new (reg) pixman_region32_t;
    if (n > std::size_t(INT_MAX) || !pixman_region32_init_rects(reg, boxes.data(), int(n))) {
        pixman_region32_fini(reg);
        pixman_region32_init(reg);
        return false;
    }
    return true;
}

void NormaliseEmpty(pixman_region32_t* reg) {
    if (!pixman_region32_not_empty(reg)) {
        pixman_region32_fini(reg);
        pixman_region32_init(reg);
    }
}

// Runs op into a scratch region and swaps the result into dst.
template <class Op> void Replace(pixman_region32_t* dst, Op op) {
    pixman_region32_t scratch;
    pixman_region32_init(&scratch);
    if (!op(&scratch)) {
        pixman_region32_fini(&scratch);
        RaiseMemFull();
    }
    NormaliseEmpty(&scratch);
    pixman_region32_fini(dst);
    *dst = scratch;
}

// Every rectangle of src grown by gh at left and right and by gv at top and
// bottom, into an uninitialised dst: the pixels within that box of src.
bool InitDilated(pixman_region32_t* dst, const pixman_region32_t* src, SInt32 gh, SInt32 gv) {
    int n = 0;
    const pixman_box32_t* boxes = pixman_region32_rectangles(src, &n);
    std::vector<pixman_box32_t> grown(std::size_t(n > 0 ? n : 0));
    for (int i = 0; i < n; ++i)
        grown[std::size_t(i)] = {
            Saturate32(SInt64(boxes[i].x1) - gh), Saturate32(SInt64(boxes[i].y1) - gv),
            Saturate32(SInt64(boxes[i].x2) + gh), Saturate32(SInt64(boxes[i].y2) + gv)};
    return InitBoxes(dst, grown);
}

} // namespace

#define REG(rgn) KsRgnAccess::Get(rgn)

// ---- Storage and lifetime --------------------------------------------------

KsRgn::KsRgn() noexcept {
    InitBox(REG(*this), {0, 0, 0, 0});
}

KsRgn::KsRgn(const KsRect& r) noexcept {
    InitBox(REG(*this), Box(r));
}

KsRgn::KsRgn(const KsRect* rects, std::size_t count) {
    std::vector<pixman_box32_t> boxes(count);
    for (std::size_t i = 0; i < count; ++i)
        boxes[i] = Box(rects[i]);
    if (!InitBoxes(REG(*this), boxes)) {
        pixman_region32_fini(REG(*this));
        RaiseMemFull();
    }
}

KsRgn::KsRgn(const KsRgn& other) {
    InitBox(REG(*this), {0, 0, 0, 0});
    if (!pixman_region32_copy(REG(*this), REG(other))) {
        pixman_region32_fini(REG(*this));
        RaiseMemFull();
    }
}

// pixman regions hold no pointers into themselves, so the bytes can move.
KsRgn::KsRgn(KsRgn&& other) noexcept {
    new (REG(*this)) pixman_region32_t(*REG(other));
    pixman_region32_init(REG(other));
}

KsRgn& KsRgn::operator=(const KsRgn& other) {
    if (this != &other) *this = KsRgn(other);
    return *this;
}

KsRgn& KsRgn::operator=(KsRgn&& other) noexcept {
    if (this != &other) {
        pixman_region32_fini(REG(*this));
        *REG(*this) = *REG(other);
        pixman_region32_init(REG(other));
    }
    return *this;
}

KsRgn::~KsRgn() {
    pixman_region32_fini(REG(*this));
}

void KsRgn::SetEmpty() noexcept {
    pixman_region32_fini(REG(*this));
    pixman_region32_init(REG(*this));
}

void KsRgn::SetRect(const KsRect& r) noexcept {
    pixman_region32_fini(REG(*this));
    InitBox(REG(*this), Box(r));
}

// ---- Queries ----------------------------------------------------------------

bool KsRgn::IsEmpty() const noexcept {
    return !pixman_region32_not_empty(REG(*this));
}

KsRect KsRgn::Bounds() const noexcept {
    if (IsEmpty()) return {};
    const pixman_box32_t* e = pixman_region32_extents(REG(*this));
    return {e->x1, e->y1, e->x2, e->y2};
}

bool KsRgn::Contains(KsPoint p) const noexcept {
    return pixman_region32_contains_point(REG(*this), p.h, p.v, nullptr);
}

bool KsRgn::Contains(const KsRect& r) const noexcept {
    if (r.IsEmpty()) return false;
    pixman_box32_t box = Box(r);
    return pixman_region32_contains_rectangle(REG(*this), &box) == PIXMAN_REGION_IN;
}

bool KsRgn::Overlaps(const KsRect& r) const noexcept {
    if (r.IsEmpty()) return false;
    pixman_box32_t box = Box(r);
    return pixman_region32_contains_rectangle(REG(*this), &box) != PIXMAN_REGION_OUT;
}

bool KsRgn::Overlaps(const KsRgn& other) const {
    if (!Bounds().Overlaps(other.Bounds())) return false;
    return !(*this & other).IsEmpty();
}

bool operator==(const KsRgn& a, const KsRgn& b) noexcept {
    bool ea = a.IsEmpty(), eb = b.IsEmpty();
    if (ea || eb) return ea == eb;
    return pixman_region32_equal(REG(a), REG(b));
}

KsRgn::RectRange KsRgn::Rects() const noexcept {
    int n = 0;
    const pixman_box32_t* boxes = pixman_region32_rectangles(REG(*this), &n);
    if (n <= 0) return {RectIterator(nullptr), RectIterator(nullptr)};
    auto first = reinterpret_cast<const unsigned char*>(boxes);
    return {RectIterator(first), RectIterator(first + std::size_t(n) * kBoxSize)};
}

std::size_t KsRgn::RectCount() const noexcept {
    int n = pixman_region32_n_rects(REG(*this));
    return n > 0 ? std::size_t(n) : 0;
}

bool KsRgn::IsValid() const noexcept {
    // selfcheck only reads, but its prototype is not const.
    return pixman_region32_selfcheck(const_cast<pixman_region32_t*>(REG(*this)));
}

// ---- The algebra ------------------------------------------------------------

KsRgn& KsRgn::Union(const KsRgn& other) {
    const pixman_region32_t* b = REG(other);
    Replace(REG(*this),
            [&](pixman_region32_t* out) { return pixman_region32_union(out, REG(*this), b); });
    return *this;
}

KsRgn& KsRgn::Intersect(const KsRgn& other) {
    const pixman_region32_t* b = REG(other);
    Replace(REG(*this),
            [&](pixman_region32_t* out) { return pixman_region32_intersect(out, REG(*this), b); });
    return *this;
}

KsRgn& KsRgn::Subtract(const KsRgn& other) {
    const pixman_region32_t* b = REG(other);
    Replace(REG(*this),
            [&](pixman_region32_t* out) { return pixman_region32_subtract(out, REG(*this), b); });
    return *this;
}

// A single rectangle as a region never allocates, so these cost nothing extra.
KsRgn& KsRgn::Union(const KsRect& r) {
    return Union(KsRgn(r));
}
KsRgn& KsRgn::Intersect(const KsRect& r) {
    return Intersect(KsRgn(r));
}
KsRgn& KsRgn::Subtract(const KsRect& r) {
    return Subtract(KsRgn(r));
}

// pixman has no exclusive-or: (a - b) | (b - a).
KsRgn& KsRgn::Xor(const KsRgn& other) {
    KsRgn aMinusB = *this - other;
    KsRgn bMinusA = other - *this;
    return *this = aMinusB | bMinusA;
}

KsRgn operator|(const KsRgn& a, const KsRgn& b) {
    KsRgn out;
    if (!pixman_region32_union(REG(out), REG(a), REG(b))) RaiseMemFull();
    NormaliseEmpty(REG(out));
    return out;
}

KsRgn operator&(const KsRgn& a, const KsRgn& b) {
    KsRgn out;
    if (!pixman_region32_intersect(REG(out), REG(a), REG(b))) RaiseMemFull();
    NormaliseEmpty(REG(out));
    return out;
}

KsRgn operator-(const KsRgn& a, const KsRgn& b) {
    KsRgn out;
    if (!pixman_region32_subtract(REG(out), REG(a), REG(b))) RaiseMemFull();
    NormaliseEmpty(REG(out));
    return out;
}

KsRgn operator^(const KsRgn& a, const KsRgn& b) {
    return KsRgn(a).Xor(b);
}

KsRgn& KsRgn::Offset(SInt32 dh, SInt32 dv) {
    if (IsEmpty()) return *this;
    // pixman's translate wraps at the 32-bit limits, so first cut away what
    // would land beyond them; the rest then moves safely.
    const pixman_box32_t* e = pixman_region32_extents(REG(*this));
    if (SInt64(e->x1) + dh < INT32_MIN || SInt64(e->x2) + dh > INT32_MAX ||
        SInt64(e->y1) + dv < INT32_MIN || SInt64(e->y2) + dv > INT32_MAX) {
        Intersect(KsRect{Saturate32(SInt64(INT32_MIN) - dh), Saturate32(SInt64(INT32_MIN) - dv),
                         Saturate32(SInt64(INT32_MAX) - dh), Saturate32(SInt64(INT32_MAX) - dv)});
    }
    pixman_region32_translate(REG(*this), dh, dv);
    return *this;
}

// ---- Inset ------------------------------------------------------------------
//
// pixman has no inset. Growing by (gh, gv) is the union of every rectangle
// grown by that much. Shrinking is growing's dual: a pixel goes when some
// pixel within the box around it lies outside the region, so the region loses
// the outside (taken within its bounds plus a margin) grown by the box. Each
// axis is done on its own, which keeps mixed signs exact.

namespace {

void InsetAxis(pixman_region32_t* reg, SInt32 dh, SInt32 dv) {
    if ((dh == 0 && dv == 0) || !pixman_region32_not_empty(reg)) return;
    SInt32 gh = dh < 0 ? Saturate32(-SInt64(dh)) : dh;
    SInt32 gv = dv < 0 ? Saturate32(-SInt64(dv)) : dv;
    if (dh < 0 || dv < 0) {
        Replace(reg, [&](pixman_region32_t* out) {
            pixman_region32_fini(out);
            return InitDilated(out, reg, gh, gv);
        });
        return;
    }
    const pixman_box32_t* e = pixman_region32_extents(reg);
    pixman_box32_t frame = {Saturate32(SInt64(e->x1) - gh), Saturate32(SInt64(e->y1) - gv),
                            Saturate32(SInt64(e->x2) + gh), Saturate32(SInt64(e->y2) + gv)};
    pixman_region32_t outside, reach;
    pixman_region32_init(&outside);
    if (!pixman_region32_inverse(&outside, reg, &frame)) {
        pixman_region32_fini(&outside);
        RaiseMemFull();
    }
    bool ok = InitDilated(&reach, &outside, gh, gv);
    pixman_region32_fini(&outside);
    // Beyond the 32-bit limits nothing is in the region, so pixels within the
    // box's reach of a limit go too; the frame above could not hold that part.
    if (ok && (frame.x1 == INT32_MIN || frame.y1 == INT32_MIN || frame.x2 == INT32_MAX ||
               frame.y2 == INT32_MAX)) {
        std::vector<pixman_box32_t> strips = {
            {INT32_MIN, INT32_MIN, Saturate32(SInt64(INT32_MIN) + gh), INT32_MAX},
            {Saturate32(SInt64(INT32_MAX) - gh), INT32_MIN, INT32_MAX, INT32_MAX},
            {INT32_MIN, INT32_MIN, INT32_MAX, Saturate32(SInt64(INT32_MIN) + gv)},
            {INT32_MIN, Saturate32(SInt64(INT32_MAX) - gv), INT32_MAX, INT32_MAX}};
        pixman_region32_t edges;
        ok = InitBoxes(&edges, strips) && pixman_region32_union(&reach, &reach, &edges);
        pixman_region32_fini(&edges);
    }
    if (!ok) {
        pixman_region32_fini(&reach);
        RaiseMemFull();
    }
    try {
        Replace(reg,
                [&](pixman_region32_t* out) { return pixman_region32_subtract(out, reg, &reach); });
    } catch (...) {
        pixman_region32_fini(&reach);
        throw;
    }
    pixman_region32_fini(&reach);
}

} // namespace

KsRgn& KsRgn::Inset(SInt32 dh, SInt32 dv) {
    // Work on a copy so that a failure half-way leaves this region as it was.
    KsRgn work(*this);
    InsetAxis(REG(work), dh, 0);
    InsetAxis(REG(work), 0, dv);
    return *this = std::move(work);
}
