// Pane books: what a page carries beyond its pane (refcon, hidden tab, tab
// colour and icon, tab offset, window size, enable button) comes back through
// the stream and the property text; text without those keys reads as before;
// an icon tab shows its icon.
#include "AMemStream.h"
#include "AObjDoc.h"
#include "APaneBook.h"
#include "APushButton.h"
#include "KsScratchResFile.h"
#include "PaneStream.h"
#include "PaneTestSupport.h"

#include <algorithm>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace {

class PaneBookPageSettingsTest : public PaneTest {
protected:
    // Pages A, C, B in tab order (their panes were made A, B, C), each with
    // settings of its own; C has an enable button, B an icon and is hidden.
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
    static std::string Summary(APaneBook* b) {
        std::ostringstream o;
        for (SInt32 n = 1; n <= b->GetPageCount(); ++n) {
            const APaneBookPage* p = b->GetPage(n);
            char name[32];
            p->GetName(name, sizeof name);
            SInt32 w = 0, h = 0;
            p->GetWindowContentSize(&w, &h);
            const KsRGBColor& c = p->GetTabColor();
            o << name << " ref " << p->GetRefCon() << " hidden " << p->IsHidden() << " colour "
              << c.red << '/' << c.green << '/' << c.blue << " icon " << p->GetTabIcon()
              << " offset " << p->GetExtraTabOffset() << " size " << w << 'x' << h << " enable "
              << (p->GetEnableButton() ? p->GetEnableButton()->GetOwnVisible() : -1) << " visible "
              << p->IsVisiblePage() << "; ";
        }
        return o.str();
    }
    static constexpr SInt16 kIcon = 700;
};

TEST_F(PaneBookPageSettingsTest, SettingsComeBackThroughStreamAndText) {
    APaneBook* b = Book();
    const std::string want = Summary(b);
    ASSERT_NE(want.find("C ref 13 hidden 0 colour 4660/43981/3855 icon -1 offset 6"),
              std::string::npos)
        << want;
    const struct {
        const char* what;
        std::function<APane*(APaneBook*)> roundTrip;
    } ways[] = {
        {"stream",
         [](APaneBook* x) {
             AMemStream out;
             AObjDoc(out).Write(x);
             AMemStream in(out.GetDataHandle());
             AObjDoc doc(in);
             doc.Read();
             return static_cast<APane*>(doc.TakeObject());
         }},
        {"text",
         [](APaneBook* x) {
             const std::string text = WritePaneText(x);
             return ReadPaneText(text.data(), long(text.size()), nullptr, nullptr);
         }},
        {"copy", [](APaneBook* x) { return static_cast<APane*>(x->Copy()); }},
    };
    for (const auto& way : ways) {
        APane* read = way.roundTrip(b);
        ASSERT_TRUE(read && read->IsInstanceOf("APaneBook")) << way.what;
        auto* copy = static_cast<APaneBook*>(read);
        EXPECT_EQ(Summary(copy), want) << way.what;
        // The enable button is the page's again: it sits on that page's tab.
        const APaneBookPage* c = copy->GetPage(2);
        ASSERT_NE(c->GetEnableButton(), nullptr) << way.what;
        EXPECT_TRUE(copy->GetTabRect(c).Contains(c->GetEnableButton()->GetBounds().TopLeft()))
            << way.what;
        copy->Dispose();
    }
}

// Text written before the page keys existed (lines end in returns): every sub-pane that is no
// gadget becomes a page, in sub-pane order, with the page defaults.
TEST_F(PaneBookPageSettingsTest, TextWithoutPageKeysReadsAsBefore) {
    std::istringstream written(WritePaneText(Book()));
    std::string text, line;
    while (std::getline(written, line, '\r')) {
        const std::string key = line.substr(std::min(line.find_first_not_of('\t'), line.size()));
        bool pageKey = false;
        for (const char* k :
             {"pbpg", "pben", "pbref", "pbhide", "pbtabc", "pbicon", "pbsep", "pbwin"})
            pageKey |= key.rfind(k, 0) == 0;
        if (!pageKey) text += line + "\r";
    }
    APane* read = ReadPaneText(text.data(), long(text.size()), nullptr, nullptr);
    ASSERT_TRUE(read && read->IsInstanceOf("APaneBook"));
    auto* b = static_cast<APaneBook*>(read);
    const char* const defaults = " ref 0 hidden 0 colour 0/0/0 icon -1 offset 0 size -32768x-32768 "
                                 "enable -1 visible ";
    EXPECT_EQ(Summary(b),
              std::string("A") + defaults + "1; B" + defaults + "0; C" + defaults + "0; ");
    b->Dispose();
}

// An icon tab is 32 wide and shows its icon where a label would be.
TEST_F(PaneBookPageSettingsTest, IconTabShowsItsIcon) {
    ScratchResFile res;
    res.Add(FourCharCode("ics#"), kIcon, std::vector<UInt8>(64, 0xFF)); // all black
    APaneBook* b = Book();
    b->GetPage(3)->SetHidden(false);
    main->Draw(nullptr, nullptr);
    const KsRect tab = b->GetTabRect(b->GetPage(3));
    EXPECT_EQ(tab.Width(), 32);
    const SInt32 h = (tab.left + tab.right) / 2, v = (tab.top + tab.bottom) / 2;
    EXPECT_EQ(Px(h, v), 0u);
    // The plain tabs beside it keep their face where the icon would be.
    const KsRect plain = b->GetTabRect(b->GetPage(1));
    EXPECT_NE(Px(plain.right - 3, plain.bottom - 3), 0u);
}

} // namespace
