// The table's stated edge cases and the faults it must not have: single
// selection, find-while-typing, Return and Tab while editing, a failing text
// function, removing selected or edited rows, sorting while editing.
#include "KsCapturedOutput.h"
#include "TableTestSupport.h"

#include <stdexcept>

namespace {

class TableEdgeTest : public TableTest {
protected:
    void MakeRows(std::initializer_list<const char*> keys) {
        for (const char* k : keys)
            made.push_back(MakeRow(k));
    }
    EditColumn* AddEditColumns(int n) {
        EditColumn* first = nullptr;
        for (int i = 0; i < n; ++i) {
            auto* c = new EditColumn;
            c->IColumn("Edit", getCellStringFunc, nullptr);
            c->SetClickSelectsRow(false);
            table->AppendCol(c);
            if (!first) first = c;
        }
        return first;
    }
    std::vector<ARow*> made;
};

TEST_F(TableEdgeTest, SingleSelectMovesTheSelectionAndRefusesASecond) {
    MakeRows({"one", "two", "three"});
    Click(made[0]);
    Click(made[1]);
    EXPECT_FALSE(made[0]->GetSelect());
    EXPECT_TRUE(made[1]->GetSelect());
    made[2]->SetSelect(true);
    EXPECT_FALSE(made[2]->GetSelect());
    EXPECT_EQ(table->GetNumSelectedRows(), 1);
}

TEST_F(TableEdgeTest, TypingFindsTheFirstRowByPrefixAndAPauseStartsAgain) {
    MakeRows({"Banana", "ABacus", "abbey", "Cherry", "aZure"});
    table->SetFindWhileType(true, column);
    table->ShowHideColumn(column, false); // its text is then only taken by the search
    struct Step {
        char key;
        long pauseTicks;
        int wantRow;
        const char* wantText;
    };
    const Step steps[] = {
        {'a', 0, 1, "a"},  {'b', 5, 1, "ab"}, {'b', 5, 2, "abb"},
        {'c', 16, 3, "c"}, {'a', 16, 1, "a"}, {'z', 15, 4, "az"},
    };
    for (const Step& s : steps) {
        KsAdvanceVirtualClock(s.pauseTicks);
        textCalls = 0;
        EXPECT_TRUE(Key(s.key, 0));
        EXPECT_STREQ(table->GetFindText(), s.wantText);
        EXPECT_TRUE(made[size_t(s.wantRow)]->GetSelect()) << s.wantText;
        EXPECT_EQ(table->GetNumSelectedRows(), 1);
        // The walk stops at the match and resumes there for a longer text.
        EXPECT_LE(textCalls, s.wantRow + 1) << s.wantText;
    }
}

TEST_F(TableEdgeTest, ReturnAndTabMoveEditingWithWrapping) {
    MakeRows({"r1", "r2", "r3"});
    EditColumn* edit = AddEditColumns(2);
    struct Case {
        CRAction_t action;
        int fromRow;
        SInt16 charCode, mods;
        int wantRow; // -1: editing ended
        int wantCol; // 1-based column index
        bool wantSelected;
    };
    const Case cases[] = {
        {kCRNextRow, 2, 13, 0, 0, 2, false},      // last row: on to the first
        {kCRNextRow, 0, 13, kShift, 2, 2, false}, // Shift: back, wrapping
        {kCREndEdit, 1, 13, 0, -1, 0, false},      {kCRSelectRow, 1, 13, 0, -1, 0, true},
        {kCRNextRow, 1, '\t', 0, 1, 3, false},     // Tab: next column
        {kCRNextRow, 1, '\t', kShift, 1, 3, false} // Shift+Tab passes the plain column, wraps
    };
    for (const Case& c : cases) {
        table->SetCRAction(c.action);
        table->DeselectAllRows();
        table->SetActiveCell(made[size_t(c.fromRow)], edit);
        ASSERT_NE(table->GetEditPane(), nullptr);
        Key(c.charCode, 0, c.mods);
        if (c.wantRow < 0) {
            EXPECT_EQ(table->GetEditPane(), nullptr);
            EXPECT_EQ(made[size_t(c.fromRow)]->GetSelect(), c.wantSelected);
            continue;
        }
        EXPECT_EQ(table->GetActiveRow(), made[size_t(c.wantRow)]) << c.fromRow;
        EXPECT_EQ(table->GetColumnList()->IndexOf(table->GetActiveColumn()), c.wantCol);
        EXPECT_EQ(table->GetNumSubPanes(), 1); // the old edit pane went
    }
}

TEST_F(TableEdgeTest, AFailingTextFunctionShowsAnEmptyCellAndLogsOnce) {
    MakeRows({"x"});
    AColumn* bad = table->CreateAndAppendCol(
        "Bad",
        [](AColumn*, ARow*, char* buf, SInt32, SInt32*, void*) {
            buf[0] = 'J';
            throw std::runtime_error("no text");
        },
        nullptr);
    StCaptureOutput out;
    char buf[16] = "junk";
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(bad->GetText(made[0], buf, sizeof buf), 0);
        EXPECT_STREQ(buf, "");
        table->InvalInterior();
        win->UpdateIfNeeded();
    }
    size_t lines = 0;
    for (size_t at = 0; (at = out.text.find("text function failed", at)) != std::string::npos; ++at)
        ++lines;
    EXPECT_EQ(lines, 1u);
}

TEST_F(TableEdgeTest, RemovingSelectedAndEditedRowsLeavesNothingBehind) {
    table->SetMultiSelectRows(true);
    MakeRows({"p", "q", "r", "s"});
    ARow* kid = MakeRow("kid", made[1]);
    table->DoExpandCollapse(made[1]);
    kid->SetSelect(true);
    made[1]->SetSelect(true);
    made[3]->SetSelect(true);
    EditColumn* edit = AddEditColumns(1);
    table->RemoveRow(made[3], true);
    EXPECT_EQ(table->GetNumSelectedRows(), 2);
    table->SetActiveCell(kid, edit);
    ASSERT_EQ(table->GetActiveRow(), kid);
    table->RemoveRow(made[1], true); // with its selected, edited child
    EXPECT_EQ(table->GetNumSelectedRows(), 0);
    EXPECT_EQ(table->GetActiveRow(), nullptr);
    EXPECT_EQ(table->GetEditPane(), nullptr);
    EXPECT_EQ(Shown(), (std::vector<ARow*>{made[0], made[2]}));
    EXPECT_EQ(table->GetRowsHeight(), 32);
}

TEST_F(TableEdgeTest, SortEndsEditingFirstAndTakesEachKeyOnce) {
    MakeRows({"d", "b", "e", "a", "c", "b"});
    EditColumn* edit = AddEditColumns(1);
    table->SetActiveCell(made[0], edit);
    textCalls = 0;
    table->Sort(column, false);
    EXPECT_EQ(textCalls, 6);
    EXPECT_EQ(table->GetEditPane(), nullptr);
    EXPECT_EQ(Shown(), (std::vector<ARow*>{made[3], made[1], made[5], made[4], made[0], made[2]}));
}

} // namespace
