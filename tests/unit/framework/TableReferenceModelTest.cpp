// Selection, hierarchy and sorting against the plain model, under seeded
// random operations, compared after each.
#include "KsTableModel.h"
#include "TableTestSupport.h"

#include <random>

namespace {

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
