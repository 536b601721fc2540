// A scrollable pane that paints its landscape as horizontal and vertical
// bands (so any pixel tells which landscape point it shows) and records the
// area each update let it draw.
#pragma once

#include "AScrollablePane.h"
#include "KsPortPrivate.h"
#include "PaneTestSupport.h"
#include "QuickDraw.h"

#include <algorithm>

// The colour of landscape point (h, v): red from the column's band of 8,
// green from the row.
inline UInt32 BandColor(SInt32 h, SInt32 v) {
    return UInt32((h >> 3) & 0xFF) << 16 | UInt32(v & 0xFF) << 8 | 0x40;
}

class BandPane : public AScrollablePane {
public:
    void DrawDetail(const KsRect& rect, const KsRGBColor& bkgd, void* data) override {
        GrafPtr port = KsGetPort();
        KsRgn vis = KsRgnRef(port->visRgn);
        vis.Intersect(rect);
        drawn.Union(vis);
        ++draws;
        // Runs of 8 landscape columns share a colour, so a row is a few rectangles.
        for (SInt32 y = rect.top; y < rect.bottom; ++y) {
            SInt32 x = rect.left;
            while (x < rect.right) {
                LongPoint l{};
                WindowToLandscapePt({x, y}, &l);
                const SInt32 run = std::min<SInt32>(8 - (l.h & 7), rect.right - x);
                const UInt32 c = BandColor(l.h, l.v);
                const RGBColor rgb{UInt16(((c >> 16) & 0xFF) * 0x101),
                                   UInt16(((c >> 8) & 0xFF) * 0x101), UInt16((c & 0xFF) * 0x101)};
                RGBForeColor(&rgb);
                const Rect r{SInt16(y), SInt16(x), SInt16(y + 1), SInt16(x + run)};
                PaintRect(&r);
                x += run;
            }
        }
        APane::DrawDetail(rect, bkgd, data);
    }
    KsRgn drawn;
    int draws = 0;
};

class ScrollTest : public PaneTest {
protected:
    // A band pane filling a 200x100 pane at (10, 10) of the main pane, over a
    // landscape of `w` x `h`.
    BandPane* MakeBands(SInt32 w = 1000, SInt32 h = 1000) {
        auto* p = new BandPane;
        p->IScrollablePane(main, 10, S, 200, 10, S, 100, RGBwhite, 0);
        p->SetXmax(w);
        p->SetYmax(h);
        p->Inval(); // a new pane is drawn at the next update, not at once
        win->UpdateIfNeeded();
        p->drawn.SetEmpty();
        p->draws = 0;
        return p;
    }
    // Every pixel of the pane shows the landscape point its position maps to.
    bool ShowsLandscape(const AScrollablePane* p) const {
        const KsRect in = p->GetInterior();
        for (SInt32 y = in.top; y < in.bottom; y += 7)
            for (SInt32 x = in.left; x < in.right; x += 5) {
                LongPoint l{};
                p->WindowToLandscapePt({x, y}, &l);
                if (Px(x, y) != BandColor(l.h, l.v)) return false;
            }
        return true;
    }
};
