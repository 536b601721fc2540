// Menu items: metacharacters, numbering after inserts and deletes, enabling
// beyond 31 items, marks and submenus, mnemonics.
#include "KsRaisedError.h"
#include "MenuTestSupport.h"

#include "XError.h"

namespace {

class MenuItemsTest : public MenuFixture {};

TEST_F(MenuItemsTest, MetacharactersSetTheirAttributesAnywhereAndLeaveTheText) {
    MenuHandle m = Make(300, "Open/O;Icon^2;Marked!*;Bold<B;All<B<I<U<O<S;(Off;Sub/\x1B!\x05;"
                             "(Sa<Bve^1/S!\x12");
    const ItemState want[] = {
        {"Open", 0, 0, 'O', normal, true},
        {"Icon", 2, 0, 0, normal, true},
        {"Marked", 0, '*', 0, normal, true},
        {"Bold", 0, 0, 0, bold, true},
        {"All", 0, 0, 0, Style(bold | italic | underline | outline | shadow), true},
        {"Off", 0, 0, 0, normal, false},
        {"Sub", 0, 5, hMenuCmd, normal, true},
        {"Save", 1, checkMark, 'S', bold, false},
    };
    ASSERT_EQ(CountMItems(m), 8);
    for (MenuItemIndex i = 1; i <= 8; ++i)
        EXPECT_EQ(State(m, i), want[i - 1]);
}

TEST_F(MenuItemsTest, SeparatorsAndItemBoundaries) {
    // Return separates like ';'; "(-" is a disabled separator line; empty
    // segments add nothing; a metacharacter at the end of an item is dropped.
    MenuHandle m = Make(300, "Cut;(-\rPaste;;Trail/;");
    ASSERT_EQ(CountMItems(m), 4);
    EXPECT_EQ(ItemText(m, 1), "Cut");
    EXPECT_EQ(ItemText(m, 2), "-");
    EXPECT_FALSE(IsMenuItemEnabled(m, 2));
    EXPECT_EQ(ItemText(m, 3), "Paste");
    EXPECT_EQ(ItemText(m, 4), "Trail");
    CharParameter cmd = -1;
    GetItemCmd(m, 4, &cmd);
    EXPECT_EQ(cmd, 0);
}

TEST_F(MenuItemsTest, TextCallsTakeMetacharactersLiterally) {
    MenuHandle m = Make(300);
    AppendMenuItemText(m, PStr("A;B/C(D"));
    ASSERT_EQ(CountMItems(m), 1);
    EXPECT_EQ(ItemText(m, 1), "A;B/C(D");
    SetMenuItemText(m, 1, PStr("<B^1"));
    EXPECT_EQ(ItemText(m, 1), "<B^1");
    EXPECT_EQ(State(m, 1).style, normal);
    EXPECT_EQ(ItemText(m, 2), ""); // out of range
}

TEST_F(MenuItemsTest, NumberingFollowsInsertsAndDeletes) {
    MenuHandle m = Make(300, "A;B;C");
    InsertMenuItem(m, PStr("X;Y"), 1); // after A, in order
    InsertMenuItem(m, PStr("Top"), 0);
    InsertMenuItem(m, PStr("End"), 100);
    InsertMenuItem(m, PStr("Neg"), -5);
    const char* expected[] = {"Neg", "Top", "A", "X", "Y", "B", "C", "End"};
    ASSERT_EQ(CountMItems(m), 8);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(ItemText(m, MenuItemIndex(i + 1)), expected[i]) << i;

    DeleteMenuItem(m, 4); // X
    DeleteMenuItem(m, 0);
    DeleteMenuItem(m, 9);
    ASSERT_EQ(CountMItems(m), 7);
    EXPECT_EQ(ItemText(m, 4), "Y");
    EXPECT_EQ(ItemText(m, 7), "End");
}

TEST_F(MenuItemsTest, AttributesMoveWithTheirItems) {
    MenuHandle m = Make(300, "A;B/B;C");
    DisableMenuItem(m, 3);
    InsertMenuItem(m, PStr("New"), 1);
    EXPECT_EQ(State(m, 3).cmd, 'B');
    EXPECT_FALSE(IsMenuItemEnabled(m, 4));
    EXPECT_TRUE(IsMenuItemEnabled(m, 2));
    DeleteMenuItem(m, 1);
    EXPECT_EQ(State(m, 2).cmd, 'B');
    EXPECT_FALSE(IsMenuItemEnabled(m, 3));
}

TEST_F(MenuItemsTest, EnablingWorksBeyondThirtyOneItems) {
    MenuHandle m = Make(300);
    for (int i = 0; i < 100; ++i)
        AppendMenu(m, PStr("Item"));
    DisableMenuItem(m, 40);
    DisableMenuItem(m, 100);
    EXPECT_TRUE(IsMenuItemEnabled(m, 39));
    EXPECT_FALSE(IsMenuItemEnabled(m, 40));
    EXPECT_FALSE(IsMenuItemEnabled(m, 100));
    MacEnableMenuItem(m, 40);
    EXPECT_TRUE(IsMenuItemEnabled(m, 40));
    EXPECT_FALSE(IsMenuItemEnabled(m, 101)); // no such item

    // The mirror of the first 31 items and the menu in enableFlags.
    DisableItem(m, 3);
    EXPECT_EQ((*m)->enableFlags & 0xF, 0x7u);
    DisableItem(m, 0);
    EXPECT_FALSE(IsMenuItemEnabled(m, 0));
    EXPECT_EQ((*m)->enableFlags & 1u, 0u);
    EXPECT_TRUE(IsMenuItemEnabled(m, 1)); // items keep their own state
    EnableItem(m, 0);
    EXPECT_EQ((*m)->enableFlags & 1u, 1u);
    // Item 31 is the last one mirrored; item 32 leaves the word alone.
    DisableItem(m, 31);
    EXPECT_EQ((*m)->enableFlags, 0x7FFFFFF7u);
    DisableItem(m, 32);
    EXPECT_EQ((*m)->enableFlags, 0x7FFFFFF7u);
    EnableItem(m, 31);
    EnableItem(m, 3);
    EXPECT_EQ((*m)->enableFlags, 0xFFFFFFFFu);
}

TEST_F(MenuItemsTest, TooManyItemsRaise) {
    MenuHandle m = Make(300);
    std::string many(250, ';');
    for (std::size_t i = 0; i < many.size(); i += 2)
        many[i] = 'x';
    for (int i = 0; i < 262; ++i) // 125 items each
        AppendMenu(m, PStr(many));
    ASSERT_EQ(CountMItems(m), 32750);
    EXPECT_EQ(ErrorCode([&] { AppendMenu(m, PStr(many)); }), "MENU_TOO_MANY_ITEMS");
    EXPECT_EQ(CountMItems(m), 32750); // nothing half added
}

TEST_F(MenuItemsTest, CheckItemKeepsTheSubmenuOfAHierarchicalItem) {
    MenuHandle m = Make(300, "Plain;Sub");
    SetItemCmd(m, 2, hMenuCmd);
    SetItemMark(m, 2, 400); // submenu IDs beyond one byte are kept
    CheckItem(m, 1, true);
    CheckItem(m, 2, false);
    CheckItem(m, 2, true);
    EXPECT_EQ(State(m, 1).mark, checkMark);
    EXPECT_EQ(State(m, 2).mark, 400);
    CheckItem(m, 1, false);
    EXPECT_EQ(State(m, 1).mark, noMark);
}

std::pair<std::string, unsigned char> Display(std::string_view text) {
    Str255 shown;
    unsigned char mnemonic = 0xFF;
    KsMenuDisplayText(PStr(text), shown, &mnemonic);
    return {std::string(reinterpret_cast<char*>(shown + 1), shown[0]), mnemonic};
}

TEST_F(MenuItemsTest, MnemonicsStayInTheTextButAreNotShown) {
    MenuHandle m = Make(300);
    AppendMenuItemText(m, PStr("&About Tavik..."));
    EXPECT_EQ(ItemText(m, 1), "&About Tavik...");

    EXPECT_EQ(Display("&About"), std::make_pair(std::string("About"), (unsigned char)'A'));
    EXPECT_EQ(Display("Save &As"), std::make_pair(std::string("Save As"), (unsigned char)'A'));
    EXPECT_EQ(Display("Fish && &Chips"),
              std::make_pair(std::string("Fish & Chips"), (unsigned char)'C'));
    EXPECT_EQ(Display("&&B"), std::make_pair(std::string("&B"), (unsigned char)0));
    EXPECT_EQ(Display("A & B&"), std::make_pair(std::string("A & B&"), (unsigned char)0));
    EXPECT_EQ(Display("&1"), std::make_pair(std::string("&1"), (unsigned char)0));
    EXPECT_EQ(Display("&x&y"), std::make_pair(std::string("xy"), (unsigned char)'x'));
}

TEST_F(MenuItemsTest, FindMnemonicSkipsDisabledItems) {
    MenuHandle m = Make(300);
    for (const char* t : {"&Open", "Sa&ve", "&Close", "&cut"})
        AppendMenuItemText(m, PStr(t));
    EXPECT_EQ(KsMenuFindMnemonic(m, 'v'), 2);
    EXPECT_EQ(KsMenuFindMnemonic(m, 'C'), 3);
    DisableMenuItem(m, 3);
    EXPECT_EQ(KsMenuFindMnemonic(m, 'c'), 4);
    EXPECT_EQ(KsMenuFindMnemonic(m, 'z'), 0);
}

} // namespace
