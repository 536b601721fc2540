// Text fields driven through the real key path: typing, the commit
// notifications in order, Tab order.
#include "GadgetTestSupport.h"
#include "KsFieldScript.h"

namespace {

class TextEntryTest : public GadgetTest {
protected:
    ATextEntry* Field(SInt16 left, SInt16 top, const char* text = nullptr, SInt16 wid = 120) {
        return ATextEntry::New(main, left, S, wid, top, S, 22, text, false);
    }
    void Type(const std::string& keys) { TypeKeys(app, backend, keys); }
};

TEST_F(TextEntryTest, TypingScriptsNotifyEveryEditThenTheFinalValueOnce) {
    struct Case {
        const char* name;
        bool crCloses;
        const char* keys;
        const char* text;
        const char* heard;
    } cases[] = {
        {"Return ends editing", true, "\tab\r", "ab", "ccF"},
        {"Enter ends editing", true, "\tab\x03", "ab", "ccF"},
        {"Return is a line break without crCloses", false, "\ta\rb\x03", "a\rb", "cccF"},
        {"Delete edits", true, "\tabc\b\r", "ab", "ccccF"},
        {"accented letters are typed", true, "\t\xC3\xA9t\xC3\xA9\r", "\x8Et\x8E", "cccF"},
        {"typing replaces the text Tab selected", true, "\tz\r", "z", "cF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ATextEntry* f =
            Field(20, 20, std::string(c.name).rfind("typing", 0) == 0 ? "old" : nullptr);
        f->SetCrCloses(c.crCloses);
        CommitLog log;
        log.Attach(f);
        Type(c.keys);
        EXPECT_EQ(f->GetString(), c.text);
        EXPECT_EQ(log.heard, c.heard);
        EXPECT_FALSE(f->IsActive());
        EXPECT_FALSE(f->GetCommitPending());
        f->Dispose();
    }
}

TEST_F(TextEntryTest, TabMovesThroughTheFieldsAndCommitsTheOneLeft) {
    ATextEntry* a = Field(20, 20);
    ATextEntry* b = Field(20, 60);
    CommitLog la, lb;
    la.Attach(a);
    lb.Attach(b);
    Type("\tx\ty");
    EXPECT_EQ(a->GetString(), "x");
    EXPECT_EQ(la.heard, "cF");
    EXPECT_TRUE(b->IsActive());
    EXPECT_EQ(win->GetActivePane(), b);
    // Shift-Tab goes back; the field entered by Tab has its text selected.
    Type("\x01\t\x02");
    EXPECT_EQ(lb.heard, "cF");
    ASSERT_TRUE(a->IsActive());
    SInt32 s = -1, e = -1;
    a->GetSelect(&s, &e);
    EXPECT_EQ(s, 0);
    EXPECT_EQ(e, 1);
    // Tab from an unedited field still ends editing with a final commit,
    // but no commit is pending for it.
    la.Clear();
    Type("\t");
    EXPECT_EQ(la.heard, "F");
    EXPECT_FALSE(a->GetCommitPending());
}

} // namespace
