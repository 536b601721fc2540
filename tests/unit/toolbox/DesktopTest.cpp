#include "AScreenManOS.h"
#include "KsBackend.h"
#include "KsDesktop.h"
#include "KsPixels.h"
#include "KsPortPrivate.h"

#include <gtest/gtest.h>

TEST(Desktop, CoversTheScreensAndRegistersForPresentation) {
    auto previous = KsInstallBackend(KsNewHeadlessBackend(320, 200));
    GrafPtr port = KsDesktopInit();
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(KsDesktopInit(), port); // made once
    Rect b = KsDesktopBounds();
    EXPECT_EQ(b.right - b.left, 320);
    EXPECT_EQ(b.bottom - b.top, 200);
    // The core's screen manager now sees the back end's screens.
    EXPECT_EQ(AScreenManOS::New()->GetMainScreenBounds(), (KsRect{0, 0, 320, 200}));
    AScreenManOS::Dispose();
    // The whole desktop starts in the desktop colour and is waiting to be shown.
    RGBColor c = KsGetDesktopColor();
    EXPECT_EQ(DevicePixel(port, 319, 199), KsPixelOf(c) & 0xFFFFFF);
    EXPECT_FALSE(port->surface->damage.IsEmpty());
    KsPresentDesktop();
    EXPECT_TRUE(port->surface->damage.IsEmpty());
    KsDesktopDispose();
    EXPECT_EQ(KsGetDesktopPort(), nullptr);
    KsInstallBackend(std::move(previous));
}
