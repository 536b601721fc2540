// The toolbox character set, Mac OS Roman, and its conversion to and from
// UTF-8 at the edges (glyph lookup, keyboard input, clipboard, file names, logs).
//
// Bytes 0x00-0x7F are ASCII; control bytes map to themselves. Bytes 0x80-0xFF
// map to their Unicode characters (0xDB is the euro sign, 0xF0 the private-use
// character U+F8FF).
//
// Replacement policy: UTF-8 that is not well formed (a stray continuation byte,
// a truncated sequence, an overlong form, a surrogate, a value above U+10FFFF)
// decodes to U+FFFD, one per maximal invalid subpart, and decoding resumes at
// the next byte that could start a character. A character with no Mac OS Roman
// form (U+FFFD included) becomes '?' in Mac OS Roman text; the conversions
// count those replacements so that callers can refuse such input.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

constexpr char32_t kKsReplacementChar = 0xFFFD;
constexpr unsigned char kKsMacRomanReplacement = '?';

// The Unicode character of one Mac OS Roman byte.
char32_t KsMacRomanToUnicode(unsigned char byte);

// The Mac OS Roman byte of a Unicode character; false when it has none (the
// keyboard refuses such characters).
bool KsUnicodeToMacRoman(char32_t ch, unsigned char* byte);
inline bool KsHasMacRomanForm(char32_t ch) {
    unsigned char unused;
    return KsUnicodeToMacRoman(ch, &unused);
}

// Decodes one character of UTF-8 at text[0..length). Answers the bytes used
// (at least 1 when length > 0, 0 only when length is 0) and stores the
// character, or U+FFFD for an invalid sequence.
std::size_t KsDecodeUTF8(const char* text, std::size_t length, char32_t* ch);

// Encodes one character as UTF-8 into out (4 bytes are enough); answers the
// bytes written. Surrogates and values above U+10FFFF encode U+FFFD.
std::size_t KsEncodeUTF8(char32_t ch, char* out);

// Conversions into a buffer of dstSize bytes. The output is always terminated
// when dstSize > 0, is cut at a character boundary when it does not fit, and
// the answer is the number of bytes written before the terminator.
// `truncated` (optional) tells whether input was left over; `replaced`
// (optional) counts characters that became '?'.
std::size_t KsMacRomanToUTF8(const char* src, std::size_t srcLength, char* dst, std::size_t dstSize,
                             bool* truncated = nullptr);
std::size_t KsUTF8ToMacRoman(const char* src, std::size_t srcLength, char* dst, std::size_t dstSize,
                             std::size_t* replaced = nullptr, bool* truncated = nullptr);

// Whole strings.
std::string KsMacRomanToUTF8(std::string_view text);
std::string KsUTF8ToMacRoman(std::string_view text, std::size_t* replaced = nullptr);
