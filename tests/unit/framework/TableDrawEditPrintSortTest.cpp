// A table drawn (headings, selection, disclosure triangle, an edit pane over
// its cell), edited through its text and timecode columns, printed across
// pages (whole rows, the headings on every page) and sorted by byte-order
// keys that agree on their first bytes, against a plain stable sort.
#include "AEditTextColumn.h"
#include "AEditTimecodeColumn.h"
#include "AHeadingsPane.h"
#include "TableTestSupport.h"

#include <algorithm>
#include <numeric>
#include <string>

namespace {

KsRGBColor Shade(int i) {
    return {UInt16(0x1000 * (i + 1)), 0x8000, 0x4000};
}

TEST_F(TableTest, RowsFillWholePagesBelowTheHeadingsRepeatedOnEach) {
    constexpr int kRows = 10;
    constexpr SInt16 kHeading = 20, kRow = 16;
    for (int i = 0; i < kRows; ++i)
        MakeRow(("row " + std::to_string(i)).c_str())->SetRowColor(Shade(i));
    struct Case {
        SInt16 pageHeight;
        std::vector<int> firstRows; // 0-based, per page
    } cases[] = {
        {kHeading + 3 * kRow + 10, {0, 3, 6, 9}}, // the leftover 10 takes no part-row
        {kHeading + 4 * kRow, {0, 4, 8}},
        {kHeading + 5, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}}, // a page too small takes one row
    };
    StPortSaver port;
    SetPortWindowPort(win->GetWindowPtr());
    for (const Case& c : cases) {
        const KsRect page{10, 10, 210, SInt16(10 + c.pageHeight)};
        void* state = nullptr;
        const SInt32 pages = table->PrintPrepareTo(page, &state);
        ASSERT_EQ(pages, SInt32(c.firstRows.size())) << c.pageHeight;
        for (SInt32 p = 1; p <= pages; ++p) {
            const Rect all{0, 0, 300, 400};
            ForeColor(30); // white
            PaintRect(&all);
            table->PrintPageBody(p, pages, page, state);
            EXPECT_EQ(Px(page.right - 10, page.top + 5), 0xDDDDDDu) << "headings on page " << p;
            const int first = c.firstRows[size_t(p - 1)];
            const int end = p < pages ? c.firstRows[size_t(p)] : kRows;
            // A row taller than the page shows as much as fits.
            for (int i = first; i < end; ++i)
                EXPECT_EQ(Px(page.right - 10,
                             std::min<SInt32>(page.top + kHeading + (i - first) * kRow + 8,
                                              page.bottom - 2)),
                          Rgb(Shade(i)))
                    << "row " << i << " on page " << p << " of " << c.pageHeight;
        }
        table->PrintComplete(state);
    }
}

TEST_F(TableTest, ByteOrderSortMatchesAStableSortOnKeysSharingLongPrefixes) {
    const std::vector<std::string> keys = {
        "abcdefghijklmnop2", "abcdefghijklmnop1", "abcdefghijkl",  "abcdefghijk",  "",     "b",
        "abcdefghijklmnop1", "abcdefghijklZ",     "abcdefghijklA", "abcdefghijkl", "\xff", "a"};
    std::vector<ARow*> made;
    for (size_t i = 0; i < keys.size(); ++i) {
        made.push_back(MakeRow(keys[i].c_str()));
        made.back()->SetHeight(SInt16(10 + i)); // tops then depend on the order
    }
    for (bool descending : {false, true, false}) {
        // The rows' order now, and its stable sort by key.
        std::vector<ARow*> want = Shown();
        auto key = [&](ARow* r) {
            return keys[size_t(std::find(made.begin(), made.end(), r) - made.begin())];
        };
        std::stable_sort(want.begin(), want.end(), [&](ARow* a, ARow* b) {
            return descending ? key(b) < key(a) : key(a) < key(b);
        });
        table->Sort(column, descending);
        ASSERT_EQ(Shown(), want) << descending;
        SInt32 top = 0;
        for (size_t i = 0; i < want.size(); ++i) {
            SInt32 index = 0, at = -1;
            ASSERT_TRUE(table->GetRowInfoByRow(want[i], &index, &at));
            EXPECT_EQ(index, SInt32(i + 1));
            EXPECT_EQ(at, top);
            top += want[i]->GetHeight();
        }
        EXPECT_EQ(table->GetRowsHeight(), top);
    }
}

TEST_F(TableTest, TypedTextReachesTheSetTextProcedure) {
    auto* edit = new AEditTextColumn;
    edit->IEditTextColumn("Edit", getCellStringFunc, nullptr);
    edit->SetSetTextProc([](AColumn*, ARow* row, const char* text,
                            void*) { static_cast<AStringsRow*>(row)->SetString(0, text); },
                         nullptr);
    table->AppendCol(edit);
    AStringsRow* a = MakeRow("old");
    AStringsRow* b = MakeRow("two");
    table->SetActiveCell(a, edit);
    ASSERT_NE(table->GetEditPane(), nullptr);
    for (char c : std::string("new"))
        Key(c, 0);
    Key(13, 0x24); // Return: on to the next row, which ends this edit
    EXPECT_STREQ(a->GetString(0), "new");
    EXPECT_EQ(table->GetActiveRow(), b);
    table->EndEditing();
    EXPECT_STREQ(b->GetString(0), "two");
    EXPECT_EQ(table->GetNumSubPanes(), 0);
}

TEST_F(TableTest, TimecodeCellsComeBackInTheFieldsForm) {
    auto* tc = new AEditTimecodeColumn;
    tc->IEditTimecodeColumn("Duration", getCellStringFunc, nullptr, 0);
    tc->SetSetTextProc([](AColumn*, ARow* row, const char* text,
                          void*) { static_cast<AStringsRow*>(row)->SetString(0, text); },
                       nullptr);
    table->AppendCol(tc);
    AStringsRow* a = MakeRow("01:02:03:04");
    table->SetActiveCell(a, tc);
    ASSERT_NE(table->GetEditPane(), nullptr);
    EXPECT_TRUE(table->GetEditPane()->IsInstanceOf("ATCEntry"));
    table->EndEditing();
    EXPECT_STREQ(a->GetString(0), "01:02:03:04");
    EXPECT_EQ(table->GetNumSubPanes(), 0);
}

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
