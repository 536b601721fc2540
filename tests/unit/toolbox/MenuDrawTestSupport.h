// A headless desktop, the virtual clock and an empty menu list for the tests
// of menu drawing and tracking; helpers to script a press-drag-release and to
// read desktop pixels.
#pragma once

#include "Events.h"
#include "EventsPrivate.h"
#include "KsDesktop.h"
#include "KsHeadlessBackend.h"
#include "KsMenuDef.h"
#include "KsTime.h"
#include "MenuBarPrivate.h"
#include "MenuTestSupport.h"

#include <memory>
#include <vector>

class MenuDeskTest : public MenuFixture {
protected:
    void SetUpDesk(SInt32 width, SInt32 height) {
        KsUseVirtualClock(true);
        auto headless = std::make_unique<KsHeadlessBackend>(width, height);
        backend = headless.get();
        previous_ = KsInstallBackend(std::move(headless));
        KsResetEvents();
        ASSERT_NE(KsDesktopInit(), nullptr);
        KsEnsureMenuDrawing(); // before any menu is sized
        KsSetMenuTrackTiming(KsMenuTrackTiming{});
        t = KsGetTicks();
    }
    void SetUp() override { SetUpDesk(400, 300); }
    void TearDown() override {
        HiliteMenu(0);
        MenuFixture::TearDown();
        KsDesktopDispose();
        KsResetEvents();
        KsInstallBackend(std::move(previous_));
        KsUseVirtualClock(false);
    }

    // The press that starts tracking, taken off the queue as the event loop
    // would before calling MenuSelect.
    Point Press(SInt32 h, SInt32 v) {
        backend->ScriptPress(t, h, v);
        EventRecord e{};
        EXPECT_TRUE(GetNextEvent(mDownMask, &e));
        return e.where;
    }
    void MoveAfter(long ticks, SInt32 h, SInt32 v) {
        t += ticks;
        backend->ScriptMove(t, h, v);
    }
    void ReleaseAfter(long ticks, SInt32 h, SInt32 v) {
        t += ticks;
        backend->ScriptRelease(t, h, v);
    }

    static UInt32 Pixel(SInt32 h, SInt32 v) {
        pixman_image_t* image = KsGetDesktopPort()->surface->image;
        const auto* data = reinterpret_cast<const UInt32*>(pixman_image_get_data(image));
        return data[v * (pixman_image_get_stride(image) / 4) + h] & 0xFFFFFF;
    }
    static UInt32 Rgb(const RGBColor& c) { return KsPixelOf(c) & 0xFFFFFF; }
    static std::vector<UInt32> Snapshot() {
        pixman_image_t* image = KsGetDesktopPort()->surface->image;
        std::vector<UInt32> out;
        for (SInt32 v = 0; v < pixman_image_get_height(image); ++v)
            for (SInt32 h = 0; h < pixman_image_get_width(image); ++h)
                out.push_back(Pixel(h, v));
        return out;
    }
    static Rect Title(MenuID id) {
        Rect r{};
        EXPECT_TRUE(KsGetMenuTitleRect(id, &r));
        return r;
    }
    // The vertical centre of item `item` of a menu pulled down from the bar.
    static SInt16 ItemV(MenuItemIndex item) {
        return static_cast<SInt16>(21 + (item - 1) * KsMenuLineHeight() + KsMenuLineHeight() / 2);
    }

    KsHeadlessBackend* backend = nullptr;
    long t = 0;

private:
    std::unique_ptr<KsBackend> previous_;
};
