// Panes whose idle handlers declare they keep the tree are walked without
// holds; the declaration covers the declaring class alone and a whole
// subtree only, so a handler that disposes panes is always walked safely,
// wherever it sits and however the tree changed since the last walk. (The
// address sanitizer reports a walk that used a pane it had not held.)
#include "PaneTestSupport.h"

#include <functional>
#include <string>

namespace {

// Declares that its handler keeps the tree, and does.
class KeepingPane : public APane {
public:
    KS_PANE_WALK_TRAITS(KeepingPane, kWalkIdleKeepsTree | kWalkStandardInterior)
    std::string* trace = nullptr;
    char name = '?';
    void Dawdle(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* id, void* data) override {
        *trace += name;
        APane::Dawdle(pt, modifiers, sleep, id, data);
    }
};

// Inherits the declaration's class but not the declaration: it disposes of
// what it is given.
class DisposingPane : public KeepingPane {
public:
    std::function<void()> step;
    void Dawdle(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* id, void* data) override {
        if (auto run = std::move(step)) run();
        KeepingPane::Dawdle(pt, modifiers, sleep, id, data);
    }
};

class PaneIdleTraits : public PaneTest {
protected:
    template <class P> P* Make(APane* encl, char name, SInt16 inset) {
        auto* p = new P;
        p->IPane(encl, inset, S, SInt16(200 - 2 * inset), inset, S, SInt16(200 - 2 * inset),
                 RGBwhite, 1);
        p->trace = &trace;
        p->name = name;
        return p;
    }
    std::string Walk() {
        trace.clear();
        SInt16 cursor = 0;
        main->Dawdle(KsPoint{100, 100}, 0, nullptr, &cursor, nullptr);
        return trace;
    }
    std::string trace;
};

TEST_F(PaneIdleTraits, HandlersThatDisposeArePlacedOrAddedAnywhereAndWalkedSafely) {
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
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // main > a > b > c, all declaring; the disposing pane d below one.
        auto* a = Make<KeepingPane>(main, 'a', 10);
        auto* b = Make<KeepingPane>(a, 'b', 10);
        auto* cc = Make<KeepingPane>(b, 'c', 10);
        APane* host = c.depth == 1 ? static_cast<APane*>(a) : cc;
        DisposingPane* d = nullptr;
        auto addD = [&] {
            d = Make<DisposingPane>(host, 'd', 10);
            d->step = [&, d] { (c.victim == 0 ? static_cast<APane*>(a) : d)->Dispose(); };
        };
        if (c.addedLate) {
            EXPECT_EQ(Walk(), "abc");
        }
        addD();
        EXPECT_EQ(Walk(), "abcd");
        EXPECT_EQ(main->GetNumSubPanes(), c.victim == 0 ? 0 : 1);
        if (c.victim == 1) {
            EXPECT_EQ(host->GetNumSubPanes(), c.depth == 1 ? 1 : 0);
            EXPECT_EQ(Walk(), "abc") << "the walk goes on over what is left";
            a->Dispose();
        }
    }
}

} // namespace
