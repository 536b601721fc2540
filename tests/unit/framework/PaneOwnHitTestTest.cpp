// A pane class that tests hits itself (overrides FindPane) is asked by its
// enclosure's hit test at any depth, wherever the point is: its answer wins,
// and when it answers nothing the search goes on behind it.
#include "PaneTestSupport.h"

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
