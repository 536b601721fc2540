// AVButton, ASquareButton, AStateButton and ALED.
#include "ABasicButtons.h"

#include "AButtonsPrivate.h"
#include "AWindow.h"
#include "KsButtonDraw.h"
#include "KsDrawUtils.h"
#include "KsPortSavers.h"
#include "QuickDraw.h"
#include "Windows.h"

namespace {
template <class T> APortable* MakeObject() {
    return new T;
}
template <class T> APane* MakePane() {
    return new T;
}
const bool kRegistered = (AVButton::PCRegister(), ASquareButton::PCRegister(),
                          AStateButton::PCRegister(), ALED::PCRegister(), true);
} // namespace

void AVButton::PCRegister() {
    KsRegisterButtonClass(kClassID, kClassInfo.name, MakePane<AVButton>, MakeObject<AVButton>);
}
void ASquareButton::PCRegister() {
    KsRegisterButtonClass(kClassID, kClassInfo.name, MakePane<ASquareButton>,
                          MakeObject<ASquareButton>);
}
void AStateButton::PCRegister() {
    KsRegisterButtonClass(kClassID, kClassInfo.name, MakePane<AStateButton>,
                          MakeObject<AStateButton>);
}
void ALED::PCRegister() {
    KsRegisterButtonClass(kClassID, kClassInfo.name, MakePane<ALED>, MakeObject<ALED>);
}

// ---------------------------------------------------------------------------
// AVButton

AVButton* AVButton::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top, SInt16 bot,
                        SInt16 hei) {
    (void)kRegistered;
    auto* b = new AVButton;
    b->IVButton(encl, left, right, wid, top, bot, hei);
    return b;
}

void AVButton::IVButton(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top, SInt16 bot,
                        SInt16 hei) {
    IGadget(encl, left, right, wid, top, bot, hei, RGBgray8, kBorderNone);
}

// ---------------------------------------------------------------------------
// ASquareButton and AStateButton

ASquareButton* ASquareButton::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                                  SInt16 bot, SInt16 hei, AGadgetUpClickProc proc,
                                  const char* text) {
    auto* b = new ASquareButton;
    b->ISquareButton(encl, left, right, wid, top, bot, hei, proc, text);
    return b;
}

void ASquareButton::ISquareButton(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                                  SInt16 bot, SInt16 hei, AGadgetUpClickProc proc,
                                  const char* text) {
    IGadget(encl, left, right, wid, top, bot, hei, RGBgray8, kBorderFrame);
    SetUpClickProc(proc);
    SetText(text);
}

void ASquareButton::HiliteGad() {
    AWindow* w = GetEnclWindow();
    if (!w || !w->GetWindowPtr() || !IsVisible()) return;
    StPortSaver port;
    SetPortWindowPort(w->GetWindowPtr());
    StClipSaver clip;
    const Rect r = ToRect(GetVisInterior());
    ClipRect(&r);
    MacInvertRect(&r);
}

void ASquareButton::DeliteGad() {
    Inval();
}

AStateButton* AStateButton::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                                SInt16 bot, SInt16 hei, AGadgetUpClickProc proc, const char* text) {
    auto* b = new AStateButton;
    b->IStateButton(encl, left, right, wid, top, bot, hei, proc, text);
    return b;
}

// The state lights the background with the foreground colour (the
// gadget's gadLightsOnState), here light blue on white.
void AStateButton::IStateButton(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                                SInt16 bot, SInt16 hei, AGadgetUpClickProc proc, const char* text) {
    IGadget(encl, left, right, wid, top, bot, hei, RGBgray8, kBorderStateButton);
    SetBkndColor(RGBwhite);
    SetForeColor(RGBlightblue);
    SetUpClickProc(proc);
    if (text) SetText(text);
}

// ---------------------------------------------------------------------------
// ALED

ALED* ALED::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top, SInt16 bot,
                SInt16 hei, const KsRGBColor& color) {
    auto* led = new ALED;
    led->ILED(encl, left, right, wid, top, bot, hei, color);
    return led;
}

void ALED::ILED(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top, SInt16 bot,
                SInt16 hei, const KsRGBColor& color) {
    IGadget(encl, left, right, wid, top, bot, hei, color, kBorderLED);
    lit = false;
}

void ALED::SetLight(bool on) {
    if (on == lit) return;
    lit = on;
    InvalInterior();
}

void ALED::DrawInterior(const KsRect* clip, void*) {
    const KsRect in = GetInterior();
    const KsRect r = clip ? in.Intersect(*clip) : in;
    if (r.IsEmpty()) return;
    StClipSaver saved;
    const Rect cr = ToRect(r);
    ClipRect(&cr);
    // iForeColor is the background at 150 %, saturated, unless set.
    PaintLEDFace(in, lit ? iForeColor : GetBkndColor(), lit ? KsLEDLook::kOn : KsLEDLook::kOff);
    if (AWindow* w = GetEnclWindow(); w && w->GetWindowPtr()) {
        const Rect vr = ToRect(in);
        ValidWindowRect(w->GetWindowPtr(), &vr);
    }
}
