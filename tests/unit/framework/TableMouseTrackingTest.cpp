// The table's mouse tracking through scripted gestures: the lasso (rows it
// crosses, Shift adding), dragging the splits by their bars, and combo
// cells chosen from their pop-up list or typed in.
#include "AComboColumn.h"
#include "AComboList.h"
#include "Cursors.h"
#include "KsPortSavers.h"
#include "MenuBarPrivate.h"
#include "TableTestSupport.h"

#include <string>

namespace {

class TableMouseTest : public TableTest {
protected:
    void SetUp() override {
        TableTest::SetUp();
        for (const char* k : {"one", "two", "three", "four", "five"})
            rows.push_back(MakeRow(k));
        in = table->GetInterior();
    }
    // Presses at (h, v) in the interior, moves to (toH, toV), releases there,
    // and hands the press to the table as its event loop would.
    void Drag(SInt32 h, SInt32 v, SInt32 toH, SInt32 toV, SInt16 modifiers = 0) {
        Point from{SInt16(in.top + v), SInt16(in.left + h)},
            to{SInt16(in.top + toV), SInt16(in.left + toH)};
        {
            StPortSaver port;
            SetPortWindowPort(win->GetWindowPtr());
            LocalToGlobal(&from);
            LocalToGlobal(&to);
        }
        long t = KsGetTicks();
        desk->Gesture(t, from, {to});
        table->DoClick({in.left + h, in.top + v}, modifiers, SInt32(KsGetTicks()), nullptr);
        while (WaitMouseUp()) { // an ignored press leaves its release queued
        }
    }
    std::string Selected() const {
        std::string s;
        for (size_t i = 0; i < rows.size(); ++i)
            s += rows[i]->GetSelect() ? char('1' + i) : '.';
        return s + " " + std::to_string(table->GetNumSelectedRows());
    }
    std::vector<ARow*> rows;
    KsRect in{};
};

TEST_F(TableMouseTest, TheLassoSelectsTheRowsItCrossesAndShiftAddsThem) {
    table->SetMultiSelectRows(true);
    struct Case {
        int preselect; // row clicked first, -1 none
        SInt32 toV;    // the lasso runs up from below the rows to here
        SInt16 modifiers;
        const char* want;
    } cases[] = {
        {-1, 20, 0, ".2345 4"},     {3, 0, 0, "12345 5"},   {0, 40, 0, "..345 3"},
        {0, 40, kShift, "1.345 4"}, {1, 120, 0, "..... 0"}, {1, 120, kShift, ".2... 1"},
    };
    for (const Case& c : cases) {
        table->DeselectAllRows();
        if (c.preselect >= 0) Click(rows[size_t(c.preselect)]);
        Drag(30, 150, 40, c.toV, c.modifiers);
        EXPECT_EQ(Selected(), c.want) << c.preselect << " to " << c.toV;
    }
}

TEST_F(TableMouseTest, SplitBarsFollowTheDragAndGoAwayAtTheEdge) {
    table->SetUserSplits(true, true);
    struct Case {
        SInt32 fromH, fromV, toH, toV, wantX, wantY;
    } cases[] = {
        {1, 100, 60, 110, 60, 0},                              // the left edge splits columns
        {61, 100, 90, 100, 90, 0},  {150, 1, 150, 33, 90, 33}, // the top edge splits rows
        {91, 150, 2, 150, 0, 33},                              // back to the edge: gone
        {1, 33, 40, 20, 40, 20},                               // the corner takes both
        {150, 150, 10, 10, 40, 20},                            // away from the bars
    };
    for (const Case& c : cases) {
        Drag(c.fromH, c.fromV, c.toH, c.toV);
        EXPECT_EQ(table->GetXsplit(), c.wantX) << c.fromH << "," << c.fromV;
        EXPECT_EQ(table->GetYsplit(), c.wantY) << c.fromH << "," << c.fromV;
    }
    SInt16 over = 0, away = 0;
    table->Dawdle({in.left + 40, in.top + 100}, 0, nullptr, &over, nullptr);
    table->Dawdle({in.left + 100, in.top + 100}, 0, nullptr, &away, nullptr);
    EXPECT_EQ(over, crossCursor);
    EXPECT_NE(away, crossCursor);
}

TEST_F(TableMouseTest, ComboCellsTakeTheChosenItemOrTypedText) {
    std::vector<std::string> got;
    auto* list = new AComboList;
    for (const char* s : {"Offline", "Online", "Proxy"})
        list->AppendChoice(s);
    auto* combo = new AComboColumn;
    combo->IComboColumn("Status", getCellStringFunc, reinterpret_cast<void*>(1), list, false);
    combo->SetSetTextProc(
        [](AColumn*, ARow* row, const char* text, void* out) {
            static_cast<std::vector<std::string>*>(out)->push_back(text);
            static_cast<AStringsRow*>(row)->SetString(1, text);
        },
        &got);
    table->AppendCol(combo);
    static_cast<AStringsRow*>(rows[2])->SetString(1, "Online");
    // Press at dh in the cell; release `items` menu lines below the current
    // choice, which opens over the cell's left.
    auto choose = [&](SInt32 dh, int items) {
        const KsRect cell = table->GetCellWindowRect(rows[2], combo);
        Drag(cell.left - in.left + dh, cell.top - in.top + 2, cell.left - in.left + 10,
             cell.top - in.top + 2 + items * KsMenuLineHeight());
    };
    choose(10, 1);
    choose(10, -2);
    choose(10, 40); // off the menu: no choice
    EXPECT_EQ(got, (std::vector<std::string>{"Proxy", "Offline"}));
    EXPECT_EQ(table->GetEditPane(), nullptr) << "choose-only takes no typing";

    combo->IComboColumn("Status", getCellStringFunc, reinterpret_cast<void*>(1), list, true);
    choose(10, 0);
    ASSERT_NE(table->GetEditPane(), nullptr) << "a click on the text starts typing";
    for (char ch : std::string("Tape"))
        Key(ch, 0);
    table->SetCRAction(kCREndEdit);
    Key(13, 0x24);
    choose(combo->GetWidth() - 5,
           0); // the arrow: an unknown text opens the list at its first choice
    EXPECT_EQ(got, (std::vector<std::string>{"Proxy", "Offline", "Tape", "Offline"}));
}

} // namespace
