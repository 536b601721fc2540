// Keys trapped while an operation runs, the command-period check and the
// input locale the back end reports.
#include "EventTestSupport.h"
#include "KsCmdPeriod.h"
#include "KsKeyTraps.h"
#include "KsKeyboardPrivate.h"

namespace {

enum : UInt8 { kKeyA = 0x00, kKeyS = 0x01, kKeyX = 0x07, kKey5 = 0x17, kKeySemicolon = 0x29 };
enum : UInt8 { kKeyPeriod = 0x2F, kKeyReturn = 0x24 };

using TrapSwitch = void (*)(Boolean on);

class KeyTrapsTest : public EventTest {
protected:
    void Feed(KsInput::Kind kind, UInt8 keyCode, UInt8 ch = 0) {
        KsInput in;
        in.kind = kind;
        in.keyCode = keyCode;
        in.charCode = ch;
        in.hasChar = ch != 0;
        KsFeedInput(in);
    }
    // Presses and releases a key (with Ctrl when cmd); answers whether its
    // key-down reached the queue.
    bool Typed(UInt8 keyCode, bool cmd, UInt8 ch = 0) {
        FlushEvents(everyEvent, 0);
        if (cmd) Feed(KsInput::Kind::keyDown, kKsKeyCommand);
        Feed(KsInput::Kind::keyDown, keyCode, ch);
        Feed(KsInput::Kind::keyUp, keyCode);
        if (cmd) Feed(KsInput::Kind::keyUp, kKsKeyCommand);
        EventRecord e;
        return EventAvail(keyDownMask, &e);
    }
};

struct TrapCase {
    TrapSwitch trap; // null: no trap
    UInt8 keyCode;
    bool cmd;
    bool queued;
};
constexpr TrapCase kTrapCases[] = {
    {nullptr, kKey5, false, true},
    {KsTrapTimecodeKeys, kKey5, false, false},
    {KsTrapTimecodeKeys, kKeySemicolon, false, false},
    {KsTrapTimecodeKeys, kKeyPeriod, false, false},
    {KsTrapTimecodeKeys, kKeyReturn, false, false},
    {KsTrapTimecodeKeys, kKeyA, false, true},
    {KsTrapTimecodeKeys, kKey5, true, true}, // a shortcut, not typing
    {KsTrapValidDigitKeys, kKey5, false, false},
    {KsTrapValidDigitKeys, kKeySemicolon, false, true},
    {KsTrapValidDigitKeys, kKeyA, false, true},
    {KsTrapAllKeys, kKeyA, false, false},
    {KsTrapAllKeys, kKeyS, true, false},
    {KsTrapAllKeys, kKeyPeriod, true, true}, // Command-period always gets through
    {KsTrapTimecodeKeys, kKeyPeriod, true, true},
};

} // namespace

TEST_F(KeyTrapsTest, EachTrapDropsItsKeysAndNeverCommandPeriod) {
    for (const TrapCase& c : kTrapCases) {
        if (c.trap) c.trap(true);
        EXPECT_EQ(Typed(c.keyCode, c.cmd), c.queued)
            << "case " << &c - kTrapCases << " key " << int(c.keyCode) << " cmd " << c.cmd;
        if (c.trap) c.trap(false);
    }
    EXPECT_TRUE(Typed(kKey5, false)); // every trap is off again
}

TEST_F(KeyTrapsTest, ATrappedKeyHeldDownDoesNotRepeatAndTheHookAddsItsOwn) {
    KsTrapValidDigitKeys(true);
    FlushEvents(everyEvent, 0);
    Feed(KsInput::Kind::keyDown, kKey5);
    KsAdvanceVirtualClock(60);
    EventRecord e;
    EXPECT_FALSE(EventAvail(keyDownMask | autoKeyMask, &e));
    Feed(KsInput::Kind::keyUp, kKey5);
    KsTrapValidDigitKeys(false);
    KsKeyFilterHook hook;
    hook.traps = [](UInt32 message, EventModifiers, void*) -> Boolean {
        return (message & charCodeMask) == 'x';
    };
    const KsKeyFilterHook old = KsSetKeyFilterHook(hook);
    EXPECT_FALSE(Typed(kKeyX, false));
    EXPECT_TRUE(Typed(kKeyA, false));
    FlushEvents(everyEvent, 0);
    KsFeedInput(KsInput{KsInput::Kind::text, KsMouseButton::left, 0, 0, 0, 0, false, "axa"});
    EXPECT_EQ(KsQueuedEventCount(), 2); // typed text passes the same filter
    KsSetKeyFilterHook(old);
    EXPECT_TRUE(Typed(kKeyX, false));
}

TEST_F(KeyTrapsTest, CheckForEventTakesOneCommandPeriodAndLeavesTheRest) {
    FlushEvents(everyEvent, 0);
    PostEvent(keyDown, UInt32(kKeyA) << 8 | 'a');
    EventRecord cmdPeriod{
        keyDown, UInt32(kKeyPeriod) << 8 | '.', UInt32(KsGetTicks()), {0, 0}, cmdKey};
    KsPostEventRecord(cmdPeriod);
    EXPECT_TRUE(CheckForEvent(TestCmdPeriod, true)); // left where it is
    EXPECT_EQ(KsQueuedEventCount(), 2);
    EXPECT_TRUE(CheckForEvent(TestCmdPeriod, false)); // taken
    EXPECT_FALSE(CheckForEvent(TestCmdPeriod, false));
    EXPECT_EQ(KsQueuedEventCount(), 1);
    // A period without the command key, or the command key with another
    // key, is no cancel; a scripted Ctrl+. from the back end is.
    PostEvent(keyDown, UInt32(kKeyPeriod) << 8 | '.');
    EXPECT_FALSE(CheckForEvent(TestCmdPeriod, false));
    backend->ScriptKeyDown(t0 + 1, kKsKeyCommand);
    backend->ScriptKeyDown(t0 + 1, kKeyPeriod);
    EXPECT_FALSE(CheckForEvent(TestCmdPeriod, false));
    KsAdvanceVirtualClock(1);
    EXPECT_TRUE(CheckForEvent(TestCmdPeriod, false));
}

TEST_F(KeyTrapsTest, TheLocaleComesFromTheScriptedLayoutAndDecidesWhatCancels) {
    struct Case {
        UInt16 locale;
        UInt8 keyCode, ch;
        bool cancels;
    };
    const Case cases[] = {
        {kKsLocaleUSEnglish, kKeyPeriod, '.', true},
        {kKsLocaleUSEnglish, kKeySemicolon, ';', false},
        {kKsLocaleFrench, kKeyPeriod, ';', true}, // the AZERTY key in the period's place
        {kKsLocaleFrench, kKeySemicolon, ';', true},
        {kKsLocaleGerman, kKeySemicolon, ';', false},
    };
    for (const Case& c : cases) {
        backend->SetKeyboardLocale(c.locale);
        EXPECT_EQ(KsGetInputLocale(), c.locale);
        EXPECT_TRUE(Typed(c.keyCode, true, c.ch));
        EXPECT_EQ(CheckForEvent(TestCmdPeriod, false), c.cancels)
            << std::hex << c.locale << " " << c.ch;
    }
    backend->SetKeyboardLocale(kKsLocaleUSEnglish);
    FlushEvents(everyEvent, 0);
    backend->ScriptKeyboardLocale(t0 + 5, kKsLocaleFrench);
    KsAdvanceVirtualClock(4);
    KsPumpEvents();
    EXPECT_EQ(KsGetInputLocale(), kKsLocaleUSEnglish);
    KsAdvanceVirtualClock(1);
    KsPumpEvents();
    EXPECT_EQ(KsGetInputLocale(), kKsLocaleFrench);
    EXPECT_EQ(KsQueuedEventCount(), 0); // a layout switch is no input
}
