// AModMenu: sizing, drawing, tracking with scrolling, key equivalents, and
// the installation of definition 777.
//
// Rows: a menu shows numFit rows of itemHeight. When items lie above, the
// first row is the up strip; when items lie below, the last row is the down
// strip; the rows between show items from firstVisible on.
#include "AModMenu.h"

#include "KsHandle.h"
#include "KsPortSavers.h"
#include "KsTime.h"
#include "QuickDraw.h"

#include <algorithm>
#include <memory>
#include <string_view>

namespace {
constexpr KsRGBColor kText{0, 0, 0};
constexpr KsRGBColor kDisabledText{0x8000, 0x8000, 0x8000};
constexpr KsRGBColor kHiliteBack{0x3000, 0x3C00, 0x7000};
constexpr KsRGBColor kHiliteText{0xFFFF, 0xFFFF, 0xFFFF};
constexpr KsRGBColor kEtchDark{0x9000, 0x9000, 0x9000};
constexpr KsRGBColor kEtchLight{0xFFFF, 0xFFFF, 0xFFFF};
constexpr KsRGBColor kStripBack{0xC800, 0xC800, 0xC800};
constexpr SInt16 kTextLeft = 6;
constexpr SInt16 kKeyRight = 4; // the key column ends this far in

// Glyph rows, most significant bit leftmost.
// The Shift glyph is a hollow arrow nine columns wide.
constexpr std::array<UInt16, 16> kShift = {0x0000, 0x0000, 0x0000, 0x0000, 0x0800, 0x1400,
                                           0x2200, 0x4100, 0xE380, 0x2200, 0x2200, 0x3E00,
                                           0x0000, 0x0000, 0x0000, 0x0000};
constexpr SInt16 kShiftGlyphWidth = 9;
constexpr std::array<UInt16, 16> kArrow = {0x0000, 0x0000, 0x0000, 0x0800, 0x0C00, 0x0E00,
                                           0x0F00, 0x0F80, 0x0F00, 0x0E00, 0x0C00, 0x0800,
                                           0x0000, 0x0000, 0x0000, 0x0000};
constexpr std::array<UInt16, 16> kUp = {0x0000, 0x0000, 0x0000, 0x0000, 0x0100, 0x0380,
                                        0x07C0, 0x0FE0, 0x1FF0, 0x0000, 0x0000, 0x0000,
                                        0x0000, 0x0000, 0x0000, 0x0000};

void Paint(const KsRect& r, const KsRGBColor& c) {
    const Rect rr = ToRect(r);
    const RGBColor rc = ToRGBColor(c);
    PaintRGBRect(&rr, &rc);
}

SInt16 Clamp16(long v) {
    return SInt16(std::clamp<long>(v, -32768, 32767));
}

// An item's text as shown: mnemonic marks left out.
void ShownText(MenuHandle menu, SInt16 item, Str255 shown) {
    Str255 text;
    GetMenuItemText(menu, MenuItemIndex(item), text);
    KsMenuDisplayText(text, shown, nullptr);
}

bool IsSeparatorText(ConstStr255Param s) {
    return s[0] == 1 && s[1] == '-';
}

char Fold(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}
} // namespace

AModMenu::AModMenu() {
    shiftGlyph = kShift;
    arrowGlyph = kArrow;
    upGlyph = kUp;
    // The down triangle is the up one upside down (its rows 4 to 8).
    for (std::size_t i = 0; i < 16; ++i)
        downGlyph[i] = i >= 4 && i <= 8 ? kUp[12 - i] : 0;
}

void AModMenu::IModMenu(SInt16 id) {
    IMenuDefProc(id);
    Bind(id);
    MeasureFont();
}

void AModMenu::SetMenuFont(SInt16 font, SInt16 size) {
    menuFont = font;
    menuSize = size;
    MeasureFont();
}

// A font whose lines measure 0, or more than the menu's limit, still gives
// one visible row: heights are held to [1, kMaxMenuHeight].
void AModMenu::MeasureFont() {
    StTextIn text(menuFont, menuSize, 0);
    FontInfo fi{};
    GetFontInfo(&fi);
    ascent = fi.ascent;
    descent = fi.descent;
    itemHeight =
        Clamp16(std::clamp<long>(long(fi.ascent) + fi.descent + fi.leading, 1, kMaxMenuHeight));
    cmdWidth = CharWidth('W');
    leadPlus2 = Clamp16(long(fi.leading) + 2);
}

// ---------------------------------------------------------------------------
// Sizing

void AModMenu::CalcSizeMenu(MenuHandle menu, SInt16* width, SInt16* height) {
    MeasureFont();
    StTextIn text(menuFont, menuSize, 0);
    const SInt16 n = CountMItems(menu);
    long widest = 0;
    for (SInt16 i = 1; i <= n; ++i) {
        Str255 shown;
        ShownText(menu, i, shown);
        long w = TextWidth(shown + 1, 0, shown[0]);
        CharParameter cmd = 0;
        GetItemCmd(menu, MenuItemIndex(i), &cmd);
        if (cmd == hMenuCmd) {
            w += kHierExtra;
        } else if (cmd) {
            w += cmdWidth + (leadPlus2 - 2);
            Style style = 0;
            GetItemStyle(menu, MenuItemIndex(i), &style);
            if (style & kMenuShiftStyle) w += kShiftExtra;
        }
        widest = std::max(widest, w);
    }
    const long whole = kMaxMenuHeight / itemHeight;
    if (width) *width = Clamp16(widest + leadPlus2 + kWidthExtra);
    if (height) *height = Clamp16(std::min<long>(n, whole) * itemHeight);
}

void AModMenu::SizeMenu(MenuHandle menu) {
    SInt16 w = 0, h = 0;
    CalcSizeMenu(menu, &w, &h);
    (*menu)->menuWidth = w;
    (*menu)->menuHeight = h;
}

// The chosen item lies under the point, in this definition's rows; an item
// beyond the first screenful opens scrolled so that it shows. The standard
// placement then keeps the rectangle on the screen.
void AModMenu::PlacePopup(MenuHandle menu, KsRect* rect, KsPoint pt, SInt16* item) {
    MeasureFont();
    MenuVars& v = Vars(menu);
    v.placedFirst = 0;
    const SInt16 fit = SInt16(std::max(1, (*menu)->menuHeight / itemHeight));
    SInt16 row = 0;
    if (item && *item > 0 && *item <= CountMItems(menu)) {
        v.numItems = CountMItems(menu);
        v.numFit = fit;
        v.firstVisible = *item > fit - 1 ? SInt16(std::max(2, *item - fit / 2)) : SInt16(1);
        Layout(v);
        v.placedFirst = v.firstVisible;
        row = SInt16(*item - v.firstVisible + (v.moreAbove ? 1 : 0));
    }
    const long top = long(pt.v) - long(row) * itemHeight;
    KsRect r{pt.h, SInt32(top), pt.h + (*menu)->menuWidth, SInt32(top + (*menu)->menuHeight)};
    SInt16 none = 0;
    AMenuDefProc::PlacePopup(menu, &r, KsPoint{r.left, r.top}, &none);
    *rect = r;
}

// ---------------------------------------------------------------------------
// State

AModMenu::MenuVars& AModMenu::Vars(MenuHandle menu) {
    MenuVars* slot = &vars[0];
    for (MenuVars& v : vars) {
        if (v.menu == menu) {
            slot = &v;
            break;
        }
        if (v.lastUsed < slot->lastUsed) slot = &v;
    }
    if (slot->menu != menu) *slot = MenuVars{menu};
    slot->lastUsed = ++useCounter;
    return *slot;
}

const AModMenu::MenuVars* AModMenu::VarsOf(MenuHandle menu) const {
    for (const MenuVars& v : vars)
        if (v.menu == menu && menu) return &v;
    return nullptr;
}

// Strips need a row of items between them; fewer rows than 3 scroll only
// from the keyboard.
void AModMenu::Layout(MenuVars& v) const {
    if (v.numFit < 3) {
        v.firstVisible =
            std::clamp<SInt16>(v.firstVisible, 1, SInt16(std::max(1, v.numItems - v.numFit + 1)));
        v.moreAbove = v.moreBelow = false;
        return;
    }
    // Scrolled to the end, the up strip takes the first row.
    v.firstVisible =
        std::clamp<SInt16>(v.firstVisible, 1, SInt16(std::max(1, v.numItems - v.numFit + 2)));
    v.moreAbove = v.firstVisible > 1;
    const SInt16 rows = SInt16(v.numFit - (v.moreAbove ? 1 : 0));
    v.moreBelow = v.firstVisible + rows - 1 < v.numItems;
    // With the down strip gone the last item fits one row higher up.
    if (!v.moreBelow && v.moreAbove && v.firstVisible + rows - 2 >= v.numItems) {
        v.firstVisible = SInt16(std::max(1, v.numItems - rows + 1));
        v.moreAbove = v.firstVisible > 1;
    }
}

SInt16 AModMenu::ItemRows(const MenuVars& v) const {
    return SInt16(v.numFit - (v.moreAbove ? 1 : 0) - (v.moreBelow ? 1 : 0));
}

void AModMenu::InitMenuVars(MenuHandle menu, const KsRect& rect) {
    MenuVars& v = Vars(menu);
    v.numItems = CountMItems(menu);
    const SInt32 h = std::min<SInt32>(rect.Height(), (*menu)->menuHeight);
    v.numFit = SInt16(std::max<SInt32>(1, h / itemHeight));
    Layout(v);
    current = &v;
    lastDrawn = 0;
    hierPending = false;
    restoreHilite = false;
}

KsRect AModMenu::GetItemRect(const KsRect& menuRect, SInt16 item) const {
    if (!current) return KsRect{};
    const MenuVars& v = *current;
    const SInt16 rows = ItemRows(v);
    if (item < v.firstVisible || item >= v.firstVisible + rows || item > v.numItems)
        return KsRect{};
    const SInt32 top =
        menuRect.top + (SInt32(v.moreAbove ? 1 : 0) + item - v.firstVisible) * itemHeight;
    return KsRect{menuRect.left, top, menuRect.right, top + itemHeight};
}

KsRect AModMenu::ItemRectNow(MenuHandle menu, const KsRect& menuRect, SInt16 item) const {
    const MenuVars* v = VarsOf(menu);
    if (!v) return KsRect{};
    const MenuVars* saved = current;
    const_cast<AModMenu*>(this)->current = v;
    const KsRect r = GetItemRect(menuRect, item);
    const_cast<AModMenu*>(this)->current = saved;
    return r;
}

bool AModMenu::IsChoosable(MenuHandle menu, SInt16 item) const {
    if (item < 1 || item > CountMItems(menu)) return false;
    if (!IsMenuItemEnabled(menu, 0) || !IsMenuItemEnabled(menu, MenuItemIndex(item))) return false;
    Str255 text;
    GetMenuItemText(menu, MenuItemIndex(item), text);
    return !IsSeparatorText(text);
}

// ---------------------------------------------------------------------------
// Drawing

void AModMenu::DrawGlyph(const Glyph& g, SInt32 left, SInt32 top) const {
    for (SInt32 y = 0; y < 16; ++y) {
        const UInt16 row = g[std::size_t(y)];
        for (SInt32 x = 0; x < 16;) {
            if (!(row & (0x8000u >> x))) {
                ++x;
                continue;
            }
            SInt32 end = x;
            while (end < 16 && (row & (0x8000u >> end)))
                ++end;
            const Rect r{Clamp16(top + y), Clamp16(left + x), Clamp16(top + y + 1),
                         Clamp16(left + end)};
            PaintRect(&r);
            x = end;
        }
    }
}

void AModMenu::DrawStrip(const KsRect& rect, bool top) {
    const KsRect r = top ? KsRect{rect.left, rect.top, rect.right, rect.top + itemHeight}
                         : KsRect{rect.left, rect.top + (current->numFit - 1) * itemHeight,
                                  rect.right, rect.top + current->numFit * itemHeight};
    Paint(r, kStripBack);
    const RGBColor fg = ToRGBColor(kText);
    RGBForeColor(&fg);
    DrawGlyph(top ? upGlyph : downGlyph, (r.left + r.right) / 2 - 8, r.top + (itemHeight - 16) / 2);
}

void AModMenu::DrawItem(MenuHandle menu, const KsRect& menuRect, SInt16 item) {
    const KsRect r = GetItemRect(menuRect, item);
    if (r.IsEmpty()) return;
    const bool hilited = item == lastDrawn && restoreHilite;
    StColorPenSaver pen;
    StTextIn text(menuFont, menuSize, 0);
    Paint(r, hilited ? kHiliteBack : kBackground);
    Str255 shown;
    ShownText(menu, item, shown);
    if (IsSeparatorText(shown)) {
        const SInt32 mid = r.top + itemHeight / 2;
        Paint(KsRect{r.left + 1, mid - 1, r.right - 1, mid}, kEtchDark);
        Paint(KsRect{r.left + 1, mid, r.right - 1, mid + 1}, kEtchLight);
        return;
    }
    const bool enabled = IsMenuItemEnabled(menu, 0) && IsMenuItemEnabled(menu, MenuItemIndex(item));
    const RGBColor fg = ToRGBColor(hilited ? kHiliteText : enabled ? kText : kDisabledText);
    RGBForeColor(&fg);
    Style style = 0;
    GetItemStyle(menu, MenuItemIndex(item), &style);
    TextFace(Style(style & ~kMenuShiftStyle));
    const SInt16 baseline = Clamp16(r.top + (itemHeight - ascent - descent) / 2 + ascent);
    MoveTo(Clamp16(r.left + kTextLeft), baseline);
    DrawText(shown + 1, 0, shown[0]);
    TextFace(0);
    CharParameter cmd = 0;
    GetItemCmd(menu, MenuItemIndex(item), &cmd);
    const SInt32 glyphTop = r.top + (itemHeight - 16) / 2;
    if (cmd == hMenuCmd) {
        DrawGlyph(arrowGlyph, r.right - kArrowFromRight, glyphTop);
    } else if (cmd) {
        const SInt32 keyLeft = r.right - kKeyRight - cmdWidth;
        MoveTo(Clamp16(keyLeft), baseline);
        DrawChar(cmd);
        if (style & kMenuShiftStyle)
            DrawGlyph(shiftGlyph, keyLeft - kShiftGlyphWidth - 2, glyphTop);
    }
}

void AModMenu::DrawBody(MenuHandle menu, const KsRect& rect) {
    StColorPenSaver pen;
    Paint(rect, kBackground);
    const MenuVars& v = *current;
    const SInt16 rows = ItemRows(v);
    for (SInt16 i = 0; i < rows; ++i)
        DrawItem(menu, rect, SInt16(v.firstVisible + i));
    if (v.moreAbove) DrawStrip(rect, true);
    if (v.moreBelow) DrawStrip(rect, false);
}

void AModMenu::DrawMenu(MenuHandle menu, KsRect* rect) {
    // A menu opens at its top, or where its pop-up placement put it.
    const MenuVars* before = VarsOf(menu);
    const SInt16 first = before && before->placedFirst ? before->placedFirst : 1;
    InitMenuVars(menu, *rect);
    MenuVars& v = Vars(menu);
    v.placedFirst = 0;
    v.firstVisible = first;
    Layout(v);
    DrawBody(menu, *rect);
}

void AModMenu::HiliteItem(MenuHandle menu, const KsRect& rect, SInt16 item, bool on) {
    MenuVars& v = Vars(menu);
    current = &v;
    if (on && GetItemRect(rect, item).IsEmpty() && item >= 1 && item <= v.numItems) {
        // Chosen from the keyboard out of sight: scroll it into the rows.
        v.firstVisible = item < v.firstVisible ? SInt16(item - 1) : SInt16(item - ItemRows(v) + 2);
        Layout(v);
        lastDrawn = item;
        restoreHilite = true;
        DrawBody(menu, rect);
        return;
    }
    lastDrawn = item;
    restoreHilite = on;
    DrawItem(menu, rect, item);
    if (!on) restoreHilite = false;
}

// ---------------------------------------------------------------------------
// Tracking

void AModMenu::Scroll(MenuHandle menu, const KsRect& rect, SInt16 by, bool pause) {
    MenuVars& v = Vars(menu);
    current = &v;
    const SInt16 before = v.firstVisible;
    v.firstVisible = SInt16(v.firstVisible + by);
    if (by < 0 && v.firstVisible <= kTopSnap) v.firstVisible = 1;
    Layout(v);
    if (v.firstVisible == before) return;
    lastDrawn = 0;
    restoreHilite = false;
    DrawBody(menu, rect);
    if (pause) KsDoNothing(kScrollPauseMs);
}

void AModMenu::ScrollTop(MenuHandle menu, const KsRect& rect, bool pause) {
    Scroll(menu, rect, -1, pause);
}

void AModMenu::ScrollBot(MenuHandle menu, const KsRect& rect, bool pause) {
    Scroll(menu, rect, 1, pause);
}

bool AModMenu::WantsTime(MenuHandle menu, const KsRect& menuRect, KsPoint pt) const {
    const MenuVars* v = VarsOf(menu);
    if (!v || pt.h < menuRect.left || pt.h >= menuRect.right) return false;
    const SInt32 row = (pt.v - menuRect.top) / itemHeight;
    return (v->moreAbove && pt.v >= menuRect.top && row == 0) ||
           (v->moreBelow && row == v->numFit - 1);
}

void AModMenu::ChooseItem(MenuHandle menu, KsRect* rect, KsPoint pt, SInt16* item) {
    MenuVars& v = Vars(menu);
    current = &v;
    if (v.numFit == 0) InitMenuVars(menu, *rect);
    const KsRect& r = *rect;
    SInt16 found = 0;
    const bool inside =
        pt.h >= r.left && pt.h < r.right && pt.v >= r.top && pt.v < r.top + v.numFit * itemHeight;
    if (inside) {
        const SInt32 row = (pt.v - r.top) / itemHeight;
        if (v.moreAbove && row == 0) {
            if (*item) HiliteItem(menu, r, *item, false);
            *item = 0;
            ScrollTop(menu, r, true);
            return;
        }
        if (v.moreBelow && row == v.numFit - 1) {
            if (*item) HiliteItem(menu, r, *item, false);
            *item = 0;
            ScrollBot(menu, r, true);
            return;
        }
        const SInt16 it = SInt16(v.firstVisible + row - (v.moreAbove ? 1 : 0));
        if (IsChoosable(menu, it)) found = it;
    }
    if (found == *item) return;
    if (*item) HiliteItem(menu, r, *item, false);
    if (found) HiliteItem(menu, r, found, true);
    *item = found;
}

// ---------------------------------------------------------------------------
// Keys

SInt32 AModMenu::MenuKeyPass(MenuHandle menu, char key, KeyPass pass, SInt16* item) {
    if (!menu || !IsMenuItemEnabled(menu, 0)) return 0;
    const char want = Fold(key);
    const SInt16 n = CountMItems(menu);
    for (SInt16 i = 1; i <= n; ++i) {
        if (!IsMenuItemEnabled(menu, MenuItemIndex(i))) continue;
        CharParameter cmd = 0;
        GetItemCmd(menu, MenuItemIndex(i), &cmd);
        if (!cmd || cmd == hMenuCmd || Fold(char(cmd)) != want) continue;
        Style style = 0;
        GetItemStyle(menu, MenuItemIndex(i), &style);
        const bool shifted = (style & kMenuShiftStyle) != 0;
        if ((pass == KeyPass::shifted && !shifted) || (pass == KeyPass::unshifted && shifted))
            continue;
        if (item) *item = i;
        return SInt32(UInt32(UInt16(GetMenuID(menu))) << 16 | UInt16(i));
    }
    if (item) *item = 0;
    return 0;
}

SInt32 AModMenu::MenuKey(MenuHandle menu, char key, SInt16* item) {
    return MenuKeyPass(menu, key, KeyPass::any, item);
}

// ---------------------------------------------------------------------------
// Installation

AModMenu* InstallModMenuMDEF() {
    // The one object of definition 777, for the life of the process.
    static const std::unique_ptr<AModMenu> modMenu = [] {
        auto m = std::make_unique<AModMenu>();
        m->IModMenu(AMenuDefProc::kModMenuDefID);
        return m;
    }();
    return modMenu.get();
}

bool IsModMenu(MenuHandle menu) {
    AMenuDefProc* def = AMenuDefProc::FromMenu(menu);
    return def && def->IsInstanceOf("AModMenu") && def->GetDefID() == AMenuDefProc::kModMenuDefID;
}

void SetIsModMenu(MenuHandle menu) {
    if (!menu) return;
    InstallModMenuMDEF();
    KsSetMenuDefID(menu, AMenuDefProc::kModMenuDefID);
}

SInt32 ModMenuKey(char key, SInt16 modifiers) {
    Handle bar = GetMenuBar();
    if (!bar) return 0;
    AModMenu* mod = InstallModMenuMDEF();
    auto pass = [&](AModMenu::KeyPass which) -> SInt32 {
        for (KsMenuListPart part : {KsMenuListPart::bar, KsMenuListPart::hierarchical}) {
            const SInt16 n = KsMenuListCount(bar, part);
            for (SInt16 i = 0; i < n; ++i)
                if (const SInt32 hit =
                        mod->MenuKeyPass(KsMenuListGet(bar, part, i), key, which, nullptr))
                    return hit;
        }
        return 0;
    };
    SInt32 hit = 0;
    if (modifiers & AModMenu::kShiftModifier) hit = pass(AModMenu::KeyPass::shifted);
    if (!hit) hit = pass(AModMenu::KeyPass::unshifted);
    KsDisposeHandle(bar);
    return hit;
}
