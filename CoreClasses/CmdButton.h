// CmdButton: a push button that stands for a menu command. It carries the
// command's nick number, shows the command's menu icon or text, and sends the
// command when clicked. The user may re-assign it: by dragging one command
// button onto another (button-to-button mode) or by clicking it and then
// choosing a menu item (menu-to-button mode). Nicks 1 ("ALT") and 2 ("CTL")
// are pseudo-commands: dropped on a button, they make it simulate the Option
// or Control key when it sends its command.
//
// Every live command button is in one roster, sorted by nick on demand
// (GetCmdButton); a button leaves it when disposed.
#pragma once

#include "APushButton.h"

class CoreAttrList;
class DragList;

class CmdButton : public APushButton {
    KS_DECLARE_CLASS(CmdButton, APushButton)
    KS_PANE_WALK_TRAITS(CmdButton, GadgetWalkTraits())

    // The framework's own ID: the class has none of its heritage. Beside it,
    // ShapeCmdButton's 'ShCB'.
    static constexpr OSType kClassID = FourCharCode("CmdB");
    static constexpr SInt16 kVersion = 1;
    // The pseudo-commands.
    static constexpr SInt32 kAltNick = 1;
    static constexpr SInt32 kCtlNick = 2;
    // Cursors of the assignment modes.
    static constexpr SInt16 kAssignCursorID = 2009;
    static constexpr SInt16 kDragCursorID = 2012;
    // A command name is taken from at most this many characters of its item.
    static constexpr int kMaxNameLength = 64;

    static CmdButton* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                          SInt16 bot, SInt16 hei, SInt32 nick, const KsRGBColor& bkgd);
    // The n-th live button (from 0) carrying nick, in construction order
    // among those; null when there is none.
    static CmdButton* GetCmdButton(SInt32 n, SInt32 nick);
    static void SetA2Bmode(bool on);
    static void SetB2Bmode(bool on);
    static void SetM2Bmode(bool on);
    static bool GetA2Bmode();
    static bool GetB2Bmode();
    static bool GetM2Bmode();
    // True while a command goes out from a button whose simulated modifier
    // the real key cancelled.
    static bool ForceIgnoreOption();
    static bool ForceIgnoreControl();
    static bool GetGlobalSelectable();
    static void PCRegister();

    CmdButton();
    ~CmdButton() override;

    // --- Slots CmdButton introduces ------------------------------------------
    // True without a nick; otherwise whether the menu bar knows the nick.
    virtual bool IsCmdSupported();
    virtual void SetSimOption(bool on);
    virtual bool GetSimOption() const;
    virtual void SetSimControl(bool on);
    virtual bool GetSimControl() const;
    virtual void SetSelectable(bool on);
    // The global switch and this button's own setting together.
    virtual bool IsUserSelectable() const;
    // Sets the switch of every command button.
    virtual void SetGlobalSelectable(bool on);
    virtual void ICmdButton(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                            SInt16 bot, SInt16 hei, SInt32 nick, const KsRGBColor& bkgd);

    // --- Overrides ------------------------------------------------------------
    void Dispose() override;
    AObject* Copy() override;
    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    void Put(AStream& stream) override;
    void Get(AStream& stream) override;
    void Dawdle(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* cursorID, void* data) override;
    void DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) override;
    void GetMiniHelpText(char* buf, SInt32 len) override;
    void DrawDetail(const KsRect& rect, const KsRGBColor& bkgd, void* data) override;
    bool HandleDragMsg(DragList* list, KsPoint pt, SInt16 modifiers, SInt16 message) override;
    void DoGoodClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* refCon) override;
    // A nick the menu bar does not know (other than 0, 1 and 2) is refused
    // and leaves the button as it was.
    void SetCmdNum(SInt32 nick) override;

    // --- Not virtual ------------------------------------------------------------
    bool GetSelectable() const { return selectable; }
    bool GetAbbreviates() const { return abbreviates; }
    void SetAbbreviates(bool on) { abbreviates = on; }

    // Pane property text keys.
    void AddCmdButtonPropsToList(CoreAttrList* list);
    void GetCmdButtonPropsFromList(CoreAttrList* list);

protected:
    // Menu-to-button mode: the next menu choice becomes the command.
    void AssignFromMenus();
    // Sends the command with the simulated modifiers applied.
    void SendCommand(SInt16 modifiers);

    // Fields, in their declared order.
    bool selectable = true;
    bool simOption = false;
    bool simControl = false;
    bool abbreviates = true;
};
