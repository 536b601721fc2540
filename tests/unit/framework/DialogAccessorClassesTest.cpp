// Every typed accessor of DialogWindow on a pane of every control class:
// the classes an accessor serves take and give back the value; every other
// class reports the accessor's wrong-class message (or, for the accessors
// without one, is left alone); the text list's accessors and keys.
#include "AMacPopupMenu.h"
#include "AMacToggles.h"
#include "ARadixIntEntry.h"
#include "ASlider.h"
#include "ATextListPane.h"
#include "DialogTestSupport.h"
#include "KsDrawUtils.h"
#include "MacText.h"
#include "Stx.h"

#include <cmath>
#include <functional>
#include <set>

namespace {

using Ids = std::set<std::string>;
const Ids kEntries = {"Text", "Int", "Radix", "Float", "TC", "EC"};
const Ids kGadgets = {"Gadget", "Button",   "CheckGad", "RadioGad", "PopupGad",
                      "Slider", "MacCheck", "MacRadio", "MacPopup"};
Ids Join(Ids a, const Ids& b) {
    a.insert(b.begin(), b.end());
    return a;
}

struct AccessorCase {
    const char* name;
    Ids serves;
    std::vector<std::string> wrong; // the messages a pane of another class reports
    // Runs the accessor; `served` says whether the pane's class is served.
    std::function<void(DialogWindow*, const char* id, bool served)> run;
};

class DialogAccessorClassesTest : public DialogTest {
protected:
    // One pane of every class, each in its own place.
    void BuildEveryClass() {
        MakeDialog(0);
        APane* main = dlg->GetMainPane();
        SInt16 top = 4;
        auto next = [&top] { return SInt16(top += 22); };
        dlg->AddPane("Plain", 10, S, 40, next(), S, 20);
        dlg->AddGadget("Gadget", "G", 10, S, 40, next(), S, 20);
        dlg->AddButton("Button", "B", 10, S, 70, next(), S, 20);
        dlg->AddCheckBox("CheckGad", "C", 10, S, 80, next(), S, 18);
        dlg->AddRadioButton("RadioGad", "R", 10, S, 80, next(), S, 18);
        auto* pop = dlg->AddPopupMenu("PopupGad", "P", 10, S, 100, next(), S, 20);
        pop->MakePopupMenu("P");
        for (const char* item : {"One", "Two", "Three"})
            pop->AppendPopupMenuItem(item, 0, 0);
        dlg->AddTextListPane("List", 10, S, 100, next(), S, 60);
        top += 40;
        for (const char* e : {"a", "b", "c"})
            dlg->AddTextListItem("List", e, false);
        dlg->AddTextEntry("Text", "text", 200, S, 100, (top = 4) + 22, S, 18);
        dlg->AddIntEntry("Int", "I", 200, S, 100, next(), S, 18, 0);
        ARadixIntEntry::New(main, 200, S, 100, next(), S, 18, 0, 16)->SetPaneID("Radix");
        dlg->AddFloatEntry("Float", "F", 200, S, 100, next(), S, 18, 0.0);
        dlg->AddTCEntry("TC", "T", 200, S, 100, next(), S, 18);
        dlg->AddECEntry("EC", "E", 200, S, 100, next(), S, 18);
        ASlider::New(main, 200, S, 100, next(), S, 12, 0, 0, 10)->SetPaneID("Slider");
        dlg->AddMacCheckBox("MacCheck", "MC", 200, S, 100, next(), S, 18);
        dlg->AddMacRadioButton("MacRadio", "MR", 200, S, 100, next(), S, 18);
        dlg->AddOSPopupMenu("MacPopup", "MP", 200, S, 120, next(), S, 20);
        dlg->AppendItemsToPopup("MacPopup", "x", "y", "z", nullptr);
    }
    static constexpr const char* kAll[] = {"Plain",    "Gadget",  "Button", "CheckGad", "RadioGad",
                                           "PopupGad", "List",    "Text",   "Int",      "Radix",
                                           "Float",    "TC",      "EC",     "Slider",   "MacCheck",
                                           "MacRadio", "MacPopup"};
};

TEST_F(DialogAccessorClassesTest, EveryAccessorOnEveryClass) {
    BuildEveryClass();
    const Ids popups = {"Button", "CheckGad", "RadioGad", "PopupGad"};
    const AccessorCase cases[] = {
        {"long",
         Join(popups, {"Int", "Radix", "Slider", "MacPopup", "EC", "TC", "List"}),
         {"SetLongVal called on wrong class", "GetLongVal called on wrong class"},
         [](DialogWindow* d, const char* id, bool served) {
             d->SetLongVal(id, 2);
             EXPECT_EQ(d->GetLongVal(id), served ? 2 : 0);
         }},
        {"float",
         {"Float", "Int", "Radix", "Slider"},
         {"SetFloatVal called on wrong class", "GetFloatVal called on wrong class"},
         [](DialogWindow* d, const char* id, bool served) {
             d->SetFloatVal(id, 3.5);
             const bool whole = std::string(id) == "Int" || std::string(id) == "Radix";
             EXPECT_DOUBLE_EQ(d->GetFloatVal(id), !served ? 0.0 : whole ? 3.0 : 3.5);
         }},
        {"limits",
         {"Float", "Int", "Radix", "Slider"},
         {"SetLimits called on wrong class"},
         [](DialogWindow* d, const char* id, bool served) {
             d->SetLimits(id, 0, 5, false, false);
             if (!served) return;
             // Past the new maximum: held at it.
             d->SetFloatVal(id, 9);
             EXPECT_DOUBLE_EQ(d->GetFloatVal(id), 5.0);
         }},
        {"bool",
         {"CheckGad", "RadioGad", "MacCheck", "MacRadio"},
         {"SetBoolVal called on wrong class", "GetBoolVal called on wrong class"},
         [](DialogWindow* d, const char* id, bool served) {
             d->SetBoolVal(id, true);
             EXPECT_EQ(d->GetBoolVal(id), served);
         }},
        {"timecode",
         {"TC"},
         {"SetTCIs24FPS called on wrong class", "SetTCVal called on wrong class",
          "GetTCVal called on wrong class"},
         [](DialogWindow* d, const char* id, bool served) {
             d->SetTCIs24FPS(id, false);
             d->SetTCVal(id, TCMake(kTCRate30, 95));
             const timecode_t tc = d->GetTCVal(id);
             if (served) {
                 EXPECT_EQ(tc.frames, 95);
             }
         }},
        {"edge code",
         {"EC"},
         {"SetECVal called on wrong class", "GetECVal called on wrong class"},
         [](DialogWindow* d, const char* id, bool served) {
             d->SetLongVal("EC", 40); // a known value to copy
             const edgecode_t ec = d->GetECVal("EC");
             d->SetLongVal("EC", 0);
             d->SetECVal(id, ec);
             d->GetECVal(id);
             if (served) {
                 EXPECT_EQ(d->GetLongVal(id), 40);
             }
         }},
        {"reference",
         kGadgets,
         {"SetRefVal called on wrong class", "GetRefVal called on wrong class"},
         [](DialogWindow* d, const char* id, bool served) {
             d->SetRefVal(id, 7);
             EXPECT_EQ(d->GetRefVal(id), served ? 7 : 0);
         }},
        {"enabled",
         Join(kGadgets, kEntries),
         {"SetPaneEnabled called on wrong class", "IsPaneEnabled called on wrong class"},
         [](DialogWindow* d, const char* id, bool served) {
             d->SetPaneEnabled(id, false);
             EXPECT_FALSE(d->IsPaneEnabled(id));
             if (!served) return;
             d->SetPaneEnabled(id, true);
             EXPECT_TRUE(d->IsPaneEnabled(id));
         }},
        {"active",
         kEntries,
         {"SetPaneActive called on wrong class"},
         [](DialogWindow* d, const char* id, bool served) {
             d->SetPaneActive(id, true);
             EXPECT_EQ(d->IsPaneActive(id), served);
             if (!served) return;
             d->SetPaneActive(id, false);
             EXPECT_FALSE(d->IsPaneActive(id));
         }},
        {"text list",
         {"List"},
         {"AddTextListItem called on wrong class", "SelectTextListItem called on wrong class",
          "GetTextListInfo called on wrong class", "GetTextListValue called on wrong class"},
         [](DialogWindow* d, const char* id, bool served) {
             d->AddTextListItem(id, "d", false);
             d->SelectTextListItem(id, 4, true);
             long count = -1, selected = -1;
             d->GetTextListInfo(id, &count, &selected);
             char buf[8];
             d->GetTextListValue(id, 4, buf, sizeof buf);
             EXPECT_EQ(count, served ? 4 : 0);
             EXPECT_EQ(selected, served ? 4 : 0);
             EXPECT_STREQ(buf, served ? "d" : "");
         }},
        {"pop-up menu",
         {"PopupGad"},
         {"SetMenuItemFromText called on wrong class", "GetMenuItemFromText called on wrong class",
          "EnablePopupItem called on wrong class", "SetMenuHandle called on wrong class",
          "SetVolumeMenuID called on wrong class"},
         [](DialogWindow* d, const char* id, bool served) {
             EXPECT_EQ(d->SetMenuItemFromText(id, "Three"), served ? 3 : 0);
             EXPECT_EQ(d->GetMenuItemFromText(id, "Two"), served ? 2 : 0);
             d->EnablePopupItem(id, 2, false);
             // No menu, then the menu of no drives, which turns the gadget off.
             d->SetMenuHandle(id, nullptr);
             d->SetVolumeMenuID(id, -1);
             if (served) {
                 EXPECT_FALSE(d->IsPaneEnabled(id));
                 EXPECT_EQ(d->GetMenuItemFromText(id, stx("No Drives Available//Volume menu")), 1);
                 d->SetPaneEnabled(id, true);
             }
         }},
        {"procedures",
         kGadgets,
         {"SetUpClickProc only works with AGadgets for now",
          "SetDownClickProc only works with AGadgets for now",
          "SetDawdleProc only works with AGadgets for now"},
         [](DialogWindow* d, const char* id, bool) {
             d->SetUpClickProc(id, nullptr);
             d->SetDownClickProc(id, nullptr);
             d->SetDawdleProc(id, nullptr);
         }},
        {"menu handle",
         {"PopupGad", "MacPopup", "Button", "CheckGad", "RadioGad"},
         {},
         [](DialogWindow* d, const char* id, bool) {
             const std::string s = id;
             EXPECT_EQ(d->GetMenuHandleOnly(id) != nullptr, s == "PopupGad" || s == "MacPopup");
         }},
        {"text",
         {},
         {},
         [](DialogWindow* d, const char* id, bool) {
             const std::string s = id;
             // The check and radio gadgets report, as below.
             if (s == "CheckGad" || s == "RadioGad" || !d->FindPaneByID(id)) return;
             d->SetTextVal(id, "Label");
             char buf[32] = "?";
             d->GetTextVal(id, buf, sizeof buf);
             // Fields and pop-up gadgets show the text as their label, lists
             // add an entry; every other pane shows it.
             if ((kEntries.count(s) && s != "Text") || s == "PopupGad") {
                 EXPECT_TRUE(d->FindPaneByID(id)->GetLabel()->Equals("Label"));
             } else if (s != "List") {
                 EXPECT_STREQ(buf, "Label");
             }
         }},
    };
    for (const AccessorCase& c : cases) {
        for (const char* id : kAll) {
            SCOPED_TRACE(std::string(c.name) + " on " + id);
            const bool served = c.serves.count(id) != 0;
            FatalMessages().clear();
            c.run(dlg, id, served);
            EXPECT_EQ(FatalMessages(), served ? std::vector<std::string>{} : c.wrong);
        }
        // A missing pane is no error.
        FatalMessages().clear();
        c.run(dlg, "Missing", false);
        EXPECT_TRUE(FatalMessages().empty()) << c.name;
    }
    // The radio and check gadgets cannot give their label back.
    char buf[8];
    dlg->GetTextVal("CheckGad", buf, sizeof buf);
    EXPECT_EQ(FatalMessages().back(), "APane::GetLabelText(buf, buflen) not supported yet");
}

// A radio group of standard radio buttons answers by their numbers.
TEST_F(DialogAccessorClassesTest, RadioGroupsOfStandardButtons) {
    MakeDialog(1);
    dlg->AddPane("Group", 10, S, 120, 10, S, 60);
    for (const char* title : {"Fit", "Fill", "Stretch"})
        dlg->AddMacRadioButton(title, title, 0, S, 100, S, S, 18, "Group");
    EXPECT_EQ(dlg->GetRBgroupVal("Group"), 0);
    for (long v : {2L, 3L, 1L}) {
        dlg->SetRBgroupVal("Group", v);
        EXPECT_EQ(dlg->GetRBgroupVal("Group"), v);
        EXPECT_EQ(dlg->GetBoolVal("Fill"), v == 2);
    }
    dlg->SetRBgroupVal("Group", 9); // no such button: nothing changes
    EXPECT_EQ(dlg->GetRBgroupVal("Group"), 1);
}

// Pages of pane books are found by their IDs, for building into and showing.
TEST_F(DialogAccessorClassesTest, PaneBookPagesAndBuildersByID) {
    MakeDialog(1);
    dlg->AddPaneBook("Book", 10, S, 200, 10, S, 120);
    ASSERT_NE(dlg->AddPaneBookPage("Video", "Video", "Book"), nullptr);
    ASSERT_NE(dlg->AddPaneBookPage("Audio", "Audio", "Book"), nullptr);
    APane* mute = dlg->AddMacCheckBox("Mute", "Mute", 10, S, 100, 10, S, 18, "Audio");
    EXPECT_NE(dlg->GetEnclPane("Audio"), dlg->GetMainPane());
    EXPECT_EQ(mute->GetEnclPane(), dlg->GetEnclPane("Audio"));
    dlg->ShowPaneBookPage("Book", "Audio");
    EXPECT_EQ(dlg->ShownPaneBookPage("Book"), 2);
    dlg->ShowPaneBookPage("Book", "Video");
    EXPECT_EQ(dlg->ShownPaneBookPage("Book"), 1);
    dlg->SetBoolVal("Mute", true);
    EXPECT_TRUE(dlg->GetBoolVal("Mute"));

    // The other builders: grouping panes, menus, captions of toggles only.
    EXPECT_EQ(dlg->AddPlateauPane("Up", 220, S, 60, 10, S, 40)->GetBorderStyle(), kBorderRaised2);
    EXPECT_EQ(dlg->AddValleyPane("Down", 220, S, 60, 60, S, 40)->GetBorderStyle(),
              kBorderRaised2 + 1);
    EXPECT_NE(dlg->AddButtonPopupMenu("Menu", "More", 220, S, 60, 110, S, 20)->GetMenuHandleOnly(),
              nullptr);
    EXPECT_FALSE(dlg->AddVolumeMenu("Vol", "Drive", -1, 220, S, 90, 140, S, 20)->GetEnabled());
    EXPECT_NE(dlg->AddCaption("Cap", "Mutes every track", 10, S, 150, 40, S, 30, "Audio", "Mute"),
              nullptr);
    EXPECT_TRUE(FatalMessages().empty());
    EXPECT_EQ(dlg->AddCaption("Bad", "x", 10, S, 50, 80, S, 20, nullptr, "Menu"), nullptr);
    EXPECT_EQ(FatalMessages(), std::vector<std::string>{
                                   "AddCaption: associating caption with AGadget of wrong type"});
}

// A disabled text entry is display-only and lighter than its enclosure.
TEST_F(DialogAccessorClassesTest, ADisabledEntryIsDisplayOnlyAndLighter) {
    MakeDialog(1);
    APane* e = dlg->AddIntEntry("Int", nullptr, 10, S, 80, 10, S, 18, 5);
    dlg->SetPaneEnabled("Int", false);
    EXPECT_TRUE(e->GetDisplayOnly());
    const KsRGBColor encl = dlg->GetMainPane()->GetBkndColor();
    EXPECT_GT(e->GetBkndColor().red, encl.red);
    dlg->SetPaneEnabled("Int", true);
    EXPECT_FALSE(e->GetDisplayOnly());
    EXPECT_EQ(e->GetBkndColor().red, encl.red);
}

class TextListTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        MakeDialog(1);
        dlg->AddPane("Plain", 10, S, 40, 140, S, 20);
        list = static_cast<ATextListPane*>(dlg->AddTextListPane("List", 10, S, 200, 10, S, 60));
        for (const char* name : {"Alpha", "Beta", "Bravo", "Charlie", "Delta", "Echo", "Foxtrot"})
            dlg->AddTextListItem("List", name, false);
    }
    long Selected() {
        long count = 0, selected = 0;
        dlg->GetTextListInfo("List", &count, &selected);
        EXPECT_EQ(count, 7);
        return selected;
    }
    ATextListPane* list = nullptr;
};

TEST_F(TextListTest, AccessorsSelectReadAndReportOtherClasses) {
    EXPECT_EQ(Selected(), 0);
    dlg->SelectTextListItem("List", 3, true);
    EXPECT_EQ(dlg->GetLongVal("List"), 3);
    char buf[4];
    dlg->GetTextListValue("List", 3, buf, sizeof buf);
    EXPECT_STREQ(buf, "Bra");
    dlg->GetTextListValue("List", 99, buf, sizeof buf);
    EXPECT_STREQ(buf, "");
    dlg->SetLongVal("List", 0);
    EXPECT_EQ(Selected(), 0);
    dlg->SetLongVal("List", 5);
    EXPECT_EQ(Selected(), 5);

    long count = -1, selected = -1;
    dlg->GetTextListInfo("Plain", &count, &selected);
    dlg->AddTextListItem("Plain", "x", true);
    dlg->SelectTextListItem("Plain", 1, true);
    dlg->GetTextListValue("Plain", 1, buf, sizeof buf);
    EXPECT_EQ(FatalMessages(),
              (std::vector<std::string>{"GetTextListInfo called on wrong class",
                                        "AddTextListItem called on wrong class",
                                        "SelectTextListItem called on wrong class",
                                        "GetTextListValue called on wrong class"}));
    EXPECT_EQ(count, 0);
    EXPECT_EQ(selected, 0);
}

TEST_F(TextListTest, KeysMoveTheSelectionAndTypingFindsEntries) {
    struct Step {
        long charCode;
        SInt16 keyCode;
        long pauseTicks;
        long selected;
    } steps[] = {
        {0, ATextListPane::kKeyDown, 0, 1},
        {0, ATextListPane::kKeyDown, 0, 2},
        {0, ATextListPane::kKeyUp, 0, 1},
        {'b', 0, 100, 2},
        {'r', 0, 5, 3},
        {'D', 0, 100, 5},
        {'f', 0, 100, 7},
        {0, ATextListPane::kKeyDown, 0, 7},
        {'z', 0, 100, 7},
    };
    int i = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(i++);
        KsAdvanceVirtualClock(s.pauseTicks);
        EXPECT_TRUE(list->DoKeyDown(SInt16(s.charCode), s.keyCode, nullptr, nullptr));
        EXPECT_EQ(Selected(), s.selected);
        // The selection stays in view.
        SInt32 pos = 0;
        list->GetYinfo(&pos, nullptr, nullptr);
        const SInt32 top = (s.selected - 1) * list->GetLineHeight();
        EXPECT_LE(pos, top);
        EXPECT_GE(pos + list->GetInterior().Height(), top + list->GetLineHeight());
    }
}

} // namespace
