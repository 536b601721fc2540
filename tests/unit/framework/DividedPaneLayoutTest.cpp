// Divided panes: installing, resizing and dragging keep the divisions tiled
// along the axis, at least their minimum sizes, proportional ones in
// proportion; in columns and in rows.
#include "ADividedPane.h"
#include "ADividerPane.h"
#include "AMemStream.h"
#include "AObjDoc.h"
#include "PaneStream.h"
#include "PaneTestSupport.h"

#include <random>
#include <vector>

namespace {

struct Division {
    SInt32 min;
    bool proportional;
};

class DividedPaneLayout : public PaneTest {
protected:
    ADividedPane* Make(bool column, const std::vector<Division>& divs, SInt16 extent) {
        ADividedPane* dp =
            column ? static_cast<ADividedPane*>(
                         ADividedPaneH::New(main, 0, S, 200, 0, S, extent, RGBgray10, 0))
                   : static_cast<ADividedPane*>(
                         ADividedPaneV::New(main, 0, S, extent, 0, S, 200, RGBgray10, 0));
        for (const Division& d : divs)
            dp->InstallPane(Add(dp, 0, S, 10, 0, S, 10), d.min, 1000, d.proportional);
        return dp;
    }
    static SInt32 Start(const ADividedPane* dp, const APane* p) {
        return dp->IsHorizontal() ? p->GetBounds().top : p->GetBounds().left;
    }
    // The layout invariant: tiled without gaps when there is room for every
    // minimum, each division at least its minimum, never negative.
    static void ExpectSound(ADividedPane* dp, const char* when) {
        const KsRect in = dp->GetInterior();
        const SInt32 extent = dp->IsHorizontal() ? in.Height() : in.Width();
        SInt32 pos = dp->IsHorizontal() ? in.top : in.left, mins = 0;
        const UInt16 n = dp->GetDivisionCount();
        for (UInt16 i = 0; i < n; ++i) {
            const ADPdivision_t& d = dp->GetDivision(i);
            mins += d.minSize + (i ? 5 : 0);
            ASSERT_EQ(Start(dp, d.pane), pos) << when << ": division " << i;
            ASSERT_GE(dp->GetDivisionSize(i), d.minSize) << when << ": division " << i;
            pos += dp->GetDivisionSize(i);
            if (i + 1 < n) {
                ASSERT_EQ(Start(dp, dp->GetDivider(i)), pos) << when << ": divider " << i;
                pos += 5;
            }
        }
        if (extent >= mins) {
            ASSERT_EQ(pos, (dp->IsHorizontal() ? in.top : in.left) + extent) << when;
        }
    }
};

TEST_F(DividedPaneLayout, InstallingAndResizingAColumn) {
    ADividedPane* dp = Make(true, {{20, true}, {20, true}, {20, true}}, 300);
    const SInt32 installed[] = {96, 96, 98};
    for (UInt16 i = 0; i < 3; ++i)
        EXPECT_EQ(dp->GetDivisionSize(i), installed[i]);
    EXPECT_EQ(dp->GetDividerPos(0), 96);
    EXPECT_EQ(dp->GetDividerPos(1), 197);
    dp->Resize(S, 400); // scaled by 400/300, truncated; the last takes the rest
    EXPECT_EQ(dp->GetDivisionSize(0), 128);
    EXPECT_EQ(dp->GetDivisionSize(1), 128);
    EXPECT_EQ(dp->GetDivisionSize(2), 134);

    ADividedPane* fixed = Make(true, {{20, false}, {20, true}, {20, true}}, 300);
    fixed->Resize(S, 400); // (400 - 96) / (300 - 96) for the others
    EXPECT_EQ(fixed->GetDivisionSize(0), 96);
    EXPECT_EQ(fixed->GetDivisionSize(1), SInt32(96.0f * (304.0f / 204.0f)));
}

// Shrinking below the fixed divisions used to stop on "oldHeight >
// fixedHeight" and hand out negative heights.
TEST_F(DividedPaneLayout, ShrinkingPastFixedDivisionsHoldsMinimums) {
    for (bool column : {true, false}) {
        ADividedPane* dp = Make(column, {{40, false}, {30, false}, {25, true}}, 300);
        const SInt16 steps[] = {150, 100, 60, 20, 0, 300};
        for (SInt16 e : steps) {
            column ? dp->Resize(S, e) : dp->Resize(e, S);
            ExpectSound(dp, column ? "column" : "row");
        }
    }
}

TEST_F(DividedPaneLayout, SetDividerPosKeepsBothNeighboursAtTheirMinimums) {
    ADividedPane* dp = Make(true, {{50, true}, {60, true}}, 300);
    const struct {
        SInt32 asked, got;
    } cases[] = {{10, 50}, {250, 300 - 5 - 60}, {120, 120}, {-40, 50}};
    for (const auto& c : cases) {
        dp->SetDividerPos(0, c.asked);
        EXPECT_EQ(dp->GetDividerPos(0), c.got) << c.asked;
        ExpectSound(dp, "set");
    }
}

// Seeded random resizes, divider positions and drags by mouse, in both
// directions: the invariant after every step, and proportional divisions
// scaled as the ratio says whenever no minimum got in the way.
TEST_F(DividedPaneLayout, RandomResizesAndDragsKeepTheLayoutSound) {
    for (bool column : {true, false}) {
        ADividedPane* dp = Make(column, {{20, true}, {35, false}, {12, true}, {30, true}}, 320);
        std::mt19937 rng(column ? 7 : 11);
        long t = 0;
        int dragsThatMoved = 0;
        for (int step = 0; step < 120; ++step) {
            const UInt16 k = UInt16(rng() % 3);
            const int op = int(rng() % 3);
            if (op == 0) {
                std::vector<SInt32> before;
                for (UInt16 i = 0; i < 4; ++i)
                    before.push_back(dp->GetDivisionSize(i));
                const KsRect in = dp->GetInterior();
                const SInt32 oldExt = column ? in.Height() : in.Width();
                const SInt16 e = SInt16(60 + rng() % 400);
                column ? dp->Resize(S, e) : dp->Resize(e, S);
                const float scale = float(e - before[1]) / float(oldExt - before[1]);
                const bool unclamped = dp->GetDivisionSize(3) > 30;
                for (UInt16 i : {0, 2}) {
                    const SInt32 want =
                        std::max(dp->GetDivision(i).minSize, SInt32(float(before[i]) * scale));
                    if (unclamped && oldExt != e) {
                        EXPECT_EQ(dp->GetDivisionSize(i), want) << "step " << step;
                    }
                }
            } else if (op == 1) {
                dp->SetDividerPos(k, SInt32(rng() % 500) - 50);
            } else {
                ADividerPane* d = dp->GetDivider(k);
                const KsRect b = d->GetBounds();
                const SInt32 move = SInt32(rng() % 160) - 80;
                Point from{SInt16(b.top + 2), SInt16(b.left + 2)}, to = from;
                (column ? to.v : to.h) += SInt16(move);
                LocalToGlobal(&from);
                LocalToGlobal(&to);
                const EventRecord e = desk->Gesture(t, from, {to});
                const SInt32 was = d->GetPos();
                d->DoClick({b.left + 2, b.top + 2}, e.modifiers, e.when, nullptr);
                dragsThatMoved += d->GetPos() != was;
            }
            ExpectSound(dp, column ? "column" : "row");
            if (HasFatalFailure()) return;
        }
        EXPECT_GT(dragsThatMoved, 5);
        dp->Dispose();
    }
}

// Both formats bring back divisions linked to their panes and dividers, so
// the copy lays out as the original does.
TEST_F(DividedPaneLayout, DivisionsComeBackThroughStreamAndText) {
    ADividedPane* dp = Make(false, {{20, true}, {35, false}, {12, true}}, 300);
    dp->SetDividerPos(0, 70);
    AMemStream out;
    AObjDoc(out).Write(dp);
    AMemStream in(out.GetDataHandle());
    AObjDoc doc(in);
    doc.Read();
    const std::string text = WritePaneText(dp);
    APane* copies[] = {static_cast<APane*>(doc.TakeObject()),
                       ReadPaneText(text.data(), long(text.size()), nullptr, nullptr)};
    dp->Resize(200, S);
    for (APane* copy : copies) {
        ASSERT_TRUE(copy->IsInstanceOf("ADividedPaneV"));
        auto* c = static_cast<ADividedPane*>(copy);
        ASSERT_EQ(c->GetDivisionCount(), 3);
        EXPECT_EQ(c->GetDividerPos(0), 70);
        EXPECT_EQ(c->GetDivision(1).minSize, 35);
        c->Resize(200, S);
        for (UInt16 i = 0; i < 3; ++i)
            EXPECT_EQ(c->GetDivisionSize(i), dp->GetDivisionSize(i));
        copy->Dispose();
    }
}

} // namespace
