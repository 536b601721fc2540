#include "Stx.h"
#include "KsRaisedError.h"
#include "KsScopedEnv.h"
#include "KsScratchDir.h"
#include "StxPrivate.h"
#include "XError.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define STX_TEST_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define STX_TEST_ASAN 1
#endif
#if STX_TEST_ASAN
// The sanitizer runtime reports every allocation to these hooks.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*)(const volatile void*,
                                                                  std::size_t),
                                                         void (*)(const volatile void*));
#endif

namespace fs = std::filesystem;

namespace {

// A fresh folder of table files per test; the configuration is reset after.
class Stx : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(dir_ / "user");
        fs::create_directories(dir_ / "system");
        StxSetTableFolders({(dir_ / "user").string(), (dir_ / "system").string()});
        StxSetLanguages({"de_CH", "de"});
    }
    void TearDown() override {
        StxClearTranslationTable();
        StxSetTableFolders({});
        StxSetLanguages({});
    }
    void Write(const char* folder, const char* file, const std::string& text) {
        std::ofstream(dir_ / folder / file, std::ios::binary) << text;
    }
    ScratchDir dir_{"stx-test"};
};

XError ParseError(const std::string& text) {
    return ErrorOf([&] { StxTable::Parse(text, "t.stx"); });
}

long ErrorLine(const XError& e) {
    const XErrorParam* p = e.FindParam("line");
    return p ? long(p->intValue) : -1;
}

const char kGerman[] = "# Fenster\n"
                       "\"Console//Window title\" = \"Konsole\"\n"
                       "\"Open//verb: open a file\" = \"\xC3\x96"
                       "ffnen\"\n"
                       "\"Open//noun: an open gap\" = \"Offen\"\n"
                       "\"Cancel\" = \"Abbrechen//translator's own note\"   # trailing comment\n"
                       "  \"Say \\\"hi\\\"\\n\\tnow\"\t=\t\"Sag \\\"hallo\\\"\\n\\tjetzt\"\r\n"
                       "\"Not yet\" = \"\"\n"
                       "\"\xC3\x89t\xC3\xA9\" = \"Sommer\"\n";

} // namespace

TEST_F(Stx, WithoutTableTextsLoseOnlyTheirNote) {
    const char* plain = "Plain text";
    EXPECT_EQ(stx(plain), plain); // the same pointer: no copy needed
    const char* a = stx("Console//Window title");
    EXPECT_STREQ(a, "Console");
    EXPECT_EQ(stx("Console//Window title"), a);
    EXPECT_EQ(stx("Console//another note"), a);
    EXPECT_STREQ(stx("//only a note"), "");
    EXPECT_STREQ(stx("a/b/c"), "a/b/c");
    EXPECT_STREQ(stx(nullptr), "");
    // The answer outlives the caller's buffer.
    std::string temp = "Temporary//note";
    const char* t = stx(temp.c_str());
    temp.assign("XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX");
    EXPECT_STREQ(t, "Temporary");
}

TEST_F(Stx, TranslationWithAndWithoutNotes) {
    Write("system", "Default.de.stx", kGerman);
    ASSERT_TRUE(InitTranslationTable("Default", false));
    EXPECT_STREQ(stx("Console//Window title"), "Konsole");
    // One word, two translations told apart by the note.
    EXPECT_STREQ(stx("Open//verb: open a file"), "\x85"
                                                 "ffnen"); // Ö in Mac OS Roman
    EXPECT_STREQ(stx("Open//noun: an open gap"), "Offen");
    // An entry without a note serves the text with any note; the translator's
    // own note is not shown either.
    EXPECT_STREQ(stx("Cancel"), "Abbrechen");
    EXPECT_STREQ(stx("Cancel//Button label"), "Abbrechen");
    EXPECT_STREQ(stx("Say \"hi\"\n\tnow"), "Sag \"hallo\"\n\tjetzt");
    EXPECT_STREQ(stx("\x83t\x8E"), "Sommer"); // the key is converted as well
    // Missing and not-yet-translated texts answer themselves without the note.
    EXPECT_STREQ(stx("Not yet"), "Not yet");
    EXPECT_STREQ(stx("Open//some other note"), "Open");
    EXPECT_STREQ(stx("Console"), "Console"); // a noted entry does not serve the bare text
    // The error texts of the library pass through the table too.
    XError e("STX_TABLE_NAME", "str name", "x");
    EXPECT_EQ(e.GetText(), "\"x\" is not a valid translation table name.");
}

TEST_F(Stx, LanguagesAndFoldersAreTriedInOrder) {
    Write("system", "Default.de.stx", "\"Yes\" = \"Ja\"\n");
    Write("user", "Default.de.stx", "\"Yes\" = \"Jawohl\"\n");
    Write("system", "Default.de_CH.stx", "\"Yes\" = \"Jo\"\n");
    ASSERT_TRUE(InitTranslationTable("Default", false));
    EXPECT_STREQ(stx("Yes"), "Jo"); // the most wanted language wins over the folder order
    StxSetLanguages({"de"});
    ASSERT_TRUE(InitTranslationTable("Default", false));
    EXPECT_STREQ(stx("Yes"), "Jawohl");                       // then the first folder
    StxSetLanguages({"../system/Default.de_CH", "fr", "de"}); // not a language name
    ASSERT_TRUE(InitTranslationTable("Default", false));
    EXPECT_STREQ(stx("Yes"), "Jawohl");
}

TEST_F(Stx, MissingTable) {
    Write("system", "Default.de.stx", "\"Yes\" = \"Ja\"\n");
    ASSERT_TRUE(InitTranslationTable("Default", false));
    StxSetLanguages({"fr"});
    EXPECT_FALSE(InitTranslationTable("Default", false));
    EXPECT_STREQ(stx("Yes"), "Yes"); // a new language without a table: untranslated
    XError e = ErrorOf([] { InitTranslationTable("Default", true); });
    EXPECT_STREQ(e.GetCode(), "STX_TABLE_NOT_FOUND");
    ASSERT_NE(e.FindParam("language"), nullptr);
    EXPECT_EQ(e.FindParam("language")->value, "fr");
    EXPECT_THROW(InitTranslationTable("../user/Default", false), XError);
    EXPECT_THROW(InitTranslationTable("", false), XError);
}

TEST_F(Stx, CorruptTableNamesTheLineAndKeepsTheCurrentOne) {
    Write("system", "Default.de.stx", "\"Yes\" = \"Ja\"\n");
    ASSERT_TRUE(InitTranslationTable("Default", false));
    const char* ja = stx("Yes");
    Write("user", "Default.de.stx", "# fine\n\"No\" = \"Nein\"\n\n\"Maybe\" = Vielleicht\n");
    XError e = ErrorOf([] { InitTranslationTable("Default", false); });
    EXPECT_STREQ(e.GetCode(), "STX_TABLE_CORRUPT");
    EXPECT_EQ(ErrorLine(e), 4);
    ASSERT_NE(e.FindParam("file"), nullptr);
    EXPECT_NE(e.FindParam("file")->value.find("user/Default.de.stx"), std::string::npos);
    EXPECT_NE(e.GetText().find("line 4"), std::string::npos);
    EXPECT_EQ(stx("Yes"), ja);

    struct Case {
        const char* text;
        long line;
    };
    const Case cases[] = {
        {"\"a\" = \"b\"\nplain words\n", 2},
        {"\"a = \"b\"\n", 1},                          // the quote closes early: no '='
        {"\"a\" = \"b\n", 1},                          // not closed
        {"\"a\" \"b\"\n", 1},                          // no '='
        {"\"a\" = \"b\" c\n", 1},                      // junk after
        {"\"a\\q\" = \"b\"\n", 1},                     // unknown escape
        {"\"a\\", 1},                                  // escape at the very end
        {"\"\" = \"b\"\n", 1},                         // empty source
        {"\n\n\"a\" = \"b\"\n\"a\" = \"c\"\n", 4},     // given twice
        {"\"\xC3\" = \"b\"\n", 1},                     // invalid UTF-8
        {"\"\xE2\x82\" = \"b\"\n", 1},                 // cut sequence
        {"\"a\" = \"\xD0\x96\"\n", 1},                 // no Mac OS Roman form
        {"\"a\" = \"\xEF\xBF\xBD\"\n", 1},             // U+FFFD itself
        {"\"ok\" = \"x\"\r\n\"a\0b\" = \"c\"\r\n", 2}, // zero byte (the literal stops there...)
    };
    for (const Case& c : cases) {
        XError parsed = ParseError(c.text);
        EXPECT_STREQ(parsed.GetCode(), "STX_TABLE_CORRUPT") << c.text;
        EXPECT_EQ(ErrorLine(parsed), c.line) << c.text;
    }
    // ...so the zero byte gets its own case with an explicit length.
    XError zero = ParseError(std::string("\"ok\" = \"x\"\n\"a\0b\" = \"c\"\n", 23));
    EXPECT_EQ(ErrorLine(zero), 2);
    EXPECT_STREQ(ParseError(std::string(kStxMaxFileSize + 1, '#')).GetCode(), "STX_TABLE_CORRUPT");
    // A byte-order mark and comment-only files are fine.
    EXPECT_EQ(StxTable::Parse("\xEF\xBB\xBF\"a\" = \"b\"", "t")->Count(), 1u);
    EXPECT_EQ(StxTable::Parse("# nothing\n\n   \n", "t")->Count(), 0u);
}

TEST_F(Stx, AnswersStayValidAfterTheTableChanges) {
    Write("system", "Default.de.stx", "\"Yes\" = \"Ja\"\n");
    ASSERT_TRUE(InitTranslationTable("Default", false));
    const char* ja = stx("Yes");
    StxSetLanguages({"fr"});
    Write("system", "Default.fr.stx", "\"Yes\" = \"Oui\"\n");
    ASSERT_TRUE(InitTranslationTable("Default", false));
    EXPECT_STREQ(stx("Yes"), "Oui");
    StxClearTranslationTable();
    EXPECT_STREQ(ja, "Ja"); // still readable: tables are never freed
}

TEST_F(Stx, LargeTableFindsEveryEntry) {
    std::string text;
    for (int i = 0; i < 5000; ++i)
        text += "\"key " + std::to_string(i) + "//n\" = \"value " + std::to_string(i) + "\"\n";
    auto table = StxTable::Parse(text, "big");
    ASSERT_EQ(table->Count(), 5000u);
    for (int i = 0; i < 5000; ++i) {
        std::string key = "key " + std::to_string(i) + "//n";
        const char* v = table->Find(key);
        ASSERT_NE(v, nullptr) << i;
        EXPECT_EQ(std::string(v), "value " + std::to_string(i));
    }
    EXPECT_EQ(table->Find("key 5000//n"), nullptr);
    EXPECT_EQ(table->Find("key 1"), nullptr);
}

#if STX_TEST_ASAN
namespace {
std::atomic<int> gAllocations{0};
std::atomic<bool> gCounting{false};
void OnMalloc(const volatile void*, std::size_t) {
    if (gCounting.load()) ++gAllocations;
}
void OnFree(const volatile void*) {}
} // namespace

TEST_F(Stx, LookupsDoNotAllocate) {
    static const bool installed = __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree) != 0;
    ASSERT_TRUE(installed);
    Write("system", "Default.de.stx", kGerman);
    ASSERT_TRUE(InitTranslationTable("Default", false));
    stx("Untranslated//seen once before");
    gAllocations = 0;
    gCounting = true;
    for (int i = 0; i < 100; ++i) {
        stx("Console//Window title");
        stx("Cancel//Button label");
        stx("Untranslated//seen once before");
        stx("Untranslated plain");
    }
    gCounting = false;
    EXPECT_EQ(gAllocations.load(), 0);
}
#endif

TEST(StxEnvironment, LanguagesAndDefaultFolders) {
    ScopedEnv env;
    env.Unset("LANGUAGE");
    env.Unset("LC_ALL");
    env.Unset("LC_MESSAGES");
    env.Set("LANG", "de_DE.UTF-8@euro");
    EXPECT_EQ(StxLanguagesFromEnvironment(),
              (std::vector<std::string>{"de_DE@euro", "de_DE", "de@euro", "de"}));
    env.Set("LC_MESSAGES", "fr_CA"); // before LANG
    EXPECT_EQ(StxLanguagesFromEnvironment(), (std::vector<std::string>{"fr_CA", "fr"}));
    env.Set("LANGUAGE", "sv:nb_NO:../x"); // before both, a bad name skipped
    EXPECT_EQ(StxLanguagesFromEnvironment(), (std::vector<std::string>{"sv", "nb_NO", "nb"}));
    for (const char* c : {"C", "POSIX", "C.UTF-8"}) { // the C locale wants no translation at all
        env.Set("LC_ALL", c);
        EXPECT_TRUE(StxLanguagesFromEnvironment().empty()) << c;
    }

    env.Set("XDG_DATA_HOME", "/home/u/data/");
    env.Set("XDG_DATA_DIRS", "/opt/share:relative/dir::/usr/share/");
    EXPECT_EQ(StxDefaultTableFolders("editor"),
              (std::vector<std::string>{"/home/u/data/editor/translations",
                                        "/opt/share/editor/translations",
                                        "/usr/share/editor/translations"}));
    env.Unset("XDG_DATA_HOME");
    env.Unset("XDG_DATA_DIRS");
    env.Set("HOME", "/home/v");
    EXPECT_EQ(StxDefaultTableFolders("editor"),
              (std::vector<std::string>{"/home/v/.local/share/editor/translations",
                                        "/usr/local/share/editor/translations",
                                        "/usr/share/editor/translations"}));
}
