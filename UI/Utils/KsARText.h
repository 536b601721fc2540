// The message-box text and button-list formats.
//
// Text: a line ends at a real CR or LF, at the two characters "\n" or "\r",
// or after 255 characters on one line (the line goes on below). A CR and LF
// in a row (either form) end one line, not two. The tags <b> <i> <u> and
// their closing forms, in either case, are taken out and set the face of the
// characters they enclose. The parsed text holds at most kKsARTextMax bytes,
// line separators included; the rest is cut.
//
// Buttons: labels separated by "|", at most 8, each cut to 47 bytes; a label
// that begins with "#" is a hidden choice: it keeps its number, shows no button.
//
// A null text or list is empty. Nothing is read past the terminating NUL.
#pragma once

#include "KsMacTypes.h"

#include <string>
#include <vector>

constexpr size_t kKsARTextMax = 3060;
constexpr size_t kKsARLineMax = 255;
constexpr int kKsARMaxButtons = 8;
constexpr size_t kKsARLabelMax = 47;

// Face bits, as the toolbox numbers them.
enum : UInt8 { kKsARBold = 1, kKsARItalic = 2, kKsARUnderline = 4 };

struct KsARLine {
    std::string text;
    std::string faces; // one face byte per byte of text
};

struct KsARText {
    std::vector<KsARLine> lines;
    bool cut = false; // the text did not fit kKsARTextMax
    // The lines joined by CR, as the dialog keeps them.
    std::string Joined() const;
};

KsARText KsARParseText(const char* text);

struct KsARButton {
    std::string label;
    bool hidden = false;
};

std::vector<KsARButton> KsARParseButtons(const char* buttons);
