// What a scroll pane and its scrollable panes keep beyond their own fields:
// the mini panes beside the bars and the slave link whichever of master and
// slave the tree holds first, in both formats.
#include "AScrollPane.h"
#include "AScrollablePane.h"
#include "KsPersistRoundTrip.h"
#include "PaneStream.h"
#include "PaneTestSupport.h"
#include "PaneTextTestSupport.h"

#include <string>

namespace {

using panetext_test::PaneTree;

APane* ThroughText(APane* p) {
    const std::string text = WritePaneText(p);
    APane* back = ReadPaneText(text.data(), long(text.size()), nullptr, nullptr);
    EXPECT_EQ(WritePaneText(back), text);
    return back;
}

std::string IDOf(APane* p) {
    char id[64] = {};
    p->GetPaneID(id, sizeof id);
    return id;
}

class ScrollPartsPersist : public PaneTest {};

TEST_F(ScrollPartsPersist, MiniPanesComeBackBesideTheirBars) {
    APane* holder = Add(main, 0, S, 300, 0, S, 200);
    AScrollPane* sp =
        AScrollPane::New(holder, 0, 0, S, 0, 0, S, RGBwhite, 1, true, true, true, RGBgray11);
    auto* content = new AScrollablePane;
    content->IScrollablePane(nullptr, 0, S, 100, 0, S, 100, RGBwhite, 0);
    sp->InstallPane(content);
    const char* ids[] = {"zoom", "page", "ruler"};
    const bool sides[] = {true, true, false};
    for (int i = 0; i < 3; ++i) {
        APane* m = APane::New(nullptr, 0, S, 40, 0, S, 40, RGBgray8, 1);
        m->SetPaneID(ids[i]);
        sp->AddMiniPane(m, sides[i]);
    }
    APane* (*const ways[])(APane*) = {ThroughObjectStream<APane>, ThroughText};
    for (APane* (*through)(APane*) : ways) {
        APane* root = through(holder);
        PaneTree hold(root);
        ASSERT_EQ(root->GetNumSubPanes(), 1);
        auto* back = static_cast<AScrollPane*>(root->GetSubPane(1));
        ASSERT_TRUE(back->IsInstanceOf("AScrollPane"));
        ASSERT_EQ(back->GetHMiniCount(), 2);
        ASSERT_EQ(back->GetVMiniCount(), 1);
        EXPECT_EQ(IDOf(back->GetMiniPanes(true)[0]), "zoom");
        EXPECT_EQ(IDOf(back->GetMiniPanes(true)[1]), "page");
        EXPECT_EQ(IDOf(back->GetMiniPanes(false)[0]), "ruler");
        EXPECT_EQ(back->GetMiniPanes(true)[1]->GetEnclPane(), back);
        EXPECT_NE(back->GetMainPane(), nullptr);
    }
}

TEST_F(ScrollPartsPersist, TheSlaveLinkComesBackInEitherOrder) {
    for (int run = 0; run < 4; ++run) {
        const bool slaveFirst = run & 1, asText = run & 2;
        SCOPED_TRACE(run);
        APane* holder = Add(main, 0, S, 300, 0, S, 200);
        AScrollablePane* panes[2];
        for (auto*& p : panes) {
            p = new AScrollablePane;
            p->IScrollablePane(holder, 0, S, 100, 0, S, 100, RGBwhite, 0);
        }
        AScrollablePane* master = panes[slaveFirst ? 1 : 0];
        AScrollablePane* slave = panes[slaveFirst ? 0 : 1];
        master->SetSlave(slave, false);
        master->SetPaneID("master");
        slave->SetPaneID("slave");
        APane* root = asText ? ThroughText(holder) : ThroughObjectStream<APane>(holder);
        PaneTree hold(root);
        auto* m = static_cast<AScrollablePane*>(root->GetSubPane(slaveFirst ? 2 : 1));
        auto* s = static_cast<AScrollablePane*>(root->GetSubPane(slaveFirst ? 1 : 2));
        EXPECT_EQ(m->GetSlave(), s);
        EXPECT_FALSE(m->GetSlaveIsHoriz());
        EXPECT_EQ(s->GetSlave(), nullptr);
        holder->Dispose();
    }
}

} // namespace
