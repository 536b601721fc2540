// ASlider: set-up, the value model, limits and the mapping between values and
// points. Drawing lives in ASliderDraw.cpp, clicks in ASliderClick.cpp.
#include "ASlider.h"

#include "ASliderPrivate.h"
#include "KsNumbers.h"

#include <algorithm>
#include <cmath>
#include <limits>

SInt32 SliderLong(double v) {
    if (std::isnan(v)) return 0;
    if (v >= double(std::numeric_limits<SInt32>::max())) return std::numeric_limits<SInt32>::max();
    if (v <= double(std::numeric_limits<SInt32>::min())) return std::numeric_limits<SInt32>::min();
    return SInt32(v);
}

ASlider* ASlider::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top, SInt16 bot,
                      SInt16 hei, double v, double lo, double hi) {
    auto* s = new ASlider;
    try {
        s->ISlider(encl, left, right, wid, top, bot, hei, v, lo, hi);
    } catch (...) {
        s->Dispose();
        throw;
    }
    return s;
}

ASlider::ASlider() : thumbColor(RGBgray8) {}

ASlider::~ASlider() {
    DisposeGWorld(thumbPM);
}

void ASlider::ISlider(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top, SInt16 bot,
                      SInt16 hei, double v, double lo, double hi) {
    IGadget(encl, left, right, wid, top, bot, hei, RGBgray4, 2);
    min = lo;
    max = std::max(lo, hi);
    value = oldValue = Clamped(v);
    inc = 1.0;
    const KsRect in = GetInterior();
    horizontal = in.Width() > in.Height();
    SetBkndColor(RGBgray4);
}

void ASlider::Dispose() {
    DisposePMs();
    ABaseSlider::Dispose();
}

// The stream carries the record; the settings it leaves out follow here. The
// copy builds its own thumb.
AObject* ASlider::Copy() {
    auto* c = static_cast<ASlider*>(ABaseSlider::Copy());
    c->motionThreshold = motionThreshold;
    c->notifyIfNotChanged = notifyIfNotChanged;
    c->alwaysTrackInc = alwaysTrackInc;
    c->enabled = enabled;
    c->trackHook = trackHook;
    c->DisposePMs();
    c->MakeThumbPM();
    return c;
}

// ---------------------------------------------------------------------------
// Values

double ASlider::GetValue() const {
    return value;
}
double ASlider::GetOldValue() const {
    return oldValue;
}
void ASlider::SetOldValue(double v) {
    oldValue = v;
}
void ASlider::SetOldValues() {
    oldValue = value;
    oldMin = min;
    oldMax = max;
    oldVisMin = visMin;
    oldVisMax = visMax;
}
void ASlider::SetValueInternal(double v) {
    value = v;
}

double ASlider::Clamped(double v) const {
    if (std::isnan(v)) return GetMin();
    return std::clamp(v, GetMin(), std::max(GetMin(), GetMax()));
}

void ASlider::SetValue(double v) {
    if (v == GetValue()) return;
    // Pushing against the limit the value already sits at changes nothing.
    if ((GetValue() == GetMax() && v > GetMax()) || (GetValue() == GetMin() && v < GetMin()))
        return;
    SetValueInternal(Clamped(v));
    if (!IsVisible()) return;
    {
        StSliderDrawing d(this);
        if (d.Ready()) RedrawValue();
    }
    CallTrackHook(value, nullptr);
}

void ASlider::SetValueNoUpdate(double v) {
    SetValueInternal(Clamped(v));
}

void ASlider::SetValueNoTrackHook(double v) {
    StNoTrackHook quiet(this);
    SetValue(v);
}

void ASlider::SetValueNoTrackHook2(double v, bool redraw) {
    StNoTrackHook quiet(this);
    if (redraw)
        SetValue(v);
    else
        ASlider::SetValueNoUpdate(v);
}

// ---------------------------------------------------------------------------
// Limits

void ASlider::GetMinMax(SInt32* lo, SInt32* hi) const {
    if (lo) *lo = SliderLong(GetMin());
    if (hi) *hi = SliderLong(GetMax());
}
void ASlider::GetMinMax_Double(double* lo, double* hi) const {
    if (lo) *lo = GetMin();
    if (hi) *hi = GetMax();
}
double ASlider::GetMin() const {
    return min;
}
double ASlider::GetMax() const {
    return max;
}
double ASlider::GetMin_Visible() const {
    return variableVisRange ? visMin : GetMin();
}
double ASlider::GetMax_Visible() const {
    return variableVisRange ? visMax : GetMax();
}

void ASlider::SetMinMax_Visible(double lo, double hi) {
    if (variableVisRange && lo == visMin && hi == visMax) return;
    variableVisRange = true;
    const double top = std::max(GetMin(), GetMax());
    visMin = std::isnan(lo) ? GetMin() : std::clamp(lo, GetMin(), top);
    visMax = std::isnan(hi) ? top : std::clamp(hi, GetMin(), top);
    StSliderDrawing d(this);
    if (!d.Ready()) return;
    EraseThumb();
    DrawThumb();
}

void ASlider::InitVariableVisRange(double lo, double hi) {
    visMin = lo;
    visMax = hi;
    variableVisRange = true;
}

void ASlider::SetInc(double v) {
    inc = v;
}
double ASlider::GetInc() const {
    return inc;
}

bool ASlider::SetLimits(double lo, double hi) {
    const bool changed = lo != min || hi != max;
    min = lo;
    max = hi;
    return changed;
}

// The new value always counts as a change: the thumb is redrawn where the
// new limits put it and the hook hears of it once, with the clamped value.
SInt32 ASlider::SetMinMax(double v, double lo, double hi) {
    min = std::isnan(lo) ? 0.0 : lo;
    max = std::isnan(hi) ? min : std::max(min, hi);
    SetValueInternal(Clamped(v));
    if (!IsVisible()) return 0;
    {
        StSliderDrawing d(this);
        if (d.Ready()) RedrawValue();
    }
    CallTrackHook(value, nullptr);
    return 0;
}

SInt32 ASlider::SetMinMaxNoTrackHook(double v, double lo, double hi) {
    StNoTrackHook quiet(this);
    return SetMinMax(v, lo, hi);
}

SInt32 ASlider::SetMinMaxNoTrackHook2(double v, double lo, double hi, bool redraw) {
    if (redraw) return SetMinMaxNoTrackHook(v, lo, hi);
    min = std::isnan(lo) ? 0.0 : lo;
    max = std::isnan(hi) ? min : std::max(min, hi);
    SetValueInternal(Clamped(v));
    return 0;
}

// ---------------------------------------------------------------------------
// Settings

void ASlider::SetTrackHook(ASliderTrackProc hook) {
    trackHook = hook;
}

void ASlider::CallTrackHook(double v, void* data) {
    if (!trackHook) return;
    StClipSaver clip;
    ++hookCalls;
    trackHook(v, this, data);
    firstProcPass = false;
    wasKeyInput = false;
}

void ASlider::SetSnapsBack(bool on) {
    snapsBack = on;
}
void ASlider::SetFloatingPoint(bool on) {
    floatingPoint = on;
}
bool ASlider::IsFirstProcPass() const {
    return firstProcPass;
}
void ASlider::SetFirstProcPass(bool on) {
    firstProcPass = on;
}
bool ASlider::WasKeyInput() const {
    return wasKeyInput;
}
void ASlider::SetWasKeyInput(bool on) {
    wasKeyInput = on;
}
void ASlider::SetNotifyIfNotChanged(bool on) {
    notifyIfNotChanged = on;
}
void ASlider::SetMotionThreshold(SInt32 pixels) {
    motionThreshold = std::max<SInt32>(pixels, 0);
}
SInt32 ASlider::GetMotionThreshold() const {
    return motionThreshold;
}
void ASlider::SetAlwaysTrackInc(bool on) {
    alwaysTrackInc = on;
}
bool ASlider::GetAlwaysTrackInc() const {
    return alwaysTrackInc;
}

void ASlider::SetThumbColor(const KsRGBColor& c) {
    thumbColor = c;
    InteriorChanged(GetInterior());
}

void ASlider::SetEnabled(bool on) {
    if (on == enabled) return;
    enabled = on;
    StSliderDrawing d(this);
    if (!d.Ready()) return;
    if (enabled)
        DrawThumb();
    else
        DrawInterior(nullptr, nullptr);
}

void ASlider::SetEnabled2(bool on, bool redrawNow) {
    if (on == enabled) return;
    enabled = on;
    if (!redrawNow) return;
    StSliderDrawing d(this);
    if (!d.Ready()) return;
    if (enabled)
        DrawThumb();
    else
        DrawInterior(nullptr, nullptr);
}

bool ASlider::GetEnabled() const {
    return enabled;
}

// ---------------------------------------------------------------------------
// Mapping and geometry

double ASlider::RangeMap(double x, double fromLo, double fromHi, double toLo, double toHi) const {
    if (floatingPoint) return mapDoubleFromTo(x, fromLo, fromHi, toLo, toHi);
    // mapFromTo answers toLo for an empty source range.
    return mapFromTo(SliderLong(x), SliderLong(fromLo), SliderLong(fromHi), SliderLong(toLo),
                     SliderLong(toHi));
}

KsRect ASlider::TrackArea() const {
    return GetInterior();
}

void ASlider::SetThumbRect() {
    const KsRect t = TrackArea();
    const SInt32 side = std::max<SInt32>(horizontal ? t.Height() : t.Width(), 0);
    thumbRect = {0, 0, side, side};
}

void ASlider::TravelSpan(SInt32* lo, SInt32* hi) const {
    const KsRect t = TrackArea();
    const SInt32 half = (horizontal ? thumbRect.Width() : thumbRect.Height()) / 2;
    *lo = (horizontal ? t.left : t.top) + half;
    *hi = std::max(*lo, (horizontal ? t.right : t.bottom) - half);
}

void ASlider::PtToValue(KsPoint pt, double* out, bool) const {
    SInt32 lo = 0, hi = 0;
    TravelSpan(&lo, &hi);
    const SInt32 p = std::clamp(horizontal ? pt.h : pt.v, lo, hi);
    *out = horizontal ? RangeMap(p, lo, hi, GetMin_Visible(), GetMax_Visible())
                      : RangeMap(p, hi, lo, GetMin_Visible(), GetMax_Visible());
}

void ASlider::ValueToPt(double v, KsPoint* pt, bool) const {
    SInt32 lo = 0, hi = 0;
    TravelSpan(&lo, &hi);
    const double vlo = GetMin_Visible(), vhi = GetMax_Visible();
    v = std::isnan(v) ? vlo : std::clamp(v, std::min(vlo, vhi), std::max(vlo, vhi));
    const KsRect t = TrackArea();
    const SInt32 along = horizontal ? SliderLong(RangeMap(v, vlo, vhi, lo, hi))
                                    : SliderLong(RangeMap(v, vlo, vhi, hi, lo));
    *pt = horizontal ? KsPoint{along, (t.top + t.bottom) / 2}
                     : KsPoint{(t.left + t.right) / 2, along};
}

void ASlider::FindThumbRect(KsRect* r, double v) const {
    KsPoint c{};
    ValueToPt(v, &c, false);
    *r = thumbRect.Offsetted(c.h - thumbRect.Width() / 2, c.v - thumbRect.Height() / 2);
}

void ASlider::FindOldThumbRect(KsRect* r) const {
    // The limits of the last drawing are put in place for the question only.
    auto* self = const_cast<ASlider*>(this);
    std::swap(self->min, self->oldMin);
    std::swap(self->max, self->oldMax);
    std::swap(self->visMin, self->oldVisMin);
    std::swap(self->visMax, self->oldVisMax);
    FindThumbRect(r, oldValue);
    std::swap(self->min, self->oldMin);
    std::swap(self->max, self->oldMax);
    std::swap(self->visMin, self->oldVisMin);
    std::swap(self->visMax, self->oldVisMax);
}

void ASlider::InteriorChanged(const KsRect& in) {
    ABaseSlider::InteriorChanged(in);
    if (in.Width() <= 0 || in.Height() <= 0) return;
    horizontal = in.Width() > in.Height();
    DisposePMs();
    MakeThumbPM();
}
