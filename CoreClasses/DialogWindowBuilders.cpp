// DialogWindow builders: each makes a pane of its class in the enclosure
// named (the main pane when none), gives it the ID and the dialog font, and
// remembers it as the last pane added.
#include "DialogWindow.h"

#include "ADialogButtonGad.h"
#include "AECEntry.h"
#include "AFloatEntry.h"
#include "AIntEntry.h"
#include "AMacPopupMenu.h"
#include "AMacToggles.h"
#include "AMultiLineCaption.h"
#include "APopupMenuGad.h"
#include "APushButton.h"
#include "ARadioCheckGads.h"
#include "ATCEntry.h"
#include "ATextListPane.h"
#include "KsDrawUtils.h"
#include "KsFatal.h"
#include "KsTextUtils.h"

namespace {
// A field's label, at its left; none for a null or empty text.
template <class P> P* Labelled(P* pane, const char* label) {
    if (label && *label) pane->AddLabel(label, kLabelLeft);
    return pane;
}
} // namespace

void DialogWindow::FinishBuilt(APane* pane, const char* id) {
    pane->SetPaneID(id);
    pane->SetFontSizeFace(1, 11, 0);
    lastAddedPane = pane;
}

ADialogButtonGad* DialogWindow::AddButton(const char* id, const char* label, SInt16 left,
                                          SInt16 right, SInt16 wid, SInt16 top, SInt16 bot,
                                          SInt16 hei, const char* enclID) {
    auto* b = ADialogButtonGad::New(GetEnclPane(enclID), label, left, right, wid, top, bot, hei);
    b->EnableSpotlight(true);
    return Built(b, id);
}

APane* DialogWindow::AddCheckBox(const char* id, const char* label, SInt16 left, SInt16 right,
                                 SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei,
                                 const char* enclID) {
    return Built(ACheckBoxGad::New(GetEnclPane(enclID), label, left, right, wid, top, bot, hei),
                 id);
}

APane* DialogWindow::AddRadioButton(const char* id, const char* label, SInt16 left, SInt16 right,
                                    SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei,
                                    const char* enclID) {
    ++radioCount;
    // Radio buttons of one enclosure form one group whatever their numbers,
    // so the number can identify the button (SetRBgroupVal).
    auto* r = ARadioButtonGad::New(GetEnclPane(enclID), SInt32(radioCount), label, left, right, wid,
                                   top, bot, hei);
    return Built(r, id);
}

AGadget* DialogWindow::AddGadget(const char* id, const char* text, SInt16 left, SInt16 right,
                                 SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei,
                                 const char* enclID) {
    auto* g = AGadget::New(GetEnclPane(enclID), left, right, wid, top, bot, hei, schemeColor,
                           kBorderNone);
    if (text) g->SetText(text);
    return Built(g, id);
}

APane* DialogWindow::AddPane(const char* id, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                             SInt16 bot, SInt16 hei, const char* enclID) {
    return Built(
        APane::New(GetEnclPane(enclID), left, right, wid, top, bot, hei, schemeColor, kBorderNone),
        id);
}

AGadget* DialogWindow::AddLabelPane(const char* id, const char* text, SInt16 left, SInt16 right,
                                    SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei,
                                    const char* enclID) {
    AGadget* g = AddGadget(id, text, left, right, wid, top, bot, hei, enclID);
    g->SetInheritsBkgd(true, 0);
    g->SetDisplayOnly(true);
    return g;
}

APane* DialogWindow::AddDividerPane(const char* id, SInt16 left, SInt16 right, SInt16 wid,
                                    SInt16 top, SInt16 bot, SInt16 hei, const char* enclID) {
    APane* p = AddPane(id, left, right, wid, top, bot, hei, enclID);
    p->SetInheritsBkgd(true, 0);
    p->SetBorderProc(GrooveBorderProc);
    p->SetBorderStyle(kBorderGroove);
    return p;
}

AGadget* DialogWindow::AddPopupMenu(const char* id, const char* label, SInt16 left, SInt16 right,
                                    SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei,
                                    const char* enclID) {
    return Built(APopupMenuGad::New(GetEnclPane(enclID), label, left, right, wid, top, bot, hei,
                                    kLabelLeft, 0),
                 id);
}

APane* DialogWindow::AddTextListPane(const char* id, SInt16 left, SInt16 right, SInt16 wid,
                                     SInt16 top, SInt16 bot, SInt16 hei, const char* enclID) {
    return Built(ATextListPane::New(GetEnclPane(enclID), left, right, wid, top, bot, hei), id);
}

APane* DialogWindow::AddTextEntry(const char* id, const char* text, SInt16 left, SInt16 right,
                                  SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei,
                                  const char* enclID) {
    return Built(ATextEntry::New(GetEnclPane(enclID), left, right, wid, top, bot, hei, text, false),
                 id);
}

APane* DialogWindow::AddIntEntry(const char* id, const char* label, SInt16 left, SInt16 right,
                                 SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei, SInt32 value,
                                 const char* enclID) {
    auto* e = AIntEntry::New(GetEnclPane(enclID), left, right, wid, top, bot, hei, value);
    return Labelled(Built(e, id), label);
}

APane* DialogWindow::AddFloatEntry(const char* id, const char* label, SInt16 left, SInt16 right,
                                   SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei, double value,
                                   const char* enclID) {
    auto* e = AFloatEntry::New(GetEnclPane(enclID), left, right, wid, top, bot, hei, value);
    return Labelled(Built(e, id), label);
}

APane* DialogWindow::AddTCEntry(const char* id, const char* label, SInt16 left, SInt16 right,
                                SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei,
                                const char* enclID) {
    auto* e = ATCEntry::New(GetEnclPane(enclID), left, right, wid, top, bot, hei, 0, nullptr);
    return Labelled(Built(e, id), label);
}

APane* DialogWindow::AddECEntry(const char* id, const char* label, SInt16 left, SInt16 right,
                                SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei,
                                const char* enclID) {
    auto* e = AECEntry::New(GetEnclPane(enclID), left, right, wid, top, bot, hei, nullptr);
    return Labelled(Built(e, id), label);
}

APane* DialogWindow::AddMacCheckBox(const char* id, const char* title, SInt16 left, SInt16 right,
                                    SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei,
                                    const char* enclID) {
    return Built(ACheckBox::New(GetEnclPane(enclID), title, left, right, wid, top, bot, hei), id);
}

APane* DialogWindow::AddMacRadioButton(const char* id, const char* title, SInt16 left, SInt16 right,
                                       SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei,
                                       const char* enclID) {
    ++radioCount;
    return Built(ARadioBut::New(GetEnclPane(enclID), title, SInt32(radioCount), left, right, wid,
                                top, bot, hei),
                 id);
}

APane* DialogWindow::AddOSPopupMenu(const char* id, const char* title, SInt16 left, SInt16 right,
                                    SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei,
                                    const char* enclID) {
    return Built(AMacPopupMenu::New(GetEnclPane(enclID), title, left, right, wid, top, bot, hei),
                 id);
}

APane* DialogWindow::AddCaption(const char* id, const char* text, SInt16 left, SInt16 right,
                                SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei, const char* enclID,
                                const char* gadgetID) {
    AGadget* gad = nullptr;
    if (APane* named = gadgetID ? FindPaneByID(gadgetID) : nullptr) {
        const bool toggle = named->IsInstanceOf("ACheckBoxGad") ||
                            named->IsInstanceOf("ARadioButtonGad") ||
                            named->IsInstanceOf("ACheckBox") || named->IsInstanceOf("ARadioBut");
        if (!toggle) {
            __FtlAbortm("AddCaption: associating caption with AGadget of wrong type", __FILE__,
                        __LINE__);
            return nullptr;
        }
        gad = static_cast<AGadget*>(named);
    }
    auto* c = new AMultiLineCaption(id, text, left, right, wid, top, bot, hei, kLabelNone, nullptr,
                                    GetEnclPane(enclID), gad);
    return Built(c, id);
}

APane* DialogWindow::AddPlateauPane(const char* id, SInt16 left, SInt16 right, SInt16 wid,
                                    SInt16 top, SInt16 bot, SInt16 hei, const char* enclID) {
    APane* p = AddPane(id, left, right, wid, top, bot, hei, enclID);
    p->SetInheritsBkgd(true, 0);
    p->SetBorderStyle(kBorderRaised2);
    return p;
}

APane* DialogWindow::AddValleyPane(const char* id, SInt16 left, SInt16 right, SInt16 wid,
                                   SInt16 top, SInt16 bot, SInt16 hei, const char* enclID) {
    APane* p = AddPane(id, left, right, wid, top, bot, hei, enclID);
    p->SetInheritsBkgd(true, 0);
    p->SetBorderStyle(kBorderRaised2 + 1);
    return p;
}

AGadget* DialogWindow::AddButtonPopupMenu(const char* id, const char* label, SInt16 left,
                                          SInt16 right, SInt16 wid, SInt16 top, SInt16 bot,
                                          SInt16 hei, const char* enclID) {
    auto* b = APushButton::New(GetEnclPane(enclID), left, right, wid, top, bot, hei, nullptr, 0, 0);
    if (label) b->SetText(label);
    b->MakePopupMenu(label ? label : "");
    return Built(b, id);
}

AGadget* DialogWindow::AddVolumeMenu(const char* id, const char* label, short menuID, SInt16 left,
                                     SInt16 right, SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei,
                                     const char* enclID) {
    AGadget* g = AddPopupMenu(id, label, left, right, wid, top, bot, hei, enclID);
    FillVolumeMenu(g, menuID);
    return g;
}
