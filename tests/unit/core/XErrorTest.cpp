#include "XError.h"
#include "KsCapturedOutput.h"
#include "KsOutput.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

std::string gLogged;
void Log(const char* text) {
    gLogged += text ? text : "(null)";
}

} // namespace

TEST(XError, CodeParametersAndTableText) {
    XError e("SYS_ERROR", "short OSErr", -108);
    EXPECT_STREQ(e.GetCode(), "SYS_ERROR");
    ASSERT_NE(e.FindParam("OSErr"), nullptr);
    EXPECT_EQ(e.FindParam("OSErr")->type, "short");
    EXPECT_EQ(e.FindParam("OSErr")->intValue, -108);
    EXPECT_EQ(e.GetText(), "A system error occurred (error -108).");
    // A code without a table entry is its own text; braces without a parameter stay.
    EXPECT_EQ(XError("No {such} entry").GetText(), "No {such} entry");
    EXPECT_FALSE(XError().IsError());
    EXPECT_EQ(XError().GetCode(), nullptr);
}

TEST(XError, RegisteredMessagesAndPrintfText) {
    static const EMMessage table[] = {
        {"TEST_FILE", "Cannot open \"{path}\" ({why}).//shown when opening fails", "TEST_FILE"}};
    EMRegisterMessages(table, 1);
    XError e("TEST_FILE", "str path", "/tmp/x", "str why", std::string("gone"));
    EXPECT_EQ(e.GetText(), "Cannot open \"/tmp/x\" (gone).");
    ASSERT_NE(EMLookUp("TEST_FILE"), nullptr);
    EXPECT_STREQ(EMLookUp("TEST_FILE")->helpCode, "TEST_FILE");
    e.SetText("custom %d of %s", 3, "four");
    EXPECT_EQ(e.GetText(), "custom 3 of four");
}

TEST(XError, CopiesShareTheStackAndLevelsRead) {
    XError inner("SYS_ERROR", "short OSErr", -43);
    XError copy = inner;
    copy.PushLevel("TEST_CONTEXT").SetText("while reading %s", "prefs");
    EXPECT_EQ(inner.Levels(), 2);
    EXPECT_STREQ(inner.GetCode(), "TEST_CONTEXT");
    EXPECT_STREQ(inner.GetCode(1), "SYS_ERROR");
    EXPECT_TRUE(inner.FindCode("SYS_ERROR"));
    EXPECT_FALSE(inner.FindCode("MEM_LOW"));

    StSetCurrentException mark(copy);
    EXPECT_EQ(ESGetTopLevel(), 2);
    char buf[12];
    EXPECT_EQ(EMGetErrorMsg(buf, sizeof buf), 11); // cut to the buffer, terminated
    EXPECT_STREQ(buf, "while readi");
    char full[128];
    EMGetErrorMsgLevel(full, sizeof full, 1);
    EXPECT_STREQ(full, "A system error occurred (error -43).");
    EXPECT_EQ(EMGetErrorMsgLevel(full, sizeof full, 3), 0);
    EXPECT_STREQ(full, "");
}

TEST(XError, CurrentExceptionNestsAndUnwinds) {
    XError a("A_CODE"), b("B_CODE");
    EXPECT_EQ(ESGetTopLevel(), 0);
    {
        StSetCurrentException ma(a);
        {
            StSetCurrentException mb(b);
            EXPECT_STREQ(ESGetCurrent().GetCode(), "B_CODE");
        }
        EXPECT_STREQ(ESGetCurrent().GetCode(), "A_CODE");
    }
    EXPECT_EQ(ESGetTopLevel(), 0);
}

TEST(XError, StandardCatchTranslatesEveryKind) {
    auto old = __logFunc;
    __logFunc = Log;
    gLogged.clear();

    XError x = KsTryStandard([] { xraisexerror("MEM_LOW"); });
    EXPECT_STREQ(x.GetCode(), "MEM_LOW");
    EXPECT_EQ(gLogged, "");

    XError s = KsTryStandard([] { throw std::runtime_error("disk on fire"); });
    EXPECT_STREQ(s.GetCode(), "std::exception");
    ASSERT_NE(s.FindParam("what"), nullptr);
    EXPECT_EQ(s.FindParam("what")->value, "disk on fire");
    EXPECT_EQ(s.GetText(), "An unexpected error occurred: disk on fire");
    EXPECT_EQ(gLogged, "Caught non-xraise exception!\n");

    XError o = KsTryStandard([] { throw 42; });
    EXPECT_STREQ(o.GetCode(), kXErrorSeriousCode);
    EXPECT_EQ(o.ParamCount(1), 0);
    EXPECT_EQ(gLogged, "Caught non-xraise exception!\nCaught non-xraise exception!\n");
    EXPECT_FALSE(KsTryStandard([] {}).IsError());
    __logFunc = old;
}

TEST(XError, DisplayGoesToHookOrDebugOutput) {
    static std::string shown;
    auto old = xInstallDisplay([](const char* code) { shown = code; });
    xDisplay("MEM_LOW");
    EXPECT_EQ(shown, "MEM_LOW");
    xInstallDisplay(old);

    StCaptureOutput out;
    XError e("SYS_ERROR", "short OSErr", -1);
    StSetCurrentException mark(e);
    xDisplay("SYS_ERROR");
    EXPECT_EQ(out.text, "Error: A system error occurred (error -1).\n");
}
