// The colour scheme store: the access functions, list
// replacement, grip colours that saturate, and the window colour setters.
#include "CoreAttrList.h"
#include "KsColorScheme.h"
#include "KsDrawUtils.h"
#include "KsHeadlessDesk.h"
#include "Windows.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// Every test leaves the scheme as it found it.
class ColorScheme : public ::testing::Test {
protected:
    CoreAttrList* saved = nullptr;
    void SetUp() override { saved = GetColorSchemeAttrList()->Copy(); }
    void TearDown() override {
        SetColorSchemeAttrList(saved);
        saved->Dispose();
    }
};

TEST_F(ColorScheme, AttributesAndColoursReadBackAsStored) {
    EXPECT_EQ(GetColorSchemeAttr("CS_NO_SUCH_KEY"), 0);
    EXPECT_EQ(GetColorSchemeAttr(nullptr), 0);
    SetColorSchemeAttr("CS_BUT_CURVATURE", 55);
    EXPECT_EQ(GetColorSchemeAttr("CS_BUT_CURVATURE"), 55);
    SetColorSchemeAttr("CS_BUT_STYLE", 0);
    EXPECT_EQ(GetBubbleButtonStyle(), 0);

    KsRGBColor in{0x1234, 0xABCD, 0x00FF};
    SetSchemeColor("CS_TEXT_COLOR_RED", "CS_TEXT_COLOR_GREEN", "CS_TEXT_COLOR_BLUE", &in);
    EXPECT_EQ(GetColorSchemeAttr("CS_TEXT_COLOR_GREEN"), 0xABCD); // widened, not sign-extended
    KsRGBColor out;
    EXPECT_TRUE(
        GetSchemeColor("CS_TEXT_COLOR_RED", "CS_TEXT_COLOR_GREEN", "CS_TEXT_COLOR_BLUE", &out));
    EXPECT_EQ(out, in);
    EXPECT_TRUE(
        GetSchemeColor("CS_TEXT_COLOR_RED", "CS_TEXT_COLOR_GREEN", "CS_TEXT_COLOR_BLUE", nullptr));

    // Null colour: -1 in each key, which reads back as full channels.
    SetSchemeColor("CS_BG_COLOR_RED", "CS_BG_COLOR_GREEN", "CS_BG_COLOR_BLUE", nullptr);
    EXPECT_EQ(GetColorSchemeAttr("CS_BG_COLOR_BLUE"), -1);
    GetSchemeColor("CS_BG_COLOR_RED", "CS_BG_COLOR_GREEN", "CS_BG_COLOR_BLUE", &out);
    EXPECT_EQ(out, RGBwhite);

    // Channels are truncated to 16 bits.
    SetColorSchemeAttr("CS_BUT_COLOR_RED", 0x12345);
    GetSchemeColor("CS_BUT_COLOR_RED", "CS_BUT_COLOR_GREEN", "CS_BUT_COLOR_BLUE", &out);
    EXPECT_EQ(out.red, 0x2345);
    EXPECT_EQ(out.green, 0x7000);
}

TEST_F(ColorScheme, InstallingAListReplacesEveryKeyWithACopy) {
    CoreAttrList mine;
    mine.SetSInt32("CS_BG_COLOR", 1);
    mine.SetSInt32("CS_BUT_STYLE", 0);
    SetColorSchemeAttrList(&mine);
    EXPECT_EQ(GetColorSchemeAttr("CS_BG_COLOR"), 1);
    EXPECT_EQ(GetColorSchemeAttr("CS_BG_COLOR_RED"), 0); // not in the given list
    EXPECT_EQ(GetBubbleButtonStyle(), 0);
    mine.SetSInt32("CS_BG_COLOR", 7); // the caller's list stays its own
    EXPECT_EQ(GetColorSchemeAttr("CS_BG_COLOR"), 1);
    SetColorSchemeAttrList(nullptr);
    EXPECT_EQ(GetColorSchemeAttr("CS_BG_COLOR"), 1);
    EXPECT_EQ(GetColorSchemeAttrList()->GetCount(), 2);
}

TEST(ColorSchemeGrip, GripColoursSaturateInsteadOfWrapping) {
    KsRGBColor light, dark;
    GetGripColors(RGBgray11, &light, &dark);
    EXPECT_EQ(light, RGBgray15);
    EXPECT_EQ(dark, RGBgray7);
    // A pale background: the light line stays white, not near black.
    GetGripColors(KsRGBColor{0xD000, 0xFFFF, 0xC000}, &light, &dark);
    EXPECT_EQ(light, (KsRGBColor{0xFFFF, 0xFFFF, 0xFFFF}));
    EXPECT_EQ(dark, (KsRGBColor{0x9000, 0xBFFF, 0x8000}));
    // A dark background: the dark line stays black, not near white.
    GetGripColors(KsRGBColor{0x2000, 0, 0x3FFF}, &light, &dark);
    EXPECT_EQ(dark, (KsRGBColor{0, 0, 0}));
    EXPECT_EQ(light, (KsRGBColor{0x6000, 0x4000, 0x7FFF}));
    GetGripColors(RGBgray5, nullptr, nullptr);
}

class ColorSchemeWindow : public ::testing::Test {
protected:
    HeadlessDesk desk_{320, 240};
};

TEST_F(ColorSchemeWindow, EachSetterReplacesOnlyItsOwnColour) {
    const Rect content{40, 20, 140, 180};
    WindowPtr w = NewCWindow(nullptr, &content, reinterpret_cast<ConstStr255Param>("\x01W"), true,
                             documentProc, reinterpret_cast<WindowPtr>(-1), true, 0);
    ASSERT_NE(w, nullptr);
    RGBColor before[kKsWinColorCount];
    KsGetWinColors(w, before);
    const KsRGBColor a{0x1111, 0x2222, 0x3333}, b{0x4444, 0x5555, 0x6666},
        c{0x7777, 0x8888, 0x9999};
    SetWindowHiliteColor(w, a);
    SetWindowTBarColor(w, b);
    SetWindowContentColor(w, c);
    RGBColor after[kKsWinColorCount];
    KsGetWinColors(w, after);
    EXPECT_EQ(ToKsRGBColor(after[kKsWinHiliteColor]), a);
    EXPECT_EQ(ToKsRGBColor(after[kKsWinTitleBarColor]), b);
    EXPECT_EQ(ToKsRGBColor(after[kKsWinContentColor]), c);
    EXPECT_EQ(ToKsRGBColor(after[kKsWinFrameColor]), ToKsRGBColor(before[kKsWinFrameColor]));
    EXPECT_EQ(ToKsRGBColor(after[kKsWinTextColor]), ToKsRGBColor(before[kKsWinTextColor]));
    SetWindowHiliteColor(nullptr, a); // no window: nothing
    DisposeWindow(w);
}

} // namespace
