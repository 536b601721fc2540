// ConsolePane: a scrolling, read-only text into which the application prints
// diagnostic and status text with printf-style calls, optionally mirrored to
// a log file, savable and printable.
//
// One console at a time is the active console; ConsolePrintf, consolePrintf
// and the core's cprintf print into it. The text is kept under a size cap:
// when output would pass it, whole lines go from the front, a quarter of the
// cap or more at once, so a program that prints without end keeps flat
// memory and the cost of a line does not grow with the text.
//
// The core command "console" (defined with the first console) switches a
// process-wide copy of all console output to the file CONSOLE.LOG.
//
// Ownership: the pane owns its sub-panes (text display, scroll pane,
// buttons) and its log file. The active console is only pointed at; a pane
// that goes stops being the active console.
//
// Bodies by concern: ConsolePane.cpp (set-up, output, active console, keys),
// ConsolePaneFiles.cpp (log file, saving, the "console" command and
// CONSOLE.LOG), ConsolePaneMenu.cpp (menu, printing, persistence).
#pragma once

#include "APane.h"

#include <cstdarg>
#include <cstdio>
#include <memory>
#include <string>

class AFileLocator;
class AGadget;
class APushButton;
class AScrollPane;
class ATextEntry;

// Nick numbers of the output console's menu; the input console's are these
// plus kConsoleIONickOffset.
enum : SInt32 {
    kNickConSetFont = 26001,
    kNickConClear = 26002,
    kNickConPrint = 26003,
    kNickConSave = 26004,
    kNickConCloseLog = 26005,
    kNickConOpenLog = 26006,
    kConsoleIONickOffset = 10,
    kNickConLogInput = 26017,
    kNickConEcho = 26018,
    kNickConRecall = 26019,
    kNickConRepeat = 26020,
};
// The menu ID the command box's buttons send their nicks with.
constexpr SInt16 kConsoleMenuID = 260;

class ConsolePane : public APane {
    KS_DECLARE_CLASS(ConsolePane, APane)

    static constexpr OSType kClassID = FourCharCode("Cnsl");
    static constexpr SInt16 kVersion = 1;
    // The text is kept under this many bytes.
    static constexpr std::size_t kDefaultTextCap = 256 * 1024;

    static ConsolePane* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                            SInt16 bot, SInt16 hei, const KsRGBColor& color, SInt32 border);
    static void PCRegister();

    // Prints into the active console; 0 when there is none.
    static int ConsolePrintf(const char* fmt, va_list args) __attribute__((format(printf, 1, 0)));
    static ConsolePane* GetActiveConsole();
    // Answers the previous one. The active console's text is white, others grey.
    static ConsolePane* SetActiveConsole(ConsolePane* pane);

    ConsolePane();
    ~ConsolePane() override;

    // --- Pane slots -----------------------------------------------------------
    void Dispose() override;
    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    void Put(AStream& stream) override;
    void Get(AStream& stream) override;
    bool DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) override;
    bool DoMenuSelect(SInt32 menu, SInt32 item, void* data) override;
    void UpdateMenus(void* data, EventRecord* event) override;
    void Activate() override;
    void SetFontSizeFace(SInt16 font, SInt16 size, SInt16 face) override;

    // --- Slots ConsolePane introduces -----------------------------------------
    virtual void IConsolePane(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                              SInt16 bot, SInt16 hei, const KsRGBColor& color, SInt32 border);
    // Formats and appends (see the file comment); answers the number of
    // characters formatted, 0 while the pane has no window or display.
    // Raises "BASE_USER_ABORT" when the user stops output with Command-period.
    virtual int Vprintf(const char* fmt, va_list args) __attribute__((format(printf, 2, 0)));
    // Opens (truncating unless append) the file and writes header, if any,
    // with CR LF line ends. Raises "CON_LOG_OPEN" when it cannot be opened.
    virtual void OpenLogFile(const char* header, const AFileLocator* file, bool append);
    virtual void CloseLogFile();
    // Writes text (the console's whole text when null) to the file with
    // CR LF line ends. Raises "CON_SAVE_FAILED".
    virtual void SaveInFile(const char* text, const AFileLocator* file);
    virtual void Print();
    virtual SInt16 GetHdrHeight() const { return 20; }
    virtual SInt16 GetFtrHeight() const { return 0; }
    virtual void PrintHeader(SInt16 page, SInt16 pages);
    virtual void PrintFooter(SInt16, SInt16) {}
    // Never below 1.
    virtual SInt16 GetLineHeight() const;
    virtual SInt16 LinesPerPane() const;
    // An output console takes no input: calling this is a programming error.
    virtual void SetInputProc(void (*proc)(char*));
    virtual void AddMiniPanes(SInt16 height);
    virtual void BuildCONMenu();
    virtual void ClearConsole();

    // --- Not virtual ------------------------------------------------------------
    void SetCmdPeriodEnable(bool on) { iCmdPeriodCheck = on; }
    bool GetCmdPeriodEnable() const { return iCmdPeriodCheck; }
    void SetLogFileCreator(UInt32 creator) { iLogCreator = creator; }
    ATextEntry* GetTextDispPane() const;
    AScrollPane* GetScrollPane() const { return iScrollPane; }
    bool HasLogFile() const { return iLogFile != nullptr; }
    // The whole text, lines ended by CR.
    std::string GetConsoleText() const;
    // Appends text that is already in console form (CR line ends, no tabs),
    // trimming the front to the cap and scrolling to the end.
    void AppendText(const char* text, std::size_t length);
    // Sets the cap (at least 1024 bytes); for hosts and tests.
    void SetTextCap(std::size_t bytes);
    std::size_t GetTextCap() const { return iTextCap; }
    // Writes the console's text to a file named by path (CR LF line ends).
    // Raises "CON_SAVE_FAILED" ("str path").
    void SaveTextToPath(const char* path) const;
    // Writes text in console form to the open log file, line ends as CR LF.
    void WriteLog(const char* text, std::size_t length);

protected:
    // The menu item's nick for an output console's nick (the input console
    // shifts them).
    virtual SInt32 MenuNick(SInt32 outputNick) const { return outputNick; }
    // The commands both consoles share, by output console nick.
    bool DoConsoleCommand(SInt32 outputNick);
    void UpdateSharedMenus();
    static void ClearClick(AGadget* gad, void* refCon, SInt16 menuID, SInt32 value);
    static void MenuClick(AGadget* gad, void* refCon, SInt16 menuID, SInt32 value);

    // Fields in their declared order.
    ATextEntry* iScape = nullptr;       // owned (a sub-pane of iScrollPane)
    AScrollPane* iScrollPane = nullptr; // owned (a sub-pane)
    APushButton* iMenuButton = nullptr; // owned (a mini pane)
    APushButton* iClearButton = nullptr;
    std::FILE* iLogFile = nullptr; // owned
    bool iCmdPeriodCheck = false;
    UInt32 iLogCreator = FourCharCode("ttxt");

    // Output state: the column of the text's end, the cap, reused buffers
    // (their capacity is kept), the nicks of the menu's items in order, and
    // the re-entry guard of Vprintf.
    int iColumn = 0;
    std::size_t iTextCap = kDefaultTextCap;
    std::string iOut;
    std::string iScratch;
    SInt32 iMenuNicks[16] = {};
    int iMenuCount = 0;
    bool iInVprintf = false;
    // Output draws the display at most this often; between, it invalidates.
    static constexpr UInt32 kDrawEveryTicks = 2;
    UInt32 iLastDrawTicks = 0;

private:
    void RegisterCommandOnce();
    void DrawTextNow();
};

int consolePrintf(const char* fmt, va_list args) __attribute__((format(printf, 1, 0)));
// The same with its own arguments.
int ConsolePrint(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// CONSOLE.LOG: whether console output is copied to it now. The "console"
// command switches it; hosts and tests may too.
bool KsConsoleLogging();
void KsSetConsoleLogging(bool on);
// The copy's path while logging (empty otherwise).
std::string KsConsoleLogPath();
