#include "CmdButtonPrivate.h"

#include "QuickDraw.h"

#include <algorithm>

void CmdButtonRoster::Add(CmdButton* button, SInt32 nick) {
    if (entries.capacity() == 0) entries.reserve(kInitialRoom);
    entries.push_back({button, nick});
    sorted = false;
}

void CmdButtonRoster::Remove(CmdButton* button) {
    // Erasing keeps the order, sorted or not.
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [button](const Entry& e) { return e.button == button; }),
                  entries.end());
}

void CmdButtonRoster::Renick(CmdButton* button, SInt32 nick) {
    for (Entry& e : entries) {
        if (e.button != button || e.nick == nick) continue;
        e.nick = nick;
        sorted = false;
    }
}

CmdButton* CmdButtonRoster::Find(SInt32 n, SInt32 nick) {
    if (n < 0) return nullptr;
    if (!sorted) {
        std::stable_sort(entries.begin(), entries.end(),
                         [](const Entry& a, const Entry& b) { return a.nick < b.nick; });
        sorted = true;
    }
    auto first = std::lower_bound(entries.begin(), entries.end(), nick,
                                  [](const Entry& e, SInt32 k) { return e.nick < k; });
    if (entries.end() - first <= n) return nullptr;
    const Entry& e = first[n];
    return e.nick == nick ? e.button : nullptr;
}

CmdButtonRoster& TheCmdButtonRoster() {
    static CmdButtonRoster roster;
    return roster;
}

std::string StripMnemonics(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            out += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '&') {
            out += '&';
            ++i;
        }
    }
    return out;
}

std::string AbbreviateCommandName(std::string_view text, bool digitRoom) {
    const std::size_t space = text.find(' ');
    if (space == std::string_view::npos) return std::string(text.substr(0, 2));
    std::string out(text.substr(0, 1));
    const std::size_t second = space + 1;
    if (second >= text.size()) return out;
    out += text[second];
    const std::size_t digit = second + 1;
    if (digitRoom && digit < text.size() && text[digit] >= '0' && text[digit] <= '9')
        out += text[digit];
    return out;
}

KsRgn CIconMaskRegion(CIconHandle icon) {
    if (!icon || !*icon) return KsRgn();
    RgnHandle rgn = NewRgn();
    KsRgn out;
    if (BitMapToRegion(rgn, &(*icon)->iconMask) == noErr) out = RgnHandleToKsRgn(rgn);
    DisposeRgn(rgn);
    return out;
}
