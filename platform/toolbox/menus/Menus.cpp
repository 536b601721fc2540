// Menu records and their items. Sections: messages, records, metacharacters,
// items, enabling, item attributes, mnemonics.
#include "MenusPrivate.h"

#include "KsHandle.h"
#include "KsMisuse.h"
#include "XError.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <new>

namespace {
const EMMessage kMessages[] = {
    {"MENU_NO_MEMORY", "There is not enough memory to make a menu.", nullptr},
    {"MENU_TOO_MANY_ITEMS", "A menu cannot hold more than {max} items.", nullptr},
    {"MENU_RSRC_BAD", "The menu resource data is damaged: {what} (at byte {offset}).", nullptr},
    {"MBAR_RSRC_BAD", "The menu bar resource data is damaged: {what} (at byte {offset}).", nullptr},
};
const bool gRegistered = (EMRegisterMessages(kMessages, int(std::size(kMessages))), true);

// The data of a live menu; a null or freed handle is misuse.
KsMenuData& Data(MenuHandle menu) {
    if (!menu || !KsIsLiveMenu(menu)) KsMisuse("not a live menu", "MenuInfo");
    return *(*menu)->data;
}

// enableFlags mirrors the enabled state of the menu and of items 1 to 31.
void SyncEnableFlags(MenuHandle menu) {
    const KsMenuData& d = *(*menu)->data;
    UInt32 flags = d.enabled ? 1u : 0u;
    const std::size_t n = std::min<std::size_t>(d.items.size(), 31);
    for (std::size_t i = 0; i < n; ++i)
        if (d.items[i].enabled) flags |= 1u << (i + 1);
    (*menu)->enableFlags = flags;
}
} // namespace

std::string KsMenuPString(ConstStr255Param p) {
    if (!p) return {};
    return std::string(reinterpret_cast<const char*>(p + 1), p[0]);
}

void KsMenuToPString(std::string_view s, Str255 out) {
    const std::size_t n = std::min<std::size_t>(s.size(), 255);
    out[0] = static_cast<unsigned char>(n);
    if (n) std::memcpy(out + 1, s.data(), n);
}

// ---------------------------------------------------------------------------
// Records

void KsRegisterLiveMenu(MenuHandle menu);
void KsForgetLiveMenu(MenuHandle menu);

MenuHandle NewMenu(MenuID menuID, ConstStr255Param title) {
    auto menu = reinterpret_cast<MenuHandle>(KsNewHandle(sizeof(MenuInfo)));
    if (!menu) xraisexerror("MENU_NO_MEMORY");
    KsMenuData* data = new (std::nothrow) KsMenuData;
    if (!data) {
        KsDisposeHandle(reinterpret_cast<Handle>(menu));
        xraisexerror("MENU_NO_MEMORY");
    }
    data->title = KsMenuPString(title);
    MenuInfo& info = **menu;
    info.menuID = menuID;
    info.menuWidth = 0;
    info.menuHeight = 0;
    info.menuProcID = textMenuProc;
    info.data = data;
    SyncEnableFlags(menu);
    KsRegisterLiveMenu(menu);
    return menu;
}

void DisposeMenu(MenuHandle menu) {
    if (!menu) return;
    Data(menu);             // misuse check
    KsForgetLiveMenu(menu); // also leaves the menu list
    delete (*menu)->data;
    KsDisposeHandle(reinterpret_cast<Handle>(menu));
}

MenuID GetMenuID(MenuHandle menu) {
    Data(menu);
    return (*menu)->menuID;
}

void SetMenuID(MenuHandle menu, MenuID menuID) {
    Data(menu);
    if ((*menu)->menuID == menuID) return;
    (*menu)->menuID = menuID;
    KsMenuKeysChanged();
}

void GetMenuTitle(MenuHandle menu, Str255 title) {
    KsMenuToPString(Data(menu).title, title);
}

void SetMenuTitle(MenuHandle menu, ConstStr255Param title) {
    Data(menu).title = KsMenuPString(title);
}

void KsSetMenuDefID(MenuHandle menu, SInt16 procID) {
    Data(menu);
    (*menu)->menuProcID = procID;
}

// ---------------------------------------------------------------------------
// Metacharacters

std::vector<KsMenuItem> KsParseMenuItems(const unsigned char* text, std::size_t length) {
    std::vector<KsMenuItem> items;
    std::size_t start = 0;
    while (start <= length) {
        std::size_t end = start;
        while (end < length && text[end] != ';' && text[end] != '\r')
            ++end;
        if (end > start) {
            KsMenuItem item;
            for (std::size_t i = start; i < end; ++i) {
                const unsigned char c = text[i];
                const bool hasNext = i + 1 < end;
                switch (c) {
                case '^':
                    if (hasNext) item.icon = static_cast<UInt8>(text[++i] - '0');
                    break;
                case '!':
                    if (hasNext) item.mark = text[++i];
                    break;
                case '/':
                    if (hasNext) item.cmd = text[++i];
                    break;
                case '<':
                    if (hasNext) {
                        switch (text[++i]) {
                        case 'B':
                        case 'b':
                            item.style |= bold;
                            break;
                        case 'I':
                        case 'i':
                            item.style |= italic;
                            break;
                        case 'U':
                        case 'u':
                            item.style |= underline;
                            break;
                        case 'O':
                        case 'o':
                            item.style |= outline;
                            break;
                        case 'S':
                        case 's':
                            item.style |= shadow;
                            break;
                        default:
                            break;
                        }
                    }
                    break;
                case '(':
                    item.enabled = false;
                    break;
                default:
                    item.text.push_back(static_cast<char>(c));
                    break;
                }
            }
            items.push_back(std::move(item));
        }
        start = end + 1;
    }
    return items;
}

// ---------------------------------------------------------------------------
// Items

KsMenuItem* KsMenuItemAt(MenuHandle menu, MenuItemIndex item) {
    KsMenuData& d = Data(menu);
    if (item < 1 || static_cast<std::size_t>(item) > d.items.size()) return nullptr;
    return &d.items[static_cast<std::size_t>(item) - 1];
}

void KsInsertMenuItems(MenuHandle menu, std::size_t at, std::vector<KsMenuItem>&& items) {
    KsMenuData& d = Data(menu);
    if (items.empty()) return;
    if (items.size() > kKsMaxMenuItems - d.items.size())
        xraisexerror("MENU_TOO_MANY_ITEMS", "long max", kKsMaxMenuItems);
    at = std::min(at, d.items.size());
    d.items.insert(d.items.begin() + static_cast<std::ptrdiff_t>(at),
                   std::make_move_iterator(items.begin()), std::make_move_iterator(items.end()));
    SyncEnableFlags(menu);
    KsMenuKeysChanged();
}

void AppendMenu(MenuHandle menu, ConstStr255Param data) {
    Data(menu);
    if (!data) return;
    KsInsertMenuItems(menu, SIZE_MAX, KsParseMenuItems(data + 1, data[0]));
}

void InsertMenuItem(MenuHandle menu, ConstStr255Param itemString, MenuItemIndex afterItem) {
    Data(menu);
    if (!itemString) return;
    KsInsertMenuItems(menu, static_cast<std::size_t>(std::max<MenuItemIndex>(afterItem, 0)),
                      KsParseMenuItems(itemString + 1, itemString[0]));
}

void AppendMenuItemText(MenuHandle menu, ConstStr255Param text) {
    std::vector<KsMenuItem> one(1);
    one[0].text = KsMenuPString(text);
    KsInsertMenuItems(menu, SIZE_MAX, std::move(one));
}

void DeleteMenuItem(MenuHandle menu, MenuItemIndex item) {
    KsMenuData& d = Data(menu);
    if (!KsMenuItemAt(menu, item)) return;
    d.items.erase(d.items.begin() + (item - 1));
    SyncEnableFlags(menu);
    KsMenuKeysChanged();
}

SInt16 CountMItems(MenuHandle menu) {
    return static_cast<SInt16>(Data(menu).items.size());
}

void SetMenuItemText(MenuHandle menu, MenuItemIndex item, ConstStr255Param text) {
    if (KsMenuItemAt(menu, item)) KsMenuItemAt(menu, item)->text = KsMenuPString(text);
}

void GetMenuItemText(MenuHandle menu, MenuItemIndex item, Str255 text) {
    const KsMenuItem* it = KsMenuItemAt(menu, item);
    KsMenuToPString(it ? std::string_view(it->text) : std::string_view(), text);
}

// ---------------------------------------------------------------------------
// Enabling

namespace {
void SetEnabled(MenuHandle menu, MenuItemIndex item, bool enabled) {
    KsMenuData& d = Data(menu);
    if (item == 0) {
        d.enabled = enabled;
    } else if (KsMenuItem* it = KsMenuItemAt(menu, item)) {
        it->enabled = enabled;
    } else {
        return;
    }
    // Only this item's bit can change (items past 31 have none): a reset of
    // every item of every menu must not rebuild the word each time.
    if (item <= 31) {
        const UInt32 bit = 1u << item;
        (*menu)->enableFlags = enabled ? (*menu)->enableFlags | bit : (*menu)->enableFlags & ~bit;
    }
}
} // namespace

void MacEnableMenuItem(MenuHandle menu, MenuItemIndex item) {
    SetEnabled(menu, item, true);
}
void DisableMenuItem(MenuHandle menu, MenuItemIndex item) {
    SetEnabled(menu, item, false);
}

Boolean IsMenuItemEnabled(MenuHandle menu, MenuItemIndex item) {
    if (item == 0) return Data(menu).enabled;
    const KsMenuItem* it = KsMenuItemAt(menu, item);
    return it && it->enabled;
}

// ---------------------------------------------------------------------------
// Item attributes

void CheckItem(MenuHandle menu, MenuItemIndex item, Boolean checked) {
    KsMenuItem* it = KsMenuItemAt(menu, item);
    // The mark of an item that opens a submenu is the submenu's ID: checking or
    // unchecking it (as a reset of all menus does) must not cut the link.
    if (!it || it->cmd == hMenuCmd) return;
    it->mark = checked ? checkMark : noMark;
}

void SetItemMark(MenuHandle menu, MenuItemIndex item, CharParameter markChar) {
    if (KsMenuItem* it = KsMenuItemAt(menu, item)) it->mark = markChar;
}

void GetItemMark(MenuHandle menu, MenuItemIndex item, CharParameter* markChar) {
    const KsMenuItem* it = KsMenuItemAt(menu, item);
    if (markChar) *markChar = it ? it->mark : 0;
}

void SetItemCmd(MenuHandle menu, MenuItemIndex item, CharParameter cmdChar) {
    KsMenuItem* it = KsMenuItemAt(menu, item);
    if (!it || it->cmd == static_cast<UInt8>(cmdChar)) return;
    it->cmd = static_cast<UInt8>(cmdChar);
    KsMenuKeysChanged();
}

void GetItemCmd(MenuHandle menu, MenuItemIndex item, CharParameter* cmdChar) {
    const KsMenuItem* it = KsMenuItemAt(menu, item);
    if (cmdChar) *cmdChar = it ? it->cmd : 0;
}

void SetItemStyle(MenuHandle menu, MenuItemIndex item, SInt16 chStyle) {
    KsMenuItem* it = KsMenuItemAt(menu, item);
    if (!it || it->style == static_cast<Style>(chStyle)) return;
    it->style = static_cast<Style>(chStyle);
    KsMenuKeysChanged();
}

void GetItemStyle(MenuHandle menu, MenuItemIndex item, Style* chStyle) {
    const KsMenuItem* it = KsMenuItemAt(menu, item);
    if (chStyle) *chStyle = it ? it->style : Style(normal);
}

void SetItemIcon(MenuHandle menu, MenuItemIndex item, SInt16 iconIndex) {
    if (KsMenuItem* it = KsMenuItemAt(menu, item)) it->icon = iconIndex;
}

void GetItemIcon(MenuHandle menu, MenuItemIndex item, SInt16* iconIndex) {
    const KsMenuItem* it = KsMenuItemAt(menu, item);
    if (iconIndex) *iconIndex = it ? it->icon : 0;
}

// ---------------------------------------------------------------------------
// Mnemonics

namespace {
bool IsMnemonicLetter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

unsigned char MnemonicOf(std::string_view text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        const auto next = static_cast<unsigned char>(text[i + 1]);
        if (next == '&') {
            ++i;
        } else if (IsMnemonicLetter(next)) {
            return next;
        }
    }
    return 0;
}
} // namespace

void KsMenuDisplayText(ConstStr255Param text, Str255 display, unsigned char* mnemonic,
                       SInt16* mnemonicAt) {
    const std::string_view in(reinterpret_cast<const char*>(text + 1), text[0]);
    std::string out;
    SInt16 at = 0;
    for (std::size_t i = 0; i < in.size(); ++i) {
        const char c = in[i];
        if (c == '&' && i + 1 < in.size()) {
            const auto next = static_cast<unsigned char>(in[i + 1]);
            if (next == '&') {
                out.push_back('&');
                ++i;
                continue;
            }
            if (IsMnemonicLetter(next)) { // the letter itself is shown
                if (!at) at = static_cast<SInt16>(out.size() + 1);
                continue;
            }
        }
        out.push_back(c);
    }
    KsMenuToPString(out, display);
    if (mnemonic) *mnemonic = MnemonicOf(in);
    if (mnemonicAt) *mnemonicAt = at;
}

MenuItemIndex KsMenuFindMnemonic(MenuHandle menu, CharParameter ch) {
    const KsMenuData& d = Data(menu);
    const unsigned char want = KsMenuFoldKey(static_cast<unsigned char>(ch));
    for (std::size_t i = 0; i < d.items.size(); ++i) {
        const KsMenuItem& it = d.items[i];
        if (!it.enabled) continue;
        const unsigned char m = MnemonicOf(it.text);
        if (m && KsMenuFoldKey(m) == want) return static_cast<MenuItemIndex>(i + 1);
    }
    return 0;
}
