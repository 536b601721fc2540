// Pane books: what a page carries beyond its pane (refcon, hidden tab, tab
// colour and icon, tab offset, window size, enable button) comes back through
// the stream, the property text and Copy; text without those keys reads as
// before; an icon tab shows its icon.
#include "AMemStream.h"
#include "AObjDoc.h"
#include "APaneBook.h"
#include "APushButton.h"
#include "KsScratchResFile.h"
#include "PaneStream.h"
#include "PaneTestSupport.h"

#include <cstdio>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

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
