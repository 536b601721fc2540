// The toolbox text calls on real ports: pen movement, measuring through the
// port's text state, clipping to the port's clip, damage, and the font names.
#include "KsFontEnginePrivate.h"
#include "KsPixels.h"
#include "KsPortPrivate.h"
#include "QuickDraw.h"

#include <gtest/gtest.h>

namespace {

const unsigned char kHello[] = "\x0BHello W\x8Arld";

TEST(QDText, DrawingMovesThePenByTheMeasuredWidth) {
    GrafPtr port = KsNewPort(200, 40);
    KsSetPort(port);
    TextFont(3);
    TextSize(12);
    TextFace(bold);
    // Widths themselves are checked against the font tables in KsFontTest.
    const SInt16 sum = StringWidth(kHello);
    EXPECT_EQ(TextWidth(kHello, 1, kHello[0]), sum);
    EXPECT_EQ(CharWidth('W'), TextWidth("W", 0, 1));
    MoveTo(10, 20);
    DrawString(kHello);
    Point pen;
    GetPen(&pen);
    EXPECT_EQ(ToKsPoint(pen), (KsPoint{10 + sum, 20}));
    FontInfo info;
    GetFontInfo(&info);
    EXPECT_EQ(info.ascent, KsFontEngine::Shared().Metrics({3, 12, bold}).ascent);
    EXPECT_FALSE(port->surface->damage.IsEmpty());
    KsDisposePort(port);
}

TEST(QDText, DrawingStaysInsideTheClip) {
    GrafPtr port = KsNewPort(120, 40);
    KsSetPort(port);
    Rect all{0, 0, 40, 120};
    EraseRect(&all);
    Rect clip{0, 0, 40, 30}; // top, left, bottom, right: the left 30 pixels
    ClipRect(&clip);
    TextSize(24);
    MoveTo(2, 30);
    DrawString(kHello);
    int inked = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x) {
            if (x >= 30) {
                ASSERT_EQ(DevicePixel(port, x, y), 0xFFFFFFu) << x << "," << y;
            }
            inked += DevicePixel(port, x, y) != 0xFFFFFF;
        }
    EXPECT_GT(inked, 10);
    KsDisposePort(port);
}

// The engine's table is checked in KsFontTest; here only the Pascal strings.
TEST(QDText, FontNamesRoundTrip) {
    SInt16 id = -1;
    GetFNum(reinterpret_cast<ConstStr255Param>("\x05times"), &id);
    EXPECT_EQ(id, 20);
    Str255 name;
    GetFontName(777, name);
    EXPECT_EQ(name[0], 0);
    GetFontName(4, name);
    GetFNum(name, &id);
    EXPECT_EQ(id, 4);
}

} // namespace
