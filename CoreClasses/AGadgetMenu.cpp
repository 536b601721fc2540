// AGadget: the attached pop-up menu.
//
// The menu value (itsMenuItem) is converted from a chosen item with
// ItemToMenuValue and back with MenuValueToItem; nothing else reads items
// into it.
#include "AGadget.h"

#include "ABartender.h"
#include "AGadgetPrivate.h"
#include "APanePrivate.h"
#include "AScreenManOS.h"
#include "AWindow.h"
#include "Cursors.h"
#include "KsMenuDef.h"
#include "KsMenuUtils.h"
#include "KsPortSavers.h"
#include "PopupMenuWindow.h"
#include "XError.h"

#include <algorithm>
#include <cstring>

namespace {
// How much room below the gadget a menu needs to drop down.
constexpr SInt32 kDropRoom = 100;
// The menu bar's strip at the top of the screen.
constexpr SInt32 kMenuBarRoom = 22;
constexpr SInt32 kBottomMargin = 5;
} // namespace

void AGadget::SetHasMenu(bool on) {
    hasMenu = on;
    // Menu gadgets act on the press.
    if (on) onDownClick = true;
}

void AGadget::SetMenuID(SInt16 menuID) {
    if (menuID != itsMenuID) {
        if (ownsMenu) DisposePopupMenu();
        itsMenuID = menuID;
        if (menuID != 0) GetPopupMenu(menuID);
        InvalInterior();
    }
    SetHasMenu(menuID != 0);
}

SInt16 AGadget::GetMenuID() const {
    return itsMenuID;
}

MenuHandle AGadget::GetMenuHandleOnly() const {
    return hasMenu && itsMenuID > 0 ? GetMenuHandle(itsMenuID) : nullptr;
}

void AGadget::MakePopupMenu(const char* title) {
    MenuHandle menu = CreateNewMenu(title, 0);
    if (!menu) return;
    SetMenuID(::GetMenuID(menu));
    SetHasMenu(true);
    ownsMenu = true;
}

void AGadget::DisposePopupMenu() {
    if (!ownsMenu) return;
    if (MenuHandle menu = GetMenuHandle(itsMenuID)) {
        if (gBartender && itsMenuID > 0) gBartender->ForgetMenuItems(itsMenuID);
        SafeDisposeMenu(menu);
    }
    itsMenuID = 0;
    ownsMenu = false;
}

void AGadget::AppendPopupMenuItem(const char* text, SInt16 iconID, char commandChar) {
    MenuHandle menu = GetMenuHandleOnly();
    if (!menu) return;
    AppendMenuLiteralCstr(menu, text);
    const MenuItemIndex last = CountMItems(menu);
    if (iconID != 0) SetItemIcon(menu, last, iconID);
    if (commandChar != 0) SetItemCmd(menu, last, UInt8(commandChar));
}

// The colours are accepted for compatibility; items draw in the menu's own.
void AGadget::AppendPopupMenuItem_Color(const char* text, const KsRGBColor&, const KsRGBColor&,
                                        const KsRGBColor&, const KsRGBColor&) {
    AppendPopupMenuItem(text, 0, 0);
}

void AGadget::AppendPopupMenuDivider() {
    if (MenuHandle menu = GetMenuHandleOnly()) {
        static const unsigned char kDivider[] = {2, '(', '-'};
        AppendMenu(menu, kDivider);
    }
}

void AGadget::EnablePopupMenuItem(SInt16 item, bool on) {
    menuEnableMode = kGadMenuUncheckOnly;
    MenuHandle menu = GetMenuHandleOnly();
    if (!menu) return;
    if (on)
        MacEnableMenuItem(menu, item);
    else
        DisableMenuItem(menu, item);
}

void AGadget::SetMenuFontSize(SInt16 font, SInt16 size) {
    menuFont = font;
    menuSize = size;
    menuScreenFont = kScreenFontNone;
}

void AGadget::SetPopsDown(bool on) {
    popsDown = on;
}
void AGadget::SetTakesMenuVal(bool on) {
    takesMenuVal = on;
}
void AGadget::SetMenuEnableMode(SInt16 mode) {
    menuEnableMode = mode;
}
void AGadget::SetMenuFullEnable(bool on) {
    menuEnableMode = on ? kGadMenuFullEnable : kGadMenuAsMenuBar;
}
void AGadget::SetShowMenuIcon(bool on) {
    showMenuIcon = on;
}

void AGadget::SetMenuInfo(SInt16 menuID, SInt32 value, bool down, bool takes) {
    SetMenuID(menuID);
    SetPopsDown(down);
    SetTakesMenuVal(takes);
    SetMenuItem(value, false);
}

// ---------------------------------------------------------------------------
// The menu value

SInt16 AGadget::MenuValueToItem(SInt32 value) const {
    if (value <= 0) return 0;
    if (value >= kGadFirstNick && gBartender) {
        short item = 0, menuID = 0;
        gBartender->NickNumToMenuInfo(&item, &menuID, value);
        return menuID == itsMenuID ? item : 0;
    }
    return value <= 0x7FFF ? SInt16(value) : 0;
}

SInt32 AGadget::ItemToMenuValue(SInt16 item) const {
    if (item <= 0) return 0;
    return gBartender ? SInt32(gBartender->MenuInfoToNickNum(item, itsMenuID)) : item;
}

void AGadget::SetMenuItem(SInt32 value, bool drawNow) {
    if (value == itsMenuItem) return;
    prevMenuItem = itsMenuItem;
    itsMenuItem = value;
    if (drawNow && IsVisible()) {
        DrawInterior(nullptr, nullptr);
        ClipWideOpen();
    } else {
        InvalInterior();
    }
}

SInt32 AGadget::GetMenuItem() const {
    return itsMenuItem;
}

SInt32 AGadget::GetMenuItemFromText(const char* text) const {
    MenuHandle menu = GetMenuHandleOnly();
    if (!menu || !text) return -1;
    const std::size_t n = std::strlen(text);
    for (SInt16 i = CountMItems(menu); i >= 1; --i) {
        Str255 item;
        GetMenuItemText(menu, i, item);
        if (item[0] == n && std::memcmp(item + 1, text, n) == 0) return i;
    }
    return -1;
}

SInt32 AGadget::SetMenuItemFromText(const char* text) {
    const SInt32 item = GetMenuItemFromText(text);
    if (item >= 0) SetMenuItem(ItemToMenuValue(SInt16(item)), false);
    return item;
}

// ---------------------------------------------------------------------------
// Preparing and showing the menu

void AGadget::UpdateMenu(void*) {
    MenuHandle menu = GetMenuHandleOnly();
    if (!menu) return;
    switch (menuEnableMode) {
    case kGadMenuUncheckOnly:
        UncheckAllItems(menu);
        break;
    case kGadMenuFullEnable:
        UncheckAllItems(menu);
        EnableAllItems(menu);
        break;
    case kGadMenuAsMenuBar:
        if (gBartender) gBartender->ResetAllMenus();
        if (AWindow* w = GetEnclWindow()) w->SendMsg(wmUpdateMenus, nullptr, 0, 0);
        break;
    default:
        break;
    }
}

void AGadget::SetMenuCheckMark(SInt32 value) {
    MenuHandle menu = GetMenuHandleOnly();
    if (!menu || value == 0) return;
    if (value >= kGadFirstNick) {
        if (gBartender) gBartender->CheckMenuItemByNickNum(value, 1);
        return;
    }
    SInt16 font = menuFont, size = menuSize;
    if (menuScreenFont != kScreenFontNone) FontMgr::GetMacFontSize(menuScreenFont, &font, &size);
    const SInt16 item = MenuValueToItem(value);
    if (item == 0) return;
    if (font == 0)
        CheckItem(menu, item, true);
    else
        SetItemMark(menu, item, UInt8(kAltCheckMark));
}

void AGadget::GetMenuPopupPos(MenuHandle menu, SInt16* top, SInt16* left, SInt16* item) {
    KsRect in = GetInterior();
    {
        Point tl{SInt16(in.top), SInt16(in.left)}, br{SInt16(in.bottom), SInt16(in.right)};
        StPortSaver saver;
        if (AWindow* w = GetEnclWindow(); w && w->GetWindowPtr())
            SetPortWindowPort(w->GetWindowPtr());
        LocalToGlobal(&tl);
        LocalToGlobal(&br);
        in = {tl.h, tl.v, br.h, br.v};
    }
    AScreenManOS* sm = AScreenManOS::New();
    const KsRect screen = sm->GetScreenBounds(sm->ScreenOfRect(in));
    const bool down = popsDown && screen.bottom - in.bottom >= kDropRoom;
    const bool isPush = IsInstanceOf("APushButton");
    SInt32 t = in.bottom, l = down ? in.left : in.right;
    SInt32 it = down ? 0 : CountMItems(menu) + 1;
    if (isPush) {
        t = in.bottom + 2;
        l = down ? in.left : in.right + 2;
    }
    if (!down) {
        if (t > screen.bottom - kBottomMargin) {
            t = screen.bottom - kBottomMargin;
            it = 1;
        }
        CalcMenuSize(menu);
        const SInt16 height = (*menu)->menuHeight;
        if (height > 0) {
            t = in.top - height;
            it = 0;
        }
    } else {
        t = std::max<SInt32>(t, screen.top + kMenuBarRoom);
    }
    *top = ClampToSInt16(t);
    *left = ClampToSInt16(l);
    *item = ClampToSInt16(it);
}

void AGadget::DoPopupMenuClick(SInt32* selection, SInt32* value) {
    SInt32 sel = 0, val = 0;
    MenuHandle menu = GetMenuHandleOnly();
    if (!menu) {
        if (selection) *selection = 0;
        if (value) *value = 0;
        return;
    }
    Point anchor{SInt16(GetBounds().bottom), SInt16(GetBounds().left)};
    {
        StPortSaver saver;
        if (AWindow* w = GetEnclWindow(); w && w->GetWindowPtr())
            SetPortWindowPort(w->GetWindowPtr());
        LocalToGlobal(&anchor);
    }
    SInt16 font = menuFont, size = menuSize;
    if (menuScreenFont != kScreenFontNone) FontMgr::GetMacFontSize(menuScreenFont, &font, &size);
    if (!PopupMenuWindow::NeedsPopupMenuWindow(anchor, menu, font, size)) {
        SInt16 top = 0, left = 0, item = 0;
        GetMenuPopupPos(menu, &top, &left, &item);
        InitCursor();
        sel = PopUpMenuSelectCustom(menu, top, left, item, font, size);
        const SInt16 chosen = SInt16(sel & 0xFFFF);
        val = chosen ? ItemToMenuValue(chosen) : 0;
    } else {
        PopupMenuWindow popup(menu, font, size);
        if (GetMenuItem() > 0) popup.SetMarked(MenuValueToItem(GetMenuItem()));
        if (popup.Popup(anchor, false, true)) {
            const SInt16 chosen = popup.GetSelection();
            val = ItemToMenuValue(chosen);
            sel = SInt32(UInt32(UInt16(itsMenuID)) << 16 | UInt16(chosen));
        }
    }
    if (selection) *selection = sel;
    if (value) *value = val;
    DoMenuGadUpClick(menu, SInt16(sel >> 16), val);
}

void AGadget::DoMenuGadUpClick(MenuHandle, SInt16 menuID, SInt32 value) {
    if (menuID == 0) return;
    prevMenuItem = itsMenuItem;
    itsMenuItem = value;
    InvalInterior();
    if (!upClickProc)
        if (AWindow* w = GetEnclWindow()) w->SendMsg(wmMenuSelect, nullptr, menuID, value);
}

void AGadget::SetTextFromMenu() {
    MenuHandle menu = GetMenuHandleOnly();
    if (!menu || inSetTextFromMenu) return;
    if (displayOnly && CountMItems(menu) == 0) return;
    const SInt16 item = MenuValueToItem(itsMenuItem);
    if (item <= 0 || item > CountMItems(menu)) return;
    inSetTextFromMenu = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{inSetTextFromMenu};
    SInt16 icon = 0;
    GetItemIcon(menu, item, &icon);
    if (icon != 0) {
        SetRsrc(kGadSICN, SInt16(icon + 256));
        if (!displayRsrcAndText) return;
    }
    Str255 text;
    GetMenuItemText(menu, item, text);
    char ctext[256];
    std::memcpy(ctext, text + 1, text[0]);
    ctext[text[0]] = 0;
    SetText(ctext);
    Style style = 0;
    GetItemStyle(menu, item, &style);
    SInt16 font = 0, size = 0;
    GetFontSizeFace(&font, &size, nullptr);
    SetFontSizeFace(font, size, SInt16(style));
}

// The refCon of a click: the contents of the window's data handle when it
// has one, else the window.
void* AGadget::WindowRefCon() const {
    AWindow* w = GetEnclWindow();
    if (!w) return nullptr;
    char** data = nullptr;
    w->GetDataHandle(&data);
    return data ? static_cast<void*>(*data) : static_cast<void*>(w);
}

MenuHandle AGadget::GetMenuCopy() {
    MenuHandle menu = GetMenuHandleOnly();
    if (!menu) return nullptr;
    void* refCon = WindowRefCon();
    StPaneHold hold(this);
    MenuHandle copy = nullptr;
    const XError err = KsTryStandard([&] {
        UpdateMenu(refCon);
        if (downClickProc) downClickProc(this, refCon);
        if (!hold.Alive()) return;
        if (takesMenuVal) SetMenuCheckMark(itsMenuItem);
        if (MenuHandle m = GetMenuHandleOnly()) copy = KsCopyMenu(m);
    });
    if (err.IsError()) xraisexerror(err);
    return copy;
}
