// Typed timecode and edgecode text: edit keys tidied as they arrive, the
// readers' bounds and no-value marks, and random type-then-read round trips.
#include "KsCodeText.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace KsCodeText;

namespace {

// Types `keys` at the end of `text` (or over [s, e) for the first key) and
// answers the text, as a field does key by key.
std::string TypeTC(std::string text, const std::string& keys, char sep = ':', UInt16 flags = 0) {
    for (char k : keys) {
        TypedCode out;
        const auto end = SInt32(text.size());
        if (TCEditKey(text.c_str(), end, end, k, sep, flags, &out)) text = out.text;
    }
    return text;
}

std::string TypeEC(std::string text, const std::string& keys) {
    for (char k : keys) {
        TypedCode out;
        const auto end = SInt32(text.size());
        if (ECEditKey(text.c_str(), end, end, k, &out)) text = out.text;
    }
    return text;
}

} // namespace

TEST(CodeText, TypingTidiesAsKeysArrive) {
    const std::string bs(1, kBackspace);
    struct Case {
        std::string start, keys;
        char sep;
        const char* want;
    } cases[] = {
        {"", "1234", ':', "12:34"},
        {"", "1234567", ';', "1;23;45;67"},
        {"", "123456789", ':', "12:34:56:78"}, // a full text ignores more digits
        {"12:34", bs, ':', "1:23"},
        {"12:34", "-", ':', "-12:34"},
        {"-12:34", "+", ':', "+12:34"},
        {"12:34", "=", ';', "12;34"},
        {"-12:34:56:78", "9", ':', "-12:34:56:78"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TypeTC(c.start, c.keys, c.sep), c.want) << c.start << " + " << c.keys;
    EXPECT_EQ(TypeTC("", "12345", ':', kTCFormatFrames), "12345");
    EXPECT_EQ(TypeEC("", "1205"), "12+05");
    EXPECT_EQ(TypeEC("12+05", bs), "1+20");

    // Typing over a selection, and the caret keeps its distance from the end.
    TypedCode out;
    ASSERT_TRUE(TCEditKey("12:34", 0, 2, '9', ':', 0, &out));
    EXPECT_STREQ(out.text, "9:34");
    EXPECT_EQ(out.caret, 1);
    ASSERT_TRUE(TCEditKey("12:34:56:78", 0, 11, '5', ':', 0, &out)); // full, but selected
    EXPECT_STREQ(out.text, "5");
    ASSERT_TRUE(TCEditKey("12:34", 1, 1, kDelete, ':', 0, &out));
    EXPECT_STREQ(out.text, "1:34");
    EXPECT_EQ(out.caret, 1);
}

TEST(CodeText, ReadingTypedText) {
    const timecode_t at25 = TCMake(kTCRate25, kTCNoValue);
    struct Case {
        std::string text;
        UInt16 flags;
        SInt32 frames; // kTCNoValue: unreadable
    } cases[] = {
        {"1:2", 0, 45}, // one digit after the separator counts as tens
        {"01:00", 0, 25},
        {"1;23", 0, 48},
        {"", 0, kTCNoValue},
        {"junk", 0, kTCNoValue},
        {"120", kTCFormatFrames, 120},
        // 64 characters ending in ":5": the appended "0" and the terminator
        // must both fit.
        {std::string(62, '1') + ":5", 0, kTCNoValue},
        {std::string(200, '7'), 0, kTCNoValue},
    };
    for (const Case& c : cases) {
        timecode_t tc{};
        EXPECT_EQ(ReadTypedTC(c.text.c_str(), c.flags, at25, &tc), c.frames != kTCNoValue);
        EXPECT_EQ(tc.frames, c.frames) << c.text;
        EXPECT_EQ(tc.rate, kTCRate25);
    }

    struct FrameCase {
        std::string text;
        bool ok;
        SInt32 frames;
    } frameCases[] = {
        {"", true, 0},
        {"1:00", true, 100},
        {"-12-3", true, -12},
        {"99999999999999999999", true, 2147483647},
        {"-2147483648", true, -2147483647}, // never the no-value mark
        {"abc", false, 0},
        {"-", false, 0},
        {std::string(500, '9'), true, 2147483647},
    };
    for (const FrameCase& c : frameCases) {
        SInt32 f = 7;
        EXPECT_EQ(ReadFrameCount(c.text.c_str(), &f), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(f, c.frames) << c.text;
        }
    }

    const edgecode_t ec16 = ECMake(kECFilm16mm, "KZ12", 77);
    edgecode_t ec{};
    EXPECT_TRUE(ReadTypedEC("0+00", true, ec16, &ec)); // frame 0 is a value
    EXPECT_EQ(ec.frames, 0);
    EXPECT_TRUE(ReadTypedEC("1+05", false, ec16, &ec));
    EXPECT_EQ(ec.frames, 45);
    EXPECT_EQ(ec.filmType, kECFilm16mm);
    EXPECT_FALSE(ReadTypedEC("junk", false, ec16, &ec));
    EXPECT_EQ(ec.frames, 0);
    EXPECT_FALSE(ReadTypedEC("", true, ec16, &ec));
}

TEST(CodeText, RandomTypedDigitsReadBackAsTheValue) {
    const SInt32 rates[] = {23, 24, 25, 29, 129, 30, 47, 48, 50, 59, 159, 60};
    const SInt32 films[] = {kECFilm35mm4Perf, kECFilm16mm, kECFilm35mm3Perf, kECFilm35mm2Perf};
    std::mt19937 rng(7);
    for (int i = 0; i < 600; ++i) {
        const SInt32 rate = rates[i % 12];
        const SInt32 frames =
            std::uniform_int_distribution<SInt32>(0, TCFramesPerDay(rate) - 1)(rng);
        const timecode_t tc = TCMake(rate, frames);
        char shown[32];
        ASSERT_TRUE(TCToStr(tc, shown, sizeof shown, kTCFormatValid));
        std::string digits;
        for (const char* p = shown; *p; ++p)
            if (*p >= '0' && *p <= '9') digits += *p;
        const std::string typed = TypeTC("", digits, TCIsDrop(tc) ? ';' : ':');
        timecode_t back{};
        ASSERT_TRUE(ReadTypedTC(typed.c_str(), 0, TCMake(rate, kTCNoValue), &back)) << typed;
        ASSERT_EQ(back.frames, frames) << shown << " typed as " << typed;

        const edgecode_t ec = ECMake(films[i % 4], nullptr,
                                     std::uniform_int_distribution<SInt32>(-99999, 99999)(rng));
        char foot[32];
        ASSERT_TRUE(ECToFootageStr(ec, foot, sizeof foot, kECFormatValid));
        edgecode_t ecBack{};
        ASSERT_TRUE(ReadTypedEC(foot, true, ECMake(films[i % 4], nullptr, 0), &ecBack)) << foot;
        ASSERT_EQ(ecBack.frames, ec.frames) << foot;
    }
}
