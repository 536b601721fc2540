// The menu manager: menu records and their items, the menu list (menus of the
// menu bar, then hierarchical and pop-up menus), command-key lookup, and the
// decoding of 'MENU' and 'MBAR' resource data.
//
// Item numbers are 1-based; item 0 stands for the whole menu where a call
// says so. There is no limit of 31 items: every item keeps its own enabled
// state. Item texts are Pascal strings of Mac OS Roman bytes. An '&' before a
// letter marks the item's mnemonic: it stays in the text (GetMenuItemText
// answers it) and is left out when the item is shown (KsMenuDisplayText).
//
// Ownership: a menu is owned by whoever made it (NewMenu, KsMenuFromResourceData)
// until DisposeMenu. The menu list only points at menus; disposing a menu also
// takes it out of the list.
//
// Drawing and tracking (DrawMenuBar, MenuSelect, PopUpMenuSelect, HiliteMenu)
// belong with the desktop and are declared where it is built; the menu
// definition interface they call is in KsMenuDef.h.
#pragma once

#include "KsMacTypes.h"
#include "QuickDraw.h"

#include <cstddef>
#include <string_view>
#include <vector>

struct KsMenuData;
struct EventRecord;

// The menu record. The fields are read by callers; change them only through
// the calls below (SetMenuID, KsSetMenuDefID, the sizing of KsMenuDef).
struct MenuInfo {
    SInt16 menuID;
    SInt16 menuWidth;  // set by the menu definition's size calculation
    SInt16 menuHeight; //
    SInt16 menuProcID; // the menu definition (KsMenuDef.h); 0 = the standard text menu
    // Bit 0: the whole menu; bit n: item n, for items 1 to 31. Kept as a mirror
    // for code that reads it; the enabled state of every item, beyond 31 too,
    // answers IsMenuItemEnabled.
    UInt32 enableFlags;
    KsMenuData* data; // items and title; owned by the menu
};
using MenuPtr = MenuInfo*;
using MenuHandle = MenuInfo**;
using MenuRef = MenuHandle;
using MenuID = SInt16;
using MenuItemIndex = SInt16;
using CharParameter = SInt16;

enum : SInt16 {
    hierMenu = -1,    // InsertMenu's beforeID for the hierarchical list
    textMenuProc = 0, // the standard text menu definition
    noMark = 0,       //
    checkMark = 0x12, // the check mark character
    hMenuCmd = 0x1B,  // an item's command that opens a submenu (its mark is the submenu ID)
};
// An item style bit: the command key wants Shift as well.
constexpr Style kMenuShiftStyle = 0x40;

// ---------------------------------------------------------------------------
// Menus

// A new empty, enabled menu; not yet in the menu list. Raises "MENU_NO_MEMORY"
// when memory runs out.
MenuHandle NewMenu(MenuID menuID, ConstStr255Param title);
// Takes the menu out of the menu list and frees it. Null is allowed.
void DisposeMenu(MenuHandle menu);
// A new menu with the same ID, title, definition and items (their texts,
// marks, icons, command keys, styles and enabling); not in the menu list.
// Null for a null menu.
MenuHandle KsCopyMenu(MenuHandle menu);

MenuID GetMenuID(MenuHandle menu);
void SetMenuID(MenuHandle menu, MenuID menuID);
void GetMenuTitle(MenuHandle menu, Str255 title);
void SetMenuTitle(MenuHandle menu, ConstStr255Param title);
void KsSetMenuDefID(MenuHandle menu, SInt16 procID);

// ---------------------------------------------------------------------------
// Items

// Appends the items of `data`, read with the metacharacters: ';' or Return
// separates items; '^' c icon c - '0'; '!' c mark c; '<' B, I, U, O or S a
// style; '/' c command key c ('/' 0x1B: a submenu, whose ID is the mark);
// '(' disables the item. An item whose text is "-" is a separator line. An
// empty segment adds no item. Raises "MENU_TOO_MANY_ITEMS" past 32767 items.
void AppendMenu(MenuHandle menu, ConstStr255Param data);
// As AppendMenu, inserting after item `afterItem` (0: at the top; past the
// end: at the end); several items keep their order.
void InsertMenuItem(MenuHandle menu, ConstStr255Param itemString, MenuItemIndex afterItem);
// One item whose text is taken as it is (no metacharacters), at the end.
void AppendMenuItemText(MenuHandle menu, ConstStr255Param text);
void DeleteMenuItem(MenuHandle menu, MenuItemIndex item); // out of range: nothing
SInt16 CountMItems(MenuHandle menu);
inline SInt16 CountMenuItems(MenuHandle menu) {
    return CountMItems(menu);
}

// Text without metacharacter parsing. Getting an item out of range answers "".
void SetMenuItemText(MenuHandle menu, MenuItemIndex item, ConstStr255Param text);
void GetMenuItemText(MenuHandle menu, MenuItemIndex item, Str255 text);

// Enabling; item 0 is the whole menu.
void MacEnableMenuItem(MenuHandle menu, MenuItemIndex item);
void DisableMenuItem(MenuHandle menu, MenuItemIndex item);
inline void EnableItem(MenuHandle menu, MenuItemIndex item) {
    MacEnableMenuItem(menu, item);
}
inline void DisableItem(MenuHandle menu, MenuItemIndex item) {
    DisableMenuItem(menu, item);
}
Boolean IsMenuItemEnabled(MenuHandle menu, MenuItemIndex item);

// Marks. CheckItem leaves an item that opens a submenu alone, since its mark
// is the submenu's ID.
void CheckItem(MenuHandle menu, MenuItemIndex item, Boolean checked);
void SetItemMark(MenuHandle menu, MenuItemIndex item, CharParameter markChar);
void GetItemMark(MenuHandle menu, MenuItemIndex item, CharParameter* markChar);
void SetItemCmd(MenuHandle menu, MenuItemIndex item, CharParameter cmdChar);
void GetItemCmd(MenuHandle menu, MenuItemIndex item, CharParameter* cmdChar);
void SetItemStyle(MenuHandle menu, MenuItemIndex item, SInt16 chStyle);
void GetItemStyle(MenuHandle menu, MenuItemIndex item, Style* chStyle);
void SetItemIcon(MenuHandle menu, MenuItemIndex item, SInt16 iconIndex);
void GetItemIcon(MenuHandle menu, MenuItemIndex item, SInt16* iconIndex);

// The item's text as shown: each '&' before a letter is left out ("&&" shows
// one '&'), and the first such letter is the mnemonic (0 when none), shown
// underlined at 1-based position *mnemonicAt of `display` (0 when none).
void KsMenuDisplayText(ConstStr255Param text, Str255 display, unsigned char* mnemonic,
                       SInt16* mnemonicAt = nullptr);
// The first enabled item whose mnemonic is `ch` (letters compared without
// case); 0 when none.
MenuItemIndex KsMenuFindMnemonic(MenuHandle menu, CharParameter ch);

// ---------------------------------------------------------------------------
// The menu list: the menus of the menu bar in order, then the hierarchical
// and pop-up menus.

// Into the menu bar before the menu `beforeID` (at the end when it is 0 or
// not in the bar), or into the hierarchical list when it is hierMenu (-1).
// A menu already in that part of the list stays where it is.
void InsertMenu(MenuHandle menu, MenuID beforeID);
// Takes the menu with this ID out of the list (bar first); it is not freed.
void DeleteMenu(MenuID menuID);
// The menu of the list with this ID (bar first); null when none.
MenuHandle GetMenuHandle(MenuID menuID);
inline MenuHandle GetMHandle(MenuID menuID) {
    return GetMenuHandle(menuID);
}
// Empties the whole list; no menu is freed.
void ClearMenuBar();

// A snapshot of the list as a handle the caller owns (KsDisposeHandle), and
// the list set back from one. Menus disposed since the snapshot are skipped.
Handle GetMenuBar();
void SetMenuBar(Handle list);
enum class KsMenuListPart { bar, hierarchical };
SInt16 KsMenuListCount(Handle list, KsMenuListPart part);
MenuHandle KsMenuListGet(Handle list, KsMenuListPart part,
                         SInt16 index); // 0-based; null out of range

// ---------------------------------------------------------------------------
// Command keys

// The modifiers MenuKey reads (the event manager's current modifiers); until
// one is installed MenuKey sees none. Answers the previous proc.
using KsMenuModifiersProc = UInt16 (*)();
KsMenuModifiersProc KsSetMenuModifiersProc(KsMenuModifiersProc proc);

// menuID << 16 | item of the enabled item of an enabled menu whose command key
// is `ch` (letters compared without case); 0 when none. The menu bar is
// searched left to right, then the hierarchical menus, each top to bottom.
// With Shift (0x0200) in `modifiers`, items whose style has kMenuShiftStyle
// come first, then the others; without it only the others answer.
SInt32 KsMenuKey(CharParameter ch, UInt16 modifiers);
SInt32 MenuKey(CharParameter ch); // KsMenuKey with the installed modifiers

// ---------------------------------------------------------------------------
// Resources

// A new menu (not in the list) from 'MENU' resource data: menu ID, width,
// height, definition ID, filler, 32 enable bits, title, then items (text,
// icon, key, mark, style) up to a zero byte. Items past 31 are enabled.
// Raises "MENU_RSRC_BAD" on any inconsistency.
MenuHandle KsMenuFromResourceData(const void* data, std::size_t size);
// The menu IDs of 'MBAR' resource data (a count, then the IDs). Raises
// "MBAR_RSRC_BAD" on any inconsistency.
std::vector<MenuID> KsMenuBarFromResourceData(const void* data, std::size_t size);

// Through the resource manager: the 'MENU' resource as a new menu, and a
// snapshot (as GetMenuBar) of the menus of an 'MBAR' resource.
MenuHandle GetMenu(SInt16 resourceID);
Handle GetNewMBar(SInt16 menuBarID);

// ---------------------------------------------------------------------------
// The menu bar and menu tracking, drawn on the desktop (KsDesktop.h) across
// the main screen's top kKsMenuBarHeight pixels. Points are global. Without a
// desktop nothing is drawn and tracking answers 0 at once.

// Draws the whole bar now. InvalMenuBar does the same: nothing collects
// deferred redraws, and the bar is cheap to draw.
void DrawMenuBar();
void InvalMenuBar();
// Highlights the title of a menu of the bar (0: none), unhighlighting the one
// before; a menu not in the bar highlights nothing.
void HiliteMenu(MenuID menuID);
MenuID KsGetHilitedMenu();
// The menu whose title is under pt (0: none), and that title's rectangle.
MenuID KsMenuBarHit(Point pt, Rect* titleRect);
Boolean KsGetMenuTitleRect(MenuID menuID, Rect* titleRect);

// Tracks the mouse from a press at startPt while the button is down, pulling
// down the menus of the bar and their submenus. Answers menuID << 16 | item
// of the enabled item under the pointer at release, or 0. The chosen menu's
// title stays highlighted (the caller calls HiliteMenu(0)); with no choice
// it is unhighlighted.
// A press released on a title before the pointer went into a menu leaves the
// menu open: then a click on an item chooses it; a click on its title, one
// outside every menu or Escape closes it; the pointer moves the highlight and
// the keys work as in KsMenuSelectFromKey. The clicks are consumed.
SInt32 MenuSelect(Point startPt);

// The menu of the bar that a key-down opens: F10 (no Ctrl, Alt or Shift) the
// first menu; Alt (without Ctrl) and a letter the first menu whose title has
// that mnemonic. 0 for any other key, so the key goes on as typing.
MenuID KsMenuBarKeyMenu(const EventRecord& event);
// Opens a menu of the bar from the keyboard with its first enabled item
// highlighted, and tracks until a choice or a dismissal; answers as
// MenuSelect. Up and Down move through the enabled items (separators and
// disabled items are skipped, the ends wrap); Right opens the highlighted
// item's submenu, or else the next menu of the bar; Left closes a submenu, or
// else opens the previous menu; Return or Enter chooses (or opens a submenu);
// a letter chooses the item with that mnemonic; Escape closes a submenu, or
// else everything. The pointer and clicks work as after a click on a title.
SInt32 KsMenuSelectFromKey(MenuID menuID);
// Shows a menu with item popUpItem at (top, left) (its definition's pop-up
// placement keeps it on the screen) and tracks until release, as MenuSelect.
SInt32 PopUpMenuSelect(MenuHandle menu, SInt16 top, SInt16 left, SInt16 popUpItem);
// The same in another font and size (0: the system size, 12).
SInt32 PopUpMenuSelectCustom(MenuHandle menu, SInt16 top, SInt16 left, SInt16 popUpItem,
                             SInt16 fontNum, SInt16 fontSize);

// Ticks before a submenu opens under a resting pointer, and between scroll
// steps while the pointer rests on a scroll arrow. Answers the previous.
struct KsMenuTrackTiming {
    UInt32 submenuDelay = 8;
    UInt32 scrollRate = 3;
};
KsMenuTrackTiming KsSetMenuTrackTiming(KsMenuTrackTiming timing);
