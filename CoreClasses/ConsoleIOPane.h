// ConsoleIOPane: a console with a command line under its text.
//
// A command typed into the entry box ("TextEntry") goes, on Return, to the
// input procedure; without one the core's command interpreter runs it. F3
// (and the Recall button) brings the last command back into the box; F2 (and
// Repeat) runs it again. Commands may be echoed into the console and written
// to its log file.
#pragma once

#include "ATextEntry.h"
#include "ConsolePane.h"

class ConsoleIOPane;

// The command entry box: its keys go to its console first.
class ConsoleTextEntry : public ATextEntry {
    KS_DECLARE_CLASS(ConsoleTextEntry, ATextEntry)

    static ConsoleTextEntry* New(ConsoleIOPane* console, SInt16 left, SInt16 right, SInt16 wid,
                                 SInt16 top, SInt16 bot, SInt16 hei);

    bool DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) override;

    ConsoleIOPane* iConsole = nullptr; // not owned: the enclosure
};

class ConsoleIOPane : public ConsolePane {
    KS_DECLARE_CLASS(ConsoleIOPane, ConsolePane)

    // A command is at most this many characters.
    static constexpr int kMaxCommand = 256;
    // Virtual key codes of F3 (recall) and F2 (repeat).
    static constexpr SInt16 kKeyRecall = 0x63;
    static constexpr SInt16 kKeyRepeat = 0x78;

    static ConsoleIOPane* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                              SInt16 bot, SInt16 hei, const KsRGBColor& color, SInt32 border);

    ConsoleIOPane() = default;

    // --- Overrides --------------------------------------------------------------
    void Dispose() override;
    bool DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) override;
    bool DoMenuSelect(SInt32 menu, SInt32 item, void* data) override;
    void UpdateMenus(void* data, EventRecord* event) override;
    void SetFontSizeFace(SInt16 font, SInt16 size, SInt16 face) override;
    void SetInputProc(void (*proc)(char*)) override;
    void AddMiniPanes(SInt16 height) override;

    // --- Slots ConsoleIOPane introduces -----------------------------------------
    virtual void IConsoleIOPane(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                                SInt16 bot, SInt16 hei, const KsRGBColor& color, SInt32 border);
    // Puts the last command into the box (caret at its end); runs it when
    // execute.
    virtual void RecallLastCommand(bool execute);
    // Takes the box's command and runs it (see the file comment).
    virtual void DoCommand();
    virtual void DoText(char* command);
    virtual void BuildCONIOMenu();

    // --- Not virtual -------------------------------------------------------------
    // Answers the previous procedure.
    void (*SwapInputProc(void (*proc)(char*)))(char*);
    void SetLogInput(bool on) { iLogInput = on; }
    bool GetLogInput() const { return iLogInput; }
    void SetEchoInput(bool on) { iEchoInput = on; }
    bool GetEchoInput() const { return iEchoInput; }
    const char* GetLastCommand() const { return iLastCommand; }
    ConsoleTextEntry* GetEntryBox() const { return theEntryTE; }

    // The Recall and Repeat buttons.
    static void RecallClick(AGadget* gad, void* refCon, SInt16 menuID, SInt32 value);
    static void F2click(AGadget* gad, void* refCon, SInt16 menuID, SInt32 value);
    // The input procedure used when none is set: the core's command
    // interpreter, its errors printed into the active console.
    static void RunCoreCommand(char* command);

protected:
    SInt32 MenuNick(SInt32 outputNick) const override { return outputNick + kConsoleIONickOffset; }

    ConsoleTextEntry* theEntryTE = nullptr; // owned (a sub-pane)
    APushButton* iRecallButton = nullptr;
    APushButton* iRepeatButton = nullptr;
    bool iEchoInput = true;
    bool iLogInput = false;
    void (*iInputProc)(char*) = nullptr;
    // Room for the longest command and its terminator.
    char iLastCommand[kMaxCommand + 1] = {};
};
