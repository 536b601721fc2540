// Shape buttons: the released face's mask is the shape, and only clicks on it
// reach the button.
#include "CmdButtonPrivate.h"
#include "CmdButtonTestSupport.h"

namespace {

// The framework's selected-radio colour icon: a disc in a 16x16 square.
constexpr SInt16 kDiscIcon = 9016;

TEST(CmdButtonShape, MaskOfAColourIconIsItsShape) {
    CIconHandle icon = KsGetCIcon(kDiscIcon);
    ASSERT_NE(icon, nullptr);
    const KsRgn shape = CIconMaskRegion(icon);
    KsDisposCIcon(icon);
    EXPECT_EQ(shape.Bounds(), (KsRect{1, 1, 15, 15}));
    const std::pair<KsPoint, bool> cases[] = {
        {{7, 7}, true},  {{5, 1}, true},  {{1, 5}, true},    {{0, 0}, false},
        {{4, 1}, false}, {{1, 1}, false}, {{14, 14}, false},
    };
    for (const auto& [pt, in] : cases)
        EXPECT_EQ(shape.Contains(pt), in) << pt.h << "," << pt.v;
    EXPECT_TRUE(CIconMaskRegion(nullptr).IsEmpty());
}

TEST_F(CmdButtonTest, ShapeButtonAnswersOnlyClicksOnItsShape) {
    ShapeCmdButton* s =
        ShapeCmdButton::New(win->GetMainPane(), 10, S, 16, 10, S, 16, kPlay, kDiscIcon, 0, {});
    ShapeCmdButton* plain =
        ShapeCmdButton::New(win->GetMainPane(), 40, S, 16, 10, S, 16, kStop, 0, 0, {});
    Settle();
    ASSERT_EQ(s->GetInterior(), (KsRect{10, 10, 26, 26}));
    struct Case {
        ShapeCmdButton* button;
        SInt16 h, v; // window coordinates
        bool sends;
    };
    const Case cases[] = {
        {s, 17, 17, true},  // the disc
        {s, 10, 10, false}, // a transparent corner
        {s, 25, 11, false},
        {plain, 40, 10, true}, // no face: a plain command button
    };
    for (const Case& c : cases) {
        sent.clear();
        Point g{c.v, c.h};
        {
            StPortSaver port;
            SetPortWindowPort(win->GetWindowPtr());
            LocalToGlobal(&g);
        }
        long t = KsGetTicks();
        desk.Gesture(t, g, {g});
        c.button->DoClick({c.h, c.v}, 0, SInt32(KsGetTicks()), nullptr);
        while (WaitMouseUp()) { // an ignored click leaves the release queued
        }
        EXPECT_EQ(!sent.empty(), c.sends) << c.h << "," << c.v;
    }
}

} // namespace
