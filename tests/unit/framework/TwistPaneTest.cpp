// Twist panes: heights, the moves of siblings and enclosures, nested three
// deep and toggled in every order, the 16-bit stored height, and the
// builders' panes, hidden until the body opens.
#include "TwistPane.h"
#include "AMacPopupMenu.h"
#include "AScrollablePane.h"
#include "ATextEntry.h"
#include "CoreAttrList.h"
#include "PaneTestSupport.h"

#include <algorithm>
#include <array>
#include <functional>

namespace {

constexpr SInt16 kClosed = 20;
constexpr SInt32 kDelta = TwistPane::kDefaultHeiDelta;

class TwistPaneNesting : public PaneTest {
protected:
    // Three twist panes, each the next one's enclosure, each with a sibling
    // 15 pixels below it that hangs from the top.
    void Build() {
        APane* encl = main;
        for (int k = 0; k < 3; ++k) {
            twists[k] = TwistPane::New(encl, 5, S, 300, 25, S, kClosed, RGBgray12, 0);
            siblings[k] = Add(encl, 5, S, 300, 25 + kClosed + 15, S, 10);
            encl = twists[k];
        }
    }
    // Heights and sibling places as the open states say: a closed pane is
    // kClosed high whatever its body holds; an open one adds its delta and
    // what its open inner pane added.
    void ExpectConsistent(const char* when) {
        SInt32 grown = 0;
        for (int k = 2; k >= 0; --k) {
            const bool open = twists[k]->GetIsOpen();
            const SInt32 height = open ? kClosed + kDelta + grown : kClosed;
            EXPECT_EQ(twists[k]->GetHeight(), height) << when << " pane " << k;
            const KsRect t = twists[k]->GetBounds();
            EXPECT_EQ(siblings[k]->GetBounds().top, t.top + height + 15)
                << when << " sibling " << k;
            grown = height - kClosed;
        }
    }
    std::array<TwistPane*, 3> twists{};
    std::array<APane*, 3> siblings{};
};

// Every order of opening the three, then every order of closing them: the
// layout follows the open states after each toggle, and ends as it began.
TEST_F(TwistPaneNesting, ThreeDeepInEveryOrder) {
    Build();
    std::array<int, 3> opens{0, 1, 2};
    do {
        std::array<int, 3> closes{0, 1, 2};
        do {
            for (int k : opens) {
                twists[size_t(k)]->OpenClose();
                ExpectConsistent("opening");
            }
            for (int k : closes) {
                twists[size_t(k)]->OpenClose();
                ExpectConsistent("closing");
            }
            if (HasFailure()) return;
        } while (std::next_permutation(closes.begin(), closes.end()));
    } while (std::next_permutation(opens.begin(), opens.end()));
    for (TwistPane* t : twists)
        EXPECT_EQ(t->GetOtherHei(), kClosed + kDelta);
}

TEST_F(TwistPaneNesting, SiblingsEnclosuresAndClicks) {
    TwistPane* t = TwistPane::New(main, 5, S, 200, 10, S, kClosed, RGBgray12, 0);
    APane* fixedBottom = Add(main, 5, S, 200, S, 20, 10);
    APane* beside = Add(main, 250, S, 50, 40, S, 10);
    const KsRect bottomWas = fixedBottom->GetBounds(), besideWas = beside->GetBounds();
    t->OpenClose();
    EXPECT_EQ(fixedBottom->GetBounds(), bottomWas);
    EXPECT_EQ(beside->GetBounds(), besideWas);

    // Inside a scrolling pane only the scroll limits follow.
    AScrollablePane* sp = AScrollablePane::New(main, 5, S, 200, 60, S, 100, RGBgray11, 0);
    TwistPane* inner = TwistPane::New(sp, 0, S, 180, 90, S, kClosed, RGBgray12, 0);
    SInt32 maxBefore = 0, maxAfter = 0;
    sp->SetLimitsFromSubpanes();
    sp->GetYScrollInfo(nullptr, &maxBefore, nullptr);
    inner->OpenClose();
    sp->GetYScrollInfo(nullptr, &maxAfter, nullptr);
    EXPECT_EQ(sp->GetHeight(), 100);
    EXPECT_GT(maxAfter, maxBefore);

    // A pane that cannot be opened ignores its twister.
    t->SetOpenable(false);
    const KsRect tw = t->GetTwisterRect();
    t->DoClick({tw.left + 4, tw.top + 4}, 0, 0, nullptr);
    EXPECT_TRUE(t->GetIsOpen());
    t->SetOpenable(true);
    t->DoClick({tw.left + 4, tw.top + 4}, 0, 0, nullptr);
    EXPECT_FALSE(t->GetIsOpen());
}

// The stored height is 16 bits: larger ones are held at the largest rather
// than wrapped into a negative height.
TEST_F(TwistPaneNesting, StoredHeightIsClamped) {
    TwistPane* tall = TwistPane::New(main, 0, S, 100, 0, S, 32750, RGBgray12, 0);
    EXPECT_EQ(tall->GetOtherHei(), 32767);
    CoreAttrList props;
    props.SetSInt32("twOthHei", 70000);
    tall->GetPropsFromList(&props);
    EXPECT_EQ(tall->GetOtherHei(), 32767);
    tall->OpenClose();
    EXPECT_EQ(tall->GetHeight(), 32767);
}

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
