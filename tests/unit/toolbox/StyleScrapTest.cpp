// The styled scrap: 'styl' written and read back, damaged data refused, and
// the styled form kept in process beside the clipboard's text.
#include "KsHeadlessDesk.h"
#include "KsRaisedError.h"
#include "KsStyleScrap.h"
#include "Scrap.h"
#include "XError.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

KsStyleRun StyleRun(SInt32 start, Style face, SInt16 size, RGBColor color = {0, 0, 0}) {
    return KsStyleRun{start, SInt16(size + 3), size, 22, face, size, color};
}

// Two runs for a text of 4 bytes, with `bytes` written over them at `at`.
std::string Damaged(std::size_t at, const std::string& bytes, std::size_t cut = 0) {
    std::string s = KsWriteStyleScrap({StyleRun(0, 0, 9), StyleRun(3, bold, 9)}, 4);
    s.replace(at, bytes.size(), bytes);
    return s.substr(0, s.size() - cut);
}

} // namespace

TEST(StyleScrap, WritesTheClassicLayoutAndReadsItBack) {
    const std::vector<KsStyleRun> runs = {StyleRun(0, 0, 9), StyleRun(5, bold | italic, 14),
                                          StyleRun(9, underline, 0, {0xFFFF, 0x8000, 0x0001})};
    const std::string bytes = KsWriteStyleScrap(runs, 12);
    ASSERT_EQ(bytes.size(), 2 + 3 * kKsStyleRunBytes);
    // The count, then the second run field by field: start 5, height 17,
    // ascent 14, font 22, face 3 and its filler, size 14, black.
    EXPECT_EQ(bytes.substr(0, 2), std::string("\0\3", 2));
    EXPECT_EQ(bytes.substr(22, 20),
              std::string("\0\0\0\5\0\x11\0\x0E\0\x16\3\0\0\x0E\0\0\0\0\0\0", 20));
    EXPECT_EQ(KsReadStyleScrap(bytes.data(), bytes.size(), 12), runs);
}

TEST(StyleScrap, RefusesDamagedData) {
    const std::string z(1, '\0');
    const struct {
        const char* what;
        std::string bytes;
        SInt32 textLength = 4;
    } cases[] = {
        {"empty", ""},
        {"one byte of count", z},
        {"no runs", std::string("\0\0", 2)},
        {"negative count", Damaged(0, "\xFF\xFF")},
        {"count beyond the data", Damaged(0, z + "\3")},
        {"a run cut short", Damaged(0, "", 1)},
        {"bytes after the runs", Damaged(0, "") + z},
        {"huge count, little data", Damaged(0, "\x7F\xFF")},
        {"first run not at 0", Damaged(5, "\1")},
        {"runs out of order", Damaged(25, z)},
        {"run past the text", Damaged(25, "\4")},
        {"start with the sign bit", Damaged(22, "\x80")},
        {"negative height", Damaged(6, "\xFF")},
        {"negative size", Damaged(14, "\xFF")},
        {"negative text length", Damaged(0, ""), -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(
            ErrorCode([&] { KsReadStyleScrap(c.bytes.data(), c.bytes.size(), c.textLength); }),
            "TBX_BAD_STYLE_SCRAP")
            << c.what;
    // Unknown face bits are dropped, not refused.
    const std::string faces = Damaged(32, "\xFF");
    EXPECT_EQ(KsReadStyleScrap(faces.data(), faces.size(), 4).at(1).face, 0x7F);
    // The writer keeps the same rules, so nothing it writes is refused later.
    EXPECT_THROW(KsWriteStyleScrap({StyleRun(0, 0, 9), StyleRun(7, 0, 9)}, 7), XError);
    EXPECT_THROW(KsWriteStyleScrap({}, 7), XError);
}

TEST(StyleScrap, StylesStayInProcessBesideTheClipboardText) {
    HeadlessDesk desk{640, 480, DeskWith::eventsOnly};
    KsHeadlessBackend* backend = desk.backend;
    const std::vector<KsStyleRun> runs = {StyleRun(0, 0, 9), StyleRun(4, bold, 9)};
    ASSERT_EQ(KsPutStyledScrap("caf\x8E bold", 9, runs), noErr);
    EXPECT_EQ(backend->GetClipboardText(), "caf\xC3\xA9 bold");
    std::string text;
    std::vector<KsStyleRun> read;
    ASSERT_TRUE(KsGetStyledScrap(&text, &read));
    EXPECT_EQ(text, "caf\x8E bold");
    EXPECT_EQ(read, runs);
    // New text alone drops the runs of the old, whose offsets would not fit.
    PutScrap(2, FourCharCode("TEXT"), "xy");
    ASSERT_TRUE(KsGetStyledScrap(&text, &read));
    EXPECT_TRUE(read.empty());
    // Another program's copy brings plain text only: the runs were for ours.
    ASSERT_EQ(KsPutStyledScrap("caf\x8E bold", 9, runs), noErr);
    backend->SetClipboardText("outside");
    ASSERT_TRUE(KsGetStyledScrap(&text, &read));
    EXPECT_EQ(text, "outside");
    EXPECT_TRUE(read.empty());
}
