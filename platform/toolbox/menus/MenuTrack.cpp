// Menus on the desktop and their tracking.
//
// Sections: an open menu (pixels kept aside, drawing, scrolling, hit parts);
// the entry points of tracking (the tracker itself is in MenuTracker.cpp).
//
// Menus draw straight onto the desktop over whatever is there. The pixels
// under a menu are copied aside when it opens and copied back when it closes,
// so nothing beneath has to redraw. Submenus stack on their parent; they are
// always closed first (the stack unwinds top-down), so each one restores
// exactly what it covered.
#include "Events.h"
#include "KsMenuDef.h"
#include "MenuTrackerPrivate.h"
#include "MenusPrivate.h"

#include <algorithm>

namespace {
using namespace KsMenuLook;

constexpr Point kNowhere{-32768, -32768};
constexpr UInt8 kF10KeyCode = 0x6D;
} // namespace

// ---------------------------------------------------------------------------
// An open menu

KsOpenMenu::~KsOpenMenu() {
    Close();
}

bool KsOpenMenu::Open(MenuHandle menu, const Rect& frame) {
    Close();
    KsEnsureMenuDrawing();
    StMenuPort port;
    if (!port.Port()) return false;
    KsPortSurface* surface = port.Port()->surface;
    const KsRect image{0, 0, pixman_image_get_width(surface->image),
                       pixman_image_get_height(surface->image)};
    const KsRect outer = ToKsRect(frame).Insetted(-1, -1);
    savedDevice_ = KsLocalToDevice(port.Port(), outer).Intersect(image);
    if (!savedDevice_.IsEmpty()) {
        saved_ = pixman_image_create_bits(PIXMAN_x8r8g8b8, savedDevice_.Width(),
                                          savedDevice_.Height(), nullptr, 0);
        if (!saved_) return false;
        pixman_image_composite32(PIXMAN_OP_SRC, surface->image, nullptr, saved_, savedDevice_.left,
                                 savedDevice_.top, 0, 0, 0, 0, savedDevice_.Width(),
                                 savedDevice_.Height());
    }
    menu_ = menu;
    frame_ = frame;
    outer_ = ToRect(outer);
    scroll_ = 0;
    hilited_ = 0;
    Draw();
    return true;
}

void KsOpenMenu::Close() {
    if (!menu_) return;
    menu_ = nullptr;
    hilited_ = 0;
    GrafPtr desktop = KsGetDesktopPort();
    if (saved_ && desktop) {
        KsPortSurface* surface = desktop->surface;
        pixman_image_composite32(PIXMAN_OP_SRC, saved_, nullptr, surface->image, 0, 0, 0, 0,
                                 savedDevice_.left, savedDevice_.top, savedDevice_.Width(),
                                 savedDevice_.Height());
        KsAddDamage(surface, savedDevice_);
    }
    if (saved_) pixman_image_unref(saved_);
    saved_ = nullptr;
}

// The whole menu laid out from its scrolled top; cut at the frame's bottom so
// that the definition stops drawing there.
Rect KsOpenMenu::Content() const {
    const long top = long(frame_.top) - scroll_;
    const long bottom = std::min<long>(top + (*menu_)->menuHeight, frame_.bottom);
    return Rect{KsMenuClamp16(top), frame_.left, KsMenuClamp16(bottom), frame_.right};
}

bool KsOpenMenu::CanScrollDown() const {
    return long(frame_.top) - scroll_ + (*menu_)->menuHeight > frame_.bottom;
}

Rect KsOpenMenu::ItemsArea() const {
    Rect r = frame_;
    if (CanScrollUp()) r.top = KsMenuClamp16(r.top + kScrollStrip);
    if (CanScrollDown()) r.bottom = KsMenuClamp16(r.bottom - kScrollStrip);
    return r;
}

KsOpenMenu::Part KsOpenMenu::PartAt(Point pt) const {
    if (!menu_ || pt.v < frame_.top || pt.v >= frame_.bottom || pt.h < frame_.left ||
        pt.h >= frame_.right)
        return Part::outside;
    const Rect items = ItemsArea();
    if (pt.v < items.top) return Part::scrollUp;
    if (pt.v >= items.bottom) return Part::scrollDown;
    return Part::items;
}

void KsOpenMenu::Draw() {
    StMenuPort port;
    if (!port.Port()) return;
    FrameRGBRect(&outer_, &kMenuFrame);
    const Rect items = ItemsArea();
    ClipRect(&items);
    KsMenuDef& def = KsMenuDefOf(menu_);
    def.Draw(menu_, Content());
    if (hilited_) def.Hilite(menu_, Content(), hilited_, true);
    ClipRect(&frame_);
    DrawStrips();
}

void KsOpenMenu::DrawStrips() {
    auto strip = [&](SInt16 top, bool up) {
        const Rect r{top, frame_.left, KsMenuClamp16(top + kScrollStrip), frame_.right};
        PaintRGBRect(&r, &kStripBack);
        const SInt16 midH = KsMenuClamp16((r.left + r.right) / 2);
        const SInt16 midV = KsMenuClamp16((r.top + r.bottom) / 2);
        for (SInt16 i = 0; i < 4; ++i) { // a triangle 7 wide, 4 high
            const SInt16 v = up ? KsMenuClamp16(midV - 2 + i) : KsMenuClamp16(midV + 1 - i);
            const Rect row{v, KsMenuClamp16(midH - i), KsMenuClamp16(v + 1),
                           KsMenuClamp16(midH + i + 1)};
            PaintRGBRect(&row, &kText);
        }
    };
    if (CanScrollUp()) strip(frame_.top, true);
    if (CanScrollDown()) strip(KsMenuClamp16(frame_.bottom - kScrollStrip), false);
}

void KsOpenMenu::Track(Point pt) {
    if (!menu_) return;
    const Point hit = PartAt(pt) == Part::items ? pt : kNowhere;
    StMenuPort port;
    if (!port.Port()) return;
    const Rect items = ItemsArea();
    ClipRect(&items);
    Rect content = Content();
    KsMenuDefOf(menu_).Choose(menu_, content, hit, &hilited_);
}

void KsOpenMenu::HiliteNone() {
    if (hilited_) Track(kNowhere);
}

bool KsOpenMenu::ScrollBy(SInt16 pixels) {
    if (!menu_) return false;
    const long most = std::max<long>(0, long((*menu_)->menuHeight) - (frame_.bottom - frame_.top));
    const SInt16 next = KsMenuClamp16(std::clamp<long>(long(scroll_) + pixels, 0, most));
    if (next == scroll_) return false;
    scroll_ = next;
    Draw();
    return true;
}

void KsOpenMenu::Hilite(MenuItemIndex item) {
    if (!menu_ || item == hilited_) return;
    if (item && ScrollIntoView(item)) {
        hilited_ = item;
        Draw();
        return;
    }
    StMenuPort port;
    if (!port.Port()) return;
    const Rect items = ItemsArea();
    ClipRect(&items);
    KsMenuDef& def = KsMenuDefOf(menu_);
    if (hilited_) def.Hilite(menu_, Content(), hilited_, false);
    hilited_ = item;
    if (item) def.Hilite(menu_, Content(), item, true);
}

// Scrolls the least that shows the whole item clear of the scroll arrows.
bool KsOpenMenu::ScrollIntoView(MenuItemIndex item) {
    const Rect r = ItemRect(item);
    const Rect area = ItemsArea();
    if (r.top >= area.top && r.bottom <= area.bottom) return false;
    const long origin = long(frame_.top) - scroll_;
    const long height = frame_.bottom - frame_.top;
    const long most = std::max<long>(0, long((*menu_)->menuHeight) - height);
    long next = r.top < area.top ? long(r.top) - origin - kScrollStrip
                                 : long(r.bottom) - origin - (height - kScrollStrip);
    next = std::clamp<long>(next, 0, most);
    if (next == scroll_) return false;
    scroll_ = KsMenuClamp16(next);
    return true;
}

Rect KsOpenMenu::ItemRect(MenuItemIndex item) const {
    if (!menu_) return Rect{};
    return KsMenuDefOf(menu_).ItemRect(menu_, Content(), item);
}

bool KsOpenMenu::DefWantsTime(Point pt) const {
    return menu_ && PartAt(pt) == Part::items && KsMenuDefOf(menu_).WantsTime(menu_, Content(), pt);
}

// startPt is where the press was; tracking follows the mouse from where it is
// now, which is the same place unless it moved before the call.
SInt32 MenuSelect(Point) {
    KsEnsureMenuDrawing();
    if (!KsGetDesktopPort()) return 0;
    SInt32 result = 0;
    {
        KsMenuTracker tracker(KsMenuTracker::Mode::menuBar);
        result = tracker.RunPressed();
    }
    if (!result) HiliteMenu(0);
    return result;
}

SInt32 KsMenuSelectFromKey(MenuID menuID) {
    KsEnsureMenuDrawing();
    if (!KsGetDesktopPort()) return 0;
    SInt32 result = 0;
    {
        KsMenuTracker tracker(KsMenuTracker::Mode::menuBar);
        result = tracker.RunFromKey(menuID);
    }
    if (!result) HiliteMenu(0);
    return result;
}

MenuID KsMenuBarKeyMenu(const EventRecord& event) {
    if (event.what != keyDown) return 0;
    const auto key = static_cast<UInt8>((event.message & keyCodeMask) >> 8);
    const auto ch = static_cast<unsigned char>(event.message & charCodeMask);
    const EventModifiers mods = event.modifiers;
    const bool f10 = key == kF10KeyCode && !(mods & (cmdKey | optionKey | shiftKey));
    const bool altLetter = (mods & optionKey) && !(mods & cmdKey) && KsMenuFoldKey(ch) >= 'a' &&
                           KsMenuFoldKey(ch) <= 'z';
    if (!f10 && !altLetter) return 0;
    for (MenuHandle menu : KsMenuBarList()) {
        const MenuID id = (*menu)->menuID;
        if (!KsGetMenuTitleRect(id, nullptr)) break; // past the bar's right end
        if (f10) return id;
        Str255 title, shown;
        unsigned char mnemonic = 0;
        KsMenuToPString((*menu)->data->title, title);
        KsMenuDisplayText(title, shown, &mnemonic);
        if (mnemonic && KsMenuFoldKey(mnemonic) == KsMenuFoldKey(ch)) return id;
    }
    return 0;
}

SInt32 PopUpMenuSelectCustom(MenuHandle menu, SInt16 top, SInt16 left, SInt16 popUpItem,
                             SInt16 fontNum, SInt16 fontSize) {
    KsEnsureMenuDrawing();
    if (!menu || !KsGetDesktopPort() || CountMItems(menu) == 0) return 0;
    const KsMenuFont saved = KsSetMenuFont(KsMenuFont{fontNum, fontSize});
    SInt32 result = 0;
    {
        CalcMenuSize(menu);
        Rect frame{};
        MenuItemIndex item = popUpItem;
        const Point where{top, left};
        KsMenuDefOf(menu).PlacePopUp(menu, frame, where, &item);
        // The definition keeps the menu on the screen when it can; one taller
        // than the screen is cut at its bottom and scrolls.
        const Rect screen = KsMenuScreenAt(where);
        frame.top = std::max(frame.top, KsMenuTopLimit(screen));
        frame.bottom = std::min<SInt16>(KsMenuClamp16(frame.top + (*menu)->menuHeight),
                                        KsMenuClamp16(screen.bottom - 2));
        KsMenuTracker tracker(KsMenuTracker::Mode::popUp);
        if (tracker.OpenTop(menu, frame)) result = tracker.RunPressed();
    }
    KsSetMenuFont(saved);
    CalcMenuSize(menu);
    return result;
}

SInt32 PopUpMenuSelect(MenuHandle menu, SInt16 top, SInt16 left, SInt16 popUpItem) {
    return PopUpMenuSelectCustom(menu, top, left, popUpItem, kSystemFont, kSystemSize);
}
