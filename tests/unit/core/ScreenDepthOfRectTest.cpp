// The depth under a rectangle, asked for every pane drawn, is the depth of the
// screen holding it, on one screen and on two.
#include "AScreenManOS.h"

#include <gtest/gtest.h>

namespace {
int gScreens = 2;
int Screens(KsRect* s, int) {
    s[0] = KsRect{0, 0, 1920, 1080};
    s[1] = KsRect{1920, 0, 3200, 1024};
    return gScreens;
}

TEST(ScreenDepthOfRect, TheScreenHoldingMostOfTheRectAnswers) {
    const KsScreenProvider oldScreens = KsSetScreenProvider(Screens);
    AScreenManOS* m = AScreenManOS::New();
    EXPECT_EQ(m->DepthOfRect({10, 10, 50, 50}), 32) << "no depth provider: 32 bits";
    const KsScreenDepthProvider oldDepths =
        KsSetScreenDepthProvider([](int i) { return i ? 24 : 1; });
    for (gScreens = 1; gScreens <= 2; ++gScreens)
        for (const KsRect& r : {KsRect{10, 10, 50, 50}, KsRect{1800, 100, 2100, 200},
                                KsRect{5000, 0, 5100, 10}, KsRect{-500, -500, -400, -400}})
            EXPECT_EQ(m->DepthOfRect(r), m->GetScreenDepth(m->ScreenOfRect(r))) << gScreens;
    gScreens = 2;
    EXPECT_EQ(m->DepthOfRect({1800, 100, 2100, 200}), 24);
    KsSetScreenDepthProvider(oldDepths);
    KsSetScreenProvider(oldScreens);
    AScreenManOS::Dispose();
}
} // namespace
