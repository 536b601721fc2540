// APaneStack: construction and disposal, the call guard, selection of the
// current pane and gadget, opening and closing from the stack, and values.
#include "APaneStack.h"

#include "AGadget.h"
#include "APagePane.h"
#include "APaneStackPrivate.h"
#include "AScrollablePane.h"
#include "AStackPane.h"
#include "ATextEntry.h"
#include "KsFatal.h"
#include "KsText.h"

#include <cstring>

namespace {
constexpr SInt16 S = kPaneDontCare;

bool InsideWithEdges(const KsRect& r, KsPoint pt) {
    return pt.h >= r.left && pt.h <= r.right && pt.v >= r.top && pt.v <= r.bottom;
}

// True when p is pane or lies below it.
bool IsWithin(const APane* p, const APane* pane) {
    for (; p; p = p->GetEnclPane())
        if (p == pane) return true;
    return false;
}

} // namespace

bool KsIsStackValuePane(const APane* p) {
    return p && (p->IsInstanceOf("AGadget") || p->IsInstanceOf("ATextEntry"));
}

void KsStackSetValueProc(APane* p, AGadgetValUpdateProc proc, SInt32 refCon) {
    if (p && p->IsInstanceOf("AGadget")) {
        static_cast<AGadget*>(p)->SetValUpdateProc(proc);
        static_cast<AGadget*>(p)->SetValueRefCon(refCon);
    } else if (p && p->IsInstanceOf("ATextEntry")) {
        static_cast<ATextEntry*>(p)->SetValUpdateProc(proc);
        static_cast<ATextEntry*>(p)->SetValueRefCon(refCon);
    }
}

void KsStackUpdateValue(APane* p, SInt32 refCon, void* data) {
    if (p && p->IsInstanceOf("AGadget"))
        static_cast<AGadget*>(p)->UpdateValues(refCon, data);
    else if (p && p->IsInstanceOf("ATextEntry"))
        static_cast<ATextEntry*>(p)->UpdateValues(refCon, data);
}

SInt32 KsStackValueRefCon(const APane* p) {
    if (p && p->IsInstanceOf("AGadget")) return static_cast<const AGadget*>(p)->GetValueRefCon();
    if (p && p->IsInstanceOf("ATextEntry"))
        return static_cast<const ATextEntry*>(p)->GetValueRefCon();
    return -1;
}

bool KsStackHasValueRefCon(APane* p, SInt32 refCon) {
    if (p && p->IsInstanceOf("AGadget")) return static_cast<AGadget*>(p)->HasValueRefCon(refCon);
    if (p && p->IsInstanceOf("ATextEntry"))
        return static_cast<ATextEntry*>(p)->HasValueRefCon(refCon);
    return false;
}

void KsStackSetValRefConProc(APane* p, AGadgetValRefConProc proc) {
    if (p && p->IsInstanceOf("AGadget"))
        static_cast<AGadget*>(p)->SetValRefConProc(proc);
    else if (p && p->IsInstanceOf("ATextEntry"))
        static_cast<ATextEntry*>(p)->SetValRefConProc(proc);
}

APaneStack* KsStackOfStackPane(const APane* stackPane) {
    APane* main = stackPane ? stackPane->GetEnclPane() : nullptr;
    APane* s = main ? main->GetEnclPane() : nullptr;
    return s && s->IsInstanceOf("APaneStack") ? static_cast<APaneStack*>(s) : nullptr;
}

// --- The call guard --------------------------------------------------------------

StStackCall::StStackCall(APaneStack* stack, StackRestore restore, StackClip clip)
    : stack_(stack), holdStack_(stack), restore_(restore),
      savedPane_(stack ? stack->GetCurStackPane() : nullptr),
      savedTarget_(stack ? stack->GetCurTarget() : nullptr), holdPane_(savedPane_),
      holdTarget_(savedTarget_) {
    if (!stack_) return;
    ++stack_->iCallDepth;
    if (clip == StackClip::interior) clip_.emplace(ToRect(stack_->StackClip()));
}

StStackCall::~StStackCall() {
    if (!stack_) return;
    if (restore_ == StackRestore::clear && StackAlive()) stack_->SetCurrent(nullptr, nullptr);
    if (restore_ == StackRestore::current && StackAlive())
        stack_->SetCurrent(holdPane_.Alive() ? savedPane_ : nullptr,
                           holdTarget_.Alive() ? savedTarget_ : nullptr);
    clip_.reset();
    if (--stack_->iCallDepth == 0 && stack_->iDisposePending) {
        stack_->iDisposePending = false;
        stack_->Dispose();
    }
}

bool StStackCall::StackAlive() const {
    return stack_ && holdStack_.Alive() && !stack_->iDisposePending;
}

// --- Construction and disposal ---------------------------------------------------

APaneStack* APaneStack::New(APane* encl, SInt16 left, SInt16 top, SInt16 width, SInt16 rowHeight,
                            SInt16 visibleRows, SInt16 totalRows, const KsRGBColor& color) {
    auto* p = new APaneStack;
    try {
        p->IPaneStack(encl, left, top, width, rowHeight, visibleRows, totalRows, color);
    } catch (...) {
        p->Dispose();
        throw;
    }
    return p;
}

void APaneStack::IPaneStack(APane* encl, SInt16 left, SInt16 top, SInt16 width, SInt16 rows,
                            SInt16 visibleRows, SInt16 totalRows, const KsRGBColor& color) {
    // Every row computation divides by the row height.
    rowHeight = rows < 1 ? SInt16(1) : rows;
    totalItems = totalRows < 0 ? 0 : totalRows;
    paneWidth = width - kPaneInset;
    visibleItems = visibleRows < 0 ? 0 : visibleRows;
    IScrollPane(encl, left, S, SInt16(width + kBarExtra), top, S,
                SInt16(rowHeight * visibleItems + kFrameExtra), color, 2, false, true, false,
                RGBgray11);
    VSBarAlwaysVisible(true);
    auto* main = new AScrollablePane;
    try {
        main->IScrollablePane(nullptr, 0, S, width, 0, S, SInt16(rowHeight * visibleItems), color,
                              0);
    } catch (...) {
        main->Dispose();
        throw;
    }
    main->SetInheritsBkgd(true, 0);
    main->SetYincr(rowHeight);
    main->SetPaneID("scrollablePane");
    InstallPane(main);
    SetRangeFromTotal();
}

// A host procedure running inside one of the stack's calls may dispose of the
// stack: it leaves its tree at once and goes when the call returns.
void APaneStack::Dispose() {
    if (iCallDepth > 0) {
        if (iDisposePending) return;
        iDisposePending = true;
        SetVisible(false);
        if (APane* encl = GetEnclPane()) encl->RemoveSubPane(this);
        SetEnclWindow(nullptr);
        return;
    }
    curStackPane = nullptr;
    curTarget = nullptr;
    iRemovingAll = true;
    AScrollPane::Dispose();
}

void APaneStack::SetCurrent(AStackPane* pane, APane* target) {
    curStackPane = pane;
    curTarget = target;
}

void APaneStack::ForgetPane(APane* pane) {
    if (!pane) return;
    if (IsWithin(curStackPane, pane)) curStackPane = nullptr;
    if (IsWithin(curTarget, pane)) curTarget = nullptr;
}

KsRect APaneStack::StackClip() const {
    return GetInterior();
}

SInt32 APaneStack::CountStackPanes() const {
    AScrollablePane* main = GetMainPane();
    return main ? main->GetNumSubPanes() : 0;
}

AStackPane* APaneStack::GetStackPane(SInt32 index) const {
    AScrollablePane* main = GetMainPane();
    APane* p = main ? main->GetSubPane(index) : nullptr;
    return p && p->IsInstanceOf("AStackPane") ? static_cast<AStackPane*>(p) : nullptr;
}

// --- Opening and closing -----------------------------------------------------------

void APaneStack::OpenAllPanes() {
    StStackCall call(this, StackRestore::nothing, StackClip::interior);
    const UInt32 gen = iGeneration;
    for (SInt32 i = 1; i <= CountStackPanes() && gen == iGeneration && call.StackAlive(); ++i)
        if (AStackPane* p = GetStackPane(i)) p->OpenPane();
}

void APaneStack::ClosePanes(bool withOpenerOnly) {
    StStackCall call(this, StackRestore::nothing, StackClip::interior);
    const UInt32 gen = iGeneration;
    for (SInt32 i = 1; i <= CountStackPanes() && gen == iGeneration && call.StackAlive(); ++i) {
        AStackPane* p = GetStackPane(i);
        if (p && (!withOpenerOnly || p->GetOpenerGad())) p->ClosePane();
    }
}

void APaneStack::CloseAllPanes() {
    ClosePanes(true);
}

bool APaneStack::OpenCurPane() {
    if (!curStackPane) return false;
    StStackCall call(this, StackRestore::current, StackClip::interior);
    StPaneHold hold(curStackPane);
    AStackPane* p = curStackPane;
    p->OpenPane();
    return hold.Alive() && p->IsOpen();
}

bool APaneStack::CloseCurPane() {
    if (!curStackPane) return false;
    curStackPane->ClosePane();
    return true;
}

bool APaneStack::IsCurPaneOpen() const {
    return curStackPane && curStackPane->IsOpen();
}

void APaneStack::AutoOpenPanes() {
    StStackCall call(this, StackRestore::nothing, StackClip::keep);
    const bool wasAuto = autoScroll;
    struct Back {
        APaneStack* s;
        bool on;
        ~Back() { s->autoScroll = on; }
    } back{this, wasAuto};
    const UInt32 gen = iGeneration;
    for (SInt32 i = 1; i <= CountStackPanes() && gen == iGeneration && call.StackAlive(); ++i) {
        AStackPane* p = GetStackPane(i);
        if (!p) continue;
        SetCurrent(p, p);
        if (p->GetPaneStyle() == kStackPaneAutoOpen && p->CanAutoOpen() && !p->IsOpen()) {
            autoScroll = false;
            OpenCurPane();
            autoScroll = wasAuto;
        }
    }
}

bool APaneStack::AutoOpenCurPane() {
    if (!curStackPane || !curStackPane->CanAutoOpen()) return false;
    return OpenCurPane();
}

bool APaneStack::SetOpenable(SInt32 refCon, SInt32 paneType, bool openable) {
    curTarget = curStackPane;
    StStackCall call(this, StackRestore::nothing, StackClip::keep);
    bool changed = false;
    const UInt32 gen = iGeneration;
    for (SInt32 i = 1; i <= CountStackPanes() && gen == iGeneration && call.StackAlive(); ++i) {
        AStackPane* p = GetStackPane(i);
        if (p && p->GetPaneType() == paneType && (refCon == -1 || p->GetValueRefCon() == refCon))
            changed |= p->SetOpenable(openable, false);
    }
    return changed;
}

void APaneStack::SetAllNotOpenable() {
    SetCurrent(nullptr, nullptr);
    StStackCall call(this, StackRestore::nothing, StackClip::keep);
    const UInt32 gen = iGeneration;
    for (SInt32 i = 1; i <= CountStackPanes() && gen == iGeneration && call.StackAlive(); ++i) {
        AStackPane* p = GetStackPane(i);
        if (p && p->GetValueRefCon() != -1) p->SetOpenable(false, true);
    }
}

bool APaneStack::EnableCurPane(bool redraw) {
    if (!curStackPane || !curStackPane->GetEnableGad()) return false;
    APane* e = curStackPane->GetEnableGad();
    if (!e->IsInstanceOf("AGadget")) return false;
    auto* g = static_cast<AGadget*>(e);
    if (g->GetState()) return true;
    StStackCall call(this, StackRestore::current, StackClip::keep);
    StPaneHold hold(g);
    if (AGadgetUpClickProc up = g->GetUpClickProc()) up(g, nullptr, -1, -1);
    if (redraw && hold.Alive() && call.StackAlive()) {
        const KsRect clip = StackClip();
        g->Draw(&clip, nullptr);
    }
    return true;
}

bool APaneStack::IsCurPaneEnabled() const {
    if (!curStackPane || !curStackPane->GetEnableGad()) return true;
    APane* e = curStackPane->GetEnableGad();
    if (!e->IsInstanceOf("AGadget")) return true;
    auto* g = static_cast<AGadget*>(e);
    return g->GetValueRefCon() == -1 || g->GetState();
}

// --- Selection -----------------------------------------------------------------------

AStackPane* APaneStack::FindStackPane(SInt32 refCon, SInt32 paneType, bool openOnly) const {
    for (SInt32 i = 1; i <= CountStackPanes(); ++i) {
        AStackPane* p = GetStackPane(i);
        if (!p || p->GetPaneType() != paneType) continue;
        if (refCon != -1 && p->GetValueRefCon() != refCon) continue;
        if (openOnly && !(p->IsOpenable() && p->IsOpen())) continue;
        return p;
    }
    return nullptr;
}

bool APaneStack::SetCurPane(SInt32 refCon, SInt32 paneType) {
    AStackPane* p = FindStackPane(refCon, paneType, false);
    if (!p) return false;
    const bool changed = p != curStackPane;
    SetCurrent(p, p->GetCurPage() ? static_cast<APane*>(p->GetCurPage()) : p);
    return changed;
}

bool APaneStack::SetCurPaneIfOpen(SInt32 refCon, SInt32 paneType) {
    AStackPane* p = FindStackPane(refCon, paneType, true);
    if (!p) return false;
    SetCurrent(p, p->GetCurPage() ? static_cast<APane*>(p->GetCurPage()) : p);
    return true;
}

bool APaneStack::SetCurPaneEncl(APane* pane) {
    APane* e = pane ? pane->GetEnclPane() : nullptr;
    if (!e) return false;
    if (e->IsInstanceOf("AStackPane") && KsStackOfStackPane(e) == this) {
        SetCurrent(static_cast<AStackPane*>(e), e);
        return true;
    }
    if (e->IsInstanceOf("APagePane")) {
        AStackPane* sp = static_cast<APagePane*>(e)->GetStackPane();
        if (sp && sp->GetStack() == this) {
            SetCurrent(sp, e);
            return true;
        }
    }
    return false;
}

bool APaneStack::RefConSetCurPane(SInt32 refCon) {
    for (SInt32 i = 1; i <= CountStackPanes(); ++i) {
        AStackPane* p = GetStackPane(i);
        if (!p || p->GetValueRefCon() != refCon) continue;
        const bool changed = p != curStackPane;
        SetCurrent(p, p->GetCurPage() ? static_cast<APane*>(p->GetCurPage()) : p);
        return changed;
    }
    return false;
}

bool APaneStack::FindCurPane(KsPoint pt) {
    for (SInt32 i = 1; i <= CountStackPanes(); ++i) {
        AStackPane* p = GetStackPane(i);
        if (p && p->PtInPane(pt)) {
            SetCurrent(p, p);
            return true;
        }
    }
    return false;
}

// By name only gadgets count (a text field's text is what the user typed);
// by refcon every pane of the value protocol does.
APane* APaneStack::FindGadIn(APane* in, const char* name, SInt32 refCon, bool byName) const {
    if (!in) return nullptr;
    for (SInt32 i = 1; i <= in->GetNumSubPanes(); ++i) {
        APane* p = in->GetSubPane(i);
        if (byName) {
            char text[64];
            if (!p->IsInstanceOf("AGadget")) continue;
            static_cast<AGadget*>(p)->GetText(text, sizeof text);
            if (name && std::strncmp(text, name, 63) == 0) return p;
        } else if (KsIsStackValuePane(p) && KsStackValueRefCon(p) == refCon) {
            return p;
        }
    }
    return nullptr;
}

bool APaneStack::SetCurGad(const char* name) {
    if (!curTarget || !curStackPane) return false;
    APane* old = curStackPane->GetCurGad();
    APane* g = FindGadIn(curTarget, name, 0, true);
    if (!g && curTarget != curStackPane) g = FindGadIn(curStackPane, name, 0, true);
    curStackPane->SetCurGad(g);
    return g != old;
}

bool APaneStack::RefConSetCurGad(SInt32 refCon) {
    if (!curTarget || !curStackPane) return false;
    APane* old = curStackPane->GetCurGad();
    APane* g = FindGadIn(curTarget, nullptr, refCon, false);
    if (!g && curTarget != curStackPane) g = FindGadIn(curStackPane, nullptr, refCon, false);
    curStackPane->SetCurGad(g);
    return g != old;
}

bool APaneStack::RefConSetCurGadDammit(SInt32 refCon, SInt32 n) {
    SInt32 count = 0;
    for (SInt32 i = 1; i <= CountStackPanes(); ++i) {
        AStackPane* p = GetStackPane(i);
        if (!p) continue;
        curStackPane = p;
        p->SetCurGad(nullptr);
        for (SInt32 j = 1; j <= p->GetNumSubPanes(); ++j) {
            APane* g = p->GetSubPane(j);
            if (!KsIsStackValuePane(g) || KsStackValueRefCon(g) != refCon) continue;
            if (n < 0 || count == n) {
                p->SetCurGad(g);
                return true;
            }
            ++count;
        }
    }
    return false;
}

APane* APaneStack::RefConFindGad(SInt32 refCon, APane* except) {
    auto matches = [refCon, except](APane* p) {
        return p != except && KsStackHasValueRefCon(p, refCon);
    };
    for (SInt32 i = 1; i <= CountStackPanes(); ++i) {
        AStackPane* sp = GetStackPane(i);
        if (!sp) continue;
        for (SInt32 j = 1; j <= sp->GetNumSubPanes(); ++j) {
            APane* p = sp->GetSubPane(j);
            if (p->IsInstanceOf("APagePane")) {
                if (!sp->IsOpen()) continue;
                for (SInt32 k = 1; k <= p->GetNumSubPanes(); ++k)
                    if (matches(p->GetSubPane(k))) return p->GetSubPane(k);
            } else if ((sp->IsOpen() || sp->InTopRow(p)) && matches(p)) {
                return p;
            }
        }
    }
    return nullptr;
}

bool APaneStack::RefConPtInGad(KsPoint pt, SInt32 refCon, SInt32 borderStyle) {
    for (SInt32 i = 1; i <= CountStackPanes(); ++i) {
        AStackPane* sp = GetStackPane(i);
        if (!sp) continue;
        for (SInt32 j = 1; j <= sp->GetNumSubPanes(); ++j) {
            APane* p = sp->GetSubPane(j);
            if (p->IsInstanceOf("AGadget") &&
                static_cast<AGadget*>(p)->GetValueRefCon() == refCon &&
                p->GetBorderStyle() == borderStyle)
                return InsideWithEdges(p->GetInterior(), pt);
        }
    }
    return false;
}

AGadget* APaneStack::RefConGetMenuGad(SInt32 refCon) {
    auto find = [refCon](APane* in) -> AGadget* {
        if (!in) return nullptr;
        for (SInt32 i = 1; i <= in->GetNumSubPanes(); ++i) {
            APane* p = in->GetSubPane(i);
            if (!p->IsInstanceOf("AGadget")) continue;
            auto* g = static_cast<AGadget*>(p);
            if (g->GetValueRefCon() == refCon && g->GetHasMenu()) return g;
        }
        return nullptr;
    };
    AGadget* g = find(curTarget);
    if (!g && curTarget && curTarget != curStackPane) g = find(curStackPane);
    return g;
}

void APaneStack::SetCurPaneQAPID(const char* id) {
    if (curStackPane && id) curStackPane->SetPaneID(DeSpace(id).c_str());
}

void APaneStack::SetCurGadQAPID(const char* id) {
    if (curStackPane && curStackPane->GetCurGad() && id)
        curStackPane->GetCurGad()->SetPaneID(DeSpace(id).c_str());
}

void APaneStack::SetCurGadHelpText(const char* text) {
    if (curStackPane && curStackPane->GetCurGad() && text)
        curStackPane->GetCurGad()->SetHelpText(text);
}

void APaneStack::SetCurGadValRefConProc(AGadgetValRefConProc proc) {
    APane* g = curStackPane ? curStackPane->GetCurGad() : nullptr;
    KsStackSetValRefConProc(g, proc);
}

void APaneStack::RedrawCurPane(bool) {
    if (!curTarget || !curTarget->IsVisible()) return;
    curTarget->Draw(nullptr, nullptr);
}

// --- Values ---------------------------------------------------------------------------

void APaneStack::UpdateValues(SInt32 refCon, void* data) {
    if (CountStackPanes() == 0) return;
    StStackCall call(this, StackRestore::nothing, StackClip::interior);
    const UInt32 gen = iGeneration;
    for (SInt32 i = 1; i <= CountStackPanes() && gen == iGeneration && call.StackAlive(); ++i) {
        AStackPane* p = GetStackPane(i);
        if (!p) continue;
        SetCurrent(p, p);
        p->UpdateValues(refCon, data);
    }
    if (call.StackAlive()) SetCurrent(nullptr, nullptr);
}

void APaneStack::UpdateCurPaneValues(SInt32 refCon, void* data) {
    if (!curStackPane) return;
    StStackCall call(this, StackRestore::current, StackClip::interior);
    curStackPane->UpdateValues(refCon, data);
}

void APaneStack::UpdateCurPaneValues_Closed(SInt32 refCon, void* data) {
    if (!curStackPane) return;
    StStackCall call(this, StackRestore::current, StackClip::interior);
    curStackPane->UpdateValues_Closed(refCon, data);
}

void APaneStack::UpdatePaneValues(SInt32 paneType, SInt32 refCon, void* data) {
    StStackCall call(this, StackRestore::current, StackClip::keep);
    SetCurPane(-1, paneType);
    UpdateCurPaneValues(refCon, data);
}

void APaneStack::UpdateCurGadValues(SInt32 refCon, void* data) {
    APane* g = curStackPane ? curStackPane->GetCurGad() : nullptr;
    if (!KsIsStackValuePane(g)) return;
    if (!curStackPane->IsOpen() && !curStackPane->InTopRow(g)) return;
    StStackCall call(this, StackRestore::current, StackClip::interior);
    KsStackUpdateValue(g, refCon, data);
}
