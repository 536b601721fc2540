// ASlider persistence: the class registration, the stream record and the
// pane property text keys.
//
// The record holds the value and limits as whole numbers and snapsBack; the
// writer adds an extension with the doubles and settings, so that what it
// writes reads back equal. Records without the extension read as before.
#include "ASlider.h"

#include "AStream.h"
#include "CoreAttrList.h"
#include "PaneStream.h"

#include <algorithm>
#include <cmath>

namespace {
APortable* MakeSlider() {
    return new ASlider;
}

// Registered with the library, so that streams, Copy and the property text
// find the class.
const bool kRegistered = (ASlider::PCRegister(), true);

double Finite(double v, double otherwise) {
    return std::isfinite(v) ? v : otherwise;
}
} // namespace

void ASlider::PCRegister() {
    PClassAdd(kClassID, kClassInfo.name, MakeSlider);
    PaneTextClass row;
    row.name = kClassInfo.name;
    row.make = [] { return static_cast<APane*>(new ASlider); };
    row.addProps = {
        [](APane* p, CoreAttrList* l) { p->AddPropsToList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<AGadget*>(p)->AddGadgetPropsToList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<ASlider*>(p)->AddSliderPropsToList(l); }};
    row.getProps = {
        [](APane* p, CoreAttrList* l) { p->GetPropsFromList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<AGadget*>(p)->GetGadgetPropsFromList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<ASlider*>(p)->GetSliderPropsFromList(l); }};
    row.subs = PaneTextSubs::none;
    PaneTextRegisterClass(row);
}

void ASlider::Put(AStream& s) {
    (void)kRegistered;
    ABaseSlider::Put(s);
    s.PutClassMark(kClassID, kVersion);
    s.PutLong("value", SliderLong(value));
    s.PutLong("minv", SliderLong(min));
    s.PutLong("maxv", SliderLong(max));
    s.PutBool("snapsBack", snapsBack);
    s.BeginExtension(kExtReal);
    s.PutDouble("value", value);
    s.PutDouble("min", min);
    s.PutDouble("max", max);
    s.PutDouble("inc", inc);
    s.PutBool("floatingPoint", floatingPoint);
    s.PutBool("variableVisRange", variableVisRange);
    s.PutDouble("visMin", visMin);
    s.PutDouble("visMax", visMax);
    s.PutColor("thumbColor", thumbColor.red, thumbColor.green, thumbColor.blue);
    s.EndExtension();
    s.PutExtensionsEnd();
}

void ASlider::Get(AStream& s) {
    ABaseSlider::Get(s);
    s.GetClassMark(kClassID, 1, kVersion);
    double v = s.GetLong("value");
    double lo = s.GetLong("minv");
    double hi = s.GetLong("maxv");
    snapsBack = s.GetBool("snapsBack");
    SInt16 n = 0;
    while (s.GetNextExtension(&n)) {
        if (n != kExtReal) continue;
        // Damaged doubles fall back on the whole numbers read above.
        v = Finite(s.GetDouble("value"), v);
        lo = Finite(s.GetDouble("min"), lo);
        hi = Finite(s.GetDouble("max"), hi);
        inc = Finite(s.GetDouble("inc"), 1.0);
        floatingPoint = s.GetBool("floatingPoint");
        variableVisRange = s.GetBool("variableVisRange");
        visMin = Finite(s.GetDouble("visMin"), -1.0);
        visMax = Finite(s.GetDouble("visMax"), -1.0);
        s.GetColor("thumbColor", &thumbColor.red, &thumbColor.green, &thumbColor.blue);
    }
    min = lo;
    max = std::max(lo, hi);
    value = oldValue = Clamped(v);
    if (variableVisRange) {
        visMin = std::clamp(visMin, min, max);
        visMax = std::clamp(visMax, min, max);
    }
    InteriorChanged(GetInterior());
}

// ---------------------------------------------------------------------------
// Pane property text

void ASlider::AddSliderPropsToList(CoreAttrList* l) {
    l->SetSInt32("slval", SliderLong(value));
    l->SetSInt32("slmin", SliderLong(min));
    l->SetSInt32("slmax", SliderLong(max));
    l->SetSInt32("snpsback", snapsBack);
}

void ASlider::GetSliderPropsFromList(CoreAttrList* l) {
    min = l->GetSInt32("slmin", 0);
    max = std::max<double>(min, l->GetSInt32("slmax", 0));
    SetValueInternal(Clamped(l->GetSInt32("slval", 0)));
    oldValue = value;
    snapsBack = l->GetSInt32("snpsback", 0) != 0;
    InteriorChanged(GetInterior());
}
