// The styled scrap: 'styl' written and read back, damaged data refused, and
// the styled form kept in process beside the clipboard's text.
#include "KsHeadlessBackend.h"
#include "KsStyleScrap.h"
#include "Scrap.h"
#include "XError.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

KsStyleRun StyleRun(SInt32 start, SInt16 font, Style face, SInt16 size,
                    RGBColor color = {0, 0, 0}) {
    KsStyleRun r;
    r.start = start;
    r.height = SInt16(size + size / 4);
    r.ascent = size;
    r.font = font;
    r.face = face;
    r.size = size;
    r.color = color;
    return r;
}

// One 20-byte run in the classic layout.
std::string RawRun(UInt32 start, SInt16 height = 12, SInt16 size = 9, UInt8 face = 0) {
    std::string b;
    for (int s = 24; s >= 0; s -= 8)
        b += char(UInt8(start >> s));
    b += {char(UInt16(height) >> 8),
          char(height & 0xFF),
          char(0),
          char(10),
          char(0),
          char(4),
          char(face),
          char(0),
          char(UInt16(size) >> 8),
          char(size & 0xFF)};
    b += std::string(6, '\x7F');
    return b;
}

std::string Raw(SInt16 count, const std::string& runs) {
    return std::string{char(UInt16(count) >> 8), char(count & 0xFF)} + runs;
}

} // namespace

TEST(StyleScrap, WritesTheClassicLayoutAndReadsItBack) {
    const std::vector<KsStyleRun> runs = {StyleRun(0, 4, 0, 9), StyleRun(5, 22, bold | italic, 14),
                                          StyleRun(9, 3, underline, 0, {0xFFFF, 0x8000, 0x0001})};
    const std::string bytes = KsWriteStyleScrap(runs, 12);
    ASSERT_EQ(bytes.size(), 2 + 3 * kKsStyleRunBytes);
    EXPECT_EQ(bytes.substr(0, 2), std::string("\0\3", 2));
    // The second run, field by field: start 5, height 17, ascent 14, font 22,
    // face 3 and its filler, size 14, black.
    EXPECT_EQ(bytes.substr(22, 20),
              std::string("\0\0\0\5\0\x11\0\x0E\0\x16\3\0\0\x0E\0\0\0\0\0\0", 20));
    EXPECT_EQ(KsReadStyleScrap(bytes.data(), bytes.size(), 12), runs);
}

TEST(StyleScrap, RefusesDamagedData) {
    const std::string good = Raw(2, RawRun(0) + RawRun(3));
    ASSERT_EQ(KsReadStyleScrap(good.data(), good.size(), 4).size(), 2u);
    struct Case {
        const char* what;
        std::string bytes;
        SInt32 textLength;
    } cases[] = {
        {"empty", "", 4},
        {"one byte of count", std::string(1, '\0'), 4},
        {"no runs", Raw(0, ""), 4},
        {"negative count", Raw(-1, RawRun(0)), 4},
        {"count beyond the data", Raw(3, RawRun(0) + RawRun(3)), 4},
        {"a run cut short", good.substr(0, good.size() - 1), 4},
        {"bytes after the runs", good + '\0', 4},
        {"huge count, little data", Raw(32767, RawRun(0)), 4},
        {"first run not at 0", Raw(1, RawRun(1)), 4},
        {"runs out of order", Raw(2, RawRun(0) + RawRun(0)), 4},
        {"run past the text", Raw(2, RawRun(0) + RawRun(4)), 4},
        {"start with the sign bit", Raw(2, RawRun(0) + RawRun(0x80000000u)), 4},
        {"negative size", Raw(1, RawRun(0, 12, -2)), 4},
        {"negative height", Raw(1, RawRun(0, -1)), 4},
        {"negative text length", good, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            KsReadStyleScrap(c.bytes.data(), c.bytes.size(), c.textLength);
            ADD_FAILURE() << "accepted";
        } catch (const XError& e) {
            EXPECT_STREQ(e.GetCode(), "TBX_BAD_STYLE_SCRAP");
        }
    }
    // Unknown face bits are dropped, not refused; an empty text has one run.
    const std::string faces = Raw(1, RawRun(0, 12, 9, 0xFF));
    EXPECT_EQ(KsReadStyleScrap(faces.data(), faces.size(), 0).at(0).face, 0x7F);
    // The writer keeps the same rules, so nothing it writes is refused later.
    EXPECT_THROW(KsWriteStyleScrap({StyleRun(0, 4, 0, 9), StyleRun(7, 4, 0, 9)}, 7), XError);
    EXPECT_THROW(KsWriteStyleScrap({}, 7), XError);
}

TEST(StyleScrap, StylesStayInProcessBesideTheClipboardText) {
    auto headless = std::make_unique<KsHeadlessBackend>();
    KsHeadlessBackend* backend = headless.get();
    auto previous = KsInstallBackend(std::move(headless));
    const std::vector<KsStyleRun> runs = {StyleRun(0, 4, 0, 9), StyleRun(4, 4, bold, 9)};
    ASSERT_EQ(KsPutStyledScrap("caf\x8E bold", 9, runs), noErr);
    EXPECT_EQ(backend->GetClipboardText(), "caf\xC3\xA9 bold");
    std::string text;
    std::vector<KsStyleRun> read;
    ASSERT_TRUE(KsGetStyledScrap(&text, &read));
    EXPECT_EQ(text, "caf\x8E bold");
    EXPECT_EQ(read, runs);
    // Runs that do not fit their text leave the scrap untouched.
    EXPECT_THROW(KsPutStyledScrap("ab", 2, runs), XError);
    ASSERT_TRUE(KsGetStyledScrap(&text, &read));
    EXPECT_EQ(read, runs);
    // Another program's copy brings plain text only: the runs were for ours.
    backend->SetClipboardText("outside");
    ASSERT_TRUE(KsGetStyledScrap(&text, &read));
    EXPECT_EQ(text, "outside");
    EXPECT_TRUE(read.empty());
    ZeroScrap();
    EXPECT_FALSE(KsGetStyledScrap(&text, &read));
    KsInstallBackend(std::move(previous));
}
