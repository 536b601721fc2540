// An idle event loop sleeps in the back end until the next thing it must do
// (a caret blink, a tip's delay, input, a request on its socket) instead of
// turning every tick, and what it sleeps for still comes on time.
#include "ATextEntry.h"
#include "GadgetTestSupport.h"
#include "KsAppRequestsPrivate.h"
#include "MiniHelp.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace {

double ThreadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

class IdleLoopTest : public GadgetTest {
protected:
    void SetUp() override {
        GadgetTest::SetUp();
        gl_sleepTime = kKsLoopSleepLongest;
        tips = GetMiniHelpEnabled();
    }
    void TearDown() override {
        if (MiniHelpWindow* tip = MiniHelpWindow::Get()) tip->Dispose();
        SetMiniHelpEnabled(tips);
        KsUseVirtualClock(true);
        GadgetTest::TearDown();
    }
    // The ticks at which each of `turns` turns of the loop ended.
    std::vector<long> Turns(int turns) {
        std::vector<long> at;
        for (int i = 0; i < turns; ++i) {
            app->ProcessEvent(everyEvent);
            at.push_back(KsGetTicks());
        }
        return at;
    }
    bool tips = true;
};

// Under the virtual clock a wait moves time to its end: the ticks between
// turns are how long the loop slept.
TEST_F(IdleLoopTest, EachTurnSleepsUntilTheNextThingDue) {
    struct Case {
        const char* name;
        int setup; // 0 nothing, 1 caret, 2 tip, 3 pointer move
    } cases[] = {{"nothing to do", 0},
                 {"a caret blinking", 1},
                 {"a tip waiting", 2},
                 {"the pointer moving", 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetMiniHelpEnabled(false);
        Turns(1); // whatever the case before asked for comes and goes
        SetMiniHelpEnabled(c.setup == 2);
        ATextEntry* field = nullptr;
        RecGadget* gad = nullptr;
        if (c.setup == 1) {
            field = ATextEntry::New(main, 20, S, 120, 60, S, 22, nullptr, false);
            field->TabTo();
        }
        if (c.setup == 2) {
            gad = Add(20, 120);
            gad->SetHelpText("Gain");
        }
        Settle(); // the drawing the new panes asked for
        // The pointer rests over the gadget (or where it would be).
        Point rest{130, 60}; // the gadget's centre
        SetPortWindowPort(win->GetWindowPtr());
        LocalToGlobal(&rest);
        backend->ScriptMove(KsGetTicks() + 1, rest.h, rest.v);
        Turns(1); // the move
        const long t0 = KsGetTicks();
        const long waits = backend->WaitCount();
        if (c.setup == 3) backend->ScriptMove(t0 + 100, rest.h + 5, rest.v);
        MiniHelpWindow* tip = MiniHelpWindow::Get();
        const long tipDue = tip ? long(tip->GetRequestTime()) + tip->GetDelay() + 1 : -1;
        const std::vector<long> at = Turns(4);
        switch (c.setup) {
        case 0:
            EXPECT_GE(at[0] - t0, 60L * 60) << "slept at least a minute";
            break;
        case 1:
            for (int i = 1; i < 4; ++i)
                EXPECT_EQ(at[size_t(i)] - at[size_t(i - 1)], long(GetCaretTime()));
            break;
        case 2:
            ASSERT_NE(tip, nullptr) << "the tip was asked for";
            EXPECT_TRUE(tip->IsVisible());
            EXPECT_EQ(at[0], tipDue) << "woken when the tip is due";
            break;
        case 3:
            EXPECT_EQ(at[0], t0 + 100) << "the move ends the wait";
            break;
        }
        EXPECT_EQ(backend->WaitCount() - waits, 4) << "one wait a turn";
        if (field) field->Dispose();
        if (gad) gad->Dispose();
    }
}

// On the real clock: the loop blocks in the back end for its whole sleep, and
// a request on the socket wakes it at once.
TEST_F(IdleLoopTest, TheLoopBlocksUntilCappedAndWakesForARequest) {
    KsUseVirtualClock(false);
    SetMiniHelpEnabled(false);
    gl_sleepTime = 12; // 200 ms
    const long waits = backend->WaitCount();
    const double cpu = ThreadCpuMs();
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(600))
        app->ProcessEvent(everyEvent);
    EXPECT_LE(backend->WaitCount() - waits, 5) << "about one wake per 200 ms, not one a tick";
    EXPECT_LT(ThreadCpuMs() - cpu, 100.0) << "asleep, not spinning";

    // Turns of 2 s at most: without the socket watched, the answer waits for
    // the turn to end.
    gl_sleepTime = 120;
    std::string answer;
    std::atomic<bool> done{false};
    const auto sent = std::chrono::steady_clock::now();
    auto answered = sent;
    std::thread client([&] {
        if (!KsSendAppRequest(app->GetRequestSocketPath(), "PING\n", &answer, 3000))
            answer = "<failed>";
        answered = std::chrono::steady_clock::now();
        done = true;
    });
    while (!done && std::chrono::steady_clock::now() - sent < std::chrono::seconds(5))
        app->ProcessEvent(everyEvent);
    client.join();
    EXPECT_EQ(answer, "OK 0");
    EXPECT_LT(answered - sent, std::chrono::milliseconds(1000));
}

} // namespace
