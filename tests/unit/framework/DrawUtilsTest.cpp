// Border styles, bevels, gradients and colour arithmetic of the drawing
// utilities, checked pixel by pixel on tiny ports; button faces land on
// whole logical pixels at both backing scales.
#include "DrawUtilsTestSupport.h"
#include "KsButtonDraw.h"
#include "KsDrawUtils.h"

#include <cmath>
#include <functional>

namespace {

const KsRGBColor kMid{0x8000, 0x8000, 0x8000};
const KsRGBColor kRedC{0xFFFF, 0, 0};
const KsRGBColor kBlueC{0, 0, 0xFFFF};
const KsRGBColor kGreenC{0, 0xFFFF, 0};

// Styles and measuring

TEST(DrawUtilsStyles, MeasuringInsetsByTheStyleWidthAndOnlyStyle23IsRestricted) {
    struct Case {
        SInt32 style, width;
    } cases[] = {{0, 0},  {1, 1},  {2, 2},  {3, 2},  {5, 1},  {6, 2},  {19, 1},
                 {20, 2}, {23, 2}, {60, 2}, {61, 2}, {99, 1}, {-4, 1}, {0x7FFFFFFF, 1}};
    for (const Case& c : cases) {
        KsRect r{10, 20, 50, 40};
        StockBorderProc(&r, c.style, nullptr, false, 0);
        EXPECT_EQ(r, (KsRect{10 + c.width, 20 + c.width, 50 - c.width, 40 - c.width}))
            << "style " << c.style;
        EXPECT_EQ(GetBorderWidth(c.style), c.width);
    }
    EXPECT_EQ(RestrictBorderStyle(23), 6);
    for (SInt32 s : {0, 1, 6, 22, 24, 60, 61, 99, -1})
        EXPECT_EQ(RestrictBorderStyle(s), s);
}

TEST(DrawUtilsStyles, ConvexStylesPairWithTheConcaveStyleAboveThem) {
    for (SInt32 s : {7, 9, 11, 13, 15, 17, 60}) {
        EXPECT_TRUE(IsConvexBorder(s)) << s;
        EXPECT_FALSE(IsConcaveBorder(s)) << s;
        EXPECT_TRUE(IsConcaveBorder(s + 1)) << s + 1;
        EXPECT_FALSE(IsConvexBorder(s + 1)) << s + 1;
    }
    for (SInt32 s : {26, 27, 42, 43})
        EXPECT_TRUE(IsConvexBorder(s));
    for (SInt32 s : {24, 25})
        EXPECT_TRUE(IsConcaveBorder(s));
    // The gradient families are disjoint, and a gradient-bubble style is what
    // check boxes and radio buttons use.
    for (SInt32 s = -1; s <= 62; ++s) {
        const int n = int(IsGradientBorder(s)) + int(IsGradientPartialBorder(s)) +
                      int(IsGradientBubbleBorder(s));
        EXPECT_LE(n, 1) << s;
    }
    EXPECT_TRUE(IsGradientBubbleBorder(60));
    EXPECT_TRUE(IsGradientBubbleBorder(61));
    EXPECT_TRUE(IsGradientPartialBorder(9));
    EXPECT_TRUE(IsGradientBorder(7));
    EXPECT_FALSE(IsGradientBorder(1));
    EXPECT_TRUE(IsRoundedBorder(23));
    EXPECT_FALSE(IsRoundedBorder(6));
}

// Pixels

using DrawUtilsPixels = DrawUtilsPort;

TEST_F(DrawUtilsPixels, TwoColoredBevelGivesTheMeetingCornersToTheDarkEdge) {
    for (int scale : {1, 2}) {
        MakePort(scale);
        const KsRect r{2, 3, 9, 8};
        TwoColoredBevelFrame(r, kRedC, kBlueC);
        const std::uint32_t light = Dev(kRedC), dark = Dev(kBlueC);
        EXPECT_EQ(Px(2, 3), light);
        EXPECT_EQ(Px(7, 3), light);
        EXPECT_EQ(Px(8, 3), dark); // top right
        EXPECT_EQ(Px(2, 7), dark); // bottom left
        EXPECT_EQ(Px(2, 6), light);
        EXPECT_EQ(Px(8, 7), dark);
        EXPECT_EQ(Px(3, 4), 0xFFFFFFu); // inside untouched
        EXPECT_EQ(Px(7, 6), 0xFFFFFFu);
        EXPECT_EQ(DirtyOutside(r), 0) << "scale " << scale;
    }
}

TEST_F(DrawUtilsPixels, EveryStyleDrawsOnlyInItsBorderRing) {
    const KsRGBColor colors[2] = {kMid, kGreenC};
    for (int scale : {1, 2}) {
        for (SInt32 style = 0; style <= kBorderLastStyle + 1; ++style) {
            MakePort(scale);
            const KsRect frame{3, 2, 17, 13};
            KsRect interior = frame;
            StockBorderProc(&interior, style, colors, true, 0);
            EXPECT_EQ(interior, frame.Insetted(GetBorderWidth(style), GetBorderWidth(style)));
            EXPECT_EQ(DirtyOutside(frame), 0) << "style " << style << " scale " << scale;
            // Only the rounded pressed style darkens its inside.
            if (style != kBorderRoundedPressed) {
                for (int v = interior.top; v < interior.bottom; ++v)
                    for (int h = interior.left; h < interior.right; ++h)
                        ASSERT_EQ(Px(h, v), 0xFFFFFFu)
                            << "style " << style << " at " << h << "," << v << " scale " << scale;
            }
            if (GetBorderWidth(style) > 0) {
                // Something of the ring is drawn: at least one edge pixel.
                int drawn = 0;
                for (int h = frame.left; h < frame.right; ++h)
                    drawn += Px(h, frame.top) != 0xFFFFFF || Px(h, frame.bottom - 1) != 0xFFFFFF;
                EXPECT_GT(drawn, 0) << "style " << style;
            }
        }
    }
}

TEST_F(DrawUtilsPixels, PlainFrameIsOneShadeDarkerThanThePane) {
    const KsRGBColor colors[2] = {kMid, RGBwhite};
    KsRect r{4, 4, 10, 9};
    StockBorderProc(&r, kBorderFrame, colors, true, 0);
    const std::uint32_t edge = Px(4, 4);
    EXPECT_LT(Brightness(edge), Brightness(Dev(kMid)));
    for (int h = 4; h < 10; ++h) {
        EXPECT_EQ(Px(h, 4), edge);
        EXPECT_EQ(Px(h, 8), edge);
    }
    for (int v = 4; v < 9; ++v) {
        EXPECT_EQ(Px(4, v), edge);
        EXPECT_EQ(Px(9, v), edge);
    }
}

TEST_F(DrawUtilsPixels, RoundedAndBubbleCornersTakeTheSurroundingColour) {
    const KsRect r{2, 2, 12, 10};
    RoundedRaisedBorder(r, kMid, kGreenC, KsBevel::kRaised);
    for (auto [h, v] : {std::pair{2, 2}, {11, 2}, {2, 9}, {11, 9}})
        EXPECT_EQ(Px(h, v), Dev(kGreenC));
    // Raised: lit from the top left.
    EXPECT_GT(Brightness(Px(4, 3)), Brightness(Px(4, 8)));
    RoundedRaisedBorder(r, kMid, kGreenC, KsBevel::kSunken);
    EXPECT_LT(Brightness(Px(4, 3)), Brightness(Px(4, 8)));

    const KsRect b{14, 2, 23, 12};
    BubbleFrame(b, kMid, kRedC, 30.0, kBorderBubble);
    EXPECT_EQ(Px(14, 2), Dev(kRedC));
    EXPECT_EQ(Px(22, 11), Dev(kRedC));
    const int upTop = Brightness(Px(17, 3));
    BubbleFrame(b, kMid, kRedC, 30.0, kBorderBubbleDown);
    EXPECT_GT(upTop, Brightness(Px(17, 3))); // pressed loses the sheen
    EXPECT_EQ(DirtyOutside(KsRect{2, 2, 23, 12}), 0);
}

TEST_F(DrawUtilsPixels, DrawingKeepsThePortColoursAndPen) {
    const RGBColor fore{0x1234, 0x5678, 0x9ABC}, back{0xFEDC, 0xBA98, 0x7654};
    RGBForeColor(&fore);
    RGBBackColor(&back);
    PenSize(3, 2);
    const KsRGBColor colors[2] = {kMid, kGreenC};
    KsRect r{1, 1, 20, 15};
    StockBorderProc(&r, kBorderBlackBevel, colors, true, 0);
    PaintGradient(r, kMid, 8, 30.0, 7);
    BubbleFrame(r, kMid, kGreenC, 30.0, 60);
    RGBColor f{}, b{};
    GetForeColor(&f);
    GetBackColor(&b);
    PenState pen{};
    GetPenState(&pen);
    EXPECT_EQ(ToKsRGBColor(f), ToKsRGBColor(fore));
    EXPECT_EQ(ToKsRGBColor(b), ToKsRGBColor(back));
    EXPECT_EQ(ToKsPoint(pen.pnSize), (KsPoint{3, 2}));
}

TEST_F(DrawUtilsPixels, GradientsRunLightToDarkAndStayInsideTheirRect) {
    const KsRect r{2, 2, 10, 18};
    PaintGradient(r, kMid, 16, 30.0, 7);
    EXPECT_GT(Brightness(Px(5, 2)), Brightness(Px(5, 17)));
    for (int v = 3; v < 18; ++v)
        EXPECT_LE(Brightness(Px(5, v)), Brightness(Px(5, v - 1)));
    for (int h = 2; h < 10; ++h)
        EXPECT_EQ(Px(h, 9), Px(2, 9)); // rows are uniform
    EXPECT_EQ(DirtyOutside(r), 0);

    PaintGradient(r, kMid, 16, 30.0, 8); // concave: the other way round
    EXPECT_LT(Brightness(Px(5, 2)), Brightness(Px(5, 17)));

    PaintGradient(r, kMid, 16, 30.0, 9); // partial: the lower half is flat
    for (int v = 10; v < 18; ++v)
        EXPECT_EQ(Px(5, v), Dev(kMid));
    EXPECT_GT(Brightness(Px(5, 2)), Brightness(Dev(kMid)));

    for (SInt32 steps : {1, 0, -5}) {
        PaintGradient(r, kMid, steps, 30.0, 7);
        for (int v = 2; v < 18; ++v)
            EXPECT_EQ(Px(5, v), Px(5, 2)) << "steps " << steps;
    }
    PaintGradient(r, kMid, 1000000, NAN, 7); // nonsense factors: flat colour
    EXPECT_EQ(Px(5, 2), Dev(kMid));
    EXPECT_EQ(DirtyOutside(r), 0);
}

TEST_F(DrawUtilsPixels, SpecularLineAndGroove) {
    const KsRect r{0, 0, 20, 10};
    HorSpecLine(r, kMid, 30.0, 3, 2);
    EXPECT_EQ(Px(2, 3), 0xFFFFFFu);
    EXPECT_NE(Px(3, 3), 0xFFFFFFu);
    EXPECT_NE(Px(16, 3), 0xFFFFFFu);
    EXPECT_EQ(Px(17, 3), 0xFFFFFFu);
    EXPECT_EQ(DirtyOutside(KsRect{3, 3, 17, 4}), 0);
    HorSpecLine(r, kMid, 100.0, 0, 2); // past the bottom: nothing
    HorSpecLine(r, kMid, NAN, 0, 2);
    EXPECT_EQ(DirtyOutside(KsRect{3, 3, 17, 4}), 0);

    MakePort(1);
    const KsRGBColor colors[2] = {RGBblack, kMid};
    KsRect g{0, 10, 20, 14};
    GrooveBorderProc(&g, 0, colors, true, 0);
    EXPECT_EQ(g, (KsRect{1, 11, 19, 13}));
    EXPECT_LT(Brightness(Px(5, 11)), Brightness(Dev(kMid)));
    EXPECT_GT(Brightness(Px(5, 12)), Brightness(Dev(kMid)));
    EXPECT_EQ(DirtyOutside(KsRect{0, 11, 20, 13}), 0);
}

// Colours

TEST(DrawUtilsColours, ScalingSaturatesInsteadOfWrapping) {
    const KsRGBColor c{0xC000, 0x8000, 0x0100};
    EXPECT_EQ(ScaleRGBIntensity(c, 150, 100), (KsRGBColor{0xFFFF, 0xC000, 0x0180}));
    EXPECT_EQ(ScaleRGBIntensity(c, 1, 2), (KsRGBColor{0x6000, 0x4000, 0x0080}));
    EXPECT_EQ(ScaleRGBIntensity(c, 5, 4), (KsRGBColor{0xF000, 0xA000, 0x0140}));
    EXPECT_EQ(ScaleRGBIntensity(RGBwhite, 0x7FFFFFFF, 1), RGBwhite);
    EXPECT_EQ(ScaleRGBIntensity(c, -3, 1), RGBblack);
    EXPECT_EQ(ScaleRGBIntensity(c, 100, 100), c);
}

TEST(DrawUtilsColours, AverageWeighsTowardsTheSecondColour) {
    EXPECT_EQ(AverageRGB(RGBblack, RGBwhite, 0.0), RGBblack);
    EXPECT_EQ(AverageRGB(RGBblack, RGBwhite, 1.0), RGBwhite);
    EXPECT_EQ(AverageRGB(RGBblack, KsRGBColor{10000, 20000, 0}, 0.4), (KsRGBColor{4000, 8000, 0}));
    EXPECT_EQ(AverageRGB(RGBblack, RGBwhite, 7.0), RGBwhite);
    EXPECT_EQ(AverageRGB(RGBblack, RGBwhite, NAN), RGBblack);
}

TEST(DrawUtilsColours, ContrastAdjustmentPicksBlackOrWhiteOnlyWhenNeeded) {
    KsRGBColor out{1, 2, 3};
    EXPECT_FALSE(AdjustFGColorContrast(RGBblack, RGBwhite, &out));
    EXPECT_EQ(out, RGBblack);
    EXPECT_TRUE(AdjustFGColorContrast(RGBblack, RGBgray2, &out));
    EXPECT_EQ(out, RGBwhite);
    EXPECT_TRUE(AdjustFGColorContrast(RGBwhite, RGBgray14, &out));
    EXPECT_EQ(out, RGBblack);
    EXPECT_TRUE(AdjustFGColorContrast(RGBgray8, RGBgray9, nullptr));
    EXPECT_FALSE(AdjustFGColorContrast(RGBblack, RGBgray8, nullptr));
    KsRGBColor fg = RGBgray13;
    EXPECT_TRUE(AdjustFGColorContrast(&fg, RGBwhite));
    EXPECT_EQ(fg, RGBblack);
    // Whatever the pair, the answer is readable.
    for (int f = 0; f <= 16; ++f)
        for (int b = 0; b <= 16; ++b) {
            const UInt16 fv = UInt16(std::min(f * 0x1000, 0xFFFF));
            const UInt16 bv = UInt16(std::min(b * 0x1000, 0xFFFF));
            KsRGBColor o;
            AdjustFGColorContrast(KsRGBColor{fv, fv, fv}, KsRGBColor{bv, bv, bv}, &o);
            EXPECT_GE(std::abs(int(RGBLuminance(o)) - int(bv)), 0x4000) << f << " on " << b;
        }
}

// Rectangles

TEST(DrawUtilsRects, CentringKeepsTheSizeAndRoundsDown) {
    EXPECT_EQ(CenterRectInRect(KsRect{0, 0, 4, 2}, KsRect{10, 10, 20, 20}),
              (KsRect{13, 14, 17, 16}));
    EXPECT_EQ(CenterRectInRect(KsRect{5, 5, 8, 8}, KsRect{0, 0, 10, 10}),
              (KsRect{3, 3, 6, 6})); // odd difference: extra pixel right and bottom
    EXPECT_EQ(CenterRectInRect(KsRect{0, 0, 13, 13}, KsRect{0, 0, 10, 10}),
              (KsRect{-2, -2, 11, 11}));
}

using DrawUtilsVisible = DrawUtilsPort;

TEST_F(DrawUtilsVisible, VisibleMeansInsideClipAndVisibleRegionTogether) {
    EXPECT_TRUE(RectIsVisible(KsRect{1, 1, 3, 3}));
    EXPECT_FALSE(RectIsVisible(KsRect{5, 5, 5, 9})); // empty
    EXPECT_FALSE(RectIsVisibleInPort(KsRect{1, 1, 3, 3}, nullptr));
    SetRectRgn(port->visRgn, 0, 0, 10, 20);
    RgnHandle clip = NewRgn();
    SetRectRgn(clip, 12, 0, 24, 20);
    SetClip(clip);
    // The rect meets each region, but no pixel is in both.
    EXPECT_FALSE(RectIsVisible(KsRect{5, 5, 15, 8}));
    SetRectRgn(clip, 8, 0, 24, 20);
    SetClip(clip);
    EXPECT_TRUE(RectIsVisible(KsRect{5, 5, 15, 8}));
    EXPECT_FALSE(RectIsVisible(KsRect{0, 0, 8, 8}));
    DisposeRgn(clip);
}

using ButtonFaces = DrawUtilsPort;

TEST_F(ButtonFaces, FacesAreCrispAtBothScales) {
    const KsRGBColor face{0x8000, 0x8000, 0x8000}, around{0x4000, 0x4000, 0x4000};
    const KsRGBColor colors[2] = {face, around};
    const struct {
        const char* name;
        std::function<void()> draw;
    } cases[] = {
        {"radio",
         [&] {
             PaintRadioFace({2, 2, 19, 17}, face, around, kBorderBubble);
         }},
        {"pressed push button",
         [&] {
             DrawPushButtonBorder({2, 2, 22, 18}, kBorderButton, colors, KsPushLook::kPressed,
                                  KsDefaultRing::kDefault);
         }},
        {"lit LED",
         [&] {
             PaintLEDFace({2, 2, 22, 18}, face, KsLEDLook::kOn);
         }},
    };
    for (const auto& c : cases) {
        std::uint32_t first[W][H] = {};
        for (int scale : {1, 2}) {
            SCOPED_TRACE(std::string(c.name) + " at scale " + std::to_string(scale));
            MakePort(scale);
            c.draw();
            for (int v = 0; v < H; ++v)
                for (int h = 0; h < W; ++h) {
                    ASSERT_NE(Px(h, v), 0xFF000000u) << h << "," << v;
                    if (scale == 1)
                        first[h][v] = Px(h, v);
                    else
                        ASSERT_EQ(Px(h, v), first[h][v]) << h << "," << v;
                }
        }
    }
}

TEST_F(ButtonFaces, RadioDiscIsRoundAndEvenInAnyBox) {
    EXPECT_EQ(RadioDiscRect({0, 0, 17, 15}), (KsRect{1, 0, 15, 14}));
    EXPECT_EQ(RadioDiscRect({0, 0, 10, 20}), (KsRect{0, 5, 10, 15}));
    EXPECT_TRUE(RadioDiscRect({0, 0, 0, 9}).IsEmpty());
    const KsRGBColor face{0x8000, 0x8000, 0x8000}, around{0x4000, 0x4000, 0x4000};
    PaintRadioFace({2, 2, 19, 17}, face, around, kBorderBubbleDown);
    EXPECT_EQ(Px(3, 2), Dev(around));   // the disc's corner
    EXPECT_EQ(Px(18, 10), Dev(around)); // beside the disc
    EXPECT_NE(Px(10, 9), Dev(around));
    EXPECT_EQ(DirtyOutside({2, 2, 19, 17}), 0);
}

TEST(ButtonColors, LiftHoldsAtWhite) {
    EXPECT_EQ(LiftRGB({0x1000, 0xE000, 0xFFFF}, 0x2000), (KsRGBColor{0x3000, 0xFFFF, 0xFFFF}));
    EXPECT_EQ(LiftRGB({0xDFFF, 0, 0}, 0x2000), (KsRGBColor{0xFFFF, 0x2000, 0x2000}));
}

} // namespace
