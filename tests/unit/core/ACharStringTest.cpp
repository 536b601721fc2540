#include "ACharString.h"

#include <gtest/gtest.h>

#include <string>

TEST(ACharString, GrowEditAndFind) {
    ACharString s(nullptr);
    EXPECT_TRUE(s.IsEmpty());
    s.Append("Pane").Append(' ').AppendFormat("#%d", 12);
    EXPECT_STREQ(s.CStr(), "Pane #12");
    s.Insert(0, ">").Insert(100, "<"); // past the end appends
    EXPECT_EQ(s, ">Pane #12<");
    s.Delete(1, 5).Delete(-1, 3).Delete(50, 1);
    EXPECT_EQ(s, ">#12<");
    s.Delete(3, 100);
    EXPECT_EQ(s, ">#1");
    EXPECT_EQ(s.Find("#"), 1);
    EXPECT_EQ(s.Find("#", 2), -1);
    std::string big(5000, 'x');
    s.AppendFormat("%s", big.c_str());
    EXPECT_EQ(s.Length(), 5003);
    s.Truncate(2);
    EXPECT_EQ(s, ">#");
}

TEST(ACharString, PascalStringsCutAt255) {
    ACharString s(std::string(300, 'a'));
    Str255 p;
    s.ToPStr(p);
    EXPECT_EQ(p[0], 255);
    ACharString back;
    back.SetFromPStr(p);
    EXPECT_EQ(back.Length(), 255);
    const unsigned char withNul[] = {3, 'a', 0, 'b'};
    back.SetFromPStr(withNul);
    EXPECT_EQ(back.Length(), 3);
}
