// Text fields in both persistence formats, the stream's bound on the stored
// text, quiet canonical rewrites, display updates, appending, growth and
// captions.
#include "AMemStream.h"
#include "AMultiLineCaption.h"
#include "AObjDoc.h"
#include "GadgetTestSupport.h"
#include "KsFieldScript.h"
#include "KsHandle.h"
#include "KsPixels.h"
#include "PaneStream.h"
#include "PaneTextTestSupport.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

class TextEntryPersistTest : public GadgetTest {
protected:
    ATextEntry* Field(const char* text = nullptr, SInt16 hei = 22) {
        return ATextEntry::New(main, 20, S, 160, 20, S, hei, text, false);
    }
    static Handle Written(APane* p) {
        AMemStream out;
        AObjDoc(out).Write(p);
        return KsNewHandleFrom(*out.GetDataHandle(), KsGetHandleSize(out.GetDataHandle()));
    }
    static APane* Read(Handle h) {
        AMemStream in(h);
        AObjDoc doc(in);
        doc.Read();
        return static_cast<APane*>(doc.TakeObject());
    }
    // The desktop pixel at a point of the window's port.
    UInt32 Pixel(SInt16 h, SInt16 v) {
        Point pt{v, h};
        SetPortWindowPort(win->GetWindowPtr());
        LocalToGlobal(&pt);
        return DesktopPixel(pt.h, pt.v);
    }
    void Mark(SInt16 h, SInt16 v) {
        SetPortWindowPort(win->GetWindowPtr());
        const RGBColor red{0xFFFF, 0, 0};
        RGBForeColor(&red);
        const Rect r{v, h, SInt16(v + 1), SInt16(h + 1)};
        PaintRect(&r);
    }
};

TEST_F(TextEntryPersistTest, SettingsAndTextComeBackFromBothFormats) {
    struct Case {
        const char* text;
        bool readOnly, crCloses, fitTextInX, clickSelects;
        SInt16 minDestWid, size, just;
    } cases[] = {
        {"Hello\rWorld", true, false, true, true, 50, 9, teFlushRight},
        {"", false, true, false, false, 0, 12, teCenter},
        {"\x8E\xA5 tab\there", false, false, false, true, 300, 18, teFlushDefault},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ATextEntry* f = Field(c.text);
        f->SetReadOnly(c.readOnly);
        f->SetCrCloses(c.crCloses);
        f->SetFitTextInX(c.fitTextInX);
        f->SetClickSelects(c.clickSelects);
        f->SetMinDestWid(c.minDestWid);
        f->SetFontSizeFace(1, c.size, bold);
        f->SetJust(c.just);
        Handle h = Written(f);
        APane* fromStream = Read(h);
        KsDisposeHandle(h);
        const std::string text = WritePaneText(f);
        APane* fromText = ReadPaneText(text.data(), long(text.size()), nullptr, nullptr);
        for (APane* p : {fromStream, fromText}) {
            ASSERT_TRUE(p && p->IsInstanceOf("ATextEntry"));
            auto* g = static_cast<ATextEntry*>(p);
            EXPECT_EQ(g->GetString(), c.text);
            EXPECT_EQ(g->GetReadOnly(), c.readOnly);
            EXPECT_EQ(g->GetCrCloses(), c.crCloses);
            EXPECT_EQ(g->GetFitTextInX(), c.fitTextInX);
            EXPECT_EQ(g->GetClickSelects(), c.clickSelects);
            EXPECT_EQ(g->GetMinDestWid(), c.minDestWid);
            SInt16 font = 0, size = 0, face = 0;
            g->GetFontSizeFace(&font, &size, &face);
            EXPECT_EQ(size, c.size);
            EXPECT_EQ(face, bold);
            EXPECT_EQ(g->GetJust(nullptr), c.just);
            EXPECT_EQ((*g->GetTE())->just, c.just);
            p->Dispose();
        }
        f->Dispose();
    }
}

// A stored length beyond what the stream holds is refused before anything
// is sized from it.
TEST_F(TextEntryPersistTest, StreamReaderBoundsTheStoredTextLength) {
    ATextEntry* f = Field("abcde");
    Handle h = Written(f);
    char* data = *h;
    const long size = KsGetHandleSize(h);
    char* at = std::search(data, data + size, "textlen", "textlen" + 7);
    ASSERT_NE(at, data + size);
    // The error names the item at fault: the stored length, or the text
    // whose size disagrees with it.
    const struct {
        UInt32 len;
        const char* code;
        const char* blamed;
    } cases[] = {{0x7FFFFFF0u, kStrmCorrupt, "textlen"},
                 {0xFFFFFFFFu, kStrmCorrupt, "textlen"},
                 {6u, kStrmCorrupt, "text"},
                 {4u, kStrmTooLong, "text"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.len);
        for (int i = 0; i < 4; ++i)
            at[7 + i] = char(c.len >> (24 - 8 * i));
        const XError e = panetext_test::ErrorOf([&] { Read(h); });
        EXPECT_STREQ(e.GetCode(), c.code);
        EXPECT_EQ(panetext_test::ParamText(e, "label"), c.blamed);
    }
    KsDisposeHandle(h);
}

// A field that puts its text into canonical form in its final commit.
class UpperEntry : public ATextEntry {
public:
    void TextToValue(bool final, bool notify) override {
        if (final) {
            std::string s = GetString();
            for (char& ch : s)
                ch = char(std::toupper(static_cast<unsigned char>(ch)));
            SetCstr(s.c_str());
        }
        ATextEntry::TextToValue(final, notify);
    }
};

TEST_F(TextEntryPersistTest, CanonicalRewriteAfterTheFinalCommitDoesNotNotifyAgain) {
    auto* f = new UpperEntry;
    f->ITextEntry(main, 20, S, 160, 20, S, 22, nullptr, false);
    CommitLog log;
    log.Attach(f);
    TypeKeys(app, backend, "\tab\r");
    EXPECT_EQ(f->GetString(), "AB");
    EXPECT_EQ(log.heard, "ccF");
    // Text set by program, outside a commit, is heard.
    log.Clear();
    f->SetCstr("x");
    f->SetCstr("x"); // the same text again: nothing
    EXPECT_EQ(log.heard, "c");
}

// A displayed value redraws only from its first changed character.
TEST_F(TextEntryPersistTest, UpdateCstrRedrawsFromTheFirstChange) {
    struct Case {
        const char* from;
        const char* to;
        bool firstKept, lastKept;
    } cases[] = {
        {"00:01:09", "00:01:10", true, false},
        {"00:01:09", "10:01:09", false, false},
        {"00:01:09", "00:01:09", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.to);
        ATextEntry* f = Field(c.from);
        CommitLog log;
        log.Attach(f);
        win->Draw(nullptr, nullptr);
        const KsRect in = f->GetInterior();
        const SInt16 v = SInt16((in.top + in.bottom) / 2);
        const SInt16 first = SInt16(in.left + 1);
        const SInt16 last = SInt16(KsTEGetPoint(7, f->GetTE()).h + 2);
        Mark(first, v);
        Mark(last, v);
        f->UpdateCstr(c.to, true);
        EXPECT_EQ(f->GetString(), c.to);
        EXPECT_EQ(Pixel(first, v) == 0xFF0000, c.firstKept);
        EXPECT_EQ(Pixel(last, v) == 0xFF0000, c.lastKept);
        EXPECT_EQ(log.heard, c.lastKept ? "" : "c");
        f->Dispose();
    }
}

TEST_F(TextEntryPersistTest, AppendingKeepsTheNewestTextUnderTheCap) {
    ATextEntry* f = Field();
    const std::string chunk(1000, 'a');
    for (int i = 0; i < 20; ++i)
        f->AppendCstr((chunk + char('A' + i)).c_str());
    const std::string s = f->GetString();
    EXPECT_LE(SInt32(s.size()), ATextEntry::kAppendCap);
    EXPECT_EQ(s.back(), 'T');
    f->AppendCstr(std::string(20000, 'z').c_str());
    EXPECT_EQ(f->GetTextLen(), ATextEntry::kAppendCap);
}

TEST_F(TextEntryPersistTest, GrowsDownLineByLineUpToItsLimits) {
    ATextEntry* f = Field();
    f->SetAutoSizesV(kTEAutoBottom);
    f->SetAutoMaxLines(3);
    const SInt32 top = f->GetBounds().top, line = (*f->GetTE())->lineHeight;
    const SInt32 border = f->GetBounds().Height() - f->GetInterior().Height();
    const struct {
        const char* text;
        SInt32 lines;
    } steps[] = {{"a", 1}, {"a\rb", 2}, {"a\rb\rc", 3}, {"a\rb\rc\rd\re", 3}, {"", 1}};
    for (const auto& s : steps) {
        SCOPED_TRACE(s.text);
        f->SetCstr(s.text);
        EXPECT_EQ(f->GetBounds().top, top);
        EXPECT_EQ(f->GetBounds().Height(), s.lines * line + border);
    }
    // The enclosure's bottom stops it.
    f->SetAutoMaxLines(1000);
    f->SetCstr(std::string(200, '\r').c_str());
    EXPECT_LE(f->GetBounds().bottom, main->GetInterior().bottom);
}

TEST_F(TextEntryPersistTest, CaptionClicksItsGadgetAndEitherSideMayGoFirst) {
    for (bool captionFirst : {true, false}) {
        RecGadget* g = Add(20, 100);
        auto* cap = new AMultiLineCaption("cap", "Caption", 110, S, 80, 100, S, 20, kLabelLeft,
                                          nullptr, main, g);
        EXPECT_EQ(g->GetCaption(), cap);
        cap->DoClick(KsPoint{115, 105}, 0, 0, nullptr);
        EXPECT_EQ(g->goodClickTicks.size(), 1u);
        if (captionFirst) {
            cap->Dispose();
            EXPECT_EQ(g->GetCaption(), nullptr);
            g->Dispose();
        } else {
            g->Dispose();
            EXPECT_EQ(cap->GetAssociatedGad(), nullptr);
            cap->Dispose();
        }
    }
}

} // namespace
