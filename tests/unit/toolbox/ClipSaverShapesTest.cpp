// The clip saver keeps a rectangular clip as its rectangle: whatever shape
// the caller's clip has (a rectangle, nothing, several pieces, the wide-open
// plane past 16 bits) and whatever the drawing leaves, the caller gets its own
// clip back, with the header the walks read, and Saved() answers it.
#include "KsPortPrivate.h"
#include "KsPortSavers.h"

#include <gtest/gtest.h>

namespace {

KsRgn Shape(int k) {
    KsRgn r(KsRect{1, 1, 6, 6});
    switch (k) {
    case 0:
        return KsRgn(KsRect{2, 3, 15, 12});
    case 1:
        return KsRgn();
    case 2:
        r.Union(KsRect{10, 10, 18, 16});
        return r;
    default:
        return KsRgn(KsRect{-100000, -100000, 100000, 100000});
    }
}

void SetClipTo(GrafPtr port, const KsRgn& r) {
    KsRgnRef(port->clipRgn) = r;
    KsRgnSync(port->clipRgn);
}

TEST(ClipSaverShapes, TheCallersClipComesBackWhateverTheDrawingLeaves) {
    GrafPtr port = KsNewPort(20, 20);
    KsSetPort(port);
    for (int caller = 0; caller < 4; ++caller)
        for (int left = -1; left < 4; ++left) { // -1: the drawing leaves the clip as it was
            SCOPED_TRACE("caller's clip " + std::to_string(caller) + ", left " +
                         std::to_string(left));
            SetClipTo(port, Shape(caller));
            {
                StClipSaver saver;
                SetClipTo(port, Shape(left < 0 ? caller : left));
                EXPECT_EQ(KsRgnRef(saver.Saved()), Shape(caller));
            }
            EXPECT_EQ(KsRgnRef(port->clipRgn), Shape(caller));
            const Region header = **port->clipRgn;
            KsRgnSync(port->clipRgn);
            EXPECT_EQ(header.rgnSize, (*port->clipRgn)->rgnSize);
            EXPECT_EQ(ToKsRect(header.rgnBBox), ToKsRect((*port->clipRgn)->rgnBBox));
        }
    KsSetPort(nullptr);
    KsDisposePort(port);
}

} // namespace
