// AThinSlider drawing: the body is the ground, a thin groove along the track
// and the two texts; the thumb is a small raised square in the scheme's
// button colour, in its highlight colour while the slider holds the focus.
#include "AThinSlider.h"

#include "KsColorScheme.h"
#include "KsDrawUtils.h"
#include "KsPortSavers.h"
#include "MacText.h"
#include "QuickDraw.h"

namespace {
void Fill(const KsRect& r, const KsRGBColor& c) {
    const RGBColor rgb = ToRGBColor(c);
    RGBForeColor(&rgb);
    const Rect rr = ToRect(r);
    PaintRect(&rr);
}

KsRGBColor SchemeOr(const char* key, const char* r, const char* g, const char* b,
                    const KsRGBColor& otherwise) {
    KsRGBColor c = otherwise;
    if (GetColorSchemeAttr(key) != 0) GetSchemeColor(r, g, b, &c);
    return c;
}
} // namespace

void AThinSlider::DrawBody() {
    StColorPenSaver pen;
    const KsRGBColor bg = GetBkndColor();
    Fill(GetInterior(), bg);
    // The groove: two pixels dark over one light, centred across the track.
    const KsRect t = TrackArea();
    KsRect g = t;
    if (horizontal) {
        g.left += thumbRect.Width() / 2;
        g.right -= thumbRect.Width() / 2;
        g.top = (t.top + t.bottom) / 2 - 1;
        g.bottom = g.top + 2;
    } else {
        g.top += thumbRect.Height() / 2;
        g.bottom -= thumbRect.Height() / 2;
        g.left = (t.left + t.right) / 2 - 1;
        g.right = g.left + 2;
    }
    if (!g.IsEmpty()) {
        Fill(g, ScaleRGBIntensity(bg, enabled ? 45 : 75, 100));
        const KsRect light = horizontal ? KsRect{g.left, g.bottom, g.right, g.bottom + 1}
                                        : KsRect{g.right, g.top, g.right + 1, g.bottom};
        Fill(light, ScaleRGBIntensity(bg, 130, 100));
    }
    DrawTexts();
}

void AThinSlider::DrawTexts() {
    StColorPenSaver pen;
    const KsRGBColor bg = GetBkndColor();
    KsRGBColor fg = RGBblack;
    GetSchemeTextColor(&fg);
    AdjustFGColorContrast(&fg, bg);
    if (!enabled) fg = AverageRGB(fg, bg, 0.5);
    if (label) label->DrawInColor(LabelArea(), fg, bg, 1);
    if (valueText) valueText->DrawInColor(ValueArea(), fg, bg, 1);
}

void AThinSlider::MakeThumbPMDetail(const KsRect& r) {
    const KsRGBColor button = SchemeOr("CS_BUT_COLOR", "CS_BUT_COLOR_RED", "CS_BUT_COLOR_GREEN",
                                       "CS_BUT_COLOR_BLUE", thumbColor);
    KsRGBColor face = button;
    if (active)
        face = SchemeOr("CS_BUT_HLT_COLOR", "CS_BUT_HLT_COLOR_RED", "CS_BUT_HLT_COLOR_GREEN",
                        "CS_BUT_HLT_COLOR_BLUE", ScaleRGBIntensity(button, 140, 100));
    if (thumbDisabled) face = AverageRGB(face, GetBkndColor(), 0.6);
    StColorPenSaver pen;
    Fill(r, face);
    TwoColoredBevelFrame(r, ScaleRGBIntensity(face, 150, 100), ScaleRGBIntensity(face, 50, 100));
}
