// TwistPane persistence: the class registration, the stream record and the
// pane property text keys.
#include "TwistPane.h"

#include "AStream.h"
#include "CoreAttrList.h"
#include "KsPaneDump.h"
#include "PaneStream.h"

#include <algorithm>

namespace {
SInt16 Clamp16(SInt32 v) {
    return SInt16(std::clamp<SInt32>(v, 0, 0x7FFF));
}

// Registered with the library, so that streams, Copy and the property text
// find the class.
const bool kRegistered =
    (TwistPane::PCRegister(), TavikAddRegistration("TwistPane", TwistPane::PCRegister),
     TavikAddDumpDetail("TwistPane",
                        [](APane* p, UInt32, KsPrintfProc printf, int) {
                            auto* t = static_cast<TwistPane*>(p);
                            printf("; %s, other height %d", t->GetIsOpen() ? "open" : "closed",
                                   int(t->GetOtherHei()));
                        }),
     true);
} // namespace

void TwistPane::PCRegister() {
    PClassAdd(kClassID, kClassInfo.name, [] { return static_cast<APortable*>(new TwistPane); });
    PaneTextClass row;
    row.name = "TwistPane";
    row.make = [] { return static_cast<APane*>(new TwistPane); };
    if (const PaneTextClass* pane = PaneTextFindClass("APane")) {
        row.addProps = pane->addProps;
        row.getProps = pane->getProps;
    }
    row.addProps.push_back(
        [](APane* p, CoreAttrList* l) { static_cast<TwistPane*>(p)->AddPropsToList(l); });
    row.getProps.push_back(
        [](APane* p, CoreAttrList* l) { static_cast<TwistPane*>(p)->GetPropsFromList(l); });
    row.subs = PaneTextSubs::subs;
    PaneTextRegisterClass(row);
}

void TwistPane::Put(AStream& s) {
    (void)kRegistered;
    APane::Put(s);
    s.PutClassMark(kClassID, kVersion);
    s.PutBool("iResizesEnclosure", iResizesEnclosure);
    s.PutBool("iResizesWindow", iResizesWindow);
    s.PutBool("iIsOpen", iIsOpen);
    s.PutShort("otherhei", iOtherHei);
}

void TwistPane::Get(AStream& s) {
    APane::Get(s);
    s.GetClassMark(kClassID, 1, kVersion);
    iResizesEnclosure = s.GetBool("iResizesEnclosure");
    iResizesWindow = s.GetBool("iResizesWindow");
    iIsOpen = s.GetBool("iIsOpen");
    iOtherHei = Clamp16(s.GetShort("otherhei"));
}

void TwistPane::AddPropsToList(CoreAttrList* l) {
    l->SetSInt32("twResEnc", iResizesEnclosure);
    l->SetSInt32("twResWin", iResizesWindow);
    l->SetSInt32("twIsOpen", iIsOpen);
    l->SetSInt32("twOthHei", iOtherHei);
}

void TwistPane::GetPropsFromList(CoreAttrList* l) {
    iResizesEnclosure = l->GetSInt32("twResEnc", 1) != 0;
    iResizesWindow = l->GetSInt32("twResWin", 0) != 0;
    iIsOpen = l->GetSInt32("twIsOpen", 0) != 0;
    iOtherHei = Clamp16(l->GetSInt32("twOthHei", 100));
}
