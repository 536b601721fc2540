// The standard controls (check box, radio button, pop-up menu): clicks and
// keys scripted on the headless back end and served by the event loop, and
// both persistence formats.
#include "AMacPopupMenu.h"
#include "AMacToggles.h"
#include "GadgetTestSupport.h"
#include "KsPersistRoundTrip.h"
#include "MenuBarPrivate.h"

#include <functional>

namespace {

constexpr UInt8 kSpace = 0x31, kDown = 0x7D, kUp = 0x7E;

class StandardControlsTest : public GadgetTest {
protected:
    AMacPopupMenu* Popup(SInt16 top) {
        auto* p = AMacPopupMenu::New(main, "Rate:", 20, S, 160, top, S, 20);
        for (const char* item : {"24", "25", "30"})
            p->AppendItem(item);
        p->SetUpClickProc(RecordUpClick);
        return p;
    }
    // A point of the pop-up's box, near its left and top, `items` lines down.
    Point InBox(AMacPopupMenu* p, SInt16 items = 0) {
        const KsRect box = p->GetBoxRect();
        Point pt{SInt16(box.top + 4 + items * KsMenuLineHeight()), SInt16(box.left + 8)};
        SetPortWindowPort(win->GetWindowPtr());
        LocalToGlobal(&pt);
        return pt;
    }
};

TEST_F(StandardControlsTest, ClicksChangeValuesAndTellTheOwner) {
    auto* check = ACheckBox::New(main, "Loop", 20, S, 150, 20, S, 18);
    auto* off = ACheckBox::New(main, "Off", 20, S, 150, 45, S, 18);
    off->SetEnabled(false);
    auto* r1 = ARadioBut::New(main, "Fit", 1, 20, S, 150, 70, S, 18, true);
    auto* r2 = ARadioBut::New(main, "Fill", 2, 20, S, 150, 95, S, 18);
    AMacPopupMenu* pop = Popup(130);
    for (AGadget* g : std::initializer_list<AGadget*>{check, off, r1, r2})
        g->SetUpClickProc(RecordUpClick);
    Settle();
    struct Step {
        const char* name;
        std::function<void()> act;
        std::function<bool()> expect;
        size_t upClicks; // the owner's count after the step
    } steps[] = {
        {"check", [&] { Gesture(Global(check)); }, [&] { return check->IsOn(); }, 1},
        {"uncheck", [&] { Gesture(Global(check)); }, [&] { return !check->IsOn(); }, 2},
        {"released outside", [&] { Gesture(Global(check), {Global(check, 0, 60)}); },
         [&] { return !check->IsOn(); }, 2},
        {"disabled", [&] { Gesture(Global(off)); }, [&] { return !off->IsOn(); }, 2},
        {"second radio", [&] { Gesture(Global(r2)); }, [&] { return r2->IsOn() && !r1->IsOn(); },
         3},
        {"radio again stays on", [&] { Gesture(Global(r2)); }, [&] { return r2->IsOn(); }, 4},
        {"pop-up, next item", [&] { Gesture(InBox(pop), {InBox(pop, 1)}); },
         [&] { return pop->GetVal() == 2; }, 5},
        {"pop-up, released off the menu", [&] { Gesture(InBox(pop), {Global(check)}); },
         [&] { return pop->GetVal() == 2; }, 5},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        s.act();
        EXPECT_TRUE(s.expect());
        EXPECT_EQ(UpClicks().size(), s.upClicks);
    }
    // A click takes the keyboard focus.
    EXPECT_TRUE(pop->IsActive());
    EXPECT_FALSE(check->IsActive());
}

TEST_F(StandardControlsTest, TheFocusedControlAnswersSpaceAndArrows) {
    auto* check = ACheckBox::New(main, "Loop", 20, S, 150, 20, S, 18);
    auto* radio = ARadioBut::New(main, "Fit", 1, 20, S, 150, 45, S, 18);
    AMacPopupMenu* pop = Popup(70);
    pop->SetVal(3);
    struct Case {
        const char* name;
        AMacControl* focus;
        UInt8 key;
        SInt32 value;
    } cases[] = {
        {"space checks", check, kSpace, 1},       {"space unchecks", check, kSpace, 0},
        {"space turns on", radio, kSpace, 1},     {"space keeps on", radio, kSpace, 1},
        {"up steps back", pop, kUp, 2},           {"down steps on", pop, kDown, 3},
        {"down at the end stays", pop, kDown, 3},
    };
    AMacControl* focused = nullptr;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (focused != c.focus) {
            if (focused) focused->TabFrom();
            c.focus->TabTo();
            focused = c.focus;
        }
        Key(c.key);
        EXPECT_EQ(c.focus->GetVal(), c.value);
    }
    // Without the focus Space does nothing.
    pop->TabFrom();
    Key(kSpace);
    EXPECT_EQ(check->GetVal(), 0);
}

TEST_F(StandardControlsTest, ControlsComeBackFromBothFormats) {
    auto* check = ACheckBox::New(main, "Loop", 20, S, 150, 20, S, 18, true);
    auto* radio = ARadioBut::New(main, "Fill", 4, 20, S, 150, 45, S, 18, true);
    AMacPopupMenu* pop = Popup(70);
    pop->SetVal(3);
    for (AMacControl* c : std::initializer_list<AMacControl*>{check, radio, pop}) {
        SCOPED_TRACE(c->ClassName());
        APane* pane = win->GetMainPane();
        for (int format = 0; format < 2; ++format) {
            AMacControl* back = format == 0 ? ThroughObjectStream<AMacControl>(c)
                                            : ThroughPaneText<AMacControl>(c, pane, win);
            ASSERT_NE(back, nullptr);
            EXPECT_STREQ(back->ClassName(), c->ClassName());
            EXPECT_EQ(back->GetVal(), c->GetVal());
            EXPECT_EQ(back->GetMax(), c->GetMax());
            char a[32], b[32];
            c->GetTitle(a, sizeof a);
            back->GetTitle(b, sizeof b);
            EXPECT_STREQ(a, b);
            if (c == pop) {
                char item[8];
                static_cast<AMacPopupMenu*>(back)->GetItemText(3, item, sizeof item);
                EXPECT_STREQ(item, "30");
            }
            back->Dispose();
        }
    }
}

} // namespace
