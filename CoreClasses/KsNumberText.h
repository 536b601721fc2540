// Number text for the numeric entry fields: reading typed text into 32-bit
// and double values with range checks, writing values back (grouped, in a
// radix, or printf-style), stepping by an increment and the limit rules the
// fields apply while typing and at a commit.
//
// Readers never overflow: a number too large for 32 bits saturates at the
// 32-bit limits, and a double that is not finite is refused. They read the
// longest number at the start of the text (after blanks), as the fields have
// always done, so "12abc" reads as 12.
#pragma once

#include "KsMacTypes.h"

#include <cstddef>

namespace KsNumberText {

// Longest text the integer and float readers look at; the radix reader looks
// at kMaxRadixChars.
constexpr int kMaxNumberChars = 264;
constexpr int kMaxRadixChars = 64;
// Room for any 32-bit value in any radix from 2 with sign, or grouped
// decimal, with its terminator.
constexpr int kIntTextSize = 40;

// Reads an optionally signed decimal integer. Grouping separators (',')
// between digits are skipped, so "1,234,567" reads as 1234567. False for an
// empty or unreadable text (no digit after the optional sign).
bool ParseInt(const char* text, SInt32* value);

// Reads an optionally signed integer in a radix from 2 to 36 (letters in
// either case). False for an empty or unreadable text.
bool ParseRadix(const char* text, int radix, SInt32* value);

// Reads a double as "%lg" would. False for an empty or unreadable text and
// for not-a-number or infinity (including a number too large for a double).
bool ParseFloat(const char* text, double* value);

// "%ld", or grouped by threes with ',' when grouped ("-1,234").
void FormatInt(SInt32 value, bool grouped, char* buf, std::size_t size);
// Digits of the radix (2 to 36), upper-case letters, most significant first.
void FormatRadix(SInt32 value, int radix, char* buf, std::size_t size);
// Width and precision non-zero: "%W.Pf"; width non-zero and precision 0: the
// value truncated toward zero, without a fraction; width 0: "%g".
void FormatFloat(double value, int width, int precision, char* buf, std::size_t size);

// value + steps * inc, held inside [lo, hi] without overflowing.
SInt32 StepInt(SInt32 value, SInt32 inc, int steps, SInt32 lo, SInt32 hi);
double StepFloat(double value, double inc, int steps, double lo, double hi);

inline SInt32 ClampInt(SInt32 v, SInt32 lo, SInt32 hi) {
    return v < lo ? lo : v > hi ? hi : v;
}
inline double ClampFloat(double v, double lo, double hi) {
    return v < lo ? lo : v > hi ? hi : v;
}

// What a value outside the limits calls for.
enum class LimitReset { none, toMin, toMax };

// While typing (final false) a value that could still grow into range is
// left alone: below a minimum above 1 (the first digits of a larger number)
// or above a negative maximum (the first digits of a more negative number).
// At a commit every value outside the limits is reset.
LimitReset CheckIntLimits(SInt32 value, SInt32 lo, SInt32 hi, bool final);
// As above with the float thresholds (a minimum above 0.0).
LimitReset CheckFloatLimits(double value, double lo, double hi, bool final);

// The key filters' answers for one character.
enum class KeyVerdict { pass, refuse };

// An integer field's filter for a digit, '-' or '+': `text` is the field's
// text and [selStart, selEnd) its selection. Other characters are refused.
KeyVerdict IntKey(char ch, const char* text, SInt32 selStart, SInt32 selEnd, SInt32 minVal);
// A float field's filter: digits, '+', '-', '.', 'e', 'E'.
KeyVerdict FloatKey(char ch);
// A radix field's filter: the character upper-cased into *typed, then
// digits of the radix, '+' and '-'.
KeyVerdict RadixKey(char ch, int radix, char* typed);

} // namespace KsNumberText
