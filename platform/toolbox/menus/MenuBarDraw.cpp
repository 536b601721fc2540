// The menu bar: title layout and hit testing, drawing, the highlighted title;
// and the saver of the desktop port's state that menu drawing works under.
#include "MenuBarPrivate.h"
#include "MenusPrivate.h"

namespace {
using namespace KsMenuLook;

MenuID gHilited = 0;

Rect BarRect() {
    const Rect screen = KsMainScreenBounds();
    return Rect{screen.top, screen.left, static_cast<SInt16>(screen.top + kKsMenuBarHeight),
                screen.right};
}

void ShownTitle(MenuHandle menu, Str255 shown, SInt16* mnemonicAt = nullptr) {
    Str255 title;
    KsMenuToPString((*menu)->data->title, title);
    KsMenuDisplayText(title, shown, nullptr, mnemonicAt);
}

// Calls fn(menu, titleRect) for each menu of the bar, left to right, until
// it answers true; answers whether one did.
template <class Fn> bool ForEachTitle(Fn&& fn) {
    const Rect bar = BarRect();
    long left = bar.left + kTitleFirst;
    for (MenuHandle menu : KsMenuBarList()) {
        Str255 shown;
        ShownTitle(menu, shown);
        const long right = left + KsMenuTitleWidth(shown) + 2 * kTitlePad;
        if (left >= bar.right) break;
        const Rect r{bar.top, static_cast<SInt16>(left), static_cast<SInt16>(bar.bottom - 1),
                     static_cast<SInt16>(right < bar.right ? right : bar.right)};
        if (fn(menu, r)) return true;
        left = right;
    }
    return false;
}

void DrawTitle(MenuHandle menu, const Rect& r, bool hilited) {
    PaintRGBRect(&r, hilited ? &kAccent : &kBarBack);
    Str255 shown;
    SInt16 mnemonicAt = 0;
    ShownTitle(menu, shown, &mnemonicAt);
    TextFont(kSystemFont);
    TextSize(kSystemSize);
    TextFace(normal);
    TextMode(srcOr);
    FontInfo fi;
    GetFontInfo(&fi);
    const RGBColor& colour = hilited ? kAccentText : (*menu)->data->enabled ? kText : kDisabled;
    RGBForeColor(&colour);
    const auto left = static_cast<SInt16>(r.left + kTitlePad);
    const auto baseline =
        static_cast<SInt16>(r.top + (r.bottom - r.top - fi.ascent - fi.descent) / 2 + fi.ascent);
    MoveTo(left, baseline);
    DrawString(shown);
    KsUnderlineMnemonic(shown, mnemonicAt, left, baseline);
}

void DrawTitleOf(MenuID id, bool hilited) {
    if (!id) return;
    ForEachTitle([&](MenuHandle menu, const Rect& r) {
        if ((*menu)->menuID != id) return false;
        DrawTitle(menu, r, hilited);
        return true;
    });
}
} // namespace

// ---------------------------------------------------------------------------
// The port saver

// Without a desktop the current port stays current (and is kept as it is).
StMenuPort::StMenuPort() : desktop_(KsGetDesktopPort()), port_(desktop_ ? desktop_ : KsGetPort()) {
    if (!desktop_) return;
    ClipWideOpen();
    PenNormal();
}

// ---------------------------------------------------------------------------
// The bar

void DrawMenuBar() {
    KsEnsureMenuDrawing();
    StMenuPort port;
    if (!port.Port()) return;
    const Rect bar = BarRect();
    Rect back = bar;
    back.bottom = static_cast<SInt16>(bar.bottom - 1);
    PaintRGBRect(&back, &kBarBack);
    const Rect line{back.bottom, bar.left, bar.bottom, bar.right};
    PaintRGBRect(&line, &kBarLine);
    ForEachTitle([](MenuHandle menu, const Rect& r) {
        DrawTitle(menu, r, (*menu)->menuID == gHilited);
        return false;
    });
}

void InvalMenuBar() {
    DrawMenuBar();
}

void HiliteMenu(MenuID menuID) {
    if (menuID && !KsGetMenuTitleRect(menuID, nullptr)) menuID = 0;
    if (menuID == gHilited) return;
    StMenuPort port;
    if (port.Port()) {
        DrawTitleOf(gHilited, false);
        DrawTitleOf(menuID, true);
    }
    gHilited = menuID;
}

MenuID KsGetHilitedMenu() {
    return gHilited;
}

MenuID KsMenuBarHit(Point pt, Rect* titleRect) {
    const Rect bar = BarRect();
    if (pt.v < bar.top || pt.v >= bar.bottom || pt.h < bar.left || pt.h >= bar.right) return 0;
    MenuID found = 0;
    ForEachTitle([&](MenuHandle menu, const Rect& r) {
        if (pt.h < r.left || pt.h >= r.right) return false;
        found = (*menu)->menuID;
        if (titleRect) *titleRect = r;
        return true;
    });
    return found;
}

Boolean KsGetMenuTitleRect(MenuID menuID, Rect* titleRect) {
    return ForEachTitle([&](MenuHandle menu, const Rect& r) {
        if ((*menu)->menuID != menuID) return false;
        if (titleRect) *titleRect = r;
        return true;
    });
}
