#include "DemoCommands.h"

#include "ABartender.h"
#include "AWindow.h"
#include "CmdButton.h"
#include "PaneStream.h"
#include "Stx.h"
#include "Windows.h"
#include "XError.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

namespace {

constexpr short kButtonsMenuID = 261;
enum : long { kNickAssignFromMenus = 2201, kNickSwapByDragging = 2202 };
constexpr const char* kCommandsFile = "commands.ksp3";
constexpr SInt16 kWidth = 412, kHeight = 40;

// The pane file beside the program (the build tree copies it there), else
// where the sources keep it; empty when neither can be read.
std::string ReadPaneFile(const char* name) {
    std::string candidates[2];
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n > 0) {
        std::string dir(self, std::size_t(n));
        candidates[0] = dir.substr(0, dir.find_last_of('/') + 1) + "panes/" + name;
    }
    candidates[1] = std::string(KS_DEMO_PANES_DIR) + "/" + name;
    for (const std::string& path : candidates) {
        if (path.empty()) continue;
        std::ifstream in(path, std::ios::binary);
        if (!in) continue;
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    return {};
}

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

bool OpenCommandWindow() {
    const std::string text = ReadPaneFile(kCommandsFile);
    if (text.empty()) {
        std::fprintf(stderr, "ksdemo: %s not found\n", kCommandsFile);
        return false;
    }
    AWindow* w = AWindow::New(stx("Command buttons"), nullptr, WindowPtr(-1), 1, 0, 0, 0, 0, 0);
    ::MoveWindow(w->GetWindowPtr(), 40, 540, false);
    ::SizeWindow(w->GetWindowPtr(), kWidth, kHeight, false);
    w->Resize(nullptr, nullptr, 0, 0);
    try {
        ReadPaneText(text.data(), long(text.size()), w->GetMainPane(), w);
    } catch (const XError& e) {
        std::fprintf(stderr, "ksdemo: %s: %s\n", kCommandsFile, e.GetText().c_str());
        w->Dispose();
        return false;
    }
    ShowWindow(w->GetWindowPtr());
    return true;
}
