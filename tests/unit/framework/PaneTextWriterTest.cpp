// The pane text writer against a plain printf-style formatting of the same
// lines: long documents that outgrow the stream's first piece and reserved
// room, lines that straddle pieces, values longer than a piece, and the
// length answered while the text is still in pieces.
#include "PaneStream.h"
#include "PaneTextTestSupport.h"

#include "APane.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

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
