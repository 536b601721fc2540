// The clip saver keeps a rectangular clip as its rectangle: whatever shape
// the caller's clip has (a rectangle, nothing, a region of several pieces, the
// wide-open plane past 16 bits) and whatever the drawing leaves behind, the
// caller gets its own clip back, and Saved() answers it.
#include "KsPortPrivate.h"
#include "KsPortSavers.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>

namespace {

KsRgn TwoPieces() {
    KsRgn r(KsRect{1, 1, 6, 6});
    r.Union(KsRect{10, 10, 18, 16});
    return r;
}

void SetClipTo(GrafPtr port, const KsRgn& r) {
    KsRgnRef(port->clipRgn) = r;
    KsRgnSync(port->clipRgn);
}

TEST(ClipSaverShapes, TheCallersClipComesBackWhateverTheDrawingLeaves) {
    GrafPtr port = KsNewPort(20, 20);
    KsSetPort(port);
    struct Shape {
        const char* what;
        KsRgn clip;
    };
    const Shape callers[] = {
        {"rectangle", KsRgn(KsRect{2, 3, 15, 12})},
        {"nothing", KsRgn()},
        {"two pieces", TwoPieces()},
        {"wide open", KsRgn(KsRect{-100000, -100000, 100000, 100000})},
    };
    const Shape left[] = {
        {"the same clip", KsRgn()}, // replaced by the caller's below
        {"another rectangle", KsRgn(KsRect{4, 4, 8, 9})},
        {"a region", TwoPieces()},
    };
    for (const Shape& caller : callers)
        for (size_t k = 0; k < std::size(left); ++k) {
            SCOPED_TRACE(std::string(caller.what) + ", drawing leaves " + left[k].what);
            SetClipTo(port, caller.clip);
            {
                StClipSaver saver;
                SetClipTo(port, k == 0 ? caller.clip : left[k].clip);
                EXPECT_EQ(KsRgnRef(saver.Saved()), caller.clip);
            }
            EXPECT_EQ(KsRgnRef(port->clipRgn), caller.clip);
            // The header the walks read matches the shape.
            const Region header = **port->clipRgn;
            KsRgnSync(port->clipRgn);
            EXPECT_EQ(header.rgnSize, (*port->clipRgn)->rgnSize);
            EXPECT_EQ(ToKsRect(header.rgnBBox), ToKsRect((*port->clipRgn)->rgnBBox));
        }
    KsSetPort(nullptr);
    KsDisposePort(port);
}

} // namespace
