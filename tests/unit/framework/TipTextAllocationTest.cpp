// Moving the pointer from control to control asks for each one's tip, and the
// tip takes the new text: once the longest text has been shown, texts of any
// length, short and long by turns, are taken without allocating.
#include "AllocationCount.h"
#include "GadgetTestSupport.h"
#include "KsAppRouting.h"
#include "MiniHelp.h"

#include <string>
#include <vector>

namespace {

TEST_F(GadgetTest, TipsOfDifferingLengthsAllocateNothingOnceWarm) {
    ASSERT_GE(AllocationsSoFar(), 0) << "the allocation counter is not installed";
    const bool tips = GetMiniHelpEnabled();
    SetMiniHelpEnabled(true);
    // Short and long tips by turns along a row, each one different.
    std::vector<Point> walk;
    for (SInt16 k = 0; k < 6; ++k) {
        AGadget* g = Add(SInt16(10 + 90 * k), 10);
        const std::string tip =
            std::string(k % 2 ? 40u + 7u * unsigned(k) : 3u + unsigned(k), char('a' + k));
        g->SetHelpText(tip.c_str());
        walk.push_back(Global(g));
        walk.push_back(Global(main, 0, 100)); // between the rows: no tip
    }
    for (const Point& p : walk) // the tip is made and takes the longest text
        KsRouteMouseMove(app, p);
    MiniHelpWindow* tip = MiniHelpWindow::Get();
    ASSERT_NE(tip, nullptr) << "the walk asked for tips";
    const long before = AllocationsSoFar();
    for (int pass = 0; pass < 3; ++pass)
        for (const Point& p : walk)
            KsRouteMouseMove(app, p);
    EXPECT_EQ(AllocationsSoFar() - before, 0);
    tip->Dispose();
    SetMiniHelpEnabled(tips);
}

} // namespace
