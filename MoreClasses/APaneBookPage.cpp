// APaneBookPage: one page of a pane book, its page pane and enable button,
// and what it passes on to the gadgets of its page.
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
constexpr UInt32 kPagePaneFlag = 0x200;

// The pane ID of a builder gadget: the label without spaces.
std::string GadgetID(const char* label, bool textGadget) {
    std::string id = DeSpace(std::string_view(label ? label : ""));
    if (textGadget) id += "_label";
    return id;
}

bool IsBook(const APane* p) {
    return p && p->IsInstanceOf("APaneBook");
}
} // namespace

// ---------------------------------------------------------------------------
// APaneBookPage

APaneBookPage* APaneBookPage::Make(APaneBook* book) {
    FtlAssert(book != nullptr);
    auto* page = new APaneBookPage;
    page->itsBook = book;
    return page;
}

APaneBookPage* APaneBookPage::New(APaneBook* book, const char* name) {
    APaneBookPage* page = Make(book);
    try {
        page->IPaneBookPage(book, name);
    } catch (...) {
        page->Dispose();
        throw;
    }
    return page;
}

void APaneBookPage::IPaneBookPage(APaneBook* book, const char* name) {
    itsBook = book;
    const bool first = !book->GetVisPage(false);
    AScrollablePane* pane = AScrollablePane::New(book, 0, 0, S, 0, 0, S, book->GetBkndColor(), 0);
    itsPagePane = pane;
    book->PlacePagePane(pane);
    pane->SetVisible(first);
    pane->SetFontSizeFace(1, book->labelSize, book->labelFace);
    pane->SetText(name ? name : "");
    pane->SetFlag(kPagePaneFlag, true);
    if (book->GetDesignMode()) {
        char id[256];
        book->GetPaneID(id, sizeof id);
        pane->SetPaneID(id);
    }
}

APaneBookPage* APaneBookPage::NewPageWithPane(APaneBook* book, APane* pane) {
    FtlAssert(pane != nullptr);
    APaneBookPage* page = Make(book);
    page->itsPagePane = pane;
    if (pane->GetEnclPane() != book) pane->SetEnclosure(book);
    pane->SetBkndColor(book->GetBkndColor());
    pane->SetFlag(kPagePaneFlag, true);
    return page;
}

void APaneBookPage::Dispose() {
    // Cleared first: the book's RemoveSubPane must find nothing to forget.
    APane* pane = itsPagePane;
    APane* button = itsEnableButton;
    itsPagePane = nullptr;
    itsEnableButton = nullptr;
    itsCurGad = nullptr;
    if (button) button->Dispose();
    if (pane) pane->Dispose();
    AObject::Dispose();
}

void APaneBookPage::Forget(APane* pane) {
    if (pane == itsEnableButton) itsEnableButton = nullptr;
    if (pane == itsPagePane) itsPagePane = nullptr;
    if (pane == itsCurGad) itsCurGad = nullptr;
}

bool APaneBookPage::IsVisiblePage() const {
    return itsPagePane && itsPagePane->GetOwnVisible();
}

void APaneBookPage::GetName(char* buf, SInt32 len) const {
    if (!buf || len <= 0) return;
    buf[0] = 0;
    if (itsPagePane) itsPagePane->GetText(buf, len);
}

void APaneBookPage::SetControlsVisible(bool on) {
    if (!itsPagePane) return;
    itsPagePane->ForEachSubPane(
        [](APane* p, void* a, void*) {
            const bool show = *static_cast<bool*>(a);
            if (p->IsInstanceOf("ACheckBoxGad") || p->IsInstanceOf("ARadioButtonGad") ||
                p->IsInstanceOf("ACheckBox") || p->IsInstanceOf("ARadioBut"))
                p->SetVisible(show);
            else if (IsBook(p))
                static_cast<APaneBook*>(p)->SetControlsVisible(show);
            return true;
        },
        &on, nullptr);
}

void APaneBookPage::SetShowProc(APaneBookShowProc proc, void* data) {
    showProc = proc;
    showData = data;
}

void APaneBookPage::UpdateValues(SInt32 mode, void* data) {
    if (!itsPagePane) return;
    struct Args {
        SInt32 mode;
        void* data;
    } args{mode, data};
    itsPagePane->ForEachSubPane(
        [](APane* p, void* a, void*) {
            auto* x = static_cast<Args*>(a);
            if (IsBook(p)) {
                static_cast<APaneBook*>(p)->UpdateValues(x->mode, x->data);
                return false;
            }
            if (p->IsInstanceOf("AGadget"))
                static_cast<AGadget*>(p)->UpdateValues(x->mode, x->data);
            return true;
        },
        &args, nullptr);
}

void APaneBookPage::RefConUpdateValues(SInt32 ref, SInt32 mode, void* data, APane* except) {
    if (!itsPagePane) return;
    struct Args {
        SInt32 ref, mode;
        void* data;
        APane* except;
    } args{ref, mode, data, except};
    itsPagePane->ForEachSubPane(
        [](APane* p, void* a, void*) {
            auto* x = static_cast<Args*>(a);
            if (p == x->except) return true;
            if (IsBook(p)) {
                static_cast<APaneBook*>(p)->RefConUpdateValues(x->ref, x->mode, x->data, x->except);
                return false;
            }
            if (p->IsInstanceOf("AGadget")) {
                auto* g = static_cast<AGadget*>(p);
                if (g->HasValueRefCon(x->ref)) g->UpdateValues(x->mode, x->data);
            }
            return true;
        },
        &args, nullptr);
}

APane* APaneBookPage::GenericFindGad(APaneBookGadTest test, void* data) {
    if (!itsPagePane || !test) return nullptr;
    struct Args {
        APaneBookGadTest test;
        void* data;
        APane* found;
    } args{test, data, nullptr};
    itsPagePane->ForEachSubPane(
        [](APane* p, void* a, void*) {
            auto* x = static_cast<Args*>(a);
            if (x->found) return false;
            if (x->test(p, x->data)) x->found = p;
            return !x->found;
        },
        &args, nullptr);
    return args.found;
}

APane* APaneBookPage::RefConFindGad(SInt32 ref) {
    return GenericFindGad(
        [](APane* p, void* d) {
            return p->IsInstanceOf("AGadget") &&
                   static_cast<AGadget*>(p)->HasValueRefCon(*static_cast<SInt32*>(d));
        },
        &ref);
}

APane* APaneBookPage::RefConFindEnableGad(SInt32 ref) {
    return itsEnableButton && itsEnableButton->HasValueRefCon(ref) ? itsEnableButton : nullptr;
}

void APaneBookPage::EnableVisPage(bool on) {
    if (!itsPagePane) return;
    itsPagePane->ForEachSubPane(
        [](APane* p, void* a, void*) {
            if (p->IsInstanceOf("AGadget"))
                static_cast<AGadget*>(p)->SetEnabled(*static_cast<bool*>(a));
            return true;
        },
        &on, nullptr);
}

APaneBookPage* APaneBookPage::GetVisSubPage() {
    APane* found = GenericFindGad([](APane* p, void*) { return IsBook(p); }, nullptr);
    return found ? static_cast<APaneBook*>(found)->GetVisPage(false) : nullptr;
}

SInt32 APaneBookPage::GetVisSubPageNum() {
    APane* found = GenericFindGad([](APane* p, void*) { return IsBook(p); }, nullptr);
    return found ? static_cast<APaneBook*>(found)->GetVisPageNum(false) : 0;
}

bool APaneBookPage::RefConActivateTE(SInt32 ref) {
    APane* p = RefConFindGad(ref);
    if (!p || !p->CanBeTabbedTo()) return false;
    p->TabTo();
    return true;
}

bool APaneBookPage::SetHidden(bool on) {
    if (hidden == on) return false;
    hidden = on;
    if (itsEnableButton) itsEnableButton->SetVisible(!on);
    if (itsBook) {
        itsBook->RealignEnableGads();
        itsBook->InvalInterior();
    }
    return true;
}

bool APaneBookPage::SetEnclWinContentSize() {
    if (winWidth == kNoSize || winHeight == kNoSize || !itsBook) return false;
    AWindow* w = itsBook->GetEnclWindow();
    if (!w || !KsIsLiveWindow(w)) return false;
    w->SetContentSize(winWidth, winHeight);
    return true;
}

void APaneBookPage::AdoptGadget(AGadget* gad, const char* label, bool textGadget, SInt32 ref,
                                AGadgetValUpdateProc proc) {
    gad->SetInheritsBkgd(true, 0);
    gad->SetText(label ? label : "");
    gad->SetValUpdateProc(proc);
    gad->SetValueRefCon(ref);
    gad->SetVisible(true);
    gad->SetPaneID(GadgetID(label, textGadget).c_str());
    itsCurGad = gad;
}
