// DialogWindow typed accessors. Each finds the pane by ID (none: setters do
// nothing, getters answer their default), then walks its table of classes in
// order and uses the first row whose class the pane is an instance of. A pane
// of no listed class is reported through the fatal-message path, and the call
// then has no effect. A new control class is one row in each table it serves.
#include "DialogWindow.h"

#include "APopupMenuGad.h"
#include "ARadioCheckGads.h"
#include "ATextListPane.h"
#include "CKsList.h"
#include "KsFatal.h"
#include "KsTextUtils.h"

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

constexpr Row<SetLong> kSetLong[] = {
    {"APushButton", [](APane* p, long v) { As<AGadget>(p)->SetMenuItem(SInt32(v), false); }},
    {"APopupMenuGad", [](APane* p, long v) { As<AGadget>(p)->SetMenuItem(SInt32(v), false); }},
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
    {"APushButton", [](APane* p) -> long { return As<AGadget>(p)->GetMenuItem(); }},
    {"APopupMenuGad", [](APane* p) -> long { return As<AGadget>(p)->GetMenuItem(); }},
    {"ATextListPane", [](APane* p) { return As<ATextListPane>(p)->GetSelectedEntryNum(); }},
};
// No numeric entry or slider class exists yet: these tables fill as they
// come (a row without a function never matches).
constexpr Row<SetDouble> kSetFloat[] = {{"", nullptr}};
constexpr Row<GetDouble> kGetFloat[] = {{"", nullptr}};

constexpr Row<SetBool> kSetBool[] = {
    {"ARadioButtonGad", [](APane* p, bool on) { As<AGadget>(p)->SetState(on, true); }},
    {"ACheckBoxGad", [](APane* p, bool on) { As<AGadget>(p)->SetState(on, true); }},
};
constexpr Row<GetBoolFn> kGetBool[] = {
    {"ARadioButtonGad", [](APane* p) { return As<AGadget>(p)->GetState(); }},
    {"ACheckBoxGad", [](APane* p) { return As<AGadget>(p)->GetState(); }},
};

constexpr Row<SetLong> kSetRef[] = {
    {"ARadioButtonGad", [](APane* p, long v) { As<APushButton>(p)->SetRefNum(SInt32(v)); }},
    {"AGadget", [](APane* p, long v) { As<AGadget>(p)->SetValueRefCon(SInt32(v)); }},
};
constexpr Row<GetLongFn> kGetRef[] = {
    {"ARadioButtonGad", [](APane* p) -> long { return As<APushButton>(p)->GetRefNum(); }},
    {"AGadget", [](APane* p) -> long { return As<AGadget>(p)->GetValueRefCon(); }},
};

constexpr Row<SetBool> kSetEnabled[] = {
    {"AGadget", [](APane* p, bool on) { As<AGadget>(p)->SetEnabled(on); }},
};
constexpr Row<GetBoolFn> kGetEnabled[] = {
    {"AGadget", [](APane* p) { return As<AGadget>(p)->GetEnabled(); }},
};

// The radio buttons among the direct sub-panes of a pane, in list order: a
// radio gadget is known by its reference number.
template <class Fn> void ForEachRadio(APane* pane, Fn fn) {
    CKsList* list = pane->GetSubPanes();
    if (!list) return;
    AListIterator it(*list);
    APane* sub = nullptr;
    while (it.Next(&sub))
        if (sub->IsInstanceOf("ARadioButtonGad") && fn(As<APushButton>(sub))) return;
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
void DialogWindow::SetLimits(const char* id, double, double, bool, bool) {
    APane* p = FindPaneByID(id);
    if (p) WrongClass("SetLimits called on wrong class");
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
    ForEachRadio(p, [v](APushButton* b) {
        if (b->GetRefNum() != v) return false;
        b->SetState(true, true);
        return true;
    });
}

long DialogWindow::GetRBgroupVal(const char* id) {
    APane* p = FindPaneByID(id);
    if (!p) return 0;
    long found = 0;
    ForEachRadio(p, [&found](APushButton* b) {
        if (b->GetState()) found = b->GetRefNum();
        return found != 0;
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
    APane* p = FindPaneByID(id);
    if (p && (p->IsInstanceOf("APushButton") || p->IsInstanceOf("APopupMenuGad")))
        return As<AGadget>(p)->GetMenuHandleOnly();
    return nullptr;
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
