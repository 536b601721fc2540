// Command buttons and shape buttons read back from the object stream (Copy
// goes through it) and from the pane property text as they were written.
#include "CmdButtonTestSupport.h"
#include "PaneStream.h"

namespace {

void ExpectSame(CmdButton* want, CmdButton* got) {
    ASSERT_NE(got, nullptr);
    EXPECT_STREQ(got->ClassName(), want->ClassName());
    EXPECT_EQ(got->GetCmdNum(), want->GetCmdNum());
    EXPECT_EQ(got->GetSimOption(), want->GetSimOption());
    EXPECT_EQ(got->GetSimControl(), want->GetSimControl());
    EXPECT_EQ(got->GetSelectable(), want->GetSelectable());
    EXPECT_EQ(got->GetAbbreviates(), want->GetAbbreviates());
    EXPECT_EQ(got->GetBounds(), want->GetBounds());
    auto* ws = dynamic_cast<ShapeCmdButton*>(want);
    auto* gs = dynamic_cast<ShapeCmdButton*>(got);
    ASSERT_EQ(ws == nullptr, gs == nullptr);
    if (!ws) return;
    EXPECT_EQ(gs->GetUpRsrcID(), ws->GetUpRsrcID());
    EXPECT_EQ(gs->GetDownRsrcID(), ws->GetDownRsrcID());
    EXPECT_EQ(gs->GetShapeType(), ws->GetShapeType());
    EXPECT_EQ(gs->GetButtonColor(), ws->GetButtonColor());
    EXPECT_EQ(gs->GetUpRgn(), ws->GetUpRgn()); // the face was loaded again
}

TEST_F(CmdButtonTest, RoundTripsThroughTheStreamAndThePaneText) {
    CmdButton* b = Button(10, kStop);
    b->SetSimControl(true);
    b->SetSelectable(false);
    b->SetAbbreviates(false);
    ShapeCmdButton* s = ShapeCmdButton::New(win->GetMainPane(), 80, S, 16, 10, S, 16, kCue, 9016,
                                            9016, {0x1000, 0x2000, 0x3000});
    for (CmdButton* original : {static_cast<CmdButton*>(b), static_cast<CmdButton*>(s)}) {
        auto* copy = static_cast<CmdButton*>(original->Copy());
        ExpectSame(original, copy);
        EXPECT_EQ(CmdButton::GetCmdButton(1, original->GetCmdNum()), copy);
        copy->Dispose();
    }
    const std::string text = WritePaneText(win->GetMainPane());
    APane* root = ReadPaneText(text.data(), long(text.size()), nullptr, win);
    ASSERT_NE(root, nullptr);
    ASSERT_EQ(root->GetNumSubPanes(), 2);
    ExpectSame(b, static_cast<CmdButton*>(root->GetSubPane(1)));
    ExpectSame(s, static_cast<CmdButton*>(root->GetSubPane(2)));
    root->Dispose();
}

} // namespace
