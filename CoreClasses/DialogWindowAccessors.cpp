// DialogWindow typed accessors. Each finds the pane by ID (none: setters do
// nothing, getters answer their default), then walks its table of classes in
// order and uses the first row whose class the pane is an instance of. A pane
// of no listed class is reported through the fatal-message path, and the call
// then has no effect. A new control class is one row in each table it serves.
#include "DialogWindow.h"

#include "AECEntry.h"
#include "AFloatEntry.h"
#include "AIntEntry.h"
#include "AMacPopupMenu.h"
#include "AMacToggles.h"
#include "APopupMenuGad.h"
#include "ARadioCheckGads.h"
#include "ASlider.h"
#include "ATCEntry.h"
#include "ATextListPane.h"
#include "CKsList.h"
#include "KsDrawUtils.h"
#include "KsFatal.h"
#include "KsMenuUtils.h"
#include "KsPortSavers.h"
#include "KsTextUtils.h"
#include "Stx.h"

#include <cstring>

namespace {

template <class Fn> struct Row {
    const char* className;
    Fn fn;
};

template <class Fn, size_t N> const Row<Fn>* Match(APane* pane, const Row<Fn> (&rows)[N]) {
    for (const Row<Fn>& r : rows)
        if (r.fn && pane->IsInstanceOf(r.className)) return &r;
    return nullptr;
}

void WrongClass(const char* message) {
    __FtlAbortm(message, __FILE__, __LINE__);
}

template <class T, size_t N>
void Set(APane* pane, const Row<void (*)(APane*, T)> (&rows)[N], T v, const char* wrong) {
    if (!pane) return;
    if (const auto* r = Match(pane, rows))
        r->fn(pane, v);
    else if (wrong)
        WrongClass(wrong);
}

template <class T, size_t N>
T Get(APane* pane, const Row<T (*)(APane*)> (&rows)[N], T fallback, const char* wrong) {
    if (!pane) return fallback;
    if (const auto* r = Match(pane, rows)) return r->fn(pane);
    if (wrong) WrongClass(wrong);
    return fallback;
}

template <class P> P* As(APane* p) {
    return static_cast<P*>(p);
}

using SetLong = void (*)(APane*, long);
using GetLongFn = long (*)(APane*);
using SetBool = void (*)(APane*, bool);
using GetBoolFn = bool (*)(APane*);
using SetDouble = void (*)(APane*, double);
using GetDouble = double (*)(APane*);
using GetMenuFn = MenuHandle (*)(APane*);

using SetTC = void (*)(APane*, timecode_t);
using GetTCFn = timecode_t (*)(APane*);
using SetEC = void (*)(APane*, edgecode_t);
using GetECFn = edgecode_t (*)(APane*);
using SetLimitsFn = void (*)(APane*, double, double, bool);
struct Limits {
    double min, max;
    bool warn;
};
using SetLimitsRow = void (*)(APane*, Limits);

constexpr Row<SetLong> kSetLong[] = {
    {"AIntEntry", [](APane* p, long v) { As<AIntEntry>(p)->SetInt(SInt32(v), false); }},
    {"ASlider", [](APane* p, long v) { As<ASlider>(p)->SetValue(double(v)); }},
    {"AMacPopupMenu", [](APane* p, long v) { As<AMacControl>(p)->SetVal(SInt32(v)); }},
    {"APushButton", [](APane* p, long v) { As<AGadget>(p)->SetMenuItem(SInt32(v), false); }},
    {"APopupMenuGad", [](APane* p, long v) { As<AGadget>(p)->SetMenuItem(SInt32(v), false); }},
    {"AECEntry", [](APane* p, long v) { As<AECEntry>(p)->SetECFrames(SInt32(v)); }},
    {"ATCEntry", [](APane* p, long v) { As<ATCEntry>(p)->SetTCFrames(SInt32(v)); }},
    {"ATextListPane",
     [](APane* p, long v) {
         auto* list = As<ATextListPane>(p);
         if (v == 0)
             list->ClearSelection();
         else
             list->SelectEntry(v, true);
     }},
};
constexpr Row<GetLongFn> kGetLong[] = {
    {"AIntEntry", [](APane* p) -> long { return As<AIntEntry>(p)->GetInt(); }},
    {"ASlider", [](APane* p) -> long { return long(As<ASlider>(p)->GetValue()); }},
    {"AMacPopupMenu", [](APane* p) -> long { return As<AMacControl>(p)->GetVal(); }},
    {"APushButton", [](APane* p) -> long { return As<AGadget>(p)->GetMenuItem(); }},
    {"APopupMenuGad", [](APane* p) -> long { return As<AGadget>(p)->GetMenuItem(); }},
    {"AECEntry", [](APane* p) -> long { return As<AECEntry>(p)->GetECFrames(); }},
    {"ATCEntry", [](APane* p) -> long { return As<ATCEntry>(p)->GetTCFrames(); }},
    {"ATextListPane", [](APane* p) { return As<ATextListPane>(p)->GetSelectedEntryNum(); }},
};

constexpr Row<SetBool> kSetTC24[] = {
    {"ATCEntry", [](APane* p, bool on) { As<ATCEntry>(p)->UpdateDefaults(true, on); }},
};
constexpr Row<SetTC> kSetTC[] = {
    {"ATCEntry", [](APane* p, timecode_t tc) { As<ATCEntry>(p)->SetTC(tc); }},
};
constexpr Row<GetTCFn> kGetTC[] = {
    {"ATCEntry", [](APane* p) { return As<ATCEntry>(p)->GetTC(); }},
};
constexpr Row<SetEC> kSetEC[] = {
    {"AECEntry", [](APane* p, edgecode_t ec) { As<AECEntry>(p)->SetEC(ec); }},
};
constexpr Row<GetECFn> kGetEC[] = {
    {"AECEntry", [](APane* p) { return As<AECEntry>(p)->GetEC(); }},
};

constexpr Row<SetDouble> kSetFloat[] = {
    {"AFloatEntry", [](APane* p, double v) { As<AFloatEntry>(p)->SetFloat(v, false); }},
    {"AIntEntry", [](APane* p, double v) { As<AIntEntry>(p)->SetInt(SInt32(v), false); }},
    {"ASlider", [](APane* p, double v) { As<ASlider>(p)->SetValue(v); }},
};
constexpr Row<GetDouble> kGetFloat[] = {
    {"AFloatEntry", [](APane* p) { return As<AFloatEntry>(p)->GetFloat(); }},
    {"AIntEntry", [](APane* p) { return double(As<AIntEntry>(p)->GetInt()); }},
    {"ASlider", [](APane* p) { return As<ASlider>(p)->GetValue(); }},
};
constexpr Row<SetLimitsRow> kSetLimits[] = {
    {"AFloatEntry",
     [](APane* p, Limits l) { As<AFloatEntry>(p)->SetLimits(l.min, l.max, l.warn); }},
    {"AIntEntry",
     [](APane* p, Limits l) { As<AIntEntry>(p)->SetLimits(SInt32(l.min), SInt32(l.max), l.warn); }},
    {"ASlider", [](APane* p, Limits l) { As<ASlider>(p)->SetLimits(l.min, l.max); }},
};

constexpr Row<SetBool> kSetBool[] = {
    {"ARadioBut", [](APane* p, bool on) { As<AMacControl>(p)->SetVal(on ? 1 : 0); }},
    {"ARadioButtonGad", [](APane* p, bool on) { As<AGadget>(p)->SetState(on, true); }},
    {"ACheckBox", [](APane* p, bool on) { As<AMacControl>(p)->SetVal(on ? 1 : 0); }},
    {"ACheckBoxGad", [](APane* p, bool on) { As<AGadget>(p)->SetState(on, true); }},
};
constexpr Row<GetBoolFn> kGetBool[] = {
    {"ARadioBut", [](APane* p) { return As<AMacControl>(p)->GetVal() != 0; }},
    {"ARadioButtonGad", [](APane* p) { return As<AGadget>(p)->GetState(); }},
    {"ACheckBox", [](APane* p) { return As<AMacControl>(p)->GetVal() != 0; }},
    {"ACheckBoxGad", [](APane* p) { return As<AGadget>(p)->GetState(); }},
};

constexpr Row<SetLong> kSetRef[] = {
    {"AMacControl", [](APane* p, long v) { As<AGadget>(p)->SetValueRefCon(SInt32(v)); }},
    {"ARadioButtonGad", [](APane* p, long v) { As<APushButton>(p)->SetRefNum(SInt32(v)); }},
    {"AGadget", [](APane* p, long v) { As<AGadget>(p)->SetValueRefCon(SInt32(v)); }},
};
constexpr Row<GetLongFn> kGetRef[] = {
    {"AMacControl", [](APane* p) -> long { return As<AGadget>(p)->GetValueRefCon(); }},
    {"ARadioButtonGad", [](APane* p) -> long { return As<APushButton>(p)->GetRefNum(); }},
    {"AGadget", [](APane* p) -> long { return As<AGadget>(p)->GetValueRefCon(); }},
};

// A disabled text entry is display-only and takes its enclosure's
// background, a little lighter.
constexpr SInt16 kDisabledEntryIntensity = 140;
constexpr Row<SetBool> kSetEnabled[] = {
    {"AGadget", [](APane* p, bool on) { As<AGadget>(p)->SetEnabled(on); }},
    {"ATextEntry",
     [](APane* p, bool on) {
         p->SetDisplayOnly(!on);
         p->SetInheritsBkgd(true, on ? 0 : kDisabledEntryIntensity);
         p->Inval();
     }},
};
constexpr Row<GetBoolFn> kGetEnabled[] = {
    {"AGadget", [](APane* p) { return As<AGadget>(p)->GetEnabled(); }},
    {"ATextEntry", [](APane* p) { return !p->GetDisplayOnly(); }},
};
constexpr Row<SetBool> kSetActive[] = {
    {"ATextEntry",
     [](APane* p, bool on) {
         if (on)
             p->Activate();
         else
             p->Deactivate();
     }},
};

// The menus of the pop-up classes.
constexpr Row<GetMenuFn> kGetMenu[] = {
    {"AMacPopupMenu", [](APane* p) { return As<AGadget>(p)->GetMenuHandleOnly(); }},
    {"APushButton", [](APane* p) { return As<AGadget>(p)->GetMenuHandleOnly(); }},
    {"APopupMenuGad", [](APane* p) { return As<AGadget>(p)->GetMenuHandleOnly(); }},
};

// The radio buttons of both kinds among the direct sub-panes of a pane, in
// list order.
template <class Fn> void ForEachRadio(APane* pane, Fn fn) {
    CKsList* list = pane->GetSubPanes();
    if (!list) return;
    AListIterator it(*list);
    APane* sub = nullptr;
    while (it.Next(&sub))
        if (sub->IsInstanceOf("ARadioBut") || sub->IsInstanceOf("ARadioButtonGad"))
            if (fn(sub)) return;
}

// A radio button's number: an ARadioBut's value reference constant, a radio
// gadget's reference number.
long RadioNumber(APane* p) {
    if (p->IsInstanceOf("ARadioBut")) return As<AGadget>(p)->GetValueRefCon();
    return As<APushButton>(p)->GetRefNum();
}
bool RadioIsOn(APane* p) {
    if (p->IsInstanceOf("ARadioBut")) return As<AMacControl>(p)->GetVal() != 0;
    return As<AGadget>(p)->GetState();
}

// A text entry's label: replaced, or added at its left.
void SetEntryLabel(APane* p, const char* text) {
    if (p->GetLabel())
        p->SetLabelText(text);
    else if (*text)
        p->AddLabel(text, kLabelLeft);
    p->Inval();
}

} // namespace

void DialogWindow::SetLongVal(const char* id, long v) {
    Set(FindPaneByID(id), kSetLong, v, "SetLongVal called on wrong class");
}
long DialogWindow::GetLongVal(const char* id) {
    return Get(FindPaneByID(id), kGetLong, 0L, "GetLongVal called on wrong class");
}
void DialogWindow::SetFloatVal(const char* id, double v) {
    Set(FindPaneByID(id), kSetFloat, v, "SetFloatVal called on wrong class");
}
double DialogWindow::GetFloatVal(const char* id) {
    return Get(FindPaneByID(id), kGetFloat, 0.0, "GetFloatVal called on wrong class");
}
void DialogWindow::SetLimits(const char* id, double min, double max, bool warn, bool) {
    Set(FindPaneByID(id), kSetLimits, Limits{min, max, warn}, "SetLimits called on wrong class");
}
void DialogWindow::SetTCIs24FPS(const char* id, bool on) {
    Set(FindPaneByID(id), kSetTC24, on, "SetTCIs24FPS called on wrong class");
}
void DialogWindow::SetTCVal(const char* id, const timecode_t& tc) {
    Set(FindPaneByID(id), kSetTC, tc, "SetTCVal called on wrong class");
}
timecode_t DialogWindow::GetTCVal(const char* id) {
    return Get(FindPaneByID(id), kGetTC, TCGetDefault(0), "GetTCVal called on wrong class");
}
void DialogWindow::SetECVal(const char* id, const edgecode_t& ec) {
    Set(FindPaneByID(id), kSetEC, ec, "SetECVal called on wrong class");
}
edgecode_t DialogWindow::GetECVal(const char* id) {
    return Get(FindPaneByID(id), kGetEC, ECGetDefault(), "GetECVal called on wrong class");
}
void DialogWindow::SetPaneActive(const char* id, bool on) {
    Set(FindPaneByID(id), kSetActive, on, "SetPaneActive called on wrong class");
}
void DialogWindow::SetBoolVal(const char* id, bool on) {
    Set(FindPaneByID(id), kSetBool, on, "SetBoolVal called on wrong class");
}
bool DialogWindow::GetBoolVal(const char* id) {
    return Get(FindPaneByID(id), kGetBool, false, "GetBoolVal called on wrong class");
}
void DialogWindow::SetRefVal(const char* id, long v) {
    Set(FindPaneByID(id), kSetRef, v, "SetRefVal called on wrong class");
}
long DialogWindow::GetRefVal(const char* id) {
    return Get(FindPaneByID(id), kGetRef, 0L, "GetRefVal called on wrong class");
}
void DialogWindow::SetPaneEnabled(const char* id, bool on) {
    Set(FindPaneByID(id), kSetEnabled, on, "SetPaneEnabled called on wrong class");
}
bool DialogWindow::IsPaneEnabled(const char* id) {
    return Get(FindPaneByID(id), kGetEnabled, false, "IsPaneEnabled called on wrong class");
}

void DialogWindow::SetTextVal(const char* id, const char* text) {
    APane* p = FindPaneByID(id);
    if (!p) return;
    if (!text) text = "";
    if (p->IsInstanceOf("APopupMenuGad")) {
        p->SetLabelText(text);
    } else if (p->IsInstanceOf("ATextListPane")) {
        As<ATextListPane>(p)->AddEntry(text, false);
    } else if (p->IsInstanceOf("AIntEntry") || p->IsInstanceOf("AFloatEntry") ||
               p->IsInstanceOf("ATCEntry") || p->IsInstanceOf("AECEntry")) {
        SetEntryLabel(p, text);
    } else if (p->IsInstanceOf("ARadioButtonGad") || p->IsInstanceOf("ACheckBoxGad")) {
        p->SetText(text);
    } else if (p->IsInstanceOf("AGadget")) {
        p->SetText(text);
        SInt16 font = 0, size = 0, face = 0;
        p->GetFontSizeFace(&font, &size, &face);
        const SInt16 need = GetLabelWidth(text, font, size, face);
        if (need > p->GetWidth()) p->Resize(need, p->GetHeight());
    } else {
        p->SetText(text);
    }
}

void DialogWindow::GetTextVal(const char* id, char* buf, long len) {
    if (!buf || len <= 0) return;
    buf[0] = 0;
    APane* p = FindPaneByID(id);
    if (!p) return;
    if (p->IsInstanceOf("ARadioButtonGad") || p->IsInstanceOf("ACheckBoxGad")) {
        WrongClass("APane::GetLabelText(buf, buflen) not supported yet");
        return;
    }
    p->GetText(buf, SInt32(len));
}

void DialogWindow::SetRBgroupVal(const char* id, long v) {
    APane* p = FindPaneByID(id);
    if (!p) return;
    ForEachRadio(p, [v](APane* b) {
        if (RadioNumber(b) != v) return false;
        if (b->IsInstanceOf("ARadioBut"))
            As<AMacControl>(b)->SetVal(1);
        else
            As<AGadget>(b)->SetState(true, true);
        return true;
    });
}

long DialogWindow::GetRBgroupVal(const char* id) {
    APane* p = FindPaneByID(id);
    if (!p) return 0;
    long found = 0;
    ForEachRadio(p, [&found](APane* b) {
        if (!RadioIsOn(b)) return false;
        found = RadioNumber(b);
        return true;
    });
    return found;
}

long DialogWindow::SetMenuItemFromText(const char* id, const char* text) {
    APane* p = FindPaneByID(id);
    if (!p) return 0;
    if (p->IsInstanceOf("APopupMenuGad")) return As<AGadget>(p)->SetMenuItemFromText(text);
    WrongClass("SetMenuItemFromText called on wrong class");
    return 0;
}

long DialogWindow::GetMenuItemFromText(const char* id, const char* text) {
    APane* p = FindPaneByID(id);
    if (!p) return 0;
    if (p->IsInstanceOf("APopupMenuGad")) return As<AGadget>(p)->GetMenuItemFromText(text);
    WrongClass("GetMenuItemFromText called on wrong class");
    return 0;
}

MenuHandle DialogWindow::GetMenuHandleOnly(const char* id) {
    return Get(FindPaneByID(id), kGetMenu, MenuHandle(nullptr), nullptr);
}

void DialogWindow::RefreshMacMenu(const char* id) {
    APane* p = FindPaneByID(id);
    if (!p) return;
    if (p->IsInstanceOf("AMacPopupMenu"))
        As<AMacPopupMenu>(p)->RefreshMenu();
    else if (p->IsInstanceOf("APushButton"))
        As<AGadget>(p)->SetTextFromMenu();
}

void DialogWindow::AppendItemsToPopup(const char* id, const char* a, const char* b, const char* c,
                                      const char* d) {
    APane* p = FindPaneByID(id);
    if (!p) return;
    for (const char* text : {a, b, c, d}) {
        if (!text) continue;
        if (p->IsInstanceOf("AMacPopupMenu"))
            As<AMacPopupMenu>(p)->AppendItem(text);
        else if (p->IsInstanceOf("APushButton"))
            As<AGadget>(p)->AppendPopupMenuItem(text, 0, 0);
    }
}

namespace {
AGadget* PopupGad(APane* p, const char* wrong) {
    if (!p) return nullptr;
    if (p->IsInstanceOf("APopupMenuGad")) return As<AGadget>(p);
    WrongClass(wrong);
    return nullptr;
}
} // namespace

void DialogWindow::SetMenuHandle(const char* id, MenuHandle menu) {
    if (AGadget* g = PopupGad(FindPaneByID(id), "SetMenuHandle called on wrong class"))
        g->SetMenuID(menu ? ::GetMenuID(menu) : 0);
}

void DialogWindow::EnablePopupItem(const char* id, short item, bool on) {
    if (AGadget* g = PopupGad(FindPaneByID(id), "EnablePopupItem called on wrong class"))
        g->EnablePopupMenuItem(item, on);
}

void DialogWindow::SetVolumeMenuID(const char* id, short menuID) {
    if (AGadget* g = PopupGad(FindPaneByID(id), "SetVolumeMenuID called on wrong class"))
        FillVolumeMenu(g, menuID);
}

void DialogWindow::FillVolumeMenu(AGadget* g, short menuID) {
    g->DisposePopupMenu();
    if (menuID != -1) {
        g->SetMenuID(menuID);
        return;
    }
    g->MakePopupMenu("");
    g->AppendPopupMenuItem(stx("No Drives Available//Volume menu"), 0, 0);
    g->SetEnabled(false);
}

// --- Text entries --------------------------------------------------------------

namespace {
ATextEntry* Entry(APane* p) {
    return p && p->IsInstanceOf("ATextEntry") ? As<ATextEntry>(p) : nullptr;
}
} // namespace

long DialogWindow::GetTextLen(const char* id) {
    ATextEntry* e = Entry(FindPaneByID(id));
    return e ? e->GetTextLen() : 0;
}
void DialogWindow::SetTextSel(const char* id, long start, long end) {
    if (ATextEntry* e = Entry(FindPaneByID(id))) e->SetSelect(SInt32(start), SInt32(end));
}
void DialogWindow::TabToTextEntry(const char* id) {
    ATextEntry* e = Entry(FindPaneByID(id));
    if (!e) return;
    if (activePane && activePane != e) activePane->TabFrom();
    e->TabTo();
}
// Grey text is the average of the text and background colours; the entry's
// editability is kept.
void DialogWindow::SetGrayText(const char* id, bool on) {
    ATextEntry* e = Entry(FindPaneByID(id));
    if (!e) return;
    const bool displayOnly = e->GetDisplayOnly();
    e->SetForeColor(on ? AverageRGB(RGBblack, e->GetBkndColor(), 0.5) : RGBblack);
    e->SetDisplayOnly(displayOnly);
}
bool DialogWindow::IsPaneActive(const char* id) {
    APane* p = FindPaneByID(id);
    return p && p->IsActive();
}
void DialogWindow::DrawPane(const char* id) {
    APane* p = FindPaneByID(id);
    if (!p || !p->IsVisible() || !windowPort) return;
    StPortSaver saver;
    SetPortWindowPort(windowPort);
    p->Draw(nullptr, nullptr);
}

void DialogWindow::SetPaneVisible(const char* id, bool on) {
    if (APane* p = FindPaneByID(id)) p->SetVisible(on);
}
bool DialogWindow::IsPaneVisible(const char* id) {
    APane* p = FindPaneByID(id);
    return p && p->IsVisible();
}
void DialogWindow::TabTo(const char* id) {
    APane* p = FindPaneByID(id);
    if (p && p->CanBeTabbedTo()) p->TabTo();
}
void DialogWindow::InvalPane(const char* id) {
    if (APane* p = FindPaneByID(id)) p->Inval();
}
void DialogWindow::SetDrawProc(const char* id, APaneDrawProc proc) {
    if (APane* p = FindPaneByID(id)) p->SetDrawProc(proc);
}
void DialogWindow::SetBorderProc(const char* id, APaneBorderProc proc) {
    if (APane* p = FindPaneByID(id)) p->SetBorderProc(proc);
}

// The procedure setters take gadgets only.
void DialogWindow::SetUpClickProc(const char* id, AGadgetUpClickProc proc) {
    APane* p = FindPaneByID(id);
    if (!p) return;
    if (p->IsInstanceOf("AGadget"))
        As<AGadget>(p)->SetUpClickProc(proc);
    else
        WrongClass("SetUpClickProc only works with AGadgets for now");
}
void DialogWindow::SetDownClickProc(const char* id, AGadgetClickProc proc) {
    APane* p = FindPaneByID(id);
    if (!p) return;
    if (p->IsInstanceOf("AGadget"))
        As<AGadget>(p)->SetDownClickProc(proc);
    else
        WrongClass("SetDownClickProc only works with AGadgets for now");
}
void DialogWindow::SetDawdleProc(const char* id, AGadgetDawdleProc proc) {
    APane* p = FindPaneByID(id);
    if (!p) return;
    if (p->IsInstanceOf("AGadget"))
        As<AGadget>(p)->SetDawdleProc(proc);
    else
        WrongClass("SetDawdleProc only works with AGadgets for now");
}

// The text-list accessors.
namespace {
ATextListPane* TextList(APane* p, const char* wrong) {
    if (!p) return nullptr;
    if (p->IsInstanceOf("ATextListPane")) return As<ATextListPane>(p);
    WrongClass(wrong);
    return nullptr;
}
} // namespace

void DialogWindow::GetTextListValue(const char* id, long n, char* buf, long len) {
    if (buf && len > 0) buf[0] = 0;
    if (auto* l = TextList(FindPaneByID(id), "GetTextListValue called on wrong class"))
        l->GetEntryText(n, buf, len);
}
void DialogWindow::AddTextListItem(const char* id, const char* text, bool select) {
    if (auto* l = TextList(FindPaneByID(id), "AddTextListItem called on wrong class"))
        l->AddEntry(text, select);
}
void DialogWindow::SelectTextListItem(const char* id, long n, bool on) {
    if (auto* l = TextList(FindPaneByID(id), "SelectTextListItem called on wrong class"))
        l->SelectEntry(n, on);
}
void DialogWindow::GetTextListInfo(const char* id, long* count, long* selected) {
    if (count) *count = 0;
    if (selected) *selected = 0;
    if (auto* l = TextList(FindPaneByID(id), "GetTextListInfo called on wrong class")) {
        if (count) *count = l->GetEntryCount();
        if (selected) *selected = l->GetSelectedEntryNum();
    }
}
