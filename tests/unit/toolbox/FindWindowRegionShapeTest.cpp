// FindWindow where a window region's header box is not the region: shapes
// whose box holds pixels they do not, and rectangles reaching past the 16-bit
// box. Both sides of every edge and corner are checked against the regions.
#include "WindowTestSupport.h"

#include <algorithm>
#include <cstdint>

namespace {

class FindWindowRegionShape : public WindowTest {
protected:
    // FindWindow's window and part at p agree with the windows' own regions.
    static void ExpectRegionsAnswer(KsPoint p) {
        WindowPtr want = nullptr;
        SInt16 wantPart = inDesk;
        for (WindowPtr x = KsGetWindowList(); x && !want; x = GetNextWindow(x)) {
            if (!x->visible || !Struc(x).Contains(p)) continue;
            want = x;
            wantPart = !Cont(x).Contains(p)                         ? inDrag
                       : x->hilited && KsGrowBoxRect(x).Contains(p) ? inGrow
                                                                    : inContent;
        }
        WindowPtr got = nullptr;
        SInt16 part = FindWindow(Point{SInt16(p.v), SInt16(p.h)}, &got);
        if (part == inGoAway || part == inZoomIn || part == inZoomOut) part = inDrag; // the frame
        EXPECT_EQ(got, want) << p.h << ", " << p.v;
        EXPECT_EQ(part, wantPart) << p.h << ", " << p.v;
    }
};

TEST_F(FindWindowRegionShape, AnswersFollowTheRegionsNotTheirHeaderBox) {
    struct Case {
        Rect content;
        Rect notch; // cut out of the content
        Rect apart; // added to the structure
        SInt16 dh, dv;
    } cases[] = {
        {R(100, 100, 300, 250), R(290, 240, 300, 250), R(400, 300, 420, 320), 0, 0},
        {R(32600, 32600, 32740, 32740), {}, {}, 40, 40},        // past the right and bottom
        {R(-32600, -32600, -32460, -32460), {}, {}, -300, -300} // past the left and top
    };
    const KsRect screen = ToKsRect(KsMainScreenBounds());
    const KsRect bar{screen.left, screen.top, screen.right, screen.top + kKsMenuBarHeight};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content.left);
        WindowPtr w = Doc(c.content);
        RgnHandle piece = NewRgn();
        RectRgn(piece, &c.notch);
        DiffRgn(w->contRgn, piece, w->contRgn);
        RectRgn(piece, &c.apart);
        UnionRgn(w->strucRgn, piece, w->strucRgn);
        DisposeRgn(piece);
        // Moved as regions, which keep 32-bit coordinates.
        OffsetRgn(w->strucRgn, c.dh, c.dv);
        OffsetRgn(w->contRgn, c.dh, c.dv);
        for (RgnHandle r : {w->strucRgn, w->contRgn})
            ASSERT_TRUE(!KsRgnIsRect(r) || ToKsRect(KsRgnBounds(r)) != Rgn(r).Bounds());

        const auto clamp = [](SInt32 v) { return std::clamp<SInt32>(v, INT16_MIN, INT16_MAX); };
        for (const KsRect& r : {Struc(w).Bounds(), Cont(w).Bounds(), KsGrowBoxRect(w),
                                ToKsRect(c.notch), ToKsRect(c.apart)})
            for (SInt32 h : {r.left - 1, r.left, r.right - 1, r.right})
                for (SInt32 v : {r.top - 1, r.top, r.bottom - 1, r.bottom})
                    if (const KsPoint p{clamp(h), clamp(v)}; !bar.Contains(p))
                        ExpectRegionsAnswer(p);
        DisposeWindow(w);
    }
}

} // namespace
