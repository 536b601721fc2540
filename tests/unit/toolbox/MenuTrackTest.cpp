// Tracking menus with scripted input on a headless desktop: choosing from the
// bar, no choice, submenus, scrolling, pixels put back, the highlighted
// title, pop-up placement.
#include "MenuDrawTestSupport.h"

#include <random>

namespace {

class MenuTrackTest : public MenuDeskTest {
protected:
    void MakeBar() {
        file = Make(128, "Open/O;Save/S;(Disabled;-;Close", "&File");
        edit = Make(129, "Undo;Cut;Copy", "Edit");
        InsertMenu(file, 0);
        InsertMenu(edit, 0);
        DrawMenuBar();
    }
    MenuHandle file = nullptr;
    MenuHandle edit = nullptr;
};

TEST_F(MenuTrackTest, PressDragReleaseChoosesTheItemAndKeepsTheTitleHighlighted) {
    MakeBar();
    const Rect title = Title(128);
    const Point start = Press(title.left + 5, 10);
    MoveAfter(2, title.left + 20, ItemV(1));
    MoveAfter(2, title.left + 20, ItemV(2));
    ReleaseAfter(2, title.left + 20, ItemV(2));
    EXPECT_EQ(MenuSelect(start), Code(128, 2));
    EXPECT_EQ(KsGetHilitedMenu(), 128);

    // Dragging across to another title switches menus.
    const Rect editTitle = Title(129);
    const Point again = Press(title.left + 5, 10);
    MoveAfter(2, editTitle.left + 5, 10);
    MoveAfter(2, editTitle.left + 20, ItemV(3));
    ReleaseAfter(2, editTitle.left + 20, ItemV(3));
    EXPECT_EQ(MenuSelect(again), Code(129, 3));
    EXPECT_EQ(KsGetHilitedMenu(), 129);
}

TEST_F(MenuTrackTest, NoChoiceAnswersZeroAndUnhighlights) {
    MakeBar();
    const Rect title = Title(128);
    struct Case {
        const char* what;
        SInt16 h, v;
    } cases[] = {
        {"outside every menu", 390, 290},
        {"a disabled item", SInt16(title.left + 20), ItemV(3)},
        {"a separator", SInt16(title.left + 20), ItemV(4)},
        {"the title itself", SInt16(title.left + 5), 10},
    };
    for (const Case& c : cases) {
        const Point start = Press(title.left + 5, 10);
        MoveAfter(2, title.left + 20, ItemV(1));
        ReleaseAfter(2, c.h, c.v);
        EXPECT_EQ(MenuSelect(start), 0) << c.what;
        EXPECT_EQ(KsGetHilitedMenu(), 0) << c.what;
    }
    // A disabled menu pulls down but answers nothing.
    DisableMenuItem(file, 0);
    const Point start = Press(title.left + 5, 10);
    ReleaseAfter(4, title.left + 20, ItemV(1));
    EXPECT_EQ(MenuSelect(start), 0);
}

TEST_F(MenuTrackTest, ReleaseRestoresEveryPixelUnderTheMenus) {
    MakeBar();
    MenuHandle sub = Make(200, "Alpha;Beta");
    InsertMenu(sub, hierMenu);
    AppendMenu(file, PStr("More/\x1B!\xC8"));
    // Noise under the menus, so that any pixel not put back shows.
    {
        std::mt19937 rng(7);
        StMenuPort port;
        for (SInt16 v = 20; v < 300; v += 3)
            for (SInt16 h = 0; h < 400; h += 5) {
                const RGBColor c{UInt16(rng()), UInt16(rng()), UInt16(rng())};
                const Rect r{v, h, SInt16(v + 3), SInt16(h + 5)};
                PaintRGBRect(&r, &c);
            }
    }
    const std::vector<UInt32> before = Snapshot();
    const Rect title = Title(128);
    const Point start = Press(title.left + 5, 10);
    MoveAfter(2, title.left + 20, ItemV(6));
    MoveAfter(30, title.left + 20, ItemV(6)); // rests: the submenu opens
    ReleaseAfter(30, 390, 290);
    EXPECT_EQ(MenuSelect(start), 0);
    EXPECT_TRUE(Snapshot() == before);
    // The restored area is waiting to be presented.
    KsPresentDesktop();
    EXPECT_EQ(backend->PixelAt(title.left + 20, ItemV(2)),
              before[ItemV(2) * 400 + title.left + 20]);
}

TEST_F(MenuTrackTest, SubmenusOpenAfterTheDelayAndAnswerTheirItems) {
    MakeBar();
    MenuHandle sub = Make(200, "Alpha;Beta");
    InsertMenu(sub, hierMenu);
    AppendMenu(file, PStr("More/\x1B!\xC8")); // item 6, submenu 200
    CalcMenuSize(file);
    const Rect title = Title(128);
    const SInt16 subH = SInt16(title.left + 1 + (*file)->menuWidth + 10);
    const SInt16 betaV = SInt16(ItemV(6) + KsMenuLineHeight());

    // Resting past the delay opens the submenu; moving right chooses in it.
    Point start = Press(title.left + 5, 10);
    MoveAfter(2, title.left + 20, ItemV(6));
    MoveAfter(12, subH, ItemV(6));
    MoveAfter(2, subH, betaV);
    ReleaseAfter(2, subH, betaV);
    EXPECT_EQ(MenuSelect(start), Code(200, 2));

    // Passing over the item quicker than the delay opens nothing.
    start = Press(title.left + 5, 10);
    MoveAfter(2, title.left + 20, ItemV(6));
    MoveAfter(3, subH, betaV);
    ReleaseAfter(2, subH, betaV);
    EXPECT_EQ(MenuSelect(start), 0);

    // Releasing on the item that opens a submenu chooses nothing.
    start = Press(title.left + 5, 10);
    MoveAfter(2, title.left + 20, ItemV(6));
    ReleaseAfter(20, title.left + 20, ItemV(6));
    EXPECT_EQ(MenuSelect(start), 0);
}

class MenuSmallScreenTest : public MenuTrackTest {
protected:
    void SetUp() override { SetUpDesk(300, 200); }
};

TEST_F(MenuSmallScreenTest, SubmenuOpensToTheLeftWithoutRoomOnTheRight) {
    MakeBar();
    MenuHandle last = Make(130, "Wide item text here;Open more/\x1B!\xC8", "Lastmenu");
    InsertMenu(last, 0);
    MenuHandle sub = Make(200, "Alpha;Beta");
    InsertMenu(sub, hierMenu);
    DrawMenuBar();
    CalcMenuSize(last);
    CalcMenuSize(sub);
    const Rect title = Title(130);
    const long parentLeft = std::min<long>(title.left + 1, 300 - 4 - (*last)->menuWidth);
    ASSERT_GT(parentLeft + (*last)->menuWidth + 1 + (*sub)->menuWidth, 296)
        << "the test needs a crowded right edge";
    ASSERT_GT(parentLeft - 1 - (*sub)->menuWidth, 0) << "and room on the left";
    const SInt16 leftH = SInt16(parentLeft - 10);
    const Point start = Press(title.left + 5, 10);
    MoveAfter(2, SInt16(parentLeft + 10), ItemV(2));
    MoveAfter(12, SInt16(parentLeft + 2), ItemV(2));
    MoveAfter(2, leftH, ItemV(2));
    ReleaseAfter(2, leftH, ItemV(2));
    EXPECT_EQ(MenuSelect(start), Code(200, 1));
}

TEST_F(MenuSmallScreenTest, ATallMenuScrollsWhileThePointerRestsOnTheArrows) {
    MenuHandle tall = Make(140, "", "Tall");
    for (int i = 1; i <= 100; ++i)
        AppendMenu(tall, PStr("Item " + std::to_string(i)));
    InsertMenu(tall, 0);
    DrawMenuBar();
    const Rect title = Title(140);
    const SInt16 h = SInt16(title.left + 20);
    const SInt16 lh = KsMenuLineHeight();
    const SInt16 frameBottom = 198; // the screen's bottom less 2
    const SInt16 bottomArrowV = SInt16(frameBottom - 3);
    const SInt16 rowV = 100;
    const MenuItemIndex unscrolled = MenuItemIndex((rowV - 21) / lh + 1);

    // Not resting: nothing scrolls.
    Point start = Press(title.left + 5, 10);
    ReleaseAfter(4, h, rowV);
    EXPECT_EQ(MenuSelect(start), Code(140, unscrolled));

    // Resting 30 ticks at a step every 3 ticks scrolls about ten items.
    start = Press(title.left + 5, 10);
    MoveAfter(2, h, bottomArrowV);
    MoveAfter(30, h, rowV);
    ReleaseAfter(2, h, rowV);
    const SInt32 mid = MenuSelect(start);
    EXPECT_EQ(mid >> 16, 140);
    EXPECT_GE(MenuItemIndex(mid & 0xFFFF), unscrolled + 9);
    EXPECT_LE(MenuItemIndex(mid & 0xFFFF), unscrolled + 12);

    // Resting long enough reaches the end: the arrow goes and the last item
    // shows at the bottom.
    start = Press(title.left + 5, 10);
    MoveAfter(2, h, bottomArrowV);
    ReleaseAfter(400, h, bottomArrowV);
    EXPECT_EQ(MenuSelect(start), Code(140, 100));

    // And back to the top through the upper arrow.
    start = Press(title.left + 5, 10);
    MoveAfter(2, h, bottomArrowV);
    MoveAfter(400, h, 24);    // on the top arrow now
    ReleaseAfter(400, h, 24); // scrolled back: the arrow is gone, item 1 is here
    EXPECT_EQ(MenuSelect(start), Code(140, 1));
}

TEST_F(MenuTrackTest, HiliteMenuDrawsOneTitleAndIgnoresMenusOutsideTheBar) {
    MakeBar();
    const Rect file = Title(128), edit = Title(129);
    HiliteMenu(129);
    EXPECT_EQ(KsGetHilitedMenu(), 129);
    EXPECT_EQ(Pixel(edit.left + 1, 2), Rgb(KsMenuLook::kAccent));
    EXPECT_EQ(Pixel(file.left + 1, 2), Rgb(KsMenuLook::kBarBack));
    HiliteMenu(128);
    EXPECT_EQ(Pixel(edit.left + 1, 2), Rgb(KsMenuLook::kBarBack));
    EXPECT_EQ(Pixel(file.left + 1, 2), Rgb(KsMenuLook::kAccent));
    HiliteMenu(999); // not in the bar: nothing is highlighted
    EXPECT_EQ(KsGetHilitedMenu(), 0);
    EXPECT_EQ(Pixel(file.left + 1, 2), Rgb(KsMenuLook::kBarBack));
    // The hairline under the bar stays.
    EXPECT_EQ(Pixel(file.left + 1, 19), Rgb(KsMenuLook::kBarLine));
}

TEST_F(MenuTrackTest, PopUpPutsTheItemAtThePointAndStaysOnTheScreen) {
    MenuHandle pop = Make(300, "One;Two;Three;Four;Five");
    const SInt16 lh = KsMenuLineHeight();
    // Item 3 at (top, left): a click released where it started chooses it.
    Point start = Press(60, 150 + 2);
    ReleaseAfter(3, 60, 150 + 2);
    EXPECT_EQ(PopUpMenuSelect(pop, 150, 50, 3), Code(300, 3));
    start = Press(60, 150 + lh + 2);
    ReleaseAfter(3, 60, 150 + lh + 2);
    EXPECT_EQ(PopUpMenuSelect(pop, 150, 50, 3), Code(300, 4));

    // Near the bottom it moves up to end 2 pixels above the screen's edge.
    start = Press(60, 297);
    ReleaseAfter(3, 60, 297);
    EXPECT_EQ(PopUpMenuSelect(pop, 295, 50, 1), Code(300, 5));
    start = Press(60, 298);
    ReleaseAfter(3, 60, 298);
    EXPECT_EQ(PopUpMenuSelect(pop, 295, 50, 1), 0);
    (void)start;
}

TEST_F(MenuTrackTest, PopUpInACustomFontUsesItsLineHeight) {
    MenuHandle pop = Make(300, "One;Two;Three");
    CalcMenuSize(pop);
    const SInt16 width12 = (*pop)->menuWidth;
    const SInt16 lh12 = KsMenuLineHeight();
    const SInt16 v = SInt16(100 + lh12 + 2); // item 2 in the system size
    Press(60, v);
    ReleaseAfter(3, 60, v);
    EXPECT_EQ(PopUpMenuSelectCustom(pop, 100, 50, 1, 0, 12), Code(300, 2));
    Press(60, v);
    ReleaseAfter(3, 60, v);
    EXPECT_EQ(PopUpMenuSelectCustom(pop, 100, 50, 1, 0, 28), Code(300, 1));
    // The menu font and the menu's size are back afterwards.
    EXPECT_EQ(KsMenuLineHeight(), lh12);
    EXPECT_EQ((*pop)->menuWidth, width12);
}

TEST_F(MenuTrackTest, NoDesktopAnswersZeroAtOnce) {
    MakeBar();
    KsDesktopDispose();
    EXPECT_EQ(MenuSelect(Point{10, 10}), 0);
    EXPECT_EQ(PopUpMenuSelect(file, 100, 100, 1), 0);
    KsDesktopInit();
}

} // namespace
