// The SDL back end on a real display (the end-to-end run provides one under
// Xvfb); skipped when there is none.
#include "Events.h"
#include "EventsPrivate.h"
#include "KsBackend.h"
#include "KsRgn.h"
#include "KsTime.h"

#include <gtest/gtest.h>
#include <pixman.h>

#include <cstdlib>

// SDL's start-up (session bus, display libraries it loads and unloads) keeps
// blocks for the life of the process that are not ours to free; the leak
// checker, when built in, ignores what is allocated while it is disabled.
extern "C" void __lsan_disable() __attribute__((weak));
extern "C" void __lsan_enable() __attribute__((weak));

namespace {
bool HaveDisplay() {
    const char* d = std::getenv("DISPLAY");
    const char* w = std::getenv("WAYLAND_DISPLAY");
    return (d && *d) || (w && *w);
}
} // namespace

TEST(BackendSDL, OpensPresentsAndWaitsOnARealDisplay) {
    if (!HaveDisplay()) GTEST_SKIP() << "no display";
    if (__lsan_disable) __lsan_disable();
    std::unique_ptr<KsBackend> sdl = KsNewSDLBackend();
    if (!sdl && __lsan_enable) __lsan_enable();
    if (!sdl) GTEST_SKIP() << "SDL could not open video on this display";
    EXPECT_STREQ(sdl->Name(), "sdl");
    ASSERT_EQ(sdl->ScreenCount(), 1);
    KsRect screen = sdl->ScreenBounds(0);
    ASSERT_FALSE(screen.IsEmpty());
    sdl->SetTitle("KsTavik20 test");
    sdl->SetStandardCursor(KsStandardCursor::iBeam);

    auto previous = KsInstallBackend(std::move(sdl));
    KsResetEvents();
    pixman_image_t* desktop =
        pixman_image_create_bits(PIXMAN_x8r8g8b8, screen.Width(), screen.Height(), nullptr, 0);
    KsRgn damage(KsRect{0, 0, 100, 20});
    KsSetDesktopSurface(desktop, &damage);
    KsPumpEvents(); // presents
    EXPECT_TRUE(damage.IsEmpty());
    // A short wait ends on time (window events may arrive; they are not input).
    long start = KsGetTicks();
    EventRecord e{};
    for (int i = 0; i < 20 && KsGetTicks() - start < 6; ++i)
        WaitNextEvent(mDownMask, &e, 6, nullptr);
    EXPECT_GE(KsGetTicks() - start, 6);
    KsSetDesktopSurface(nullptr, nullptr);
    pixman_image_unref(desktop);
    KsResetEvents();
    KsInstallBackend(std::move(previous));
    if (__lsan_enable) __lsan_enable();
}
