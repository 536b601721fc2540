// A headless desktop, the virtual clock and an empty menu list for the tests
// of menu drawing and tracking; helpers to script a press-drag-release and to
// read desktop pixels.
#pragma once

#include "KsHeadlessDesk.h"
#include "KsMenuDef.h"
#include "MenuBarPrivate.h"
#include "MenuTestSupport.h"

#include <memory>
#include <vector>

class MenuDeskTest : public MenuFixture {
protected:
    void SetUpDesk(SInt32 width, SInt32 height) {
        desk_ = std::make_unique<HeadlessDesk>(width, height, DeskWith::eventsOnly);
        backend = desk_->backend;
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
        desk_.reset();
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

    static UInt32 Pixel(SInt32 h, SInt32 v) { return DesktopPixel(h, v); }
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
    std::unique_ptr<HeadlessDesk> desk_;
};
