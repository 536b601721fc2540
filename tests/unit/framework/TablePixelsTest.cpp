// A small headed table drawn: headings, a selected row in the hilite colour
// (one pixel short at the bottom), the disclosure triangle, the indent
// column widening with the deepest level, and an edit pane over its cell.
#include "AHeadingsPane.h"
#include "TableTestSupport.h"

namespace {

TEST_F(TableTest, SmallHeadedTableDrawsItsParts) {
    table->Dispose();
    AHeadedTable* headed = AHeadedTable::New(main, 0, S, 320, 0, S, 160, RGBwhite);
    table = headed->GetTable();
    auto* expander = new ExpanderColumn;
    expander->IExpanderColumn();
    table->AppendCol(expander);
    column = table->CreateAndAppendCol("Name", getCellStringFunc, nullptr);
    auto* edit = new EditColumn;
    edit->IColumn("Edit", getCellStringFunc, nullptr);
    table->AppendCol(edit);
    ARow* parent = MakeRow("parent");
    ARow* kid = MakeRow("kid", parent);
    ARow* other = MakeRow("other");
    table->DoExpandCollapse(parent);
    EXPECT_EQ(expander->GetWidth(), ExpanderColumn::kWidth + table->GetIndentWidth());
    other->SetSelect(true);
    headed->Inval();
    win->UpdateIfNeeded();

    RGBColor h{};
    GetHiliteColor(&h);
    const UInt32 hilite = UInt32(h.red >> 8) << 16 | UInt32(h.green >> 8) << 8 | (h.blue >> 8);
    const KsRect head = headed->GetHeadings()->GetInterior();
    const KsRect sel = other->GetRowWindowRect();
    const KsRect tri = table->GetCellWindowRect(parent, expander);
    const KsRect editCell = table->GetCellWindowRect(kid, edit);
    struct Probe {
        const char* what;
        SInt32 h, v;
        UInt32 want;
        bool editing;
    };
    const Probe probes[] = {
        {"heading face", head.right - 4, head.top + 2, 0xDDDDDD, false},
        {"selected row", sel.right - 4, sel.top + 2, hilite, false},
        {"selected row's last line", sel.right - 4, sel.bottom - 1, 0xFFFFFF, false},
        {"expanded triangle", tri.left + 8, tri.top + tri.Height() / 2 - 2, 0x000000, false},
        {"beside the triangle", tri.left + 2, tri.top + 2, 0xFFFFFF, false},
        {"below the rows", sel.left + 4, sel.bottom + 4, 0xFFFFFF, false},
        // Editing deselects the rows and puts its pane over the cell.
        // The pane takes the table's background; its frame shows it is there.
        {"edit pane", editCell.left + editCell.Width() / 2, editCell.top + 3, 0xFFFFFF, true},
        {"edit pane's frame", editCell.left, editCell.top + 3, 0x8C8C8C, true},
        {"deselected row", sel.right - 4, sel.top + 2, 0xFFFFFF, true},
    };
    for (const Probe& p : probes) {
        if (p.editing && !table->GetEditPane()) {
            table->SetActiveCell(kid, edit);
            win->UpdateIfNeeded();
        }
        EXPECT_EQ(Px(p.h, p.v), p.want) << p.what;
    }

    table->DoExpandCollapse(parent);
    EXPECT_EQ(expander->GetWidth(), ExpanderColumn::kWidth);
    EXPECT_EQ(table->GetEditPane(), nullptr);
}

} // namespace
