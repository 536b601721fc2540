// Pop-up menus attached to gadgets, chosen with scripted clicks.
#include "GadgetTestSupport.h"
#include "KsMenuDef.h"
#include "KsMenuUtils.h"
#include "KsTextUtils.h"
#include "PopupMenuWindow.h"

#include <string>

namespace {

std::string TextOf(const AGadget* g) {
    char buf[64];
    g->GetText(buf, sizeof buf);
    return buf;
}

class GadgetMenuTest : public GadgetTest {
protected:
    // A menu gadget with items "Item 1" ... "Item n", bound to nicks from
    // nickBase + 1 when nickBase is given.
    RecGadget* MenuGadget(int n, SInt16 top = 20, long nickBase = 0) {
        auto* g = Add(20, top);
        g->MakePopupMenu("Choices");
        for (int i = 1; i <= n; ++i) {
            const std::string text = "Item " + std::to_string(i);
            if (nickBase)
                gBartender->AppendMenuItem(g->GetMenuHandleOnly(), nickBase + i, text.c_str());
            else
                g->AppendPopupMenuItem(text.c_str(), 0, 0);
        }
        g->SetMenuFullEnable(true);
        return g;
    }
    // Presses on the gadget and releases over item `item` of a menu that
    // dropped below it (items of the system font's line height).
    void Choose(AGadget* g, int item, SInt16 itemHeight) {
        const Point press = Global(g);
        const Point over{SInt16(press.v + 10 + 4 + (item - 1) * itemHeight + itemHeight / 2),
                         SInt16(press.h)};
        Gesture(press, {over}, 2, 2);
    }
};

TEST_F(GadgetMenuTest, ChosenItemBecomesTheValueAndTheText) {
    auto* g = MenuGadget(5);
    EXPECT_TRUE(g->GetOnDownClick()) << "menu gadgets act on the press";
    MenuHandle menu = g->GetMenuHandleOnly();
    CalcMenuSize(menu);
    Choose(g, 3, SInt16((*menu)->menuHeight / CountMItems(menu)));
    ASSERT_EQ(UpClicks().size(), 1u);
    const SInt32 chosen = g->GetMenuItem();
    EXPECT_EQ(chosen, 3);
    EXPECT_EQ(UpClicks()[0].menuID, g->GetMenuID());
    EXPECT_EQ(UpClicks()[0].value, chosen);
    EXPECT_EQ(TextOf(g), "Item " + std::to_string(chosen));
    EXPECT_EQ(g->GetPrevMenuItem(), 0);
    // Check marks: the current item only.
    MenuHandle m = g->GetMenuHandleOnly();
    g->UpdateMenu(nullptr);
    g->SetMenuCheckMark(g->GetMenuItem());
    for (SInt16 i = 1; i <= CountMItems(m); ++i) {
        CharParameter mark = 0;
        GetItemMark(m, i, &mark);
        EXPECT_EQ(mark != 0, i == chosen) << "item " << i;
    }
}

TEST_F(GadgetMenuTest, ReleaseOutsideTheMenuChangesNothing) {
    auto* g = MenuGadget(3);
    g->SetMenuItem(2, false);
    Gesture(Global(g), {Global(g, 300, 0)}, 2, 2);
    EXPECT_EQ(g->GetMenuItem(), 2);
    ASSERT_EQ(UpClicks().size(), 1u);
    EXPECT_EQ(UpClicks()[0].menuID, 0);
    EXPECT_EQ(UpClicks()[0].value, 0);
}

// The menu value means the same on both paths: the item's nick number when
// it has one, whichever window showed the menu.
TEST_F(GadgetMenuTest, MenuTallerThanTheScreenIsShownInColumns) {
    constexpr long kNickBase = 7000;
    auto* g = MenuGadget(200, 20, kNickBase);
    MenuHandle m = g->GetMenuHandleOnly();
    const KsRect b = g->GetBounds();
    Point anchor{SInt16(b.bottom), SInt16(b.left)};
    SetPortWindowPort(win->GetWindowPtr());
    LocalToGlobal(&anchor);
    ASSERT_TRUE(PopupMenuWindow::NeedsPopupMenuWindow(anchor, m, 0, 12));
    ASSERT_FALSE(PopupMenuWindow::NeedsPopupMenuWindow(
        anchor, MenuGadget(5, 60)->GetMenuHandleOnly(), 0, 12));
    PopupMenuWindow probe(m, 0, 12);
    const KsRect shown = probe.Place(anchor, false);
    ASSERT_GT(probe.GetColumns(), 1);
    const SInt16 item = SInt16(probe.GetRowsPerColumn() + 2); // second column, second row
    const Rect ir = probe.ItemRect(item);
    const Point over{SInt16(shown.top + (ir.top + ir.bottom) / 2),
                     SInt16(shown.left + (ir.left + ir.right) / 2)};
    Gesture(Global(g), {over}, 2, 2);
    EXPECT_EQ(g->GetMenuItem(), kNickBase + item);
    ASSERT_EQ(UpClicks().size(), 1u);
    EXPECT_EQ(UpClicks()[0].menuID, g->GetMenuID());
    EXPECT_EQ(UpClicks()[0].value, kNickBase + item);
    EXPECT_EQ(TextOf(g), "Item " + std::to_string(item));
}

TEST_F(GadgetMenuTest, CopyDoesNotOwnTheMenu) {
    auto* g = MenuGadget(2);
    auto* copy = static_cast<AGadget*>(g->Copy());
    EXPECT_TRUE(g->GetOwnsMenu());
    EXPECT_FALSE(copy->GetOwnsMenu());
    EXPECT_EQ(copy->GetMenuID(), g->GetMenuID());
    copy->Dispose();
    EXPECT_NE(g->GetMenuHandleOnly(), nullptr) << "the original's menu outlives the copy";
    const SInt16 id = g->GetMenuID();
    g->Dispose();
    EXPECT_EQ(GetMenuHandle(id), nullptr);
}

} // namespace
