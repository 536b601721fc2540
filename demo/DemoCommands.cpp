#include "DemoCommands.h"

#include "ABartender.h"
#include "CmdButton.h"
#include "Stx.h"

namespace {

constexpr short kButtonsMenuID = 261;
enum : long { kNickAssignFromMenus = 2201, kNickSwapByDragging = 2202 };

} // namespace

void BuildButtonsMenu() {
    MenuHandle menu = gBartender->CreateMenu(stx("Buttons"), kButtonsMenuID, 1);
    gBartender->AppendMenuItem(menu, kNickAssignFromMenus, stx("Assign from &Menus"), 0, 0, 0);
    gBartender->AppendMenuItem(menu, kNickSwapByDragging, stx("&Swap by Dragging"), 0, 0, 0);
}

void UpdateButtonsMenu() {
    gBartender->MacEnableMenuItem(kNickAssignFromMenus);
    gBartender->MacEnableMenuItem(kNickSwapByDragging);
    gBartender->CheckMenuItemByNickNum(kNickAssignFromMenus, CmdButton::GetM2Bmode());
    gBartender->CheckMenuItemByNickNum(kNickSwapByDragging, CmdButton::GetB2Bmode());
}

// The two modes exclude each other: a click either chooses or drags.
bool HandleButtonsMenu(long nick) {
    if (nick == kNickAssignFromMenus) {
        CmdButton::SetM2Bmode(!CmdButton::GetM2Bmode());
        CmdButton::SetB2Bmode(false);
        return true;
    }
    if (nick == kNickSwapByDragging) {
        CmdButton::SetB2Bmode(!CmdButton::GetB2Bmode());
        CmdButton::SetM2Bmode(false);
        return true;
    }
    return false;
}
