#include "BartenderTestSupport.h"

#include "KsHandle.h"
#include "KsScratchResFile.h"
#include "Resources.h"
#include "XError.h"

#include <cstdlib>
#include <unistd.h>

namespace {

class BartenderResource : public BartenderFixture {
protected:
    void SetUp() override {
        file_ = std::make_unique<ScratchResFile>();
        BartenderFixture::SetUp();
    }
    void TearDown() override {
        BartenderFixture::TearDown();
        file_.reset();
    }
    void Add(SInt16 id, const std::vector<std::string>& items) {
        file_->Add(FourCharCode("MENU"), id, MenuData(id, "Res", items));
    }
    std::unique_ptr<ScratchResFile> file_;
};

} // namespace

TEST_F(BartenderResource, ItemTextsBindTheirNickSuffix) {
    Add(400, {"Cut#1032", "-", "Print#0x7D0", "Open...#1002", "Octal#02000", "A#1#2001"});
    MenuHandle m = nullptr;
    bar_->AddMenu(&m, 400, ABartender::kMenuInBar);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(GetMenuHandle(400), m);
    EXPECT_EQ(Texts(m), "Cut|-|Print|Open...|Octal|A#1");
    EXPECT_EQ(Records(m), "1:1032 3:2000 4:1002 5:1024 6:2001");
    EXPECT_TRUE(BartenderFatalMessages().empty());
}

TEST_F(BartenderResource, SuffixesThatAreNotNicksStayText) {
    const std::vector<std::string> texts = {
        "Bare#",           "Zero#0",         "Low#999",
        "Neg#-1500",       "Plus#+1500",     "Space# 1500",
        "Hex#0x",          "Mixed#12ab",     "Huge#99999999999999999999",
        "Wide#2147483648", "Bad octal#0800", "No hash",
    };
    Add(401, texts);
    MenuHandle m = nullptr;
    bar_->AddMenu(&m, 401, ABartender::kMenuInBar);
    ASSERT_NE(m, nullptr);
    for (short i = 1; i <= short(texts.size()); ++i)
        EXPECT_EQ(BartenderItemText(m, i), texts[std::size_t(i - 1)]);
    EXPECT_EQ(Records(m), "");
    EXPECT_TRUE(BartenderFatalMessages().empty());
}

TEST_F(BartenderResource, ALoadedMenuIsBoundOnce) {
    Add(402, {"Go#3000"});
    MenuHandle first = nullptr, second = nullptr;
    bar_->AddMenu(&first, 402, 0); // a pop-up menu: not in the bar
    bar_->AddMenu(&second, 402, ABartender::kMenuInBar);
    EXPECT_EQ(first, second);
    EXPECT_EQ(Records(first), "1:3000");
    short item = 0, id = 0;
    EXPECT_EQ(bar_->NickNumToMenuInfo(&item, &id, 3000), first);
    EXPECT_EQ(id, 402);
}

TEST_F(BartenderResource, MissingMenusRaise) {
    try {
        bar_->AddMenu(nullptr, 499, ABartender::kMenuInBar);
        FAIL() << "no error";
    } catch (const XError& e) {
        EXPECT_STREQ(e.GetCode(), "UIS_MENU_RSRC_NOT_FOUND");
    }
    // The Help menu is the Apple menu; without one it is a system error.
    MenuHandle help = nullptr;
    bar_->AddMenu(&help, ABartender::kHelpMenuID, 1);
    EXPECT_EQ(help, GetMenuHandle(256));
    DeleteMenu(256);
    try {
        bar_->AddMenu(&help, ABartender::kHelpMenuID, 1);
        FAIL() << "no error";
    } catch (const XError& e) {
        EXPECT_STREQ(e.GetCode(), "SYS_ERROR");
    }
}

TEST_F(BartenderResource, TidyingDropsTheRecordsOfDeletedSeparators) {
    // A separator can carry a nick through its resource text.
    Add(403, {"A#2001", "-#2005", "C#2003", "-#2006"});
    MenuHandle m = nullptr;
    bar_->AddMenu(&m, 403, ABartender::kMenuInBar);
    EXPECT_EQ(Records(m), "1:2001 2:2005 3:2003 4:2006");
    bar_->RemoveMenuItem(2001, true);
    // The leading separator and the one left trailing both go.
    EXPECT_EQ(Texts(m), "C");
    EXPECT_EQ(Records(m), "1:2003");
    bar_->RemoveMenuItem(2003, true);
    EXPECT_EQ(CountMItems(m), 0);
    EXPECT_EQ(Records(m), "");
    EXPECT_EQ(bar_->NickNumToMenuInfo(nullptr, nullptr, 2005), nullptr);
    EXPECT_EQ(bar_->NickNumToMenuInfo(nullptr, nullptr, 2006), nullptr);
}
