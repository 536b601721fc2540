// What the command buttons share and the tests reach: the roster of live
// buttons, the command-name texts and the shape of a colour icon's mask.
// Not installed.
#pragma once

#include "Icons.h"
#include "KsMacTypes.h"
#include "KsRgn.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CmdButton;

// Every live command button with its nick, in construction order until a
// lookup sorts it by nick. A button leaves the roster when it is disposed, and
// a nick change marks the order stale, so a lookup never answers a dead
// button nor misses a renamed one. Buttons are only pointed at.
class CmdButtonRoster {
public:
    // Room reserved by the first construction.
    static constexpr std::size_t kInitialRoom = 200;

    void Add(CmdButton* button, SInt32 nick);
    void Remove(CmdButton* button);
    void Renick(CmdButton* button, SInt32 nick);
    // The n-th button (from 0) of the run carrying nick, after sorting; null
    // when there is none. Buttons of one nick keep their construction order.
    CmdButton* Find(SInt32 n, SInt32 nick);

    std::size_t Count() const { return entries.size(); }
    bool IsSorted() const { return sorted; }

private:
    struct Entry {
        CmdButton* button;
        SInt32 nick;
    };
    std::vector<Entry> entries;
    bool sorted = false;
};

// The roster of the process.
CmdButtonRoster& TheCmdButtonRoster();

// A menu text without its mnemonic marks: a single '&' is dropped, a doubled
// one stays as one '&'.
std::string StripMnemonics(std::string_view text);

// The short form of a command name too wide for its button: the first two
// characters without a space; with one, the first character and the first
// after the first space, then, when digitRoom and it is a digit, the
// character after that. Never reads past the text.
std::string AbbreviateCommandName(std::string_view text, bool digitRoom);

// The set pixels of a colour icon's mask, in the icon's own coordinates;
// empty for a null or empty icon.
KsRgn CIconMaskRegion(CIconHandle icon);
