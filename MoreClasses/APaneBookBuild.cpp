// APaneBook: value updates and the property-sheet builder, which adds
// gadgets to the current page.
#include "APaneBook.h"

#include "APanePrivate.h"
#include "APushButton.h"
#include "AScrollablePane.h"
#include "AWindow.h"
#include "KsDrawUtils.h"
#include "KsFatal.h"
#include "KsText.h"
#include "MacText.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace {
constexpr SInt16 S = kPaneDontCare;

// Pane hit tests count all four edges as inside.
bool InRectInclusive(const KsRect& r, KsPoint pt) {
    return pt.h >= r.left && pt.h <= r.right && pt.v >= r.top && pt.v <= r.bottom;
}
} // namespace

// Value updates

void APaneBook::UpdatePage(APaneBookPage* page, SInt32 mode, void* data) {
    APaneBookPage* saved = itsCurPage;
    itsCurPage = page;
    StPaneHold hold(this);
    try {
        page->UpdateValues(mode, data);
    } catch (...) {
        if (hold.Alive()) itsCurPage = GetPageNum(saved) ? saved : nullptr;
        throw;
    }
    if (hold.Alive()) itsCurPage = GetPageNum(saved) ? saved : nullptr;
}

void APaneBook::UpdateValues(SInt32 mode, void* data) {
    StPaneHold hold(this);
    APaneBookPage* vis = GetVisPage(false);
    // Pages are copied first: an update procedure may add or delete pages.
    const std::vector<APaneBookPage*> order = pages;
    if (vis) UpdatePage(vis, mode, data);
    for (APaneBookPage* p : order) {
        if (!hold.Alive()) return;
        if (p == vis || GetPageNum(p) == 0 || p->hidden) continue;
        if (mode == 4 || mode == 5)
            UpdatePage(p, kBookUpdateAll, data);
        else if (mode == 2 || mode == 3)
            UpdatePage(p, kBookUpdateAllQuiet, data);
    }
    if (!hold.Alive()) return;
    itsCurPage = nullptr;
    for (SInt32 i = 1; i <= GetNumSubPanes(); ++i) {
        APane* p = GetSubPane(i);
        if (p->IsInstanceOf("AGadget")) static_cast<AGadget*>(p)->UpdateValues(mode, data);
        if (!hold.Alive()) return;
    }
}

void APaneBook::UpdateCurPageValues(SInt32 mode, void* data) {
    if (itsCurPage) UpdatePage(itsCurPage, mode, data);
}

void APaneBook::RefConUpdateValues(SInt32 refCon, SInt32 mode, void* data, APane* except) {
    if (APaneBookPage* vis = GetVisPage(false)) vis->RefConUpdateValues(refCon, mode, data, except);
}

APane* APaneBook::RefConFindGad(SInt32 refCon) {
    for (APaneBookPage* p : pages)
        if (APane* g = p->RefConFindGad(refCon)) return g;
    return nullptr;
}

bool APaneBook::RefConPtInGad(SInt32 refCon, KsPoint pt) {
    APane* g = RefConFindGad(refCon);
    return g && g->IsVisible() && InRectInclusive(g->GetFrame(), pt);
}

APane* APaneBook::GenericFindGad(APaneBookGadTest test, void* data) {
    for (APaneBookPage* p : pages)
        if (APane* g = p->GenericFindGad(test, data)) return g;
    return nullptr;
}

APane* APaneBook::RefConFindEnableGad(SInt32 refCon) {
    for (APaneBookPage* p : pages)
        if (APane* g = p->RefConFindEnableGad(refCon)) return g;
    return nullptr;
}

bool APaneBook::RefConActivateTE(SInt32 refCon) {
    for (APaneBookPage* p : pages)
        if (p->RefConActivateTE(refCon)) return true;
    return false;
}

// ---------------------------------------------------------------------------
// The builder

APushButton* APaneBook::AddEnableGad(SInt32 refCon, AGadgetValUpdateProc updateProc,
                                     AGadgetUpClickProc clickProc) {
    APaneBookPage* page = itsCurPage;
    if (!page || page->itsEnableButton) return page ? page->itsEnableButton : nullptr;
    const SInt16 side = SInt16(enableSize);
    APushButton* b = APushButton::New(this, 0, S, side, 0, S, side, clickProc, 0, 0);
    page->itsEnableButton = b;
    b->SetValUpdateProc(updateProc);
    b->SetValueRefCon(refCon);
    b->SetIsBistate(true);
    b->SetForeColor(RGBenablePurple);
    b->SetBorderStyle(kBorderBevelTab);
    b->SetPaneID("enable");
    b->SetInheritsBkgd(false, 0);
    RecolorEnableButton(page, page->IsVisiblePage());
    b->SetVisible(!page->hidden);
    RealignEnableGads();
    InvalInterior();
    return b;
}

void APaneBook::RecolorEnableButton(APaneBookPage* page, bool visible) {
    APushButton* b = page->itsEnableButton;
    if (!b) return;
    KsRGBColor c = ScaleRGBIntensity(GetBkndColor(), 6, 7);
    if (visible) c = page->tabColor == RGBblack ? GetBkndColor() : page->tabColor;
    b->SetBkndColor(c);
    b->Inval();
}

void APaneBook::RealignEnableGads() {
    const KsRect in = GetInterior();
    for (APaneBookPage* p : pages) {
        if (!p->itsEnableButton || p->hidden) continue;
        const KsRect tab = GetTabRect(p);
        const SInt32 h = tab.left + 6;
        const SInt32 v =
            iStackedLabels ? tab.top + (tab.Height() - SInt32(enableSize)) / 2 : in.top + 3;
        const KsRect b = p->itsEnableButton->GetBounds();
        if (b.left != h || b.top != v) p->itsEnableButton->MovePaneTo(h, v);
    }
}

AGadget* APaneBook::AddRsrcGad(SInt32 refCon, const char* label, AGadgetValUpdateProc updateProc,
                               SInt16 left, SInt16 wid, SInt16 top, SInt16 hei, OSType rsrcType,
                               SInt16 rsrcID) {
    if (!itsCurPage || !itsCurPage->itsPagePane) return nullptr;
    AGadget* g =
        AGadget::New(itsCurPage->itsPagePane, left, S, wid, top, S, hei, GetBkndColor(), 0);
    if (rsrcType) g->SetRsrc(rsrcType, rsrcID);
    itsCurPage->AdoptGadget(g, label, false, refCon, updateProc);
    return g;
}

AGadget* APaneBook::AddLabelGadStyle(SInt32 refCon, const char* label,
                                     AGadgetValUpdateProc updateProc, SInt16 left, SInt16 top,
                                     SInt16 font, SInt16 size, SInt16 face) {
    if (!itsCurPage || !itsCurPage->itsPagePane) return nullptr;
    AGadget* g = AGadget::NewLabel(itsCurPage->itsPagePane, label ? label : "", left, top, font,
                                   size, face, 0);
    g->Resize(kPaneDontCare, SInt16(size + 2));
    itsCurPage->AdoptGadget(g, label, true, refCon, updateProc);
    return g;
}

AGadget* APaneBook::AddLabelGad(SInt32 refCon, const char* label, AGadgetValUpdateProc updateProc,
                                SInt16 left, SInt16 top) {
    return AddLabelGadStyle(refCon, label, updateProc, left, top, 1, 9, 0);
}

AGadget* APaneBook::AddCenteredLabelGad(SInt32 refCon, const char* label,
                                        AGadgetValUpdateProc updateProc, SInt16 left, SInt16 wid,
                                        SInt16 top, SInt16 hei) {
    if (!itsCurPage || !itsCurPage->itsPagePane) return nullptr;
    AGadget* g =
        AGadget::New(itsCurPage->itsPagePane, left, S, wid, top, S, hei, GetBkndColor(), 0);
    g->SetFontSizeFace(1, 9, 0);
    g->SetJust(1);
    itsCurPage->AdoptGadget(g, label, true, refCon, updateProc);
    return g;
}

void APaneBook::SetCurPaneQAPID(const char* id) {
    if (itsCurPage && itsCurPage->itsPagePane)
        itsCurPage->itsPagePane->SetPaneID(DeSpace(std::string_view(id ? id : "")).c_str());
}

void APaneBook::SetCurGadQAPID(const char* id) {
    if (itsCurPage && itsCurPage->itsCurGad)
        itsCurPage->itsCurGad->SetPaneID(DeSpace(std::string_view(id ? id : "")).c_str());
}

void APaneBook::SetCurGadHelpText(const char* text) {
    if (itsCurPage && itsCurPage->itsCurGad) itsCurPage->itsCurGad->SetHelpText(text);
}

void APaneBook::SetCurGadWinHelpNum(SInt32 number) {
    if (itsCurPage && itsCurPage->itsCurGad) itsCurPage->itsCurGad->SetWinHelpNum(number);
}

void APaneBook::SetCurPageWinHelpNum(SInt32 number) {
    if (itsCurPage && itsCurPage->itsPagePane) itsCurPage->itsPagePane->SetWinHelpNum(number);
}

void APaneBook::SetCurPageTabColor(const KsRGBColor& color) {
    if (!itsCurPage) return;
    itsCurPage->tabColor = color;
    RecolorEnableButton(itsCurPage, itsCurPage->IsVisiblePage());
    if (drawsTabs) PaneInvalRect(GetTabRect(itsCurPage));
}

void APaneBook::SetCurPageTabIcon(SInt16 iconID) {
    if (!itsCurPage) return;
    itsCurPage->tabIcon = iconID;
    RealignEnableGads();
    InvalInterior();
}

void APaneBook::SetCurPageShowProc(APaneBookShowProc proc, void* data) {
    if (itsCurPage) itsCurPage->SetShowProc(proc, data);
}

void APaneBook::SetCurGadValRefConProc(AGadgetValRefConProc proc) {
    if (itsCurPage && itsCurPage->itsCurGad && itsCurPage->itsCurGad->IsInstanceOf("AGadget"))
        static_cast<AGadget*>(itsCurPage->itsCurGad)->SetValRefConProc(proc);
}

void APaneBook::SetCurPageLabelSeparation(SInt32 extra) {
    if (!itsCurPage) return;
    itsCurPage->extraTabOffset = extra;
    RealignEnableGads();
    InvalInterior();
}

void APaneBook::SetBkndColor(const KsRGBColor& color) {
    APane::SetBkndColor(color);
    for (APaneBookPage* p : pages) {
        if (p->itsPagePane) p->itsPagePane->SetBkndColor(color);
        RecolorEnableButton(p, p->IsVisiblePage());
    }
}
