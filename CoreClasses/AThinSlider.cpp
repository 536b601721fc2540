// AThinSlider: set-up, the value and label texts, the layout of label, track
// and value, enabling and the keyboard focus.
#include "AThinSlider.h"

#include "ASliderPrivate.h"
#include "MacText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
constexpr SInt16 kLeftArrow = 0x7B, kRightArrow = 0x7C;
// The gap between a text and the track.
constexpr SInt32 kTextGap = 3;
} // namespace

SInt16 AThinSlider::StandardDelta(SInt16 keyCode) {
    if (keyCode == kLeftArrow) return -1;
    if (keyCode == kRightArrow) return 1;
    return 0;
}

AThinSlider* AThinSlider::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                              SInt16 bot, SInt16 hei, double v, double lo, double hi,
                              const char* label, SInt16 fontSize) {
    auto* s = new AThinSlider;
    try {
        s->IThinSlider(encl, left, right, wid, top, bot, hei, v, lo, hi, label, fontSize);
    } catch (...) {
        s->Dispose();
        throw;
    }
    return s;
}

AThinSlider::AThinSlider() {
    notifyIfNotChanged = false;
    canBeTabbedTo = true;
    valueText = MacText::New("0", 1, 9, 0);
    valueText->SetJust(-1);
}

SInt16 AThinSlider::SaneBufferMax(SInt32 m) {
    return SInt16(std::clamp<SInt32>(m, 0, kKeyBufferSize - 2));
}

void AThinSlider::IThinSlider(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                              SInt16 bot, SInt16 hei, double v, double lo, double hi,
                              const char* labelText, SInt16 fontSize) {
    ISlider(encl, left, right, wid, top, bot, hei, v, lo, hi);
    AddLabel(labelText, kLabelNone);
    textSize = fontSize > 0 ? fontSize : 9;
    if (label) {
        label->SetJust(0);
        label->SetFontSizeFace(1, textSize, 0);
    }
    if (valueText) valueText->SetFontSizeFace(1, textSize, 0);
    SetBorderStyle(0);
    const double m = std::max(std::fabs(GetMin()), std::fabs(GetMax()));
    keyDownBufferMax = m > 9999 ? 4 : m > 999 ? 3 : m > 99 ? 2 : 1;
    SetValueText();
    InteriorChanged(GetInterior());
}

void AThinSlider::Dispose() {
    delete valueText;
    valueText = nullptr;
    ASlider::Dispose();
}

AObject* AThinSlider::Copy() {
    auto* c = static_cast<AThinSlider*>(ASlider::Copy());
    c->doesActivate = doesActivate;
    c->activateProc = activateProc;
    c->deltaProc = deltaProc;
    c->textSize = textSize;
    c->thumbDisabled = thumbDisabled;
    return c;
}

// ---------------------------------------------------------------------------
// Settings

void AThinSlider::SetActivateProc(AThinSliderActivateProc proc) {
    activateProc = proc;
}
void AThinSlider::SetDeltaProc(AThinSliderDeltaProc proc) {
    deltaProc = proc ? proc : StandardDelta;
}
bool AThinSlider::DrawMinus() const {
    return drawMinus;
}
void AThinSlider::SetDrawMinus(bool on) {
    drawMinus = on;
    SetValueText();
}
void AThinSlider::SetDoesActivate(bool on) {
    doesActivate = on;
}

void AThinSlider::SetMargins(SInt16 left, SInt16 right) {
    leftMargin = std::max<SInt16>(left, 0);
    rightMargin = std::max<SInt16>(right, 0);
    InteriorChanged(GetInterior());
    if (IsVisible()) InvalInterior();
}

void AThinSlider::SetDrawTextBelow(bool on) {
    drawTextBelow = on;
    SetMargins(0, 0);
}

void AThinSlider::SetThumbDisabled(bool on) {
    if (on == thumbDisabled) return;
    thumbDisabled = on;
    RedrawThumbNow();
}

void AThinSlider::SetNoText(bool on) {
    if (!on) return;
    delete valueText;
    valueText = nullptr;
    AddLabel(nullptr, kLabelNone);
    if (IsVisible()) InvalInterior();
}

void AThinSlider::SetFloatingPoint(bool on) {
    ASlider::SetFloatingPoint(on);
    if (!on) return;
    const double m = std::max(std::fabs(GetMin_Visible()), std::fabs(GetMax_Visible()));
    if (m > 999)
        keyDownBufferMax = 5;
    else if (m > 99)
        keyDownBufferMax = 4;
    SetValueText();
}

void AThinSlider::SetBkndColor(const KsRGBColor& c) {
    ASlider::SetBkndColor(c);
    if (IsVisible()) InvalInterior();
}

// ---------------------------------------------------------------------------
// Texts

void AThinSlider::SetValueInternal(double v) {
    ASlider::SetValueInternal(v);
    SetValueText();
}

void AThinSlider::SetValueText() {
    if (!valueText) return;
    char text[64];
    if (!floatingPoint) {
        // Half away from zero, kept inside the 32-bit range.
        std::snprintf(text, sizeof text, "%ld", long(SliderLong(std::round(value))));
    } else {
        const double a = std::fabs(inc);
        const int digits = a >= 0.1 ? 1 : a >= 0.01 ? 2 : a >= 0.001 ? 3 : 6;
        std::snprintf(text, sizeof text, "%5.*f", digits, value);
    }
    if (!drawMinus)
        if (char* minus = std::strchr(text, '-')) *minus = ' ';
    valueText->SetText(text);
}

void AThinSlider::UpdateValueText() {
    SetValueText();
    StSliderDrawing d(this, ValueArea());
    if (d.Ready()) DrawBody();
}

void AThinSlider::UpdateLabelText() {
    StSliderDrawing d(this, LabelArea());
    if (d.Ready()) DrawBody();
}

void AThinSlider::RedrawValue() {
    ASlider::RedrawValue();
    StClipSaver clip;
    const KsRect c = ValueArea().Intersect(ToKsRect((*clip.Saved())->rgnBBox));
    const Rect cr = ToRect(c);
    ClipRect(&cr);
    DrawBody();
}

// ---------------------------------------------------------------------------
// Layout

SInt16 AThinSlider::TextRowHeight() const {
    return SInt16(textSize + 5);
}

KsRect AThinSlider::TrackArea() const {
    KsRect t = GetInterior();
    if (drawTextBelow && (valueText || label)) {
        t.bottom = std::max(t.top, t.bottom - TextRowHeight());
        return t;
    }
    if (horizontal) {
        t.left += leftMargin;
        t.right -= rightMargin;
    } else {
        t.top += leftMargin;
        t.bottom -= rightMargin;
    }
    if (t.right < t.left) t.right = t.left;
    if (t.bottom < t.top) t.bottom = t.top;
    return t;
}

KsRect AThinSlider::LabelArea() const {
    const KsRect in = GetInterior(), t = TrackArea();
    if (drawTextBelow) return {in.left, t.bottom, (in.left + in.right) / 2, in.bottom};
    if (horizontal) return {in.left, in.top, std::max(in.left, t.left - kTextGap), in.bottom};
    return {in.left, in.top, in.right, t.top};
}

KsRect AThinSlider::ValueArea() const {
    const KsRect in = GetInterior(), t = TrackArea();
    if (drawTextBelow) return {(in.left + in.right) / 2, t.bottom, in.right, in.bottom};
    if (horizontal) return {std::min(in.right, t.right + kTextGap), in.top, in.right, in.bottom};
    return {in.left, t.bottom, in.right, in.bottom};
}

void AThinSlider::SetThumbRect() {
    ASlider::SetThumbRect();
    const SInt32 side = std::min<SInt32>(thumbRect.right, kMaxThumb);
    thumbRect = {0, 0, side, side};
}

// The thumb is rebuilt only when its size can have changed.
void AThinSlider::InteriorChanged(const KsRect& in) {
    const SInt32 oldSide = thumbRect.Width();
    ABaseSlider::InteriorChanged(in);
    if (in.Width() <= 0 || in.Height() <= 0) return;
    horizontal = in.Width() > in.Height();
    SetThumbRect();
    if (thumbPM && thumbRect.Width() == oldSide) return;
    DisposePMs();
    MakeThumbPM();
}

// ---------------------------------------------------------------------------
// Enabling and focus

void AThinSlider::SetEnabled(bool on) {
    if (on == enabled) return;
    if (!on && active) Deactivate();
    enabled = on;
    canBeTabbedTo = on;
    if (IsVisible()) InvalInterior();
}

void AThinSlider::SetEnabled2(bool on, bool redrawNow) {
    if (on == enabled) return;
    if (!on && active) Deactivate();
    enabled = on;
    canBeTabbedTo = on;
    if (on && redrawNow) active = false;
    if (redrawNow && IsVisible()) InvalInterior();
}

void AThinSlider::RedrawThumbNow() {
    MakeThumbPM();
    StSliderDrawing d(this, TrackArea());
    if (!d.Ready()) return;
    EraseThumb();
    DrawThumb();
}

void AThinSlider::Activate() {
    if (!doesActivate || active) return;
    active = true;
    RedrawThumbNow();
    if (activateProc) activateProc(this, true);
    if (AWindow* w = GetEnclWindow()) w->SetActivePane(this);
}

void AThinSlider::Deactivate() {
    if (!active) return;
    active = false;
    RedrawThumbNow();
    BufferToFinalValueText();
    if (AWindow* w = GetEnclWindow(); w && w->GetActivePane() == this) w->SetActivePane(nullptr);
    if (activateProc) activateProc(this, false);
}

void AThinSlider::DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) {
    if (enabled && !displayOnly) {
        Activate();
        if (AWindow* w = GetEnclWindow(); w && active) w->SetTargetPane(this);
    }
    keyDownCount = -1;
    keyDownBuffer[0] = 0;
    ASlider::DoClick(pt, modifiers, when, data);
}
