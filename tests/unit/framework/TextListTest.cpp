// The text list: selection by accessor, click, arrows and type-ahead, kept in
// view; the text-list accessors on other classes report themselves.
#include "ATextListPane.h"
#include "DialogTestSupport.h"

namespace {

class TextListTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        MakeDialog(1);
        dlg->AddPane("Plain", 10, S, 40, 140, S, 20);
        list = static_cast<ATextListPane*>(dlg->AddTextListPane("List", 10, S, 200, 10, S, 60));
        for (const char* name : {"Alpha", "Beta", "Bravo", "Charlie", "Delta", "Echo", "Foxtrot"})
            dlg->AddTextListItem("List", name, false);
    }
    long Selected() {
        long count = 0, selected = 0;
        dlg->GetTextListInfo("List", &count, &selected);
        EXPECT_EQ(count, 7);
        return selected;
    }
    ATextListPane* list = nullptr;
};

TEST_F(TextListTest, AccessorsSelectReadAndReportOtherClasses) {
    EXPECT_EQ(Selected(), 0);
    dlg->SelectTextListItem("List", 3, true);
    EXPECT_EQ(dlg->GetLongVal("List"), 3);
    char buf[4];
    dlg->GetTextListValue("List", 3, buf, sizeof buf);
    EXPECT_STREQ(buf, "Bra");
    dlg->GetTextListValue("List", 99, buf, sizeof buf);
    EXPECT_STREQ(buf, "");
    dlg->SetLongVal("List", 0);
    EXPECT_EQ(Selected(), 0);
    dlg->SetLongVal("List", 5);
    EXPECT_EQ(Selected(), 5);

    long count = -1, selected = -1;
    dlg->GetTextListInfo("Plain", &count, &selected);
    dlg->AddTextListItem("Plain", "x", true);
    dlg->SelectTextListItem("Plain", 1, true);
    dlg->GetTextListValue("Plain", 1, buf, sizeof buf);
    EXPECT_EQ(FatalMessages(),
              (std::vector<std::string>{"GetTextListInfo called on wrong class",
                                        "AddTextListItem called on wrong class",
                                        "SelectTextListItem called on wrong class",
                                        "GetTextListValue called on wrong class"}));
    EXPECT_EQ(count, 0);
    EXPECT_EQ(selected, 0);
}

TEST_F(TextListTest, KeysMoveTheSelectionAndTypingFindsEntries) {
    struct Step {
        long charCode;
        SInt16 keyCode;
        long pauseTicks;
        long selected;
    } steps[] = {
        {0, ATextListPane::kKeyDown, 0, 1},
        {0, ATextListPane::kKeyDown, 0, 2},
        {0, ATextListPane::kKeyUp, 0, 1},
        {'b', 0, 100, 2},
        {'r', 0, 5, 3},
        {'D', 0, 100, 5},
        {'f', 0, 100, 7},
        {0, ATextListPane::kKeyDown, 0, 7},
        {'z', 0, 100, 7},
    };
    int i = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(i++);
        KsAdvanceVirtualClock(s.pauseTicks);
        EXPECT_TRUE(list->DoKeyDown(SInt16(s.charCode), s.keyCode, nullptr, nullptr));
        EXPECT_EQ(Selected(), s.selected);
        // The selection stays in view.
        SInt32 pos = 0;
        list->GetYinfo(&pos, nullptr, nullptr);
        const SInt32 top = (s.selected - 1) * list->GetLineHeight();
        EXPECT_LE(pos, top);
        EXPECT_GE(pos + list->GetInterior().Height(), top + list->GetLineHeight());
    }
}

} // namespace
