#include "KsMenuUtils.h"

#include <algorithm>
#include <cstring>

namespace {
// Menus made at run time take IDs from the top of the range down, away from
// the IDs of menu resources.
constexpr MenuID kFirstFreeID = 32000;
constexpr MenuID kLastFreeID = 20000;

void ToPString(const char* text, Str255 out) {
    const std::size_t n = text ? std::min<std::size_t>(std::strlen(text), 255) : 0;
    out[0] = UInt8(n);
    if (n) std::memcpy(out + 1, text, n);
}
} // namespace

MenuHandle CreateNewMenu(const char* title, SInt16 procID) {
    for (MenuID id = kFirstFreeID; id >= kLastFreeID; --id) {
        if (GetMenuHandle(id)) continue;
        Str255 ptitle;
        ToPString(title, ptitle);
        MenuHandle menu = NewMenu(id, ptitle);
        if (!menu) return nullptr;
        if (procID != 0) KsSetMenuDefID(menu, procID);
        InsertMenu(menu, hierMenu);
        return menu;
    }
    return nullptr;
}

MenuHandle GetPopupMenu(SInt16 menuID) {
    if (MenuHandle m = GetMenuHandle(menuID)) return m;
    MenuHandle m = GetMenu(menuID);
    if (m) InsertMenu(m, hierMenu);
    return m;
}

void SafeDisposeMenu(MenuHandle menu) {
    if (!menu) return;
    DisposeMenu(menu);
}

void AppendMenuLiteralCstr(MenuHandle menu, const char* text) {
    if (!menu) return;
    Str255 ptext;
    ToPString(text, ptext);
    AppendMenuItemText(menu, ptext);
}

void UncheckAllItems(MenuHandle menu) {
    if (!menu) return;
    const SInt16 n = CountMItems(menu);
    for (SInt16 i = 1; i <= n; ++i)
        SetItemMark(menu, MenuItemIndex(i), 0);
}

void EnableAllItems(MenuHandle menu) {
    if (!menu) return;
    const SInt16 n = CountMItems(menu);
    for (SInt16 i = 1; i <= n; ++i)
        MacEnableMenuItem(menu, MenuItemIndex(i));
}
