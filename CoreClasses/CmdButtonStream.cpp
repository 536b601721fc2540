// CmdButton persistence: the class registration, the object stream and the
// pane property text. The nick travels with the button's own record, as the
// gadget's record leaves it out, and is stored as read: a document may be
// read before the menus that know its commands are built.
#include "CmdButton.h"

#include "AStream.h"
#include "CmdButtonPrivate.h"
#include "CoreAttrList.h"
#include "PaneStream.h"

namespace {
APortable* MakeCmdButton() {
    return new CmdButton;
}
APane* MakeCmdButtonPane() {
    return new CmdButton;
}
// Registered with the library, so that streams, Copy and pane texts find the class.
const bool kRegistered = (CmdButton::PCRegister(), true);
} // namespace

void CmdButton::PCRegister() {
    PClassAdd(kClassID, kClassInfo.name, MakeCmdButton);
    PaneTextClass row;
    row.name = kClassInfo.name;
    row.make = MakeCmdButtonPane;
    row.addProps = {
        [](APane* p, CoreAttrList* l) { p->AddPropsToList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<AGadget*>(p)->AddGadgetPropsToList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<CmdButton*>(p)->AddCmdButtonPropsToList(l); }};
    row.getProps = {
        [](APane* p, CoreAttrList* l) { p->GetPropsFromList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<AGadget*>(p)->GetGadgetPropsFromList(l); },
        [](APane* p, CoreAttrList* l) {
            static_cast<CmdButton*>(p)->GetCmdButtonPropsFromList(l);
        }};
    row.subs = PaneTextSubs::none;
    PaneTextRegisterClass(row);
}

void CmdButton::Put(AStream& s) {
    (void)kRegistered;
    APushButton::Put(s);
    s.PutClassMark(kClassID, kVersion);
    s.PutBool("selectable", selectable);
    s.PutBool("simOption", simOption);
    s.PutBool("simControl", simControl);
    s.PutBool("abbreviates", abbreviates);
    s.PutLong("cmdNum", cmdNum);
}

void CmdButton::Get(AStream& s) {
    APushButton::Get(s);
    s.GetClassMark(kClassID, 1, kVersion);
    selectable = s.GetBool("selectable");
    simOption = s.GetBool("simOption");
    simControl = s.GetBool("simControl");
    abbreviates = s.GetBool("abbreviates");
    cmdNum = s.GetLong("cmdNum");
    TheCmdButtonRoster().Renick(this, cmdNum);
}

void CmdButton::AddCmdButtonPropsToList(CoreAttrList* list) {
    list->SetBool("selectbl", selectable);
    list->SetBool("simOpt", simOption);
    list->SetBool("simCtl", simControl);
    list->SetBool("abbrevs", abbreviates);
}

void CmdButton::GetCmdButtonPropsFromList(CoreAttrList* list) {
    selectable = list->GetBool("selectbl", true);
    simOption = list->GetBool("simOpt", false);
    simControl = list->GetBool("simCtl", false);
    abbreviates = list->GetBool("abbrevs", true);
    cmdNum = list->GetSInt32("nick", cmdNum);
    TheCmdButtonRoster().Renick(this, cmdNum);
}
