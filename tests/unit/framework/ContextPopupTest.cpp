// Context menus built level by level up the enclosure chain, chosen by
// scripted clicks.
#include "APane.h"
#include "ApplicationTestSupport.h"
#include "KsHelpFiles.h"
#include "KsHelpLauncher.h"
#include "MenuBarPrivate.h"

namespace {

std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
}

constexpr long kFirstNick = 7001;

SInt16 AddTwo(MenuInfo** menu, EventRecord) {
    gBartender->AppendMenuItem(menu, kFirstNick, "One");
    gBartender->AppendMenuItem(menu, kFirstNick + 1, "Two");
    return 2;
}
SInt16 AddNothing(MenuInfo**, EventRecord) {
    Log().push_back("build adds nothing");
    return 0;
}
bool Handle(MenuInfo**, EventRecord, long nick, short) {
    Log().push_back("handled " + std::to_string(nick));
    return true;
}

// A pane whose own items are counted, so a test sees whether the walk
// reached it.
class OwnItemsPane : public APane {
public:
    SInt16 BuildContextPopup(MenuInfo** menu, EventRecord) override {
        Log().push_back("own items");
        gBartender->AppendMenuItem(menu, kFirstNick + 5, "Own");
        return 1;
    }
};

class ContextPopupTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        Log().clear();
        w = PlainWin("Doc", 100, 100, 200, 150);
        outer = new OwnItemsPane;
        outer->IPane(w->GetMainPane(), 10, kPaneDontCare, 150, 10, kPaneDontCare, 120, RGBgray9, 0);
        inner = APane::New(outer, 10, kPaneDontCare, 60, 10, kPaneDontCare, 60, RGBgray9, 0);
    }
    // A right press at (h, v) global, dragged to item `item` of the menu that
    // opens there and released (0: released outside it).
    void RightClickChoosing(SInt16 item, SInt16 h = 150, SInt16 v = 150) {
        const SInt16 lh = KsMenuLineHeight();
        const SInt16 ih = item ? SInt16(h + 30) : 20;
        const SInt16 iv = item ? SInt16(v + 2 + (item - 1) * lh + lh / 2) : 20;
        const long t = KsGetTicks();
        backend->ScriptPress(t + 1, h, v, KsMouseButton::right);
        backend->ScriptMove(t + 3, ih, iv);
        backend->ScriptRelease(t + 4, ih, iv, KsMouseButton::right);
        while (backend->ScriptPending() > 0 || KsGetTicks() < t + 6)
            app->ProcessEvent(everyEvent);
        FlushEvents(everyEvent, 0);
    }
    AWindow* w = nullptr;
    OwnItemsPane* outer = nullptr;
    APane* inner = nullptr;
};

TEST_F(ContextPopupTest, TheFirstLevelWithItemsOwnsTheMenu) {
    // The inner level adds nothing, so the walk goes on to the outer pane.
    inner->SetBuildContextPopupProc(AddNothing);
    inner->SetHandleContextPopupProc(Handle);
    RightClickChoosing(0);
    EXPECT_EQ(Log(), (std::vector<std::string>{"build adds nothing", "own items"}));

    // A procedure that adds items stops the walk before the pane's own.
    Log().clear();
    outer->SetBuildContextPopupProc(AddTwo);
    outer->SetHandleContextPopupProc(Handle);
    RightClickChoosing(2);
    EXPECT_EQ(Log(), (std::vector<std::string>{"build adds nothing", "handled 7002"}));
}

TEST_F(ContextPopupTest, HelpAddsWhatsThisAndNoItemsNoHelpShowsNothing) {
    StubOpeners openers;
    UseWinHelpFiles("", ":Help:index.htm");
    APane* group =
        APane::New(w->GetMainPane(), 170, kPaneDontCare, 20, 10, kPaneDontCare, 20, RGBgray9, 0);
    APane::New(group, 0, 0, kPaneDontCare, 0, 0, kPaneDontCare, RGBgray9, 0);
    // No level adds items and nobody has help: no menu at all.
    RightClickChoosing(1, 275, 115);
    EXPECT_TRUE(openers.Opened(200).empty());
    // Help on the enclosure: a separator and "What's This?" make the menu,
    // and choosing it opens the nearest help.
    group->SetWinHelpTopic("Group");
    RightClickChoosing(2, 275, 115);
    EXPECT_EQ(openers.Opened(), std::vector<std::string>{KsHelpFolder() + "Group.htm"});
}

} // namespace
