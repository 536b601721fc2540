// Typed timecode and edgecode text for the code entry fields: one edit key
// applied to the text and its selection and tidied by the core's adjusters,
// and the readers that turn what was typed into a value.
//
// All buffers are fixed: a field's text is looked at up to kMaxCodeChars
// characters, and the reading buffer has room for those, the "0" a trailing
// single digit gets, and the terminator.
#pragma once

#include "Edgecode.h"
#include "KsMacTypes.h"
#include "Timecode.h"

namespace KsCodeText {

constexpr int kMaxCodeChars = 64;
constexpr int kReadBufSize = kMaxCodeChars + 2;
// Characters a typed timecode may hold: 8 digits and 3 separators, one more
// when it starts with a sign position ('-', '+' or a blank).
constexpr int kTCTypedChars = 11;

constexpr char kBackspace = 8;
constexpr char kDelete = 0x7F;

struct TypedCode {
    char text[kReadBufSize];
    int length = 0;
    int caret = 0; // collapsed selection after the edit
};

// How many characters the timecode text may hold.
int TCCapacity(const char* text);

// True for the keys that edit a timecode ('=' and the separators only tidy).
bool IsTCEditKey(char key);
bool IsECEditKey(char key);

// Applies `key` to `text` with the selection [selStart, selEnd): a digit
// replaces the selection, backspace and delete remove it or one character, a
// sign takes the sign position (replacing a sign already there, else put in
// front), and the result is tidied with TCAdjustStr. The caret keeps its
// distance from the end. False, with *out untouched, for a digit on a full
// text, which is ignored.
bool TCEditKey(const char* text, SInt32 selStart, SInt32 selEnd, char key, char separator,
               UInt16 flags, TypedCode* out);
// The same with ECAdjustStr and no capacity limit (the adjuster keeps the
// last digits).
bool ECEditKey(const char* text, SInt32 selStart, SInt32 selEnd, char key, TypedCode* out);

// Reads a typed timecode at the rate of `current`. A single digit after the
// last separator counts as tens ("1:2" is one second twenty frames). On
// failure *out is `current` with the no-value mark.
bool ReadTypedTC(const char* text, UInt16 flags, const timecode_t& current, timecode_t* out);

// Reads a frame count typed in frame mode: every character but digits and
// signs is dropped; an empty text is 0. Too many digits saturate, and the
// no-value mark is never answered (the smallest count is one above it).
// False when no digit is left.
bool ReadFrameCount(const char* text, SInt32* frames);

// Reads a typed edgecode into a copy of `current` (its film type stays):
// feet and frames when `footage` or a sign leads, else with a header. On
// failure *out is `current` with frame count 0.
bool ReadTypedEC(const char* text, bool footage, const edgecode_t& current, edgecode_t* out);

} // namespace KsCodeText
