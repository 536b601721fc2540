// AGadget persistence: the class registration, the object stream (versions 1
// to 4 read, 4 written, extension 1 the foreground colour), the pane property
// text rows and WriteResources.
#include "AGadget.h"

#include "AStream.h"
#include "CoreAttrList.h"
#include "PaneStream.h"

namespace {
APortable* MakeGadget() {
    return new AGadget;
}
APane* MakeGadgetPane() {
    return new AGadget;
}
// Registered with the library, so that streams, Copy and pane texts find the class.
const bool kRegistered = (AGadget::PCRegister(), true);
} // namespace

void AGadget::PCRegister() {
    PClassAdd(kClassID, kClassInfo.name, MakeGadget);
    PaneTextClass row;
    row.name = kClassInfo.name;
    row.make = MakeGadgetPane;
    row.addProps = {
        [](APane* p, CoreAttrList* l) { p->AddPropsToList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<AGadget*>(p)->AddGadgetPropsToList(l); }};
    row.getProps = {
        [](APane* p, CoreAttrList* l) { p->GetPropsFromList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<AGadget*>(p)->GetGadgetPropsFromList(l); }};
    row.subs = PaneTextSubs::subs;
    PaneTextRegisterClass(row);
}

const char* AGadget::GetExtensionDescription() const {
    return PCLASS_EXTENSIONS1(PCLASS_EXT(RGBColor, 1));
}

void AGadget::Put(AStream& s) {
    (void)kRegistered;
    APane::Put(s);
    s.PutClassMark(kClassID, kVersion);
}

void AGadget::Get(AStream& s) {
    APane::Get(s);
    s.GetClassMark(kClassID, 1, kVersion);
}

void AGadget::AddGadgetPropsToList(CoreAttrList*) {}
void AGadget::GetGadgetPropsFromList(CoreAttrList*) {}

void AGadget::WriteResources(SInt16 fileRef, SInt16 baseID) {
    APane::WriteResources(fileRef, baseID);
}
