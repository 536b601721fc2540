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
        bool crCloses, readOnly;
        const char* keys;
        const char* text;
        const char* heard;
    } cases[] = {
        {"Return ends editing", true, false, "\tab\r", "ab", "ccF"},
        {"Enter ends editing", true, false, "\tab\x03", "ab", "ccF"},
        {"Return is a line break without crCloses", false, false, "\ta\rb\x03", "a\rb", "cccF"},
        {"Delete edits", true, false, "\tabc\b\r", "ab", "ccccF"},
        {"accented letters are typed", true, false, "\t\xC3\xA9t\xC3\xA9\r", "\x8Et\x8E", "cccF"},
        {"typing replaces the text Tab selected", true, false, "\tz\r", "z", "cF"},
        {"typing changes nothing read-only, Return still ends", true, true, "\tz\r", "old", "F"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ATextEntry* f =
            Field(20, 20, std::string(c.name).rfind("typing", 0) == 0 ? "old" : nullptr);
        f->SetCrCloses(c.crCloses);
        f->SetReadOnly(c.readOnly);
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

// The first click into a field selects its text; the next places the caret.
TEST_F(TextEntryTest, FirstClickSelectsAllAndTheNextPlacesTheCaret) {
    ATextEntry* f = Field(20, 20, "hello world", 200);
    const struct { SInt32 start, end; } afterClick[] = {{0, 11}, {11, 11}};
    for (const auto& want : afterClick) {
        Gesture(Global(f, 90));
        ASSERT_TRUE(f->IsActive());
        SInt32 s = -1, e = -1;
        f->GetSelect(&s, &e);
        EXPECT_EQ(s, want.start);
        EXPECT_EQ(e, want.end);
    }
    EXPECT_EQ(ATextEntry::LastClicked(), f);
    f->Dispose();
    EXPECT_EQ(ATextEntry::LastClicked(), nullptr);
}

} // namespace
