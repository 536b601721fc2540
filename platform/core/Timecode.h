// Video timecode: a frame count at a frame rate, and its text forms.
//
// A timecode_t is a plain 16-byte value; its last 32-bit field is the frame
// count, counted from 00:00:00:00. Frame count kTCNoValue (0x80000000) marks
// "no value" and shows as the empty text.
//
// Rates. Each rate has a code named after its integer part; the NTSC rates run
// 1000/1001 slower than their nominal rate, and their drop-frame forms add 100:
//   23 = 23.976   24   25   29 = 29.97   129 = 29.97 drop-frame   30
//   47 = 47.952   48   50   59 = 59.94   159 = 59.94 drop-frame   60
// Drop-frame counting (SMPTE ST 12-1) skips the frame labels 0 and 1 (0 to 3
// at 59.94) at the start of every minute except minutes 00, 10, 20, ... so
// that the labels keep pace with the clock: ten minutes hold 17,982 frames at
// 29.97 and 35,964 at 59.94.
//
// Format flags (a bit set, as text fields keep it):
//   kTCFormatFrames   0x01  text is the frame count in decimal, not HH:MM:SS:FF
//   kTCFormatValid    0x02  the value is to be shown; without it the text is empty
//   kTCFormatDuration 0x08  a signed duration; otherwise a time of day, which
//                           wraps into 00:00:00:00 .. 23:59:59:FF (so -1 frame
//                           shows as the last frame of the day)
//
// Text written by TCToStr:
//   "HH:MM:SS:FF"        non-drop rates (hours grow past two digits only for
//                        durations of 100 hours or more)
//   "HH:MM:SS;FF"        drop-frame rates: ';' before the frames
//   "-HH:MM:SS:FF"       a negative duration
//   "1234", "-1234"      kTCFormatFrames
//
// Text read by TCStrToTC (leading and trailing blanks are ignored):
//   an optional '+' or '-', then either
//   - one to four groups of digits split by any of ':' ';' '.' ',', read from
//     the right as frames, seconds, minutes, hours: "1:02:03;04", "2.10",
//     "5" (5 frames); groups after the first have one or two digits;
//   - or a run of digits read as pairs from the right: "1234" is 12 seconds
//     34 frames, "10000000" is 10 hours; digits beyond the eighth add to the
//     hours;
//   with kTCFormatFrames: a decimal frame count (digits only).
// Fields are checked against the rate (frames below the nominal rate, seconds
// and minutes below 60, hours below 24 unless kTCFormatDuration). A label that
// drop-frame counting skips (00:01:00;00 at 29.97) is read as the next frame
// that exists (00:01:00;02). A time of day given with '-' counts back from
// midnight. Anything else fails: junk, empty groups, a field out of range, a
// value that does not fit the frame count.
//
// Buffers: every function that writes text writes at most `length` bytes
// including the terminating NUL. A null or empty text is a failure, never a
// crash.
#pragma once

#include "KsMacTypes.h"

struct timecode_t {
    SInt32 rate;        // a TCRate code
    SInt32 reserved[2]; // zero; kept as given
    SInt32 frames;      // frame count; kTCNoValue for no value
};
static_assert(sizeof(timecode_t) == 16, "timecode_t is a 16-byte value");

constexpr SInt32 kTCNoValue = SInt32(0x80000000u);

enum TCRate : SInt32 {
    kTCRate23_976 = 23,
    kTCRate24 = 24,
    kTCRate25 = 25,
    kTCRate29_97 = 29,
    kTCRate29_97DF = 129,
    kTCRate30 = 30,
    kTCRate47_952 = 47,
    kTCRate48 = 48,
    kTCRate50 = 50,
    kTCRate59_94 = 59,
    kTCRate59_94DF = 159,
    kTCRate60 = 60,
};

enum : UInt16 {
    kTCFormatFrames = 0x01,
    kTCFormatValid = 0x02,
    kTCFormatDuration = 0x08,
};

// True for the twelve rate codes above.
bool TCIsValidRate(SInt32 rate);
// Frames in 24 hours at a rate (2,589,408 at 29.97 drop-frame); 0 for an
// unknown rate code.
SInt32 TCFramesPerDay(SInt32 rate);

// The rate of TCGetDefault, 29.97 drop-frame until changed. Answers false
// (and changes nothing) for an unknown rate code.
bool TCSetDefaultRate(SInt32 rate);
SInt32 TCGetDefaultRate();

// A timecode at the default rate with this frame count (kTCNoValue for none).
timecode_t TCGetDefault(SInt32 frames);
// A timecode at a given rate; the rate is not checked here (readers and
// writers refuse unknown rates).
timecode_t TCMake(SInt32 rate, SInt32 frames);

// Same rate and same frame count.
bool TCEqual(const timecode_t& a, const timecode_t& b);
bool TCIsDrop(const timecode_t& tc);

// Switches 29.97 and 59.94 between drop-frame and non-drop counting in place.
// The frame count (the moment in time) stays; only its labels change.
// Answers false, changing nothing, when the rate has no drop-frame form.
bool TCChangeDrop(timecode_t& tc, bool drop);

// Converts in place to another rate code (TCConvertFPS(tc, 24) gives true
// 24 frames a second), keeping the time the frame count stands for: the count
// is scaled by the ratio of the real rates and rounded to the nearest frame.
// The no-value mark stays the no-value mark. Answers false, changing nothing,
// for an unknown rate or when the result does not fit the frame count.
bool TCConvertFPS(timecode_t& tc, SInt32 rate);

// Writes the text of `tc` (see above). Answers true when the buffer holds the
// whole text, which is empty without kTCFormatValid or for the no-value mark.
// Answers false for an unknown rate, a null buffer or one too small; the
// buffer (when it has room for it) then holds the empty text.
bool TCToStr(const timecode_t& tc, char* buffer, int length, UInt16 flags);

// Reads `text` (see above) at the rate of `descriptor` (the default rate when
// null). On success *tc takes the descriptor's rate and reserved fields and
// the frame count read, and the answer is true. On failure *tc is unchanged.
bool TCStrToTC(timecode_t* tc, const char* text, UInt16 flags, const timecode_t* descriptor);

// Tidies a timecode as it is typed, in place in a buffer of `length` bytes: a
// '-', '+' or blank in the first position (the sign position) stays, every
// other non-digit is dropped, the last 8 digits are kept and `separator` is
// put between pairs of digits from the right: "1234" becomes "12:34",
// "1234567" becomes "1:23:45:67". With kTCFormatFrames no separators are put
// in. A digit separator is taken as ':'. Applying it twice changes nothing.
// Answers the new length; 0 for a null or empty text.
int TCAdjustStr(char* text, char separator, int length, UInt16 flags);
