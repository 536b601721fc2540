// Pane and window dumps: the option bits, parentage and sub-panes, IDs never
// generated, the resource code's byte order, and the tree checks; the ID a
// dump prints is the one GetPaneID would answer, and none is stored; the
// pane registries: refnums, disposal, the hook and their dump.
#include "KsPaneDump.h"
#include "KsPrintfCapture.h"
#include "PaneStream.h"
#include "PaneTextTestSupport.h"

#include "APane.h"
#include "APaneRegistry.h"
#include "APaneTextPrivate.h"
#include "CKsList.h"
#include "KsFatal.h"
#include "PaneTestSupport.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

using namespace panetext_test;

namespace {

std::string Masked() {
    return std::regex_replace(gPrinted, std::regex("0x[0-9a-f]+"), "PTR");
}

struct GoldenTree : PaneTree {
    GoldenTree() : PaneTree(nullptr) {
        std::string t = Golden("tree.ksp3");
        root = ReadPaneText(t.data(), long(t.size()), nullptr, nullptr);
    }
};

TEST(PaneDump, DefaultOptionsShowParentageAndIDs) {
    GoldenTree tree;
    APane* inner = tree.root->FindPaneByID("gain")->GetSubPane(1);
    gPrinted.clear();
    DumpPane(inner, TavikGetDumpSettings().paneOptions | kDumpPaneMarker, KsCapturePrintf, 0);
    EXPECT_EQ(gPrinted, "APane \"win\"\n"
                        "    APane \"gain\"\n"
                        "--------APane \"\xC7Pane #?\xC8\"\n");
    char id[64];
    EXPECT_FALSE(inner->GetPaneID(id, sizeof id)) << "still no explicit ID";
}

TEST(PaneDump, DetailsAndSubPanesInOrder) {
    GoldenTree tree;
    APane* gain = tree.root->FindPaneByID("gain");
    gPrinted.clear();
    DumpPane(gain,
             kDumpPaneSubPanes | kDumpPanePointers | kDumpPaneIDs | kDumpPaneRects |
                 kDumpPaneFlags | kDumpPaneLabels,
             KsCapturePrintf, 2);
    EXPECT_EQ(Masked(), "  APane PTR \"gain\"; label \"Gain\"; bounds [20,10;120,40]\n"
                        "      Booleans:  vis canTabTo dawdle dfltCrsr\n"
                        "      iFlags:  sfxLf sfxRt sfxTop sfxBot realID\n"
                        "      APane PTR \"\xC7Pane #?\xC8\"; bounds [62,12;118,38]\n"
                        "          Booleans:  vis drawsBknd dfltCrsr\n"
                        "          iFlags: \n");
}

TEST(PaneDump, ResourceCodeReadsMostSignificantByteFirst) {
    gPrinted.clear();
    TavikPrintRsrc(KsCapturePrintf, FourCharCode("CNTL"), 0x1F2);
    EXPECT_EQ(gPrinted, "; rsrc CNTL.01F2");
}

class TestDetailPane : public APane {
    KS_DECLARE_CLASS(TestDetailPane, APane)
};

TEST(PaneDump, DetailPrintersRunForTheirClasses) {
    static int seen = 0;
    TavikAddDumpDetail("TestDetailPane", [](APane*, UInt32, KsPrintfProc printf, int) {
        ++seen;
        printf("; extra");
    });
    APane* p = new TestDetailPane;
    APane* plain = new APane;
    gPrinted.clear();
    DumpPane(p, 0, KsCapturePrintf, 0);
    DumpPane(plain, 0, KsCapturePrintf, 0);
    p->Dispose();
    plain->Dispose();
    EXPECT_EQ(gPrinted, "TestDetailPane; extra\nAPane\n");
    EXPECT_EQ(seen, 1);
}

unsigned char gFailures = 0;
std::string gLastAssert;
unsigned char Record(char* message, char*, int) {
    ++gFailures;
    gLastAssert = message;
    FtlClearFatalError();
    return false;
}

TEST(PaneDump, SanityCheckFindsBrokenLinks) {
    GoldenTree tree;
    FtlHandler saved = FtlInstall(Record);
    gFailures = 0;
    SanityCheckPane(tree.root->FindPaneByID("gain"), true, true);
    EXPECT_EQ(gFailures, 0);

    // Still pointing at its enclosure, but no longer in its list.
    APane* orphan = new APane;
    tree.root->AddSubPane(orphan);
    tree.root->GetSubPanes()->Remove(orphan);
    SanityCheckPane(orphan, true, false);
    EXPECT_EQ(gFailures, 1);
    EXPECT_NE(gLastAssert.find("foundIt"), std::string::npos);
    FtlInstall(saved);
    orphan->Dispose();
}

TEST_F(PaneTest, DumpPrintsTheIDGetPaneIDWouldAnswerAndStoresNone) {
    const struct {
        const char *label, *body, *help, *id;
        const char* want;
    } cases[] = {
        {"Gain/dB\x01", "Body", nullptr, nullptr, "Gain_dB_"},
        {nullptr, "Level (L)", "Help", nullptr, "Level _L_"},
        {nullptr, nullptr, "Help text", nullptr, "Help text"},
        {"Gain", nullptr, nullptr, "fader", "fader"},
        {nullptr, nullptr, nullptr, nullptr, "\xC7Pane #?\xC8"},
    };
    for (const auto& c : cases) {
        APane* p = Add(main, 0, S, 10, 0, S, 10);
        if (c.label) p->AddLabel(c.label, kLabelNone);
        if (c.body) p->SetText(c.body);
        if (c.help) p->SetHelpText(c.help);
        if (c.id) p->SetPaneID(c.id);
        gPrinted.clear();
        DumpPane(p, kDumpPaneIDs, KsCapturePrintf, 0);
        EXPECT_EQ(gPrinted, "APane \"" + std::string(c.want) + "\"\n");
        if (c.id) continue;
        EXPECT_EQ(APaneReader::StoredID(p), nullptr) << c.want;
        char id[64];
        p->GetPaneID(id, sizeof id);
        if (c.label || c.body || c.help) {
            EXPECT_STREQ(id, c.want);
        }
    }
}

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
