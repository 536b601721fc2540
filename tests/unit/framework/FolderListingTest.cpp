// Reading a folder for the file dialogs: order, hidden files, names that are
// not UTF-8, the entry cap, links that loop or dangle, and the column texts.
#include "KsFolderListing.h"
#include "KsScratchDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Shown(const KsFolderListing& l) {
    std::vector<std::string> out;
    for (const KsFolderEntry& e : l.entries)
        out.push_back(e.shown + (e.isFolder ? "/" : ""));
    return out;
}

TEST(FolderListingTest, FoldersFirstThenNamesIgnoringCaseWithHiddenOnlyWhenAsked) {
    ScratchDir dir("kslisting");
    for (const char* f : {"b.txt", "A.txt", ".secret", "c\xE9.txt"})
        std::ofstream(dir / f) << "12345";
    for (const char* d : {"zoo", "Apps", ".cache"})
        fs::create_directory(dir / d);
    fs::create_directory_symlink(dir.path(), dir / "loop"); // points back at itself
    fs::create_symlink(dir / "nowhere", dir / "dangling");

    struct Case {
        KsHiddenFiles hidden;
        size_t cap;
        std::vector<std::string> shown;
        bool cut;
    } cases[] = {
        {KsHiddenFiles::skip,
         100,
         {"Apps/", "loop/", "zoo/", "A.txt", "b.txt", "c?.txt", "dangling"},
         false},
        {KsHiddenFiles::show,
         100,
         {".cache/", "Apps/", "loop/", "zoo/", ".secret", "A.txt", "b.txt", "c?.txt", "dangling"},
         false},
        {KsHiddenFiles::skip, 3, {}, true}, // only its count is checked
    };
    for (const Case& c : cases) {
        const KsFolderListing l = KsReadFolder(dir.str(), c.hidden, c.cap);
        EXPECT_EQ(l.error, 0);
        EXPECT_EQ(l.cut, c.cut);
        if (c.cut) {
            EXPECT_EQ(l.entries.size(), c.cap);
            continue;
        }
        EXPECT_EQ(Shown(l), c.shown);
        for (const KsFolderEntry& e : l.entries) {
            EXPECT_EQ(e.replaced, e.raw == "c\xE9.txt") << e.raw;
            if (!e.isFolder && e.raw != "dangling") {
                EXPECT_EQ(e.size, 5u) << e.raw;
            }
        }
    }
    // Entering the loop lands where it started: the path does not grow.
    EXPECT_EQ(KsReadFolder((dir / "loop" / "loop").string(), KsHiddenFiles::skip).folder,
              KsResolveFolder(dir.str()));
}

TEST(FolderListingTest, AFolderThatCannotBeReadGivesAMessageNotAnException) {
    ScratchDir dir("kslisting");
    std::ofstream(dir / "file") << "x";
    for (const fs::path& p : {dir / "missing", dir / "file", fs::path()}) {
        const KsFolderListing l = KsReadFolder(p.string(), KsHiddenFiles::skip);
        EXPECT_NE(l.error, 0) << p;
        EXPECT_NE(l.errorText.find("could not be read"), std::string::npos);
        EXPECT_TRUE(l.entries.empty());
    }
}

TEST(FolderListingTest, NamesConvertBothWaysAndSizesReadShort) {
    bool replaced = true;
    EXPECT_EQ(KsShownFileName("caf\xC3\xA9", &replaced), "caf\x8E");
    EXPECT_FALSE(replaced);
    EXPECT_EQ(KsDiskFileName("caf\x8E"), "caf\xC3\xA9");
    struct Size {
        std::uint64_t bytes;
        const char* text;
    } sizes[] = {{0, "0 B"}, {1023, "1023 B"}, {1536, "1.5 KB"}, {50u << 20, "50 MB"}};
    for (const Size& s : sizes) {
        char buf[16];
        KsFormatFileSize(s.bytes, buf, sizeof buf);
        EXPECT_STREQ(buf, s.text);
    }
}

} // namespace
