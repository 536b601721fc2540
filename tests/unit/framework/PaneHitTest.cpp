// Hit testing, idle routing and the interior that both lean on: every writer
// of the geometry a pane's interior comes from is followed at once, and the
// fast walks answer what a literal walk of the pane rules answers, through
// random trees, mutations and port clips; panes that test hits themselves
// are asked at any depth.
#include "PaneTestSupport.h"

#include "CKsList.h"
#include "CoreAttrList.h"
#include "KsDrawUtils.h"
#include "KsSplitMix.h"
#include "MacText.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace {
// A pane that logs the idle time it is given and, as a subclass may, writes
// the border field directly (the interior is checked against it on use).
class Probe : public APane {
public:
    static std::vector<const APane*>* log;
    void Dawdle(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* id, void* data) override {
        if (log) log->push_back(this);
        APane::Dawdle(pt, modifiers, sleep, id, data);
    }
    void PokeBorder(SInt32 style) { border = style; }
};
std::vector<const APane*>* Probe::log = nullptr;

// The same, declaring that its handler keeps the tree and its interior is
// the standard one, as the stock controls do.
class KeepingProbe : public Probe {
public:
    KS_PANE_WALK_TRAITS(KeepingProbe, kWalkIdleKeepsTree | kWalkStandardInterior)
};

Probe* NewProbe(APane* encl, SInt16 l, SInt16 r, SInt16 w, SInt16 t, SInt16 b, SInt16 h,
                SInt32 border, bool keeping = false) {
    Probe* p = keeping ? new KeepingProbe : new Probe;
    p->IPane(encl, l, r, w, t, b, h, RGBwhite, border);
    return p;
}

void WideBorder(KsRect* r, SInt32, const KsRGBColor*, Boolean, SInt32) {
    r->Inset(5, 7);
}

using Rng = KsSplitMix;

KsRect R(SInt32 l, SInt32 t, SInt32 r, SInt32 b) {
    return {l, t, r, b};
}

bool Inside(const KsRect& r, KsPoint pt) {
    return pt.h >= r.left && pt.h <= r.right && pt.v >= r.top && pt.v <= r.bottom;
}

// The pane rules taken literally: nothing carried down, nothing cached.
KsRect RefInterior(const APane* p) {
    KsRect f = p->GetFrame();
    if (APaneBorderProc proc = p->GetBorderProc()) {
        proc(&f, p->GetBorderStyle(), nullptr, false, 0);
        return f;
    }
    const SInt32 w = GetBorderWidth(p->GetBorderStyle());
    return f.Insetted(w, w);
}

bool RefVisible(const APane* p) {
    AWindow* w = p->GetEnclWindow();
    if (!p->GetOwnVisible() || !w || !w->IsVisible()) return false;
    KsRect r = p->GetBounds().Union(p->GetFrame());
    for (const APane* a = p->GetEnclPane(); a; a = a->GetEnclPane()) {
        if (!RefVisible(a)) return false;
        r = r.Intersect(RefInterior(a));
    }
    r = r.Intersect(ToKsRect(GetWindowPort(w->GetWindowPtr())->portRect));
    return !r.IsEmpty();
}

APane* RefFind(APane* p, KsPoint pt, bool selectionAware, GrafPtr port) {
    if (!Inside(p->GetBounds(), pt) || !RefVisible(p) || !RectIsVisibleInPort(p->GetBounds(), port))
        return nullptr;
    if (selectionAware && p->GetSelected() && !Inside(p->GetBounds().Insetted(3, 3), pt)) return p;
    for (SInt32 i = p->GetNumSubPanes(); i >= 1; --i)
        if (APane* hit = RefFind(p->GetSubPane(i), pt, selectionAware, port)) return hit;
    return p;
}

void RefDawdle(const APane* p, KsPoint pt, GrafPtr port, std::vector<const APane*>* out) {
    if (!Inside(RefInterior(p), pt) && !p->GetAlwaysDawdle()) return;
    for (SInt32 i = 1; i <= p->GetNumSubPanes(); ++i) {
        const APane* s = p->GetSubPane(i);
        if (!RefVisible(s)) continue;
        const bool inVis = PtInRgn(ToPoint(pt), port->visRgn);
        if (s->GetAlwaysDawdle() || (Inside(s->GetFrame(), pt) && inVis)) {
            out->push_back(s);
            RefDawdle(s, pt, port, out);
        }
    }
}

void RefTabWalk(const APane* p, const APane** current, const APane** next, const APane** first,
                bool backwards) {
    const SInt32 n = p->GetNumSubPanes();
    for (SInt32 k = 1; k <= n; ++k) {
        const APane* s = p->GetSubPane(backwards ? n + 1 - k : k);
        if (!RefVisible(s)) continue;
        if (s->CanBeTabbedTo()) {
            if (!*first) *first = s;
            if (s->IsActive())
                *current = s;
            else if (*current && !*next)
                *next = s;
        }
        RefTabWalk(s, current, next, first, backwards);
    }
}

// The tab-order walk is protected; reached the way a subclass reaches it.
struct TabWalk : APane {
    static void Run(APane* p, APane** current, APane** next, APane** first, bool backwards) {
        (p->*(&TabWalk::FindTEpanes))(current, next, first, backwards);
    }
};

bool InSubtree(const APane* root, const APane* p) {
    for (; p; p = p->GetEnclPane())
        if (p == root) return true;
    return false;
}

class PaneHitTest : public PaneTest {
protected:
    // Random trees: panes that overhang their enclosures, borders with and
    // without a border proc, labels in each position, hidden panes.
    void Grow(Rng& rng, int count) {
        for (int i = 0; i < count; ++i) {
            APane* encl = panes.empty() || rng.Range(0, 3) == 0
                              ? main
                              : panes[std::size_t(rng.Range(0, SInt32(panes.size()) - 1))];
            const KsRect in = encl->GetInterior();
            const SInt32 w = std::max<SInt32>(in.Width(), 8), h = std::max<SInt32>(in.Height(), 8);
            Probe* p = NewProbe(encl, SInt16(rng.Range(-10, w - 4)), S,
                                SInt16(rng.Range(4, w * 3 / 4 + 6)), SInt16(rng.Range(-10, h - 4)),
                                S, SInt16(rng.Range(4, h * 3 / 4 + 6)), rng.Range(0, 3), keeping);
            Shape(rng, p);
            panes.push_back(p);
        }
    }
    void Shape(Rng& rng, Probe* p) {
        switch (rng.Range(0, 9)) {
        case 0:
            p->SetBorderProc(WideBorder);
            break;
        case 1:
            p->AddLabel("Name", SInt16(rng.Range(0, 2)));
            break;
        case 2:
            p->SetVisible(false);
            break;
        case 3:
            p->SetAlwaysDawdle(true);
            break;
        case 4:
            p->SetSelected(true);
            break;
        case 5:
            p->SetCanBeTabbedTo(true);
            break;
        case 6:
            p->SetCanBeTabbedTo(true);
            p->SetActive(true);
            break;
        default:
            break;
        }
    }
    Probe* Pick(Rng& rng) { return panes[std::size_t(rng.Range(0, SInt32(panes.size()) - 1))]; }
    // One change through one writer of what the walks read: geometry, label
    // strips, border, visibility, hierarchy flags, window, list order and
    // membership, property text, disposal.
    void Mutate(Rng& rng) {
        Probe* p = Pick(rng);
        APane* encl = p->GetEnclPane();
        switch (rng.Range(0, 24)) {
        case 0:
            p->MovePane(rng.Range(-30, 30), rng.Range(-30, 30));
            break;
        case 1:
            p->Resize(SInt16(rng.Range(2, 200)), SInt16(rng.Range(2, 150)));
            break;
        case 2:
            p->SetBorderStyle(rng.Range(0, 3));
            break;
        case 3:
            p->SetBorderProc(p->GetBorderProc() ? nullptr : WideBorder);
            break;
        case 4:
            p->SetVisible(!p->GetOwnVisible());
            break;
        case 5:
            if (!p->GetLabel()) p->AddLabel("Label", 0);
            p->SetLabelPosition(SInt16(rng.Range(-1, 2)));
            break;
        case 6:
            p->SetBounds(p->GetBounds().Offsetted(rng.Range(-20, 20), rng.Range(-20, 20)));
            break;
        case 7:
            p->PokeBorder(rng.Range(0, 3));
            break;
        case 8:
            if (p->GetLabel()) p->SetLabelText(rng.Range(0, 1) ? "A much longer label" : "L");
            break;
        case 9: {
            Probe* to = Pick(rng);
            p->SetEnclosure(InSubtree(p, to) ? main : to);
            break;
        }
        case 10:
            p->SetFrame(p->GetFrame().Insetted(rng.Range(-5, 5), rng.Range(-5, 5)));
            break;
        case 11:
            p->SetAlwaysDawdle(!p->GetAlwaysDawdle());
            break;
        case 12:
            p->BringToFront();
            break;
        case 13:
            p->SendToBack();
            break;
        case 14:
            p->SetEnclWindow(p->GetEnclWindow() ? nullptr : win);
            break;
        case 15:
            p->Place(SInt16(rng.Range(-5, 60)), S, SInt16(rng.Range(4, 90)),
                     SInt16(rng.Range(-5, 60)), S, SInt16(rng.Range(4, 70)));
            break;
        case 16:
            p->PlaceAndAdjust(S, SInt16(rng.Range(-20, 5)), SInt16(rng.Range(4, 90)), S,
                              SInt16(rng.Range(-20, 5)), SInt16(rng.Range(4, 70)));
            break;
        case 17:
            if (encl) p->CenterPane(encl, rng.Range(0, 1) == 1, true);
            break;
        case 18:
            p->JuxtaposePaneRight(Pick(rng), SInt16(rng.Range(0, 8)));
            break;
        case 19:
            if (encl) { // a pane taken out and put back: to the front
                encl->RemoveSubPane(p);
                encl->AddSubPane(p);
            }
            break;
        case 20: {
            // The property text's reader writes the fields it reads.
            CoreAttrList list;
            p->AddPropsToList(&list);
            list.SetSInt32("br.lef", list.GetSInt32("br.lef") + rng.Range(-15, 15));
            list.SetSInt32("labeldx", rng.Range(0, 1) ? 0 : rng.Range(-10, 20));
            list.SetSInt32("alDawdle", rng.Range(0, 1));
            p->GetPropsFromList(&list);
            break;
        }
        case 21: {
            // Disposed with its subtree, then replaced by new panes.
            std::vector<Probe*> kept;
            for (Probe* q : panes)
                if (!InSubtree(p, q)) kept.push_back(q);
            p->Dispose();
            panes = kept;
            Grow(rng, 3);
            break;
        }
        case 22:
            p->SetToTextWidth(SInt16(rng.Range(4, 80)));
            break;
        default:
            main->SetBorderStyle(rng.Range(0, 3));
            break;
        }
        if (panes.empty()) Grow(rng, 3);
    }
    // Every pane's interior and visibility, and the walks at random points.
    void ExpectAgreement(Rng& rng, const char* where) {
        SCOPED_TRACE(where);
        for (const Probe* p : panes) {
            ASSERT_EQ(p->GetInterior(), RefInterior(p));
            ASSERT_EQ(p->IsVisible(), RefVisible(p));
        }
        for (bool backwards : {false, true}) {
            APane *cur = nullptr, *next = nullptr, *first = nullptr;
            const APane *rcur = nullptr, *rnext = nullptr, *rfirst = nullptr;
            TabWalk::Run(main, &cur, &next, &first, backwards);
            RefTabWalk(main, &rcur, &rnext, &rfirst, backwards);
            ASSERT_EQ(cur, rcur);
            ASSERT_EQ(next, rnext);
            ASSERT_EQ(first, rfirst);
        }
        for (int k = 0; k < 60; ++k) {
            const KsPoint pt{rng.Range(-5, 405), rng.Range(-5, 305)};
            ExpectWalksAt(pt, k % 2 == 1);
            APane* ref = RefFind(main, pt, false, Port());
            EXPECT_EQ(main->FindPane(pt, true, false), ref ? ref->GetEnclPane() : nullptr);
            if (HasFailure()) return;
        }
    }
    // Hit testing and the idle walk at one point against the literal rules.
    void ExpectWalksAt(KsPoint pt, bool selectionAware = false) {
        SCOPED_TRACE(testing::Message() << "at " << pt.h << "," << pt.v);
        EXPECT_EQ(main->FindPane(pt, false, selectionAware),
                  RefFind(main, pt, selectionAware, Port()));
        std::vector<const APane*> got, want;
        Probe::log = &got;
        SInt16 cursor = 0;
        main->Dawdle(pt, 0, nullptr, &cursor, nullptr);
        Probe::log = nullptr;
        RefDawdle(main, pt, Port(), &want);
        EXPECT_EQ(got, want);
        // Where the tree keeps itself, the walk carries the tip's search.
        APane* hit = nullptr;
        if (main->DawdleFindingPane(pt, 0, nullptr, nullptr, &hit)) {
            ++folded;
            EXPECT_EQ(hit, RefFind(main, pt, false, Port()));
        }
    }

    std::vector<Probe*> panes;
    bool keeping = false; // grow panes whose handlers declare they keep the tree
    long folded = 0;      // searches the idle walk answered
};
} // namespace

// Exact interiors for the border and label writers; the random test below
// follows every writer against the literal rules.
TEST_F(PaneHitTest, InteriorFollowsItsBorderAndLabelStrip) {
    APane* box = Add(main, 100, S, 100, 50, S, 80, 1);
    Probe* p = NewProbe(box, 10, S, 40, 10, S, 30, 1);
    const KsRect b = box->GetInterior();
    ASSERT_EQ(p->GetInterior(), R(b.left + 11, b.top + 11, b.left + 49, b.top + 39));
    const KsPoint corner{b.left + 11, b.top + 11}; // the interior's first pixel
    ASSERT_EQ(main->FindPane(corner, false, false), p);
    p->SetBorderStyle(2); // two pixels
    EXPECT_EQ(p->GetInterior(), R(b.left + 12, b.top + 12, b.left + 48, b.top + 38));
    p->SetBorderProc(WideBorder);
    EXPECT_EQ(p->GetInterior(), R(b.left + 15, b.top + 17, b.left + 45, b.top + 33));
    p->SetBorderProc(nullptr);
    p->PokeBorder(0); // a subclass writing the field itself
    EXPECT_EQ(p->GetInterior(), R(b.left + 10, b.top + 10, b.left + 50, b.top + 40));

    // Label strips: the frame, and so the interior, moves inside the bounds.
    p->SetBounds({b.left + 5, b.top + 5, b.left + 25, b.top + 25});
    p->AddLabel("Name", kLabelLeft);
    const SInt16 dx = p->GetLabelDX();
    ASSERT_GT(dx, 0);
    EXPECT_EQ(p->GetInterior(), R(b.left + 5, b.top + 5, b.left + 25, b.top + 25));
    EXPECT_EQ(p->GetBounds().left, b.left + 5 - dx);
    p->SetLabelPosition(kLabelNone);
    EXPECT_EQ(p->GetInterior(), p->GetBounds());
    p->SetLabelPosition(kLabelOverBorder);
    EXPECT_EQ(p->GetInterior().left, p->GetBounds().left - 10);
}

TEST_F(PaneHitTest, DeepNestingIsWalkedOnceAndClippedByEveryEnclosure) {
    APane* p = main;
    std::vector<APane*> chain;
    for (int d = 0; d < 12; ++d) {
        p = Add(p, 2, -2, S, 2, -2, S, d % 3);
        chain.push_back(p);
    }
    const KsRect deepest = p->GetInterior();
    EXPECT_EQ(main->FindPane({deepest.left + 5, deepest.top + 5}, false, false), p);
    EXPECT_EQ(main->FindPane({deepest.left + 5, deepest.top + 5}, true, false), chain[10]);
    // Shrinking a middle enclosure clips everything under it.
    chain[5]->Resize(3, 3);
    EXPECT_FALSE(p->IsVisible());
    const KsRect mid = chain[5]->GetBounds();
    EXPECT_EQ(main->FindPane({mid.left + 1, mid.top + 1}, false, false), chain[5]);
    EXPECT_EQ(main->FindPane({deepest.right - 5, deepest.bottom - 5}, false, false), chain[4]);
    for (SInt32 h = mid.left - 3; h <= mid.right + 3; ++h)
        EXPECT_EQ(main->FindPane({h, mid.top + 1}, false, false),
                  RefFind(main, {h, mid.top + 1}, false, Port()));
}

// Random trees under mutation through every writer of what the walks read,
// including moves to other enclosures and disposals, against the literal rules; then the same
// through port clips of every kind the walks read without copying: a smaller rectangle, an empty
// clip, a clip of two rectangles, and a visible region that another window makes complex.
TEST_F(PaneHitTest, WalksAgreeWithTheLiteralRulesThroughMutationsAndClips) {
    for (std::uint64_t seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE(seed);
        keeping = seed == 4;
        // The last tree leaves the main pane's border as it found it: the
        // clips below are laid out against it.
        const SInt32 mainBorder = main->GetBorderStyle();
        Rng rng{seed};
        Grow(rng, 40);
        ExpectAgreement(rng, "grown");
        for (int round = 0; round < 150; ++round) {
            Mutate(rng);
            ExpectAgreement(rng, "mutated");
            if (HasFailure()) return;
        }
        main->DeleteSubPanes();
        panes.clear();
        if (keeping) main->SetBorderStyle(mainBorder);
    }
    EXPECT_GT(folded, 1000);
    Rng rng{7};
    Grow(rng, 40);
    const Rect smaller = ToRect(KsRect{50, 40, 220, 190});
    ClipRect(&smaller);
    ExpectAgreement(rng, "rectangular clip");
    const Rect none = ToRect(KsRect{10, 10, 10, 10});
    ClipRect(&none);
    ExpectAgreement(rng, "empty clip");
    RgnHandle two = NewRgn();
    KsRgnToRgnHandle(KsRgn({KsRect{0, 0, 120, 90}, KsRect{200, 150, 400, 300}}), two);
    SetClip(two);
    DisposeRgn(two);
    ExpectAgreement(rng, "clip of two rectangles");
    ClipWideOpen();

    AWindow* cover = Cover(100, 80, 150, 120);
    ClipWideOpen();
    ASSERT_NE((**Port()->visRgn).rgnSize, 10) << "the cover should leave a complex visible region";
    ExpectAgreement(rng, "partly covered window");
    // A pane wholly under the cover is never hit; one showing a corner is.
    APane* hidden = Add(main, 150, S, 40, 120, S, 30);
    APane* corner = Add(main, 80, S, 40, 60, S, 40);
    EXPECT_EQ(main->FindPane({170, 135}, false, false), main);
    EXPECT_EQ(main->FindPane({110, 90}, false, false), corner);
    EXPECT_EQ(RefFind(main, {170, 135}, false, Port()), main);
    hidden->Dispose();
    corner->Dispose();
    cover->Dispose();

    // A main pane larger than its window: what the enclosures leave visible
    // stops at the port rectangle as well.
    main->DeleteSubPanes();
    panes.clear();
    main->SetBounds(KsRect{-60, -40, 520, 400});
    ASSERT_GT(main->GetInterior().right, Port()->portRect.right);
    for (std::uint64_t seed : {11u, 12u, 13u}) {
        Rng big{seed};
        Grow(big, 60);
        ExpectAgreement(big, "main pane larger than its window");
        main->DeleteSubPanes();
        panes.clear();
    }
}

// The list is public through GetSubPanes: a pane taken out there and put back,
// with no writer told, is followed by every later descent, through levels
// whose tables record the list's count as well.
TEST_F(PaneHitTest, DescentsFollowAListChangedThroughItsAccessor) {
    APane* outer = Add(main, 10, S, 200, 10, S, 150);
    APane* inner = Add(outer, 10, S, 150, 10, S, 100);
    APane* near = Add(inner, 10, S, 30, 10, S, 30);
    APane* far = Add(inner, 60, S, 30, 10, S, 30);
    const auto centre = [](const APane* p) {
        const KsRect r = p->GetBounds();
        return KsPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    };
    const auto expectHits = [&](APane* atFar, const char* where) {
        SCOPED_TRACE(where);
        // Twice: the first descent measures what changed, the second reads
        // the tables as the first left them.
        for (int pass = 0; pass < 2; ++pass) {
            EXPECT_EQ(main->FindPane(centre(far), false, false), atFar);
            EXPECT_EQ(main->FindPane(centre(near), false, false), near);
        }
    };
    expectHits(far, "built");
    CKsList* list = inner->GetSubPanes();
    list->Remove(far);
    expectHits(inner, "taken out through the list");
    list->InsertAt(2, far);
    expectHits(far, "put back through the list");
}

namespace {
// A pane that is always given idle time and runs a step while it has it.
class Idler : public APane {
public:
    std::string* trace = nullptr;
    char name = '?';
    std::function<void()> step;
    void Dawdle(KsPoint, SInt16, SInt32*, SInt16*, void*) override {
        *trace += name;
        if (step) {
            auto run = std::move(step);
            run();
        }
    }
};
} // namespace

// The walk keeps its place by index between handlers; a handler that adds,
// removes or disposes of panes must neither skip nor repeat the others.
TEST_F(PaneHitTest, IdleWalkKeepsItsPlaceWhileHandlersChangeTheList) {
    std::string trace;
    std::vector<Idler*> idlers;
    auto make = [&](char name) {
        auto* p = new Idler;
        p->IPane(main, SInt16(10 + 25 * SInt32(idlers.size())), S, 20, 10, S, 20, RGBwhite, 0);
        p->trace = &trace;
        p->name = name;
        p->SetAlwaysDawdle(true);
        idlers.push_back(p);
        return p;
    };
    for (char c = 'a'; c <= 'h'; ++c)
        make(c);
    auto dawdle = [&] {
        trace.clear();
        SInt16 cursor = 0;
        main->Dawdle({5, 5}, 0, nullptr, &cursor, nullptr);
        return trace;
    };
    EXPECT_EQ(dawdle(), "abcdefgh");
    idlers[1]->step = [&] { idlers[2]->Dispose(); }; // the next one, early in the list
    idlers[6]->step = [&] { idlers[6]->Dispose(); }; // itself, late in the list
    EXPECT_EQ(dawdle(), "abdefgh");
    EXPECT_EQ(dawdle(), "abdefh");
    idlers[0]->step = [&] { idlers[1]->BringToFront(); }; // moved behind the place
    EXPECT_EQ(dawdle(), "adefhb");
    idlers[7]->step = [&] { make('z'); }; // appended after the place
    EXPECT_EQ(dawdle(), "adefhbz");
    idlers[3]->step = [&] { main->DeleteSubPanes(); };
    EXPECT_EQ(dawdle(), "ad");
    EXPECT_EQ(main->GetNumSubPanes(), 0);
}

// The scans test several sub-panes at once: every edge of lists whose length
// is not a multiple of the group, overlapping panes, alwaysDawdle panes among
// them, and points at the ends of the coordinate range.
TEST_F(PaneHitTest, ScansAnswerOnEveryEdgeAndAtTheCoordinateLimits) {
    std::vector<Probe*> row;
    for (int k = 0; k < 11; ++k) {
        Probe* p =
            NewProbe(main, SInt16(10 + 7 * k), S, 20, SInt16(10 + 3 * (k % 4)), S, 15, k % 2);
        if (k % 5 == 3) p->SetAlwaysDawdle(true);
        row.push_back(p);
    }
    for (SInt32 v = 8; v <= 32; ++v)
        for (SInt32 h = 8; h <= 102; ++h) {
            ExpectWalksAt({h, v});
            if (HasFailure()) return;
        }

    // A main pane and a sub-pane reaching the ends of the 32-bit space.
    main->SetBounds({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX});
    row[4]->SetBounds({INT32_MIN, INT32_MIN, 40, 40});
    row[7]->SetBounds({60, 20, INT32_MAX, INT32_MAX});
    for (KsPoint pt :
         {KsPoint{INT32_MIN, INT32_MIN}, KsPoint{INT32_MAX, INT32_MAX}, KsPoint{INT32_MIN, 30},
          KsPoint{30, INT32_MIN}, KsPoint{INT32_MAX, 25}, KsPoint{35, 35}})
        ExpectWalksAt(pt);
    EXPECT_EQ(main->FindPane({INT32_MIN, INT32_MIN}, false, false), row[4]);
    EXPECT_EQ(main->FindPane({INT32_MAX, INT32_MAX}, false, false), row[7]);
}

// A level of many sub-panes is scanned through a grid: a grid of 150 panes
// that declare their walk traits, every seventh wide over its neighbours,
// every eleventh hidden, one taking idle time everywhere.
TEST_F(PaneHitTest, ALevelOfManyPanesIsScannedAsAShortOne) {
    for (int i = 0; i < 150; ++i) {
        auto* p = new KeepingProbe;
        p->IPane(main, SInt16(4 + 26 * (i % 14)), S, i % 7 ? 18 : 50, SInt16(4 + 24 * (i / 14)), S,
                 16, RGBwhite, 1);
        p->SetVisible(i % 11 != 5);
        p->SetAlwaysDawdle(i == 40);
    }
    long hits = 0;
    for (SInt32 v = 0; v < 290; v += 3)
        for (SInt32 h = 0; h < 390; h += 3) {
            hits += main->FindPane({h, v}, false, false) != main;
            ExpectWalksAt({h, v});
            if (HasFailure()) return;
        }
    EXPECT_GT(hits, 1000);
}

namespace {

// Answers `answer` for the points of `area` (edges included) and defers to
// the standard search elsewhere.
class OwnHits : public APane {
public:
    OwnHits() : APane(HitTest::kOwn) {}
    KsRect area{};
    APane* answer = nullptr;
    int calls = 0;
    APane* FindPane(KsPoint pt, bool wantEnclosure, bool selectionAware) override {
        ++calls;
        if (pt.h >= area.left && pt.h <= area.right && pt.v >= area.top && pt.v <= area.bottom)
            return answer;
        return APane::FindPane(pt, wantEnclosure, selectionAware);
    }
};

TEST_F(PaneTest, FindPaneAsksSubPanesThatTestHitsThemselves) {
    APane* a = Add(main, 10, S, 300, 10, S, 250);  // (10,10)-(310,260)
    APane* b = Add(a, 10, S, 280, 10, S, 230);     // (20,20)-(300,250)
    APane* under = Add(b, 10, S, 200, 10, S, 200); // (30,30)-(230,230)
    auto* own = new OwnHits;                       // (70,70)-(170,170), in front of under
    own->IPane(b, 50, S, 100, 50, S, 100, RGBwhite, 0);
    APane* leaf = Add(own, 10, S, 20, 10, S, 20); // (80,80)-(100,100)
    APane* far = Add(main, 350, S, 20, 10, S, 20);
    // Reaches past the pane's bounds into the pane behind it.
    own->area = {150, 150, 200, 200};

    const struct {
        KsPoint pt;
        APane* answer;
        bool wantEnclosure;
        APane* want;
    } cases[] = {
        {{160, 160}, nullptr, false, under}, // a see-through corner
        {{190, 190}, nullptr, false, under}, // beyond the bounds, nothing
        {{190, 190}, far, false, far},       // beyond the bounds, an answer
        {{190, 190}, far, true, main},       // its enclosure, at the outermost call
        {{90, 90}, nullptr, false, leaf},    // the standard search below it
        {{120, 120}, nullptr, false, own},
        {{250, 240}, nullptr, false, b}, // asked, and outside: the search goes on
    };
    for (const auto& c : cases) {
        own->answer = c.answer;
        own->calls = 0;
        EXPECT_EQ(main->FindPane(c.pt, c.wantEnclosure, false), c.want)
            << "at " << c.pt.h << "," << c.pt.v;
        EXPECT_EQ(own->calls, 1) << "at " << c.pt.h << "," << c.pt.v;
    }
}

} // namespace
