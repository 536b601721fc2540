#include "CoreAttrList.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {
std::vector<std::string> Names(const CoreAttrList& list) {
    std::vector<std::string> out;
    for (const CoreAttr& a : list)
        out.emplace_back(a.Name());
    return out;
}
} // namespace

TEST(CoreAttrList, DefaultsForAbsentAndOtherKind) {
    CoreAttrList list;
    EXPECT_EQ(list.GetSInt32("missing", 42), 42);
    EXPECT_TRUE(list.GetBool("missing", true));
    EXPECT_STREQ(list.GetText("missing", "dflt"), "dflt");
    Size size = 9;
    EXPECT_EQ(list.GetData("missing", &size), nullptr);
    EXPECT_EQ(size, 0);
    list.SetText("name", "hello");
    list.SetSInt16("num", 5);
    EXPECT_EQ(list.GetSInt32("name", -1), -1);   // text does not read as a number
    EXPECT_STREQ(list.GetText("num", "d"), "d"); // nor a number as text
    char buf[4];
    EXPECT_EQ(list.GetText("name", buf, sizeof buf), 3);
    EXPECT_STREQ(buf, "hel");
    EXPECT_EQ(list.GetText("missing", buf, sizeof buf, nullptr), 0);
    EXPECT_STREQ(buf, "");
}

TEST(CoreAttrList, IntegerWidthsConvertLikeC) {
    CoreAttrList list;
    list.SetSInt32("r", -1); // the scheme stores -1 for "no colour"
    EXPECT_EQ(list.GetUInt16("r"), 0xFFFF);
    EXPECT_EQ(list.GetUInt32("r"), 0xFFFFFFFFu);
    EXPECT_TRUE(list.GetBool("r"));
    list.SetUInt16("g", 0xA5C2);
    EXPECT_EQ(list.GetSInt32("g"), 0xA5C2); // widened, not sign-extended
    EXPECT_EQ(list.GetSInt16("g"), SInt16(0xA5C2));
    list.SetUInt8("k", 0xFF);
    EXPECT_EQ(list.GetSInt8("k"), -1);
    list.SetSInt8("s", -2);
    EXPECT_EQ(list.GetSInt32("s"), -2);
    list.SetBool("b", true);
    EXPECT_EQ(list.GetSInt32("b"), 1);
    list.SetUInt32("u", 0x80000000u);
    EXPECT_EQ(list.GetUInt32("u"), 0x80000000u);
    EXPECT_EQ(list.Find("u")->Integer(), 0x80000000LL);
}

TEST(CoreAttrList, ReplaceKeepsPlaceAndMayChangeType) {
    CoreAttrList list;
    list.SetSInt32("a", 1);
    list.SetText("b", "two");
    list.SetBool("c", false);
    list.SetText("a", "one"); // replaced in place as text
    list.SetSInt32("b", 2);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(list.Find("a")->Type(), KsAttrType::text);
    EXPECT_STREQ(list.GetText("a"), "one");
    EXPECT_EQ(list.Find("b")->Type(), KsAttrType::sint32);
    EXPECT_EQ(list.GetSInt32("b"), 2);
    EXPECT_EQ(list.Find("b")->DataSize(), 0); // the old text is gone
    EXPECT_EQ(list.GetCount(), 3);
}

TEST(CoreAttrList, RemoveKeepsOrderAndLookups) {
    CoreAttrList list;
    for (int i = 0; i < 50; ++i)
        list.SetSInt32("k" + std::to_string(i), i);
    for (int i = 0; i < 50; i += 3)
        EXPECT_TRUE(list.Remove("k" + std::to_string(i)));
    EXPECT_FALSE(list.Remove("k0"));
    int expect = 0;
    for (const CoreAttr& a : list) {
        while (expect % 3 == 0)
            ++expect;
        EXPECT_EQ(a.Name(), "k" + std::to_string(expect));
        EXPECT_EQ(a.Integer(), expect);
        ++expect;
    }
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(list.Has("k" + std::to_string(i)), i % 3 != 0) << i;
    list.SetSInt32("k0", 100); // a removed name comes back at the end
    EXPECT_EQ(Names(list).back(), "k0");
    list.Clear();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_FALSE(list.Has("k1"));
}

TEST(CoreAttrList, DataBlocksAndText) {
    CoreAttrList list;
    const unsigned char bytes[] = {0, 1, 0xFF, 0, 7};
    list.SetData("bits", bytes, sizeof bytes);
    Size size = 0;
    const void* got = list.GetData("bits", &size);
    ASSERT_EQ(size, Size(sizeof bytes));
    EXPECT_EQ(std::memcmp(got, bytes, sizeof bytes), 0);
    EXPECT_STREQ(list.GetText("bits", "x"), "x");
    list.SetText("t", nullptr);
    EXPECT_STREQ(list.GetText("t", "x"), "");
    list.SetText("t", "abc");
    EXPECT_NE(list.GetData("t", &size), nullptr); // text reads as data
    EXPECT_EQ(size, 3);
    list.SetData("empty", nullptr, 0);
    EXPECT_NE(list.GetData("empty", &size), nullptr);
    EXPECT_EQ(size, 0);
}

TEST(CoreAttrList, CopyIsDeepAndEqualityIsStrict) {
    CoreAttrList a;
    a.SetSInt32("x", 1);
    a.SetText("t", "text");
    a.SetUInt16("y", 2);
    CoreAttrList* c = a.Copy();
    EXPECT_TRUE(*c == a);
    c->SetText("t", "changed");
    EXPECT_STREQ(a.GetText("t"), "text");
    EXPECT_TRUE(*c != a);
    c->SetText("t", "text");
    EXPECT_TRUE(*c == a);
    c->SetSInt16("y", 2); // same value, other type
    EXPECT_FALSE(*c == a);
    c->Dispose();

    CoreAttrList reordered;
    reordered.SetText("t", "text");
    reordered.SetSInt32("x", 1);
    reordered.SetUInt16("y", 2);
    EXPECT_FALSE(reordered == a); // order is part of the list

    CoreAttrList assigned;
    assigned.SetBool("old", true);
    assigned = a;
    EXPECT_TRUE(assigned == a);
    EXPECT_FALSE(assigned.Has("old"));
    assigned.SetSInt32("new", 5); // the copy's index works on its own
    EXPECT_TRUE(assigned.Has("new"));
    EXPECT_FALSE(a.Has("new"));
}

TEST(CoreAttrList, ManyEntriesAllFound) {
    CoreAttrList list;
    for (int i = 0; i < 1000; ++i)
        list.SetSInt32("attr." + std::to_string(i), i * 7);
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(list.GetSInt32("attr." + std::to_string(i), -1), i * 7);
    EXPECT_FALSE(list.Has("attr.1000"));
    EXPECT_FALSE(list.Has("attr."));
    EXPECT_FALSE(list.Has(""));
    list.SetBool("", true); // an empty name is a name like any other
    EXPECT_TRUE(list.GetBool(""));
}
