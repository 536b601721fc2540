// Sections: the table (parse, index, find); the current table and stx; the
// search for table files (folders, languages, loading).
#include "Stx.h"
#include "StxPrivate.h"

#include "KsMacRoman.h"
#include "XError.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <mutex>
#include <set>
#include <shared_mutex>

namespace {

const EMMessage kMessages[] = {
    {"STX_TABLE_CORRUPT",
     "The translation table \"{file}\" is damaged at line {line}: {reason}.//error text", nullptr},
    {"STX_TABLE_NOT_FOUND",
     "No translation table \"{name}\" was found for the language \"{language}\".//error text",
     nullptr},
    {"STX_TABLE_UNREADABLE",
     "The translation table \"{file}\" cannot be read: {reason}.//error text", nullptr},
    {"STX_TABLE_NAME", "\"{name}\" is not a valid translation table name.//error text", nullptr},
};

struct RegisterMessages {
    RegisterMessages() { EMRegisterMessages(kMessages, int(std::size(kMessages))); }
} gRegisterMessages;

[[noreturn]] void Corrupt(const char* file, long line, const char* reason) {
    xraisexerror("STX_TABLE_CORRUPT", "str file", file ? file : "", "int line", line, "str reason",
                 reason);
}

std::size_t NoteStart(std::string_view text) {
    std::size_t n = text.find("//");
    return n == std::string_view::npos ? text.size() : n;
}

// Reads one quoted text at line[pos] (pos at the opening quote), converts it to
// Mac OS Roman and appends it to out. Answers the position after the closing quote.
std::size_t ReadQuoted(std::string_view line, std::size_t pos, std::string& out, const char* file,
                       long lineNo) {
    ++pos; // opening quote
    for (;;) {
        if (pos >= line.size()) Corrupt(file, lineNo, "a text is not closed by '\"'");
        unsigned char c = static_cast<unsigned char>(line[pos]);
        if (c == '"') return pos + 1;
        if (c == '\\') {
            if (pos + 1 >= line.size()) Corrupt(file, lineNo, "a text is not closed by '\"'");
            char e = line[pos + 1];
            switch (e) {
            case '"':
                out += '"';
                break;
            case '\\':
                out += '\\';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            default:
                Corrupt(file, lineNo, "unknown escape after '\\'");
            }
            pos += 2;
            continue;
        }
        if (c == 0) Corrupt(file, lineNo, "zero byte in a text");
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++pos;
            continue;
        }
        char32_t ch;
        std::size_t used = KsDecodeUTF8(line.data() + pos, line.size() - pos, &ch);
        if (ch == kKsReplacementChar) {
            // U+FFFD written out in the file has no Mac OS Roman form either.
            Corrupt(file, lineNo, "invalid UTF-8");
        }
        unsigned char b;
        if (!KsUnicodeToMacRoman(ch, &b))
            Corrupt(file, lineNo, "a character has no form in the toolbox character set");
        out += static_cast<char>(b);
        pos += used;
    }
}

std::size_t SkipBlanks(std::string_view line, std::size_t pos) {
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
        ++pos;
    return pos;
}

} // namespace

// ---------------------------------------------------------------- the table

std::uint64_t StxHash(std::string_view text) {
    std::uint64_t h = kStxHashSeed;
    for (char c : text)
        h = StxHashByte(h, static_cast<unsigned char>(c));
    return h;
}

std::unique_ptr<StxTable> StxTable::Parse(std::string_view data, const char* fileName) {
    std::unique_ptr<StxTable> table(new StxTable);
    if (data.size() > kStxMaxFileSize) Corrupt(fileName, 0, "the file is too large");
    if (data.substr(0, 3) == "\xEF\xBB\xBF") data.remove_prefix(3);

    struct Entry {
        std::uint32_t keyOffset, keyLength, valueOffset;
        long line;
    };
    std::vector<Entry> entries;
    std::string& texts = table->texts_;
    std::string key, value;
    long lineNo = 0;
    std::size_t start = 0;
    while (start < data.size()) {
        std::size_t end = data.find('\n', start);
        if (end == std::string_view::npos) end = data.size();
        std::string_view line = data.substr(start, end - start);
        start = end + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

        std::size_t pos = SkipBlanks(line, 0);
        if (pos == line.size() || line[pos] == '#') continue;
        if (line[pos] != '"') Corrupt(fileName, lineNo, "an entry must start with a quoted text");
        key.clear();
        value.clear();
        pos = SkipBlanks(line, ReadQuoted(line, pos, key, fileName, lineNo));
        if (pos >= line.size() || line[pos] != '=')
            Corrupt(fileName, lineNo, "'=' must follow the source text");
        pos = SkipBlanks(line, pos + 1);
        if (pos >= line.size() || line[pos] != '"')
            Corrupt(fileName, lineNo, "a quoted translation must follow '='");
        pos = SkipBlanks(line, ReadQuoted(line, pos, value, fileName, lineNo));
        if (pos < line.size() && line[pos] != '#')
            Corrupt(fileName, lineNo, "unexpected text after the translation");
        if (key.empty()) Corrupt(fileName, lineNo, "the source text is empty");
        value.resize(NoteStart(value)); // a note is never shown, not even a translated one
        if (value.empty()) continue;    // not translated yet

        Entry e;
        e.keyOffset = static_cast<std::uint32_t>(texts.size());
        e.keyLength = static_cast<std::uint32_t>(key.size());
        texts.append(key).push_back('\0');
        e.valueOffset = static_cast<std::uint32_t>(texts.size());
        texts.append(value).push_back('\0');
        e.line = lineNo;
        entries.push_back(e);
    }

    // At most half full, so probes stay short.
    std::size_t capacity = 8;
    while (capacity < entries.size() * 2)
        capacity *= 2;
    table->slots_.assign(capacity, Slot{});
    for (const Entry& e : entries) {
        std::string_view k(texts.data() + e.keyOffset, e.keyLength);
        std::uint64_t h = StxHash(k);
        for (std::size_t i = h & (capacity - 1);; i = (i + 1) & (capacity - 1)) {
            Slot& s = table->slots_[i];
            if (s.keyOffset == kEmpty) {
                s = {static_cast<std::uint32_t>(h), e.keyOffset, e.keyLength, e.valueOffset};
                break;
            }
            if (s.hash == static_cast<std::uint32_t>(h) &&
                k == std::string_view(texts.data() + s.keyOffset, s.keyLength))
                Corrupt(fileName, e.line, "the source text is given twice");
        }
    }
    table->count_ = entries.size();
    return table;
}

const char* StxTable::Find(const char* text, std::size_t length, std::uint64_t hash) const {
    if (count_ == 0) return nullptr;
    std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& s = slots_[i];
        if (s.keyOffset == kEmpty) return nullptr;
        if (s.hash == static_cast<std::uint32_t>(hash) && s.keyLength == length &&
            std::memcmp(texts_.data() + s.keyOffset, text, length) == 0)
            return texts_.data() + s.valueOffset;
    }
}

const char* StxTable::Find(std::string_view text) const {
    return Find(text.data(), text.size(), StxHash(text));
}

// ------------------------------------------------------ current table and stx

namespace {

std::atomic<const StxTable*> gCurrent{nullptr};

std::mutex& TablesLock() {
    static std::mutex m;
    return m;
}
// Every table ever installed: stx answers point into them.
std::vector<std::unique_ptr<StxTable>>& AllTables() {
    static auto* v = new std::vector<std::unique_ptr<StxTable>>;
    return *v;
}

// Source texts cut before their note, for texts without a translation.
struct Interned {
    std::shared_mutex lock;
    std::set<std::string, std::less<>> texts;
};
Interned& TheInterned() {
    static auto* i = new Interned;
    return *i;
}

const char* Intern(std::string_view text) {
    Interned& in = TheInterned();
    {
        std::shared_lock<std::shared_mutex> g(in.lock);
        auto it = in.texts.find(text);
        if (it != in.texts.end()) return it->c_str();
    }
    std::unique_lock<std::shared_mutex> g(in.lock);
    return in.texts.emplace(text).first->c_str();
}

} // namespace

void StxInstallTable(std::unique_ptr<StxTable> table) {
    std::lock_guard<std::mutex> g(TablesLock());
    const StxTable* t = table.get();
    if (table) AllTables().push_back(std::move(table));
    gCurrent.store(t, std::memory_order_release);
}

void StxClearTranslationTable() {
    StxInstallTable(nullptr);
}

const char* stx(const char* text) {
    if (!text) return "";
    // One pass: the length, where a note starts, and the hashes of the whole
    // text and of the text before its note.
    std::uint64_t h = kStxHashSeed, hBeforeNote = 0;
    std::size_t length = 0, note = std::string_view::npos;
    for (;; ++length) {
        unsigned char c = static_cast<unsigned char>(text[length]);
        if (c == 0) break;
        if (c == '/' && note == std::string_view::npos && text[length + 1] == '/') {
            note = length;
            hBeforeNote = h;
        }
        h = StxHashByte(h, c);
    }
    if (const StxTable* table = gCurrent.load(std::memory_order_acquire)) {
        if (const char* t = table->Find(text, length, h)) return t;
        if (note != std::string_view::npos)
            if (const char* t = table->Find(text, note, hBeforeNote)) return t;
    }
    if (note == std::string_view::npos) return text;
    return Intern(std::string_view(text, note));
}

// ---------------------------------------------------------- finding tables

namespace {

struct Config {
    std::mutex lock;
    std::vector<std::string> folders;
    std::vector<std::string> languages;
};
Config& TheConfig() {
    static auto* c = new Config;
    return *c;
}

bool IsLanguageName(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
              c == '_' || c == '-' || c == '@'))
            return false;
    return true;
}

// "de_DE.UTF-8@euro" -> de_DE@euro, de_DE, de@euro, de.
void AddLocale(std::string_view locale, std::vector<std::string>& out) {
    if (locale.empty() || locale == "C" || locale == "POSIX" || locale.substr(0, 2) == "C.") return;
    std::string_view modifier;
    if (std::size_t at = locale.find('@'); at != std::string_view::npos) {
        modifier = locale.substr(at);
        locale = locale.substr(0, at);
    }
    if (std::size_t dot = locale.find('.'); dot != std::string_view::npos)
        locale = locale.substr(0, dot);
    std::string_view language = locale.substr(0, locale.find('_'));
    auto add = [&](std::string_view a, std::string_view b) {
        std::string s = std::string(a) + std::string(b);
        if (!IsLanguageName(s) || s[0] == '@' || s[0] == '_' || s[0] == '-') return;
        for (const std::string& e : out)
            if (e == s) return;
        out.push_back(std::move(s));
    };
    if (!modifier.empty()) add(locale, modifier);
    add(locale, "");
    if (language != locale) {
        if (!modifier.empty()) add(language, modifier);
        add(language, "");
    }
}

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

bool ValidTableName(const char* name) {
    if (!name || !*name || name[0] == '.') return false;
    for (const char* p = name; *p; ++p)
        if (*p == '/' || *p == '\\') return false;
    return true;
}

// Reads a whole file of at most kStxMaxFileSize bytes. Answers false when it
// does not exist; raises when it exists but cannot be read.
bool ReadFile(const std::string& path, std::string& data) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        if (errno == ENOENT || errno == ENOTDIR) return false;
        xraisexerror("STX_TABLE_UNREADABLE", "str file", path, "str reason", std::strerror(errno));
    }
    data.clear();
    char buf[65536];
    bool failed = false, tooLarge = false;
    for (;;) {
        std::size_t n = std::fread(buf, 1, sizeof buf, f);
        if (n == 0) {
            failed = std::ferror(f) != 0;
            break;
        }
        if (data.size() + n > kStxMaxFileSize) {
            tooLarge = true;
            break;
        }
        data.append(buf, n);
    }
    int err = errno;
    std::fclose(f);
    if (failed)
        xraisexerror("STX_TABLE_UNREADABLE", "str file", path, "str reason", std::strerror(err));
    if (tooLarge) Corrupt(path.c_str(), 0, "the file is too large");
    return true;
}

} // namespace

void StxSetTableFolders(std::vector<std::string> folders) {
    Config& c = TheConfig();
    std::lock_guard<std::mutex> g(c.lock);
    c.folders = std::move(folders);
}

std::vector<std::string> StxGetTableFolders() {
    {
        Config& c = TheConfig();
        std::lock_guard<std::mutex> g(c.lock);
        if (!c.folders.empty()) return c.folders;
    }
    return StxDefaultTableFolders();
}

std::vector<std::string> StxDefaultTableFolders(const char* applicationName) {
    std::string app =
        applicationName && *applicationName ? applicationName : program_invocation_short_name;
    std::vector<std::string> bases;
    std::string home = Env("XDG_DATA_HOME");
    if (home.empty() || home[0] != '/') {
        std::string h = Env("HOME");
        home = h.empty() || h[0] != '/' ? std::string() : h + "/.local/share";
    }
    if (!home.empty()) bases.push_back(home);
    std::string dirs = Env("XDG_DATA_DIRS");
    if (dirs.empty()) dirs = "/usr/local/share/:/usr/share/";
    for (std::size_t start = 0; start <= dirs.size();) {
        std::size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        std::string d = dirs.substr(start, end - start);
        if (!d.empty() && d[0] == '/') bases.push_back(d);
        start = end + 1;
    }
    std::vector<std::string> out;
    for (std::string& b : bases) {
        while (b.size() > 1 && b.back() == '/')
            b.pop_back();
        out.push_back(b + "/" + app + "/translations");
    }
    return out;
}

void StxSetLanguages(std::vector<std::string> languages) {
    Config& c = TheConfig();
    std::lock_guard<std::mutex> g(c.lock);
    c.languages = std::move(languages);
}

std::vector<std::string> StxLanguagesFromEnvironment() {
    std::string locale = Env("LC_ALL");
    if (locale.empty()) locale = Env("LC_MESSAGES");
    if (locale.empty()) locale = Env("LANG");
    std::vector<std::string> out;
    bool plain = locale == "C" || locale == "POSIX" || locale.rfind("C.", 0) == 0;
    std::string list = Env("LANGUAGE");
    if (!plain && !list.empty()) {
        for (std::size_t start = 0; start <= list.size();) {
            std::size_t end = list.find(':', start);
            if (end == std::string::npos) end = list.size();
            AddLocale(std::string_view(list).substr(start, end - start), out);
            start = end + 1;
        }
    }
    if (out.empty()) AddLocale(locale, out);
    return out;
}

bool InitTranslationTable(const char* name, bool mustExist) {
    if (!ValidTableName(name)) xraisexerror("STX_TABLE_NAME", "str name", name ? name : "");
    std::vector<std::string> languages;
    {
        Config& c = TheConfig();
        std::lock_guard<std::mutex> g(c.lock);
        languages = c.languages;
    }
    if (languages.empty()) languages = StxLanguagesFromEnvironment();
    std::vector<std::string> folders = StxGetTableFolders();

    std::string data;
    for (const std::string& language : languages) {
        if (!IsLanguageName(language)) continue;
        for (const std::string& folder : folders) {
            std::string path = folder + "/" + name + "." + language + ".stx";
            if (!ReadFile(path, data)) continue;
            StxInstallTable(StxTable::Parse(data, path.c_str()));
            return true;
        }
    }
    StxInstallTable(nullptr);
    if (mustExist && !languages.empty())
        xraisexerror("STX_TABLE_NOT_FOUND", "str name", name, "str language", languages.front());
    return false;
}
