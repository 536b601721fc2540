// Source folders of resources: file names, payload forms, attributes.
#include "ResourceSourcePrivate.h"

#include "KsMacRoman.h"
#include "ResourceFormatPrivate.h"
#include "ResourcesPrivate.h"
#include "XError.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const EMMessage kMessages[] = {
    {"RSRC_SOURCE_BAD", "The resource source \"{file}\" cannot be used: {what}.", nullptr},
};

struct RegisterMessages {
    RegisterMessages() { EMRegisterMessages(kMessages, int(std::size(kMessages))); }
} gRegisterMessages;

[[noreturn]] void Bad(const std::string& file, const std::string& what) {
    xraisexerror("RSRC_SOURCE_BAD", "str file", file, "str what", what);
}

constexpr ResType kTEXT = FourCharCode("TEXT");
constexpr ResType kSTR = FourCharCode("STR ");
constexpr ResType kSTRList = FourCharCode("STR#");

constexpr UInt8 kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

struct AttrWord {
    const char* word;
    unsigned bit;
};
constexpr AttrWord kResAttrWords[] = {{"sysHeap", 0x40},   {"purgeable", 0x20}, {"locked", 0x10},
                                      {"protected", 0x08}, {"preload", 0x04},   {"changed", 0x02}};
constexpr AttrWord kMapAttrWords[] = {{"readOnly", 0x80}, {"compact", 0x40}, {"changed", 0x20}};

// Width of the 1-bit images of a type drawn as .bits; 0 for other types.
int BitsWidth(ResType type) {
    if (type == FourCharCode("SICN") || type == FourCharCode("ics#")) return 16;
    if (type == FourCharCode("ICON") || type == FourCharCode("ICN#")) return 32;
    return 0;
}

bool SafeTypeByte(UInt8 c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
           std::strchr("#$&+,-=@[]^{}~!()", c) != nullptr;
}

void Hex(std::string& out, UInt8 c) {
    static const char digits[] = "0123456789ABCDEF";
    out += '%';
    out += digits[c >> 4];
    out += digits[c & 15];
}

std::string EscapeType(ResType type) {
    std::string out;
    for (int shift = 24; shift >= 0; shift -= 8) {
        UInt8 c = UInt8(type >> shift);
        if (c && SafeTypeByte(c))
            out += char(c);
        else
            Hex(out, c);
    }
    return out;
}

std::string EscapeName(const std::string& name) {
    std::string out;
    for (unsigned char c : name) {
        if (c < 0x20 || c == 0x7F || c == '/' || c == '%') {
            Hex(out, c);
        } else if (c >= 0x80) {
            char utf8[4];
            out.append(utf8, KsEncodeUTF8(KsMacRomanToUnicode(c), utf8));
        } else {
            out += char(c);
        }
    }
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Mac OS Roman bytes of an escaped UTF-8 part of a file name; nullopt when it
// is malformed.
std::optional<std::string> Unescape(std::string_view text) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '%') {
            if (i + 2 >= text.size()) return std::nullopt;
            int hi = HexDigit(text[i + 1]), lo = HexDigit(text[i + 2]);
            if (hi < 0 || lo < 0) return std::nullopt;
            out += char(hi * 16 + lo);
            i += 3;
            continue;
        }
        char32_t ch;
        std::size_t used = KsDecodeUTF8(text.data() + i, text.size() - i, &ch);
        unsigned char byte;
        if (ch == kKsReplacementChar || !KsUnicodeToMacRoman(ch, &byte)) return std::nullopt;
        out += char(byte);
        i += used;
    }
    return out;
}

std::vector<UInt8> ReadWhole(const fs::path& path) {
    std::vector<UInt8> bytes;
    if (int err = KsResReadFile(path.c_str(), &bytes))
        Bad(path.filename().string(), std::string("it cannot be read: ") + std::strerror(err));
    return bytes;
}

// Payload forms ---------------------------------------------------------------

std::string MacToUTF8(const UInt8* data, std::size_t length) {
    return KsMacRomanToUTF8(std::string_view(reinterpret_cast<const char*>(data), length));
}

// The resource bytes of a .txt file; nullopt with `why` set when the text has
// no resource form.
std::optional<std::vector<UInt8>> TextToData(ResType type, const std::string& utf8,
                                             std::string* why) {
    auto toMac = [&](std::string_view s) -> std::optional<std::string> {
        std::size_t replaced = 0;
        std::string mac = KsUTF8ToMacRoman(s, &replaced);
        if (replaced) {
            *why = "the text holds characters that Mac OS Roman lacks";
            return std::nullopt;
        }
        return mac;
    };
    std::vector<UInt8> out;
    if (type == kTEXT) {
        auto mac = toMac(utf8);
        if (!mac) return std::nullopt;
        for (char c : *mac)
            out.push_back(c == '\n' ? '\r' : UInt8(c));
        return out;
    }
    if (type == kSTR) {
        std::string_view s(utf8);
        if (!s.empty() && s.back() == '\n') s.remove_suffix(1);
        auto mac = toMac(s);
        if (!mac) return std::nullopt;
        if (mac->size() > 255) {
            *why = "the string is longer than 255 bytes";
            return std::nullopt;
        }
        out.push_back(UInt8(mac->size()));
        out.insert(out.end(), mac->begin(), mac->end());
        return out;
    }
    if (type == kSTRList) {
        std::vector<std::string> lines;
        if (!utf8.empty()) {
            std::string_view s(utf8);
            if (s.back() == '\n') s.remove_suffix(1);
            std::size_t start = 0;
            for (;;) {
                std::size_t nl = s.find('\n', start);
                auto mac =
                    toMac(s.substr(start, nl == std::string_view::npos ? s.npos : nl - start));
                if (!mac) return std::nullopt;
                if (mac->size() > 255) {
                    *why = "a string is longer than 255 bytes";
                    return std::nullopt;
                }
                lines.push_back(std::move(*mac));
                if (nl == std::string_view::npos) break;
                start = nl + 1;
            }
        }
        if (lines.size() > 32767) {
            *why = "the list holds more than 32767 strings";
            return std::nullopt;
        }
        out.push_back(UInt8(lines.size() >> 8));
        out.push_back(UInt8(lines.size()));
        for (const std::string& line : lines) {
            out.push_back(UInt8(line.size()));
            out.insert(out.end(), line.begin(), line.end());
        }
        return out;
    }
    *why = "the type " + KsResTypeText(type) + " has no text form";
    return std::nullopt;
}

// The .txt form of resource bytes, when there is one that compiles back to
// exactly these bytes.
std::optional<std::string> DataToText(ResType type, const UInt8* data, std::size_t length) {
    std::string text;
    if (type == kTEXT) {
        std::string mac(reinterpret_cast<const char*>(data), length);
        std::replace(mac.begin(), mac.end(), '\r', '\n');
        text = KsMacRomanToUTF8(mac);
        // LF bytes of the resource would come back as CR: no text form then.
    } else if (type == kSTR) {
        if (length < 1 || std::size_t(data[0]) + 1 != length) return std::nullopt;
        text = MacToUTF8(data + 1, data[0]) + "\n";
    } else if (type == kSTRList) {
        if (length < 2) return std::nullopt;
        std::size_t count = std::size_t(data[0]) << 8 | data[1], at = 2;
        for (std::size_t i = 0; i < count; ++i) {
            if (at >= length || at + 1 + data[at] > length) return std::nullopt;
            text += MacToUTF8(data + at + 1, data[at]) + "\n";
            at += 1 + std::size_t(data[at]);
        }
        if (at != length) return std::nullopt;
    } else {
        return std::nullopt;
    }
    std::string why;
    auto back = TextToData(type, text, &why);
    if (!back || back->size() != length || !std::equal(back->begin(), back->end(), data))
        return std::nullopt;
    return text;
}

std::string DataToBits(int width, const UInt8* data, std::size_t length) {
    std::string out;
    const std::size_t rowBytes = std::size_t(width) / 8;
    const std::size_t imageBytes = rowBytes * std::size_t(width);
    for (std::size_t at = 0; at < length; at += rowBytes) {
        if (at && at % imageBytes == 0) out += '\n';
        for (std::size_t b = 0; b < rowBytes; ++b)
            for (int bit = 7; bit >= 0; --bit)
                out += (data[at + b] >> bit) & 1 ? '#' : '.';
        out += '\n';
    }
    return out;
}

std::vector<UInt8> BitsToData(int width, const std::string& text, const std::string& file) {
    std::vector<UInt8> out;
    std::istringstream in(text);
    std::string line;
    std::size_t rows = 0;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        if (line.size() != std::size_t(width))
            Bad(file, "row " + std::to_string(rows + 1) + " is not " + std::to_string(width) +
                          " pixels wide");
        for (int b = 0; b < width; b += 8) {
            UInt8 byte = 0;
            for (int bit = 0; bit < 8; ++bit) {
                char c = line[std::size_t(b + bit)];
                if (c != '#' && c != '.') Bad(file, "pixels are drawn with '#' and '.' only");
                byte = UInt8(byte << 1 | (c == '#'));
            }
            out.push_back(byte);
        }
        ++rows;
    }
    if (rows == 0 || rows % std::size_t(width) != 0)
        Bad(file, "the rows do not make whole " + std::to_string(width) + "-row images");
    return out;
}

// Attributes ------------------------------------------------------------------

template <std::size_t N> std::string AttrsToText(unsigned attrs, const AttrWord (&words)[N]) {
    std::string out;
    for (const AttrWord& w : words)
        if (attrs & w.bit) {
            out += w.word;
            out += '\n';
            attrs &= ~w.bit;
        }
    if (attrs) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%02X\n", attrs);
        out += hex;
    }
    return out;
}

// Attribute words or numbers up to `max`.
template <std::size_t N>
unsigned TextToAttrs(const std::string& text, const AttrWord (&words)[N], unsigned max,
                     const std::string& file) {
    std::istringstream in(text);
    std::string token;
    unsigned value = 0;
    while (in >> token) {
        auto it = std::find_if(std::begin(words), std::end(words),
                               [&](const AttrWord& w) { return token == w.word; });
        if (it != std::end(words)) {
            value |= it->bit;
            continue;
        }
        char* end = nullptr;
        unsigned long n = std::strtoul(token.c_str(), &end, 0);
        if (!end || *end || token.empty() || n > max) Bad(file, "unknown attribute " + token);
        value |= unsigned(n);
    }
    return value;
}

// Names -----------------------------------------------------------------------

struct ParsedName {
    ResType type = 0;
    SInt16 id = 0;
    bool hasName = false;
    std::string name;
    std::string ext;
};

// TYPE_ID[_name].ext, or TYPE_ID.attrs.
ParsedName ParseFileName(const std::string& file) {
    ParsedName p;
    std::size_t dot = file.rfind('.');
    if (dot == std::string::npos) Bad(file, "the name has no extension");
    p.ext = file.substr(dot + 1);
    std::string stem = file.substr(0, dot);
    std::size_t sep = stem.find('_');
    if (sep == std::string::npos) Bad(file, "the name does not start with TYPE_ID");
    auto type = Unescape(std::string_view(stem).substr(0, sep));
    if (!type || type->size() != 4) Bad(file, "the type is not four characters");
    for (unsigned char c : *type)
        p.type = (p.type << 8) | c;
    std::size_t idEnd = stem.find('_', sep + 1);
    std::string idText = stem.substr(sep + 1, idEnd == std::string::npos ? idEnd : idEnd - sep - 1);
    char* end = nullptr;
    long id = std::strtol(idText.c_str(), &end, 10);
    if (idText.empty() || *end || id < -32768 || id > 32767 ||
        (idText[0] != '-' && !std::isdigit(static_cast<unsigned char>(idText[0]))))
        Bad(file, "the ID is not a number from -32768 to 32767");
    p.id = SInt16(id);
    if (idEnd != std::string::npos) {
        auto name = Unescape(std::string_view(stem).substr(idEnd + 1));
        if (!name) Bad(file, "the name holds a malformed escape or a character Mac OS Roman lacks");
        if (name->size() > 255) Bad(file, "the name is longer than 255 bytes");
        p.hasName = true;
        p.name = std::move(*name);
    }
    return p;
}

std::uint64_t SortKey(ResType type, SInt16 id) {
    return (std::uint64_t(type) << 16) | UInt16(SInt32(id) + 32768);
}

} // namespace

KsResSourceFile KsResourceToSource(ResType type, SInt16 id, bool hasName, const std::string& name,
                                   const UInt8* data, std::size_t length) {
    KsResSourceFile out;
    std::string stem = EscapeType(type) + "_" + std::to_string(id);
    if (hasName) stem += "_" + EscapeName(name);
    const int width = BitsWidth(type);
    const std::size_t imageBytes = std::size_t(width) * std::size_t(width) / 8;
    auto setText = [&](const std::string& ext, const std::string& text) {
        out.fileName = stem + ext;
        out.contents.assign(text.begin(), text.end());
    };
    if (length >= 8 && std::equal(kPngSignature, kPngSignature + 8, data)) {
        out.fileName = stem + ".png";
        out.contents.assign(data, data + length);
    } else if (width && length && length % imageBytes == 0) {
        setText(".bits", DataToBits(width, data, length));
    } else if (auto text = DataToText(type, data, length)) {
        setText(".txt", *text);
    } else {
        out.fileName = stem + ".bin";
        out.contents.assign(data, data + length);
    }
    return out;
}

std::vector<UInt8> KsCompileResourceFolder(const std::string& folder) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) Bad(folder, "it is not a folder");

    struct Entry {
        KsResRecord rec;
        std::vector<UInt8> bytes;
        std::string file;
    };
    std::map<std::uint64_t, Entry> entries;
    std::map<std::uint64_t, std::pair<UInt8, std::string>> attrs;
    KsResMap map;
    for (const fs::directory_entry& de : fs::directory_iterator(folder)) {
        const std::string file = de.path().filename().string();
        if (file.empty() || file[0] == '.' || fs::path(file).extension() == ".md") continue;
        if (!de.is_regular_file()) Bad(file, "it is not a regular file");
        const std::vector<UInt8> raw = ReadWhole(de.path());
        const std::string text(raw.begin(), raw.end());
        if (file == "_map.attrs") {
            map.fileAttrs = UInt16(TextToAttrs(text, kMapAttrWords, 0xFFFF, file));
            continue;
        }
        ParsedName p = ParseFileName(file);
        const std::uint64_t key = SortKey(p.type, p.id);
        if (p.ext == "attrs") {
            if (p.hasName) Bad(file, "an attributes file is named TYPE_ID.attrs");
            attrs[key] = {UInt8(TextToAttrs(text, kResAttrWords, 0xFF, file)), file};
            continue;
        }
        Entry e;
        e.file = file;
        if (p.ext == "bin") {
            e.bytes = raw;
        } else if (p.ext == "png") {
            if (raw.size() < 8 || !std::equal(kPngSignature, kPngSignature + 8, raw.begin()))
                Bad(file, "it is not a PNG image");
            e.bytes = raw;
        } else if (p.ext == "txt") {
            std::string why;
            auto data = TextToData(p.type, text, &why);
            if (!data) Bad(file, why);
            e.bytes = std::move(*data);
        } else if (p.ext == "bits") {
            int width = BitsWidth(p.type);
            if (!width) Bad(file, "the type " + KsResTypeText(p.type) + " has no .bits form");
            e.bytes = BitsToData(width, text, file);
        } else {
            Bad(file, "the extension is not .bin, .txt, .png, .bits or .attrs");
        }
        e.rec.type = p.type;
        e.rec.id = p.id;
        e.rec.hasName = p.hasName;
        e.rec.name = std::move(p.name);
        auto [it, fresh] = entries.try_emplace(key, std::move(e));
        if (!fresh) Bad(file, "it repeats the type and ID of " + it->second.file);
    }
    for (auto& [key, value] : attrs) {
        auto it = entries.find(key);
        if (it == entries.end()) Bad(value.second, "no resource has this type and ID");
        it->second.rec.attrs = value.first;
    }
    map.records.reserve(entries.size());
    for (auto& [key, e] : entries) {
        e.rec.data = e.bytes.data();
        e.rec.length = UInt32(e.bytes.size());
        if (e.bytes.size() > 0xFFFFFF) Bad(e.file, "it is larger than 16 MB");
        map.records.push_back(e.rec);
    }
    return KsWriteResourceMap(map);
}

void KsDecompileResourceFile(const UInt8* bytes, std::size_t size, const std::string& folder) {
    KsResMap map = KsReadResourceMap(bytes, size);
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec || !fs::is_directory(folder)) Bad(folder, "the folder cannot be created");
    if (!fs::is_empty(folder, ec)) Bad(folder, "the folder is not empty");
    auto write = [&](const std::string& name, const std::vector<UInt8>& contents) {
        fs::path path = fs::path(folder) / name;
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(contents.data()), std::streamsize(contents.size()));
        out.close();
        if (!out) Bad(name, "it cannot be written");
    };
    auto writeText = [&](const std::string& name, const std::string& text) {
        write(name, std::vector<UInt8>(text.begin(), text.end()));
    };
    if (map.fileAttrs) writeText("_map.attrs", AttrsToText(map.fileAttrs, kMapAttrWords));
    for (const KsResRecord& rec : map.records) {
        KsResSourceFile src =
            KsResourceToSource(rec.type, rec.id, rec.hasName, rec.name, rec.data, rec.length);
        write(src.fileName, src.contents);
        if (rec.attrs)
            writeText(EscapeType(rec.type) + "_" + std::to_string(rec.id) + ".attrs",
                      AttrsToText(rec.attrs, kResAttrWords));
    }
}
