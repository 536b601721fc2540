// Colours: three 16-bit channels, and the framework's named colours.
//
// KsRGBColor has the layout of the toolbox's RGBColor (red, green, blue, each
// 0..0xFFFF) so that colour tables and streams can hold either.
#pragma once

#include "KsMacTypes.h"

struct KsRGBColor {
    UInt16 red = 0;
    UInt16 green = 0;
    UInt16 blue = 0;

    friend constexpr bool operator==(const KsRGBColor&, const KsRGBColor&) = default;
};

constexpr RGBColor ToRGBColor(const KsRGBColor& c) {
    return {c.red, c.green, c.blue};
}
constexpr KsRGBColor ToKsRGBColor(const RGBColor& c) {
    return {c.red, c.green, c.blue};
}

// The named colours. Defined once in the library and constant-initialised,
// so they are valid before any other code of the process runs.
extern const KsRGBColor RGBblack; // 0, 0, 0
extern const KsRGBColor RGBwhite; // 0xFFFF each
extern const KsRGBColor RGBred;   // 0xFFFF, 0, 0
extern const KsRGBColor RGBlightblue;
// Greys: RGBgrayN has N x 0x1000 in each channel.
extern const KsRGBColor RGBgray1;
extern const KsRGBColor RGBgray2;
extern const KsRGBColor RGBgray3;
extern const KsRGBColor RGBgray4;
extern const KsRGBColor RGBgray5;
extern const KsRGBColor RGBgray6;
extern const KsRGBColor RGBgray7;
extern const KsRGBColor RGBgray8;
extern const KsRGBColor RGBgray9;
extern const KsRGBColor RGBgray10;
extern const KsRGBColor RGBgray11;
extern const KsRGBColor RGBgray12;
extern const KsRGBColor RGBgray13;
extern const KsRGBColor RGBgray14;
extern const KsRGBColor RGBgray15;
// The framework's accent colours.
extern const KsRGBColor RGBdustyPurple;       // window highlight
extern const KsRGBColor RGBenablePurple;      // lit buttons
extern const KsRGBColor RGBHighlightPurple;   // spotlight
extern const KsRGBColor RGBButtonPurpleColor; // tab and page buttons
