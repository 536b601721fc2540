// Helpers of the gadget's source files; not installed.
#pragma once

#include "AGadget.h"

constexpr OSType kGadCicn = FourCharCode("cicn");
constexpr OSType kGadCccn = FourCharCode("cccn");
constexpr OSType kGadICON = FourCharCode("ICON");
constexpr OSType kGadSICN = FourCharCode("SICN");
constexpr OSType kGadICNfamily = FourCharCode("ICN#");
constexpr OSType kGadIcsFamily = FourCharCode("ics#");
constexpr OSType kGadPICT = FourCharCode("PICT");
constexpr OSType kGadTEXT = FourCharCode("TEXT");

// Whether `size` bytes can be a face of that type: an 'ICON' is exactly one
// 32x32 bit image (128 bytes), a 'SICN' one or more 16x16 images (a non-zero
// multiple of 32). Other types are checked where they are decoded.
bool GadgetFaceDataValid(OSType type, Size size);

// The four characters of a type, most significant first, terminated.
void OSTypeToText(OSType type, char out[5]);

// The caption belongs to the text entries; these reach it without the
// gadget depending on their headers.
void KsCaptionForgetGadget(AMultiLineCaption* caption, AGadget* gadget);
void KsCaptionSetVisible(AMultiLineCaption* caption, bool on);
void KsCaptionSetDrawState(AMultiLineCaption* caption, SInt16 state);

// Hit tests of gadgets count all four edges as inside, as panes do.
constexpr bool GadInRect(const KsRect& r, KsPoint pt) {
    return pt.h >= r.left && pt.h <= r.right && pt.v >= r.top && pt.v <= r.bottom;
}

// Menu values from here up are nick numbers.
constexpr SInt32 kGadFirstNick = 1000;
