#include "KsScratchResFile.h"
#include "Menus.h"
#include "Resources.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

class MenuResourceChain : public ::testing::Test {
protected:
    void SetUp() override {
        Add("MENU", 128, MenuData(128, "File", {"New", "Open"}));
        Add("MENU", 129, MenuData(129, "Edit", {"Undo"}));
        Add("MBAR", 128, {0, 2, 0, 128, 0, 129});
        Add("MBAR", 129, {0, 2, 0, 128, 1, 44}); // names a missing menu
        ClearMenuBar();
    }
    void TearDown() override { ClearMenuBar(); }
    void Add(const char (&type)[5], SInt16 id, const std::vector<UInt8>& bytes) {
        file_.Add(FourCharCode(type), id, bytes);
    }
    ScratchResFile file_;
};

} // namespace

TEST_F(MenuResourceChain, GetMenuDecodesFromTheChain) {
    MenuHandle file = GetMenu(128);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(GetMenuID(file), 128);
    EXPECT_EQ(CountMItems(file), 2);
    EXPECT_EQ(GetMenu(999), nullptr);
    DisposeMenu(file);
}

TEST_F(MenuResourceChain, GetNewMBarLeavesTheCurrentBarAlone) {
    MenuHandle mine = NewMenu(500, reinterpret_cast<const unsigned char*>("\x04Mine"));
    InsertMenu(mine, 0);

    Handle bar = GetNewMBar(128);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(KsMenuListCount(bar, KsMenuListPart::bar), 2);
    EXPECT_EQ(GetMenuID(KsMenuListGet(bar, KsMenuListPart::bar, 1)), 129);
    // The current bar still holds only our own menu.
    EXPECT_EQ(GetMenuHandle(500), mine);
    EXPECT_EQ(GetMenuHandle(128), nullptr);

    SetMenuBar(bar);
    EXPECT_NE(GetMenuHandle(128), nullptr);
    EXPECT_EQ(GetMenuHandle(500), nullptr);

    // A bar naming a menu that does not exist answers null and changes nothing.
    EXPECT_EQ(GetNewMBar(129), nullptr);
    EXPECT_NE(GetMenuHandle(129), nullptr);
    KsDisposeHandle(bar);
    DisposeMenu(mine);
    DisposeMenu(GetMenuHandle(128));
    DisposeMenu(GetMenuHandle(129));
}
