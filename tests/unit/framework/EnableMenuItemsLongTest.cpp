// EnableMenuItems reads every argument at its full width: callers pass long.
#include "BartenderTestSupport.h"

TEST_F(BartenderFixture, EnableMenuItemsReadsLongArguments) {
    MenuHandle a = MakeMenu(300, {2001, 2002, 2003});
    for (long n : {2001L, 2002L, 2003L})
        bar_->DisableMenuItem(n);
    // Read as int, the first would be 2002 and the second would end the list.
    const long lowHalfIsANick = (1L << 32) + 2002, lowHalfIsZero = 1L << 32;
    bar_->EnableMenuItems(2001L, lowHalfIsANick, lowHalfIsZero, 2003L, 0L);
    EXPECT_TRUE(IsMenuItemEnabled(a, 1));
    EXPECT_FALSE(IsMenuItemEnabled(a, 2));
    EXPECT_TRUE(IsMenuItemEnabled(a, 3));
}
