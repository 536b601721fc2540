// The menu list (bar then hierarchical menus, snapshots) and command keys.
#include "MenuTestSupport.h"

#include "KsHandle.h"
#include "MenusPrivate.h"

namespace {

constexpr UInt16 kShift = 0x0200;

std::vector<MenuID> BarIDs() {
    std::vector<MenuID> ids;
    Handle list = GetMenuBar();
    for (SInt16 i = 0; i < KsMenuListCount(list, KsMenuListPart::bar); ++i)
        ids.push_back(GetMenuID(KsMenuListGet(list, KsMenuListPart::bar, i)));
    ids.push_back(0); // the hierarchical ones follow
    for (SInt16 i = 0; i < KsMenuListCount(list, KsMenuListPart::hierarchical); ++i)
        ids.push_back(GetMenuID(KsMenuListGet(list, KsMenuListPart::hierarchical, i)));
    KsDisposeHandle(list);
    return ids;
}

class MenuListTest : public MenuFixture {};

TEST_F(MenuListTest, InsertKeepsBarOrderAndTheHierarchicalList) {
    MenuHandle file = Make(257), edit = Make(258), apple = Make(256), sub = Make(400),
               pop = Make(401);
    InsertMenu(file, 0);
    InsertMenu(edit, 0);
    InsertMenu(apple, 257); // before File
    InsertMenu(sub, hierMenu);
    InsertMenu(pop, hierMenu);
    InsertMenu(apple, 0);      // already there: stays first
    InsertMenu(sub, hierMenu); // likewise
    EXPECT_EQ(BarIDs(), (std::vector<MenuID>{256, 257, 258, 0, 400, 401}));
    EXPECT_EQ(GetMenuHandle(258), edit);
    EXPECT_EQ(GetMenuHandle(401), pop);
    EXPECT_EQ(GetMenuHandle(999), nullptr);

    MenuHandle loose = Make(999);
    InsertMenu(loose, 12345); // unknown beforeID: at the end
    EXPECT_EQ(BarIDs(), (std::vector<MenuID>{256, 257, 258, 999, 0, 400, 401}));

    DeleteMenu(257);
    DeleteMenu(400);
    DeleteMenu(4242);
    EXPECT_EQ(BarIDs(), (std::vector<MenuID>{256, 258, 999, 0, 401}));
    EXPECT_EQ(CountMItems(file), 0); // deleted from the list, not freed
}

TEST_F(MenuListTest, SnapshotsRestoreAndSkipDisposedMenus) {
    MenuHandle a = Make(256), b = Make(257), h = Make(400);
    InsertMenu(a, 0);
    InsertMenu(b, 0);
    InsertMenu(h, hierMenu);
    Handle saved = GetMenuBar();
    ClearMenuBar();
    EXPECT_EQ(GetMenuHandle(256), nullptr);
    EXPECT_EQ(BarIDs(), (std::vector<MenuID>{0}));

    Forget(b);
    DisposeMenu(b);
    SetMenuBar(saved);
    KsDisposeHandle(saved);
    EXPECT_EQ(BarIDs(), (std::vector<MenuID>{256, 0, 400}));
}

TEST_F(MenuListTest, DisposingAMenuTakesItOutOfTheList) {
    MenuHandle a = Make(256, "Quit/Q");
    InsertMenu(a, 0);
    EXPECT_EQ(MenuKey('q'), Code(256, 1));
    Forget(a);
    DisposeMenu(a);
    EXPECT_EQ(GetMenuHandle(256), nullptr);
    EXPECT_EQ(MenuKey('q'), 0);
}

TEST_F(MenuListTest, AMenuAskedAboutJustBeforeItsDisposalIsNoLongerLive) {
    MenuHandle a = Make(256, "Quit/Q");
    MenuHandle b = Make(257, "Open/O");
    EXPECT_TRUE(KsIsLiveMenu(a));
    Forget(a);
    DisposeMenu(a);
    EXPECT_FALSE(KsIsLiveMenu(a));
    EXPECT_TRUE(KsIsLiveMenu(b));
    EXPECT_FALSE(KsIsLiveMenu(nullptr));
    Forget(b);
    DisposeMenu(b);
}

TEST_F(MenuListTest, MenuKeyFindsEnabledItemsWithoutCase) {
    MenuHandle file = Make(257, "New/N;Open/o;Close/W;-;Quit/Q");
    MenuHandle edit = Make(258, "Undo/Z;Cut/X;Copy/C");
    InsertMenu(file, 0);
    InsertMenu(edit, 0);
    EXPECT_EQ(MenuKey('n'), Code(257, 1));
    EXPECT_EQ(MenuKey('N'), Code(257, 1));
    EXPECT_EQ(MenuKey('O'), Code(257, 2));
    EXPECT_EQ(MenuKey('c'), Code(258, 3));
    EXPECT_EQ(MenuKey('y'), 0);

    DisableMenuItem(file, 2);
    EXPECT_EQ(MenuKey('o'), 0);
    DisableMenuItem(edit, 0); // the whole menu
    EXPECT_EQ(MenuKey('x'), 0);
    EXPECT_TRUE(IsMenuItemEnabled(edit, 2));
    MacEnableMenuItem(edit, 0);
    EXPECT_EQ(MenuKey('x'), Code(258, 2));
}

TEST_F(MenuListTest, MenuKeyFollowsChangesOfKeysItemsAndIDs) {
    MenuHandle file = Make(257, "New/N;Open/O");
    InsertMenu(file, 0);
    EXPECT_EQ(MenuKey('o'), Code(257, 2));
    InsertMenuItem(file, PStr("Top"), 0);
    EXPECT_EQ(MenuKey('o'), Code(257, 3));
    SetItemCmd(file, 3, 'P');
    EXPECT_EQ(MenuKey('o'), 0);
    EXPECT_EQ(MenuKey('p'), Code(257, 3));
    SetMenuID(file, 300);
    EXPECT_EQ(MenuKey('p'), Code(300, 3));
    DeleteMenuItem(file, 1);
    EXPECT_EQ(MenuKey('p'), Code(300, 2));
    DeleteMenu(300);
    EXPECT_EQ(MenuKey('p'), 0);
}

TEST_F(MenuListTest, MenuKeySearchesTheBarFirstThenHierarchicalMenus) {
    MenuHandle sub = Make(400, "Deep/D;Both/B");
    MenuHandle file = Make(257, "Both/B;More/\x1B!\x90");
    InsertMenu(sub, hierMenu);
    InsertMenu(file, 0);
    EXPECT_EQ(MenuKey('b'), Code(257, 1));
    EXPECT_EQ(MenuKey('d'), Code(400, 1));
    DisableMenuItem(file, 1);
    EXPECT_EQ(MenuKey('b'), Code(400, 2));
    // A submenu item's 0x1B is not a key, nor is its mark.
    EXPECT_EQ(MenuKey(0x1B), 0);
    EXPECT_EQ(MenuKey(0x90), 0);
}

TEST_F(MenuListTest, ShiftStyleKeysNeedShiftAndComeFirstWithIt) {
    MenuHandle m = Make(257, "Plain/A;Shifted/A;OnlyShift/S");
    SetItemStyle(m, 2, kMenuShiftStyle);
    SetItemStyle(m, 3, kMenuShiftStyle | bold);
    InsertMenu(m, 0);
    EXPECT_EQ(KsMenuKey('a', 0), Code(257, 1));
    EXPECT_EQ(KsMenuKey('a', kShift), Code(257, 2));
    EXPECT_EQ(KsMenuKey('A', kShift | 0x0100), Code(257, 2));
    EXPECT_EQ(KsMenuKey('s', 0), 0);
    EXPECT_EQ(KsMenuKey('s', kShift), Code(257, 3));
    // With Shift and no Shift-marked match, the plain key answers.
    DisableMenuItem(m, 2);
    EXPECT_EQ(KsMenuKey('a', kShift), Code(257, 1));

    // MenuKey reads the installed modifiers.
    static UInt16 modifiers = 0;
    KsMenuModifiersProc old = KsSetMenuModifiersProc([] { return modifiers; });
    modifiers = kShift;
    EXPECT_EQ(MenuKey('s'), Code(257, 3));
    modifiers = 0;
    EXPECT_EQ(MenuKey('s'), 0);
    KsSetMenuModifiersProc(old);
}

TEST_F(MenuListTest, NegativeMenuIDsKeepTheirHighWord) {
    MenuHandle help = Make(-16490, "Help/?");
    InsertMenu(help, 0);
    const SInt32 r = MenuKey('?');
    EXPECT_EQ(SInt16(r >> 16), -16490);
    EXPECT_EQ(r & 0xFFFF, 1);
}

} // namespace
