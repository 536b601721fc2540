// A headless back end and the virtual clock for each event test.
#pragma once

#include "KsHeadlessDesk.h"

#include <gtest/gtest.h>

class EventTest : public ::testing::Test {
protected:
    // Takes the next event of any kind, or fails the test.
    EventRecord Next(EventMask mask = everyEvent) {
        EventRecord e{};
        EXPECT_TRUE(GetNextEvent(mask, &e)) << "no event";
        return e;
    }

    HeadlessDesk desk{1280, 800, DeskWith::eventsOnly};
    KsHeadlessBackend* backend = desk.backend;
    long t0 = KsGetTicks();
};
