// The scrolling menu definition: sizes against their formulas, item heights
// held to the limit, Shift-aware command keys, and a scrolled menu opening a
// submenu beside the right item under scripted mouse moves.
#include "../toolbox/MenuDrawTestSupport.h"
#include "AModMenu.h"
#include "KsPortSavers.h"
#include "QuickDraw.h"

#include <string>

namespace {

SInt32 Code(MenuID id, MenuItemIndex item) {
    return SInt32(UInt32(UInt16(id)) << 16 | UInt16(item));
}

// A desk tall enough for a whole 518-pixel menu below the bar.
class ModMenuTest : public MenuDeskTest {
protected:
    void SetUp() override {
        SetUpDesk(500, 600);
        mod = InstallModMenuMDEF();
        mod->SetMenuFont(0, 12);
    }
    MenuHandle Tall(MenuID id, int items) {
        MenuHandle m = Make(id, "", "Tall");
        for (int i = 1; i <= items; ++i)
            AppendMenu(m, PStr("Item " + std::to_string(i)));
        SetIsModMenu(m);
        return m;
    }
    static SInt16 Width(const char* text) {
        StTextIn in(0, 12, 0);
        return TextWidth(text, 0, SInt16(std::strlen(text)));
    }
    // Draws a menu as the toolbox does when it opens.
    void DrawMenu(MenuHandle m, const KsRect& r) {
        StPortSaver port(KsGetDesktopPort());
        KsRect frame = r;
        mod->DrawMenu(m, &frame);
    }
    AModMenu* mod = nullptr;
};

TEST_F(ModMenuTest, SizesFollowTheFormulas) {
    const SInt16 ih = mod->GetItemHeight(), lead = SInt16(mod->GetLeadingPlus2() - 2);
    const SInt16 key = SInt16(mod->GetCmdWidth() + lead);
    const struct {
        const char* items;
        bool shift; // the last item's key wants Shift
        long widest;
        int count;
    } cases[] = {
        {"Open;Close all windows", false, Width("Close all windows"), 2},
        {"Open;More/\x1B!\xC8", false, std::max<long>(Width("Open"), Width("More") + 12), 2},
        {"Quit/Q", false, Width("Quit") + key, 1},
        {"Quit/Q", true, Width("Quit") + key + 8, 1},
    };
    MenuID id = 300;
    for (const auto& c : cases) {
        MenuHandle m = Make(id++, c.items);
        SetIsModMenu(m);
        ASSERT_TRUE(IsModMenu(m));
        if (c.shift) SetItemStyle(m, MenuItemIndex(c.count), kMenuShiftStyle);
        CalcMenuSize(m);
        EXPECT_EQ((*m)->menuWidth, c.widest + lead + 2 + 16) << c.items;
        EXPECT_EQ((*m)->menuHeight, c.count * ih) << c.items;
    }
    MenuHandle hundred = Tall(400, 100);
    CalcMenuSize(hundred);
    EXPECT_EQ((*hundred)->menuHeight, (518 / ih) * ih);
    EXPECT_FALSE(IsModMenu(Make(401, "Plain")));
}

TEST_F(ModMenuTest, ItemsTallerThanTheLimitStillShowOne) {
    mod->SetMenuFont(0, 640);
    EXPECT_EQ(mod->GetItemHeight(), 518);
    MenuHandle m = Tall(410, 3);
    CalcMenuSize(m);
    EXPECT_EQ((*m)->menuHeight, 518);
}

TEST_F(ModMenuTest, ShiftedKeysComeFirstWithShift) {
    MenuHandle m = Make(420, "Plain/a;Shifted/A;Other/b", "Keys");
    SetItemStyle(m, 2, kMenuShiftStyle);
    SetIsModMenu(m);
    InsertMenu(m, 0);
    EXPECT_EQ(ModMenuKey('a', 0x0200), Code(420, 2));
    EXPECT_EQ(ModMenuKey('A', 0), Code(420, 1));
    EXPECT_EQ(ModMenuKey('b', 0x0200), Code(420, 3));
    EXPECT_EQ(ModMenuKey('z', 0), 0);
    SInt16 item = -1;
    EXPECT_EQ(mod->MenuKey(m, 'B', &item), Code(420, 3));
    EXPECT_EQ(item, 3);
}

TEST_F(ModMenuTest, DrawsGreyWithEtchedSeparatorsAndAStripOnlyWhenItScrolls) {
    const SInt16 ih = mod->GetItemHeight();
    const struct {
        int items;
        bool strip;
    } cases[] = {{5, false}, {100, true}};
    for (const auto& c : cases) {
        MenuHandle m = Tall(MenuID(450 + c.items), c.items);
        SetMenuItemText(m, 2, PStr("-"));
        CalcMenuSize(m);
        const KsRect r{10, 30, 10 + (*m)->menuWidth, 30 + (*m)->menuHeight};
        DrawMenu(m, r);
        const SInt32 right = r.right - 2, sepMid = r.top + ih + ih / 2;
        EXPECT_EQ(Pixel(right, r.top + 1), 0xDEDEDEu) << c.items;
        EXPECT_EQ(Pixel(right, sepMid - 1), 0x909090u) << c.items; // etched: dark over light
        EXPECT_EQ(Pixel(right, sepMid), 0xFFFFFFu) << c.items;
        EXPECT_EQ(Pixel(right, r.bottom - 1), c.strip ? 0xC8C8C8u : 0xDEDEDEu) << c.items;
    }
}

TEST_F(ModMenuTest, PopUpsPutTheItemUnderThePointAndStayOnTheScreen) {
    MenuHandle m = Tall(440, 10);
    CalcMenuSize(m);
    const SInt16 ih = mod->GetItemHeight();
    const struct {
        SInt16 v, item;
        SInt32 top; // -1: kept 2 pixels above the screen's bottom
    } cases[] = {{300, 1, 300}, {300, 3, 300 - 2 * ih}, {590, 1, -1}};
    for (const auto& c : cases) {
        KsRect r{};
        SInt16 item = c.item;
        mod->PlacePopup(m, &r, KsPoint{50, c.v}, &item);
        if (c.top >= 0)
            EXPECT_EQ(r.top, c.top) << c.item;
        else
            EXPECT_EQ(r.bottom, 600 - 2) << c.item;
        EXPECT_EQ(r.Height(), (*m)->menuHeight);
    }
    // An item beyond the first screenful of a tall menu opens in sight.
    MenuHandle tall = Tall(441, 100);
    CalcMenuSize(tall);
    KsRect r{};
    SInt16 item = 80;
    mod->PlacePopup(tall, &r, KsPoint{50, 300}, &item);
    DrawMenu(tall, r);
    EXPECT_FALSE(mod->ItemRectNow(tall, r, 80).IsEmpty());
}

TEST_F(ModMenuTest, AScrolledMenuOpensItsSubmenuBesideTheItem) {
    MenuHandle tall = Tall(430, 100);
    SetMenuItemText(tall, 90, PStr("More"));
    SetItemCmd(tall, 90, hMenuCmd);
    SetItemMark(tall, 90, CharParameter(0xC9));
    MenuHandle sub = Make(201, "One;Two");
    SetIsModMenu(sub);
    InsertMenu(tall, 0);
    InsertMenu(sub, hierMenu);
    DrawMenuBar();
    CalcMenuSize(tall);
    const Rect title = Title(430);
    const SInt16 ih = mod->GetItemHeight(), fit = SInt16((*tall)->menuHeight / ih);
    const SInt16 h = SInt16(title.left + 20), top = SInt16(title.bottom + 2);
    auto rowV = [&](int row) { return SInt16(top + row * ih + ih / 2); };

    // Resting on the down strip scrolls to the end: the last item shows in
    // the last row, the up strip above the first.
    Point start = Press(title.left + 5, 10);
    MoveAfter(2, h, rowV(fit - 1));
    MoveAfter(2000, h, rowV(fit - 1) + 1);
    const SInt16 first = SInt16(100 - (fit - 1) + 1);
    const SInt16 row90 = SInt16(1 + 90 - first);
    MoveAfter(2, h, rowV(row90));
    const SInt16 subH = SInt16(title.left + 1 + (*tall)->menuWidth + 10);
    MoveAfter(20, subH, rowV(row90));
    ReleaseAfter(2, subH, rowV(row90));
    EXPECT_EQ(MenuSelect(start), Code(201, 1));
    ASSERT_NE(mod->VarsOf(tall), nullptr);
    EXPECT_EQ(mod->VarsOf(tall)->firstVisible, first);

    // Reopened, the menu starts at its top again and answers the row's item.
    start = Press(title.left + 5, 10);
    ReleaseAfter(4, h, rowV(4));
    EXPECT_EQ(MenuSelect(start), Code(430, 5));
}

} // namespace
