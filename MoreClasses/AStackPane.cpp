// AStackPane: construction, opening and closing, heights, clicks and the
// refreshing of values. Persistence lives in APaneStackStream.cpp.
#include "AStackPane.h"

#include "AApplication.h"
#include "AGadget.h"
#include "APagePane.h"
#include "APaneBook.h"
#include "APaneStack.h"
#include "APaneStackPrivate.h"
#include "AScrollablePane.h"
#include "CKsList.h"
#include "KsDrawUtils.h"
#include "KsFatal.h"
#include "KsText.h"

namespace {
constexpr SInt16 S = kPaneDontCare;

// Pane hit tests count every edge as inside.
bool InsideWithEdges(const KsRect& r, KsPoint pt) {
    return pt.h >= r.left && pt.h <= r.right && pt.v >= r.top && pt.v <= r.bottom;
}

template <class Fn> void ForSubPanes(APane* pane, Fn fn) {
    for (SInt32 i = 1; i <= pane->GetNumSubPanes(); ++i)
        fn(pane->GetSubPane(i));
}
} // namespace

AStackPane* AStackPane::New(APane* encl, SInt32 refCon, SInt32 paneType, const char* name,
                            SInt16 heightMultiple, SInt16 paneStyle, SInt16 moreMultiple) {
    auto* p = new AStackPane;
    try {
        p->IStackPane(encl, refCon, paneType, name, heightMultiple, paneStyle, moreMultiple);
    } catch (...) {
        p->Dispose();
        throw;
    }
    return p;
}

APaneStack* AStackPane::GetStack() const {
    return KsStackOfStackPane(this);
}

SInt16 AStackPane::GetRowHeight() const {
    APaneStack* s = GetStack();
    return s ? s->GetRowHeight() : SInt16(1);
}

void AStackPane::IStackPane(APane* encl, SInt32 refCon, SInt32 type, const char* name,
                            SInt16 multiple, SInt16 style, SInt16 more) {
    APane* stackPane = encl ? encl->GetEnclPane() : nullptr;
    FtlAssert(stackPane != nullptr && stackPane->IsInstanceOf("APaneStack"));
    auto* stack = static_cast<APaneStack*>(stackPane);
    const SInt16 r = stack->GetRowHeight();
    paneStyle = style;
    curTopOffset = r;
    heightMultiple = multiple < 1 ? SInt16(1) : multiple;
    const SInt16 h = SInt16(style == kStackPaneAlwaysOpen ? r * heightMultiple : r);
    const KsRGBColor bkgd = stack->GetBkndColor();
    IPane(encl, 0, S, SInt16(stack->GetPaneWidth()), 0, S, h, bkgd, 19);
    // Placed in the landscape: below the panes already there, wherever the
    // stack is scrolled to.
    SInt32 pos = 0;
    static_cast<AScrollablePane*>(encl)->GetYinfo(&pos, nullptr, nullptr);
    MovePane(0, stack->nextPaneTop - pos);
    SetInheritsBkgd(true, 0);
    if (name && *name) SetPaneID(DeSpace(name).c_str());
    stack->nextPaneTop += h;
    SetValueRefCon(refCon);
    paneIndex = SInt16(stack->GetLastPaneIndex());
    paneType = type;
    if (heightMultiple != 1 && style != kStackPaneAlwaysOpen) {
        openerGad = AGadget::New(this, 2, S, 12, 0, S, 11, bkgd, 0);
        openerGad->SetInheritsBkgd(true, 0);
        openerGad->SetRsrc(FourCharCode("SICN"), kOpenerClosedID);
        openerGad->SetIsLED(true);
        openerGad->SetState(true, true);
        openerGad->SetForeColor(ClosedColor(bkgd));
        openerGad->SetPaneID("Opener");
    }
    labelGad = AGadget::New(this, 16, S, SInt16(stack->GetPaneWidth() / 2), 0, S, 11, bkgd, 0);
    labelGad->SetInheritsBkgd(true, 0);
    labelGad->SetText(name ? name : "");
    labelGad->SetFontSizeFace(1, 9, 0);
    labelGad->SetJust(0);
    labelGad->SetPaneID("label");
    SetMoreMultiple(more);
}

void AStackPane::Dispose() {
    if (APaneStack* s = GetStack()) s->StackPaneGone(this);
    APane::Dispose();
}

// The fields point at sub-panes; a sub-pane that goes takes its pointer along.
void AStackPane::RemoveSubPane(APane* pane) {
    if (pane == curGad) curGad = nullptr;
    if (pane == paneBook) paneBook = nullptr;
    if (pane == labelGad) labelGad = nullptr;
    if (pane == openerGad) openerGad = nullptr;
    if (pane == enableGad) enableGad = nullptr;
    if (pane == curPage) curPage = nullptr;
    if (APaneStack* s = GetStack()) s->ForgetPane(pane);
    APane::RemoveSubPane(pane);
}

KsRGBColor AStackPane::OpenColor(const KsRGBColor& bkgd) {
    KsRGBColor c = RGBblack;
    AdjustFGColorContrast(&c, bkgd);
    return c;
}

KsRGBColor AStackPane::ClosedColor(const KsRGBColor& bkgd) {
    KsRGBColor c = bkgd;
    if (AdjustFGColorContrast(RGBblack, bkgd, nullptr)) c = RGBwhite;
    return ScaleRGBIntensity(c, 1, 2);
}

void AStackPane::SetOpenerFace(bool open) {
    if (!openerGad) return;
    openerGad->SetForeColor(open ? OpenColor(GetBkndColor()) : ClosedColor(GetBkndColor()));
    openerGad->SetRsrc(FourCharCode("SICN"), open ? kOpenerOpenID : kOpenerClosedID);
}

void AStackPane::SetBkndColor(const KsRGBColor& color) {
    APane::SetBkndColor(color);
    if (openerGad) openerGad->SetForeColor(IsOpen() ? OpenColor(color) : ClosedColor(color));
}

void AStackPane::SetRows(SInt16 rows) {
    KsRect b = GetBounds();
    b.bottom = b.top + SInt32(rows) * GetRowHeight();
    SetBounds(b);
}

SInt16 AStackPane::GetHeightMultiple() const {
    if (APagePane* page = GetVisiblePage()) return SInt16(1 + page->GetHeightMultiple());
    return heightMultiple;
}

APagePane* AStackPane::GetVisiblePage() const {
    for (SInt32 i = 1; i <= GetNumSubPanes(); ++i) {
        APane* p = GetSubPane(i);
        if (p->IsInstanceOf("APagePane") && p->GetOwnVisible()) return static_cast<APagePane*>(p);
    }
    return nullptr;
}

// A closed pane keeps its one row whatever its multiple; pages get the body's
// rows, never fewer than one.
void AStackPane::SetHeightMultiple(SInt16 m) {
    FtlAssert(m > 0 && "heightMultiple > 0");
    const SInt16 before = RowsNow();
    heightMultiple = m;
    const SInt16 pageRows = m > 1 ? SInt16(m - 1) : SInt16(1);
    ForSubPanes(this, [pageRows](APane* p) {
        if (p->IsInstanceOf("APagePane")) static_cast<APagePane*>(p)->SetHeightMultiple(pageRows);
    });
    if (!IsOpen()) return;
    const SInt16 after = RowsNow();
    SetRows(after);
    APaneStack* s = GetStack();
    if (s && !inOpen && after != before) s->Restack(this, SInt16(after - before));
}

bool AStackPane::InTopRow(const APane* pane) const {
    if (!pane) return false;
    APaneStack* s = GetStack();
    if (s && s->IsPanePage() && pane != enableGad) return false;
    return pane->GetInterior().top - GetInterior().top < GetRowHeight() / 2;
}

void AStackPane::GetName(char* buf, SInt32 len) const {
    if (!buf || len <= 0) return;
    buf[0] = 0;
    if (labelGad) labelGad->GetText(buf, len);
}

void AStackPane::ShowBody() {
    ForSubPanes(this, [](APane* p) {
        if (p->IsInstanceOf("APagePane"))
            ForSubPanes(p, [](APane* q) { q->SetVisible(true); });
        else
            p->SetVisible(true);
    });
}

void AStackPane::HideBody() {
    ForSubPanes(this, [this](APane* p) {
        if (InTopRow(p)) return;
        p->SetVisible(false);
        if (p->IsInstanceOf("APagePane")) ForSubPanes(p, [](APane* q) { q->SetVisible(false); });
    });
}

void AStackPane::OpenPane() {
    if (!openable || IsOpen()) return;
    APaneStack* s = GetStack();
    StPaneHold self(this);
    ShowBody();
    SetOpenerFace(true);
    isOpen = true;
    // The values are refreshed before the height is taken: a procedure may
    // change the page, whose restacking waits for the height below.
    auto finish = [this, s] {
        inOpen = false;
        SetRows(GetHeightMultiple());
        if (s) s->Restack(this, 0);
    };
    inOpen = true;
    try {
        UpdateValues(0, s);
    } catch (...) {
        if (self.Alive()) finish();
        throw;
    }
    if (self.Alive()) finish();
}

void AStackPane::ClosePane() {
    if (!IsOpen() || paneStyle == kStackPaneAlwaysOpen) return;
    SetOpenerFace(false);
    isOpen = false;
    SetRows(1);
    if (APaneStack* s = GetStack()) s->Restack(this, 0);
    HideBody();
}

void AStackPane::OpenMore() {
    if (isMoreOpen || moreMultiple == 0) return;
    isMoreOpen = true;
    SetHeightMultiple(SInt16(heightMultiple + moreMultiple));
}

void AStackPane::CloseMore() {
    if (!isMoreOpen || moreMultiple == 0) return;
    isMoreOpen = false;
    const SInt16 m = SInt16(heightMultiple - moreMultiple);
    SetHeightMultiple(m < 1 ? SInt16(1) : m);
}

bool AStackPane::SetOpenable(bool on, bool force) {
    if (paneStyle == kStackPaneAlwaysOpen) return false;
    const bool changed = on != openable;
    if (!changed && !force) return changed;
    openable = on;
    auto header = [this](bool show) {
        ForSubPanes(this, [this, show](APane* p) {
            if (InTopRow(p)) p->SetVisible(show);
        });
    };
    if (on) {
        header(true);
        UpdateValues(0, GetStack());
    } else {
        ClosePane();
        header(false);
    }
    return changed;
}

namespace {
// One sub-pane's refresh, by class.
void RefreshOne(APane* p, SInt32 refCon, void* data, bool closed) {
    if (KsIsStackValuePane(p)) {
        KsStackUpdateValue(p, refCon, data);
    } else if (p->IsInstanceOf("APaneBook")) {
        static_cast<APaneBook*>(p)->UpdateValues(refCon, data);
    } else if (p->IsInstanceOf("APagePane")) {
        auto* page = static_cast<APagePane*>(p);
        if (closed)
            page->UpdateValues_Closed(refCon, data);
        else
            page->UpdateValues(refCon, data);
    }
}

// Visits the sub-panes that `want` picks, refreshing each, for as long as
// the pane and its stack stay. A page becomes the stack's target meanwhile.
template <class Want>
void RefreshSubPanes(AStackPane* pane, SInt32 refCon, void* data, bool closed, Want want) {
    APaneStack* stack = pane->GetStack();
    StStackCall call(stack, StackRestore::nothing, StackClip::interior);
    StPaneHold self(pane);
    for (SInt32 i = 1; i <= pane->GetNumSubPanes(); ++i) {
        APane* p = pane->GetSubPane(i);
        if (!want(p)) continue;
        StPaneHold hold(p);
        const bool page = stack && p->IsInstanceOf("APagePane");
        if (page) stack->SetCurrent(stack->GetCurStackPane(), p);
        RefreshOne(p, refCon, data, closed);
        if (!self.Alive() || !call.StackAlive()) return;
        if (page) stack->SetCurrent(stack->GetCurStackPane(), stack->GetCurStackPane());
    }
}
} // namespace

void AStackPane::UpdateValues(SInt32 refCon, void* data) {
    if (!openable || GetNumSubPanes() == 0) return;
    RefreshSubPanes(this, refCon, data, false,
                    [this](APane* p) { return IsOpen() || InTopRow(p); });
}

void AStackPane::UpdateValues_Closed(SInt32 refCon, void* data) {
    if (!openable || GetNumSubPanes() == 0) return;
    RefreshSubPanes(this, refCon, data, true, [](APane*) { return true; });
}

bool AStackPane::DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) {
    APaneStack* s = GetStack();
    StStackCall call(s, StackRestore::clear, StackClip::interior);
    if (s) s->SetCurrent(this, this);
    return APane::DoKeyDown(charCode, keyCode, event, data);
}

void AStackPane::DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) {
    APaneStack* s = GetStack();
    StStackCall call(s, StackRestore::clear, StackClip::interior);
    if (s) s->SetCurrent(this, this);
    if (paneStyle == kStackPaneAlwaysOpen || !openable) {
        APane::DoClick(pt, modifiers, when, data);
        return;
    }
    const bool onOpener = openerGad && InsideWithEdges(openerGad->GetInterior(), pt);
    const bool onName = labelGad && InsideWithEdges(labelGad->GetInterior(), pt) && DoubleClick();
    if (!onOpener && !onName) {
        APane::DoClick(pt, modifiers, when, data);
        return;
    }
    const bool all = (modifiers & optionKey) != 0 && s;
    if (!IsOpen()) {
        canAutoOpen = true;
        if (all)
            s->OpenAllPanes();
        else
            OpenPane();
    } else {
        canAutoOpen = false;
        if (all)
            s->CloseAllPanes();
        else
            ClosePane();
    }
}
