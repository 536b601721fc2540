// Source folders: decompiling and compiling reproduce files byte for byte,
// payloads take their readable forms only when those are exact, and bad
// sources are refused with the file named.
#include "KsFileText.h"
#include "KsRaisedError.h"
#include "ResourceSourcePrivate.h"
#include "ResourceTestSupport.h"
#include "XError.h"

#include <gtest/gtest.h>

#include <set>

namespace {

std::set<std::string> Listing(const std::filesystem::path& dir) {
    std::set<std::string> names;
    for (auto& e : std::filesystem::directory_iterator(dir))
        names.insert(e.path().filename().string());
    return names;
}

void WriteText(const std::filesystem::path& path, const std::string& text) {
    WriteBytes(path, std::vector<UInt8>(text.begin(), text.end()));
}

std::string SourceError(const std::filesystem::path& dir) {
    const XError e = ErrorOf([&] { KsCompileResourceFolder(dir.string()); });
    if (!e.IsError()) return "compiled";
    EXPECT_STREQ(e.GetCode(), "RSRC_SOURCE_BAD");
    return e.FindParam("file") ? e.FindParam("file")->value : "?";
}

} // namespace

TEST(ResourceSourceTest, DecompileCompileReproducesTheFile) {
    const std::string png = std::string("\x89PNG\r\n\x1A\n", 8) + "IHDR...";
    std::string sicn(64, '\0');
    sicn[0] = '\x80';
    sicn[63] = '\x01';
    // Built in (type, ID) order, as the compiler orders them.
    std::vector<UInt8> original = MakeResourceImage(
        {{"ICON", 1, std::string(100, 'i')},          // wrong size for an image: .bin
         {"PICT", 5, png, "art"},                     // PNG bytes: .png
         {"SICN", 9, sicn, "two icons"},              // two 16x16 images: .bits
         {"STR ", 1, "\x05H\x8Ello", "caf\x8E/%_.x"}, // Mac OS Roman string, odd name
         {"STR ", 2, "\x09short"},                    // length byte wrong: .bin
         {"STR#", 3,
          std::string("\0\x02\x01"
                      "a\x00",
                      5),
          ""},
         {"TEXT", -1, "line\rnext\r", nullptr, 0x28},
         {"TEXT", 7, "lf\nkept"}, // LF bytes have no text form: .bin
         {std::string("a_/ ").c_str(), 1, "odd type"}},
        0x0080);
    ScratchDir dir;
    WriteBytes(dir / "in.rsrc", original);
    KsDecompileResourceFile(original.data(), original.size(), (dir / "src").string());

    const std::set<std::string> expected = {"_map.attrs",
                                            "ICON_1.bin",
                                            "PICT_5_art.png",
                                            "SICN_9_two icons.bits",
                                            "STR%20_1_caf\xC3\xA9%2F%25_.x.txt",
                                            "STR%20_2.bin",
                                            "STR#_3_.txt",
                                            "TEXT_-1.txt",
                                            "TEXT_-1.attrs",
                                            "TEXT_7.bin",
                                            "a%5F%2F%20_1.bin"};
    EXPECT_EQ(Listing(dir / "src"), expected);
    EXPECT_EQ(ReadFileText(dir / "src" / "TEXT_-1.txt"), "line\nnext\n");
    EXPECT_EQ(ReadFileText(dir / "src" / "TEXT_-1.attrs"), "purgeable\nprotected\n");
    EXPECT_EQ(ReadFileText(dir / "src" / "STR%20_1_caf\xC3\xA9%2F%25_.x.txt"), "H\xC3\xA9llo\n");
    EXPECT_EQ(ReadFileText(dir / "src" / "STR#_3_.txt"), "a\n\n");
    EXPECT_EQ(ReadFileText(dir / "src" / "_map.attrs"), "readOnly\n");
    std::string bits = ReadFileText(dir / "src" / "SICN_9_two icons.bits");
    EXPECT_EQ(bits.substr(0, 17), "#...............\n");
    EXPECT_EQ(bits.size(), 32u * 17u + 1u); // 32 rows and a blank line between the images
    EXPECT_EQ(bits.substr(bits.size() - 17), "...............#\n");

    EXPECT_EQ(KsCompileResourceFolder((dir / "src").string()), original);
    // A second decompile of the same bytes into a used folder is refused.
    EXPECT_THROW(KsDecompileResourceFile(original.data(), original.size(), (dir / "src").string()),
                 XError);
}

TEST(ResourceSourceTest, HandWrittenSourcesCompileInTypeAndIDOrder) {
    ScratchDir dir;
    WriteText(dir / "TEXT_2.txt", "two\nlines");
    WriteText(dir / "TEXT_-3_Minus.bin", "raw");
    WriteText(dir / "STR%20_128.txt", "no newline");
    WriteText(dir / "README.md", "notes are ignored");
    WriteText(dir / ".hidden", "ignored");
    WriteText(dir / "TEXT_2.attrs", "locked 0x01");
    std::vector<UInt8> bytes = KsCompileResourceFolder(dir.path().string());
    KsResMap map = KsReadResourceMap(bytes.data(), bytes.size());
    ASSERT_EQ(map.records.size(), 3u);
    EXPECT_EQ(map.records[0].type, FourCharCode("STR "));
    EXPECT_EQ(
        std::string(reinterpret_cast<const char*>(map.records[0].data), map.records[0].length),
        "\x0Ano newline");
    EXPECT_EQ(map.records[1].id, -3);
    EXPECT_EQ(map.records[1].name, "Minus");
    EXPECT_EQ(map.records[2].id, 2);
    EXPECT_EQ(map.records[2].attrs, 0x11);
    EXPECT_EQ(
        std::string(reinterpret_cast<const char*>(map.records[2].data), map.records[2].length),
        "two\rlines");
}

TEST(ResourceSourceTest, BadSourcesNameTheFile) {
    struct Case {
        const char* file;
        std::string contents;
    };
    const Case cases[] = {
        {"TXT_1.bin", "type of three letters"},
        {"TEXT_x.bin", "ID not a number"},
        {"TEXT_40000.bin", "ID out of range"},
        {"TEXT_1.doc", "unknown extension"},
        {"TEXT_1_bad%4.bin", "malformed escape"},
        {"TEXT_1_\xE2\x82\xAC\xE2\x82\xAC\xF0\x9F\x98\x80.bin", "emoji has no Mac OS Roman form"},
        {"TEXT_1.txt", "\xF0\x9F\x98\x80"},
        {"PICT_1.txt", "no text form for PICT"},
        {"PICT_1.png", "not a PNG"},
        {"SICN_1.bits", "#."},
        {"SICN_1.bits", std::string(16 * 17, '.')},
        {"STR%20_1.txt", std::string(256, 's')},
        {"TEXT_9.attrs", "preload"},
        {"TEXT_1.attrs", "shiny"},
        {"nounderscore.bin", ""},
    };
    for (const Case& c : cases) {
        ScratchDir dir;
        WriteText(dir / "TEXT_1.bin", "fine");
        WriteText(dir / c.file, c.contents);
        EXPECT_EQ(SourceError(dir.path()), c.file) << c.contents;
    }
    ScratchDir dup;
    WriteText(dup / "TEXT_1.bin", "a");
    WriteText(dup / "TEXT_1_named.txt", "b");
    EXPECT_NE(SourceError(dup.path()), "compiled");
}
