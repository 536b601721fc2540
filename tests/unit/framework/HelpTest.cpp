// Help files by extension, the opener they start, and the help key; context
// menus built up the enclosure chain; the tips (mini help) and their delay.
#include "APane.h"
#include "ApplicationTestSupport.h"
#include "KsAppRouting.h"
#include "KsCapturedOutput.h"
#include "KsFolders.h"
#include "KsHelpFiles.h"
#include "KsHelpLauncher.h"
#include "KsWindowShell.h"
#include "MenuBarPrivate.h"
#include "MiniHelp.h"

namespace {

std::string App(const std::string& rest) {
    std::string folder = KsApplicationFolder();
    if (folder.back() != '/') folder += '/';
    return folder + rest;
}

TEST(HelpFiles, PathsFollowTheFolderNotation) {
    struct Case {
        const char* given;
        std::string file;
        KsHelpSystem system;
    } cases[] = {
        {":Help:guide.chm", App("Help/guide.chm"), KsHelpSystem::htmlHelp},
        {"Help:Pages:index.htm", App("Help/Pages/index.htm"), KsHelpSystem::browser},
        {"legacy.hlp", App("legacy.hlp"), KsHelpSystem::winHelp},
        {":Docs:notes.txt", App("Docs/notes.txt"), KsHelpSystem::unknown},
    };
    for (const Case& c : cases) {
        UseWinHelpFiles("name", c.given);
        EXPECT_EQ(GetWinHelpFileName(), c.file) << c.given;
        EXPECT_EQ(KsGetHelpSystem(), c.system) << c.given;
    }
    EXPECT_EQ(KsHelpFolder(), App("Docs/"));
    EXPECT_STREQ(GetWinHelpName(), "name");
    // The whole path is checked, file name included: too long leaves it as it was.
    UseWinHelpFiles("name", (":Docs:" + std::string(1100, 'x') + ".htm").c_str());
    EXPECT_EQ(GetWinHelpFileName(), App("Docs/notes.txt"));
}

// Pages reach the opener as one argument each, whatever they hold.
TEST(HelpFiles, PagesAndAddressesReachTheOpenerAsOneArgument) {
    struct Case {
        std::function<void()> show;
        std::string page;
    } cases[] = {
        {[] { DisplayWinHelp("Quick start; rm -rf \"$HOME\" 'x'", 1); },
         App("Help/Quick start; rm -rf \"$HOME\" 'x'.htm")},
        {[] { DisplayWinHelp(42L, 2); }, App("Help/42.htm")},
        {[] { DisplayWinHelpContents(); }, App("Help/index.htm")},
        {[] { OpenShortcutsHelpFile(); }, App("Help/short.htm")},
        {[] { JumpToWebSite("https://example.org/a b?c=1&d=`x`", 0); },
         "https://example.org/a b?c=1&d=`x`"},
    };
    for (const Case& c : cases) {
        StubOpeners openers;
        UseWinHelpFiles("", ":Help:index.htm");
        c.show();
        EXPECT_EQ(openers.Opened(), std::vector<std::string>{c.page});
    }
}

TEST(HelpFiles, WhatCannotBeShownIsReported) {
    StRecordedDialogs dialogs;
    {
        StubOpeners openers; // no viewer registered for compiled help
        UseWinHelpFiles("", ":Help:guide.chm");
        DisplayWinHelp("topic", 1);
        UseWinHelpFiles("", ":Help:old.hlp");
        OpenWinHelpFile();
    }
    EXPECT_EQ(StRecordedDialogs::Texts(),
              (std::vector<std::string>{"Unable to find help file: " + App("Help/guide.chm"),
                                        "Unable to find help file: " + App("Help/old.hlp")}));
    {
        StubOpeners openers;
        openers.Printer("xdg-mime", "chm-viewer.desktop");
        UseWinHelpFiles("", ":Help:guide.chm");
        DisplayWinHelp(7L, 1);
        EXPECT_EQ(openers.Opened(), std::vector<std::string>{App("Help/guide.chm")});
    }
    StCaptureOutput out(KsOutputChannel::debug);
    UseWinHelpFiles("", ":Help:guide.pdf");
    DisplayWinHelpContents();
    EXPECT_NE(out.text.find("Unknown help system 0\n"), std::string::npos);
    EXPECT_EQ(StRecordedDialogs::Texts().size(), 2u);
    EXPECT_FALSE(GotoURL(nullptr, 0));
}

class HelpKeyTest : public AppTest {};

// The pane under the mouse, then its enclosures, then the window, then the
// contents.
TEST_F(HelpKeyTest, HelpKeyAsksThePaneChainThenShowsTheContents) {
    RecWindow* w = Win("Doc", 40, 60);
    SetPortWindowPort(w->GetWindowPtr());
    APane* group =
        APane::New(w->GetMainPane(), 10, kPaneDontCare, 100, 10, kPaneDontCare, 100, RGBgray9, 0);
    APane* inner = APane::New(group, 10, kPaneDontCare, 40, 10, kPaneDontCare, 40, RGBgray9, 0);
    struct Case {
        const char* groupTopic;
        SInt16 h, v; // global
        UInt16 mods;
        const char* page;
    } cases[] = {
        {"Group", 65, 75, 0, "Help/Group.htm"},          // inner has no topic: its enclosure
        {nullptr, 65, 75, 0, "Help/index.htm"},          // nobody has a topic: the contents
        {"Group", 65, 75, controlKey, "Help/index.htm"}, // control: contents, tip at once
        {"Group", 700, 500, 0, "Help/index.htm"},        // no window under the mouse
    };
    for (const Case& c : cases) {
        group->SetWinHelpTopic(c.groupTopic);
        StubOpeners openers;
        UseWinHelpFiles("", ":Help:index.htm");
        EventRecord e = Ev(keyDown, 0, c.h, c.v, c.mods);
        EXPECT_TRUE(app->HandleStdKeyDown(&e, 0, kKsKeyF1));
        EXPECT_EQ(openers.Opened(), std::vector<std::string>{App(c.page)}) << c.h << " " << c.mods;
    }
    EXPECT_FALSE(PaneDow::DoHelpOf(nullptr, false));
    inner->SetWinHelpNum(-3);
    EXPECT_TRUE(inner->GetHasHelp(false)) << "negative numbers count";
    EXPECT_FALSE(inner->GetHasHelp(true));
}

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

class MiniHelpTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        doc = PlainWin("Doc", 100, 100, 300, 480);
        // Global (120, 130) to (200, 150); a second one near the bottom.
        save = APane::New(doc->GetMainPane(), 20, kPaneDontCare, 80, 30, kPaneDontCare, 20,
                          RGBgray9, 0);
        save->SetHelpText("Save...");
        low = APane::New(doc->GetMainPane(), 20, kPaneDontCare, 80, 455, kPaneDontCare, 20,
                         RGBgray9, 0);
        low->SetHelpText("Low");
    }
    void TearDown() override {
        if (MiniHelpWindow* tip = MiniHelpWindow::Get()) tip->Dispose();
        AppTest::TearDown();
    }
    void Idle(SInt16 h, SInt16 v, long thenWait = 0) {
        KsRouteNullEvent(app, Point{v, h});
        if (thenWait) KsAdvanceVirtualClock(thenWait);
    }
    MiniHelpWindow* Tip() const { return MiniHelpWindow::Get(); }
    bool Shown() const { return Tip() && Tip()->IsVisible(); }
    std::string TipText() const {
        char text[300] = {};
        Tip()->GetTextPane()->GetText(text, sizeof text);
        return text;
    }

    AWindow* doc = nullptr;
    APane* save = nullptr;
    APane* low = nullptr;
};

TEST_F(MiniHelpTest, ShowsAfterTheDelayBelowTheCursorAndHidesWhenLeft) {
    // The first tip after start-up counts as following a hidden one.
    Idle(150, 140, 6);
    ASSERT_NE(Tip(), nullptr);
    EXPECT_EQ(Tip()->GetDelay(), 6);
    EXPECT_EQ(TipText(), "Save") << "a trailing \"...\" is not shown";
    Idle(150, 140, 1);
    EXPECT_FALSE(Shown());
    Idle(150, 140);
    ASSERT_TRUE(Shown());
    EXPECT_EQ(GetWindowObj(KsGetActiveWindow()), doc) << "the tip never takes the activation";
    const KsRect r = Tip()->GetWindowRect(kKsNoScreen);
    EXPECT_EQ(r.top, 140 + 24) << "pushed below the cursor";
    EXPECT_EQ(r.bottom, r.top + 15);
    EXPECT_NEAR((r.left + r.right) / 2, 160, 1) << "centred on the pane";

    Idle(10, 400, 5);
    EXPECT_FALSE(Shown());
    EXPECT_EQ(Tip()->GetHoverRect(), KsRect{});
    Idle(150, 140);
    EXPECT_EQ(Tip()->GetDelay(), 6) << "back within 20 ticks of the hide";
    Idle(10, 400, 30);
    Idle(150, 140, 40);
    EXPECT_EQ(Tip()->GetDelay(), 40);
    const UInt32 requested = Tip()->GetRequestTime();
    Idle(150, 140, 1);
    EXPECT_FALSE(Shown()) << "40 ticks are not yet past the delay";
    EXPECT_EQ(Tip()->GetRequestTime(), requested) << "the same area is not a new request";
    Idle(150, 140);
    EXPECT_TRUE(Shown());
}

TEST_F(MiniHelpTest, NearTheBottomTheTipGoesAboveTheCursor) {
    Idle(150, 560, 7);
    Idle(150, 560);
    ASSERT_TRUE(Shown());
    EXPECT_EQ(Tip()->GetWindowRect(kKsNoScreen).bottom, 560 - 14);
}

// A tip that would leave the desktop at either side is moved back onto it.
TEST_F(MiniHelpTest, TheTipStaysOnTheDesktopAtTheSides) {
    SetPortWindowPort(doc->GetWindowPtr());
    APane* left =
        APane::New(doc->GetMainPane(), 0, kPaneDontCare, 6, 200, kPaneDontCare, 20, RGBgray9, 0);
    left->SetHelpText("A tip wider than its pane");
    MoveWindow(doc->GetWindowPtr(), 0, 100, false);
    Idle(2, 310, 7);
    Idle(2, 310);
    ASSERT_TRUE(Shown());
    EXPECT_EQ(Tip()->GetWindowRect(kKsNoScreen).left, 2);
    HideMiniHelp(false);
    MoveWindow(doc->GetWindowPtr(), 800 - 6, 100, false);
    Idle(797, 310, 30);
    Idle(797, 310, 41);
    Idle(797, 310);
    ASSERT_TRUE(Shown());
    EXPECT_EQ(Tip()->GetWindowRect(kKsNoScreen).right, 800 - 2);
}

TEST_F(MiniHelpTest, ShowingAtOnceAClickAndModalWindows) {
    Idle(150, 140);
    DisplayMiniHelpNow();
    Idle(150, 140, 1);
    Idle(150, 140);
    ASSERT_TRUE(Shown()) << "no delay after DisplayMiniHelpNow";
    EventRecord click = Ev(mouseDown, 0, 150, 140);
    doc->SendMsg(wmClick, &click, 0, 0);
    EXPECT_FALSE(Shown()) << "a click hides the tip";
    EXPECT_EQ(Tip()->GetLastHideTime(), 0u) << "a tip shown at once leaves no hide time";

    char text[] = "Open...";
    DisplayMiniHelp(text, low);
    EXPECT_STREQ(text, "Open...") << "the caller's text is left alone";
    doc->SetIsModal(true);
    const UInt32 before = Tip()->GetRequestTime();
    DisplayMiniHelp("Modal", save);
    EXPECT_EQ(Tip()->GetRequestTime(), before) << "no tips while a modal window is active";
    doc->SetIsModal(false);
}

TEST(MiniHelpDelay, MillisecondsAndTicks) {
    const long was = GetMiniHelpDelay();
    EXPECT_EQ(was, 666);
    for (auto [ms, back] : {std::pair{1000L, 1000L}, {100L, 100L}, {10L, 0L}, {-5L, 0L}}) {
        SetMiniHelpDelay(ms);
        EXPECT_EQ(GetMiniHelpDelay(), back) << ms;
    }
    SetMiniHelpDelay(667); // 40 ticks again
}

} // namespace
