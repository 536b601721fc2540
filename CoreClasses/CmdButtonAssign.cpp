// CmdButton re-assignment by the user: a menu choice made after a click in
// menu-to-button mode, and one button dropped on another in button-to-button
// mode.
#include "CmdButton.h"

#include "AApplication.h"
#include "ABartender.h"
#include "AWindow.h"
#include "Cursors.h"
#include "DragList.h"
#include "Events.h"
#include "KsExpandBox.h"
#include "KsPortSavers.h"
#include "KsUIHooks.h"
#include "Menus.h"
#include "Sound.h"
#include "Stx.h"
#include "Windows.h"

namespace {

constexpr SInt32 kLowestAssignableNick = 1000;
// Half the side of the box the zoom starts from, around the pointer.
constexpr SInt32 kZoomStartHalf = 5;
// Ticks between looks at the queue while waiting for the choosing click.
constexpr UInt32 kWaitTicks = 6;

void Refuse(const char* text) {
    SysBeep(kKsShortBeepTicks);
    UIdialog(stx(text), stx("OK"), 1, 0);
}

void EnableEveryItem(MenuHandle menu) {
    const SInt16 n = CountMItems(menu);
    for (SInt16 i = 1; i <= n; ++i)
        EnableItem(menu, MenuItemIndex(i));
}

// The next press, or false when a key is pressed instead (the choice is
// abandoned).
bool WaitForPress(EventRecord* e) {
    for (;;)
        if (WaitNextEvent(mDownMask | keyDownMask, e, kWaitTicks, nullptr))
            return e->what == mouseDown;
}

// The bounds of a pane in global coordinates.
KsRect GlobalBounds(const APane* pane) {
    KsRect r = pane->GetBounds();
    AWindow* w = pane->GetEnclWindow();
    if (!w || !w->GetWindowPtr()) return r;
    StPortSaver port;
    SetPortWindowPort(w->GetWindowPtr());
    Point tl{SInt16(r.top), SInt16(r.left)};
    LocalToGlobal(&tl);
    return r.Offsetted(tl.h - r.left, tl.v - r.top);
}

void RepaintInterior(APane* pane) {
    AWindow* w = pane->GetEnclWindow();
    if (!w || !w->GetWindowPtr() || !pane->IsVisible()) return;
    StPortSaver port;
    SetPortWindowPort(w->GetWindowPtr());
    pane->DrawInterior(nullptr, nullptr);
    ClipWideOpen();
}

} // namespace

void CmdButton::AssignFromMenus() {
    if (!IsUserSelectable()) {
        Refuse("That button cannot be changed.");
        return;
    }
    const bool spotWas = spotlightEnabled;
    spotlightEnabled = true;
    SetSpotlight(true);
    // However the choice ends, the button goes back to its own look.
    struct Unspot {
        CmdButton* b;
        bool was;
        ~Unspot() {
            b->SetSpotlight(false);
            b->spotlightEnabled = was;
            RepaintInterior(b);
        }
    } unspot{this, spotWas};
    RepaintInterior(this);
    if (gApplication) {
        gApplication->UpdateMenus();
        gApplication->BroadcastWinProc(wmUpdateMenus, &CurrentEvent, 0, 0);
    }
    while (WaitMouseUp()) {
    }
    SetCursorByID(kAssignCursorID);
    EventRecord e{};
    const bool pressed = WaitForPress(&e);
    if (gBartender) gBartender->ForEachMenu(EnableEveryItem, nullptr);
    SetArrowCursor();
    if (!pressed) return;

    SInt32 choice = 0;
    WindowPtr w = nullptr;
    // A press in a window's content finds no choice: pop-up menu windows do
    // not take part in the assignment.
    if (FindWindow(e.where, &w) == inMenuBar) {
        choice = MenuSelect(e.where);
        SetArrowCursor();
        HiliteMenu(0);
    }
    if (choice == 0 || !gBartender) return;
    const long nick = gBartender->MenuInfoToNickNum(SInt16(choice & 0xFFFF), SInt16(choice >> 16));
    if (nick < kLowestAssignableNick) {
        Refuse("That menu item cannot be assigned.");
        return;
    }
    const Point m = KsGetGlobalMouse();
    ExpandBoxOnDesktop(
        {m.h - kZoomStartHalf, m.v - kZoomStartHalf, m.h + kZoomStartHalf, m.v + kZoomStartHalf},
        GlobalBounds(this));
    SetCmdNum(SInt32(nick));
}

bool CmdButton::HandleDragMsg(DragList* list, KsPoint pt, SInt16 modifiers, SInt16 message) {
    if (message == kDragMayAccept) return list && list->ContainsDragObject("CmdButton");
    if (message == kDragEnter || message == kDragLeave) {
        if (IsUserSelectable()) DoDragFeedback(list, pt, modifiers, message);
        return true;
    }
    if (message != kDragDrop) return true;
    if (!IsUserSelectable()) {
        Refuse("That button cannot be changed.");
        return true;
    }
    auto* source = list ? static_cast<CmdButton*>(list->GetDragObject("CmdButton")) : nullptr;
    if (source && source != this) {
        const SInt32 given = source->GetCmdNum();
        if (given == kAltNick) {
            SetSimOption(!simOption);
        } else if (given == kCtlNick) {
            SetSimControl(!simControl);
        } else {
            const SInt32 previous = cmdNum;
            SetCmdNum(given);
            // A swap only once the target took the command: a refused nick
            // must not cost the source its own.
            if (cmdNum == given && source->GetEnclWindow() == GetEnclWindow() &&
                source->IsUserSelectable())
                source->SetCmdNum(previous);
        }
    }
    InvalInterior();
    return true;
}
