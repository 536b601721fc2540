#include "KsHeadlessBackend.h"
#include "KsRgn.h"
#include "KsTime.h"

#include <pixman.h>
#include <png.h>

#include <algorithm>
#include <climits>
#include <ctime>
#include <iterator>
#include <vector>

#include <poll.h>

namespace {

constexpr OSErr ioErr = -36;

// Milliseconds until `ticks` from now have passed, rounded up so that a wait
// for the next entry never wakes just short of it.
long TicksToMsCeil(long ticks) {
    return (ticks * 1000 + 59) / 60;
}

} // namespace

KsHeadlessBackend::KsHeadlessBackend(SInt32 width, SInt32 height) {
    SetScreens({{width, height}});
}

KsHeadlessBackend::~KsHeadlessBackend() {
    if (framebuffer_) pixman_image_unref(framebuffer_);
}

void KsHeadlessBackend::SetScreens(std::initializer_list<KsScreenSize> sizes) {
    LayOut(sizes.begin(), sizes.size());
}

void KsHeadlessBackend::LayOut(const KsScreenSize* sizes, std::size_t count) {
    screens_.clear();
    SInt32 left = 0;
    for (std::size_t i = 0; i < count; ++i) {
        SInt32 w = std::max<SInt32>(sizes[i].width, 1), h = std::max<SInt32>(sizes[i].height, 1);
        screens_.push_back({left, 0, left + w, h});
        left += w;
    }
    if (screens_.empty()) screens_.push_back({0, 0, 1280, 800});
    MakeFramebuffer();
}

void KsHeadlessBackend::MakeFramebuffer() {
    if (framebuffer_) pixman_image_unref(framebuffer_);
    KsRect all = DesktopBounds();
    // Null bits: pixman allocates them cleared.
    framebuffer_ = pixman_image_create_bits(PIXMAN_x8r8g8b8, all.Width(), all.Height(), nullptr, 0);
}

KsRect KsHeadlessBackend::ScreenBounds(int index) const {
    if (index < 0 || index >= int(screens_.size())) return {};
    return screens_[std::size_t(index)];
}

void KsHeadlessBackend::Present(pixman_image_t* desktop, const KsRgn& damage) {
    if (!desktop || !framebuffer_) return;
    ++presents_;
    KsRect limit{0, 0,
                 std::min(pixman_image_get_width(desktop), pixman_image_get_width(framebuffer_)),
                 std::min(pixman_image_get_height(desktop), pixman_image_get_height(framebuffer_))};
    for (KsRect r : damage.Rects()) {
        r = r.Intersect(limit);
        if (r.IsEmpty()) continue;
        pixman_image_composite32(PIXMAN_OP_SRC, desktop, nullptr, framebuffer_, r.left, r.top, 0, 0,
                                 r.left, r.top, r.Width(), r.Height());
    }
}

void KsHeadlessBackend::Add(long at, const KsInput& input, const char* text) {
    Entry e{at, input, text ? text : "", {}};
    auto pos = std::upper_bound(script_.begin(), script_.end(), at,
                                [](long t, const Entry& x) { return t < x.at; });
    script_.insert(pos, std::move(e));
}

void KsHeadlessBackend::ScriptMove(long at, SInt32 h, SInt32 v) {
    KsInput in;
    in.kind = KsInput::Kind::mouseMove;
    in.h = h;
    in.v = v;
    Add(at, in);
}
void KsHeadlessBackend::ScriptWheel(long at, SInt32 h, SInt32 v, float x, float y) {
    ScriptMove(at, h, v);
    KsInput in;
    in.kind = KsInput::Kind::wheel;
    in.h = h;
    in.v = v;
    in.wheelX = x;
    in.wheelY = y;
    Add(at, in);
}
void KsHeadlessBackend::ScriptPress(long at, SInt32 h, SInt32 v, KsMouseButton button) {
    KsInput in;
    in.kind = KsInput::Kind::mouseDown;
    in.button = button;
    in.h = h;
    in.v = v;
    Add(at, in);
}
void KsHeadlessBackend::ScriptRelease(long at, SInt32 h, SInt32 v, KsMouseButton button) {
    KsInput in;
    in.kind = KsInput::Kind::mouseUp;
    in.button = button;
    in.h = h;
    in.v = v;
    Add(at, in);
}
void KsHeadlessBackend::ScriptKeyDown(long at, UInt8 keyCode) {
    KsInput in;
    in.kind = KsInput::Kind::keyDown;
    in.keyCode = keyCode;
    Add(at, in);
}
void KsHeadlessBackend::ScriptKeyUp(long at, UInt8 keyCode) {
    KsInput in;
    in.kind = KsInput::Kind::keyUp;
    in.keyCode = keyCode;
    Add(at, in);
}
void KsHeadlessBackend::ScriptText(long at, const char* utf8) {
    KsInput in;
    in.kind = KsInput::Kind::text;
    Add(at, in, utf8);
}
void KsHeadlessBackend::ScriptComposition(long at, const char* utf8, SInt32 caret,
                                          SInt32 selected) {
    KsInput in;
    in.kind = KsInput::Kind::composition;
    in.start = caret;
    in.length = selected;
    Add(at, in, utf8);
}
void KsHeadlessBackend::ScriptFocus(long at, bool in) {
    KsInput input;
    input.kind = in ? KsInput::Kind::focusIn : KsInput::Kind::focusOut;
    Add(at, input);
}
void KsHeadlessBackend::ScriptQuit(long at) {
    KsInput in;
    in.kind = KsInput::Kind::quit;
    Add(at, in);
}

void KsHeadlessBackend::ScriptScreens(long at, std::initializer_list<KsScreenSize> sizes) {
    KsInput in;
    in.kind = KsInput::Kind::screens;
    Add(at, in);
    // Add keeps equal times in order: the entry just made is the last one at `at`.
    auto it = std::upper_bound(script_.begin(), script_.end(), at,
                               [](long t, const Entry& x) { return t < x.at; });
    std::prev(it)->screens.assign(sizes.begin(), sizes.end());
}

void KsHeadlessBackend::ScriptKeyboardLocale(long at, UInt16 locale) {
    Add(at, KsInput{});
    auto it = std::upper_bound(script_.begin(), script_.end(), at,
                               [](long t, const Entry& x) { return t < x.at; });
    std::prev(it)->locale = locale;
}

void KsHeadlessBackend::Pump() {
    if (script_.empty()) return;
    long now = KsGetTicks();
    while (!script_.empty() && script_.front().at <= now) {
        // Taken off first: feeding may pump again (through hooks).
        Entry e = std::move(script_.front());
        script_.erase(script_.begin());
        if (e.locale) {
            locale_ = e.locale;
            continue;
        }
        if (e.input.kind == KsInput::Kind::text || e.input.kind == KsInput::Kind::composition)
            e.input.text = e.text.c_str();
        if (e.input.kind == KsInput::Kind::screens) LayOut(e.screens.data(), e.screens.size());
        KsDeliverInput(e.input);
    }
}

void KsHeadlessBackend::WaitForInput(long milliseconds) {
    WaitForInputOrFd(milliseconds, -1);
}

void KsHeadlessBackend::WaitForInputOrFd(long milliseconds, int fd) {
    if (milliseconds <= 0) return;
    ++waits_;
    pollfd watched{fd, POLLIN, 0};
    if (KsIsVirtualClock()) {
        // A readable descriptor ends a virtual wait before time moves.
        if (fd >= 0 && poll(&watched, 1, 0) > 0) return;
        // Virtual waits end exactly on tick boundaries: the next scripted input
        // or the ticks asked for (callers convert ticks to milliseconds by
        // rounding, so rounding back gives their ticks again).
        long now = KsGetTicks();
        long target = now + std::max(1L, MillisecondsToTicks(milliseconds));
        if (!script_.empty()) target = std::min(target, std::max(now, script_.front().at));
        if (target > now) KsAdvanceVirtualClockToTick(target);
        return;
    }
    long wait = milliseconds;
    if (!script_.empty()) {
        long ticks = script_.front().at - KsGetTicks();
        wait = ticks <= 0 ? 0 : std::min(wait, TicksToMsCeil(ticks));
    }
    if (wait <= 0) return;
    if (fd >= 0) {
        poll(&watched, 1, int(std::min(wait, long(INT_MAX))));
        return;
    }
    timespec ts{wait / 1000, (wait % 1000) * 1000000};
    nanosleep(&ts, nullptr);
}

void KsHeadlessBackend::SetCursor(const KsCursorImage& cursor) {
    cursor_ = cursor;
    customCursor_ = true;
}

void KsHeadlessBackend::SetStandardCursor(KsStandardCursor kind) {
    standardCursor_ = kind;
    customCursor_ = false;
}

UInt32 KsHeadlessBackend::PixelAt(SInt32 h, SInt32 v) const {
    if (!framebuffer_ || h < 0 || v < 0 || h >= pixman_image_get_width(framebuffer_) ||
        v >= pixman_image_get_height(framebuffer_))
        return 0;
    const auto* row = reinterpret_cast<const UInt8*>(pixman_image_get_data(framebuffer_)) +
                      std::size_t(v) * std::size_t(pixman_image_get_stride(framebuffer_));
    return reinterpret_cast<const UInt32*>(row)[h] & 0x00FFFFFF;
}

OSErr KsHeadlessBackend::WritePNG(const char* path, const KsRect* area) const {
    if (!path || !*path || !framebuffer_) return paramErr;
    KsRect all{0, 0, pixman_image_get_width(framebuffer_), pixman_image_get_height(framebuffer_)};
    KsRect r = area ? area->Intersect(all) : all;
    if (r.IsEmpty()) return paramErr;
    std::vector<UInt8> rgb(std::size_t(r.Width()) * std::size_t(r.Height()) * 3);
    UInt8* out = rgb.data();
    for (SInt32 v = r.top; v < r.bottom; ++v) {
        for (SInt32 h = r.left; h < r.right; ++h) {
            UInt32 p = PixelAt(h, v);
            *out++ = UInt8(p >> 16);
            *out++ = UInt8(p >> 8);
            *out++ = UInt8(p);
        }
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(r.Width());
    image.height = png_uint_32(r.Height());
    image.format = PNG_FORMAT_RGB;
    if (!png_image_write_to_file(&image, path, 0, rgb.data(), 0, nullptr)) {
        png_image_free(&image);
        return ioErr;
    }
    return noErr;
}

std::unique_ptr<KsBackend> KsNewHeadlessBackend(SInt32 width, SInt32 height) {
    return std::make_unique<KsHeadlessBackend>(width, height);
}
