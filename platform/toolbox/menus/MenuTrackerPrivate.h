// The menu tracker: a stack of open menus (a pulled-down or pop-up menu and
// its submenus) driven by the pointer while the button is held, and, for the
// menu bar, by clicks and keys while a menu stays open.
#pragma once

#include "MenuBarPrivate.h"

// The highest top a menu may have on a screen: below the bar on the main one.
SInt16 KsMenuTopLimit(const Rect& screen);

class KsMenuTracker {
public:
    enum class Mode { menuBar, popUp };

    explicit KsMenuTracker(Mode mode) : mode_(mode) {}
    ~KsMenuTracker() { CloseFrom(0); }
    KsMenuTracker(const KsMenuTracker&) = delete;
    KsMenuTracker& operator=(const KsMenuTracker&) = delete;

    // Shows a pop-up in `frame` (global, kept on the screen).
    bool OpenTop(MenuHandle menu, const Rect& frame);
    // Follows the pointer until the button is released and answers the
    // choice (menuID << 16 | item) or 0. In the bar, a release on a title
    // before the pointer went into a menu goes on as RunOpen.
    SInt32 RunPressed();
    // Opens a menu of the bar with its first enabled item highlighted and
    // goes on as RunOpen.
    SInt32 RunFromKey(MenuID id);

private:
    static constexpr int kMaxDepth = 8;
    enum class Release { chosen, stayOpen, dismissed };

    // The menu stays open between clicks: keys, clicks and the pointer drive
    // it until a choice or a dismissal.
    SInt32 RunOpen();
    // Follows a press made while the menu is open until its release.
    Release TrackPress(Point where, SInt32* choice);
    Release Released(Point pt, bool fromOpen, SInt32* choice);
    // A key while the menu is open; a choice is stored in *choice.
    Release Key(const EventRecord& event, SInt32* choice);

    void Step(Point pt);
    bool WantsTime(Point pt) const; // a submenu or scroll waits on a resting pointer
    int LevelAt(Point pt) const;
    void CloseFrom(int level);
    void OpenBarMenu(MenuID id, const Rect& title);
    bool OpenSubmenu(int level, MenuItemIndex item);
    // Opens the bar menu `steps` titles away from the open one (wrapping).
    void StepBarMenu(int steps);
    // Moves the highlight of the deepest menu to the next (or previous)
    // enabled item, wrapping; the first when none is highlighted.
    void MoveHilite(bool down);
    // Opens the submenu of the deepest menu's highlighted item with its first
    // item highlighted; false when that item has none.
    bool EnterSubmenu();
    // The choice of item `item` of the deepest menu (a submenu opens instead:
    // stayOpen).
    Release Choose(MenuItemIndex item, SInt32* choice);

    Mode mode_;
    KsOpenMenu levels_[kMaxDepth];
    MenuItemIndex openedFrom_[kMaxDepth] = {};
    int depth_ = 0;
    MenuID barMenu_ = 0;
    bool enteredMenu_ = false; // the pointer has been over an open menu since the press
    int pendingLevel_ = -1;
    MenuItemIndex pendingItem_ = 0;
    long pendingAt_ = 0;
    long nextScroll_ = 0;
};
