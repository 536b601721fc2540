// The pane registry: refnums across add, remove and reuse of addresses, the
// dispose hook, lookups an outside tool may send, and the dump.
#include "APaneRegistry.h"
#include "KsPrintfCapture.h"
#include "PaneTextTestSupport.h"

#include "APane.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

namespace {

struct Registry {
    APaneRegistry* r = APaneRegistry::New();
    ~Registry() { r->Dispose(); }
};

TEST(PaneRegistry, RefnumsGrowAndAreNeverReused) {
    Registry reg;
    APane* a = new APane;
    APane* b = new APane;
    EXPECT_EQ(reg.r->Add(a), 1);
    EXPECT_EQ(reg.r->Add(b), 2);
    EXPECT_EQ(reg.r->Add(a), 1) << "adding again answers the same refnum";
    EXPECT_EQ(reg.r->GetCount(), 2);
    EXPECT_EQ(a->GetRefNum(), 1);

    EXPECT_TRUE(reg.r->Remove(a));
    EXPECT_FALSE(reg.r->Remove(a));
    APane* found = nullptr;
    EXPECT_FALSE(reg.r->LookUp(1, &found));
    EXPECT_TRUE(reg.r->ValidRefNum(1));
    EXPECT_EQ(a->GetRefNum(), 1) << "Remove leaves the pane's field alone";
    EXPECT_EQ(reg.r->Add(a), 3) << "a removed pane comes back with a new refnum";
    ASSERT_TRUE(reg.r->LookUp(2, &found));
    EXPECT_EQ(found, b);
    ASSERT_TRUE(reg.r->LookUp(3, &found));
    EXPECT_EQ(found, a);

    // Refnums never handed out: an outside tool's mistake, not a crash.
    EXPECT_FALSE(reg.r->ValidRefNum(0));
    EXPECT_FALSE(reg.r->ValidRefNum(4));
    EXPECT_FALSE(reg.r->LookUp(0, &found));
    EXPECT_FALSE(reg.r->LookUp(4, &found));
    EXPECT_FALSE(reg.r->LookUp(-7, &found));
    a->Dispose();
    b->Dispose();
}

TEST(PaneRegistry, DisposedPanesLeaveEveryRegistryAndAddressesReused) {
    Registry one, two;
    APane* p = new APane;
    one.r->Add(p);
    two.r->Add(p);
    p->Dispose();
    EXPECT_EQ(one.r->GetCount(), 0);
    EXPECT_EQ(two.r->GetCount(), 0);
    APane* found = nullptr;
    EXPECT_FALSE(one.r->LookUp(1, &found));
    // A new pane, possibly at the same address, is a new pane.
    APane* q = new APane;
    EXPECT_EQ(one.r->Add(q), 2);
    ASSERT_TRUE(one.r->LookUp(2, &found));
    EXPECT_EQ(found, q);
    q->Dispose();
}

TEST(PaneRegistry, HookIsRestoredWhenTheLastRegistryGoes) {
    static int calls = 0;
    APaneDisposeProc saved = APane::iQAPdisposeCallback;
    APane::iQAPdisposeCallback = [](APane*) { ++calls; };
    APaneDisposeProc host = APane::iQAPdisposeCallback;
    {
        Registry reg;
        APane* p = new APane;
        reg.r->Add(p);
        p->Dispose();
        EXPECT_EQ(calls, 1) << "the hook found first still runs";
        EXPECT_EQ(reg.r->GetCount(), 0);
    }
    EXPECT_EQ(APane::iQAPdisposeCallback, host);
    APane::iQAPdisposeCallback = saved;
}

TEST(PaneRegistry, DumpFormatsWithoutGeneratingIDs) {
    Registry reg;
    gPrinted.clear();
    reg.r->Dump(KsCapturePrintf, 2);
    EXPECT_EQ(gPrinted, "  first refnum = 1\n"
                        "  index refNum#   pane_ptr id_string\n"
                        "  next unused refnum = 1\n");
    APane* named = new APane;
    named->SetPaneID("volume");
    APane* unnamed = new APane;
    reg.r->Add(named);
    reg.r->Add(unnamed);
    gPrinted.clear();
    reg.r->Dump(KsCapturePrintf, 0);
    std::string masked = std::regex_replace(gPrinted, std::regex("0x[0-9a-f]+|\\(nil\\)"), "PTR");
    EXPECT_EQ(masked, "first refnum = 1\n"
                      "index refNum#   pane_ptr id_string\n"
                      "[  1]   1 : PTR \"volume\"\n"
                      "[  2]   2 : PTR \"\"\n"
                      "next unused refnum = 3\n");
    char id[64];
    // The dump did not generate an ID: the first query does, from number 0 on
    // in a fresh process or later ones otherwise, but never as a side effect.
    EXPECT_FALSE(unnamed->GetPaneID(id, sizeof id));
    named->Dispose();
    unnamed->Dispose();
}

} // namespace
