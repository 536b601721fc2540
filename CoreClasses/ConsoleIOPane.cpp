#include "ConsoleIOPane.h"

#include "ABartender.h"
#include "APushButton.h"
#include "AScrollPane.h"
#include "AWindow.h"
#include "KsCommand.h"
#include "KsConsoleText.h"
#include "KsFatal.h"
#include "KsOutput.h"
#include "Menus.h"
#include "Stx.h"
#include "XError.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr SInt16 S = kPaneDontCare;
constexpr SInt16 kBoxHeight = 20;
constexpr SInt16 kButtonWidth = 30;

void SendNick(AGadget* gad, SInt32 nick) {
    if (AWindow* w = gad ? gad->GetEnclWindow() : nullptr)
        w->SendMsg(wmMenuSelect, nullptr, kConsoleMenuID, nick);
}
} // namespace

// ---------------------------------------------------------------------------
// The entry box

ConsoleTextEntry* ConsoleTextEntry::New(ConsoleIOPane* console, SInt16 left, SInt16 right,
                                        SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei) {
    auto* e = new ConsoleTextEntry;
    e->ITextEntry(console, left, right, wid, top, bot, hei, nullptr, false);
    e->iConsole = console;
    return e;
}

bool ConsoleTextEntry::DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) {
    if (iConsole && (keyCode == ConsoleIOPane::kKeyRecall || keyCode == ConsoleIOPane::kKeyRepeat ||
                     charCode == 0x0D))
        return iConsole->DoKeyDown(charCode, keyCode, event, data);
    return ATextEntry::DoKeyDown(charCode, keyCode, event, data);
}

// ---------------------------------------------------------------------------
// Set-up

ConsoleIOPane* ConsoleIOPane::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                                  SInt16 bot, SInt16 hei, const KsRGBColor& color, SInt32 border) {
    auto* p = new ConsoleIOPane;
    p->IConsoleIOPane(encl, left, right, wid, top, bot, hei, color, border);
    return p;
}

void ConsoleIOPane::IConsoleIOPane(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                                   SInt16 bot, SInt16 hei, const KsRGBColor& color, SInt32 border) {
    IConsolePane(encl, left, right, wid, top, bot, hei, color, border);
    // The text above, the command line along the bottom.
    if (iScrollPane) iScrollPane->Place(0, 0, S, 0, -(kBoxHeight + 2), S);
    theEntryTE = ConsoleTextEntry::New(this, 0, -(2 * kButtonWidth + 2), S, S, 0, kBoxHeight);
    theEntryTE->SetPaneID("TextEntry");
    theEntryTE->SetHelpText(stx("Command Entry Box"));
    theEntryTE->SetCrCloses(false);
    theEntryTE->SetFontSizeFace(3, 9, normal);
    iRecallButton = APushButton::New(this, S, -kButtonWidth - 1, kButtonWidth, S, 0, kBoxHeight,
                                     RecallClick, 0, 0);
    iRecallButton->SetPaneID("Recall");
    iRecallButton->SetText("F3");
    iRepeatButton = APushButton::New(this, S, 0, kButtonWidth, S, 0, kBoxHeight, F2click, 0, 0);
    iRepeatButton->SetPaneID("Repeat");
    iRepeatButton->SetText("F2");
    iEchoInput = true;
    iLogInput = false;
    iInputProc = nullptr;
    iLastCommand[0] = '\0';
}

void ConsoleIOPane::Dispose() {
    theEntryTE = nullptr;
    iRecallButton = iRepeatButton = nullptr;
    ConsolePane::Dispose();
}

void ConsoleIOPane::AddMiniPanes(SInt16 height) {
    ConsolePane::AddMiniPanes(height);
    BuildCONIOMenu();
}

void ConsoleIOPane::BuildCONIOMenu() {
    if (!iMenuButton) return;
    iMenuButton->DisposePopupMenu();
    iMenuButton->MakePopupMenu("Console");
    iMenuCount = 0;
    const std::pair<SInt32, const char*> items[] = {
        {kNickConOpenLog + kConsoleIONickOffset, "Open Log File"},
        {kNickConCloseLog + kConsoleIONickOffset, "Close Log File"},
        {kNickConSave + kConsoleIONickOffset, "Save Console Text"},
        {kNickConPrint + kConsoleIONickOffset, "Print Console"},
        {kNickConClear + kConsoleIONickOffset, "Clear Console"},
        {kNickConSetFont + kConsoleIONickOffset, "Set Font"},
        {0, nullptr},
        {kNickConRecall, "Recall Last Command"},
        {kNickConRepeat, "Repeat Last Command"},
        {0, nullptr},
        {kNickConEcho, "Echo Input to Console"},
        {kNickConLogInput, "Log Console Input"}};
    for (const auto& [nick, text] : items) {
        if (text)
            iMenuButton->AppendPopupMenuItem(stx(text), 0, 0);
        else
            iMenuButton->AppendPopupMenuDivider();
        iMenuNicks[iMenuCount++] = nick;
    }
}

void ConsoleIOPane::SetFontSizeFace(SInt16 font, SInt16 size, SInt16 face) {
    ConsolePane::SetFontSizeFace(font, size, face);
    if (theEntryTE) theEntryTE->SetFontSizeFace(font, size, face);
}

void ConsoleIOPane::SetInputProc(void (*proc)(char*)) {
    iInputProc = proc;
}

void (*ConsoleIOPane::SwapInputProc(void (*proc)(char*)))(char*) {
    void (*old)(char*) = iInputProc;
    iInputProc = proc;
    return old;
}

// ---------------------------------------------------------------------------
// Commands

bool ConsoleIOPane::DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) {
    FtlAssert(this->theEntryTE != nullptr);
    if (keyCode == kKeyRecall) {
        RecallLastCommand(false);
        return true;
    }
    if (keyCode == kKeyRepeat) {
        RecallLastCommand(true);
        return true;
    }
    if (charCode == 0x0D) {
        DoCommand();
        return true;
    }
    return ConsolePane::DoKeyDown(charCode, keyCode, event, data);
}

void ConsoleIOPane::RecallLastCommand(bool execute) {
    if (!theEntryTE) return;
    theEntryTE->SetCstr(iLastCommand);
    theEntryTE->SetSelect(ATextEntry::kTextEnd, ATextEntry::kTextEnd);
    if (execute) DoCommand();
}

void ConsoleIOPane::DoCommand() {
    FtlAssert(this->theEntryTE != nullptr);
    char command[kMaxCommand + 1] = {};
    theEntryTE->GetCstr(command, sizeof command);
    theEntryTE->SetCstr("");
    if (iEchoInput) {
        FtlAssert(this->iScape != nullptr);
        std::string echo;
        int column = 0;
        KsConsoleAppendExpanded(echo, command, &column);
        echo += '\r';
        AppendText(echo.data(), echo.size());
    }
    if (iLogInput && HasLogFile()) {
        const std::string line = std::string(command) + '\r';
        WriteLog(line.data(), line.size());
    }
    // Kept first, so that a command that fails can be recalled and mended.
    std::memcpy(iLastCommand, command, sizeof iLastCommand);
    try {
        DoText(command);
    } catch (const XError& e) {
        if (!e.FindCode("BASE_USER_ABORT")) throw;
    }
}

void ConsoleIOPane::DoText(char* command) {
    if (iInputProc)
        iInputProc(command);
    else
        RunCoreCommand(command);
}

void ConsoleIOPane::RunCoreCommand(char* command) {
    if (!command) return;
    try {
        KsDoCommand(command);
    } catch (const XError& e) {
        if (e.FindCode("BASE_USER_ABORT")) throw;
        cprintf("%s\n", e.GetCode());
    }
}

void ConsoleIOPane::RecallClick(AGadget* gad, void*, SInt16, SInt32) {
    SendNick(gad, kNickConRecall);
}

void ConsoleIOPane::F2click(AGadget* gad, void*, SInt16, SInt32) {
    SendNick(gad, kNickConRepeat);
}

// ---------------------------------------------------------------------------
// Menus

bool ConsoleIOPane::DoMenuSelect(SInt32 menu, SInt32 item, void* data) {
    AWindow* w = GetEnclWindow();
    if (!w || !w->IsActiveWindow()) return APane::DoMenuSelect(menu, item, data);
    switch (item) {
    case kNickConLogInput:
        iLogInput = !iLogInput;
        return true;
    case kNickConEcho:
        iEchoInput = !iEchoInput;
        return true;
    case kNickConRecall:
        RecallLastCommand(false);
        return true;
    case kNickConRepeat:
        RecallLastCommand(true);
        return true;
    default:
        break;
    }
    if (item >= kNickConSetFont + kConsoleIONickOffset &&
        item <= kNickConOpenLog + kConsoleIONickOffset)
        return DoConsoleCommand(item - kConsoleIONickOffset);
    return ConsolePane::DoMenuSelect(menu, item, data);
}

void ConsoleIOPane::UpdateMenus(void* data, EventRecord* event) {
    APane::UpdateMenus(data, event);
    AWindow* w = GetEnclWindow();
    if (!w || !w->IsActiveWindow()) return;
    UpdateSharedMenus();
    if (!iMenuButton) return;
    for (int i = 0; i < iMenuCount; ++i) {
        const SInt32 n = iMenuNicks[i];
        if (n == 0) continue;
        bool on = true;
        if (n == kNickConCloseLog + kConsoleIONickOffset || n == kNickConLogInput)
            on = HasLogFile();
        if (n == kNickConOpenLog + kConsoleIONickOffset) on = !HasLogFile();
        iMenuButton->EnablePopupMenuItem(SInt16(i + 1), on);
    }
    if (MenuHandle m = iMenuButton->GetMenuHandleOnly()) {
        for (int i = 0; i < iMenuCount; ++i) {
            if (iMenuNicks[i] == kNickConEcho) CheckItem(m, MenuItemIndex(i + 1), iEchoInput);
            if (iMenuNicks[i] == kNickConLogInput) CheckItem(m, MenuItemIndex(i + 1), iLogInput);
        }
    }
}
