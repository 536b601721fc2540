// APagePane: a page of a stack pane's body. Persistence lives in
// APaneStackStream.cpp.
#include "APagePane.h"

#include "APaneBook.h"
#include "APaneStack.h"
#include "APaneStackPrivate.h"
#include "AStackPane.h"
#include "KsFatal.h"
#include "KsText.h"

namespace {
constexpr SInt16 S = kPaneDontCare;
} // namespace

APagePane* APagePane::New(APane* encl, SInt32 refCon, const char* name, SInt16 heightMultiple,
                          AGadgetValUpdateProc valUpdateProc, SInt16 moreMultiple) {
    auto* p = new APagePane;
    try {
        p->IPagePane(encl, refCon, name, heightMultiple, valUpdateProc, moreMultiple);
    } catch (...) {
        p->Dispose();
        throw;
    }
    return p;
}

AStackPane* APagePane::GetStackPane() const {
    APane* e = GetEnclPane();
    return e && e->IsInstanceOf("AStackPane") ? static_cast<AStackPane*>(e) : nullptr;
}

APaneStack* APagePane::GetStack() const {
    AStackPane* sp = GetStackPane();
    return sp ? sp->GetStack() : nullptr;
}

void APagePane::IPagePane(APane* encl, SInt32 refCon, const char* name, SInt16 multiple,
                          AGadgetValUpdateProc proc, SInt16 more) {
    APaneStack* stack = nullptr;
    if (encl && encl->IsInstanceOf("AStackPane"))
        stack = static_cast<AStackPane*>(encl)->GetStack();
    FtlAssert(stack != nullptr && "a page lies in a stack pane of a pane stack");
    const SInt16 r = stack->GetRowHeight();
    if (multiple < 1) {
        // The body of the stack pane it goes into: never less than a row.
        const auto* sp = static_cast<AStackPane*>(encl);
        multiple = SInt16(sp->GetOwnHeightMultiple() - 1);
        if (multiple < 1) multiple = 1;
    }
    heightMultiple = multiple;
    IPane(encl, 0, S, SInt16(stack->GetPaneWidth() - 2), r, S, SInt16(r * multiple),
          stack->GetBkndColor(), 0);
    SetInheritsBkgd(true, 0);
    SetVisible(false);
    SetValueRefCon(refCon);
    SetValUpdateProc(proc);
    if (name && *name) SetPaneID(DeSpace(name).c_str());
    SetMoreMultiple(more);
}

void APagePane::SetHeightMultiple(SInt16 m) {
    FtlAssert(m > 0 && "heightMultiple > 0");
    if (m == heightMultiple) return;
    heightMultiple = m;
    KsRect b = GetBounds();
    APaneStack* s = GetStack();
    b.bottom = b.top + SInt32(m) * (s ? s->GetRowHeight() : 1);
    SetBounds(b);
}

// The page and, when it shows, its stack pane grow or shrink by the extra
// rows; the stack moves the panes after it.
void APagePane::MoreRows(bool open) {
    if (open == isMoreOpen || moreMultiple == 0) return;
    AStackPane* sp = GetStackPane();
    APaneStack* stack = GetStack();
    FtlAssert(sp != nullptr && stack != nullptr);
    const SInt16 before = sp->RowsNow();
    isMoreOpen = open;
    const SInt16 m = SInt16(heightMultiple + (open ? moreMultiple : -moreMultiple));
    SetHeightMultiple(m < 1 ? SInt16(1) : m);
    if (!sp->IsOpen() || sp->IsInOpen()) return;
    const SInt16 after = sp->RowsNow();
    if (after == before) return;
    KsRect b = sp->GetBounds();
    b.bottom = b.top + SInt32(after) * stack->GetRowHeight();
    sp->SetBounds(b);
    stack->Restack(sp, SInt16(after - before));
}

void APagePane::OpenMore() {
    MoreRows(true);
}

void APagePane::CloseMore() {
    MoreRows(false);
}

namespace {
template <class Want> void RefreshPage(APagePane* page, SInt32 refCon, void* data, Want want) {
    StStackCall call(page->GetStack(), StackRestore::nothing, StackClip::interior);
    StPaneHold self(page);
    if (AGadgetValUpdateProc proc = page->GetValUpdateProc()) {
        proc(refCon, page, data);
        if (!self.Alive() || !call.StackAlive()) return;
    }
    if (!want()) return;
    for (SInt32 i = 1; i <= page->GetNumSubPanes(); ++i) {
        APane* p = page->GetSubPane(i);
        if (KsIsStackValuePane(p))
            KsStackUpdateValue(p, refCon, data);
        else if (p->IsInstanceOf("APaneBook"))
            static_cast<APaneBook*>(p)->UpdateValues(refCon, data);
        else
            continue;
        if (!self.Alive() || !call.StackAlive()) return;
    }
}
} // namespace

void APagePane::UpdateValues(SInt32 refCon, void* data) {
    RefreshPage(this, refCon, data, [this] { return GetNumSubPanes() > 0 && GetOwnVisible(); });
}

void APagePane::UpdateValues_Closed(SInt32 refCon, void* data) {
    RefreshPage(this, refCon, data, [this] { return GetNumSubPanes() > 0; });
}

bool APagePane::DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) {
    APaneStack* s = GetStack();
    StStackCall call(s, StackRestore::current, StackClip::keep);
    if (s) s->SetCurrent(s->GetCurStackPane(), this);
    return APane::DoKeyDown(charCode, keyCode, event, data);
}

void APagePane::DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) {
    APaneStack* s = GetStack();
    StStackCall call(s, StackRestore::current, StackClip::keep);
    if (s) s->SetCurrent(s->GetCurStackPane(), this);
    APane::DoClick(pt, modifiers, when, data);
}
