// Editing a cell through the text and timecode columns: typed keys reach the field through
// the table, and the text goes to the set-text procedure when editing moves on.
#include "AEditTextColumn.h"
#include "AEditTimecodeColumn.h"
#include "TableTestSupport.h"

#include <string>

namespace {

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

} // namespace
