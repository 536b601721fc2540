// The dialog window: the button row, roles, keys, the run loop, radio
// groups of gadget buttons and bounded text; the timecode dialogs.
#include "ADialogButtonGad.h"
#include "ARadioCheckGads.h"
#include "ATCEntry.h"
#include "DialogTestSupport.h"
#include "MacText.h"
#include "Stx.h"
#include "TimecodeDlg.h"

namespace {

using DialogWindowTest = DialogTest;

TEST_F(DialogWindowTest, StandardButtonsSitAtTheirOffsetsWithTheirRoles) {
    struct Case {
        short count;
        std::vector<std::pair<const char*, SInt16>> rightOffsets;
    } cases[] = {
        {1, {{"OKBut", -9}}},
        {2, {{"OKBut", -89}, {"CancelBut", -9}}},
        {3, {{"OKBut", -169}, {"CancelBut", -89}, {"ApplyBut", -9}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        MakeDialog(c.count);
        const KsRect in = dlg->GetMainPane()->GetInterior();
        for (const auto& [id, offset] : c.rightOffsets) {
            APane* b = dlg->FindPaneByID(id);
            ASSERT_NE(b, nullptr) << id;
            EXPECT_EQ(b->GetFrame().right - in.right, offset) << id;
            EXPECT_EQ(in.bottom - b->GetFrame().bottom, 13) << id;
        }
        EXPECT_EQ(dlg->GetOKGad(), dlg->FindPaneByID("OKBut"));
        EXPECT_EQ(dlg->GetDefaultGad(), dlg->FindPaneByID("OKBut"));
        EXPECT_EQ(dlg->GetAbortGad(), c.count > 1 ? dlg->FindPaneByID("CancelBut") : nullptr);
        dlg->SelectAndShow();
        EXPECT_TRUE(dlg->GetDefaultIndicator()->IsVisible());
        dlg->Dispose();
        dlg = nullptr;
    }
    MakeDialog(0)->AddStdButtons(4);
    ASSERT_EQ(FatalMessages().size(), 1u);
    EXPECT_NE(FatalMessages()[0].find("numButs >= 1 && numButs <= 3"), std::string::npos);
    EXPECT_EQ(dlg->FindPaneByID("OKBut"), nullptr);
}

TEST_F(DialogWindowTest, KeysPressTheDefaultAndAbortButtons) {
    struct Case {
        const char* name;
        long charCode, keyCode;
        UInt16 modifiers;
        bool returnIgnored, cancelEnabled;
        const char* exit; // null: nothing ended the dialog
    } cases[] = {
        {"return", 13, 0x24, 0, false, true, "OKBut"},
        {"enter", 3, DialogWindow::kEnterKeyCode, 0, true, true, "OKBut"},
        {"return ignored", 13, 0x24, 0, true, true, nullptr},
        {"escape", 27, 0x35, 0, false, true, "CancelBut"},
        {"command-period", '.', 0x2F, cmdKey, false, true, "CancelBut"},
        {"period alone", '.', 0x2F, 0, false, true, nullptr},
        {"escape, cancel disabled", 27, 0x35, 0, false, false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MakeDialog(2);
        dlg->SetDefaultGad("OKBut", c.returnIgnored);
        dlg->SetPaneEnabled("CancelBut", c.cancelEnabled);
        Key(c.charCode, c.keyCode, c.modifiers);
        EXPECT_EQ(dlg->GetExitItem(), c.exit ? dlg->FindPaneByID(c.exit) : nullptr);
        dlg->Dispose();
        dlg = nullptr;
    }
}

bool Refuse(DialogWindow*, AGadget*, long refCon) {
    ++*reinterpret_cast<int*>(refCon);
    return false;
}

TEST_F(DialogWindowTest, RunEndsByOKAbortOrClosingAndGivesTheMenusBack) {
    enum class End { ok, cancel, closeBox, closeNoButtons };
    struct Case {
        const char* name;
        End end;
        bool answer;
        const char* exit;
    } cases[] = {
        {"OK", End::ok, true, "OKBut"},
        {"Cancel", End::cancel, false, "CancelBut"},
        {"close box presses Cancel", End::closeBox, false, "CancelBut"},
        {"close box without buttons", End::closeNoButtons, false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MakeDialog(c.end == End::closeNoButtons ? 0 : 2);
        static const Case* current;
        static DialogTest* self;
        current = &c;
        self = this;
        dlg->SetWindowIdleProc([](DialogWindow* d, EventRecord*, long, long) {
            if (!self->ScriptDone()) return false;
            EXPECT_TRUE(d->IsRunning());
            switch (current->end) {
            case End::ok:
                self->ScriptClick(d, d->FindPaneByID("OKBut"));
                break;
            case End::cancel:
                self->ScriptClick(d, d->FindPaneByID("CancelBut"));
                break;
            default:
                d->SendMsg(wmClose, nullptr, 0, 0);
                break;
            }
            return false;
        });
        const int depth = KsMenuStateDepth();
        const long giveUp = KsGetTicks() + 600;
        EXPECT_EQ(dlg->Run(nullptr, 0), c.answer);
        EXPECT_LT(KsGetTicks(), giveUp);
        EXPECT_EQ(dlg->GetExitItem(), c.exit ? dlg->FindPaneByID(c.exit) : nullptr);
        EXPECT_FALSE(dlg->IsVisible());
        EXPECT_FALSE(dlg->IsRunning());
        EXPECT_EQ(KsMenuStateDepth(), depth);
        dlg->Dispose();
        dlg = nullptr;
    }
}

TEST_F(DialogWindowTest, ATestProcThatRefusesKeepsTheDialogUp) {
    int asked = 0;
    // A modeless dialog with a test returns at once and stays visible.
    DialogWindow* modeless = DialogWindow::New("Modeless", false, 200, 120, false);
    modeless->AddStdButtons(1);
    EXPECT_FALSE(modeless->Run(Refuse, long(reinterpret_cast<intptr_t>(&asked))));
    EXPECT_TRUE(modeless->IsVisible());
    modeless->DoGoodClick(modeless->FindPaneByID("OKBut"));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(modeless->GetExitItem(), nullptr);
    modeless->Dispose();
}

// Each accessor on a pane of a class it does not serve reports its message
// and changes nothing; on the classes it serves it works.
// The wrong-class reports of every accessor on every class are checked in
// DialogAccessorClassesTest; here the radio group of gadget buttons and the
// bounded text.
TEST_F(DialogWindowTest, GadgetRadioGroupsAnswerByRefValAndTextIsBounded) {
    MakeDialog(1);
    dlg->AddPane("Plain", 10, S, 40, 10, S, 20);
    dlg->AddCheckBox("Check", "Loop", 10, S, 80, 40, S, 18);
    dlg->AddRadioButton("R1", "One", 10, S, 80, 60, S, 18);
    dlg->AddRadioButton("R2", "Two", 10, S, 80, 80, S, 18);
    dlg->SetBoolVal("Check", true);
    EXPECT_TRUE(dlg->GetBoolVal("Check"));
    dlg->SetRBgroupVal(nullptr, 0); // no pane: nothing
    APane* main = dlg->GetMainPane();
    main->SetPaneID("Main");
    dlg->SetRBgroupVal("Main", dlg->GetRefVal("R2"));
    EXPECT_TRUE(dlg->GetBoolVal("R2"));
    EXPECT_FALSE(dlg->GetBoolVal("R1"));
    EXPECT_EQ(dlg->GetRBgroupVal("Main"), dlg->GetRefVal("R2"));
    dlg->SetPaneEnabled("Check", false);
    EXPECT_FALSE(dlg->IsPaneEnabled("Check"));
    dlg->SetTextVal("Plain", "Hello");
    char buf[4];
    dlg->GetTextVal("Plain", buf, sizeof buf); // bounded
    EXPECT_STREQ(buf, "Hel");
    EXPECT_TRUE(FatalMessages().empty());
}

constexpr UInt8 kReturn = 0x24, kEscape = 0x35;

using TimecodeDlgTest = DialogTest;

TEST_F(TimecodeDlgTest, OneLabelledTimecodeFieldAboveOKAndCancel) {
    TimecodeDlg* d = TimecodeDlg::New("Duration");
    dlg = d;
    APane* entry = d->FindPaneByID("TCEntry");
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->IsInstanceOf("ATCEntry"));
    const KsRect in = d->GetMainPane()->GetInterior();
    const KsRect f = entry->GetFrame();
    EXPECT_EQ(f.left - in.left, 38);
    EXPECT_EQ(f.top - in.top, 25);
    EXPECT_EQ(f.Width(), 104);
    EXPECT_EQ(f.Height(), 17);
    ASSERT_NE(entry->GetLabel(), nullptr);
    EXPECT_TRUE(entry->GetLabel()->Equals(stx("Duration://Timecode Entry Prompt")));
    EXPECT_EQ(d->GetOKGad(), d->FindPaneByID("OKBut"));
    EXPECT_EQ(d->GetAbortGad(), d->FindPaneByID("CancelBut"));
}

TEST_F(TimecodeDlgTest, TypedTimecodeComesBackOnlyOnOK) {
    struct Case {
        const char* name;
        const char* typed;
        UInt8 endKey;
        bool answer;
        SInt32 frames; // of *tc afterwards
    } cases[] = {
        {"typed and confirmed", "1015", kReturn, true, 10 * 30 + 15},
        {"typed and cancelled", "1015", kEscape, false, 45},
        {"confirmed as it was", "", kReturn, true, 45},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const long t = KsGetTicks();
        if (*c.typed) backend->ScriptText(t + 5, c.typed);
        backend->ScriptKeyDown(t + 10, c.endKey);
        backend->ScriptKeyUp(t + 11, c.endKey);
        timecode_t tc = TCMake(kTCRate30, 45);
        const long giveUp = KsGetTicks() + 600;
        EXPECT_EQ(StdTimecodeDialog("Go to", &tc, "Position:"), c.answer);
        EXPECT_LT(KsGetTicks(), giveUp);
        EXPECT_EQ(tc.frames, c.frames);
        EXPECT_EQ(tc.rate, kTCRate30);
        FlushEvents(everyEvent, 0);
    }
}

} // namespace
