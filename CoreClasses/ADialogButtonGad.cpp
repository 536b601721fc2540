// ADialogButtonGad: set-up, focus and its colour.
#include "ADialogButtonGad.h"

#include "AButtonsPrivate.h"
#include "KsButtonDraw.h"
#include "KsColorScheme.h"
#include "KsDrawUtils.h"

namespace {
APortable* MakeObject() {
    return new ADialogButtonGad;
}
APane* MakePane() {
    return new ADialogButtonGad;
}
void InlayAfterRead(APane* p) {
    p->SetInlay(true);
}
const bool kRegistered = (ADialogButtonGad::PCRegister(), true);
} // namespace

void ADialogButtonGad::PCRegister() {
    KsRegisterButtonClass(kClassID, kClassInfo.name, MakePane, MakeObject, InlayAfterRead);
}

// What IDialogButtonGad sets that no stream or description carries.
ADialogButtonGad::ADialogButtonGad() {
    canBeTabbedTo = true;
    border = kBorderBubble;
}

ADialogButtonGad* ADialogButtonGad::New(APane* encl, const char* text, SInt16 left, SInt16 right,
                                        SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei) {
    (void)kRegistered;
    auto* b = new ADialogButtonGad;
    b->IDialogButtonGad(encl, text, left, right, wid, top, bot, hei);
    return b;
}

void ADialogButtonGad::IDialogButtonGad(APane* encl, const char* text, SInt16 left, SInt16 right,
                                        SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei) {
    IPushButton(encl, left, right, wid, top, bot, hei, nullptr, 0, 0);
    canBeTabbedTo = true;
    SetBorderStyle(kBorderBubble);
    if (text) SetText(text);
    SetInlay(true);
    SetFontSizeFace(1, 9, 0);
    UpdateColorScheme();
}

// The focus shows as a spotlight does: lighter, held at white, or the
// scheme's spotlight colour.
KsRGBColor ADialogButtonGad::GetBkndColor() const {
    KsRGBColor c = APushButton::GetBkndColor();
    if (!active) return c;
    if (GetColorSchemeAttr("CS_BUT_SPOT_COLOR") != 0) {
        GetSchemeColor("CS_BUT_SPOT_COLOR_RED", "CS_BUT_SPOT_COLOR_GREEN", "CS_BUT_SPOT_COLOR_BLUE",
                       &c);
        return c;
    }
    return LiftRGB(c, kFocusLift);
}

void ADialogButtonGad::Activate() {
    if (!CanBeTabbedTo() || active) return;
    active = true;
    if (AWindow* w = GetEnclWindow()) w->SetActivePane(this);
    RedrawNow(KsPushLook::kUp);
}

void ADialogButtonGad::Deactivate() {
    if (!active) return;
    active = false;
    if (AWindow* w = GetEnclWindow(); w && w->GetActivePane() == this) w->SetActivePane(nullptr);
    RedrawNow(KsPushLook::kUp);
}

void ADialogButtonGad::Get(AStream& stream) {
    APushButton::Get(stream);
    SetInlay(true);
}

void ADialogButtonGad::UpdateColorScheme() {
    if (border != kBorderButton) KsApplySchemeButtonColor(this);
}
