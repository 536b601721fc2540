// Decoding 'MENU' and 'MBAR' resource data, valid and damaged.
#include "BytesBuilder.h"
#include "KsRaisedError.h"
#include "MenuTestSupport.h"
#include "XError.h"

#include <cstdint>

namespace {

using Data = std::vector<UInt8>;

struct Item {
    std::string text;
    std::uint8_t icon, key, mark, style;
};

// ID, width, height, definition ID, filler, enable flags, title, items, end.
Data MenuData(int id, std::uint32_t enable, std::string_view title, const std::vector<Item>& items,
              int procID = 0) {
    Bytes b;
    b.u16(id).u16(0).u16(0).u16(procID).u16(0).u32(enable).pstr(title);
    for (const Item& it : items)
        b.pstr(it.text).u8(it.icon).u8(it.key).u8(it.mark).u8(it.style);
    return b.u8(0).b;
}

std::string RaisedCode(const Data& b, bool mbar = false) {
    return ErrorCode([&] {
        if (mbar)
            KsMenuBarFromResourceData(b.data(), b.size());
        else
            DisposeMenu(KsMenuFromResourceData(b.data(), b.size()));
    });
}

class MenuResourceTest : public MenuFixture {};

TEST_F(MenuResourceTest, DecodesAMenuWithAllItemFields) {
    // Enable bits: menu, items 1 and 3; item 2 is a disabled separator.
    const Data b =
        MenuData(129, 0b1011, "Edit",
                 {{"Cut#1032", 0, 'X', 0, 0}, {"-", 0, 0, 0, 0}, {"Sub", 2, 0x1B, 131, 0x41}}, 777);
    MenuHandle m = KsMenuFromResourceData(b.data(), b.size());
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(GetMenuID(m), 129);
    EXPECT_EQ((*m)->menuProcID, 777);
    Str255 title;
    GetMenuTitle(m, title);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(title + 1), title[0]), "Edit");
    ASSERT_EQ(CountMItems(m), 3);
    EXPECT_TRUE(IsMenuItemEnabled(m, 0));
    EXPECT_EQ(State(m, 1), (ItemState{"Cut#1032", 0, 0, 'X', 0, true}));
    EXPECT_EQ(State(m, 2), (ItemState{"-", 0, 0, 0, 0, false}));
    EXPECT_EQ(State(m, 3), (ItemState{"Sub", 2, 131, hMenuCmd, 0x41, true}));
    EXPECT_EQ(GetMenuHandle(129), nullptr); // not put into the list
    DisposeMenu(m);
}

TEST_F(MenuResourceTest, ItemsPastThirtyOneAreEnabledAndADisabledMenuStaysSo) {
    std::vector<Item> items(40, Item{"x", 0, 0, 0, 0});
    const Data b = MenuData(130, 0, "", items); // nothing enabled by the bits
    MenuHandle m = KsMenuFromResourceData(b.data(), b.size());
    EXPECT_FALSE(IsMenuItemEnabled(m, 0));
    EXPECT_FALSE(IsMenuItemEnabled(m, 31));
    EXPECT_TRUE(IsMenuItemEnabled(m, 32));
    EXPECT_TRUE(IsMenuItemEnabled(m, 40));
    DisposeMenu(m);

    const Data empty = MenuData(131, 0xFFFFFFFF, "Empty", {});
    m = KsMenuFromResourceData(empty.data(), empty.size());
    EXPECT_EQ(CountMItems(m), 0);
    EXPECT_EQ((*m)->enableFlags, 1u);
    DisposeMenu(m);
}

TEST_F(MenuResourceTest, DamagedMenuDataRaises) {
    const Data good = MenuData(129, ~0u, "File", {{"Open", 0, 'O', 0, 0}, {"Quit", 0, 'Q', 0, 0}});
    // Every cut of the data is refused (the last byte is the terminator).
    for (std::size_t n = 0; n < good.size(); ++n) {
        const Data cut(good.begin(), good.begin() + std::ptrdiff_t(n));
        EXPECT_EQ(RaisedCode(cut), "MENU_RSRC_BAD") << n;
    }
    EXPECT_EQ(RaisedCode(good), "");
    Data padded = good;
    padded.push_back(0);
    EXPECT_EQ(RaisedCode(padded), "");
    Data trailing = good;
    trailing.push_back(7);
    EXPECT_EQ(RaisedCode(trailing), "MENU_RSRC_BAD");
    Data longTitle = good;
    longTitle[14] = 200; // the title's length runs past the data
    EXPECT_EQ(RaisedCode(longTitle), "MENU_RSRC_BAD");
    EXPECT_THROW(KsMenuFromResourceData(nullptr, 10), XError);
}

TEST_F(MenuResourceTest, ErrorsSayWhatAndWhere) {
    Data b = MenuData(129, ~0u, "F", {{"Open", 0, 'O', 0, 0}});
    b.resize(b.size() - 3); // inside the item's fields
    const XError e = ErrorOf([&] { KsMenuFromResourceData(b.data(), b.size()); });
    ASSERT_NE(e.FindParam("offset"), nullptr);
    EXPECT_EQ(e.FindParam("offset")->intValue, long(b.size()));
    EXPECT_NE(e.GetText().find("damaged"), std::string::npos);
}

TEST_F(MenuResourceTest, DecodesMenuBars) {
    const Data b = Bytes().u16(3).u16(128).u16(129).u16(-2).b;
    EXPECT_EQ(KsMenuBarFromResourceData(b.data(), b.size()), (std::vector<MenuID>{128, 129, -2}));
    const Data none = Bytes().u16(0).b;
    EXPECT_TRUE(KsMenuBarFromResourceData(none.data(), none.size()).empty());

    for (std::size_t n = 0; n < b.size(); ++n)
        EXPECT_EQ(RaisedCode(Data(b.begin(), b.begin() + std::ptrdiff_t(n)), true), "MBAR_RSRC_BAD")
            << n;
    EXPECT_EQ(RaisedCode(Bytes().u16(-1).b, true), "MBAR_RSRC_BAD");
    // A count far beyond the data is refused before anything is sized by it.
    EXPECT_EQ(RaisedCode(Bytes().u16(0x7FFF).u16(1).b, true), "MBAR_RSRC_BAD");
    const Data trailing = Bytes().raw(b).u16(5).b;
    EXPECT_EQ(RaisedCode(trailing, true), "MBAR_RSRC_BAD");
}

} // namespace
