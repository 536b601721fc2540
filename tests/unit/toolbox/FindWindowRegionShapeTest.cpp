// FindWindow on every shape a window's regions can take: plain rectangles,
// shapes whose bounding box holds pixels they do not, and rectangles reaching
// past the 16-bit box of the region header. Each answer at the edges and
// corners is checked against the regions themselves.
#include "WindowTestSupport.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

class FindWindowRegionShape : public WindowTest {
protected:
    // The part the window's own regions give at p, found the long way.
    static SInt16 FromRegions(KsPoint p, WindowPtr* found) {
        *found = nullptr;
        for (WindowPtr x = KsGetWindowList(); x; x = GetNextWindow(x)) {
            if (!x->visible || !Struc(x).Contains(p)) continue;
            *found = x;
            if (Cont(x).Contains(p))
                return x->hilited && KsGrowBoxRect(x).Contains(p) ? inGrow : inContent;
            return inDrag; // any part of the frame
        }
        return inDesk;
    }

    // Both sides of every edge and corner of the rectangles.
    static std::vector<KsPoint> Probes(std::initializer_list<KsRect> rects) {
        std::vector<KsPoint> out;
        const auto c = [](SInt32 v) { return std::clamp<SInt32>(v, INT16_MIN, INT16_MAX); };
        for (const KsRect& r : rects)
            for (SInt32 h : {r.left - 1, r.left, r.right - 1, r.right})
                for (SInt32 v : {r.top - 1, r.top, r.bottom - 1, r.bottom})
                    out.push_back({c(h), c(v)});
        return out;
    }

    void ExpectRegionsAnswer(std::initializer_list<KsRect> rects) {
        KsRect bar = ToKsRect(KsMainScreenBounds());
        bar.bottom = bar.top + kKsMenuBarHeight;
        for (KsPoint p : Probes(rects)) {
            if (bar.Contains(p)) continue;
            WindowPtr want = nullptr, got = nullptr;
            const SInt16 part = FromRegions(p, &want);
            const SInt16 found = FindWindow(Point{SInt16(p.v), SInt16(p.h)}, &got);
            SCOPED_TRACE(::testing::Message() << "at (" << p.h << ", " << p.v << ")");
            EXPECT_EQ(got, want);
            if (part == inDrag)
                EXPECT_TRUE(found == inDrag || found == inGoAway || found == inZoomIn ||
                            found == inZoomOut)
                    << found;
            else
                EXPECT_EQ(found, part);
        }
    }
};

TEST_F(FindWindowRegionShape, RectangularWindowsFrontAndBehind) {
    WindowPtr back = Doc(R(60, 60, 220, 200));
    WindowPtr front = Doc(R(150, 120, 300, 260), zoomDocProc);
    ASSERT_TRUE(front->hilited);
    ASSERT_FALSE(back->hilited);
    ExpectRegionsAnswer({Struc(back).Bounds(), Cont(back).Bounds(), KsGrowBoxRect(back),
                         Struc(front).Bounds(), Cont(front).Bounds(), KsGrowBoxRect(front)});
}

TEST_F(FindWindowRegionShape, ShapesSmallerThanTheirBox) {
    WindowPtr w = Doc(R(100, 100, 300, 250));
    // A notch out of the content where the grow box sits, and a piece of
    // structure apart from the rest: each box now holds pixels its region
    // does not.
    const Rect notch = R(290, 240, 300, 250);
    RgnHandle cut = NewRgn();
    RectRgn(cut, &notch);
    DiffRgn(w->contRgn, cut, w->contRgn);
    const Rect apart = R(400, 300, 420, 320);
    RectRgn(cut, &apart);
    UnionRgn(w->strucRgn, cut, w->strucRgn);
    DisposeRgn(cut);
    ASSERT_FALSE(KsRgnIsRect(w->contRgn));
    ASSERT_FALSE(KsRgnIsRect(w->strucRgn));
    ExpectRegionsAnswer(
        {Struc(w).Bounds(), Cont(w).Bounds(), ToKsRect(notch), ToKsRect(apart), KsGrowBoxRect(w)});
}

TEST_F(FindWindowRegionShape, RectanglesPastTheSixteenBitBox) {
    // Moved on as regions, which keep 32-bit coordinates: the header's box
    // stops at the 16-bit limit while the window goes on.
    struct Case {
        Rect content;
        SInt16 dh, dv;
    } cases[] = {
        {R(32600, 32600, 32740, 32740), 40, 40},        // past the right and bottom
        {R(-32600, -32600, -32460, -32460), -300, -300} // past the left and top
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dh);
        WindowPtr w = Doc(c.content);
        OffsetRgn(w->strucRgn, c.dh, c.dv);
        OffsetRgn(w->contRgn, c.dh, c.dv);
        ASSERT_NE(ToKsRect(KsRgnBounds(w->strucRgn)), Struc(w).Bounds());
        ExpectRegionsAnswer({Struc(w).Bounds(), Cont(w).Bounds(), KsGrowBoxRect(w)});
        DisposeWindow(w);
    }
}

} // namespace
