// The one place where shapes become pixels (not installed).
//
// Every shape call reduces to a set of local pixels (a rectangle or a KsRgn)
// and an ink; KsPaintRect / KsPaintRgn clip it to clip ∩ visible ∩ bounds,
// map it to device pixels, write it and record the damage.
#pragma once

#include "KsPortPrivate.h"

// What a shape is drawn with.
enum class KsInkKind : UInt8 {
    kNothing, // draws nothing (an "or" with an empty pattern, a hidden pen)
    kSolid,   // every pixel becomes `solid`
    kInvert,  // every pixel's colour is inverted
    kHilite,  // background-coloured pixels become the hilite colour and back
    kPattern, // a one-bit pattern through `op`
    kPixPat,  // a pixel pattern through `op`
};
// How a pattern's pixels combine with the destination.
enum class KsInkOp : UInt8 {
    kCopy, // set bits take the foreground, clear bits the background
    kOr,   // set bits take the foreground, the rest is left
    kXor,  // set bits invert the destination, the rest is left
    kBic,  // set bits take the background, the rest is left
    kHilite,
};
struct KsInk {
    KsInkKind kind = KsInkKind::kNothing;
    KsInkOp op = KsInkOp::kCopy;
    UInt32 solid = 0;
    UInt32 fg = 0, bk = 0, hilite = 0;
    Pattern pat{};                 // kPattern: already inverted for the not-modes
    PixPatHandle pixPat = nullptr; // kPixPat
    bool invertSource = false;     // kPixPat in a not-mode
};

// The pen, background, a fill pattern, a pixel pattern, a plain colour and
// the inversion, each for the port's current state. Patterns that are all
// ones or all zeros come back as the equivalent solid, inverting or empty ink.
KsInk KsPenInk(GrafPtr port);
KsInk KsBackInk(GrafPtr port);
KsInk KsFillInk(GrafPtr port, const Pattern& pat);
KsInk KsPixPatInk(GrafPtr port, PixPatHandle pp);
KsInk KsSolidInk(const RGBColor& color);
KsInk KsInvertInk();

// Draws the local pixels of r or rgn with ink in the port, clipped.
void KsPaintRect(GrafPtr port, const KsRect& r, const KsInk& ink);
void KsPaintRgn(GrafPtr port, const KsRgn& rgn, const KsInk& ink);
// Draws count rectangles with one ink, as KsPaintRect on each would.
void KsPaintRects(GrafPtr port, const KsRect* rects, int count, const KsInk& ink);
