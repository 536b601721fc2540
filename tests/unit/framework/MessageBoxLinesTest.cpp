// The lines a message box showed, and its redraw hook while it shows.
#include "AutoRequestDlg.h"
#include "DialogTestSupport.h"

namespace {

class MessageBoxLinesTest : public DialogTest {
protected:
    void TearDown() override {
        AutoRequestDlg::InstallNullEventHandler(nullptr, nullptr);
        DialogTest::TearDown();
    }
};

TEST_F(MessageBoxLinesTest, TheShownLinesStayReadableAndTheBoxRedrawsOnRequest) {
    // No box showing: the redraw fails its assertion and does nothing.
    KsSDlogUpdate(nullptr);
    ASSERT_EQ(FatalMessages().size(), 1u);
    EXPECT_NE(FatalMessages()[0].find("arWindow"), std::string::npos);

    static int redrawn;
    redrawn = 0;
    AutoRequestDlg::InstallNullEventHandler(
        [](AutoRequestDlg* d, EventRecord*, void*) {
            d->GetMainPane()->Inval();
            KsSDlogUpdate(nullptr);
            // Drawn: nothing of it is left to update.
            if (EmptyRgn(reinterpret_cast<WindowPeek>(d->GetWindowPtr())->updateRgn)) ++redrawn;
            EventRecord ev{};
            d->SendMsg(wmKeyDown, &ev, 13, 0x24);
        },
        nullptr);
    EXPECT_EQ(KsSimpleDlg("First line\\nSecond <b>line</b>", "OK", 1, 0, nullptr, false, nullptr),
              1);
    EXPECT_EQ(redrawn, 1);
    EXPECT_EQ(FatalMessages().size(), 1u);
    struct Case {
        long n;
        const char* line;
    } cases[] = {{0, ""}, {1, "First line"}, {2, "Second line"}, {3, ""}};
    EXPECT_EQ(GetARnumLines(), 2);
    for (const Case& c : cases)
        EXPECT_STREQ(GetARnthLine(c.n), c.line) << c.n;
}

} // namespace
