// The command interpreter: named commands typed by the user (the console's
// command line) or sent by test scripts.
//
// A command is defined with a parameter description such as
// "str strParam1, str strParam2": comma-separated "<type> <name>" pairs with
// the types str, bool, short, int, long, float and double. Words after the
// command's name fill the parameters in order; trailing ones may be left out.
// Command names are matched without regard to case.
//
// Command lines are outside data. They are split into words at blanks; double
// quotes group words and take the escapes \" \\ \n \r \t (any other escaped
// character stands for itself); single quotes group words literally; outside
// quotes a backslash escapes the next character. Lines are limited to
// kKsCommandMaxLine bytes and kKsCommandMaxWords words.
//
// Errors (XError codes):
//   "CMD_BAD_SYNTAX"      "str reason": unterminated quote, trailing backslash, NUL
//   "CMD_LINE_TOO_LONG"   "int length", "int max"
//   "CMD_UNKNOWN"         "str command"
//   "CMD_TOO_MANY_PARAMS" "str command", "int max"
//   "CMD_BAD_PARAM"       "str command", "str param", "str value": not of the parameter's type
//   "CMD_BAD_DEFINITION"  "str command", "str desc": a malformed definition
//   "CMD_NO_SUCH_PARAM"   "str command", "str param": a procedure read a parameter
//                         its definition does not have
#pragma once

#include <string>
#include <string_view>
#include <vector>

constexpr std::size_t kKsCommandMaxLine = 4096;
constexpr std::size_t kKsCommandMaxWords = 64;
constexpr std::size_t kKsCommandMaxParams = 16;

// The parameters of one run of a command, read by name.
class KsCommandArgs {
public:
    struct Param {
        std::string type;
        std::string name;
        bool given = false;
        std::string text;
    };

    KsCommandArgs(std::string command, std::vector<Param> params);

    // The command's name as defined.
    const std::string& GetCommand() const { return command_; }
    // Number of parameters given on the line.
    int Count() const;
    bool Has(std::string_view name) const;
    // The parameter's text; null when it was not given.
    const char* GetStr(std::string_view name) const;
    // Typed reads; `missing` when the parameter was not given.
    long GetInt(std::string_view name, long missing = 0) const;
    double GetFloat(std::string_view name, double missing = 0.0) const;
    bool GetBool(std::string_view name, bool missing = false) const;

private:
    const Param& Find(std::string_view name) const;

    std::string command_;
    std::vector<Param> params_;
};

// A command procedure. It may raise XError; the error reaches the caller of
// KsDoCommand.
using KsCommandProc = void (*)(const KsCommandArgs& args);

// Defines (or redefines) a command. Raises "CMD_BAD_DEFINITION" for a name
// that is empty, longer than 63 bytes or holds a blank or quote, for a bad
// parameter description, or for a null procedure.
void AddCommandDef(const char* name, const char* paramDesc, KsCommandProc proc, const char* help);
// Answers whether the command existed.
bool RemoveCommandDef(const char* name);
// Names of the defined commands, sorted without regard to case.
std::vector<std::string> KsCommandNames();

// Splits a line into words (see above); raises on bad input.
std::vector<std::string> KsTokenizeCommand(std::string_view line);

// Runs a command line. Answers false for a blank line, true when a command
// ran. "help" (or "?"), unless a command of that name is defined, lists the
// commands on the debug output; "help <command>" shows one.
bool KsDoCommand(std::string_view line);
