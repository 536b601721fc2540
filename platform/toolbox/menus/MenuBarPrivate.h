// What the menu bar, the menu tracker and the standard painter share: the
// menu font, the look, a saver of the desktop port's state, and an open menu
// on the desktop (the pixels under it kept aside until it closes).
#pragma once

#include "KsDesktop.h"
#include "KsPortPrivate.h"
#include "KsPortSavers.h"
#include "Menus.h"

#include <pixman.h>

// ---------------------------------------------------------------------------
// The look

namespace KsMenuLook {
constexpr RGBColor kBarBack{0xF4F4, 0xF4F4, 0xF4F4};
constexpr RGBColor kBarLine{0xC4C4, 0xC4C4, 0xC4C4};
constexpr RGBColor kMenuBack{0xFAFA, 0xFAFA, 0xFAFA};
constexpr RGBColor kMenuFrame{0x9C9C, 0x9C9C, 0x9C9C};
constexpr RGBColor kText{0x1A1A, 0x1A1A, 0x1A1A};
constexpr RGBColor kDisabled{0x9E9E, 0x9E9E, 0x9E9E};
constexpr RGBColor kAccent{0x2E2E, 0x6B6B, 0xD1D1};
constexpr RGBColor kAccentText{0xFFFF, 0xFFFF, 0xFFFF};
constexpr RGBColor kSeparator{0xD2D2, 0xD2D2, 0xD2D2};
constexpr RGBColor kStripBack{0xEEEE, 0xEEEE, 0xEEEE};

constexpr SInt16 kSystemFont = 0;
constexpr SInt16 kSystemSize = 12;
constexpr SInt16 kTitleFirst = 8; // left of the first title
constexpr SInt16 kTitlePad = 9;   // each side of a title's text
constexpr SInt16 kItemPad = 4;    // added to the font's line height
constexpr SInt16 kScrollStrip = 14;
} // namespace KsMenuLook

// Menu geometry is computed in long and stored in 16 bits.
inline SInt16 KsMenuClamp16(long v) {
    return static_cast<SInt16>(v < -32768 ? -32768 : v > 32767 ? 32767 : v);
}

// ---------------------------------------------------------------------------
// The menu font: what the standard painter draws with and measures by. Menus
// are sized and drawn in it; PopUpMenuSelectCustom changes it for one pop-up.

struct KsMenuFont {
    SInt16 font = KsMenuLook::kSystemFont;
    SInt16 size = KsMenuLook::kSystemSize;
};
// Installs the standard painter, the text measure and the screen proc where
// none of them has been installed yet (idempotent).
void KsEnsureMenuDrawing();
// Sets the menu font (size 0 answers the system size) and answers the one
// before; the text measure follows.
KsMenuFont KsSetMenuFont(KsMenuFont font);
// The screen under a point (the main screen when none is).
Rect KsMenuScreenAt(Point where);
// The line height of items in the menu font.
SInt16 KsMenuLineHeight();

// ---------------------------------------------------------------------------
// The desktop port, set up for menu drawing and put back as it was.

class StMenuPort {
public:
    // Sets the desktop port (when there is one: check Port()) with a wide
    // open clip and a normal pen; saves what menu drawing changes.
    StMenuPort();
    StMenuPort(const StMenuPort&) = delete;
    StMenuPort& operator=(const StMenuPort&) = delete;
    GrafPtr Port() const { return desktop_; }

private:
    GrafPtr desktop_;
    StPortSaver port_;
    StClipSaver clip_;
    StColorPenSaver pen_;
    StTextStateSaver text_;
};

// ---------------------------------------------------------------------------
// An open menu on the desktop

// One menu shown on the desktop: its visible frame, the layout rectangle
// (the whole menu, moved up by the scroll), the highlighted item, and the
// pixels under it. Closing (or destroying) puts the pixels back exactly.
class KsOpenMenu {
public:
    KsOpenMenu() = default;
    ~KsOpenMenu();
    KsOpenMenu(const KsOpenMenu&) = delete;
    KsOpenMenu& operator=(const KsOpenMenu&) = delete;

    // Shows `menu` (sized) in `frame`, global coordinates, the frame already
    // kept on the screen; a menu taller than the frame scrolls. The desktop
    // must exist. Answers false when memory for the saved pixels ran out.
    bool Open(MenuHandle menu, const Rect& frame);
    void Close();
    bool IsOpen() const { return menu_ != nullptr; }

    MenuHandle Menu() const { return menu_; }
    const Rect& Frame() const { return frame_; }
    MenuItemIndex Hilited() const { return hilited_; }
    SInt16 Scroll() const { return scroll_; }
    // Item 0 unhighlights.
    void Track(Point pt);
    void HiliteNone();
    // Highlights an item (0: none) chosen from the keyboard, scrolling it
    // into view.
    void Hilite(MenuItemIndex item);
    // The part of the frame under a point.
    enum class Part { outside, items, scrollUp, scrollDown };
    Part PartAt(Point pt) const;
    // One scroll step towards the top (negative) or the bottom; answers
    // whether anything moved.
    bool ScrollBy(SInt16 pixels);
    // The rectangle of an item as shown (global coordinates).
    Rect ItemRect(MenuItemIndex item) const;
    // The definition asks to be tracked while the pointer rests at pt.
    bool DefWantsTime(Point pt) const;

private:
    Rect Content() const;
    bool CanScrollUp() const { return scroll_ > 0; }
    bool CanScrollDown() const;
    Rect ItemsArea() const;                  // the frame less the scroll arrows shown
    bool ScrollIntoView(MenuItemIndex item); // answers whether it scrolled
    void Draw();
    void DrawStrips();

    MenuHandle menu_ = nullptr;
    Rect frame_{}; // the items' area
    Rect outer_{}; // frame and border: the pixels saved
    SInt16 scroll_ = 0;
    MenuItemIndex hilited_ = 0;
    pixman_image_t* saved_ = nullptr;
    KsRect savedDevice_; // where saved_ came from, device pixels
};

// The width of a title (as shown) in the system font.
SInt16 KsMenuTitleWidth(ConstStr255Param shown);
// Underlines the mnemonic at 1-based place `at` of `shown` (nothing for 0),
// text drawn from (left, baseline) in the current port's font, face and
// foreground colour.
void KsUnderlineMnemonic(ConstStr255Param shown, SInt16 at, SInt16 left, SInt16 baseline);
