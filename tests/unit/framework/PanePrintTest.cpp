// Printing a pane tree: pages in the PDF file, the header and footer
// procedures in order, what lands on each page, and jobs that end however
// they go.
#include "KsPdfPages.h"
#include "KsPixels.h"
#include "PaneTestSupport.h"
#include "Printing.h"
#include "XError.h"

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr KsRGBColor kRed{0xFFFF, 0, 0}, kBlue{0, 0, 0xFFFF};

// What the printing procedures saw, in order.
std::vector<std::string> gCalls;
SInt16 gHeader = 0, gFooter = 0;
SInt32 gStartAnswer = 0;
int gThrowOnPage = 0;

UInt32 PagePx(SInt32 h, SInt32 v) {
    GrafPtr page = KsGetPort();
    return DevicePixel(page, h * page->scale, v * page->scale);
}

SInt32 StartJob(const char* name, void*, void*, SInt16* header, SInt16* footer) {
    gCalls.push_back(std::string("start ") + name);
    *header = gHeader;
    *footer = gFooter;
    if (gStartAnswer != 0) return gStartAnswer;
    return PrintInit(name);
}
void PageStart(SInt32 p, SInt32 n) {
    gCalls.push_back("head " + std::to_string(p) + "/" + std::to_string(n));
}
void PageEnd(SInt32 p, SInt32 n) {
    gCalls.push_back("foot " + std::to_string(p) + "/" + std::to_string(n));
    if (p == gThrowOnPage) xraisexerror("TEST_PAGE_FAILED");
}

// Prints three pages, each with its number as a bar of that many 10-point
// squares at the top of the page rectangle.
class ThreePager : public APane {
public:
    int* live = nullptr;
    SInt32 PrintPrepareTo(const KsRect& page, void** state) override {
        gCalls.push_back("prepare " + std::to_string(page.top) + " " + std::to_string(page.bottom));
        live = new int(0);
        *state = live;
        return 3;
    }
    void PrintPageBody(SInt32 p, SInt32 n, const KsRect& page, void* state) override {
        gCalls.push_back("body " + std::to_string(p) + "/" + std::to_string(n));
        ++*static_cast<int*>(state);
        const Rect bar{SInt16(page.top), SInt16(page.left), SInt16(page.top + 10),
                       SInt16(page.left + 10 * p)};
        PaintRect(&bar);
    }
    void PrintComplete(void* state) override {
        gCalls.push_back("complete " + std::to_string(*static_cast<int*>(state)));
        delete static_cast<int*>(state);
        live = nullptr;
    }
};

class PanePrint : public PaneTest {
protected:
    fs::path dir, out;
    void SetUp() override {
        PaneTest::SetUp();
        dir = fs::temp_directory_path() /
              ("ks_paneprint_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        out = dir / "out.pdf";
        KsPrSetOutputPath(out.c_str());
        KsPrintSettings s;
        s.resolution = 72; // one pixel per point: page pixels are easy to find
        KsPrSetPageSetup(&s);
        gCalls.clear();
        gHeader = gFooter = 0;
        gStartAnswer = 0;
        gThrowOnPage = 0;
    }
    void TearDown() override {
        KsPrSetOutputPath(nullptr);
        KsPrSetPageSetup(nullptr);
        fs::remove_all(dir);
        PaneTest::TearDown();
    }
    PdfPages Pages() const { return ReadPdfPages(ReadFileText(out)); }
};

// The page port as the footer procedure sees it: main pane, sub-pane, margin.
std::vector<UInt32> gSamples;
void SamplePage(SInt32 p, SInt32 n) {
    PageEnd(p, n);
    const Rect r = GetPrintPageRect(); // 36 points of margin
    gSamples = {PagePx(r.left + 2, r.top + 12), PagePx(r.left + 15, r.top + 25),
                PagePx(r.left - 2, r.top + 12), PagePx(r.left + 2, r.top + 8)};
}

TEST_F(PanePrint, APaneTreePrintsItsInteriorOnOnePageBelowTheHeader) {
    main->SetBkndColor(kRed);
    Add(main, 10, S, 30, 10, S, 20, 0, kBlue);
    main->Draw(nullptr, nullptr);
    gHeader = 10;
    gFooter = 5;
    main->PrintPane("Tree", StartJob, PageStart, SamplePage);
    EXPECT_FALSE(KsPrJobInProgress());
    EXPECT_EQ(gCalls, (std::vector<std::string>{"start Tree", "head 1/1", "foot 1/1"}));
    // The interior starts 10 points (the header) below the page rectangle.
    ASSERT_EQ(gSamples.size(), 4u);
    EXPECT_EQ(gSamples[0], Rgb(kRed));
    EXPECT_EQ(gSamples[1], Rgb(kBlue)) << "the sub-pane, at its place in the interior";
    EXPECT_EQ(gSamples[2], 0xFFFFFFu) << "the margin stays blank";
    EXPECT_EQ(gSamples[3], 0xFFFFFFu) << "the header's room stays blank";
    const PdfPages pages = Pages();
    EXPECT_EQ(pages.problem, "");
    EXPECT_EQ(pages.pageObjects, 1);
    EXPECT_EQ(pages.treeCount, 1);
    EXPECT_EQ(KsGetPort(), Port()) << "the window's port is current again";
}

TEST_F(PanePrint, ASubclassPrintsThreePagesBetweenHeadersAndFooters) {
    auto* pager = new ThreePager;
    pager->IPane(main, 10, S, 100, 10, S, 100, RGBwhite, 0);
    gHeader = 20;
    gFooter = 30;
    pager->PrintPane("Three", StartJob, PageStart, PageEnd);
    const Rect r = GetPrintPageRect();
    EXPECT_EQ(gCalls,
              (std::vector<std::string>{
                  "start Three",
                  "prepare " + std::to_string(r.top + 20) + " " + std::to_string(r.bottom - 30),
                  "head 1/3", "body 1/3", "foot 1/3", "head 2/3", "body 2/3", "foot 2/3",
                  "head 3/3", "body 3/3", "foot 3/3", "complete 3"}));
    const PdfPages pages = Pages();
    EXPECT_EQ(pages.problem, "");
    EXPECT_EQ(pages.pageObjects, 3);
    EXPECT_EQ(pages.treeCount, 3);
    EXPECT_EQ(pages.mediaBoxes, (std::vector<std::string>(3, "612 792")));

    // Without page procedures the whole page rectangle is the body's.
    gCalls.clear();
    pager->PrintPane("Three", StartJob, nullptr, nullptr);
    ASSERT_GE(gCalls.size(), 2u);
    EXPECT_EQ(gCalls[1], "prepare " + std::to_string(r.top) + " " + std::to_string(r.bottom));

    // A header taller than the page leaves an empty body, never an inverted
    // one; a negative footer counts as none.
    gCalls.clear();
    gHeader = 5000;
    gFooter = -7;
    pager->PrintPane("Three", StartJob, PageStart, PageEnd);
    ASSERT_GE(gCalls.size(), 2u);
    EXPECT_EQ(gCalls[1], "prepare " + std::to_string(r.bottom) + " " + std::to_string(r.bottom));
}

TEST_F(PanePrint, AStartFunctionAnsweringNonZeroSkipsPrinting) {
    auto* pager = new ThreePager;
    pager->IPane(main, 10, S, 100, 10, S, 100, RGBwhite, 0);
    gStartAnswer = 1;
    pager->PrintPane("Skipped", StartJob, PageStart, PageEnd);
    EXPECT_EQ(gCalls, (std::vector<std::string>{"start Skipped"}));
    EXPECT_FALSE(KsPrJobInProgress());
    EXPECT_TRUE(fs::is_empty(dir));
}

TEST_F(PanePrint, AFailingPageEndsTheJobAndLeavesNoFile) {
    auto* pager = new ThreePager;
    pager->IPane(main, 10, S, 100, 10, S, 100, RGBwhite, 0);
    gThrowOnPage = 2;
    try {
        pager->PrintPane("Fails", StartJob, PageStart, PageEnd);
        FAIL() << "the page's error is lost";
    } catch (const XError& e) {
        EXPECT_STREQ(e.GetCode(), "TEST_PAGE_FAILED");
    }
    EXPECT_EQ(gCalls.back(), "complete 2") << "the pane's state goes too";
    EXPECT_EQ(pager->live, nullptr);
    EXPECT_FALSE(KsPrJobInProgress());
    EXPECT_TRUE(fs::is_empty(dir));
    EXPECT_EQ(KsGetPort(), Port());
    // The session is usable again.
    gThrowOnPage = 0;
    main->PrintPane("Again", nullptr, nullptr, nullptr);
    EXPECT_EQ(Pages().pageObjects, 1);
}

TEST_F(PanePrint, AnUnwritablePathIsReportedToTheUser) {
    const fs::path bad = dir / "no" / "such" / "x.pdf";
    KsPrSetOutputPath(bad.c_str());
    try {
        main->PrintPane("Nowhere", nullptr, PageStart, PageEnd);
        FAIL() << "the failure is not reported";
    } catch (const XError& e) {
        EXPECT_STREQ(e.GetCode(), "TBX_PRINT_OPEN");
    }
    EXPECT_TRUE(gCalls.empty()) << "no page was started";
    EXPECT_FALSE(KsPrJobInProgress());
    EXPECT_FALSE(fs::exists(bad));
}

} // namespace
