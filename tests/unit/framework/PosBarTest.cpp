// The position bar: positions to pixels and back, the tick step at each
// scale, tick and bar pixels, clicks and drags through the callback, and the
// marks.
#include "MediaTestSupport.h"
#include "PaneStream.h"
#include "PaneTextTestSupport.h"
#include "PosBarPane.h"

#include <cmath>

namespace {

std::vector<SInt32>& Reported() {
    static std::vector<SInt32> positions;
    return positions;
}
void Record(SInt32 pos, void*) {
    Reported().push_back(pos);
}

// A bar at (20, 20) in the window, 320 x 30, no border: the track runs from
// x 30 to 330.
class PosBarTest : public MediaTest {
protected:
    void SetUp() override {
        MediaTest::SetUp();
        Reported().clear();
        bar = PosBarPane::New(main, 20, S, 320, 20, S, 30, RGBgray12, 0);
        bar->SetPosCallback(Record, nullptr);
        bar->SetLength(900); // 30 s at 30 frames a second: 10 pixels a second
        Redraw();
    }
    static constexpr SInt32 kLeft = 30, kRight = 330, kTop = 20, kBottom = 50;
    PosBarPane* bar = nullptr;
};

TEST_F(PosBarTest, MapsPositionsOntoTheTrackAndBack) {
    const struct {
        SInt32 x, pos;
    } cases[] = {{kLeft, 0}, {kRight, 900}, {180, 450}, {kRight + 70, 900}, {0, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(bar->XToPos(c.x), c.pos) << c.x;
        EXPECT_EQ(bar->PosToX(c.pos), std::clamp(c.x, kLeft, kRight)) << c.pos;
    }
    for (SInt32 x = kLeft; x <= kRight; ++x)
        EXPECT_LE(std::abs(bar->PosToX(bar->XToPos(x)) - x), 1) << x;
    bar->SetLength(100); // fewer frames than pixels: every frame has its pixel
    for (SInt32 p = 0; p <= 100; ++p)
        EXPECT_EQ(bar->XToPos(bar->PosToX(p)), p) << p;
}

TEST_F(PosBarTest, TickStepFollowsThePixelsASecond) {
    const struct {
        SInt32 length;
        double fps;
        SInt32 step;
    } cases[] = {
        {900, 30, 1},              // 10 pixels a second
        {9000, 30, 10},            // 1
        {90000, 30, 60},           // 0.1
        {900000, 30, 600},         // 0.01
        {0x7FFFFFFF, 1, 60000000}, // widened until ticks are a pixel apart
        {15, 30, 1},               // half a second
        {0, 30, 0},
    };
    for (const auto& c : cases) {
        bar->SetLength(c.length);
        ASSERT_TRUE(bar->SetFramesPerSec(c.fps));
        EXPECT_EQ(bar->TickStep(), c.step) << c.length;
        Redraw(); // draws without failing, whatever the scale
    }
    for (double bad : {0.0, -25.0, std::nan("")})
        EXPECT_FALSE(bar->SetFramesPerSec(bad));
    EXPECT_EQ(bar->GetFramesPerSec(), 30.0);
}

TEST_F(PosBarTest, TicksEverySecondTallerEveryTenAndAtMinutes) {
    const UInt32 ink = 0x000000, paper = Px(kLeft + 5, kTop + 10);
    for (SInt32 s = 0; s <= 30; ++s) {
        const SInt32 x = kLeft + 10 * s;
        EXPECT_EQ(Px(x, kBottom - 1), ink) << s;
        EXPECT_EQ(Px(x + 5, kBottom - 1), paper) << s;
        EXPECT_EQ(Px(x, kTop), s % 10 == 0 ? ink : paper) << s;
        EXPECT_EQ(Px(x, kBottom - 6), s == 0 ? ink : paper) << s; // 6 high at 0 only
    }
    bar->SetLength(15); // half a second: the tick at 0 and no other
    Redraw();
    EXPECT_EQ(Px(kLeft, kBottom - 1), ink);
    for (SInt32 x = kLeft + 1; x <= kRight; ++x)
        ASSERT_EQ(Px(x, kBottom - 1), paper) << x;
}

TEST_F(PosBarTest, TheBlueBarMovesAndLeavesTheTrackAsItWas) {
    const UInt32 paper = Px(kLeft + 5, kTop + 10);
    bar->UpdatePos(450);
    EXPECT_EQ(Px(180, kTop + 10), 0x0030FFu);
    bar->UpdatePos(0);
    EXPECT_EQ(Px(180, kTop + 10), paper);
    EXPECT_EQ(Px(kLeft, kTop + 10), 0x0030FFu);
    bar->SetLength(300); // below the position: the position follows
    bar->UpdatePos(900);
    EXPECT_EQ(bar->GetPos(), 300);
}

TEST_F(PosBarTest, ClicksAndDragsReportEachNewPosition) {
    Drag({kLeft, 30}, {{kLeft + 30, 30}, {kLeft + 60, 31}, {kLeft + 60, 35}, {kRight + 70, 30}});
    EXPECT_EQ(Reported(), (std::vector<SInt32>{0, 90, 180, 900}));
    EXPECT_EQ(bar->GetPos(), 900);
    bar->SetDisplayOnly(true);
    Drag({kLeft, 30}, {});
    EXPECT_EQ(bar->GetPos(), 900);
}

TEST_F(PosBarTest, MarksAreSetClearedClickedAndOptionDragged) {
    bar->SetMark(300, PosBarPane::kInMark);
    bar->SetMark(0, PosBarPane::kOutMark);
    EXPECT_THROW(bar->SetMark(10, 7), XError);
    Redraw();
    // A click on an out mark at 0 goes to frame 0, never -1.
    Drag({kLeft + 2, kTop + 3}, {});
    EXPECT_EQ(bar->GetPos(), 0);
    bar->SetMark(600, PosBarPane::kOutMark);
    Redraw();
    Drag({kLeft + 202, kTop + 3}, {});
    EXPECT_EQ(bar->GetPos(), 599);
    // Option-dragging the in mark moves it and leaves the position alone.
    Reported().clear();
    Drag({kLeft + 98, kTop + 3}, {{kLeft + 120, kTop + 3}, {kLeft + 130, kTop + 4}}, kKsKeyOption);
    EXPECT_EQ(bar->GetMark(PosBarPane::kInMark), 390);
    EXPECT_EQ(bar->GetPos(), 599);
    EXPECT_TRUE(Reported().empty());
    bar->SetMark(-2, PosBarPane::kInMark);
    EXPECT_EQ(bar->GetMark(PosBarPane::kInMark), -1);
}

TEST_F(PosBarTest, ATrackNarrowerThanAPixelMapsToItsLeftEnd) {
    PosBarPane* narrow = PosBarPane::New(main, 20, S, 15, 60, S, 20, RGBgray12, 0);
    narrow->SetLength(900);
    Redraw();
    EXPECT_EQ(narrow->XToPos(25), 0);
    EXPECT_EQ(narrow->PosToX(450), 30);
    EXPECT_EQ(narrow->TickStep(), 0);
    Drag({27, 65}, {{30, 65}});
    EXPECT_EQ(narrow->GetPos(), 0);
}

TEST_F(PosBarTest, TravelsThroughPaneTextAndStreams) {
    bar->SetFramesPerSec(25.0);
    bar->SetMark(100, PosBarPane::kInMark);
    const std::string text = WritePaneText(bar);
    panetext_test::PaneTree read(ReadPaneText(text.data(), long(text.size()), nullptr, nullptr));
    auto* fromText = dynamic_cast<PosBarPane*>(read.root);
    ASSERT_NE(fromText, nullptr);
    EXPECT_EQ(fromText->GetLength(), 900);
    EXPECT_EQ(fromText->GetFramesPerSec(), 25.0);
    panetext_test::PaneTree copy(dynamic_cast<APane*>(bar->Copy()));
    auto* copied = dynamic_cast<PosBarPane*>(copy.root);
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->GetMark(PosBarPane::kInMark), 100);
    EXPECT_EQ(copied->GetFramesPerSec(), 25.0);
}

} // namespace
