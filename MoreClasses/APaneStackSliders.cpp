// The pane stack's slider and text-field builder members: each makes its
// control in the current target at the current row and moves the row on.
#include "APaneStack.h"
#include "AStackPane.h"

#include <cstdint>

namespace {
constexpr SInt16 S = kPaneDontCare;
constexpr SInt16 kSliderRowStep = 12;
constexpr SInt16 kAngleRowStep = 36;
constexpr SInt16 kAngleHeight = 33;
constexpr SInt16 kTextBelowStep = 13;
} // namespace

template <class Slider>
Slider* APaneStack::AddSliderRow(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                 ASliderTrackProc trackProc, double min, double max, SInt16 height,
                                 SInt16 rowStep, bool spanWidth) {
    if (!curStackPane || !curTarget) return nullptr;
    const SInt16 row = curStackPane->GetCurTopOffset();
    Slider* s = spanWidth ? Slider::New(curTarget, 4, -4, S, row, S, height, 0.0, min, max,
                                        label ? label : "", 9)
                          : Slider::New(curTarget, 4, S, SInt16(paneWidth - 11), row, S, height,
                                        0.0, min, max, label ? label : "", 9);
    s->SetMargins(30, 26);
    s->SetTrackHook(trackProc);
    AddGadCommon(s, refCon, label, proc, false);
    curStackPane->SetCurTopOffset(SInt16(row + rowStep));
    PostAddGad();
    return s;
}

AThinSlider* APaneStack::AddSliderGad(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                      ASliderTrackProc trackProc, SInt32 min, SInt32 max) {
    return AddSliderRow<AThinSlider>(refCon, label, proc, trackProc, min, max, 9, kSliderRowStep,
                                     false);
}

AThinSlider* APaneStack::AddSliderGadLong(SInt32 refCon, const char* label,
                                          AGadgetValUpdateProc proc, ASliderTrackProc trackProc,
                                          SInt32 min, SInt32 max) {
    AThinSlider* s = AddSliderRow<AThinSlider>(refCon, label, proc, trackProc, min, max, 9,
                                               kSliderRowStep, true);
    if (s) s->SetDrawTextBelow(true);
    return s;
}

AThinSlider* APaneStack::AddSliderGadMargin(SInt32 refCon, const char* label,
                                            AGadgetValUpdateProc proc, ASliderTrackProc trackProc,
                                            SInt32 min, SInt32 max, SInt16 m1, SInt16 m2) {
    AThinSlider* s = AddSliderGad(refCon, label, proc, trackProc, min, max);
    if (s) s->SetMargins(m1, m2);
    return s;
}

AThinSlider* APaneStack::AddSliderGadAvp(SInt32 refCon, const char* label,
                                         AGadgetValUpdateProc proc, ASliderTrackProc trackProc,
                                         AThinSliderActivateProc activateProc, SInt32 min,
                                         SInt32 max) {
    AThinSlider* s = AddSliderGad(refCon, label, proc, trackProc, min, max);
    if (s) s->SetActivateProc(activateProc);
    return s;
}

AThinSlider* APaneStack::AddFPSliderGad(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                        ASliderTrackProc trackProc, double min, double max,
                                        double inc) {
    AThinSlider* s = AddSliderRow<AThinSlider>(refCon, label, proc, trackProc, min, max, 9,
                                               kSliderRowStep, false);
    if (!s) return nullptr;
    s->SetFloatingPoint(true);
    s->SetInc(inc);
    return s;
}

ATreadMill* APaneStack::AddTreadmillGadMargin(SInt32 refCon, const char* label,
                                              AGadgetValUpdateProc proc, ASliderTrackProc trackProc,
                                              SInt32 min, SInt32 max, SInt16 m1, SInt16 m2) {
    ATreadMill* s = AddSliderRow<ATreadMill>(refCon, label, proc, trackProc, min, max, 9,
                                             kSliderRowStep, false);
    if (s) s->SetMargins(m1, m2);
    return s;
}

ATreadMill* APaneStack::AddFPTreadmillGad(SInt32 refCon, const char* label,
                                          AGadgetValUpdateProc proc, ASliderTrackProc trackProc,
                                          double min, double max, double inc) {
    ATreadMill* s = AddSliderRow<ATreadMill>(refCon, label, proc, trackProc, min, max, 9,
                                             kSliderRowStep, false);
    if (!s) return nullptr;
    s->SetFloatingPoint(true);
    s->SetInc(inc);
    return s;
}

AWindMill* APaneStack::AddAngleGad(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                   ASliderTrackProc trackProc, SInt32 min, SInt32 max, double inc) {
    AWindMill* s = AddSliderRow<AWindMill>(refCon, label, proc, trackProc, min, max, kAngleHeight,
                                           kAngleRowStep, false);
    if (s) s->SetInc(inc);
    return s;
}

AWindMill* APaneStack::AddFPAngleGad(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                     ASliderTrackProc trackProc, double min, double max,
                                     double inc) {
    AWindMill* s = AddSliderRow<AWindMill>(refCon, label, proc, trackProc, min, max, kAngleHeight,
                                           kAngleRowStep, false);
    if (!s) return nullptr;
    s->SetFloatingPoint(true);
    s->SetInc(inc);
    return s;
}

void APaneStack::SetCurSliderTextBelow(bool below) {
    APane* gad = curStackPane ? curStackPane->GetCurGad() : nullptr;
    if (!gad || !gad->IsInstanceOf("AThinSlider")) return;
    auto* s = static_cast<AThinSlider*>(gad);
    if (s->GetDrawTextBelow() == below) return;
    curStackPane->SetCurTopOffset(
        SInt16(curStackPane->GetCurTopOffset() + (below ? kTextBelowStep : -kTextBelowStep)));
    s->SetDrawTextBelow(below);
}

void APaneStack::SetCurSliderIsVariableVisRange(double visMin, double visMax) {
    APane* gad = curStackPane ? curStackPane->GetCurGad() : nullptr;
    if (gad && gad->IsInstanceOf("AThinSlider"))
        static_cast<AThinSlider*>(gad)->InitVariableVisRange(visMin, visMax);
}

ATextEntry* APaneStack::AddTextEntryGad(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                        ATextEntryChangedHook entryProc, SInt16 left, SInt16 wid,
                                        SInt16 top, SInt16 hei) {
    if (!curStackPane || !curTarget) return nullptr;
    ATextEntry* t = ATextEntry::New(curTarget, left, S, wid, top, S, hei, "", false);
    t->SetValChangedHookRtn(entryProc, reinterpret_cast<void*>(intptr_t(refCon)));
    AddGadCommon(t, refCon, label, proc, false);
    PostAddGad();
    return t;
}
