// APopupMenuGad: set-up, arrow keys, focus and label.
#include "APopupMenuGad.h"

#include "AButtonsPrivate.h"
#include "AGadgetPrivate.h"
#include "APanePrivate.h"
#include "KsColorScheme.h"
#include "KsDrawUtils.h"
#include "MacText.h"
#include "QuickDraw.h"

namespace {
APortable* MakeObject() {
    return new APopupMenuGad;
}
APane* MakePane() {
    return new APopupMenuGad;
}
const bool kRegistered = (APopupMenuGad::PCRegister(), true);
} // namespace

SInt16 GetNextEnabledItemNumber(MenuHandle menu, SInt16 item, SInt16 direction) {
    if (!menu || direction == 0) return 0;
    const SInt16 count = CountMenuItems(menu);
    const SInt16 step = direction > 0 ? 1 : -1;
    SInt16 i = item;
    if (i <= 0 || i > count) i = step > 0 ? 0 : SInt16(count + 1);
    for (i = SInt16(i + step); i >= 1 && i <= count; i = SInt16(i + step))
        if (IsMenuItemEnabled(menu, MenuItemIndex(i))) return i;
    return 0;
}

void APopupMenuGad::PCRegister() {
    KsRegisterButtonClass(kClassID, kClassInfo.name, MakePane, MakeObject);
}

// What IPopupMenuGad sets that no stream or description carries.
APopupMenuGad::APopupMenuGad() {
    canBeTabbedTo = true;
    border = kBorderBubble;
    menuEnableMode = kGadMenuFullEnable;
    showMenuIcon = true;
}

APopupMenuGad* APopupMenuGad::New(APane* encl, const char* labelText, SInt16 left, SInt16 right,
                                  SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei, SInt16 labelPos,
                                  SInt16 just) {
    (void)kRegistered;
    auto* b = new APopupMenuGad;
    b->IPopupMenuGad(encl, labelText, left, right, wid, top, bot, hei, labelPos, just);
    return b;
}

void APopupMenuGad::IPopupMenuGad(APane* encl, const char* labelText, SInt16 left, SInt16 right,
                                  SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei, SInt16 labelPos,
                                  SInt16 just) {
    IPushButton(encl, left, right, wid, top, bot, hei, nullptr, 0, 0);
    canBeTabbedTo = true;
    SetPopsDown(true);
    SetTakesMenuVal(true);
    SetMenuFullEnable(true);
    SetShowMenuIcon(true);
    SetBorderStyle(kBorderBubble);
    SetFontSizeFace(1, 9, 0);
    SetMenuFontSize(1, 9);
    SetJust(just);
    UpdateColorScheme();
    if (labelText && *labelText) {
        AddLabel(labelText, labelPos);
        if (label) {
            label->SetFontSizeFace(1, 9, 0);
            label->SetJust(0);
        }
    }
}

void APopupMenuGad::StepMenu(SInt16 direction, void* refCon) {
    StPaneHold hold(this);
    if (hasMenu) UpdateMenu(refCon);
    if (downClickProc) downClickProc(this, refCon);
    if (!hold.Alive()) return;
    if (hasMenu && takesMenuVal) SetMenuCheckMark(itsMenuItem);
    MenuHandle menu = GetMenuHandleOnly();
    const SInt16 next = GetNextEnabledItemNumber(menu, MenuValueToItem(itsMenuItem), direction);
    if (next == 0) return;
    const SInt32 value = ItemToMenuValue(next);
    if (value == itsMenuItem) return;
    SetMenuItem(value, false);
    if (upClickProc) upClickProc(this, refCon, itsMenuID, value);
}

bool APopupMenuGad::DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) {
    if (GetEnabled() && active) {
        if (keyCode == kButtonKeyLeft || keyCode == kButtonKeyUp) {
            StepMenu(-1, data);
            return true;
        }
        if (keyCode == kButtonKeyRight || keyCode == kButtonKeyDown) {
            StepMenu(1, data);
            return true;
        }
    }
    return APushButton::DoKeyDown(charCode, keyCode, event, data);
}

// The menu opens on the press; the button takes the focus first, so that the
// arrow keys work on it afterwards.
void APopupMenuGad::DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) {
    if (!displayOnly && GetEnabled() && !active && CanBeTabbedTo() &&
        GadInRect(GetActiveRect(), pt)) {
        Activate();
        if (AWindow* w = GetEnclWindow()) w->SetTargetPane(this);
    }
    APushButton::DoClick(pt, modifiers, when, data);
}

// The label in its strip, on a lighter ground while the button holds the
// focus.
void APopupMenuGad::DrawLabel() {
    const SInt16 dx = GetLabelDX(), dy = GetLabelDY();
    if (!label || (!dx && !dy)) return;
    const KsRect b = GetBounds();
    KsRect r = b;
    if (dx) r.right = b.left + dx - 3;
    if (dy) r.bottom = b.top + dy;
    KsRGBColor bg = itsEnclPane ? itsEnclPane->GetBkndColor() : GetBkndColor();
    if (active) {
        bg = ScaleRGBIntensity(bg, 115, 100);
        const Rect area = ToRect(r.Intersect(GetVisBounds()));
        const RGBColor c = ToRGBColor(bg);
        EraseRGBRect(&area, &c);
    }
    KsRGBColor fg = GetLabelColor();
    GetSchemeTextColor(&fg);
    AdjustFGColorContrast(&fg, bg);
    if (!GetEnabled()) fg = AverageRGB(fg, bg, 0.4);
    label->DrawInColor(r, fg, bg, 1);
}

void APopupMenuGad::FocusChanged() {
    if (AWindow* w = GetEnclWindow()) {
        if (active)
            w->SetActivePane(this);
        else if (w->GetActivePane() == this)
            w->SetActivePane(nullptr);
    }
    StPaneWindowPort port(this);
    if (!port.ok()) return;
    const Rect vb = ToRect(GetVisBounds());
    ClipRect(&vb);
    if (label)
        DrawLabel();
    else
        DrawInterior(nullptr, nullptr);
}

void APopupMenuGad::Activate() {
    if (!CanBeTabbedTo() || active) return;
    active = true;
    FocusChanged();
}

void APopupMenuGad::Deactivate() {
    if (!active) return;
    active = false;
    FocusChanged();
}

void APopupMenuGad::UpdateColorScheme() {
    if (border != kBorderButton) KsApplySchemeButtonColor(this);
}

// Until a menu is attached the label follows the button's font.
void APopupMenuGad::SetFontSizeFace(SInt16 font, SInt16 size, SInt16 face) {
    APushButton::SetFontSizeFace(font, size, face);
    if (!label || GetMenuHandleOnly()) return;
    if (label->GetFont() == font && label->GetSize() == size && label->GetFace() == face) return;
    label->SetFontSizeFace(font, size, face);
    Inval();
}
