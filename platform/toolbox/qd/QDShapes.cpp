// The shape calls: each reduces to a set of local pixels and an ink for the
// painting engine.
//
// Sections: lines and the pen; rectangles; curved shapes; polygons; regions;
// RGB rectangles; ScrollRect and KsScrollRect.
#include "KsPaintPrivate.h"
#include "KsShapes.h"
#include "QDScroll.h"

#include "KsFatal.h"
#include "KsHandle.h"
#include "KsPortSavers.h"
#include "KsRgnPrivate.h"
#include "XError.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

bool PenDraws(GrafPtr port) {
    return port->pnVis >= 0 && port->pnSize.h > 0 && port->pnSize.v > 0;
}

// The polygon being recorded by OpenPoly, with its port.
struct OpenPolygon {
    GrafPtr port = nullptr;
    PolyHandle poly = nullptr;
    std::vector<KsPoint> points;
};
OpenPolygon gPoly;

void RecordPolyLine(GrafPtr port, KsPoint from, KsPoint to) {
    if (gPoly.port != port || !gPoly.poly) return;
    // The classic polygon holds at most (32767 - 10) / 4 points.
    constexpr std::size_t kMaxPoints = (32767 - 10) / 4;
    if (gPoly.points.empty()) gPoly.points.push_back(from);
    if (gPoly.points.size() < kMaxPoints) gPoly.points.push_back(to);
}

// The pixels of a line from -> to drawn with the port's pen. Lines along an
// axis are rectangles and need no geometry.
KsRgn LinePixels(GrafPtr port, KsPoint from, KsPoint to) {
    const SInt32 pw = port->pnSize.h, ph = port->pnSize.v;
    if (from.h == to.h || from.v == to.v)
        return KsRgn(KsRect{std::min(from.h, to.h), std::min(from.v, to.v),
                            std::max(from.h, to.h) + pw, std::max(from.v, to.v) + ph});
    return KsLineRgn(from, to, pw, ph);
}

void DrawLine(GrafPtr port, KsPoint from, KsPoint to) {
    KsRecordLine(port, from, to);
    RecordPolyLine(port, from, to);
    if (PenDraws(port)) KsPaintRgn(port, LinePixels(port, from, to), KsPenInk(port));
}

// The frame of r with a pw x ph pen, inside r: four strips that never
// overlap (so an inverting pen touches each pixel once), or all of r when
// the pen is as large as half of it.
void FrameRectPixels(GrafPtr port, const KsRect& r, SInt32 pw, SInt32 ph, const KsInk& ink) {
    if (r.IsEmpty() || pw <= 0 || ph <= 0) return;
    if (2 * SInt64(pw) >= r.Width() || 2 * SInt64(ph) >= r.Height())
        return KsPaintRect(port, r, ink);
    const KsRect strips[4] = {{r.left, r.top, r.right, r.top + ph},
                              {r.left, r.top + ph, r.left + pw, r.bottom - ph},
                              {r.right - pw, r.top + ph, r.right, r.bottom - ph},
                              {r.left, r.bottom - ph, r.right, r.bottom}};
    KsPaintRects(port, strips, 4, ink);
}

KsRect R(const Rect* r) {
    return ToKsRect(*r);
}

void PaintWithPen(const KsRgn& rgn) {
    GrafPtr port = KsThePort();
    if (port->pnVis >= 0) KsPaintRgn(port, rgn, KsPenInk(port));
}
// Frames draw with the pen; while a region is recorded they add their shape.
void FrameWithPen(const KsRgn& frame, const KsRgn& shape) {
    GrafPtr port = KsThePort();
    KsRecordShape(port, shape);
    if (PenDraws(port)) KsPaintRgn(port, frame, KsPenInk(port));
}
void EraseWith(const KsRgn& rgn) {
    GrafPtr port = KsThePort();
    KsPaintRgn(port, rgn, KsBackInk(port));
}
void InvertWith(const KsRgn& rgn) {
    KsPaintRgn(KsThePort(), rgn, KsInvertInk());
}
void FillWith(const KsRgn& rgn, const Pattern* pat) {
    GrafPtr port = KsThePort();
    port->fillPat = *pat;
    KsPaintRgn(port, rgn, KsFillInk(port, *pat));
}

SInt32 PenW() {
    return KsThePort()->pnSize.h;
}
SInt32 PenH() {
    return KsThePort()->pnSize.v;
}

} // namespace

// ---- Lines and the pen ------------------------------------------------------

void MoveTo(SInt16 h, SInt16 v) {
    KsThePort()->pnLoc = {v, h};
}

void Move(SInt16 dh, SInt16 dv) {
    GrafPtr port = KsThePort();
    port->pnLoc = {SInt16(port->pnLoc.v + dv), SInt16(port->pnLoc.h + dh)};
}

void LineTo(SInt16 h, SInt16 v) {
    GrafPtr port = KsThePort();
    DrawLine(port, ToKsPoint(port->pnLoc), {h, v});
    port->pnLoc = {v, h};
}

void Line(SInt16 dh, SInt16 dv) {
    GrafPtr port = KsThePort();
    LineTo(SInt16(port->pnLoc.h + dh), SInt16(port->pnLoc.v + dv));
}

// ---- Rectangles -------------------------------------------------------------

void FrameRect(const Rect* r) {
    GrafPtr port = KsThePort();
    if (KsIsRecordingRgn(port)) KsRecordShape(port, KsRgn(R(r)));
    if (PenDraws(port)) FrameRectPixels(port, R(r), port->pnSize.h, port->pnSize.v, KsPenInk(port));
}

void PaintRect(const Rect* r) {
    GrafPtr port = KsThePort();
    if (port->pnVis >= 0) KsPaintRect(port, R(r), KsPenInk(port));
}

void EraseRect(const Rect* r) {
    GrafPtr port = KsThePort();
    KsPaintRect(port, R(r), KsBackInk(port));
}

void InvertRect(const Rect* r) {
    KsPaintRect(KsThePort(), R(r), KsInvertInk());
}
void MacInvertRect(const Rect* r) {
    InvertRect(r);
}

void FillRect(const Rect* r, const Pattern* pat) {
    GrafPtr port = KsThePort();
    port->fillPat = *pat;
    KsPaintRect(port, R(r), KsFillInk(port, *pat));
}

void FillCRect(const Rect* r, PixPatHandle pp) {
    GrafPtr port = KsThePort();
    KsPaintRect(port, R(r), KsPixPatInk(port, pp));
}

// ---- Curved shapes ----------------------------------------------------------

void FrameOval(const Rect* r) {
    FrameWithPen(KsFrameOvalRgn(R(r), PenW(), PenH()), KsOvalRgn(R(r)));
}
void PaintOval(const Rect* r) {
    PaintWithPen(KsOvalRgn(R(r)));
}
void EraseOval(const Rect* r) {
    EraseWith(KsOvalRgn(R(r)));
}
void InvertOval(const Rect* r) {
    InvertWith(KsOvalRgn(R(r)));
}
void FillOval(const Rect* r, const Pattern* pat) {
    FillWith(KsOvalRgn(R(r)), pat);
}

void FrameRoundRect(const Rect* r, SInt16 ow, SInt16 oh) {
    FrameWithPen(KsFrameRoundRectRgn(R(r), ow, oh, PenW(), PenH()), KsRoundRectRgn(R(r), ow, oh));
}
void PaintRoundRect(const Rect* r, SInt16 ow, SInt16 oh) {
    PaintWithPen(KsRoundRectRgn(R(r), ow, oh));
}
void EraseRoundRect(const Rect* r, SInt16 ow, SInt16 oh) {
    EraseWith(KsRoundRectRgn(R(r), ow, oh));
}
void InvertRoundRect(const Rect* r, SInt16 ow, SInt16 oh) {
    InvertWith(KsRoundRectRgn(R(r), ow, oh));
}
void FillRoundRect(const Rect* r, SInt16 ow, SInt16 oh, const Pattern* pat) {
    FillWith(KsRoundRectRgn(R(r), ow, oh), pat);
}

// Arcs are not part of a recorded region, as in the classic toolbox.
void FrameArc(const Rect* r, SInt16 start, SInt16 arc) {
    GrafPtr port = KsThePort();
    if (PenDraws(port))
        KsPaintRgn(port, KsFrameArcRgn(R(r), start, arc, PenW(), PenH()), KsPenInk(port));
}
void PaintArc(const Rect* r, SInt16 start, SInt16 arc) {
    PaintWithPen(KsArcRgn(R(r), start, arc));
}
void EraseArc(const Rect* r, SInt16 start, SInt16 arc) {
    EraseWith(KsArcRgn(R(r), start, arc));
}
void InvertArc(const Rect* r, SInt16 start, SInt16 arc) {
    InvertWith(KsArcRgn(R(r), start, arc));
}
void FillArc(const Rect* r, SInt16 start, SInt16 arc, const Pattern* pat) {
    FillWith(KsArcRgn(R(r), start, arc), pat);
}

// ---- Polygons ---------------------------------------------------------------

namespace {

std::vector<KsPoint> PolyPoints(PolyHandle poly) {
    const Polygon& p = **poly;
    const int n = p.polySize > 10 ? (p.polySize - 10) / 4 : 0;
    std::vector<KsPoint> pts(std::size_t(n > 0 ? n : 0));
    for (int i = 0; i < n; ++i)
        pts[std::size_t(i)] = ToKsPoint(p.polyPoints[i]);
    return pts;
}

KsRgn PolyShape(PolyHandle poly) {
    std::vector<KsPoint> pts = PolyPoints(poly);
    return KsPolyRgn(pts.data(), int(pts.size()));
}

} // namespace

// The pen is hidden while the polygon is open; LineTo adds its points.
PolyHandle OpenPoly() {
    GrafPtr port = KsThePort();
    FtlAssert(gPoly.poly == nullptr); // one polygon open at a time
    Handle h = KsNewHandle(sizeof(Polygon));
    if (!h) xraisexerror("SYS_ERROR", "short OSErr", memFullErr);
    gPoly.port = port;
    gPoly.poly = reinterpret_cast<PolyHandle>(h);
    gPoly.points.clear();
    (*gPoly.poly)->polySize = 10;
    HidePen();
    return gPoly.poly;
}

void ClosePoly() {
    FtlAssert(gPoly.poly != nullptr); // ClosePoly without OpenPoly
    const std::size_t n = gPoly.points.size();
    Handle h = reinterpret_cast<Handle>(gPoly.poly);
    const Size size = Size(offsetof(Polygon, polyPoints)) + Size(n ? n : 1) * Size(sizeof(Point));
    if (!KsSetHandleSize(h, size)) xraisexerror("SYS_ERROR", "short OSErr", memFullErr);
    Polygon& p = **gPoly.poly;
    p.polySize = SInt16(10 + 4 * n);
    KsRect bbox;
    for (std::size_t i = 0; i < n; ++i) {
        const KsPoint q = gPoly.points[i];
        p.polyPoints[i] = ToPoint(q);
        bbox = i == 0 ? KsRect{q.h, q.v, q.h, q.v}
                      : KsRect{std::min(bbox.left, q.h), std::min(bbox.top, q.v),
                               std::max(bbox.right, q.h), std::max(bbox.bottom, q.v)};
    }
    p.polyBBox = ToRect(bbox);
    GrafPtr port = gPoly.port;
    gPoly = OpenPolygon{};
    StPortSaver saver(port);
    ShowPen();
}

void KillPoly(PolyHandle poly) {
    KsDisposeHandle(reinterpret_cast<Handle>(poly));
}

void OffsetPoly(PolyHandle poly, SInt16 dh, SInt16 dv) {
    Polygon& p = **poly;
    const int n = p.polySize > 10 ? (p.polySize - 10) / 4 : 0;
    for (int i = 0; i < n; ++i)
        p.polyPoints[i] = {SInt16(p.polyPoints[i].v + dv), SInt16(p.polyPoints[i].h + dh)};
    p.polyBBox = ToRect(ToKsRect(p.polyBBox).Offsetted(dh, dv));
}

// Framing draws the lines from point to point with the pen; every pixel is
// painted once even where lines cross.
void FramePoly(PolyHandle poly) {
    GrafPtr port = KsThePort();
    std::vector<KsPoint> pts = PolyPoints(poly);
    if (KsIsRecordingRgn(port)) {
        for (std::size_t i = 1; i < pts.size(); ++i)
            KsRecordLine(port, pts[i - 1], pts[i]);
    }
    if (!PenDraws(port) || pts.empty()) return;
    KsPaintRgn(port, KsFramePolyRgn(pts.data(), int(pts.size()), port->pnSize.h, port->pnSize.v),
               KsPenInk(port));
    port->pnLoc = ToPoint(pts.back());
}
void PaintPoly(PolyHandle poly) {
    PaintWithPen(PolyShape(poly));
}
void ErasePoly(PolyHandle poly) {
    EraseWith(PolyShape(poly));
}
void InvertPoly(PolyHandle poly) {
    InvertWith(PolyShape(poly));
}
void FillPoly(PolyHandle poly, const Pattern* pat) {
    FillWith(PolyShape(poly), pat);
}

// ---- Regions ----------------------------------------------------------------

// The frame of a region is its pixels less the region shrunk by the pen.
void FrameRgn(RgnHandle rgn) {
    const KsRgn& shape = KsRgnRef(rgn);
    KsRgn inner(shape);
    inner.Inset(PenW(), PenH());
    FrameWithPen(shape - inner, shape);
}
void PaintRgn(RgnHandle rgn) {
    PaintWithPen(KsRgnRef(rgn));
}
void EraseRgn(RgnHandle rgn) {
    EraseWith(KsRgnRef(rgn));
}
void InvertRgn(RgnHandle rgn) {
    InvertWith(KsRgnRef(rgn));
}
void FillRgn(RgnHandle rgn, const Pattern* pat) {
    FillWith(KsRgnRef(rgn), pat);
}

// ---- RGB rectangles ---------------------------------------------------------

void EraseRGBRect(const Rect* r, const RGBColor* color) {
    KsPaintRect(KsThePort(), R(r), KsSolidInk(*color));
}

void FrameRGBRect(const Rect* r, const RGBColor* color) {
    GrafPtr port = KsThePort();
    if (PenDraws(port))
        FrameRectPixels(port, R(r), port->pnSize.h, port->pnSize.v, KsSolidInk(*color));
}

void PaintRGBRect(const Rect* r, const RGBColor* color) {
    GrafPtr port = KsThePort();
    if (port->pnVis >= 0) KsPaintRect(port, R(r), KsSolidInk(*color));
}

// ---- ScrollRect -------------------------------------------------------------

namespace {

// Moves the device pixels of dst from (x - dh, y - dv), in an order that
// reads every source pixel before it is overwritten.
void MovePixels(GrafPtr port, const KsRgn& dst, SInt32 dh, SInt32 dv) {
    pixman_image_t* img = port->surface->image;
    auto* bits = reinterpret_cast<UInt32*>(pixman_image_get_data(img));
    const std::size_t stride = std::size_t(pixman_image_get_stride(img) / 4);
    int count = 0;
    const pixman_box32_t* boxes =
        pixman_region32_rectangles(const_cast<pixman_region32_t*>(KsRgnPixman(dst)), &count);
    const std::size_t n = std::size_t(count);
    auto moveRow = [&](const pixman_box32_t& b, SInt32 y) {
        UInt32* d = bits + std::size_t(y) * stride + b.x1;
        const UInt32* s = bits + std::size_t(y - dv) * stride + (b.x1 - dh);
        std::memmove(d, s, std::size_t(b.x2 - b.x1) * sizeof(UInt32));
    };
    // Bands run top to bottom and left to right: walk them backwards when the
    // pixels move down, and the boxes of a band backwards when they move right.
    auto band = [&](std::size_t first, std::size_t last) {
        for (SInt32 i = 0, h = boxes[first].y2 - boxes[first].y1; i < h; ++i) {
            const SInt32 y = dv > 0 ? boxes[first].y2 - 1 - i : boxes[first].y1 + i;
            if (dh > 0)
                for (std::size_t k = last; k-- > first;)
                    moveRow(boxes[k], y);
            else
                for (std::size_t k = first; k < last; ++k)
                    moveRow(boxes[k], y);
        }
    };
    if (dv > 0) {
        for (std::size_t last = n; last > 0;) {
            std::size_t first = last - 1;
            while (first > 0 && boxes[first - 1].y1 == boxes[last - 1].y1)
                --first;
            band(first, last);
            last = first;
        }
    } else {
        for (std::size_t first = 0; first < n;) {
            std::size_t last = first + 1;
            while (last < n && boxes[last].y1 == boxes[first].y1)
                ++last;
            band(first, last);
            first = last;
        }
    }
}

} // namespace

// The pixels of r inside clip ∩ visible move by (dh, dv); those whose source
// lay outside that area, or that nothing moved onto, are the uncovered part.
namespace {
KsRgn ScrollArea(const KsRect& r, SInt16 dh, SInt16 dv) {
    GrafPtr port = KsThePort();
    KsRgn area = KsPortLocalClip(port);
    area.Intersect(r);
    KsRgn moved(area);
    moved.Offset(dh, dv);
    moved.Intersect(area);
    KsRgn uncovered = area - moved;
    if (!moved.IsEmpty() && (dh != 0 || dv != 0)) {
        const SInt32 s = port->surface->scale;
        KsRgn dev = KsLocalToDevice(port, moved);
        MovePixels(port, dev, dh * s, dv * s);
        KsAddDamage(port->surface, dev);
    }
    KsPaintRgn(port, uncovered, KsBackInk(port));
    return uncovered;
}
} // namespace

void ScrollRect(const Rect* r, SInt16 dh, SInt16 dv, RgnHandle updateRgn) {
    const KsRgn uncovered = ScrollArea(R(r), dh, dv);
    if (updateRgn) KsRgnToRgnHandle(uncovered, updateRgn);
}

void KsScrollRect(const KsRect& r, SInt16 dh, SInt16 dv, KsRgn* uncovered) {
    const KsRgn u = ScrollArea(ToKsRect(ToRect(r)), dh, dv);
    if (uncovered) *uncovered = u;
}
