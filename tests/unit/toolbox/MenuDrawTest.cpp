// What the standard painter and the bar draw: command keys, marks,
// separators, submenu triangles, disabled and highlighted items.
#include "MenuDrawTestSupport.h"

#include <algorithm>

namespace {
using namespace KsMenuLook;

int Luma(UInt32 p) {
    return int((p >> 16) & 0xFF) + int((p >> 8) & 0xFF) + int(p & 0xFF);
}

class MenuDrawTest : public MenuDeskTest {
protected:
    // Shows a menu with its top-left at (40, 40).
    void Show(MenuHandle menu) {
        CalcMenuSize(menu);
        frame = Rect{40, 40, SInt16(40 + (*menu)->menuHeight), SInt16(40 + (*menu)->menuWidth)};
        ASSERT_TRUE(open.Open(menu, frame));
    }
    SInt16 Top(MenuItemIndex item) const {
        return SInt16(frame.top + (item - 1) * KsMenuLineHeight());
    }
    SInt16 Mid(MenuItemIndex item) const { return SInt16(Top(item) + KsMenuLineHeight() / 2); }
    // Pixels of an item's row band [left, right) that are not the background.
    int Inked(MenuItemIndex item, SInt32 left, SInt32 right, UInt32 back) const {
        int n = 0;
        for (SInt32 v = Top(item); v < Top(item) + KsMenuLineHeight(); ++v)
            for (SInt32 h = left; h < right; ++h)
                n += Pixel(h, v) != back;
        return n;
    }
    SInt32 LeftmostInk(MenuItemIndex item, SInt32 left, SInt32 right) const {
        for (SInt32 h = left; h < right; ++h)
            for (SInt32 v = Top(item); v < Top(item) + KsMenuLineHeight(); ++v)
                if (Pixel(h, v) != Rgb(kMenuBack)) return h;
        return right;
    }
    int Darkest(MenuItemIndex item) const {
        int d = 3 * 255;
        for (SInt32 v = Top(item); v < Top(item) + KsMenuLineHeight(); ++v)
            for (SInt32 h = frame.left; h < frame.right; ++h)
                d = std::min(d, Luma(Pixel(h, v)));
        return d;
    }

    KsOpenMenu open;
    Rect frame{};
};

TEST_F(MenuDrawTest, KeysMarksSeparatorsSubmenusAndDisabledItems) {
    MenuHandle m = Make(128, "Save/S;Plain;Shifted/S;-;(Gone;More/\x1B!\xC8;Checked");
    SetItemStyle(m, 3, kMenuShiftStyle);
    CheckItem(m, 7, true);
    Show(m);
    const SInt32 right = frame.right - KsTextMenuDef::kRightMargin;
    const SInt32 keyLeft = frame.left + frame.right - frame.left - 70;
    // A command key is drawn at the right; "Ctrl+Shift+S" reaches further left.
    EXPECT_GT(Inked(1, keyLeft, right, Rgb(kMenuBack)), 0);
    EXPECT_EQ(Inked(2, keyLeft, right, Rgb(kMenuBack)), 0);
    EXPECT_LT(LeftmostInk(3, keyLeft, right), LeftmostInk(1, keyLeft, right));
    // Between the item text and the key text a gap of blank columns remains.
    SInt32 h = frame.left + KsTextMenuDef::kMarkColumn;
    while (h < right && Inked(3, h, h + 1, Rgb(kMenuBack)) == 0)
        ++h; // to the text
    int blank = 0, widest = 0;
    for (; h < right; ++h) {
        blank = Inked(3, h, h + 1, Rgb(kMenuBack)) == 0 ? blank + 1 : 0;
        widest = std::max(widest, blank);
    }
    EXPECT_GE(widest, 6) << "the key text stays clear of the item text";
    // The separator is a line across the middle of its row.
    EXPECT_EQ(Pixel((frame.left + frame.right) / 2, Mid(4)), Rgb(kSeparator));
    EXPECT_EQ(Pixel((frame.left + frame.right) / 2, Mid(4) - 2), Rgb(kMenuBack));
    // Disabled text is lighter than enabled text.
    EXPECT_GT(Darkest(5), Darkest(2) + 100);
    // The submenu triangle's tip row; no key text there.
    EXPECT_EQ(Pixel(right - 6, Mid(6)), Rgb(kText));
    EXPECT_EQ(Pixel(right - 1, Mid(6)), Rgb(kMenuBack));
    // The check mark sits in the mark column.
    const SInt32 markRight = frame.left + KsTextMenuDef::kMarkColumn - 1;
    EXPECT_GT(Inked(7, frame.left + 1, markRight, Rgb(kMenuBack)), 5);
    EXPECT_EQ(Inked(2, frame.left + 1, markRight, Rgb(kMenuBack)), 0);
    // The frame's border is outside the items.
    EXPECT_EQ(Pixel(frame.left - 1, Mid(1)), Rgb(kMenuFrame));
}

TEST_F(MenuDrawTest, TheItemUnderThePointerIsAccentedUnlessDisabled) {
    MenuHandle m = Make(128, "One;(Two;Three");
    Show(m);
    open.Track(Point{Mid(1), SInt16(frame.left + 5)});
    EXPECT_EQ(open.Hilited(), 1);
    EXPECT_EQ(Pixel(frame.left + 2, Mid(1)), Rgb(kAccent));
    open.Track(Point{Mid(2), SInt16(frame.left + 5)});
    EXPECT_EQ(open.Hilited(), 0);
    EXPECT_EQ(Pixel(frame.left + 2, Mid(1)), Rgb(kMenuBack));
    EXPECT_EQ(Pixel(frame.left + 2, Mid(2)), Rgb(kMenuBack));
    open.Track(Point{Mid(3), SInt16(frame.left + 5)});
    EXPECT_EQ(Pixel(frame.left + 2, Mid(3)), Rgb(kAccent));
    open.HiliteNone();
    EXPECT_EQ(Pixel(frame.left + 2, Mid(3)), Rgb(kMenuBack));
}

TEST_F(MenuDrawTest, TheBarHasABackgroundAHairlineAndGreyDisabledTitles) {
    MenuHandle on = Make(128, "X", "Files"), off = Make(129, "X", "Files");
    InsertMenu(on, 0);
    InsertMenu(off, 0);
    DisableMenuItem(off, 0);
    DrawMenuBar();
    EXPECT_EQ(Pixel(395, 5), Rgb(kBarBack));
    EXPECT_EQ(Pixel(395, 19), Rgb(kBarLine));
    EXPECT_EQ(Pixel(395, 20), Rgb(KsGetDesktopColor()));
    auto darkest = [&](const Rect& r) {
        int d = 3 * 255;
        for (SInt32 v = r.top; v < r.bottom; ++v)
            for (SInt32 h = r.left; h < r.right; ++h)
                d = std::min(d, Luma(Pixel(h, v)));
        return d;
    };
    EXPECT_GT(darkest(Title(129)), darkest(Title(128)) + 100);
}

} // namespace
