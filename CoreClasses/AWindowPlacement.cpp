// AWindow placement: rectangles and screens, home, centring, tiling, grow
// limits, growing, zooming, dragging and snapping to neighbours.
//
// Every window rectangle here is the outer (structure) rectangle. A screen
// argument names a screen of the screen manager and makes coordinates
// relative to its top-left corner; kKsNoScreen means global coordinates.
#include <algorithm>

#include "AScreenManOS.h"
#include "AWindow.h"
#include "AWindowPrivate.h"
#include "KsDesktop.h"
#include "KsNativeWindow.h"
#include "KsWindowShell.h"

namespace {
constexpr long kNotGiven = -32768;
constexpr SInt32 kSnapDistance = 10;

AScreenManOS* Screens() {
    return AScreenManOS::New();
}

bool IsScreen(int screen) {
    return screen >= 0 && screen < Screens()->GetScreenCount();
}

KsPoint Origin(int screen) {
    return IsScreen(screen) ? Screens()->GetScreenBounds(screen).TopLeft() : KsPoint{};
}

// The part of a screen windows may use: the main screen loses the menu bar.
KsRect WorkArea(int screen) {
    KsRect r = Screens()->GetScreenBounds(IsScreen(screen) ? screen : 0);
    if (screen <= 0) r.top += kKsMenuBarHeight;
    return r;
}

bool OnAnyScreen(const KsRect& r) {
    AScreenManOS* sm = Screens();
    for (int i = 0; i < sm->GetScreenCount(); ++i)
        if (sm->GetScreenBounds(i).Overlaps(r)) return true;
    return false;
}

bool MeetsVisibleDesktop(const KsRect& r) {
    AScreenManOS* sm = Screens();
    for (int i = 0; i < sm->GetScreenCount(); ++i)
        if (WorkArea(i).Overlaps(r)) return true;
    return false;
}

int ScreenUnderMouse() {
    const Point p = KsGetGlobalMouse();
    return Screens()->ScreenOfPoint(KsPoint{p.h, p.v});
}

KsRect CenteredIn(const KsRect& r, const KsRect& area) {
    const SInt32 w = r.Width(), h = r.Height();
    const SInt32 left = area.left + (area.Width() - w) / 2;
    const SInt32 top = area.top + (area.Height() - h) / 2;
    return KsRect{left, top, left + w, top + h};
}

SInt16 Clamp16(SInt64 v) {
    return SInt16(std::clamp<SInt64>(v, 0, 32767));
}

// The frame's width and height: outer size less content size.
KsPoint FrameSize(WindowPtr w) {
    if (!w) return {};
    Rect s{}, c{};
    KsGetWindowStructureRect(w, &s);
    KsGetWindowContentRect(w, &c);
    return KsPoint{(s.right - s.left) - (c.right - c.left),
                   (s.bottom - s.top) - (c.bottom - c.top)};
}
} // namespace

// ---------------------------------------------------------------------------
// Rectangles

KsRect AWindow::GetWindowRect(int screen) {
    Rect r{};
    if (windowPort) KsGetWindowStructureRect(windowPort, &r);
    const KsPoint o = Origin(screen);
    return KsRectOf(r).Offsetted(-o.h, -o.v);
}

void AWindow::SetWindowToRect(int screen, long left, long top, long right, long bottom) {
    if (!windowPort) return;
    const KsPoint o = Origin(screen);
    KsRect r = KsRect{SInt32(left), SInt32(top), SInt32(right), SInt32(bottom)}.Offsetted(o.h, o.v);
    if (!OnAnyScreen(r)) {
        int hs = homeScreen;
        KsRect home;
        if (GetHome(&hs, &home)) {
            const KsPoint ho = Origin(hs);
            r = home.Offsetted(ho.h, ho.v);
        }
        if (!OnAnyScreen(r))
            r = Screens()->PullOntoScreen(r, IsScreen(hs) ? hs : ScreenUnderMouse(), 0);
    }
    Rect content = ToRect(r);
    SBoxToCBox(windowPort, &content);
    if (!tbarCanGoOff) {
        // The title bar strip must stay reachable, or the user cannot move
        // the window back.
        KsRect strip{r.left, r.top, r.right, content.top};
        bool reachable = true;
        if (strip.Height() > 4) {
            strip.Inset(3, 3);
            reachable = MeetsVisibleDesktop(strip);
        }
        if (!reachable) {
            const KsRect centred = CenteredIn(r, WorkArea(0));
            content = ToRect(centred);
            SBoxToCBox(windowPort, &content);
        }
    }
    KsSetWindowBounds(windowPort, &content, true);
    SendMsg(wmResize, nullptr, 0, 0);
}

void AWindow::SetWindowWidHei(int screen, long width, long height) {
    const KsRect r = GetWindowRect(screen);
    SetWindowToRect(screen, r.left, r.top, r.left + width, r.top + height);
}

void AWindow::SetWindowTopLeft(int screen, long left, long top) {
    const KsRect r = GetWindowRect(screen);
    SetWindowToRect(screen, left, top, left + r.Width(), top + r.Height());
}

void AWindow::OffsetWindow(long dx, long dy) {
    const KsRect r = GetWindowRect(kKsNoScreen);
    SetWindowToRect(kKsNoScreen, r.left + dx, r.top + dy, r.right + dx, r.bottom + dy);
}

void AWindow::SetContentSize(long width, long height) {
    if (!windowPort) return;
    Rect c{};
    KsGetWindowContentRect(windowPort, &c);
    if (width == kNotGiven) width = c.right - c.left;
    if (height == kNotGiven) height = c.bottom - c.top;
    const KsPoint frame = FrameSize(windowPort);
    SetWindowWidHei(kKsNoScreen, width + frame.h, height + frame.v);
}

void AWindow::MoveWindow(int screen, long left, long top, bool front) {
    if (!windowPort) return;
    const KsPoint o = Origin(screen);
    const SInt32 l = std::max<SInt32>(0, SInt32(left + o.h));
    const SInt32 t = std::max<SInt32>(0, SInt32(top + o.v));
    Rect s{}, c{};
    KsGetWindowStructureRect(windowPort, &s);
    KsGetWindowContentRect(windowPort, &c);
    ::MoveWindow(windowPort, SInt16(std::min<SInt32>(l + (c.left - s.left), 32767)),
                 SInt16(std::min<SInt32>(t + (c.top - s.top), 32767)), front);
}

// Edges given relative to the screen's work area: left and top from its
// left and top, right and bottom in from its right and bottom. An edge not
// given follows the other so that the size is kept.
void AWindow::MoveWindowRelative(int screen, long left, long top, long right, long bottom) {
    const KsRect area = WorkArea(IsScreen(screen) ? screen : 0);
    KsRect r = GetWindowRect(kKsNoScreen);
    const SInt32 w = r.Width(), h = r.Height();
    if (left != kNotGiven) r.left = area.left + SInt32(left);
    if (right != kNotGiven) r.right = area.right - SInt32(right);
    if (left == kNotGiven && right != kNotGiven) r.left = r.right - w;
    if (left != kNotGiven && right == kNotGiven) r.right = r.left + w;
    if (top != kNotGiven) r.top = area.top + SInt32(top);
    if (bottom != kNotGiven) r.bottom = area.bottom - SInt32(bottom);
    if (top == kNotGiven && bottom != kNotGiven) r.top = r.bottom - h;
    if (top != kNotGiven && bottom == kNotGiven) r.bottom = r.top + h;
    SetWindowToRect(kKsNoScreen, r.left, r.top, r.right, r.bottom);
}

// ---------------------------------------------------------------------------
// Centring and home

void AWindow::CenterWindowInScreen(int screen) {
    const int s = IsScreen(screen) ? screen : ScreenUnderMouse();
    const KsRect r = CenteredIn(GetWindowRect(kKsNoScreen), WorkArea(s));
    SetWindowToRect(kKsNoScreen, r.left, r.top, r.right, r.bottom);
}

namespace {
void CenterOn(AWindow* w, int screen) {
    WindowPtr wp = w->GetWindowPtr();
    if (!wp) return;
    const KsRect r = CenteredIn(w->GetWindowRect(kKsNoScreen), WorkArea(screen));
    Rect content = ToRect(r);
    SBoxToCBox(wp, &content);
    KsSetWindowBounds(wp, &content, true);
    w->SendMsg(wmResize, nullptr, 0, 0);
    if (KsIsLiveWindow(w)) InvalWindowRect(wp, &wp->portRect);
}
} // namespace

void AWindow::GoCenter() {
    CenterOn(this, 0);
}

void AWindow::GoCenterMouse() {
    CenterOn(this, ScreenUnderMouse());
}

void AWindow::PlaceWindowNearCursor() {
    const Point m = KsGetGlobalMouse();
    KsRect r = GetWindowRect(kKsNoScreen);
    r = CenteredIn(r, KsRect{m.h, m.v, m.h, m.v});
    r = Screens()->PullOntoScreen(r, ScreenUnderMouse(), 40);
    MoveWindow(kKsNoScreen, r.left, r.top, false);
}

void AWindow::SetHomeRect(int screen, KsRect rect) {
    homeScreen = screen;
    homeRect = rect;
}

bool AWindow::HasHome() const {
    return !homeRect.IsEmpty();
}

bool AWindow::GetHome(int* screen, KsRect* rect) {
    if (!HasHome()) return false;
    int s = homeScreen;
    KsRect r = homeRect;
    if (s != kKsNoScreen && !IsScreen(s)) {
        // The screen went away: the home moves to the screen in use now.
        s = ScreenUnderMouse();
        if (s == 0) r.Offset(0, kKsMenuBarHeight);
    }
    if (screen) *screen = s;
    if (rect) *rect = r;
    return true;
}

void AWindow::GoHome() {
    int s = kKsNoScreen;
    KsRect r;
    if (!GetHome(&s, &r)) return;
    const bool lost = s != homeScreen;
    SetWindowToRect(s, r.left, r.top, r.right, r.bottom);
    if (lost && windowPort && IsVisible()) {
        HideWindow(windowPort);
        InvalWindowRect(windowPort, &windowPort->portRect);
        ShowWindow(windowPort);
    }
}

// ---------------------------------------------------------------------------
// Tiling: gap pixels beyond the facing edge of `other`, size kept unless both
// alignment flags take other's extent.

namespace {
// Places [lo, hi) of length len given other's [olo, ohi).
void Align(SInt32 olo, SInt32 ohi, SInt32 len, bool first, bool second, SInt32* lo, SInt32* hi) {
    if (first && second) {
        *lo = olo;
        *hi = ohi;
    } else if (first) {
        *lo = olo;
        *hi = olo + len;
    } else if (second) {
        *hi = ohi;
        *lo = ohi - len;
    }
}
} // namespace

namespace {
enum class TileSide { kRight, kLeft, kBelow, kAbove };

// The window's rectangle placed gap pixels beyond one edge of o, its size
// kept; the other axis follows o as Align says.
KsRect TiledRect(KsRect r, const KsRect& o, TileSide side, short gap, bool alignFirst,
                 bool alignSecond) {
    const SInt32 w = r.Width(), h = r.Height();
    switch (side) {
    case TileSide::kRight:
        r.left = o.right + gap;
        r.right = r.left + w;
        break;
    case TileSide::kLeft:
        r.right = o.left - gap;
        r.left = r.right - w;
        break;
    case TileSide::kBelow:
        r.top = o.bottom + gap;
        r.bottom = r.top + h;
        break;
    case TileSide::kAbove:
        r.bottom = o.top - gap;
        r.top = r.bottom - h;
        break;
    }
    if (side == TileSide::kRight || side == TileSide::kLeft)
        Align(o.top, o.bottom, h, alignFirst, alignSecond, &r.top, &r.bottom);
    else
        Align(o.left, o.right, w, alignFirst, alignSecond, &r.left, &r.right);
    return r;
}

void Tile(AWindow* self, AWindow* other, TileSide side, short gap, bool alignFirst,
          bool alignSecond) {
    if (!other) return;
    const KsRect r = TiledRect(self->GetWindowRect(kKsNoScreen), other->GetWindowRect(kKsNoScreen),
                               side, gap, alignFirst, alignSecond);
    self->SetWindowToRect(kKsNoScreen, r.left, r.top, r.right, r.bottom);
}
} // namespace

void AWindow::TileWindowRightOf(AWindow* other, short gap, bool alignFirst, bool alignSecond) {
    Tile(this, other, TileSide::kRight, gap, alignFirst, alignSecond);
}
void AWindow::TileWindowLeftOf(AWindow* other, short gap, bool alignFirst, bool alignSecond) {
    Tile(this, other, TileSide::kLeft, gap, alignFirst, alignSecond);
}
void AWindow::TileWindowBelow(AWindow* other, short gap, bool alignFirst, bool alignSecond) {
    Tile(this, other, TileSide::kBelow, gap, alignFirst, alignSecond);
}
void AWindow::TileWindowAbove(AWindow* other, short gap, bool alignFirst, bool alignSecond) {
    Tile(this, other, TileSide::kAbove, gap, alignFirst, alignSecond);
}

// ---------------------------------------------------------------------------
// Grow limits and zoom. Limits are 16-bit fields; everything is computed in
// 32 bits and clamped to 0..32767 so that large maxima never wrap.

KsRect AWindow::GetOuterGrowLimits() {
    return KsRect{growLimits[0], growLimits[1], growLimits[2], growLimits[3]};
}

void AWindow::SetOuterGrowLimits(long minW, long minH, long maxW, long maxH) {
    growLimits[0] = Clamp16(minW);
    growLimits[1] = Clamp16(minH);
    growLimits[2] = Clamp16(maxW);
    growLimits[3] = Clamp16(maxH);
}

KsRect AWindow::GetInnerGrowLimits() {
    const KsPoint f = FrameSize(windowPort);
    return KsRect{Clamp16(SInt64(growLimits[0]) - f.h), Clamp16(SInt64(growLimits[1]) - f.v),
                  Clamp16(SInt64(growLimits[2]) - f.h), Clamp16(SInt64(growLimits[3]) - f.v)};
}

void AWindow::SetInnerGrowLimits(long minW, long minH, long maxW, long maxH) {
    const KsPoint f = FrameSize(windowPort);
    SetOuterGrowLimits(long(std::clamp<SInt64>(SInt64(minW) + f.h, 0, 32767)),
                       long(std::clamp<SInt64>(SInt64(minH) + f.v, 0, 32767)),
                       long(std::clamp<SInt64>(SInt64(maxW) + f.h, 0, 32767)),
                       long(std::clamp<SInt64>(SInt64(maxH) + f.v, 0, 32767)));
}

void AWindow::GetZoomMaxes(long* w, long* h) {
    const KsRect inner = GetInnerGrowLimits();
    if (w) *w = inner.right;
    if (h) *h = inner.bottom;
}

bool AWindow::SetZoomStdState() {
    if (!windowPort) return false;
    Rect c{};
    KsGetWindowContentRect(windowPort, &c);
    const KsRect content = KsRectOf(c);
    long maxW = 0, maxH = 0;
    GetZoomMaxes(&maxW, &maxH);
    if (maxW < 0 || maxW > 16383) maxW = 16383;
    if (maxH < 0 || maxH > 16383) maxH = 16383;

    // The work area as a content box: the screen under the mouse less the
    // menu bar and this window's frame.
    SInt32 ml = 0, mt = 0, mr = 0, mb = 0;
    GetMainWndSize(&ml, &mt, &mr, &mb);
    KsRect area = WorkArea(ScreenUnderMouse()).Intersect(KsRect{ml, mt, mr, mb});
    if (area.IsEmpty()) area = WorkArea(ScreenUnderMouse());
    Rect areaContent = ToRect(area);
    SBoxToCBox(windowPort, &areaContent);
    const KsRect a = KsRectOf(areaContent);
    const SInt32 w = std::min<SInt32>(SInt32(maxW), a.Width());
    const SInt32 h = std::min<SInt32>(SInt32(maxH), a.Height());
    KsRect std{content.left, content.top, content.left + w, content.top + h};
    // Pulled inside the work area, the top-left kept where it fits.
    if (std.right > a.right) std.Offset(a.right - std.right, 0);
    if (std.bottom > a.bottom) std.Offset(0, a.bottom - std.bottom);
    if (std.left < a.left) std.Offset(a.left - std.left, 0);
    if (std.top < a.top) std.Offset(0, a.top - std.top);

    // In the standard state the current rectangle is not the user's: keeping
    // the remembered user state is what lets the zoom box go back.
    const bool inStd = content.Width() == w && content.Height() == h;
    const Rect user = c;
    const Rect standard = ToRect(std);
    if (!inStd) SetWindowUserState(windowPort, &user);
    SetWindowStandardState(windowPort, &standard);
    return inStd;
}

bool AWindow::Zoom(void*, EventRecord*, long, long) {
    if (!windowPort) return false;
    const bool inStd = SetZoomStdState();
    ZoomWindow(windowPort, inStd ? inZoomIn : inZoomOut, false);
    Resize();
    return false;
}

bool AWindow::Grow(void*, EventRecord* ev, long, long) {
    if (dynamicSizing || !windowPort || !ev) return false;
    const KsRect lim = GetInnerGrowLimits();
    Rect sizeRect{};
    sizeRect.left = SInt16(lim.left);
    sizeRect.top = SInt16(lim.top);
    sizeRect.right = Clamp16(SInt64(lim.right) + 1);
    sizeRect.bottom = Clamp16(SInt64(lim.bottom) + 1);
    const SInt32 result = GrowWindow(windowPort, ev->where, &sizeRect);
    if (result == 0) return false;
    InvalWindowRect(windowPort, &windowPort->portRect);
    SizeWindow(windowPort, SInt16(result & 0xFFFF), SInt16((result >> 16) & 0xFFFF), false);
    short dx = 0, dy = 0;
    if (snapOnGrow && AnalyzeForSnap(&dx, &dy)) {
        KsRect r = GetWindowRect(kKsNoScreen);
        if (dx > 0) r.right += dx;
        if (dx < 0) r.left += dx;
        if (dy > 0) r.bottom += dy;
        if (dy < 0) r.top += dy;
        SetWindowToRect(kKsNoScreen, r.left, r.top, r.right, r.bottom);
    }
    InvalWindowRect(windowPort, &windowPort->portRect);
    Resize();
    return false;
}

bool AWindow::Drag(void*, EventRecord* ev, long, long) {
    if (!canDrag || !windowPort || !ev) return false;
    const KsRect before = GetWindowRect(kKsNoScreen);
    DragWindow(windowPort, ev->where, nullptr);
    KsRect after = GetWindowRect(kKsNoScreen);
    const KsRect screen = Screens()->GetScreenBounds(Screens()->ScreenOfRect(after));
    if (after.Width() > screen.Width() || after.Height() > screen.Height()) {
        const KsRect fitted = after.Intersect(screen);
        if (!fitted.IsEmpty()) {
            SetWindowToRect(kKsNoScreen, fitted.left, fitted.top, fitted.right, fitted.bottom);
            InvalWindowRect(windowPort, &windowPort->portRect);
            after = fitted;
        }
    }
    const SInt32 moveH = after.left - before.left, moveV = after.top - before.top;
    short dx = 0, dy = 0;
    if (snapOnDrag && (std::abs(moveH) >= 2 || std::abs(moveV) >= 2) && AnalyzeForSnap(&dx, &dy))
        OffsetWindow(dx, dy);
    return false;
}

// ---------------------------------------------------------------------------
// Snapping

namespace {
// Offers a pull of `pull` pixels in direction `dir`; keeps the smallest.
void Offer(SInt32 pull, int dir, SInt32* best, int* bestDir) {
    if (pull > 0 && pull < *best) {
        *best = pull;
        *bestDir = dir;
    }
}
} // namespace

bool AWindow::AnalyzeForSnap(short* dx, short* dy) {
    if (IsIconic() || !windowPort) return false;
    const KsRect r = GetWindowRect(kKsNoScreen);
    const KsRect grown = r.Insetted(-kSnapDistance, -kSnapDistance);
    SInt32 bestH = kSnapDistance + 1, bestV = kSnapDistance + 1;
    int dirH = 0, dirV = 0;
    for (WindowPtr x = KsGetWindowList(); x; x = GetNextWindow(x)) {
        if (x == windowPort || !x->visible) continue;
        const SInt16 k = KsGetWindowKind(x);
        if (k != kKsWindowKindPlain && k != kKsWindowKindModal) continue;
        AWindow* other = GetWindowObj(x);
        if (!other || other->IsIconic()) continue;
        const KsRect o = other->GetWindowRect(kKsNoScreen);
        const KsRect meet = grown.Intersect(o);
        if (meet.IsEmpty()) continue;
        // Towards the other window: the side its centre lies on.
        if (meet.Width() <= kSnapDistance)
            Offer(kSnapDistance - meet.Width(), (o.left + o.right) > (r.left + r.right) ? 1 : -1,
                  &bestH, &dirH);
        if (meet.Height() <= kSnapDistance)
            Offer(kSnapDistance - meet.Height(), (o.top + o.bottom) > (r.top + r.bottom) ? 1 : -1,
                  &bestV, &dirV);
    }
    // The edges of the main window's client area pull as neighbours do.
    SInt32 al = 0, at = 0, ar = 0, ab = 0;
    GetMainWndSize(&al, &at, &ar, &ab);
    const KsRect area{al, at, ar, ab};
    if (area.Contains(r) && !area.Insetted(kSnapDistance, kSnapDistance).Contains(r)) {
        if (r.left - area.left < kSnapDistance) Offer(r.left - area.left, -1, &bestH, &dirH);
        if (area.right - r.right < kSnapDistance) Offer(area.right - r.right, 1, &bestH, &dirH);
        if (r.top - area.top < kSnapDistance) Offer(r.top - area.top, -1, &bestV, &dirV);
        if (area.bottom - r.bottom < kSnapDistance) Offer(area.bottom - r.bottom, 1, &bestV, &dirV);
    }
    const SInt32 h = dirH ? bestH * dirH : 0;
    const SInt32 v = dirV ? bestV * dirV : 0;
    if (h == 0 && v == 0) return false;
    if (dx) *dx = short(h);
    if (dy) *dy = short(v);
    return true;
}
