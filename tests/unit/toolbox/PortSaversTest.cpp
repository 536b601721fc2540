// The port state savers: every part comes back, into the port the saver was
// made in, on a normal exit and when an exception passes; nesting deeper than
// the spare clip regions still restores each level.
#include "KsPortPrivate.h"
#include "KsPortSavers.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <stdexcept>

namespace {

// What the savers cover: the clip, and the port record's fields from the
// back pattern to the hilite colour (patterns, pen, text state, colours).
struct Snapshot {
    KsRgn clip;
    GrafPort fields;
    explicit Snapshot(GrafPtr p) : clip(KsRgnRef(p->clipRgn)), fields(*p) {}
    bool operator==(const Snapshot& o) const {
        const auto at = [](const GrafPort& g) { return reinterpret_cast<const char*>(&g.bkPat); };
        const std::size_t n = offsetof(GrafPort, rgnSave) - offsetof(GrafPort, bkPat);
        return clip == o.clip && std::memcmp(at(fields), at(o.fields), n) == 0;
    }
};

// Changes everything the savers cover in the current port.
void Scribble() {
    const Rect r{2, 3, 9, 7};
    ClipRect(&r);
    MoveTo(5, 6);
    PenSize(3, 2);
    PenMode(patXor);
    PenPat(&kQDGray);
    HidePen();
    BackPat(&kQDDkGray);
    const RGBColor red{0xFFFF, 0, 0}, blue{0, 0, 0xFFFF};
    RGBForeColor(&red);
    RGBBackColor(&blue);
    HiliteColor(&red);
    TextFont(4);
    TextSize(18);
    TextFace(bold);
    TextMode(srcXor);
}

class PortSavers : public ::testing::Test {
protected:
    void SetUp() override {
        other = KsNewPort(20, 20);
        port = KsNewPort(20, 20);
        const Rect r{1, 1, 15, 12};
        ClipRect(&r);
        const RGBColor green{0, 0x8000, 0};
        RGBForeColor(&green);
        TextSize(9);
    }
    void TearDown() override {
        KsDisposePort(port);
        KsDisposePort(other);
    }
    GrafPtr port = nullptr;
    GrafPtr other = nullptr;
};

TEST_F(PortSavers, EveryPartComesBackIntoTheSaversPort) {
    for (const bool raise : {false, true}) {
        SCOPED_TRACE(raise ? "exception" : "normal exit");
        KsSetPort(port);
        const Snapshot before(port), otherBefore(other);
        try {
            StPortSaver keepPort;
            StClipSaver clip;
            StColorPenSaver pen;
            StTextStateSaver text;
            Scribble();
            // Ending in another port must not restore into that one.
            KsSetPort(other);
            if (raise) throw std::runtime_error("drawing failed");
        } catch (const std::runtime_error&) {
        }
        EXPECT_EQ(KsGetPort(), port);
        EXPECT_TRUE(Snapshot(port) == before);
        EXPECT_TRUE(Snapshot(other) == otherBefore);
    }
}

TEST_F(PortSavers, ClipSaversNestedDeeperThanTheSparesRestoreEachLevel) {
    KsSetPort(port);
    constexpr int kDepth = 40;
    int restored = 0;
    auto nest = [&](auto& self, int depth) -> void {
        if (depth == kDepth) return;
        const Rect mine{SInt16(depth), 0, 20, 20};
        StClipSaver saver(mine);
        self(self, depth + 1);
        if (KsRgnRef(port->clipRgn) == KsRgn(KsRect{0, depth, 20, 20})) ++restored;
    };
    const KsRgn before = KsRgnRef(port->clipRgn);
    nest(nest, 0);
    EXPECT_EQ(restored, kDepth);
    EXPECT_EQ(KsRgnRef(port->clipRgn), before);
}

TEST_F(PortSavers, NothingHappensWithoutAPort) {
    KsSetPort(nullptr);
    {
        StClipSaver clip;
        StColorPenSaver pen;
        StTextStateSaver text;
        StPortSaver keep(port);
        EXPECT_EQ(KsGetPort(), port);
    }
    EXPECT_EQ(KsGetPort(), nullptr);
}

} // namespace
