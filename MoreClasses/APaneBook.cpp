// APaneBook: pages, showing, moving and deleting them, clicks and keys. The
// pages are in APaneBookPage.cpp, the builder and value updates in
// APaneBookBuild.cpp, drawing and tab geometry in APaneBookDraw.cpp,
// persistence in APaneBookStream.cpp.
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
constexpr SInt16 kOptionKey = 0x0800;

// Pane hit tests count all four edges as inside.
bool InRectInclusive(const KsRect& r, KsPoint pt) {
    return pt.h >= r.left && pt.h <= r.right && pt.v >= r.top && pt.v <= r.bottom;
}
} // namespace

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
    // The stream brings back the pages and their panes; what it does not
    // carry is copied here, page by page.
    auto* copy = static_cast<APaneBook*>(APane::Copy());
    copy->enableSize = enableSize;
    copy->defaultTabColor = defaultTabColor;
    copy->tabStripOffset = tabStripOffset;
    copy->pageInset = pageInset;
    copy->pageBottomInset = pageBottomInset;
    copy->drawsTabs = drawsTabs;
    for (SInt32 i = 1; i <= std::min(GetPageCount(), copy->GetPageCount()); ++i) {
        const APaneBookPage* from = GetPage(i);
        APaneBookPage* to = copy->GetPage(i);
        to->showProc = from->showProc;
        to->showData = from->showData;
    }
    return copy;
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
    // An update procedure may have taken the page or the book away.
    if (!hold.Alive() || GetPageNum(page) == 0) return;
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
