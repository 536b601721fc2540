// Help files by extension, the opener they start, and the help key.
#include "APane.h"
#include "ApplicationTestSupport.h"
#include "KsCapturedOutput.h"
#include "KsFolders.h"
#include "KsHelpFiles.h"
#include "KsHelpLauncher.h"

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

} // namespace
