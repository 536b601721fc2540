// Data that another application offers in a drag: which URI lists become
// file paths, which texts are taken, and file URIs made for paths going out.
#include "KsSystemDrag.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Paths = std::vector<std::string>;

TEST(DropDataTest, UriListsBecomePathsOnlyWhenEveryLineIsALocalFile) {
    struct Case {
        std::string list;
        bool want;
        Paths wantPaths;
    };
    const Case cases[] = {
        {"file:///home/a/clip%20one.mov\r\nfile:///tmp/b\r\n",
         true,
         {"/home/a/clip one.mov", "/tmp/b"}},
        {"# from a file manager\nfile://localhost/x/y?q#f\n", true, {"/x/y"}},
        {"FILE:/caf%C3%A9", true, {"/caf\xC3\xA9"}},
        {"file://otherhost/etc/passwd\n", false, {}},
        {"http://example.org/a\n", false, {}},
        {"file:///a%00b\n", false, {}}, // a NUL in a path
        {"file:///a%4\n", false, {}},   // cut escape
        {"file:relative/path\n", false, {}},
        {"# only a comment\r\n", false, {}},
        {std::string(kKsDropMaxBytes + 1, 'a'), false, {}},
    };
    for (const Case& c : cases) {
        Paths paths{"stale"};
        EXPECT_EQ(KsParseUriList(c.list, &paths), c.want) << c.list.substr(0, 40);
        EXPECT_EQ(paths, c.wantPaths) << c.list.substr(0, 40);
    }
    std::string many;
    for (std::size_t i = 0; i <= kKsDropMaxItems; ++i)
        many += "file:///f\n";
    Paths paths;
    EXPECT_FALSE(KsParseUriList(many, &paths));
}

TEST(DropDataTest, PathsGoOutAsUrisThatComeBackUnchanged) {
    for (const char* path : {"/home/a/clip one.mov", "/tmp/50%#?.txt", "/caf\xC3\xA9/x"}) {
        const std::string uri = KsFileUri(path);
        EXPECT_EQ(uri.find_first_of(" #?"), std::string::npos) << uri;
        Paths back;
        ASSERT_TRUE(KsParseUriList(uri + "\r\n", &back)) << uri;
        EXPECT_EQ(back, Paths{path});
    }
}

TEST(DropDataTest, TextMustBeWellFormedUtf8WithoutNul) {
    struct Case {
        std::string text;
        bool want;
    };
    const Case cases[] = {
        {"plain", true},
        {"caf\xC3\xA9 \xEF\xBF\xBD", true},
        {"bad \xC3", false},
        {std::string("a\0b", 3), false},
        {std::string(kKsDropMaxBytes + 1, 'a'), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KsIsDropText(c.text), c.want) << c.text.substr(0, 20);
}

} // namespace
