#include "KsMacRoman.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string Bytes(std::initializer_list<int> list) {
    std::string s;
    for (int b : list)
        s += static_cast<char>(b);
    return s;
}

} // namespace

TEST(KsMacRoman, AllBytesRoundTripThroughUnicodeAndUTF8) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        char32_t u = KsMacRomanToUnicode(static_cast<unsigned char>(b));
        if (b < 0x80) {
            EXPECT_EQ(u, char32_t(b)) << b;
        } else {
            EXPECT_GE(u, char32_t(0xA0)) << b; // no high byte falls on a control
        }
        unsigned char back = 0;
        ASSERT_TRUE(KsUnicodeToMacRoman(u, &back)) << b;
        EXPECT_EQ(back, b);
        all += static_cast<char>(b);
    }
    std::size_t replaced = 99;
    std::string utf8 = KsMacRomanToUTF8(all);
    EXPECT_EQ(KsUTF8ToMacRoman(utf8, &replaced), all);
    EXPECT_EQ(replaced, 0u);
    // The buffer forms agree with the string forms.
    char buf[600];
    EXPECT_EQ(KsMacRomanToUTF8(all.data(), all.size(), buf, sizeof buf), utf8.size());
    EXPECT_EQ(std::string(buf, utf8.size()), utf8);
}

TEST(KsMacRoman, KnownCharacters) {
    const std::pair<int, char32_t> known[] = {
        {0x80, U'\u00C4'}, {0xA5, U'\u2022'}, {0xC9, U'\u2026'}, {0xCA, U'\u00A0'},
        {0xDB, U'\u20AC'}, {0xF0, U'\uF8FF'}, {0xFF, U'\u02C7'}, {0x14, U'\x14'}};
    for (auto [byte, ch] : known)
        EXPECT_EQ(KsMacRomanToUnicode(static_cast<unsigned char>(byte)), ch) << byte;
    EXPECT_EQ(KsMacRomanToUTF8(Bytes({0x83, 0xC7, 0xC8})), "\u00C9\u00AB\u00BB");
    // Characters without a form are refused.
    // (The broken bar is Latin-1 but not Mac OS Roman.)
    for (char32_t c : {U'\u00A6', U'\u0416', U'\U0001F600', kKsReplacementChar})
        EXPECT_FALSE(KsHasMacRomanForm(c)) << unsigned(c);
    EXPECT_TRUE(KsHasMacRomanForm(U'\u00E9'));
    // Only the 256 mapped characters have a form.
    int count = 0;
    for (char32_t c = 0; c < 0x10000; ++c)
        count += KsHasMacRomanForm(c);
    EXPECT_EQ(count, 256);
}

TEST(KsMacRoman, InvalidUTF8BecomesOneReplacementPerMaximalSubpart) {
    struct Case {
        std::string in;
        std::string out;
        std::size_t replaced;
    };
    const Case cases[] = {
        {Bytes({0x80}), "?", 1},                      // stray continuation
        {Bytes({'a', 0xC3}), "a?", 1},                // cut at the end
        {Bytes({0xC3, 'b'}), "?b", 1},                // broken by ASCII
        {Bytes({0xC0, 0xAF}), "??", 2},               // overlong lead is never valid
        {Bytes({0xE0, 0x80, 0xAF}), "???", 3},        // overlong three-byte form
        {Bytes({0xED, 0xA0, 0x80}), "???", 3},        // surrogate
        {Bytes({0xF4, 0x90, 0x80, 0x80}), "????", 4}, // above U+10FFFF
        {Bytes({0xF0, 0x9F, 0x98}), "?", 1},          // valid prefix, cut short
        {Bytes({0xE2, 0x82, 0xAC, 0xFF, 'x'}), Bytes({0xDB, '?', 'x'}), 1},
        {"\xF0\x9F\x98\x80", "?", 1}, // well formed but no Mac OS Roman form
    };
    for (const Case& c : cases) {
        std::size_t replaced = 0;
        EXPECT_EQ(KsUTF8ToMacRoman(c.in, &replaced), c.out);
        EXPECT_EQ(replaced, c.replaced);
    }
    char32_t ch = 0;
    EXPECT_EQ(KsDecodeUTF8("\xE2\x82", 2, &ch), 2u);
    EXPECT_EQ(ch, kKsReplacementChar);
    EXPECT_EQ(KsDecodeUTF8("\xE2\x82\xAC", 3, &ch), 3u);
    EXPECT_EQ(ch, U'\u20AC');
    EXPECT_EQ(KsDecodeUTF8("", 0, &ch), 0u);
}

TEST(KsMacRoman, BoundedOutputNeverSplitsACharacter) {
    std::string text = Bytes({'a', 0x80, 0xAA}); // a, Ä (2 bytes), ™ (3 bytes)
    char buf[8];
    bool truncated = false;
    for (std::size_t size = 0; size <= 7; ++size) {
        std::memset(buf, 'Z', sizeof buf);
        std::size_t n = KsMacRomanToUTF8(text.data(), text.size(), buf, size, &truncated);
        std::size_t expect = size >= 7 ? 6 : size >= 4 ? 3 : size >= 2 ? 1 : 0;
        EXPECT_EQ(n, expect) << size;
        EXPECT_EQ(truncated, size < 7) << size;
        if (size > 0) {
            EXPECT_EQ(buf[n], '\0');
        }
        EXPECT_EQ(buf[size], 'Z') << "wrote past a buffer of " << size;
    }
    std::string utf8 = "\u00C4\u00C4";
    std::size_t n = KsUTF8ToMacRoman(utf8.data(), utf8.size(), buf, 2, nullptr, &truncated);
    EXPECT_EQ(n, 1u);
    EXPECT_TRUE(truncated);
    EXPECT_EQ(static_cast<unsigned char>(buf[0]), 0x80);
    EXPECT_EQ(buf[1], '\0');
}
