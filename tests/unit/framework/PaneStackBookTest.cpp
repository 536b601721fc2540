// A stack pane whose body is a pane book: one book per pane, pages as
// targets of the builder, values refreshed through the book.
#include "APaneBook.h"
#include "ApplicationTestSupport.h"
#include "KsPaneStackCheck.h"

namespace {

int gRefreshed = 0;
void Count(SInt32, APane*, void*) {
    ++gRefreshed;
}

class PaneStackBookTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        w = Win("stack");
        SizeWindow(w->GetWindowPtr(), 300, 400, false);
        SetPortWindowPort(w->GetWindowPtr());
        w->CreateMainPane();
        stack = APaneStack::New(w->GetMainPane(), 0, 0, 200, 13, 10, 0, RGBgray11);
    }
    APaneStack* stack = nullptr;
    RecWindow* w = nullptr;
};

TEST_F(PaneStackBookTest, BookPagesTakeGadgetsAndRefreshThroughTheBook) {
    EXPECT_EQ(stack->AddPaneBook("", 3, false), nullptr); // no current pane
    AStackPane* p = stack->AddPane(0, 0, "Settings", 6, 0);
    EXPECT_EQ(stack->AddPaneBookPage("None", 1, 0), nullptr); // no book yet
    APaneBook* book = stack->AddPaneBook("", 3, false);
    ASSERT_NE(book, nullptr);
    EXPECT_EQ(p->GetPaneBook(), book);
    EXPECT_EQ(stack->AddPaneBook("", 3, false), nullptr); // one book per pane
    APane* general = stack->AddPaneBookPage("General", 1, 10);
    ASSERT_NE(general, nullptr);
    EXPECT_EQ(stack->GetCurTarget(), general);
    EXPECT_TRUE(stack->IsPanePage());
    EXPECT_EQ(stack->GetCurTopOffset(), 5);
    AGadget* g = stack->AddLabelGad(3, "Quality", Count, 4, 5);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->GetEnclPane(), general);
    EXPECT_TRUE(g->GetOwnVisible()); // a book's gadgets show with their page
    p->OpenPane();
    EXPECT_TRUE(book->GetOwnVisible());
    gRefreshed = 0;
    stack->UpdateValues(0, nullptr);
    EXPECT_EQ(gRefreshed, 1);
    EXPECT_TRUE(StackInvariantsHold(stack));
    book->Dispose();
    EXPECT_EQ(p->GetPaneBook(), nullptr);
    stack->UpdateValues(0, nullptr);
    EXPECT_EQ(gRefreshed, 1);
}

} // namespace
