// Idle routing down the pane tree: what a level hands to the next (the hold
// on the pane it calls, the port's answer for the point) must not outlive the
// handler that can change it, nor the call it was made for. Panes whose
// handlers declare they keep the tree are walked without holds; the
// declaration covers the declaring class alone and a whole subtree only, so a
// handler that disposes panes is always walked safely, wherever it sits and
// however the tree changed since the last walk. (The address sanitizer
// reports a walk that used a pane it had not held.)
#include "PaneTestSupport.h"

#include <functional>
#include <stdexcept>
#include <string>

namespace {
// Logs its idle time by name, runs its step once, then walks its sub-panes.
class Logger : public APane {
public:
    std::string* trace = nullptr;
    char name = '?';
    std::function<void()> step;
    void Dawdle(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* id, void* data) override {
        *trace += name;
        if (step) {
            auto run = std::move(step);
            run();
        }
        APane::Dawdle(pt, modifiers, sleep, id, data);
    }
};

// Declares that its handler keeps the tree; its steps, when a test gives it
// any, dispose of panes only as a subclass that does not declare it would.
class KeepingLogger : public Logger {
public:
    KS_PANE_WALK_TRAITS(KeepingLogger, kWalkIdleKeepsTree | kWalkStandardInterior)
};
// Inherits the declaration's class but not the declaration.
class DisposingLogger : public KeepingLogger {};

class PaneIdleRouting : public PaneTest {
protected:
    static constexpr KsPoint kAt{60, 60};

    void SetUp() override {
        PaneTest::SetUp();
        cover = Cover(50, 50, 40, 40); // over kAt while shown
        SetCovered(false);
    }
    void TearDown() override {
        if (KsIsLiveWindow(cover)) cover->Dispose();
        PaneTest::TearDown();
    }
    void SetCovered(bool on) {
        if (on)
            ShowWindow(cover->GetWindowPtr());
        else
            HideWindow(cover->GetWindowPtr());
        SetPortWindowPort(win->GetWindowPtr());
    }
    bool PointShows() const { return PtInRgn(ToPoint(kAt), Port()->visRgn); }

    template <class P = Logger>
    P* Make(APane* encl, char name, SInt16 l, SInt16 t, SInt16 w, SInt16 h, bool always = false) {
        auto* p = new P;
        p->IPane(encl, l, S, w, t, S, h, RGBwhite, 0);
        p->trace = &trace;
        p->name = name;
        p->SetAlwaysDawdle(always);
        return p;
    }
    std::string Walk(APane* from) {
        trace.clear();
        SInt16 cursor = 0;
        from->Dawdle(kAt, 0, nullptr, &cursor, nullptr);
        return trace;
    }

    AWindow* cover = nullptr;
    std::string trace;
};

// The port is asked again after every handler, at the level the handler ran
// in and at every level above it.
TEST_F(PaneIdleRouting, AHandlerThatCoversOrUncoversThePointIsSeenByTheRestOfTheWalk) {
    ASSERT_TRUE(PointShows());
    SetCovered(true);
    ASSERT_FALSE(PointShows());
    SetCovered(false);

    // main > x (holds the point) > [a (always), b (holds the point) > c]
    Logger* x = Make(main, 'x', 20, 20, 100, 100);
    Logger* a = Make(x, 'a', 0, 0, 10, 10, true);
    Logger* b = Make(x, 'b', 30, 30, 50, 50);
    Make(b, 'c', 10, 10, 30, 30);
    // main > y (holds the point), after x
    Make(main, 'y', 40, 40, 60, 60);

    EXPECT_EQ(Walk(main), "xabcy");
    SetCovered(true);
    EXPECT_EQ(Walk(main), "xa") << "only panes always given idle time, when covered";

    // Uncovered by a handler in the middle of a level: the rest of the level,
    // the levels below and the enclosing level's later panes all see it.
    a->step = [&] { SetCovered(false); };
    EXPECT_EQ(Walk(main), "xabcy");

    // Covered likewise: nothing after the handler is given idle time.
    a->step = [&] { SetCovered(true); };
    SetCovered(false);
    EXPECT_EQ(Walk(main), "xa");

    // Covered from a level down: the enclosure's later sibling sees it.
    SetCovered(false);
    b->step = [&] { SetCovered(true); };
    EXPECT_EQ(Walk(main), "xab");
}

// A pane called by its enclosure's walk is held there; called from outside
// it holds itself, so a handler may dispose of it, or of its enclosure, either
// way.
TEST_F(PaneIdleRouting, HandlersMayDisposeOfTheirEnclosuresWhereverTheWalkBegan) {
    ASSERT_TRUE(PointShows());
    // main > x > w > g (always), and z after x.
    Logger* x = Make(main, 'x', 20, 20, 100, 100);
    Logger* w = Make(x, 'w', 10, 10, 80, 80);
    Logger* g = Make(w, 'g', 0, 0, 5, 5, true);
    Make(main, 'z', 40, 40, 60, 60);
    g->step = [&] { x->Dispose(); };
    EXPECT_EQ(Walk(main), "xwgz");
    EXPECT_EQ(main->GetNumSubPanes(), 1);

    // From a pane in the middle of the tree, not from the main pane.
    Logger* x2 = Make(main, 'X', 20, 20, 100, 100);
    Logger* w2 = Make(x2, 'W', 10, 10, 80, 80);
    Logger* g2 = Make(w2, 'G', 0, 0, 5, 5, true);
    Make(w2, 'H', 0, 0, 5, 5, true);
    g2->step = [&] { w2->Dispose(); };
    EXPECT_EQ(Walk(w2), "WG") << "the pane and its later sub-pane are gone";
    EXPECT_EQ(x2->GetNumSubPanes(), 0);
}

// A handler that throws ends the walk; what the walk handed down for the call
// goes with it, so a later call from outside works out its enclosures afresh.
TEST_F(PaneIdleRouting, AThrowingHandlerLeavesNothingBehindForTheNextCall) {
    ASSERT_TRUE(PointShows());
    // main > x > b > c (holds the point), d (always); the throw comes from
    // b's own idle work, before b takes up what x handed it.
    Logger* x = Make(main, 'x', 20, 20, 100, 100);
    Logger* b = Make(x, 'b', 30, 30, 50, 50);
    Make(b, 'c', 10, 10, 30, 30);
    Logger* d = Make(b, 'd', 0, 0, 5, 5, true);
    b->step = [] { throw std::runtime_error("idle work failed"); };
    EXPECT_THROW(Walk(main), std::runtime_error);
    EXPECT_EQ(trace, "xb");

    // With its enclosure hidden, b's sub-panes do not show, so none is given
    // idle time, not even the one that always takes it.
    x->SetVisible(false);
    EXPECT_EQ(Walk(b), "b");
    x->SetVisible(true);
    EXPECT_EQ(Walk(b), "bcd");

    // b, called alone, survives a handler that disposes of it.
    d->step = [&] { b->Dispose(); };
    EXPECT_EQ(Walk(b), "bcd");
    EXPECT_EQ(x->GetNumSubPanes(), 0);
    EXPECT_EQ(Walk(main), "x");
}

TEST_F(PaneIdleRouting, HandlersThatDisposeArePlacedOrAddedAnywhereAndWalkedSafely) {
    struct Case {
        const char* name;
        int depth;      // where the disposing pane sits: 1 = below a, 3 = below c
        bool addedLate; // added after a first walk built the tables
        int victim;     // 0: a (the top of the chain), 1: the disposing pane itself
    } cases[] = {
        {"deep, added after a walk, disposes the top", 3, true, 0},
        {"deep, there from the start, disposes the top", 3, false, 0},
        {"shallow, added after a walk, disposes itself", 1, true, 1},
        {"deep, added after a walk, disposes itself", 3, true, 1},
    };
    const KsPoint at{100, 100};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // main > a > b > c, all declaring; the disposing pane d below one.
        auto* a = Make<KeepingLogger>(main, 'a', 10, 10, 180, 180);
        auto* b = Make<KeepingLogger>(a, 'b', 10, 10, 160, 160);
        auto* cc = Make<KeepingLogger>(b, 'c', 10, 10, 140, 140);
        APane* host = c.depth == 1 ? static_cast<APane*>(a) : cc;
        const auto walk = [&] {
            trace.clear();
            SInt16 cursor = 0;
            main->Dawdle(at, 0, nullptr, &cursor, nullptr);
            return trace;
        };
        if (c.addedLate) {
            EXPECT_EQ(walk(), "abc");
        }
        auto* d = Make<DisposingLogger>(host, 'd', 10, 10, 120, 120);
        d->step = [&, d] { (c.victim == 0 ? static_cast<APane*>(a) : d)->Dispose(); };
        EXPECT_EQ(walk(), "abcd");
        EXPECT_EQ(main->GetNumSubPanes(), c.victim == 0 ? 0 : 1);
        if (c.victim == 1) {
            EXPECT_EQ(host->GetNumSubPanes(), c.depth == 1 ? 1 : 0);
            EXPECT_EQ(walk(), "abc") << "the walk goes on over what is left";
            a->Dispose();
        }
    }
}

} // namespace
