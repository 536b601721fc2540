// The toolbox's rectangle and point calls, on top of the core's 32-bit geometry.
#include "QuickDraw.h"

#include <algorithm>

namespace {
void Store(Rect* dst, const KsRect& r) {
    *dst = ToRect(r);
}
} // namespace

void SetRect(Rect* r, SInt16 left, SInt16 top, SInt16 right, SInt16 bottom) {
    *r = Rect{top, left, bottom, right};
}

void OffsetRect(Rect* r, SInt16 dh, SInt16 dv) {
    Store(r, ToKsRect(*r).Offsetted(dh, dv));
}

void InsetRect(Rect* r, SInt16 dh, SInt16 dv) {
    KsRect k = ToKsRect(*r).Insetted(dh, dv);
    // The toolbox empties a rectangle that insetting turns inside out.
    Store(r, k.IsEmpty() ? KsRect{} : k);
}

Boolean SectRect(const Rect* a, const Rect* b, Rect* dst) {
    KsRect s = ToKsRect(*a).Intersect(ToKsRect(*b));
    Store(dst, s);
    return !s.IsEmpty();
}

void UnionRect(const Rect* a, const Rect* b, Rect* dst) {
    Store(dst, ToKsRect(*a).Union(ToKsRect(*b)));
}

Boolean PtInRect(Point pt, const Rect* r) {
    return ToKsRect(*r).Contains(ToKsPoint(pt));
}

Boolean EqualRect(const Rect* a, const Rect* b) {
    return a->top == b->top && a->left == b->left && a->bottom == b->bottom && a->right == b->right;
}

Boolean EmptyRect(const Rect* r) {
    return ToKsRect(*r).IsEmpty();
}

void Pt2Rect(Point a, Point b, Rect* dst) {
    *dst = Rect{std::min(a.v, b.v), std::min(a.h, b.h), std::max(a.v, b.v), std::max(a.h, b.h)};
}

void SetPt(Point* pt, SInt16 h, SInt16 v) {
    *pt = Point{v, h};
}

void AddPt(Point src, Point* dst) {
    *dst = ToPoint(KsPoint{SInt32(dst->h) + src.h, SInt32(dst->v) + src.v});
}

void SubPt(Point src, Point* dst) {
    *dst = ToPoint(KsPoint{SInt32(dst->h) - src.h, SInt32(dst->v) - src.v});
}

Boolean EqualPt(Point a, Point b) {
    return a.h == b.h && a.v == b.v;
}
