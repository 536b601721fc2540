// Pane backgrounds behind sub-panes and body text in colour, checked pixel by
// pixel against a plain back-to-front painting of the same tree; drawing
// gives the caller its port, clip and colours back; the colour scheme's
// text colours, gradients, one-bit grey and selection frame.
#include "AScreenManOS.h"
#include "CoreAttrList.h"
#include "KsColorScheme.h"
#include "KsDrawUtils.h"
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

constexpr RGBColor kFore{0xFFFF, 0, 0}, kBack{0, 0, 0xFFFF};
constexpr Rect kClip{5, 5, 40, 300};

// The window port current, clipped to kClip, red on blue.
void PreparePort(WindowPtr w) {
    SetPortWindowPort(w);
    ClipRect(&kClip);
    RGBForeColor(&kFore);
    RGBBackColor(&kBack);
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
    EXPECT_EQ(std::memcmp(&Port()->rgbFgColor, &kFore, sizeof kFore), 0);
    EXPECT_EQ(std::memcmp(&Port()->rgbBkColor, &kBack, sizeof kBack), 0);
}

int gDepth = 32;
int Depth(int) {
    return gDepth;
}

class PaneDrawScheme : public PaneTest {
protected:
    void SetUp() override {
        PaneTest::SetUp();
        saved = GetColorSchemeAttrList()->Copy();
        previousDepth = KsSetScreenDepthProvider(Depth);
        gDepth = 32;
    }
    void TearDown() override {
        KsSetScreenDepthProvider(previousDepth);
        SetColorSchemeAttrList(saved);
        saved->Dispose();
        PaneTest::TearDown();
    }
    void Redraw() {
        SetPortWindowPort(win->GetWindowPtr());
        main->Draw(nullptr, nullptr);
    }
    int Count(const KsRect& r, UInt32 rgb) const {
        int n = 0;
        for (SInt32 v = r.top; v < r.bottom; ++v)
            for (SInt32 h = r.left; h < r.right; ++h)
                n += Px(h, v) == rgb;
        return n;
    }
    CoreAttrList* saved = nullptr;
    KsScreenDepthProvider previousDepth = nullptr;
};

constexpr KsRGBColor kRed{0xFFFF, 0, 0}, kPale{0xF000, 0xF000, 0xF000};

TEST_F(PaneDrawScheme, TextColourFollowsTheScheme) {
    const struct {
        const char* name;
        bool label;
        const KsRGBColor* scheme; // null: "CS_TEXT_COLOR" off
        UInt32 want;              // present in the text's rectangle
        UInt32 absent;
    } cases[] = {
        {"body, scheme off", false, nullptr, 0x000000, 0xFF0000},
        {"body in the scheme colour", false, &kRed, 0xFF0000, 0x000000},
        {"body keeps a pale scheme colour", false, &kPale, 0xF0F0F0, 0x000000},
        {"label in the scheme colour", true, &kRed, 0xFF0000, 0x000000},
        {"label adjusts a pale scheme colour", true, &kPale, 0x000000, 0xFF0000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetColorSchemeAttr("CS_TEXT_COLOR", c.scheme != nullptr);
        KsRGBColor colour = c.scheme ? *c.scheme : RGBblack;
        SetSchemeColor("CS_TEXT_COLOR_RED", "CS_TEXT_COLOR_GREEN", "CS_TEXT_COLOR_BLUE", &colour);
        main->SetBkndColor(RGBwhite);
        APane* p = Add(main, 10, S, 200, 10, S, 80, 0, RGBwhite);
        if (c.label) {
            p->AddLabel("MWM", kLabelNone);
            p->GetLabel()->SetFontSizeFace(1, 24, bold);
            p->SetLabelPosition(kLabelAbove);
        } else {
            p->SetText("MWM");
            p->SetFontSizeFace(1, 24, bold);
        }
        Redraw();
        const KsRect r = p->GetBounds();
        EXPECT_GT(Count(r, c.want), 0);
        EXPECT_EQ(Count(r, c.absent), 0);
        p->Dispose();
    }
}

TEST_F(PaneDrawScheme, GradientsUseTheSchemeCurvatureTheDeviceAndSpecularLines) {
    // The specular lines: percent down, then the (inset, strength) pairs.
    const double down[3] = {15.0, 30.0, 10.0};
    const SInt32 full[6] = {2, 8, 3, 6, 5, 4}, partial[6] = {2, 8, 3, 6, 4, 5};
    const struct {
        const char* name;
        SInt32 style, curvature, width;
        int depth;
        const SInt32* lines; // null: none
    } cases[] = {
        {"full, default curvature", kBorderGradient, 0, 60, 32, nullptr},
        {"full, curved", kBorderGradient, 60, 60, 32, full},
        {"partial, curved", kBorderGradientPartial, 60, 60, 32, partial},
        {"concave, curved", kBorderGradient + 1, 60, 60, 32, nullptr},
        {"full, curved, narrow", kBorderGradient, 60, 13, 32, nullptr},
        {"full, curved, 16-bit screen", kBorderGradient, 60, 60, 16, full},
        {"bubble, curved", kBorderGradientBubble, 70, 60, 32, nullptr},
    };
    const KsRGBColor colour{0x4000, 0x6000, 0x9000};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetColorSchemeAttr("CS_BUT_CURVATURE", c.curvature);
        gDepth = c.depth;
        const SInt32 w = c.width + 2 * GetBorderWidth(c.style);
        APane* p = Add(main, 10, S, w, 10, S, 52, c.style, colour);
        Redraw();
        // The same interior painted beside the pane straight from the utilities.
        const KsRect in = p->GetInterior(), ref = in.Offsetted(w + 10, 0);
        const SInt32 curve = c.curvature ? c.curvature : 30;
        ClipWideOpen();
        PaintGradient(ref, colour, GradientSteps(c.depth, curve, c.style), curve, c.style);
        if (IsGradientBubbleBorder(c.style))
            BubbleFrame(ref, colour, main->GetBkndColor(), curve, c.style);
        for (int i = 0; c.lines && i < 3; ++i)
            HorSpecLine(ref, colour, down[i], c.lines[2 * i], c.lines[2 * i + 1]);
        int wrong = 0;
        for (SInt32 v = in.top; v < in.bottom; ++v)
            for (SInt32 h = in.left; h < in.right; ++h)
                wrong += Px(h, v) != Px(h + w + 10, v);
        EXPECT_EQ(wrong, 0);
        p->Dispose();
    }
}

TEST_F(PaneDrawScheme, PlainColourOnAOneBitScreenIsTheGreyPattern) {
    const struct {
        const char* name;
        int depth;
        KsRGBColor colour;
        bool withSubPane;
        bool pattern;
    } cases[] = {
        {"grey, one bit", 1, RGBgray8, false, true},
        {"grey behind a sub-pane, one bit", 1, RGBgray8, true, true},
        {"white, one bit", 1, RGBwhite, false, false},
        {"grey, 32 bits", 32, RGBgray8, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        gDepth = c.depth;
        APane* p = Add(main, 10, S, 40, 10, S, 40, 0, c.colour);
        if (c.withSubPane) Add(p, 0, S, 10, 0, S, 10, 0, RGBwhite);
        Redraw();
        const KsRect area{30, 30, 40, 40};
        // The grey pattern: black and white, every neighbour the other one.
        if (c.pattern)
            EXPECT_TRUE(Count(area, 0) == 50 && Px(30, 30) != Px(31, 30) &&
                        Px(30, 30) != Px(30, 31) && Count(area, 0xFFFFFF) == 50);
        else
            EXPECT_EQ(Count(area, Rgb(c.colour)), 100);
        p->Dispose();
    }
}

TEST_F(PaneDrawScheme, SelectionIsOneRedFrameOfTheBounds) {
    APane* p = Add(main, 10, S, 40, 10, S, 40, 0, RGBwhite);
    win->SetDesignMode(true);
    p->SetSelected(true);
    Redraw();
    const KsRect b = p->GetBounds();
    EXPECT_EQ(Count(b, 0xFF0000), 4 * (b.Width() - 1));
    EXPECT_EQ(Count(b.Insetted(1, 1), 0xFF0000), 0);
}

} // namespace
