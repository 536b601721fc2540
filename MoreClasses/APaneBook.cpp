// APaneBook and APaneBookPage: pages, showing, clicks, keys, the property
// sheet builder and value updates. Drawing and tab geometry are in
// APaneBookDraw.cpp, persistence in APaneBookStream.cpp.
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
constexpr SInt16 kOptionKey = 0x0800;
constexpr UInt32 kPagePaneFlag = 0x200;

// The pane ID of a builder gadget: the label without spaces.
std::string GadgetID(const char* label, bool textGadget) {
    std::string id = DeSpace(std::string_view(label ? label : ""));
    if (textGadget) id += "_label";
    return id;
}

// Pane hit tests count all four edges as inside.
bool InRectInclusive(const KsRect& r, KsPoint pt) {
    return pt.h >= r.left && pt.h <= r.right && pt.v >= r.top && pt.v <= r.bottom;
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
            if (p->IsInstanceOf("ACheckBoxGad") || p->IsInstanceOf("ARadioButtonGad"))
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

// ---------------------------------------------------------------------------
// APaneBook: set-up and pages

APaneBook* APaneBook::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                          SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor, bool stacked,
                          bool drawTabs) {
    auto* book = new APaneBook;
    try {
        book->IPaneBook(encl, left, right, wid, top, bot, hei, bkgdColor, stacked, drawTabs);
    } catch (...) {
        book->Dispose();
        throw;
    }
    return book;
}

void APaneBook::IPaneBook(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                          SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor, bool stacked,
                          bool tabs) {
    IPane(encl, left, right, wid, top, bot, hei, bkgdColor, 0);
    iStackedLabels = stacked;
    drawsTabs = tabs;
    iLabelHeight = labelSize + 8;
    if (!stacked) iLabelHeight = labelSize + 6;
    if (stacked) pageBottomInset = 3;
    if (!tabs) {
        iStackedLabels = false;
        iLabelHeight = 0;
        pageBottomInset = 3;
    }
}

void APaneBook::Dispose() {
    iTearingDown = true;
    itsCurPage = nullptr;
    std::vector<APaneBookPage*> gone;
    gone.swap(pages);
    for (APaneBookPage* p : gone)
        p->Dispose();
    APane::Dispose();
}

AObject* APaneBook::Copy() {
    // A copy through the stream keeps the pages and their panes together.
    return APane::Copy();
}

void APaneBook::RemoveSubPane(APane* pane) {
    APane::RemoveSubPane(pane);
    if (iTearingDown || !pane) return;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        APaneBookPage* page = pages[i];
        if (page->itsCurGad == pane) page->itsCurGad = nullptr;
        if (page->itsEnableButton == pane) page->itsEnableButton = nullptr;
        if (page->itsPagePane == pane) {
            // The page pane went away under its page: the page goes too.
            page->itsPagePane = nullptr;
            Unlist(page);
            page->Dispose();
            return;
        }
    }
}

APaneBookPage* APaneBook::GetPage(SInt32 number) const {
    if (number < 1 || number > GetPageCount()) return nullptr;
    return pages[std::size_t(number - 1)];
}

SInt32 APaneBook::GetPageNum(const APaneBookPage* page) const {
    for (std::size_t i = 0; i < pages.size(); ++i)
        if (pages[i] == page) return SInt32(i + 1);
    return 0;
}

void APaneBook::InsertPage(APaneBookPage* page, SInt32 number) {
    const SInt32 n = GetPageCount();
    if (number < 1 || number > n + 1) number = n + 1;
    pages.insert(pages.begin() + (number - 1), page);
}

void APaneBook::Unlist(APaneBookPage* page) {
    auto it = std::find(pages.begin(), pages.end(), page);
    if (it != pages.end()) pages.erase(it);
    if (itsCurPage == page) itsCurPage = nullptr;
}

APane* APaneBook::NewPage(const char* name, SInt32 number, SInt32 refCon, SInt32 windowWidth,
                          SInt32 windowHeight) {
    const SInt32 n = GetPageCount();
    if (number < 1 || number > n + 1) number = n + 1;
    char generated[32];
    if (!name) {
        std::snprintf(generated, sizeof generated, "Pg%d", int(number));
        name = generated;
    }
    APaneBookPage* page = APaneBookPage::New(this, name);
    page->refCon = refCon;
    page->winWidth = windowWidth;
    page->winHeight = windowHeight;
    InsertPage(page, number);
    itsCurPage = page;
    if (!(defaultTabColor == RGBblack)) page->tabColor = defaultTabColor;
    RealignEnableGads();
    InvalInterior();
    return page->itsPagePane;
}

APaneBookPage* APaneBook::AddPageWithPane(APane* pane, SInt32 number) {
    FtlAssert(pane != nullptr);
    if (APaneBookPage* existing = FindPageByPagePane(pane)) return existing;
    APaneBookPage* page = APaneBookPage::NewPageWithPane(this, pane);
    InsertPage(page, number);
    // One page shows at a time: the first visible one wins.
    APaneBookPage* vis = GetVisPage(false);
    if (vis && vis != page) pane->SetVisible(false);
    RealignEnableGads();
    InvalInterior();
    return page;
}

APaneBookPage* APaneBook::FindPageByID(const char* id) const {
    if (!id) return nullptr;
    for (APaneBookPage* p : pages) {
        if (!p->itsPagePane) continue;
        char buf[256];
        p->itsPagePane->GetPaneID(buf, sizeof buf);
        if (std::strcmp(buf, id) == 0) return p;
    }
    return nullptr;
}

APaneBookPage* APaneBook::FindPageByPagePane(const APane* pane) const {
    for (APaneBookPage* p : pages)
        if (pane && p->itsPagePane == pane) return p;
    return nullptr;
}

APane* APaneBook::FindPagePaneByNum(SInt32 number) {
    APaneBookPage* p = GetPage(number);
    return p ? p->itsPagePane : nullptr;
}

APane* APaneBook::FindPagePaneByID(const char* id) {
    APaneBookPage* p = FindPageByID(id);
    return p ? p->itsPagePane : nullptr;
}

APaneBookPage* APaneBook::GetVisPage(bool sub) {
    for (APaneBookPage* p : pages) {
        if (!p->IsVisiblePage()) continue;
        if (sub) {
            if (APaneBookPage* inner = p->GetVisSubPage()) return inner;
        }
        return p;
    }
    return nullptr;
}

SInt32 APaneBook::GetVisPageNum(bool sub) {
    APaneBookPage* vis = GetVisPage(false);
    if (!vis) return 0;
    if (sub) {
        const SInt32 inner = vis->GetVisSubPageNum();
        if (inner) return inner;
    }
    return GetPageNum(vis);
}

void APaneBook::SetCurPage(APaneBookPage* page) {
    if (page && GetPageNum(page) == 0) return;
    itsCurPage = page;
}

void APaneBook::SetReveal(SInt32 reveal) {
    if (reveal == iReveal) return;
    iReveal = reveal;
    RealignEnableGads();
    InvalInterior();
}

// ---------------------------------------------------------------------------
// Showing, moving and deleting pages

void APaneBook::ShowPage(APaneBookPage* page, const char* name, SInt32 number, bool update) {
    if (!page) {
        if (number != 0)
            page = GetPage(number);
        else if (name)
            page = FindPageByID(name);
    }
    // A page that is not found leaves the book as it is.
    if (!page || GetPageNum(page) == 0 || !page->itsPagePane) return;
    if (page->IsVisiblePage() || page->hidden) return;

    StPaneHold hold(this);
    if (APaneBookPage* old = GetVisPage(false)) {
        old->itsPagePane->Deactivate();
        old->itsPagePane->SetVisible(false);
        if (old->showProc) old->showProc(old, old->showData);
        if (!hold.Alive()) return;
        if (drawsTabs) {
            PaneInvalRect(GetTabRect(old));
            RecolorEnableButton(old, false);
        }
    }
    if (GetPageNum(page) == 0 || !page->itsPagePane) return; // a show procedure removed it
    itsCurPage = page;
    page->itsPagePane->SetVisible(true);
    page->itsPagePane->Activate();
    if (drawsTabs) {
        KsRect tab = GetTabRect(page);
        if (!iStackedLabels) tab.bottom += SInt16(pageBottomInset);
        PaneInvalRect(tab);
        RecolorEnableButton(page, true);
    }
    if (update) UpdatePage(page, kBookUpdateAll, nullptr);
    page->SetEnclWinContentSize();
    if (page->showProc) page->showProc(page, page->showData);
}

void APaneBook::NextPage() {
    APaneBookPage* vis = GetVisPage(false);
    const SInt32 n = GetPageCount();
    if (n == 0) return;
    const SInt32 at = vis ? GetPageNum(vis) : 0;
    for (SInt32 k = 1; k <= n; ++k) {
        APaneBookPage* p = GetPage((at + k - 1) % n + 1);
        if (!p->hidden) {
            ShowPage(p, nullptr, 0, false);
            return;
        }
    }
}

APaneBookPage* APaneBook::NeighbourPage(SInt32 step) {
    APaneBookPage* vis = GetVisPage(false);
    if (!vis) return nullptr;
    for (SInt32 i = GetPageNum(vis) + step; i >= 1 && i <= GetPageCount(); i += step)
        if (!GetPage(i)->hidden) return GetPage(i);
    return nullptr;
}

void APaneBook::MoveVisPage(bool earlier) {
    APaneBookPage* vis = GetVisPage(false);
    if (!vis) return;
    const SInt32 at = GetPageNum(vis);
    const SInt32 to = earlier ? at - 1 : at + 1;
    if (to < 1 || to > GetPageCount()) return;
    std::swap(pages[std::size_t(at - 1)], pages[std::size_t(to - 1)]);
    RealignEnableGads();
    InvalInterior();
}

void APaneBook::DeletePage(APaneBookPage* page) {
    if (GetPageCount() < 2 || GetPageNum(page) == 0) return;
    Unlist(page);
    page->Dispose();
    if (!pages.empty()) ShowPage(pages.front(), nullptr, 0, false);
    RealignEnableGads();
    InvalInterior();
}

void APaneBook::DeleteVisPage() {
    if (APaneBookPage* vis = GetVisPage(false)) DeletePage(vis);
}

void APaneBook::SetVisPageName(const char* name) {
    APaneBookPage* vis = GetVisPage(false);
    if (!vis) return;
    vis->itsPagePane->SetText(name ? name : "");
    RealignEnableGads();
    InvalInterior();
}

void APaneBook::GetVisPageName(char* buf, SInt32 len) {
    if (!buf || len <= 0) return;
    buf[0] = 0;
    if (APaneBookPage* vis = GetVisPage(false)) vis->GetName(buf, len);
}

void APaneBook::SetControlsVisible(bool on) {
    for (APaneBookPage* p : pages)
        p->SetControlsVisible(on);
}

void APaneBook::EnableVisPage(bool on) {
    if (APaneBookPage* vis = GetVisPage(false)) vis->EnableVisPage(on);
}

bool APaneBook::TabsOnly() {
    return GetInterior().Width() < kTabsOnlyWidth;
}

// ---------------------------------------------------------------------------
// Clicks and keys

bool APaneBook::PtInTabArea(KsPoint pt) {
    if (!drawsTabs) return false;
    const KsRect in = GetInterior();
    if (iStackedLabels) return pt.h < in.left + iLabelWidth + iLabelMargin + iLabelMargin2 + 2;
    return pt.v < in.top + iLabelHeight;
}

void APaneBook::DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) {
    const bool design = GetDesignMode();
    if (!PtInTabArea(pt)) {
        APaneBookPage* vis = GetVisPage(false);
        if (design) {
            APane::DoClick(pt, modifiers, when, data);
        } else if (vis && vis->itsPagePane && InRectInclusive(vis->itsPagePane->GetFrame(), pt)) {
            StPaneHold hold(vis->itsPagePane);
            vis->itsPagePane->DoClick(pt, modifiers, when, data);
        } else {
            APane::DoClick(pt, modifiers, when, data);
        }
        return;
    }
    KsRect tab{};
    APaneBookPage* page = nullptr;
    for (APaneBookPage* p : pages) {
        if (p->hidden) continue;
        KsRect r = GetTabRect(p);
        if (iStackedLabels) {
            r.top -= 1;
            r.bottom += 1;
        }
        if (InRectInclusive(r, pt)) {
            page = p;
            tab = r;
            break;
        }
    }
    if (!page) {
        if (!design) APane::DoClick(pt, modifiers, when, data);
        return;
    }
    if (!page->itsEnableButton || design) {
        if (!page->IsVisiblePage())
            ShowPage(page, nullptr, 0, false);
        else if (modifiers & kOptionKey)
            UpdatePage(page, kBookUpdateOption, nullptr);
        return;
    }
    StPaneHold hold(this);
    APushButton* button = page->itsEnableButton;
    const bool before = button->GetState();
    APane::DoClick(pt, modifiers, when, data);
    if (!hold.Alive() || GetPageNum(page) == 0) return;
    const bool changed = page->itsEnableButton && page->itsEnableButton->GetState() != before;
    if (!page->IsVisiblePage() && !changed) ShowPage(page, nullptr, 0, false);
}

bool APaneBook::DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) {
    if (charCode == 0 && keyCode == 0 && event)
        keyCode = SInt16((event->message & keyCodeMask) >> 8);
    if ((drawsTabs || GetDesignMode()) && (keyCode == kPageUpKey || keyCode == kPageDownKey)) {
        if (APaneBookPage* p = NeighbourPage(keyCode == kPageUpKey ? -1 : 1))
            ShowPage(p, nullptr, 0, false);
        return true;
    }
    for (APaneBookPage* p : pages)
        if (!p->hidden && p->IsVisiblePage())
            return p->itsPagePane->DoKeyDown(charCode, keyCode, event, data);
    return false;
}

// ---------------------------------------------------------------------------
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
