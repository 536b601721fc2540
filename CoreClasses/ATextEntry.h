// ATextEntry: the editable text field, one line or many.
//
// A scrollable pane that owns a toolbox text-edit record and adds keyboard
// focus and tabbing, a commit protocol, key filters, a length limit, growth
// with its text, flicker-free updates of displayed values, appending with a
// size cap, and persistence. Numeric and timecode fields derive from it and
// plug their parsing into TextToValue.
//
// The commit protocol: the changed hook hears (field, data, final). Every
// edit, and every text set by program, calls TextToValue(false, true): "the
// value changed". Leaving the field (Return with crCloses, Enter, Tab away,
// another pane taking the focus, the window going to the back) calls
// TextToValue(true, true) once: "the value was finally entered". A subclass
// that rewrites its text into canonical form inside its final commit does
// not notify again: text set while the final commit runs is set quietly.
//
// Edits that bring several characters at once (paste, an input method's
// commit) are one edit: filtered as a whole (FilterInsertion), inserted as
// one undo step, notified once.
//
// Ownership: the field owns its text-edit record. It only points at its
// hooks' data and at autoLimitPane (the enclosure unless set otherwise; a
// pane set there must outlive the field or be reset first).
//
// Bodies by concern: ATextEntry.cpp (set-up, text, options, hooks),
// ATextEntryFocus.cpp (focus, commit, keys, clicks, menus, insertions),
// ATextEntryLayout.cpp (growth, layout, drawing, scrolling, display updates),
// ATextEntryStream.cpp (registration, stream, property text).
// The virtual operations are declared in the order of their slots.
#pragma once

#include "AGadget.h"
#include "AScrollablePane.h"
#include "KsTextInput.h"
#include "TextEdit.h"

#include <string>

class ATextEntry;

// The value-changed hook: final is true once, when editing ends.
using ATextEntryChangedHook = bool (*)(ATextEntry* field, void* data, bool final);
// The key filter: answers true when it consumed the key. The event record is
// always a real one, made for the key when the key came without one.
using ATextEntryFilterHook = bool (*)(ATextEntry* field, EventRecord* event, void* data);

// Growth modes (autoSizesH, autoSizesV).
using autosizeTE_t = SInt16;
enum : autosizeTE_t {
    kTEAutoNone = 0,
    kTEAutoRight = 1,  // horizontal: the right edge moves
    kTEAutoLeft = 2,   // horizontal: the left edge moves
    kTEAutoBoth = 3,   // horizontal: both edges move (centred)
    kTEAutoTop = 4,    // vertical: the top edge moves
    kTEAutoBottom = 5, // vertical: the bottom edge moves
};

class ATextEntry : public AScrollablePane, public KsTextInputClient {
    KS_DECLARE_CLASS(ATextEntry, AScrollablePane)
    KS_PANE_WALK_TRAITS(ATextEntry, kWalkIdleKeepsTree | kWalkStandardInterior)

    static constexpr OSType kClassID = FourCharCode("TxEn");
    static constexpr SInt16 kVersion = 1;
    // 32767 as a selection offset means the end of the text.
    static constexpr SInt32 kTextEnd = 32767;
    // AppendCstr keeps the text under this size by dropping the oldest part.
    static constexpr SInt32 kAppendCap = 15999;
    static constexpr SInt32 kAppendDrop = 5000;

    static ATextEntry* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                           SInt16 bot, SInt16 hei, const char* text, bool styled);
    static void PCRegister();
    // The field most recently clicked into (null when none or disposed).
    static ATextEntry* LastClicked();
    // Set when LimitText last refused a character; cleared by the caller.
    static bool limitReached;

    ATextEntry();
    ~ATextEntry() override;

    // --- Pane slots ---------------------------------------------------------
    void Dispose() override;
    AObject* Copy() override;
    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    void Put(AStream& stream) override;
    void Get(AStream& stream) override;
    void Dawdle(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* cursorID, void* data) override;
    bool DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) override;
    void DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) override;
    void InteriorChanged(const KsRect& newInterior) override;
    void SetVisible(bool on) override;
    void DrawDetail(const KsRect& rect, const KsRGBColor& bkgd, void* data) override;
    bool DoMenuSelect(SInt32 menu, SInt32 item, void* data) override;
    void Activate() override;
    void Deactivate() override;
    void TabFrom() override;
    void TabTo() override;
    void SetEnclWindow(AWindow* window) override;
    void SetFontSizeFace(SInt16 font, SInt16 size, SInt16 face) override;
    void SetJust(SInt16 just) override;
    void GetFontSizeFace(SInt16* font, SInt16* size, SInt16* face) const override;
    void SetText(const char* text) override;
    SInt32 GetText(char* buf, SInt32 len) const override;
    void GetXinfo(SInt32* pos, SInt32* min, SInt32* max) const override;
    void GetYinfo(SInt32* pos, SInt32* min, SInt32* max) const override;
    void SetXpos(SInt32 x) override;
    void SetYpos(SInt32 y) override;

    // --- Slots ATextEntry introduces, in slot order --------------------------
    // The commit point: calls the changed hook (when notify) and clears
    // commitPending. Subclasses parse their value here, then call this.
    virtual void TextToValue(bool final, bool notify);
    virtual void SetCstr(const char* text);
    // The text as a C string in at most max bytes, terminator included;
    // answers the length copied.
    virtual SInt32 GetCstr(char* buf, SInt32 max) const;
    // Replaces the text of a field not being edited, redrawing only what
    // changed; for values that change often.
    virtual void UpdateCstr(const char* text, bool notify);
    virtual void AppendCstr(const char* text);
    virtual void SetTextBuf(const char* buf, SInt32 length);
    virtual SInt32 GetTextLen() const;
    virtual void AdjustDestRect();
    // Grows the pane with its text; answers whether the bounds changed.
    virtual bool AdjustBounds();
    virtual void SetSelect(SInt32 start, SInt32 end);
    virtual void GetSelect(SInt32* start, SInt32* end) const;
    virtual SInt32 GetNumLines() const;
    // Ends editing without committing.
    virtual void DeactivateTE();
    virtual void ScrollToSelection(bool redraw);
    virtual void SetCrCloses(bool on);
    virtual void SetCrReactivates(bool on);
    virtual void SetClickSelects(bool on);
    virtual void SetCrOnly(bool on);
    virtual void SetReadOnly(bool on);
    virtual void SetNoScroll(bool on);
    virtual void SetFitTextInX(bool on);
    virtual void SetMinDestWid(SInt16 width);
    virtual void SetValChangedHookRtn(ATextEntryChangedHook hook, void* data);
    virtual void SetValFilterHookRtn(ATextEntryFilterHook hook, void* data);
    virtual void SetValUpdateProc(AGadgetValUpdateProc proc);
    virtual void UpdateValues(SInt32 value, void* data);
    virtual void SetValueRefCon(SInt32 refCon);
    virtual SInt32 GetValueRefCon() const;
    virtual bool HasValueRefCon(SInt32 value);
    virtual void SetValRefConProc(AGadgetValRefConProc proc);
    // A coloured field is a display: it becomes display-only.
    virtual void SetForeColor(const KsRGBColor& color);
    virtual void SetAutoSizesH(autosizeTE_t mode);
    virtual void SetAutoSizesV(autosizeTE_t mode);
    virtual void SetAutoMinLines(SInt16 n);
    virtual void SetAutoMaxLines(SInt16 n);
    virtual void SetAutoMinWid(SInt16 w);
    virtual void SetAutoMaxWid(SInt16 w);
    virtual void SetAutoLimitPane(APane* pane);
    // Negative: no limit.
    virtual void SetTextLimit(SInt16 n);
    virtual void ITextEntry(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                            SInt16 bot, SInt16 hei, const char* text, bool styled);
    // Makes the text-edit record for the rectangles, in the field's font, in
    // the window's port; an old record goes.
    virtual void CreateMacTE(const KsRect& dest, const KsRect& view);
    virtual void SetUseExplicitColors(bool on);
    // Sets the port's colours for drawing the field.
    virtual void PrepareFBColors();
    // True (with a beep) when one more character would pass textLimit.
    virtual bool LimitText();

    // --- Not virtual ---------------------------------------------------------
    TEHandle GetTE() const { return te; }
    bool GetCommitPending() const { return commitPending; }
    bool GetClickSelects() const { return clickSelects; }
    bool GetReadOnly() const { return readOnly; }
    bool GetNoScroll() const { return noScroll; }
    bool GetCrCloses() const { return crCloses; }
    bool GetCrReactivates() const { return crReactivates; }
    bool GetFitTextInX() const { return fitTextInX; }
    bool GetStyled() const { return styled; }
    bool GetDirty() const { return dirty; }
    SInt16 GetMinDestWid() const { return minDestWid; }
    SInt16 GetTextLimit() const { return textLimit; }
    KsRGBColor GetForeColor() const { return foreColor; }
    autosizeTE_t GetAutoSizesH() const { return autoSizesH; }
    autosizeTE_t GetAutoSizesV() const { return autoSizesV; }
    APane* GetAutoLimitPane() const { return autoLimitPane; }
    // True while the final commit runs: text set then is set quietly.
    bool InFinalCommit() const { return iFinalCommit; }
    // The text as a string (for hosts and subclasses).
    std::string GetString() const;

    void AddPropsToList(CoreAttrList* list);
    void GetPropsFromList(CoreAttrList* list);

    // --- KsTextInputClient (input-method compositions and commits) ---------
    void CompositionChanged(const KsComposition& composition) override;
    void InsertText(const char* text, std::size_t length) override;

protected:
    // Filters text arriving whole (paste, an input method's commit) before
    // it is inserted: keeps printable characters (and Return, Tab in a field
    // that takes them), offers each to the key filter, keeps the first line
    // of a one-line field and cuts at textLimit; beeps when it dropped
    // anything. Answers the text to insert.
    virtual std::string FilterInsertion(const char* text, SInt32 length);

    // Replaces the selection with already filtered text as one edit, then
    // re-lays out and notifies once.
    void InsertFiltered(const std::string& text);
    // Calls the filter hook for one key; makes an event record when there is none.
    bool RunFilterHook(SInt16 charCode, SInt16 keyCode, EventRecord* event);
    // Re-layout, scrolling and the notification after an edit.
    void AfterEdit(bool scroll);
    // Rebuilds the record and options after reading.
    void FinishGet(const char* text);
    // The field's font from the pane's text settings.
    void FontOf(SInt16* font, SInt16* size, SInt16* face) const;
    // Where the text is laid out, following the scroll position.
    KsRect ViewRect() const;
    // Sets the record's rectangles from layout rectangle `dest` (at scroll 0).
    void PlaceRecord(const KsRect& dest);
    // Keeps the scroll position in step with a record that scrolled itself.
    void SyncScrollFromRecord();
    void PasteFromScrap();

    // Fields in their declared order.
    TEHandle te = nullptr; // owned
    bool commitPending = false;
    bool clickSelects = true;
    bool readOnly = false;
    bool noScroll = false;
    bool crCloses = true;
    bool crReactivates = false;
    bool fitTextInX = false;
    bool styled = false;
    bool refreshPending = false;
    bool dirty = false;
    SInt16 minDestWid = 0;
    bool selectAllOnActivate = false;
    ATextEntryChangedHook changedHook = nullptr;
    void* changedHookData = nullptr; // not owned
    ATextEntryFilterHook filterHook = nullptr;
    void* filterHookData = nullptr; // not owned
    AGadgetValUpdateProc valUpdateProc = nullptr;
    SInt32 valueRefCon = 0;
    AGadgetValRefConProc valRefConProc = nullptr;
    KsRGBColor foreColor = RGBblack;
    autosizeTE_t autoSizesH = kTEAutoNone;
    autosizeTE_t autoSizesV = kTEAutoNone;
    SInt16 autoMinLines = 0, autoMaxLines = 32767;
    SInt16 autoMinWid = 0, autoMaxWid = 32767;
    APane* autoLimitPane = nullptr; // not owned
    SInt16 textLimit = -1;
    // The input method is the toolbox's, one for the process; the field
    // takes it while active.
    void* tsmDocument = nullptr;

    bool useExplicitColors = false;
    bool iFinalCommit = false;
    // The layout rectangle at scroll position 0 (window coordinates).
    KsRect iDest{};

private:
    static void FocusProc(TEHandle te, void* owner, Boolean begin);
    // The clip and port saved around the record's own drawing (owned region).
    // The record may focus again while focused: only the outermost pair
    // saves and restores.
    RgnHandle iFocusClip = nullptr;
    GrafPtr iFocusPort = nullptr;
    SInt16 iFocusDepth = 0;
};
