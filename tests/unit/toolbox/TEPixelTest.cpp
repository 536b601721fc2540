// Pixels of a record: the caret and its blink, the selection, wrapping,
// justification, text in a box, and redraws that touch only their lines.
#include "KsTERecord.h"

#include <gtest/gtest.h>

namespace {

constexpr UInt32 kWhite = 0xFFFFFF;
constexpr UInt32 kMarker = 0xFF0000;

// The bounding box of every pixel in `area` that is not white (empty: none).
KsRect InkBounds(GrafPtr port, const KsRect& area, UInt32 paper = kWhite) {
    KsRect ink;
    for (SInt32 v = area.top; v < area.bottom; ++v)
        for (SInt32 h = area.left; h < area.right; ++h)
            if (DevicePixel(port, h, v) != paper) ink = ink.Union({h, v, h + 1, v + 1});
    return ink;
}

int CountPixels(GrafPtr port, const KsRect& area, UInt32 colour) {
    int n = 0;
    for (SInt32 v = area.top; v < area.bottom; ++v)
        for (SInt32 h = area.left; h < area.right; ++h)
            n += DevicePixel(port, h, v) == colour;
    return n;
}

void Mark(GrafPtr port, SInt32 h, SInt32 v) {
    auto* p = reinterpret_cast<std::uint32_t*>(pixman_image_get_data(port->surface->image));
    p[std::size_t(v) * std::size_t(pixman_image_get_stride(port->surface->image) / 4) +
      std::size_t(h)] = kMarker;
}

class StCaretTime {
public:
    explicit StCaretTime(UInt32 ticks) : saved_(GetCaretTime()) { KsSetCaretTime(ticks); }
    ~StCaretTime() { KsSetCaretTime(saved_); }

private:
    UInt32 saved_;
};

TEST(TEPixels, CaretBlinksAndMovesWithoutDroppings) {
    ScopedTE rec({10, 10, 150, 110}, {10, 10, 150, 110});
    rec.Set("a    b");
    TESetSelect(2, 2, rec.te);
    TEActivate(rec.te);
    const SInt32 row = 10 + rec.Rec().lineHeight / 2;
    const SInt32 x = KsTEGetPoint(2, rec.te).h;
    EXPECT_EQ(DevicePixel(rec.Port(), x, row), 0x000000u) << "caret shown on activation";
    StCaretTime always(0);
    TEIdle(rec.te);
    EXPECT_EQ(DevicePixel(rec.Port(), x, row), kWhite) << "blinked off";
    TEIdle(rec.te);
    EXPECT_EQ(DevicePixel(rec.Port(), x, row), 0x000000u) << "blinked on";
    TEIdle(rec.te); // off, then a move shows it at once at the new place only
    KsTEKeyWith(0x1D, 0, rec.te);
    const SInt32 x2 = KsTEGetPoint(3, rec.te).h;
    ASSERT_NE(x, x2);
    EXPECT_EQ(DevicePixel(rec.Port(), x, row), kWhite);
    EXPECT_EQ(DevicePixel(rec.Port(), x2, row), 0x000000u);
    TEDeactivate(rec.te);
    EXPECT_EQ(InkBounds(rec.Port(), {x2 - 1, 10, x2 + 2, 10 + rec.Rec().lineHeight}), KsRect{});
}

TEST(TEPixels, SelectionIsHilitedOnlyWhileActive) {
    ScopedTE rec({10, 10, 190, 110}, {10, 10, 190, 110});
    rec.Set("abc def ghi");
    RGBColor hilite;
    GetHiliteColor(&hilite);
    const UInt32 hl = (UInt32(hilite.red >> 8) << 16) | (UInt32(hilite.green >> 8) << 8) |
                      UInt32(hilite.blue >> 8);
    TEActivate(rec.te);
    TESetSelect(4, 7, rec.te);
    const SInt32 a = KsTEGetPoint(4, rec.te).h, b = KsTEGetPoint(7, rec.te).h;
    const SInt32 bottom = 10 + rec.Rec().lineHeight;
    const KsRect sel{a, 10, b, bottom};
    EXPECT_GT(CountPixels(rec.Port(), sel, hl), sel.Width() * sel.Height() / 2);
    EXPECT_EQ(CountPixels(rec.Port(), {10, 10, a, bottom}, hl), 0);
    EXPECT_EQ(CountPixels(rec.Port(), {b, 10, 190, bottom}, hl), 0);
    TEDeactivate(rec.te);
    EXPECT_EQ(CountPixels(rec.Port(), {10, 10, 190, bottom}, hl), 0);
}

TEST(TEPixels, WordWrapPutsEachWordThatDoesNotFitOnANewLine) {
    ScopedTE rec({10, 10, 60, 110}, {10, 10, 150, 110}, TEBreaks::kWordWrap);
    const SInt32 right = 10 + TextWidth("mmm", 0, 3) + 4; // one word fits, not two
    KsTESetRects({10, 10, right, 110}, {10, 10, 150, 110}, rec.te);
    rec.Set("mmm nnn ooo");
    ASSERT_EQ(rec.Rec().nLines, 3);
    const Rect all{0, 0, 120, 200};
    TEUpdate(&all, rec.te);
    const SInt32 lh = rec.Rec().lineHeight;
    for (SInt32 line = 0; line < 3; ++line) {
        const KsRect ink = InkBounds(rec.Port(), {10, 10 + line * lh, 150, 10 + (line + 1) * lh});
        ASSERT_FALSE(ink.IsEmpty()) << line;
        EXPECT_LE(ink.left, 12) << line;
        EXPECT_LE(ink.right, right) << line;
    }
}

TEST(TEPixels, LinesAreJustifiedInTheDestination) {
    const struct {
        SInt16 just;
        const char* name;
        SInt32 edge; // the ink's left edge, centre or right edge
    } cases[] = {
        {teFlushLeft, "left", 20}, {teCenter, "centre", 100}, {teFlushRight, "right", 180}};
    for (const auto& c : cases) {
        ScopedTE rec({20, 10, 180, 110}, {0, 0, 200, 120});
        rec.Set("mm\rmmmmmm");
        TESetAlignment(c.just, rec.te);
        const Rect all{0, 0, 120, 200};
        TEUpdate(&all, rec.te);
        const SInt32 lh = rec.Rec().lineHeight;
        for (SInt32 line = 0; line < 2; ++line) {
            const KsRect ink =
                InkBounds(rec.Port(), {0, 10 + line * lh, 200, 10 + (line + 1) * lh});
            ASSERT_FALSE(ink.IsEmpty()) << c.name;
            const SInt32 edge = c.just == teFlushLeft    ? ink.left
                                : c.just == teFlushRight ? ink.right
                                                         : (ink.left + ink.right) / 2;
            EXPECT_NEAR(edge, c.edge, 2) << c.name << " line " << line;
        }
    }
}

TEST(TEPixels, TextInABoxWrapsInsideTheBox) {
    TinyPort port(200, 120);
    const Rect box{20, 30, 100, 90}; // top, left, bottom, right
    const char text[] = "words that need more than one line here";
    DrawTextInABox(text, SInt32(sizeof text - 1), &box, teFlushLeft, nullptr);
    const KsRect ink = InkBounds(port.port, {0, 0, 200, 120});
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_TRUE(ToKsRect(box).Contains(ink));
    EXPECT_GT(ink.Height(), 30); // more than two lines
}

// Markers left in lines that an update or a keystroke must not touch.
TEST(TEPixels, UpdatesAndKeystrokesDrawOnlyTheirLines) {
    ScopedTE rec({10, 10, 190, 200}, {10, 10, 190, 118});
    rec.Set("one\rtwo\rthree\rfour\rfive");
    TEActivate(rec.te);
    const SInt32 lh = rec.Rec().lineHeight;
    auto markLines = [&] {
        for (SInt32 line = 0; line < 5; ++line)
            Mark(rec.Port(), 185, 10 + line * lh + 1);
    };
    auto marked = [&](SInt32 line) {
        return DevicePixel(rec.Port(), 185, 10 + line * lh + 1) == kMarker;
    };
    markLines();
    const Rect third{SInt16(10 + 2 * lh), 10, SInt16(10 + 3 * lh), 190};
    TEUpdate(&third, rec.te);
    EXPECT_TRUE(marked(0) && marked(1) && marked(3) && marked(4));
    EXPECT_FALSE(marked(2));

    markLines();
    TESetSelect(10, 10, rec.te); // inside "three"
    markLines();
    KsTEKeyWith('x', 0, rec.te);
    EXPECT_TRUE(marked(0) && marked(1) && marked(3) && marked(4));
    EXPECT_FALSE(marked(2));
}

} // namespace
