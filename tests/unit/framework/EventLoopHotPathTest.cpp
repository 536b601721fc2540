// The per-event paths kept cheap: the idle pass over windows that come and go
// meanwhile, message delivery when a handler fails, the request socket asked
// once per clock step, and the main-thread test.
#include "ApplicationTestSupport.h"
#include "KsAppRequestsPrivate.h"
#include "KsThreads.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>

#include <chrono>
#include <cstring>
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
