// The message-box text and button-list formats against hand-written cases.
#include "KsARText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Lines(const KsARText& t) {
    std::vector<std::string> out;
    for (const KsARLine& l : t.lines)
        out.push_back(l.text);
    return out;
}

TEST(MessageTextTest, LinesEndAtRealAndEscapedBreaks) {
    using V = std::vector<std::string>;
    struct Case {
        const char* text;
        V lines;
    } cases[] = {
        {nullptr, {""}},
        {"", {""}},
        {"one", {"one"}},
        {"a\nb", {"a", "b"}},
        {"a\rb", {"a", "b"}},
        {"a\\nb", {"a", "b"}},
        {"a\\rb", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},
        {"a\\r\\nb", {"a", "b"}},
        {"a\n\nb", {"a", "", "b"}},
        {"a\\", {"a\\"}},
        {"a\\x", {"a\\x"}},
        {"<b>Bold</b> and <I>it</I>", {"Bold and it"}},
        {"<x>kept</b", {"<x>kept</b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "(null)");
        const KsARText t = KsARParseText(c.text);
        EXPECT_EQ(Lines(t), c.lines);
        EXPECT_FALSE(t.cut);
    }
}

TEST(MessageTextTest, TagsSetFacesOfTheTextTheyEnclose) {
    const KsARText t = KsARParseText("a<b>b<u>c</b>d</u>e");
    ASSERT_EQ(t.lines.size(), 1u);
    EXPECT_EQ(t.lines[0].text, "abcde");
    const std::string want{char(0), char(kKsARBold), char(kKsARBold | kKsARUnderline),
                           char(kKsARUnderline), char(0)};
    EXPECT_EQ(t.lines[0].faces, want);
}

TEST(MessageTextTest, LongLinesWrapAndLongTextsAreCut) {
    const std::string line(600, 'x');
    const KsARText wrapped = KsARParseText(line.c_str());
    ASSERT_EQ(wrapped.lines.size(), 3u);
    EXPECT_EQ(wrapped.lines[0].text.size(), kKsARLineMax);
    EXPECT_EQ(wrapped.lines[2].text.size(), 600 - 2 * kKsARLineMax);

    std::string many;
    for (int i = 0; i < 2000; ++i)
        many += "line\n";
    const KsARText cut = KsARParseText(many.c_str());
    EXPECT_TRUE(cut.cut);
    EXPECT_LE(cut.Joined().size(), kKsARTextMax);
    EXPECT_GT(cut.Joined().size(), kKsARTextMax - 6);
}

TEST(MessageTextTest, ButtonListsKeepEightLabelsAndMarkHiddenChoices) {
    struct Case {
        const char* list;
        std::vector<std::pair<std::string, bool>> labels;
    } cases[] = {
        {nullptr, {}},
        {"", {}},
        {"OK", {{"OK", false}}},
        {"Restart|Exit|#x|#c", {{"Restart", false}, {"Exit", false}, {"#x", true}, {"#c", true}}},
        {"1|2|3|4|5|6|7|8|9",
         {{"1", false},
          {"2", false},
          {"3", false},
          {"4", false},
          {"5", false},
          {"6", false},
          {"7", false},
          {"8", false}}},
        {"a||b", {{"a", false}, {"", false}, {"b", false}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list ? c.list : "(null)");
        std::vector<std::pair<std::string, bool>> got;
        for (const KsARButton& b : KsARParseButtons(c.list))
            got.emplace_back(b.label, b.hidden);
        EXPECT_EQ(got, c.labels);
    }
    const std::string longLabel(100, 'L');
    EXPECT_EQ(KsARParseButtons(longLabel.c_str())[0].label.size(), kKsARLabelMax);
}

} // namespace
