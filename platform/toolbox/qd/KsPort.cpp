// Ports: surfaces, the current port, coordinates and clipping, pen, colour and
// pattern state, pixel patterns.
//
// Sections: surfaces; port records; coordinates and clipping; pen and
// patterns; colours; pixel patterns.
#include "KsPortPrivate.h"
#include "QDOffscreenPrivate.h"

#include "KsFatal.h"
#include "KsHandle.h"
#include "KsRgnPrivate.h"

#include <cstring>
#include <new>
#include <vector>

namespace {

GrafPtr gThePort = nullptr;

constexpr RGBColor kBlack{0, 0, 0};
constexpr RGBColor kWhite{0xFFFF, 0xFFFF, 0xFFFF};
constexpr RGBColor kDefaultHilite{0x9999, 0xCCCC, 0xFFFF};
// The classic interface's whole coordinate plane.
constexpr KsRect kWideOpen{-32768, -32768, 32767, 32767};

SInt32 Clamp32(SInt64 x) {
    return x > INT32_MAX ? INT32_MAX : x < INT32_MIN ? INT32_MIN : SInt32(x);
}

KsRect ImageRect(const KsPortSurface* s) {
    return {0, 0, pixman_image_get_width(s->image), pixman_image_get_height(s->image)};
}

} // namespace

const Pattern kQDWhite{{0, 0, 0, 0, 0, 0, 0, 0}};
const Pattern kQDLtGray{{0x88, 0x22, 0x88, 0x22, 0x88, 0x22, 0x88, 0x22}};
const Pattern kQDGray{{0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55}};
const Pattern kQDDkGray{{0x77, 0xDD, 0x77, 0xDD, 0x77, 0xDD, 0x77, 0xDD}};
const Pattern kQDBlack{{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}};

// ---- Surfaces ---------------------------------------------------------------

KsPortSurface* KsNewSurface(SInt32 width, SInt32 height, SInt16 scale) {
    if (width <= 0 || height <= 0 || scale < 1) return nullptr;
    auto* s = new (std::nothrow) KsPortSurface;
    if (!s) return nullptr;
    s->image = pixman_image_create_bits(PIXMAN_x8r8g8b8, width, height, nullptr, 0);
    if (!s->image) {
        delete s;
        return nullptr;
    }
    std::memset(pixman_image_get_data(s->image), 0xFF,
                std::size_t(pixman_image_get_stride(s->image)) * std::size_t(height));
    s->scale = scale;
    return s;
}

void KsDisposeSurface(KsPortSurface* surface) {
    if (!surface) return;
    pixman_image_unref(surface->image);
    delete surface;
}

void KsAddDamage(KsPortSurface* surface, const KsRect& device) {
    // Repeated drawing into an already damaged area is the common case; it
    // must not rebuild the region.
    if (device.IsEmpty() || surface->damage.Contains(device)) return;
    surface->damage.Union(device);
}

void KsAddDamage(KsPortSurface* surface, const KsRgn& device) {
    if (device.IsEmpty()) return;
    if (device.RectCount() == 1) return KsAddDamage(surface, device.Bounds());
    surface->damage.Union(device);
}

// ---- Port records -----------------------------------------------------------

GrafPtr KsNewPort(SInt16 width, SInt16 height, SInt16 scale) {
    FtlAssert(width > 0 && height > 0 && scale >= 1 && scale <= 4);
    KsPortSurface* s = KsNewSurface(SInt32(width) * scale, SInt32(height) * scale, scale);
    if (!s) return nullptr;
    s->ownedByPort = true;
    auto* port = new (std::nothrow) GrafPort{};
    if (!port) {
        KsDisposeSurface(s);
        return nullptr;
    }
    KsOpenPort(port, s, Rect{0, 0, height, width});
    return port;
}

void KsDisposePort(GrafPtr port) {
    if (!port) return;
    KsPortSurface* s = port->surface;
    KsClosePort(port);
    if (s && s->ownedByPort) KsDisposeSurface(s);
    delete port;
}

void KsOpenPort(GrafPtr port, KsPortSurface* surface, const Rect& bounds) {
    FtlAssert(port && surface && surface->image);
    *port = GrafPort{};
    port->surface = surface;
    port->portRect = bounds;
    port->portBounds = bounds;
    port->visRgn = NewRgn();
    port->clipRgn = NewRgn();
    FtlAssert(port->visRgn && port->clipRgn);
    RectRgn(port->visRgn, &bounds);
    KsRgnRef(port->clipRgn).SetRect(kWideOpen);
    KsRgnSync(port->clipRgn);
    port->bkPat = kQDWhite;
    port->fillPat = kQDBlack;
    port->pnLoc = {0, 0};
    port->pnSize = {1, 1};
    port->pnMode = patCopy;
    port->pnPat = kQDBlack;
    port->pnVis = 0;
    port->txFont = 0;
    port->txFace = normal;
    port->txMode = srcOr;
    port->txSize = 12; // the system font's size: text code reads it as set
    port->rgbFgColor = kBlack;
    port->rgbBkColor = kWhite;
    port->hiliteColor = kDefaultHilite;
    port->scale = surface->scale;
    gThePort = port;
}

void KsClosePort(GrafPtr port) {
    if (!port) return;
    DisposeRgn(port->visRgn);
    DisposeRgn(port->clipRgn);
    if (port->rgnSave) {
        // An unfinished OpenRgn: close it into nothing.
        RgnHandle scratch = NewRgn();
        GrafPtr saved = gThePort;
        gThePort = port;
        CloseRgn(scratch);
        gThePort = saved == port ? nullptr : saved;
        DisposeRgn(scratch);
    }
    port->visRgn = port->clipRgn = nullptr;
    port->surface = nullptr;
    KsForgetPortPixMap(port);
    if (gThePort == port) gThePort = nullptr;
}

void KsSetPort(GrafPtr port) {
    gThePort = port;
}
void SetPort(GrafPtr port) {
    gThePort = port;
}
void GetPort(GrafPtr* port) {
    *port = gThePort;
}
GrafPtr KsGetPort() {
    return gThePort;
}

GrafPtr KsThePort() {
    FtlAssert(gThePort != nullptr);
    return gThePort;
}

// ---- Coordinates and clipping -----------------------------------------------

// The visible region moves with the origin, as the window layer keeps it in
// local coordinates; the clip region keeps its coordinates.
void SetOrigin(SInt16 h, SInt16 v) {
    GrafPtr port = KsThePort();
    SInt16 dh = SInt16(h - port->portRect.left), dv = SInt16(v - port->portRect.top);
    if (dh == 0 && dv == 0) return;
    auto shift = [dh, dv](Rect& r) {
        r.left = SInt16(r.left + dh);
        r.right = SInt16(r.right + dh);
        r.top = SInt16(r.top + dv);
        r.bottom = SInt16(r.bottom + dv);
    };
    shift(port->portRect);
    shift(port->portBounds);
    OffsetRgn(port->visRgn, dh, dv);
}

void PortSize(SInt16 width, SInt16 height) {
    GrafPtr port = KsThePort();
    port->portRect.right = SInt16(port->portRect.left + width);
    port->portRect.bottom = SInt16(port->portRect.top + height);
}

// Places the port's top-left corner at a global position (on its surface).
void MovePortTo(SInt16 leftGlobal, SInt16 topGlobal) {
    GrafPtr port = KsThePort();
    Rect& b = port->portBounds;
    SInt16 w = SInt16(b.right - b.left), ht = SInt16(b.bottom - b.top);
    b.left = SInt16(port->portRect.left - leftGlobal);
    b.top = SInt16(port->portRect.top - topGlobal);
    b.right = SInt16(b.left + w);
    b.bottom = SInt16(b.top + ht);
}

void GlobalToLocal(Point* pt) {
    GrafPtr port = KsThePort();
    pt->h = SInt16(pt->h + port->portBounds.left);
    pt->v = SInt16(pt->v + port->portBounds.top);
}

void LocalToGlobal(Point* pt) {
    GrafPtr port = KsThePort();
    pt->h = SInt16(pt->h - port->portBounds.left);
    pt->v = SInt16(pt->v - port->portBounds.top);
}

void ClipRect(const Rect* r) {
    RectRgn(KsThePort()->clipRgn, r);
}
void SetClip(RgnHandle rgn) {
    CopyRgn(rgn, KsThePort()->clipRgn);
}
void GetClip(RgnHandle rgn) {
    CopyRgn(KsThePort()->clipRgn, rgn);
}
void ClipWideOpen() {
    RgnHandle clip = KsThePort()->clipRgn;
    KsRgnRef(clip).SetRect(kWideOpen);
    KsRgnSync(clip);
}

KsRect KsLocalToDevice(GrafPtr port, const KsRect& r) {
    const SInt64 s = port->surface->scale, bl = port->portBounds.left, bt = port->portBounds.top;
    return {Clamp32((r.left - bl) * s), Clamp32((r.top - bt) * s), Clamp32((r.right - bl) * s),
            Clamp32((r.bottom - bt) * s)};
}

KsPoint KsLocalToDevice(GrafPtr port, KsPoint p) {
    const SInt64 s = port->surface->scale;
    return {Clamp32((p.h - SInt64(port->portBounds.left)) * s),
            Clamp32((p.v - SInt64(port->portBounds.top)) * s)};
}

KsRgn KsLocalToDevice(GrafPtr port, const KsRgn& r) {
    const SInt32 s = port->surface->scale;
    if (s == 1) {
        KsRgn d(r);
        d.Offset(-SInt32(port->portBounds.left), -SInt32(port->portBounds.top));
        return d;
    }
    if (r.RectCount() <= 1) return KsRgn(KsLocalToDevice(port, r.Bounds()));
    // Scaling keeps the bands apart, so the rectangles stay a valid list.
    std::vector<KsRect> rects;
    rects.reserve(r.RectCount());
    for (KsRect b : r.Rects())
        rects.push_back(KsLocalToDevice(port, b));
    KsRgn d(rects.data(), rects.size());
    return d;
}

KsRect KsPortLocalBounds(GrafPtr port) {
    const KsRect img = ImageRect(port->surface);
    const SInt32 s = port->surface->scale, bl = port->portBounds.left, bt = port->portBounds.top;
    return ToKsRect(port->portBounds).Intersect({bl, bt, bl + img.right / s, bt + img.bottom / s});
}

KsRgn KsPortLocalClip(GrafPtr port) {
    KsRgn c(KsPortLocalBounds(port));
    c.Intersect(KsRgnRef(port->visRgn));
    c.Intersect(KsRgnRef(port->clipRgn));
    return c;
}

KsRgn KsPortDeviceClip(GrafPtr port) {
    KsRgn d = KsLocalToDevice(port, KsPortLocalClip(port));
    d.Intersect(ImageRect(port->surface));
    return d;
}

// ---- Pen and patterns -------------------------------------------------------

void HidePen() {
    --KsThePort()->pnVis;
}
void ShowPen() {
    ++KsThePort()->pnVis;
}
void GetPen(Point* pt) {
    *pt = KsThePort()->pnLoc;
}

void GetPenState(PenState* state) {
    GrafPtr port = KsThePort();
    *state = {port->pnLoc, port->pnSize, port->pnMode, port->pnPat};
}

void SetPenState(const PenState* state) {
    GrafPtr port = KsThePort();
    port->pnLoc = state->pnLoc;
    port->pnSize = state->pnSize;
    port->pnMode = state->pnMode;
    port->pnPat = state->pnPat;
}

void PenSize(SInt16 width, SInt16 height) {
    KsThePort()->pnSize = {height, width};
}
void PenMode(SInt16 mode) {
    KsThePort()->pnMode = mode;
}
void PenPat(const Pattern* pat) {
    GrafPtr port = KsThePort();
    port->pnPat = *pat;
    port->pnPixPat = nullptr;
}
void PenPixPat(PixPatHandle pp) {
    KsThePort()->pnPixPat = pp;
}
void BackPat(const Pattern* pat) {
    GrafPtr port = KsThePort();
    port->bkPat = *pat;
    port->bkPixPat = nullptr;
}
void BackPixPat(PixPatHandle pp) {
    KsThePort()->bkPixPat = pp;
}

void PenNormal() {
    GrafPtr port = KsThePort();
    port->pnSize = {1, 1};
    port->pnMode = patCopy;
    port->pnPat = kQDBlack;
    port->pnPixPat = nullptr;
}

// ---- Colours ----------------------------------------------------------------

void RGBForeColor(const RGBColor* color) {
    KsThePort()->rgbFgColor = *color;
}
void RGBBackColor(const RGBColor* color) {
    KsThePort()->rgbBkColor = *color;
}
void GetForeColor(RGBColor* color) {
    *color = KsThePort()->rgbFgColor;
}
void GetBackColor(RGBColor* color) {
    *color = KsThePort()->rgbBkColor;
}
void HiliteColor(const RGBColor* color) {
    KsThePort()->hiliteColor = *color;
}
void GetHiliteColor(RGBColor* color) {
    *color = KsThePort()->hiliteColor;
}

namespace {
// The eight colours of the classic interface, by their old plane numbers.
RGBColor ClassicColor(SInt32 c) {
    switch (c) {
    case 30:
        return kWhite; // whiteColor
    case 69:
        return {0xFFFF, 0xFFFF, 0}; // yellowColor
    case 137:
        return {0xFFFF, 0, 0xFFFF}; // magentaColor
    case 205:
        return {0xFFFF, 0, 0}; // redColor
    case 273:
        return {0, 0xFFFF, 0xFFFF}; // cyanColor
    case 341:
        return {0, 0xFFFF, 0}; // greenColor
    case 409:
        return {0, 0, 0xFFFF}; // blueColor
    default:
        return kBlack; // blackColor (33) and anything else
    }
}
} // namespace

void ForeColor(SInt32 classicColor) {
    KsThePort()->rgbFgColor = ClassicColor(classicColor);
}
void BackColor(SInt32 classicColor) {
    KsThePort()->rgbBkColor = ClassicColor(classicColor);
}

// ---- Pixel patterns ---------------------------------------------------------

PixPatHandle KsNewPixPatFromPixels(const UInt32* pixels, SInt16 width, SInt16 height) {
    if (!pixels || width <= 0 || height <= 0 || width > kKsMaxPixPatSide ||
        height > kKsMaxPixPatSide)
        return nullptr;
    const Size count = Size(width) * height;
    Handle h = KsNewHandle(Size(sizeof(PixPat)) + count * Size(sizeof(UInt32)));
    if (!h) return nullptr;
    auto* head = reinterpret_cast<PixPat*>(*h);
    head->width = width;
    head->height = height;
    auto* dst = reinterpret_cast<UInt32*>(*h + sizeof(PixPat));
    for (Size i = 0; i < count; ++i)
        dst[i] = 0xFF000000u | (pixels[i] & 0xFFFFFFu);
    return reinterpret_cast<PixPatHandle>(h);
}

// A new pixel pattern is 8x8 of black, as a freshly made pattern is drawn in
// the foreground.
PixPatHandle NewPixPat() {
    UInt32 black[64] = {};
    return KsNewPixPatFromPixels(black, 8, 8);
}

void DisposePixPat(PixPatHandle pp) {
    if (!pp) return;
    // A port must not keep a pattern that is gone.
    if (gThePort) {
        if (gThePort->pnPixPat == pp) gThePort->pnPixPat = nullptr;
        if (gThePort->bkPixPat == pp) gThePort->bkPixPat = nullptr;
        if (gThePort->fillPixPat == pp) gThePort->fillPixPat = nullptr;
    }
    KsDisposeHandle(reinterpret_cast<Handle>(pp));
}
