// The headless back end: screens, presenting only damage, PNG output, and
// the choice of back end.
#include "KsBackend.h"
#include "KsHeadlessBackend.h"
#include "KsRgn.h"
#include "KsScratchDir.h"
#include "PngSizeOf.h"

#include <gtest/gtest.h>
#include <pixman.h>

#include <cstdlib>
#include <string>

namespace {
pixman_image_t* Solid(int w, int h, UInt32 pixel) {
    pixman_image_t* img = pixman_image_create_bits(PIXMAN_x8r8g8b8, w, h, nullptr, 0);
    auto* bits = pixman_image_get_data(img);
    for (int i = 0; i < w * h; ++i)
        bits[i] = pixel;
    return img;
}
} // namespace

TEST(BackendHeadless, ScreensLieSideBySide) {
    KsHeadlessBackend b;
    EXPECT_STREQ(b.Name(), "headless");
    ASSERT_EQ(b.ScreenCount(), 1);
    EXPECT_EQ(b.ScreenBounds(0).right, 1280);
    EXPECT_EQ(b.ScreenBounds(0).bottom, 800);
    b.SetScreens({{1920, 1080}, {1024, 768}, {0, -5}});
    ASSERT_EQ(b.ScreenCount(), 3);
    KsRect second = b.ScreenBounds(1);
    EXPECT_EQ(second.left, 1920);
    EXPECT_EQ(second.right, 2944);
    EXPECT_EQ(second.bottom, 768);
    EXPECT_EQ(b.ScreenBounds(2).Width(), 1); // nonsense sizes become 1 pixel
    EXPECT_TRUE(b.ScreenBounds(3).IsEmpty());
    KsRect all = b.DesktopBounds();
    EXPECT_EQ(all.right, 2945);
    EXPECT_EQ(all.bottom, 1080);
    EXPECT_EQ(pixman_image_get_width(b.Framebuffer()), 2945);
}

TEST(BackendHeadless, PresentCopiesOnlyTheDamage) {
    KsHeadlessBackend b(64, 32);
    pixman_image_t* desktop = Solid(64, 32, 0x00336699);
    b.Present(desktop, KsRgn{{2, 3, 5, 4}, {60, 30, 80, 40}}); // the second runs off the edge
    EXPECT_EQ(b.PixelAt(2, 3), 0x336699u);
    EXPECT_EQ(b.PixelAt(4, 3), 0x336699u);
    EXPECT_EQ(b.PixelAt(5, 3), 0u); // half-open
    EXPECT_EQ(b.PixelAt(2, 4), 0u);
    EXPECT_EQ(b.PixelAt(63, 31), 0x336699u);
    EXPECT_EQ(b.PixelAt(1, 3), 0u);
    EXPECT_EQ(b.PixelAt(64, 0), 0u); // outside the desktop
    EXPECT_EQ(b.PresentCount(), 1);

    // Through the registered desktop: the pump presents and empties the damage.
    auto previous = KsInstallBackend(std::make_unique<KsHeadlessBackend>(64, 32));
    auto* installed = static_cast<KsHeadlessBackend*>(KsGetBackend());
    KsRgn damage(KsRect{10, 10, 12, 11});
    KsSetDesktopSurface(desktop, &damage);
    KsPresentDesktop();
    EXPECT_TRUE(damage.IsEmpty());
    EXPECT_EQ(installed->PixelAt(11, 10), 0x336699u);
    EXPECT_EQ(installed->PixelAt(12, 10), 0u);
    KsPresentDesktop(); // nothing damaged: nothing presented
    EXPECT_EQ(installed->PresentCount(), 1);
    KsSetDesktopSurface(nullptr, nullptr);
    KsInstallBackend(std::move(previous));
    pixman_image_unref(desktop);
}

TEST(BackendHeadless, WritesTheDesktopOrAnAreaAsPNG) {
    KsHeadlessBackend b(40, 20);
    pixman_image_t* desktop = Solid(40, 20, 0x00FF8000);
    b.Present(desktop, KsRgn(KsRect{10, 5, 20, 10}));
    pixman_image_unref(desktop);

    ScratchDir dir;
    const std::string path = (dir / "area.png").string();
    KsRect area{8, 5, 20, 10};
    ASSERT_EQ(b.WritePNG(path.c_str(), &area), noErr);
    UInt32 w = 0, h = 0;
    ASSERT_TRUE(PNGSize(path, &w, &h));
    EXPECT_EQ(w, 12u);
    EXPECT_EQ(h, 5u);

    const std::string whole = (dir / "whole.png").string();
    ASSERT_EQ(b.WritePNG(whole.c_str()), noErr);
    ASSERT_TRUE(PNGSize(whole, &w, &h));
    EXPECT_EQ(w, 40u);
    EXPECT_EQ(h, 20u);
    KsRect outside{100, 100, 200, 200};
    EXPECT_EQ(b.WritePNG(whole.c_str(), &outside), paramErr);
    EXPECT_EQ(b.WritePNG(nullptr), paramErr);
    EXPECT_NE(b.WritePNG("/nonexistent-dir/x.png"), noErr);
}

TEST(BackendHeadless, KeepsClipboardCursorTitleAndBeeps) {
    KsHeadlessBackend b;
    EXPECT_EQ(b.GetClipboardText(), "");
    b.SetClipboardText("caf\xC3\xA9");
    EXPECT_EQ(b.GetClipboardText(), "caf\xC3\xA9");
    KsCursorImage c{};
    c.data[0] = 0x8000;
    c.hotSpot = {1, 2};
    b.SetCursor(c);
    EXPECT_TRUE(b.HasCustomCursor());
    EXPECT_EQ(b.CursorImage().hotSpot.h, 2);
    b.SetStandardCursor(KsStandardCursor::watch);
    EXPECT_FALSE(b.HasCustomCursor());
    EXPECT_EQ(b.StandardCursor(), KsStandardCursor::watch);
    b.SetTitle("Demo");
    EXPECT_EQ(b.Title(), "Demo");
    b.SetTitle(nullptr);
    EXPECT_EQ(b.Title(), "");
    b.Beep(5);
    EXPECT_EQ(b.BeepCount(), 1);
}

TEST(BackendHeadless, ChoiceFollowsKS_BACKEND) {
    const char* saved = std::getenv("KS_BACKEND");
    std::string keep = saved ? saved : "";
    setenv("KS_BACKEND", "headless", 1);
    EXPECT_STREQ(KsBackendChoose()->Name(), "headless");
    // Without a display nothing else can be chosen.
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (!(display && *display) && !(wayland && *wayland)) {
        unsetenv("KS_BACKEND");
        EXPECT_STREQ(KsBackendChoose()->Name(), "headless");
        setenv("KS_BACKEND", "sdl", 1); // asked for, cannot start: headless
        EXPECT_STREQ(KsBackendChoose()->Name(), "headless");
    }
    if (saved)
        setenv("KS_BACKEND", keep.c_str(), 1);
    else
        unsetenv("KS_BACKEND");
}
