// The grid's scans answer what the plain scan of the same array answers, for
// every point and range: a grid of controls, scattered overlapping rectangles
// with large ones among them, and rectangles reaching everywhere or nowhere.
// The bits of the rectangles holding a point agree with both scans, and with
// the scan in whole fours over the array padded with nowhere.
#include "KsRectGrid.h"
#include "KsPointScan.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<KsRect> Layout(int kind, int n) {
    std::vector<KsRect> r;
    UInt32 s = UInt32(kind) * 7919 + 1;
    const auto next = [&](SInt32 m) { return SInt32((s = s * 1103515245 + 12345) >> 8) % m; };
    for (int i = 0; i < n; ++i) {
        const SInt32 x = next(600) - 50, y = next(400) - 50, c = i % 20, row = i / 20;
        if (kind == 0)
            r.push_back({8 + 30 * c, 8 + 20 * row, 32 + 30 * c, 22 + 20 * row});
        else if (kind == 1)
            r.push_back({x, y, x + 1 + next(i % 9 ? 40 : 400), y + 1 + next(40)});
        else
            r.push_back(i % 17 == 3   ? kKsRectEverywhere
                        : i % 13 == 5 ? kKsRectNowhere
                                      : KsRect{x, y, x + next(3), y + next(30)});
    }
    return r;
}

TEST(KsRectGrid, ScansAnswerAsThePlainScan) {
    for (const int kind : {0, 1, 2})
        for (const int n : {3, 10, 40, 64, 300}) {
            const std::vector<KsRect> r = Layout(kind, n);
            std::vector<KsRect> padded = r; // for the scan in whole fours
            while (padded.size() % 4 != 0)
                padded.push_back(kKsRectNowhere);
            KsRectGrid grid;
            grid.Build(r.data(), SInt32(r.size()));
            ASSERT_EQ(grid.On(), n >= KsRectGrid::kMinRects);
            int mismatches = 0;
            for (SInt32 v = -60; v < 460; v += 3)
                for (SInt32 h = -60; h < 660; h += 3)
                    for (const SInt32 k : {n, n / 2, 1}) {
                        const KsPointScan scan({h, v});
                        if (k <= 64)
                            mismatches +=
                                scan.HoldingInFours(padded.data(), k) != scan.Holding(r.data(), k);
                        if (!grid.On()) continue;
                        mismatches += grid.Last(r.data(), {h, v}, k) != scan.Last(r.data(), k) ||
                                      grid.First(r.data(), {h, v}, n - k + 1, n) !=
                                          scan.First(r.data(), n - k + 1, n);
                        if (k > 64) continue;
                        const UInt64 bits = scan.Holding(r.data(), k);
                        mismatches +=
                            grid.Holding(r.data(), {h, v}, k) != bits ||
                            (bits ? 64 - __builtin_clzll(bits) : 0) != scan.Last(r.data(), k) ||
                            (bits ? 1 + __builtin_ctzll(bits) : 0) != scan.First(r.data(), 1, k);
                    }
            EXPECT_EQ(mismatches, 0) << "layout " << kind << ", " << n << " rectangles";
        }
}

// Rectangles that overlap much would fill the cells quadratically: the grid
// stays off and the plain scan serves.
TEST(KsRectGrid, RectanglesOverlappingMuchLeaveTheGridOff) {
    std::vector<KsRect> r;
    for (SInt32 i = 0; i < 200; ++i)
        r.push_back({2 * i, 2 * i, 150 + 2 * i, 120 + 2 * i});
    KsRectGrid grid;
    grid.Build(r.data(), SInt32(r.size()));
    EXPECT_FALSE(grid.On());
}

} // namespace
