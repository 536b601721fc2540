// Menu definitions: the registry, and the standard text menu's sizing, hit
// testing, pop-up placement and painter calls.
#include "MenuTestSupport.h"

#include "KsHeadlessDesk.h"
#include "KsMenuDef.h"

namespace {

// Every byte 10 pixels wide, bold ones 12; lines 16 high.
class MenuDefTest : public MenuFixture {
protected:
    void SetUp() override {
        saved_ = KsSetMenuTextMeasure(
            KsMenuTextMeasure{[](std::string_view text, Style face) {
                                  return SInt16(text.size() * ((face & bold) ? 12 : 10));
                              },
                              16});
    }
    void TearDown() override {
        KsSetMenuTextMeasure(saved_);
        MenuFixture::TearDown();
    }
    KsMenuTextMeasure saved_;
    HeadlessDesk desk_; // choosing hilites, which draws into the desktop's port
};

TEST_F(MenuDefTest, StandardSizeAddsMarkTextKeyAndSubmenuColumns) {
    MenuHandle m = Make(300, "Open;&Save");
    CalcMenuSize(m);
    EXPECT_EQ((*m)->menuWidth, 14 + 40 + 8); // "&Save" shows 4 bytes
    EXPECT_EQ((*m)->menuHeight, 32);

    AppendMenu(m, PStr("Bold<B/B"));
    CalcMenuSize(m);
    EXPECT_EQ((*m)->menuWidth, 14 + 48 + (12 + 20) + 8);
    SetItemStyle(m, 3, bold | kMenuShiftStyle); // the Shift glyph widens the key column
    CalcMenuSize(m);
    EXPECT_EQ((*m)->menuWidth, 14 + 48 + (12 + 20 + 8) + 8);

    MenuHandle sub = Make(301, "Sub/\x1B!\x05;Icon^1");
    CalcMenuSize(sub);
    EXPECT_EQ((*sub)->menuWidth, 14 + (20 + 40) + (12 + 12) + 8);
    EXPECT_EQ((*sub)->menuHeight, 16 + 18); // an icon needs 18
}

TEST_F(MenuDefTest, ChooseAnswersEnabledItemsUnderThePoint) {
    MenuHandle m = Make(300, "A;(B;-;D");
    const Rect r{100, 50, 164, 150};
    Rect track = r;
    MenuItemIndex item = 0;
    KsMenuDef& def = KsMenuDefOf(m);
    def.Choose(m, track, Point{100, 60}, &item);
    EXPECT_EQ(item, 1);
    def.Choose(m, track, Point{120, 60}, &item); // disabled
    EXPECT_EQ(item, 0);
    def.Choose(m, track, Point{135, 60}, &item); // separator
    EXPECT_EQ(item, 0);
    def.Choose(m, track, Point{163, 149}, &item);
    EXPECT_EQ(item, 4);
    def.Choose(m, track, Point{164, 60}, &item); // the bottom edge is outside
    EXPECT_EQ(item, 0);
    def.Choose(m, track, Point{110, 150}, &item);
    EXPECT_EQ(item, 0);
    DisableMenuItem(m, 0);
    def.Choose(m, track, Point{100, 60}, &item);
    EXPECT_EQ(item, 0);
}

TEST_F(MenuDefTest, PopUpPutsTheItemAtThePointAndStaysOnTheScreen) {
    MenuHandle m = Make(300, "A;B;C;D");
    CalcMenuSize(m);
    KsMenuDef& def = KsMenuDefOf(m);
    Rect r;
    MenuItemIndex item = 3;
    def.PlacePopUp(m, r, Point{200, 100}, &item);
    EXPECT_EQ(r.top, 200 - 32);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.bottom - r.top, 64);

    KsMenuScreenProc old = KsSetMenuScreenProc([](Point) { return Rect{0, 0, 480, 640}; });
    item = 1;
    def.PlacePopUp(m, r, Point{470, 630}, &item);
    EXPECT_EQ(r.bottom, 478); // 2 above the screen's bottom
    EXPECT_EQ(r.right, 636);  // 4 from its right edge
    item = 4;
    def.PlacePopUp(m, r, Point{10, 10}, &item);
    EXPECT_EQ(r.top, 20); // below the menu bar
    KsSetMenuScreenProc(old);
}

struct RecordingPainter : KsMenuPainter {
    std::vector<std::pair<MenuItemIndex, bool>> drawn;
    std::vector<KsMenuItemLayout> layouts;
    int backgrounds = 0;
    void DrawBackground(MenuHandle, const Rect&) override { ++backgrounds; }
    void DrawItem(MenuHandle, const KsMenuItemLayout& item, bool hilited) override {
        drawn.emplace_back(item.item, hilited);
        layouts.push_back(item);
    }
};

TEST_F(MenuDefTest, DrawAndHiliteGoThroughThePainter) {
    MenuHandle m = Make(300, "&Open/O;Sub/\x1B!\x05;Next");
    SetItemStyle(m, 1, kMenuShiftStyle | italic);
    RecordingPainter painter;
    KsMenuPainter* old = KsSetMenuPainter(&painter);
    const Rect r{0, 0, 48, 100};
    KsMenuDef& def = KsMenuDefOf(m);
    def.Draw(m, r);
    ASSERT_EQ(painter.drawn.size(), 3u);
    EXPECT_EQ(painter.backgrounds, 1);
    const KsMenuItemLayout& open = painter.layouts[0];
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(open.text + 1), open.text[0]), "Open");
    EXPECT_EQ(open.mnemonic, 'O');
    EXPECT_EQ(open.cmd, 'O');
    EXPECT_TRUE(open.shiftKey);
    EXPECT_EQ(open.style, italic);
    const KsMenuItemLayout& sub = painter.layouts[1];
    EXPECT_TRUE(sub.submenu);
    EXPECT_EQ(sub.cmd, 0);
    EXPECT_EQ(sub.mark, 0);
    EXPECT_EQ(sub.rect.top, 16);
    EXPECT_EQ(sub.rect.bottom, 32);

    painter.drawn.clear();
    Rect track = r;
    MenuItemIndex item = 0;
    def.Choose(m, track, Point{5, 5}, &item);
    def.Choose(m, track, Point{40, 5}, &item);
    def.Choose(m, track, Point{41, 5}, &item); // no change, nothing drawn
    EXPECT_EQ(painter.drawn,
              (std::vector<std::pair<MenuItemIndex, bool>>{{1, true}, {1, false}, {3, true}}));
    KsSetMenuPainter(old);
}

struct CountingDef : KsMenuDef {
    static inline int made = 0;
    SInt16 sized = 0;
    void Draw(MenuHandle, const Rect&) override {}
    void Choose(MenuHandle, Rect&, Point, MenuItemIndex*) override {}
    void Size(MenuHandle menu) override {
        (*menu)->menuWidth = 777;
        ++sized;
    }
    void PlacePopUp(MenuHandle, Rect&, Point, MenuItemIndex*) override {}
    void Hilite(MenuHandle, const Rect&, MenuItemIndex, bool) override {}
};

TEST_F(MenuDefTest, RegisteredDefinitionsAreMadeOnceAndReplaceable) {
    CountingDef::made = 0;
    KsRegisterMenuDef(777, [](SInt16 id) {
        EXPECT_EQ(id, 777);
        ++CountingDef::made;
        return std::make_shared<CountingDef>();
    });
    MenuHandle a = Make(300, "A"), b = Make(301, "B");
    KsSetMenuDefID(a, 777);
    KsSetMenuDefID(b, 777);
    CalcMenuSize(a);
    CalcMenuSize(b);
    EXPECT_EQ(CountingDef::made, 1);
    EXPECT_EQ((*a)->menuWidth, 777);
    EXPECT_EQ(static_cast<CountingDef&>(KsGetMenuDef(777)).sized, 2);
    EXPECT_NE(dynamic_cast<KsTextMenuDef*>(&KsGetMenuDef(5)), nullptr); // unregistered

    KsRegisterMenuDef(777, nullptr);
    CalcMenuSize(a);
    EXPECT_EQ((*a)->menuWidth, 14 + 10 + 8); // back to the standard menu
}

} // namespace
