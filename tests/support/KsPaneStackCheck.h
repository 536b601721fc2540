// Checks of a pane stack's row invariants, for tests that drive a stack
// through random or scripted operations.
#pragma once

#include "APaneStack.h"
#include "AScrollablePane.h"
#include "AStackPane.h"

#include <gtest/gtest.h>

#include <sstream>

// Stack panes contiguous from the top of the landscape, each a whole number
// of rows (one closed, GetHeightMultiple open); their rows add up to the
// total; the landscape is rows × row height; the position is whole rows
// within the range.
inline ::testing::AssertionResult StackInvariantsHold(const APaneStack* s) {
    const AScrollablePane* main = s->GetMainPane();
    if (!main) return ::testing::AssertionFailure() << "no scrollable pane";
    const SInt32 r = s->GetRowHeight();
    SInt32 pos = 0, ymax = 0;
    main->GetYinfo(&pos, nullptr, &ymax);
    SInt32 rows = 0;
    const SInt32 top0 = main->GetInterior().top - pos;
    for (SInt32 i = 1; i <= s->CountStackPanes(); ++i) {
        const AStackPane* p = s->GetStackPane(i);
        if (!p) return ::testing::AssertionFailure() << "sub-pane " << i << " is no stack pane";
        const KsPoint tl = p->GetLogicalTopLeft();
        const SInt32 want = p->IsOpen() ? p->GetHeightMultiple() : 1;
        if (tl.v != top0 + rows * r || p->GetBounds().Height() != want * r)
            return ::testing::AssertionFailure()
                   << "pane " << i << " at " << tl.v << " height " << p->GetBounds().Height()
                   << ", expected at " << top0 + rows * r << " height " << want * r;
        rows += want;
    }
    if (rows != s->GetTotalItems())
        return ::testing::AssertionFailure()
               << "rows " << rows << " != totalItems " << s->GetTotalItems();
    if (ymax != rows * r)
        return ::testing::AssertionFailure() << "range " << ymax << " != " << rows * r;
    const SInt32 maxPos = std::max<SInt32>(0, (rows - s->GetVisibleItems()) * r);
    if (pos % r != 0 || pos < 0 || pos > maxPos)
        return ::testing::AssertionFailure()
               << "position " << pos << " is not whole rows in 0.." << maxPos;
    return ::testing::AssertionSuccess();
}
