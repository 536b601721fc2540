#include "AMultiLineCaption.h"

#include "AStream.h"
#include "ATextEntryPrivate.h"
#include "KsColorScheme.h"
#include "KsDrawUtils.h"
#include "PaneStream.h"
#include "QuickDraw.h"

namespace {
APortable* MakeCaption() {
    return new AMultiLineCaption;
}
const bool kRegistered = (AMultiLineCaption::PCRegister(), true);
} // namespace

void AMultiLineCaption::PCRegister() {
    PClassAdd(kClassID, kClassInfo.name, MakeCaption);
    // The property text reads and writes a caption as the field it is; the
    // link to its gadget is made by the code that places both.
    PaneTextRegisterClass(KsTextEntryPaneTextRow(
        kClassInfo.name, [] { return static_cast<APane*>(new AMultiLineCaption); }));
}

AMultiLineCaption::AMultiLineCaption(const char* paneID, const char* text, SInt16 left,
                                     SInt16 right, SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei,
                                     SInt16 labelPos, const char* labelText, APane* encl,
                                     AGadget* gadget) {
    (void)kRegistered;
    ITextEntry(encl, left, right, wid, top, bot, hei, text, false);
    if (paneID) SetPaneID(paneID);
    SetFitTextInX(true);
    SetDisplayOnly(true);
    SetInheritsBkgd(true, 0);
    SetBorderStyle(0);
    SetCanBeTabbedTo(false);
    drawState = kCaptionNormal;
    if (gadget) {
        associatedGad = gadget;
        gadget->SetCaption(this);
    } else if (labelText && *labelText) {
        AddLabel(labelText, labelPos);
    }
}

void AMultiLineCaption::Dispose() {
    // The gadget must not keep pointing at a caption that is gone.
    if (associatedGad && associatedGad->GetCaption() == this) associatedGad->SetCaption(nullptr);
    associatedGad = nullptr;
    ATextEntry::Dispose();
}

void AMultiLineCaption::SetAssociatedGad(AGadget* gadget) {
    associatedGad = gadget;
}

AGadget* AMultiLineCaption::GetAssociatedGad() const {
    return associatedGad;
}

void AMultiLineCaption::DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) {
    if (associatedGad && associatedGad->IsVisible() && associatedGad->GetEnabled())
        associatedGad->DoGoodClick(pt, modifiers, when, data);
}

void AMultiLineCaption::SetCaptionDrawState(captionDrawState state) {
    drawState = state;
    SetInheritsBkgd(true, state == kCaptionFocused ? 120 : 0);
    InvalInterior();
}

void AMultiLineCaption::PrepareFBColors() {
    const KsRGBColor bk = GetBkndColor();
    KsRGBColor fg = foreColor;
    KsRGBColor scheme{};
    if (GetSchemeTextColor(&scheme)) fg = scheme;
    AdjustFGColorContrast(&fg, bk);
    // Disabled: the text fades into the background.
    if (drawState == kCaptionDisabled) fg = AverageRGB(fg, bk, 0.4);
    const RGBColor f = ToRGBColor(fg), b = ToRGBColor(bk);
    RGBForeColor(&f);
    RGBBackColor(&b);
}

void AMultiLineCaption::Put(AStream& s) {
    ATextEntry::Put(s);
    s.PutClassMark(kClassID, kVersion);
    s.PutShort("drawState", drawState);
}

void AMultiLineCaption::Get(AStream& s) {
    ATextEntry::Get(s);
    s.GetClassMark(kClassID, 1, kVersion);
    const SInt16 state = s.GetShort("drawState");
    drawState =
        state >= kCaptionFocused && state <= kCaptionDisabled ? state : SInt16(kCaptionNormal);
}
