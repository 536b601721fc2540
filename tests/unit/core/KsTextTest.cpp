#include "KsText.h"
#include "KsMacRoman.h"
#include "KsMacTypes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {
int Sign(int v) {
    return (v > 0) - (v < 0);
}
} // namespace

TEST(KsText, PascalStringsInPlaceAndCopied) {
    char buf[300] = "Hello";
    unsigned char* p = CtoPstr(buf);
    EXPECT_EQ(p[0], 5);
    EXPECT_EQ(std::memcmp(p + 1, "Hello", 5), 0);
    EXPECT_STREQ(PtoCstr(p), "Hello");

    std::string longText(280, 'x');
    std::memcpy(buf, longText.c_str(), longText.size() + 1);
    p = CtoPstr(buf);
    EXPECT_EQ(p[0], 255); // cut to a Pascal string's limit
    EXPECT_EQ(std::string(PtoCstr(p)), std::string(255, 'x'));

    char empty[2] = "";
    EXPECT_EQ(CtoPstr(empty)[0], 0);

    // Copies never overrun the destination.
    unsigned char small[4] = {9, 9, 9, 9};
    EXPECT_EQ(KsCopyCToPstr("abcdef", small, 4), 3u);
    EXPECT_EQ(small[0], 3);
    EXPECT_EQ(std::memcmp(small + 1, "abc", 3), 0);
    Str255 big;
    EXPECT_EQ(KsCopyCToPstr(longText.c_str(), big, sizeof big), 255u);
    char c[4] = {9, 9, 9, 9};
    EXPECT_EQ(KsCopyPToCstr(big, c, sizeof c), 3u);
    EXPECT_STREQ(c, "xxx");
    EXPECT_EQ(KsCopyPToCstr(nullptr, c, sizeof c), 0u);
    EXPECT_STREQ(c, "");
    EXPECT_EQ(KsCopyCToPstr("abc", small, 0), 0u);
}

TEST(KsText, CaseInsensitiveComparison) {
    EXPECT_EQ(CIstrcmp("APane", "apane"), 0);
    EXPECT_EQ(CIstrcmp("\x83t\x8E", "\x8Et\x83"), 0); // Été / éTÉ in Mac OS Roman
    EXPECT_EQ(CIstrcmp("\xCE", "\xCF"), 0);           // Œ œ
    EXPECT_LT(CIstrcmp("abc", "ABD"), 0);
    EXPECT_GT(CIstrcmp("abcd", "ABC"), 0);
    EXPECT_LT(CIstrcmp("", "a"), 0);
    EXPECT_EQ(CIstrcmp(nullptr, ""), 0);
    // Folding to lower case: '_' (0x5F) sorts before letters, as in strcasecmp.
    EXPECT_LT(CIstrcmp("_x", "A"), 0);
    // Bytes above 0x7F sort after ASCII, as unsigned values.
    EXPECT_GT(CIstrcmp("\x80", "z"), 0);
    // Each folded pair is one letter in Unicode upper and lower case; every
    // Latin-1 capital of the set has its small letter in the set, and is folded.
    int folded = 0;
    for (int b = 0x80; b < 256; ++b) {
        unsigned char l = KsToLowerMacRoman(static_cast<unsigned char>(b));
        char32_t u = KsMacRomanToUnicode(static_cast<unsigned char>(b));
        char32_t lu = KsMacRomanToUnicode(l);
        if (l != b) {
            ++folded;
            EXPECT_TRUE(lu == u + 0x20 || (u == 0x152 && lu == 0x153) || (u == 0x178 && lu == 0xFF))
                << b;
        } else if (u >= 0xC0 && u <= 0xDE && u != 0xD7) {
            EXPECT_FALSE(KsHasMacRomanForm(u + 0x20)) << "capital left unfolded: " << b;
        }
    }
    EXPECT_EQ(folded, 29);
}

TEST(KsText, NaturalComparisonOfDigitRuns) {
    EXPECT_LT(CIntstrcmp("item2", "item10"), 0);
    EXPECT_GT(CIntstrcmp("item10", "ITEM9"), 0);
    EXPECT_EQ(CIntstrcmp("Take 3", "take 3"), 0);
    EXPECT_LT(CIntstrcmp("a2b9", "a2b10"), 0);
    EXPECT_LT(CIntstrcmp("x", "x1"), 0);
    EXPECT_LT(CIntstrcmp("1", "a"), 0);
    // Beyond 64 bits: compared by length and digits, not converted.
    EXPECT_LT(CIntstrcmp("n99999999999999999999", "n100000000000000000000"), 0);
    EXPECT_GT(CIntstrcmp("n123456789012345678901234567890", "n123456789012345678901234567889"), 0);
    // Leading zeros do not change the value; they only break ties.
    EXPECT_LT(CIntstrcmp("f007z", "f10"), 0);
    EXPECT_GT(CIntstrcmp("f007b", "f7a"), 0); // the text after decides first
    EXPECT_GT(CIntstrcmp("f007", "f7"), 0);
    EXPECT_LT(CIntstrcmp("f7", "f007"), 0);
    EXPECT_LT(CIntstrcmp("0000000000000000000000001", "2"), 0);
    EXPECT_EQ(CIntstrcmp("", ""), 0);

    // A table sorts with it: the order must be a consistent total order.
    std::vector<std::string> rows = {"Clip 10", "clip 9",  "Clip 010", "clip 1",
                                     "Clip 2",  "clip 09", "clip",     "Clip 100"};
    std::sort(rows.begin(), rows.end(), [](const std::string& a, const std::string& b) {
        return CIntstrcmp(a.c_str(), b.c_str()) < 0;
    });
    const std::vector<std::string> expected = {"clip",    "clip 1",  "Clip 2",   "clip 9",
                                               "clip 09", "Clip 10", "Clip 010", "Clip 100"};
    EXPECT_EQ(rows, expected);
    for (const auto& a : rows)
        for (const auto& b : rows)
            EXPECT_EQ(Sign(CIntstrcmp(a.c_str(), b.c_str())),
                      -Sign(CIntstrcmp(b.c_str(), a.c_str())))
                << a << " / " << b;
}

TEST(KsText, DeSpaceAndCommonPrefix) {
    char id[] = " Enable \tAll\xCAOn ";
    EXPECT_STREQ(DeSpace(id), "EnableAllOn");
    EXPECT_EQ(DeSpace(std::string_view("Show Grid Lines")), "ShowGridLines");
    EXPECT_EQ(DeSpace(std::string_view("   ")), "");

    EXPECT_EQ(strSameUpto("00:01:02:03", "00:01:05:00"), 7);
    EXPECT_EQ(strSameUpto("abc", "abc"), 3);
    EXPECT_EQ(strSameUpto("abc", "abcd"), 3);
    EXPECT_EQ(strSameUpto("Abc", "abc"), 0); // case matters: the glyphs differ
    EXPECT_EQ(strSameUpto("abcdef", "abcdef", 4), 4);
    EXPECT_EQ(strSameUpto(nullptr, "x"), 0);
}
