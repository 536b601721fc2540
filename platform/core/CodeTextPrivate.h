// Text helpers shared by the timecode and edgecode readers and writers.
//
// Both codes are written as a few groups of digits, the last ones two digits
// wide ("01:02:03:04", "123+05"), typed as a run of digits that is grouped in
// pairs from the right. These helpers do the scanning and re-grouping once so
// that the two families accept exactly the same shapes of text.
#pragma once

#include "KsMacTypes.h"

namespace kscode {

// Fields of a scanned code text, most significant first.
struct CodeFields {
    bool negative = false;
    int count = 0;        // number of fields, 1..maxFields
    SInt64 value[4] = {}; // each at most kFieldCap
};

// Larger than any field a valid code can hold, small enough that callers can
// multiply a field by a day's worth of frames without overflowing 64 bits.
constexpr SInt64 kFieldCap = 1000000000000LL;

// Scans [begin, end): optional blanks, an optional '+' or '-', then either
// 1..maxFields groups of digits split by one character of `separators`, or a
// run of digits read as pairs from the right (the first field takes whatever
// digits are left), then optional blanks. Groups after the first have one or
// two digits. Answers false for anything else: no digits, empty groups, junk,
// too many groups, a field above kFieldCap. maxFields is 1..4.
bool ScanCodeText(const char* begin, const char* end, const char* separators, int maxFields,
                  CodeFields& out);

// Length of a text held in a buffer of `length` bytes: up to the first NUL,
// never past the buffer.
int BoundedLength(const char* text, int length);

// Re-groups typed text in place (buffer of `length` bytes): a sign or blank in
// the first position stays, every other non-digit goes, the last 8 digits are
// kept and, when `separator` is not NUL, it is put between pairs from the
// right, at most maxFields - 1 times. Answers the new length; 0 when the text
// is null, empty or the buffer has no room.
int AdjustCodeText(char* text, int length, char separator, int maxFields);

// Writes `value` in decimal with at least `width` digits at `out`; answers the
// number of characters written (at most 20).
int PutDigits(char* out, UInt64 value, int width);

// Copies a finished text of `size` characters into the caller's buffer.
// When it does not fit, the buffer gets the empty text and the answer is false.
bool CopyOut(const char* text, int size, char* buffer, int length);

} // namespace kscode
