// Pane books: SetControlsVisible reaches the check boxes and radio buttons
// of both kinds (button gadgets and standard controls), on nested books too,
// and leaves every other pane alone.
#include "AMacToggles.h"
#include "APaneBook.h"
#include "ARadioCheckGads.h"
#include "PaneTestSupport.h"

namespace {

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

} // namespace
