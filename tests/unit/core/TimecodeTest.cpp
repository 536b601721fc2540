#include "Timecode.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

const SInt32 kAllRates[] = {kTCRate23_976,  kTCRate24,    kTCRate25,      kTCRate29_97,
                            kTCRate29_97DF, kTCRate30,    kTCRate47_952,  kTCRate48,
                            kTCRate50,      kTCRate59_94, kTCRate59_94DF, kTCRate60};

constexpr UInt16 kShow = kTCFormatValid;
constexpr UInt16 kShowDur = kTCFormatValid | kTCFormatDuration;

std::string Str(SInt32 rate, SInt32 frames, UInt16 flags = kShow) {
    char buf[32];
    EXPECT_TRUE(TCToStr(TCMake(rate, frames), buf, sizeof buf, flags));
    return buf;
}

// Frame count read from text; kTCNoValue stands for "refused".
SInt32 Read(SInt32 rate, const char* text, UInt16 flags = 0) {
    timecode_t desc = TCMake(rate, 0);
    timecode_t tc = TCMake(rate, 12345);
    if (!TCStrToTC(&tc, text, flags, &desc)) {
        EXPECT_EQ(tc.frames, 12345) << "a refused text must leave the value alone";
        return kTCNoValue;
    }
    EXPECT_EQ(tc.rate, rate);
    return tc.frames;
}

std::string Adjust(const char* text, char sep = ':', UInt16 flags = 0, int length = 32) {
    char buf[64] = {};
    std::snprintf(buf, sizeof buf, "%s", text);
    int n = TCAdjustStr(buf, sep, length, flags);
    EXPECT_EQ(n, int(std::strlen(buf)));
    return buf;
}

// Labels per second: a fractional rate counts as the integer rate above it.
int Nominal(SInt32 rate) {
    const int r = rate % 100;
    return r == 23 || r == 29 || r == 47 || r == 59 ? r + 1 : r;
}
int Drop(SInt32 rate) {
    return rate == kTCRate29_97DF ? 2 : rate == kTCRate59_94DF ? 4 : 0;
}

// An independent reference: labels counted one frame at a time, skipping the
// dropped labels as the standard states them.
struct LabelStepper {
    int nominal, drop;
    int h = 0, m = 0, s = 0, f = 0;
    void Next() {
        if (++f < nominal) return;
        f = 0;
        if (++s < 60) return;
        s = 0;
        if (++m == 60) {
            m = 0;
            ++h;
        }
        if (drop && m % 10 != 0) f = drop;
    }
    std::string Text() const {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%02d:%02d:%02d%c%02d", h, m, s, drop ? ';' : ':', f);
        return buf;
    }
};

} // namespace

// ---- Published values -------------------------------------------------------

TEST(TimecodeTable, DropFrameValuesFromPublishedTables) {
    struct Row {
        SInt32 rate;
        const char* text;
        SInt32 frames;
    };
    const Row rows[] = {
        {kTCRate29_97DF, "00:00:59;29", 1799},    {kTCRate29_97DF, "00:01:00;02", 1800},
        {kTCRate29_97DF, "00:02:00;02", 3598},    {kTCRate29_97DF, "00:09:59;29", 17981},
        {kTCRate29_97DF, "00:10:00;00", 17982},   {kTCRate29_97DF, "00:10:00;01", 17983},
        {kTCRate29_97DF, "00:11:00;02", 19782},   {kTCRate29_97DF, "01:00:00;00", 107892},
        {kTCRate29_97DF, "10:00:00;00", 1078920}, {kTCRate29_97DF, "23:59:59;29", 2589407},
        {kTCRate59_94DF, "00:00:59;59", 3599},    {kTCRate59_94DF, "00:01:00;04", 3600},
        {kTCRate59_94DF, "00:10:00;00", 35964},   {kTCRate59_94DF, "01:00:00;00", 215784},
        {kTCRate29_97, "01:00:00:00", 108000},    {kTCRate23_976, "01:00:00:00", 86400},
        {kTCRate25, "00:00:01:00", 25},           {kTCRate47_952, "00:00:01:47", 95},
        {kTCRate60, "00:01:00:00", 3600},         {kTCRate50, "23:59:59:49", 4319999},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(Str(r.rate, r.frames), r.text) << r.rate;
        EXPECT_EQ(Read(r.rate, r.text), r.frames) << r.rate << " " << r.text;
    }
    EXPECT_EQ(TCFramesPerDay(kTCRate29_97DF), 2589408);
    EXPECT_EQ(TCFramesPerDay(kTCRate59_94DF), 5178816);
    EXPECT_EQ(TCFramesPerDay(kTCRate25), 2160000);
    EXPECT_EQ(TCFramesPerDay(7), 0);
}

// ---- Properties over every rate ---------------------------------------------

// The whole day is walked label by label; the formatter must agree with the
// walk on a dense sample and on every frame near each minute's start, and the
// reader must take every such text back to its frame.
TEST(TimecodeProperty, LabelsMatchFrameByFrameCountingAndReadBack) {
    for (SInt32 rate : kAllRates) {
        LabelStepper step{Nominal(rate), Drop(rate)};
        const SInt32 day = TCFramesPerDay(rate);
        int checked = 0;
        for (SInt32 n = 0; n < day; ++n, step.Next()) {
            // Every frame within 4 of a minute's start, and a stride elsewhere.
            bool nearMinute = (step.s == 0 && step.f < step.drop + 4) ||
                              (step.s == 59 && step.f >= step.nominal - 4);
            if (!nearMinute && n % 197 != 0 && n != day - 1) continue;
            std::string text = step.Text();
            ASSERT_EQ(Str(rate, n), text) << "rate " << rate << " frame " << n;
            ASSERT_EQ(Read(rate, text.c_str()), n) << "rate " << rate << " " << text;
            ++checked;
        }
        EXPECT_EQ(step.h, 24) << "the walk must end exactly at midnight";
        EXPECT_EQ(step.m + step.s + step.f, 0);
        EXPECT_GT(checked, day / 197);
    }
}

TEST(TimecodeProperty, DurationsAndTimesOfDayRoundTripFromMinus24hToPlus24h) {
    for (SInt32 rate : kAllRates) {
        const SInt32 day = TCFramesPerDay(rate);
        for (SInt32 n = -day; n <= day; n += 1999) {
            for (SInt32 k : {n, n + 1, n + 2}) {
                std::string dur = Str(rate, k, kShowDur);
                ASSERT_EQ(Read(rate, dur.c_str(), kTCFormatDuration), k) << rate << " " << dur;
                ASSERT_EQ(dur[0] == '-', k < 0) << dur;
                SInt32 wrapped = ((k % day) + day) % day;
                std::string tod = Str(rate, k);
                ASSERT_EQ(Read(rate, tod.c_str()), wrapped) << rate << " " << tod;
                ASSERT_EQ(Str(rate, wrapped), tod);
                std::string count = Str(rate, k, kShowDur | kTCFormatFrames);
                ASSERT_EQ(count, std::to_string(k));
                ASSERT_EQ(Read(rate, count.c_str(), kTCFormatDuration | kTCFormatFrames), k);
            }
        }
    }
}

TEST(TimecodeProperty, NoDropFrameTextNamesASkippedLabel) {
    for (SInt32 rate : {kTCRate29_97DF, kTCRate59_94DF}) {
        const int drop = Drop(rate);
        const int perMinute = Nominal(rate) * 60;
        // Every label read back, and every frame near where each minute starts
        // (a short minute starts drop frames early), is checked.
        for (int minute = 0; minute < 24 * 60; ++minute) {
            SInt32 start = minute * perMinute - drop * (minute - (minute + 9) / 10);
            for (SInt32 n = start - 6; n < start + 6; ++n) {
                if (n < 0) continue;
                std::string t = Str(rate, n);
                int h, m, s, f;
                ASSERT_EQ(std::sscanf(t.c_str(), "%d:%d:%d;%d", &h, &m, &s, &f), 4) << t;
                ASSERT_FALSE(m % 10 != 0 && s == 0 && f < drop) << t;
                ASSERT_EQ(h * 60 + m, n < start ? minute - 1 : minute) << t;
            }
        }
    }
}

// ---- Reading ------------------------------------------------------------------

TEST(TimecodeRead, AcceptedForms) {
    const SInt32 r = kTCRate30;
    EXPECT_EQ(Read(r, "1.2,3;4"), ((1 * 60 + 2) * 60 + 3) * 30 + 4);
    EXPECT_EQ(Read(r, "2:10"), 70);
    EXPECT_EQ(Read(r, "5"), 5);
    EXPECT_EQ(Read(r, "1:00:00"), 1800);
    EXPECT_EQ(Read(r, "  +00:00:01:00 "), 30);
    // Runs of digits are pairs from the right.
    EXPECT_EQ(Read(r, "1229"), 12 * 30 + 29);
    EXPECT_EQ(Read(r, "123"), 30 + 23);
    EXPECT_EQ(Read(r, "10000000"), 10 * 3600 * 30);
    EXPECT_EQ(Read(r, "0000000000001"), 1);
    // A skipped drop-frame label is read as the next frame that exists.
    EXPECT_EQ(Read(kTCRate29_97DF, "00:01:00;00"), 1800);
    EXPECT_EQ(Read(kTCRate29_97DF, "00:01:00:01"), 1800);
    EXPECT_EQ(Read(kTCRate59_94DF, "00:01:00;03"), 3600);
    // Frame counts.
    EXPECT_EQ(Read(r, "2591999", kTCFormatFrames), 2591999);
    EXPECT_EQ(Read(r, "-1", kTCFormatFrames), 2591999);
    EXPECT_EQ(Read(r, "-1", kTCFormatFrames | kTCFormatDuration), -1);
    // Durations go past 24 hours and carry a sign; times of day count back from midnight.
    EXPECT_EQ(Read(r, "100:00:00:00", kTCFormatDuration), 100 * 3600 * 30);
    EXPECT_EQ(Read(r, "-00:00:01:00", kTCFormatDuration), -30);
    EXPECT_EQ(Read(r, "-00:00:01:00"), 24 * 3600 * 30 - 30);
    EXPECT_EQ(Read(r, "-0"), 0);
}

TEST(TimecodeRead, RefusedForms) {
    const SInt32 r = kTCRate25;
    const std::vector<const char*> malformed = {
        "", " ", "-", "+", ":", "1:", ":1", "1::2", "1a", "a1", "1 2", "--1", "+-1", "1-", "\x80"};
    const std::vector<const char*> outOfRange = {
        "1:2:3:4:5",   "1:002",   "00:00:00:25", "00:00:60:00",  "00:60:00:00",
        "24:00:00:00", "1:60:00", "1234",        "12:34:56:78x", "99999999999999999999999"};
    for (const auto* forms : {&malformed, &outOfRange})
        for (const char* bad : *forms)
            EXPECT_EQ(Read(r, bad), kTCNoValue) << '"' << bad << '"';
    EXPECT_EQ(Read(r, "12:00", kTCFormatFrames), kTCNoValue);
    EXPECT_EQ(Read(r, "2160000", kTCFormatFrames), kTCNoValue); // a day is past the last frame
    // The frame count must stay a 32-bit count other than the no-value mark.
    EXPECT_EQ(Read(r, "2147483647", kTCFormatFrames | kTCFormatDuration), 2147483647);
    EXPECT_EQ(Read(r, "-2147483647", kTCFormatFrames | kTCFormatDuration), -2147483647);
    EXPECT_EQ(Read(r, "-2147483648", kTCFormatFrames | kTCFormatDuration), kTCNoValue);
    EXPECT_EQ(Read(r, "23860:55:45:22", kTCFormatDuration), 2147483647);
    EXPECT_EQ(Read(r, "23860:55:45:23", kTCFormatDuration), kTCNoValue);

    timecode_t tc = TCMake(r, 7);
    timecode_t unknownRate = TCMake(77, 0);
    EXPECT_FALSE(TCStrToTC(nullptr, "1", 0, nullptr));
    EXPECT_FALSE(TCStrToTC(&tc, nullptr, 0, nullptr));
    EXPECT_FALSE(TCStrToTC(&tc, "1", 0, &unknownRate));
    EXPECT_EQ(tc.frames, 7);
}

TEST(TimecodeRead, DescriptorGivesRateAndNullMeansTheDefault) {
    timecode_t desc = TCMake(kTCRate25, 0);
    desc.reserved[0] = 42;
    timecode_t tc{};
    ASSERT_TRUE(TCStrToTC(&tc, "1:00", 0, &desc));
    EXPECT_EQ(tc.rate, kTCRate25);
    EXPECT_EQ(tc.reserved[0], 42);
    EXPECT_EQ(tc.frames, 25);
    ASSERT_TRUE(TCStrToTC(&tc, "1:00", 0, nullptr));
    EXPECT_EQ(tc.rate, TCGetDefaultRate());
    EXPECT_EQ(tc.frames, 30);
}

// ---- Writing ------------------------------------------------------------------

TEST(TimecodeWrite, FlagsNoValueAndBufferLimits) {
    const timecode_t tc = TCMake(kTCRate29_97DF, 107892);
    char buf[16];
    std::memset(buf, 'x', sizeof buf);
    EXPECT_TRUE(TCToStr(tc, buf, sizeof buf, 0));
    EXPECT_STREQ(buf, "") << "without the valid flag the text is empty";
    EXPECT_TRUE(TCToStr(TCMake(kTCRate30, kTCNoValue), buf, sizeof buf, kShow));
    EXPECT_STREQ(buf, "");
    EXPECT_EQ(Str(kTCRate30, 3600, kShow | kTCFormatFrames), "3600");

    // "01:00:00;00" is 11 characters: 12 bytes fit, 11 do not.
    std::memset(buf, 'x', sizeof buf);
    EXPECT_TRUE(TCToStr(tc, buf, 12, kShow));
    EXPECT_STREQ(buf, "01:00:00;00");
    std::memset(buf, 'x', sizeof buf);
    EXPECT_FALSE(TCToStr(tc, buf, 11, kShow));
    EXPECT_EQ(buf[0], '\0');
    EXPECT_EQ(buf[1], 'x') << "nothing written past the terminator";
    std::memset(buf, 'x', sizeof buf);
    EXPECT_FALSE(TCToStr(tc, buf, 0, kShow));
    EXPECT_EQ(buf[0], 'x');
    EXPECT_FALSE(TCToStr(tc, nullptr, 16, kShow));
    EXPECT_FALSE(TCToStr(TCMake(77, 0), buf, sizeof buf, kShow));
    EXPECT_STREQ(buf, "");

    // The longest duration still fits the 16-byte buffers text fields use.
    EXPECT_TRUE(TCToStr(TCMake(kTCRate23_976, -2147483647), buf, 16, kShowDur));
    EXPECT_STREQ(buf, "-24855:08:05:07");
    EXPECT_EQ(Read(kTCRate23_976, buf, kTCFormatDuration), -2147483647);
    for (SInt32 rate : kAllRates) {
        for (SInt32 n : {2147483647, -2147483647}) {
            ASSERT_TRUE(TCToStr(TCMake(rate, n), buf, 16, kShowDur)) << rate;
            EXPECT_EQ(Read(rate, buf, kTCFormatDuration), n) << rate << " " << buf;
        }
    }
}

// ---- Typing -----------------------------------------------------------------

TEST(TimecodeAdjust, GroupsDigitsAsTyped) {
    EXPECT_EQ(Adjust("1234"), "12:34");
    EXPECT_EQ(Adjust("1"), "1");
    EXPECT_EQ(Adjust("123"), "1:23");
    EXPECT_EQ(Adjust("1234567", ';'), "1;23;45;67");
    EXPECT_EQ(Adjust("12:34:56:789"), "23:45:67:89") << "the last 8 digits stay";
    EXPECT_EQ(Adjust("-1234"), "-12:34");
    EXPECT_EQ(Adjust(" 1:2a3"), " 1:23");
    EXPECT_EQ(Adjust("+"), "+");
    EXPECT_EQ(Adjust("1-2"), "12") << "a sign counts only in the first position";
    EXPECT_EQ(Adjust("12345", ':', kTCFormatFrames), "12345");
    EXPECT_EQ(Adjust("1234", '5'), "12:34") << "a digit cannot separate digits";
    EXPECT_EQ(Adjust(""), "");
    EXPECT_EQ(TCAdjustStr(nullptr, ':', 16, 0), 0);
    // A short buffer gives up leading digits, never the terminator.
    EXPECT_EQ(Adjust("1234567", ':', 0, 8), "3:45:67");
    char small[4] = {'1', '2', '3', '4'}; // not terminated
    EXPECT_EQ(TCAdjustStr(small, ':', 4, 0), 2);
    EXPECT_STREQ(small, "23");
}

TEST(TimecodeAdjust, IdempotentOnRandomText) {
    std::mt19937 rng(7);
    const char alphabet[] = "0123456789:;.,+- ax";
    for (int i = 0; i < 20000; ++i) {
        char buf[24] = {};
        int n = int(rng() % 20);
        for (int k = 0; k < n; ++k)
            buf[k] = alphabet[rng() % (sizeof alphabet - 1)];
        int length = 4 + int(rng() % 20);
        UInt16 flags = (rng() & 1) ? kTCFormatFrames : 0;
        char sep = (rng() & 1) ? ':' : ';';
        int first = TCAdjustStr(buf, sep, length, flags);
        ASSERT_LT(first, length);
        std::string once = buf;
        ASSERT_EQ(TCAdjustStr(buf, sep, length, flags), first) << once;
        ASSERT_EQ(once, buf);
        int digits = 0;
        for (char c : once)
            digits += c >= '0' && c <= '9';
        ASSERT_LE(digits, 8);
    }
}

// ---- Values -----------------------------------------------------------------

TEST(TimecodeValue, DefaultsEqualityDropAndConversion) {
    EXPECT_EQ(TCGetDefaultRate(), kTCRate29_97DF);
    EXPECT_EQ(TCGetDefault(kTCNoValue).frames, kTCNoValue);
    EXPECT_TRUE(TCEqual(TCGetDefault(5), TCMake(kTCRate29_97DF, 5)));
    EXPECT_FALSE(TCEqual(TCMake(kTCRate29_97DF, 5), TCMake(kTCRate29_97, 5)));
    EXPECT_FALSE(TCEqual(TCMake(kTCRate30, 5), TCMake(kTCRate30, 6)));
    EXPECT_FALSE(TCSetDefaultRate(31));
    ASSERT_TRUE(TCSetDefaultRate(kTCRate25));
    EXPECT_EQ(TCGetDefault(1).rate, kTCRate25);
    TCSetDefaultRate(kTCRate29_97DF);

    timecode_t tc = TCMake(kTCRate29_97, 1800);
    ASSERT_TRUE(TCChangeDrop(tc, true));
    EXPECT_EQ(tc.rate, kTCRate29_97DF);
    EXPECT_EQ(tc.frames, 1800);
    EXPECT_TRUE(TCIsDrop(tc));
    ASSERT_TRUE(TCChangeDrop(tc, false));
    EXPECT_EQ(tc.rate, kTCRate29_97);
    tc = TCMake(kTCRate59_94, 1);
    ASSERT_TRUE(TCChangeDrop(tc, true));
    EXPECT_EQ(tc.rate, kTCRate59_94DF);
    tc = TCMake(kTCRate25, 1);
    EXPECT_FALSE(TCChangeDrop(tc, true));
    EXPECT_EQ(tc.rate, kTCRate25);

    // Conversions keep the time: 17,982 frames of 29.97 last 599.9994 s, 14,399.99
    // frames at 24; at 23.976 the same count is 24/30 of it, 14,385.6.
    tc = TCMake(kTCRate29_97DF, 17982);
    ASSERT_TRUE(TCConvertFPS(tc, 24));
    EXPECT_EQ(tc.rate, kTCRate24);
    EXPECT_EQ(tc.frames, 14400);
    tc = TCMake(kTCRate29_97DF, -17982);
    ASSERT_TRUE(TCConvertFPS(tc, kTCRate23_976));
    EXPECT_EQ(tc.frames, -14386) << "rounded away from zero like a positive count";
    tc = TCMake(kTCRate25, 25);
    ASSERT_TRUE(TCConvertFPS(tc, kTCRate60));
    EXPECT_EQ(tc.frames, 60);
    tc = TCMake(kTCRate30, kTCNoValue);
    ASSERT_TRUE(TCConvertFPS(tc, kTCRate24));
    EXPECT_EQ(tc.frames, kTCNoValue);
    tc = TCMake(kTCRate24, 2000000000);
    EXPECT_FALSE(TCConvertFPS(tc, kTCRate60));
    EXPECT_TRUE(TCEqual(tc, TCMake(kTCRate24, 2000000000)));
    EXPECT_FALSE(TCConvertFPS(tc, 26));
}
