// TEMPORARY stand-in for the shape geometry: every shape is its bounding box.
// It lets the drawing calls link until the real geometry arrives; delete this
// file then.
#include "KsShapes.h"

namespace {
KsRect Frame(const KsRect& r, int penW, int penH) {
    return r.IsEmpty() || penW <= 0 || penH <= 0 ? KsRect{} : r;
}
} // namespace

KsRgn KsOvalRgn(const KsRect& r) {
    return KsRgn(r);
}
KsRgn KsRoundRectRgn(const KsRect& r, int, int) {
    return KsRgn(r);
}
KsRgn KsArcRgn(const KsRect& r, int, int) {
    return KsRgn(r);
}
KsRgn KsPolyRgn(const KsPoint* pts, int n) {
    if (n < 3) return KsRgn();
    KsRect b{pts[0].h, pts[0].v, pts[0].h, pts[0].v};
    for (int i = 1; i < n; ++i) {
        b.left = pts[i].h < b.left ? pts[i].h : b.left;
        b.right = pts[i].h > b.right ? pts[i].h : b.right;
        b.top = pts[i].v < b.top ? pts[i].v : b.top;
        b.bottom = pts[i].v > b.bottom ? pts[i].v : b.bottom;
    }
    return KsRgn(b);
}
KsRgn KsLineRgn(KsPoint from, KsPoint to, int penW, int penH) {
    if (penW <= 0 || penH <= 0) return KsRgn();
    KsRect b{from.h < to.h ? from.h : to.h, from.v < to.v ? from.v : to.v,
             (from.h > to.h ? from.h : to.h) + penW, (from.v > to.v ? from.v : to.v) + penH};
    return KsRgn(b);
}
KsRgn KsFrameOvalRgn(const KsRect& r, int penW, int penH) {
    return KsRgn(Frame(r, penW, penH));
}
KsRgn KsFrameRoundRectRgn(const KsRect& r, int, int, int penW, int penH) {
    return KsRgn(Frame(r, penW, penH));
}
KsRgn KsFrameArcRgn(const KsRect& r, int, int, int penW, int penH) {
    return KsRgn(Frame(r, penW, penH));
}
