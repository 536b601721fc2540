// Input methods through the headless back end: compositions reach the
// text-input client, commits arrive as one insertion, characters without a
// Mac OS Roman form are refused with a beep, and the caret reaches the back end.
#include "EventTestSupport.h"
#include "KsTextInput.h"

#include <string>
#include <vector>

namespace {

// Records what the event manager tells it, one line per call.
class RecordingClient final : public KsTextInputClient {
public:
    void CompositionChanged(const KsComposition& c) override {
        log.push_back("compose '" + c.roman + "' " + std::to_string(c.caret) + "+" +
                      std::to_string(c.selectionLength));
    }
    void InsertText(const char* text, std::size_t length) override {
        log.push_back("insert '" + std::string(text, length) + "'");
    }
    std::vector<std::string> log;
};

class InputMethodTest : public EventTest {
protected:
    void SetUp() override {
        EventTest::SetUp();
        KsSetTextInputClient(&client);
    }
    void TearDown() override {
        KsReleaseTextInputClient(&client);
        EventTest::TearDown();
    }
    // Pumps the script up to now and answers the client's log since last time.
    std::vector<std::string> Heard() {
        KsPumpEvents();
        std::vector<std::string> out;
        out.swap(client.log);
        return out;
    }
    using Log = std::vector<std::string>;
    RecordingClient client;
};

} // namespace

TEST_F(InputMethodTest, CompositionIsShownThenCommittedAsOneInsertion) {
    backend->ScriptComposition(t0, "n", 1);
    backend->ScriptComposition(t0, "na\xC3\xAF", 3);       // naï
    backend->ScriptComposition(t0, "na\xC3\xAF", 3);       // unchanged: no call
    backend->ScriptComposition(t0, "\xE6\x97\xA5x", 9, 5); // 日x; positions clamped
    backend->ScriptComposition(t0, "na\xC3\xAFve", 1, 2);
    backend->ScriptText(t0, "na\xC3\xAFve");
    EXPECT_EQ(Heard(), (Log{"compose 'n' 1+0", "compose 'na\x95' 3+0", "compose '?x' 2+0",
                            "compose 'na\x95ve' 1+2", "compose '' 0+0", "insert 'na\x95ve'"}));
    EXPECT_FALSE(KsGetComposition().IsActive());
    EXPECT_EQ(KsQueuedEventCount(), 0) << "no key-downs for a commit";
    EXPECT_EQ(backend->BeepCount(), 0);
}

TEST_F(InputMethodTest, CommitRefusesWhatMacRomanLacksWithOneBeep) {
    struct Case {
        const char* commit;
        Log heard;
        int beeps;
    } cases[] = {
        {"\xE6\x97\xA5\xE6\x9C\xAC", {}, 1}, // 日本: nothing to insert
        {"a\xE4\xB8\xAD"
         "b\xE2\x82\xAC",
         {"insert 'ab\xDB'"},
         1},                          // a中b€
        {"ok?", {"insert 'ok?'"}, 0}, // a typed '?' stays
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.commit);
        const int before = backend->BeepCount();
        backend->ScriptComposition(KsGetTicks(), "x", 1);
        backend->ScriptText(KsGetTicks(), c.commit);
        Log heard = Heard();
        ASSERT_GE(heard.size(), 2u);
        heard.erase(heard.begin(), heard.begin() + 2); // the composition and its end
        EXPECT_EQ(heard, c.heard);
        EXPECT_EQ(backend->BeepCount() - before, c.beeps);
        EXPECT_EQ(KsQueuedEventCount(), 0);
    }
}

TEST_F(InputMethodTest, SingleCharactersAndWaitingKeysStayKeyDowns) {
    // A dead key's result with no composition shown: an ordinary key-down,
    // which the owner of the text may filter.
    backend->ScriptText(t0, "\xC3\xA9");
    EXPECT_TRUE(Heard().empty());
    EXPECT_EQ(Next().message, 0x008Eu);
    // Keys typed before a commit are not overtaken by it.
    backend->ScriptKeyDown(t0, 0x00); // a
    backend->ScriptComposition(t0, "bc", 2);
    backend->ScriptText(t0, "bc");
    EXPECT_EQ(Heard(), (Log{"compose 'bc' 2+0", "compose '' 0+0"}));
    EXPECT_EQ(Next().message & charCodeMask, UInt32('a'));
    EXPECT_EQ(Next().message & charCodeMask, UInt32('b'));
    EXPECT_EQ(Next().message & charCodeMask, UInt32('c'));
    // Without a client every commit is key-downs.
    KsReleaseTextInputClient(&client);
    EXPECT_EQ(KsGetTextInputClient(), nullptr);
    backend->ScriptText(t0, "de");
    KsPumpEvents();
    EXPECT_EQ(KsQueuedEventCount(), 2);
    EXPECT_TRUE(client.log.empty());
}

TEST_F(InputMethodTest, CaretRectangleReachesTheBackEnd) {
    KsSetTextInputRect(KsRect{40, 30, 41, 46});
    EXPECT_EQ(backend->TextInputRect(), (KsRect{40, 30, 41, 46}));
    KsSetTextInputRect(KsRect{50, 30, 51, 46});
    EXPECT_EQ(backend->TextInputRect(), (KsRect{50, 30, 51, 46}));
}
