// A pane dump prints the ID GetPaneID would answer, cleaned as stored IDs
// are, without storing one or taking a generated number.
#include "APaneTextPrivate.h"
#include "KsPaneDump.h"
#include "KsPrintfCapture.h"
#include "PaneTestSupport.h"

#include <string>

namespace {

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

} // namespace
