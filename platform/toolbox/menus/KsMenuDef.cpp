// Menu definitions: the registry, the hooks, and the standard text menu's
// layout (sizing, hit testing, pop-up placement) and its calls to the painter.
#include "KsMenuDef.h"

#include "MenuBarPrivate.h"
#include "MenusPrivate.h"

#include <algorithm>
#include <map>

KsMenuDef::~KsMenuDef() = default;

Rect KsMenuDef::ItemRect(MenuHandle menu, const Rect& menuRect, MenuItemIndex item) const {
    if (item < 1 || item > CountMItems(menu)) return Rect{0, 0, 0, 0};
    const long height = KsMenuLineHeight();
    const long top = long(menuRect.top) + long(item - 1) * height;
    return Rect{KsMenuClamp16(top), menuRect.left, KsMenuClamp16(top + height), menuRect.right};
}

bool KsMenuDef::WantsTime(MenuHandle, const Rect&, Point) const {
    return false;
}
KsMenuPainter::~KsMenuPainter() = default;

// ---------------------------------------------------------------------------
// Registry

namespace {
struct Registration {
    KsMenuDefFactory factory;
    std::shared_ptr<KsMenuDef> made;
};

std::map<SInt16, Registration>& Registry() {
    static std::map<SInt16, Registration> registry;
    return registry;
}

KsTextMenuDef& StandardDef() {
    static KsTextMenuDef def;
    return def;
}

KsMenuTextMeasure gMeasure;
KsMenuPainter* gPainter = nullptr;
KsMenuScreenProc gScreenProc = nullptr;
} // namespace

void KsRegisterMenuDef(SInt16 procID, KsMenuDefFactory factory) {
    auto& registry = Registry();
    if (!factory) {
        registry.erase(procID);
        return;
    }
    registry[procID] = Registration{std::move(factory), nullptr};
}

KsMenuDef& KsGetMenuDef(SInt16 procID) {
    auto& registry = Registry();
    auto it = registry.find(procID);
    if (it == registry.end()) return StandardDef();
    if (!it->second.made) it->second.made = it->second.factory(procID);
    if (!it->second.made) return StandardDef();
    return *it->second.made;
}

KsMenuDef& KsMenuDefOf(MenuHandle menu) {
    return KsGetMenuDef((*menu)->menuProcID);
}

void CalcMenuSize(MenuHandle menu) {
    KsMenuDefOf(menu).Size(menu);
}

KsMenuTextMeasure KsSetMenuTextMeasure(KsMenuTextMeasure measure) {
    std::swap(gMeasure, measure);
    return measure;
}

KsMenuPainter* KsSetMenuPainter(KsMenuPainter* painter) {
    std::swap(gPainter, painter);
    return painter;
}

KsMenuScreenProc KsSetMenuScreenProc(KsMenuScreenProc proc) {
    std::swap(gScreenProc, proc);
    return proc;
}

// ---------------------------------------------------------------------------
// The standard text menu

namespace {
SInt16 Width(std::string_view text, Style face) {
    if (gMeasure.width) return gMeasure.width(text, face);
    return static_cast<SInt16>(std::min<std::size_t>(text.size() * 7, 0x7FFF));
}

bool IsSeparator(const KsMenuItem& it) {
    return it.text == "-";
}
bool HasKey(const KsMenuItem& it) {
    return it.cmd >= 0x20;
}

SInt16 ItemHeight(const KsMenuItem& it) {
    return std::max<SInt16>(gMeasure.lineHeight, it.icon ? KsTextMenuDef::kIconSize + 2 : 0);
}

SInt16 Clamp16(long v) {
    return static_cast<SInt16>(std::clamp<long>(v, -32768, 32767));
}
} // namespace

void KsTextMenuDef::Size(MenuHandle menu) {
    const KsMenuData& d = *(*menu)->data;
    long textColumn = 0, keyColumn = 0, height = 0;
    for (const KsMenuItem& it : d.items) {
        height += ItemHeight(it);
        if (IsSeparator(it)) continue;
        Str255 ptext, shown;
        KsMenuToPString(it.text, ptext);
        KsMenuDisplayText(ptext, shown, nullptr);
        long w = Width(std::string_view(reinterpret_cast<const char*>(shown + 1), shown[0]),
                       it.style & ~kMenuShiftStyle);
        if (it.icon) w += kIconSize + 4;
        textColumn = std::max(textColumn, w);
        if (it.cmd == hMenuCmd) {
            keyColumn = std::max<long>(keyColumn, kKeyGap + kSubmenuArrow);
        } else if (HasKey(it)) {
            const char glyphs[2] = {char(kCommandGlyph), char(it.cmd)};
            long k = kKeyGap + Width(std::string_view(glyphs, 2), normal);
            if (it.style & kMenuShiftStyle) k += kShiftGlyph;
            keyColumn = std::max(keyColumn, k);
        }
    }
    (*menu)->menuWidth = Clamp16(kMarkColumn + textColumn + keyColumn + kRightMargin);
    (*menu)->menuHeight = Clamp16(height);
}

Rect KsTextMenuDef::ItemRect(MenuHandle menu, const Rect& menuRect, MenuItemIndex item) const {
    const auto& items = (*menu)->data->items;
    if (item < 1 || std::size_t(item) > items.size()) return Rect{0, 0, 0, 0};
    long top = menuRect.top;
    for (MenuItemIndex i = 1; i < item; ++i)
        top += ItemHeight(items[std::size_t(i) - 1]);
    const long bottom = top + ItemHeight(items[std::size_t(item) - 1]);
    return Rect{Clamp16(top), menuRect.left, Clamp16(bottom), menuRect.right};
}

KsMenuItemLayout KsTextMenuDef::Layout(MenuHandle menu, const Rect& menuRect,
                                       MenuItemIndex item) const {
    KsMenuItemLayout out{};
    const KsMenuItem* it = KsMenuItemAt(menu, item);
    if (!it) return out;
    out.item = item;
    out.rect = ItemRect(menu, menuRect, item);
    Str255 ptext;
    KsMenuToPString(it->text, ptext);
    KsMenuDisplayText(ptext, out.text, &out.mnemonic, &out.mnemonicAt);
    out.submenu = it->cmd == hMenuCmd;
    out.mark = out.submenu ? 0 : it->mark;
    out.cmd = HasKey(*it) ? it->cmd : 0;
    out.shiftKey = out.cmd && (it->style & kMenuShiftStyle);
    out.separator = IsSeparator(*it);
    out.enabled = it->enabled && (*menu)->data->enabled;
    out.icon = it->icon;
    out.style = static_cast<Style>(it->style & ~kMenuShiftStyle);
    return out;
}

void KsTextMenuDef::Draw(MenuHandle menu, const Rect& menuRect) {
    if (!gPainter) return;
    gPainter->DrawBackground(menu, menuRect);
    const SInt16 n = CountMItems(menu);
    for (MenuItemIndex i = 1; i <= n; ++i) {
        const KsMenuItemLayout layout = Layout(menu, menuRect, i);
        if (layout.rect.top >= menuRect.bottom) break;
        gPainter->DrawItem(menu, layout, false);
    }
}

void KsTextMenuDef::Hilite(MenuHandle menu, const Rect& menuRect, MenuItemIndex item, bool on) {
    if (!gPainter || !KsMenuItemAt(menu, item)) return;
    gPainter->DrawItem(menu, Layout(menu, menuRect, item), on);
}

void KsTextMenuDef::Choose(MenuHandle menu, Rect& menuRect, Point hit, MenuItemIndex* item) {
    MenuItemIndex found = 0;
    const bool inside = hit.v >= menuRect.top && hit.v < menuRect.bottom &&
                        hit.h >= menuRect.left && hit.h < menuRect.right;
    const KsMenuData& d = *(*menu)->data;
    if (inside && d.enabled) {
        long top = menuRect.top;
        for (std::size_t i = 0; i < d.items.size() && top <= hit.v; ++i) {
            const long bottom = top + ItemHeight(d.items[i]);
            if (hit.v < bottom) {
                if (d.items[i].enabled && !IsSeparator(d.items[i]))
                    found = static_cast<MenuItemIndex>(i + 1);
                break;
            }
            top = bottom;
        }
    }
    if (found == *item) return;
    if (*item) Hilite(menu, menuRect, *item, false);
    if (found) Hilite(menu, menuRect, found, true);
    *item = found;
}

void KsTextMenuDef::PlacePopUp(MenuHandle menu, Rect& menuRect, Point where, MenuItemIndex* item) {
    long top = where.v;
    if (item && KsMenuItemAt(menu, *item)) {
        const Rect r = ItemRect(menu, Rect{0, 0, 0, 0}, *item);
        top -= r.top;
    }
    long left = where.h;
    const long width = (*menu)->menuWidth, height = (*menu)->menuHeight;
    if (gScreenProc) {
        const Rect screen = gScreenProc(where);
        if (top + height > screen.bottom - 2) top = screen.bottom - 2 - height;
        if (top < screen.top + kMenuBarHeight) top = screen.top + kMenuBarHeight;
        if (left + width > screen.right - 4) left = screen.right - 4 - width;
    }
    menuRect = Rect{Clamp16(top), Clamp16(left), Clamp16(top + height), Clamp16(left + width)};
}
