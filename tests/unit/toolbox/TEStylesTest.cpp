// Style runs of a styled record through edits and undo, their effect on
// widths, line height and colour; and a composition shown at the caret.
#include "KsTERecord.h"

#include <gtest/gtest.h>

namespace {

std::vector<SInt32> RunStarts(TEHandle te) {
    std::vector<SInt32> starts;
    for (const TEStyleRun& run : KsTEGetStyleRuns(te))
        starts.push_back(run.startChar);
    return starts;
}

class TEStyles : public ::testing::Test {
protected:
    TEStyles() : rec({10, 10, 190, 110}, {10, 10, 190, 110}, TEBreaks::kReturnOnly, true) {
        rec.Set("abcdef");
        base = KsTEGetStyle(0, rec.te);
    }
    void Restyle(SInt32 from, SInt32 to, UInt16 mode, const TETextStyle& style) {
        TESetSelect(from, to, rec.te);
        KsTESetStyle(mode, style, true, rec.te);
    }
    ScopedTE rec;
    TETextStyle base;
};

TEST_F(TEStyles, RunsFollowEditsAndUndo) {
    TETextStyle bolder = base;
    bolder.tsFace = bold;
    const SInt32 plainWidth = KsTEGetPoint(6, rec.te).h;
    Restyle(2, 4, doFace, bolder);
    EXPECT_EQ(RunStarts(rec.te), (std::vector<SInt32>{0, 2, 4}));
    EXPECT_EQ(KsTEGetPoint(6, rec.te).h, plainWidth + 2); // bold: one pixel more a character
    EXPECT_EQ(KsTEGetStyle(3, rec.te).tsFace, bold);

    TESetSelect(3, 3, rec.te);
    KsTEKeyWith('x', 0, rec.te); // takes the style before it
    EXPECT_EQ(RunStarts(rec.te), (std::vector<SInt32>{0, 2, 5}));
    KsTEUndo(rec.te);
    EXPECT_EQ(RunStarts(rec.te), (std::vector<SInt32>{0, 2, 4}));

    TESetSelect(1, 5, rec.te);
    TEDelete(rec.te); // the bold run goes with its text
    EXPECT_EQ(rec.Text(), "af");
    EXPECT_EQ(RunStarts(rec.te), (std::vector<SInt32>{0}));
    KsTEUndo(rec.te); // and comes back with it
    EXPECT_EQ(rec.Text(), "abcdef");
    EXPECT_EQ(RunStarts(rec.te), (std::vector<SInt32>{0, 2, 4}));
}

TEST_F(TEStyles, SizeSetsTheLineHeightAndColourTheInk) {
    const SInt32 height = rec.Rec().lineHeight;
    TETextStyle big = base;
    big.tsSize = 24;
    Restyle(0, 1, doSize, big);
    EXPECT_GT(rec.Rec().lineHeight, height);
    TEDelete(rec.te); // the tall text goes, and the lines shrink with it
    EXPECT_EQ(rec.Rec().lineHeight, height);
    KsTEUndo(rec.te);
    EXPECT_GT(rec.Rec().lineHeight, height);

    TETextStyle red = base;
    red.tsColor = {0xFFFF, 0, 0};
    Restyle(3, 6, doColor, red);
    TEDeactivate(rec.te);
    const Rect all{0, 0, 120, 200};
    TEUpdate(&all, rec.te);
    int reddish = 0;
    for (SInt32 v = 10; v < 10 + rec.Rec().lineHeight; ++v)
        for (SInt32 h = KsTEGetPoint(3, rec.te).h; h < KsTEGetPoint(6, rec.te).h; ++h) {
            const UInt32 p = DevicePixel(rec.Port(), h, v);
            reddish += (p >> 16) == 0xFF && (p & 0xFFFF) < 0x8080;
        }
    EXPECT_GT(reddish, 5);
}

TEST_F(TEStyles, CompositionShowsAtTheCaretOutsideTheText) {
    TESetSelect(1, 1, rec.te);
    const Rect all{0, 0, 120, 200};
    TEUpdate(&all, rec.te);
    const std::vector<std::uint32_t> before = AllPixels(rec.Port());
    const KsRect caret = KsTEGetCaretRect(rec.te);
    KsTESetComposition("xyz", 3, 2, rec.te);
    EXPECT_EQ(rec.Text(), "abcdef");
    EXPECT_GT(KsTEGetCaretRect(rec.te).left, caret.left); // inside the composition
    EXPECT_NE(AllPixels(rec.Port()), before);
    KsTESetComposition(nullptr, 0, 0, rec.te);
    EXPECT_EQ(AllPixels(rec.Port()), before); // nothing left behind
}

} // namespace
