// The console's text rules, apart from any pane so that they can be checked
// on their own: formatting into a growable buffer, line ends, tab stops,
// trimming to a cap and the CR LF form written to files.
//
// Console text ends its lines with CR, as the text display does. A column
// is counted from the last line end; it carries from one call to the next
// so that a tab printed after a partial line still lands on a stop.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <string>
#include <string_view>

// Tab stops are every this many columns.
constexpr int kConsoleTabWidth = 4;

// Appends `text` to `out` with every LF, CR and CR LF as one CR and every tab
// as spaces to the next stop; *column is the column at the start and is left
// at the end's.
void KsConsoleAppendExpanded(std::string& out, std::string_view text, int* column);

// Formats fmt with args into `scratch` (grown as needed, its capacity kept
// for the next call), then appends the expanded result to `out`. args is
// copied, so the caller's list can be used again. Answers the number of
// formatted characters before expansion (negative on a bad format).
int KsConsoleFormat(std::string& out, std::string& scratch, const char* fmt, va_list args,
                    int* column) __attribute__((format(printf, 3, 0)));

// The text with every CR, LF and CR LF as CR LF, for files.
std::string KsConsoleToCRLF(std::string_view text);

// Where to cut the front of a text of `length` bytes so that `adding` more
// fit under `cap`: at least a quarter of the cap goes at once (so trimming is
// rare), the cut ends after a line end when one is near, and never more than
// the whole text. Answers 0 when nothing needs to go.
std::size_t KsConsoleTrimPoint(std::string_view text, std::size_t adding, std::size_t cap);
