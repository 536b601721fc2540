// AThinSlider persistence: the class registration, the stream record and the
// pane property text keys. The typing bound comes from outside data and is
// held to what the typing buffer can take.
#include "AThinSlider.h"

#include "ASliderPrivate.h"
#include "AStream.h"
#include "CoreAttrList.h"
#include "MacText.h"
#include "PaneStream.h"

#include <algorithm>

namespace {
APortable* MakeThinSlider() {
    return new AThinSlider;
}

// Registered with the library, so that streams, Copy and the property text
// find the class.
const bool kRegistered = (AThinSlider::PCRegister(), true);
} // namespace

void RegisterThinSliderClass(OSType id, const char* name, APortable* (*make)(),
                             APane* (*makePane)()) {
    PClassAdd(id, name, make);
    PaneTextClass row;
    row.name = name;
    row.make = makePane;
    row.addProps = {
        [](APane* p, CoreAttrList* l) { p->AddPropsToList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<AGadget*>(p)->AddGadgetPropsToList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<ASlider*>(p)->AddSliderPropsToList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<AThinSlider*>(p)->AddThinPropsToList(l); }};
    row.getProps = {
        [](APane* p, CoreAttrList* l) { p->GetPropsFromList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<AGadget*>(p)->GetGadgetPropsFromList(l); },
        // The thin keys first: the slider's keys then lay out the texts.
        [](APane* p, CoreAttrList* l) { static_cast<AThinSlider*>(p)->GetThinPropsFromList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<ASlider*>(p)->GetSliderPropsFromList(l); }};
    row.subs = PaneTextSubs::none;
    PaneTextRegisterClass(row);
}

void AThinSlider::PCRegister() {
    RegisterThinSliderClass(kClassID, kClassInfo.name, MakeThinSlider,
                            [] { return static_cast<APane*>(new AThinSlider); });
}

void AThinSlider::Put(AStream& s) {
    (void)kRegistered;
    ASlider::Put(s);
    s.PutClassMark(kClassID, kVersion);
    s.PutShort("leftMargin", leftMargin);
    s.PutShort("rightMargin", rightMargin);
    s.PutShort("keyDownBufferMax", keyDownBufferMax);
    s.PutBool("drawTextBelow", drawTextBelow);
    s.PutBool("drawMinus", drawMinus);
    for (int i = 0; i < 10; ++i)
        s.PutLong("rfu", 0);
}

void AThinSlider::Get(AStream& s) {
    ASlider::Get(s);
    s.GetClassMark(kClassID, 1, kVersion);
    leftMargin = std::max<SInt16>(s.GetShort("leftMargin"), 0);
    rightMargin = std::max<SInt16>(s.GetShort("rightMargin"), 0);
    keyDownBufferMax = SaneBufferMax(s.GetShort("keyDownBufferMax"));
    drawTextBelow = s.GetBool("drawTextBelow");
    drawMinus = s.GetBool("drawMinus");
    for (int i = 0; i < 10; ++i)
        (void)s.GetLong("rfu");
    keyDownCount = -1;
    keyDownBuffer[0] = 0;
    TextsRead();
    InteriorChanged(GetInterior());
}

// The texts take the label's size, which the pane's record carries.
void AThinSlider::TextsRead() {
    if (label) {
        label->SetJust(0);
        textSize = label->GetSize();
    }
    if (valueText) valueText->SetFontSizeFace(1, textSize, 0);
    SetValueText();
}

void AThinSlider::AddThinPropsToList(CoreAttrList* l) {
    l->SetSInt32("tslmarg", leftMargin);
    l->SetSInt32("tsrmarg", rightMargin);
    l->SetSInt32("tskdbmax", keyDownBufferMax);
    l->SetSInt32("tsdtblow", drawTextBelow);
    l->SetSInt32("tsdminus", drawMinus);
}

void AThinSlider::GetThinPropsFromList(CoreAttrList* l) {
    leftMargin = SInt16(std::clamp<SInt32>(l->GetSInt32("tslmarg", kDefaultMargin), 0, 0x7FFF));
    rightMargin = SInt16(std::clamp<SInt32>(l->GetSInt32("tsrmarg", kDefaultMargin), 0, 0x7FFF));
    keyDownBufferMax = SaneBufferMax(l->GetSInt32("tskdbmax", 1));
    drawTextBelow = l->GetSInt32("tsdtblow", 0) != 0;
    drawMinus = l->GetSInt32("tsdminus", 1) != 0;
    SetBkndColor(GetBkndColor());
    TextsRead();
}
