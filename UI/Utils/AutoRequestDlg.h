// AutoRequestDlg: the message box. A modal dialog built on the fly from a
// message text, a list of button labels, a default button and an icon
// (formats in KsARText.h); Run shows it and the chosen button's number is
// the value reference constant of the exit item (none: it was closed).
//
// A message taller than the screen's work area is cut to it and its text
// scrolls. Lives for one request: made, filled, run, read and disposed of
// by KsSimpleDlg.
#pragma once

#include "DialogWindow.h"
#include "KsARText.h"
#include "KsUIHooks.h"

class AScrollablePane;
class AutoRequestDlg;

using ARNullEventProc = void (*)(AutoRequestDlg* dlg, EventRecord* ev, void* data);

class AutoRequestDlg : public DialogWindow {
    KS_DECLARE_CLASS(AutoRequestDlg, DialogWindow)

    static constexpr SInt16 kFont = 1;
    static constexpr SInt16 kSize = 11;
    static constexpr SInt16 kMinButtonWidth = 70;
    static constexpr SInt16 kButtonGap = 15;
    // What a closed dialog answers.
    static constexpr short kClosedAnswer = 255;
    // The events the run waits for: mouse, keys, update, activate, system.
    static constexpr UInt16 kRunMask = 0x817E;

    // styled: bold, italic and underline tags show as such (else they are
    // only taken out).
    static AutoRequestDlg* New(bool isModal, const char* title, bool styled = false);
    static void InstallNullEventHandler(ARNullEventProc proc, void* data);

    AutoRequestDlg();

    void DialogDesignInit() override;
    void DoGoodClick(APane* pane) override;
    bool Run(DialogTestProc proc, long refCon) override;
    bool Close(void* data, EventRecord* ev, long a, long b) override;

    virtual void IAutoRequestDlg(const char* text, const char* buttons, short defaultButton,
                                 UIicon_t icon, bool flag);

    // The chosen button's number, kClosedAnswer when none was.
    short Answer() const;
    // The icon resource an icon value shows.
    static SInt16 IconRsrcID(UIicon_t icon);

    bool WasClosed() const { return closed; }
    const KsARText& GetParsed() const { return parsed; }
    SInt16 GetLineHeight() const { return lineHeight; }
    SInt16 GetWidestLine() const { return widest; }
    short GetCancelButton() const { return cancelButton; }
    short GetOKButton() const { return okButton; }
    SInt16 GetButtonsWidth() const { return buttonsWidth; }
    // True when the text was cut to the work area and scrolls.
    bool GetTextScrolls() const { return textScrolls; }
    AScrollablePane* GetMessagePane() const { return messagePane; }

private:
    void PlaceMessage(SInt16 contentW, SInt16 textHeight, bool scrolls);
    // The largest content height the screen's work area leaves a dialog.
    SInt16 MaxContentHeight() const;

    bool styled = false;
    short buttonCount = 0;
    KsARText parsed;
    SInt16 widest = 0;
    SInt16 lineHeight = 0;
    std::vector<KsARButton> labels;
    short defaultButton = 0;
    short cancelButton = 0;
    short okButton = 0;
    SInt16 buttonsWidth = 0;
    UIicon_t icon = 0;
    bool closed = false;
    bool flag = false;
    bool textScrolls = false;
    AScrollablePane* messagePane = nullptr; // a sub-pane; not owned here
    APane* messageHolder = nullptr;         // the pane or its scroll pane

    static ARNullEventProc nullEventProc;
    static void* nullEventUserData;
};
