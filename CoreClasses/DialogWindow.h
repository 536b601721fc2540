// DialogWindow: the window class of dialogs.
//
// Adds to AWindow the standard button row (OK, Cancel, Apply) with its
// divider and default-button ring; the OK, abort and default roles; the keys
// of dialogs (Return and Enter press the default button, Escape and
// Command-period the abort button); a blocking Run that ends when an OK or
// abort gadget is clicked; builders that add panes by pane ID; and typed
// accessors that set and read a pane's value by ID whatever its class.
//
// Ending a run hides the dialog and keeps it: the owner reads the values and
// then disposes of it. Closing only hides a dialog.
//
// Ownership: the role fields only point into the pane tree and are cleared
// when those panes go (ForgetPane).
//
// Bodies: DialogWindow.cpp (set-up, roles, keys, run, close),
// DialogWindowBuilders.cpp, DialogWindowAccessors.cpp, DialogWindowPaneBooks.cpp.
#pragma once

#include "AGadget.h"
#include "AWindow.h"
#include "Edgecode.h"
#include "Timecode.h"

class ADialogButtonGad;
class DialogWindow;

using DialogTestProc = bool (*)(DialogWindow* dlg, AGadget* gad, long refCon);
using DialogIdleProc = bool (*)(DialogWindow* dlg, EventRecord* ev, long a, long b);

class DialogWindow : public AWindow {
    KS_DECLARE_CLASS(DialogWindow, AWindow)

    // Pause of a pressed-by-key button, in the unit of KsDoNothing.
    static constexpr long kPressPause = 150;
    static constexpr SInt16 kEnterKeyCode = 0x4C;
    // The menu a modal run leaves enabled.
    static constexpr SInt16 kEditMenuID = 258;

    static DialogWindow* New(const char* title, bool isModal, short width, short height,
                             bool designMode);

    DialogWindow();

    // --- AWindow slots --------------------------------------------------------
    bool Idle(void* data, EventRecord* ev, long a, long b) override;
    bool KeyDown(void* data, EventRecord* ev, long charCode, long keyCode) override;
    bool Deactivate(void* data, EventRecord* ev, long a, long b) override;
    bool Close(void* data, EventRecord* ev, long a, long b) override;
    void Draw(const KsRect* updateRect, void* data) override;
    void DoGoodClick(APane* pane) override;
    void UpdateColorScheme() override;
    void ForgetPane(APane* pane) override;

    // --- Slots DialogWindow introduces ----------------------------------------
    virtual void IDialogWindow(const char* title, bool isModal, short width, short height,
                               bool designMode);
    // True when an OK gadget ended the run.
    virtual bool Run(DialogTestProc testProc, long refCon);
    virtual void DialogDesignInit();
    virtual void AddStdButtons(short numButs);
    virtual void AddStdButDivider();
    virtual void AddDefaultButIndic();
    virtual APane* SetIsOKGad(const char* paneID);
    virtual APane* SetIsAbortGad(const char* paneID);
    virtual AGadget* SetDefaultGad(const char* paneID, bool returnIgnored);
    virtual void SetDefaultGadEnabled(bool on);
    virtual AGadget* GetDefaultGad() const;
    virtual void DefaultGadClick();
    virtual bool IsFirstPostProcess() const;
    virtual void PostProcess();
    // The pane of that ID, also inside pane books; the main pane when the ID
    // is null or names nothing.
    virtual APane* GetEnclPane(const char* paneID);

    // --- Builders: six placement coordinates, kPaneDontCare for "not given" ---
    ADialogButtonGad* AddButton(const char* id, const char* label, SInt16 left, SInt16 right,
                                SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei,
                                const char* enclID = nullptr);
    APane* AddCheckBox(const char* id, const char* label, SInt16 left, SInt16 right, SInt16 wid,
                       SInt16 top, SInt16 bot, SInt16 hei, const char* enclID = nullptr);
    APane* AddRadioButton(const char* id, const char* label, SInt16 left, SInt16 right, SInt16 wid,
                          SInt16 top, SInt16 bot, SInt16 hei, const char* enclID = nullptr);
    AGadget* AddGadget(const char* id, const char* text, SInt16 left, SInt16 right, SInt16 wid,
                       SInt16 top, SInt16 bot, SInt16 hei, const char* enclID = nullptr);
    APane* AddPane(const char* id, SInt16 left, SInt16 right, SInt16 wid, SInt16 top, SInt16 bot,
                   SInt16 hei, const char* enclID = nullptr);
    AGadget* AddLabelPane(const char* id, const char* text, SInt16 left, SInt16 right, SInt16 wid,
                          SInt16 top, SInt16 bot, SInt16 hei, const char* enclID = nullptr);
    APane* AddDividerPane(const char* id, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                          SInt16 bot, SInt16 hei, const char* enclID = nullptr);
    AGadget* AddPopupMenu(const char* id, const char* label, SInt16 left, SInt16 right, SInt16 wid,
                          SInt16 top, SInt16 bot, SInt16 hei, const char* enclID = nullptr);

    APane* AddTextListPane(const char* id, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                           SInt16 bot, SInt16 hei, const char* enclID = nullptr);
    APane* AddTextEntry(const char* id, const char* text, SInt16 left, SInt16 right, SInt16 wid,
                        SInt16 top, SInt16 bot, SInt16 hei, const char* enclID = nullptr);
    // The label sits at the left of the field.
    APane* AddIntEntry(const char* id, const char* label, SInt16 left, SInt16 right, SInt16 wid,
                       SInt16 top, SInt16 bot, SInt16 hei, SInt32 value,
                       const char* enclID = nullptr);
    APane* AddFloatEntry(const char* id, const char* label, SInt16 left, SInt16 right, SInt16 wid,
                         SInt16 top, SInt16 bot, SInt16 hei, double value,
                         const char* enclID = nullptr);
    APane* AddTCEntry(const char* id, const char* label, SInt16 left, SInt16 right, SInt16 wid,
                      SInt16 top, SInt16 bot, SInt16 hei, const char* enclID = nullptr);
    APane* AddECEntry(const char* id, const char* label, SInt16 left, SInt16 right, SInt16 wid,
                      SInt16 top, SInt16 bot, SInt16 hei, const char* enclID = nullptr);
    // The standard controls: a check box, a radio button numbered in the
    // dialog's count (its value reference constant) and a pop-up menu.
    APane* AddMacCheckBox(const char* id, const char* title, SInt16 left, SInt16 right, SInt16 wid,
                          SInt16 top, SInt16 bot, SInt16 hei, const char* enclID = nullptr);
    APane* AddMacRadioButton(const char* id, const char* title, SInt16 left, SInt16 right,
                             SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei,
                             const char* enclID = nullptr);
    // A multi-line caption; naming a gadget (a check box or radio button of
    // either kind) makes it that gadget's caption.
    APane* AddCaption(const char* id, const char* text, SInt16 left, SInt16 right, SInt16 wid,
                      SInt16 top, SInt16 bot, SInt16 hei, const char* enclID = nullptr,
                      const char* gadgetID = nullptr);
    // Raised and sunken grouping panes.
    APane* AddPlateauPane(const char* id, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                          SInt16 bot, SInt16 hei, const char* enclID = nullptr);
    APane* AddValleyPane(const char* id, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                         SInt16 bot, SInt16 hei, const char* enclID = nullptr);
    // A push button that shows an empty menu of its own, titled `label`.
    AGadget* AddButtonPopupMenu(const char* id, const char* label, SInt16 left, SInt16 right,
                                SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei,
                                const char* enclID = nullptr);
    // A pop-up menu gadget with the menu of that ID (see SetVolumeMenuID).
    AGadget* AddVolumeMenu(const char* id, const char* label, short menuID, SInt16 left,
                           SInt16 right, SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei,
                           const char* enclID = nullptr);
    // A pane book, and a page of it whose page pane takes the ID `id`.
    APane* AddPaneBook(const char* id, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                       SInt16 bot, SInt16 hei, const char* enclID = nullptr);
    APane* AddPaneBookPage(const char* id, const char* name, const char* bookID);
    APane* AddOSPopupMenu(const char* id, const char* title, SInt16 left, SInt16 right, SInt16 wid,
                          SInt16 top, SInt16 bot, SInt16 hei, const char* enclID = nullptr);

    // --- Typed accessors by pane ID -------------------------------------------
    // Entries count from 1; the text is copied into buf, len bytes at most.
    virtual void GetTextListValue(const char* id, long n, char* buf, long len);
    virtual void AddTextListItem(const char* id, const char* text, bool select);
    virtual void SelectTextListItem(const char* id, long n, bool on);
    virtual void GetTextListInfo(const char* id, long* count, long* selected);
    virtual void SetLongVal(const char* id, long v);
    virtual long GetLongVal(const char* id);
    virtual void SetFloatVal(const char* id, double v);
    virtual double GetFloatVal(const char* id);
    virtual void SetLimits(const char* id, double min, double max, bool a, bool b);
    virtual void SetBoolVal(const char* id, bool on);
    virtual bool GetBoolVal(const char* id);
    virtual void SetTextVal(const char* id, const char* text);
    virtual void GetTextVal(const char* id, char* buf, long len);
    virtual void SetRBgroupVal(const char* id, long v);
    virtual long GetRBgroupVal(const char* id);
    virtual void SetRefVal(const char* id, long v);
    virtual long GetRefVal(const char* id);
    virtual long SetMenuItemFromText(const char* id, const char* text);
    virtual long GetMenuItemFromText(const char* id, const char* text);
    virtual MenuHandle GetMenuHandleOnly(const char* id);
    virtual void RefreshMacMenu(const char* id);
    // Null texts are skipped.
    virtual void AppendItemsToPopup(const char* id, const char* a, const char* b, const char* c,
                                    const char* d);
    virtual void SetTCIs24FPS(const char* id, bool on);
    virtual void SetTCVal(const char* id, const timecode_t& tc);
    virtual timecode_t GetTCVal(const char* id);
    virtual void SetECVal(const char* id, const edgecode_t& ec);
    virtual edgecode_t GetECVal(const char* id);
    virtual long GetTextLen(const char* id);
    virtual void SetTextSel(const char* id, long start, long end);
    // -1: an empty menu saying no drives are available, and the gadget off.
    virtual void SetVolumeMenuID(const char* id, short menuID);
    virtual void SetMenuHandle(const char* id, MenuHandle menu);
    virtual void EnablePopupItem(const char* id, short item, bool on);
    virtual void SetPaneActive(const char* id, bool on);
    virtual bool IsPaneActive(const char* id);
    virtual void TabToTextEntry(const char* id);
    virtual void SetGrayText(const char* id, bool on);
    virtual void DrawPane(const char* id);
    // Pages are named by their page panes' IDs; ShownPaneBookPage answers
    // the number of the page showing (0: none, or no such book).
    virtual void ShowPaneBookPage(const char* bookID, const char* pageID);
    virtual void HidePaneBookPage(const char* bookID, const char* pageID);
    virtual long ShownPaneBookPage(const char* bookID);
    virtual void SetPaneVisible(const char* id, bool on);
    virtual bool IsPaneVisible(const char* id);
    virtual void SetPaneEnabled(const char* id, bool on);
    virtual bool IsPaneEnabled(const char* id);
    virtual void TabTo(const char* id);
    virtual void InvalPane(const char* id);
    virtual void SetDrawProc(const char* id, APaneDrawProc proc);
    virtual void SetBorderProc(const char* id, APaneBorderProc proc);
    virtual void SetUpClickProc(const char* id, AGadgetUpClickProc proc);
    virtual void SetDownClickProc(const char* id, AGadgetClickProc proc);
    virtual void SetDawdleProc(const char* id, AGadgetDawdleProc proc);

    // --- Not virtual ------------------------------------------------------------
    APane* GetExitItem() const { return exitItem; }
    void SetExitItem(APane* pane) { exitItem = pane; }
    void SetWindowIdleProc(DialogIdleProc proc) { windowIdleProc = proc; }
    APane* GetOKGad() const { return okGad; }
    APane* GetAbortGad() const { return abortGad; }
    APane* GetDefaultIndicator() const { return defaultIndicator; }
    APane* GetLastAddedPane() const { return lastAddedPane; }
    bool IsRunning() const { return running; }
    bool GetReturnIgnored() const { return returnIgnored; }

protected:
    // The pane made by a builder: ID, font 1 size 11 plain; remembered.
    template <class P> P* Built(P* pane, const char* id) {
        FinishBuilt(pane, id);
        return pane;
    }
    void FinishBuilt(APane* pane, const char* id);
    // Presses a button the way a key does: hilite, pause, unhilite, good click.
    void PressByKey(AGadget* gad, const EventRecord* ev);
    // The good click alone, at the event's point, with the port kept.
    void PressByKeyClickOnly(AGadget* gad, const EventRecord* ev);
    void ApplyBackground();
    // The pop-up menu gadget's menu becomes the menu menuID, or with -1 a
    // menu saying no drives are available, the gadget off.
    static void FillVolumeMenu(AGadget* gad, short menuID);

    // Fields, in their declared order.
    APane* okGad = nullptr;
    APane* abortGad = nullptr;
    AGadget* defaultGad = nullptr;
    APane* defaultIndicator = nullptr;
    DialogIdleProc windowIdleProc = nullptr;
    DialogTestProc testProc = nullptr;
    long testRefCon = 0;
    bool isModal = false;
    bool running = false;
    bool returnIgnored = false;
    long radioCount = 0;
    bool firstPostProcess = true;
    APane* exitItem = nullptr;
    APane* lastAddedPane = nullptr;

private:
    // Ends a run whose dialog was closed without a gadget.
    APane* closePlaceholder = nullptr;
};
