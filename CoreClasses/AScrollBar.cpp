// AScrollBar: set-up, value, limits, scale, geometry and persistence. Clicks
// live in AScrollBarClick.cpp, drawing in AScrollBarDraw.cpp.
#include "AScrollBar.h"

#include "AScrollablePane.h"
#include "AStream.h"
#include "AWindow.h"
#include "CoreAttrList.h"
#include "KsDrawUtils.h"
#include "KsHandle.h"
#include "KsPortSavers.h"
#include "KsScrollMath.h"
#include "PaneStream.h"
#include "Resources.h"

#include <algorithm>

namespace {
constexpr SInt16 S = kPaneDontCare;
constexpr OSType kSICN = FourCharCode("SICN");

APortable* MakeScrollBar() {
    return new AScrollBar;
}
void AddGadgetProps(APane* p, CoreAttrList* l) {
    static_cast<AGadget*>(p)->AddGadgetPropsToList(l);
}
void GetGadgetProps(APane* p, CoreAttrList* l) {
    static_cast<AGadget*>(p)->GetGadgetPropsFromList(l);
}
void AddBarProps(APane* p, CoreAttrList* l) {
    static_cast<AScrollBar*>(p)->AddPropsToList(l);
}
void GetBarProps(APane* p, CoreAttrList* l) {
    static_cast<AScrollBar*>(p)->GetPropsFromList(l);
}

// Registered with the library, so that streams, Copy and the property text
// find the class.
const bool kRegistered = (AScrollBar::PCRegister(), true);
} // namespace

void AScrollBar::PCRegister() {
    PClassAdd(kClassID, kClassInfo.name, MakeScrollBar);
    PaneTextClass row;
    row.name = "AScrollBar";
    row.make = [] { return static_cast<APane*>(new AScrollBar); };
    row.addProps = {[](APane* p, CoreAttrList* l) { p->AddPropsToList(l); }, AddGadgetProps,
                    AddBarProps};
    row.getProps = {[](APane* p, CoreAttrList* l) { p->GetPropsFromList(l); }, GetGadgetProps,
                    GetBarProps};
    row.subs = PaneTextSubs::none;
    PaneTextRegisterClass(row);
}

AScrollBar* AScrollBar::New(APane* encl, AScrollablePane* controlled, SInt16 left, SInt16 right,
                            SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei, const KsRGBColor& color,
                            SInt32 border) {
    auto* b = new AScrollBar;
    try {
        b->IScrollBar(encl, controlled, left, right, wid, top, bot, hei, color, border);
    } catch (...) {
        b->Dispose();
        throw;
    }
    return b;
}

AScrollBar::AScrollBar() = default;

void AScrollBar::IScrollBar(APane* encl, AScrollablePane* controlled, SInt16 left, SInt16 right,
                            SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei, const KsRGBColor& color,
                            SInt32 borderStyle) {
    // A bar given no length along an axis gets the default one.
    if (left == S && right == 0 && wid == 0) wid = kDefaultLength;
    if (top == S && bot == 0 && hei == 0) hei = kDefaultLength;
    IGadget(encl, left, right, wid, top, bot, hei, color, borderStyle);
    controlledPane = controlled;
    const KsRect in = GetInterior();
    vertical = in.Height() > in.Width();
    thumbColor = ScaleRGBIntensity(color, 50, 100);
    outlineColor = RGBblack;
    SetIcons();
    UpdateThumbWidth();
    SetEnabled(false); // an empty range until the first SetMinMaxVal
}

void AScrollBar::Dispose() {
    DisposeIcons();
    AGadget::Dispose();
}

void AScrollBar::DisposeIcons() {
    for (Handle& h : icons) {
        KsDisposeHandle(h);
        h = nullptr;
    }
}

void AScrollBar::SetIcons() {
    DisposeIcons();
    auto load = [](SInt16 id) -> Handle {
        Handle h = GetResource(kSICN, id);
        return h ? KsCopyHand(h) : nullptr;
    };
    const SInt16 arrows = vertical ? kArrowIconV : kArrowIconH;
    icons[0] = load(arrows);
    icons[1] = load(SInt16(arrows + 1));
    if (scaleEnabled) {
        const SInt16 scale = vertical ? kScaleIconV : kScaleIconH;
        icons[2] = load(scale);
        icons[3] = load(SInt16(scale + 1));
    }
}

// ---------------------------------------------------------------------------
// Procedures and settings

void AScrollBar::SetScrollCB(AScrollBarProc proc, void* data) {
    scrollProc = proc;
    scrollData = data;
}

void AScrollBar::SetScaleCB(AScrollBarScaleProc proc, void* data) {
    scaleProc = proc;
    scaleData = data;
}

void AScrollBar::SetStep(SInt32 s) {
    step = KsScroll::SaneIncr(s);
}
void AScrollBar::SetPageStep(SInt32 s) {
    pageStep = KsScroll::SaneIncr(s);
}
void AScrollBar::SetDragStep(SInt32 s) {
    dragStep = KsScroll::SaneIncr(s);
}
void AScrollBar::SetThumbContinuousScroll(bool on) {
    thumbContinuous = on;
}

void AScrollBar::SetScrollEnabled(bool on) {
    if (on == scrollEnabled) return;
    scrollEnabled = on;
    if (IsVisible()) Inval();
}

void AScrollBar::SetControlledPane(AScrollablePane* pane) {
    controlledPane = pane;
    if (UpdateThumbWidth()) RedrawThumbArea();
}

void AScrollBar::SetThumbWidth(SInt16 length) {
    thumbLength = std::max<SInt32>(length, 0);
    UpdateThumbWidth();
    RedrawThumbArea();
}

void AScrollBar::SetButtonWidth(SInt16 length) {
    buttonLength = buttonLength2 = std::max<SInt16>(length, 0);
    UpdateThumbWidth();
    if (IsVisible()) Inval();
}

void AScrollBar::SetIsVertical(bool on) {
    if (on == vertical) return;
    vertical = on;
    SetIcons();
    UpdateThumbWidth();
    if (IsVisible()) Inval();
}

bool AScrollBar::IsVertical() const {
    return vertical;
}

// ---------------------------------------------------------------------------
// Value, limits and scale

SInt32 AScrollBar::GetValue() const {
    return value;
}

bool AScrollBar::SetValue(SInt32 v) {
    v = KsScroll::Clamp(v, minValue, maxValue);
    const bool changed = v != value;
    value = v;
    const bool thumbChanged = UpdateThumbWidth();
    if (changed || thumbChanged) RedrawThumbArea();
    return changed;
}

void AScrollBar::SetMin(SInt32 v) {
    if (v == minValue) return;
    minValue = v;
    SetEnabled(scaleEnabled || minValue < maxValue);
    value = KsScroll::Clamp(value, minValue, maxValue);
    UpdateThumbWidth();
    RedrawThumbArea();
}

void AScrollBar::SetMax(SInt32 v) {
    if (v == maxValue) return;
    maxValue = v;
    SetEnabled(scaleEnabled || minValue < maxValue);
    value = KsScroll::Clamp(value, minValue, maxValue);
    UpdateThumbWidth();
    RedrawThumbArea();
}

void AScrollBar::SetMinMaxVal(SInt32 min, SInt32 max, SInt32 val) {
    SetMin(min);
    SetMax(max);
    SetValue(val);
}

void AScrollBar::SetScale(double v, double min, double max) {
    const bool wasEnabled = scaleEnabled;
    scaleEnabled = true;
    scaleMin = std::min(min, max);
    scaleMax = std::max(min, max);
    scaleValue = std::clamp(v, scaleMin, scaleMax);
    if (!wasEnabled) SetIcons();
    SetEnabled(true);
    UpdateThumbWidth();
    RedrawThumbArea();
}

void AScrollBar::DoScroll(SInt32 delta, bool notify) {
    const SInt32 old = value;
    SetValue(KsScroll::Clamp(SInt64(value) + delta, minValue, maxValue));
    if (value == old || delta == 0 || !notify || !scrollProc) return;
    // The pane moves by what the bar moved: a clamped delta, not the asked one.
    scrollProc(KsScroll::SaturatedDelta(old, SInt64(value) - old), this, scrollData);
}

void AScrollBar::DoScale(double v, bool notify) {
    v = std::clamp(v, scaleMin, scaleMax);
    if (v == scaleValue) return;
    scaleValue = v;
    UpdateThumbWidth();
    RedrawThumbArea();
    if (notify && scaleProc) scaleProc(v, this, scaleData);
}

bool AScrollBar::UpdateThumbWidth() {
    SInt32 ts = 0, te = 0;
    TrackSpan(&ts, &te);
    const SInt32 track = std::max<SInt32>(te - ts, 0);
    SInt32 len = thumbLength;
    if (controlledPane) {
        const KsRect r = controlledPane->GetScrollableRect();
        len = KsScroll::ThumbLength(track, minValue, maxValue, vertical ? r.Height() : r.Width());
    } else if (scaleEnabled) {
        const double span = scaleMax - scaleMin;
        const double f = span > 0 ? (scaleValue - scaleMin) / span : 1.0;
        len = SInt32(f * track);
    } else if (len <= 0 || len > track) {
        // No length set, or one that does not fit.
        len = KsScroll::kMinThumb;
    }
    // Room for both handles and a grip between them.
    if (scaleEnabled) len = std::max<SInt32>(len, 2 * scaleHandleLength + KsScroll::kMinThumb);
    len = std::clamp<SInt32>(len, 0, track);
    const bool changed = len != thumbLength;
    thumbLength = len;
    return changed;
}

// ---------------------------------------------------------------------------
// Geometry

void AScrollBar::AxisSpan(SInt32* start, SInt32* end) const {
    const KsRect in = GetInterior();
    *start = vertical ? in.top : in.left;
    *end = vertical ? in.bottom : in.right;
}

void AScrollBar::TrackSpan(SInt32* start, SInt32* end) const {
    AxisSpan(start, end);
    *start += buttonLength;
    *end -= buttonLength2;
    if (*end < *start) *end = *start;
}

KsRect AScrollBar::SpanRect(SInt32 start, SInt32 end) const {
    const KsRect in = GetInterior();
    return vertical ? KsRect{in.left, start, in.right, end} : KsRect{start, in.top, end, in.bottom};
}

KsRect AScrollBar::GetUpButtonRect() const {
    SInt32 a = 0, b = 0;
    AxisSpan(&a, &b);
    return SpanRect(a, std::min<SInt32>(a + buttonLength, b));
}

KsRect AScrollBar::GetDownButtonRect() const {
    SInt32 a = 0, b = 0;
    AxisSpan(&a, &b);
    return SpanRect(std::max<SInt32>(b - buttonLength2, a), b);
}

KsRect AScrollBar::GetThumbAreaRect() const {
    SInt32 a = 0, b = 0;
    TrackSpan(&a, &b);
    return SpanRect(a, b);
}

SInt32 AScrollBar::ValueToPoint(SInt32 v) const {
    SInt32 a = 0, b = 0;
    TrackSpan(&a, &b);
    return KsScroll::ValueToThumb(v, minValue, maxValue, a, b, thumbLength);
}

KsRect AScrollBar::GetThumbRect(SInt32 v) const {
    const SInt32 start = ValueToPoint(v);
    return SpanRect(start, start + thumbLength);
}

SInt32 AScrollBar::FindValue(KsPoint pt) const {
    SInt32 a = 0, b = 0;
    TrackSpan(&a, &b);
    return KsScroll::ThumbToValue(Along(pt), minValue, maxValue, a, b, thumbLength);
}

double AScrollBar::FindScale(KsPoint pt, SInt16 part) const {
    SInt32 a = 0, b = 0;
    TrackSpan(&a, &b);
    const SInt32 start = ValueToPoint(value);
    const SInt32 distance =
        part == kSBarScaleLeading ? start + thumbLength - Along(pt) : Along(pt) - start;
    return KsScroll::ScaleFromDistance(distance, b - a, scaleMin, scaleMax);
}

SInt16 AScrollBar::FindPart(KsPoint pt, KsRect* rect) const {
    const KsRect in = GetInterior();
    // Edges count as inside, as for every pane's hit test.
    if (pt.h < in.left || pt.h > in.right || pt.v < in.top || pt.v > in.bottom) return kSBarNoPart;
    const SInt32 at = Along(pt);
    auto answer = [rect](SInt16 part, const KsRect& r) {
        if (rect) *rect = r;
        return part;
    };
    const KsRect up = GetUpButtonRect(), down = GetDownButtonRect();
    if (at < (vertical ? up.bottom : up.right)) return answer(kSBarUpButton, up);
    if (at >= (vertical ? down.top : down.left)) return answer(kSBarDownButton, down);
    const KsRect area = GetThumbAreaRect();
    if (thumbLength <= 0 || (!scaleEnabled && minValue >= maxValue)) return kSBarNoPart;
    const SInt32 start = ValueToPoint(value), end = start + thumbLength;
    if (at < start) return answer(kSBarPageUp, SpanRect(vertical ? area.top : area.left, start));
    if (at >= end) return answer(kSBarPageDown, SpanRect(end, vertical ? area.bottom : area.right));
    if (scaleEnabled) {
        if (at < start + scaleHandleLength)
            return answer(kSBarScaleLeading, SpanRect(start, start + scaleHandleLength));
        if (at >= end - scaleHandleLength)
            return answer(kSBarScaleTrailing, SpanRect(end - scaleHandleLength, end));
    }
    return answer(kSBarThumb, SpanRect(start, end));
}

void AScrollBar::InteriorChanged(const KsRect& in) {
    AGadget::InteriorChanged(in);
    if (UpdateThumbWidth()) RedrawThumbArea();
}

void AScrollBar::Dawdle(KsPoint, SInt16, SInt32*, SInt16* cursorID, void*) {
    if (cursorID) *cursorID = -1;
}

// ---------------------------------------------------------------------------
// Persistence

void AScrollBar::Put(AStream& s) {
    (void)kRegistered;
    AGadget::Put(s);
    s.PutClassMark(kClassID, kVersion);
    s.PutBool("scrollEnabled", scrollEnabled);
    s.PutBool("thumbContinuous", thumbContinuous);
    s.PutLong("value", value);
    s.PutDouble("scaleValue", scaleValue);
    s.PutDouble("scaleMin", scaleMin);
    s.PutDouble("scaleMax", scaleMax);
    s.PutBool("scaleEnabled", scaleEnabled);
    s.PutLong("minValue", minValue);
    s.PutLong("maxValue", maxValue);
    s.PutLong("step", step);
    s.PutLong("pageStep", pageStep);
    s.PutLong("dragStep", dragStep);
    s.PutLong("thumbLength", thumbLength);
    s.PutShort("scaleHandleLength", scaleHandleLength);
    s.PutShort("buttonLength", buttonLength);
    s.PutShort("buttonLength2", buttonLength2);
    s.PutShort("strayDistance", strayDistance);
    s.PutBool("vertical", vertical);
    s.PutObjectRef("controlledPane", controlledPane);
    s.PutColor("thumbColor", thumbColor.red, thumbColor.green, thumbColor.blue);
    s.PutColor("outlineColor", outlineColor.red, outlineColor.green, outlineColor.blue);
}

void AScrollBar::Get(AStream& s) {
    AGadget::Get(s);
    s.GetClassMark(kClassID, 1, kVersion);
    scrollEnabled = s.GetBool("scrollEnabled");
    thumbContinuous = s.GetBool("thumbContinuous");
    const SInt32 v = s.GetLong("value");
    const double sv = s.GetDouble("scaleValue");
    const double smin = s.GetDouble("scaleMin");
    const double smax = s.GetDouble("scaleMax");
    scaleEnabled = s.GetBool("scaleEnabled");
    minValue = s.GetLong("minValue");
    maxValue = s.GetLong("maxValue");
    value = KsScroll::Clamp(v, minValue, maxValue);
    // NaNs and inverted limits from a damaged record become a plain range.
    scaleMin = smin == smin ? smin : 0.0;
    scaleMax = smax == smax ? std::max(smax, scaleMin) : scaleMin;
    scaleValue = sv == sv ? std::clamp(sv, scaleMin, scaleMax) : scaleMin;
    step = KsScroll::SaneIncr(s.GetLong("step"));
    pageStep = KsScroll::SaneIncr(s.GetLong("pageStep"));
    dragStep = KsScroll::SaneIncr(s.GetLong("dragStep"));
    thumbLength = std::max<SInt32>(s.GetLong("thumbLength"), 0);
    scaleHandleLength = std::max<SInt16>(s.GetShort("scaleHandleLength"), 0);
    buttonLength = std::max<SInt16>(s.GetShort("buttonLength"), 0);
    buttonLength2 = std::max<SInt16>(s.GetShort("buttonLength2"), 0);
    strayDistance = std::max<SInt16>(s.GetShort("strayDistance"), 0);
    vertical = s.GetBool("vertical");
    APortable* pane = s.GetObjectRef("controlledPane");
    controlledPane = pane && pane->IsInstanceOf("AScrollablePane")
                         ? static_cast<AScrollablePane*>(pane)
                         : nullptr;
    s.GetColor("thumbColor", &thumbColor.red, &thumbColor.green, &thumbColor.blue);
    s.GetColor("outlineColor", &outlineColor.red, &outlineColor.green, &outlineColor.blue);
    SetIcons();
    UpdateThumbWidth();
}

void AScrollBar::AddPropsToList(CoreAttrList* l) {
    l->SetSInt32("sbVert", vertical);
    l->SetSInt32("sbMin", minValue);
    l->SetSInt32("sbMax", maxValue);
    l->SetSInt32("sbValue", value);
    l->SetSInt32("sbStep", step);
    l->SetSInt32("sbPage", pageStep);
    l->SetSInt32("sbDrag", dragStep);
    l->SetSInt32("sbCont", thumbContinuous);
}

void AScrollBar::GetPropsFromList(CoreAttrList* l) {
    vertical = l->GetSInt32("sbVert", 0) != 0;
    minValue = l->GetSInt32("sbMin", 0);
    maxValue = l->GetSInt32("sbMax", 0);
    value = KsScroll::Clamp(l->GetSInt32("sbValue", 0), minValue, maxValue);
    step = KsScroll::SaneIncr(l->GetSInt32("sbStep", 1));
    pageStep = KsScroll::SaneIncr(l->GetSInt32("sbPage", 10));
    dragStep = KsScroll::SaneIncr(l->GetSInt32("sbDrag", 1));
    thumbContinuous = l->GetSInt32("sbCont", 1) != 0;
    thumbColor = ScaleRGBIntensity(bkgdColor, 50, 100);
    outlineColor = RGBblack;
    SetIcons();
    UpdateThumbWidth();
}
