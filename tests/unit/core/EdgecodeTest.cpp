#include "Edgecode.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>

namespace {

const SInt32 kAllFilms[] = {kECFilm35mm4Perf, kECFilm16mm, kECFilm35mm3Perf, kECFilm35mm2Perf};

using Writer = bool (*)(const edgecode_t&, char*, int, UInt16);

std::string Write(Writer w, const edgecode_t& ec) {
    char buf[40];
    EXPECT_TRUE(w(ec, buf, sizeof buf, kECFormatValid));
    return buf;
}
std::string Footage(SInt32 film, SInt32 frames) {
    return Write(ECToFootageStr, ECMake(film, nullptr, frames));
}

// Frame count read; -1 stands for "refused" (tests below never read -1 itself).
SInt32 ReadFootage(SInt32 film, const char* text) {
    edgecode_t ec = ECMake(film, "AB", 999);
    if (!ECFootageStrToEC(&ec, text)) {
        EXPECT_EQ(ec.frames, 999) << "a refused text must leave the value alone";
        return -1;
    }
    EXPECT_EQ(ec.filmType, film);
    return ec.frames;
}

// Perforations a frame takes and a foot holds, as the film is made.
struct Perfs {
    int frame, foot;
};
Perfs PerfsOf(SInt32 film) {
    return film == kECFilm16mm        ? Perfs{1, 40}
           : film == kECFilm35mm3Perf ? Perfs{3, 64}
           : film == kECFilm35mm2Perf ? Perfs{2, 64}
                                      : Perfs{4, 64};
}

} // namespace

// Footage counted one perforation at a time must agree with the writer on a
// long run of every film, and every text must read back to its frame.
TEST(EdgecodeProperty, FootageMatchesPerforationCountAndReadsBack) {
    for (SInt32 film : kAllFilms) {
        Perfs p = PerfsOf(film);
        long foot = 0, inFoot = 0, perf = 0;
        for (SInt32 n = 0; n < 200000; ++n) {
            if (n > 0) {
                perf += p.frame;
                if (perf / p.foot != foot) {
                    foot = perf / p.foot;
                    inFoot = 0;
                } else {
                    ++inFoot;
                }
            }
            if (n > 2000 && n % 61 != 0) continue; // every frame early, then a stride
            char want[32];
            std::snprintf(want, sizeof want, "%ld+%02ld", foot, inFoot);
            ASSERT_EQ(Footage(film, n), want) << film;
            ASSERT_EQ(ReadFootage(film, want), n) << film << " " << want;
            std::string neg = Footage(film, -n);
            ASSERT_EQ(neg, n ? std::string("-") + want : want);
            edgecode_t ec = ECMake(film, nullptr, 1);
            ASSERT_TRUE(ECFootageStrToEC(&ec, neg.c_str()));
            ASSERT_EQ(ec.frames, -n);
        }
    }
}

TEST(EdgecodeProperty, HeadersAndSansHeaderTextRoundTrip) {
    std::mt19937 rng(3);
    const char alnum[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int i = 0; i < 5000; ++i) {
        char header[9] = {};
        int len = 1 + int(rng() % 8);
        for (int k = 0; k < len; ++k)
            header[k] = alnum[rng() % 36];
        SInt32 film = kAllFilms[rng() % 4];
        SInt32 frames = SInt32(rng() % 2000000);
        const edgecode_t ec = ECMake(film, header, frames);

        edgecode_t back = ECMake(film, nullptr, 0);
        std::string full = Write(ECToStr, ec);
        ASSERT_TRUE(ECStrToEC(&back, full.c_str())) << full;
        ASSERT_TRUE(ECEqual(back, ec)) << full;

        // Without a header in the text, the header already there stays.
        back = ECMake(film, header, 0);
        std::string sans = Write(ECToStrSansHeader, ec);
        ASSERT_TRUE(ECStrToEC(&back, sans.c_str())) << sans;
        ASSERT_TRUE(ECEqual(back, ec)) << sans;
    }
}

TEST(EdgecodeRead, FormsHeadersAndRefusals) {
    const SInt32 f35 = kECFilm35mm4Perf;
    EXPECT_EQ(ReadFootage(f35, "12+05"), 16 * 12 + 5);
    EXPECT_EQ(ReadFootage(f35, " 1205 "), 16 * 12 + 5);
    EXPECT_EQ(ReadFootage(f35, "5"), 5);
    EXPECT_EQ(ReadFootage(f35, "+1+00"), 16);
    EXPECT_EQ(ReadFootage(f35, "-1:00"), -16);
    for (const char* bad : {"", " ", "+", "-", "0+16", "1+", "+1+", "1+2+3", "1+005", "12a",
                            "KZ 12+05", "1 2", "99999999999999999999", "134217728+00"}) {
        EXPECT_EQ(ReadFootage(f35, bad), -1) << '"' << bad << '"';
    }
    EXPECT_EQ(ReadFootage(kECFilm35mm3Perf, "1+21"), -1) << "the second foot of 3-perf has 21";
    EXPECT_EQ(ReadFootage(kECFilm16mm, "0+40"), -1);

    edgecode_t ec = ECMake(kECFilm16mm, "OLD", 0);
    ASSERT_TRUE(ECStrToEC(&ec, "kz 12 3456 0012+05"));
    EXPECT_EQ(std::string(ec.header, 8), "KZ123456");
    EXPECT_EQ(ec.filmType, kECFilm16mm);
    EXPECT_EQ(ec.frames, 40 * 12 + 5);
    const edgecode_t before = ec;
    for (const char* bad : {"KZ1234567 0+01", "K-Z 0+01", "KZ123456", "KZ 12+05x", "KZ", ""}) {
        EXPECT_FALSE(ECStrToEC(&ec, bad)) << bad;
        EXPECT_TRUE(ECEqual(ec, before));
    }
    EXPECT_FALSE(ECStrToEC(&ec, nullptr));
    EXPECT_FALSE(ECFootageStrToEC(nullptr, "1"));
    edgecode_t unknown = ECMake(9, nullptr, 0);
    EXPECT_FALSE(ECFootageStrToEC(&unknown, "1"));
}

TEST(EdgecodeWrite, FlagsBuffersAndValues) {
    const edgecode_t ec = ECMake(kECFilm35mm4Perf, "AB12", 16 * 3 + 1);
    char buf[16];
    std::memset(buf, 'x', sizeof buf);
    EXPECT_TRUE(ECToFootageStr(ec, buf, sizeof buf, 0));
    EXPECT_STREQ(buf, "");
    std::memset(buf, 'x', sizeof buf);
    EXPECT_TRUE(ECToFootageStr(ec, buf, 5, kECFormatValid)); // "3+01"
    EXPECT_STREQ(buf, "3+01");
    std::memset(buf, 'x', sizeof buf);
    EXPECT_FALSE(ECToStr(ec, buf, 12, kECFormatValid)); // "AB12 0003+01" needs 13
    EXPECT_EQ(buf[0], '\0');
    EXPECT_EQ(buf[1], 'x');
    EXPECT_FALSE(ECToStr(ec, nullptr, 16, kECFormatValid));
    EXPECT_FALSE(ECToStr(ECMake(9, nullptr, 0), buf, sizeof buf, kECFormatValid));
    EXPECT_TRUE(
        ECToFootageStr(ECMake(kECFilm16mm, nullptr, -2147483647 - 1), buf, 16, kECFormatValid));
    EXPECT_STREQ(buf, "-53687091+08");
    EXPECT_EQ(Write(ECToStrSansHeader, ECMake(kECFilm35mm4Perf, nullptr, 16 * 12 + 5)), "0012+05");
    EXPECT_EQ(Write(ECToStr, ECMake(kECFilm35mm4Perf, "kz123456", 16 * 12 + 5)),
              "KZ123456 0012+05");
    EXPECT_EQ(Write(ECToStr, ECMake(kECFilm35mm4Perf, nullptr, 3)), "0000+03");

    EXPECT_TRUE(ECEqual(ECSetFrames(ec, 7), ECMake(kECFilm35mm4Perf, "ab12", 7)));
    EXPECT_FALSE(ECEqual(ec, ECMake(kECFilm35mm4Perf, "AB13", ec.frames)));
    EXPECT_FALSE(ECEqual(ec, ECMake(kECFilm16mm, "AB12", ec.frames)));
    edgecode_t d = ECGetDefault();
    EXPECT_EQ(d.filmType, kECFilm35mm4Perf);
    EXPECT_EQ(d.frames, 0);
    EXPECT_EQ(d.header[0], '\0');
    ASSERT_TRUE(ECSetDefaultFilmType(kECFilm16mm));
    EXPECT_EQ(ECGetDefault().filmType, kECFilm16mm);
    EXPECT_FALSE(ECSetDefaultFilmType(4));
    ECSetDefaultFilmType(kECFilm35mm4Perf);
}

TEST(EdgecodeAdjust, GroupsAsTypedAndIsIdempotent) {
    auto adjust = [](const char* text) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%s", text);
        int n = ECAdjustStr(buf, sizeof buf);
        EXPECT_EQ(n, int(std::strlen(buf)));
        return std::string(buf);
    };
    EXPECT_EQ(adjust("1205"), "12+05");
    EXPECT_EQ(adjust("12"), "12");
    EXPECT_EQ(adjust("-123"), "-1+23");
    EXPECT_EQ(adjust("+12+345"), "+123+45");
    EXPECT_EQ(adjust("123456789"), "234567+89");
    EXPECT_EQ(adjust(""), "");
    EXPECT_EQ(ECAdjustStr(nullptr, 8), 0);

    std::mt19937 rng(11);
    const char alphabet[] = "0123456789+- x:";
    for (int i = 0; i < 20000; ++i) {
        char buf[24] = {};
        int n = int(rng() % 20);
        for (int k = 0; k < n; ++k)
            buf[k] = alphabet[rng() % (sizeof alphabet - 1)];
        int length = 2 + int(rng() % 20);
        int first = ECAdjustStr(buf, length);
        ASSERT_LT(first, length);
        std::string once = buf;
        ASSERT_EQ(ECAdjustStr(buf, length), first);
        ASSERT_EQ(once, buf);
    }
}
