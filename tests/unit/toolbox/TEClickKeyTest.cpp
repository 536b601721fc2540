// Clicks and keys on a record: caret, word and line clicks, Shift-extend,
// drag selection with auto-scroll, and the moving and deleting keys.
#include "KsHeadlessDesk.h"
#include "KsTERecord.h"

#include <gtest/gtest.h>

namespace {

class TEClickKey : public ::testing::Test {
protected:
    TEClickKey() : rec({10, 10, 190, 2000}, {10, 10, 190, 10 + 3 * 15}) {
        rec.Set("alpha beta\rgamma delta\rthree\rfour\rfive\rsix\rseven");
        TEActivate(rec.te);
    }
    // A point inside the line of offset, at its caret.
    Point At(SInt32 offset) const {
        const KsPoint p = KsTEGetPoint(offset, rec.te);
        return Pt(SInt16(p.h), SInt16(p.v - 2));
    }
    // A press and release at `from` after `path`, handed to TEClick.
    void Click(Point from, std::initializer_list<Point> path = {}, bool extend = false) {
        desk.Gesture(t, from, path);
        TEClick(from, extend, rec.te);
    }
    void Pause() { KsAdvanceVirtualClock(long(GetDblTime()) + 1); }
    std::pair<SInt32, SInt32> Sel() const { return {rec.Rec().selStart, rec.Rec().selEnd}; }

    HeadlessDesk desk{640, 480, DeskWith::eventsOnly};
    ScopedTE rec;
    long t = 0;
};

TEST_F(TEClickKey, OneTwoAndThreeClicksSelectCaretWordAndLine) {
    Click(At(7));
    EXPECT_EQ(Sel(), std::make_pair(7, 7));
    Click(At(7));
    EXPECT_EQ(Sel(), std::make_pair(6, 10)); // "beta"
    Click(At(7));
    EXPECT_EQ(Sel(), std::make_pair(0, 11)); // the line with its Return
    Pause();
    Click(At(7));
    EXPECT_EQ(Sel(), std::make_pair(7, 7));
}

TEST_F(TEClickKey, ShiftClickKeepsTheFartherEnd) {
    Click(At(2));
    Pause();
    Click(At(8), {}, true);
    EXPECT_EQ(Sel(), std::make_pair(2, 8));
    Pause();
    Click(At(0), {}, true);
    EXPECT_EQ(Sel(), std::make_pair(0, 8));
}

TEST_F(TEClickKey, DraggingSelectsAndScrollsPastTheView) {
    Click(At(1), {At(14)});
    EXPECT_EQ(Sel(), std::make_pair(1, 14));
    Pause();
    const SInt32 top = rec.Rec().destRect.top;
    const Point below = Pt(50, 120);
    Click(At(1), {below, below, below, below, below, below, below});
    EXPECT_LT(rec.Rec().destRect.top, top); // scrolled up to follow the pointer
    EXPECT_EQ(rec.Rec().selStart, 1);
    EXPECT_GT(rec.Rec().selEnd, KsTELineStart(rec.te, 3)); // beyond what was visible
}

TEST_F(TEClickKey, KeysMoveAndDeleteByCharacterWordAndLine) {
    const struct {
        SInt32 start, end;
        UInt8 key;
        EventModifiers modifiers;
        SInt32 selStart, selEnd;
        const char* name;
    } cases[] = {
        {3, 3, 0x1C, 0, 2, 2, "left"},
        {3, 3, 0x1D, shiftKey, 3, 4, "shift right extends"},
        {2, 5, 0x1C, 0, 2, 2, "left collapses to the start"},
        {2, 5, 0x1D, 0, 5, 5, "right collapses to the end"},
        {7, 7, 0x1C, optionKey, 6, 6, "option left: word start"},
        {1, 1, 0x1D, optionKey, 5, 5, "option right: word end"},
        {7, 7, 0x1C, cmdKey, 0, 0, "command left: line start"},
        {7, 7, 0x1D, cmdKey, 10, 10, "command right: before the Return"},
        {14, 14, 0x1E, cmdKey, 0, 0, "command up: text start"},
        {3, 3, 0x1F, cmdKey, 48, 48, "command down: text end"},
        {3, 3, 0x04, 0, 48, 48, "end"},
        {14, 14, 0x01, 0, 0, 0, "home"},
        {3, 3, 0x0B, 0, 3, 3, "page up: nothing"},
    };
    for (const auto& c : cases) {
        TESetSelect(c.start, c.end, rec.te);
        KsTEKeyWith(c.key, c.modifiers, rec.te);
        EXPECT_EQ(Sel(), std::make_pair(c.selStart, c.selEnd)) << c.name;
    }
}

TEST_F(TEClickKey, UpAndDownKeepTheColumnAcrossShortLines) {
    rec.Set("abcdefgh\rab\rabcdefgh");
    TESetSelect(6, 6, rec.te);
    KsTEKeyWith(0x1F, 0, rec.te);
    EXPECT_EQ(Sel(), std::make_pair(11, 11)); // end of the short line
    KsTEKeyWith(0x1F, 0, rec.te);
    EXPECT_EQ(Sel(), std::make_pair(18, 18)); // the column again
    KsTEKeyWith(0x1E, shiftKey, rec.te);
    EXPECT_EQ(Sel(), std::make_pair(11, 18));
}

TEST_F(TEClickKey, DeletingKeysAndTheirUndo) {
    rec.Set("one two three");
    const struct {
        SInt32 caret;
        UInt8 key;
        EventModifiers modifiers;
        const char* text;
    } cases[] = {
        {3, 0x08, 0, "on two three"},       {3, 0x7F, 0, "onetwo three"},
        {7, 0x08, optionKey, "one  three"}, {4, 0x7F, optionKey, "one  three"},
        {0, 0x08, 0, "one two three"},      {13, 0x7F, 0, "one two three"},
        {3, '\r', 0, "one\r two three"},    {3, '\t', 0, "one\t two three"},
        {3, 0x1B, 0, "one two three"},
    };
    for (const auto& c : cases) {
        TESetSelect(c.caret, c.caret, rec.te);
        KsTEKeyWith(c.key, c.modifiers, rec.te);
        EXPECT_EQ(rec.Text(), c.text) << int(c.key) << " at " << c.caret;
        KsTEUndo(rec.te);
        EXPECT_EQ(rec.Text(), "one two three");
    }
    // A run of typing is one undo step; read-only records refuse edits.
    TESetSelect(3, 3, rec.te);
    for (char c : std::string("abc"))
        KsTEKeyWith(UInt8(c), 0, rec.te);
    KsTEUndo(rec.te);
    EXPECT_EQ(rec.Text(), "one two three");
    KsTESetReadOnly(true, rec.te);
    KsTEKeyWith('x', 0, rec.te);
    KsTEKeyWith(0x08, 0, rec.te);
    EXPECT_EQ(rec.Text(), "one two three");
}

} // namespace
