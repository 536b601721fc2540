// What the old record could not do or did wrong: texts past 32 KB and 16-bit
// coordinates, Returns dropped on paste, calls on disposed or inactive
// records, selections past the end and negative lengths.
#include "KsTERecord.h"
#include "Scrap.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

TEST(TEFaults, MegabyteTextsEditAndMapBetweenOffsetsAndPoints) {
    ScopedTE rec({0, 0, 180, 100}, {0, 0, 180, 100});
    std::string text;
    for (int i = 0; i < 100000; ++i)
        text += "line " + std::to_string(i) + "\r"; // about 1.1 MB
    rec.Set(text);
    ASSERT_EQ(TEGetTextLength(rec.te), SInt32(text.size()));
    EXPECT_EQ(TEGetLineCount(rec.te), 100000);

    const SInt32 far = SInt32(text.size()) - 7; // inside the last line
    TESetSelect(far, far, rec.te);
    KsTEKeyWith('x', 0, rec.te);
    text.insert(std::size_t(far), "x");
    EXPECT_EQ(rec.Text(), text);
    EXPECT_EQ(rec.Rec().selStart, far + 1);

    // The last lines lie a million pixels down; points and offsets stay exact.
    const KsPoint p = KsTEGetPoint(far + 1, rec.te);
    EXPECT_EQ(p.v, 99999 * rec.Rec().lineHeight + rec.Rec().fontAscent);
    EXPECT_EQ(KsTEGetOffset(p, rec.te), far + 1);
    EXPECT_EQ(KsTELineOfOffset(rec.te, far), 99999);

    // Scrolling there keeps the 32-bit destination rectangle.
    TEAutoView(true, rec.te);
    TESelView(rec.te);
    EXPECT_LT(rec.Rec().destRect.top, -1000000);
}

TEST(TEFaults, PastedReturnsAreKeptWhateverTheOwner) {
    ScopedTE rec;
    rec.Set("ab");
    TESetSelect(1, 1, rec.te);
    const std::string pasted = "1\r2\r\r3";
    ZeroScrap();
    PutScrap(SInt32(pasted.size()), FourCharCode("TEXT"), pasted.data());
    TEPaste(rec.te);
    EXPECT_EQ(rec.Text(), "a1\r2\r\r3b");
    EXPECT_EQ(rec.Rec().nLines, 4);
    KsTEUndo(rec.te); // one edit, one undo
    EXPECT_EQ(rec.Text(), "ab");
}

TEST(TEFaults, SelectionsAreClampedAndOrdered) {
    ScopedTE rec;
    rec.Set("hello");
    const struct {
        SInt32 from, to, start, end;
    } cases[] = {
        {-5, 2, 0, 2}, {3, 99, 3, 5}, {4, 1, 1, 4}, {-9, -1, 0, 0}, {70000, 32767, 5, 5},
    };
    for (const auto& c : cases) {
        TESetSelect(c.from, c.to, rec.te);
        EXPECT_EQ(rec.Rec().selStart, c.start) << c.from << "," << c.to;
        EXPECT_EQ(rec.Rec().selEnd, c.end) << c.from << "," << c.to;
    }
}

TEST(TEFaults, NegativeLengthsAndNullTextsAreRefused) {
    ScopedTE rec;
    rec.Set("keep");
    TEInsert("x", -1, rec.te);
    TEInsert(nullptr, 3, rec.te);
    EXPECT_EQ(rec.Text(), "keep");
    KsTEReplace(3, 1, "Z", -4, rec.te); // backwards range, negative length: deletes [1, 3)
    EXPECT_EQ(rec.Text(), "kp");
    TESetText("abc", -2, rec.te);
    EXPECT_EQ(rec.Text(), "");
    char buffer[4] = {'?', '?', '?', '?'};
    EXPECT_EQ(KsTEGetText(rec.te, buffer, -1), 0);
    EXPECT_EQ(buffer[0], '?');
}

// Every call on a disposed (or null) handle is a no-op, and the glue forgets
// a disposed record.
TEST(TEFaults, DisposedAndNullHandlesAreIgnored) {
    TinyPort port(50, 50);
    const Rect r{0, 0, 40, 40};
    TEHandle te = TENew(&r, &r);
    ASSERT_NE(te, nullptr);
    KsTEActivate(te, nullptr);
    ASSERT_TRUE(KsTEIsActive());
    TEDispose(te);
    EXPECT_FALSE(KsTEIsActive());
    EXPECT_FALSE(KsTEIsLive(te));
    const std::function<void(TEHandle)> calls[] = {
        [](TEHandle h) {
            TEClick(Point{5, 5}, false, h);
        },
        [](TEHandle h) { TEKey('a', h); },
        [](TEHandle h) {
            KsTEClick(Point{5, 5}, true, h, true, nullptr);
        },
        [](TEHandle h) { KsTEKey('a', h, true, nullptr); },
        [](TEHandle h) { TESetSelect(0, 5, h); },
        [](TEHandle h) { TEInsert("a", 1, h); },
        [](TEHandle h) { TEPaste(h); },
        [](TEHandle h) { TECut(h); },
        [](TEHandle h) { KsTEUndo(h); },
        [](TEHandle h) { TEIdle(h); },
        [](TEHandle h) {
            const Rect all{0, 0, 40, 40};
            TEUpdate(&all, h);
        },
        [](TEHandle h) { KsTEScroll(0, 10, h); },
        [](TEHandle h) { TEActivate(h); },
        [](TEHandle h) { KsTEActivate(h, nullptr); },
        [](TEHandle h) { TEDispose(h); },
    };
    for (const auto& call : calls) {
        call(te);
        call(nullptr);
    }
    EXPECT_EQ(TEGetTextLength(te), 0);
    EXPECT_EQ(TEGetLineCount(nullptr), 0);
    EXPECT_FALSE(KsTEIsActive());
    KsTECut(); // nothing active: the Edit commands do nothing
    KsTEPaste();
    KsTESetSelect(0, 32767);
}

TEST(TEFaults, GlueRefusesClicksAndKeysOnAnInactiveRecord) {
    ScopedTE rec;
    rec.Set("abc");
    KsTEKey('x', rec.te, true, nullptr);
    KsTEClick(Point{10, 10}, false, rec.te, true, nullptr);
    EXPECT_EQ(rec.Text(), "abc");
    EXPECT_EQ(rec.Rec().selStart, 3);
    KsTEActivate(rec.te, nullptr);
    KsTEKey('x', rec.te, true, nullptr);
    EXPECT_EQ(rec.Text(), "abcx");
    KsTESetSelect(1, 32767); // the old callers' "end"
    EXPECT_EQ(rec.Rec().selEnd, 4);
    KsTEDeactivate(rec.te);
    EXPECT_FALSE(KsTEIsActive());
}

} // namespace
