// Cursors: the classic 16x16 one-bit cursor record, cursors by resource ID
// ('CURS', and the one-bit part of 'crsr'), hiding and obscuring.
//
// The arrow, I-beam, cross, plus and watch are shown as the system's own
// cursors (they follow the user's theme and scale); everything else is sent
// to the back end as a 16x16 image.
//
// Visibility: HideCursor and ShowCursor nest. The cursor shows while the level
// is 0; ShowCursor never raises it above 0. ObscureCursor hides it until the
// mouse next moves (the event manager reports moves with KsCursorMouseMoved).
// While hidden or obscured, setting a cursor only records it; it appears when
// the cursor shows again.
//
// Used from the UI thread only.
#pragma once

#include "KsMacTypes.h"

#include <cstddef>

using Bits16 = SInt16[16];

// Bit 15 of data[0] is the top-left pixel. Pixels set in data are black,
// pixels set only in mask white, others transparent.
struct Cursor {
    Bits16 data;
    Bits16 mask;
    Point hotSpot; // v, h from the top-left
};
using CursPtr = Cursor*;
using CursHandle = CursPtr*;

// The classic system cursor IDs, shown as the system's own cursors when no
// resource of that ID is in the chain.
enum : SInt16 { iBeamCursor = 1, crossCursor = 2, plusCursor = 3, watchCursor = 4 };

// What KsGetCursorID answers for cursors without a resource of their own.
constexpr SInt16 kKsArrowCursorID = -1;     // the arrow (InitCursor, SetArrowCursor)
constexpr SInt16 kKsImageCursorID = -32768; // a record given to SetCursor
// The busy cursor: the first of four frames 360 to 363 (two frames 370 and
// 371 in the short form). SetWatchCursor shows it as the system's busy cursor.
constexpr SInt16 kKsBusyCursorID = 360;

// The arrow, visible, not obscured, sent to the back end even when it seems
// unchanged (call it again after installing another back end).
void InitCursor();
void SetCursor(const Cursor* cursor);
void SetArrowCursor();
void SetWatchCursor();

// The 'CURS' resource of that ID (a 68-byte Cursor record, big-endian, owned
// by the resource manager); null when the chain has none.
CursHandle GetCursor(SInt16 id);

// Shows 'CURS' id, else the one-bit part of 'crsr' id, else for the classic
// system IDs the system cursor. When none exists the cursor stays as it was
// and the answer is resNotFound (noErr otherwise). A resource of the wrong
// size raises XError "TBX_CURSOR_BAD".
OSErr SetCursorByID(SInt16 id);
// The same, looking at 'crsr' before 'CURS'.
OSErr KsSetCCursor(SInt16 id);

void HideCursor();
void ShowCursor();
void ObscureCursor();
// The mouse moved: an obscured cursor shows again.
void KsCursorMouseMoved();

// For tests and diagnostics: the ID of the cursor last set (see the constants
// above), whether it is on screen, and the nesting level (0 shown, below 0
// hidden).
SInt16 KsGetCursorID();
bool KsIsCursorVisible();
int KsGetCursorLevel();

// Decoders, bounded by their input. 'CURS' is exactly 68 bytes; 'crsr' holds
// at least its 96-byte header, whose one-bit image is taken. Anything else
// raises XError "TBX_CURSOR_BAD".
void KsDecodeCURS(const UInt8* bytes, std::size_t size, Cursor* out);
void KsDecodeCrsr(const UInt8* bytes, std::size_t size, Cursor* out);
