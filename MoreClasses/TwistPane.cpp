// TwistPane: opening and closing, the moves of siblings and enclosures, the
// twister, and the builders. Persistence is in TwistPaneStream.cpp.
#include "TwistPane.h"

#include "AApplication.h"
#include "ABasicButtons.h"
#include "AMacPopupMenu.h"
#include "APanePrivate.h"
#include "APushButton.h"
#include "AScrollablePane.h"
#include "ATextEntry.h"
#include "AWindow.h"
#include "CmdButton.h"
#include "KsDrawUtils.h"
#include "KsPortSavers.h"
#include "KsText.h"
#include "QuickDraw.h"
#include "Windows.h"

#include <algorithm>
#include <string>

namespace {
constexpr SInt16 S = kPaneDontCare;

SInt16 Clamp16(SInt32 v) {
    return SInt16(std::clamp<SInt32>(v, 0, 0x7FFF));
}

bool Inside(const KsRect& r, KsPoint pt) {
    return pt.h >= r.left && pt.h <= r.right && pt.v >= r.top && pt.v <= r.bottom;
}
} // namespace

TwistPane* TwistPane::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                          SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor, SInt32 border) {
    auto* p = new TwistPane;
    try {
        p->ITwistPane(encl, left, right, wid, top, bot, hei, bkgdColor, border);
    } catch (...) {
        p->Dispose();
        throw;
    }
    return p;
}

void TwistPane::ITwistPane(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                           SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor, SInt32 border) {
    IPane(encl, left, right, wid, top, bot, hei, bkgdColor, border);
    iOtherHei = Clamp16(GetBounds().Height() + kDefaultHeiDelta);
}

void TwistPane::RemoveSubPane(APane* pane) {
    APane::RemoveSubPane(pane);
    if (pane == contentsPane) contentsPane = nullptr;
}

void TwistPane::SetDrawLine(bool on) {
    if (drawLine == on) return;
    drawLine = on;
    InvalInterior();
}

// ---------------------------------------------------------------------------
// Opening and closing

KsRect TwistPane::GetTwisterRect() const {
    const KsRect in = GetInterior();
    return {in.left - 1, in.top - 3, in.left - 1 + kTwisterSize, in.top - 3 + kTwisterSize};
}

void TwistPane::OpenClose() {
    if (!openable) return;
    StPaneHold hold(this);
    const SInt32 height = GetBounds().Height();
    const SInt32 delta = SInt32(iOtherHei) - height;
    iOtherHei = Clamp16(height);
    Resize(S, Clamp16(height + delta));
    AdjustSiblings(delta);
    bool resizeWindow = false;
    if (iResizesEnclosure) ResizeEnclosure(delta, &resizeWindow);
    AWindow* w = GetEnclWindow();
    if (resizeWindow && w && KsIsLiveWindow(w) && w->GetWindowPtr()) {
        Rect c{};
        KsGetWindowContentRect(w->GetWindowPtr(), &c);
        w->SetContentSize(c.right - c.left, std::max<SInt32>(c.bottom - c.top + delta, 0));
    }
    if (!hold.Alive()) return;
    iIsOpen = !iIsOpen;
    for (SInt32 i = 1; i <= GetNumSubPanes(); ++i) {
        APane* p = GetSubPane(i);
        if (closedPanesInvisible)
            p->SetVisible(iIsOpen);
        else if (!iIsOpen && p->IsActive())
            p->Deactivate();
    }
}

void TwistPane::AdjustSiblings(SInt32 delta) {
    APane* encl = GetEnclPane();
    if (!encl || delta == 0) return;
    const KsRect me = GetBounds();
    const SInt32 oldBottom = me.bottom - delta;
    for (SInt32 i = 1; i <= encl->GetNumSubPanes(); ++i) {
        APane* p = encl->GetSubPane(i);
        if (p == this) continue;
        const KsRect b = p->GetBounds();
        const bool below = b.top >= oldBottom;
        const bool overlaps = b.left < me.right && b.right > me.left;
        if (below && overlaps && (p->GetSizingAttrs() & kPaneFixTop)) p->MovePane(0, delta);
    }
}

void TwistPane::ResizeEnclosure(SInt32 delta, bool* resizeWindow) {
    if (resizeWindow) *resizeWindow = iResizesWindow;
    APane* encl = GetEnclPane();
    AWindow* w = GetEnclWindow();
    if (!encl || (w && KsIsLiveWindow(w) && encl == w->GetMainPane())) return;
    if (encl->IsInstanceOf("AScrollablePane")) {
        static_cast<AScrollablePane*>(encl)->SetLimitsFromSubpanes();
        return;
    }
    if (encl->IsInstanceOf("TwistPane")) {
        auto* outer = static_cast<TwistPane*>(encl);
        if (!outer->iIsOpen) {
            // The body is not showing: the change waits in the height the
            // outer pane takes when it opens.
            outer->iOtherHei = Clamp16(outer->iOtherHei + delta);
            return;
        }
        outer->Resize(S, Clamp16(outer->GetBounds().Height() + delta));
        outer->AdjustSiblings(delta);
        if (outer->iResizesEnclosure) {
            bool outerWindow = false;
            outer->ResizeEnclosure(delta, &outerWindow);
            if (resizeWindow) *resizeWindow = *resizeWindow || outerWindow;
        }
        return;
    }
    encl->Resize(S, Clamp16(encl->GetBounds().Height() + delta));
}

void TwistPane::DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) {
    if (openable) {
        const KsRect t = GetTwisterRect();
        if (Inside(t, pt)) {
            OpenClose();
            return;
        }
        if (DoubleClick() && pt.v >= t.top && pt.v <= t.bottom) {
            bool onSub = false;
            if (iIsOpen)
                for (SInt32 i = 1; i <= GetNumSubPanes() && !onSub; ++i)
                    onSub = GetSubPane(i)->IsVisible() && Inside(GetSubPane(i)->GetFrame(), pt);
            if (!onSub) {
                OpenClose();
                return;
            }
        }
    }
    APane::DoClick(pt, modifiers, when, data);
}

// ---------------------------------------------------------------------------
// Drawing

// The twister: a triangle pointing right when closed and down when open,
// drawn darker than the background; the optional line runs along the title
// row's bottom when open.
void TwistPane::DrawDetail(const KsRect& rect, const KsRGBColor& bkgd, void* data) {
    APane::DrawDetail(rect, bkgd, data);
    StColorPenSaver pen;
    const KsRect t = GetTwisterRect();
    const RGBColor ink = ToRGBColor(ScaleRGBIntensity(bkgd, 2, 5));
    RGBForeColor(&ink);
    const SInt32 cx = t.left + 8, cy = t.top + 8;
    for (SInt32 k = 0; k < 5; ++k) {
        if (iIsOpen) {
            MoveTo(SInt16(cx - 4 + k), SInt16(cy - 2 + k));
            LineTo(SInt16(cx + 4 - k), SInt16(cy - 2 + k));
        } else {
            MoveTo(SInt16(cx - 2 + k), SInt16(cy - 4 + k));
            LineTo(SInt16(cx - 2 + k), SInt16(cy + 4 - k));
        }
    }
    if (drawLine && iIsOpen) {
        const KsRect in = GetInterior();
        MoveTo(SInt16(t.right + 2), SInt16(t.bottom));
        LineTo(SInt16(in.right - 2), SInt16(t.bottom));
    }
}

KsPoint TwistPane::GetMiniHelpAlignment(KsPoint) const {
    return {0, 1};
}

bool TwistPane::HasMiniHelpText() {
    return APane::HasMiniHelpText();
}

// ---------------------------------------------------------------------------
// Builders

bool TwistPane::StartsHidden() const {
    return openable && !iIsOpen && closedPanesInvisible && !contentsPane;
}

void TwistPane::FinishBuilt(APane* pane, const char* label) {
    if (StartsHidden()) pane->SetVisible(false);
    if (label && *label) pane->SetPaneID(label);
}

APane* TwistPane::AddContentsPane(SInt16 left, SInt16 top, SInt16 right, SInt16 bottom) {
    APane* p = APane::New(this, left, right, S, top, bottom, S, RGBgray11, 0);
    FinishBuilt(p, nullptr);
    return p;
}

APane* TwistPane::AddDesignPane(SInt16 left, SInt16 top, SInt16 wid, SInt16 hei) {
    APane* p = APane::New(this, left, S, wid, top, S, hei, GetBkndColor(), 1);
    FinishBuilt(p, nullptr);
    return p;
}

AMacPopupMenu* TwistPane::AddMacPopupMenuGadStyle(const char* label, SInt16 left, SInt16 top,
                                                  SInt16 wid, SInt16 hei) {
    AMacPopupMenu* g = AMacPopupMenu::New(this, label ? label : "", left, S, wid, top, S, hei);
    g->AppendItem("Item 1");
    g->AppendItem("Item 2");
    FinishBuilt(g, label);
    return g;
}

AGadget* TwistPane::AddRsrcGadStyle(const char* label, SInt16 left, SInt16 top, SInt16 wid,
                                    SInt16 hei, OSType rsrcType, SInt16 rsrcID) {
    AGadget* g = AGadget::New(this, left, S, wid, top, S, hei, GetBkndColor(), 0);
    if (rsrcType) g->SetRsrc(rsrcType, rsrcID);
    FinishBuilt(g, label);
    return g;
}

AGadget* TwistPane::AddLabelGadStyle(const char* label, SInt16 left, SInt16 top, SInt16 font,
                                     SInt16 size, SInt16 face) {
    AGadget* g = AGadget::NewLabel(this, label ? label : "", left, top, font, size, face, 0);
    FinishBuilt(g, label);
    return g;
}

ATextEntry* TwistPane::AddTextEntryGadStyle(const char* label, SInt16 left, SInt16 top, SInt16 wid,
                                            SInt16 hei, SInt16 font, SInt16 size, SInt16 face) {
    ATextEntry* t = ATextEntry::New(this, left, S, wid, top, S, hei, "", false);
    t->SetFontSizeFace(font, size, face);
    FinishBuilt(t, label);
    return t;
}

APushButton* TwistPane::AddButtonGadStyle(const char* label, SInt16 left, SInt16 top, SInt16 wid,
                                          SInt16 hei, AGadgetUpClickProc proc) {
    APushButton* b = APushButton::New(this, left, S, wid, top, S, hei, proc, 0, 0);
    b->SetText(label ? label : "");
    FinishBuilt(b, label);
    return b;
}

CmdButton* TwistPane::AddCmdButtonStyle(const char* label, SInt16 left, SInt16 top, SInt16 wid,
                                        SInt16 hei, SInt32 nick) {
    CmdButton* b = CmdButton::New(this, left, S, wid, top, S, hei, nick, GetBkndColor());
    if (label && *label) b->SetText(label);
    FinishBuilt(b, label);
    return b;
}

ALED* TwistPane::AddLEDGad(const char* label, SInt16 left, SInt16 top, SInt16 side,
                           const KsRGBColor& color) {
    ALED* led = ALED::New(this, left, S, side, top, S, side, color);
    FinishBuilt(led, label);
    return led;
}
