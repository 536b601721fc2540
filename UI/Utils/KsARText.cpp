#include "KsARText.h"

#include <cctype>
#include <cstring>

namespace {

// The tag at p, if any: its face bit and whether it closes; answers its length.
size_t MatchTag(const char* p, UInt8* face, bool* closing) {
    if (p[0] != '<') return 0;
    size_t i = 1;
    *closing = p[i] == '/';
    if (*closing) ++i;
    switch (std::tolower(static_cast<unsigned char>(p[i]))) {
    case 'b':
        *face = kKsARBold;
        break;
    case 'i':
        *face = kKsARItalic;
        break;
    case 'u':
        *face = kKsARUnderline;
        break;
    default:
        return 0;
    }
    return p[i + 1] == '>' ? i + 2 : 0;
}

// A line end at p: answers how many bytes it takes (0 when none). A CR and an
// LF in a row, real or escaped, are one line end.
size_t MatchLineEnd(const char* p) {
    auto one = [](const char* q) -> size_t {
        if (*q == '\r' || *q == '\n') return 1;
        if (q[0] == '\\' && (q[1] == 'n' || q[1] == 'r')) return 2;
        return 0;
    };
    auto isCR = [](const char* q) { return *q == '\r' || (q[0] == '\\' && q[1] == 'r'); };
    size_t first = one(p);
    if (!first) return 0;
    if (isCR(p)) {
        const char* q = p + first;
        if (*q == '\n' || (q[0] == '\\' && q[1] == 'n')) return first + one(q);
    }
    return first;
}

} // namespace

std::string KsARText::Joined() const {
    std::string out;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i) out += '\r';
        out += lines[i].text;
    }
    return out;
}

KsARText KsARParseText(const char* text) {
    KsARText out;
    out.lines.emplace_back();
    if (!text) return out;
    size_t used = 0; // bytes of the parsed buffer, separators included
    UInt8 face = 0;
    auto newLine = [&]() -> bool {
        if (used + 1 > kKsARTextMax) return false;
        ++used;
        out.lines.emplace_back();
        return true;
    };
    for (const char* p = text; *p;) {
        UInt8 tagFace = 0;
        bool closing = false;
        if (size_t n = MatchTag(p, &tagFace, &closing)) {
            face = closing ? UInt8(face & ~tagFace) : UInt8(face | tagFace);
            p += n;
            continue;
        }
        if (size_t n = MatchLineEnd(p)) {
            p += n;
            if (!newLine()) {
                out.cut = true;
                break;
            }
            continue;
        }
        if (out.lines.back().text.size() >= kKsARLineMax && !newLine()) {
            out.cut = true;
            break;
        }
        if (used + 1 > kKsARTextMax) {
            out.cut = true;
            break;
        }
        out.lines.back().text += *p;
        out.lines.back().faces += char(face);
        ++used;
        ++p;
    }
    return out;
}

std::vector<KsARButton> KsARParseButtons(const char* buttons) {
    std::vector<KsARButton> out;
    if (!buttons || !*buttons) return out;
    const char* p = buttons;
    while (int(out.size()) < kKsARMaxButtons) {
        const char* end = std::strchr(p, '|');
        const size_t length = end ? size_t(end - p) : std::strlen(p);
        KsARButton b;
        b.label.assign(p, length < kKsARLabelMax ? length : kKsARLabelMax);
        b.hidden = length > 0 && p[0] == '#';
        out.push_back(std::move(b));
        if (!end) break;
        p = end + 1;
    }
    return out;
}
