// The menu bar's bartender: nicks and their items, inserting and removing,
// command keys, dumps, and menus loaded from resources with nick suffixes.
#include "BartenderTestSupport.h"

#include "KsAppInfo.h"
#include "KsHandle.h"
#include "KsScratchResFile.h"
#include "Resources.h"
#include "XError.h"

#include <cstdlib>
#include <cstring>
#include <unistd.h>

TEST_F(BartenderFixture, BuildsTheAppleMenuWithTheAboutItem) {
    EXPECT_EQ(gBartender, bar_);
    MenuHandle apple = GetMenuHandle(256);
    ASSERT_NE(apple, nullptr);
    EXPECT_EQ(BartenderItemText(apple, 1), "&About Demo...");
    EXPECT_EQ(bar_->MenuInfoToNickNum(1, 256), 1100);
    // An unbound item of the Apple menu arrives as its item number.
    bar_->AppendMenuItem(apple, 0L, "Calculator");
    EXPECT_EQ(bar_->MenuInfoToNickNum(2, 256), 2);
    EXPECT_TRUE(bar_->HasMenuRec(256));
}

TEST_F(BartenderFixture, OperationsByNickReachEveryItemOfTheNick) {
    MenuHandle a = MakeMenu(300, {2000, 2001});
    MenuHandle b = MakeMenu(301, {2002, 2000});
    EXPECT_TRUE(bar_->IsItemEnabled(2000));
    bar_->DisableMenuItem(2000);
    EXPECT_FALSE(IsMenuItemEnabled(a, 1));
    EXPECT_FALSE(IsMenuItemEnabled(b, 2));
    EXPECT_TRUE(IsMenuItemEnabled(a, 2));
    EXPECT_FALSE(bar_->IsItemEnabled(2000));

    bar_->EnableAndSetMenuItem(2000, "Both");
    EXPECT_EQ(BartenderItemText(a, 1), "Both");
    EXPECT_EQ(BartenderItemText(b, 2), "Both");
    EXPECT_TRUE(IsMenuItemEnabled(b, 2));

    bar_->CheckMenuItemByNickNum(2000, true);
    CharParameter mark = 0;
    GetItemMark(b, 2, &mark);
    EXPECT_EQ(mark, checkMark);

    // The first item bound answers the mapping.
    short item = 0, id = 0;
    EXPECT_EQ(bar_->NickNumToMenuInfo(&item, &id, 2000), a);
    EXPECT_EQ(item, 1);
    EXPECT_EQ(id, 300);
    EXPECT_EQ(bar_->MenuInfoToNickNum(1, 301), 2002);
}

TEST_F(BartenderFixture, UnknownNicksChangeNothing) {
    MenuHandle a = MakeMenu(300, {2000});
    short item = 1, id = 1;
    EXPECT_EQ(bar_->NickNumToMenuInfo(&item, &id, 4321), nullptr);
    EXPECT_EQ(item, 4321);
    EXPECT_EQ(id, 0);
    EXPECT_EQ(bar_->NickNumToMenuInfo(nullptr, nullptr, 4321), nullptr);
    bar_->SetMenuItem(4321, "x");
    bar_->DisableMenuItem(4321);
    EXPECT_FALSE(bar_->IsItemEnabled(4321));
    EXPECT_FALSE(bar_->ChangeNickNum(4321, 5000));
    EXPECT_EQ(Texts(a), "I2000");
    EXPECT_TRUE(IsMenuItemEnabled(a, 1));
    char buf[8] = "junk";
    bar_->GetMenuItem(4321, buf, sizeof buf);
    EXPECT_STREQ(buf, "");
}

TEST_F(BartenderFixture, NicksAbove16BitsStayThemselves) {
    // 70000 and 4464 share their low 16 bits.
    MenuHandle a = MakeMenu(300, {70000, 4464, 2147483647L});
    EXPECT_EQ(bar_->MenuInfoToNickNum(1, 300), 70000);
    EXPECT_EQ(bar_->MenuInfoToNickNum(2, 300), 4464);
    EXPECT_EQ(bar_->MenuInfoToNickNum(3, 300), 2147483647L);
    short item = 0;
    EXPECT_EQ(bar_->NickNumToMenuInfo(&item, nullptr, 70000), a);
    EXPECT_EQ(item, 1);
    bar_->DisableMenuItem(70000);
    EXPECT_FALSE(IsMenuItemEnabled(a, 1));
    EXPECT_TRUE(IsMenuItemEnabled(a, 2));
    // Beyond 32 bits is refused at binding.
    bar_->AppendMenuItem(a, 2147483648L, "too big");
    ASSERT_EQ(BartenderFatalMessages().size(), 1u);
    EXPECT_EQ(Records(a), "1:70000 2:4464 3:2147483647");
}

TEST_F(BartenderFixture, NickListIsSortedAfterChanges) {
    MenuHandle a = MakeMenu(300, {5000, 3000, 4000});
    MenuHandle b = MakeMenu(301, {3500});
    auto sortedNicks = [&] {
        bar_->IsItemEnabled(1); // a lookup sorts the list
        std::vector<long> v;
        for (const MenuItemRec_t& r : bar_->GetNickList())
            v.push_back(r.nick);
        return v;
    };
    EXPECT_EQ(sortedNicks(), (std::vector<long>{1100, 3000, 3500, 4000, 5000}));
    bar_->AddinMenuItem(b, "new", 0, 1500);
    EXPECT_EQ(sortedNicks(), (std::vector<long>{1100, 1500, 3000, 3500, 4000, 5000}));
    EXPECT_TRUE(bar_->ChangeNickNum(3000, 9000));
    EXPECT_EQ(sortedNicks(), (std::vector<long>{1100, 1500, 3500, 4000, 5000, 9000}));
    EXPECT_EQ(bar_->MenuInfoToNickNum(2, 300), 9000);
    bar_->RemoveMenuItem(4000, false);
    EXPECT_EQ(sortedNicks(), (std::vector<long>{1100, 1500, 3500, 5000, 9000}));
    EXPECT_EQ(Records(a), "1:5000 2:9000");
    EXPECT_EQ(Records(b), "1:1500 2:3500");
}

TEST_F(BartenderFixture, InsertingRenumbersTheItemsAfter) {
    MenuHandle a = MakeMenu(300, {2000, 2001, 2002});
    EXPECT_EQ(bar_->AddinMenuItem(a, "after1", 1, 3000), 3000);
    EXPECT_EQ(Texts(a), "I2000|after1|I2001|I2002");
    EXPECT_EQ(Records(a), "1:2000 2:3000 3:2001 4:2002");

    // Past the end clamps; nick 0 takes a fresh number.
    const long fresh = bar_->AddinMenuItem(a, "end", 99, 0);
    EXPECT_EQ(fresh, 32767);
    EXPECT_EQ(bar_->MenuInfoToNickNum(5, 300), 32767);

    // A separator gets no record but still moves the others.
    EXPECT_EQ(bar_->AddinMenuItem(a, nullptr, 0, -1), -1);
    EXPECT_EQ(Records(a), "2:2000 3:3000 4:2001 5:2002 6:32767");

    bar_->InjectMenuItem(a, 4000, 2001, "inj");
    EXPECT_EQ(BartenderItemText(a, 5), "inj");
    EXPECT_EQ(bar_->MenuInfoToNickNum(5, 300), 4000);
    bar_->InjectMenuItem(a, 4001, 7777, "nowhere");
    EXPECT_EQ(CountMItems(a), 7);

    bar_->PrependMenuItem(a, "top", 4500);
    EXPECT_EQ(BartenderItemText(a, 1), "top");
    EXPECT_EQ(bar_->MenuInfoToNickNum(1, 300), 4500);
    bar_->PrependMenuItem(a, "ignored", 0);
    EXPECT_EQ(CountMItems(a), 8);
}

TEST_F(BartenderFixture, TextIsTakenLiterally) {
    MenuHandle a = bar_->CreateMenu("M", 300, 1);
    bar_->AppendMenuItem(a, "Save;(As/S<B^1!x", 2000, 'S', true, 0);
    EXPECT_EQ(CountMItems(a), 1);
    EXPECT_EQ(BartenderItemText(a, 1), "Save;(As/S<B^1!x");
    EXPECT_TRUE(IsMenuItemEnabled(a, 1));
    bar_->AppendMenuItems(a, 2001, 0, 2002, 0);
    EXPECT_EQ(Texts(a), "Save;(As/S<B^1!x|***|***");
    bar_->AppendSeparator(a);
    EXPECT_EQ(BartenderItemText(a, 4), "-");
    EXPECT_EQ(Records(a), "1:2000 2:2001 3:2002");
}

TEST_F(BartenderFixture, RemovingDuplicatesRenumbersEachMenu) {
    MenuHandle a = MakeMenu(300, {2001, 2000, 2002});
    MenuHandle b = MakeMenu(301, {2000, 2003, 2000, 2004});
    bar_->RemoveMenuItem(2000, false);
    EXPECT_EQ(Texts(a), "I2001|I2002");
    EXPECT_EQ(Texts(b), "I2003|I2004");
    EXPECT_EQ(Records(a), "1:2001 2:2002");
    EXPECT_EQ(Records(b), "1:2003 2:2004");
    EXPECT_EQ(bar_->MenuInfoToNickNum(2, 301), 2004);
}

TEST_F(BartenderFixture, RemovingTidiesSeparators) {
    struct Case {
        const char* what;
        std::vector<long> nicks;
        long removed;
        bool tidy;
        const char *texts, *records;
    } cases[] = {
        {"the only item between two separators leaves one",
         {2000, -1, 2001, -1, 2002},
         2001,
         true,
         "I2000|-|I2002",
         "1:2000 3:2002"},
        {"the last item before a trailing separator leaves none",
         {3000, -1, 3001, -1},
         3001,
         true,
         "I3000",
         "1:3000"},
        {"separators that would lead the menu go",
         {4000, -1, -1, 4001, 4002},
         4000,
         true,
         "I4001|I4002",
         "1:4001 2:4002"},
        {"without tidying the separators stay",
         {5000, -1, 5001, -1, 5002},
         5001,
         false,
         "I5000|-|-|I5002",
         "1:5000 4:5002"},
    };
    short id = 300;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MenuHandle m = MakeMenu(id++, c.nicks);
        bar_->RemoveMenuItem(c.removed, c.tidy);
        EXPECT_EQ(Texts(m), c.texts);
        EXPECT_EQ(Records(m), c.records);
    }
}

TEST_F(BartenderFixture, ForgettingKeepsTheItems) {
    MenuHandle a = MakeMenu(300, {2000, 2001});
    MakeMenu(301, {2002});
    bar_->ForgetMenuItems(300);
    EXPECT_EQ(Records(a), "");
    EXPECT_EQ(CountMItems(a), 2);
    EXPECT_EQ(bar_->MenuInfoToNickNum(1, 300), 1);
    EXPECT_EQ(bar_->MenuInfoToNickNum(1, 301), 2002);
}

TEST_F(BartenderFixture, FreshNicksCountDownFrom32767) {
    EXPECT_EQ(bar_->GetNewNickNum(), 32767);
    MenuHandle a = MakeMenu(300, {32767, 70000});
    EXPECT_EQ(bar_->GetNewNickNum(), 32766);
    bar_->AppendMenuItem(a, 32766L, "x");
    bar_->AppendMenuItem(a, 32764L, "y");
    EXPECT_EQ(bar_->GetNewNickNum(), 32765);
}

TEST_F(BartenderFixture, MisuseGoesThroughTheFatalPath) {
    MenuHandle a = MakeMenu(300, {});
    bar_->AppendMenuItem(a, 999L, "low");
    ASSERT_EQ(BartenderFatalMessages().size(), 1u);
    EXPECT_EQ(BartenderFatalMessages()[0], "Nick numbers must be >= 1000");
    EXPECT_EQ(Records(a), "");
    EXPECT_EQ(bar_->CreateMenu("again", 300, 1), a);
    ASSERT_EQ(BartenderFatalMessages().size(), 2u);
    EXPECT_EQ(BartenderFatalMessages()[1],
              "Trying to create a menu with an ID that's already used");
    EXPECT_FALSE(bar_->ChangeNickNum(1100, 12));
    EXPECT_EQ(BartenderFatalMessages().size(), 3u);
    EXPECT_EQ(bar_->MenuInfoToNickNum(1, 256), 1100);
}

TEST_F(BartenderFixture, EnableMenuItemsTakesAtMostFiftyLongArguments) {
    std::vector<long> nicks;
    for (long n = 2001; n <= 2051; ++n)
        nicks.push_back(n);
    MenuHandle a = MakeMenu(300, nicks);
    for (long n : nicks)
        bar_->DisableMenuItem(n);
#define N10(b) b + 1, b + 2, b + 3, b + 4, b + 5, b + 6, b + 7, b + 8, b + 9, b + 10
    bar_->EnableMenuItems(N10(2000), N10(2010), N10(2020), N10(2030), N10(2040), 0);
    EXPECT_TRUE(BartenderFatalMessages().empty());
    EXPECT_TRUE(IsMenuItemEnabled(a, 50));
    EXPECT_FALSE(IsMenuItemEnabled(a, 51));
    bar_->EnableMenuItems(N10(2000), N10(2010), N10(2020), N10(2030), N10(2040), 2051, 0);
#undef N10
    ASSERT_EQ(BartenderFatalMessages().size(), 1u);
    EXPECT_EQ(BartenderFatalMessages()[0], "EnableMenuItems arg list > 50");
    EXPECT_FALSE(IsMenuItemEnabled(a, 51));

    // Every argument is read at its full width: callers pass long. Read as
    // int, the first below would be 2002 and the second would end the list.
    for (long n : {2001L, 2002L, 2003L})
        bar_->DisableMenuItem(n);
    const long lowHalfIsANick = (1L << 32) + 2002, lowHalfIsZero = 1L << 32;
    bar_->EnableMenuItems(2001L, lowHalfIsANick, lowHalfIsZero, 2003L, 0L);
    EXPECT_TRUE(IsMenuItemEnabled(a, 1));
    EXPECT_FALSE(IsMenuItemEnabled(a, 2));
    EXPECT_TRUE(IsMenuItemEnabled(a, 3));
}

TEST_F(BartenderFixture, CommandKeysResolveToNicks) {
    MakeMenu(257, {1002, 1004});
    MenuHandle edit = MakeMenu(258, {1032});
    bar_->SetAccelerator(1004, 'S');
    bar_->SetAccelerator(1032, 'X');
    bar_->AppendMenuItem(edit, 1033L, "Paste Special", 'V', true, 0);
    bar_->AppendMenuItem(edit, 1034L, "Paste", 'V', false, 0);

    auto nickForKey = [&](CharParameter ch, UInt16 mods) {
        const SInt32 code = KsMenuKey(ch, mods);
        if (code == 0) return 0L;
        return bar_->MenuInfoToNickNum(short(code & 0xFFFF), short(code >> 16));
    };
    EXPECT_EQ(nickForKey('s', 0x0100), 1004);
    EXPECT_EQ(nickForKey('x', 0x0100), 1032);
    EXPECT_EQ(nickForKey('v', 0x0100), 1034);
    EXPECT_EQ(nickForKey('v', 0x0300), 1033);
    EXPECT_EQ(nickForKey('q', 0x0100), 0);
    bar_->DisableMenuItem(1004);
    EXPECT_EQ(nickForKey('s', 0x0100), 0);
}

TEST_F(BartenderFixture, ResetDisablesAllButTheAppleMenuAndAlwaysEnabledMenus) {
    MenuHandle a = MakeMenu(300, {2000, 2001});
    MakeMenu(301, {3000});
    MenuHandle sub = bar_->CreateMenu("Sub", 302, ABartender::kMenuHierarchical);
    bar_->AppendMenuItem(sub, 4000L, "s");
    bar_->SetMenuAlwaysEnabled(301, 1);
    bar_->CheckMenuItemByNickNum(2001, 1);
    bar_->DisableMenuItem(3000);

    bar_->ResetAllMenus();
    EXPECT_FALSE(bar_->IsItemEnabled(2000));
    EXPECT_FALSE(bar_->IsItemEnabled(2001));
    EXPECT_FALSE(bar_->IsItemEnabled(4000));
    EXPECT_TRUE(bar_->IsItemEnabled(3000));
    EXPECT_TRUE(bar_->IsItemEnabled(1100));
    CharParameter mark = 1;
    GetItemMark(a, 2, &mark);
    EXPECT_EQ(mark, noMark);
}

TEST_F(BartenderFixture, ForEachMenuVisitsTheBarThenHierarchicalMenus) {
    MakeMenu(300, {});
    bar_->CreateMenu("Sub", 302, ABartender::kMenuHierarchical);
    static std::vector<std::pair<short, int>> seen;
    seen.clear();
    bar_->ForEachMenu(
        nullptr, [](MenuHandle m, unsigned char inBar) { seen.emplace_back(GetMenuID(m), inBar); });
    EXPECT_EQ(seen, (std::vector<std::pair<short, int>>{{256, 1}, {300, 1}, {302, 0}}));
}

TEST_F(BartenderFixture, ItemStateSetters) {
    MenuHandle a = MakeMenu(300, {2000, 2001});
    bar_->SetShiftAccel(2000, 1);
    Style style = 0;
    GetItemStyle(a, 1, &style);
    EXPECT_EQ(style, kMenuShiftStyle);
    bar_->SetStyle(2000, 1);
    GetItemStyle(a, 1, &style);
    EXPECT_EQ(style, 1);
    bar_->SetIcon(2001, 3);
    SInt16 icon = 0;
    GetItemIcon(a, 2, &icon);
    EXPECT_EQ(icon, 3);
    bar_->SetSubMenuID(2001, 400);
    CharParameter cmd = 0, mark = 0;
    GetItemCmd(a, 2, &cmd);
    GetItemMark(a, 2, &mark);
    EXPECT_EQ(cmd, hMenuCmd);
    EXPECT_EQ(mark, 400);
}

TEST_F(BartenderFixture, GetMenuItemTruncatesToTheBuffer) {
    MakeMenu(300, {2000});
    MenuHandle b = MakeMenu(301, {2000});
    bar_->SetMenuItem(2000, "Alpha");
    SetMenuItemText(b, 1,
                    reinterpret_cast<const unsigned char*>("\x04"
                                                           "Beta"));
    char buf[4];
    bar_->GetMenuItem(2000, buf, sizeof buf);
    EXPECT_STREQ(buf, "Bet"); // the last item of the nick wins
    bar_->GetMenuItem(2000, buf, 1);
    EXPECT_STREQ(buf, "");
}

TEST_F(BartenderFixture, DumpNicksFormat) {
    MakeMenu(300, {70000, 2000});
    const std::string out = Capture([&] { bar_->DumpNicks(); });
    EXPECT_EQ(out, "Nicknums\n--------\n"
                   "001100:\t&About Demo...\n"
                   "070000:\tI70000\n"
                   "002000:\tI2000\n"
                   "--------\n");
}

TEST_F(BartenderFixture, DumpMenusFormat) {
    MakeMenu(300, {2000}, "File menu with a long title");
    MenuHandle loose = NewMenu(-5, reinterpret_cast<const unsigned char*>("\x05Loose"));
    InsertMenu(loose, hierMenu);
    const std::string out = Capture([&] { bar_->DumpMenus(); });
    DisposeMenu(loose);
    const std::string dashes(79, '-');
    EXPECT_EQ(out, "     ID   Items  Title            Item1         Bart\n" + dashes + "\n" +
                       "    256     1    \x14                &About Demo.  Yes \n"
                       "    300     1    File menu wi     I2000         Yes \n"
                       "     -5     0    ----                               \n" +
                       dashes + "\n");
}

TEST(Bartender, AboutNamesTheProgramWithoutAShortNameAndDisposeFreesTheMenus) {
    ClearMenuBar();
    ABartender* bar = ABartender::New();
    bar->IBartender();
    char text[256];
    bar->GetMenuItem(1100, text, sizeof text);
    EXPECT_EQ(std::string(text), std::string("&About ") + KSGetApplName() + "...");
    MenuHandle m = bar->CreateMenu("M", 300, 1);
    bar->AppendMenuItem(m, 2000L, "x");
    bar->Dispose();
    EXPECT_EQ(gBartender, nullptr);
    EXPECT_EQ(GetMenuHandle(256), nullptr);
    EXPECT_EQ(GetMenuHandle(300), nullptr);
    ClearMenuBar();
}

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
