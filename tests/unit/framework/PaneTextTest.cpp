// The pane property text: line format, reader tolerance and limits, whole
// trees against hand-written goldens, round trips, failure cleanliness; the
// writer against a plain printf-style formatting of long documents.
#include "PaneStream.h"
#include "PaneTextTestSupport.h"

#include "APane.h"
#include "MacText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

using namespace panetext_test;

namespace {

// --- Lines --------------------------------------------------------------------

TEST(PaneTextLines, WriterFormatsEachTypeExactly) {
    PaneStream s;
    s.PutLong("version", 1);
    s.Indent(1);
    s.PutLong("labeldx", -40);
    s.PutCString("longlabel9", "a\rb\nc\\d");
    s.PutCString("null", nullptr);
    s.PutCString("EndProps", "");
    s.Indent(-1);
    EXPECT_EQ(s.GetText(), "version  l\t1\r"
                           "\tlabeldx  l\t-40\r"
                           "\tlonglabel9 s\ta\\rb\\nc\\\\d\r"
                           "\tnull     s\t\\0\r"
                           "\tEndProps s\t\r");
    EXPECT_EQ(s.GetLength(), long(s.GetText().size()));
}

TEST(PaneTextLines, BytesContinueAfterEvery32AndReadBack) {
    unsigned char data[40];
    for (int i = 0; i < 40; ++i)
        data[i] = UInt8(i * 7 + 0xA0);
    PaneStream w;
    w.Indent(1);
    w.PutBytes("blob", data, 40);
    std::string expected = "\tblob     b\t";
    char hex[3];
    for (int i = 0; i < 40; ++i) {
        if (i == 32) expected += " \\\r\t\t\t\t";
        std::snprintf(hex, sizeof hex, "%2.2x", data[i]);
        expected += hex;
    }
    expected += "\r";
    EXPECT_EQ(w.GetText(), expected);

    PaneStream r(w.GetText().data(), long(w.GetText().size()));
    PaneStream::Line line;
    ASSERT_TRUE(r.ReadLine(&line));
    EXPECT_EQ(line.type, 'b');
    EXPECT_EQ(line.value, std::string(reinterpret_cast<char*>(data), 40));
    EXPECT_FALSE(r.ReadLine(&line));
}

TEST(PaneTextLines, LargeValuesReadBackWhole) {
    std::string text(20000, 'x');
    text[5000] = '\r';
    text[9000] = '\\';
    std::string bytes(9000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 31);
    PaneStream w;
    w.PutCString("t", text.c_str());
    w.PutBytes("b", bytes.data(), long(bytes.size()));
    PaneStream r(w.GetText().data(), long(w.GetText().size()));
    PaneStream::Line line;
    ASSERT_TRUE(r.ReadLine(&line));
    EXPECT_EQ(line.value, text);
    ASSERT_TRUE(r.ReadLine(&line));
    EXPECT_EQ(line.value, bytes);
}

TEST(PaneTextLines, ReaderTakesAnyLineEndAndBlankLines) {
    for (const char* end : {"\r", "\n", "\r\n"}) {
        std::string text = std::string("\n  version l 7") + end + end + "\t x  s\tv\\" + end +
                           "  b b\tAB0f \\ " + end + "  \t 10" + end;
        PaneStream r(text.data(), long(text.size()));
        PaneStream::Line line;
        ASSERT_TRUE(r.ReadLine(&line));
        EXPECT_EQ(line.label, "version");
        EXPECT_EQ(line.integer, 7);
        EXPECT_EQ(line.number, 2);
        ASSERT_TRUE(r.ReadLine(&line));
        EXPECT_EQ(line.value, "v\\") << "a trailing backslash stands for itself";
        EXPECT_EQ(line.number, 4);
        ASSERT_TRUE(r.ReadLine(&line));
        EXPECT_EQ(line.value, "\xAB\x0F\x10") << "uppercase hex, continued line";
        EXPECT_FALSE(r.ReadLine(&line));
        EXPECT_TRUE(r.AtEnd());
    }
}

TEST(PaneTextLines, BadLinesRaiseErrorsNamingTheLine) {
    struct Case {
        const char* text;
        int line;
        const char* problem;
    } cases[] = {
        {"a l\t1\rb b\tabc\r", 2, "odd"},
        {"a l\t1\r\nb b\t0g\r", 2, "not a hexadecimal digit"},
        {"a l\t1\rb b\t00 \\ 11\r", 2, "must end its line"},
        {"x l\t12a\r", 1, "not a whole number"},
        {"x l\t\r", 1, "not a whole number"},
        {"x l\t2147483648\r", 1, "outside the 32-bit range"},
        {"\n\nx q\t1\r", 3, "not a type letter"},
        {"x l1\r", 1, "followed by a space or a tab"},
        {"lonelylabel\r", 1, "no type letter"},
    };
    for (const Case& c : cases) {
        PaneStream r(c.text, long(std::strlen(c.text)));
        PaneStream::Line line;
        XError e = ErrorOf([&] {
            while (r.ReadLine(&line)) {
            }
        });
        EXPECT_STREQ(e.GetCode(), kPaneTextErrorCode) << c.text;
        EXPECT_EQ(ParamInt(e, "line"), c.line) << c.text;
        EXPECT_NE(ParamText(e, "problem").find(c.problem), std::string::npos)
            << c.text << " -> " << ParamText(e, "problem");
    }
    // A label of any length is bounded, never copied into a fixed buffer.
    std::string longLabel(300, 'L');
    longLabel += " l\t1\r";
    PaneStream r(longLabel.data(), long(longLabel.size()));
    PaneStream::Line line;
    EXPECT_EQ(ParamInt(ErrorOf([&] { r.ReadLine(&line); }), "line"), 1);
}

TEST(PaneTextLines, TypedReadsCheckLabelTypeAndBuffer) {
    const char text[] = "Subs l\t3\rClass s\tAPushButton\rEndClass s\tX\r";
    PaneStream r(text, long(sizeof text - 1));
    EXPECT_EQ(r.GetLong("SUBS"), 3) << "labels compare case-insensitively";
    char small[8];
    XError e = ErrorOf([&] { r.GetCString("Class", small, sizeof small); });
    EXPECT_STREQ(e.GetCode(), kPaneTextOverflowCode);
    EXPECT_EQ(ParamInt(e, "line"), 2);
    XError wrong = ErrorOf([&] { r.GetLong("EndSubs"); });
    EXPECT_EQ(ParamText(wrong, "problem"),
              "Expected 'l' type, label 'EndSubs'.\nFound 's' type, label 'EndClass'");
}

// --- Whole trees --------------------------------------------------------------

APane* ReadText(const std::string& text, APane* encl = nullptr) {
    return ReadPaneText(text.data(), long(text.size()), encl, nullptr);
}

TEST(PaneTextTree, GoldenReadsIntoTheTreeItDescribes) {
    PaneTree tree(ReadText(Golden("tree.ksp3")));
    APane* root = tree.root;
    ASSERT_EQ(root->GetNumSubPanes(), 2);
    char id[64];
    EXPECT_TRUE(root->GetPaneID(id, sizeof id));
    EXPECT_STREQ(id, "win");
    APane* gain = root->FindPaneByID("gain");
    ASSERT_NE(gain, nullptr);
    EXPECT_EQ(gain->GetEnclPane(), root);
    EXPECT_EQ(gain->GetBounds(), (KsRect{20, 10, 120, 40}));
    EXPECT_EQ(gain->GetXOffset(), 70000);
    EXPECT_EQ(gain->GetYOffset(), -5);
    ASSERT_NE(gain->GetLabel(), nullptr);
    EXPECT_STREQ(gain->GetLabel()->GetText(), "Gain");
    EXPECT_EQ(gain->GetLabel()->GetSize(), 9);
    EXPECT_EQ(gain->GetLabel()->GetJust(), -1);
    ASSERT_NE(gain->GetHelpText(), nullptr);
    EXPECT_STREQ(gain->GetHelpText()->GetText(), "Line one\rC:\\path\nend");
    EXPECT_EQ(gain->GetBorderStyle(), 6);
    EXPECT_EQ(gain->GetLabelDX(), 40);
    EXPECT_FALSE(gain->GetDrawsBackground());
    EXPECT_TRUE(gain->GetAlwaysDawdle());
    EXPECT_TRUE(root->GetAlwaysDawdle()) << "hierarchy values come up from the sub-panes";
    EXPECT_EQ(gain->GetFlags(), 143u);
    EXPECT_EQ(gain->GetNumSubPanes(), 1);
    APane* meter = root->FindPaneByID("meter");
    ASSERT_NE(meter, nullptr);
    EXPECT_FALSE(meter->GetOwnVisible());
    EXPECT_TRUE(meter->GetDisplayOnly());
    EXPECT_FALSE(meter->GetDefaultsCursor());
    EXPECT_TRUE(meter->GetFlag(kPaneAbortGadget));
    ASSERT_NE(meter->GetBodyText(), nullptr);
    EXPECT_EQ(meter->GetBodyText()->GetFace(), 3);
    // No sizing bit set: a pane placed with free axes keeps the bounds read.
    EXPECT_EQ(gain->GetSubPane(1)->GetBounds().TopLeft(), (KsPoint{62, 12}));
}

TEST(PaneTextTree, GoldenWritesBackByteForByteWithAnyLineEnds) {
    const std::string golden = Golden("tree.ksp3");
    for (const char* end : {"\r", "\n", "\r\n"}) {
        PaneTree tree(ReadText(WithLineEnds(golden, end)));
        EXPECT_EQ(WritePaneText(tree.root), golden) << "line ends " << int(end[0]);
    }
}

TEST(PaneTextTree, ClassNamesMatchWhateverTheirCase) {
    std::string text = Golden("tree.ksp3");
    std::size_t at = text.find("Class    s\tAPane");
    text.replace(at, 16, "Class    s\tapane");
    PaneTree tree(ReadText(text));
    EXPECT_STREQ(tree.root->ClassName(), "APane");
}

TEST(PaneTextTree, FailedReadLeavesNothingBehind) {
    const std::string golden = Golden("tree.ksp3");
    APane* encl = new APane;
    PaneTree hold(encl);
    const long live = APane::GetLivePaneCount();
    // Cut the text at many points: each read fails cleanly.
    for (std::size_t cut = 10; cut < golden.size(); cut += 97) {
        XError e = ErrorOf([&] { ReadText(golden.substr(0, cut), encl); });
        EXPECT_TRUE(e.IsError());
        EXPECT_EQ(encl->GetNumSubPanes(), 0);
        EXPECT_EQ(APane::GetLivePaneCount(), live) << "cut at " << cut;
    }
    PaneTree ok(ReadText(golden, encl));
    EXPECT_EQ(encl->GetNumSubPanes(), 1);
    EXPECT_EQ(ok.root->GetEnclPane(), encl);
    encl->RemoveSubPane(ok.root);
}

TEST(PaneTextTree, DocumentLevelErrors) {
    std::string v2 = Golden("tree.ksp3");
    v2[11] = '2';
    EXPECT_EQ(ParamText(ErrorOf([&] { ReadText(v2); }), "problem"), "Pane is unknown version");

    std::string extra = Golden("tree.ksp3") + "junk l\t1\r";
    XError e = ErrorOf([&] { ReadText(extra); });
    EXPECT_NE(ParamText(e, "problem").find("text follows"), std::string::npos);
    EXPECT_EQ(ParamInt(e, "line"), long(std::count(extra.begin(), extra.end(), '\r')));

    std::string subs = Golden("tree.ksp3");
    std::size_t at = subs.find("EndSubs  l\t2");
    subs[at + 11] = '3';
    EXPECT_NE(ParamText(ErrorOf([&] { ReadText(subs); }), "problem").find("does not match"),
              std::string::npos);
}

TEST(PaneTextTree, NestingIsLimited) {
    auto nested = [](int depth) {
        std::string t = "version l\t1\r";
        for (int i = 0; i < depth; ++i)
            t += "Class s\tAPane\rEndProps s\t\rSubs l\t1\r";
        t += "Class s\tAPane\rEndProps s\t\rSubs l\t0\rEndClass s\tAPane\r";
        for (int i = 0; i < depth; ++i)
            t += "EndSubs l\t1\rEndClass s\tAPane\r";
        return t;
    };
    const long live = APane::GetLivePaneCount();
    PaneTree ok(ReadText(nested(kPaneTextMaxDepth - 1)));
    EXPECT_EQ(WritePaneText(ok.root).size() > 0, true);
    XError e = ErrorOf([&] { ReadText(nested(kPaneTextMaxDepth + 500)); });
    EXPECT_NE(ParamText(e, "problem").find("nested"), std::string::npos);
    ok.root->Dispose();
    ok.root = nullptr;
    EXPECT_EQ(APane::GetLivePaneCount(), live);
}

// A scroll-pane-like class whose inner block must be of one class.
class TestScroller : public APane {
    KS_DECLARE_CLASS(TestScroller, APane)
    APane* inner = nullptr;
};
class TestScrollable : public APane {
    KS_DECLARE_CLASS(TestScrollable, APane)
};

TEST(PaneTextTree, ScrollPaneInnerBlockIsCheckedBeforeInstalling) {
    PaneTextClass scroller;
    scroller.name = "TestScroller";
    scroller.make = [] { return static_cast<APane*>(new TestScroller); };
    scroller.addProps = {[](APane* p, CoreAttrList* l) { p->AddPropsToList(l); }};
    scroller.getProps = {[](APane* p, CoreAttrList* l) { p->GetPropsFromList(l); }};
    scroller.subs = PaneTextSubs::scrollPane;
    scroller.getInner = [](APane* p) { return static_cast<TestScroller*>(p)->inner; };
    scroller.innerClass = "TestScrollable";
    scroller.installInner = [](APane* outer, APane* inner) {
        static_cast<TestScroller*>(outer)->inner = inner;
        outer->AddSubPane(inner);
    };
    PaneTextRegisterClass(scroller);
    PaneTextClass scrollable = *PaneTextFindClass("APane");
    scrollable.name = "TestScrollable";
    scrollable.make = [] { return static_cast<APane*>(new TestScrollable); };
    scrollable.subs = PaneTextSubs::none;
    PaneTextRegisterClass(scrollable);

    const char* good = "version l\t1\rClass s\tTestScroller\rEndProps s\t\r"
                       "\tClass s\ttestscrollable\r\tEndProps s\t\r\tEndClass s\tx\r"
                       "EndClass s\tTestScroller\r";
    PaneTree tree(ReadText(good));
    ASSERT_TRUE(tree.root->IsInstanceOf("TestScroller"));
    APane* inner = static_cast<TestScroller*>(tree.root)->inner;
    ASSERT_NE(inner, nullptr);
    EXPECT_TRUE(inner->IsInstanceOf("TestScrollable"));
    std::string written = WritePaneText(tree.root);
    PaneTree again(ReadText(written));
    EXPECT_EQ(WritePaneText(again.root), written);

    const long live = APane::GetLivePaneCount();
    const char* wrongClass = "version l\t1\rClass s\tTestScroller\rEndProps s\t\r"
                             "\tClass s\tAPane\r\tEndProps s\t\r\tSubs l\t0\r\tEndClass s\tx\r"
                             "EndClass s\tTestScroller\r";
    XError e = ErrorOf([&] { ReadText(wrongClass); });
    EXPECT_NE(ParamText(e, "problem").find("not TestScrollable"), std::string::npos);
    EXPECT_EQ(APane::GetLivePaneCount(), live);

    const char* missing = "version l\t1\rClass s\tTestScroller\rEndProps s\t\r"
                          "EndClass s\tTestScroller\r";
    EXPECT_EQ(ParamText(ErrorOf([&] { ReadText(missing); }), "problem"), "No scrollablePane");
    EXPECT_EQ(APane::GetLivePaneCount(), live);
}

} // namespace

using namespace panetext_test;

namespace {

// The lines as the format describes them, one printf at a time.
struct ReferenceWriter {
    std::string text;
    int indent = 0;

    void Head(const std::string& label, char type) {
        text.append(std::size_t(indent), '\t');
        char buf[300];
        std::snprintf(buf, sizeof buf, "%-8s %c\t", label.c_str(), type);
        text += buf;
    }
    void Long(const std::string& label, SInt32 v) {
        text.append(std::size_t(indent), '\t');
        char buf[300];
        std::snprintf(buf, sizeof buf, "%-8s l\t%ld\r", label.c_str(), long(v));
        text += buf;
    }
    void String(const std::string& label, const char* s) {
        Head(label, 's');
        if (!s) {
            text += "\\0";
        } else {
            for (const char* p = s; *p; ++p) {
                if (*p == '\r')
                    text += "\\r";
                else if (*p == '\n')
                    text += "\\n";
                else if (*p == '\\')
                    text += "\\\\";
                else
                    text += *p;
            }
        }
        text += '\r';
    }
    void Bytes(const std::string& label, const std::string& data) {
        Head(label, 'b');
        for (std::size_t i = 0; i < data.size(); ++i) {
            if (i > 0 && i % 32 == 0) {
                text += " \\\r";
                text.append(std::size_t(indent + 3), '\t');
            }
            char hex[3];
            std::snprintf(hex, sizeof hex, "%2.2x", unsigned(UInt8(data[i])));
            text += hex;
        }
        text += '\r';
    }
};

struct Rng {
    UInt64 s;
    UInt32 Next(UInt32 n) {
        s = s * 6364136223846793005ULL + 1442695040888963407ULL;
        return UInt32(s >> 33) % n;
    }
};

std::string RandomLabel(Rng& r) {
    std::string l;
    const UInt32 n = r.Next(14);
    for (UInt32 i = 0; i < n; ++i)
        l += char('a' + r.Next(26));
    return l;
}

// Writes the same random lines to both; checks the length as it goes.
void WriteBoth(PaneStream& s, ReferenceWriter& ref, Rng& r, int lines, std::size_t longValue) {
    for (int i = 0; i < lines; ++i) {
        const std::string label = RandomLabel(r);
        switch (r.Next(6)) {
        case 0: {
            const SInt32 v = r.Next(4) == 0 ? (r.Next(2) ? INT_MIN : INT_MAX)
                                            : SInt32(r.Next(2000000)) - 1000000;
            s.PutLong(label.c_str(), v);
            ref.Long(label, v);
            break;
        }
        case 1:
        case 2: {
            // Now and then a value longer than a whole piece.
            std::string v(r.Next(20) == 0 ? longValue : r.Next(60), 'x');
            for (char& c : v) {
                const UInt32 k = r.Next(12);
                c = k == 0 ? '\r' : k == 1 ? '\n' : k == 2 ? '\\' : char('A' + r.Next(26));
            }
            s.PutCString(label.c_str(), v.c_str());
            ref.String(label, v.c_str());
            break;
        }
        case 3:
            s.PutCString(label.c_str(), nullptr);
            ref.String(label, nullptr);
            break;
        case 4: {
            std::string v(r.Next(20) == 0 ? longValue / 2 : r.Next(100), '\0');
            for (char& c : v)
                c = char(r.Next(256));
            s.PutBytes(label.c_str(), v.data(), long(v.size()));
            ref.Bytes(label, v);
            break;
        }
        default: {
            const int d = r.Next(2) && ref.indent > 0 ? -1 : 1;
            if (ref.indent + d <= 6) {
                s.Indent(d);
                ref.indent += d;
            }
            break;
        }
        }
        ASSERT_EQ(s.GetLength(), long(ref.text.size())) << "after line " << i;
    }
}

TEST(PaneTextWriter, LongDocumentsMatchThePrintfFormatByteForByte) {
    Rng r{7};
    PaneStream s;
    ReferenceWriter ref;
    // Far past the first piece and several later ones, with values longer
    // than a piece among them.
    WriteBoth(s, ref, r, 1500, 100000);
    ASSERT_GT(ref.text.size(), std::size_t(4) << 16);
    EXPECT_EQ(s.GetText(), ref.text);
    // Asking for the text joins the pieces; writing goes on after it.
    WriteBoth(s, ref, r, 400, 70000);
    EXPECT_EQ(s.GetLength(), long(ref.text.size()));
    const std::string taken = s.TakeText();
    EXPECT_TRUE(taken == ref.text);
}

TEST(PaneTextWriter, ReservedRoomIsOnlyAHint) {
    for (std::size_t reserve : {std::size_t(16), std::size_t(1) << 20}) {
        Rng r{reserve};
        PaneStream s;
        s.Reserve(reserve);
        ReferenceWriter ref;
        WriteBoth(s, ref, r, 600, 70000);
        EXPECT_TRUE(s.GetText() == ref.text) << "reserved " << reserve;
        // Reserving once writing is in pieces changes nothing written.
        s.Reserve(std::size_t(8) << 20);
        s.PutLong("after", 1);
        ref.Long("after", 1);
        EXPECT_TRUE(s.GetText() == ref.text) << "reserved " << reserve;
    }
}

TEST(PaneTextWriter, TreeOutgrowingItsGuessReadsBackAndWritesTheSame) {
    // Long help texts make each pane's block larger than the room the
    // writer sets aside per pane; labels and flags come back too.
    APane* root = new APane;
    PaneTree hold(root);
    root->SetPaneID("root");
    root->AddLabel("Level\\Meter", kLabelNone);
    std::string help(1000, 'h');
    help[10] = '\r';
    help[500] = '\\';
    for (int i = 0; i < 60; ++i) {
        APane* p = new APane;
        root->AddSubPane(p);
        p->SetPaneID(("p" + std::to_string(i)).c_str());
        help[20] = char('A' + i % 26);
        p->SetHelpText(help.c_str());
        p->SetFlag(kPaneOKGadget | kPaneFixRight, i % 2 == 1);
    }
    const std::string text = WritePaneText(root);
    ASSERT_GT(text.size(), std::size_t(61 * 1024));
    APane* back = ReadPaneText(text.data(), long(text.size()), nullptr, nullptr);
    PaneTree holdBack(back);
    ASSERT_EQ(back->GetNumSubPanes(), 60);
    EXPECT_TRUE(WritePaneText(back) == text);
    std::size_t at = 0;
    int classes = 0;
    while ((at = text.find("Class    s\tAPane\r", at)) != std::string::npos) {
        ++classes;
        ++at;
    }
    EXPECT_EQ(classes, 61);
}

} // namespace
