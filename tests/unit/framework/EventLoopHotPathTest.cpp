// The per-event paths kept cheap: the idle pass over windows that come and go
// meanwhile, message delivery when a handler fails, the request socket asked
// once per clock step, and the main-thread test; each idle turn sleeps until
// the next thing due and the loop blocks until capped or woken.
#include "ATextEntry.h"
#include "ApplicationTestSupport.h"
#include "GadgetTestSupport.h"
#include "KsAppRequestsPrivate.h"
#include "KsThreads.h"
#include "MiniHelp.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>

#include <chrono>
#include <cstring>
#include <ctime>
#include <thread>

namespace {

struct IdleSeen {
    std::string window;
    Point current, event; // CurrentEvent.where and the event's point as handed over
    long inside;
};

std::vector<IdleSeen>& Seen() {
    static std::vector<IdleSeen> seen;
    return seen;
}

void RecordIdle(RecWindow* w) {
    w->onMsg = [w](windowMsgID_t m, EventRecord* ev, long a, long) {
        if (m == wmIdle) Seen().push_back({w->name, CurrentEvent.where, ev->where, a});
    };
}

std::vector<std::string> IdleNames() {
    std::vector<std::string> out;
    for (const IdleSeen& s : Seen())
        out.push_back(s.window);
    return out;
}

} // namespace

TEST_F(AppTest, IdlePassFollowsWindowsMadeAndDisposedByAnEarlierIdle) {
    Seen().clear();
    RecWindow* c = Win("c", 300, 60);
    RecWindow* b = Win("b", 200, 60);
    RecWindow* a = Win("a", 40, 60); // front: the list reads a, b, c
    Settle();
    RecordIdle(b);
    RecordIdle(c);
    // A window without an AWindow sits in the list and takes no idle time.
    Rect bounds{400, 400, 450, 500};
    WindowPtr plain = NewCWindow(nullptr, &bounds, reinterpret_cast<ConstStr255Param>("\x05plain"),
                                 true, 0, WindowPtr(-1), false, 0);
    ASSERT_TRUE(plain);
    RecWindow* made = nullptr;
    a->onMsg = [&](windowMsgID_t m, EventRecord*, long, long) {
        if (m != wmIdle || made) return;
        Seen().push_back({"a", {}, {}, 0});
        b->Dispose();                 // a later window goes
        made = Win("made", 500, 300); // and a new one comes
        RecordIdle(made);
    };
    app->NullEvent(Ev(nullEvent), nullptr, 0, kNullEventFromRun);
    // The new window was not in the pass's snapshot; b was disposed before
    // its turn.
    EXPECT_EQ(IdleNames(), (std::vector<std::string>{"a", "c"}));
    Seen().clear();
    app->NullEvent(Ev(nullEvent), nullptr, 0, kNullEventFromRun);
    EXPECT_EQ(IdleNames(), (std::vector<std::string>{"made", "c"}));
    DisposeWindow(plain);
}

TEST_F(AppTest, IdlePointsAreLocalToEachWindowAndRestoredAfterwards) {
    Seen().clear();
    RecWindow* b = Win("b", 300, 100);
    RecWindow* a = Win("a", 40, 60);
    Settle();
    RecordIdle(a);
    RecordIdle(b);
    // The pointer over a's content; the event handed over carries a point of
    // its own, which each window must get converted on its own.
    const Point pointer{Point{70, 50}};
    CurrentEvent.where = pointer;
    EventRecord ev = Ev(nullEvent, 0, 320, 110);
    WindowPtr under = nullptr;
    const short part = FindWindow(pointer, &under);
    ASSERT_EQ(under, a->GetWindowPtr());
    ASSERT_EQ(part, inContent);
    app->NullEvent(ev, under, part, kNullEventFromRun);
    ASSERT_EQ(Seen().size(), 2u);
    for (const IdleSeen& s : Seen()) {
        RecWindow* w = s.window == "a" ? a : b;
        SetPortWindowPort(w->GetWindowPtr());
        Point wantCurrent = pointer, wantEvent = ev.where;
        GlobalToLocal(&wantCurrent);
        GlobalToLocal(&wantEvent);
        EXPECT_EQ(s.current.h, wantCurrent.h) << s.window;
        EXPECT_EQ(s.current.v, wantCurrent.v) << s.window;
        EXPECT_EQ(s.event.h, wantEvent.h) << s.window;
        EXPECT_EQ(s.event.v, wantEvent.v) << s.window;
        EXPECT_EQ(s.inside, s.window == "a" ? 1 : 0) << s.window;
    }
    EXPECT_EQ(ToKsPoint(CurrentEvent.where), ToKsPoint(pointer));
}

TEST_F(AppTest, AFailingIdleStopsThePassAndRestoresPortAndType) {
    Seen().clear();
    RecWindow* b = Win("b", 300, 100);
    RecWindow* a = Win("a", 40, 60);
    Settle();
    RecordIdle(b);
    a->onMsg = [](windowMsgID_t m, EventRecord*, long, long) {
        if (m == wmIdle) xraisexerror("TEST_IDLE");
    };
    GrafPtr before = nullptr;
    SetPortWindowPort(b->GetWindowPtr());
    GetPort(&before);
    try {
        app->NullEvent(Ev(nullEvent), nullptr, 0, kNullEventFromUserCheck);
        ADD_FAILURE() << "the idle error was swallowed";
    } catch (const XError& e) {
        EXPECT_STREQ(e.GetCode(), "TEST_IDLE");
    }
    EXPECT_TRUE(Seen().empty()); // b came after the failing window
    GrafPtr after = nullptr;
    GetPort(&after);
    EXPECT_EQ(after, before);
    EXPECT_EQ(gNullEventType, kNullEventFromRun);
    // A message that fails leaves the sender's port as it was.
    SetPortWindowPort(b->GetWindowPtr());
    EXPECT_THROW(a->SendMsg(wmIdle, nullptr, 0, 0), XError);
    GetPort(&after);
    EXPECT_EQ(after, GrafPtr(b->GetWindowPtr()));
}

TEST(AppRequestPollStamp, TheSocketIsAskedOncePerClockStep) {
    char tmpl[] = "/tmp/kspoll-XXXXXX";
    const std::string dir = mkdtemp(tmpl);
    const std::string path = dir + "/s";
    KsAppRequestServer server;
    ASSERT_EQ(server.Open(path), KsAppRequestServer::OpenResult::listening);
    EXPECT_EQ(server.PollIfDue(10, 100), 0); // the first poll always asks

    // A client whose whole request is already in the socket: connect() and
    // send() complete against the listen backlog, before any accept.
    const auto connectAndSend = [&](const char* text) {
        const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::strncpy(addr.sun_path, path.c_str(), sizeof addr.sun_path - 1);
        EXPECT_EQ(connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
        EXPECT_EQ(send(fd, text, std::strlen(text), 0), ssize_t(std::strlen(text)));
        shutdown(fd, SHUT_WR);
        return fd;
    };
    const auto answerOf = [](int fd) {
        char buf[64] = {};
        const ssize_t n = recv(fd, buf, sizeof buf - 1, 0);
        close(fd);
        return std::string(buf, n > 0 ? size_t(n) : 0);
    };

    int fd = connectAndSend("PING\n\n");
    EXPECT_EQ(server.PollIfDue(10, 100), 0); // neither clock moved: not asked
    EXPECT_EQ(server.PollIfDue(10, 100), 0);
    EXPECT_EQ(server.PollIfDue(11, 100), 1); // the tick moved
    EXPECT_FALSE(answerOf(fd).empty());      // taken and answered

    // A virtual clock that stands still: the real clock's step still lets the
    // request in.
    fd = connectAndSend("PING\n\n");
    EXPECT_EQ(server.PollIfDue(11, 100), 0);
    EXPECT_EQ(server.PollIfDue(11, 104), 1);
    EXPECT_FALSE(answerOf(fd).empty());

    // An explicit poll always asks.
    fd = connectAndSend("PING\n\n");
    EXPECT_EQ(server.Poll(), 1);
    EXPECT_FALSE(answerOf(fd).empty());
    server.Close();
    rmdir(dir.c_str());

    // The real clock behind the stamp moves forward in steps of milliseconds.
    const long t0 = KsAppCoarseMilliseconds();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const long t1 = KsAppCoarseMilliseconds();
    EXPECT_GE(t1 - t0, 20);
    EXPECT_LT(t1 - t0, 5000);
}

TEST(MainThread, TheCachedIdentityHoldsAcrossThreadsAndFork) {
    KsSetMainThread();
    ASSERT_TRUE(KsIsMainThread());
    bool workerIsMain = true;
    std::thread([&] {
        workerIsMain = KsIsMainThread();
        KsIsMainThread(); // cached now
    }).join();
    EXPECT_FALSE(workerIsMain);
    EXPECT_TRUE(KsIsMainThread());
    // A forked child is another thread of another process: it may not take
    // the parent's cached identity for its own.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) _exit(KsIsMainThread() ? 1 : 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(KsIsMainThread());
}

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
