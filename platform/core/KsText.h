// Byte-string utilities of the toolbox character set: Pascal-string
// conversion, case-insensitive and natural comparison, space removal.
//
// Case folding covers ASCII and the accented letters of Mac OS Roman (É and é
// compare equal); order is by the byte value of the lower-case form. A null
// string counts as empty.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// In place, as the classic calls: the C string at s becomes a Pascal string
// (cut to 255 bytes) and the other way round. The buffer must hold the C
// string's length plus one bytes; PtoCstr needs the length byte plus one.
unsigned char* CtoPstr(char* s);
char* PtoCstr(unsigned char* s);

// Copying variants into a buffer of dstSize bytes; never overrun it. A Pascal
// result is cut to min(255, dstSize - 1) bytes, a C result is always
// terminated. Answer the number of text bytes copied.
std::size_t KsCopyCToPstr(const char* src, unsigned char* dst, std::size_t dstSize);
std::size_t KsCopyPToCstr(const unsigned char* src, char* dst, std::size_t dstSize);

// Lower-case form of a Mac OS Roman byte.
unsigned char KsToLowerMacRoman(unsigned char c);

// Case-insensitive comparison: < 0, 0 or > 0.
int CIstrcmp(const char* a, const char* b);

// Case-insensitive comparison in which runs of decimal digits compare by their
// value, so "item2" sorts before "item10" (runs of any length; "007" equals
// "7" in value, and only when everything else is equal does the run with fewer
// leading zeros come first). Answers < 0, 0 or > 0.
int CIntstrcmp(const char* a, const char* b);

// Removes blanks (space, tab, line ends, form feed and the non-breaking
// space 0xCA) in place; answers s.
char* DeSpace(char* s);
std::string DeSpace(std::string_view s);

// Number of equal leading bytes of a and b, looking at most at maxLength.
int strSameUpto(const char* a, const char* b, int maxLength = 0x7FFFFFFF);
