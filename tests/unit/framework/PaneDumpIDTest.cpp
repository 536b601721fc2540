// A pane dump prints the ID GetPaneID would answer, cleaned as stored IDs
// are, without storing one or taking a generated number.
#include "APaneTextPrivate.h"
#include "KsPaneDump.h"
#include "PaneTestSupport.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace {

std::string gDumped;
void Capture(const char* format, ...) {
    char buf[256];
    va_list ap;
    va_start(ap, format);
    std::vsnprintf(buf, sizeof buf, format, ap);
    va_end(ap);
    gDumped += buf;
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
        gDumped.clear();
        DumpPane(p, kDumpPaneIDs, Capture, 0);
        EXPECT_EQ(gDumped, "APane \"" + std::string(c.want) + "\"\n");
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
