// Text measuring and drawing helpers of the framework's controls. Strings
// are Mac OS Roman, NUL-terminated. Measuring works without a port (a
// private one is used); drawing draws in the current port and restores its
// pen, colours and text state.
#pragma once

#include "KsColor.h"
#include "KsGeometry.h"
#include "KsMacTypes.h"

// Width of the text and the height of a line (ascent + descent + leading)
// in that font. Outputs may be null.
void GetTextPixelWidHei(const char* text, SInt16 font, SInt16 size, SInt16 face, SInt16* wid,
                        SInt16* hei);
// Width of the text in that font, in pixels.
SInt16 GetLabelWidth(const char* text, SInt16 font, SInt16 size, SInt16 face);
// Shortens text in place so that it fits `width` pixels in that font: the
// end is replaced by an ellipsis (0xC9). Answers whether it was shortened.
bool AdjustStringToFit(char* text, SInt16 width, SInt16 font, SInt16 size, SInt16 face);
// One line of text in r, clipped to r, vertically centred; just: 0 left,
// 1 centre, -1 right.
void DrawTextHow(const char* text, const KsRect& r, SInt16 font, SInt16 size, SInt16 face,
                 SInt16 just, const KsRGBColor& color);
// Text of `length` bytes wrapped at spaces into the lines of r, clipped to
// r; a CR starts a new line. bkgd, when given, is erased first.
void DrawTextInABox(const char* text, long length, const KsRect& r, SInt16 font, SInt16 size,
                    SInt16 face, SInt16 just, const KsRGBColor& color, const KsRGBColor* bkgd);
