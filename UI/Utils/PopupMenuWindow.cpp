// PopupMenuWindow: layout in columns, drawing, and tracking on the back end.
#include "PopupMenuWindow.h"

#include "AScreenManOS.h"
#include "Events.h"
#include "KsColor.h"
#include "KsMenuDef.h"
#include "KsPortSavers.h"
#include "KsTextUtils.h"
#include "KsTime.h"
#include "KsWindowShell.h"
#include "Windows.h"

#include <algorithm>

namespace {
constexpr SInt16 kMarkRoom = 14;  // left of the text, for the check mark
constexpr SInt16 kRightRoom = 16; // right of the widest text
constexpr SInt16 kMenuBarRoom = 22;
constexpr SInt16 kScreenMargin = 2;
constexpr long kPollMs = 10;

void ToCString(ConstStr255Param p, char* out) {
    std::copy(p + 1, p + 1 + p[0], out);
    out[p[0]] = 0;
}

bool IsSeparator(ConstStr255Param text) {
    return text[0] >= 1 && text[1] == '-';
}

KsRect UsableScreen(Point anchor) {
    AScreenManOS* sm = AScreenManOS::New();
    KsRect s = sm->GetScreenBounds(sm->ScreenOfPoint({anchor.h, anchor.v}));
    s.top += kMenuBarRoom;
    return s.Insetted(kScreenMargin, kScreenMargin);
}
} // namespace

bool PopupMenuWindow::NeedsPopupMenuWindow(Point anchor, MenuHandle menu, SInt16 font,
                                           SInt16 size) {
    if (!menu || CountMItems(menu) == 0) return false;
    SInt16 hei = 0;
    GetTextPixelWidHei("", font, size, 0, nullptr, &hei);
    const SInt32 height = SInt32(CountMItems(menu)) * std::max<SInt32>(hei, 16);
    return height > UsableScreen(anchor).Height();
}

PopupMenuWindow::PopupMenuWindow(MenuHandle menu, SInt16 font, SInt16 size)
    : menu_(menu), font_(font), size_(size) {}

PopupMenuWindow::~PopupMenuWindow() {
    if (window_) DisposeWindow(window_);
}

void PopupMenuWindow::Layout(SInt16 maxHeight) {
    const SInt16 n = CountMItems(menu_);
    SInt16 hei = 0;
    GetTextPixelWidHei("", font_, size_, 0, nullptr, &hei);
    itemHeight_ = std::max<SInt16>(hei, 16);
    rows_ = std::max<SInt16>(1, SInt16(maxHeight / itemHeight_));
    rows_ = std::min(rows_, n);
    columns_ = SInt16((n + rows_ - 1) / rows_);
    SInt16 widest = 0;
    for (SInt16 i = 1; i <= n; ++i) {
        Str255 text;
        GetMenuItemText(menu_, i, text);
        char c[256];
        ToCString(text, c);
        widest = std::max(widest, GetLabelWidth(c, font_, size_, 0));
    }
    columnWidth_ = SInt16(widest + kMarkRoom + kRightRoom);
}

Rect PopupMenuWindow::ItemRect(SInt16 item) const {
    const SInt16 col = SInt16((item - 1) / rows_), row = SInt16((item - 1) % rows_);
    const SInt16 left = SInt16(col * columnWidth_), top = SInt16(row * itemHeight_);
    return Rect{top, left, SInt16(top + itemHeight_), SInt16(left + columnWidth_)};
}

SInt16 PopupMenuWindow::ItemAt(Point local) const {
    if (local.h < 0 || local.v < 0 || rows_ <= 0) return 0;
    const SInt32 col = local.h / columnWidth_, row = local.v / itemHeight_;
    if (col >= columns_ || row >= rows_) return 0;
    const SInt32 item = col * rows_ + row + 1;
    return item <= CountMItems(menu_) ? SInt16(item) : 0;
}

bool PopupMenuWindow::Selectable(SInt16 item) const {
    if (item <= 0 || !IsMenuItemEnabled(menu_, item)) return false;
    Str255 text;
    GetMenuItemText(menu_, item, text);
    return !IsSeparator(text);
}

void PopupMenuWindow::DrawItem(SInt16 item, bool hilited) const {
    if (item <= 0) return;
    const Rect r = ItemRect(item);
    const KsRect kr = ToKsRect(r);
    StColorPenSaver pen;
    const RGBColor bg = ToRGBColor(hilited ? RGBblack : RGBwhite);
    RGBForeColor(&bg);
    PaintRect(&r);
    Str255 text;
    GetMenuItemText(menu_, item, text);
    if (IsSeparator(text)) {
        const RGBColor grey = ToRGBColor(RGBgray8);
        RGBForeColor(&grey);
        MoveTo(r.left, SInt16((r.top + r.bottom) / 2));
        LineTo(SInt16(r.right - 1), SInt16((r.top + r.bottom) / 2));
        return;
    }
    const bool enabled = IsMenuItemEnabled(menu_, item);
    const KsRGBColor ink = hilited ? RGBwhite : enabled ? RGBblack : RGBgray8;
    if (item == marked_) {
        const char mark[2] = {char(0x12), 0}; // the check mark
        DrawTextHow(mark, {kr.left, kr.top, kr.left + kMarkRoom, kr.bottom}, 0, size_, 0, 1, ink);
    }
    char c[256];
    ToCString(text, c);
    Style style = 0;
    GetItemStyle(menu_, item, &style);
    DrawTextHow(c, {kr.left + kMarkRoom - 2, kr.top, kr.right, kr.bottom}, font_, size_,
                SInt16(style), 0, ink);
}

void PopupMenuWindow::DrawAll() const {
    for (SInt16 i = 1; i <= CountMItems(menu_); ++i)
        DrawItem(i, false);
}

KsRect PopupMenuWindow::Place(Point anchor, bool centerOnAnchor) {
    const KsRect screen = UsableScreen(anchor);
    Layout(SInt16(std::min<SInt32>(screen.Height(), 0x7FFF)));
    const SInt32 width = SInt32(columns_) * columnWidth_, height = SInt32(rows_) * itemHeight_;
    KsRect r{anchor.h, anchor.v, anchor.h + width, anchor.v + height};
    if (centerOnAnchor) r.Offset(-width / 2, -height / 2);
    // Kept on the screen: moved in from the right and bottom first, so that
    // a menu wider than the screen keeps its left part in view.
    if (r.right > screen.right) r.Offset(screen.right - r.right, 0);
    if (r.bottom > screen.bottom) r.Offset(0, screen.bottom - r.bottom);
    if (r.left < screen.left) r.Offset(screen.left - r.left, 0);
    if (r.top < screen.top) r.Offset(0, screen.top - r.top);
    return r;
}

bool PopupMenuWindow::Popup(Point anchor, bool centerOnAnchor, bool whileButtonDown) {
    selection_ = 0;
    if (!menu_ || CountMItems(menu_) == 0) return false;
    const KsRect r = Place(anchor, centerOnAnchor);
    const Rect bounds = ToRect(r);
    window_ = NewCWindow(nullptr, &bounds, nullptr, false, plainDBox, WindowPtr(-1), false, 0);
    if (!window_) return false;
    KsSetWindowLayer(window_, kKsPopupLayer);
    ShowWindow(window_);
    StPortSaver port(GetWindowPort(window_));
    DrawAll();

    SInt16 hot = 0;
    auto follow = [&] {
        const Point g = KsGetGlobalMouse();
        Point local{SInt16(g.v - r.top), SInt16(g.h - r.left)};
        SInt16 item = ItemAt(local);
        if (!Selectable(item)) item = 0;
        if (item == hot) return;
        DrawItem(hot, false);
        DrawItem(item, true);
        hot = item;
    };
    if (!whileButtonDown) {
        // Until the next press; the pointer's item is lit meanwhile.
        while (!Button()) {
            KsDoNothing(kPollMs);
            follow();
        }
    }
    while (StillDown()) {
        KsDoNothing(kPollMs);
        follow();
    }
    follow();
    FlushEvents(mDownMask | mUpMask, 0);
    DisposeWindow(window_);
    window_ = nullptr;
    selection_ = hot;
    return hot != 0;
}
