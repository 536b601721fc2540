// The file dialogs driven through the headless desk: saving into a chosen
// folder, cancelling, replacing, a name that is not UTF-8, the type filter,
// batch mode, and the save-changes alert's three answers; the console's Save
// Text; the folder listings the dialogs show.
#include "AFileLocator.h"
#include "AScreenManOS.h"
#include "AutoRequestDlg.h"
#include "ConsolePane.h"
#include "ConsoleWind.h"
#include "DialogTestSupport.h"
#include "KsFileDialogScript.h"
#include "KsFileText.h"
#include "KsFolderListing.h"
#include "KsScratchDir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
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

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Shown(const KsFolderListing& l) {
    std::vector<std::string> out;
    for (const KsFolderEntry& e : l.entries)
        out.push_back(e.shown + (e.isFolder ? "/" : ""));
    return out;
}

TEST(FolderListingTest, FoldersFirstThenNamesIgnoringCaseWithHiddenOnlyWhenAsked) {
    ScratchDir dir("kslisting");
    for (const char* f : {"b.txt", "A.txt", ".secret", "c\xE9.txt"})
        std::ofstream(dir / f) << "12345";
    for (const char* d : {"zoo", "Apps", ".cache"})
        fs::create_directory(dir / d);
    fs::create_directory_symlink(dir.path(), dir / "loop"); // points back at itself
    fs::create_symlink(dir / "nowhere", dir / "dangling");

    struct Case {
        KsHiddenFiles hidden;
        size_t cap;
        std::vector<std::string> shown;
        bool cut;
    } cases[] = {
        {KsHiddenFiles::skip,
         100,
         {"Apps/", "loop/", "zoo/", "A.txt", "b.txt", "c?.txt", "dangling"},
         false},
        {KsHiddenFiles::show,
         100,
         {".cache/", "Apps/", "loop/", "zoo/", ".secret", "A.txt", "b.txt", "c?.txt", "dangling"},
         false},
        {KsHiddenFiles::skip, 3, {}, true}, // only its count is checked
    };
    for (const Case& c : cases) {
        const KsFolderListing l = KsReadFolder(dir.str(), c.hidden, c.cap);
        EXPECT_EQ(l.error, 0);
        EXPECT_EQ(l.cut, c.cut);
        if (c.cut) {
            EXPECT_EQ(l.entries.size(), c.cap);
            continue;
        }
        EXPECT_EQ(Shown(l), c.shown);
        for (const KsFolderEntry& e : l.entries) {
            EXPECT_EQ(e.replaced, e.raw == "c\xE9.txt") << e.raw;
            if (!e.isFolder && e.raw != "dangling") {
                EXPECT_EQ(e.size, 5u) << e.raw;
            }
        }
    }
    // Entering the loop lands where it started: the path does not grow.
    EXPECT_EQ(KsReadFolder((dir / "loop" / "loop").string(), KsHiddenFiles::skip).folder,
              KsResolveFolder(dir.str()));
}

TEST(FolderListingTest, AFolderThatCannotBeReadGivesAMessageNotAnException) {
    ScratchDir dir("kslisting");
    std::ofstream(dir / "file") << "x";
    for (const fs::path& p : {dir / "missing", dir / "file", fs::path()}) {
        const KsFolderListing l = KsReadFolder(p.string(), KsHiddenFiles::skip);
        EXPECT_NE(l.error, 0) << p;
        EXPECT_NE(l.errorText.find("could not be read"), std::string::npos);
        EXPECT_TRUE(l.entries.empty());
    }
}

TEST(FolderListingTest, NamesConvertBothWaysAndSizesReadShort) {
    bool replaced = true;
    EXPECT_EQ(KsShownFileName("caf\xC3\xA9", &replaced), "caf\x8E");
    EXPECT_FALSE(replaced);
    EXPECT_EQ(KsDiskFileName("caf\x8E"), "caf\xC3\xA9");
    struct Size {
        std::uint64_t bytes;
        const char* text;
    } sizes[] = {{0, "0 B"}, {1023, "1023 B"}, {1536, "1.5 KB"}, {50u << 20, "50 MB"}};
    for (const Size& s : sizes) {
        char buf[16];
        KsFormatFileSize(s.bytes, buf, sizeof buf);
        EXPECT_STREQ(buf, s.text);
    }
}

} // namespace

TEST_F(DialogTest, ConsoleSaveTextWritesTheFileTheDialogNames) {
    ScratchDir dir;
    const std::filesystem::path was = std::filesystem::current_path();
    std::filesystem::current_path(dir.path()); // where the dialog starts
    const bool ownsScreens = AScreenManOS::Get() == nullptr;
    AScreenManOS::New();
    ConsoleWind* w = ConsoleWind::New(false);
    w->SelectAndShow();
    ConsolePane* c = w->GetConsolePane();
    ConsolePane::SetActiveConsole(c);
    ConsolePrint("kept\tline\n");
    for (const bool cancel : {true, false}) {
        FileDialogScript script(backend, [&](FileDialogScript& s) {
            EXPECT_EQ(s.dlg->GetTypedName(), "console");
            s.Type("saved.txt");
            s.Key(cancel ? FileDialogScript::kEscape : FileDialogScript::kReturn, 20);
        });
        EXPECT_TRUE(c->DoMenuSelect(0, kNickConSave, nullptr));
        EXPECT_EQ(script.shown, 1);
        EXPECT_EQ(std::filesystem::exists(dir / "saved.txt"), !cancel);
    }
    std::filesystem::current_path(was);
    EXPECT_EQ(ReadFileText(dir / "saved.txt"), "kept    line\r\n");
    w->Dispose();
    if (ownsScreens) AScreenManOS::Dispose();
}
