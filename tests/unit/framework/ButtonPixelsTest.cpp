// What each button kind shows in each state, read from the window's pixels:
// features (which edge is lighter, where the mark is, which colour a face
// takes), not whole pictures.
#include "ABasicButtons.h"
#include "ADialogButtonGad.h"
#include "APopupMenuGad.h"
#include "ARadioCheckGads.h"
#include "PaneTestSupport.h"

#include <functional>
#include <vector>

namespace {

const KsRGBColor kEncl{0x9000, 0x9000, 0x9000};

int Luma(UInt32 px) {
    return int((px >> 16) & 0xFF) * 299 / 1000 + int((px >> 8) & 0xFF) * 587 / 1000 +
           int(px & 0xFF) * 114 / 1000;
}
int Red(UInt32 px) {
    return int(px >> 16) & 0xFF;
}
int Blue(UInt32 px) {
    return int(px) & 0xFF;
}

class ButtonPixels : public PaneTest {
protected:
    void SetUp() override {
        PaneTest::SetUp();
        main->SetBkndColor(kEncl);
    }
    void Redraw() {
        SetPortWindowPort(win->GetWindowPtr());
        win->Draw(nullptr, nullptr);
    }
    // The darkest pixel of r.
    int Darkest(const KsRect& r) const {
        int d = 255;
        for (SInt32 v = r.top; v < r.bottom; ++v)
            for (SInt32 h = r.left; h < r.right; ++h)
                d = std::min(d, Luma(Px(h, v)));
        return d;
    }
    APushButton* Push(const char* text = "Push") {
        auto* b = APushButton::New(main, 20, S, 90, 20, S, 24, nullptr, 0, 0);
        b->SetText(text);
        return b;
    }
};

// A corner of the face, clear of the centred text.
KsPoint Face(const APane* p) {
    return {p->GetInterior().left + 2, p->GetInterior().top + 2};
}

TEST_F(ButtonPixels, PushButtonStates) {
    struct Case {
        const char* name;
        std::function<void(APushButton*)> set;
        bool lightTopLeft; // the bevel's light edge is at the top left
        int faceVsNormal;  // -1 darker, 0 same, 1 lighter face
        bool darkOutline;  // the default ring
        bool greyText;     // the text is dimmed
    } cases[] = {
        {"normal", [](APushButton*) {}, true, 0, false, false},
        {"pressed", [](APushButton* b) { b->HiliteGad(); }, false, -1, false, false},
        {"released", [](APushButton* b) { b->HiliteGad(), b->DeliteGad(); }, true, 0, false, false},
        {"default", [](APushButton* b) { b->SetFlag(kPaneOKGadget, true); }, true, 0, true, false},
        {"disabled", [](APushButton* b) { b->Disable(); }, true, 0, false, true},
        {"spotlit",
         [](APushButton* b) {
             b->EnableSpotlight(true);
             b->SetSpotlight(true);
         },
         true, 1, false, false},
    };
    APushButton* ref = Push();
    Redraw();
    const UInt32 normalFace = Px(Face(ref).h, Face(ref).v);
    const UInt32 normalOutline = Px(ref->GetFrame().left, ref->GetFrame().top + 5);
    ref->Dispose();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        APushButton* b = Push();
        Redraw();
        c.set(b);
        if (std::string(c.name) != "pressed") Redraw();
        const KsRect f = b->GetFrame();
        const int tl = Luma(Px(f.left + 1, f.top + 1)), br = Luma(Px(f.right - 2, f.bottom - 2));
        EXPECT_EQ(tl > br, c.lightTopLeft) << tl << " " << br;
        const int face = Luma(Px(Face(b).h, Face(b).v)) - Luma(normalFace);
        EXPECT_EQ((face > 0) - (face < 0), c.faceVsNormal) << face;
        const int outline = Luma(Px(f.left, f.top + 5));
        EXPECT_EQ(outline < Luma(normalOutline) - 40, c.darkOutline) << outline;
        EXPECT_EQ(Darkest(b->GetInterior().Insetted(4, 2)) > 35, c.greyText);
        b->Dispose();
    }
}

// Styles without a pressed partner move the face by a pixel and redraw the
// frame: pressing changes the picture, releasing restores it exactly.
TEST_F(ButtonPixels, PressAndReleaseLeaveNoTrace) {
    for (SInt32 style : {0, 2, 6, 19, 24}) {
        SCOPED_TRACE(style);
        APushButton* b = Push("Go");
        b->SetBorderStyle(style);
        Redraw();
        const KsRect r = b->GetBounds();
        auto snap = [&] {
            std::vector<UInt32> px;
            for (SInt32 v = r.top; v < r.bottom; ++v)
                for (SInt32 h = r.left; h < r.right; ++h)
                    px.push_back(Px(h, v));
            return px;
        };
        const std::vector<UInt32> before = snap();
        b->HiliteGad();
        EXPECT_TRUE(b->GetLit());
        EXPECT_NE(snap(), before);
        b->DeliteGad();
        EXPECT_FALSE(b->GetLit());
        EXPECT_EQ(snap(), before);
        b->Dispose();
    }
}

TEST_F(ButtonPixels, BoxesShowTheirStateAndRadioBoxesAreRound) {
    struct Case {
        const char* name;
        bool radio, on, enabled;
        bool darkMark; // a check mark or a dimmed dot
        bool whiteDot; // the selected radio face
        bool purple;   // the lit face of a checked box
    } cases[] = {
        {"check off", false, false, true, false, false, false},
        {"check on", false, true, true, true, false, true},
        {"check disabled", false, false, false, false, false, false},
        {"radio off", true, false, true, false, false, false},
        {"radio on", true, true, true, false, true, false},
        {"radio on, disabled", true, true, false, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AGadget* g =
            c.radio ? static_cast<AGadget*>(ARadioButtonGad::New(main, APushButton::kNoGroup, "Box",
                                                                 20, S, 100, 20, S, 20))
                    : static_cast<AGadget*>(ACheckBoxGad::New(main, "Box", 20, S, 100, 20, S, 20));
        g->SetState(c.on, true);
        g->SetEnabled(c.enabled);
        Redraw();
        const KsRect box = g->GetFrame();
        const KsRect in = g->GetInterior();
        const KsPoint mid{(in.left + in.right) / 2, (in.top + in.bottom) / 2};
        EXPECT_EQ(Darkest(in.Insetted(2, 2)) < 70, c.darkMark) << Darkest(in.Insetted(2, 2));
        EXPECT_EQ(Px(mid.h, mid.v) == 0xFFFFFFu, c.whiteDot);
        const UInt32 face = Px(in.left + 2, in.bottom - 3);
        const int green = int(face >> 8 & 0xFF);
        EXPECT_EQ(Red(face) > green + 20 && Blue(face) > green + 20, c.purple) << std::hex << face;
        // A round box leaves its corners in the enclosure's colour; the
        // square check box draws its outline there.
        EXPECT_EQ(Px(box.left, box.top + 1) == PaneTest::Rgb(kEncl), c.radio);
        g->Dispose();
    }
}

// An LED lights at 150 % of its colour, each channel held at white: a
// bright red does not wrap round to a dark one.
TEST_F(ButtonPixels, LEDsLightAt150PercentWithoutWrapping) {
    struct Case {
        KsRGBColor color;
        bool lit;
        KsRGBColor expected;
    } cases[] = {
        {{0, 0x6000, 0}, false, {0, 0x6000, 0}},
        {{0, 0x6000, 0}, true, {0, 0x9000, 0}},
        {{0xC000, 0x2000, 0}, true, {0xFFFF, 0x3000, 0}},
    };
    for (const Case& c : cases) {
        ALED* led = ALED::New(main, 20, S, 20, 20, S, 14, c.color);
        led->SetLight(c.lit);
        EXPECT_FALSE(led->GetState()); // the light is not the state
        Redraw();
        const KsRect in = led->GetInterior();
        EXPECT_EQ(Px(in.left, in.bottom - 1), PaneTest::Rgb(c.expected));
        // A lit lamp has a glint; an unlit one is flat.
        EXPECT_EQ(Px(in.left + in.Width() / 2, in.top + in.Height() / 4) != Px(in.left, in.top),
                  c.lit);
        led->Dispose();
    }
}

TEST_F(ButtonPixels, PopupShowsItsIndicatorAndDialogFocusLightensWithoutWrapping) {
    auto* pop = APopupMenuGad::New(main, nullptr, 20, S, 120, 20, S, 20, kLabelNone, 0);
    pop->MakePopupMenu("m");
    pop->AppendPopupMenuItem("One", 0, 0);
    pop->SetMenuItem(1, false);
    Redraw();
    const KsRect in = pop->GetInterior();
    EXPECT_LT(Darkest({in.right - 18, in.top, in.right - 2, in.bottom}), 70);

    struct Case {
        KsRGBColor color;
        bool focused;
        int lighter; // channel difference from the unfocused face, in 8 bits
    } cases[] = {{{0x8000, 0x8000, 0x8000}, true, 0x20}, {RGBwhite, true, 0}};
    for (const Case& c : cases) {
        auto* d = ADialogButtonGad::New(main, "OK", 20, S, 80, 60, S, 22);
        d->SetInheritsBkgd(false, 0);
        d->SetBkndColor(c.color);
        Redraw();
        const KsRect di = d->GetInterior();
        const UInt32 before = Px(di.left + 3, di.bottom - 4);
        d->Activate();
        const UInt32 after = Px(di.left + 3, di.bottom - 4);
        EXPECT_GE(Red(after), Red(before)) << "never darker";
        EXPECT_NEAR(Red(after) - Red(before), c.lighter, 4);
        d->Dispose();
    }
}

} // namespace
