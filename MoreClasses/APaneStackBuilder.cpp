// APaneStack builder: stack panes, pages and the gadgets of a property panel,
// each gadget placed in the current target with its refcon and value-update
// procedure. Members that stack gadgets downward advance the stack pane's
// curTopOffset by their row step.
#include "APaneStack.h"

#include "AGadget.h"
#include "APagePane.h"
#include "APaneBook.h"
#include "APaneStackPrivate.h"
#include "APushButton.h"
#include "AScrollablePane.h"
#include "AStackPane.h"
#include "KsColorScheme.h"
#include "KsDrawUtils.h"
#include "KsText.h"

#include <string>

namespace {
constexpr SInt16 S = kPaneDontCare;
// Row steps of the members that stack their gadgets.
constexpr SInt16 kCheckBoxRowStep = 13;
constexpr SInt16 kPopupRowStep = 13;
// The bevelled border of the builder's buttons.
constexpr SInt32 kBevelBorder = 19;
constexpr SInt32 kButtonBorder = 27;
// Longest label a text gadget's pane ID is made from.
constexpr std::size_t kMaxLabelID = 128;

// Lit from the top left in the colour, or the scheme's button colour.
void BevelBorderProc(KsRect* rect, SInt32, const KsRGBColor* colors, Boolean draw, SInt32) {
    if (!draw || !colors) {
        rect->Inset(1, 1);
        return;
    }
    KsRGBColor c = *colors;
    if (c != RGBButtonPurpleColor && GetColorSchemeAttr("CS_BUT_COLOR") != 0)
        GetSchemeColor("CS_BUT_COLOR_RED", "CS_BUT_COLOR_GREEN", "CS_BUT_COLOR_BLUE", &c);
    TwoColoredBevelFrame(*rect, ScaleRGBIntensity(c, 13, 10), ScaleRGBIntensity(c, 7, 10));
    const RGBColor black = ToRGBColor(RGBblack), white = ToRGBColor(RGBwhite);
    RGBForeColor(&black);
    RGBBackColor(&white);
}
} // namespace

// --- Stack panes and pages --------------------------------------------------------

AStackPane* APaneStack::AddPane(SInt32 refCon, SInt32 paneType, const char* name,
                                SInt16 heightMultiple, SInt16 moreMultiple) {
    AStackPane* p = AddPaneType(refCon, paneType, name, heightMultiple, kStackPaneOrdinary);
    p->SetMoreMultiple(moreMultiple);
    return p;
}

// The rows of a stack are its panes' rows: an empty stack starts counting
// afresh, whatever total it was built with.
AStackPane* APaneStack::AddPaneType(SInt32 refCon, SInt32 paneType, const char* name,
                                    SInt16 heightMultiple, SInt16 paneStyle) {
    AScrollablePane* main = GetMainPane();
    if (CountStackPanes() == 0) totalItems = 0;
    nextPaneTop = totalItems * rowHeight;
    ++lastPaneIndex;
    AStackPane* p = AStackPane::New(main, refCon, paneType, name, heightMultiple, paneStyle, 0);
    totalItems += p->RowsNow();
    SetRangeFromTotal();
    SetCurrent(p, p);
    return p;
}

void APaneStack::SetPaneLabelClickProcs(AGadgetClickProc downProc, AGadgetUpClickProc upProc) {
    AGadget* label = curStackPane ? curStackPane->GetLabelGad() : nullptr;
    if (!label) return;
    label->SetDownClickProc(downProc);
    label->SetUpClickProc(upProc);
}

APagePane* APaneStack::AddPanePage(SInt32 refCon, const char* name, SInt16 heightMultiple,
                                   AGadgetValUpdateProc proc, SInt16 moreMultiple) {
    if (!curStackPane) return nullptr;
    APagePane* page =
        APagePane::New(curStackPane, refCon, name, heightMultiple, proc, moreMultiple);
    curTarget = page;
    curStackPane->SetCurTopOffset(0);
    curStackPane->SetPaneBook(nullptr);
    if (!curStackPane->GetCurPage()) curStackPane->SetCurPage(page);
    return page;
}

bool APaneStack::IsPanePage() const {
    return curTarget != curStackPane;
}

SInt16 APaneStack::GetCurTopOffset() const {
    return curStackPane ? curStackPane->GetCurTopOffset() : SInt16(0);
}

void APaneStack::SetCurTopOffset(SInt16 offset) {
    if (curStackPane) curStackPane->SetCurTopOffset(offset);
}

// --- Pane book ---------------------------------------------------------------------

APaneBook* APaneStack::AddPaneBook(const char*, SInt16 rows, bool stacked) {
    if (!curStackPane || !curTarget || curStackPane->GetPaneBook()) return nullptr;
    APaneBook* book =
        APaneBook::New(curTarget, -2, S, SInt16(paneWidth + 2), curStackPane->GetCurTopOffset(), S,
                       SInt16(rowHeight * (rows + 2)), GetBkndColor(), stacked, true);
    book->SetInheritsBkgd(true, 0);
    book->SetVisible(curStackPane->GetPaneStyle() == kStackPaneAlwaysOpen ||
                     curStackPane->IsOpen());
    curStackPane->SetPaneBook(book);
    return book;
}

APane* APaneStack::AddPaneBookPage(const char* name, SInt32 number, SInt32 refCon) {
    APane* b = curStackPane ? curStackPane->GetPaneBook() : nullptr;
    if (!b || !b->IsInstanceOf("APaneBook")) return nullptr;
    auto* book = static_cast<APaneBook*>(b);
    APane* page =
        book->NewPage(name, number, refCon, APaneBookPage::kNoSize, APaneBookPage::kNoSize);
    if (!page) return nullptr;
    curTarget = page;
    curStackPane->SetCurTopOffset(5);
    if (number == 1) book->SetCurPageLabelSeparation(4);
    return page;
}

// --- Gadgets ----------------------------------------------------------------------

void APaneStack::AddGadCommon(APane* gad, SInt32 refCon, const char* label,
                              AGadgetValUpdateProc proc, bool textLabel) {
    KsStackSetValueProc(gad, proc, refCon);
    gad->SetInheritsBkgd(true, 0);
    const bool shows = curStackPane->InTopRow(gad) ||
                       curStackPane->GetPaneStyle() == kStackPaneAlwaysOpen ||
                       curStackPane->GetPaneBook() != nullptr || curStackPane->IsOpen();
    gad->SetVisible(shows);
    if (label && *label) {
        if (textLabel)
            gad->SetPaneID((DeSpace(std::string(label).substr(0, kMaxLabelID)) + "_label").c_str());
        else
            gad->SetPaneID(DeSpace(label).c_str());
    }
    curStackPane->SetCurGad(gad);
}

AGadget* APaneStack::AddLabelGadStyle(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                      SInt16 left, SInt16 top, SInt16 font, SInt16 size,
                                      SInt16 face) {
    if (!curStackPane || !curTarget) return nullptr;
    // Sized to its text as the framework's labels are, with their slack, so
    // that no glyph is clipped.
    AGadget* g = AGadget::NewLabel(curTarget, label ? label : "", left, top, font, size, face, 0);
    g->Resize(S, SInt16(size + 2));
    AddGadCommon(g, refCon, label, proc, true);
    PostAddGad();
    return g;
}

AGadget* APaneStack::AddLabelGad(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                 SInt16 left, SInt16 top) {
    return AddLabelGadStyle(refCon, label, proc, left, top, 1, 9, 0);
}

AGadget* APaneStack::AddRsrcGad(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                SInt16 left, SInt16 wid, SInt16 top, SInt16 hei, OSType rsrcType,
                                SInt16 rsrcID) {
    if (!curStackPane || !curTarget) return nullptr;
    AGadget* g = AGadget::New(curTarget, left, S, wid, top, S, hei, GetBkndColor(), 0);
    g->SetRsrc(rsrcType, rsrcID);
    AddGadCommon(g, refCon, label, proc, false);
    PostAddGad();
    return g;
}

AGadget* APaneStack::AddButtonGadStyle(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                       AGadgetClickProc downProc, AGadgetUpClickProc upProc,
                                       SInt16 left, SInt16 wid, SInt16 top, SInt16 hei,
                                       SInt32 border, OSType rsrcType, SInt16 rsrcID) {
    if (!curStackPane || !curTarget) return nullptr;
    APushButton* b = APushButton::New(curTarget, left, S, wid, top, S, hei, upProc, 0, 0);
    b->SetDownClickProc(downProc);
    b->SetBorderStyle(border);
    if (border == kBevelBorder) b->SetBorderProc(BevelBorderProc);
    b->SetState(false, true);
    if (rsrcID) b->SetRsrc(rsrcType, rsrcID);
    AddGadCommon(b, refCon, label, proc, false);
    return b;
}

AGadget* APaneStack::AddButtonGad(SInt32 refCon, const char*, AGadgetValUpdateProc proc,
                                  AGadgetClickProc downProc, AGadgetUpClickProc upProc, SInt16 left,
                                  SInt16 top) {
    AGadget* b = AddButtonGadStyle(refCon, nullptr, proc, downProc, upProc, left, 12, top, 9,
                                   kButtonBorder, 0, 0);
    if (!b) return nullptr;
    b->SetForeColor(RGBButtonPurpleColor);
    b->SetBorderProc(BevelBorderProc);
    return b;
}

AGadget* APaneStack::AddEnableGad(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                  AGadgetClickProc downProc, AGadgetUpClickProc upProc, SInt16 left,
                                  SInt16 top) {
    AGadget* b = AddButtonGad(refCon, label, proc, downProc, upProc, left, top);
    if (!b) return nullptr;
    b->SetPaneID(label && *label ? DeSpace(label).c_str() : "enable");
    curStackPane->SetEnableGad(b);
    return b;
}

AGadget* APaneStack::AddCustomGad(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                  AGadgetClickProc downProc, AGadgetUpClickProc upProc, SInt16 left,
                                  SInt16 wid, SInt16 top, SInt16 hei, SInt32 border) {
    if (!curStackPane || !curTarget) return nullptr;
    AGadget* g = AGadget::New(curTarget, left, S, wid, top, S, hei, GetBkndColor(), border);
    g->SetDownClickProc(downProc);
    g->SetUpClickProc(upProc);
    AddGadCommon(g, refCon, label, proc, false);
    PostAddGad();
    return g;
}

AGadget* APaneStack::AddMenuIDGad(SInt32 refCon, const char* label, SInt16 menuID,
                                  AGadgetValUpdateProc proc, AGadgetClickProc downProc,
                                  AGadgetUpClickProc upProc, SInt16 left, SInt16 top) {
    AGadget* b = AddButtonGadStyle(refCon, label, proc, downProc, upProc, left, 15, top, 11,
                                   kBevelBorder, 0, 0);
    if (b && menuID) b->SetMenuID(menuID);
    return b;
}

AGadget* APaneStack::AddMenuGad(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                AGadgetClickProc downProc, AGadgetUpClickProc upProc, SInt16 left,
                                SInt16 top) {
    return AddMenuIDGad(refCon, label, 0, proc, downProc, upProc, left, top);
}

AGadget* APaneStack::AddDlogGad(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                AGadgetClickProc downProc, AGadgetUpClickProc upProc, SInt16 left,
                                SInt16 top) {
    return AddMenuIDGad(refCon, label, 0, proc, downProc, upProc, left, top);
}

// A label, then a button or menu button beside it; the button is the
// current gadget.
AGadget* APaneStack::AddLabelThenButton(SInt32 refCon, const char* label,
                                        AGadgetValUpdateProc labelProc, AGadgetClickProc downProc,
                                        AGadgetUpClickProc upProc, SInt16 left, SInt16 top,
                                        bool menu, SInt16 rowStep) {
    if (!curStackPane || !curTarget) return nullptr;
    if (label && *label) AddLabelGad(refCon, label, labelProc, SInt16(left + 16), top);
    AGadget* b = menu ? AddMenuGad(refCon, label, nullptr, downProc, upProc, left, SInt16(top + 1))
                      : AddButtonGad(refCon, label, nullptr, downProc, upProc, left, top);
    if (b && rowStep)
        curStackPane->SetCurTopOffset(SInt16(curStackPane->GetCurTopOffset() + rowStep));
    return b;
}

AGadget* APaneStack::AddPopupMenuGadAt(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                       AGadgetClickProc downProc, AGadgetUpClickProc upProc,
                                       SInt16 left, SInt16 top) {
    return AddLabelThenButton(refCon, label, proc, downProc, upProc, left, top, true, 0);
}

AGadget* APaneStack::AddPopupMenuGadAt1(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                        AGadgetClickProc downProc, AGadgetUpClickProc upProc,
                                        SInt16 left, SInt16 top) {
    return AddLabelThenButton(refCon, label, proc, downProc, upProc, left, top, true,
                              kPopupRowStep);
}

AGadget* APaneStack::AddPopupMenuGad(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                     AGadgetClickProc downProc, AGadgetUpClickProc upProc) {
    if (!curStackPane) return nullptr;
    return AddLabelThenButton(refCon, label, proc, downProc, upProc, 34,
                              curStackPane->GetCurTopOffset(), true, kPopupRowStep);
}

AGadget* APaneStack::AddCheckBoxGadAt(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                      AGadgetClickProc downProc, AGadgetUpClickProc upProc,
                                      SInt16 left, SInt16 top) {
    if (!curStackPane || !curTarget) return nullptr;
    if (label && *label)
        AddLabelGad(refCon, label, nullptr, SInt16(left + 16), top == 1 ? SInt16(0) : top);
    return AddButtonGad(refCon, label, proc, downProc, upProc, left, top);
}

AGadget* APaneStack::AddCheckBoxGad(SInt32 refCon, const char* label, AGadgetValUpdateProc proc,
                                    AGadgetClickProc downProc, AGadgetUpClickProc upProc) {
    if (!curStackPane || !curTarget) return nullptr;
    const SInt16 row = curStackPane->GetCurTopOffset();
    if (label && *label) AddLabelGad(refCon, label, nullptr, 50, row);
    AGadget* b = AddButtonGad(refCon, label, proc, downProc, upProc, 34, row);
    if (b) curStackPane->SetCurTopOffset(SInt16(row + kCheckBoxRowStep));
    return b;
}
