// Gadget faces: the spotlight colour, idle spotlighting, drawn faces, faces
// loaded from resources, and copying face resources into a saved file.
#include "GadgetTestSupport.h"
#include "KsAppRouting.h"
#include "KsCapturedOutput.h"
#include "KsColorScheme.h"
#include "KsDrawUtils.h"
#include "KsResFileUtils.h"
#include "KsScratchResFile.h"

#include <array>
#include <vector>

namespace {

class GadgetFaceTest : public GadgetTest {
protected:
    UInt32 Px(SInt32 h, SInt32 v) const {
        Point pt{SInt16(v), SInt16(h)};
        SetPortWindowPort(win->GetWindowPtr());
        LocalToGlobal(&pt);
        return DesktopPixel(pt.h, pt.v);
    }
    static UInt32 Rgb(const KsRGBColor& c) {
        return UInt32(c.red >> 8) << 16 | UInt32(c.green >> 8) << 8 | UInt32(c.blue >> 8);
    }
    void Draw(AGadget* g) {
        SetPortWindowPort(win->GetWindowPtr());
        g->Draw(nullptr, nullptr);
    }
};

// The spotlight lifts each channel by 0x2000 and stops at white.
TEST_F(GadgetFaceTest, SpotlightLightensWithoutWrapping) {
    struct Case {
        KsRGBColor bkgd, spotlit;
    } cases[] = {
        {RGBgray8, {0xA000, 0xA000, 0xA000}},
        {RGBwhite, RGBwhite},
        {{0xF000, 0x1000, 0xE001}, {0xFFFF, 0x3000, 0xFFFF}},
    };
    for (const Case& c : cases) {
        auto* g = Add();
        g->SetBkndColor(c.bkgd);
        g->EnableSpotlight(true);
        EXPECT_TRUE(g->SetSpotlight(true));
        EXPECT_FALSE(g->SetSpotlight(true)) << "unchanged";
        EXPECT_EQ(g->GetBkndColor(), c.spotlit);
        g->Dispose();
    }
    auto* g = Add();
    g->EnableSpotlight(true);
    g->SetSpotlight(true);
    SetColorSchemeAttr("CS_BUT_SPOT_COLOR", 1);
    EXPECT_EQ(g->GetBkndColor(), RGBHighlightPurple);
    SetColorSchemeAttr("CS_BUT_SPOT_COLOR", 0);
    g->SetState(true, false);
    EXPECT_FALSE(g->GetSpotlight()) << "turning on clears the spotlight";
    EXPECT_EQ(g->GetBkndColor(), g->GetForeColor()) << "lit: the foreground";
}

TEST_F(GadgetFaceTest, IdleTimeSpotlightsTheGadgetUnderThePointer) {
    auto* g = Add();
    g->SetText("Spot");
    g->EnableSpotlight(true);
    main->ResetHierValues(true);
    KsRouteNullEvent(app, Global(g));
    EXPECT_TRUE(g->GetSpotlight());
    EXPECT_EQ(Px(g->GetInterior().left + 1, g->GetInterior().top + 1), Rgb(g->GetBkndColor()));
    KsRouteNullEvent(app, Global(g, 200, 0));
    EXPECT_FALSE(g->GetSpotlight());
}

TEST_F(GadgetFaceTest, FacesDrawTheirTextAndIcons) {
    auto* text = Add(20, 20);
    text->SetBkndColor(RGBwhite);
    text->SetText("MMMMMM");
    text->SetFontSizeFace(1, 12, 1);
    Draw(text);
    const KsRect in = text->GetInterior();
    auto darkest = [&](const KsRect& r) {
        UInt32 best = 0xFF;
        for (SInt32 v = r.top; v < r.bottom; ++v)
            for (SInt32 h = r.left; h < r.right; ++h)
                best = std::min(best, Px(h, v) & 0xFF);
        return best;
    };
    EXPECT_LT(darkest(in), 0x40u) << "black text on white";
    text->Disable();
    Draw(text);
    EXPECT_GT(darkest(in), 0x40u) << "dimmed towards the background";

    auto* icon = Add(20, 60);
    icon->SetBkndColor(RGBgray8);
    std::array<UInt8, 32> bits;
    bits.fill(0xFF); // a solid 16x16 square
    icon->SetRsrcData(FourCharCode("SICN"), bits.data(), Size(bits.size()));
    EXPECT_EQ(icon->GetText(nullptr, 0), -1) << "a face is either text or a resource";
    Draw(icon);
    const KsRect ir = icon->GetInterior();
    const SInt32 left = ir.left + (ir.Width() - 16) / 2, top = ir.top + (ir.Height() - 16) / 2;
    EXPECT_EQ(Px(left + 8, top + 8), Rgb(RGBblack)) << "the icon in the face colour";
    EXPECT_EQ(Px(left + 16, top + 16), Rgb(ScaleRGBIntensity(RGBgray8, 125, 100)))
        << "its shadow, one pixel right and down";
}

TEST_F(GadgetFaceTest, ResourceFacesAreCheckedAndCopiedAsAFamily) {
    ScratchResFile source("source.rsrc");
    source.Add(FourCharCode("SICN"), 500, std::vector<UInt8>(33, 1));
    source.Add(FourCharCode("ICON"), 501, std::vector<UInt8>(128, 1));
    source.Add(FourCharCode("ICN#"), 600, std::vector<UInt8>(256, 1));
    source.Add(FourCharCode("icl8"), 600, std::vector<UInt8>(1024, 1));
    source.Add(FourCharCode("ics#"), 600, std::vector<UInt8>(64, 1));
    auto* g = Add();
    g->SetText("Text");
    g->SetRsrc(FourCharCode("SICN"), 500);
    EXPECT_EQ(g->GetRsrcType(), 0u) << "33 bytes are no small icon";
    EXPECT_EQ(g->GetRsrcID(), 0);
    g->SetRsrc(FourCharCode("ICON"), 501);
    EXPECT_EQ(g->GetRsrcType(), FourCharCode("ICON"));
    EXPECT_EQ(g->GetText(nullptr, 0), -1) << "the icon replaced the text";

    g->SetRsrc(FourCharCode("ICN#"), 600);
    ScratchResFile saved("saved.rsrc");
    StCaptureOutput out(KsOutputChannel::debug);
    g->WriteResources(saved.ref, 1000);
    EXPECT_EQ(out.text, "  Copying ICN# 600 to 1000\n"
                        "  Copying icl8 600 to 1000\n"
                        "  Copying ics# 600 to 1000\n");
    EXPECT_EQ(g->GetRsrcID(), 1000);
    for (OSType type : {FourCharCode("ICN#"), FourCharCode("icl8"), FourCharCode("ics#")})
        EXPECT_NE(KsGet1Resource(type, 1000, nullptr, saved.ref), nullptr);
}

} // namespace
