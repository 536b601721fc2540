#include "KsCapturedOutput.h"
#include "KsCommand.h"
#include "KsOutput.h"
#include "KsRaisedError.h"
#include "XError.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
using Words = std::vector<std::string>;

// What the last run of a test command saw.
struct Seen {
    int runs = 0;
    std::string command;
    const char* p1 = nullptr;
    std::string s1, s2;
    bool has2 = false;
    int count = 0;
} gSeen;

void ConsoleLike(const KsCommandArgs& args) {
    ++gSeen.runs;
    gSeen.command = args.GetCommand();
    gSeen.p1 = args.GetStr("strParam1");
    gSeen.s1 = gSeen.p1 ? gSeen.p1 : "";
    gSeen.has2 = args.Has("STRPARAM2"); // names are read without regard to case
    gSeen.s2 = gSeen.has2 ? args.GetStr("strParam2") : "";
    gSeen.count = args.Count();
}

struct Typed {
    long count = 0;
    double gain = 0;
    bool on = false;
    long level = 0;
} gTyped;

void TypedCommand(const KsCommandArgs& args) {
    gTyped.count = args.GetInt("count", -1);
    gTyped.gain = args.GetFloat("gain", -1.0);
    gTyped.on = args.GetBool("on", false);
    gTyped.level = args.GetInt("level", 7);
}

class CommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        gSeen = {};
        gTyped = {};
        AddCommandDef("Console", "str strParam1, str strParam2", ConsoleLike,
                      "Type 'Console help' for complete help.");
        AddCommandDef("mix", "int count, double gain, bool on, short level", TypedCommand, "");
    }
    void TearDown() override {
        RemoveCommandDef("console");
        RemoveCommandDef("mix");
    }
};
} // namespace

TEST(CommandTokenizer, SplitsQuotesAndEscapes) {
    EXPECT_EQ(KsTokenizeCommand(""), Words{});
    EXPECT_EQ(KsTokenizeCommand(" \t\r\n "), Words{});
    EXPECT_EQ(KsTokenizeCommand("console  log\thelp "), (Words{"console", "log", "help"}));
    EXPECT_EQ(KsTokenizeCommand(R"(say "two words" 'and \n raw')"),
              (Words{"say", "two words", "and \\n raw"}));
    EXPECT_EQ(KsTokenizeCommand(R"("a\"b\\c\nd\te\q")"), (Words{"a\"b\\c\nd\te"
                                                                "q"}));
    EXPECT_EQ(KsTokenizeCommand(R"(one\ word "x"'y'z)"), (Words{"one word", "xyz"}));
    EXPECT_EQ(KsTokenizeCommand(R"("" '')"), (Words{"", ""})); // empty quoted words count
    EXPECT_EQ(KsTokenizeCommand("caf\x8E"), (Words{"caf\x8E"}));
}

TEST(CommandTokenizer, RejectsMalformedAndOversizedLines) {
    for (const std::string& line :
         {std::string("say \"open"), std::string("say 'open"), std::string("say \"ends with\\"),
          std::string("trailing\\"), std::string("a\0b", 3), std::string("'a\0b'", 5),
          std::string("\"a\\\0\"", 5)})
        EXPECT_EQ(ErrorCode([&] { KsTokenizeCommand(line); }), "CMD_BAD_SYNTAX") << line;

    std::string longest(kKsCommandMaxLine, 'x');
    EXPECT_EQ(KsTokenizeCommand(longest).size(), 1u);
    EXPECT_EQ(ErrorCode([&] { KsTokenizeCommand(longest + "x"); }), "CMD_LINE_TOO_LONG");

    std::string many;
    for (std::size_t i = 0; i < kKsCommandMaxWords; ++i)
        many += "w ";
    EXPECT_EQ(KsTokenizeCommand(many).size(), kKsCommandMaxWords);
    EXPECT_EQ(ErrorCode([&] { KsTokenizeCommand(many + "w"); }), "CMD_TOO_MANY_PARAMS");
}

TEST_F(CommandTest, RunsCommandsWithParametersByName) {
    EXPECT_TRUE(KsDoCommand("console log help"));
    EXPECT_EQ(gSeen.runs, 1);
    EXPECT_EQ(gSeen.command, "Console");
    EXPECT_EQ(gSeen.s1, "log");
    EXPECT_TRUE(gSeen.has2);
    EXPECT_EQ(gSeen.s2, "help");
    EXPECT_EQ(gSeen.count, 2);

    EXPECT_TRUE(KsDoCommand("CONSOLE"));
    EXPECT_EQ(gSeen.runs, 2);
    EXPECT_EQ(gSeen.p1, nullptr);
    EXPECT_FALSE(gSeen.has2);
    EXPECT_EQ(gSeen.count, 0);

    EXPECT_TRUE(KsDoCommand("console \"with space\""));
    EXPECT_EQ(gSeen.s1, "with space");

    EXPECT_FALSE(KsDoCommand("   "));
    EXPECT_EQ(gSeen.runs, 3);

    EXPECT_TRUE(KsDoCommand("mix 12 -0.5 yes -32768"));
    EXPECT_EQ(gTyped.count, 12);
    EXPECT_DOUBLE_EQ(gTyped.gain, -0.5);
    EXPECT_TRUE(gTyped.on);
    EXPECT_EQ(gTyped.level, -32768);
    EXPECT_TRUE(KsDoCommand("mix 3"));
    EXPECT_EQ(gTyped.count, 3);
    EXPECT_DOUBLE_EQ(gTyped.gain, -1.0); // not given: the caller's default
    EXPECT_FALSE(gTyped.on);
    EXPECT_EQ(gTyped.level, 7);
    EXPECT_TRUE(KsDoCommand("mix 010"));
    EXPECT_EQ(gTyped.count, 10); // decimal, never octal

    // Redefinition replaces.
    AddCommandDef("console", "", ConsoleLike, "");
    EXPECT_EQ(ErrorCode([] { KsDoCommand("console log"); }), "CMD_TOO_MANY_PARAMS");
}

TEST_F(CommandTest, BadInputRaisesClearErrors) {
    const XError unknown = ErrorOf([] { KsDoCommand("consol log"); });
    EXPECT_STREQ(unknown.GetCode(), "CMD_UNKNOWN");
    ASSERT_NE(unknown.FindParam("command"), nullptr);
    EXPECT_EQ(unknown.FindParam("command")->value, "consol");
    EXPECT_EQ(unknown.GetText(),
              "Unknown command \"consol\". Type 'help' for the list of commands.");
    const XError many = ErrorOf([] { KsDoCommand("console a b c"); });
    EXPECT_STREQ(many.GetCode(), "CMD_TOO_MANY_PARAMS");
    ASSERT_NE(many.FindParam("max"), nullptr);
    EXPECT_EQ(many.FindParam("max")->intValue, 2);
    const char* bad[] = {"mix twelve",      "mix 1x",      "mix 99999999999999999999",
                         "mix 1 nan",       "mix 1 1e999", "mix 1 0 maybe",
                         "mix 1 0 1 32768", "mix ''",      "mix 1 2,5"};
    for (const char* line : bad)
        EXPECT_EQ(ErrorCode([&] { KsDoCommand(line); }), "CMD_BAD_PARAM") << line;
    EXPECT_EQ(gTyped.count, 0); // no procedure ran

    AddCommandDef(
        "reads", "str a", [](const KsCommandArgs& args) { args.GetStr("b"); }, "");
    EXPECT_EQ(ErrorCode([] { KsDoCommand("reads x"); }), "CMD_NO_SUCH_PARAM");
    AddCommandDef(
        "asint", "str a", [](const KsCommandArgs& args) { args.GetInt("a"); }, "");
    EXPECT_EQ(ErrorCode([] { KsDoCommand("asint x"); }), "CMD_BAD_PARAM");
    EXPECT_EQ(ErrorCode([] { KsDoCommand("asint 5"); }), "");
    RemoveCommandDef("reads");
    RemoveCommandDef("asint");
    EXPECT_FALSE(RemoveCommandDef("reads"));
}

TEST_F(CommandTest, DefinitionsAreChecked) {
    auto define = [](const char* name, const char* desc, KsCommandProc proc = ConsoleLike) {
        return ErrorCode([&] { AddCommandDef(name, desc, proc, nullptr); });
    };
    for (const char* desc : {static_cast<const char*>(nullptr), "  ", "str a,str b"})
        EXPECT_EQ(define("ok", desc), "") << (desc ? desc : "null");
    for (const char* desc : {"text a", "str", "str a b", "str a,", "str a, int A"})
        EXPECT_EQ(define("ok", desc), "CMD_BAD_DEFINITION") << desc;
    for (const char* name : {"", static_cast<const char*>(nullptr), "two words"})
        EXPECT_EQ(define(name, "str a"), "CMD_BAD_DEFINITION") << (name ? name : "null");
    EXPECT_EQ(define(std::string(64, 'n').c_str(), ""), "CMD_BAD_DEFINITION");
    EXPECT_EQ(define("ok", "str a", nullptr), "CMD_BAD_DEFINITION");
    std::string seventeen;
    for (int i = 0; i < 17; ++i)
        seventeen += "str p" + std::to_string(i) + (i < 16 ? "," : "");
    EXPECT_EQ(define("ok", seventeen.c_str()), "CMD_BAD_DEFINITION");
    RemoveCommandDef("ok");
}

TEST_F(CommandTest, HelpListsCommands) {
    std::string code;
    {
        StCaptureOutput capture;
        std::string& out = capture.text;
        EXPECT_TRUE(KsDoCommand("help"));
        EXPECT_NE(out.find("\tConsole\tType 'Console help' for complete help.\n"),
                  std::string::npos);
        EXPECT_LT(out.find("Console"), out.find("mix"));
        out.clear();
        EXPECT_TRUE(KsDoCommand("? console"));
        EXPECT_EQ(
            out,
            "Console str strParam1, str strParam2\n\tType 'Console help' for complete help.\n");
        code = ErrorCode([] { KsDoCommand("help nothing"); });
    }
    EXPECT_EQ(code, "CMD_UNKNOWN");
    EXPECT_EQ(KsCommandNames(), (Words{"Console", "mix"}));
}
