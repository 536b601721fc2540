// ABartender: the menu bar and the binding of menu items to nick numbers.
//
// A nick number names a command independently of where its menu item sits;
// code enables, checks, renames and removes items by nick only. Several items
// may carry the same nick (the same command in two menus): operations by nick
// act on each of them. Nicks bound to items are 1000 or more and are carried
// as 32-bit values throughout.
//
// The menus are toolbox menus; the bartender keeps two value lists beside
// them: one record per menu it made or loaded, and one per bound item, sorted
// by nick lazily on the next lookup after a change.
//
// One instance exists, made by the application and reachable as gBartender.
#pragma once

#include "AObject.h"
#include "KsColor.h"
#include "KsMacTypes.h"
#include "Menus.h"

#include <cstddef>
#include <string>
#include <type_traits>
#include <vector>

// One menu item bound to a nick number.
class MenuItemRec_t : public AObject {
    KS_DECLARE_CLASS(MenuItemRec_t, AObject)

    MenuItemRec_t() = default;
    MenuItemRec_t(short menuID, short item, MenuHandle menu, SInt32 nick)
        : menuID(menuID), item(item), menu(menu), nick(nick) {}

    short menuID = 0;
    short item = 0; // 1-based within the menu
    MenuHandle menu = nullptr;
    SInt32 nick = 0;
};

class ABartender : public AObject {
    KS_DECLARE_CLASS(ABartender, AObject)

    // One menu the bartender made or loaded.
    struct MenuRec {
        short menuID = 0;
        MenuHandle menu = nullptr;
        unsigned char alwaysEnabled = 0;
    };

    static constexpr SInt32 kAboutNick = 1100;
    static constexpr short kAppleMenuID = 256;
    static constexpr short kHelpMenuID = -16490;
    // Menu flags of CreateMenu / AddMenu.
    enum : short { kMenuInBar = 1, kMenuHierarchical = 2 };

    static ABartender* New();

    // Makes this the gBartender and builds the Apple menu. The About item names
    // shortAppName (the running program's name when null).
    void IBartender(const char* shortAppName = nullptr);
    void Dispose() override;

    // Setting up.
    MenuHandle CreateMenu(const char* title, short menuID, short flags);
    MenuHandle CreateMenuBefore(const char* title, short menuID, short flags, short beforeID);
    void AddMenu(MenuHandle* out, short menuID, short flags);
    void AddMenuBefore(MenuHandle* out, short menuID, short flags, short beforeID);
    void SetMenuAlwaysEnabled(short menuID, unsigned char alwaysEnabled);

    // Items. Nick 0 leaves an item unbound; nick -1 is a separator.
    void AppendMenuItem(MenuHandle menu, long nick, const char* text, char key = 0,
                        unsigned char shift = 0, short icon = 0);
    void AppendMenuItem(MenuHandle menu, const char* text, long nick, char key = 0,
                        unsigned char shift = 0, short icon = 0);
    void AppendMenuItem(MenuHandle menu, const std::string& text, long nick, char key = 0,
                        unsigned char shift = 0, short icon = 0);
    void AppendMenuItem(MenuHandle menu, ConstStr255Param text, long nick, char key = 0,
                        unsigned char shift = 0, short icon = 0);
    void AppendMenuItems(MenuHandle menu, long nick1, long nick2 = 0, long nick3 = 0,
                         long nick4 = 0);
    void AppendSeparator(MenuHandle menu);
    void PrependMenuItem(MenuHandle menu, const char* text, long nick);
    void PrependMenuItem(MenuHandle menu, const std::string& text, long nick);
    void PrependMenuItem(MenuHandle menu, ConstStr255Param text, long nick);
    long AddinMenuItem(MenuHandle menu, const char* text, long afterItem, long nick);
    void InjectMenuItem(MenuHandle menu, long nick, long afterNick, const char* text);
    void RemoveMenuItem(long nick, unsigned char tidySeparators);
    void ForgetMenuItems(short menuID);
    void RemoveExtraSeparators(short menuID);

    // State of items by nick; an unknown nick changes nothing.
    void EnableAndSetMenuItem(long nick, ConstStr255Param text);
    void EnableAndSetMenuItem(long nick, const char* text);
    void EnableAndSetMenuItem(long nick, const std::string& text);
    void SetMenuItem(long nick, const char* text);
    void GetMenuItem(long nick, char* buffer, long size);
    void MacEnableMenuItem(long nick);
    void DisableMenuItem(long nick);
    // Nick numbers ended by one below 1; at most 50. Each argument, int or
    // long alike, is read as a long: a C ellipsis would read them as one type
    // only, and int and long differ in width on LP64.
    template <class... Nicks> void EnableMenuItems(long nick, Nicks... more) {
        static_assert(((std::is_integral_v<Nicks> || std::is_enum_v<Nicks>)&&...),
                      "EnableMenuItems takes nick numbers");
        const long nicks[] = {nick, static_cast<long>(more)...};
        EnableMenuItemList(nicks, sizeof...(more) + 1);
    }
    void EnableMenuItemList(const long* nicks, std::size_t count);
    void CheckMenuItemByNickNum(long nick, unsigned char checked);
    unsigned char IsItemEnabled(long nick);
    void SetAccelerator(long nick, char key);
    void SetShiftAccel(long nick, unsigned char shift);
    void SetStyle(long nick, short style);
    void SetIcon(long nick, short iconID);
    void SetSubMenuID(long nick, long subMenuID);
    void SetColor(long nick, KsRGBColor markColor, KsRGBColor textColor, KsRGBColor keyColor,
                  KsRGBColor backColor);

    // Mapping between items and nicks.
    long MenuInfoToNickNum(short item, short menuID);
    MenuHandle NickNumToMenuInfo(short* item, short* menuID, long nick);
    unsigned char ChangeNickNum(long oldNick, long newNick);
    long GetNewNickNum();

    // The whole menu bar.
    void ResetAllMenus();
    void ForEachMenu(void (*proc)(MenuHandle), void (*proc2)(MenuHandle, unsigned char));

    // Diagnostics through dprintf.
    void DumpNicks();
    void DumpMenus();

    // Read access for diagnostics and tests.
    const std::vector<MenuItemRec_t>& GetNickList() const { return nickList; }
    const std::vector<MenuRec>& GetMenuIDList() const { return menuIDList; }
    bool HasMenuRec(short menuID) const;

protected:
    ABartender() = default;

private:
    void AddMenuItemRec(MenuHandle menu, short item, long nick);
    void AddMenuRec(short menuID, MenuHandle menu);
    void BindItemTexts(MenuHandle menu);
    // 0-based index of the first record of nick after sorting; -1 when none.
    long FindNickNums(long nick);
    template <class F> void ForEachItemOf(long nick, F&& f);
    void ShiftItems(MenuHandle menu, short fromItem, short by);
    MenuHandle MakeMenu(const char* title, short menuID, short flags, short beforeID);

    std::vector<MenuRec> menuIDList;
    std::vector<MenuItemRec_t> nickList;
    unsigned char nickListSorted = 0;
};

extern ABartender* gBartender;
