// A region call that fails while the window layer recomputes what is visible
// leaves every window as it was, and nothing leaks.
#include "KsRgnPrivate.h"
#include "WindowTestSupport.h"
#include "XError.h"

#include <climits>
#include <vector>

namespace {

class WindowRelayoutFailure : public WindowTest {};

// Puts a region in the state a failed allocation leaves a pixman region in:
// the next region call that combines it fails as running out of memory does.
void Break(RgnHandle rgn) {
    pixman_region32_t* p = KsRgnPixman(KsRgnRef(rgn));
    pixman_region32_fini(p);
    const pixman_box32_t box{0, 0, 1, 1};
    ASSERT_FALSE(pixman_region32_init_rects(p, &box, INT_MAX)); // too many to allocate
}

TEST_F(WindowRelayoutFailure, LeavesEveryRegionAsItWas) {
    for (int windows : {3, 70}) { // a few, and many
        SCOPED_TRACE(windows);
        for (int i = 0; i < windows; ++i)
            Doc(R(SInt16(40 + 4 * i), SInt16(40 + 3 * i), SInt16(240 + 4 * i),
                  SInt16(200 + 3 * i)));
        Rect r = R(10, 30, 60, 80);
        WindowPtr hidden =
            NewCWindow(nullptr, &r, reinterpret_cast<ConstStr255Param>("\x01H"), false,
                       documentProc, reinterpret_cast<WindowPtr>(-1), true, 0);
        WindowPtr front = FrontWindow();
        std::vector<KsRgn> before;
        for (WindowPtr w = KsGetWindowList(); w; w = GetNextWindow(w))
            before.push_back(w->ks->visStruc);
        const KsRgn struc = Struc(front);

        Break(front->strucRgn);
        EXPECT_THROW(ShowWindow(hidden), XError);
        KsRgnToRgnHandle(struc, front->strucRgn);
        std::size_t i = 0;
        for (WindowPtr w = KsGetWindowList(); w; w = GetNextWindow(w), ++i)
            EXPECT_EQ(w->ks->visStruc, before[i]) << "window " << i;

        // The next change exposes only what it uncovers.
        EXPECT_NO_THROW(HideWindow(hidden));
        EXPECT_TRUE(Update(front).IsEmpty());
        KsWindowsReset();
    }
}

} // namespace
