// What the pane stack's builders make: slider and text-field members in
// their place in the row, pane books whose pages take gadgets, text fields in
// the value protocol; and the stack they build through header clicks and the
// pane property text.
#include "AMacPopupMenu.h"
#include "AMacToggles.h"
#include "APaneBook.h"
#include "ATextEntry.h"
#include "PaneStackTestSupport.h"
#include "PaneStream.h"

#include <functional>
#include <string>

namespace {

class PaneStackSlidersTest : public PaneStackTest {
protected:
    void SetUp() override {
        PaneStackTest::SetUp();
        NewStack(13, 6)->AddPane(1, 0, "Sliders", 12, 0);
    }
    SInt16 Row() const { return stack->GetCurStackPane()->GetCurTopOffset(); }
};

TEST_F(PaneStackSlidersTest, EachSliderMemberMakesItsClassAndMovesTheRowOn) {
    struct Case {
        const char* what;
        std::function<APane*(APaneStack*)> add;
        const char* cls;
        SInt16 step;
        SInt16 height;
    } cases[] = {
        {"slider",
         [](APaneStack* s) { return s->AddSliderGad(1, "Gain", nullptr, nullptr, 0, 100); },
         "AThinSlider", 12, 9},
        {"long",
         [](APaneStack* s) { return s->AddSliderGadLong(1, "Pan", nullptr, nullptr, -5, 5); },
         "AThinSlider", 12, 9},
        {"fp",
         [](APaneStack* s) { return s->AddFPSliderGad(1, "Mix", nullptr, nullptr, 0, 1, 0.1); },
         "AThinSlider", 12, 9},
        {"tread",
         [](APaneStack* s) {
             return s->AddTreadmillGadMargin(1, "Jog", nullptr, nullptr, -50, 50, 20, 20);
         },
         "ATreadMill", 12, 9},
        {"angle",
         [](APaneStack* s) { return s->AddAngleGad(1, "Hue", nullptr, nullptr, 0, 360, 5); },
         "AWindMill", 36, 33},
        {"check box",
         [](APaneStack* s) { return s->AddMacCheckBoxGad(2, "Loop", nullptr, nullptr); },
         "ACheckBox", 17, 14},
        {"check box at",
         [](APaneStack* s) { return s->Add1MacCheckBoxGad(3, "Lock", nullptr, nullptr, 100, 4); },
         "ACheckBox", 0, 14},
        {"pop-up menu",
         [](APaneStack* s) {
             return s->AddMacPopupMenuGad(4, "Status", nullptr, nullptr, nullptr);
         },
         "AMacPopupMenu", 19, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const SInt16 before = Row();
        APane* p = c.add(stack);
        ASSERT_NE(p, nullptr);
        EXPECT_TRUE(p->IsInstanceOf(c.cls));
        EXPECT_EQ(Row(), before + c.step);
        EXPECT_EQ(p->GetHeight(), c.height);
        EXPECT_EQ(stack->GetCurStackPane()->GetCurGad(), p);
    }
    EXPECT_TRUE(StackInvariantsHold(stack));
}

TEST_F(PaneStackSlidersTest, TextBelowMovesTheRowAndTextFieldsTakeTheirLabel) {
    auto* s = stack->AddFPSliderGad(1, "Level", nullptr, nullptr, 0, 1, 0.05);
    ASSERT_NE(s, nullptr);
    EXPECT_TRUE(s->GetFloatingPoint());
    const SInt16 row = Row();
    stack->SetCurSliderTextBelow(true);
    stack->SetCurSliderTextBelow(true); // no change, no move
    EXPECT_EQ(Row(), row + 13);
    EXPECT_TRUE(s->GetDrawTextBelow());
    stack->SetCurSliderTextBelow(false);
    EXPECT_EQ(Row(), row);

    ATextEntry* t = stack->AddTextEntryGad(7, "Clip name", nullptr, nullptr, 40, 120, Row(), 18);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->GetWidth(), 120);
    EXPECT_EQ(stack->GetCurStackPane()->GetCurGad(), t);
    EXPECT_EQ(stack->GetCurStackPane()->FindPaneByID("Clipname"), t);
    stack->SetCurSliderTextBelow(true); // the current gadget is no slider now
    EXPECT_EQ(Row(), row);
}

int gRefreshed = 0;
void Count(SInt32, APane*, void*) {
    ++gRefreshed;
}

// One book per pane, pages as targets of the builder, values refreshed
// through the book.
TEST_F(PaneStackTest, BookPagesTakeGadgetsAndRefreshThroughTheBook) {
    NewStack(13, 10);
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

// Writes the field's own refcon and how often a procedure ran.
void ShowRefCon(SInt32, APane* pane, void* data) {
    const int n = ++*static_cast<int*>(data);
    const SInt32 ref = static_cast<ATextEntry*>(pane)->GetValueRefCon();
    pane->SetText((std::to_string(ref) + ":" + std::to_string(n)).c_str());
}

std::string Text(ATextEntry* t) {
    char buf[64];
    t->GetText(buf, sizeof buf);
    return buf;
}

// Text fields take part in the value protocol as gadgets do: the builder
// gives them their procedure and refcon, and the stack's refreshes and refcon
// searches reach them, in a stack pane or a page.
TEST_F(PaneStackTest, RefreshesAndRefconSearchesReachTextFields) {
    NewStack(13, 10)->AddPaneType(1, 0, "Clip", 4, kStackPaneAlwaysOpen);
    ATextEntry* inPane = stack->AddTextEntryGad(7, "Name", ShowRefCon, nullptr, 40, 100, 13, 16);
    stack->AddPaneType(2, 0, "Paged", 4, kStackPaneAlwaysOpen);
    stack->AddPanePage(3, "Page", 3, nullptr, 0)->SetVisible(true);
    ATextEntry* inPage = stack->AddTextEntryGad(8, "Take", ShowRefCon, nullptr, 40, 100, 4, 16);
    ASSERT_TRUE(inPane && inPage);
    EXPECT_EQ(stack->RefConFindGad(7, nullptr), inPane);
    EXPECT_EQ(stack->RefConFindGad(8, nullptr), inPage);

    int count = 0;
    stack->UpdateValues(0, &count);
    EXPECT_EQ(Text(inPane) + " " + Text(inPage), "7:1 8:2");
    stack->SetCurPane(1, 0);
    stack->RefConSetCurGad(7);
    ASSERT_EQ(stack->GetCurStackPane()->GetCurGad(), inPane);
    stack->UpdateCurGadValues(0, &count);
    EXPECT_EQ(Text(inPane), "7:3");
    EXPECT_TRUE(StackInvariantsHold(stack));
}

// Clicks on a header: the opener toggles the pane, the option key toggles
// every pane, and panes that cannot close ignore it.
TEST_F(PaneStackTest, HeaderClicksToggleAsTheirPaneAllows) {
    NewStack(13, 12)->AddPane(0, 0, "One", 3, 0);
    stack->AddPane(0, 0, "Two", 4, 0);
    stack->AddPaneType(0, 0, "Fixed", 2, kStackPaneAlwaysOpen);
    stack->AddPane(0, 0, "Flat", 1, 0);
    struct Step {
        SInt32 pane;
        SInt16 modifiers;
        bool open[4];
    } steps[] = {
        {1, 0, {true, false, true, false}},         // the opener opens
        {1, 0, {false, false, true, false}},        // and closes
        {2, optionKey, {true, true, true, true}},   // option: every pane opens
        {3, 0, {true, true, true, true}},           // always open: no toggle
        {4, 0, {true, true, true, true}},           // one row, no opener: a single click
        {1, optionKey, {false, false, true, true}}, // option: every pane with an opener closes
    };
    for (const Step& s : steps) {
        // At the middle of the opener, or of the name when there is none.
        AStackPane* p = stack->GetStackPane(s.pane);
        APane* target = p->GetOpenerGad() ? static_cast<APane*>(p->GetOpenerGad())
                                          : static_cast<APane*>(p->GetLabelGad());
        const KsRect r = target->GetInterior();
        p->DoClick(KsPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2}, s.modifiers,
                   SInt32(KsGetTicks()), nullptr);
        for (SInt32 i = 1; i <= 4; ++i)
            EXPECT_EQ(stack->GetStackPane(i)->IsOpen(), s.open[i - 1])
                << "after clicking pane " << s.pane << ", pane " << i;
        EXPECT_TRUE(StackInvariantsHold(stack));
        EXPECT_EQ(stack->GetCurStackPane(), nullptr); // only for the click
    }
    EXPECT_FALSE(stack->GetStackPane(3)->SetOpenable(false, true));
    EXPECT_EQ(stack->GetStackPane(3)->GetOpenerGad(), nullptr);
}

// The classes come back with their rows, pages and header gadgets, and a
// stored total is not trusted.
TEST_F(PaneStackTest, PaneTextKeepsPanesRowsAndHeaderGadgets) {
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
