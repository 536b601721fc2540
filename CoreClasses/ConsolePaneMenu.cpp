// ConsolePane: the menu button and its commands, printing, persistence.
#include "ConsolePane.h"

#include "AApplication.h"
#include "ABartender.h"
#include "AFileDialog.h"
#include "AFileLocator.h"
#include "APushButton.h"
#include "AScrollPane.h"
#include "AStream.h"
#include "ATextEntry.h"
#include "AWindow.h"
#include "KsFatal.h"
#include "PaneStream.h"
#include "Printing.h"
#include "QuickDraw.h"
#include "Stx.h"
#include "TextEdit.h"
#include "XError.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {
constexpr SInt16 S = kPaneDontCare;

APortable* MakeConsolePane() {
    return new ConsolePane;
}

// Finds the console a menu button or other part belongs to.
ConsolePane* ConsoleOf(APane* part) {
    for (APane* p = part; p; p = p->GetEnclPane())
        if (p->IsInstanceOf("ConsolePane")) return static_cast<ConsolePane*>(p);
    return nullptr;
}

// Finds the scroll pane and text display among a pane read back.
void FindParts(APane* pane, AScrollPane** scroll, ATextEntry** scape) {
    *scroll = nullptr;
    *scape = nullptr;
    for (SInt32 i = 1; i <= pane->GetNumSubPanes(); ++i) {
        APane* sub = pane->GetSubPane(i);
        if (!sub || !sub->IsInstanceOf("AScrollPane")) continue;
        *scroll = static_cast<AScrollPane*>(sub);
        AScrollablePane* main = (*scroll)->GetMainPane();
        if (main && main->IsInstanceOf("ATextEntry")) *scape = static_cast<ATextEntry*>(main);
        return;
    }
}

const bool kRegistered = (ConsolePane::PCRegister(), true);
} // namespace

// ---------------------------------------------------------------------------
// The buttons and the menu

void ConsolePane::AddMiniPanes(SInt16 height) {
    if (!iScrollPane) return;
    const SInt16 h = std::max<SInt16>(height, 12);
    iMenuButton = APushButton::New(nullptr, 0, S, 22, 0, S, h, MenuClick, 0, 0);
    iMenuButton->SetPaneID("BurgerMenu");
    iMenuButton->SetText("=");
    iMenuButton->MakePopupMenu("Console");
    iScrollPane->AddMiniPane(iMenuButton, true);
    iClearButton = APushButton::New(nullptr, 0, S, 40, 0, S, h, ClearClick, 0, 0);
    iClearButton->SetPaneID("Clear");
    iClearButton->SetText(stx("Clear"));
    iScrollPane->AddMiniPane(iClearButton, true);
    BuildCONMenu();
}

void ConsolePane::BuildCONMenu() {
    if (!iMenuButton) return;
    iMenuButton->DisposePopupMenu();
    iMenuButton->MakePopupMenu("Console");
    iMenuCount = 0;
    const std::pair<SInt32, const char*> items[] = {
        {kNickConOpenLog, "Open Log File"}, {kNickConCloseLog, "Close Log File"},
        {kNickConSave, "Save Text"},        {kNickConPrint, "Print Console"},
        {kNickConClear, "Clear Console"},   {kNickConSetFont, "Set Font"}};
    for (const auto& [nick, text] : items) {
        iMenuButton->AppendPopupMenuItem(stx(text), 0, 0);
        iMenuNicks[iMenuCount++] = nick;
    }
}

void ConsolePane::MenuClick(AGadget* gad, void*, SInt16, SInt32 value) {
    ConsolePane* c = ConsoleOf(gad);
    if (!c) return;
    SInt32 nick = value;
    if (value >= 1 && value <= c->iMenuCount) nick = c->iMenuNicks[value - 1];
    if (nick > 0) c->DoMenuSelect(0, nick, nullptr);
}

void ConsolePane::ClearClick(AGadget* gad, void*, SInt16, SInt32) {
    if (ConsolePane* c = ConsoleOf(gad)) c->ClearConsole();
}

bool ConsolePane::DoMenuSelect(SInt32 menu, SInt32 item, void* data) {
    AWindow* w = GetEnclWindow();
    if (!w || !w->IsActiveWindow()) return APane::DoMenuSelect(menu, item, data);
    if (item == kNickPrint) return DoConsoleCommand(kNickConPrint);
    if (item == kNickClose && iLogFile) return DoConsoleCommand(kNickConCloseLog);
    if (item >= kNickConSetFont && item <= kNickConOpenLog) return DoConsoleCommand(item);
    return APane::DoMenuSelect(menu, item, data);
}

bool ConsolePane::DoConsoleCommand(SInt32 nick) {
    AFileLocator file;
    switch (nick) {
    case kNickConSetFont:
        return true;
    case kNickConClear:
        ClearConsole();
        return true;
    case kNickConPrint:
        Print();
        return true;
    case kNickConSave:
        if (KsPutFileDlog(stx("Save Console Text in:"), nullptr, "console", &file))
            SaveTextToPath(file.GetPath().c_str());
        return true;
    case kNickConOpenLog:
        if (KsPutFileDlog(stx("Log Console Output to:"), nullptr, "console", &file))
            OpenLogFile(nullptr, &file, false);
        return true;
    case kNickConCloseLog:
        CloseLogFile();
        return true;
    default:
        return false;
    }
}

void ConsolePane::UpdateSharedMenus() {
    if (!gBartender) return;
    gBartender->MacEnableMenuItem(kNickPageSetup);
    gBartender->EnableAndSetMenuItem(kNickPrint, stx("Print Console..."));
    if (iLogFile) gBartender->MacEnableMenuItem(kNickClose);
}

void ConsolePane::UpdateMenus(void* data, EventRecord* event) {
    APane::UpdateMenus(data, event);
    AWindow* w = GetEnclWindow();
    if (!w || !w->IsActiveWindow()) return;
    UpdateSharedMenus();
    if (!iMenuButton) return;
    // The pop-up's items by their place in the menu.
    for (int i = 0; i < iMenuCount; ++i) {
        const SInt32 n = iMenuNicks[i] - (MenuNick(kNickConSetFont) - kNickConSetFont);
        bool on = true;
        if (n == kNickConCloseLog) on = iLogFile != nullptr;
        if (n == kNickConOpenLog) on = iLogFile == nullptr;
        iMenuButton->EnablePopupMenuItem(SInt16(i + 1), on);
    }
}

// ---------------------------------------------------------------------------
// Printing

void ConsolePane::PrintHeader(SInt16 page, SInt16 pages) {
    const std::string text = stxFormat("Console - page %d of %d", int(page), int(pages));
    TextFont(1);
    TextSize(12);
    MoveTo(0, 15);
    DrawText(text.data(), 0, SInt16(std::min<std::size_t>(text.size(), 0x7FFF)));
}

void ConsolePane::Print() {
    if (!iScape || !iScape->GetTE()) return;
    if (PrintInit(stx("Console")) != noErr) {
        PrintFini(KsPrintEnd::kDiscard);
        return;
    }
    try {
        const std::string text = GetConsoleText();
        // Line starts in the text; a final line end starts no further line.
        std::vector<std::size_t> starts{0};
        for (std::size_t i = 0; i < text.size(); ++i)
            if ((text[i] == '\r' || text[i] == '\n') && i + 1 < text.size())
                starts.push_back(i + 1);
        const SInt32 line = GetLineHeight();
        const Rect page = GetPrintPageRect();
        const SInt32 usable = page.bottom - page.top - GetHdrHeight() - GetFtrHeight();
        const SInt32 perPage = std::max<SInt32>(1, usable / line);
        const SInt32 lines = SInt32(starts.size());
        const SInt32 pages = std::max<SInt32>(1, (lines + perPage - 1) / perPage);
        SInt16 font = 3, size = 9, face = 0;
        iScape->GetFontSizeFace(&font, &size, &face);
        for (SInt32 p = 1; p <= pages; ++p) {
            StartPrintPage();
            PrintHeader(SInt16(p), SInt16(std::min<SInt32>(pages, 0x7FFF)));
            TextFont(font);
            TextSize(size);
            for (SInt32 i = 0; i < perPage; ++i) {
                const SInt32 k = (p - 1) * perPage + i;
                if (k >= lines) break;
                const std::size_t from = starts[std::size_t(k)];
                std::size_t to = text.find_first_of("\r\n", from);
                if (to == std::string::npos) to = text.size();
                MoveTo(0, SInt16(std::min<SInt32>(GetHdrHeight() + line * (i + 1), 0x7FFF)));
                DrawText(text.data() + from, 0, SInt16(std::min<std::size_t>(to - from, 0x7FFF)));
            }
            PrintFooter(SInt16(p), SInt16(pages));
            EndPrintPage();
        }
    } catch (...) {
        // The job ends whatever happened; the failure goes on to be shown.
        PrintFini(KsPrintEnd::kDiscard);
        throw;
    }
    PrintFini(KsPrintEnd::kComplete);
}

// ---------------------------------------------------------------------------
// Persistence

void ConsolePane::PCRegister() {
    PClassAdd(kClassID, kClassInfo.name, MakeConsolePane);
    PaneTextClass row;
    row.name = "ConsolePane";
    row.make = [] { return static_cast<APane*>(new ConsolePane); };
    if (const PaneTextClass* pane = PaneTextFindClass("APane")) {
        row.addProps = pane->addProps;
        row.getProps = pane->getProps;
    }
    row.subs = PaneTextSubs::subs;
    row.afterRead = [](APane* p) {
        auto* c = static_cast<ConsolePane*>(p);
        FindParts(c, &c->iScrollPane, &c->iScape);
    };
    PaneTextRegisterClass(row);
}

void ConsolePane::Put(AStream& s) {
    (void)kRegistered;
    APane::Put(s);
    s.PutClassMark(kClassID, kVersion);
    s.PutObjectRef("iScape", iScape);
    s.PutObjectRef("iScrollPane", iScrollPane);
}

void ConsolePane::Get(AStream& s) {
    APane::Get(s);
    s.GetClassMark(kClassID, 1, kVersion);
    APortable* scape = s.GetObjectRef("iScape");
    APortable* scroll = s.GetObjectRef("iScrollPane");
    // References come from outside data: only this pane's own parts count.
    AScrollPane* ownScroll = nullptr;
    ATextEntry* ownScape = nullptr;
    FindParts(this, &ownScroll, &ownScape);
    iScrollPane = scroll == ownScroll ? ownScroll : nullptr;
    iScape = scape == ownScape && iScrollPane ? ownScape : nullptr;
}
