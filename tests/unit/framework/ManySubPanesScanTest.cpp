// A level of many sub-panes (a window of controls) is scanned through a grid:
// hit testing still finds the front-most shown pane under the point, and
// idle time still reaches every shown pane under it, in order, with the ones
// that take idle time everywhere; hidden and overlapping panes included.
#include "APane.h"
#include "ApplicationTestSupport.h"
#include "QuickDraw.h"

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
    AWindow* w = AWindow::New("many", nullptr, WindowPtr(-1), 1, 0, 1, 0, 0, 0);
    SizeWindow(w->GetWindowPtr(), 400, 300, false);
    ShowWindow(w->GetWindowPtr());
    SetPortWindowPort(w->GetWindowPtr());
    w->CreateMainPane();
    APane* main = w->GetMainPane();
    // 150 panes: a grid of small ones, every seventh wide over its
    // neighbours, every eleventh hidden, one taking idle time everywhere.
    std::vector<APane*> panes;
    for (int i = 0; i < 150; ++i) {
        auto* p = new IdlePane;
        const SInt16 wide = i % 7 == 0 ? 50 : 18;
        p->IPane(main, SInt16(4 + 26 * (i % 14)), kPaneDontCare, wide, SInt16(4 + 24 * (i / 14)),
                 kPaneDontCare, 16, RGBwhite, 1);
        if (i % 11 == 5) p->SetVisible(false);
        panes.push_back(p);
    }
    panes[40]->SetAlwaysDawdle(true);
    int hits = 0, idles = 0, wrong = 0;
    for (SInt32 v = 0; v < 290; v += 3)
        for (SInt32 h = 0; h < 390; h += 3) {
            const KsPoint pt{h, v};
            APane* want = main;
            std::vector<APane*> wantIdled;
            for (APane* p : panes) {
                if (!p->GetOwnVisible()) continue;
                if (Holds(p->GetBounds(), pt)) want = p;
                if (Holds(p->GetFrame(), pt) || p == panes[40]) wantIdled.push_back(p);
            }
            hits += want != main;
            idles += int(wantIdled.size());
            wrong += main->FindPane(pt, false, false) != want;
            gIdled.clear();
            SInt32 sleep = 0;
            SInt16 cursor = 0;
            main->Dawdle(pt, 0, &sleep, &cursor, nullptr);
            wrong += gIdled != wantIdled;
        }
    EXPECT_GT(hits, 1000);
    EXPECT_GT(idles, 2000);
    EXPECT_EQ(wrong, 0);
    w->Dispose();
}

} // namespace
