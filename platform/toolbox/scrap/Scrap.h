// The scrap: the clipboard as the toolbox sees it, a set of typed entries.
//
// 'TEXT' is the system clipboard. Putting 'TEXT' hands it to the back end in
// UTF-8 with line feeds; reading 'TEXT' (or anything else) first looks at the
// system clipboard, and when its text changed since this process last wrote or
// read it, the scrap is replaced by that text alone (Mac OS Roman, CR line
// ends, '?' for characters without a Mac OS Roman form) and the scrap count
// changes. Other types live in this process only.
//
// Clipboard text is read up to kKsScrapTextLimit bytes of UTF-8; the rest is
// dropped at a character boundary, so another program cannot make us allocate
// without bound.
//
// Used from the UI thread only.
#pragma once

#include "KsMacTypes.h"

#include <cstddef>

constexpr OSErr noScrapErr = -100;
constexpr OSErr noTypeErr = -102;

constexpr std::size_t kKsScrapTextLimit = std::size_t(16) << 20;

struct ScrapStuff {
    SInt32 scrapSize;    // bytes of all entries, laid out as the classic scrap
    Handle scrapHandle;  // always null: the entries are not one block here
    SInt16 scrapCount;   // changes whenever the scrap does
    SInt16 scrapState;   // 1: in memory
    StringPtr scrapName; // always null
};
using PScrapStuff = ScrapStuff*;

// Empties the scrap (and the system clipboard's text) and changes the count.
SInt32 ZeroScrap();

// Adds `length` bytes of `type`, replacing an entry of that type already
// present, and changes the count. New 'TEXT' drops the 'styl' runs of the
// old (put the runs after the text). Answers noErr, paramErr (negative length,
// or null source with a length) or memFullErr.
SInt32 PutScrap(SInt32 length, ResType type, const void* source);

// The entry of `type`: its length, or noTypeErr when the scrap has none.
// hDest (optional) is resized to the length and receives the bytes (memFullErr
// when it cannot grow); offset (optional) receives the entry's offset in the
// classic scrap layout (8-byte header per entry, data padded to even).
SInt32 GetScrap(Handle hDest, ResType type, SInt32* offset);

// The scrap's state, after looking for an outside change of the clipboard.
// The record stays valid until the next call.
PScrapStuff InfoScrap();

// Kept for callers written against the disk-backed scrap; the scrap always
// lives in memory, so both only answer noErr.
SInt32 LoadScrap();
SInt32 UnloadScrap();

// The scrap count alone (after looking for an outside change).
SInt16 KsGetScrapCount();
