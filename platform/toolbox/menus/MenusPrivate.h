// What the menu manager's files share: the item storage behind MenuInfo::data,
// the menu list, and the generation that tells the command-key index to
// rebuild.
#pragma once

#include "Menus.h"

#include <string>
#include <vector>

struct KsMenuItem {
    std::string text; // Mac OS Roman, at most 255 bytes
    SInt16 icon = 0;
    SInt16 mark = 0; // a mark character, or the submenu ID when cmd is hMenuCmd
    UInt8 cmd = 0;
    Style style = 0;
    bool enabled = true;
};

struct KsMenuData {
    std::string title;
    bool enabled = true; // item 0
    std::vector<KsMenuItem> items;
};

constexpr std::size_t kKsMaxMenuItems = 32767;

// The item `item` (1-based) of a menu; null out of range.
KsMenuItem* KsMenuItemAt(MenuHandle menu, MenuItemIndex item);
// Parses metacharacter text into items (see AppendMenu).
std::vector<KsMenuItem> KsParseMenuItems(const unsigned char* text, std::size_t length);
// Inserts items at 0-based position `at`, keeping enableFlags and the
// command-key index current. Raises "MENU_TOO_MANY_ITEMS".
void KsInsertMenuItems(MenuHandle menu, std::size_t at, std::vector<KsMenuItem>&& items);

// Bumped by every change that a command-key lookup depends on except enabling
// (which lookups read live): items added or removed, command keys, styles,
// menu IDs, the menu list.
void KsMenuKeysChanged();

// The menu list, and whether a handle is a live menu.
const std::vector<MenuHandle>& KsMenuBarList();
const std::vector<MenuHandle>& KsMenuHierList();
bool KsIsLiveMenu(MenuHandle menu);

// Case folding used by command keys and mnemonics: ASCII letters only.
inline unsigned char KsMenuFoldKey(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// Copies a Pascal string into a std::string and back (cut to 255 bytes).
std::string KsMenuPString(ConstStr255Param p);
void KsMenuToPString(std::string_view s, Str255 out);
