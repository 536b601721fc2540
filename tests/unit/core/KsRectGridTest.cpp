// The grid's scans answer what the plain scan of the same array answers, for
// every point and every range: layouts of many small rectangles, overlapping
// and nested ones, ones reaching everywhere or nowhere, and a short array the
// grid leaves alone.
#include "KsRectGrid.h"
#include "KsPointScan.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

struct Rng {
    std::uint64_t s;
    SInt32 Next(SInt32 n) {
        s = s * 6364136223846793005ULL + 1442695040888963407ULL;
        return SInt32((s >> 33) % std::uint64_t(n));
    }
};

std::vector<KsRect> Layout(int kind, int n) {
    Rng rng{std::uint64_t(kind) * 7919 + 1};
    std::vector<KsRect> r;
    for (int i = 0; i < n; ++i) {
        const SInt32 x = rng.Next(600) - 50, y = rng.Next(400) - 50;
        switch (kind) {
        case 0: // a grid of controls with gaps
            r.push_back({8 + 30 * (i % 20), 8 + 20 * (i / 20), 8 + 30 * (i % 20) + 24,
                         8 + 20 * (i / 20) + 14});
            break;
        case 1: // scattered and overlapping, some large
            r.push_back({x, y, x + 1 + rng.Next(i % 9 == 0 ? 400 : 40), y + 1 + rng.Next(40)});
            break;
        default: // everywhere, nowhere, points and lines among the rest
            if (i % 17 == 3)
                r.push_back(kKsRectEverywhere);
            else if (i % 13 == 5)
                r.push_back(kKsRectNowhere);
            else
                r.push_back({x, y, x + rng.Next(3), y + rng.Next(30)});
        }
    }
    return r;
}

TEST(KsRectGrid, ScansAnswerAsThePlainScan) {
    for (const int kind : {0, 1, 2})
        for (const int n : {10, 64, 300}) {
            SCOPED_TRACE("layout " + std::to_string(kind) + ", " + std::to_string(n) + " rects");
            const std::vector<KsRect> r = Layout(kind, n);
            KsRectGrid grid;
            grid.Build(r.data(), SInt32(r.size()));
            EXPECT_EQ(grid.On(), n >= KsRectGrid::kMinRects);
            if (!grid.On()) continue;
            int mismatches = 0;
            for (SInt32 v = -60; v < 460; v += 3)
                for (SInt32 h = -60; h < 660; h += 3)
                    for (const SInt32 k : {n, n / 2, 1}) {
                        const KsPointScan scan({h, v});
                        mismatches += grid.Last(r.data(), {h, v}, k) != scan.Last(r.data(), k) ||
                                      grid.First(r.data(), {h, v}, n - k + 1, n) !=
                                          scan.First(r.data(), n - k + 1, n);
                    }
            EXPECT_EQ(mismatches, 0);
        }
}

} // namespace
