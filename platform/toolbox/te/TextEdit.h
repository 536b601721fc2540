// TextEdit: the toolbox's editable text record, plain or styled, and the glue
// through which the framework drives the one active record.
//
// Sections: the record and its constants; making and disposing; text;
// selection; activation and the caret; clicks and keys; the scrap and undo;
// drawing, layout and scrolling; styles; input-method composition; the glue.
//
// Offsets are 32-bit byte offsets into Mac OS Roman text; a text of many
// megabytes works. Coordinates of the destination and view rectangles are
// 32-bit too, so a text taller than 32767 pixels scrolls through its whole
// height; only the pixels actually drawn go through the port's 16-bit
// coordinates.
//
// Lines: a Return (0x0D) always ends a line. With crOnly set (the default of
// TENew) that is the only break; otherwise lines also wrap at the width of
// destRect, after the last space that fits, or inside a word that is wider
// than the line. Spaces at the end of a wrapped line hang past the width.
// Layout is incremental: an edit lays out again from the line before the
// change until the line starts agree with the old ones.
//
// Drawing: a record draws into inPort (the port current at TENew), clipped to
// viewRect and to the port's clip. Edits made by keys, clicks, cut, paste,
// clear, insert, delete, undo and redo draw the lines they change at once;
// TESetText and the setters of rectangles and options draw nothing (the owner
// invalidates). The caret is drawn by inversion and its visible state is part
// of the record, so a redraw of its line puts it back exactly as it was.
//
// Misuse is answered gently: a null or disposed handle makes every call a
// no-op (queries answer 0); offsets are clamped to 0..teLength; a selection
// given backwards is put in order.
//
// Used from the UI thread only.
#pragma once

#include "Events.h"
#include "KsGeometry.h"
#include "KsMacTypes.h"
#include "QuickDraw.h"

#include <vector>

// ---------------------------------------------------------------------------
// The record

// Justification of every line in destRect.
enum : SInt16 {
    teFlushDefault = 0, // left, in this left-to-right system
    teCenter = 1,
    teFlushRight = -1,
    teFlushLeft = -2,
};

// Line breaks: only at Return, or also where the text meets destRect's width.
enum class TEBreaks : UInt8 { kReturnOnly, kWordWrap };

// One run of styled text: the font, size, face and colour of the characters
// from startChar up to the next run's start.
struct TETextStyle {
    SInt16 tsFont = 0;
    Style tsFace = normal;
    SInt16 tsSize = 12;
    RGBColor tsColor{0, 0, 0};

    friend bool operator==(const TETextStyle& a, const TETextStyle& b) {
        return a.tsFont == b.tsFont && a.tsFace == b.tsFace && a.tsSize == b.tsSize &&
               a.tsColor.red == b.tsColor.red && a.tsColor.green == b.tsColor.green &&
               a.tsColor.blue == b.tsColor.blue;
    }
};
struct TEStyleRun {
    SInt32 startChar = 0;
    TETextStyle style;
};

struct TEPrivate; // text, line starts, style runs, undo history (private)

// The fields are the record's state and may be read directly; change them
// through the calls, which keep the layout and the screen in step.
struct TERec {
    KsRect destRect;       // layout rectangle: lines are laid out in its width
    KsRect viewRect;       // the visible part; drawing is clipped to it
    SInt32 lineHeight = 0; // every line has the height of the tallest style
    SInt32 fontAscent = 0; // baseline below a line's top
    SInt32 selStart = 0;   // selection [selStart, selEnd); equal for a caret
    SInt32 selEnd = 0;
    SInt32 teLength = 0; // bytes of text
    SInt32 nLines = 0;   // lines that hold text (a final empty line after a Return is not one)
    SInt16 just = teFlushDefault;
    TEBreaks breaks = TEBreaks::kReturnOnly;
    Boolean active = false;     // selection shown and caret blinking
    Boolean caretState = false; // the caret is drawn now
    Boolean readOnly = false;   // keys, cut, paste and clear do not change the text
    Boolean autoView = false;   // edits and clicks scroll the selection into view
    Boolean styled = false;     // made by TEStyleNew: several runs allowed
    UInt32 caretTime = 0;       // tick of the last blink
    GrafPtr inPort = nullptr;   // the port drawn into
    TEPrivate* priv = nullptr;
};
using TEPtr = TERec*;
using TEHandle = TERec**;

// ---------------------------------------------------------------------------
// Making and disposing

// A plain record for the current port, in its font, size, face and foreground
// colour, breaking only at Return. Null when there is no current port.
TEHandle TENew(const Rect* destRect, const Rect* viewRect);
// A styled record: as TENew, and its text may carry several style runs.
TEHandle TEStyleNew(const Rect* destRect, const Rect* viewRect);
// 32-bit forms of both.
TEHandle KsTENew(const KsRect& destRect, const KsRect& viewRect, Boolean styled);
// Frees the record. Later calls with the handle are no-ops; the glue forgets it.
void TEDispose(TEHandle te);
// The handle names a record that is not disposed.
Boolean KsTEIsLive(TEHandle te);

// ---------------------------------------------------------------------------
// Text

// Replaces the whole text (selection: a caret at the end; undo history
// cleared). Draws nothing.
void TESetText(const void* text, SInt32 length, TEHandle te);
// Copies at most `max` bytes of the text into buffer; answers the count.
SInt32 KsTEGetText(TEHandle te, char* buffer, SInt32 max);
// The text itself, valid until the next change of the record.
const char* KsTETextPtr(TEHandle te);
SInt32 TEGetTextLength(TEHandle te);
// Inserts before the selection (which moves with the text after it); one undo step.
void TEInsert(const void* text, SInt32 length, TEHandle te);
// Removes the selection (the scrap is not touched); one undo step.
void TEDelete(TEHandle te);
// Replaces [start, end) with text, selects the caret after it; one undo step.
// The general edit under every other; offsets are clamped.
void KsTEReplace(SInt32 start, SInt32 end, const void* text, SInt32 length, TEHandle te);
// The same without drawing and without history (the undo and redo steps are
// forgotten, since their offsets no longer hold): for owners that change
// text in bulk, such as a log display, and redraw by themselves.
void KsTEReplaceQuietly(SInt32 start, SInt32 end, const void* text, SInt32 length, TEHandle te);

// ---------------------------------------------------------------------------
// Selection

void TESetSelect(SInt32 selStart, SInt32 selEnd, TEHandle te);
void KsTEGetSelect(TEHandle te, SInt32* selStart, SInt32* selEnd);

// ---------------------------------------------------------------------------
// Activation and the caret

// Shows the selection (or the caret) and starts the blink.
void TEActivate(TEHandle te);
// Hides the selection and the caret.
void TEDeactivate(TEHandle te);
// Blinks the caret of an active record with an empty selection: it toggles
// when GetCaretTime() ticks have passed since the last toggle.
void TEIdle(TEHandle te);

// ---------------------------------------------------------------------------
// Clicks and keys

// A mouse-down at `where` (local coordinates of inPort). Tracks while the
// button stays down: dragging selects, and leaving viewRect scrolls. extend
// (Shift) moves the end of the selection farther from the click. A second
// click within GetDblTime() at the same place selects a word, a third the line.
void TEClick(Point where, Boolean extend, TEHandle te);
// One key, modifiers as in an event record:
// - printable characters, Return (0x0D) and Tab (0x09) replace the selection;
// - Backspace (0x08) and forward delete (0x7F) delete the selection or one
//   character (with Option, one word);
// - arrows (0x1C to 0x1F) move the caret; with Shift they extend the
//   selection. Up and Down keep the caret's column across lines. Option moves
//   by words left and right; Command to the line's start and end (left and
//   right) and the text's start and end (up and down);
// - Home (0x01) and End (0x04) go to the text's start and end;
// - other control characters, the page keys among them, do nothing.
// A read-only record only moves the selection.
void KsTEKeyWith(UInt8 charCode, EventModifiers modifiers, TEHandle te);
// As KsTEKeyWith with the modifiers held now.
void TEKey(SInt16 key, TEHandle te);

// ---------------------------------------------------------------------------
// The scrap and undo

// Cut and copy put the selection on the scrap as 'TEXT' (the scrap is emptied
// first); paste replaces the selection with the scrap's 'TEXT', Returns and
// all, as one edit. Nothing happens for an empty selection (cut, copy) or an
// empty scrap (paste).
void TECut(TEHandle te);
void TECopy(TEHandle te);
void TEPaste(TEHandle te);
// Removes the selection without touching the scrap.
void TEClear(TEHandle te);
// Undo takes back the last edit (consecutive typed characters, or consecutive
// deletions by one key, are one edit) and selects what it restored; redo does
// it again. The history holds the last kTEUndoDepth edits; a new edit clears
// what could be redone.
constexpr int kTEUndoDepth = 100;
Boolean KsTECanUndo(TEHandle te);
Boolean KsTECanRedo(TEHandle te);
void KsTEUndo(TEHandle te);
void KsTERedo(TEHandle te);

// ---------------------------------------------------------------------------
// Drawing, layout and scrolling

// Draws the lines that meet `r` (local coordinates), clipped to it and to
// viewRect: background, text, the selection of an active record, the caret
// in its present state.
void TEUpdate(const Rect* r, TEHandle te);
// Lays out the whole text again (after destRect or the styles changed by hand).
void TECalText(TEHandle te);
void TESetAlignment(SInt16 just, TEHandle te);
void KsTESetBreaks(TEBreaks breaks, TEHandle te);
void KsTESetReadOnly(Boolean readOnly, TEHandle te);
// New rectangles; the text is laid out again when destRect's width changed.
void KsTESetRects(const KsRect& destRect, const KsRect& viewRect, TEHandle te);

// Lines: nLines as in the record; the start of line `line` (0 based; line
// nLines answers teLength); the line that holds `offset` (the caret's line at
// the end of the text, which is line nLines after a final Return).
SInt32 TEGetLineCount(TEHandle te);
SInt32 KsTELineStart(TEHandle te, SInt32 line);
SInt32 KsTELineOfOffset(TEHandle te, SInt32 offset);
// The width in pixels of the widest line (hanging spaces and Returns excluded).
SInt32 KsTEMaxLineWidth(TEHandle te);
// The height of lines [startLine, endLine] (inclusive, clamped).
SInt32 TEGetHeight(SInt32 endLine, SInt32 startLine, TEHandle te);
// The point of an offset, local coordinates of inPort: h is the caret's x
// there, v the baseline of its line.
KsPoint KsTEGetPoint(SInt32 offset, TEHandle te);
Point TEGetPoint(SInt16 offset, TEHandle te);
// The offset nearest to a point: the line under v (the first or last line
// when above or below the text), the character boundary nearest to h.
SInt32 KsTEGetOffset(KsPoint pt, TEHandle te);
SInt16 TEGetOffset(Point pt, TEHandle te);
// Moves the text by (dh, dv) in the view (destRect moves) and redraws the view.
void KsTEScroll(SInt32 dh, SInt32 dv, TEHandle te);
void TEScroll(SInt16 dh, SInt16 dv, TEHandle te);
// Scrolls as little as needed to bring the selection's active end into view.
void TESelView(TEHandle te);
void TEAutoView(Boolean on, TEHandle te);

// Draws `length` bytes of text in box with the current port's font, size,
// face and colour, wrapped at the box's width with the same line layout as a
// record, justified by `just`, clipped to the box. The box is erased first.
void TETextBox(const void* text, SInt32 length, const Rect* box, SInt16 just);
// As TETextBox with an explicit background colour (null: the port's).
void DrawTextInABox(const void* text, SInt32 length, const Rect* box, SInt16 just,
                    const RGBColor* background);

// ---------------------------------------------------------------------------
// Styles (any record; a plain one keeps a single run)

// Runs of the text, the first starting at 0, in order, adjacent runs different.
std::vector<TEStyleRun> KsTEGetStyleRuns(TEHandle te);
// The style of the character at offset (before it at the end of the text).
TETextStyle KsTEGetStyle(SInt32 offset, TEHandle te);
// What KsTESetStyle changes.
enum : UInt16 {
    doFont = 1,
    doFace = 2,
    doSize = 4,
    doColor = 8,
    doAll = 15,
};
// Applies the chosen parts of style to the selection of a styled record, or
// to the whole text of a plain one; lays out again and, with redraw, draws.
void KsTESetStyle(UInt16 mode, const TETextStyle& style, Boolean redraw, TEHandle te);
// Replaces the runs of [start, start + runs' extent): each run's startChar is
// relative to start; for the styled scrap. Lays out again; draws nothing.
void KsTEApplyStyleRuns(SInt32 start, SInt32 end, const std::vector<TEStyleRun>& runs, TEHandle te);

// ---------------------------------------------------------------------------
// Input-method composition
//
// A composition in progress is shown at the caret, underlined, with the text
// after the caret moved right to make room; it is not part of the text, its
// layout or the undo history. Committing is the owner's: it clears the
// composition and inserts the committed text (TEInsert or KsTEReplace).

// Sets (length > 0) or clears (length 0) the composition; caretOffset is the
// input caret inside it. Redraws the caret's line.
void KsTESetComposition(const void* text, SInt32 length, SInt32 caretOffset, TEHandle te);
// The rectangle of the caret (or of the composition when one is shown), in
// local coordinates: where the candidate window goes.
KsRect KsTEGetCaretRect(TEHandle te);

// Called around every drawing the record starts by itself (caret blink, keys,
// clicks, scrolling), so that its owner can set the port, clip and colours
// (begin true) and put them back (begin false). Null: the record draws into
// inPort as it is.
using KsTEFocusProc = void (*)(TEHandle te, void* owner, Boolean begin);
void KsTESetFocusProc(TEHandle te, KsTEFocusProc proc, void* owner);

// ---------------------------------------------------------------------------
// The glue: the one active record of the application and the calls the
// framework's text fields make on it. A record becomes the active one with
// KsTEActivate and stops being it with KsTEDeactivate or TEDispose.

// Activates te for `owner` and makes it the one the Edit commands and the
// blink act on. A record made active before stays as its owner left it: the
// owner deactivates it (a window going to the back does), so that the
// owner's idea of its state and the record's never part.
void KsTEActivate(TEHandle te, void* owner);
// Deactivates te; the glue forgets it when it was the current one.
void KsTEDeactivate(TEHandle te);
// A record is active.
Boolean KsTEIsActive();
TEHandle KsTEActiveRecord();
// A click or key for te (which need not be the active record); with
// autoScroll the selection is scrolled into view afterwards.
void KsTEClick(Point where, Boolean extend, TEHandle te, Boolean autoScroll, void* owner);
void KsTEKey(SInt16 charCode, TEHandle te, Boolean autoScroll, void* owner);
// Draws te inside r.
void KsTEUpdate(const Rect* r, TEHandle te);
// Blinks the active record's caret.
void KsTEIdle();
// Edit commands on the active record; nothing when none is active.
void KsTECut();
void KsTECopy();
void KsTEPaste();
void KsTEDelete(); // Clear: removes the selection, scrap untouched
void KsTEUndo();
void KsTERedo();
// Selects in the active record; 32767 (or more) for either end means the
// end of the text, as old callers pass it.
void KsTESetSelect(SInt32 selStart, SInt32 selEnd);
// What the Edit menu may offer for the active record.
struct KsTEEditState {
    bool undo = false, redo = false, cut = false, copy = false, paste = false, clear = false,
         selectAll = false;
};
KsTEEditState KsTEGetEditState();
