// Pane books: pages and their numbers, showing and deleting pages, keys,
// tab clicks with enable buttons, persistence, the tabs' pixels and the
// visibility of the toggles on the pages; page settings through the stream,
// the text and Copy, and icon tabs.
#include "AMacToggles.h"
#include "AMemStream.h"
#include "AObjDoc.h"
#include "APaneBook.h"
#include "APushButton.h"
#include "ARadioCheckGads.h"
#include "KsDrawUtils.h"
#include "KsScratchResFile.h"
#include "PaneStream.h"
#include "PaneTestSupport.h"
#include "XError.h"

#include <cstdio>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

class PaneBookTest : public PaneTest {
protected:
    // A book of three pages named A, B and C at (10, 10) 300 x 200.
    APaneBook* Book(bool stacked = false) {
        APaneBook* b = APaneBook::New(main, 10, S, 300, 10, S, 200, RGBgray12, stacked, true);
        for (const char* name : {"A", "B", "C"})
            b->NewPage(name, -1, 0, APaneBookPage::kNoSize, APaneBookPage::kNoSize);
        return b;
    }
    static std::string Name(APaneBook* b) {
        char buf[64];
        b->GetVisPageName(buf, sizeof buf);
        return buf;
    }
    KsPoint TabCentre(APaneBook* b, SInt32 n) {
        const KsRect r = b->GetTabRect(b->GetPage(n));
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
};

TEST_F(PaneBookTest, PageNumbersAreClampedAndNamesGenerated) {
    APaneBook* b = APaneBook::New(main, 0, S, 300, 0, S, 200, RGBgray12, false, true);
    b->NewPage("A", 1, 0, 0, 0);
    b->NewPage("B", 99, 0, 0, 0); // beyond the end: last
    b->NewPage("Z", -7, 0, 0, 0); // nonsense: last
    b->NewPage(nullptr, -1, 0, 0, 0);
    ASSERT_EQ(b->GetPageCount(), 4);
    char name[16];
    b->GetPage(2)->GetName(name, sizeof name);
    EXPECT_STREQ(name, "B");
    b->GetPage(4)->GetName(name, sizeof name);
    EXPECT_STREQ(name, "Pg4");
    EXPECT_EQ(b->GetPage(0), nullptr);
    EXPECT_EQ(b->GetPage(5), nullptr);
    EXPECT_EQ(b->FindPagePaneByNum(-1), nullptr);
}

TEST_F(PaneBookTest, ShowingAndDeletingKeepTheBookSound) {
    APaneBook* b = Book();
    EXPECT_EQ(Name(b), "A");
    struct Case {
        const char* what;
        void (*act)(APaneBook*);
        const char* visible;
        SInt32 pages;
    } cases[] = {
        {"unknown number", [](APaneBook* x) { x->ShowPage(nullptr, nullptr, 9, false); }, "A", 3},
        {"unknown ID", [](APaneBook* x) { x->ShowPage(nullptr, "nope", 0, false); }, "A", 3},
        {"by number", [](APaneBook* x) { x->ShowPage(nullptr, nullptr, 3, false); }, "C", 3},
        {"next wraps", [](APaneBook* x) { x->NextPage(); }, "A", 3},
        {"move later", [](APaneBook* x) { x->MoveVisPage(false); }, "A", 3},
        {"delete visible", [](APaneBook* x) { x->DeleteVisPage(); }, "B", 2},
        {"delete", [](APaneBook* x) { x->DeletePage(x->GetPage(1)); }, "C", 1},
        {"last stays", [](APaneBook* x) { x->DeleteVisPage(); }, "C", 1},
    };
    for (const Case& c : cases) {
        c.act(b);
        EXPECT_EQ(Name(b), c.visible) << c.what;
        EXPECT_EQ(b->GetPageCount(), c.pages) << c.what;
        EXPECT_EQ(b->GetVisPageNum(false) > 0, true) << c.what;
    }
}

TEST_F(PaneBookTest, DeletingTheBuildersPageLeavesNoCurrentPage) {
    APaneBook* b = Book();
    APaneBookPage* last = b->GetPage(3);
    ASSERT_EQ(b->GetCurPage(), last);
    b->DeletePage(last);
    EXPECT_EQ(b->GetCurPage(), nullptr);
    // The builder now has nothing to add to, rather than a page that is gone.
    EXPECT_EQ(b->AddLabelGad(1, "Gain", nullptr, 4, 4), nullptr);
    // A page pane disposed of directly takes its page with it.
    b->SetCurPage(b->GetPage(2));
    b->GetPage(2)->GetPagePane()->Dispose();
    EXPECT_EQ(b->GetPageCount(), 1);
    EXPECT_EQ(b->GetCurPage(), nullptr);
}

TEST_F(PaneBookTest, PageKeysStopAtTheEndsAndSkipHiddenPages) {
    APaneBook* b = Book();
    b->GetPage(2)->SetHidden(true);
    EXPECT_EQ(b->GetTabRect(b->GetPage(3)).left, b->GetTabRect(b->GetPage(2)).left);
    const struct {
        SInt16 key;
        const char* visible;
    } steps[] = {{APaneBook::kPageUpKey, "A"},
                 {APaneBook::kPageDownKey, "C"},
                 {APaneBook::kPageDownKey, "C"}};
    for (const auto& s : steps) {
        EXPECT_TRUE(b->DoKeyDown(0, s.key, nullptr, nullptr));
        EXPECT_EQ(Name(b), s.visible);
    }
    b->ShowPage(b->GetPage(2), nullptr, 0, false);
    EXPECT_EQ(Name(b), "C");
}

TEST_F(PaneBookTest, EnableButtonTogglesWithoutShowingItsPage) {
    APaneBook* b = Book();
    b->SetCurPage(b->GetPage(2));
    APushButton* enable = b->AddEnableGad(7, nullptr, nullptr);
    ASSERT_NE(enable, nullptr);
    const KsRect r = enable->GetBounds();
    ASSERT_TRUE(b->GetTabRect(b->GetPage(2)).Contains(r.TopLeft()));
    const bool before = enable->GetState();
    long t = 0;
    Point from{SInt16(r.top + 3), SInt16(r.left + 3)};
    LocalToGlobal(&from);
    EventRecord e = desk->Gesture(t, from, {});
    b->DoClick({r.left + 3, r.top + 3}, e.modifiers, e.when, nullptr);
    EXPECT_NE(enable->GetState(), before);
    EXPECT_EQ(Name(b), "A");
    const KsRect tab = b->GetTabRect(b->GetPage(2));
    b->DoClick({tab.right - 2, tab.bottom - 2}, 0, 0, nullptr);
    EXPECT_EQ(Name(b), "B");
}

TEST_F(PaneBookTest, PagesComeBackThroughStreamAndText) {
    APaneBook* b = Book();
    b->ShowPage(nullptr, nullptr, 2, false);
    AMemStream out;
    AObjDoc(out).Write(b);
    AMemStream in(out.GetDataHandle());
    AObjDoc doc(in);
    doc.Read();
    auto* copy = static_cast<APaneBook*>(doc.TakeObject());
    EXPECT_EQ(copy->GetPageCount(), 3);
    EXPECT_EQ(Name(copy), "B");
    copy->Dispose();

    const std::string text = WritePaneText(b);
    APane* read = ReadPaneText(text.data(), long(text.size()), nullptr, nullptr);
    ASSERT_TRUE(read->IsInstanceOf("APaneBook"));
    EXPECT_EQ(static_cast<APaneBook*>(read)->GetPageCount(), 3);
    read->Dispose();

    // Copy also keeps what the stream does not carry.
    b->GetPage(3)->SetHidden(true);
    auto* copied = static_cast<APaneBook*>(b->Copy());
    ASSERT_EQ(copied->GetPageCount(), 3);
    EXPECT_TRUE(copied->GetPage(3)->IsHidden());
    EXPECT_FALSE(copied->GetPage(2)->IsHidden());
    copied->Dispose();
}

// Selected tab in the book's colour, the others shaded by 6/7, with the
// enclosure's colour beyond the last tab; for top tabs and stacked labels.
TEST_F(PaneBookTest, TabsDrawSelectedAndShaded) {
    for (bool stacked : {false, true}) {
        main->SetBkndColor(RGBgray4);
        APaneBook* b = Book(stacked);
        b->ShowPage(nullptr, nullptr, 2, false);
        main->Draw(nullptr, nullptr);
        const UInt32 face = Rgb(RGBgray12), shade = Rgb(ScaleRGBIntensity(RGBgray12, 6, 7));
        for (SInt32 n = 1; n <= 3; ++n) {
            const KsRect r = b->GetTabRect(b->GetPage(n));
            // A point inside the tab clear of its edges and label text.
            const SInt32 h = stacked ? r.right - 3 : r.left + 3, v = r.bottom - 3;
            EXPECT_EQ(Px(h, v), n == 2 ? face : shade) << "stacked " << stacked << " tab " << n;
        }
        const KsRect last = b->GetTabRect(b->GetPage(3));
        const KsPoint beyond = stacked ? KsPoint{last.left + 3, last.bottom + 8}
                                       : KsPoint{last.right + 8, last.top + 3};
        EXPECT_EQ(Px(beyond.h, beyond.v), Rgb(RGBgray4)) << "stacked " << stacked;
        b->Dispose();
    }
}

using PaneBookControlsTest = PaneTest;

TEST_F(PaneBookControlsTest, ControlsVisibilityReachesEveryToggleKind) {
    APaneBook* b = APaneBook::New(main, 10, S, 300, 10, S, 200, RGBgray12, false, true);
    APane* page = b->NewPage("A", -1, 0, APaneBookPage::kNoSize, APaneBookPage::kNoSize);
    APaneBook* inner = APaneBook::New(page, 4, S, 200, 30, S, 100, RGBgray12, false, true);
    APane* innerPage = inner->NewPage("B", -1, 0, APaneBookPage::kNoSize, APaneBookPage::kNoSize);
    APane* toggles[] = {
        ACheckBoxGad::New(page, "Loop", 4, S, 80, 4, S, 18),
        ACheckBox::New(page, "Mute", 90, S, 80, 4, S, 14),
        ARadioBut::New(innerPage, "Fast", 1, 4, S, 80, 4, S, 14),
    };
    APane* other = APane::New(page, 200, S, 20, 4, S, 20, RGBgray8, 0);
    for (bool on : {false, true}) {
        b->SetControlsVisible(on);
        for (APane* t : toggles)
            EXPECT_EQ(t->GetOwnVisible(), on) << t->ClassName() << " on " << on;
        EXPECT_TRUE(other->GetOwnVisible());
    }
}

constexpr SInt16 kIcon = 700;

class PaneBookPageSettingsTest : public PaneTest {
protected:
    // Pages A, C, B in tab order (their panes were made A, B, C); C has an
    // enable button, B an icon and a hidden tab.
    APaneBook* Book() {
        APaneBook* b = APaneBook::New(main, 10, S, 300, 10, S, 200, RGBgray12, false, true);
        b->NewPage("A", -1, 11, 320, 240);
        b->NewPage("B", -1, 12, APaneBookPage::kNoSize, APaneBookPage::kNoSize);
        b->SetCurPageTabIcon(kIcon);
        b->NewPage("C", 2, 13, APaneBookPage::kNoSize, APaneBookPage::kNoSize);
        b->SetCurPageTabColor({0x1234, 0xABCD, 0x0F0F});
        b->SetCurPageLabelSeparation(6);
        b->AddEnableGad(5, nullptr, nullptr);
        b->GetPage(3)->SetHidden(true);
        return b;
    }
    // Per page: name, refcon, hidden, colour, icon, offset, window size,
    // enable button (-1: none, else its visibility), visible.
    static std::string Summary(APaneBook* b) {
        std::string s;
        for (SInt32 n = 1; n <= b->GetPageCount(); ++n) {
            const APaneBookPage* p = b->GetPage(n);
            char name[32], line[160];
            SInt32 w = 0, h = 0;
            p->GetName(name, sizeof name);
            p->GetWindowContentSize(&w, &h);
            const KsRGBColor& c = p->GetTabColor();
            const APushButton* e = p->GetEnableButton();
            std::snprintf(line, sizeof line, "%s %d %d %04x%04x%04x %d %d %dx%d %d %d;", name,
                          int(p->GetRefCon()), p->IsHidden(), c.red, c.green, c.blue,
                          p->GetTabIcon(), int(p->GetExtraTabOffset()), int(w), int(h),
                          e ? int(e->GetOwnVisible()) : -1, p->IsVisiblePage());
            s += line;
        }
        return s;
    }
    static APane* ThroughStream(APaneBook* b) {
        AMemStream out;
        AObjDoc(out).Write(b);
        AMemStream in(out.GetDataHandle());
        AObjDoc doc(in);
        doc.Read();
        return static_cast<APane*>(doc.TakeObject());
    }
    static APane* ThroughText(const std::string& text) {
        return ReadPaneText(text.data(), long(text.size()), nullptr, nullptr);
    }
};

TEST_F(PaneBookPageSettingsTest, SettingsComeBackThroughStreamTextAndCopy) {
    APaneBook* b = Book();
    const std::string want = "A 11 0 000000000000 -1 0 320x240 -1 1;"
                             "C 13 0 1234abcd0f0f -1 6 -32768x-32768 1 0;"
                             "B 12 1 000000000000 700 0 -32768x-32768 -1 0;";
    ASSERT_EQ(Summary(b), want);
    for (APane* read :
         {ThroughStream(b), ThroughText(WritePaneText(b)), static_cast<APane*>(b->Copy())}) {
        ASSERT_TRUE(read && read->IsInstanceOf("APaneBook"));
        auto* copy = static_cast<APaneBook*>(read);
        EXPECT_EQ(Summary(copy), want);
        // The enable button is its page's again: it sits on that page's tab.
        const APaneBookPage* c = copy->GetPage(2);
        EXPECT_TRUE(c->GetEnableButton() &&
                    copy->GetTabRect(c).Contains(c->GetEnableButton()->GetBounds().TopLeft()));
        copy->Dispose();
    }
}

// Text written before the page keys existed (lines end in returns; the page
// keys end in the page number): every sub-pane that is no gadget becomes a
// page, in sub-pane order, with the page defaults.
TEST_F(PaneBookPageSettingsTest, TextWithoutPageKeysReadsAsBefore) {
    std::istringstream written(WritePaneText(Book()));
    std::string text, line;
    while (std::getline(written, line, '\r'))
        if (!std::regex_search(line, std::regex("^\\t*pb[a-z]+[0-9]+ "))) text += line + '\r';
    APane* read = ThroughText(text);
    ASSERT_TRUE(read && read->IsInstanceOf("APaneBook"));
    EXPECT_EQ(Summary(static_cast<APaneBook*>(read)),
              "A 0 0 000000000000 -1 0 -32768x-32768 -1 1;"
              "B 0 0 000000000000 -1 0 -32768x-32768 -1 0;"
              "C 0 0 000000000000 -1 0 -32768x-32768 -1 0;");
    read->Dispose();
}

// An icon tab is 32 wide and shows its icon where a label would be.
TEST_F(PaneBookPageSettingsTest, IconTabShowsItsIcon) {
    ScratchResFile res;
    res.Add(FourCharCode("ics#"), kIcon, std::vector<UInt8>(64, 0xFF)); // all black
    APaneBook* b = Book();
    b->GetPage(3)->SetHidden(false);
    main->Draw(nullptr, nullptr);
    const KsRect tab = b->GetTabRect(b->GetPage(3)), plain = b->GetTabRect(b->GetPage(1));
    EXPECT_EQ(tab.Width(), 32);
    EXPECT_EQ(Px((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2), 0u);
    EXPECT_NE(Px(plain.right - 3, plain.bottom - 3), 0u);
}

} // namespace
