// AScrollBar drawing: the two buttons with their arrows, the track and the
// thumb with its scale handles. Colours come from the bar's own colour; the
// scheme's button style and curvature shape the thumb.
#include "AScrollBar.h"

#include "AWindow.h"
#include "Icons.h"
#include "KsColorScheme.h"
#include "KsDrawUtils.h"
#include "KsPortSavers.h"
#include "QuickDraw.h"

#include <algorithm>

namespace {
void Fill(const KsRect& r, const KsRGBColor& c) {
    const RGBColor rgb = ToRGBColor(c);
    RGBForeColor(&rgb);
    const Rect rr = ToRect(r);
    PaintRect(&rr);
}

// The icon centred in r, clipped to it.
void PlotCentred(const KsRect& r, Handle icon, const KsRGBColor& color) {
    if (!icon) return;
    const RGBColor rgb = ToRGBColor(color);
    RGBForeColor(&rgb);
    const SInt32 h = (r.left + r.right) / 2 - 8, v = (r.top + r.bottom) / 2 - 8;
    StClipSaver clip;
    const KsRect c = r.Intersect(ToKsRect((*clip.Saved())->rgnBBox));
    const Rect cr = ToRect(c);
    ClipRect(&cr);
    const Rect ir{SInt16(v), SInt16(h), SInt16(v + 16), SInt16(h + 16)};
    PlotSICN(&ir, icon, 0);
}
} // namespace

// Draws at once in the window, clipped to what of the bar shows; nothing
// when the bar is hidden.
class StBarDrawing {
public:
    explicit StBarDrawing(const AScrollBar* bar) : port_(Port(bar)) {
        if (port_) clip_ = ToRect(bar->GetVisInterior());
    }
    bool Ready() const { return port_ && !EmptyRect(&clip_); }
    const Rect& Clip() const { return clip_; }

private:
    static GrafPtr Port(const AScrollBar* bar) {
        AWindow* w = bar->GetEnclWindow();
        if (!w || !w->GetWindowPtr() || !w->IsVisible() || !bar->IsVisible()) return nullptr;
        return GrafPtr(GetWindowPort(w->GetWindowPtr()));
    }
    GrafPtr port_;
    Rect clip_{};
};

void AScrollBar::DrawInterior(const KsRect* clip, void*) {
    const KsRect in = GetInterior();
    const KsRect v = clip ? in.Intersect(*clip) : GetVisRect(in);
    if (v.IsEmpty()) return;
    StColorPenSaver pen;
    PaintButton(kSBarUpButton);
    PaintButton(kSBarDownButton);
    DrawThumbAreaIn(v);
}

void AScrollBar::DrawButton(SInt16 part) {
    StBarDrawing d(this);
    if (!d.Ready()) return;
    StPortSaver port(GrafPtr(GetWindowPort(GetEnclWindow()->GetWindowPtr())));
    StClipSaver clip(d.Clip());
    StColorPenSaver pen;
    PaintButton(part);
}

void AScrollBar::DrawThumbArea() {
    DrawThumbAreaIn(GetThumbAreaRect());
}

void AScrollBar::RedrawThumbArea() {
    StBarDrawing d(this);
    if (!d.Ready()) return;
    StPortSaver port(GrafPtr(GetWindowPort(GetEnclWindow()->GetWindowPtr())));
    StClipSaver clip(d.Clip());
    StColorPenSaver pen;
    DrawThumbArea();
}

void AScrollBar::AdjustOffscreen() {}

void AScrollBar::PaintButton(SInt16 part) {
    const KsRect r = part == kSBarUpButton ? GetUpButtonRect() : GetDownButtonRect();
    if (r.IsEmpty()) return;
    const KsRGBColor face = GetBkndColor();
    Fill(r, litPart == part ? ScaleRGBIntensity(face, 70, 100) : face);
    // The line that parts the button from the track.
    KsRect edge = r;
    if (part == kSBarUpButton)
        (vertical ? edge.top : edge.left) = (vertical ? r.bottom : r.right) - 1;
    else
        (vertical ? edge.bottom : edge.right) = (vertical ? r.top : r.left) + 1;
    Fill(edge, outlineColor);
    const bool live = GetEnabled() && scrollEnabled && (scaleEnabled || minValue < maxValue);
    PlotCentred(r, icons[part == kSBarUpButton ? 0 : 1],
                live ? outlineColor : ScaleRGBIntensity(face, 60, 100));
}

void AScrollBar::DrawThumbAreaIn(const KsRect& clip) {
    const KsRect area = GetThumbAreaRect().Intersect(clip);
    if (area.IsEmpty()) return;
    StColorPenSaver pen;
    Fill(area, ScaleRGBIntensity(GetBkndColor(), 85, 100));
    if (thumbLength <= 0 || !GetEnabled() || (!scaleEnabled && minValue >= maxValue)) return;
    KsRect thumb = GetThumbRect(value).Intersect(GetThumbAreaRect());
    if (thumb.IsEmpty()) return;
    const bool lit =
        litPart == kSBarThumb || litPart == kSBarScaleLeading || litPart == kSBarScaleTrailing;
    Fill(thumb, lit ? ScaleRGBIntensity(thumbColor, 75, 100) : thumbColor);
    // A raised look unless the scheme asks for flat buttons.
    if (GetColorSchemeAttr("CS_BUT_STYLE") != 0) {
        KsRect light = thumb;
        (vertical ? light.right : light.bottom) = (vertical ? thumb.left : thumb.top) + 1;
        Fill(light, ScaleRGBIntensity(thumbColor, 150, 100));
    }
    const SInt16 round = SInt16(std::clamp<SInt32>(GetSchemeCurvature() / 6, 0, 6));
    const RGBColor outline = ToRGBColor(outlineColor);
    RGBForeColor(&outline);
    const Rect tr = ToRect(thumb);
    FrameRoundRect(&tr, round, round);
    if (scaleEnabled) {
        DrawScaleHandle(thumb, kSBarScaleLeading);
        DrawScaleHandle(thumb, kSBarScaleTrailing);
    }
}

void AScrollBar::DrawScaleHandle(const KsRect& thumb, SInt16 part) {
    KsRect r = thumb;
    if (part == kSBarScaleLeading)
        (vertical ? r.bottom : r.right) = (vertical ? thumb.top : thumb.left) + scaleHandleLength;
    else
        (vertical ? r.top : r.left) = (vertical ? thumb.bottom : thumb.right) - scaleHandleLength;
    if (litPart == part) Fill(r, ScaleRGBIntensity(thumbColor, 60, 100));
    PlotCentred(r, icons[part == kSBarScaleLeading ? 2 : 3], outlineColor);
}
