// Divided and divider panes: class registration, stream records and pane
// property text keys.
//
// Divisions and dividers travel as sub-panes; the divided pane's record names
// which sub-panes they are. Reading checks every size and reference: a
// record that does not describe a sound layout is refused as damaged data.
#include "ADividedPane.h"
#include "ADividerPane.h"

#include "AStream.h"
#include "CoreAttrList.h"
#include "PaneStream.h"
#include "XError.h"

#include <string>

namespace {
void Bad(const char* what) {
    xraisexerror("UIS_PANE_BAD_DATA", "str what", what);
}

std::string Key(const char* stem, SInt32 i) {
    return stem + std::to_string(i);
}

template <class T> void RegisterRow(const char* name, void (*afterRead)(APane*), bool divided) {
    PaneTextClass row;
    row.name = name;
    row.make = [] { return static_cast<APane*>(new T); };
    if (const PaneTextClass* pane = PaneTextFindClass("APane")) {
        row.addProps = pane->addProps;
        row.getProps = pane->getProps;
    }
    if (divided) {
        row.addProps.push_back(
            [](APane* p, CoreAttrList* l) { static_cast<ADividedPane*>(p)->AddPropsToList(l); });
        row.getProps.push_back(
            [](APane* p, CoreAttrList* l) { static_cast<ADividedPane*>(p)->GetPropsFromList(l); });
        row.subs = PaneTextSubs::subs;
    } else {
        row.subs = PaneTextSubs::none;
    }
    row.afterRead = afterRead;
    PaneTextRegisterClass(row);
}

// Registered with the library, so that streams, Copy and the property text
// find the classes.
const bool kRegistered = (ADividedPaneH::PCRegister(), ADividedPaneV::PCRegister(),
                          ADividerPaneH::PCRegister(), ADividerPaneV::PCRegister(), true);
} // namespace

void ADividedPaneH::PCRegister() {
    PClassAdd(kClassID, kClassInfo.name, [] { return static_cast<APortable*>(new ADividedPaneH); });
    RegisterRow<ADividedPaneH>(kClassInfo.name, AfterRead, true);
}

void ADividedPaneV::PCRegister() {
    PClassAdd(kClassID, kClassInfo.name, [] { return static_cast<APortable*>(new ADividedPaneV); });
    RegisterRow<ADividedPaneV>(kClassInfo.name, AfterRead, true);
}

void ADividerPaneH::PCRegister() {
    PClassAdd(kClassID, kClassInfo.name, [] { return static_cast<APortable*>(new ADividerPaneH); });
    RegisterRow<ADividerPaneH>(kClassInfo.name, nullptr, false);
}

void ADividerPaneV::PCRegister() {
    PClassAdd(kClassID, kClassInfo.name, [] { return static_cast<APortable*>(new ADividerPaneV); });
    RegisterRow<ADividerPaneV>(kClassInfo.name, nullptr, false);
}

void ADividedPane::Put(AStream& s) {
    (void)kRegistered;
    APane::Put(s);
    s.PutClassMark(ADividedPane::kClassID, kVersion);
    s.PutShort("divisionCount", SInt16(divisionCount));
    for (UInt16 i = 0; i < divisionCount; ++i) {
        s.PutObjectRef("pane", divisions[i].pane);
        s.PutLong("minSize", divisions[i].minSize);
        s.PutLong("maxSize", divisions[i].maxSize);
        s.PutBool("proportional", divisions[i].proportional);
    }
    for (UInt16 i = 0; i + 1 < divisionCount; ++i)
        s.PutObjectRef("divider", dividers[i]);
}

void ADividedPane::Get(AStream& s) {
    APane::Get(s);
    s.GetClassMark(ADividedPane::kClassID, 1, kVersion);
    const SInt16 n = s.GetShort("divisionCount");
    if (n < 0 || n > ADP_MAX_DIVISIONS) Bad("division count out of range");
    for (SInt16 i = 0; i < n; ++i) {
        APortable* obj = s.GetObjectRef("pane");
        ADPdivision_t d;
        d.minSize = s.GetLong("minSize");
        d.maxSize = s.GetLong("maxSize");
        d.proportional = s.GetBool("proportional");
        if (!obj || !obj->IsInstanceOf("APane") || obj->IsInstanceOf("ADividerPane") ||
            static_cast<APane*>(obj)->GetEnclPane() != this)
            Bad("a division is not one of the divided pane's own panes");
        d.pane = static_cast<APane*>(obj);
        for (SInt16 j = 0; j < i; ++j)
            if (divisions[j].pane == d.pane) Bad("a pane holds two divisions");
        if (d.minSize <= 5 || d.maxSize < d.minSize) Bad("division sizes out of range");
        divisions[i] = d;
        divisionCount = UInt16(i + 1);
    }
    const bool h = IsHorizontal();
    for (SInt16 i = 0; i + 1 < n; ++i) {
        APortable* obj = s.GetObjectRef("divider");
        if (!obj || !obj->IsInstanceOf(h ? "ADividerPaneH" : "ADividerPaneV") ||
            static_cast<APane*>(obj)->GetEnclPane() != this)
            Bad("a divider is not one of the divided pane's own");
        auto* d = static_cast<ADividerPane*>(obj);
        if (d->GetIndex() != i) Bad("a divider's index does not match its place");
        d->itsDividedPane = this;
        dividers[i] = d;
    }
}

void ADividerPane::Put(AStream& s) {
    APane::Put(s);
    s.PutClassMark(ADividerPane::kClassID, kVersion);
    s.PutShort("index", SInt16(index));
}

void ADividerPane::Get(AStream& s) {
    APane::Get(s);
    s.GetClassMark(ADividerPane::kClassID, 1, kVersion);
    const SInt16 i = s.GetShort("index");
    if (i < 0 || i >= ADP_MAX_DIVISIONS - 1) Bad("divider index out of range");
    index = UInt16(i);
}

// Divisions are named by their sub-pane numbers; dividers are the sub-panes of
// the divider class for this direction, in order.
void ADividedPane::AddPropsToList(CoreAttrList* l) {
    l->SetSInt32("dpcount", divisionCount);
    for (UInt16 i = 0; i < divisionCount; ++i) {
        SInt32 sub = 0;
        for (SInt32 k = 1; k <= GetNumSubPanes(); ++k)
            if (GetSubPane(k) == divisions[i].pane) sub = k;
        l->SetSInt32(Key("dpsub", i), sub);
        l->SetSInt32(Key("dpmin", i), divisions[i].minSize);
        l->SetSInt32(Key("dpmax", i), divisions[i].maxSize);
        l->SetSInt32(Key("dpprop", i), divisions[i].proportional);
    }
}

void ADividedPane::GetPropsFromList(CoreAttrList* l) {
    const SInt32 n = l->GetSInt32("dpcount", 0);
    if (n < 0 || n > ADP_MAX_DIVISIONS) Bad("division count out of range");
    for (SInt32 i = 0; i < n; ++i) {
        ADPdivision_t d;
        d.minSize = l->GetSInt32(Key("dpmin", i), 6);
        d.maxSize = l->GetSInt32(Key("dpmax", i), d.minSize);
        d.proportional = l->GetSInt32(Key("dpprop", i), 1) != 0;
        if (d.minSize <= 5 || d.maxSize < d.minSize) Bad("division sizes out of range");
        divisions[i] = d;
        iPendingSubs[i] = l->GetSInt32(Key("dpsub", i), 0);
    }
    divisionCount = UInt16(n);
}

void ADividedPane::AfterRead(APane* pane) {
    auto* dp = static_cast<ADividedPane*>(pane);
    const SInt32 subs = dp->GetNumSubPanes();
    for (UInt16 i = 0; i < dp->divisionCount; ++i) {
        const SInt32 k = dp->iPendingSubs[i];
        APane* p = k >= 1 && k <= subs ? dp->GetSubPane(k) : nullptr;
        if (!p || p->IsInstanceOf("ADividerPane")) Bad("a division names no pane");
        for (UInt16 j = 0; j < i; ++j)
            if (dp->divisions[j].pane == p) Bad("a pane holds two divisions");
        dp->divisions[i].pane = p;
        dp->iPendingSubs[i] = 0;
    }
    const char* cls = dp->IsHorizontal() ? "ADividerPaneH" : "ADividerPaneV";
    UInt16 found = 0;
    for (SInt32 k = 1; k <= subs; ++k) {
        APane* p = dp->GetSubPane(k);
        if (!p->IsInstanceOf(cls)) continue;
        if (found + 1 >= dp->divisionCount) Bad("more dividers than divisions");
        auto* d = static_cast<ADividerPane*>(p);
        d->itsDividedPane = dp;
        d->index = found;
        dp->dividers[found++] = d;
    }
    if (dp->divisionCount > 0 && found + 1 != dp->divisionCount) Bad("a divider is missing");
}
