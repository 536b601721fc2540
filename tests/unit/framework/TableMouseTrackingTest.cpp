// The table's mouse tracking through scripted gestures: the lasso (rows it
// crosses, Shift adding), dragging the splits by their bars, and combo
// cells chosen from their pop-up list or typed in.
#include "AComboColumn.h"
#include "AComboList.h"
#include "Cursors.h"
#include "KsPortSavers.h"
#include "MenuBarPrivate.h"
#include "TableTestSupport.h"

#include <algorithm>
#include <string>

namespace {

class TableMouseTest : public TableTest {
protected:
    void SetUp() override {
        TableTest::SetUp();
        for (const char* k : {"one", "two", "three", "four", "five"})
            rows.push_back(MakeRow(k));
        Validate();
    }
    // Presses at `from` (window coordinates), moves to `to`, releases there,
    // and hands the press to the table as its event loop would.
    void Drag(KsPoint from, KsPoint to, SInt16 modifiers = 0) {
        long t = KsGetTicks();
        desk->Gesture(t, Global(from), {Global(to)});
        table->DoClick(from, modifiers, SInt32(KsGetTicks()), nullptr);
        while (WaitMouseUp()) { // an ignored press leaves its release queued
        }
    }
    Point Global(KsPoint p) const {
        Point g{SInt16(p.v), SInt16(p.h)};
        StPortSaver port;
        SetPortWindowPort(win->GetWindowPtr());
        LocalToGlobal(&g);
        return g;
    }
    std::string Selected() const {
        std::string s;
        for (size_t i = 0; i < rows.size(); ++i)
            s += rows[i]->GetSelect() ? char('1' + i) : '.';
        return s;
    }
    std::vector<ARow*> rows;
};

TEST_F(TableMouseTest, TheLassoSelectsTheRowsItCrossesAndShiftAddsThem) {
    table->SetMultiSelectRows(true);
    const KsRect in = table->GetInterior();
    const SInt16 below = SInt16(in.top + 150); // no row there: the lasso starts
    struct Case {
        const char* what;
        int preselect; // 0-based row clicked first, -1 none
        SInt16 toV;    // where the lasso ends, interior-relative
        SInt16 modifiers;
        const char* want;
    } cases[] = {
        {"up into row 2", -1, 20, 0, ".2345"},
        {"up to the top", 3, 0, 0, "12345"},
        {"not adding drops the earlier row", 0, 40, 0, "..345"},
        {"Shift keeps the earlier row", 0, 40, kShift, "1.345"},
        {"below the rows crosses none", 1, 120, 0, "....."},
        {"Shift below the rows keeps the selection", 1, 120, kShift, ".2..."},
    };
    for (const Case& c : cases) {
        table->DeselectAllRows();
        if (c.preselect >= 0) Click(rows[size_t(c.preselect)]);
        Drag({SInt16(in.left + 30), below}, {SInt16(in.left + 40), SInt16(in.top + c.toV)},
             c.modifiers);
        EXPECT_EQ(Selected(), c.want) << c.what;
        const std::string want = c.want;
        EXPECT_EQ(table->GetNumSelectedRows(), 5 - std::count(want.begin(), want.end(), '.'))
            << c.what;
    }
}

TEST_F(TableMouseTest, SplitBarsFollowTheDragAndGoAwayAtTheEdge) {
    table->SetUserSplits(true, true);
    const KsRect in = table->GetInterior();
    struct Case {
        const char* what;
        SInt16 fromH, fromV, toH, toV; // interior-relative
        SInt32 wantX, wantY;
    } cases[] = {
        {"the left edge splits columns", 1, 100, 60, 110, 60, 0},
        {"the bar moves", 61, 100, 90, 100, 90, 0},
        {"the top edge splits rows", 150, 1, 150, 33, 90, 33},
        {"back to the edge removes it", 91, 150, 2, 150, 0, 33},
        {"the corner takes both", 1, 33, 40, 20, 40, 20},
        {"away from the bars nothing moves", 150, 150, 10, 10, 40, 20},
    };
    for (const Case& c : cases) {
        Drag({SInt16(in.left + c.fromH), SInt16(in.top + c.fromV)},
             {SInt16(in.left + c.toH), SInt16(in.top + c.toV)});
        EXPECT_EQ(table->GetXsplit(), c.wantX) << c.what;
        EXPECT_EQ(table->GetYsplit(), c.wantY) << c.what;
    }
    SInt16 cursor = 0;
    table->Dawdle({SInt16(in.left + 40), SInt16(in.top + 100)}, 0, nullptr, &cursor, nullptr);
    EXPECT_EQ(cursor, crossCursor) << "over the bar";
    cursor = 0;
    table->Dawdle({SInt16(in.left + 100), SInt16(in.top + 100)}, 0, nullptr, &cursor, nullptr);
    EXPECT_NE(cursor, crossCursor) << "away from it";
    // A table whose user may not split keeps its edges for rows.
    table->SetUserSplits(false, false);
    EXPECT_EQ(table->SplitsAt({SInt16(in.left + 40), SInt16(in.top + 100)}), 0);
}

class TableComboTest : public TableMouseTest {
protected:
    void Make(bool typing) {
        auto* list = new AComboList;
        for (const char* s : {"Offline", "Online", "Proxy"})
            list->AppendChoice(s);
        combo = new AComboColumn;
        combo->IComboColumn("Status", getCellStringFunc, reinterpret_cast<void*>(1), list, typing);
        combo->SetSetTextProc(SetText, this);
        combo->SetWidth(90);
        table->AppendCol(combo);
        for (ARow* r : rows)
            static_cast<AStringsRow*>(r)->SetString(1, "Online");
    }
    static void SetText(AColumn*, ARow* row, const char* text, void* self) {
        auto* t = static_cast<TableComboTest*>(self);
        t->got.push_back(text);
        static_cast<AStringsRow*>(row)->SetString(1, text);
    }
    // Presses on the cell at dh from its left and releases `items` menu
    // lines below the current choice, which opens over the cell's left.
    void Choose(ARow* row, SInt16 dh, int items) {
        const KsRect cell = table->GetCellWindowRect(row, combo);
        const KsPoint at{SInt16(cell.left + dh), SInt16(cell.top + 2)};
        Drag(at, {SInt16(cell.left + 10), SInt16(at.v + items * KsMenuLineHeight())});
    }
    AComboColumn* combo = nullptr;
    std::vector<std::string> got;
};

TEST_F(TableComboTest, AChooseOnlyCellTakesTheChosenItemAndNoTyping) {
    Make(false);
    struct Case {
        int items;
        std::vector<std::string> want;
    } cases[] = {{1, {"Proxy"}}, {-2, {"Proxy", "Offline"}}, {40, {"Proxy", "Offline"}}};
    for (const Case& c : cases) {
        Choose(rows[2], 10, c.items);
        EXPECT_EQ(got, c.want) << c.items;
    }
    EXPECT_EQ(table->GetEditPane(), nullptr);
    // Tab from an editable column passes over it.
    auto* edit = new EditColumn;
    edit->IColumn("Edit", getCellStringFunc, nullptr);
    edit->SetClickSelectsRow(false);
    table->AppendCol(edit);
    table->SetActiveCell(rows[0], edit);
    Key('\t', 0x30);
    EXPECT_EQ(table->GetActiveColumn(), edit);
}

TEST_F(TableComboTest, ATypingCellEditsTheTextAndItsArrowStillPopsUp) {
    Make(true);
    Choose(rows[1], 10, 0);
    ASSERT_NE(table->GetEditPane(), nullptr) << "a click on the text starts typing";
    EXPECT_LT(table->GetEditPane()->GetBounds().right,
              table->GetCellWindowRect(rows[1], combo).right - AComboColumn::kArrowWidth + 1);
    for (char ch : std::string("Tape"))
        Key(ch, 0);
    table->SetCRAction(kCREndEdit);
    Key(13, 0x24);
    EXPECT_EQ(got, std::vector<std::string>{"Tape"});
    Choose(rows[1], SInt16(combo->GetWidth() - 5), 0);
    EXPECT_EQ(got, (std::vector<std::string>{"Tape", "Offline"}))
        << "an unknown text opens the list at its first choice";
}

} // namespace
