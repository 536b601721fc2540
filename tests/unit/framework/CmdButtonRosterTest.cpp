// The roster of command buttons: lookups by nick and position in the run,
// after renames and removals, without ever answering a removed button.
#include "CmdButtonPrivate.h"

#include <gtest/gtest.h>

namespace {

// The roster only compares the pointers; these stand for buttons.
CmdButton* B(int i) {
    static char slots[8];
    return reinterpret_cast<CmdButton*>(&slots[i]);
}

struct FindCase {
    SInt32 n, nick;
    int want; // index into B, -1 for none
};

void ExpectFinds(CmdButtonRoster& r, std::initializer_list<FindCase> cases) {
    for (const FindCase& c : cases)
        EXPECT_EQ(r.Find(c.n, c.nick), c.want < 0 ? nullptr : B(c.want))
            << "n " << c.n << " nick " << c.nick;
}

TEST(CmdButtonRoster, FindsTheRunOfANickInConstructionOrder) {
    CmdButtonRoster r;
    EXPECT_EQ(r.Find(0, 2000), nullptr); // no button at all
    r.Add(B(0), 2002);
    r.Add(B(1), 2000);
    r.Add(B(2), 2001);
    r.Add(B(3), 2000);
    ExpectFinds(r, {{0, 2000, 1},
                    {1, 2000, 3},
                    {2, 2000, -1},
                    {0, 2001, 2},
                    {1, 2001, -1},
                    {0, 2002, 0},
                    {0, 1999, -1},
                    {0, 2003, -1},
                    {-1, 2001, -1}});
}

TEST(CmdButtonRoster, RenamesAndRemovalsTakeEffectOnTheNextLookup) {
    CmdButtonRoster r;
    for (int i = 0; i < 4; ++i)
        r.Add(B(i), 2000 + i);
    ExpectFinds(r, {{0, 2001, 1}}); // sorts
    ASSERT_TRUE(r.IsSorted());
    r.Renick(B(3), 2001);
    r.Renick(B(1), 2005);
    EXPECT_FALSE(r.IsSorted());
    ExpectFinds(r, {{0, 2001, 3}, {1, 2001, -1}, {0, 2005, 1}, {0, 2003, -1}});
    r.Remove(B(3));
    r.Remove(B(0));
    EXPECT_EQ(r.Count(), 2u);
    ExpectFinds(r, {{0, 2001, -1}, {0, 2000, -1}, {0, 2002, 2}, {0, 2005, 1}});
    r.Renick(B(2), 2002); // no change keeps the order
    EXPECT_TRUE(r.IsSorted());
}

} // namespace
