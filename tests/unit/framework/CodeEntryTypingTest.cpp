// Timecode and edgecode fields typed through the real key path: the text as
// digits arrive, frame mode, separators, the canonical text after the
// commit and the notifications in order; then both persistence formats.
#include "AECEntry.h"
#include "ATCEntry.h"
#include "KsPersistRoundTrip.h"
#include "ValueFieldTestSupport.h"

namespace {

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
