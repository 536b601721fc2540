// The depth under a rectangle, asked for every pane drawn, answers what the
// screen holding the rectangle answers, on one screen and on several.
#include "AScreenManOS.h"

#include <gtest/gtest.h>

namespace {
int gScreens = 2;
int Screens(KsRect* s, int max) {
    if (max < 2) return 0;
    s[0] = KsRect{0, 0, 1920, 1080};
    s[1] = KsRect{1920, 0, 3200, 1024};
    return gScreens;
}
int Depths(int index) {
    return index == 0 ? 1 : 24;
}

TEST(ScreenDepthOfRect, TheScreenHoldingMostOfTheRectAnswers) {
    const KsScreenProvider oldScreens = KsSetScreenProvider(Screens);
    AScreenManOS* m = AScreenManOS::New();
    EXPECT_EQ(m->DepthOfRect({10, 10, 50, 50}), 32) << "no depth provider: 32 bits";
    const KsScreenDepthProvider oldDepths = KsSetScreenDepthProvider(Depths);
    const KsRect rects[] = {
        {10, 10, 50, 50},    {1800, 100, 2100, 200},   {1000, 0, 2000, 10},
        {5000, 0, 5100, 10}, {-500, -500, -400, -400}, {0, 0, 0, 0},
    };
    for (const int screens : {1, 2}) {
        gScreens = screens;
        for (const KsRect& r : rects)
            EXPECT_EQ(m->DepthOfRect(r), m->GetScreenDepth(m->ScreenOfRect(r)))
                << screens << " screens, rect " << r.left << "," << r.top;
    }
    EXPECT_EQ(m->DepthOfRect({1800, 100, 2100, 200}), 24);
    gScreens = 2;
    KsSetScreenDepthProvider(oldDepths);
    KsSetScreenProvider(oldScreens);
    AScreenManOS::Dispose();
}
} // namespace
