// The progress thermometer on the virtual clock: the time line, the bar, the
// cancel rules, the busy cursor, the French hint and the main-thread guard.
#include "ApplicationTestSupport.h"
#include "Cursors.h"
#include "KsCapturedOutput.h"
#include "KsCmdPeriod.h"
#include "KsKeyboardPrivate.h"
#include "KsThermometerPrivate.h"
#include "KsUIHooks.h"

#include <thread>
#include <utility>
#include <vector>

namespace {

constexpr UInt32 kFillPixel = 0x2E5AB4;

bool RaisesAbort(bool cancelAllowed, bool update = true) {
    try {
        if (update)
            StatUpdate("Working", 1, 10, cancelAllowed);
        else
            StatSpinCursor(cancelAllowed, -1);
    } catch (const XError& e) {
        return e.FindCode("BASE_USER_ABORT");
    }
    return false;
}

class ThermoTest : public ::testing::Test {
protected:
    void SetUp() override {
        StatInit();
        StatClose();
        StatReset();
    }
    void TearDown() override {
        StatClose();
        StatSetShortBusyCursor(false);
        StatSetShowPercent(true);
        StatSetCallback(nullptr);
    }
    // A pixel of the window's content, at local (h, v).
    UInt32 Pixel(SInt16 h, SInt16 v) const {
        Rect content;
        KsGetWindowContentRect(KsThermo().window, &content);
        return DesktopPixel(content.left + h, content.top + v);
    }
    // The pixels of a local rectangle, row by row.
    std::vector<UInt32> Pixels(const Rect& r) const {
        std::vector<UInt32> out;
        for (SInt16 v = r.top; v < r.bottom; ++v)
            for (SInt16 h = r.left; h < r.right; ++h)
                out.push_back(Pixel(h, v));
        return out;
    }
    bool Inked(const Rect& r) const {
        const UInt32 paper = Pixel(275, 2);
        for (UInt32 p : Pixels(r))
            if (p != paper) return true;
        return false;
    }

    HeadlessDesk desk{640, 480};
};

struct TimeCase {
    long elapsedTicks;
    long current, total;
    bool percent;
    const char* text;
};
const TimeCase kTimeCases[] = {
    {0, 0, 100, true, "00:00:00"},
    {600, 1, 100, true, "00:00:10"}, // one item is no base for an estimate
    {600, 25, 100, true, "00:00:10  of  00:00:40 Est.  25%"},
    {600, 25, 100, false, "00:00:10  of  00:00:40 Est."},
    {59, 50, 100, true, "00:00:00"}, // drawn at most once a second
    {60 * 3725, 50, 100, true, "01:02:05  of  02:04:10 Est.  50%"},
    {60 * (99 * 3600 + 5), 1, 100, true, "00:00:05"}, // hours run modulo 99
    // elapsed x total, and current x 100, beyond 32 bits
    {60 * 100, 50000000, 100000000, true, "00:01:40  of  00:03:20 Est.  50%"},
    {60 * 10, 3000000000, 4000000000, true, "00:00:10  of  00:00:13 Est.  75%"},
    {600, 150, 100, true, "00:00:10  of  00:00:10 Est.  100%"}, // clamped to the total
};

} // namespace

TEST_F(ThermoTest, TheTimeLineShowsElapsedEstimateAndPercent) {
    for (const TimeCase& c : kTimeCases) {
        StatSetShowPercent(c.percent);
        StatUpdate("Rendering", 0, c.total, false);
        KsAdvanceVirtualClock(c.elapsedTicks);
        StatUpdate("Rendering", c.current, c.total, false);
        EXPECT_STREQ(KsThermo().timeLine, c.text) << c.elapsedTicks << " " << c.current;
        StatClose();
    }
}

TEST_F(ThermoTest, TheTimeBaseRestartsAfterAFinishedOrRewoundOperation) {
    StatUpdate("One", 0, 10, false);
    KsAdvanceVirtualClock(600);
    StatUpdate("One", 10, 10, false); // finished, window still up
    KsAdvanceVirtualClock(120);
    StatUpdate("Two", 5, 10, false);
    EXPECT_STREQ(KsThermo().timeLine, "00:00:00  of  00:00:00 Est.  50%");
    KsAdvanceVirtualClock(120);
    StatUpdate("Two", 8, 10, false);
    KsAdvanceVirtualClock(60);
    StatUpdate("Two", 2, 10, false); // below the last value: a new operation
    KsAdvanceVirtualClock(60);
    StatUpdate("Two", 3, 10, false);
    EXPECT_STREQ(KsThermo().timeLine, "00:00:01  of  00:00:03 Est.  30%");
}

TEST_F(ThermoTest, TheBarFollowsTheProportionAndTheEdgeCases) {
    EXPECT_EQ(StatGetProgress(), -1.0);
    EXPECT_FALSE(StatIsActive());
    struct Case {
        long current, total;
        double progress;
        bool framed, fillStart, fillMiddle, fillEnd;
    };
    const Case cases[] = {
        {50, 100, 0.5, true, true, true, false},
        {150, 100, 1.0, true, true, true, true},   // above the total: full
        {-5, 100, 0.0, true, false, false, false}, // below zero: empty
        {7, 0, -1.0, false, false, false, false},  // no total: no bar
    };
    for (const Case& c : cases) {
        StatUpdate("Bar", c.current, c.total, false);
        EXPECT_TRUE(StatIsActive());
        EXPECT_EQ(StatGetProgress(), c.progress) << c.current << "/" << c.total;
        EXPECT_EQ(Pixel(10, 33) != Pixel(275, 33), c.framed) << c.current;
        EXPECT_EQ(Pixel(11, 33) == kFillPixel, c.fillStart) << c.current;
        EXPECT_EQ(Pixel(130, 33) == kFillPixel, c.fillMiddle) << c.current;
        EXPECT_EQ(Pixel(268, 33) == kFillPixel, c.fillEnd) << c.current;
    }
    // Without a total a long message runs over both lines.
    const char* longText = "Reading the media files of the third reel from the archive volume";
    StatUpdate(longText, 0, 0, false);
    EXPECT_STREQ(StatGetMessage(), longText);
    EXPECT_TRUE(Inked({25, 10, 37, 270}));
    StatUpdate(longText, 0, 10, false); // with one, the second line makes room
    EXPECT_FALSE(Inked({24, 10, 28, 270}));
    StatClose();
    EXPECT_FALSE(StatIsActive());
    EXPECT_STREQ(StatGetMessage(), "");
    EXPECT_EQ(StatGetProgress(), -1.0);
}

TEST_F(ThermoTest, CancellingRaisesOnlyWhereAllowed) {
    struct Case {
        const char* name;
        bool viaAbort, viaKey, cancelAllowed, raisesNow;
    };
    const Case cases[] = {
        {"StatAbort, cancellable", true, false, true, true},
        {"StatAbort, not cancellable", true, false, false, false},
        {"Ctrl+., cancellable", false, true, true, true},
        {"Ctrl+., not cancellable", false, true, false, false},
        {"nothing", false, false, true, false},
    };
    for (const Case& c : cases) {
        for (bool update : {true, false}) {
            if (c.viaAbort) StatAbort();
            if (c.viaKey) {
                const long at = KsGetTicks() + 1;
                desk.backend->ScriptKeyDown(at, kKsKeyCommand);
                desk.backend->ScriptKeyDown(at, 0x2F);
                desk.backend->ScriptKeyUp(at, 0x2F);
                desk.backend->ScriptKeyUp(at, kKsKeyCommand);
                KsAdvanceVirtualClock(1);
            }
            EXPECT_EQ(RaisesAbort(c.cancelAllowed, update), c.raisesNow) << c.name;
            // What was not answered waits for the next cancellable spin.
            const bool pending = (c.viaAbort || c.viaKey) && !c.raisesNow;
            KsAdvanceVirtualClock(1);
            EXPECT_EQ(RaisesAbort(true, false), pending) << c.name;
            EXPECT_FALSE(RaisesAbort(true, false)) << c.name << ": answered once";
        }
    }
}

TEST_F(ThermoTest, TheBusyCursorTurnsAtItsRateAfterTheSpinDelay) {
    struct Case {
        const char* name;
        bool shortForm;
        short first, frames, ticksPerFrame;        // first 0: the default
        long delay;                                // -1: the delay of a reset
        std::vector<std::pair<long, short>> shown; // tick, cursor ID
    };
    const Case cases[] = {
        {"default", false, 0, 0, 0, -1, {{30, 360}, {45, 361}, {60, 362}, {75, 363}, {90, 360}}},
        {"short", true, 0, 0, 0, -1, {{30, 370}, {36, 371}, {42, 370}, {48, 371}}},
        {"own, at least a tick", false, 2000, 2, 0, -1, {{30, 2000}, {31, 2001}, {32, 2000}}},
        {"delay 5", false, 0, 0, 0, 5, {{5, 360}, {20, 361}}},
    };
    int calls = 0;
    static int* counter = nullptr;
    counter = &calls;
    StatSetCallback([] { ++*counter; });
    for (const Case& c : cases) {
        StatSetShortBusyCursor(c.shortForm);
        SetArrowCursor();
        StatReset();
        if (c.first) StatSetBusyCursor(c.first, c.frames, c.ticksPerFrame);
        const long last = c.shown.back().first;
        std::vector<std::pair<long, short>> seen;
        short id = KsGetCursorID();
        calls = 0;
        for (long tick = 0; tick <= last; ++tick) {
            StatSpinCursor(false, tick == 0 ? c.delay : -1);
            if (KsGetCursorID() != id) seen.emplace_back(tick, id = KsGetCursorID());
            KsAdvanceVirtualClock(1);
        }
        EXPECT_EQ(seen, c.shown) << c.name;
        EXPECT_EQ(calls, last + 1) << c.name; // the callback runs on every spin
        StatClose();
        EXPECT_EQ(KsGetCursorID(), kKsArrowCursorID) << c.name;
    }
}

TEST_F(ThermoTest, AFrenchLayoutIsToldToTypeCtrlSemicolon) {
    const Rect hint = kKsThermoHintRect;
    StatUpdate("Export", 1, 10, true);
    ASSERT_TRUE(KsThermo().hintShown);
    const std::vector<UInt32> us = Pixels(hint);
    StatClose();
    desk.backend->SetKeyboardLocale(kKsLocaleFrench);
    StatUpdate("Export", 1, 10, true);
    EXPECT_NE(Pixels(hint), us);
    StatUpdate("Export", 2, 10, false); // no cancelling: no hint
    EXPECT_FALSE(KsThermo().hintShown);
    EXPECT_FALSE(Inked({43, 230, 59, 270}));
    // The key the hint names cancels.
    KsInput key;
    key.kind = KsInput::Kind::keyDown;
    key.keyCode = kKsKeyCommand;
    KsFeedInput(key);
    key.keyCode = 0x2F;
    key.charCode = ';';
    key.hasChar = true;
    KsFeedInput(key);
    EXPECT_TRUE(RaisesAbort(true));
    desk.backend->SetKeyboardLocale(kKsLocaleUSEnglish);
}

TEST_F(ThermoTest, OtherThreadsAreTurnedAwayWithOneWarning) {
    StatUpdate("Main", 3, 10, false);
    StCaptureOutput out;
    std::thread([] {
        EXPECT_FALSE(StatUpdate("Worker", 9, 10, true));
        StatAbort();
        StatClose();
        EXPECT_EQ(StatGetProgress(), -1.0);
        UIstatUpdate("Worker", 9, 10, true);
    }).join();
    EXPECT_STREQ(StatGetMessage(), "Main");
    EXPECT_EQ(StatGetProgress(), 0.3);
    EXPECT_TRUE(StatIsActive());
    EXPECT_FALSE(RaisesAbort(true, false));
    const std::string warning = "WARNING: Attempt to use the progress thermometer from non-main";
    EXPECT_EQ(out.text.find(warning), out.text.rfind(warning));
    EXPECT_NE(out.text.find(warning), std::string::npos);
    EXPECT_NE(out.text.find("report progress from non-main thread"), std::string::npos);
}

TEST_F(AppTest, TheCoreProgressCallsReachTheThermometerUntilTheEventEnds) {
    EXPECT_FALSE(StatIsActive());
    UIstatUpdate("Importing", 4, 8, false);
    EXPECT_TRUE(StatIsActive());
    EXPECT_EQ(StatGetProgress(), 0.5);
    app->ProcessEvent(-1);
    EXPECT_FALSE(StatIsActive());
}
