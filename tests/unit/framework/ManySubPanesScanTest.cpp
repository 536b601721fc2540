// A level of many sub-panes is scanned through a grid: hit testing still
// finds the front-most shown pane under the point, and idle time still
// reaches every shown pane under it in order, with the one taking idle time
// everywhere; hidden and overlapping panes among them.
#include "APane.h"
#include "ApplicationTestSupport.h"

#include <vector>

namespace {

std::vector<APane*> gIdled;

class IdlePane : public APane {
public:
    KS_PANE_WALK_TRAITS(IdlePane, kWalkIdleKeepsTree | kWalkStandardInterior)
    void Dawdle(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* id, void* data) override {
        gIdled.push_back(this);
        APane::Dawdle(pt, modifiers, sleep, id, data);
    }
};

bool Holds(const KsRect& r, KsPoint p) {
    return p.h >= r.left && p.h <= r.right && p.v >= r.top && p.v <= r.bottom;
}

TEST_F(AppTest, ALevelOfManyPanesIsScannedAsAShortOne) {
    PlainWin("many", 40, 60, 400, 300)->CreateMainPane();
    APane* main = plainWindows.back()->GetMainPane();
    // A grid of 150, every seventh wide over its neighbours, every eleventh
    // hidden, one taking idle time everywhere.
    std::vector<APane*> panes;
    for (int i = 0; i < 150; ++i) {
        auto* p = panes.emplace_back(new IdlePane);
        p->IPane(main, SInt16(4 + 26 * (i % 14)), kPaneDontCare, i % 7 ? 18 : 50,
                 SInt16(4 + 24 * (i / 14)), kPaneDontCare, 16, RGBwhite, 1);
        p->SetVisible(i % 11 != 5);
    }
    panes[40]->SetAlwaysDawdle(true);
    long hits = 0, wrong = 0;
    for (SInt32 v = 0; v < 290; v += 3)
        for (SInt32 h = 0; h < 390; h += 3) {
            APane* want = main;
            std::vector<APane*> wantIdled;
            for (APane* p : panes) {
                if (!p->GetOwnVisible()) continue;
                if (Holds(p->GetBounds(), {h, v})) want = p;
                if (Holds(p->GetFrame(), {h, v}) || p == panes[40]) wantIdled.push_back(p);
            }
            hits += want != main;
            wrong += main->FindPane({h, v}, false, false) != want;
            gIdled.clear();
            SInt32 sleep = 0;
            main->Dawdle({h, v}, 0, &sleep, nullptr, nullptr);
            wrong += gIdled != wantIdled;
        }
    EXPECT_GT(hits, 1000);
    EXPECT_EQ(wrong, 0);
}

} // namespace
