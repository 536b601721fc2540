// Integer, radix, float, timecode and edge code fields typed through the
// real key path: the value at every commit, the limit rules, the canonical
// text and the notifications in order; then both persistence formats.
#include "AECEntry.h"
#include "AFloatEntry.h"
#include "AIntEntry.h"
#include "ARadixIntEntry.h"
#include "ATCEntry.h"
#include "KsPersistRoundTrip.h"
#include "KsUIHooks.h"
#include "ValueFieldTestSupport.h"

#include <limits>

namespace {

std::string gDialogText;
short RecordDialog(const char* text, const char*, short, UIicon_t, const char*, bool, const char*) {
    gDialogText = text;
    return 1;
}

enum class Kind { integer, grouped, radix16, radix8, real };

class NumericEntryTest : public ValueFieldTest {
protected:
    AIntEntry* Int(Kind kind, SInt32 lo, SInt32 hi, SInt32 value = 0) {
        AIntEntry* f = kind == Kind::radix16 || kind == Kind::radix8
                           ? ARadixIntEntry::New(main, 20, S, 120, 20, S, 22, value,
                                                 kind == Kind::radix16 ? 16 : 8)
                           : AIntEntry::New(main, 20, S, 120, 20, S, 22, value);
        f->SetLimits(lo, hi, false);
        f->SetCommas(kind == Kind::grouped);
        return f;
    }
};

TEST_F(NumericEntryTest, IntegerTypingScripts) {
    struct Case {
        const char* name;
        Kind kind;
        SInt32 lo, hi;
        const char* keys;
        const char* text;
        SInt32 value;
        const char* heard;
    } cases[] = {
        {"a prefix below the minimum waits for the commit", Kind::integer, 10, 99, "\t5\r", "10",
         10, "cF"},
        {"a prefix above a negative maximum waits", Kind::integer, -50, -10, "\t-5\r", "-10", -10,
         "ccF"},
        {"no minus when the minimum is 0", Kind::integer, 0, 99, "\t-5\r", "5", 5, "cF"},
        {"grouped on leaving", Kind::grouped, -9999999, 9999999, "\t1234567\r", "1,234,567",
         1234567, "cccccccF"},
        {"grouped negative", Kind::grouped, -9999999, 9999999, "\t-1234\r", "-1,234", -1234,
         "cccccF"},
        {"radix letters typed upper-case", Kind::radix16, 0, 4095, "\tab\r", "AB", 171, "ccF"},
        {"radix limits wait for the commit", Kind::radix16, 0, 255, "\t1ff\r", "FF", 255, "cccF"},
        {"radix 8 refuses 8", Kind::radix8, 0, 99, "\t78\r", "7", 7, "cF"},
        {"too many digits saturate", Kind::integer, std::numeric_limits<SInt32>::min(),
         std::numeric_limits<SInt32>::max(), "\t99999999999\r", "2147483647",
         std::numeric_limits<SInt32>::max(), "cccccccccccF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AIntEntry* f = Int(c.kind, c.lo, c.hi);
        CommitLog log;
        log.Attach(f);
        Type(c.keys);
        EXPECT_EQ(f->GetString(), c.text);
        EXPECT_EQ(f->GetInt(), c.value);
        EXPECT_TRUE(f->HasValue());
        EXPECT_EQ(log.heard, c.heard);
        f->Dispose();
    }
}

TEST_F(NumericEntryTest, LeavingAnUnchangedFieldKeepsItsValue) {
    AIntEntry* n = Int(Kind::grouped, -9999999, 9999999, 1234567);
    auto* x = AFloatEntry::New(main, 20, S, 120, 60, S, 22, 1.23456789);
    // The format's width in characters is not the pane's width in pixels.
    EXPECT_EQ(static_cast<APane*>(x)->GetWidth(), 120);
    CommitLog log;
    log.Attach(n);
    Type("\t\t\t");
    EXPECT_EQ(n->GetInt(), 1234567);
    EXPECT_EQ(n->GetString(), "1,234,567");
    EXPECT_EQ(x->GetFloat(), 1.23456789);
    EXPECT_EQ(log.heard, "F"); // the final one, and no rewrite notice after it
}

TEST_F(NumericEntryTest, PasteKeepsTheCharactersOfANumber) {
    struct Case {
        Kind kind;
        SInt32 lo;
        const char* pasted;
        const char* text;
        SInt32 value;
    } cases[] = {
        {Kind::grouped, -9999999, "1,234,567", "1,234,567", 1234567},
        {Kind::integer, 0, "-12ab3", "123", 123},
        {Kind::radix16, 0, "ff,x", "FF", 255},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pasted);
        AIntEntry* f = Int(c.kind, c.lo, 9999999);
        CommitLog log;
        log.Attach(f);
        Type("\t");
        Paste(c.pasted);
        Type("\r");
        EXPECT_EQ(f->GetString(), c.text);
        EXPECT_EQ(f->GetInt(), c.value);
        EXPECT_EQ(log.heard, "cF");
        f->Dispose();
    }
}

TEST_F(NumericEntryTest, ArrowsStepInsideTheLimitsWithoutOverflow) {
    const SInt32 max = std::numeric_limits<SInt32>::max();
    AIntEntry* f = Int(Kind::integer, 0, max, max - 1);
    f->SetInc(max);
    Type("\t");
    for (UInt8 key : {0x7E, 0x7E})
        Press(key);
    EXPECT_EQ(f->GetInt(), max);
    Press(0x7D);
    EXPECT_EQ(f->GetInt(), 0);
    EXPECT_TRUE(f->IsActive());
    auto* x = AFloatEntry::New(main, 20, S, 120, 60, S, 22, 9.5);
    x->SetLimits(-10.0, 10.0, false);
    x->SetInc(1e308);
    Type("\t");
    ASSERT_TRUE(x->IsActive());
    Press(0x7E);
    EXPECT_EQ(x->GetFloat(), 10.0);
}

TEST_F(NumericEntryTest, ValuesAndTheirAbsence) {
    AIntEntry* f = Int(Kind::integer, -99, 99, 5);
    f->SetCstr("");
    EXPECT_FALSE(f->HasValue());
    EXPECT_EQ(f->GetInt(), 0);
    f->SetInt(0, true); // no value is not the value 0
    EXPECT_TRUE(f->HasValue());
    EXPECT_EQ(f->GetString(), "0");
    EXPECT_TRUE(f->SetLimits(10, 20, false));
    EXPECT_EQ(f->GetInt(), 10);
    f->SetCstr("500"); // set by program: limited, and the field stays inactive
    EXPECT_EQ(f->GetInt(), 20);
    EXPECT_FALSE(f->IsActive());

    auto* x = AFloatEntry::New(main, 20, S, 120, 60, S, 22, 2.0);
    for (const char* bad : {"nan", "inf", "-inf", "1e999"}) {
        x->SetCstr(bad);
        EXPECT_FALSE(x->HasValue()) << bad;
    }
    x->SetFloat(std::numeric_limits<double>::quiet_NaN(), true);
    EXPECT_FALSE(x->HasValue());

    // The warning names the limit that was applied.
    const UIdialogProc was = InstallUIdialog(RecordDialog);
    AIntEntry* w = Int(Kind::integer, 10, 99);
    w->SetLimits(10, 99, true);
    w->Activate();
    w->SetSelect(0, ATextEntry::kTextEnd);
    Type("500\r");
    InstallUIdialog(was);
    EXPECT_EQ(w->GetInt(), 99);
    EXPECT_NE(gDialogText.find("above 99."), std::string::npos) << gDialogText;
}

TEST_F(NumericEntryTest, BothPersistenceFormatsKeepTheValues) {
    AIntEntry* n = Int(Kind::grouped, -500, 5000000, 1234567);
    auto* r = ARadixIntEntry::New(main, 20, S, 120, 60, S, 22, -255, 16);
    auto* x = AFloatEntry::New(main, 20, S, 120, 100, S, 22, 1.0 / 3.0);
    for (int format = 0; format < 2; ++format) {
        SCOPED_TRACE(format ? "pane text" : "object stream");
        auto* n2 =
            format ? ThroughPaneText<AIntEntry>(n, main, win) : ThroughObjectStream<AIntEntry>(n);
        auto* r2 = format ? ThroughPaneText<ARadixIntEntry>(r, main, win)
                          : ThroughObjectStream<ARadixIntEntry>(r);
        auto* x2 = format ? ThroughPaneText<AFloatEntry>(x, main, win)
                          : ThroughObjectStream<AFloatEntry>(x);
        ASSERT_TRUE(n2 && r2 && x2);
        SInt32 lo = 0, hi = 0;
        n2->GetLimits(&lo, &hi);
        EXPECT_EQ(n2->GetInt(), 1234567);
        EXPECT_EQ(lo, -500);
        EXPECT_EQ(hi, 5000000);
        EXPECT_EQ(r2->GetRadix(), 16);
        EXPECT_EQ(r2->GetString(), "-FF");
        EXPECT_EQ(x2->GetFloat(), 1.0 / 3.0);
        for (APane* p : {static_cast<APane*>(n2), static_cast<APane*>(r2), static_cast<APane*>(x2)})
            p->Dispose();
    }
}

class CodeEntryTest : public ValueFieldTest {
protected:
    ATCEntry* TC(SInt32 rate, SInt32 frames = 0) {
        const timecode_t tc = TCMake(rate, frames);
        return ATCEntry::New(main, 20, S, 140, 20, S, 22, 0, &tc);
    }
};

TEST_F(CodeEntryTest, TimecodeTypingScripts) {
    struct Case {
        const char* name;
        SInt32 rate;
        const char* keys;
        const char* typed; // the text before the commit
        const char* text;  // after it
        SInt32 frames;
        const char* heard;
    } cases[] = {
        {"digits arrange as they arrive", kTCRate25, "\t1224", "12:24", "00:00:12:24", 324, "cccc"},
        {"'.' types two zeros", kTCRate25, "\t10.", "10:00", "00:00:10:00", 250, "cccc"},
        {"drop-frame types ';'", kTCRate29_97DF, "\t1229", "12;29", "00:00:12;29", 389, "cccc"},
        {"a typed ':' holds for the edit", kTCRate29_97DF, "\t12:29", "12:29", "00:00:12;29", 389,
         "ccccc"},
        {"'f' reads the text before it shows frames", kTCRate25, "\t0100f", "25", "00:00:01:00", 25,
         "ccccc"},
        {"frames typed in frame mode", kTCRate25, "\tf\b\b250", "250", "00:00:10:00", 250,
         "cccccc"},
        {"unreadable text stays as typed", kTCRate25, "\t99:99", "99:99", "99:99", kTCNoValue,
         "ccccc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ATCEntry* f = TC(c.rate);
        CommitLog log;
        log.Attach(f);
        Type(c.keys);
        EXPECT_EQ(f->GetString(), c.typed);
        EXPECT_EQ(log.heard, c.heard);
        log.Clear();
        Type("\r");
        EXPECT_EQ(f->GetString(), c.text);
        EXPECT_EQ(f->GetTCFrames(), c.frames);
        EXPECT_EQ(log.heard, "F"); // the canonical rewrite is quiet
        f->Dispose();
    }
}

TEST_F(CodeEntryTest, TimecodeOptionsAndUpdates) {
    ATCEntry* f = TC(kTCRate25, 100);
    f->SetPositiveOnly(true);
    CommitLog log;
    log.Attach(f);
    Type("\t12-");
    EXPECT_EQ(f->GetString(), "12");
    f->UpdateTCFrames(50, true); // ends the edit without committing
    EXPECT_FALSE(f->IsActive());
    EXPECT_EQ(f->GetString(), "00:00:02:00");
    EXPECT_EQ(log.heard, "ccc");
    f->UpdateDefaults(false, false);
    EXPECT_EQ(f->GetTCFrames(), 0);
    EXPECT_EQ(f->GetTC().rate, TCGetDefaultRate());
}

TEST_F(CodeEntryTest, EdgecodeTypingKeepsFrameZeroAsAValue) {
    const edgecode_t start = ECMake(kECFilm16mm, nullptr, 7);
    auto* e = AECEntry::New(main, 20, S, 140, 20, S, 22, &start);
    struct Case {
        const char* keys;
        const char* text;
        bool hasValue;
        SInt32 frames;
    } cases[] = {
        {"\t1205\r", "0012+05", true, 485}, // 40 frames a foot
        {"\t0\r", "0000+00", true, 0},
        {"\t\b\r", "", false, 0},
        {"\t1.\r", "0001+00", true, 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        Type(c.keys);
        EXPECT_EQ(e->GetString(), c.text);
        EXPECT_EQ(e->HasValue(), c.hasValue);
        EXPECT_EQ(e->GetECFrames(), c.frames);
        EXPECT_EQ(e->GetEC().filmType, kECFilm16mm);
    }
}

TEST_F(CodeEntryTest, BothPersistenceFormatsKeepTheValues) {
    ATCEntry* t = TC(kTCRate29_97DF, 107892);
    t->SetTreatAsDur(true);
    const edgecode_t ec = ECMake(kECFilm35mm3Perf, "KZ12", 0);
    auto* e = AECEntry::New(main, 20, S, 140, 60, S, 22, &ec);
    for (int format = 0; format < 2; ++format) {
        SCOPED_TRACE(format ? "pane text" : "object stream");
        auto* t2 =
            format ? ThroughPaneText<ATCEntry>(t, main, win) : ThroughObjectStream<ATCEntry>(t);
        auto* e2 =
            format ? ThroughPaneText<AECEntry>(e, main, win) : ThroughObjectStream<AECEntry>(e);
        ASSERT_TRUE(t2 && e2);
        EXPECT_TRUE(TCEqual(t2->GetTC(), t->GetTC()));
        EXPECT_EQ(t2->GetFormatFlags(), t->GetFormatFlags());
        EXPECT_EQ(t2->GetString(), t->GetString());
        EXPECT_TRUE(ECEqual(e2->GetEC(), ec));
        EXPECT_TRUE(e2->HasValue());
        t2->Dispose();
        e2->Dispose();
    }
}

} // namespace
