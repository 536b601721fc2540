// A headless back end and the virtual clock for each event test.
#pragma once

#include "Events.h"
#include "EventsPrivate.h"
#include "KsHeadlessBackend.h"
#include "KsTime.h"

#include <gtest/gtest.h>

#include <memory>

class EventTest : public ::testing::Test {
protected:
    void SetUp() override {
        KsUseVirtualClock(true);
        auto headless = std::make_unique<KsHeadlessBackend>();
        backend = headless.get();
        previous = KsInstallBackend(std::move(headless));
        KsResetEvents();
        t0 = KsGetTicks();
    }
    void TearDown() override {
        KsResetEvents();
        KsInstallBackend(std::move(previous));
        KsUseVirtualClock(false);
    }
    // Takes the next event of any kind, or fails the test.
    EventRecord Next(EventMask mask = everyEvent) {
        EventRecord e{};
        EXPECT_TRUE(GetNextEvent(mask, &e)) << "no event";
        return e;
    }

    KsHeadlessBackend* backend = nullptr;
    std::unique_ptr<KsBackend> previous;
    long t0 = 0;
};
