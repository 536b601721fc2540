// The window list, regions, exposure, activation and update events.
//
// Sections: manager state; the list and layers; visibility and exposure;
// making and disposing; order and activation; moving, sizing, zooming;
// finding; regions and updates; properties; event hooks.
//
// Exposure works by difference: every change recomputes each window's
// visible structure (its structure minus the structures of the visible
// windows in front of it and the menu bar strip) and paints only what became
// visible: the desktop colour where the desktop shows, the frame, and the
// content colour on content, which also joins the update region.
#include "KsDesktop.h"
#include "KsFatal.h"
#include "KsPortSavers.h"
#include "WindowsPrivate.h"

#include <cstdint>
#include <cstring>
#include <iterator>
#include <new>
#include <utility>
#include <vector>

// ---- Manager state ----------------------------------------------------------

namespace {

struct PendingActivate {
    WindowPtr w;
    bool on;
};

struct Manager {
    WindowPtr first = nullptr;
    UInt32 nextID = 1;
    KsRgn deskVis; // the desktop background that shows, global
    PendingActivate pending[16];
    int pendingCount = 0;
};
Manager gWM;

// The port tag that marks a window's port (GrafPort::refCon).
char gWindowPortTag;

constexpr RGBColor kDefaultColors[kKsWinColorCount] = {
    {0xFFFF, 0xFFFF, 0xFFFF}, // content
    {0x9C00, 0x9C00, 0xA400}, // frame
    {0x1E00, 0x1E00, 0x2200}, // text
    {0x3C00, 0x7000, 0xC800}, // hilite
    {0xE800, 0xE800, 0xEC00}, // title bar
};

KsRect MenuBarRect() {
    KsRect m = ToKsRect(KsMainScreenBounds());
    m.bottom = m.top + kKsMenuBarHeight;
    return m;
}

SInt16 LayerOf(WindowPtr w) {
    return KsWindowLayerOf(w->windowKind);
}

// The zoomed-out content: the main screen below the menu bar, 3 pixels in.
Rect DefaultStdState(SInt16 procID, const Rect& mainScreen) {
    Rect std{SInt16(mainScreen.top + kKsMenuBarHeight + 3), SInt16(mainScreen.left + 3),
             SInt16(mainScreen.bottom - 3), SInt16(mainScreen.right - 3)};
    SBoxToCBox(&std, procID);
    return std;
}

} // namespace

KsPoint KsWindowLocalOffset(WindowPtr w) {
    KsRect d = ToKsRect(KsDesktopBounds());
    return {w->portBounds.left - d.left, w->portBounds.top - d.top};
}

// ---- The list and layers ----------------------------------------------------

namespace {

void Unlink(WindowPtr w) {
    WindowPtr* link = &gWM.first;
    while (*link && *link != w)
        link = &(*link)->nextWindow;
    if (*link) *link = w->nextWindow;
    w->nextWindow = nullptr;
}

void InsertAfter(WindowPtr w, WindowPtr prev) {
    WindowPtr* link = prev ? &prev->nextWindow : &gWM.first;
    w->nextWindow = *link;
    *link = w;
}

// Front of its layer: before the first window whose layer is not lower.
void PlaceFront(WindowPtr w) {
    WindowPtr prev = nullptr;
    for (WindowPtr x = gWM.first; x && LayerOf(x) < LayerOf(w); x = x->nextWindow)
        prev = x;
    InsertAfter(w, prev);
}

// Back of its layer: after the last window whose layer is not higher.
void PlaceBack(WindowPtr w) {
    WindowPtr prev = nullptr;
    for (WindowPtr x = gWM.first; x && LayerOf(x) <= LayerOf(w); x = x->nextWindow)
        prev = x;
    InsertAfter(w, prev);
}

// Directly behind `behind` when that keeps the layers in order, else at the
// nearest end of the window's layer.
void PlaceBehind(WindowPtr w, WindowPtr behind) {
    SInt16 layer = LayerOf(w);
    if (LayerOf(behind) > layer) return PlaceFront(w);
    WindowPtr next = behind->nextWindow;
    if (LayerOf(behind) < layer && next && LayerOf(next) < layer) return PlaceFront(w);
    InsertAfter(w, behind);
}

bool InList(WindowPtr w) {
    for (WindowPtr x = gWM.first; x; x = x->nextWindow)
        if (x == w) return true;
    return false;
}

// ---- Visibility and exposure ------------------------------------------------

// The port's visible region: the visible content (during an update, the part
// being drawn) in the window's local coordinates.
KsRgn PortVis(WindowPtr w, const KsRgn& visCont) {
    KsRgn vis = w->ks->inUpdate ? (visCont & w->ks->drawing) : visCont;
    KsPoint off = KsWindowLocalOffset(w);
    vis.Offset(off.h, off.v);
    return vis;
}

void SetPortVis(WindowPtr w) {
    KsRgnToRgnHandle(PortVis(w, w->ks->visCont), w->visRgn);
}

// What a change leaves valid of a window: by default what was visible before.
struct Kept {
    WindowPtr w = nullptr;
    KsRgn rgn;
    bool update = true; // exposed content joins the update region
};

// One window's regions after a change, worked out before any is replaced.
struct NextLayout {
    WindowPtr w = nullptr;
    KsRgn visStruc, visCont;
    KsRgn portVis;        // PortVis of visCont
    KsRgn content, frame; // what became visible: painted once the regions are in
    KsRgn update;         // the update region with the exposed content
    bool hasUpdate = false;
};

// Recomputes every visible region and paints what became visible. `kept`
// overrides what counts as still valid for one window (moved or resized).
//
// A region call may raise (memory). Every new region is therefore made aside
// first and swapped in only when all exist, which cannot raise: a failure
// leaves every window and the desktop as they were. Painting comes last;
// should it raise, the regions and update regions stand and the next update
// redraws the content.
void Relayout(const Kept* kept = nullptr) {
    std::size_t count = 0;
    for (WindowPtr x = gWM.first; x; x = x->nextWindow)
        ++count;
    std::vector<NextLayout> next(count);
    KsRgn covered(MenuBarRect());
    std::size_t i = 0;
    for (WindowPtr x = gWM.first; x; x = x->nextWindow, ++i) {
        NextLayout& n = next[i];
        n.w = x;
        if (x->visible) {
            n.visStruc = KsRgnRef(x->strucRgn) - covered;
            n.visCont = KsRgnRef(x->contRgn) & n.visStruc;
            covered.Union(KsRgnRef(x->strucRgn));
            const bool isKept = kept && kept->w == x;
            const KsRgn exposed = n.visStruc - (isKept ? kept->rgn : x->ks->visStruc);
            n.content = exposed & KsRgnRef(x->contRgn);
            n.frame = exposed - KsRgnRef(x->contRgn);
            n.hasUpdate = !n.content.IsEmpty() && (!isKept || kept->update);
            if (n.hasUpdate) n.update = KsRgnRef(x->updateRgn) | n.content;
        }
        n.portVis = PortVis(x, n.visCont);
    }
    KsRgn desk(ToKsRect(KsDesktopBounds()));
    desk.Subtract(covered);
    KsRgn deskExposed = desk - gWM.deskVis;

    // Swapping in: nothing here raises.
    for (NextLayout& n : next) {
        KsWindowPrivate& ks = *n.w->ks;
        std::swap(ks.visStruc, n.visStruc);
        std::swap(ks.visCont, n.visCont);
        std::swap(KsRgnRef(n.w->visRgn), n.portVis);
        KsRgnSync(n.w->visRgn);
        if (n.hasUpdate) {
            std::swap(KsRgnRef(n.w->updateRgn), n.update);
            KsRgnSync(n.w->updateRgn);
        }
    }
    std::swap(gWM.deskVis, desk);

    if (!deskExposed.IsEmpty()) {
        StKsDesktopDrawing st(deskExposed);
        RGBColor c = KsGetDesktopColor();
        Rect all = KsDesktopBounds();
        EraseRGBRect(&all, &c);
    }
    for (const NextLayout& n : next) {
        WindowPtr x = n.w;
        if (!n.content.IsEmpty()) {
            {
                StKsDesktopDrawing st(n.content);
                Rect r = ToRect(KsContentRect(x));
                EraseRGBRect(&r, &x->colors[kKsWinContentColor]);
            }
            KsDrawGrip(x, n.content);
        }
        if (!n.frame.IsEmpty()) KsDrawFrame(x, n.frame);
    }
}

void Activate(WindowPtr w) {
    if (!w || w->hilited) return;
    HiliteWindow(w, true);
    KsPostActivate(w, true);
}

void Deactivate(WindowPtr w) {
    if (!w || !w->hilited) return;
    HiliteWindow(w, false);
    KsPostActivate(w, false);
}

// ---- Event hooks --------------------------------------------------------------

Boolean ActivateHook(EventRecord* e, Boolean remove, void*) {
    if (gWM.pendingCount == 0) return false;
    PendingActivate p = gWM.pending[0];
    e->what = activateEvt;
    e->message = KsWindowMessage(p.w);
    e->modifiers = p.on ? activeFlag : 0;
    if (remove) {
        std::memmove(gWM.pending, gWM.pending + 1,
                     sizeof(PendingActivate) * std::size_t(gWM.pendingCount - 1));
        --gWM.pendingCount;
    }
    return true;
}

// FindWindow and the update hook run on every event, so their region tests
// read the handle's header where that is exact: an empty or rectangular
// region is its box. The box is clamped to 16 bits; for a point, a clamped
// left or top edge still sits at or before every point, but a clamped right
// or bottom edge would leave out the points at 32767, and the grow box's
// corner would move.
bool HeaderBoxIsExact(const Region& h) {
    const Rect& b = h.rgnBBox;
    return h.rgnSize == kKsRectRgnSize && b.right < INT16_MAX && b.bottom < INT16_MAX;
}

// Whether a window has anything to update. A region beyond the left or top
// limit has a box clamped flat there, which would read as empty.
bool UpdatePending(RgnHandle rgn) {
    const Region& h = **rgn;
    const Rect& b = h.rgnBBox;
    if (HeaderBoxIsExact(h) && b.left > INT16_MIN && b.top > INT16_MIN)
        return b.right > b.left && b.bottom > b.top;
    return !EmptyRgn(rgn);
}

Boolean UpdateHook(EventRecord* e, Boolean, void*) {
    for (WindowPtr x = gWM.first; x; x = x->nextWindow) {
        if (x->visible && UpdatePending(x->updateRgn)) {
            e->what = updateEvt;
            e->message = KsWindowMessage(x);
            return true;
        }
    }
    return false;
}

void GlobalToLocalHook(Point* pt, void*) {
    if (KsGetPort()) GlobalToLocal(pt);
}

// A disabled window takes no input; the menu bar and the desktop always do.
Boolean ClickFilterHook(Point where, void*) {
    WindowPtr w = nullptr;
    FindWindow(where, &w);
    return w && !w->enabled;
}

void InstallHooks() {
    KsSetWindowEventHooks({ActivateHook, UpdateHook, nullptr});
    KsSetClickFilterHook({ClickFilterHook, nullptr});
    KsSetGlobalToLocalHook({GlobalToLocalHook, nullptr});
}

} // namespace

void InitWindows() {
    KsDesktopInit();
    InstallHooks();
    if (!gWM.first) gWM.deskVis = KsRgn(ToKsRect(KsDesktopBounds())) - KsRgn(MenuBarRect());
}

// ---- Making and disposing ---------------------------------------------------

WindowPtr NewCWindow(void* storage, const Rect* bounds, ConstStr255Param title, Boolean visible,
                     SInt16 procID, WindowPtr behind, Boolean goAwayFlag, SInt32 refCon) {
    FtlAssert(bounds != nullptr);
    InitWindows();
    GrafPtr desktop = KsGetDesktopPort();
    if (!desktop) return nullptr;
    auto* priv = new (std::nothrow) KsWindowPrivate;
    if (!priv) return nullptr;
    WindowPtr w = storage ? static_cast<WindowPtr>(storage) : new (std::nothrow) WindowRecord;
    if (!w) {
        delete priv;
        return nullptr;
    }
    std::memset(static_cast<void*>(w), 0, sizeof(WindowRecord));
    w->ks = priv;
    priv->ownsStorage = storage == nullptr;
    priv->id = gWM.nextID++;
    if (gWM.nextID == 0) gWM.nextID = 1;

    SInt16 width = SInt16(bounds->right - bounds->left),
           height = SInt16(bounds->bottom - bounds->top);
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    // Local (0, 0) is the content's top-left corner.
    KsRect d = ToKsRect(KsDesktopBounds());
    {
        StPortSaver saver; // opening a port makes it current; making a window must not
        KsOpenPort(w, desktop->surface,
                   ToRect(KsRect{d.left - bounds->left, d.top - bounds->top, d.right - bounds->left,
                                 d.bottom - bounds->top}));
    }
    w->portRect = Rect{0, 0, height, width};
    static_cast<GrafPort*>(w)->refCon = &gWindowPortTag;
    w->windowKind = 8; // an application window, layer 0
    w->goAwayFlag = goAwayFlag;
    w->procID = procID;
    w->spareFlag = KsFrameKindOf(procID).hasZoom;
    w->enabled = true;
    w->WindowRecord::refCon = refCon;
    std::memcpy(w->colors, kDefaultColors, sizeof kDefaultColors);
    w->strucRgn = NewRgn();
    w->contRgn = NewRgn();
    w->updateRgn = NewRgn();
    Rect content{bounds->top, bounds->left, SInt16(bounds->top + height),
                 SInt16(bounds->left + width)};
    RectRgn(w->contRgn, &content);
    Rect struc = content;
    CBoxToSBox(&struc, procID);
    RectRgn(w->strucRgn, &struc);
    w->userState = content;
    w->stdState = DefaultStdState(procID, KsMainScreenBounds());
    SetWTitle(w, title);

    if (behind == reinterpret_cast<WindowPtr>(-1))
        PlaceFront(w);
    else if (!behind || !InList(behind))
        PlaceBack(w);
    else
        PlaceBehind(w, behind);
    if (visible)
        ShowWindow(w);
    else
        SetPortVis(w);
    return w;
}

WindowPtr NewWindow(void* storage, const Rect* bounds, ConstStr255Param title, Boolean visible,
                    SInt16 procID, WindowPtr behind, Boolean goAwayFlag, SInt32 refCon) {
    return NewCWindow(storage, bounds, title, visible, procID, behind, goAwayFlag, refCon);
}

void CloseWindow(WindowPtr w) {
    if (!w || !w->ks) return;
    HideWindow(w);
    KsForgetActivates(w);
    Unlink(w);
    if (KsGetPort() == w) KsSetPort(KsGetDesktopPort());
    KsClosePort(w);
    DisposeRgn(w->strucRgn);
    DisposeRgn(w->contRgn);
    DisposeRgn(w->updateRgn);
    w->strucRgn = w->contRgn = w->updateRgn = nullptr;
    delete w->ks;
    w->ks = nullptr;
}

void DisposeWindow(WindowPtr w) {
    if (!w || !w->ks) return;
    bool owns = w->ks->ownsStorage;
    CloseWindow(w);
    if (owns) delete w;
}

void KsWindowsFollowDesktop(const KsRect& oldDesktop, const Rect& oldMain) {
    const KsRect d = ToKsRect(KsDesktopBounds());
    // Pixels the desktop gained were never painted: for every window they
    // count as newly visible, so the relayout draws frames and contents there
    // and adds the content to the update region.
    const KsRgn gained = KsRgn(d) - KsRgn(oldDesktop);
    for (WindowPtr x = gWM.first; x; x = x->nextWindow) {
        const KsRect c = KsContentRect(x);
        x->portBounds = ToRect(d.Offsetted(-c.left, -c.top));
        x->ks->visStruc.Subtract(gained);
        x->ks->visCont.Subtract(gained);
        // A window that zooms to the old screen now zooms to the new one.
        if (ToKsRect(x->stdState) == ToKsRect(DefaultStdState(x->procID, oldMain)))
            x->stdState = DefaultStdState(x->procID, KsMainScreenBounds());
    }
    Relayout();
}

void KsWindowsReset() {
    while (gWM.first)
        DisposeWindow(gWM.first);
    gWM.pendingCount = 0;
    gWM.deskVis.SetEmpty();
    KsSetWindowEventHooks({});
    KsSetClickFilterHook({});
    KsSetGlobalToLocalHook({});
}

// ---- Order and activation ---------------------------------------------------

WindowPtr FrontWindow() {
    for (WindowPtr x = gWM.first; x; x = x->nextWindow)
        if (x->visible) return x;
    return nullptr;
}

WindowPtr KsGetWindowList() {
    return gWM.first;
}

WindowPtr GetNextWindow(WindowPtr w) {
    return w ? w->nextWindow : nullptr;
}

void ShowHide(WindowPtr w, Boolean show) {
    if (!w || bool(w->visible) == bool(show)) return;
    w->visible = show;
    Relayout();
}

void ShowWindow(WindowPtr w) {
    if (!w || w->visible) return;
    ShowHide(w, true);
    if (KsIsWindowActivatable(w) && KsFrontActivatableWindow() == w) {
        WindowPtr old = KsFrontActiveWindow();
        if (old != w) Deactivate(old);
        Activate(w);
    }
}

void HideWindow(WindowPtr w) {
    if (!w || !w->visible) return;
    bool wasActive = w->hilited && KsIsWindowActivatable(w);
    if (wasActive) Deactivate(w);
    ShowHide(w, false);
    if (wasActive && !KsFrontActiveWindow()) Activate(KsFrontActivatableWindow());
}

void BringToFront(WindowPtr w) {
    if (!w) return;
    Unlink(w);
    PlaceFront(w);
    Relayout();
}

void SendBehind(WindowPtr w, WindowPtr behind) {
    if (!w || w == behind) return;
    Unlink(w);
    if (behind && InList(behind))
        PlaceBehind(w, behind);
    else
        PlaceBack(w);
    Relayout();
    // The window that now leads an activatable layer takes over when the active
    // one went back, as SendBehind does on the classic desktop.
    if (w->hilited && KsIsWindowActivatable(w) && KsFrontActivatableWindow() != w) {
        Deactivate(w);
        Activate(KsFrontActivatableWindow());
    }
}

void SelectWindow(WindowPtr w) {
    if (!w) return;
    BringToFront(w);
    if (!KsIsWindowActivatable(w)) return;
    WindowPtr old = KsFrontActiveWindow();
    if (old != w) Deactivate(old);
    Activate(w);
}

void HiliteWindow(WindowPtr w, Boolean on) {
    if (!w || bool(w->hilited) == bool(on)) return;
    w->hilited = on;
    if (w->visible) KsDrawFrame(w, w->ks->visStruc);
}

void KsPostActivate(WindowPtr w, Boolean on) {
    if (!w) return;
    for (int i = 0; i < gWM.pendingCount; ++i) {
        if (gWM.pending[i].w != w) continue;
        if (gWM.pending[i].on == bool(on)) return;
        // The window never saw the opposite event: both vanish.
        std::memmove(gWM.pending + i, gWM.pending + i + 1,
                     sizeof(PendingActivate) * std::size_t(gWM.pendingCount - i - 1));
        --gWM.pendingCount;
        return;
    }
    if (gWM.pendingCount == int(std::size(gWM.pending))) {
        std::memmove(gWM.pending, gWM.pending + 1,
                     sizeof(PendingActivate) * std::size_t(gWM.pendingCount - 1));
        --gWM.pendingCount;
    }
    gWM.pending[gWM.pendingCount++] = {w, bool(on)};
}

void KsForgetActivates(WindowPtr w) {
    int n = 0;
    for (int i = 0; i < gWM.pendingCount; ++i)
        if (gWM.pending[i].w != w) gWM.pending[n++] = gWM.pending[i];
    gWM.pendingCount = n;
}

WindowPtr KsFrontActiveWindow() {
    for (WindowPtr x = gWM.first; x; x = x->nextWindow)
        if (x->visible && x->hilited && KsIsWindowActivatable(x)) return x;
    return nullptr;
}

WindowPtr KsFrontActivatableWindow() {
    for (WindowPtr x = gWM.first; x; x = x->nextWindow)
        if (x->visible && KsIsWindowActivatable(x)) return x;
    return nullptr;
}

// ---- Moving, sizing, zooming ------------------------------------------------

namespace {

// Copies the desktop pixels of `dst` (global) from `dst` moved back by (dh, dv).
void CopyDesktopPixels(const KsRgn& dst, SInt32 dh, SInt32 dv) {
    if (dst.IsEmpty() || (dh == 0 && dv == 0)) return;
    GrafPtr desk = KsGetDesktopPort();
    pixman_image_t* img = desk->surface->image;
    KsRect d = ToKsRect(KsDesktopBounds());
    KsRect box = dst.Bounds();
    box.Offset(-dh, -dv);
    box = box.Intersect({d.left, d.top, d.right, d.bottom});
    if (box.IsEmpty()) return;
    // Through a copy of the source: the two areas may overlap.
    pixman_image_t* tmp =
        pixman_image_create_bits(PIXMAN_x8r8g8b8, box.Width(), box.Height(), nullptr, 0);
    if (!tmp) return; // the pixels are then only repainted by the update
    pixman_image_composite32(PIXMAN_OP_SRC, img, nullptr, tmp, box.left - d.left, box.top - d.top,
                             0, 0, 0, 0, box.Width(), box.Height());
    for (KsRect r : dst.Rects()) {
        KsRect src = r.Offsetted(-dh, -dv).Intersect(box);
        if (src.IsEmpty()) continue;
        pixman_image_composite32(PIXMAN_OP_SRC, tmp, nullptr, img, src.left - box.left,
                                 src.top - box.top, 0, 0, src.left + dh - d.left,
                                 src.top + dv - d.top, src.Width(), src.Height());
    }
    pixman_image_unref(tmp);
    KsAddDamage(desk->surface, KsRgn(dst).Offset(-d.left, -d.top));
}

void MoveSize(WindowPtr w, const KsRect& content, bool update) {
    KsRect old = KsContentRect(w);
    SInt32 dh = content.left - old.left, dv = content.top - old.top;
    bool resized = content.Width() != old.Width() || content.Height() != old.Height();
    if (dh == 0 && dv == 0 && !resized) return;
    KsRgn oldStruc = w->ks->visStruc, oldCont = w->ks->visCont;

    Rect c = ToRect(content);
    RectRgn(w->contRgn, &c);
    Rect s = c;
    CBoxToSBox(&s, w->procID);
    RectRgn(w->strucRgn, &s);
    OffsetRgn(w->updateRgn, SInt16(dh), SInt16(dv));
    SectRgn(w->updateRgn, w->contRgn, w->updateRgn);
    w->portBounds.left = SInt16(w->portBounds.left - dh);
    w->portBounds.right = SInt16(w->portBounds.right - dh);
    w->portBounds.top = SInt16(w->portBounds.top - dv);
    w->portBounds.bottom = SInt16(w->portBounds.bottom - dv);
    w->portRect.right = SInt16(w->portRect.left + content.Width());
    w->portRect.bottom = SInt16(w->portRect.top + content.Height());

    // What stays valid: the whole visible structure for a move, the content
    // only when the size changes (the frame is redrawn at its new size).
    Kept kept;
    kept.w = w;
    kept.update = update;
    kept.rgn = resized ? oldCont.Offset(dh, dv) : oldStruc.Offset(dh, dv);
    if (w->visible) {
        // Pixels are copied before anything else paints over their old place.
        KsRgn after = KsRgnRef(w->strucRgn);
        KsRgn coveredInFront(MenuBarRect());
        for (WindowPtr x = gWM.first; x && x != w; x = x->nextWindow)
            if (x->visible) coveredInFront.Union(KsRgnRef(x->strucRgn));
        after.Subtract(coveredInFront);
        if (resized) after.Intersect(KsRgnRef(w->contRgn));
        kept.rgn.Intersect(after);
        CopyDesktopPixels(kept.rgn, dh, dv);
    }
    Relayout(&kept);
}

} // namespace

void MoveWindow(WindowPtr w, SInt16 h, SInt16 v, Boolean front) {
    if (!w) return;
    KsRect c = KsContentRect(w);
    MoveSize(w, c.Offsetted(h - c.left, v - c.top), true);
    if (front) SelectWindow(w);
}

void SizeWindow(WindowPtr w, SInt16 width, SInt16 height, Boolean fUpdate) {
    if (!w) return;
    KsRect c = KsContentRect(w);
    MoveSize(w,
             {c.left, c.top, c.left + (width < 0 ? 0 : width), c.top + (height < 0 ? 0 : height)},
             fUpdate);
}

void KsSetWindowBounds(WindowPtr w, const Rect* content, Boolean fUpdate) {
    if (!w || !content) return;
    KsRect c = ToKsRect(*content);
    if (c.right < c.left) c.right = c.left;
    if (c.bottom < c.top) c.bottom = c.top;
    MoveSize(w, c, fUpdate);
}

void ZoomWindow(WindowPtr w, SInt16 part, Boolean front) {
    if (!w || (part != inZoomIn && part != inZoomOut)) return;
    Rect target = part == inZoomOut ? w->stdState : w->userState;
    if (part == inZoomOut) w->userState = ToRect(KsContentRect(w));
    MoveSize(w, ToKsRect(target), true);
    // The whole content is drawn again at its new size.
    KsRgn all = w->ks->visCont;
    if (!all.IsEmpty()) {
        StKsDesktopDrawing st(all);
        Rect r = ToRect(KsContentRect(w));
        EraseRGBRect(&r, &w->colors[kKsWinContentColor]);
    }
    KsDrawGrip(w, all);
    KsRgnRef(w->updateRgn) = KsRgnRef(w->contRgn);
    KsRgnSync(w->updateRgn);
    if (front) SelectWindow(w);
}

void SetWindowStandardState(WindowPtr w, const Rect* content) {
    if (w && content) w->stdState = *content;
}
void GetWindowStandardState(WindowPtr w, Rect* content) {
    if (w && content) *content = w->stdState;
}
void SetWindowUserState(WindowPtr w, const Rect* content) {
    if (w && content) w->userState = *content;
}
void GetWindowUserState(WindowPtr w, Rect* content) {
    if (w && content) *content = w->userState;
}

// ---- Finding ----------------------------------------------------------------

namespace {

bool RgnHolds(RgnHandle rgn, KsPoint p) {
    const Region& h = **rgn;
    if (HeaderBoxIsExact(h)) return ToKsRect(h.rgnBBox).Contains(p);
    return KsRgnRef(rgn).Contains(p);
}

// KsGrowBoxRect(w).Contains(p); the frame's kind is asked only for a point in
// the corner a grow box would take.
bool InGrowBox(WindowPtr w, KsPoint p) {
    const Region& h = **w->contRgn;
    const KsRect c = HeaderBoxIsExact(h) ? ToKsRect(h.rgnBBox) : KsContentRect(w);
    const KsRect corner{c.right - kKsGrowBoxSize, c.bottom - kKsGrowBoxSize, c.right, c.bottom};
    return corner.Contains(p) && KsFrameKindOf(w->procID).hasGrow;
}

} // namespace

SInt16 FindWindow(Point pt, WindowPtr* window) {
    if (window) *window = nullptr;
    KsPoint p = ToKsPoint(pt);
    if (MenuBarRect().Contains(p)) return inMenuBar;
    for (WindowPtr x = gWM.first; x; x = x->nextWindow) {
        if (!x->visible || !RgnHolds(x->strucRgn, p)) continue;
        if (window) *window = x;
        if (RgnHolds(x->contRgn, p)) return x->hilited && InGrowBox(x, p) ? inGrow : inContent;
        KsFrameKind k = KsFrameKindOf(x->procID);
        if (!k.movable) return inContent;
        if (x->hilited) {
            if (KsCloseBoxRect(x).Contains(p)) return inGoAway;
            if (KsZoomBoxRect(x).Contains(p)) {
                return KsContentRect(x) == ToKsRect(x->stdState) ? inZoomIn : inZoomOut;
            }
        }
        return inDrag;
    }
    return inDesk;
}

// ---- Regions and updates ----------------------------------------------------

namespace {

WindowPtr CurrentWindow() {
    return KsWindowOfPort(KsGetPort());
}

// A local region of w's port made global.
KsRgn ToGlobal(WindowPtr w, KsRgn r) {
    KsPoint off = KsWindowLocalOffset(w);
    r.Offset(-off.h, -off.v);
    return r;
}

void Inval(WindowPtr w, const KsRgn& local) {
    if (!w || !w->ks) return;
    KsRgn g = ToGlobal(w, local);
    g.Intersect(KsRgnRef(w->contRgn));
    if (g.IsEmpty()) return;
    KsRgnRef(w->updateRgn).Union(g);
    KsRgnSync(w->updateRgn);
}

void Valid(WindowPtr w, const KsRgn& local) {
    if (!w || !w->ks || EmptyRgn(w->updateRgn)) return;
    KsRgnRef(w->updateRgn).Subtract(ToGlobal(w, local));
    KsRgnSync(w->updateRgn);
}

} // namespace

void InvalWindowRect(WindowPtr w, const Rect* r) {
    if (r) Inval(w, KsRgn(ToKsRect(*r)));
}
void InvalWindowRgn(WindowPtr w, RgnHandle rgn) {
    if (rgn) Inval(w, KsRgnRef(rgn));
}
void ValidWindowRect(WindowPtr w, const Rect* r) {
    if (r) Valid(w, KsRgn(ToKsRect(*r)));
}
void ValidWindowRgn(WindowPtr w, RgnHandle rgn) {
    if (rgn) Valid(w, KsRgnRef(rgn));
}
void InvalRect(const Rect* r) {
    InvalWindowRect(CurrentWindow(), r);
}
void InvalRgn(RgnHandle rgn) {
    InvalWindowRgn(CurrentWindow(), rgn);
}
void ValidRect(const Rect* r) {
    ValidWindowRect(CurrentWindow(), r);
}
void ValidRgn(RgnHandle rgn) {
    ValidWindowRgn(CurrentWindow(), rgn);
}

void BeginUpdate(WindowPtr w) {
    if (!w || !w->ks) return;
    KsRgn& upd = KsRgnRef(w->updateRgn);
    if (w->ks->inUpdate)
        w->ks->drawing.Union(upd); // nested: keep drawing what came since
    else
        w->ks->drawing = upd;
    w->ks->inUpdate = true;
    upd.SetEmpty();
    KsRgnSync(w->updateRgn);
    SetPortVis(w);
}

void EndUpdate(WindowPtr w) {
    if (!w || !w->ks || !w->ks->inUpdate) return;
    w->ks->inUpdate = false;
    w->ks->drawing.SetEmpty();
    SetPortVis(w);
}

void DrawGrowIcon(WindowPtr w) {
    if (w && w->ks) KsDrawGrip(w, w->ks->visCont);
}

// ---- Properties -------------------------------------------------------------

void SetWTitle(WindowPtr w, ConstStr255Param title) {
    if (!w) return;
    Str255 t{};
    if (title) std::memcpy(t, title, std::size_t(title[0]) + 1);
    if (std::memcmp(t, w->title, std::size_t(t[0]) + 1) == 0) return;
    std::memcpy(w->title, t, sizeof t);
    if (w->ks && w->visible) KsDrawFrame(w, w->ks->visStruc);
}

void GetWTitle(WindowPtr w, Str255 title) {
    if (!title) return;
    if (!w) {
        title[0] = 0;
        return;
    }
    std::memcpy(title, w->title, std::size_t(w->title[0]) + 1);
}

void SetWRefCon(WindowPtr w, SInt32 refCon) {
    if (w) w->WindowRecord::refCon = refCon;
}
SInt32 GetWRefCon(WindowPtr w) {
    return w ? w->WindowRecord::refCon : 0;
}

void SetWindowKind(WindowPtr w, SInt16 kind) {
    if (!w || w->windowKind == kind) return;
    bool layerChanged = KsWindowLayerOf(kind) != LayerOf(w);
    w->windowKind = kind;
    if (!layerChanged || !w->ks) return;
    Unlink(w);
    PlaceFront(w);
    Relayout();
}
SInt16 GetWindowKind(WindowPtr w) {
    return w ? w->windowKind : 0;
}

void KsGetWinColors(WindowPtr w, RGBColor* colors) {
    if (w && colors) std::memcpy(colors, w->colors, sizeof w->colors);
}

void KsSetWinColors(WindowPtr w, const RGBColor* colors) {
    if (!w || !colors || std::memcmp(colors, w->colors, sizeof w->colors) == 0) return;
    std::memcpy(w->colors, colors, sizeof w->colors);
    if (w->ks && w->visible) KsDrawFrame(w, w->ks->visStruc);
}

Boolean IsWindowVisible(WindowPtr w) {
    return w && w->visible;
}
Boolean IsWindowHilited(WindowPtr w) {
    return w && w->hilited;
}
void KsGetWindowContentRect(WindowPtr w, Rect* r) {
    if (w && r) *r = ToRect(KsContentRect(w));
}
void KsGetWindowStructureRect(WindowPtr w, Rect* r) {
    if (w && r) *r = ToRect(KsStructureRect(w));
}

WindowPtr TBX_GetwPtr(void* native) {
    for (WindowPtr x = gWM.first; x; x = x->nextWindow)
        if (x == native) return x;
    return nullptr;
}

void TBX_EnableWindow(WindowPtr w, Boolean enable, Boolean, Boolean) {
    for (WindowPtr x = gWM.first; x; x = x->nextWindow)
        x->enabled = enable || x == w;
}

Boolean KsIsWindowEnabled(WindowPtr w) {
    return w && w->enabled;
}

// ---- Conversions ------------------------------------------------------------

CGrafPtr GetWindowPort(WindowPtr w) {
    return w;
}
void SetPortWindowPort(WindowPtr w) {
    KsSetPort(w);
}

WindowPtr KsWindowOfPort(GrafPtr port) {
    if (!port || port->refCon != &gWindowPortTag) return nullptr;
    return static_cast<WindowPtr>(port);
}

UInt32 KsWindowMessage(WindowPtr w) {
    return w && w->ks ? w->ks->id : 0;
}

WindowPtr KsWindowFromMessage(UInt32 message) {
    if (message == 0) return nullptr;
    for (WindowPtr x = gWM.first; x; x = x->nextWindow)
        if (x->ks->id == message) return x;
    return nullptr;
}
