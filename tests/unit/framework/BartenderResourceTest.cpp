#include "BartenderTestSupport.h"

#include "KsHandle.h"
#include "Resources.h"
#include "XError.h"

#include <cstdlib>
#include <unistd.h>

namespace {

// 'MENU' bytes: id, width, height, procID, filler, enable bits, title, items.
std::vector<UInt8> MenuData(SInt16 id, const char* title, const std::vector<std::string>& items) {
    std::vector<UInt8> d = {UInt8(id >> 8), UInt8(id), 0,    0,   0, 0, 0, 0, 0, 0,
                            0xFF,           0xFF,      0xFF, 0xFF};
    const std::string t(title);
    d.push_back(UInt8(t.size()));
    d.insert(d.end(), t.begin(), t.end());
    for (const std::string& i : items) {
        d.push_back(UInt8(i.size()));
        d.insert(d.end(), i.begin(), i.end());
        d.insert(d.end(), {0, 0, 0, 0});
    }
    d.push_back(0);
    return d;
}

class BartenderResource : public BartenderFixture {
protected:
    void SetUp() override {
        char dir[] = "/tmp/ksbartenderXXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        dir_ = dir;
        const std::string path = dir_ + "/menus.rsrc";
        KsCreateResFile(path.c_str());
        ref_ = KsOpenResFile(path.c_str(), fsRdWrPerm);
        ASSERT_GT(ref_, 0);
        BartenderFixture::SetUp();
    }
    void TearDown() override {
        BartenderFixture::TearDown();
        CloseResFile(ref_);
        std::system(("rm -rf '" + dir_ + "'").c_str());
    }
    void Add(SInt16 id, const std::vector<std::string>& items) {
        const std::vector<UInt8> bytes = MenuData(id, "Res", items);
        Handle h = KsNewHandleFrom(bytes.data(), Size(bytes.size()));
        AddResource(h, FourCharCode("MENU"), id, reinterpret_cast<const unsigned char*>("\0"));
        ASSERT_EQ(ResError(), noErr);
    }
    std::string dir_;
    SInt16 ref_ = -1;
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
