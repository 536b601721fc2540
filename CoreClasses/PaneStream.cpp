// PaneStream: the line layer of the pane property text.
//
//   writing   PutHead and the three Put operations append to a growable string
//   reading   ReadLine: one bounded pass over the input per line; values are
//             decoded into a reused buffer, so a long document reads without
//             an allocation per line
//   errors    Fail: XError naming the line
#include "PaneStream.h"

#include "KsFatal.h"
#include "XError.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <iterator>

const char* const kPaneTextErrorCode = "UIS_PANE_TEXT_ERROR";
const char* const kPaneTextOverflowCode = "Readline_buffer_overflow";

namespace {

const EMMessage kMessages[] = {
    {"UIS_PANE_TEXT_ERROR", "Line {line} of the pane text: {problem}", nullptr},
    {"Readline_buffer_overflow", "Line {line} of the pane text holds a value too long for its use.",
     nullptr},
};

struct RegisterMessages {
    RegisterMessages() { EMRegisterMessages(kMessages, int(std::size(kMessages))); }
} gRegisterMessages;

constexpr char kHex[] = "0123456789abcdef";

// Value of a hex digit of either case; -1 for anything else.
inline int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

inline bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}
inline bool IsSpace(char c) {
    return c == ' ' || c == '\t';
}

bool LabelsMatch(std::string_view found, const char* wanted) {
    std::size_t n = wanted ? std::strlen(wanted) : 0;
    if (found.size() != n) return false;
    for (std::size_t i = 0; i < n; ++i) {
        char a = found[i], b = wanted[i];
        if (a >= 'A' && a <= 'Z') a = char(a + 32);
        if (b >= 'A' && b <= 'Z') b = char(b + 32);
        if (a != b) return false;
    }
    return true;
}

// A character as it can be shown inside an error text.
std::string Shown(char c) {
    if (c >= 0x21 && c <= 0x7E) return std::string(1, c);
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", unsigned(UInt8(c)));
    return buf;
}

// A label as it can be shown: printable and short.
std::string Shown(std::string_view label) {
    std::string s;
    for (char c : label.substr(0, 40))
        s += (c >= 0x20 && c <= 0x7E) ? c : '?';
    if (label.size() > 40) s += "...";
    return s;
}

} // namespace

namespace {
// First piece (most texts fit it), and every later one unless a line needs more.
constexpr std::size_t kFirstPiece = 4096;
constexpr std::size_t kPiece = 64 * 1024;
} // namespace

PaneStream::PaneStream() {
    out_.reserve(kFirstPiece);
}

PaneStream::PaneStream(const char* text, long length)
    : in_(text), inLength_(text && length > 0 ? length : 0) {}

PaneStream::~PaneStream() = default;

long PaneStream::GetLength() const {
    return in_ ? pos_ : long(piecesLength_ + out_.size());
}

void PaneStream::Indent(int delta) {
    indent_ += delta;
    FtlAssert(indent_ >= 0);
}

// --- Writing -----------------------------------------------------------------

void PaneStream::Room(std::size_t bound) {
    if (out_.size() + bound <= out_.capacity()) return;
    if (!out_.empty()) {
        piecesLength_ += out_.size();
        pieces_.push_back(std::move(out_));
        out_ = std::string();
    }
    out_.reserve(std::max(bound, kPiece));
}

void PaneStream::Reserve(std::size_t bytes) {
    if (pieces_.empty() && bytes > out_.capacity()) out_.reserve(bytes);
}

void PaneStream::Join() const {
    if (pieces_.empty()) return;
    std::string all;
    all.reserve(piecesLength_ + out_.size());
    for (const std::string& p : pieces_)
        all += p;
    all += out_;
    out_.swap(all);
    pieces_.clear();
    piecesLength_ = 0;
}

namespace {
// Head of a line: indentation, label padded to 8 columns, space, type, tab.
inline std::size_t HeadLength(int indent, std::size_t labelLength) {
    return std::size_t(indent) + std::max<std::size_t>(labelLength, 8) + 3;
}
} // namespace

char* PaneStream::PutHead(char* d, std::string_view label, char type) const {
    std::memset(d, '\t', std::size_t(indent_));
    d += indent_;
    std::memcpy(d, label.data(), label.size());
    d += label.size();
    if (label.size() < 8) {
        std::memset(d, ' ', 8 - label.size());
        d += 8 - label.size();
    }
    d[0] = ' ';
    d[1] = type;
    d[2] = '\t';
    return d + 3;
}

template <class Fill> void PaneStream::PutLine(std::size_t bound, Fill fill) {
    Room(bound);
    // Within the capacity Room made: no reallocation, written in place.
    const std::size_t at = out_.size();
    out_.resize(at + bound);
    char* const start = out_.data();
    char* const end = fill(start + at);
    FtlAssert(end <= start + at + bound);
    out_.resize(std::size_t(end - start));
}

void PaneStream::WriteLong(std::string_view label, SInt32 value) {
    PutLine(HeadLength(indent_, label.size()) + 12, [&](char* d) {
        d = PutHead(d, label, 'l');
        d = std::to_chars(d, d + 11, value).ptr;
        *d++ = '\r';
        return d;
    });
}

void PaneStream::WriteString(std::string_view label, std::string_view s) {
    // Every character escaped at worst.
    PutLine(HeadLength(indent_, label.size()) + 2 * s.size() + 1, [&](char* d) {
        d = PutHead(d, label, 's');
        const char* run = s.data();
        const char* const end = run + s.size();
        for (const char* p = run; p < end; ++p) {
            const char c = *p;
            if (c != '\r' && c != '\n' && c != '\\') continue;
            std::memcpy(d, run, std::size_t(p - run));
            d += p - run;
            d[0] = '\\';
            d[1] = c == '\r' ? 'r' : c == '\n' ? 'n' : '\\';
            d += 2;
            run = p + 1;
        }
        std::memcpy(d, run, std::size_t(end - run));
        d += end - run;
        *d++ = '\r';
        return d;
    });
}

void PaneStream::WriteBytes(std::string_view label, const void* data, std::size_t count) {
    // Two digits a byte, and a continuation (space, backslash, line end,
    // indentation plus 3 tabs) before every 33rd.
    const std::size_t breaks = count > 0 ? (count - 1) / 32 : 0;
    const std::size_t indent = std::size_t(indent_) + 3;
    PutLine(HeadLength(indent_, label.size()) + 2 * count + breaks * (3 + indent) + 1,
            [&](char* d) {
                d = PutHead(d, label, 'b');
                const UInt8* p = static_cast<const UInt8*>(data);
                for (std::size_t i = 0; i < count; ++i) {
                    if (i > 0 && i % 32 == 0) {
                        d[0] = ' ';
                        d[1] = '\\';
                        d[2] = '\r';
                        std::memset(d + 3, '\t', indent);
                        d += 3 + indent;
                    }
                    d[0] = kHex[p[i] >> 4];
                    d[1] = kHex[p[i] & 0xF];
                    d += 2;
                }
                *d++ = '\r';
                return d;
            });
}

void PaneStream::PutLong(const char* label, SInt32 value) {
    WriteLong(label ? label : "", value);
}

void PaneStream::PutCString(const char* label, const char* s) {
    const std::string_view l = label ? label : "";
    if (s) return WriteString(l, s);
    // A null string is the two characters backslash 0.
    PutLine(HeadLength(indent_, l.size()) + 3, [&](char* d) {
        d = PutHead(d, l, 's');
        d[0] = '\\';
        d[1] = '0';
        d[2] = '\r';
        return d + 3;
    });
}

void PaneStream::PutBytes(const char* label, const void* data, long length) {
    WriteBytes(label ? label : "", data, length > 0 ? std::size_t(length) : 0);
}

// --- Reading -----------------------------------------------------------------

void PaneStream::Fail(const std::string& problem, int line) const {
    xraisexerror(kPaneTextErrorCode, "int line", line ? line : lineNumber_, "str problem", problem);
}

void PaneStream::SkipBlank() {
    while (pos_ < inLength_) {
        char c = in_[pos_];
        if (IsSpace(c)) {
            ++pos_;
        } else if (IsLineEnd(c)) {
            // CR LF is one line end.
            ++pos_;
            if (c == '\r' && pos_ < inLength_ && in_[pos_] == '\n') ++pos_;
            ++nextLineNumber_;
        } else {
            return;
        }
    }
}

bool PaneStream::AtEnd() {
    SkipBlank();
    for (long p = pos_; p < inLength_; ++p)
        if (in_[p] != '\0') return false;
    return true;
}

bool PaneStream::NextLineIs(const char* label, char type) {
    const long pos = pos_;
    const int last = lineNumber_, next = nextLineNumber_;
    bool found = ReadLine(&scratch_);
    bool is = found && scratch_.type == type && LabelsMatch(scratch_.label, label);
    pos_ = pos;
    lineNumber_ = last;
    nextLineNumber_ = next;
    return is;
}

bool PaneStream::ReadLine(Line* line) {
    SkipBlank();
    if (pos_ >= inLength_) return false;
    lineNumber_ = line->number = nextLineNumber_;

    const long labelStart = pos_;
    while (pos_ < inLength_ && !IsSpace(in_[pos_]) && !IsLineEnd(in_[pos_]))
        ++pos_;
    if (pos_ - labelStart > kMaxLabel)
        Fail("a label is longer than " + std::to_string(kMaxLabel) + " characters");
    line->label = std::string_view(in_ + labelStart, std::size_t(pos_ - labelStart));

    while (pos_ < inLength_ && IsSpace(in_[pos_]))
        ++pos_;
    if (pos_ >= inLength_ || IsLineEnd(in_[pos_]))
        Fail("label '" + Shown(line->label) + "' has no type letter");
    const char type = in_[pos_++];
    if (type != 'l' && type != 's' && type != 'b')
        Fail("'" + Shown(type) + "' is not a type letter (l, s or b)");
    line->type = type;
    if (pos_ < inLength_ && !IsLineEnd(in_[pos_])) {
        if (!IsSpace(in_[pos_])) Fail("the type letter must be followed by a space or a tab");
        ++pos_;
    }

    std::string& value = line->value;
    value.clear();
    line->integer = 0;
    if (type == 'b') {
        while (pos_ < inLength_) {
            char c = in_[pos_];
            if (IsLineEnd(c)) break;
            if (IsSpace(c)) {
                ++pos_;
                continue;
            }
            if (c == '\\') {
                // Continuation: only blanks may stand between it and the line end.
                ++pos_;
                while (pos_ < inLength_ && IsSpace(in_[pos_]))
                    ++pos_;
                if (pos_ >= inLength_) break;
                if (!IsLineEnd(in_[pos_])) Fail("a backslash in a byte value must end its line");
                char e = in_[pos_++];
                if (e == '\r' && pos_ < inLength_ && in_[pos_] == '\n') ++pos_;
                ++nextLineNumber_;
                continue;
            }
            int hi = HexValue(c);
            if (hi < 0)
                Fail(std::string("'").append(Shown(c)).append("' is not a hexadecimal digit"));
            int lo = pos_ + 1 < inLength_ ? HexValue(in_[pos_ + 1]) : -1;
            if (lo < 0) {
                char n = pos_ + 1 < inLength_ ? in_[pos_ + 1] : '\r';
                if (IsSpace(n) || IsLineEnd(n) || n == '\\')
                    Fail("a byte value has an odd hexadecimal digit");
                Fail(std::string("'").append(Shown(n)).append("' is not a hexadecimal digit"));
            }
            value += char(hi << 4 | lo);
            pos_ += 2;
        }
    } else if (type == 's') {
        while (pos_ < inLength_) {
            long run = pos_;
            while (pos_ < inLength_ && in_[pos_] != '\\' && !IsLineEnd(in_[pos_]))
                ++pos_;
            value.append(in_ + run, std::size_t(pos_ - run));
            if (pos_ >= inLength_ || IsLineEnd(in_[pos_])) break;
            // A backslash. One that ends the line, or precedes a character
            // with no escape meaning, stands for itself.
            ++pos_;
            if (pos_ >= inLength_ || IsLineEnd(in_[pos_])) {
                value += '\\';
                break;
            }
            char e = in_[pos_++];
            switch (e) {
            case '0':
                value += '\0';
                break;
            case '\\':
                value += '\\';
                break;
            case 'n':
                value += '\n';
                break;
            case 'r':
                value += '\r';
                break;
            default:
                value += '\\';
                value += e;
                break;
            }
        }
    } else {
        long p = pos_;
        while (p < inLength_ && !IsLineEnd(in_[p]))
            ++p;
        const char* s = in_ + pos_;
        const char* e = in_ + p;
        pos_ = p;
        while (s < e && IsSpace(*s))
            ++s;
        while (e > s && IsSpace(e[-1]))
            --e;
        if (s < e && *s == '+') ++s;
        SInt32 v = 0;
        auto r = std::from_chars(s, e, v);
        if (r.ec == std::errc::result_out_of_range)
            Fail("'" + Shown(std::string_view(s, std::size_t(e - s))) +
                 "' is outside the 32-bit range");
        if (r.ec != std::errc() || r.ptr != e || s == e)
            Fail("'" + Shown(std::string_view(s, std::size_t(e - s))) + "' is not a whole number");
        line->integer = v;
    }

    if (pos_ < inLength_) {
        char c = in_[pos_++];
        if (c == '\r' && pos_ < inLength_ && in_[pos_] == '\n') ++pos_;
        ++nextLineNumber_;
    }
    return true;
}

void PaneStream::ReadExpected(const char* label, char type, Line* line) {
    auto expected = [&] {
        return std::string("Expected '") + type + "' type, label '" + (label ? label : "") + "'.";
    };
    if (!ReadLine(line)) Fail(expected() + "\nFound the end of the text", lineNumber_);
    if (line->type != type || !LabelsMatch(line->label, label))
        Fail(expected() + "\nFound '" + line->type + "' type, label '" + Shown(line->label) + "'");
}

SInt32 PaneStream::GetLong(const char* label) {
    ReadExpected(label, 'l', &scratch_);
    return scratch_.integer;
}

long PaneStream::GetCString(const char* label, char* buf, long size) {
    ReadExpected(label, 's', &scratch_);
    const std::string& v = scratch_.value;
    if (buf) {
        if (size <= 0 || long(v.size()) >= size)
            xraisexerror(kPaneTextOverflowCode, "int line", scratch_.number);
        std::memcpy(buf, v.data(), v.size());
        buf[v.size()] = '\0';
    }
    return long(v.size());
}
