// APaneStack: the builder members of the standard controls, the pop-up menu
// and the check boxes. They follow the other members' rules: made in the
// current target, with the procedure, refcon, background, visibility and
// pane ID of every builder gadget.
#include "APaneStack.h"

#include "AMacPopupMenu.h"
#include "AMacToggles.h"
#include "APaneStackPrivate.h"
#include "AStackPane.h"

namespace {
constexpr SInt16 S = kPaneDontCare;
constexpr SInt16 kPopupLeft = 34, kPopupWidth = 120, kPopupHeight = 16, kPopupRowStep = 19;
constexpr SInt16 kCheckLeft = 4, kCheckWidth = 90, kCheckHeight = 14, kCheckRowStep = 17;
} // namespace

AMacPopupMenu* APaneStack::AddMacPopupMenuGad(SInt32 refCon, const char* label,
                                              AGadgetValUpdateProc proc, AGadgetUpClickProc upProc,
                                              MenuHandle menu) {
    if (!curStackPane || !curTarget) return nullptr;
    const SInt16 row = curStackPane->GetCurTopOffset();
    AMacPopupMenu* m = AMacPopupMenu::New(curTarget, label ? label : "", kPopupLeft, S, kPopupWidth,
                                          row, S, kPopupHeight);
    if (menu) m->SetMenu(menu);
    m->SetUpClickProc(upProc);
    AddGadCommon(m, refCon, label, proc, false);
    curStackPane->SetCurTopOffset(SInt16(row + kPopupRowStep));
    PostAddGad();
    return m;
}

ACheckBox* APaneStack::Add1MacCheckBoxGad(SInt32 refCon, const char* label,
                                          AGadgetValUpdateProc proc, AGadgetUpClickProc upProc,
                                          SInt16 left, SInt16 top) {
    if (!curStackPane || !curTarget) return nullptr;
    ACheckBox* c =
        ACheckBox::New(curTarget, label ? label : "", left, S, kCheckWidth, top, S, kCheckHeight);
    c->SetUpClickProc(upProc);
    AddGadCommon(c, refCon, label, proc, false);
    PostAddGad();
    return c;
}

ACheckBox* APaneStack::AddMacCheckBoxGad(SInt32 refCon, const char* label,
                                         AGadgetValUpdateProc proc, AGadgetUpClickProc upProc) {
    if (!curStackPane || !curTarget) return nullptr;
    const SInt16 row = curStackPane->GetCurTopOffset();
    ACheckBox* c = Add1MacCheckBoxGad(refCon, label, proc, upProc, kCheckLeft, row);
    curStackPane->SetCurTopOffset(SInt16(row + kCheckRowStep));
    return c;
}
