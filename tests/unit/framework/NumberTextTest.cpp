// Number text of the numeric fields: range-checked reading, grouped and
// radix writing, stepping and the limit rules; random round trips.
#include "KsNumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

using namespace KsNumberText;

namespace {
constexpr SInt32 kMin = std::numeric_limits<SInt32>::min();
constexpr SInt32 kMax = std::numeric_limits<SInt32>::max();

std::string Int(SInt32 v, bool grouped) {
    char b[kIntTextSize];
    FormatInt(v, grouped, b, sizeof b);
    return b;
}
} // namespace

TEST(NumberText, IntegerReadingIsRangeChecked) {
    struct Case {
        const char* text;
        bool ok;
        SInt32 value;
    } cases[] = {
        {"1,234,567", true, 1234567},
        {"-1,234", true, -1234},
        {"-2147483648", true, kMin},
        {"2147483648", true, kMax},
        {"99999999999", true, kMax},
        {"-99999999999", true, kMin},
        {"  42abc", true, 42},
        {"+7", true, 7},
        {"", false, 0},
        {"-", false, 0},
        {",5", false, 0},
        {"abc", false, 0},
    };
    for (const Case& c : cases) {
        SInt32 v = -1;
        EXPECT_EQ(ParseInt(c.text, &v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
}

TEST(NumberText, RadixAndFloatReading) {
    const std::string ones(40, '1');
    struct RadixCase {
        const char* text;
        int radix;
        bool ok;
        SInt32 value;
    } radixCases[] = {
        {"ff", 16, true, 255},         {"8", 8, false, 0}, {"-80000000", 16, true, kMin},
        {"zz", 36, true, 1295},        {"", 2, false, 0},  {"77", 8, true, 63},
        {ones.c_str(), 2, true, kMax},
    };
    for (const RadixCase& c : radixCases) {
        SInt32 v = -1;
        EXPECT_EQ(ParseRadix(c.text, c.radix, &v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
    for (const char* refused : {"nan", "inf", "-inf", "1e999", "-1e999", "", "e5", "NAN(1)"}) {
        double d = 0;
        EXPECT_FALSE(ParseFloat(refused, &d)) << refused;
    }
    double d = 0;
    ASSERT_TRUE(ParseFloat(" 1.5e3", &d));
    EXPECT_EQ(d, 1500.0);
}

TEST(NumberText, Writing) {
    struct Case {
        std::string got, want;
    } cases[] = {
        {Int(1234567, true), "1,234,567"}, {Int(-1234, true), "-1,234"},
        {Int(999, true), "999"},           {Int(kMin, true), "-2,147,483,648"},
        {Int(kMin, false), "-2147483648"}, {Int(1000000000, true), "1,000,000,000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.want);
    struct RadixCase {
        SInt32 v;
        int radix;
        const char* want;
    } radixCases[] = {{255, 16, "FF"}, {0, 8, "0"}, {-5, 2, "-101"}, {kMin, 16, "-80000000"}};
    for (const RadixCase& c : radixCases) {
        char b[kIntTextSize];
        FormatRadix(c.v, c.radix, b, sizeof b);
        EXPECT_STREQ(b, c.want);
    }
    struct FloatCase {
        double v;
        int width, precision;
        const char* want;
    } floatCases[] = {
        {3e10, 12, 0, "30000000000"}, {-0.5, 12, 0, "0"}, {-2.7, 5, 0, "-2"},
        {1.5, 8, 2, "    1.50"},      {0.1, 0, 4, "0.1"},
    };
    for (const FloatCase& c : floatCases) {
        char b[64];
        FormatFloat(c.v, c.width, c.precision, b, sizeof b);
        EXPECT_STREQ(b, c.want);
    }
}

TEST(NumberText, SteppingSaturatesAtTheLimits) {
    EXPECT_EQ(StepInt(kMax, 1, 1, kMin, kMax), kMax);
    EXPECT_EQ(StepInt(kMin, 1, -1, kMin, kMax), kMin);
    EXPECT_EQ(StepInt(5, kMax, 1, 0, 100), 100);
    EXPECT_EQ(StepInt(99, 1, 1, 10, 99), 99);
    EXPECT_EQ(StepInt(20, 5, -1, 10, 99), 15);
    EXPECT_EQ(StepFloat(1.0, 1e308, 1, -10.0, 10.0), 10.0);
    EXPECT_EQ(StepFloat(1.0, 0.5, -1, -10.0, 10.0), 0.5);
}

TEST(NumberText, LimitRulesTolerateGrowingPrefixesUntilCommit) {
    using R = LimitReset;
    struct Case {
        SInt32 v, lo, hi;
        bool final;
        R want;
    } cases[] = {
        {5, 10, 99, false, R::none},    {5, 10, 99, true, R::toMin},
        {-5, -50, -10, false, R::none}, {-5, -50, -10, true, R::toMax},
        {100, 10, 99, false, R::toMax}, {-3, 0, 99, false, R::toMin},
        {50, 10, 99, true, R::none},    {kMax, kMin, kMax, true, R::none},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckIntLimits(c.v, c.lo, c.hi, c.final), c.want) << c.v << " " << c.final;
        EXPECT_EQ(CheckFloatLimits(c.v, c.lo, c.hi, c.final), c.want) << c.v << " " << c.final;
    }
    EXPECT_EQ(CheckFloatLimits(0.5, 0.75, 9.0, false), R::none);
    EXPECT_EQ(CheckIntLimits(0, 1, 9, false), R::toMin);
}

TEST(NumberText, KeyFilters) {
    using V = KeyVerdict;
    struct Case {
        char ch;
        const char* text;
        SInt32 s, e, minVal;
        V want;
    } cases[] = {
        {'5', "12", 2, 2, -9, V::pass},   {'5', "-12", 0, 0, -9, V::refuse},
        {'5', "-12", 0, 3, -9, V::pass},  {'-', "12", 0, 0, -9, V::pass},
        {'-', "12", 1, 1, -9, V::refuse}, {'-', "-12", 0, 0, -9, V::refuse},
        {'-', "12", 0, 0, 0, V::refuse},  {'+', "12", 1, 2, 0, V::pass},
        {'x', "", 0, 0, -9, V::refuse},   {',', "1", 1, 1, -9, V::refuse},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IntKey(c.ch, c.text, c.s, c.e, c.minVal), c.want) << c.ch << " " << c.text;
    for (char ch : {'7', '.', 'e', 'E', '+', '-'})
        EXPECT_EQ(FloatKey(ch), V::pass) << ch;
    for (char ch : {'x', ',', '\0', ' '})
        EXPECT_EQ(FloatKey(ch), V::refuse) << int(ch);
    char typed = 0;
    EXPECT_EQ(RadixKey('a', 16, &typed), V::pass);
    EXPECT_EQ(typed, 'A');
    EXPECT_EQ(RadixKey('G', 16, &typed), V::refuse);
    EXPECT_EQ(RadixKey('8', 8, &typed), V::refuse);
    EXPECT_EQ(RadixKey('z', 36, &typed), V::pass);
}

TEST(NumberText, RandomRoundTripsValueTextValue) {
    std::mt19937 rng(20261207);
    std::uniform_int_distribution<SInt32> any(kMin, kMax);
    std::uniform_int_distribution<int> radices(2, 36);
    for (int i = 0; i < 2000; ++i) {
        const SInt32 v = i == 0 ? kMin : i == 1 ? kMax : any(rng);
        SInt32 back = 0;
        ASSERT_TRUE(ParseInt(Int(v, i % 2 == 0).c_str(), &back));
        ASSERT_EQ(back, v);
        const int radix = radices(rng);
        char b[kIntTextSize];
        FormatRadix(v, radix, b, sizeof b);
        ASSERT_TRUE(ParseRadix(b, radix, &back)) << b;
        ASSERT_EQ(back, v) << b << " radix " << radix;
    }
    std::uniform_real_distribution<double> mags(-12, 12);
    std::uniform_int_distribution<int> precisions(1, 8);
    for (int i = 0; i < 2000; ++i) {
        const double v = std::pow(10.0, mags(rng)) * (i % 2 ? -1 : 1);
        const int p = precisions(rng);
        char b[400];
        FormatFloat(v, 12, p, b, sizeof b);
        double back = 0;
        ASSERT_TRUE(ParseFloat(b, &back)) << b;
        const double ulp = std::nextafter(std::fabs(v), INFINITY) - std::fabs(v);
        ASSERT_LE(std::fabs(back - v), 0.5 * std::pow(10.0, -p) + ulp) << b;
    }
}
