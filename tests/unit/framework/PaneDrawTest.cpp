// Pane backgrounds behind sub-panes and body text in colour, checked pixel by
// pixel against a plain back-to-front painting of the same tree; drawing
// gives the caller its port, clip and colours back.
#include "MacText.h"
#include "PaneTestSupport.h"

#include <cstring>
#include <vector>

namespace {

constexpr int kW = 400, kH = 300;

// What a tree of borderless panes must look like: each visible pane that
// draws a background fills its interior within its enclosures' interiors,
// later sub-panes over earlier ones.
void PaintReference(const APane* p, const KsRect& clip, std::vector<UInt32>* out) {
    if (!p->GetOwnVisible()) return;
    const KsRect in = p->GetInterior().Intersect(clip);
    if (in.IsEmpty()) return;
    if (p->GetDrawsBackground()) {
        const KsRGBColor c = p->GetBkndColor();
        const UInt32 px = UInt32(c.red >> 8) << 16 | UInt32(c.green >> 8) << 8 | (c.blue >> 8);
        for (SInt32 y = in.top; y < in.bottom; ++y)
            for (SInt32 x = in.left; x < in.right; ++x)
                (*out)[std::size_t(y) * kW + std::size_t(x)] = px;
    }
    for (SInt32 i = 1; i <= p->GetNumSubPanes(); ++i)
        PaintReference(p->GetSubPane(i), in, out);
}

class PaneDrawTest : public PaneTest {
protected:
    // Fills the port with a colour no pane uses, so unpainted pixels show.
    void Scribble() {
        const Rect all{0, 0, kH, kW};
        const RGBColor odd{0x1234, 0x5678, 0x9ABC};
        RGBForeColor(&odd);
        PaintRect(&all);
        const RGBColor black{0, 0, 0};
        RGBForeColor(&black);
    }
    // Answers how many pixels differ from the reference, and reports the
    // first one.
    int Mismatches() {
        std::vector<UInt32> want(std::size_t(kW) * kH, 0x12569A);
        PaintReference(main, KsRect{0, 0, kW, kH}, &want);
        int bad = 0;
        for (SInt32 y = 0; y < kH; ++y)
            for (SInt32 x = 0; x < kW; ++x) {
                const UInt32 w = want[std::size_t(y) * kW + std::size_t(x)];
                if (Px(x, y) == w) continue;
                if (bad++ == 0)
                    ADD_FAILURE() << "first at " << x << "," << y << ": " << std::hex << Px(x, y)
                                  << " want " << w;
            }
        return bad;
    }
    static KsRGBColor Shade(int i) {
        return KsRGBColor{UInt16(0x1000 * (i % 16)), UInt16(0xFFFF - 0x0800 * i),
                          UInt16(0x3000 + 0x0400 * i)};
    }
};

TEST_F(PaneDrawTest, BackgroundsBehindSubPanesMatchThePaintedTree) {
    APane* a = Add(main, 10, S, 200, 10, S, 150, 0, RGBred);
    Add(a, 5, S, 60, 5, S, 40, 0, Shade(1));   // b
    Add(a, 40, S, 60, 30, S, 40, 0, Shade(2)); // c, over b
    APane* hidden = Add(a, 100, S, 30, 5, S, 30, 0, Shade(3));
    hidden->SetVisible(false);
    APane* clear = Add(a, 100, S, 50, 60, S, 30, 0, Shade(4));
    clear->SetDrawsBackground(false);            // the enclosure's colour shows
    Add(a, 170, S, 80, 120, S, 80, 0, Shade(5)); // sticks out right and below
    APane* nest = Add(a, 5, S, 80, 80, S, 60, 0, Shade(6));
    APane* inner = Add(nest, 10, S, 50, 10, S, 40, 0, Shade(7));
    Add(inner, -5, S, 20, -5, S, 20, 0, Shade(8)); // cut by its enclosure
    Add(nest, 30, S, 10, 0, S, 60, 0, Shade(9));   // a full-height strip
    Add(main, 250, S, 100, 100, S, 100, 0, Shade(10));
    // Sub-panes that cover their enclosure entirely leave nothing of it.
    APane* covered = Add(main, 250, S, 40, 220, S, 40, 0, Shade(11));
    Add(covered, 0, S, 20, 0, S, 40, 0, Shade(12));
    Add(covered, 20, S, 20, 0, S, 40, 0, Shade(13));

    // One-pixel gaps: at the right, at the bottom, between two sub-panes.
    APane* tight = Add(main, 300, S, 41, 10, S, 31, 0, RGBwhite);
    Add(tight, 0, S, 20, 0, S, 30, 0, Shade(14));
    Add(tight, 21, S, 19, 0, S, 30, 0, Shade(15));

    Scribble();
    main->Draw(nullptr, nullptr);
    EXPECT_EQ(Mismatches(), 0);

    // A region to draw in sends the enclosure through the region path: the
    // same pixels.
    Scribble();
    const KsRgn everything(KsRect{0, 0, kW, kH});
    main->DrawCompatible(nullptr, &everything, nullptr);
    EXPECT_EQ(Mismatches(), 0);

    // A redraw limited to a clip leaves the rest alone.
    Scribble();
    const KsRect clip{30, 20, 130, 100};
    main->Draw(&clip, nullptr);
    EXPECT_EQ(Px(20, 20), 0x12569Au);
    EXPECT_EQ(Px(130, 60), 0x12569Au);
    EXPECT_EQ(Px(12, 12), 0x12569Au);
    EXPECT_EQ(Px(60, 50), Rgb(Shade(2)));
}

TEST_F(PaneDrawTest, ManySubPanesMatchThePaintedTree) {
    // More sub-panes than the rectangle path takes at once, overlapping.
    APane* grid = Add(main, 0, S, 390, 0, S, 290, 0, RGBwhite);
    for (int i = 0; i < 40; ++i)
        Add(grid, SInt16(7 + (i % 8) * 47), S, 50, SInt16(5 + (i / 8) * 55), S, 40, 0, Shade(i));
    Scribble();
    main->Draw(nullptr, nullptr);
    EXPECT_EQ(Mismatches(), 0);
    // A handful, with gaps in every band.
    APane* few = Add(main, 20, S, 100, 20, S, 100, 0, KsRGBColor{0, 0, 0xFFFF});
    for (int i = 0; i < 6; ++i)
        Add(few, SInt16(3 + i * 16), S, 10, SInt16(i * 15), S, 12, 0, Shade(20 + i));
    Scribble();
    main->Draw(nullptr, nullptr);
    EXPECT_EQ(Mismatches(), 0);
}

TEST_F(PaneDrawTest, TextInColorKeepsToItsRectangleAndRestoresTheClip) {
    MacText* t = MacText::New("WWWWWWWWWWWWWWWWWWWWWWWWWWWW", 0, 18, 0);
    const KsRect r{20, 20, 120, 60};
    auto inkedOutside = [&](const KsRect& allowed) {
        int n = 0;
        for (SInt32 y = 0; y < 100; ++y)
            for (SInt32 x = 0; x < 200; ++x)
                if (!allowed.Contains(KsPoint{x, y}) && Px(x, y) != 0xFFFFFF) ++n;
        return n;
    };
    auto inked = [&]() {
        int n = 0;
        for (SInt32 y = 0; y < 100; ++y)
            for (SInt32 x = 0; x < 200; ++x)
                n += Px(x, y) != 0xFFFFFF;
        return n;
    };
    const Rect all{0, 0, kH, kW};
    const RGBColor white{0xFFFF, 0xFFFF, 0xFFFF};

    // A rectangular clip narrower than r: drawing stays in both, and the
    // clip comes back as it was.
    RGBForeColor(&white);
    PaintRect(&all);
    const Rect narrow{0, 0, 100, 70}; // top, left, bottom, right
    ClipRect(&narrow);
    t->DrawInColor(r, RGBblack, RGBwhite, 1);
    EXPECT_GT(inked(), 20);
    EXPECT_EQ(inkedOutside(KsRect{20, 20, 70, 60}), 0);
    EXPECT_EQ(KsRgnRef(Port()->clipRgn), KsRgn(KsRect{0, 0, 70, 100}));

    // A clip of two parts goes through regions and comes back whole.
    ClipWideOpen();
    RGBForeColor(&white);
    PaintRect(&all);
    const KsRgn twoParts({KsRect{0, 0, 50, 100}, KsRect{90, 0, 200, 100}});
    RgnHandle h = KsNewRgnFrom(twoParts);
    SetClip(h);
    DisposeRgn(h);
    t->DrawInColor(r, RGBblack, RGBwhite, 1);
    EXPECT_EQ(KsRgnRef(Port()->clipRgn), twoParts);
    for (SInt32 y = 0; y < 100; ++y)
        for (SInt32 x = 50; x < 90; ++x)
            ASSERT_EQ(Px(x, y), 0xFFFFFFu) << x << "," << y;
    EXPECT_EQ(inkedOutside(r), 0);
    EXPECT_GT(inked(), 20);

    // A clip that misses r entirely draws nothing and is kept.
    ClipWideOpen();
    RGBForeColor(&white);
    PaintRect(&all);
    const Rect away{200, 200, 220, 220};
    ClipRect(&away);
    t->DrawInColor(r, RGBblack, RGBwhite, 0);
    EXPECT_EQ(inked(), 0);
    EXPECT_EQ(KsRgnRef(Port()->clipRgn), KsRgn(KsRect{200, 200, 220, 220}));
    ClipWideOpen();
    delete t;
}

constexpr RGBColor kRed{0xFFFF, 0, 0}, kBlue{0, 0, 0xFFFF};
constexpr Rect kClip{5, 5, 40, 300};

// The window port current, clipped to kClip, red on blue.
void PreparePort(WindowPtr w) {
    SetPortWindowPort(w);
    ClipRect(&kClip);
    RGBForeColor(&kRed);
    RGBBackColor(&kBlue);
}

TEST_F(PaneTest, DrawEndsWithTheCallersClip) {
    APane* p = Add(main, 10, S, 50, 10, S, 50, 1, RGBwhite);
    p->SetText("body");
    PreparePort(win->GetWindowPtr());
    p->Draw(nullptr, nullptr);
    EXPECT_EQ(KsGetPort(), Port());
    EXPECT_EQ(KsRgnRef(Port()->clipRgn), KsRgn(ToKsRect(kClip)));
}

TEST_F(PaneTest, DragUpdateStartKeepsThePortsClipAndColours) {
    Add(main, 0, S, 100, 0, S, 100, 0, RGBlightblue);
    ASSERT_EQ(PostEvent(mouseDown, 0), noErr); // the cache is made while the button is down
    win->InitializeDragEvent(KsRect{0, 0, 100, 100});
    win->UseDragCache();
    ASSERT_TRUE(win->UseDragCache());
    PreparePort(win->GetWindowPtr());
    win->StartDragUpdate();
    EXPECT_EQ(KsGetPort(), Port());
    EXPECT_EQ(KsRgnRef(Port()->clipRgn), KsRgn(ToKsRect(kClip)));
    EXPECT_EQ(std::memcmp(&Port()->rgbFgColor, &kRed, sizeof kRed), 0);
    EXPECT_EQ(std::memcmp(&Port()->rgbBkColor, &kBlue, sizeof kBlue), 0);
}

} // namespace
