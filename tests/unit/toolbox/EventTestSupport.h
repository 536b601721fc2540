// A headless back end and the virtual clock for each event test.
#pragma once

#include "KsHeadlessDesk.h"

#include <gtest/gtest.h>

#include <memory>

class EventTest : public ::testing::Test {
protected:
    void SetUp() override {
        desk = std::make_unique<HeadlessDesk>(1280, 800, DeskWith::eventsOnly);
        backend = desk->backend;
        t0 = KsGetTicks();
    }
    void TearDown() override { desk.reset(); }
    // Takes the next event of any kind, or fails the test.
    EventRecord Next(EventMask mask = everyEvent) {
        EventRecord e{};
        EXPECT_TRUE(GetNextEvent(mask, &e)) << "no event";
        return e;
    }

    std::unique_ptr<HeadlessDesk> desk;
    KsHeadlessBackend* backend = nullptr;
    long t0 = 0;
};
