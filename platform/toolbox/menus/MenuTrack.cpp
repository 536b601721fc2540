// Menus on the desktop and their tracking.
//
// Sections: an open menu (pixels kept aside, drawing, scrolling, hit parts);
// placement of pulled-down menus and submenus; the tracking loop shared by
// MenuSelect and the pop-ups.
//
// Menus draw straight onto the desktop over whatever is there. The pixels
// under a menu are copied aside when it opens and copied back when it closes,
// so nothing beneath has to redraw. Submenus stack on their parent; they are
// always closed first (the stack unwinds top-down), so each one restores
// exactly what it covered.
#include "Events.h"
#include "KsMenuDef.h"
#include "KsTime.h"
#include "MenuBarPrivate.h"
#include "MenusPrivate.h"

#include <algorithm>

namespace {
using namespace KsMenuLook;

KsMenuTrackTiming gTiming;

SInt16 S16(long v) {
    return static_cast<SInt16>(std::clamp<long>(v, -32768, 32767));
}

constexpr Point kNowhere{-32768, -32768};
} // namespace

KsMenuTrackTiming KsSetMenuTrackTiming(KsMenuTrackTiming timing) {
    std::swap(gTiming, timing);
    return timing;
}

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
    return Rect{S16(top), frame_.left, S16(bottom), frame_.right};
}

bool KsOpenMenu::CanScrollDown() const {
    return long(frame_.top) - scroll_ + (*menu_)->menuHeight > frame_.bottom;
}

Rect KsOpenMenu::ItemsArea() const {
    Rect r = frame_;
    if (CanScrollUp()) r.top = S16(r.top + kScrollStrip);
    if (CanScrollDown()) r.bottom = S16(r.bottom - kScrollStrip);
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
        const Rect r{top, frame_.left, S16(top + kScrollStrip), frame_.right};
        PaintRGBRect(&r, &kStripBack);
        const SInt16 midH = S16((r.left + r.right) / 2);
        const SInt16 midV = S16((r.top + r.bottom) / 2);
        for (SInt16 i = 0; i < 4; ++i) { // a triangle 7 wide, 4 high
            const SInt16 v = up ? S16(midV - 2 + i) : S16(midV + 1 - i);
            const Rect row{v, S16(midH - i), S16(v + 1), S16(midH + i + 1)};
            PaintRGBRect(&row, &kText);
        }
    };
    if (CanScrollUp()) strip(frame_.top, true);
    if (CanScrollDown()) strip(S16(frame_.bottom - kScrollStrip), false);
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
    const SInt16 next = S16(std::clamp<long>(long(scroll_) + pixels, 0, most));
    if (next == scroll_) return false;
    scroll_ = next;
    Draw();
    return true;
}

Rect KsOpenMenu::ItemRect(MenuItemIndex item) const {
    if (!menu_) return Rect{};
    if (auto* text = dynamic_cast<KsTextMenuDef*>(&KsMenuDefOf(menu_))) {
        const Rect c = Content();
        return text->ItemRect(menu_, Rect{c.top, c.left, c.top, c.right}, item);
    }
    // Another definition: assume rows of the menu font's line height.
    const long top = long(frame_.top) - scroll_ + long(item - 1) * KsMenuLineHeight();
    return Rect{S16(top), frame_.left, S16(top + KsMenuLineHeight()), frame_.right};
}

// ---------------------------------------------------------------------------
// Placement

namespace {

// The highest top a menu may have on a screen: below the bar on the main one.
SInt16 TopLimit(const Rect& screen) {
    const Rect main = KsMainScreenBounds();
    const bool isMain = screen.top == main.top && screen.left == main.left;
    return S16(screen.top + (isMain ? kKsMenuBarHeight : 0) + 1);
}

// Keeps a frame of the menu's size with its top-left at (top, left) on the
// screen; a menu taller than the room left scrolls instead.
Rect Fit(MenuHandle menu, long top, long left, const Rect& screen) {
    const long width = (*menu)->menuWidth, height = (*menu)->menuHeight;
    const long lowest = screen.bottom - 2;
    if (top + height > lowest) top = lowest - height;
    top = std::max<long>(top, TopLimit(screen));
    if (left + width > screen.right - 4) left = screen.right - 4 - width;
    left = std::max<long>(left, screen.left + 1);
    return Rect{S16(top), S16(left), S16(std::min(top + height, lowest)), S16(left + width)};
}

bool IsSubmenuItem(MenuHandle menu, MenuItemIndex item) {
    const KsMenuItem* it = KsMenuItemAt(menu, item);
    return it && it->cmd == hMenuCmd;
}

// ---------------------------------------------------------------------------
// Tracking

enum class TrackMode { menuBar, popUp };

class Tracker {
public:
    explicit Tracker(TrackMode mode) : mode_(mode) {}
    ~Tracker() { CloseFrom(0); }
    Tracker(const Tracker&) = delete;
    Tracker& operator=(const Tracker&) = delete;

    bool OpenTop(MenuHandle menu, const Rect& frame) {
        CloseFrom(0);
        if (!levels_[0].Open(menu, frame)) return false;
        depth_ = 1;
        return true;
    }

    // Follows the pointer until the button is released; answers the choice.
    SInt32 Run() {
        Point pt = KsGetGlobalMouse();
        for (;;) {
            const bool down = WaitMouseUp(); // sleeps when nothing changes
            pt = KsGetGlobalMouse();
            Step(pt);
            if (!down) break;
        }
        const int level = LevelAt(pt);
        if (level < 0 || levels_[level].PartAt(pt) != KsOpenMenu::Part::items) return 0;
        const KsOpenMenu& m = levels_[level];
        const MenuItemIndex item = m.Hilited();
        if (!item || IsSubmenuItem(m.Menu(), item)) return 0;
        return SInt32(UInt32(UInt16((*m.Menu())->menuID)) << 16 | UInt16(item));
    }

    MenuID BarMenu() const { return barMenu_; }

private:
    static constexpr int kMaxDepth = 8;

    int LevelAt(Point pt) const {
        for (int i = depth_ - 1; i >= 0; --i)
            if (levels_[i].PartAt(pt) != KsOpenMenu::Part::outside) return i;
        return -1;
    }

    void CloseFrom(int level) {
        while (depth_ > level)
            levels_[--depth_].Close();
    }

    void OpenBarMenu(MenuID id, const Rect& title) {
        CloseFrom(0);
        barMenu_ = id;
        HiliteMenu(id);
        MenuHandle menu = GetMenuHandle(id);
        if (!menu || CountMItems(menu) == 0) return;
        CalcMenuSize(menu);
        const Rect screen = KsMainScreenBounds();
        OpenTop(menu, Fit(menu, title.bottom + 2, title.left + 1, screen));
    }

    void OpenSubmenu(int level, MenuItemIndex item) {
        if (level + 1 >= kMaxDepth) return;
        const KsOpenMenu& parent = levels_[level];
        const KsMenuItem* it = KsMenuItemAt(parent.Menu(), item);
        MenuHandle sub = it ? GetMenuHandle(it->mark) : nullptr;
        if (!sub || CountMItems(sub) == 0) return;
        for (int i = 0; i <= level; ++i) // a menu that holds itself opens once
            if (levels_[i].Menu() == sub) return;
        CalcMenuSize(sub);
        const Rect itemRect = parent.ItemRect(item);
        const Rect pf = parent.Frame();
        const Rect screen = KsMenuScreenAt(Point{itemRect.top, pf.right});
        long left = pf.right + 1;
        if (left + (*sub)->menuWidth > screen.right - 4)
            left = long(pf.left) - 1 - (*sub)->menuWidth;
        if (!levels_[level + 1].Open(sub, Fit(sub, itemRect.top, left, screen))) return;
        openedFrom_[level + 1] = item;
        depth_ = level + 2;
    }

    void Step(Point pt) {
        const long now = KsGetTicks();
        if (mode_ == TrackMode::menuBar) {
            Rect title;
            const MenuID id = KsMenuBarHit(pt, &title);
            if (id && id != barMenu_) OpenBarMenu(id, title);
        }
        const int level = LevelAt(pt);
        if (level < 0) {
            // Outside every menu: the deepest shows nothing chosen; the
            // parents keep the items whose submenus are open.
            if (depth_) levels_[depth_ - 1].HiliteNone();
            pendingItem_ = 0;
            return;
        }
        KsOpenMenu& m = levels_[level];
        const KsOpenMenu::Part part = m.PartAt(pt);
        if (part == KsOpenMenu::Part::scrollUp || part == KsOpenMenu::Part::scrollDown) {
            CloseFrom(level + 1);
            m.HiliteNone();
            pendingItem_ = 0;
            if (now >= nextScroll_) {
                const SInt16 step = KsMenuLineHeight();
                m.ScrollBy(part == KsOpenMenu::Part::scrollUp ? S16(-step) : step);
                nextScroll_ = now + long(gTiming.scrollRate);
            }
            return;
        }
        m.Track(pt);
        const MenuItemIndex item = m.Hilited();
        if (level + 1 < depth_) {
            if (item == openedFrom_[level + 1]) {
                levels_[level + 1].HiliteNone();
                return;
            }
            CloseFrom(level + 1);
        }
        if (!item || !IsSubmenuItem(m.Menu(), item)) {
            pendingItem_ = 0;
            return;
        }
        if (pendingLevel_ != level || pendingItem_ != item) {
            pendingLevel_ = level;
            pendingItem_ = item;
            pendingAt_ = now + long(gTiming.submenuDelay);
        }
        if (now >= pendingAt_) {
            OpenSubmenu(level, item);
            pendingItem_ = 0;
        }
    }

    TrackMode mode_;
    KsOpenMenu levels_[kMaxDepth];
    MenuItemIndex openedFrom_[kMaxDepth] = {};
    int depth_ = 0;
    MenuID barMenu_ = 0;
    int pendingLevel_ = -1;
    MenuItemIndex pendingItem_ = 0;
    long pendingAt_ = 0;
    long nextScroll_ = 0;
};

} // namespace

// startPt is where the press was; tracking follows the mouse from where it is
// now, which is the same place unless it moved before the call.
SInt32 MenuSelect(Point) {
    KsEnsureMenuDrawing();
    if (!KsGetDesktopPort()) return 0;
    SInt32 result = 0;
    {
        Tracker tracker(TrackMode::menuBar);
        result = tracker.Run();
    }
    if (!result) HiliteMenu(0);
    return result;
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
        frame.top = std::max(frame.top, TopLimit(screen));
        frame.bottom =
            std::min<SInt16>(S16(frame.top + (*menu)->menuHeight), S16(screen.bottom - 2));
        Tracker tracker(TrackMode::popUp);
        if (tracker.OpenTop(menu, frame)) result = tracker.Run();
    }
    KsSetMenuFont(saved);
    CalcMenuSize(menu);
    return result;
}

SInt32 PopUpMenuSelect(MenuHandle menu, SInt16 top, SInt16 left, SInt16 popUpItem) {
    return PopUpMenuSelectCustom(menu, top, left, popUpItem, kSystemFont, kSystemSize);
}
