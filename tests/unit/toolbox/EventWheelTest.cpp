// Mouse-wheel input: the message's two fields, and the merging of a
// touchpad's small steps in the queue.
#include "EventTestSupport.h"

#include <climits>

TEST(EventWheel, MessagesCarryBothDeltasClamped) {
    struct Case {
        SInt32 dx, dy, wantX, wantY;
    };
    const Case cases[] = {{0, 0, 0, 0},
                          {16, -16, 16, -16},
                          {-1, 1, -1, 1},
                          {2047, -2048, 2047, -2048},
                          {5000, -5000, 2047, -2048},
                          {INT32_MIN, INT32_MAX, -2048, 2047}};
    for (const Case& c : cases) {
        const UInt32 m = KsWheelMessage(c.dx, c.dy);
        EXPECT_EQ(m >> 24, UInt32(mouseWheelMessage));
        SInt32 x = 0, y = 0;
        KsWheelDeltas(m, &x, &y);
        EXPECT_EQ(x, c.wantX) << c.dx;
        EXPECT_EQ(y, c.wantY) << c.dy;
    }
}

TEST_F(EventTest, WheelStepsAtOnePlaceMergeUntilTheSumWouldNotFit) {
    struct Step {
        SInt32 h;
        float x, y;
    };
    // Quarter notches at one place merge; a new place starts a new event; a
    // sum beyond the field starts one too.
    const Step steps[] = {{10, 0, 0.25f}, {10, 0, 0.25f}, {10, 0.5f, 0},
                          {20, 0, -1},    {20, 0, -100},  {20, 0, -100}};
    for (const Step& s : steps)
        backend->ScriptWheel(t0, s.h, 30, s.x, s.y);
    KsAdvanceVirtualClock(1);
    struct Want {
        SInt32 h, dx, dy;
    };
    const Want wants[] = {{10, 8, 8}, {20, 0, -16 - 1600}, {20, 0, -1600}};
    for (const Want& w : wants) {
        const EventRecord e = Next(osMask);
        EXPECT_EQ(e.what, osEvt);
        EXPECT_EQ(e.where.h, w.h);
        SInt32 x = 0, y = 0;
        KsWheelDeltas(e.message, &x, &y);
        EXPECT_EQ(x, w.dx);
        EXPECT_EQ(y, w.dy);
    }
    EXPECT_EQ(KsQueuedEventCount(), 0);
}
