// The scrap: 'TEXT' through the system clipboard with conversion, other types
// in process, the change count, outside changes and the read limit.
#include "Scrap.h"
#include "KsHandle.h"
#include "KsHeadlessDesk.h"
#include "ScrapPrivate.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr ResType kText = FourCharCode("TEXT");
constexpr ResType kStyl = FourCharCode("styl");
constexpr ResType kPict = FourCharCode("PICT");

class ScrapTest : public ::testing::Test {
protected:
    void SetUp() override {
        ZeroScrap();
        h = KsNewHandle(0);
    }
    void TearDown() override {
        KsSetScrapTextLimit(0);
        KsDisposeHandle(h);
    }
    void Put(ResType type, const std::string& bytes) {
        ASSERT_EQ(PutScrap(SInt32(bytes.size()), type, bytes.data()), noErr);
    }
    // The entry's bytes, or "<err N>".
    std::string Get(ResType type) {
        SInt32 offset = -1;
        SInt32 n = GetScrap(h, type, &offset);
        if (n < 0) return "<err " + std::to_string(n) + ">";
        EXPECT_EQ(KsGetHandleSize(h), n);
        return std::string(*h, std::size_t(n));
    }

    HeadlessDesk desk{640, 480, DeskWith::eventsOnly};
    KsHeadlessBackend* backend = desk.backend;
    Handle h = nullptr;
};

} // namespace

TEST_F(ScrapTest, TextGoesToTheClipboardAsUTF8WithLineFeeds) {
    // é, bullet and euro in Mac OS Roman; CR line ends.
    Put(kText, "caf\x8E \xA5 \xDB\rline 2\r");
    EXPECT_EQ(backend->GetClipboardText(), "caf\xC3\xA9 \xE2\x80\xA2 \xE2\x82\xAC\nline 2\n");
    // Reading it back gives the bytes that were put, not a re-conversion.
    EXPECT_EQ(Get(kText), "caf\x8E \xA5 \xDB\rline 2\r");
}

TEST_F(ScrapTest, OutsideClipboardTextReplacesTheScrap) {
    Put(kPict, "picture");
    const SInt16 before = KsGetScrapCount();
    // Another program copies: CRLF, LF and a lone CR all become CR; a check
    // mark has no Mac OS Roman form; an invalid byte becomes '?' too.
    backend->SetClipboardText("na\xC3\xAFve\r\nx\ny\rz \xE2\x9C\x93 \xFF");
    EXPECT_NE(KsGetScrapCount(), before);
    EXPECT_EQ(Get(kText), "na\x95ve\rx\ry\rz ? ?");
    EXPECT_EQ(Get(kPict), "<err -102>") << "the outside copy replaced the whole scrap";
    // Seen once, the same text is no longer a change.
    const SInt16 seen = KsGetScrapCount();
    EXPECT_EQ(Get(kText), "na\x95ve\rx\ry\rz ? ?");
    EXPECT_EQ(KsGetScrapCount(), seen);
    // Emptied from outside: no text any more.
    backend->SetClipboardText("");
    EXPECT_EQ(Get(kText), "<err -102>");
    EXPECT_NE(KsGetScrapCount(), seen);
}

TEST_F(ScrapTest, TypesMixInProcess) {
    Put(kText, "abc");
    Put(kStyl, "style");
    Put(kPict, "pict!!");
    EXPECT_EQ(backend->GetClipboardText(), "abc") << "only TEXT reaches the clipboard";
    EXPECT_EQ(Get(kText), "abc");
    EXPECT_EQ(Get(kStyl), "style");
    EXPECT_EQ(Get(kPict), "pict!!");
    EXPECT_EQ(Get(FourCharCode("snd ")), "<err -102>");
    EXPECT_EQ(GetScrap(nullptr, kStyl, nullptr), 5) << "no handle: the length alone";

    // Classic layout: 8-byte header per entry, data padded to even length.
    SInt32 offset = 0;
    GetScrap(nullptr, kText, &offset);
    EXPECT_EQ(offset, 8);
    GetScrap(nullptr, kStyl, &offset);
    EXPECT_EQ(offset, 8 + 4 + 8);
    GetScrap(nullptr, kPict, &offset);
    EXPECT_EQ(offset, 8 + 4 + 8 + 6 + 8);
    EXPECT_EQ(InfoScrap()->scrapSize, 8 + 4 + 8 + 6 + 8 + 6);

    // Putting a type again replaces that entry and leaves the others.
    Put(kStyl, "s2");
    EXPECT_EQ(Get(kStyl), "s2");
    EXPECT_EQ(Get(kText), "abc");
    EXPECT_EQ(Get(kPict), "pict!!");
    Put(kText, "");
    EXPECT_EQ(Get(kText), "");
    EXPECT_EQ(Get(kPict), "pict!!") << "an empty TEXT is not an outside change";
}

TEST_F(ScrapTest, ZeroScrapEmptiesScrapAndClipboard) {
    Put(kText, "abc");
    Put(kPict, "p");
    ZeroScrap();
    EXPECT_EQ(backend->GetClipboardText(), "");
    EXPECT_EQ(Get(kText), "<err -102>");
    EXPECT_EQ(Get(kPict), "<err -102>");
    EXPECT_EQ(InfoScrap()->scrapSize, 0);
}

TEST_F(ScrapTest, CountChangesWithEveryChangeOnly) {
    SInt16 count = KsGetScrapCount();
    ZeroScrap();
    EXPECT_NE(KsGetScrapCount(), count);
    count = KsGetScrapCount();
    Put(kPict, "p");
    EXPECT_NE(KsGetScrapCount(), count);
    count = KsGetScrapCount();
    Put(kText, "t");
    EXPECT_NE(KsGetScrapCount(), count);
    count = KsGetScrapCount();
    Get(kText);
    Get(kPict);
    LoadScrap();
    UnloadScrap();
    EXPECT_EQ(KsGetScrapCount(), count) << "reading changes nothing";
    EXPECT_EQ(InfoScrap()->scrapCount, count);
}

TEST_F(ScrapTest, RefusesBadArguments) {
    SInt16 count = KsGetScrapCount();
    EXPECT_EQ(PutScrap(-1, kText, "x"), paramErr);
    EXPECT_EQ(PutScrap(4, kText, nullptr), paramErr);
    EXPECT_EQ(PutScrap(0, kPict, nullptr), noErr);
    EXPECT_EQ(Get(kPict), "");
    EXPECT_EQ(Get(kText), "<err -102>");
    EXPECT_NE(KsGetScrapCount(), count);
}

TEST_F(ScrapTest, HugeClipboardTextIsCutAtTheLimit) {
    constexpr std::size_t kLimit = 4096;
    EXPECT_EQ(KsSetScrapTextLimit(kLimit), kKsScrapTextLimit);
    // A two-byte character straddling the limit is dropped whole.
    std::string text(kLimit - 1, 'a');
    text += "\xC3\xA9";
    text += std::string(1000, 'b');
    backend->SetClipboardText(text);
    SInt32 n = GetScrap(h, kText, nullptr);
    ASSERT_EQ(n, SInt32(kLimit - 1));
    EXPECT_EQ((*h)[n - 1], 'a');
    // A change beyond the limit is still seen when the size differs.
    const SInt16 count = KsGetScrapCount();
    text += 'c';
    backend->SetClipboardText(text);
    EXPECT_NE(KsGetScrapCount(), count);
    KsSetScrapTextLimit(0);
}
