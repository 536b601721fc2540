// The print session: where the file goes, the page setup, and a job that
// ends cleanly whatever happened in it.
#include "KsPdfPages.h"
#include "KsRaisedError.h"
#include "KsScopedEnv.h"
#include "KsScratchDir.h"
#include "Printing.h"
#include "QuickDraw.h"
#include "XError.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class PrintSession : public ::testing::Test {
protected:
    ScratchDir scratch{"ks_prsession"};
    const fs::path dir = scratch.path();
    const fs::path oldCwd = fs::current_path();
    ScopedEnv env;

    void SetUp() override {
        KsPrSetOutputPath(nullptr);
        KsPrSetPageSetup(nullptr);
    }
    void TearDown() override {
        PrintFini(KsPrintEnd::kDiscard);
        KsPrSetOutputPath(nullptr);
        KsPrSetPageSetup(nullptr);
        fs::current_path(oldCwd);
    }
    // Prints `pages` blank pages into a job named `name`; answers PrintFini's result.
    static OSErr PrintBlank(const char* name, int pages) {
        if (OSErr err = PrintInit(name); err != noErr) return err;
        for (int i = 0; i < pages; ++i) {
            StartPrintPage();
            EndPrintPage();
        }
        return PrintFini();
    }
};

TEST_F(PrintSession, PagesGoToTheChosenPathWithThePageSetup) {
    const fs::path out = dir / "chosen.pdf";
    KsPrSetOutputPath(out.c_str());
    KsPrintSettings s;
    s.pageWidth = 300;
    s.pageHeight = 200;
    s.resolution = 72;
    s.margin = 20;
    KsPrSetPageSetup(&s);
    GrafPtr mine = KsNewPort(8, 8);
    KsSetPort(mine);
    ASSERT_EQ(PrintInit("Chosen"), noErr);
    EXPECT_TRUE(KsPrJobInProgress());
    const Rect r = GetPrintPageRect();
    EXPECT_EQ(r.left, 20);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right, 280);
    EXPECT_EQ(r.bottom, 180);
    for (int i = 0; i < 3; ++i) {
        StartPrintPage();
        EXPECT_NE(KsGetPort(), mine);
        EXPECT_EQ(KsGetPort()->portRect.right, 300);
        EndPrintPage();
        EXPECT_EQ(KsGetPort(), mine);
    }
    EXPECT_EQ(KsPrJobPageCount(), 3);
    EXPECT_EQ(PrintFini(), noErr);
    EXPECT_FALSE(KsPrJobInProgress());
    EXPECT_EQ(fs::path(KsPrJobPath()), out);
    const PdfPages pages = ReadPdfPages(ReadFileText(out));
    EXPECT_EQ(pages.problem, "");
    EXPECT_EQ(pages.pageObjects, 3);
    EXPECT_EQ(pages.treeCount, 3);
    ASSERT_EQ(pages.mediaBoxes.size(), 3u);
    EXPECT_EQ(pages.mediaBoxes[0], "300 200");
    KsDisposePort(mine);
}

TEST_F(PrintSession, TheDefaultFileIsNamedAfterTheJobAndNeverReplacesOne) {
    // In the documents folder when there is one...
    env.Set("HOME", dir.string());
    fs::create_directories(dir / "Documents");
    // Mac OS Roman 0x8A is a-umlaut; a slash cannot be part of a file name.
    ASSERT_EQ(PrintBlank("Cut\x8A/1", 1), noErr);
    EXPECT_EQ(fs::path(KsPrJobPath()), dir / "Documents" / "Cut\xC3\xA4_1.pdf");
    ASSERT_EQ(PrintBlank("Cut\x8A/1", 2), noErr);
    EXPECT_EQ(fs::path(KsPrJobPath()), dir / "Documents" / "Cut\xC3\xA4_1 2.pdf");
    EXPECT_EQ(ReadPdfPages(ReadFileText(dir / "Documents" / "Cut\xC3\xA4_1.pdf")).pageObjects, 1);
    EXPECT_EQ(ReadPdfPages(ReadFileText(dir / "Documents" / "Cut\xC3\xA4_1 2.pdf")).pageObjects, 2);

    // ...else in the current folder; no name is "Untitled".
    fs::remove_all(dir / "Documents");
    fs::current_path(dir);
    ASSERT_EQ(PrintBlank(nullptr, 1), noErr);
    EXPECT_EQ(fs::path(KsPrJobPath()), dir / "Untitled.pdf");
    EXPECT_TRUE(fs::exists(dir / "Untitled.pdf"));
}

TEST_F(PrintSession, AnUnwritablePathIsReportedAndTheJobStillEnds) {
    const fs::path out = dir / "missing" / "x.pdf";
    KsPrSetOutputPath(out.c_str());
    EXPECT_EQ(PrintInit("x"), kPrOpenErr);
    EXPECT_EQ(KsPrError(), kPrOpenErr);
    EXPECT_STREQ(KsPrLastFailure().GetCode(), "TBX_PRINT_OPEN");
    EXPECT_FALSE(KsPrJobInProgress());
    EXPECT_EQ(ErrorCode([] { StartPrintPage(); }), "TBX_PRINT_NO_JOB");
    EXPECT_EQ(PrintFini(), kPrOpenErr);
    EXPECT_FALSE(fs::exists(out));

    // An unusable page setup is refused the same way.
    KsPrSetOutputPath((dir / "y.pdf").c_str());
    KsPrintSettings s;
    s.pageWidth = 60;
    s.margin = 30; // nothing left to print on
    KsPrSetPageSetup(&s);
    EXPECT_EQ(PrintInit("y"), paramErr);
    EXPECT_STREQ(KsPrLastFailure().GetCode(), "TBX_PRINT_SETTINGS");
    EXPECT_EQ(PrintFini(), paramErr);
    EXPECT_TRUE(fs::is_empty(dir));
}

TEST_F(PrintSession, ADiscardedOrForgottenJobLeavesNoFile) {
    const fs::path out = dir / "gone.pdf";
    KsPrSetOutputPath(out.c_str());
    GrafPtr mine = KsNewPort(8, 8);
    KsSetPort(mine);
    ASSERT_EQ(PrintInit("gone"), noErr);
    StartPrintPage();
    EXPECT_EQ(PrintFini(KsPrintEnd::kDiscard), kPrAbortErr);
    EXPECT_EQ(KsGetPort(), mine) << "the open page's port is given back";
    EXPECT_TRUE(fs::is_empty(dir));

    // A job whose PrintFini was missed is discarded by the next PrintInit.
    ASSERT_EQ(PrintInit("first"), noErr);
    StartPrintPage();
    EndPrintPage();
    ASSERT_EQ(PrintInit("second"), noErr);
    EXPECT_EQ(KsPrJobPageCount(), 0);
    StartPrintPage();
    EndPrintPage();
    StartPrintPage(); // left open: PrintFini closes it
    EXPECT_EQ(PrintFini(), noErr);
    EXPECT_EQ(KsGetPort(), mine);
    EXPECT_EQ(ReadPdfPages(ReadFileText(out)).pageObjects, 2);
    EXPECT_EQ(PrintFini(), noErr) << "a second PrintFini has nothing to end";
    KsDisposePort(mine);
}

} // namespace
