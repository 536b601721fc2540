// Pane drawing that follows the colour scheme and the screen: the scheme's
// text colour for labels (adjusted for contrast) and body text (as given),
// gradient backgrounds with the scheme's curvature, the device's step count
// and the specular lines, the grey pattern on a one-bit screen, and the
// selection frame. Each case switches the scheme or the screen, then redraws.
#include "AScreenManOS.h"
#include "CoreAttrList.h"
#include "KsColorScheme.h"
#include "KsDrawUtils.h"
#include "MacText.h"
#include "PaneTestSupport.h"

namespace {

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
