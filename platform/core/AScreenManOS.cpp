#include "AScreenManOS.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>

namespace {
std::atomic<KsScreenProvider> gProvider{nullptr};
std::atomic<KsScreenDepthProvider> gDepthProvider{nullptr};
std::unique_ptr<AScreenManOS> gManager;

std::int64_t DistanceSquared(const KsRect& r, KsPoint p) {
    // From p to the nearest pixel of r (0 inside).
    std::int64_t dx = p.h < r.left     ? std::int64_t(r.left) - p.h
                      : p.h >= r.right ? std::int64_t(p.h) - (r.right - 1)
                                       : 0;
    std::int64_t dy = p.v < r.top       ? std::int64_t(r.top) - p.v
                      : p.v >= r.bottom ? std::int64_t(p.v) - (r.bottom - 1)
                                        : 0;
    return dx * dx + dy * dy;
}

// Moves [lo, hi) into [min, max) keeping its length where it fits.
void Fit(SInt32& lo, SInt32& hi, SInt32 min, SInt32 max) {
    std::int64_t len = std::int64_t(hi) - lo;
    if (len > std::int64_t(max) - min) {
        lo = min;
        hi = max;
        return;
    }
    if (lo < min) {
        lo = min;
        hi = SInt32(min + len);
    } else if (hi > max) {
        hi = max;
        lo = SInt32(max - len);
    }
}
} // namespace

KsScreenProvider KsSetScreenProvider(KsScreenProvider provider) {
    return gProvider.exchange(provider);
}

KsScreenDepthProvider KsSetScreenDepthProvider(KsScreenDepthProvider provider) {
    return gDepthProvider.exchange(provider);
}

AScreenManOS* AScreenManOS::New() {
    if (!gManager) gManager.reset(new AScreenManOS());
    return gManager.get();
}

AScreenManOS* AScreenManOS::Get() {
    return gManager.get();
}

void AScreenManOS::Dispose() {
    gManager.reset();
}

int AScreenManOS::Screens(KsRect* out) const {
    KsScreenProvider p = gProvider.load();
    int n = p ? p(out, kMaxScreens) : 0;
    if (n <= 0) {
        out[0] = KsRect{0, 0, 1280, 800};
        return 1;
    }
    return std::min(n, kMaxScreens);
}

int AScreenManOS::GetScreenCount() const {
    KsRect s[kMaxScreens];
    return Screens(s);
}

KsRect AScreenManOS::GetScreenBounds(int index) const {
    KsRect s[kMaxScreens];
    int n = Screens(s);
    return index >= 0 && index < n ? s[index] : KsRect{};
}

int AScreenManOS::GetScreenDepth(int index) const {
    if (index < 0 || index >= GetScreenCount()) return 0;
    KsScreenDepthProvider p = gDepthProvider.load();
    return p ? p(index) : 32;
}

int AScreenManOS::ScreenOfPoint(KsPoint pt) const {
    KsRect s[kMaxScreens];
    int n = Screens(s);
    int best = 0;
    std::int64_t bestD = INT64_MAX;
    for (int i = 0; i < n; ++i) {
        std::int64_t d = DistanceSquared(s[i], pt);
        if (d < bestD) {
            bestD = d;
            best = i;
        }
    }
    return best;
}

namespace {
// The screen of s[0, n) holding most of r; for an r on none, the one nearest
// its centre.
int ScreenOfRectAmong(const KsRect* s, int n, const KsRect& r) {
    int best = -1;
    std::int64_t bestArea = 0;
    for (int i = 0; i < n; ++i) {
        KsRect common = s[i].Intersect(r);
        std::int64_t area = std::int64_t(common.Width()) * common.Height();
        if (!common.IsEmpty() && area > bestArea) {
            bestArea = area;
            best = i;
        }
    }
    if (best >= 0) return best;
    const KsPoint centre{SInt32((std::int64_t(r.left) + r.right) / 2),
                         SInt32((std::int64_t(r.top) + r.bottom) / 2)};
    best = 0;
    std::int64_t bestD = INT64_MAX;
    for (int i = 0; i < n; ++i) {
        const std::int64_t d = DistanceSquared(s[i], centre);
        if (d < bestD) {
            bestD = d;
            best = i;
        }
    }
    return best;
}
} // namespace

int AScreenManOS::ScreenOfRect(const KsRect& r) const {
    KsRect s[kMaxScreens];
    return ScreenOfRectAmong(s, Screens(s), r);
}

int AScreenManOS::DepthOfRect(const KsRect& r) const {
    // Without a depth provider every screen is 32 bits deep.
    KsScreenDepthProvider p = gDepthProvider.load();
    if (!p) return 32;
    KsRect s[kMaxScreens];
    const int n = Screens(s);
    return p(n == 1 ? 0 : ScreenOfRectAmong(s, n, r));
}

KsRect AScreenManOS::PullOntoScreen(const KsRect& r, int screen, int margin) const {
    KsRect area = GetScreenBounds(screen).Insetted(margin, margin);
    if (area.IsEmpty()) return r;
    KsRect out = r;
    Fit(out.left, out.right, area.left, area.right);
    Fit(out.top, out.bottom, area.top, area.bottom);
    return out;
}
