#include "PaneDow.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "AApplication.h"
#include "ABartender.h"
#include "AScreenManOS.h"
#include "Cursors.h"
#include "KsFatal.h"
#include "KsHelpFiles.h"
#include "KsMenuDef.h"
#include "KsMenuUtils.h"
#include "Stx.h"
#include "XError.h"

namespace {
short gMenuDefProcID = 0;

// The standard item every context menu of a pane with help ends with.
constexpr long kWhatsThisNick = 1110;
// Gap left below a context menu raised off the bottom of the screen.
constexpr SInt16 kBottomGap = 20;

bool HasItems(MenuHandle menu) {
    return CountMenuItems(menu) > 0;
}

// The context menu is released on every path out of the pop-up.
struct ContextMenu {
    MenuHandle menu = nullptr;
    ~ContextMenu() {
        if (!menu) return;
        if (gBartender) gBartender->ForgetMenuItems((**menu).menuID);
        SafeDisposeMenu(menu);
    }
};

char* CopyText(const char* s) {
    if (!s) return nullptr;
    const size_t n = std::strlen(s) + 1;
    char* copy = static_cast<char*>(std::malloc(n));
    if (copy) std::memcpy(copy, s, n);
    return copy;
}
} // namespace

PaneDow::PaneDow(const PaneDow& other)
    : buildProc(other.buildProc), handleProc(other.handleProc), helpNumber(other.helpNumber),
      helpTopic(CopyText(other.helpTopic)), helpStyle(other.helpStyle) {}

PaneDow& PaneDow::operator=(const PaneDow& other) {
    if (this != &other) {
        char* topic = CopyText(other.helpTopic);
        std::free(helpTopic);
        helpTopic = topic;
        buildProc = other.buildProc;
        handleProc = other.handleProc;
        helpNumber = other.helpNumber;
        helpStyle = other.helpStyle;
    }
    return *this;
}

PaneDow::~PaneDow() {
    std::free(helpTopic);
}

bool PaneDow::DoContextPopup(EventRecord event) {
    try {
        return RunContextPopup(event);
    } catch (const XError&) {
        throw;
    } catch (...) {
        throw XErrorFromCurrentException();
    }
}

bool PaneDow::RunContextPopup(EventRecord event) {
    ContextMenu cm;
    cm.menu = CreateNewMenu("CSPopup", gMenuDefProcID);
    if (!cm.menu) return false;
    MenuHandle menu = cm.menu;

    // The first level up the chain that adds items owns the menu.
    PaneDow* level = this;
    for (int depth = 0; level && depth < kMaxChain; ++depth, level = level->GetEnclosure()) {
        if (level->buildProc) {
            level->buildProc(menu, event);
            if (HasItems(menu)) break;
        }
        level->BuildContextPopup(menu, event);
        if (HasItems(menu)) break;
    }
    if (!HasItems(menu)) level = nullptr;
    AppendStdNicks(menu);
    if (!HasItems(menu)) return false;

    CalcMenuSize(menu);
    SInt16 v = event.where.v;
    const SInt16 h = event.where.h;
    AScreenManOS* screens = AScreenManOS::New();
    const KsRect screen = screens->GetScreenBounds(
        std::max(0, screens->ScreenOfPoint(KsPoint{event.where.h, event.where.v})));
    const SInt16 height = (**menu).menuHeight;
    if (v + height > screen.bottom) v = SInt16(screen.bottom - height - kBottomGap);
    SetArrowCursor();
    const SInt32 choice = PopUpMenuSelectCustom(menu, SInt16(v + 1), SInt16(h + 2), 0, 1, 0);
    if (choice == 0) return false;
    const short menuID = short(choice >> 16), item = short(choice & 0xFFFF);
    const long nick = gBartender ? gBartender->MenuInfoToNickNum(item, menuID) : 0;
    bool handled = false;
    if (level)
        handled = level->handleProc ? level->handleProc(menu, event, nick, menuID)
                                    : level->HandleContextPopup(menu, event, nick, menuID);
    if (!handled) handled = HandleStdNicks(menu, event, nick, menuID);
    if (!handled && gApplication) handled = gApplication->MenuBroadcast(event, menuID, nick);
    return handled;
}

bool PaneDow::AppendStdNicks(MenuHandle menu) {
    if (!FindPaneWithHelp(false) || !gBartender) return false;
    gBartender->AppendSeparator(menu);
    gBartender->AppendMenuItem(menu, kWhatsThisNick, stx("&What's This?"));
    return true;
}

bool PaneDow::HandleStdNicks(MenuHandle, EventRecord, long nick, short) {
    return nick == kWhatsThisNick && DoHelp(false);
}

void PaneDow::SetWinHelpTopic(const char* topic) {
    // No topic clears it: the number, if any, answers for help again.
    if (!topic) {
        std::free(helpTopic);
        helpTopic = nullptr;
        return;
    }
    char* copy = CopyText(topic);
    std::free(helpTopic);
    helpTopic = copy;
    helpStyle = 1;
}

void PaneDow::SetWinHelpNum(long number) {
    helpNumber = number;
}
const char* PaneDow::GetWinHelpTopic() const {
    return helpTopic;
}
long PaneDow::GetWinHelpNum() const {
    return helpNumber;
}

bool PaneDow::GetHasHelp(bool topicOnly) const {
    if (helpTopic) return true;
    return !topicOnly && helpNumber != 0;
}

PaneDow* PaneDow::GetEnclosure() const {
    return nullptr;
}
void PaneDow::SetWinHelpWindowStyle() {
    helpStyle = 1;
}
void PaneDow::SetWinHelpPopupStyle() {
    helpStyle = 2;
}
void PaneDow::SetBuildContextPopupProc(BuildProc proc) {
    buildProc = proc;
}
PaneDow::BuildProc PaneDow::GetBuildContextPopupProc() const {
    return buildProc;
}
void PaneDow::SetHandleContextPopupProc(HandleProc proc) {
    handleProc = proc;
}
PaneDow::HandleProc PaneDow::GetHandleContextPopupProc() const {
    return handleProc;
}
SInt16 PaneDow::BuildContextPopup(MenuInfo**, EventRecord) {
    return 0;
}

PaneDow* PaneDow::FindPaneWithHelp(bool topicOnly) {
    // A chain deeper than any real pane tree means a cycle: stop rather than loop.
    PaneDow* p = this;
    for (int depth = 0; p && depth < kMaxChain; ++depth, p = p->GetEnclosure())
        if (p->GetHasHelp(topicOnly)) return p;
    return nullptr;
}

bool PaneDow::DoHelpOf(PaneDow* object, bool topicOnly) {
    return object && object->DoHelp(topicOnly);
}

bool PaneDow::DoHelp(bool topicOnly) {
    PaneDow* holder = FindPaneWithHelp(topicOnly);
    if (!holder) return false;
    if (holder->helpTopic)
        DisplayWinHelp(holder->helpTopic, holder->helpStyle);
    else
        DisplayWinHelp(holder->helpNumber, holder->helpStyle);
    return true;
}

void PaneDow::SetMenuDefProcID(short id) {
    gMenuDefProcID = id;
}
short PaneDow::GetMenuDefProcID() {
    return gMenuDefProcID;
}
