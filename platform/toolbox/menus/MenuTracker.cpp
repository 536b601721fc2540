// The menu tracker.
//
// Sections: placement of pulled-down menus and submenus; the pointer (press,
// drag, release, resting on submenus and scroll arrows); a menu that stays
// open (clicks and keys).
//
// While the button is held the tracker follows the pointer, sleeping in the
// event manager's tracking calls. Once a menu stays open, each turn waits up
// to a tick for a click or a key; the pointer is followed when it moves, or
// while a submenu or a scroll arrow waits on it.
#include "Events.h"
#include "KsMenuDef.h"
#include "KsTime.h"
#include "MenuTrackerPrivate.h"
#include "MenusPrivate.h"

#include <algorithm>

namespace {

KsMenuTrackTiming gTiming;

// Character codes of the keys an open menu answers.
constexpr UInt8 kEnterChar = 0x03, kReturnChar = 0x0D, kEscapeChar = 0x1B, kLeftChar = 0x1C,
                kRightChar = 0x1D, kUpChar = 0x1E, kDownChar = 0x1F;
constexpr EventMask kOpenMenuEvents = mDownMask | keyDownMask | autoKeyMask;

// Keeps a frame of the menu's size with its top-left at (top, left) on the
// screen; a menu taller than the room left scrolls instead.
Rect Fit(MenuHandle menu, long top, long left, const Rect& screen) {
    const long width = (*menu)->menuWidth, height = (*menu)->menuHeight;
    const long lowest = screen.bottom - 2;
    if (top + height > lowest) top = lowest - height;
    top = std::max<long>(top, KsMenuTopLimit(screen));
    if (left + width > screen.right - 4) left = screen.right - 4 - width;
    left = std::max<long>(left, screen.left + 1);
    return Rect{KsMenuClamp16(top), KsMenuClamp16(left),
                KsMenuClamp16(std::min(top + height, lowest)), KsMenuClamp16(left + width)};
}

bool IsSubmenuItem(MenuHandle menu, MenuItemIndex item) {
    const KsMenuItem* it = KsMenuItemAt(menu, item);
    return it && it->cmd == hMenuCmd;
}

// What the keys may land on: enabled items of an enabled menu, no separators.
bool IsSelectable(MenuHandle menu, MenuItemIndex item) {
    const KsMenuItem* it = KsMenuItemAt(menu, item);
    return it && it->enabled && (*menu)->data->enabled && it->text != "-";
}

SInt32 Code(MenuHandle menu, MenuItemIndex item) {
    return SInt32(UInt32(UInt16((*menu)->menuID)) << 16 | UInt16(item));
}

// The press has been taken; its release is taken too.
void WaitForRelease() {
    while (WaitMouseUp()) {
    }
}
} // namespace

KsMenuTrackTiming KsSetMenuTrackTiming(KsMenuTrackTiming timing) {
    std::swap(gTiming, timing);
    return timing;
}

SInt16 KsMenuTopLimit(const Rect& screen) {
    const Rect main = KsMainScreenBounds();
    const bool isMain = screen.top == main.top && screen.left == main.left;
    return KsMenuClamp16(screen.top + (isMain ? kKsMenuBarHeight : 0) + 1);
}

// ---------------------------------------------------------------------------
// Opening and closing

bool KsMenuTracker::OpenTop(MenuHandle menu, const Rect& frame) {
    CloseFrom(0);
    if (!levels_[0].Open(menu, frame)) return false;
    depth_ = 1;
    return true;
}

int KsMenuTracker::LevelAt(Point pt) const {
    for (int i = depth_ - 1; i >= 0; --i)
        if (levels_[i].PartAt(pt) != KsOpenMenu::Part::outside) return i;
    return -1;
}

void KsMenuTracker::CloseFrom(int level) {
    while (depth_ > level)
        levels_[--depth_].Close();
}

void KsMenuTracker::OpenBarMenu(MenuID id, const Rect& title) {
    CloseFrom(0);
    barMenu_ = id;
    HiliteMenu(id);
    MenuHandle menu = GetMenuHandle(id);
    if (!menu || CountMItems(menu) == 0) return;
    CalcMenuSize(menu);
    const Rect screen = KsMainScreenBounds();
    OpenTop(menu, Fit(menu, title.bottom + 2, title.left + 1, screen));
}

bool KsMenuTracker::OpenSubmenu(int level, MenuItemIndex item) {
    if (level + 1 >= kMaxDepth) return false;
    const KsOpenMenu& parent = levels_[level];
    const KsMenuItem* it = KsMenuItemAt(parent.Menu(), item);
    MenuHandle sub = it ? GetMenuHandle(it->mark) : nullptr;
    if (!sub || CountMItems(sub) == 0) return false;
    for (int i = 0; i <= level; ++i) // a menu that holds itself opens once
        if (levels_[i].Menu() == sub) return false;
    CalcMenuSize(sub);
    const Rect itemRect = parent.ItemRect(item);
    const Rect pf = parent.Frame();
    const Rect screen = KsMenuScreenAt(Point{itemRect.top, pf.right});
    long left = pf.right + 1;
    if (left + (*sub)->menuWidth > screen.right - 4) left = long(pf.left) - 1 - (*sub)->menuWidth;
    if (!levels_[level + 1].Open(sub, Fit(sub, itemRect.top, left, screen))) return false;
    openedFrom_[level + 1] = item;
    depth_ = level + 2;
    return true;
}

// ---------------------------------------------------------------------------
// The pointer

SInt32 KsMenuTracker::RunPressed() {
    enteredMenu_ = false;
    Point pt = KsGetGlobalMouse();
    for (;;) {
        const bool down = WaitMouseUp(); // sleeps when nothing changes
        pt = KsGetGlobalMouse();
        Step(pt);
        if (!down) break;
    }
    SInt32 choice = 0;
    switch (Released(pt, false, &choice)) {
    case Release::chosen:
        return choice;
    case Release::stayOpen:
        return RunOpen();
    case Release::dismissed:
        break;
    }
    return 0;
}

KsMenuTracker::Release KsMenuTracker::Released(Point pt, bool fromOpen, SInt32* choice) {
    const int level = LevelAt(pt);
    if (level >= 0 && levels_[level].PartAt(pt) == KsOpenMenu::Part::items) {
        const KsOpenMenu& m = levels_[level];
        const MenuItemIndex item = m.Hilited();
        if (item && !IsSubmenuItem(m.Menu(), item)) {
            *choice = Code(m.Menu(), item);
            return Release::chosen;
        }
        // A click on an item with a submenu opens it at once.
        if (fromOpen && item && !(level + 1 < depth_ && openedFrom_[level + 1] == item)) {
            CloseFrom(level + 1);
            OpenSubmenu(level, item);
        }
    }
    if (fromOpen) return Release::stayOpen;
    // A click on a title (the pointer never went into the menu) leaves it open.
    if (mode_ == Mode::menuBar && barMenu_ && !enteredMenu_ &&
        KsMenuBarHit(pt, nullptr) == barMenu_)
        return Release::stayOpen;
    return Release::dismissed;
}

void KsMenuTracker::Step(Point pt) {
    const long now = KsGetTicks();
    if (mode_ == Mode::menuBar) {
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
    enteredMenu_ = true;
    KsOpenMenu& m = levels_[level];
    const KsOpenMenu::Part part = m.PartAt(pt);
    if (part == KsOpenMenu::Part::scrollUp || part == KsOpenMenu::Part::scrollDown) {
        CloseFrom(level + 1);
        m.HiliteNone();
        pendingItem_ = 0;
        if (now >= nextScroll_) {
            const SInt16 step = KsMenuLineHeight();
            m.ScrollBy(part == KsOpenMenu::Part::scrollUp ? KsMenuClamp16(-step) : step);
            nextScroll_ = now + long(gTiming.scrollRate);
        }
        return;
    }
    m.Track(pt);
    const MenuItemIndex item = m.Hilited();
    if (level + 1 < depth_) {
        if (item == openedFrom_[level + 1]) {
            levels_[level + 1].HiliteNone();
            pendingItem_ = 0;
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

bool KsMenuTracker::WantsTime(Point pt) const {
    if (pendingItem_) return true;
    const int level = LevelAt(pt);
    if (level < 0) return false;
    const KsOpenMenu::Part part = levels_[level].PartAt(pt);
    return part == KsOpenMenu::Part::scrollUp || part == KsOpenMenu::Part::scrollDown ||
           levels_[level].DefWantsTime(pt);
}

// ---------------------------------------------------------------------------
// A menu that stays open

SInt32 KsMenuTracker::RunFromKey(MenuID id) {
    Rect title;
    if (!KsGetMenuTitleRect(id, &title)) return 0;
    OpenBarMenu(id, title);
    MoveHilite(true);
    return RunOpen();
}

SInt32 KsMenuTracker::RunOpen() {
    pendingItem_ = 0;
    Point last = KsGetGlobalMouse();
    for (;;) {
        if (!KsIsInForeground()) return 0; // another application took the user
        EventRecord event;
        if (WaitNextEvent(kOpenMenuEvents, &event, 1, nullptr)) {
            SInt32 choice = 0;
            const Release r =
                event.what == mouseDown ? TrackPress(event.where, &choice) : Key(event, &choice);
            if (r == Release::chosen) return choice;
            if (r == Release::dismissed) return 0;
            last = KsGetGlobalMouse();
            continue;
        }
        const Point pt = KsGetGlobalMouse();
        if (pt.h != last.h || pt.v != last.v || WantsTime(pt)) Step(pt);
        last = pt;
    }
}

KsMenuTracker::Release KsMenuTracker::TrackPress(Point where, SInt32* choice) {
    const MenuID title = mode_ == Mode::menuBar ? KsMenuBarHit(where, nullptr) : 0;
    if ((title && title == barMenu_) || (!title && LevelAt(where) < 0)) {
        // The open menu's title, or outside every menu: everything closes.
        CloseFrom(0);
        HiliteMenu(0);
        WaitForRelease();
        return Release::dismissed;
    }
    enteredMenu_ = false;
    Point pt = where;
    for (;;) {
        const bool down = WaitMouseUp();
        pt = KsGetGlobalMouse();
        Step(pt);
        if (!down) break;
    }
    return Released(pt, true, choice);
}

KsMenuTracker::Release KsMenuTracker::Key(const EventRecord& event, SInt32* choice) {
    if (event.modifiers & cmdKey) return Release::stayOpen; // command keys wait
    const auto ch = static_cast<UInt8>(event.message & charCodeMask);
    const bool repeat = event.what == autoKey; // only moves repeat
    pendingItem_ = 0;
    switch (ch) {
    case kUpChar:
    case kDownChar:
        MoveHilite(ch == kDownChar);
        return Release::stayOpen;
    case kRightChar:
        if (!EnterSubmenu() && mode_ == Mode::menuBar) StepBarMenu(1);
        return Release::stayOpen;
    case kLeftChar:
        if (depth_ > 1)
            CloseFrom(depth_ - 1);
        else if (mode_ == Mode::menuBar)
            StepBarMenu(-1);
        return Release::stayOpen;
    case kEscapeChar:
        if (repeat) return Release::stayOpen;
        if (depth_ <= 1) return Release::dismissed;
        CloseFrom(depth_ - 1);
        return Release::stayOpen;
    case kReturnChar:
    case kEnterChar:
        if (repeat || !depth_) return Release::stayOpen;
        return Choose(levels_[depth_ - 1].Hilited(), choice);
    default:
        break;
    }
    if (repeat || !depth_) return Release::stayOpen;
    KsOpenMenu& m = levels_[depth_ - 1];
    if (!(*m.Menu())->data->enabled) return Release::stayOpen;
    const MenuItemIndex item = KsMenuFindMnemonic(m.Menu(), ch);
    if (!item) return Release::stayOpen;
    m.Hilite(item);
    return Choose(item, choice);
}

KsMenuTracker::Release KsMenuTracker::Choose(MenuItemIndex item, SInt32* choice) {
    if (!item || !depth_) return Release::stayOpen;
    const KsOpenMenu& m = levels_[depth_ - 1];
    if (IsSubmenuItem(m.Menu(), item)) {
        EnterSubmenu();
        return Release::stayOpen;
    }
    if (!IsSelectable(m.Menu(), item)) return Release::stayOpen;
    *choice = Code(m.Menu(), item);
    return Release::chosen;
}

void KsMenuTracker::MoveHilite(bool down) {
    if (!depth_) return;
    KsOpenMenu& m = levels_[depth_ - 1];
    const SInt16 n = CountMItems(m.Menu());
    MenuItemIndex at = m.Hilited();
    for (SInt16 i = 0; i < n; ++i) {
        if (down)
            at = at >= n ? MenuItemIndex(1) : MenuItemIndex(at + 1);
        else
            at = at <= 1 ? n : MenuItemIndex(at - 1);
        if (IsSelectable(m.Menu(), at)) {
            m.Hilite(at);
            return;
        }
    }
}

bool KsMenuTracker::EnterSubmenu() {
    if (!depth_) return false;
    const int level = depth_ - 1;
    const MenuItemIndex item = levels_[level].Hilited();
    if (!item || !IsSubmenuItem(levels_[level].Menu(), item)) return false;
    if (!OpenSubmenu(level, item)) return false;
    MoveHilite(true);
    return true;
}

void KsMenuTracker::StepBarMenu(int steps) {
    const std::vector<MenuHandle>& bar = KsMenuBarList();
    int shown = 0; // titles past the bar's right end cannot open
    while (shown < int(bar.size()) &&
           KsGetMenuTitleRect((*bar[std::size_t(shown)])->menuID, nullptr))
        ++shown;
    if (!shown) return;
    int at = 0;
    while (at < shown && (*bar[std::size_t(at)])->menuID != barMenu_)
        ++at;
    at = ((at + steps) % shown + shown) % shown;
    Rect title;
    const MenuID id = (*bar[std::size_t(at)])->menuID;
    if (!KsGetMenuTitleRect(id, &title)) return;
    OpenBarMenu(id, title);
    MoveHilite(true);
}
