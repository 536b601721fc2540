// Input methods through the headless back end: compositions reach the
// text-input client, commits arrive as one insertion, and characters without
// a Mac OS Roman form are refused with a beep.
#include "EventTestSupport.h"
#include "KsTextInput.h"

#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

// Is the text-input client, and logs what it is told, one line per call.
class InputMethodTest : public EventTest, public KsTextInputClient {
protected:
    void SetUp() override {
        EventTest::SetUp();
        KsSetTextInputClient(this);
    }
    void CompositionChanged(const KsComposition& c) override {
        log.push_back("compose '" + c.roman + "' " + std::to_string(c.caret) + "+" +
                      std::to_string(c.selectionLength));
    }
    void InsertText(const char* text, std::size_t length) override {
        log.push_back("insert '" + std::string(text, length) + "'");
    }
    // Runs the script up to now; answers what was heard since last time.
    Log Heard() {
        KsPumpEvents();
        Log out;
        out.swap(log);
        return out;
    }
    Log log;
};

} // namespace

TEST_F(InputMethodTest, CompositionIsShownThenCommittedAsOneInsertion) {
    backend->ScriptComposition(t0, "n", 1);
    backend->ScriptComposition(t0, "n", 1);                // unchanged: no call
    backend->ScriptComposition(t0, "\xE6\x97\xA5x", 9, 5); // 日x; positions clamped
    backend->ScriptComposition(t0, "na\xC3\xAFve", 1, 2);  // naïve
    backend->ScriptText(t0, "na\xC3\xAFve");
    EXPECT_EQ(Heard(), (Log{"compose 'n' 1+0", "compose '?x' 2+0", "compose 'na\x95ve' 1+2",
                            "compose '' 0+0", "insert 'na\x95ve'"}));
    EXPECT_FALSE(KsGetComposition().IsActive());
    EXPECT_EQ(KsQueuedEventCount(), 0) << "no key-downs for a commit";

    // What Mac OS Roman lacks is refused with one beep; a typed '?' stays.
    backend->ScriptText(t0, "\xE6\x97\xA5\xE6\x9C\xAC"); // 日本
    EXPECT_TRUE(Heard().empty());
    backend->ScriptText(t0, "a\xE4\xB8\xAD"
                            "b\xE2\x82\xAC?"); // a中b€?
    EXPECT_EQ(Heard(), Log{"insert 'ab\xDB?'"});
    EXPECT_EQ(backend->BeepCount(), 2);
}

TEST_F(InputMethodTest, SingleCharactersWaitingKeysAndNoClientStayKeyDowns) {
    // A dead key's result with no composition shown: a key-down the owner may filter.
    backend->ScriptText(t0, "\xC3\xA9");
    EXPECT_TRUE(Heard().empty());
    EXPECT_EQ(Next().message, 0x008Eu);
    // Keys typed before a commit are not overtaken by it.
    backend->ScriptKeyDown(t0, 0x00); // a
    backend->ScriptComposition(t0, "bc", 2);
    backend->ScriptText(t0, "bc");
    EXPECT_EQ(Heard(), (Log{"compose 'bc' 2+0", "compose '' 0+0"}));
    for (char ch : std::string("abc"))
        EXPECT_EQ(Next().message & charCodeMask, UInt32(ch));
    KsReleaseTextInputClient(this);
    backend->ScriptText(t0, "de");
    EXPECT_TRUE(Heard().empty());
    EXPECT_EQ(KsQueuedEventCount(), 2);
}
