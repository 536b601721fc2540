// A pane stack through the pane property text: the classes come back with
// their rows, pages and header gadgets, and a stored total is not trusted.
#include "APagePane.h"
#include "ApplicationTestSupport.h"
#include "KsPaneStackCheck.h"
#include "PaneStream.h"

#include <string>

namespace {

class PaneStackPersistTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        w = Win("stack");
        SizeWindow(w->GetWindowPtr(), 300, 400, false);
        SetPortWindowPort(w->GetWindowPtr());
        w->CreateMainPane();
    }
    RecWindow* w = nullptr;
};

TEST_F(PaneStackPersistTest, PaneTextKeepsPanesRowsAndHeaderGadgets) {
    APaneStack* s = APaneStack::New(w->GetMainPane(), 0, 0, 180, 12, 6, 0, RGBwhite);
    s->AddPane(5, 2, "Clip", 4, 1)->OpenPane();
    s->AddPane(6, 3, "Audio", 3, 0);
    s->AddPanePage(9, "Levels", 2, nullptr, 0);
    s->AddPaneType(7, 4, "Summary", 2, kStackPaneAlwaysOpen);
    const std::string text = WritePaneText(s);
    APane* back = ReadPaneText(text.data(), long(text.size()), w->GetMainPane(), w);
    ASSERT_TRUE(back && back->IsInstanceOf("APaneStack"));
    auto* r = static_cast<APaneStack*>(back);
    ASSERT_EQ(r->CountStackPanes(), 3);
    EXPECT_EQ(r->GetRowHeight(), 12);
    EXPECT_EQ(r->GetTotalItems(), s->GetTotalItems());
    EXPECT_TRUE(StackInvariantsHold(r));
    struct Want {
        SInt32 refCon, type;
        bool open, opener;
    } want[] = {{5, 2, true, true}, {6, 3, false, true}, {7, 4, true, false}};
    for (SInt32 i = 1; i <= 3; ++i) {
        const Want& x = want[i - 1];
        AStackPane* p = r->GetStackPane(i);
        EXPECT_EQ(p->GetValueRefCon(), x.refCon);
        EXPECT_EQ(p->GetPaneType(), x.type);
        EXPECT_EQ(p->IsOpen(), x.open);
        EXPECT_EQ(p->GetOpenerGad() != nullptr, x.opener);
        EXPECT_NE(p->GetLabelGad(), nullptr);
    }
    ASSERT_NE(r->GetStackPane(2)->GetCurPage(), nullptr);
    EXPECT_EQ(r->GetStackPane(2)->GetCurPage()->GetValueRefCon(), 9);
    // Opening after the round trip moves the panes after it as before.
    r->GetStackPane(2)->OpenPane();
    EXPECT_TRUE(StackInvariantsHold(r));
}

} // namespace
