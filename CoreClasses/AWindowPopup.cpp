// AWindow pop-ups (the pane tree shown while the button is held, and torn
// off), the drag cache used while a drag passes over the window, and the
// check for a click while busy.
#include "APane.h"
#include "AScreenManOS.h"
#include "AWindow.h"
#include "AWindowPrivate.h"
#include "Events.h"
#include "KsColorScheme.h"
#include "KsDesktop.h"
#include "KsFatal.h"
#include "KsPortSavers.h"
#include "KsWindowShell.h"
#include "QDOffscreen.h"
#include "XError.h"

namespace {
constexpr SInt16 kPopupLayer = 4;
constexpr SInt32 kPopupScreenMargin = 5;

// The content colour of a toolbox window.
KsRGBColor ContentColor(WindowPtr w) {
    RGBColor colors[kKsWinColorCount];
    KsGetWinColors(w, colors);
    return ToKsRGBColor(colors[kKsWinContentColor]);
}

// The ghost of a torn-off pop-up: a gray outline drawn by exclusive-or on the
// desktop, so that drawing it a second time gives back the pixels under it.
// At most one is shown; it is gone when the object goes, also on an error.
class GhostOutline {
public:
    GhostOutline() = default;
    ~GhostOutline() { Hide(); }
    GhostOutline(const GhostOutline&) = delete;
    GhostOutline& operator=(const GhostOutline&) = delete;

    void Show(const KsRect& r) {
        if (shown_ && r == at_) return;
        Hide();
        at_ = r;
        shown_ = Flip(at_);
    }
    void Hide() {
        if (shown_) Flip(at_);
        shown_ = false;
    }

private:
    // Global coordinates are the desktop port's own.
    static bool Flip(const KsRect& r) {
        GrafPtr desktop = KsGetDesktopPort();
        if (!desktop || r.IsEmpty()) return false;
        StPortSaver port(desktop);
        StClipSaver clip;
        StColorPenSaver pen;
        ClipWideOpen();
        PenNormal();
        PenPat(&kQDGray);
        PenMode(patXor);
        const Rect rr = ToRect(r);
        FrameRect(&rr);
        return true;
    }

    KsRect at_{};
    bool shown_ = false;
};
} // namespace

// ---------------------------------------------------------------------------
// Pop-ups. While one runs the pane tree lives in a second toolbox window
// (the pop-up) and the window's own toolbox window carries kind 8, so that
// nothing takes it for an AWindow; everything is put back before an error
// raised inside is raised again.

APane* AWindow::Popup(KsPoint where, bool tearOff, bool below, short procID, bool goAway) {
    if (!windowPort || !mainPane) return nullptr;
    GrafPtr savedPort = KsGetPort();
    const KsRect oldRect = GetWindowRect(kKsNoScreen);
    const bool wasVisible = IsVisible();
    WindowPtr own = windowPort;
    const SInt16 oldLayer = KsGetWindowLayer(own);

    // The own content size as the pop-up's outer size, placed at `where`.
    Rect c{};
    KsGetWindowContentRect(own, &c);
    Rect box{0, 0, SInt16(c.bottom - c.top), SInt16(c.right - c.left)};
    CBoxToSBox(&box, procID);
    const SInt32 outerW = box.right - box.left, outerH = box.bottom - box.top;
    KsRect rect{where.h, below ? where.v : where.v - outerH, where.h + outerW,
                below ? where.v + outerH : where.v};
    Rect content = ToRect(rect);
    SBoxToCBox(&content, procID);

    Str255 title{};
    KsCToPStr("Popup", title);
    WindowPtr pop =
        NewCWindow(nullptr, &content, title, false, procID, own, goAway, SInt32(registryNumber));
    if (!pop) return nullptr;
    windowPort = pop;
    SetPortWindowPort(pop);
    KsRGBColor background = ContentColor(own);
    if (GetColorSchemeAttr("CS_BG_COLOR"))
        GetSchemeColor("CS_BG_COLOR_RED", "CS_BG_COLOR_GREEN", "CS_BG_COLOR_BLUE", &background);
    mainPane->SetBkndColor(background);
    KsSetWindowLayer(pop, kPopupLayer);
    KsSetWindowKind(pop, kKsWindowKindPlain);
    KsSetWindowKind(own, kKsWindowKindNotAWindow);
    Resize();

    KsRect ghost{};
    bool changed = false;
    bool inside = false;
    XError kept;
    try {
        inside = TrackPopup(tearOff, &rect, &ghost, &changed);
    } catch (...) {
        kept = XErrorFromCurrentException();
    }

    KsFlushActivates(pop);
    SetWRefCon(pop, -1);
    KsSetWindowKind(pop, kKsWindowKindNotAWindow);
    KsForgetWindow(pop);
    DisposeWindow(pop);
    windowPort = own;
    SetPortWindowPort(own);
    KsSetWindowLayer(own, tearOff ? kPopupLayer : oldLayer);
    KsSetWindowKind(own, kKsWindowKindPlain);
    Resize();
    if (changed) ValidWindowRect(own, &own->portRect);
    if (tearOff) {
        const KsRect to = ghost.IsEmpty() ? oldRect : ghost;
        SetWindowTopLeft(kKsNoScreen, to.left, to.top);
        if (wasVisible || !ghost.IsEmpty()) SelectAndShow();
    }
    if (savedPort && KsIsLiveWindowOrDesktopPort(savedPort)) SetPort(savedPort);
    if (kept.IsError()) xraisexerror(kept);
    return inside ? resultPane : nullptr;
}

bool AWindow::TrackPopup(bool useGhost, KsRect* rect, KsRect* outRect, bool* changed) {
    if (!windowPort || !mainPane || !rect) return false;
    AScreenManOS* sm = AScreenManOS::New();
    const KsRect r = sm->PullOntoScreen(*rect, sm->ScreenOfRect(*rect), kPopupScreenMargin);
    *rect = r;
    Rect content = ToRect(r);
    SBoxToCBox(windowPort, &content);
    KsSetWindowBounds(windowPort, &content, true);
    void* data = dataHandle ? static_cast<void*>(*dataHandle) : static_cast<void*>(this);

    const Point start = KsGetGlobalMouse();
    KsRect ghost = r;
    bool first = true, inside = false, wasInside = false;
    resultPane = nullptr;
    GhostOutline outline;
    do {
        // The pop-up may be drawn under the outline: exclusive-or only
        // restores what it was drawn over.
        outline.Hide();
        if (!IsVisible()) ShowHide(windowPort, true);
        if (first) {
            InvalWindowRect(windowPort, &windowPort->portRect);
            if (changed) *changed = true;
            first = false;
        }
        UpdateIfNeeded();
        Point m{};
        GetMouse(&m);
        const KsPoint pt{m.h, m.v};
        inside = mainPane->PtInPane(pt);
        if (useGhost && !inside) {
            // The ghost follows the mouse outside the pop-up.
            const Point now = KsGetGlobalMouse();
            ghost = r.Offsetted(now.h - start.h, now.v - start.v);
            outline.Show(ghost);
        }
        DoingPopup(pt, useGhost, inside, wasInside);
        if (inside) {
            APane* p = mainPane->FindPane(pt, false, false);
            resultPane = p;
            if (p && !p->IsInstanceOf("AMacControl") && !p->IsInstanceOf("ATextEntry")) {
                const bool had = p->GetFlag(kPaneTracksInsideOnly);
                p->SetFlag(kPaneTracksInsideOnly, true);
                p->DoClick(pt, SInt16(KsGetModifiers()), SInt32(TickCount()), data);
                p->SetFlag(kPaneTracksInsideOnly, had);
            }
        }
        wasInside = inside;
    } while (StillDown());
    outline.Hide();
    ShowHide(windowPort, false);
    if (outRect) *outRect = useGhost && !inside ? ghost : KsRect{};
    return inside;
}

void AWindow::DoingPopup(KsPoint, bool, bool, bool) {}

// ---------------------------------------------------------------------------
// Drag cache: the window's pixels kept while a drag passes over it, so the
// feedback can be taken away by copying instead of redrawing the pane tree.

void AWindow::DisposeDragCache() {
    if (dragCache.world) DisposeGWorld(dragCache.world);
    dragCache.world = nullptr;
    dragCache.filledThisPass = false;
}

void AWindow::InitializeDragEvent(KsRect rect) {
    dragCache.rect = rect;
    if (!windowPort || dragCache.world) return;
    EventRecord e{};
    if (!EventAvail(mDownMask, &e)) return;
    WindowPeek wPeek = windowPort;
    FtlAssert(wPeek->strucRgn);
    GWorldPtr world = nullptr;
    if (NewGWorld(&world, 32, &windowPort->portRect, nullptr, nullptr, 0) != noErr || !world)
        return;
    CopyBits(GetPortBitMapForCopyBits(windowPort), GetPortBitMapForCopyBits(world),
             &windowPort->portRect, &windowPort->portRect, srcCopy, nullptr);
    dragCache.world = world;
    dragCache.filledThisPass = true;
}

void AWindow::StartDragUpdate() {
    if (!dragCache.world || !windowPort) return;
    StPortSaver port(windowPort);
    const Rect r = ToRect(dragCache.rect);
    StClipSaver clip(r);
    // Copying maps through the port's colours: black on white copies as is.
    StColorPenSaver colors;
    const RGBColor black = ToRGBColor(RGBblack), white = ToRGBColor(RGBwhite);
    RGBForeColor(&black);
    RGBBackColor(&white);
    CopyBits(GetPortBitMapForCopyBits(dragCache.world), GetPortBitMapForCopyBits(windowPort), &r,
             &r, srcCopy, nullptr);
}

void AWindow::FinishDragUpdate() {
    if (!dragCache.world || !windowPort) return;
    const Rect vis = ToRect(RgnHandleToKsRgn(windowPort->visRgn).Bounds());
    CopyBits(GetPortBitMapForCopyBits(windowPort), GetPortBitMapForCopyBits(dragCache.world), &vis,
             &vis, srcCopy, windowPort->visRgn);
}

bool AWindow::UseDragCache() {
    const bool use = dragCache.world && !dragCache.filledThisPass;
    dragCache.filledThisPass = false;
    return use;
}

void AWindow::TerminateDragEvent() {
    if (!dragCache.world) return;
    EventRecord e{};
    if (EventAvail(mDownMask | mUpMask, &e)) return;
    DisposeDragCache();
}

void AWindow::DoDragTrack(KsPoint pt, short modifiers, short action) {
    if (!mainPane) return;
    const SInt16 message = action == 1 ? 3 : action == 3 ? 5 : 4;
    mainPane->HandleDragMsg(nullptr, pt, modifiers, message);
}

// ---------------------------------------------------------------------------
// Checking for a click while busy

namespace {
struct ClickSearch {
    KsRect r;
    bool found = false;
};
} // namespace

bool AWindow::CheckForUserClick(KsRect r) {
    KsPumpEvents();
    ClickSearch search{r};
    KsScanEvents(
        [](EventRecord* e, void* data) {
            auto* s = static_cast<ClickSearch*>(data);
            if (e->what != mouseDown) return KsScanAction::keep;
            const KsRect& b = s->r;
            // All four bounds count as inside.
            if (e->where.h < b.left || e->where.h > b.right || e->where.v < b.top ||
                e->where.v > b.bottom)
                return KsScanAction::keep;
            s->found = true;
            return KsScanAction::dropAndStop;
        },
        &search);
    return search.found;
}
