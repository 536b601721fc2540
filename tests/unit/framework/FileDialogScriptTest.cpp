// The file dialogs driven through the headless desk: saving into a chosen
// folder, cancelling, replacing, a name that is not UTF-8, the type filter,
// batch mode, and the save-changes alert's three answers.
#include "AFileLocator.h"
#include "AutoRequestDlg.h"
#include "DialogTestSupport.h"
#include "KsFileDialogScript.h"
#include "KsScratchDir.h"

#include <filesystem>
#include <fstream>
#include <memory>

namespace fs = std::filesystem;

namespace {

// A document whose SaveDoc writes one line where it is told.
class DocWindow : public AWindow {
public:
    int saves = 0;
    bool SaveDoc(AFileLocator* where, bool) override {
        ++saves;
        if (where) std::ofstream(where->GetPath()) << "saved\n";
        SetIsDirtyDoc(false);
        return true;
    }
};

class FileDialogTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        oldAlert = AWindow::SetSaveAlertProc(nullptr);
        oldPut = AWindow::SetPutFileProc(nullptr);
        fs::create_directory(dir / "docs");
        std::ofstream(dir / "zeta.txt") << "old\n";
    }
    void TearDown() override {
        if (doc && KsIsLiveWindow(doc)) doc->Dispose();
        AWindow::SetSaveAlertProc(oldAlert);
        AWindow::SetPutFileProc(oldPut);
        DialogTest::TearDown();
    }
    DocWindow* Doc(bool isNew) {
        doc = new DocWindow;
        doc->IWindow("Report", nullptr, WindowPtr(-1), 1, 0, 1, 0, 0, 0);
        doc->SelectAndShow();
        doc->SetIsNewDoc(isNew);
        doc->SetIsDirtyDoc(true);
        return doc;
    }

    ScratchDir dir{"ksfiledlg"};
    ADirLocator start{dir.str()};
    DocWindow* doc = nullptr;
    AWindow::SaveAlertProc oldAlert = nullptr;
    AWindow::PutFileProc oldPut = nullptr;
};

// The name is typed over the default one first, then the folder is entered
// by a double-click; Return saves there, Escape gives up.
TEST_F(FileDialogTest, SavingANewDocumentGoesIntoTheChosenFolderAndCancelLeavesNothing) {
    for (bool cancel : {false, true}) {
        SCOPED_TRACE(cancel ? "cancel" : "save");
        fs::remove_all(dir / "docs");
        fs::create_directory(dir / "docs");
        DocWindow* w = Doc(true);
        FileDialogScript script(backend, [&](FileDialogScript& s) {
            EXPECT_EQ(s.dlg->GetTypedName(), "Untitled");
            s.Type("report.txt");
            s.ClickRow(1, 2); // "docs": folders come first
            s.Key(cancel ? FileDialogScript::kEscape : FileDialogScript::kReturn, 20);
        });
        const bool unsaved = w->SaveWindow(false, &start);
        EXPECT_EQ(script.shown, 1);
        EXPECT_EQ(unsaved, cancel);
        EXPECT_EQ(fs::exists(dir / "docs" / "report.txt"), !cancel);
        EXPECT_EQ(fs::is_empty(dir / "docs"), cancel);
        EXPECT_EQ(w->GetIsDirtyDoc(), cancel);
        EXPECT_EQ(w->saves, cancel ? 0 : 1);
        w->Dispose();
        doc = nullptr;
    }
}

// Saving over a file asks; "Cancel" keeps the dialog up, "Replace" ends it.
TEST_F(FileDialogTest, ReplacingAFileAsksFirst) {
    KsSDlogPushScriptedAnswer(2);
    KsSDlogPushScriptedAnswer(1);
    FileDialogScript script(backend, [](FileDialogScript& s) {
        s.Key(FileDialogScript::kReturn);
        s.Key(FileDialogScript::kReturn, 20);
    });
    AFileLocator chosen(start, "zeta.txt");
    ASSERT_TRUE(AFileDialog::NameFile("Save", &chosen, AFileDialog::kAnyType, nullptr));
    EXPECT_EQ(KsSDlogScriptedAnswersLeft(), 0);
    EXPECT_EQ(chosen.GetPath(), (fs::canonical(dir.path()) / "zeta.txt").string());
}

// A name that is not UTF-8 lists with a mark, is found by typing what shows,
// and opens by its own bytes; the type filter hides other files.
TEST_F(FileDialogTest, ANameThatCannotBeShownStillOpensAndTheFilterHidesOtherTypes) {
    const std::string raw = "caf\xE9.txt";
    std::ofstream(dir / raw) << "x";
    std::ofstream(dir / "notes.bin") << "x";
    std::vector<std::string> listed;
    FileDialogScript script(backend, [&](FileDialogScript& s) {
        for (long n = 1; const KsFolderEntry* row = s.dlg->GetList()->GetRow(n); ++n)
            listed.push_back(row->shown);
        s.Type("caf");
        s.Key(FileDialogScript::kReturn);
    });
    const OSType text = FourCharCode("TEXT");
    std::unique_ptr<AFileLocator> chosen(AFileDialog::SelectFile("Open", 1, &text, &start, 0));
    EXPECT_EQ(listed, (std::vector<std::string>{"docs", "caf?.txt", "zeta.txt"}));
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->GetName(), raw);
    EXPECT_TRUE(chosen->Exists());
}

TEST_F(FileDialogTest, AFolderThatCannotBeReadIsReportedAndTheDialogStaysWhereItWas) {
    AFileDialog* d = AFileDialog::New(AFileDialog::Mode::open, "Open");
    dlg = d;
    ASSERT_TRUE(d->ShowFolder(dir.str()));
    const std::string shown = d->GetFolder();
    for (const fs::path& bad : {dir / "missing", dir / "zeta.txt"}) {
        KsSDlogPushScriptedAnswer(1);
        EXPECT_FALSE(d->ShowFolder(bad.string()));
        EXPECT_NE(d->GetLastError().find("could not be read"), std::string::npos);
        EXPECT_EQ(d->GetFolder(), shown);
        EXPECT_EQ(KsSDlogScriptedAnswersLeft(), 0);
    }
    ASSERT_TRUE(d->NewFolder());
    ASSERT_TRUE(d->NewFolder());
    EXPECT_TRUE(fs::is_directory(dir / "New Folder 2"));
    EXPECT_EQ(d->GetList()->GetSelectedRow()->raw, "New Folder 2");
}

TEST_F(FileDialogTest, BatchModeShowsNoDialogAndCancels) {
    KsSDlogSetBatchMode(true);
    FileDialogScript script(backend, [](FileDialogScript&) {});
    AFileLocator out(start, "x");
    EXPECT_FALSE(KsPutFileDlog("Save", &start, "x", &out));
    EXPECT_EQ(AFileDialog::SelectFile("Open", 0, nullptr, &start, 0), nullptr);
    KsSDlogSetBatchMode(false);
    EXPECT_EQ(script.shown, 0);
}

// The default alert: "Save", "Don't Save", "Cancel", or the close box.
TEST_F(FileDialogTest, TheSaveAlertsThreeAnswersOnAChangedDocument) {
    struct Case {
        short answer;
        bool closed;
        int saves;
    } cases[] = {
        {1, true, 1}, {2, true, 0}, {3, false, 0}, {AutoRequestDlg::kClosedAnswer, false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        DocWindow* w = Doc(false);
        KsSDlogPushScriptedAnswer(c.answer);
        const bool cancelled = w->SendMsg(wmClose, nullptr, 1, 0);
        EXPECT_EQ(KsSDlogScriptedAnswersLeft(), 0);
        EXPECT_EQ(cancelled, !c.closed);
        EXPECT_EQ(w->IsVisible(), !c.closed);
        EXPECT_EQ(w->saves, c.saves);
        if (KsIsLiveWindow(w)) w->Dispose();
        doc = nullptr;
    }
}

} // namespace
