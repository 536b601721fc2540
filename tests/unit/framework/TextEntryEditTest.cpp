// Text fields typed and edited: typing scripts and their notifications, tab
// order and the first click; paste, the Edit menu's commands, input-method
// commits, the key filter and the length limit.
#include "GadgetTestSupport.h"
#include "KsFieldScript.h"
#include "Scrap.h"
#include "Sound.h"

#include <cstring>

namespace {

class TextEntryEditTest : public GadgetTest {
protected:
    ATextEntry* Field(const char* text = nullptr) {
        ATextEntry* f = ATextEntry::New(main, 20, S, 200, 20, S, 40, text, false);
        log.Attach(f);
        return f;
    }
    // Activates f through the key path with its text selected.
    void Focus(ATextEntry* f) {
        if (!f->IsActive()) TypeKeys(app, backend, "\t");
        log.Clear();
    }
    void Command(long nick) { app->MenuBroadcast(Ev(keyDown), kEditMenuID, nick); }
    static void Clip(const char* text) {
        ZeroScrap();
        PutScrap(SInt32(std::strlen(text)), FourCharCode("TEXT"), text);
    }
    CommitLog log;
};

TEST_F(TextEntryEditTest, PasteIsOneFilteredEditWithOneNotification) {
    struct Case {
        const char* name;
        bool crCloses;
        SInt16 limit;
        const char* before; // caret at the end
        const char* clip;
        const char* after;
        bool beeps;
    } cases[] = {
        {"one line keeps the first line", true, -1, "", "ab\rcd", "ab", true},
        {"line ends and tabs kept where lines are taken", false, -1, "", "a\tb\r\nc", "a\tb\rc",
         false},
        {"control characters dropped", true, -1, "",
         "a\x07"
         "b",
         "ab", true},
        {"the limit cuts the paste", true, 4, "xy", "12345", "xy12", true},
        {"accented letters pass", true, -1, "", "\x8E\x8F", "\x8E\x8F", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ATextEntry* f = Field(c.before);
        f->SetCrCloses(c.crCloses);
        f->SetTextLimit(c.limit);
        Focus(f);
        f->SetSelect(ATextEntry::kTextEnd, ATextEntry::kTextEnd);
        Clip(c.clip);
        const int beeps = KsGetBeepCount();
        Command(kNickPaste);
        EXPECT_EQ(f->GetString(), c.after);
        EXPECT_EQ(log.heard, "c");
        EXPECT_EQ(KsGetBeepCount() > beeps, c.beeps);
        EXPECT_TRUE(f->IsActive()); // a pasted Return does not end editing
        f->Dispose();
    }
}

TEST_F(TextEntryEditTest, EditCommandsNotifyWithTheTextAfterTheCommand) {
    ATextEntry* f = Field();
    Focus(f);
    TypeKeys(app, backend, "abc");
    Clip("XY");
    const struct {
        long nick;
        const char* text;
        const char* heard;
    } steps[] = {
        {kNickPaste, "abcXY", "c"}, {kNickUndo, "abc", "c"},  {kNickRedo, "abcXY", "c"},
        {kNickCopy, "abcXY", ""},   {kNickCut, "abcXY", "c"}, // empty selection: nothing cut
        {kNickUndo, "abc", "c"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.nick);
        log.Clear();
        Command(step.nick);
        EXPECT_EQ(f->GetString(), step.text);
        EXPECT_EQ(log.heard, step.heard);
        if (!log.texts.empty()) {
            EXPECT_EQ(log.texts.back(), step.text);
        }
    }
    f->SetSelect(0, 1);
    Command(kNickCut);
    EXPECT_EQ(f->GetString(), "bc");
    Command(kNickSelectAll);
    Command(kNickClear);
    EXPECT_EQ(f->GetString(), "");
}

// An input method's commit arrives whole: one edit, through the filters.
TEST_F(TextEntryEditTest, InputMethodCommitIsFilteredAsOneEdit) {
    ATextEntry* f = Field();
    f->SetTextLimit(3);
    Focus(f);
    backend->ScriptComposition(KsGetTicks() + 1, "ni", 2);
    backend->ScriptComposition(KsGetTicks() + 2, "", 0);
    backend->ScriptText(KsGetTicks() + 3, "\xC3\xA9t\xC3\xA9s");
    RunScript(app, backend);
    EXPECT_EQ(f->GetString(), "\x8Et\x8E");
    EXPECT_EQ(log.heard, "c");
}

// The filter sees a whole event record, even for keys sent by program, and
// for each character of a paste; what it consumes is not inserted.
TEST_F(TextEntryEditTest, KeyFilterGetsARealEventRecord) {
    struct Seen {
        std::vector<EventRecord> events;
    } seen;
    ATextEntry* f = Field();
    f->SetValFilterHookRtn(
        [](ATextEntry*, EventRecord* e, void* data) {
            static_cast<Seen*>(data)->events.push_back(*e);
            const char c = char(e->message & charCodeMask);
            return c >= '0' && c <= '9';
        },
        &seen);
    Focus(f);
    EXPECT_TRUE(f->DoKeyDown('a', 0x00, nullptr, nullptr));
    EXPECT_TRUE(f->DoKeyDown('7', 0x1A, nullptr, nullptr));
    ASSERT_EQ(seen.events.size(), 2u);
    EXPECT_EQ(seen.events[1].what, keyDown);
    EXPECT_EQ(seen.events[1].message, (0x1Au << 8) | '7');
    Clip("b1c2");
    Command(kNickPaste);
    TypeKeys(app, backend, "d9");
    EXPECT_EQ(f->GetString(), "abcd");
    EXPECT_EQ(seen.events.size(), 8u);
}

// Accented letters count as characters: a limit holds them too.
TEST_F(TextEntryEditTest, LimitDropsKeysButTypingOverASelectionWorks) {
    const struct {
        const char* before;
        SInt16 limit;
        const char* keys;
        const char* after;
    } cases[] = {{"abcde", 5, "xyzuvw", "xyzuv"}, {"", 2, "\xC3\xA9\xC3\xA9\xC3\xA9", "\x8E\x8E"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        ATextEntry* f = Field(c.before);
        f->SetTextLimit(c.limit);
        Focus(f); // all selected
        const int beeps = KsGetBeepCount();
        ATextEntry::limitReached = false;
        TypeKeys(app, backend, c.keys);
        EXPECT_EQ(f->GetString(), c.after);
        EXPECT_EQ(KsGetBeepCount(), beeps + 1);
        EXPECT_TRUE(ATextEntry::limitReached);
        f->Dispose();
    }
}

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
