// The styled scrap: 'styl', the style runs that go with a 'TEXT' entry.
//
// Layout (big-endian, the classic toolbox's StScrpRec): a 16-bit run count,
// then that many 20-byte runs:
//   SInt32 start     offset of the run's first byte in the text
//   SInt16 height    line height and
//   SInt16 ascent    font ascent as the writer laid the run out
//   SInt16 font      font family number
//   UInt8  face      Style bits; one filler byte follows
//   SInt16 size      points (0: the default size)
//   UInt16 red, green, blue
//
// The reader trusts nothing: the size must be exactly that of the counted
// runs, there must be at least one, the first starts at 0, starts rise
// strictly and stay inside the text, and heights, ascents and sizes are not
// negative. Anything else raises XError "TBX_BAD_STYLE_SCRAP" and nothing is
// returned. Face bits beyond the seven known styles are dropped.
//
// 'styl' lives in this process only: another program's copy replaces the
// whole scrap (Scrap.h), so runs are never applied to text they were not
// written for.
#pragma once

#include "KsMacTypes.h"
#include "QuickDraw.h" // Style

#include <cstddef>
#include <string>
#include <vector>

struct KsStyleRun {
    SInt32 start = 0;
    SInt16 height = 0;
    SInt16 ascent = 0;
    SInt16 font = 0;
    Style face = 0;
    SInt16 size = 0;
    RGBColor color{0, 0, 0};

    bool operator==(const KsStyleRun& o) const {
        return start == o.start && height == o.height && ascent == o.ascent && font == o.font &&
               face == o.face && size == o.size && color.red == o.color.red &&
               color.green == o.color.green && color.blue == o.color.blue;
    }
};

constexpr std::size_t kKsStyleRunBytes = 20;
constexpr std::size_t kKsMaxStyleRuns = 32767;

// Decodes `size` bytes of 'styl' data for a text of `textLength` bytes.
std::vector<KsStyleRun> KsReadStyleScrap(const void* data, std::size_t size, SInt32 textLength);

// Encodes runs for a text of `textLength` bytes. The runs must be what the
// reader accepts (it raises the same XError otherwise), so that what one
// process writes the next always reads.
std::string KsWriteStyleScrap(const std::vector<KsStyleRun>& runs, SInt32 textLength);

// Puts text with its runs on the scrap, replacing what was there: 'TEXT'
// goes to the system clipboard, 'styl' stays in process. Answers what
// PutScrap answers.
SInt32 KsPutStyledScrap(const void* text, SInt32 length, const std::vector<KsStyleRun>& runs);

// The scrap's 'TEXT' (false when it has none) and, when a 'styl' entry that
// fits that text is there, its runs; `runs` is left empty otherwise. Damaged
// 'styl' data raises XError, as the reader does.
bool KsGetStyledScrap(std::string* text, std::vector<KsStyleRun>* runs);
