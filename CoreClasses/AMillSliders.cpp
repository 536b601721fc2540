// ATreadMill and AWindMill: set-up, drawing, dragging and persistence.
#include "AMillSliders.h"

#include "ASliderPrivate.h"
#include "AStream.h"
#include "Events.h"
#include "KsColorScheme.h"
#include "KsDrawUtils.h"
#include "QuickDraw.h"

#include <algorithm>
#include <cmath>

namespace {
APortable* MakeTreadMill() {
    return new ATreadMill;
}
APortable* MakeWindMill() {
    return new AWindMill;
}
const bool kRegistered = (ATreadMill::PCRegister(), AWindMill::PCRegister(), true);

constexpr double kPi = 3.14159265358979323846;

void Fill(const KsRect& r, const KsRGBColor& c) {
    const RGBColor rgb = ToRGBColor(c);
    RGBForeColor(&rgb);
    const Rect rr = ToRect(r);
    PaintRect(&rr);
}

KsRGBColor ButtonColor(const KsRGBColor& otherwise, bool lit) {
    KsRGBColor c = otherwise;
    if (GetColorSchemeAttr("CS_BUT_COLOR") != 0)
        GetSchemeColor("CS_BUT_COLOR_RED", "CS_BUT_COLOR_GREEN", "CS_BUT_COLOR_BLUE", &c);
    if (!lit) return c;
    KsRGBColor h = ScaleRGBIntensity(c, 140, 100);
    if (GetColorSchemeAttr("CS_BUT_HLT_COLOR") != 0)
        GetSchemeColor("CS_BUT_HLT_COLOR_RED", "CS_BUT_HLT_COLOR_GREEN", "CS_BUT_HLT_COLOR_BLUE",
                       &h);
    return h;
}

KsPoint MouseNow() {
    Point m{};
    GetMouse(&m);
    return {m.h, m.v};
}
} // namespace

// ===========================================================================
// ATreadMill

ATreadMill* ATreadMill::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                            SInt16 bot, SInt16 hei, double v, double lo, double hi,
                            const char* label, SInt16 fontSize) {
    auto* s = new ATreadMill;
    try {
        s->ITreadMill(encl, left, right, wid, top, bot, hei, v, lo, hi, label, fontSize);
    } catch (...) {
        s->Dispose();
        throw;
    }
    return s;
}

void ATreadMill::PCRegister() {
    RegisterThinSliderClass(kClassID, kClassInfo.name, MakeTreadMill,
                            [] { return static_cast<APane*>(new ATreadMill); });
}

void ATreadMill::ITreadMill(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                            SInt16 bot, SInt16 hei, double v, double lo, double hi,
                            const char* label, SInt16 fontSize) {
    IThinSlider(encl, left, right, wid, top, bot, hei, v, lo, hi, label, fontSize);
}

void ATreadMill::Put(AStream& s) {
    (void)kRegistered;
    AThinSlider::Put(s);
    s.PutClassMark(kClassID, kVersion);
}

void ATreadMill::Get(AStream& s) {
    AThinSlider::Get(s);
    s.GetClassMark(kClassID, 1, kVersion);
}

SInt32 ATreadMill::RibPhase() const {
    const double step = inc > 0 ? inc : 1.0;
    const double n = std::round((value - GetMin()) / step);
    if (!std::isfinite(n)) return 0;
    const double r = std::fmod(n, double(kRibPitch));
    return SInt32(r < 0 ? r + kRibPitch : r);
}

void ATreadMill::DrawBody() {
    StColorPenSaver pen;
    Fill(GetInterior(), GetBkndColor());
    DrawTexts();
    DrawThumb();
}

void ATreadMill::EraseThumb() {}

// The belt: a sunken strip whose ribs sit RibPhase() pixels along.
void ATreadMill::DrawThumb() {
    const KsRect t = TrackArea();
    if (t.IsEmpty()) return;
    StColorPenSaver pen;
    const KsRGBColor face = ButtonColor(thumbColor, active);
    Fill(t, enabled ? face : AverageRGB(face, GetBkndColor(), 0.6));
    TwoColoredBevelFrame(t, ScaleRGBIntensity(face, 50, 100), ScaleRGBIntensity(face, 150, 100));
    if (enabled) {
        const KsRGBColor rib = ScaleRGBIntensity(face, 60, 100);
        const KsRect in = t.Insetted(1, 1);
        const SInt32 start = horizontal ? in.left : in.top, end = horizontal ? in.right : in.bottom;
        for (SInt32 at = start + RibPhase(); at < end; at += kRibPitch)
            Fill(horizontal ? KsRect{at, in.top, at + 2, in.bottom}
                            : KsRect{in.left, at, in.right, at + 2},
                 rib);
    }
    SetOldValues();
}

// Each pixel the belt is dragged moves the value by one increment, toward
// the maximum to the right or upward.
bool ATreadMill::TrackGad(SInt32, KsPoint pt, SInt16, SInt32, void* data) {
    const double step = inc != 0 ? inc : 1.0;
    KsPoint last = pt;
    for (;;) {
        const bool down = StillDown();
        const KsPoint m = MouseNow();
        const SInt32 d = horizontal ? m.h - last.h : last.v - m.v;
        if (d != 0) FollowValue(value + d * step, data);
        last = m;
        if (!down) break;
    }
    return true;
}

// ===========================================================================
// AWindMill

AWindMill* AWindMill::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                          SInt16 bot, SInt16 hei, double v, double lo, double hi, const char* label,
                          SInt16 fontSize) {
    auto* s = new AWindMill;
    try {
        s->IWindMill(encl, left, right, wid, top, bot, hei, v, lo, hi, label, fontSize);
    } catch (...) {
        s->Dispose();
        throw;
    }
    return s;
}

void AWindMill::PCRegister() {
    RegisterThinSliderClass(kClassID, kClassInfo.name, MakeWindMill,
                            [] { return static_cast<APane*>(new AWindMill); });
}

void AWindMill::IWindMill(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                          SInt16 bot, SInt16 hei, double v, double lo, double hi, const char* label,
                          SInt16 fontSize) {
    IThinSlider(encl, left, right, wid, top, bot, hei, v, lo, hi, label, fontSize);
}

void AWindMill::Put(AStream& s) {
    (void)kRegistered;
    AThinSlider::Put(s);
    s.PutClassMark(kClassID, kVersion);
}

void AWindMill::Get(AStream& s) {
    AThinSlider::Get(s);
    s.GetClassMark(kClassID, 1, kVersion);
}

KsRect AWindMill::GetBodyRect() const {
    const KsRect t = TrackArea();
    const SInt32 side = std::max<SInt32>(std::min(t.Width(), t.Height()), 0);
    const SInt32 h = (t.left + t.right - side) / 2, v = (t.top + t.bottom - side) / 2;
    return {h, v, h + side, v + side};
}

double AWindMill::ValueToAngle(double v) const {
    const double lo = GetMin_Visible(), hi = GetMax_Visible();
    if (!(hi > lo) || std::isnan(v)) return -kSweep;
    const double f = std::clamp((v - lo) / (hi - lo), 0.0, 1.0);
    return -kSweep + f * 2 * kSweep;
}

double AWindMill::PointToValue(KsPoint pt) const {
    const KsRect b = GetBodyRect();
    const double dx = pt.h - (b.left + b.right) / 2.0, dy = (b.top + b.bottom) / 2.0 - pt.v;
    if (dx == 0 && dy == 0) return value;
    const double angle = std::clamp(std::atan2(dx, dy) * 180.0 / kPi, -kSweep, kSweep);
    const double lo = GetMin_Visible(), hi = GetMax_Visible();
    const double v = lo + (angle + kSweep) / (2 * kSweep) * (hi - lo);
    return floatingPoint ? v : std::round(v);
}

void AWindMill::DrawBody() {
    StColorPenSaver pen;
    Fill(GetInterior(), GetBkndColor());
    DrawTexts();
    DrawThumb();
}

void AWindMill::EraseThumb() {}

// The knob: a disc with a pointer from its centre toward the value.
void AWindMill::DrawThumb() {
    const KsRect b = GetBodyRect();
    if (b.Width() < 4) return;
    StColorPenSaver pen;
    Fill(b, GetBkndColor());
    const KsRGBColor face = ButtonColor(thumbColor, active);
    const RGBColor disc = ToRGBColor(enabled ? face : AverageRGB(face, GetBkndColor(), 0.6));
    RGBForeColor(&disc);
    const Rect br = ToRect(b);
    PaintOval(&br);
    const RGBColor rim = ToRGBColor(ScaleRGBIntensity(face, 50, 100));
    RGBForeColor(&rim);
    FrameOval(&br);
    if (enabled) {
        const double a = ValueToAngle(value) * kPi / 180.0;
        const double r = b.Width() / 2.0 - 2;
        const SInt32 cx = (b.left + b.right) / 2, cy = (b.top + b.bottom) / 2;
        PenSize(2, 2);
        MoveTo(SInt16(cx - 1), SInt16(cy - 1));
        LineTo(SInt16(cx - 1 + std::lround(r * std::sin(a))),
               SInt16(cy - 1 - std::lround(r * std::cos(a))));
    }
    SetOldValues();
}

bool AWindMill::TrackGad(SInt32, KsPoint pt, SInt16, SInt32, void* data) {
    FollowValue(PointToValue(pt), data);
    for (;;) {
        const bool down = StillDown();
        FollowValue(PointToValue(MouseNow()), data);
        if (!down) break;
    }
    return true;
}
