// ConsolePane: set-up, output, the active console and the scrolling keys.
#include "ConsolePane.h"

#include "AApplication.h"
#include "APushButton.h"
#include "AScrollPane.h"
#include "ATextEntry.h"
#include "AWindow.h"
#include "KsCmdPeriod.h"
#include "KsConsoleLogPrivate.h"
#include "KsConsoleText.h"
#include "KsFatal.h"
#include "KsOutput.h"
#include "KsUIHooks.h"
#include "StPaneWindowPort.h"
#include "Stx.h"
#include "TextEdit.h"
#include "XError.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr SInt16 S = kPaneDontCare;
ConsolePane* gActiveConsole = nullptr; // not owned

// cprintf and dprintf reach the active console through the core's sink.
void ConsoleSink(KsOutputChannel, const char* text, std::size_t length, void*) {
    if (!gActiveConsole) return;
    std::string out;
    int column = 0;
    KsConsoleAppendExpanded(out, std::string_view(text, length), &column);
    gActiveConsole->AppendText(out.data(), out.size());
    gActiveConsole->WriteLog(out.data(), out.size());
}

// Clears a flag when it goes, also when the code it guards raises.
struct StFlag {
    bool& flag;
    explicit StFlag(bool& f) : flag(f) { flag = true; }
    ~StFlag() { flag = false; }
    StFlag(const StFlag&) = delete;
    StFlag& operator=(const StFlag&) = delete;
};
} // namespace

ConsolePane* ConsolePane::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                              SInt16 bot, SInt16 hei, const KsRGBColor& color, SInt32 border) {
    auto* p = new ConsolePane;
    p->IConsolePane(encl, left, right, wid, top, bot, hei, color, border);
    return p;
}

ConsolePane::ConsolePane() = default;
ConsolePane::~ConsolePane() = default;

void ConsolePane::IConsolePane(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                               SInt16 bot, SInt16 hei, const KsRGBColor& color, SInt32 border) {
    IPane(encl, left, right, wid, top, bot, hei, color, border);
    iCmdPeriodCheck = false;
    iLogCreator = FourCharCode("ttxt");
    iScrollPane =
        AScrollPane::New(this, 0, 0, S, 0, 0, S, RGBwhite, 0, true, true, false, RGBgray11);
    iScrollPane->SetPaneID("ConsoleScroll");
    iScape = ATextEntry::New(iScrollPane, 0, S, 100, 0, S, 100, nullptr, false);
    iScape->SetPaneID("TextDisplay");
    iScape->SetBorderStyle(0);
    iScape->SetCrCloses(false);
    iScape->SetReadOnly(true);
    iScape->SetFontSizeFace(3, 9, normal);
    iScape->SetMinDestWid(500);
    iScrollPane->InstallPane(iScape);
    AddMiniPanes(AScrollPane::kBarWidth);
    RegisterCommandOnce();
}

void ConsolePane::Dispose() {
    // Nothing may print into a console that is going, and its log is complete.
    if (gActiveConsole == this) SetActiveConsole(nullptr);
    CloseLogFile();
    iScape = nullptr;
    iScrollPane = nullptr;
    iMenuButton = iClearButton = nullptr;
    APane::Dispose();
}

ATextEntry* ConsolePane::GetTextDispPane() const {
    FtlAssert(this->iScape != nullptr);
    return iScape;
}

void ConsolePane::SetInputProc(void (*)(char*)) {
    // An output console has no command line.
    FtlAssert(false);
}

void ConsolePane::SetFontSizeFace(SInt16 font, SInt16 size, SInt16 face) {
    APane::SetFontSizeFace(font, size, face);
    if (iScape) iScape->SetFontSizeFace(font, size, face);
}

// ---------------------------------------------------------------------------
// The active console

ConsolePane* ConsolePane::GetActiveConsole() {
    return gActiveConsole;
}

ConsolePane* ConsolePane::SetActiveConsole(ConsolePane* pane) {
    ConsolePane* old = gActiveConsole;
    if (pane == old) return old;
    if (old && old->iScape) {
        old->iScape->SetBkndColor(RGBgray11);
        old->iScape->InvalInterior();
    }
    if (pane && pane->iScape) {
        pane->iScape->SetBkndColor(RGBwhite);
        pane->iScape->InvalInterior();
    }
    gActiveConsole = pane;
    KsSetConsoleSink(pane ? KsOutputSinkSlot{ConsoleSink, nullptr} : KsOutputSinkSlot{});
    return old;
}

int ConsolePane::ConsolePrintf(const char* fmt, va_list args) {
    return gActiveConsole ? gActiveConsole->Vprintf(fmt, args) : 0;
}

int consolePrintf(const char* fmt, va_list args) {
    return ConsolePane::ConsolePrintf(fmt, args);
}

int ConsolePrint(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    const int n = ConsolePane::ConsolePrintf(fmt, args);
    va_end(args);
    return n;
}

// ---------------------------------------------------------------------------
// Output

int ConsolePane::Vprintf(const char* fmt, va_list args) {
    FtlAssert(fmt != nullptr);
    if (!GetEnclWindow() || !iScape) return 0;
    if (PrintfLogger* log = KsConsoleLogger()) {
        va_list copy;
        va_copy(copy, args);
        log->Vprintf(fmt, copy);
        va_end(copy);
    }
    if (iInVprintf) {
        // Printed from inside the abort question (or the output it causes):
        // own buffers, and no second question.
        std::string out, scratch;
        int column = iColumn;
        const int n = KsConsoleFormat(out, scratch, fmt, args, &column);
        AppendText(out.data(), out.size());
        WriteLog(out.data(), out.size());
        return n;
    }
    StFlag inside(iInVprintf);
    iOut.clear();
    int column = iColumn;
    const int n = KsConsoleFormat(iOut, iScratch, fmt, args, &column);
    AppendText(iOut.data(), iOut.size());
    WriteLog(iOut.data(), iOut.size());
    if (iCmdPeriodCheck && CheckForEvent(TestCmdPeriod, false)) {
        const short answer = UIdialog(stx("Abort this operation?"), stx("Abort|Continue"), 1, 0);
        if (answer == 1) xraisexerror("BASE_USER_ABORT");
    }
    return n;
}

void ConsolePane::AppendText(const char* text, std::size_t length) {
    if (!iScape || !text || length == 0) return;
    TEHandle te = iScape->GetTE();
    if (!te) return;
    if (length > iTextCap) {
        // Only the newest part of one huge print fits.
        text += length - iTextCap;
        length = iTextCap;
    }
    const SInt32 had = TEGetTextLength(te);
    const std::size_t cut =
        KsConsoleTrimPoint(std::string_view(KsTETextPtr(te), std::size_t(had)), length, iTextCap);
    // The record changes quietly; the display is drawn below, at most every
    // few ticks, so that heavy output does not redraw it line by line.
    if (cut > 0) KsTEReplaceQuietly(0, SInt32(cut), nullptr, 0, te);
    const SInt32 end = TEGetTextLength(te);
    KsTEReplaceQuietly(end, end, text, SInt32(length), te);
    // The column of the new end: from its last line end, or further along.
    const char* cr = static_cast<const char*>(memrchr(text, '\r', length));
    iColumn = cr ? int(text + length - cr - 1) : iColumn + int(length);
    {
        // The bars follow when the display is drawn, not on every line.
        const AScrollableProc limits = iScape->GetLimitsChangedProc();
        iScape->SetLimitsChangedProc(nullptr);
        iScape->AdjustDestRect();
        SInt32 pos = 0, min = 0, max = 0;
        iScape->GetYinfo(&pos, &min, &max);
        iScape->SetYpos(std::max<SInt32>(0, max - iScape->GetInterior().Height()));
        iScape->SetLimitsChangedProc(limits);
    }
    const UInt32 now = UInt32(TickCount());
    if (now - iLastDrawTicks >= kDrawEveryTicks) {
        iLastDrawTicks = now;
        if (iScrollPane) iScrollPane->AdjustScrollBars();
        DrawTextNow();
    } else {
        // With an event loop the bars are put right once at the end of the
        // event; without one, at the next drawing.
        if (iScrollPane && gApplication) iScrollPane->DirtyScrollBars();
        iScape->InvalInterior();
    }
}

void ConsolePane::DrawTextNow() {
    StPaneWindowPort port(iScape);
    if (!port.ok()) return;
    const KsRect vis = iScape->GetVisInterior();
    if (!vis.IsEmpty()) iScape->Draw(&vis, nullptr);
}

std::string ConsolePane::GetConsoleText() const {
    if (!iScape || !iScape->GetTE()) return {};
    TEHandle te = iScape->GetTE();
    return std::string(KsTETextPtr(te), std::size_t(TEGetTextLength(te)));
}

void ConsolePane::SetTextCap(std::size_t bytes) {
    iTextCap = std::max<std::size_t>(bytes, 1024);
}

void ConsolePane::ClearConsole() {
    if (!iScape) return;
    iScape->SetCstr("");
    iColumn = 0;
    iScape->InvalInterior();
}

// ---------------------------------------------------------------------------
// Keys

SInt16 ConsolePane::GetLineHeight() const {
    TEHandle te = iScape ? iScape->GetTE() : nullptr;
    const SInt32 h = te ? (*te)->lineHeight : 0;
    return SInt16(std::clamp<SInt32>(h, 1, 0x7FFF));
}

SInt16 ConsolePane::LinesPerPane() const {
    const SInt32 h = (iScape ? iScape->GetInterior() : GetInterior()).Height();
    const SInt32 line = GetLineHeight();
    return SInt16(std::clamp<SInt32>((std::max<SInt32>(h, 0) + line - 1) / line, 1, 0x7FFF));
}

bool ConsolePane::DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) {
    if (!iScape || !iScrollPane) return APane::DoKeyDown(charCode, keyCode, event, data);
    SInt32 pos = 0, min = 0, max = 0;
    iScape->GetYinfo(&pos, &min, &max);
    const SInt32 page = SInt32(LinesPerPane()) * GetLineHeight();
    SInt32 to = pos;
    switch (keyCode) {
    case AScrollPane::kKeyPageUp:
        to = pos - page;
        break;
    case AScrollPane::kKeyPageDown:
        to = pos + page;
        break;
    case AScrollPane::kKeyHome:
        to = 0;
        break;
    case AScrollPane::kKeyEnd:
        to = std::max<SInt32>(0, max - (LinesPerPane() - 1) * GetLineHeight());
        break;
    default:
        return false;
    }
    const SInt32 limit = std::max<SInt32>(0, max - iScape->GetInterior().Height());
    to = std::clamp<SInt32>(to, 0, limit);
    if (to != pos) iScrollPane->ScrollMainPane(0, to - pos);
    return true;
}

void ConsolePane::Activate() {
    APane::Activate();
}
