// ACheckBox and ARadioBut: registration, values and faces.
#include "AMacToggles.h"

#include "KsButtonDraw.h"
#include "KsDrawUtils.h"
#include "KsPaneDump.h"
#include "KsPortSavers.h"
#include "KsTextUtils.h"
#include "QuickDraw.h"

namespace {
template <class T> APortable* MakeObject() {
    return new T;
}
template <class T> APane* MakePane() {
    return new T;
}
const bool kRegistered = (ACheckBox::PCRegister(), ARadioBut::PCRegister(),
                          TavikAddRegistration("ACheckBox", ACheckBox::PCRegister),
                          TavikAddRegistration("ARadioBut", ARadioBut::PCRegister), true);

// The square of side `side` at the left of bounds, centred in its height.
KsRect MarkRect(const KsRect& bounds, SInt16 side) {
    const SInt32 top = bounds.top + (bounds.Height() - side) / 2;
    return {bounds.left + 1, top, bounds.left + 1 + side, top + side};
}

// The title to the right of the mark.
void DrawTitleBeside(const AMacControl* c, const KsRect& bounds, const KsRect& mark,
                     const KsRGBColor& bkgd) {
    char title[256];
    c->GetText(title, sizeof title);
    if (!*title) return;
    SInt16 font = 0, size = 0, face = 0;
    c->GetFontSizeFace(&font, &size, &face);
    KsRect r = bounds;
    r.left = mark.right + 5;
    DrawTextHow(title, r, font, size, face, 0, c->TitleColor(bkgd));
}
} // namespace

// ===========================================================================
// ACheckBox

void ACheckBox::PCRegister() {
    RegisterControlClass(kClassID, kClassInfo.name, MakePane<ACheckBox>, MakeObject<ACheckBox>);
}

ACheckBox::ACheckBox() {
    canBeTabbedTo = true;
}

ACheckBox* ACheckBox::New(APane* encl, const char* title, SInt16 left, SInt16 right, SInt16 wid,
                          SInt16 top, SInt16 bot, SInt16 hei, bool on) {
    (void)kRegistered;
    auto* c = new ACheckBox;
    c->IMacControl(encl, title, left, right, wid, top, bot, hei, on ? 1 : 0, 0, 1);
    c->canBeTabbedTo = true;
    return c;
}

SInt32 ACheckBox::ClickChangesValue(SInt32 value) const {
    return value ? 0 : 1;
}

void ACheckBox::DrawControl(const KsRect& bounds, const KsRGBColor& bkgd) {
    const KsRect box = MarkRect(bounds, kBoxSize);
    StColorPenSaver saver;
    const bool pressed = GetHilite() != 0;
    const RGBColor fill =
        ToRGBColor(pressed ? ScaleRGBIntensity(bkgd, 80, 100)
                           : (GetEnabled() ? RGBwhite : AverageRGB(RGBwhite, bkgd, 0.5)));
    const RGBColor ink = ToRGBColor(TitleColor(bkgd));
    Rect r = ToRect(box);
    RGBForeColor(&fill);
    PaintRect(&r);
    RGBForeColor(&ink);
    FrameRect(&r);
    if (IsOn()) {
        // The check: two strokes, two pixels wide.
        PenSize(2, 2);
        MoveTo(SInt16(box.left + 2), SInt16(box.top + 5));
        LineTo(SInt16(box.left + 4), SInt16(box.bottom - 4));
        LineTo(SInt16(box.right - 3), SInt16(box.top + 2));
        PenSize(1, 1);
    }
    DrawTitleBeside(this, bounds, box, bkgd);
}

// ===========================================================================
// ARadioBut

void ARadioBut::PCRegister() {
    RegisterControlClass(kClassID, kClassInfo.name, MakePane<ARadioBut>, MakeObject<ARadioBut>);
}

ARadioBut::ARadioBut() {
    canBeTabbedTo = true;
}

ARadioBut* ARadioBut::New(APane* encl, const char* title, SInt32 refCon, SInt16 left, SInt16 right,
                          SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei, bool on) {
    auto* b = new ARadioBut;
    b->IMacControl(encl, title, left, right, wid, top, bot, hei, 0, 0, 1);
    b->canBeTabbedTo = true;
    b->SetValueRefCon(refCon);
    if (on) b->SetVal(1);
    return b;
}

void ARadioBut::SetVal(SInt32 value) {
    const bool turningOn = value != 0 && GetVal() == 0;
    AMacControl::SetVal(value);
    if (!turningOn || !itsEnclPane) return;
    for (SInt32 i = 1; i <= itsEnclPane->GetNumSubPanes(); ++i) {
        APane* p = itsEnclPane->GetSubPane(i);
        if (p != this && p->IsInstanceOf("ARadioBut")) static_cast<ARadioBut*>(p)->SetVal(0);
    }
}

SInt32 ARadioBut::ClickChangesValue(SInt32) const {
    return 1;
}

void ARadioBut::DrawControl(const KsRect& bounds, const KsRGBColor& bkgd) {
    const KsRect disc = MarkRect(bounds, kDiscSize);
    const KsRGBColor face = GetEnabled() ? RGBwhite : AverageRGB(RGBwhite, bkgd, 0.5);
    const bool down = IsOn() || GetHilite() != 0;
    PaintRadioFace(disc, face, bkgd, down ? kBorderBubbleDown : kBorderBubble);
    if (IsOn()) PaintRadioDot(RadioDiscRect(disc), TitleColor(bkgd));
    DrawTitleBeside(this, bounds, disc, bkgd);
}
