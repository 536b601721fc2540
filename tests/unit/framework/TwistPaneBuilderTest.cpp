// Twist pane builders: each makes its kind of pane in the body, named after
// its label, hidden while a closed body hides its panes and shown on opening.
#include "ABasicButtons.h"
#include "AMacPopupMenu.h"
#include "APushButton.h"
#include "ATextEntry.h"
#include "CmdButton.h"
#include "PaneTestSupport.h"
#include "TwistPane.h"

#include <functional>

namespace {

using TwistPaneBuilderTest = PaneTest;

TEST_F(TwistPaneBuilderTest, EachBuilderMakesItsKindHiddenUntilOpened) {
    const struct {
        const char* label;
        const char* cls;
        std::function<APane*(TwistPane*, const char*)> add;
    } cases[] = {
        {"Menu", "AMacPopupMenu",
         [](TwistPane* t, const char* l) { return t->AddMacPopupMenuGadStyle(l, 20, 20, 80, 16); }},
        {"Icon", "AGadget",
         [](TwistPane* t, const char* l) { return t->AddRsrcGadStyle(l, 20, 20, 16, 16, 0, 0); }},
        {"Title", "AGadget",
         [](TwistPane* t, const char* l) { return t->AddLabelGadStyle(l, 20, 20, 1, 9, 0); }},
        {"Name", "ATextEntry",
         [](TwistPane* t, const char* l) {
             return t->AddTextEntryGadStyle(l, 20, 20, 90, 16, 1, 10, 1);
         }},
        {"Push", "APushButton",
         [](TwistPane* t, const char* l) {
             return t->AddButtonGadStyle(l, 20, 20, 40, 16, nullptr);
         }},
        {"Run", "CmdButton",
         [](TwistPane* t, const char* l) { return t->AddCmdButtonStyle(l, 20, 20, 40, 16, 2850); }},
        {"Lamp", "ALED",
         [](TwistPane* t, const char* l) { return t->AddLEDGad(l, 20, 20, 10, RGBenablePurple); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        TwistPane* t = TwistPane::New(main, 4, S, 200, 4, S, 20, RGBgray11, 0);
        t->SetClosedPanesInvisible(true);
        APane* p = c.add(t, c.label);
        ASSERT_NE(p, nullptr);
        EXPECT_TRUE(p->IsInstanceOf(c.cls));
        EXPECT_EQ(p->GetEnclPane(), t);
        EXPECT_EQ(t->FindPaneByID(c.label), p);
        EXPECT_FALSE(p->GetOwnVisible());
        t->OpenClose();
        EXPECT_TRUE(p->GetOwnVisible());
        t->Dispose();
    }
    TwistPane* open = TwistPane::New(main, 4, S, 200, 4, S, 20, RGBgray11, 0);
    ATextEntry* field = open->AddTextEntryGadStyle("Field", 20, 20, 90, 16, 3, 12, 0);
    EXPECT_TRUE(field->GetOwnVisible()); // closed panes stay visible unless asked
    SInt16 font = 0, size = 0, face = 0;
    field->GetFontSizeFace(&font, &size, &face);
    EXPECT_EQ(size, 12);
    EXPECT_EQ(font, 3);
    EXPECT_EQ(open->AddMacPopupMenuGadStyle("Pick", 20, 40, 80, 16)->CountItems(), 2);
}

} // namespace
