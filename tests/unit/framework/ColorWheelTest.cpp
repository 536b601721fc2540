// The colour wheel: value to position and back within a pixel, its
// fixed cases, hit testing at its edges, drags, bounds on every index, a
// wheel with no room, and the disc's pixels at both backing scales.
#include "AColorWheel.h"
#include "MediaTestSupport.h"
#include "PaneStream.h"
#include "PaneTextTestSupport.h"

#include <random>

namespace {

std::vector<CWchange_t>& Changes() {
    static std::vector<CWchange_t> changes;
    return changes;
}
void RecordChange(AColorWheel*, CWchange_t change) {
    Changes().push_back(change);
}

// A 200 x 200 wheel at (20, 20), margin 20: R = 80 about (120, 120).
class ColorWheelTest : public MediaTest {
protected:
    void SetUp() override {
        MediaTest::SetUp();
        Changes().clear();
        wheel = AColorWheel::New(main, 20, S, 200, 20, S, 200, RGBgray12, 0);
        wheel->SetValChangedProc(RecordChange);
        Redraw();
    }
    CWPoint ValuesOf(SInt16 i) const {
        CWPoint p;
        EXPECT_TRUE(wheel->GetCWPoint(i, &p));
        return p;
    }
    AColorWheel* wheel = nullptr;
};

TEST_F(ColorWheelTest, ValueToPositionAndBackStaysWithinAPixel) {
    const CWGeometry g = wheel->Geometry();
    ASSERT_EQ(g.R, 80.0);
    std::mt19937 rng(24);
    std::uniform_real_distribution<double> value(0.0, 255.0);
    for (int i = 0; i < 2000; ++i) {
        const double a = value(rng), r = value(rng);
        const KsPoint first = g.ValueToOffset(a, r);
        double a2 = 0, r2 = 0;
        g.OffsetToValue(first.h, first.v, &a2, &r2, nullptr);
        ASSERT_GE(a2, 0.0);
        ASSERT_LT(a2, 255.0);
        const KsPoint again = g.ValueToOffset(a2, r2);
        ASSERT_LE(std::abs(again.h - first.h), 1) << a << " " << r;
        ASSERT_LE(std::abs(again.v - first.v), 1) << a << " " << r;
    }
}

TEST_F(ColorWheelTest, PointsAreClampedPlacedAndLimitedToTwelve) {
    EXPECT_EQ(wheel->AddPoint(0, 255), 0);
    // Angle 0 at full radius sits on the rim 1.92568 rad counter-clockwise.
    EXPECT_EQ(wheel->PointPosition(0), (KsPoint{120 - 27, 120 - 75}));
    EXPECT_EQ(wheel->AddPoint(300, 300), 1);
    EXPECT_EQ(ValuesOf(1).angle, 255.0);
    EXPECT_EQ(ValuesOf(1).radius, 255.0);
    while (wheel->GetNumPoints() < AColorWheel::kMaxPoints)
        wheel->AddPoint(10, 10);
    EXPECT_EQ(wheel->AddPoint(10, 10), -1);
    EXPECT_EQ(wheel->GetNumPoints(), 12);
}

TEST_F(ColorWheelTest, EveryIndexIsBoundedAndNoPointsMeansNoClick) {
    CWPoint p;
    EXPECT_FALSE(wheel->GetCWPoint(0, &p));
    Drag({120, 120}, {{130, 130}});
    EXPECT_TRUE(Changes().empty());
    for (int i = 0; i < 3; ++i)
        wheel->AddPoint(10.0 * i, 100);
    for (SInt16 bad : {SInt16(-1), SInt16(3), SInt16(12), SInt16(400)}) {
        EXPECT_FALSE(wheel->GetCWPoint(bad, &p)) << bad;
        EXPECT_FALSE(wheel->SetCWPoint(bad, p, true)) << bad;
        EXPECT_FALSE(wheel->SetPointActive(bad, true)) << bad;
        EXPECT_FALSE(wheel->HasValueRefCon(bad)) << bad;
    }
    EXPECT_TRUE(Changes().empty());
}

TEST_F(ColorWheelTest, HitsWithinFivePixelsEitherWay) {
    wheel->AddPoint(40, 200);
    const KsPoint at = wheel->PointPosition(0);
    const struct {
        SInt32 dh, dv;
        bool hit;
    } cases[] = {{0, 0, true},  {5, 5, true},  {-5, -5, true}, {5, -5, true},
                 {6, 0, false}, {0, 6, false}, {-6, 0, false}, {0, -6, false}};
    for (const auto& c : cases)
        EXPECT_EQ(wheel->HitPoint({at.h + c.dh, at.v + c.dv}), c.hit ? 0 : -1)
            << c.dh << "," << c.dv;
}

TEST_F(ColorWheelTest, DraggingMovesThePointAndWrapsThroughZero) {
    wheel->AddPoint(0, 128);
    wheel->AddPoint(5, 255);
    const CWGeometry g = wheel->Geometry();
    const struct {
        SInt16 point;
        double angle, radius;
    } cases[] = {{0, 64, 200}, {1, 250, 255}, {0, 128, 60}};
    for (const auto& c : cases) {
        Changes().clear();
        const KsPoint from = wheel->PointPosition(c.point);
        const KsPoint o = g.ValueToOffset(c.angle, c.radius);
        const KsPoint to{120 + o.h, 120 + o.v};
        Drag(from, {{from.h + 3, from.v}, to});
        EXPECT_EQ(wheel->GetActivePoint(), c.point);
        const KsPoint now = wheel->PointPosition(c.point);
        EXPECT_LE(std::abs(now.h - to.h), 1);
        EXPECT_LE(std::abs(now.v - to.v), 1);
        EXPECT_NEAR(ValuesOf(c.point).angle, c.angle, 2.5) << c.angle;
        ASSERT_FALSE(Changes().empty());
        EXPECT_EQ(Changes().back(), kCWPointMoved);
    }
    EXPECT_FALSE(wheel->IsFirstProcPass());
}

TEST_F(ColorWheelTest, ShiftMovesAQuarterOfTheMouse) {
    wheel->AddPoint(0, 0); // the centre
    Drag({120, 120}, {{122, 120}, {122 + 40, 120}}, kKsKeyShift);
    EXPECT_NEAR(wheel->PointPosition(0).h, 120 + 10, 1);
}

TEST_F(ColorWheelTest, AWheelWithNoRoomHitsNothingAndDividesByNothing) {
    AColorWheel* tiny = AColorWheel::New(main, 250, S, 30, 20, S, 30, RGBgray12, 0);
    tiny->AddPoint(100, 200);
    Redraw();
    EXPECT_LE(tiny->Geometry().R, 0.0);
    EXPECT_EQ(tiny->PointPosition(0), tiny->Center());
    EXPECT_EQ(tiny->HitPoint(tiny->Center()), -1);
    double a = -1, r = -1;
    EXPECT_FALSE(tiny->Geometry().OffsetToValue(3, 4, &a, &r, nullptr));
    EXPECT_EQ(a, 0.0);
    EXPECT_EQ(r, 0.0);
    Drag(tiny->Center(), {{tiny->Center().h + 4, tiny->Center().v}});
    CWPoint p;
    ASSERT_TRUE(tiny->GetCWPoint(0, &p));
    EXPECT_EQ(p.angle, 100.0);
    EXPECT_EQ(p.radius, 200.0);
}

TEST_F(ColorWheelTest, TravelsThroughPaneTextAndStreams) {
    wheel->SetRanges(360, 100);
    wheel->AddPoint(90, 50);
    wheel->AddPoint(270, 100);
    const std::string text = WritePaneText(wheel);
    panetext_test::PaneTree read(ReadPaneText(text.data(), long(text.size()), nullptr, nullptr));
    EXPECT_NE(dynamic_cast<AColorWheel*>(read.root), nullptr);
    panetext_test::PaneTree copy(dynamic_cast<APane*>(wheel->Copy()));
    auto* copied = dynamic_cast<AColorWheel*>(copy.root);
    ASSERT_NE(copied, nullptr);
    ASSERT_EQ(copied->GetNumPoints(), 2);
    CWPoint p;
    ASSERT_TRUE(copied->GetCWPoint(1, &p));
    EXPECT_EQ(p.angle, 270.0);
    EXPECT_EQ(p.radius, 100.0);
}

// The disc on a 41 x 41 port, R 15.75 about (20, 20), at scales 1 and 2.
TEST(ColorWheelDisc, IsSmoothAndAgreesAcrossScales) {
    CWGeometry g;
    g.R = 15.75;
    const UInt32 bg = 0x808080;
    auto channel = [](UInt32 px, int shift) { return int((px >> shift) & 0xFF); };
    UInt32 atScale1[41][41] = {};
    for (int scale : {1, 2}) {
        SCOPED_TRACE(scale);
        TinyPort port(41, 41, scale);
        CWPaintDisc(port.port, g, KsPoint{20, 20}, bg);
        auto logical = [&](int h, int v) { return DevicePixel(port.port, h * scale, v * scale); };
        EXPECT_EQ(logical(0, 0), bg);
        EXPECT_EQ(logical(40, 20), bg);
        for (int shift : {0, 8, 16})
            EXPECT_GE(channel(logical(20, 20), shift), 0xF0); // no saturation at the centre
        // Hue 0 lies in the direction of angle 0: red.
        const KsPoint o = g.ValueToOffset(0, 200);
        const UInt32 red = logical(20 + o.h, 20 + o.v);
        EXPECT_EQ(channel(red, 16), 0xFF);
        EXPECT_LT(channel(red, 8), 0x80);
        // Outward along the centre row the last disc pixel is part covered:
        // some channel lies strictly between its inner neighbour and the
        // background.
        const int row = 20 * scale;
        int edge = 20 * scale;
        while (DevicePixel(port.port, edge + 1, row) != bg)
            ++edge;
        const UInt32 rim = DevicePixel(port.port, edge, row);
        const UInt32 inner = DevicePixel(port.port, edge - 1, row);
        bool between = false;
        for (int shift : {0, 8, 16}) {
            const int lo = std::min(channel(inner, shift), 0x80),
                      hi = std::max(channel(inner, shift), 0x80);
            between = between || (channel(rim, shift) > lo && channel(rim, shift) < hi);
        }
        EXPECT_TRUE(between) << std::hex << inner << " " << rim;
        for (int v = 6; v < 35; v += 3)
            for (int h = 6; h < 35; h += 3) {
                if (std::hypot(h + 0.5 - 20, v + 0.5 - 20) > 14) continue; // the rim differs
                if (scale == 1) {
                    atScale1[h][v] = logical(h, v);
                    continue;
                }
                for (int shift : {0, 8, 16})
                    EXPECT_NEAR(channel(logical(h, v), shift), channel(atScale1[h][v], shift), 24)
                        << h << "," << v;
            }
    }
}

} // namespace
