// Off-screen worlds, graphics devices and port pixel map descriptors.
//
// Sections: registries; pixel maps; worlds; the current world.
//
// Ports are records the drawing layer owns, so the descriptor CopyBits needs
// for a port lives here, keyed by the port: a world's descriptor goes with
// the world; another port's is made on first request and refreshed on each.
#include "QDOffscreenPrivate.h"

#include "KsFatal.h"
#include "KsPortSavers.h"

#include <memory>
#include <new>
#include <unordered_map>

struct GDevice {
    GrafPtr world = nullptr; // null for the main device
};

namespace {

// A descriptor and the master pointer that makes it a handle. Never moved:
// both addresses are handed out.
struct PortPixMap {
    PixMap pm{};
    PixMap* master = &pm;
    GrafPtr port = nullptr;
};

struct World {
    GrafPort port{};
    GDevice device{};
    GDevice* deviceMaster = &device;
    SInt16 depth = 32;
};

struct Registry {
    std::unordered_map<GrafPtr, std::unique_ptr<PortPixMap>> byPort;
    std::unordered_map<const BitMap*, PortPixMap*> byDescriptor;
    std::unordered_map<GrafPtr, std::unique_ptr<World>> worlds;
    GDevice mainDevice{};
    GDevice* mainMaster = &mainDevice;
    GDHandle current = &mainMaster;
};

Registry& R() {
    static Registry r;
    return r;
}

QDErr gQDError = noErr;

// Beyond this a world is refused rather than left to the allocator's
// overcommit: 1 GiB of pixels.
constexpr SInt64 kMaxWorldBytes = SInt64(1) << 30;

World* WorldOf(GrafPtr port) {
    auto& w = R().worlds;
    auto it = w.find(port);
    return it == w.end() ? nullptr : it->second.get();
}

void Refresh(PortPixMap& e) {
    PixMap& pm = e.pm;
    const KsPortSurface* s = e.port->surface;
    const SInt32 stride = s ? pixman_image_get_stride(s->image) : 0;
    pm.baseAddr = s ? reinterpret_cast<Ptr>(pixman_image_get_data(s->image)) : nullptr;
    pm.rowBytes = SInt16(0x8000 | (stride <= 0x3FFF ? stride : 0));
    pm.bounds = e.port->portBounds;
    pm.pmVersion = 0;
    pm.pixelType = 16;
    pm.pixelSize = 32;
    pm.cmpCount = 3;
    pm.cmpSize = 8;
    pm.pixelRowBytes = stride;
    pm.pixelScale = s ? s->scale : 1;
}

PortPixMap* EntryFor(GrafPtr port) {
    Registry& r = R();
    auto it = r.byPort.find(port);
    if (it != r.byPort.end()) return it->second.get();
    auto e = std::unique_ptr<PortPixMap>(new (std::nothrow) PortPixMap);
    if (!e) return nullptr;
    e->port = port;
    PortPixMap* raw = e.get();
    r.byDescriptor[&raw->pm] = raw;
    r.byPort.emplace(port, std::move(e));
    return raw;
}

void ForgetEntry(GrafPtr port) {
    Registry& r = R();
    auto it = r.byPort.find(port);
    if (it == r.byPort.end()) return;
    r.byDescriptor.erase(&it->second->pm);
    r.byPort.erase(it);
}

} // namespace

void KsForgetPortPixMap(GrafPtr port) {
    ForgetEntry(port);
}

namespace {
bool DepthIsKnown(SInt16 depth) {
    switch (depth) {
    case 0:
    case 1:
    case 2:
    case 4:
    case 8:
    case 16:
    case 32:
        return true;
    default:
        return false;
    }
}

// A white surface for bounds at scale; memFullErr or paramErr in *err.
KsPortSurface* SurfaceFor(const Rect& bounds, SInt16 scale, QDErr* err) {
    const SInt64 w = SInt64(bounds.right) - bounds.left, h = SInt64(bounds.bottom) - bounds.top;
    if (w <= 0 || h <= 0) {
        *err = paramErr;
        return nullptr;
    }
    if (w * scale * h * scale * 4 > kMaxWorldBytes) {
        *err = memFullErr;
        return nullptr;
    }
    KsPortSurface* s = KsNewSurface(SInt32(w * scale), SInt32(h * scale), scale);
    if (!s) {
        *err = memFullErr;
        return nullptr;
    }
    s->ownedByPort = true;
    *err = noErr;
    return s;
}

QDErr MakeWorld(GWorldPtr* out, SInt16 depth, const Rect* bounds, SInt16 scale) {
    if (!out) return paramErr;
    *out = nullptr;
    if (!bounds || !DepthIsKnown(depth) || scale < 1 || scale > 4) return paramErr;
    QDErr err = noErr;
    KsPortSurface* s = SurfaceFor(*bounds, scale, &err);
    if (!s) return err;
    auto w = std::unique_ptr<World>(new (std::nothrow) World);
    if (!w) {
        KsDisposeSurface(s);
        return memFullErr;
    }
    w->depth = depth == 0 ? 32 : depth;
    // Opening a port makes it current; making a world must not.
    {
        StPortSaver saver;
        KsOpenPort(&w->port, s, *bounds);
    }
    w->device.world = &w->port;
    GrafPtr port = &w->port;
    PortPixMap* e = EntryFor(port);
    if (!e) {
        KsClosePort(port);
        KsDisposeSurface(s);
        return memFullErr;
    }
    Refresh(*e);
    R().worlds.emplace(port, std::move(w));
    *out = port;
    return noErr;
}

} // namespace

// ---- Registries ---------------------------------------------------------------

GrafPtr KsPortOfPixMap(const BitMap* bits) {
    if (!bits) return nullptr;
    const auto& m = R().byDescriptor;
    auto it = m.find(bits);
    return it == m.end() ? nullptr : it->second->port;
}

void KsSetQDError(QDErr err) {
    gQDError = err;
}

QDErr QDError() {
    return gQDError;
}

// ---- Pixel maps -------------------------------------------------------------

PixMapHandle GetGWorldPixMap(GWorldPtr offscreenGWorld) {
    if (!offscreenGWorld) return nullptr;
    PortPixMap* e = EntryFor(offscreenGWorld);
    if (!e) return nullptr;
    Refresh(*e);
    return &e->master;
}

const BitMap* GetPortBitMapForCopyBits(CGrafPtr port) {
    PixMapHandle pm = GetGWorldPixMap(port);
    return pm ? *pm : nullptr;
}

Boolean LockPixels(PixMapHandle) {
    return true;
}

void UnlockPixels(PixMapHandle) {}

Ptr GetPixBaseAddr(PixMapHandle pm) {
    if (!pm || !*pm) return nullptr;
    GrafPtr port = KsPortOfPixMap(*pm);
    if (!port) return (*pm)->baseAddr;
    Refresh(*R().byPort.at(port));
    return (*pm)->baseAddr;
}

// ---- Worlds -----------------------------------------------------------------

QDErr NewGWorld(GWorldPtr* offscreenGWorld, SInt16 pixelDepth, const Rect* boundsRect, CTabHandle,
                GDHandle, GWorldFlags) {
    gQDError = MakeWorld(offscreenGWorld, pixelDepth, boundsRect, 1);
    return gQDError;
}

QDErr KsNewGWorldScaled(GWorldPtr* offscreenGWorld, SInt16 pixelDepth, const Rect* boundsRect,
                        SInt16 scale, GWorldFlags) {
    gQDError = MakeWorld(offscreenGWorld, pixelDepth, boundsRect, scale);
    return gQDError;
}

GWorldFlags UpdateGWorld(GWorldPtr* offscreenGWorld, SInt16 pixelDepth, const Rect* boundsRect,
                         CTabHandle, GDHandle, GWorldFlags flags) {
    World* w = offscreenGWorld ? WorldOf(*offscreenGWorld) : nullptr;
    const bool sound = w && boundsRect && DepthIsKnown(pixelDepth) &&
                       boundsRect->right > boundsRect->left && boundsRect->bottom > boundsRect->top;
    if (!sound) {
        gQDError = paramErr;
        return gwFlagErr;
    }
    GrafPtr port = &w->port;
    const Rect& old = port->portBounds;
    const bool sameSize = boundsRect->right - boundsRect->left == old.right - old.left &&
                          boundsRect->bottom - boundsRect->top == old.bottom - old.top;
    GWorldFlags done = 0;
    if (!sameSize) {
        QDErr err = noErr;
        KsPortSurface* fresh = SurfaceFor(*boundsRect, port->surface->scale, &err);
        if (!fresh) {
            gQDError = err;
            return gwFlagErr;
        }
        done |= reallocPix;
        if (flags & stretchPix) {
            KsCarryPixels(port->surface, fresh, KsKeepPixels::kStretch);
            done |= stretchPix;
        } else if (flags & clipPix) {
            KsCarryPixels(port->surface, fresh, KsKeepPixels::kClip);
            done |= clipPix;
        }
        KsDisposeSurface(port->surface);
        port->surface = fresh;
    }
    if (pixelDepth != 0 && pixelDepth != w->depth) {
        w->depth = pixelDepth;
        done |= newDepth;
    }
    port->portRect = *boundsRect;
    port->portBounds = *boundsRect;
    RectRgn(port->visRgn, boundsRect);
    gQDError = noErr;
    return done;
}

void DisposeGWorld(GWorldPtr offscreenGWorld) {
    if (!offscreenGWorld) return;
    Registry& r = R();
    auto it = r.worlds.find(offscreenGWorld);
    FtlAssert(it != r.worlds.end()); // only worlds made by NewGWorld
    World* w = it->second.get();
    if (r.current == &w->deviceMaster) r.current = &r.mainMaster;
    KsPortSurface* s = w->port.surface;
    KsClosePort(&w->port); // no current port when it was this one
    KsDisposeSurface(s);
    ForgetEntry(offscreenGWorld);
    r.worlds.erase(it);
}

// ---- The current world ------------------------------------------------------

void GetGWorld(CGrafPtr* port, GDHandle* gdh) {
    if (port) *port = KsGetPort();
    if (gdh) *gdh = R().current;
}

void SetGWorld(CGrafPtr port, GDHandle gdh) {
    KsSetPort(port);
    if (World* w = port ? WorldOf(port) : nullptr)
        R().current = &w->deviceMaster;
    else if (gdh)
        R().current = gdh;
}

GDHandle GetGWorldDevice(GWorldPtr offscreenGWorld) {
    if (!offscreenGWorld) return nullptr;
    World* w = WorldOf(offscreenGWorld);
    return w ? &w->deviceMaster : &R().mainMaster;
}

GDHandle GetMainDevice() {
    return &R().mainMaster;
}

GDHandle GetGDevice() {
    return R().current;
}
