// AMacPopupMenu: the owned menu, tracking, keys, face and persistence.
#include "AMacPopupMenu.h"

#include "AGadgetPrivate.h"
#include "APanePrivate.h"
#include "APopupMenuGad.h"
#include "AStream.h"
#include "CoreAttrList.h"
#include "KsButtonDraw.h"
#include "KsDrawUtils.h"
#include "KsMenuUtils.h"
#include "KsPaneDump.h"
#include "KsPortSavers.h"
#include "KsTextUtils.h"
#include "QuickDraw.h"
#include "StPaneWindowPort.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace {
APortable* MakePopup() {
    return new AMacPopupMenu;
}
APane* MakePopupPane() {
    return new AMacPopupMenu;
}
void AddPopupProps(APane* p, CoreAttrList* l) {
    const auto* pop = static_cast<AMacPopupMenu*>(p);
    const SInt16 n = pop->CountItems();
    l->SetSInt16("mnItems", n);
    for (SInt16 i = 1; i <= n; ++i) {
        char key[16], text[256];
        std::snprintf(key, sizeof key, "mnItem%d", int(i));
        pop->GetItemText(i, text, sizeof text);
        l->SetText(key, text);
    }
}
void GetPopupProps(APane* p, CoreAttrList* l) {
    auto* pop = static_cast<AMacPopupMenu*>(p);
    const SInt32 value = pop->GetVal();
    pop->SetMenu(nullptr);
    const SInt16 n = std::clamp<SInt16>(l->GetSInt16("mnItems", 0), 0, 999);
    for (SInt16 i = 1; i <= n; ++i) {
        char key[16];
        std::snprintf(key, sizeof key, "mnItem%d", int(i));
        pop->AppendItem(l->GetText(key));
    }
    pop->SetVal(value);
}
const bool kRegistered = (AMacPopupMenu::PCRegister(),
                          TavikAddRegistration("AMacPopupMenu", AMacPopupMenu::PCRegister), true);

std::string ItemText(MenuHandle menu, SInt16 item) {
    Str255 text;
    GetMenuItemText(menu, item, text);
    return std::string(reinterpret_cast<const char*>(text + 1), text[0]);
}
} // namespace

void AMacPopupMenu::PCRegister() {
    RegisterControlClass(kClassID, kClassInfo.name, MakePopupPane, MakePopup, AddPopupProps,
                         GetPopupProps);
}

AMacPopupMenu::AMacPopupMenu() {
    canBeTabbedTo = true;
    ctlMin = 1;
    ctlMax = 1;
    ctlValue = 1;
}

AMacPopupMenu* AMacPopupMenu::New(APane* encl, const char* title, SInt16 left, SInt16 right,
                                  SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei) {
    (void)kRegistered;
    auto* p = new AMacPopupMenu;
    p->IMacControl(encl, title, left, right, wid, top, bot, hei, 1, 1, 1);
    p->canBeTabbedTo = true;
    return p;
}

AMacPopupMenu::~AMacPopupMenu() {
    if (menu) SafeDisposeMenu(menu);
}

void AMacPopupMenu::Dispose() {
    if (menu) SafeDisposeMenu(menu);
    menu = nullptr;
    AMacControl::Dispose();
}

// --- The menu -------------------------------------------------------------------

MenuHandle AMacPopupMenu::EnsureMenu() {
    if (!menu) menu = CreateNewMenu("", 0);
    return menu;
}

MenuHandle AMacPopupMenu::GetMenuHandleOnly() const {
    return menu;
}

void AMacPopupMenu::SetMenu(MenuHandle from) {
    if (menu) SafeDisposeMenu(menu);
    menu = nullptr;
    if (from) {
        EnsureMenu();
        for (SInt16 i = 1; i <= CountMItems(from); ++i) {
            AppendMenuLiteralCstr(menu, ItemText(from, i).c_str());
            if (!IsMenuItemEnabled(from, MenuItemIndex(i))) DisableMenuItem(menu, MenuItemIndex(i));
        }
    }
    RefreshMenu();
}

void AMacPopupMenu::AppendItem(const char* text) {
    if (!EnsureMenu()) return;
    AppendMenuLiteralCstr(menu, text ? text : "");
    RefreshMenu();
}

void AMacPopupMenu::RefreshMenu() {
    const SInt32 count = CountItems();
    const SInt32 value = ctlValue >= 1 && ctlValue <= count ? ctlValue : 1;
    ctlMin = 1;
    ctlMax = std::max<SInt32>(1, count);
    ctlValue = value;
    Inval();
}

SInt16 AMacPopupMenu::CountItems() const {
    return menu ? CountMItems(menu) : 0;
}

void AMacPopupMenu::GetItemText(SInt16 item, char* buf, SInt32 len) const {
    if (!buf || len <= 0) return;
    buf[0] = 0;
    if (item < 1 || item > CountItems()) return;
    const std::string text = ItemText(menu, item);
    const std::size_t n = std::min<std::size_t>(text.size(), std::size_t(len - 1));
    std::memcpy(buf, text.data(), n);
    buf[n] = 0;
}

KsRect AMacPopupMenu::GetBoxRect() const {
    KsRect r = GetBounds();
    char title[256];
    GetText(title, sizeof title);
    if (*title) {
        SInt16 font = 0, size = 0, face = 0;
        GetFontSizeFace(&font, &size, &face);
        r.left =
            std::min<SInt32>(r.right, r.left + GetLabelWidth(title, font, size, face) + kTitleGap);
    }
    return r;
}

SInt16 AMacPopupMenu::TrackMenu() {
    if (!menu || CountItems() == 0) return 0;
    const KsRect box = GetBoxRect();
    Point at{SInt16(box.top), SInt16(box.left)};
    {
        StPortSaver saver;
        if (AWindow* w = GetEnclWindow(); w && w->GetWindowPtr())
            SetPortWindowPort(w->GetWindowPtr());
        LocalToGlobal(&at);
    }
    UncheckAllItems(menu);
    CheckItem(menu, MenuItemIndex(ctlValue), true);
    const SInt32 sel = PopUpMenuSelect(menu, at.v, at.h, SInt16(ctlValue));
    return SInt16(sel & 0xFFFF);
}

// --- Clicks and keys --------------------------------------------------------------

void AMacPopupMenu::DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) {
    if (displayOnly || !GetEnabled() || !GadInRect(GetActiveRect(), pt)) return;
    if (canBeTabbedTo && !active) {
        Activate();
        if (AWindow* w = GetEnclWindow()) w->SetTargetPane(this);
    }
    StPaneHold hold(this);
    if (downClickProc) downClickProc(this, data);
    if (!hold.Alive()) return;
    SetHilite(1);
    const SInt16 chosen = TrackMenu();
    if (!hold.Alive()) return;
    SetHilite(0);
    if (chosen <= 0) return;
    SetVal(chosen);
    AMacControl::DoGoodClick(pt, modifiers, when, data);
}

void AMacPopupMenu::StepItem(SInt16 direction, KsPoint pt, SInt16 modifiers, SInt32 when,
                             void* data) {
    const SInt16 next = GetNextEnabledItemNumber(menu, SInt16(ctlValue), direction);
    if (next == 0 || next == ctlValue) return;
    SetVal(next);
    AMacControl::DoGoodClick(pt, modifiers, when, data);
}

bool AMacPopupMenu::DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) {
    if (active && GetEnabled() && !displayOnly &&
        (keyCode == kDownKeyCode || keyCode == kUpKeyCode)) {
        const KsPoint at = event ? KsPoint{event->where.h, event->where.v} : KsPoint{0, 0};
        StepItem(keyCode == kDownKeyCode ? 1 : -1, at, event ? SInt16(event->modifiers) : 0,
                 event ? SInt32(event->when) : 0, data);
        return true;
    }
    // Space would end in a good click that changes nothing: leave it to the
    // key equivalents.
    return AGadget::DoKeyDown(charCode, keyCode, event, data);
}

// --- Face -------------------------------------------------------------------------

void AMacPopupMenu::DrawControl(const KsRect& bounds, const KsRGBColor& bkgd) {
    SInt16 font = 0, size = 0, face = 0;
    GetFontSizeFace(&font, &size, &face);
    const KsRect box = GetBoxRect();
    char text[256];
    GetText(text, sizeof text);
    if (*text) {
        KsRect titleRect = bounds;
        titleRect.right = box.left - kTitleGap;
        DrawTextHow(text, titleRect, font, size, face, 0, TitleColor(bkgd));
    }
    if (box.IsEmpty()) return;
    StColorPenSaver saver;
    const KsRGBColor fill = GetHilite()
                                ? ScaleRGBIntensity(bkgd, 80, 100)
                                : (GetEnabled() ? RGBwhite : AverageRGB(RGBwhite, bkgd, 0.5));
    const KsRGBColor ink = TitleColor(bkgd);
    const Rect r = ToRect(box);
    const RGBColor f = ToRGBColor(fill), k = ToRGBColor(ink);
    RGBForeColor(&f);
    PaintRoundRect(&r, 6, 6);
    RGBForeColor(&k);
    FrameRoundRect(&r, 6, 6);
    // The down arrow: a triangle drawn as shrinking lines.
    const SInt16 ax = SInt16(box.right - 14), ay = SInt16(box.top + box.Height() / 2 - 2);
    for (SInt16 i = 0; i < 4; ++i) {
        MoveTo(SInt16(ax + i), SInt16(ay + i));
        LineTo(SInt16(ax + 7 - i), SInt16(ay + i));
    }
    char item[256];
    GetItemText(SInt16(ctlValue), item, sizeof item);
    KsRect textRect = box;
    textRect.left += 6;
    textRect.right -= 18;
    AdjustStringToFit(item, SInt16(std::max<SInt32>(0, textRect.Width())), font, size, face);
    DrawTextHow(item, textRect, font, size, face, 0, ink);
}

// --- Persistence ------------------------------------------------------------------

void AMacPopupMenu::Put(AStream& s) {
    AMacControl::Put(s);
    s.PutClassMark(kClassID, kVersion);
    const SInt16 n = CountItems();
    s.PutShort("itemCount", n);
    for (SInt16 i = 1; i <= n; ++i)
        s.PutCString("item", ItemText(menu, i).c_str());
    s.PutExtensionsEnd();
}

void AMacPopupMenu::Get(AStream& s) {
    // The control's record holds the value; the items come after it.
    AMacControl::Get(s);
    const SInt32 value = ctlValue;
    s.GetClassMark(kClassID, 1, kVersion);
    SetMenu(nullptr);
    const SInt16 n = s.GetShort("itemCount");
    for (SInt16 i = 1; i <= n; ++i)
        AppendItem(s.GetString("item").c_str());
    SInt16 ext = 0;
    while (s.GetNextExtension(&ext)) {
    }
    SetVal(value);
}
