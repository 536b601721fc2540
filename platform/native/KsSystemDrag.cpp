#include "KsSystemDrag.h"

#include "KsMacRoman.h"

#include <cstring>
#include <unistd.h>

namespace {

KsDropSink*& Sink() {
    static KsDropSink* sink = nullptr;
    return sink;
}

KsDragSource*& Source() {
    static KsDragSource* source = nullptr;
    return source;
}

struct DropSwitch {
    KsDropSwitch fn = nullptr;
    void* data = nullptr;
    bool on = false;
};
DropSwitch& Switch() {
    static DropSwitch s;
    return s;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool PercentDecode(std::string_view in, std::string* out) {
    out->clear();
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (in[i] != '%') {
            out->push_back(in[i]);
            continue;
        }
        if (i + 2 >= in.size()) return false;
        const int hi = HexValue(in[i + 1]), lo = HexValue(in[i + 2]);
        if (hi < 0 || lo < 0) return false;
        const char c = char(hi * 16 + lo);
        if (c == '\0') return false;
        out->push_back(c);
        i += 2;
    }
    return true;
}

bool IsThisHost(std::string_view host) {
    if (host.empty() || host == "localhost") return true;
    char name[256] = {};
    return gethostname(name, sizeof name - 1) == 0 && host == name;
}

// One line of the list: a path, or false.
bool FileUriPath(std::string_view uri, std::string* path) {
    constexpr std::string_view kScheme = "file:";
    if (uri.size() < kScheme.size() || !std::equal(kScheme.begin(), kScheme.end(), uri.begin(),
                                                   [](char a, char b) { return a == (b | 0x20); }))
        return false;
    std::string_view rest = uri.substr(kScheme.size());
    if (rest.substr(0, 2) == "//") {
        rest.remove_prefix(2);
        const std::size_t slash = rest.find('/');
        if (slash == std::string_view::npos || !IsThisHost(rest.substr(0, slash))) return false;
        rest.remove_prefix(slash);
    }
    const std::size_t cut = rest.find_first_of("?#");
    if (cut != std::string_view::npos) rest = rest.substr(0, cut);
    return PercentDecode(rest, path) && !path->empty() && (*path)[0] == '/';
}

} // namespace

KsDropSink* KsSetDropSink(KsDropSink* sink) {
    KsDropSink* old = Sink();
    Sink() = sink;
    return old;
}

KsDropSink* KsGetDropSink() {
    return Sink();
}

KsDragSource* KsSetDragSource(KsDragSource* source) {
    KsDragSource* old = Source();
    Source() = source;
    return old;
}

KsDragSource* KsGetDragSource() {
    return Source();
}

void KsSetDropSwitch(KsDropSwitch fn, void* data) {
    DropSwitch& s = Switch();
    s.fn = fn;
    s.data = data;
    if (fn) fn(s.on, data);
}

void KsEnableSystemDrops(bool on) {
    DropSwitch& s = Switch();
    s.on = on;
    if (s.fn) s.fn(on, s.data);
}

bool KsSystemDropsEnabled() {
    return Switch().on;
}

bool KsParseUriList(std::string_view data, std::vector<std::string>* paths) {
    paths->clear();
    if (data.size() > kKsDropMaxBytes) return false;
    while (!data.empty()) {
        const std::size_t end = data.find('\n');
        std::string_view line = data.substr(0, end);
        data = end == std::string_view::npos ? std::string_view{} : data.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line[0] == '#') continue;
        std::string path;
        if (!FileUriPath(line, &path) || paths->size() >= kKsDropMaxItems) {
            paths->clear();
            return false;
        }
        paths->push_back(std::move(path));
    }
    return !paths->empty();
}

std::string KsFileUri(std::string_view path) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string uri = "file://";
    for (unsigned char c : path) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || std::strchr("/-._~!$&'()*+,;=:@", c);
        if (plain && c) {
            uri.push_back(char(c));
        } else {
            uri.push_back('%');
            uri.push_back(kHex[c >> 4]);
            uri.push_back(kHex[c & 15]);
        }
    }
    return uri;
}

bool KsIsDropText(std::string_view data) {
    if (data.size() > kKsDropMaxBytes) return false;
    std::size_t i = 0;
    while (i < data.size()) {
        char32_t ch = 0;
        const std::size_t n = KsDecodeUTF8(data.data() + i, data.size() - i, &ch);
        const bool replaced =
            ch == kKsReplacementChar && data.substr(i, n) != std::string_view("\xEF\xBF\xBD");
        if (ch == 0 || replaced) return false;
        i += n;
    }
    return true;
}
