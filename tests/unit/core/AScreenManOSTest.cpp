#include "AScreenManOS.h"

#include <gtest/gtest.h>

namespace {
int TwoScreens(KsRect* s, int max) {
    if (max < 2) return 0;
    s[0] = KsRect{0, 0, 1920, 1080};
    s[1] = KsRect{1920, 0, 3200, 1024};
    return 2;
}

class ScreenMan : public ::testing::Test {
protected:
    void SetUp() override { previous_ = KsSetScreenProvider(TwoScreens); }
    void TearDown() override {
        KsSetScreenProvider(previous_);
        AScreenManOS::Dispose();
    }
    KsScreenProvider previous_ = nullptr;
};
} // namespace

TEST_F(ScreenMan, MadeOnceAndAnsweredByGet) {
    AScreenManOS::Dispose();
    EXPECT_EQ(AScreenManOS::Get(), nullptr);
    AScreenManOS* m = AScreenManOS::New();
    EXPECT_EQ(AScreenManOS::New(), m);
    EXPECT_EQ(AScreenManOS::Get(), m);
    EXPECT_EQ(m->GetScreenCount(), 2);
    EXPECT_EQ(m->GetMainScreenBounds(), (KsRect{0, 0, 1920, 1080}));
    EXPECT_TRUE(m->GetScreenBounds(2).IsEmpty());
}

TEST_F(ScreenMan, FindsTheScreenOfPointsAndRects) {
    AScreenManOS* m = AScreenManOS::New();
    EXPECT_EQ(m->ScreenOfPoint({100, 100}), 0);
    EXPECT_EQ(m->ScreenOfPoint({1920, 10}), 1);   // half-open: the edge belongs to the right
    EXPECT_EQ(m->ScreenOfPoint({3000, 1050}), 1); // below the shorter screen: nearest
    EXPECT_EQ(m->ScreenOfPoint({-50, 500}), 0);
    EXPECT_EQ(m->ScreenOfRect({1800, 100, 2100, 200}), 1); // most of it on screen 1
    EXPECT_EQ(m->ScreenOfRect({5000, 0, 5100, 10}), 1);    // on none: nearest its centre
}

TEST_F(ScreenMan, PullsRectanglesOntoAScreen) {
    AScreenManOS* m = AScreenManOS::New();
    EXPECT_EQ(m->PullOntoScreen({1900, 1050, 2000, 1150}, 0, 40), (KsRect{1780, 940, 1880, 1040}));
    EXPECT_EQ(m->PullOntoScreen({10, 10, 5000, 20}, 0, 0), (KsRect{0, 10, 1920, 20}));
    KsRect inside{100, 100, 200, 200};
    EXPECT_EQ(m->PullOntoScreen(inside, 0, 40), inside);
}

TEST(ScreenManDefault, OneScreenWithoutAProvider) {
    KsScreenProvider old = KsSetScreenProvider(nullptr);
    AScreenManOS* m = AScreenManOS::New();
    EXPECT_EQ(m->GetScreenCount(), 1);
    EXPECT_FALSE(m->GetMainScreenBounds().IsEmpty());
    AScreenManOS::Dispose();
    KsSetScreenProvider(old);
}
