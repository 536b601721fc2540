// The scrap: entries in process, 'TEXT' shared with the system clipboard.
#include "Scrap.h"
#include "ScrapPrivate.h"

#include "KsBackend.h"
#include "KsHandle.h"
#include "KsMacRoman.h"

#include <cstring>
#include <new>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr ResType kText = FourCharCode("TEXT");
constexpr ResType kStyl = FourCharCode("styl");

struct Entry {
    ResType type;
    std::vector<UInt8> data;
};

struct ScrapState {
    std::vector<Entry> entries;
    UInt16 count = 0;
    // The clipboard text as this process last wrote or read it (its first
    // kKsScrapTextLimit bytes) and its whole size: a difference means that
    // another program put something there.
    std::string seen;
    std::size_t seenSize = 0;
    ScrapStuff info{};
    std::size_t limit = kKsScrapTextLimit;
};

ScrapState& State() {
    static ScrapState state;
    return state;
}

// The first `limit` bytes of UTF-8 text, cut before a character that would
// not fit whole.
std::string_view CutUTF8(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) return text;
    std::size_t end = limit;
    while (end > 0 && (UInt8(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

void Remember(ScrapState& s, const std::string& clipboard) {
    s.seen.assign(CutUTF8(clipboard, s.limit));
    s.seenSize = clipboard.size();
}

bool Seen(const ScrapState& s, const std::string& clipboard) {
    return clipboard.size() == s.seenSize &&
           std::string_view(clipboard).substr(0, s.seen.size()) == s.seen;
}

// Clipboard UTF-8 with any line ends -> Mac OS Roman with CR.
std::string ClipboardToText(std::string_view utf8) {
    std::string lines;
    lines.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        char c = utf8[i];
        if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
        lines += c == '\n' ? '\r' : c;
    }
    return KsUTF8ToMacRoman(lines);
}

// Mac OS Roman with CR -> UTF-8 with LF, as other programs expect.
std::string TextToClipboard(const std::vector<UInt8>& text) {
    std::string lines(text.begin(), text.end());
    for (char& c : lines)
        if (c == '\r') c = '\n';
    return KsMacRomanToUTF8(lines);
}

void Changed(ScrapState& s) {
    ++s.count;
}

// Takes in an outside change of the clipboard: the scrap becomes that text.
void Sync(ScrapState& s) {
    KsBackend* backend = KsGetBackend();
    if (!backend) return;
    std::string now = backend->GetClipboardText();
    if (Seen(s, now)) return;
    Remember(s, now);
    s.entries.clear();
    Changed(s);
    if (now.empty()) return;
    try {
        std::string text = ClipboardToText(CutUTF8(now, s.limit));
        s.entries.push_back({kText, std::vector<UInt8>(text.begin(), text.end())});
    } catch (const std::bad_alloc&) {
        // No room for the text: the scrap stays empty, as after ZeroScrap.
    }
}

// Sets the clipboard and remembers what the system answers back, so that a
// back end that changes the text (a NUL cuts it short) does not look like an
// outside change.
void Publish(ScrapState& s, const std::string& utf8) {
    KsBackend* backend = KsGetBackend();
    if (!backend) return;
    backend->SetClipboardText(utf8);
    Remember(s, backend->GetClipboardText());
}

SInt32 EntrySpan(const Entry& e) {
    return SInt32(8 + ((e.data.size() + 1) & ~std::size_t(1)));
}

} // namespace

SInt32 ZeroScrap() {
    ScrapState& s = State();
    s.entries.clear();
    Changed(s);
    Publish(s, std::string());
    return noErr;
}

SInt32 PutScrap(SInt32 length, ResType type, const void* source) {
    if (length < 0 || (length > 0 && !source)) return paramErr;
    ScrapState& s = State();
    Sync(s);
    try {
        const auto* bytes = static_cast<const UInt8*>(source);
        std::vector<UInt8> data(bytes, bytes + length);
        std::string utf8;
        if (type == kText) utf8 = TextToClipboard(data);
        Entry* entry = nullptr;
        for (Entry& e : s.entries)
            if (e.type == type) entry = &e;
        if (entry)
            entry->data = std::move(data);
        else
            s.entries.push_back({type, std::move(data)});
        // Style runs describe the text they were put with, never a new one.
        if (type == kText) std::erase_if(s.entries, [](const Entry& e) { return e.type == kStyl; });
        Changed(s);
        if (type == kText) Publish(s, utf8);
    } catch (const std::bad_alloc&) {
        return memFullErr;
    }
    return noErr;
}

SInt32 GetScrap(Handle hDest, ResType type, SInt32* offset) {
    ScrapState& s = State();
    Sync(s);
    SInt32 at = 0;
    for (const Entry& e : s.entries) {
        if (e.type != type) {
            at += EntrySpan(e);
            continue;
        }
        const SInt32 length = SInt32(e.data.size());
        if (hDest) {
            if (!KsSetHandleSize(hDest, length)) return memFullErr;
            if (length) std::memcpy(*hDest, e.data.data(), std::size_t(length));
        }
        if (offset) *offset = at + 8;
        return length;
    }
    return noTypeErr;
}

PScrapStuff InfoScrap() {
    ScrapState& s = State();
    Sync(s);
    SInt32 size = 0;
    for (const Entry& e : s.entries)
        size += EntrySpan(e);
    s.info = ScrapStuff{size, nullptr, SInt16(s.count), 1, nullptr};
    return &s.info;
}

SInt32 LoadScrap() {
    return noErr;
}

SInt32 UnloadScrap() {
    return noErr;
}

std::size_t KsSetScrapTextLimit(std::size_t limit) {
    ScrapState& s = State();
    const std::size_t previous = s.limit;
    s.limit = limit ? limit : kKsScrapTextLimit;
    return previous;
}

SInt16 KsGetScrapCount() {
    return InfoScrap()->scrapCount;
}
