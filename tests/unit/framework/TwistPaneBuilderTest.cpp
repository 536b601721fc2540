// Twist pane builders: each makes its kind of pane in the body, named after
// its label, hidden while a closed body hides its panes and shown on opening.
#include "AMacPopupMenu.h"
#include "ATextEntry.h"
#include "PaneTestSupport.h"
#include "TwistPane.h"

#include <array>
#include <functional>

namespace {

using TwistPaneBuilderTest = PaneTest;
using Build = std::function<APane*(TwistPane*)>;

TEST_F(TwistPaneBuilderTest, EachBuilderMakesItsKindHiddenUntilOpened) {
    const struct {
        const char* label;
        const char* cls;
        Build add;
    } cases[] = {
        {"Menu", "AMacPopupMenu",
         [](TwistPane* t) { return t->AddMacPopupMenuGadStyle("Menu", 20, 20, 80, 16); }},
        {"Name", "ATextEntry",
         [](TwistPane* t) { return t->AddTextEntryGadStyle("Name", 20, 20, 90, 16, 3, 12, 1); }},
        {"Title", "AGadget",
         [](TwistPane* t) { return t->AddLabelGadStyle("Title", 20, 20, 1, 9, 0); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        TwistPane* t = TwistPane::New(main, 4, S, 200, 4, S, 20, RGBgray11, 0);
        t->SetClosedPanesInvisible(true);
        APane* p = c.add(t);
        ASSERT_TRUE(p && p->IsInstanceOf(c.cls));
        EXPECT_EQ(t->FindPaneByID(c.label), p);
        EXPECT_FALSE(p->GetOwnVisible());
        t->OpenClose();
        EXPECT_TRUE(p->GetOwnVisible());
    }
    auto* menu = static_cast<AMacPopupMenu*>(main->FindPaneByID("Menu"));
    EXPECT_EQ(menu->CountItems(), 2);
    SInt16 font = 0, size = 0, face = 0;
    main->FindPaneByID("Name")->GetFontSizeFace(&font, &size, &face);
    EXPECT_EQ((std::array<SInt16, 3>{font, size, face}), (std::array<SInt16, 3>{3, 12, 1}));
}

} // namespace
