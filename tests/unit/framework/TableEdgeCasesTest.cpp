// The table's stated edge cases and the faults it must not have: single
// selection, find-while-typing, Return and Tab while editing, a failing text
// function, removing selected or edited rows, sorting while editing; mouse
// tracking (lasso, split bars, combo cells); random operations against a
// reference model of the rows.
#include "AComboColumn.h"
#include "AComboList.h"
#include "Cursors.h"
#include "KsCapturedOutput.h"
#include "KsPortSavers.h"
#include "KsTableModel.h"
#include "MenuBarPrivate.h"
#include "TableTestSupport.h"

#include <random>
#include <stdexcept>
#include <string>

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

class TableModelTest : public TableTest {
protected:
    // A forest of 3-letter keys from a small alphabet, so equal keys occur.
    void Build(std::mt19937& rng, int count) {
        for (int i = 0; i < count; ++i) {
            const int parent = i > 0 && rng() % 3 == 0 ? int(rng() % unsigned(i)) : -1;
            std::string key{char('a' + rng() % 3), char('a' + rng() % 3)};
            if (parent >= 0 && model.nodes[size_t(parent)].gone) continue;
            model.Add(key, parent);
            rows.push_back(MakeRow(key.c_str(), parent >= 0 ? rows[size_t(parent)] : nullptr));
        }
    }
    int IdOf(const ARow* r) const {
        return int(std::find(rows.begin(), rows.end(), r) - rows.begin());
    }
    void ExpectSame(const char* op) {
        std::vector<int> shown;
        for (ARow* r : Shown())
            shown.push_back(IdOf(r));
        ASSERT_EQ(shown, model.Display()) << op;
        EXPECT_EQ(table->GetNumSelectedRows(), model.Selected()) << op;
        SInt32 top = 0;
        for (size_t i = 0; i < shown.size(); ++i) {
            ARow* r = rows[size_t(shown[i])];
            EXPECT_EQ(r->GetSelect(), model.nodes[size_t(shown[i])].selected) << op << " " << i;
            SInt32 at = 0, y = 0;
            ASSERT_EQ(table->GetRowInfoByPos(top + r->GetHeight() / 2, &at, &y), r) << op;
            EXPECT_EQ(at, SInt32(i + 1));
            EXPECT_EQ(y, top);
            top += r->GetHeight();
        }
        EXPECT_EQ(table->GetRowsHeight(), top);
    }

    TableModel model;
    std::vector<ARow*> rows;
};

TEST_F(TableModelTest, RandomOperationsMatchTheModel) {
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
        std::mt19937 rng(seed);
        table->RemoveAllRows();
        model = {};
        rows.clear();
        const bool multi = seed % 2 == 0;
        table->SetMultiSelectRows(multi);
        model.multi = multi;
        Build(rng, 40);
        for (int step = 0; step < 300; ++step) {
            const std::vector<int> d = model.Display();
            if (d.empty()) break;
            const int id = d[rng() % d.size()];
            ARow* r = rows[size_t(id)];
            const char* op = "";
            switch (rng() % 8) {
            case 0:
                op = "click";
                Click(r);
                model.Click(id);
                break;
            case 1:
                op = "toggle";
                Click(r, kCmd);
                model.Toggle(id);
                break;
            case 2:
                op = "range";
                Click(r, kShift);
                model.Range(id);
                break;
            case 3:
                op = "expand/collapse";
                if (!model.nodes[size_t(id)].kids.empty()) {
                    table->DoExpandCollapse(r);
                    if (model.nodes[size_t(id)].expanded)
                        model.Collapse(id);
                    else
                        model.nodes[size_t(id)].expanded = true;
                }
                break;
            case 4:
                op = "sort";
                table->Sort(column, false);
                model.Sort(false);
                break;
            case 5:
                op = "sort down";
                table->Sort(column, true);
                model.Sort(true);
                break;
            case 6:
                op = "height";
                r->SetHeightDynamic(SInt16(10 + rng() % 20));
                break;
            case 7:
                if (rng() % 4) break;
                op = "remove";
                table->RemoveRow(r, true);
                model.Remove(id);
                break;
            }
            ExpectSame(op);
            if (HasFatalFailure()) return;
        }
    }
}

TEST_F(TableModelTest, SortingTwiceKeepsTheOrderAndChildrenStayUnderParents) {
    std::mt19937 rng(9);
    Build(rng, 60);
    for (ARow* r : rows)
        if (r->GetNumSubRows() && !r->GetIsExpanded() && r->IsShown()) table->DoExpandCollapse(r);
    for (size_t i = 0; i < rows.size(); ++i)
        model.nodes[i].expanded = rows[i]->GetIsExpanded();
    for (bool down : {false, true}) {
        table->Sort(column, down);
        model.Sort(down);
        const std::vector<ARow*> once = Shown();
        table->Sort(column, down);
        EXPECT_EQ(Shown(), once);
        ExpectSame("sort twice");
        // Every child comes after its parent, before the parent's next sibling.
        for (size_t i = 0; i < once.size(); ++i) {
            if (ARow* p = once[i]->GetParent()) {
                EXPECT_LT(p->GetPosition(), once[i]->GetPosition());
            }
        }
    }
}

} // namespace
