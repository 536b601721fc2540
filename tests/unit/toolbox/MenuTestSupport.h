// Helpers of the menu tests: Pascal strings, and a fixture that leaves the
// menu list empty and frees the menus a test made.
#pragma once

#include "Menus.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

struct PStr {
    Str255 s;
    explicit PStr(std::string_view text) {
        s[0] = static_cast<unsigned char>(text.size());
        for (std::size_t i = 0; i < text.size(); ++i)
            s[i + 1] = static_cast<unsigned char>(text[i]);
    }
    operator const unsigned char*() const { return s; }
};

inline std::string ItemText(MenuHandle menu, MenuItemIndex item) {
    Str255 text;
    GetMenuItemText(menu, item, text);
    return std::string(reinterpret_cast<const char*>(text + 1), text[0]);
}

// What MenuSelect and MenuKey answer for an item.
inline SInt32 Code(MenuID id, MenuItemIndex item) {
    return SInt32(UInt32(UInt16(id)) << 16 | UInt16(item));
}

// An item's text and attributes, compared and printed whole.
struct ItemState {
    std::string text;
    SInt16 icon;
    CharParameter mark, cmd;
    Style style;
    bool enabled;
    bool operator==(const ItemState&) const = default;
};

inline std::ostream& operator<<(std::ostream& o, const ItemState& s) {
    return o << '"' << s.text << "\" icon " << s.icon << " mark " << int(s.mark) << " cmd "
             << int(s.cmd) << " style " << int(s.style) << (s.enabled ? "" : " disabled");
}

inline ItemState State(MenuHandle m, MenuItemIndex i) {
    ItemState s{ItemText(m, i), 0, 0, 0, 0, IsMenuItemEnabled(m, i) != 0};
    GetItemIcon(m, i, &s.icon);
    GetItemMark(m, i, &s.mark);
    GetItemCmd(m, i, &s.cmd);
    GetItemStyle(m, i, &s.style);
    return s;
}

class MenuFixture : public ::testing::Test {
protected:
    MenuHandle Make(MenuID id, std::string_view items = {}, std::string_view title = "T") {
        MenuHandle m = NewMenu(id, PStr(title));
        menus_.push_back(m);
        if (!items.empty()) AppendMenu(m, PStr(items));
        return m;
    }
    // For a menu the test disposes itself.
    void Forget(MenuHandle m) { std::erase(menus_, m); }
    void TearDown() override {
        ClearMenuBar();
        for (MenuHandle m : menus_)
            DisposeMenu(m);
    }

private:
    std::vector<MenuHandle> menus_;
};
