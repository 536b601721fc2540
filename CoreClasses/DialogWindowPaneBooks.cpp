// DialogWindow and pane books: the builders, the page accessors, and
// GetEnclPane, which also finds the page panes of every book in the dialog.
#include "APaneBook.h"
#include "DialogWindow.h"

namespace {
APaneBook* Book(APane* p) {
    return p && p->IsInstanceOf("APaneBook") ? static_cast<APaneBook*>(p) : nullptr;
}

// The page pane of that ID in any pane book under root; null when none.
APane* FindPageInBooks(APane* root, const char* id) {
    if (!root) return nullptr;
    if (APaneBook* book = Book(root))
        if (APane* page = book->FindPagePaneByID(id)) return page;
    for (SInt32 i = 1; i <= root->GetNumSubPanes(); ++i)
        if (APane* found = FindPageInBooks(root->GetSubPane(i), id)) return found;
    return nullptr;
}

// The page of book whose page pane has that ID.
APaneBookPage* PageOf(APaneBook* book, const char* id) {
    APane* pane = book ? book->FindPagePaneByID(id) : nullptr;
    for (SInt32 n = 1; pane && n <= book->GetPageCount(); ++n)
        if (book->GetPage(n)->GetPagePane() == pane) return book->GetPage(n);
    return nullptr;
}
} // namespace

APane* DialogWindow::GetEnclPane(const char* id) {
    if (!id) return mainPane;
    if (APane* p = FindPaneByID(id)) return p;
    APane* page = FindPageInBooks(mainPane, id);
    return page ? page : mainPane;
}

APane* DialogWindow::AddPaneBook(const char* id, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                                 SInt16 bot, SInt16 hei, const char* enclID) {
    return Built(APaneBook::New(GetEnclPane(enclID), left, right, wid, top, bot, hei, schemeColor,
                                false, true),
                 id);
}

APane* DialogWindow::AddPaneBookPage(const char* id, const char* name, const char* bookID) {
    APaneBook* book = Book(GetEnclPane(bookID));
    if (!book) return nullptr;
    APane* page = book->NewPage(name, -1, 0, 0, 0);
    if (!page) return nullptr;
    page->SetPaneID(id);
    lastAddedPane = page;
    return page;
}

void DialogWindow::ShowPaneBookPage(const char* bookID, const char* pageID) {
    if (APaneBook* book = Book(GetEnclPane(bookID)))
        if (APaneBookPage* page = PageOf(book, pageID)) book->ShowPage(page, nullptr, 0, true);
}

void DialogWindow::HidePaneBookPage(const char* bookID, const char* pageID) {
    if (APaneBookPage* page = PageOf(Book(GetEnclPane(bookID)), pageID)) page->SetHidden(true);
}

long DialogWindow::ShownPaneBookPage(const char* bookID) {
    APaneBook* book = Book(GetEnclPane(bookID));
    return book ? book->GetVisPageNum(false) : 0;
}
