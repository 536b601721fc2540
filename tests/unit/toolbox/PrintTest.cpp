// Print jobs: the PDF written page by page, settings checked, failures
// reported and leaving no file behind.
#include "KsPdfPages.h"
#include "KsRaisedError.h"
#include "KsScratchDir.h"
#include "Printing.h"
#include "QuickDraw.h"
#include "XError.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

class Print : public ::testing::Test {
protected:
    ScratchDir scratch{"ks_print"};
    const fs::path dir = scratch.path();

    // Page objects, not the page tree; the tree must agree.
    static int CountPages(const std::string& pdf) {
        const PdfPages pages = ReadPdfPages(pdf);
        EXPECT_EQ(pages.problem, "");
        return pages.pageObjects;
    }
};

TEST_F(Print, TwoPagesMakeAPdfWithTwoPageObjects) {
    const fs::path out = dir / "two.pdf";
    GrafPtr before = KsNewPort(4, 4);
    KsSetPort(before);
    KsPrintSettings s;
    s.pageWidth = 200;
    s.pageHeight = 100;
    s.resolution = 144;
    KsPrintJob* job = KsPrOpenDoc(out.c_str(), &s);
    ASSERT_NE(job, nullptr);
    EXPECT_EQ(KsPrError(), noErr);
    for (int i = 0; i < 2; ++i) {
        GrafPtr page = KsPrOpenPage(job);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(KsGetPort(), page);
        EXPECT_EQ(page->portRect.right, 200);
        EXPECT_EQ(page->portRect.bottom, 100);
        EXPECT_EQ(page->scale, 2);
        Rect r{10, 10, SInt16(50 + 20 * i), 90};
        PaintRect(&r);
        KsPrClosePage(job);
        EXPECT_EQ(KsGetPort(), before); // the caller's port comes back
    }
    EXPECT_EQ(KsPrPageCount(job), 2);
    EXPECT_FALSE(fs::exists(out)); // not before the document is complete
    KsPrCloseDoc(job);
    EXPECT_EQ(KsPrError(), noErr);
    const std::string pdf = ReadFileText(out);
    EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
    EXPECT_EQ(CountPages(pdf), 2);
    EXPECT_NE(pdf.find("/MediaBox [ 0 0 200 100 ]"), std::string::npos);
    EXPECT_NE(pdf.find("%%EOF"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "two.pdf.part"));
    KsDisposePort(before);
}

TEST_F(Print, AnOpenPageIsClosedWithTheDocument) {
    const fs::path out = dir / "one.pdf";
    KsPrintJob* job = KsPrOpenDoc(out.c_str(), nullptr);
    KsPrOpenPage(job);
    KsPrCloseDoc(job);
    const std::string pdf = ReadFileText(out);
    EXPECT_EQ(CountPages(pdf), 1);
    EXPECT_NE(pdf.find("/MediaBox [ 0 0 612 792 ]"), std::string::npos);
}

TEST_F(Print, AnUnwritablePathRaisesAndIsReported) {
    const fs::path out = dir / "no" / "such" / "folder" / "x.pdf";
    EXPECT_EQ(ErrorCode([&] { KsPrOpenDoc(out.c_str(), nullptr); }), "TBX_PRINT_OPEN");
    EXPECT_EQ(KsPrError(), kPrOpenErr);
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(Print, BadSettingsAreRefused) {
    const fs::path out = dir / "bad.pdf";
    for (KsPrintSettings s :
         {KsPrintSettings{0, 100, 72}, KsPrintSettings{100, -1, 72}, KsPrintSettings{100, 100, 100},
          KsPrintSettings{100, 100, 648}, KsPrintSettings{20000, 100, 72}}) {
        EXPECT_THROW(KsPrOpenDoc(out.c_str(), &s), XError);
        EXPECT_EQ(KsPrError(), paramErr);
    }
    EXPECT_FALSE(fs::exists(out));
    EXPECT_FALSE(fs::exists(dir / "bad.pdf.part"));
}

TEST_F(Print, AnAbortedJobLeavesNothing) {
    const fs::path out = dir / "aborted.pdf";
    KsPrintJob* job = KsPrOpenDoc(out.c_str(), nullptr);
    KsPrOpenPage(job);
    KsPrClosePage(job);
    KsPrOpenPage(job);
    KsPrAbortDoc(job);
    EXPECT_EQ(KsPrError(), kPrAbortErr);
    EXPECT_TRUE(fs::is_empty(dir));
}

} // namespace
