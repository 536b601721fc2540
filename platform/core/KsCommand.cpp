// The command interpreter. Sections: messages, tokenizer, definitions,
// arguments, dispatch.
#include "KsCommand.h"

#include "KsOutput.h"
#include "XError.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <map>
#include <mutex>

namespace {
const EMMessage kMessages[] = {
    {"CMD_BAD_SYNTAX", "The command line is malformed: {reason}.", nullptr},
    {"CMD_LINE_TOO_LONG", "The command line is too long ({length} characters; at most {max}).",
     nullptr},
    {"CMD_UNKNOWN", "Unknown command \"{command}\". Type 'help' for the list of commands.",
     nullptr},
    {"CMD_TOO_MANY_PARAMS", "The command \"{command}\" takes at most {max} parameters.", nullptr},
    {"CMD_BAD_PARAM", "\"{value}\" is not a valid value for {param} of the command \"{command}\".",
     nullptr},
    {"CMD_BAD_DEFINITION", "The command \"{command}\" is badly defined (\"{desc}\").", nullptr},
    {"CMD_NO_SUCH_PARAM", "The command \"{command}\" has no parameter {param}.", nullptr},
};

struct RegisterMessages {
    RegisterMessages() { EMRegisterMessages(kMessages, int(std::size(kMessages))); }
} gRegisterMessages;

// Raised texts quote outside data: keep what goes into an error short.
std::string Clip(std::string_view text) {
    return std::string(text.substr(0, 64));
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && Lower(a) == Lower(b);
}
} // namespace

// ---------------------------------------------------------------- tokenizer

std::vector<std::string> KsTokenizeCommand(std::string_view line) {
    if (line.size() > kKsCommandMaxLine)
        xraisexerror("CMD_LINE_TOO_LONG", "int length", line.size(), "int max", kKsCommandMaxLine);
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    std::size_t i = 0;
    auto endWord = [&] {
        if (!inWord) return;
        if (words.size() == kKsCommandMaxWords)
            xraisexerror("CMD_TOO_MANY_PARAMS", "str command", Clip(words.empty() ? "" : words[0]),
                         "int max", kKsCommandMaxWords - 1);
        words.push_back(std::move(word));
        word.clear();
        inWord = false;
    };
    while (i < line.size()) {
        char c = line[i];
        if (c == '\0') xraisexerror("CMD_BAD_SYNTAX", "str reason", "NUL character");
        if (IsBlank(c)) {
            endWord();
            ++i;
        } else if (c == '\\') {
            if (i + 1 >= line.size())
                xraisexerror("CMD_BAD_SYNTAX", "str reason", "backslash at end of line");
            if (line[i + 1] == '\0') xraisexerror("CMD_BAD_SYNTAX", "str reason", "NUL character");
            word += line[i + 1];
            inWord = true;
            i += 2;
        } else if (c == '\'') {
            std::size_t close = line.find('\'', i + 1);
            if (close == std::string_view::npos)
                xraisexerror("CMD_BAD_SYNTAX", "str reason", "unterminated single quote");
            std::string_view quoted = line.substr(i + 1, close - i - 1);
            if (quoted.find('\0') != std::string_view::npos)
                xraisexerror("CMD_BAD_SYNTAX", "str reason", "NUL character");
            word += quoted;
            inWord = true;
            i = close + 1;
        } else if (c == '"') {
            inWord = true;
            ++i;
            for (;;) {
                if (i >= line.size())
                    xraisexerror("CMD_BAD_SYNTAX", "str reason", "unterminated double quote");
                char q = line[i];
                if (q == '\0') xraisexerror("CMD_BAD_SYNTAX", "str reason", "NUL character");
                if (q == '"') {
                    ++i;
                    break;
                }
                if (q == '\\') {
                    if (i + 1 >= line.size())
                        xraisexerror("CMD_BAD_SYNTAX", "str reason", "unterminated double quote");
                    char e = line[i + 1];
                    if (e == '\0') xraisexerror("CMD_BAD_SYNTAX", "str reason", "NUL character");
                    word += e == 'n' ? '\n' : e == 'r' ? '\r' : e == 't' ? '\t' : e;
                    i += 2;
                } else {
                    word += q;
                    ++i;
                }
            }
        } else {
            word += c;
            inWord = true;
            ++i;
        }
    }
    endWord();
    return words;
}

// ---------------------------------------------------------------- definitions

namespace {
struct CommandDef {
    std::string name;
    std::string desc;
    std::vector<KsCommandArgs::Param> params;
    KsCommandProc proc = nullptr;
    std::string help;
};

std::mutex gLock;
std::map<std::string, CommandDef>& Commands() {
    static auto* commands = new std::map<std::string, CommandDef>; // outlives static destructors
    return *commands;
}

const char* const kTypes[] = {"str", "bool", "short", "int", "long", "float", "double"};

bool ValidName(std::string_view name) {
    if (name.empty() || name.size() > 63) return false;
    for (char c : name)
        if (IsBlank(c) || c == '"' || c == '\'' || c == '\\' || c == ',' ||
            static_cast<unsigned char>(c) < 0x20)
            return false;
    return true;
}

std::vector<KsCommandArgs::Param> ParseDescription(const std::string& command,
                                                   std::string_view desc) {
    std::vector<KsCommandArgs::Param> params;
    auto bad = [&] {
        xraisexerror("CMD_BAD_DEFINITION", "str command", command, "str desc", desc);
    };
    std::size_t i = 0;
    while (i < desc.size()) {
        std::size_t comma = desc.find(',', i);
        if (comma == std::string_view::npos) comma = desc.size();
        std::string_view item = desc.substr(i, comma - i);
        i = comma + 1;
        std::vector<std::string_view> parts;
        std::size_t j = 0;
        while (j < item.size()) {
            while (j < item.size() && IsBlank(item[j]))
                ++j;
            std::size_t start = j;
            while (j < item.size() && !IsBlank(item[j]))
                ++j;
            if (j > start) parts.push_back(item.substr(start, j - start));
        }
        if (parts.empty() && comma == desc.size() && params.empty()) break; // blank description
        if (parts.size() != 2 || !ValidName(parts[1])) bad();
        std::string type = Lower(parts[0]);
        if (std::find(std::begin(kTypes), std::end(kTypes), type) == std::end(kTypes)) bad();
        for (const auto& p : params)
            if (EqualNoCase(p.name, parts[1])) bad();
        if (params.size() == kKsCommandMaxParams) bad();
        params.push_back({type, std::string(parts[1]), false, {}});
    }
    std::size_t last = desc.find_last_not_of(" \t\r\n");
    if (last != std::string_view::npos && desc[last] == ',') bad(); // an empty last item
    return params;
}

bool ParseLong(const std::string& text, long& value) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    long parsed = std::strtol(text.c_str(), &end, 10);
    if (errno == ERANGE || *end != '\0' || IsBlank(text[0])) return false;
    value = parsed;
    return true;
}

bool ParseDouble(const std::string& text, double& value) {
    if (text.empty() || IsBlank(text[0])) return false;
    char* end = nullptr;
    double parsed = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

bool ParseBool(const std::string& text, bool& value) {
    std::string lower = Lower(text);
    if (lower == "1" || lower == "true" || lower == "yes" || lower == "on") {
        value = true;
        return true;
    }
    if (lower == "0" || lower == "false" || lower == "no" || lower == "off") {
        value = false;
        return true;
    }
    return false;
}

bool FitsType(const std::string& type, const std::string& text) {
    long l;
    double d;
    bool b;
    if (type == "str") return true;
    if (type == "bool") return ParseBool(text, b);
    if (type == "float" || type == "double") return ParseDouble(text, d);
    if (!ParseLong(text, l)) return false;
    if (type == "short") return l >= -32768 && l <= 32767;
    if (type == "int") return l >= -2147483648L && l <= 2147483647L;
    return true;
}
} // namespace

void AddCommandDef(const char* name, const char* paramDesc, KsCommandProc proc, const char* help) {
    std::string command = name ? name : "";
    std::string desc = paramDesc ? paramDesc : "";
    if (!ValidName(command) || !proc)
        xraisexerror("CMD_BAD_DEFINITION", "str command", Clip(command), "str desc", desc);
    CommandDef def{command, desc, ParseDescription(command, desc), proc, help ? help : ""};
    std::lock_guard<std::mutex> hold(gLock);
    Commands()[Lower(command)] = std::move(def);
}

bool RemoveCommandDef(const char* name) {
    if (!name) return false;
    std::lock_guard<std::mutex> hold(gLock);
    return Commands().erase(Lower(name)) > 0;
}

std::vector<std::string> KsCommandNames() {
    std::lock_guard<std::mutex> hold(gLock);
    std::vector<std::string> names;
    for (const auto& [key, def] : Commands())
        names.push_back(def.name);
    return names; // the map is keyed by the lower-case name: already sorted so
}

// ---------------------------------------------------------------- arguments

KsCommandArgs::KsCommandArgs(std::string command, std::vector<Param> params)
    : command_(std::move(command)), params_(std::move(params)) {}

int KsCommandArgs::Count() const {
    return int(
        std::count_if(params_.begin(), params_.end(), [](const Param& p) { return p.given; }));
}

const KsCommandArgs::Param& KsCommandArgs::Find(std::string_view name) const {
    for (const auto& p : params_)
        if (EqualNoCase(p.name, name)) return p;
    xraisexerror("CMD_NO_SUCH_PARAM", "str command", command_, "str param", Clip(name));
}

bool KsCommandArgs::Has(std::string_view name) const {
    return Find(name).given;
}

const char* KsCommandArgs::GetStr(std::string_view name) const {
    const Param& p = Find(name);
    return p.given ? p.text.c_str() : nullptr;
}

// Values were checked against their types before the procedure ran; a read
// of another type than declared is checked here.
long KsCommandArgs::GetInt(std::string_view name, long missing) const {
    const Param& p = Find(name);
    if (!p.given) return missing;
    long value = 0;
    if (!ParseLong(p.text, value))
        xraisexerror("CMD_BAD_PARAM", "str command", command_, "str param", p.name, "str value",
                     Clip(p.text));
    return value;
}

double KsCommandArgs::GetFloat(std::string_view name, double missing) const {
    const Param& p = Find(name);
    if (!p.given) return missing;
    double value = 0;
    if (!ParseDouble(p.text, value))
        xraisexerror("CMD_BAD_PARAM", "str command", command_, "str param", p.name, "str value",
                     Clip(p.text));
    return value;
}

bool KsCommandArgs::GetBool(std::string_view name, bool missing) const {
    const Param& p = Find(name);
    if (!p.given) return missing;
    bool value = false;
    if (!ParseBool(p.text, value))
        xraisexerror("CMD_BAD_PARAM", "str command", command_, "str param", p.name, "str value",
                     Clip(p.text));
    return value;
}

// ---------------------------------------------------------------- dispatch

namespace {
void ShowHelp(const std::vector<std::string>& words) {
    std::lock_guard<std::mutex> hold(gLock);
    if (words.size() >= 2) {
        auto found = Commands().find(Lower(words[1]));
        if (found == Commands().end()) xraisexerror("CMD_UNKNOWN", "str command", Clip(words[1]));
        const CommandDef& def = found->second;
        dprintf("%s %s\n", def.name.c_str(), def.desc.c_str());
        if (!def.help.empty()) dprintf("\t%s\n", def.help.c_str());
        return;
    }
    dprintf("Commands:\n");
    for (const auto& [key, def] : Commands())
        dprintf("\t%s\t%s\n", def.name.c_str(), def.help.c_str());
}
} // namespace

bool KsDoCommand(std::string_view line) {
    std::vector<std::string> words = KsTokenizeCommand(line);
    if (words.empty()) return false;
    CommandDef def;
    {
        std::lock_guard<std::mutex> hold(gLock);
        auto found = Commands().find(Lower(words[0]));
        if (found != Commands().end()) def = found->second;
    }
    if (!def.proc) {
        std::string lower = Lower(words[0]);
        if (lower == "help" || lower == "?") {
            ShowHelp(words);
            return true;
        }
        xraisexerror("CMD_UNKNOWN", "str command", Clip(words[0]));
    }
    if (words.size() - 1 > def.params.size())
        xraisexerror("CMD_TOO_MANY_PARAMS", "str command", def.name, "int max", def.params.size());
    for (std::size_t i = 1; i < words.size(); ++i) {
        KsCommandArgs::Param& p = def.params[i - 1];
        if (!FitsType(p.type, words[i]))
            xraisexerror("CMD_BAD_PARAM", "str command", def.name, "str param", p.name, "str value",
                         Clip(words[i]));
        p.given = true;
        p.text = std::move(words[i]);
    }
    KsCommandArgs args(def.name, std::move(def.params));
    def.proc(args);
    return true;
}
