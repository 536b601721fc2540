// The button faces of the drawing utilities land on whole logical pixels at
// backing scale 1 and 2, and their colour lift holds at white.
#include "DrawUtilsTestSupport.h"
#include "KsButtonDraw.h"
#include "KsDrawUtils.h"

#include <functional>

namespace {

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
