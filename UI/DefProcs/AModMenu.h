// AModMenu: the framework's own menu definition (ID 777): a light-grey menu
// with separators ("-"), submenus, command keys with an optional Shift glyph,
// and menus taller than kMaxMenuHeight that scroll by whole items, with
// arrow strips at the top and bottom and scrolling while the pointer rests
// on a strip.
//
// One object serves every menu of definition 777. The scroll state is kept
// per menu for the few menus open at once (a menu and its submenus), so a
// submenu never disturbs its parent's scroll.
#pragma once

#include "AMenuDefProc.h"
#include "KsColor.h"

#include <array>

class AModMenu : public AMenuDefProc {
    KS_DECLARE_CLASS(AModMenu, AMenuDefProc)

    static constexpr SInt16 kMaxMenuHeight = 518;
    static constexpr SInt16 kHierExtra = 12;  // an item with a submenu
    static constexpr SInt16 kShiftExtra = 8;  // a key that wants Shift
    static constexpr SInt16 kWidthExtra = 16; // beside leading + 2
    static constexpr SInt16 kArrowFromRight = 16;
    static constexpr long kScrollPauseMs = 150;
    static constexpr SInt16 kTopSnap = 3; // the top strip goes within this of the start
    static constexpr KsRGBColor kBackground{0xDEDE, 0xDEDE, 0xDEDE};
    static constexpr SInt16 kShiftModifier = 0x0200;

    // Per-menu scroll state.
    struct MenuVars {
        MenuHandle menu = nullptr;
        SInt16 numItems = 0;
        SInt16 numFit = 0;       // rows the menu's height holds
        SInt16 firstVisible = 1; // the item in the first item row
        bool moreAbove = false;  // the top row is the up strip
        bool moreBelow = false;  // the bottom row is the down strip
        SInt16 placedFirst = 0;  // the first visible item a pop-up opens with
        long lastUsed = 0;
    };

    AModMenu();
    // Binds definition `id` (777 by InstallModMenuMDEF) and builds the glyphs.
    virtual void IModMenu(SInt16 id);
    // The font items are drawn and measured in (the system font, 12 pt, until
    // changed).
    void SetMenuFont(SInt16 font, SInt16 size);

    void DrawMenu(MenuHandle menu, KsRect* rect) override;
    void ChooseItem(MenuHandle menu, KsRect* rect, KsPoint pt, SInt16* item) override;
    void SizeMenu(MenuHandle menu) override;
    void PlacePopup(MenuHandle menu, KsRect* rect, KsPoint pt, SInt16* item) override;
    void HiliteItem(MenuHandle menu, const KsRect& rect, SInt16 item, bool on) override;
    KsRect ItemRectNow(MenuHandle menu, const KsRect& menuRect, SInt16 item) const override;
    bool WantsTime(MenuHandle menu, const KsRect& menuRect, KsPoint pt) const override;

    virtual void InitMenuVars(MenuHandle menu, const KsRect& rect);
    // The rectangle of an item of the menu being drawn or tracked; empty when
    // it is scrolled out of sight.
    virtual KsRect GetItemRect(const KsRect& menuRect, SInt16 item) const;
    virtual void DrawItem(MenuHandle menu, const KsRect& menuRect, SInt16 item);
    virtual void ScrollTop(MenuHandle menu, const KsRect& rect, bool pause);
    virtual void ScrollBot(MenuHandle menu, const KsRect& rect, bool pause);
    // menuID << 16 | item of the enabled item whose key is `key` ('A'-'Z'
    // folded to lower case); 0 when none.
    virtual SInt32 MenuKey(MenuHandle menu, char key, SInt16* item);
    virtual void CalcSizeMenu(MenuHandle menu, SInt16* width, SInt16* height);

    // Which items a key search looks at.
    enum class KeyPass { any, shifted, unshifted };
    SInt32 MenuKeyPass(MenuHandle menu, char key, KeyPass pass, SInt16* item);

    SInt16 GetItemHeight() const { return itemHeight; }
    SInt16 GetCmdWidth() const { return cmdWidth; }
    SInt16 GetLeadingPlus2() const { return leadPlus2; }
    // The state of a menu (null when it has none).
    const MenuVars* VarsOf(MenuHandle menu) const;

protected:
    using Glyph = std::array<UInt16, 16>;
    void MeasureFont();
    MenuVars& Vars(MenuHandle menu);
    void Layout(MenuVars& v) const; // moreAbove / moreBelow from firstVisible
    SInt16 ItemRows(const MenuVars& v) const;
    void DrawBody(MenuHandle menu, const KsRect& rect);
    void DrawStrip(const KsRect& rect, bool top);
    void DrawGlyph(const Glyph& g, SInt32 left, SInt32 top) const;
    void Scroll(MenuHandle menu, const KsRect& rect, SInt16 by, bool pause);
    bool IsChoosable(MenuHandle menu, SInt16 item) const;

    SInt16 itemHeight = 16;
    SInt16 ascent = 12;
    SInt16 descent = 3;
    SInt16 cmdWidth = 11;
    SInt16 leadPlus2 = 3;
    SInt16 lastDrawn = 0;
    SInt16 menuFont = 0;
    SInt16 menuSize = 12;
    bool hierPending = false;
    bool restoreHilite = false;
    Glyph shiftGlyph{}, arrowGlyph{}, upGlyph{}, downGlyph{};
    std::array<MenuVars, 6> vars{};
    const MenuVars* current = nullptr; // the menu being drawn or tracked
    long useCounter = 0;
};

// Makes the one AModMenu (definition 777) on first use and answers it.
AModMenu* InstallModMenuMDEF();
// Whether a menu's definition resolves to the AModMenu object.
bool IsModMenu(MenuHandle menu);
// Gives a menu definition 777 (installing it when needed).
void SetIsModMenu(MenuHandle menu);
// The menu bar's command key: without Shift one pass over the keys that do
// not want Shift; with Shift (0x0200) the keys that want it first, then the
// others. menuID << 16 | item, or 0.
SInt32 ModMenuKey(char key, SInt16 modifiers);
