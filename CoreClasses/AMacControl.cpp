// AMacControl: value, limits, title, hilite, focus and keys shared by the
// standard controls; the stream record and the pane property text keys.
#include "AMacControl.h"

#include "AButtonsPrivate.h"
#include "AGadgetPrivate.h"
#include "APanePrivate.h"
#include "AStream.h"
#include "CoreAttrList.h"
#include "KsDrawUtils.h"
#include "KsPaneDump.h"
#include "KsPortSavers.h"
#include "KsTextUtils.h"
#include "PaneStream.h"
#include "QuickDraw.h"

#include <algorithm>

namespace {
APortable* MakeControl() {
    return new AMacControl;
}
APane* MakeControlPane() {
    return new AMacControl;
}
const bool kRegistered =
    (AMacControl::PCRegister(), TavikAddRegistration("AMacControl", AMacControl::PCRegister), true);
} // namespace

void AMacControl::RegisterControlClass(OSType classID, const char* name, APane* (*makePane)(),
                                       PClassFactory factory,
                                       void (*addProps)(APane*, CoreAttrList*),
                                       void (*getProps)(APane*, CoreAttrList*)) {
    PClassAdd(classID, name, factory);
    PaneTextClass row;
    row.name = name;
    row.make = makePane;
    // APane's keys, then AGadget's: the gadget row may not be registered yet.
    if (const PaneTextClass* pane = PaneTextFindClass("APane")) {
        row.addProps = pane->addProps;
        row.getProps = pane->getProps;
    }
    row.addProps.push_back(
        [](APane* p, CoreAttrList* l) { static_cast<AGadget*>(p)->AddGadgetPropsToList(l); });
    row.getProps.push_back(
        [](APane* p, CoreAttrList* l) { static_cast<AGadget*>(p)->GetGadgetPropsFromList(l); });
    row.addProps.push_back([](APane* p, CoreAttrList* l) {
        static_cast<AMacControl*>(p)->AddMacControlPropsToList(l);
    });
    row.getProps.push_back([](APane* p, CoreAttrList* l) {
        static_cast<AMacControl*>(p)->GetMacControlPropsFromList(l);
    });
    if (addProps) row.addProps.push_back(addProps);
    if (getProps) row.getProps.push_back(getProps);
    row.subs = PaneTextSubs::none;
    PaneTextRegisterClass(row);
}

void AMacControl::PCRegister() {
    RegisterControlClass(kClassID, kClassInfo.name, MakeControlPane, MakeControl);
}

AMacControl::AMacControl() {
    clickInLabel = true;
}

void AMacControl::IMacControl(APane* encl, const char* title, SInt16 left, SInt16 right, SInt16 wid,
                              SInt16 top, SInt16 bot, SInt16 hei, SInt32 value, SInt32 min,
                              SInt32 max) {
    (void)kRegistered;
    IGadget(encl, left, right, wid, top, bot, hei, encl ? encl->GetBkndColor() : RGBgray9,
            kBorderNone);
    SetInheritsBkgd(true, 0);
    SetFontSizeFace(1, 11, 0);
    clickInLabel = true;
    ctlMin = min;
    ctlMax = std::max(min, max);
    ctlValue = std::clamp(value, ctlMin, ctlMax);
    if (title) SetText(title);
}

// --- Value, limits, title, hilite ---------------------------------------------

void AMacControl::SetVal(SInt32 value) {
    value = std::clamp(value, ctlMin, ctlMax);
    if (value == ctlValue) return;
    ctlValue = value;
    Inval();
}

SInt32 AMacControl::GetVal() const {
    return ctlValue;
}

void AMacControl::SetMinMax(SInt32 min, SInt32 max) {
    ctlMin = min;
    ctlMax = std::max(min, max);
    const SInt32 kept = std::clamp(ctlValue, ctlMin, ctlMax);
    if (kept != ctlValue) ctlValue = kept;
    Inval();
}

void AMacControl::SetTitle(const char* title) {
    SetText(title ? title : "");
    Inval();
}

SInt32 AMacControl::GetTitle(char* buf, SInt32 len) const {
    return GetText(buf, len);
}

void AMacControl::SetHilite(SInt16 part) {
    if (part == ctlHilite) return;
    ctlHilite = part;
    RedrawControlNow();
}

SInt16 AMacControl::GetHilite() const {
    return ctlHilite;
}

SInt32 AMacControl::ClickChangesValue(SInt32 value) const {
    return value;
}

void AMacControl::HiliteGad() {
    SetHilite(1);
}

void AMacControl::DeliteGad() {
    SetHilite(0);
}

// --- Drawing -----------------------------------------------------------------

void AMacControl::RedrawControlNow() {
    StPaneWindowPort port(this);
    if (!port.ok()) {
        Inval();
        return;
    }
    const Rect vb = ToRect(GetVisBounds());
    ClipRect(&vb);
    Draw(nullptr, nullptr);
}

KsRGBColor AMacControl::TitleColor(const KsRGBColor& bkgd) const {
    KsRGBColor fg = RGBblack;
    AdjustFGColorContrast(&fg, bkgd);
    return GetEnabled() ? fg : AverageRGB(fg, bkgd, 0.4);
}

void AMacControl::DrawDetail(const KsRect&, const KsRGBColor& bkgd, void*) {
    DrawControl(GetBounds(), bkgd);
    if (!active) return;
    // The focus: a frame in the lit colour just inside the bounds.
    StColorPenSaver saver;
    const RGBColor c = ToRGBColor(GetForeColor());
    RGBForeColor(&c);
    const Rect r = ToRect(GetBounds());
    FrameRect(&r);
}

void AMacControl::DrawControl(const KsRect& bounds, const KsRGBColor& bkgd) {
    char title[256];
    GetText(title, sizeof title);
    SInt16 font = 0, size = 0, face = 0;
    GetFontSizeFace(&font, &size, &face);
    DrawTextHow(title, bounds, font, size, face, 0, TitleColor(bkgd));
}

// --- Clicks, keys, focus -----------------------------------------------------------

void AMacControl::DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) {
    if (!displayOnly && GetEnabled() && canBeTabbedTo && !active &&
        GadInRect(GetActiveRect(), pt)) {
        Activate();
        if (AWindow* w = GetEnclWindow()) w->SetTargetPane(this);
    }
    AGadget::DoClick(pt, modifiers, when, data);
}

void AMacControl::DoGoodClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* refCon) {
    SetVal(ClickChangesValue(ctlValue));
    AGadget::DoGoodClick(pt, modifiers, when, refCon);
}

bool AMacControl::DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) {
    if (active && GetEnabled() && !displayOnly && (keyCode == kSpaceKeyCode || charCode == ' ')) {
        StPaneHold hold(this);
        HiliteGad();
        const KsPoint at = event ? KsPoint{event->where.h, event->where.v} : KsPoint{0, 0};
        DoGoodClick(at, event ? SInt16(event->modifiers) : 0, event ? SInt32(event->when) : 0,
                    data);
        if (hold.Alive()) DeliteGad();
        return true;
    }
    return AGadget::DoKeyDown(charCode, keyCode, event, data);
}

void AMacControl::Activate() {
    if (active) return;
    active = true;
    if (AWindow* w = GetEnclWindow()) w->SetActivePane(this);
    Inval();
}

void AMacControl::Deactivate() {
    if (!active) return;
    active = false;
    if (AWindow* w = GetEnclWindow(); w && w->GetActivePane() == this) w->SetActivePane(nullptr);
    Inval();
}

void AMacControl::SetEnabled(bool on) {
    if (!on) Deactivate();
    if (on != GetEnabled()) Inval();
    AGadget::SetEnabled(on);
}

// --- Persistence ---------------------------------------------------------------

void AMacControl::Put(AStream& s) {
    AGadget::Put(s);
    s.PutClassMark(kClassID, kVersion);
    s.PutLong("ctlValue", ctlValue);
    s.PutLong("ctlMin", ctlMin);
    s.PutLong("ctlMax", ctlMax);
    s.PutExtensionsEnd();
}

void AMacControl::Get(AStream& s) {
    AGadget::Get(s);
    s.GetClassMark(kClassID, 1, kVersion);
    const SInt32 value = s.GetLong("ctlValue");
    const SInt32 min = s.GetLong("ctlMin");
    const SInt32 max = s.GetLong("ctlMax");
    ctlMin = min;
    ctlMax = std::max(min, max);
    ctlValue = std::clamp(value, ctlMin, ctlMax);
    SInt16 n = 0;
    while (s.GetNextExtension(&n)) {
    }
}

void AMacControl::AddMacControlPropsToList(CoreAttrList* l) {
    l->SetSInt32("ctlVal", ctlValue);
    l->SetSInt32("ctlMin", ctlMin);
    l->SetSInt32("ctlMax", ctlMax);
}

void AMacControl::GetMacControlPropsFromList(CoreAttrList* l) {
    const SInt32 min = l->GetSInt32("ctlMin", ctlMin);
    ctlMin = min;
    ctlMax = std::max(min, l->GetSInt32("ctlMax", ctlMax));
    ctlValue = std::clamp(l->GetSInt32("ctlVal", ctlValue), ctlMin, ctlMax);
}
