#include "KsMemWatch.h"
#include "KsHandle.h"
#include "KsMemWatchPrivate.h"
#include "KsSHdl.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {
// Every test starts a watch with a 1000 KB reserve and a 4000 KB threshold,
// under simulated memory.
class KsMemWatch : public ::testing::Test {
protected:
    void SetUp() override {
        KsMemSimulate(100000, 1000000);
        KsMemInit();
        KsMemMoreMasters(20);
        ASSERT_TRUE(KsMemSetPayload(1000));
        RegLowMemThreshold(4000);
    }
    void TearDown() override {
        KsMemCleanup();
        KsMemSimulate(-1, -1);
    }
    static void Available(long long kb) { KsMemSimulate(kb, 1000000); }
};
} // namespace

TEST_F(KsMemWatch, NormalLowDangerAndRestore) {
    EXPECT_FALSE(KsMemReset());
    EXPECT_FALSE(IsMemoryBelowThresh());
    EXPECT_EQ(KsMemHeldPayloadKB(), 1000);

    Available(3999); // low: warned, reserve kept
    EXPECT_TRUE(IsMemoryBelowThresh());
    EXPECT_TRUE(KsMemReset());
    EXPECT_FALSE(IsPayloadDropped());
    EXPECT_EQ(KsMemHeldPayloadKB(), 1000);

    Available(1999); // danger: reserve given back
    EXPECT_TRUE(KsMemReset());
    EXPECT_TRUE(IsPayloadDropped());
    EXPECT_EQ(KsMemHeldPayloadKB(), 0);

    Available(4500); // above the threshold but no room for the reserve: still dropped
    EXPECT_FALSE(IsMemoryBelowThresh());
    EXPECT_TRUE(KsMemReset());
    EXPECT_TRUE(IsPayloadDropped());

    Available(5000); // threshold + reserve: restored, back to normal
    EXPECT_FALSE(KsMemReset());
    EXPECT_FALSE(IsPayloadDropped());
    EXPECT_EQ(KsMemHeldPayloadKB(), 1000);
}

TEST_F(KsMemWatch, SuspendedWatchChangesNothing) {
    EXPECT_FALSE(KsMemReset());
    KsMemSLDisable();
    KsMemSLDisable();
    Available(10);
    EXPECT_FALSE(KsMemReset()); // last answer, reserve untouched
    EXPECT_FALSE(IsPayloadDropped());
    KsMemSLEnable();
    EXPECT_FALSE(KsMemReset()); // still suspended once
    KsMemSLEnable();
    EXPECT_TRUE(KsMemReset());
    EXPECT_TRUE(IsPayloadDropped());
}

TEST_F(KsMemWatch, CheckVMUsageReportsAndJudges) {
    long mb = -1;
    double full = -1;
    KsMemSimulate(250 * 1024, 1000 * 1024);
    EXPECT_TRUE(CheckVMUsage(&mb, &full));
    EXPECT_EQ(mb, 250);
    EXPECT_DOUBLE_EQ(full, 75.0);
    KsMemSimulate(2048, 1000 * 1024);
    EXPECT_FALSE(CheckVMUsage(&mb, &full));
    EXPECT_EQ(mb, 2);
    EXPECT_TRUE(CheckVMUsage(nullptr, nullptr) == false); // null outputs are allowed
}

TEST_F(KsMemWatch, CleanupReleasesAndStopsReporting) {
    Available(10);
    EXPECT_TRUE(KsMemReset());
    KsMemCleanup();
    EXPECT_FALSE(IsPayloadDropped());
    EXPECT_EQ(KsMemHeldPayloadKB(), 0);
    EXPECT_FALSE(KsMemReset()); // no threshold any more
}

TEST(KsMemMeasure, ReadsThisSystem) {
    KsMemFigures f = KsMemMeasure();
    ASSERT_GT(f.totalKB, 0);
    EXPECT_GE(f.availableKB, 0);
    EXPECT_LE(f.availableKB, f.totalKB);
}

TEST(KsMemParse, MeminfoFields) {
    const char text[] =
        "MemTotal:       16314128 kB\nMemFree:  1 kB\n"
        "MemAvailable:    9000000 kB\nSwapCached: 5 kB\nCached: 77 kB\nHugePages_Total: 0\n";
    size_t n = std::strlen(text);
    EXPECT_EQ(KsMemFindKBField(text, n, "MemTotal:"), 16314128);
    EXPECT_EQ(KsMemFindKBField(text, n, "MemAvailable:"), 9000000);
    EXPECT_EQ(KsMemFindKBField(text, n, "Cached:"), 77);          // not SwapCached
    EXPECT_EQ(KsMemFindKBField(text, n, "HugePages_Total:"), -1); // no unit
    EXPECT_EQ(KsMemFindKBField(text, n, "Missing:"), -1);
    // Cut inside a number: only the bytes given are read.
    EXPECT_EQ(KsMemFindKBField(text, 20, "MemTotal:"), -1);
    EXPECT_EQ(KsMemFindKBField("X: 99999999999999999999999 kB\n", 31, "X:"), -1);
}

TEST(KsMemParse, CgroupFiles) {
    EXPECT_EQ(KsMemParseCgroupBytes("1073741824\n", 11), 1073741824);
    EXPECT_EQ(KsMemParseCgroupBytes("max\n", 4), -1);
    EXPECT_EQ(KsMemParseCgroupBytes("12x\n", 4), -1);
    EXPECT_EQ(KsMemParseCgroupBytes("", 0), -1);
    char path[64];
    const char cg[] = "1:name=systemd:/x\n0::/user.slice/app.scope\n";
    ASSERT_TRUE(KsMemFindCgroupPath(cg, std::strlen(cg), path, sizeof path));
    EXPECT_STREQ(path, "/user.slice/app.scope");
    const char evil[] = "0::/../../etc\n";
    EXPECT_FALSE(KsMemFindCgroupPath(evil, std::strlen(evil), path, sizeof path));
    EXPECT_FALSE(KsMemFindCgroupPath(cg, std::strlen(cg), path, 5)); // too long for out
}

TEST(KsSHdl, RoundTripAndUnterminatedHandles) {
    Handle h = KsNewSHdl("Main Pane");
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(KsGetHandleSize(h), 10);
    EXPECT_STREQ(KsSHdlToStr(h), "Main Pane");
    KsDisposeHandle(h);
    EXPECT_EQ(KsNewSHdl(nullptr), nullptr);
    EXPECT_STREQ(KsSHdlToStr(nullptr), "");

    Handle raw = KsNewHandleFrom("abc", 3); // no NUL inside the block
    EXPECT_STREQ(KsSHdlToStr(raw), "abc");
    EXPECT_EQ(KsGetHandleSize(raw), 4);
    KsDisposeHandle(raw);
}
