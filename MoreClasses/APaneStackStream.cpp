// Persistence of the pane stack's classes: registration with the class
// registry and the pane property text, and the stream records.
//
// Outside data is checked: row heights and multiples are at least 1, the
// header and page pointers are taken only from the pane's own sub-panes, and
// a stack read back counts its rows from its panes rather than trusting a
// stored total.
#include "AGadget.h"
#include "APagePane.h"
#include "APaneStack.h"
#include "AScrollablePane.h"
#include "AStackPane.h"
#include "AStream.h"
#include "CoreAttrList.h"
#include "PaneStream.h"

#include <cstring>

namespace {
APortable* MakeStack() {
    return new APaneStack;
}
APortable* MakeStackPane() {
    return new AStackPane;
}
APortable* MakePage() {
    return new APagePane;
}

SInt16 AtLeastOne(SInt32 v) {
    return v < 1 ? SInt16(1) : v > 0x7FFF ? SInt16(0x7FFF) : SInt16(v);
}

SInt16 NotNegative(SInt32 v) {
    return v < 0 ? SInt16(0) : v > 0x7FFF ? SInt16(0x7FFF) : SInt16(v);
}

// A direct sub-pane of `pane` of class `cls`, or null.
template <class T> T* Own(APane* pane, APortable* o, const char* cls) {
    if (!o || !o->IsInstanceOf(cls)) return nullptr;
    auto* p = static_cast<APane*>(o);
    return p->GetEnclPane() == pane ? static_cast<T*>(p) : nullptr;
}

// The sub-pane whose explicit pane ID is id, among the direct ones.
APane* SubByID(APane* pane, const char* id) {
    for (SInt32 i = 1; i <= pane->GetNumSubPanes(); ++i) {
        APane* p = pane->GetSubPane(i);
        char buf[64];
        if (p->GetPaneID(buf, sizeof buf) && std::strcmp(buf, id) == 0) return p;
    }
    return nullptr;
}

const bool kRegistered =
    (APaneStack::PCRegister(), AStackPane::PCRegister(), APagePane::PCRegister(), true);
} // namespace

// --- APaneStack --------------------------------------------------------------------

void APaneStack::PCRegister() {
    PClassAdd(kClassID, kClassInfo.name, MakeStack);
    PaneTextClass row;
    row.name = "APaneStack";
    row.make = [] { return static_cast<APane*>(new APaneStack); };
    row.addProps = {
        [](APane* p, CoreAttrList* l) { p->AddPropsToList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<AScrollPane*>(p)->AddPropsToList(l); },
        [](APane* p, CoreAttrList* l) {
            auto* s = static_cast<APaneStack*>(p);
            l->SetSInt32("psRowH", s->rowHeight);
            l->SetSInt32("psWidth", s->paneWidth);
            l->SetSInt32("psVisRows", s->visibleItems);
            l->SetSInt32("psLastIdx", s->lastPaneIndex);
            l->SetSInt32("psAutoScroll", s->autoScroll);
        }};
    row.getProps = {
        [](APane* p, CoreAttrList* l) { p->GetPropsFromList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<AScrollPane*>(p)->GetPropsFromList(l); },
        [](APane* p, CoreAttrList* l) {
            auto* s = static_cast<APaneStack*>(p);
            s->rowHeight = AtLeastOne(l->GetSInt32("psRowH", 13));
            s->paneWidth = l->GetSInt32("psWidth", 0);
            s->visibleItems = NotNegative(l->GetSInt32("psVisRows", 0));
            s->lastPaneIndex = l->GetSInt32("psLastIdx", -1);
            s->autoScroll = l->GetSInt32("psAutoScroll", 1) != 0;
        }};
    row.subs = PaneTextSubs::scrollPane;
    row.getInner = [](APane* p) -> APane* { return static_cast<AScrollPane*>(p)->GetMainPane(); };
    row.innerClass = "AScrollablePane";
    row.installInner = [](APane* outer, APane* inner) {
        static_cast<AScrollPane*>(outer)->InstallPane(static_cast<AScrollablePane*>(inner));
    };
    row.afterRead = [](APane* p) {
        auto* s = static_cast<APaneStack*>(p);
        s->totalItems = 0;
        for (SInt32 i = 1; i <= s->CountStackPanes(); ++i)
            if (AStackPane* sp = s->GetStackPane(i)) s->totalItems += sp->RowsNow();
        s->nextPaneTop = s->totalItems * s->rowHeight;
        s->SetRangeFromTotal();
    };
    PaneTextRegisterClass(row);
}

void APaneStack::Put(AStream& s) {
    (void)kRegistered;
    AScrollPane::Put(s);
    s.PutClassMark(kClassID, kVersion);
    s.PutLong("lastPaneIndex", lastPaneIndex);
    s.PutLong("paneWidth", paneWidth);
    s.PutShort("rowHeight", rowHeight);
    s.PutLong("nextPaneTop", nextPaneTop);
    s.PutLong("totalItems", totalItems);
    s.PutLong("visibleItems", visibleItems);
    s.PutBool("autoScroll", autoScroll);
}

void APaneStack::Get(AStream& s) {
    AScrollPane::Get(s);
    s.GetClassMark(kClassID, 1, kVersion);
    lastPaneIndex = s.GetLong("lastPaneIndex");
    paneWidth = s.GetLong("paneWidth");
    rowHeight = AtLeastOne(s.GetShort("rowHeight"));
    nextPaneTop = s.GetLong("nextPaneTop");
    totalItems = s.GetLong("totalItems");
    visibleItems = NotNegative(s.GetLong("visibleItems"));
    autoScroll = s.GetBool("autoScroll");
    curStackPane = nullptr;
    curTarget = nullptr;
}

// --- AStackPane --------------------------------------------------------------------

void AStackPane::PCRegister() {
    PClassAdd(kClassID, kClassInfo.name, MakeStackPane);
    PaneTextClass row;
    row.name = "AStackPane";
    row.make = [] { return static_cast<APane*>(new AStackPane); };
    row.addProps = {[](APane* p, CoreAttrList* l) { p->AddPropsToList(l); },
                    [](APane* p, CoreAttrList* l) {
                        auto* sp = static_cast<AStackPane*>(p);
                        l->SetSInt32("stOpen", sp->isOpen);
                        l->SetSInt32("stIndex", sp->paneIndex);
                        l->SetSInt32("stStyle", sp->paneStyle);
                        l->SetSInt32("stOpenable", sp->openable);
                        l->SetSInt32("stTopOffset", sp->curTopOffset);
                        l->SetSInt32("stHeightMult", sp->heightMultiple);
                        l->SetSInt32("stType", sp->paneType);
                        l->SetSInt32("stRefCon", sp->valueRefCon);
                        l->SetSInt32("stMoreOpen", sp->isMoreOpen);
                        l->SetSInt32("stMoreMult", sp->moreMultiple);
                    }};
    row.getProps = {[](APane* p, CoreAttrList* l) { p->GetPropsFromList(l); },
                    [](APane* p, CoreAttrList* l) {
                        auto* sp = static_cast<AStackPane*>(p);
                        sp->isOpen = l->GetSInt32("stOpen", 0) != 0;
                        sp->paneIndex = SInt16(l->GetSInt32("stIndex", 0));
                        sp->paneStyle = SInt16(l->GetSInt32("stStyle", 0));
                        sp->openable = l->GetSInt32("stOpenable", 1) != 0;
                        sp->curTopOffset = SInt16(l->GetSInt32("stTopOffset", 0));
                        sp->heightMultiple = AtLeastOne(l->GetSInt32("stHeightMult", 1));
                        sp->paneType = l->GetSInt32("stType", 0);
                        sp->valueRefCon = l->GetSInt32("stRefCon", -1);
                        sp->isMoreOpen = l->GetSInt32("stMoreOpen", 0) != 0;
                        sp->moreMultiple = NotNegative(l->GetSInt32("stMoreMult", 0));
                    }};
    row.subs = PaneTextSubs::subs;
    row.afterRead = [](APane* p) {
        auto* sp = static_cast<AStackPane*>(p);
        auto gad = [sp](const char* id) -> AGadget* {
            APane* g = SubByID(sp, id);
            return g && g->IsInstanceOf("AGadget") ? static_cast<AGadget*>(g) : nullptr;
        };
        sp->labelGad = gad("label");
        sp->openerGad = gad("Opener");
        sp->enableGad = gad("enable");
        for (SInt32 i = 1; i <= sp->GetNumSubPanes() && !sp->paneBook; ++i)
            if (sp->GetSubPane(i)->IsInstanceOf("APaneBook")) sp->paneBook = sp->GetSubPane(i);
        for (SInt32 i = 1; i <= sp->GetNumSubPanes() && !sp->curPage; ++i)
            if (sp->GetSubPane(i)->IsInstanceOf("APagePane"))
                sp->curPage = static_cast<APagePane*>(sp->GetSubPane(i));
    };
    PaneTextRegisterClass(row);
}

void AStackPane::Put(AStream& s) {
    APane::Put(s);
    s.PutClassMark(kClassID, kVersion);
    s.PutObjectRef("curGad", curGad);
    s.PutObjectRef("paneBook", paneBook);
    s.PutObjectRef("labelGad", labelGad);
    s.PutObjectRef("openerGad", openerGad);
    s.PutObjectRef("enableGad", enableGad);
    s.PutObjectRef("curPage", curPage);
    s.PutBool("isOpen", isOpen);
    s.PutShort("paneIndex", paneIndex);
    s.PutShort("paneStyle", paneStyle);
    s.PutBool("openable", openable);
    s.PutBool("canAutoOpen", canAutoOpen);
    s.PutShort("curTopOffset", curTopOffset);
    s.PutShort("heightMultiple", heightMultiple);
    s.PutLong("paneType", paneType);
    s.PutLong("valueRefCon", valueRefCon);
    s.PutBool("isMoreOpen", isMoreOpen);
    s.PutShort("moreMultiple", moreMultiple);
}

void AStackPane::Get(AStream& s) {
    APane::Get(s);
    s.GetClassMark(kClassID, 1, kVersion);
    curGad = Own<APane>(this, s.GetObjectRef("curGad"), "APane");
    paneBook = Own<APane>(this, s.GetObjectRef("paneBook"), "APaneBook");
    labelGad = Own<AGadget>(this, s.GetObjectRef("labelGad"), "AGadget");
    openerGad = Own<AGadget>(this, s.GetObjectRef("openerGad"), "AGadget");
    enableGad = Own<APane>(this, s.GetObjectRef("enableGad"), "APane");
    curPage = Own<APagePane>(this, s.GetObjectRef("curPage"), "APagePane");
    isOpen = s.GetBool("isOpen");
    paneIndex = s.GetShort("paneIndex");
    paneStyle = s.GetShort("paneStyle");
    openable = s.GetBool("openable");
    canAutoOpen = s.GetBool("canAutoOpen");
    curTopOffset = s.GetShort("curTopOffset");
    heightMultiple = AtLeastOne(s.GetShort("heightMultiple"));
    paneType = s.GetLong("paneType");
    valueRefCon = s.GetLong("valueRefCon");
    isMoreOpen = s.GetBool("isMoreOpen");
    moreMultiple = NotNegative(s.GetShort("moreMultiple"));
    inOpen = false;
}

// --- APagePane ---------------------------------------------------------------------

void APagePane::PCRegister() {
    PClassAdd(kClassID, kClassInfo.name, MakePage);
    PaneTextClass row;
    row.name = "APagePane";
    row.make = [] { return static_cast<APane*>(new APagePane); };
    row.addProps = {[](APane* p, CoreAttrList* l) { p->AddPropsToList(l); },
                    [](APane* p, CoreAttrList* l) {
                        auto* pg = static_cast<APagePane*>(p);
                        l->SetSInt32("pgRefCon", pg->valueRefCon);
                        l->SetSInt32("pgHeightMult", pg->heightMultiple);
                        l->SetSInt32("pgMoreOpen", pg->isMoreOpen);
                        l->SetSInt32("pgMoreMult", pg->moreMultiple);
                    }};
    row.getProps = {[](APane* p, CoreAttrList* l) { p->GetPropsFromList(l); },
                    [](APane* p, CoreAttrList* l) {
                        auto* pg = static_cast<APagePane*>(p);
                        pg->valueRefCon = l->GetSInt32("pgRefCon", 0);
                        pg->heightMultiple = AtLeastOne(l->GetSInt32("pgHeightMult", 1));
                        pg->isMoreOpen = l->GetSInt32("pgMoreOpen", 0) != 0;
                        pg->moreMultiple = NotNegative(l->GetSInt32("pgMoreMult", 0));
                    }};
    row.subs = PaneTextSubs::subs;
    PaneTextRegisterClass(row);
}

void APagePane::Put(AStream& s) {
    APane::Put(s);
    s.PutClassMark(kClassID, kVersion);
    s.PutLong("valueRefCon", valueRefCon);
    s.PutShort("heightMultiple", heightMultiple);
    s.PutBool("isMoreOpen", isMoreOpen);
    s.PutShort("moreMultiple", moreMultiple);
}

void APagePane::Get(AStream& s) {
    APane::Get(s);
    s.GetClassMark(kClassID, 1, kVersion);
    valueRefCon = s.GetLong("valueRefCon");
    heightMultiple = AtLeastOne(s.GetShort("heightMultiple"));
    isMoreOpen = s.GetBool("isMoreOpen");
    moreMultiple = NotNegative(s.GetShort("moreMultiple"));
    valUpdateProc = nullptr;
}
