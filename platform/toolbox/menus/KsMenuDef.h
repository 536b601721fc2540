// Menu definitions: the objects that size, draw, track and place a menu.
//
// A menu names its definition by menuProcID. Definitions are registered by
// ID with a factory; the first use of an ID makes its object and keeps it, so
// one object serves every menu of that ID. An ID without a registration gets
// the standard text menu (KsTextMenuDef).
//
// The standard text menu measures text through a width hook and paints
// through a painter hook, both installed by the drawing layer; it lays items
// out itself, so sizing, hit testing and pop-up placement work without them.
#pragma once

#include "Menus.h"

#include <functional>
#include <memory>
#include <string_view>

class KsMenuDef {
public:
    KsMenuDef() = default;
    virtual ~KsMenuDef();
    KsMenuDef(const KsMenuDef&) = delete;
    KsMenuDef& operator=(const KsMenuDef&) = delete;

    // Draws the menu into menuRect of the current port. The port and its
    // clipping are set on entry and must be the same on exit.
    virtual void Draw(MenuHandle menu, const Rect& menuRect) = 0;
    // Tracking: *item holds the highlighted item on entry (0: none) and the
    // item under `hit` on exit (0 outside the menu, or over a disabled item or
    // a separator); the highlight follows. May change menuRect (scrolling).
    virtual void Choose(MenuHandle menu, Rect& menuRect, Point hit, MenuItemIndex* item) = 0;
    // Sets menuWidth and menuHeight.
    virtual void Size(MenuHandle menu) = 0;
    // Places a pop-up so that *item (when it is an item) lies at `where`, kept
    // on the screen; answers the menu's rectangle in menuRect. Size has run.
    virtual void PlacePopUp(MenuHandle menu, Rect& menuRect, Point where, MenuItemIndex* item) = 0;
    // Highlights (on) or restores one item.
    virtual void Hilite(MenuHandle menu, const Rect& menuRect, MenuItemIndex item, bool on) = 0;
    // The rectangle of an item as drawn in menuRect, so that its submenu
    // opens beside it; a definition that scrolls by itself answers where the
    // item is now. Empty when the item is not shown. The default assumes rows
    // of the menu font's line height.
    virtual Rect ItemRect(MenuHandle menu, const Rect& menuRect, MenuItemIndex item) const;
    // Whether Choose is to be called again while the pointer rests at `pt`
    // (a definition that scrolls while the pointer is over its own arrows).
    virtual bool WantsTime(MenuHandle menu, const Rect& menuRect, Point pt) const;
};

// A null factory removes the registration. Registering drops the object made
// for that ID before, so menus pick up the new definition on their next use.
using KsMenuDefFactory = std::function<std::shared_ptr<KsMenuDef>(SInt16 procID)>;
void KsRegisterMenuDef(SInt16 procID, KsMenuDefFactory factory);
// The definition of an ID, or of a menu.
KsMenuDef& KsGetMenuDef(SInt16 procID);
KsMenuDef& KsMenuDefOf(MenuHandle menu);
// Sizes a menu through its definition.
void CalcMenuSize(MenuHandle menu);

// ---------------------------------------------------------------------------
// Hooks of the standard text menu

// Width in pixels of Mac OS Roman text in the menu font with a face.
using KsMenuTextWidthProc = std::function<SInt16(std::string_view text, Style face)>;
struct KsMenuTextMeasure {
    KsMenuTextWidthProc width; // null: a fixed advance of 7 pixels a byte
    SInt16 lineHeight = 16;    // ascent + descent + leading of the menu font
};
// The measure of the standard text menu; answers the previous one.
KsMenuTextMeasure KsSetMenuTextMeasure(KsMenuTextMeasure measure);

// One item as the standard text menu lays it out, for the painter.
struct KsMenuItemLayout {
    MenuItemIndex item;
    Rect rect;
    Str255 text;            // as shown: mnemonic marks left out
    unsigned char mnemonic; // 0 when none
    SInt16 mnemonicAt;      // its 1-based place in `text`, shown underlined; 0 when none
    CharParameter mark;     // 0 for an item that opens a submenu
    UInt8 cmd;              // the command key; 0 when none or a submenu
    bool shiftKey;          // the command key wants Shift
    bool submenu;
    bool separator;
    bool enabled; // the item and its menu
    SInt16 icon;
    Style style;
};
class KsMenuPainter {
public:
    virtual ~KsMenuPainter();
    virtual void DrawBackground(MenuHandle menu, const Rect& menuRect) = 0;
    virtual void DrawItem(MenuHandle menu, const KsMenuItemLayout& item, bool hilited) = 0;
};
// The painter (not owned; null: nothing is painted); answers the previous one.
KsMenuPainter* KsSetMenuPainter(KsMenuPainter* painter);

// The screen under a point, to keep pop-ups on it; null: no screen limits.
using KsMenuScreenProc = Rect (*)(Point where);
KsMenuScreenProc KsSetMenuScreenProc(KsMenuScreenProc proc);

// ---------------------------------------------------------------------------
// The standard text menu

class KsTextMenuDef : public KsMenuDef {
public:
    static constexpr SInt16 kMarkColumn = 14;   // left of the text, for marks
    static constexpr SInt16 kRightMargin = 8;   //
    static constexpr SInt16 kKeyGap = 12;       // between the text and the key column
    static constexpr SInt16 kShiftGlyph = 8;    // a Shift glyph before the key
    static constexpr SInt16 kSubmenuArrow = 12; // the arrow of an item with a submenu
    static constexpr SInt16 kIconSize = 16;     // an icon and the gap after it: 20
    static constexpr SInt16 kMenuBarHeight = 20;
    static constexpr unsigned char kCommandGlyph = 0x11;

    void Draw(MenuHandle menu, const Rect& menuRect) override;
    void Choose(MenuHandle menu, Rect& menuRect, Point hit, MenuItemIndex* item) override;
    void Size(MenuHandle menu) override;
    void PlacePopUp(MenuHandle menu, Rect& menuRect, Point where, MenuItemIndex* item) override;
    void Hilite(MenuHandle menu, const Rect& menuRect, MenuItemIndex item, bool on) override;

    // The rectangle of one item inside menuRect (empty out of range).
    Rect ItemRect(MenuHandle menu, const Rect& menuRect, MenuItemIndex item) const override;
    KsMenuItemLayout Layout(MenuHandle menu, const Rect& menuRect, MenuItemIndex item) const;
};
