// CmdButton: set-up, the command and its face, sending, idle time and the
// class data. Assignment by menus and by drag: CmdButtonAssign.cpp; drawing:
// CmdButtonDraw.cpp; streams and property text: CmdButtonStream.cpp.
#include "CmdButton.h"

#include "AApplication.h"
#include "ABartender.h"
#include "AWindow.h"
#include "CmdButtonPrivate.h"
#include "Cursors.h"
#include "DragList.h"
#include "Events.h"
#include "Menus.h"
#include "Resources.h"
#include "Sound.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// The class data of every command button.
struct CmdButtonModes {
    bool a2b = false;
    bool b2b = false;
    bool m2b = false;
    bool globalSelectable = true;
    bool ignoreOption = false;
    bool ignoreControl = false;
};
CmdButtonModes gModes;

constexpr OSType kCicn = FourCharCode("cicn");
constexpr OSType kSICN = FourCharCode("SICN");
// Menu icons are numbered from 1; their resources from 257.
constexpr SInt16 kMenuIconBase = 256;

bool MenuBarKnows(SInt32 nick) {
    return gBartender && gBartender->NickNumToMenuInfo(nullptr, nullptr, nick) != nullptr;
}

} // namespace

CmdButton* CmdButton::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                          SInt16 bot, SInt16 hei, SInt32 nick, const KsRGBColor& bkgd) {
    auto* b = new CmdButton;
    b->ICmdButton(encl, left, right, wid, top, bot, hei, nick, bkgd);
    return b;
}

CmdButton::CmdButton() {
    TheCmdButtonRoster().Add(this, 0);
}

CmdButton::~CmdButton() {
    TheCmdButtonRoster().Remove(this);
}

void CmdButton::ICmdButton(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                           SInt16 bot, SInt16 hei, SInt32 nick, const KsRGBColor& bkgd) {
    IPushButton(encl, left, right, wid, top, bot, hei, nullptr, 0, 0);
    SetBkndColor(bkgd);
    SetJust(1);
    SetCmdNum(nick);
    SetStdHandleOver(true);
}

// A disposed button must never be answered by GetCmdButton, also while its
// storage waits for the walks that hold it.
void CmdButton::Dispose() {
    TheCmdButtonRoster().Remove(this);
    APushButton::Dispose();
}

AObject* CmdButton::Copy() {
    auto* copy = static_cast<CmdButton*>(APushButton::Copy());
    if (copy) TheCmdButtonRoster().Renick(copy, copy->GetCmdNum());
    return copy;
}

CmdButton* CmdButton::GetCmdButton(SInt32 n, SInt32 nick) {
    return TheCmdButtonRoster().Find(n, nick);
}

void CmdButton::SetA2Bmode(bool on) {
    gModes.a2b = on;
}
void CmdButton::SetB2Bmode(bool on) {
    gModes.b2b = on;
}
void CmdButton::SetM2Bmode(bool on) {
    gModes.m2b = on;
}
bool CmdButton::GetA2Bmode() {
    return gModes.a2b;
}
bool CmdButton::GetB2Bmode() {
    return gModes.b2b;
}
bool CmdButton::GetM2Bmode() {
    return gModes.m2b;
}
bool CmdButton::ForceIgnoreOption() {
    return gModes.ignoreOption;
}
bool CmdButton::ForceIgnoreControl() {
    return gModes.ignoreControl;
}
bool CmdButton::GetGlobalSelectable() {
    return gModes.globalSelectable;
}

bool CmdButton::IsCmdSupported() {
    return cmdNum == 0 || MenuBarKnows(cmdNum);
}

void CmdButton::SetSimOption(bool on) {
    if (simOption == on) return;
    simOption = on;
    InvalInterior();
}
bool CmdButton::GetSimOption() const {
    return simOption;
}
void CmdButton::SetSimControl(bool on) {
    if (simControl == on) return;
    simControl = on;
    InvalInterior();
}
bool CmdButton::GetSimControl() const {
    return simControl;
}
void CmdButton::SetSelectable(bool on) {
    selectable = on;
}
bool CmdButton::IsUserSelectable() const {
    return gModes.globalSelectable && selectable;
}
void CmdButton::SetGlobalSelectable(bool on) {
    gModes.globalSelectable = on;
}

// The nick is checked before anything changes: a refused nick leaves the
// face, the text and the help number as they were.
void CmdButton::SetCmdNum(SInt32 nick) {
    if (nick == cmdNum) return;
    const bool pseudo = nick == kAltNick || nick == kCtlNick;
    if (nick != 0 && !pseudo && !MenuBarKnows(nick)) return;
    APushButton::SetCmdNum(nick);
    TheCmdButtonRoster().Renick(this, nick);
    SetWinHelpNum(nick);
    SetRsrc(0, 0);
    SetText(nullptr);
    if (nick == kAltNick || nick == kCtlNick) {
        SetText(nick == kAltNick ? "ALT" : "CTL");
        if (nick == kAltNick)
            SetSimOption(true);
        else
            SetSimControl(true);
        InvalInterior();
        return;
    }
    if (nick == 0) {
        SetSimOption(false);
        SetSimControl(false);
        InvalInterior();
        return;
    }
    short item = 0, menuID = 0;
    MenuHandle menu = gBartender->NickNumToMenuInfo(&item, &menuID, nick);
    SInt16 icon = 0;
    if (menu && item > 0) GetItemIcon(menu, MenuItemIndex(item), &icon);
    if (icon > 0) {
        const SInt16 id = SInt16(icon + kMenuIconBase);
        SetRsrc(kCicn, id);
        if (GetRsrcType() != kCicn) SetRsrc(kSICN, id);
    } else {
        char text[kMaxNameLength + 1] = {};
        gBartender->GetMenuItem(nick, text, sizeof text);
        const std::string name = StripMnemonics(text);
        if (name.size() >= 2) {
            SetText(name.c_str());
            SetFontSizeFace(1, 9, 0);
        }
    }
    InvalInterior();
}

void CmdButton::GetMiniHelpText(char* buf, SInt32 len) {
    if (!buf || len <= 0) return;
    buf[0] = '\0';
    GetText(buf, len);
    if (!buf[0] && cmdNum != 0 && gBartender) {
        char item[256] = {};
        gBartender->GetMenuItem(cmdNum, item, sizeof item);
        std::string name = StripMnemonics(item);
        name = name.substr(0, name.find('@'));
        const std::size_t n = std::min(name.size(), std::size_t(len - 1));
        std::memcpy(buf, name.data(), n);
        buf[n] = '\0';
    }
    if (!buf[0]) APushButton::GetMiniHelpText(buf, len);
}

void CmdButton::DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) {
    if (!(gModes.globalSelectable && gModes.b2b)) {
        APushButton::DoClick(pt, modifiers, when, data);
        return;
    }
    DragList* list = GetMyDragList(pt);
    struct Release {
        DragList* list;
        ~Release() {
            if (list) list->Dispose();
        }
    } release{list};
    KsPoint at = pt;
    DoDrag(&at, list, true);
    InvalInterior();
}

void CmdButton::Dawdle(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* cursorID, void* data) {
    const bool assigning = gModes.m2b || gModes.b2b;
    const bool spot = spotlightEnabled;
    if (assigning) spotlightEnabled = false;
    APushButton::Dawdle(pt, modifiers, sleep, cursorID, data);
    spotlightEnabled = spot;
    if (!gModes.globalSelectable || !assigning) return;
    const SInt16 id = gModes.m2b ? kAssignCursorID : kDragCursorID;
    if (cursorID)
        *cursorID = id;
    else
        SetCursorByID(id);
}

void CmdButton::DoGoodClick(KsPoint, SInt16 modifiers, SInt32, void* refCon) {
    if (gModes.m2b && gModes.globalSelectable)
        AssignFromMenus();
    else
        SendCommand(modifiers);
    if (upClickProc && !hasMenu) upClickProc(this, refCon, 0, 0);
}

// The command goes out with the current event's modifiers adjusted for the
// simulated keys; the event and the force-ignore flags are put back on every
// way out.
void CmdButton::SendCommand(SInt16 modifiers) {
    const EventModifiers saved = CurrentEvent.modifiers;
    if (simOption) CurrentEvent.modifiers ^= optionKey;
    if (simControl) CurrentEvent.modifiers ^= controlKey;
    gModes.ignoreOption = simOption && (modifiers & optionKey) != 0;
    gModes.ignoreControl = simControl && (modifiers & controlKey) != 0;
    CurrentNickNum = cmdNum;
    CurrentNickNumShifted = 0;
    struct Restore {
        EventModifiers saved;
        ~Restore() {
            CurrentEvent.modifiers = saved;
            gModes.ignoreOption = false;
            gModes.ignoreControl = false;
        }
    } restore{saved};
    if (hasMenu) {
        SInt32 selection = 0, value = 0;
        DoPopupMenuClick(&selection, &value);
        if (upClickProc) upClickProc(this, WindowRefCon(), SInt16(selection >> 16), value);
    }
    if (!gApplication || !gBartender) return;
    gApplication->UpdateMenus();
    gApplication->BroadcastWinProc(wmUpdateMenus, &CurrentEvent, 0, 0);
    if (!gBartender->IsItemEnabled(cmdNum)) {
        SysBeep(kKsShortBeepTicks);
        return;
    }
    short item = 0, menuID = 0;
    gBartender->NickNumToMenuInfo(&item, &menuID, cmdNum);
    gApplication->MenuBroadcast(CurrentEvent, menuID, cmdNum);
}
