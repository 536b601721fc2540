#include "DemoConsole.h"

#include "ABartender.h"
#include "AWindow.h"
#include "ConsoleIOPane.h"
#include "ConsoleWind.h"
#include "DebugPane.h"
#include "KsCommand.h"
#include "KsOutput.h"
#include "Stx.h"
#include "TavikDebugPane.h"
#include "Windows.h"

#include <cstdio>

namespace {
constexpr SInt16 S = kPaneDontCare;
enum : long { kNickConsole = 2900, kNickDebugSettings = 2901 };

// What the debug settings window shows and sets.
struct DemoSettings {
    unsigned char logCommands = 1;
    unsigned char stopWithCmdPeriod = 1;
    UInt16 consoleCapKB = 256;
    UInt32 linesPrinted = 0;
};
DemoSettings gSettings;
ConsoleWind* gConsole = nullptr; // not owned: the window list owns it
AWindow* gDebugWindow = nullptr; // likewise

bool Live(AWindow* w) {
    return w && KsIsLiveWindow(w);
}

ConsolePane* Console() {
    if (!Live(gConsole)) return nullptr;
    ConsolePane* c = gConsole->GetConsolePane();
    // The settings are polled here rather than on every idle tick.
    c->SetCmdPeriodEnable(gSettings.stopWithCmdPeriod != 0);
    c->SetTextCap(std::size_t(gSettings.consoleCapKB) * 1024);
    return c;
}

// Prints many lines, so that scrolling, the cap and Command-period can be
// tried; Command-period stops it.
void PrintTestLines(unsigned long count) {
    if (!Console()) return;
    for (unsigned long i = 0; i < count; ++i) {
        ConsolePrint("Test line %lu of %lu\tcolumn\tstops\n", i + 1, count);
        ++gSettings.linesPrinted;
    }
}

void DumpWindowsCommand(const KsCommandArgs&) {
    TavikDumpAllWindows();
}

AWindow* OpenConsole() {
    if (Live(gConsole)) {
        SelectWindow(gConsole->GetWindowPtr());
        return gConsole;
    }
    static bool defined = false;
    if (!defined) {
        defined = true;
        AddCommandDef("dumpwindows", "", DumpWindowsCommand, "Dumps every window.");
    }
    gConsole = ConsoleWind::New(true);
    ::MoveWindow(gConsole->GetWindowPtr(), 60, 420, false);
    ::SizeWindow(gConsole->GetWindowPtr(), 620, 260, false);
    gConsole->Resize();
    ShowWindow(gConsole->GetWindowPtr());
    SelectWindow(gConsole->GetWindowPtr());
    ConsolePane::SetActiveConsole(gConsole->GetConsolePane());
    ConsolePrint("Console open. Type 'help' for the commands, 'console help' for logging.\n");
    return gConsole;
}

void OpenDebugSettings() {
    if (Live(gDebugWindow)) {
        SelectWindow(gDebugWindow->GetWindowPtr());
        return;
    }
    gDebugWindow = AWindow::New(stx("Debug Settings"), nullptr, WindowPtr(-1), 1, 0, 1, 0, 0, 0);
    ::MoveWindow(gDebugWindow->GetWindowPtr(), 120, 60, false);
    ::SizeWindow(gDebugWindow->GetWindowPtr(), 560, 400, false);
    gDebugWindow->Resize();
    SetPortWindowPort(gDebugWindow->GetWindowPtr());
    gDebugWindow->CreateMainPane();
    APane* main = gDebugWindow->GetMainPane();
    DebugPane* demo = DebugPane::New(main, 5, S, 300, 18, S, 120, RGBwhite, 1, "Demo Settings");
    demo->AddBoolean("Log menu commands", &gSettings.logCommands);
    demo->AddBoolean("Command-period stops output", &gSettings.stopWithCmdPeriod);
    demo->AddInteger("Console cap (KB):", 2, &gSettings.consoleCapKB, 10, KsBoundSign::kUnsigned);
    demo->AddInteger("Lines printed:", 4, &gSettings.linesPrinted, 10, KsBoundSign::kUnsigned);
    demo->AddPushButton("Print 2000 Test Lines", PrintTestLines, 2000);
    APane* dump = APane::New(main, 0, 0, S, 150, 0, S, RGBgray8, 0);
    CreateTavikDebugPane(dump);
    ShowWindow(gDebugWindow->GetWindowPtr());
    SelectWindow(gDebugWindow->GetWindowPtr());
}
} // namespace

AWindow* OpenDemoConsole() {
    return OpenConsole();
}

void BuildConsoleMenus(MenuHandle view) {
    if (!gBartender || !view) return;
    gBartender->AppendSeparator(view);
    gBartender->AppendMenuItem(view, kNickConsole, stx("Console"), 'K', 0, 0);
    gBartender->AppendMenuItem(view, kNickDebugSettings, stx("Debug Settings"), 0, 0, 0);
}

void UpdateConsoleMenus() {
    if (!gBartender) return;
    gBartender->MacEnableMenuItem(kNickConsole);
    gBartender->MacEnableMenuItem(kNickDebugSettings);
}

bool HandleConsoleMenus(long nick) {
    if (nick == kNickConsole) {
        OpenConsole();
        return true;
    }
    if (nick == kNickDebugSettings) {
        OpenDebugSettings();
        return true;
    }
    return false;
}

void DemoLogCommand(short menuID, long nick) {
    if (!gSettings.logCommands || !Console()) return;
    char item[256] = "";
    if (gBartender) gBartender->GetMenuItem(nick, item, sizeof item);
    // The item's text without its keyboard mnemonic marks.
    char* to = item;
    for (const char* from = item; *from; ++from)
        if (*from != '&') *to++ = *from;
    *to = '\0';
    ConsolePrint("Menu %d: command %ld \"%s\"\n", int(menuID), nick, item);
}
