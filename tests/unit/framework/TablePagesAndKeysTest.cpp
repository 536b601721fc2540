// A table printed across pages (whole rows, the headings on every page) and
// sorted by byte-order keys that agree on their first bytes, against a
// plain stable sort.
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

} // namespace
