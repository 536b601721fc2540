// The framework's drawing utilities: border styles and the stock border
// function, bevels, gradients and bubble frames, colour arithmetic, and a few
// rectangle helpers. Everything draws into the current port through the
// toolbox drawing calls, in the port's local coordinates.
//
// Contract for every drawing call here: the port, its clip, pen, pattern and
// colours are the same on exit as on entry.
//
// Sections: border styles, border functions, frames and fills, colours,
// rectangles.
#pragma once

#include "KsColor.h"
#include "KsGeometry.h"
#include "KsMacTypes.h"

struct GrafPort;

// ---------------------------------------------------------------------------
// Border styles
//
// A pane's border is drawn inside its frame; the interior is the frame inset
// by the style's width on every side. Styles that are not listed draw a
// plain 1-pixel frame. Convex styles come in pairs with the concave style
// one above them (the pressed look of a convex button).

enum : SInt32 {
    kBorderNone = 0,            // nothing, width 0
    kBorderFrame = 1,           // 1-pixel frame in a darkened background colour
    kBorderField = 2,           // sunken field (text entries, lists), width 2
    kBorderButton = 3,          // raised push button, width 2
    kBorderStateButton = 4,     // framed flat button, width 2
    kBorderLED = 5,             // 1-pixel sunken bevel
    kBorderBlackBevel = 6,      // black frame around a raised bevel, width 2
    kBorderGradient = 7,        // full gradient, convex (8 concave), width 1
    kBorderGradientPartial = 9, // gradient in the upper part, convex (10 concave), width 1
    kBorderGradientBubble = 11, // gradient bubble, convex (12 concave), width 2
    kBorderRaised2 = 13,        // raised bevel, width 2 (14 sunken)
    kBorderRaised1 = 15,        // raised bevel, width 1 (16 sunken)
    kBorderFlatConvex = 17,     // flat button with a light top edge (18 pressed), width 1
    kBorderTwoColor = 19,       // two-coloured bevel: 130 % / 70 % of the colour, width 1
    kBorderGroove = 20,         // etched groove, width 2
    kBorderRidge = 21,          // etched ridge, width 2
    kBorderShadow = 22,         // frame with a drop shadow at the right and bottom, width 2
    kBorderRounded = 23,        // rounded raised border, width 2 (panes restrict it to 6)
    kBorderRoundedSunken = 24,  // rounded sunken border, width 2
    kBorderRoundedPressed = 25, // rounded, pressed, width 2
    kBorderBevelThin = 26,      // convex 1-pixel bevel that keeps its look when pressed
    kBorderBevelTab = 27,       // as 26, for tab and page buttons
    kBorderGradientFixed = 42,  // convex gradient that keeps its look when pressed, width 1
    kBorderGradientFixed2 = 43, // as 42, width 2
    kBorderBubble = 60,         // bubble button (enabled, released), width 2
    kBorderBubbleDown = 61,     // bubble button (pressed, checked or disabled), width 2
    kBorderLastStyle = 61,
};

// The style a pane may hold: 23 becomes 6; every other value is kept.
SInt32 RestrictBorderStyle(SInt32 style);
// Width of the border on each side; 0 for style 0, 1 for unknown styles.
SInt32 GetBorderWidth(SInt32 style);

Boolean IsGradientBorder(SInt32 style);        // 7, 8, 42, 43
Boolean IsGradientPartialBorder(SInt32 style); // 9, 10
Boolean IsGradientBubbleBorder(SInt32 style);  // 11, 12, 60, 61
Boolean IsConvexBorder(SInt32 style);
Boolean IsConcaveBorder(SInt32 style);
Boolean IsRoundedBorder(SInt32 style); // 23, 24, 25

// The look of bubble buttons: 0 flat, 1 glossy (the default). The colour
// scheme hands its "CS_BUT_STYLE" here.
void SetBubbleButtonStyle(SInt32 style);
SInt32 GetBubbleButtonStyle();

// ---------------------------------------------------------------------------
// Border functions
//
// A border function measures or draws a border. rect is the frame on entry
// and the interior on exit, in both modes. colors is null when measuring;
// when drawing it points at two colours: [0] the pane's background, [1] the
// background around the pane (the enclosure's). data is free for the caller.
using BorderProcPtr = void (*)(KsRect* rect, SInt32 style, const KsRGBColor* colors, Boolean draw,
                               SInt32 data);

// Draws (draw true) and measures any style above. Drawing with null colors
// uses light grey on white.
void StockBorderProc(KsRect* rect, SInt32 style, const KsRGBColor* colors, Boolean draw,
                     SInt32 data);
// The dialog button divider: an etched groove across the rect, whatever the
// style; measuring insets by 1.
void GrooveBorderProc(KsRect* rect, SInt32 style, const KsRGBColor* colors, Boolean draw,
                      SInt32 data);

// ---------------------------------------------------------------------------
// Frames and fills (all inside r)

enum class KsBevel { kRaised, kSunken };

// 1-pixel bevel: light on the top and left edges, dark on the bottom and
// right; the two corners where they meet belong to the dark edge.
void TwoColoredBevelFrame(const KsRect& r, const KsRGBColor& light, const KsRGBColor& dark);
// The bevel of a border style in the colour bkgd (raised for convex styles,
// sunken for concave ones), as wide as the style.
void BevelFrame(const KsRect& r, SInt32 style, const KsRGBColor& bkgd);
// A rounded border, 2 pixels wide inside r: an outline whose four corner
// pixels take the surrounding colour enclColor, and a bevel inside it.
void RoundedRaisedBorder(const KsRect& r, const KsRGBColor& color, const KsRGBColor& enclColor,
                         KsBevel bevel);
// The pressed shadow of a button's face r: a line along its top and left
// edges, a little darker than color, with its corner left out so that it
// reads as rounded. The rest of the face (its text or icon) is left alone.
void RoundedRaisedHilite(const KsRect& r, const KsRGBColor& color);
// A vertical gradient over r around color, lighter at the top and darker at
// the bottom; `curvature` (percent, 0..100) is the spread; concave styles
// flip it and partial styles shade only the upper half. steps (at least 1)
// bands are painted; rows within a band share one colour.
void PaintGradient(const KsRect& r, const KsRGBColor& color, SInt32 steps, double curvature,
                   SInt32 style);
// How many bands PaintGradient needs on a device `depth` bits deep so that
// neighbouring bands differ by about one shade the device can show: the
// shades across the gradient's spread for that curvature and style, at least 2.
SInt32 GradientSteps(SInt32 depth, double curvature, SInt32 style);
// The outline of a bubble button in the outer 2 pixels of r (a pane's frame,
// that is its interior grown by 2): a rounded edge darker than color with
// corners in enclColor, and inside it a glossy sheen (style 60) or a pressed
// shadow (61); flat when the bubble-button style is 0.
void BubbleFrame(const KsRect& r, const KsRGBColor& color, const KsRGBColor& enclColor,
                 double curvature, SInt32 style);
// A specular highlight: one horizontal line at percentDown percent of r's
// height, inset by `inset` pixels at both ends, color lightened towards white
// by 1 / strength.
void HorSpecLine(const KsRect& r, const KsRGBColor& color, double percentDown, SInt32 inset,
                 SInt32 strength);

// ---------------------------------------------------------------------------
// Colours

// color × num / den per channel, saturating at 0xFFFF (never wraps) and at 0.
// den must not be 0.
KsRGBColor ScaleRGBIntensity(const KsRGBColor& color, SInt32 num, SInt32 den);
// (1 - weight) × a + weight × b per channel; weight is clamped to 0..1.
KsRGBColor AverageRGB(const KsRGBColor& a, const KsRGBColor& b, double weight);
// Perceived brightness 0..0xFFFF (Rec. 601 weights).
UInt16 RGBLuminance(const KsRGBColor& color);
// Keeps text readable: when fg and bkgd are too close in brightness, out
// becomes black on a light background or white on a dark one and the answer
// is true; otherwise out = fg and the answer is false. out may be null.
Boolean AdjustFGColorContrast(const KsRGBColor& fg, const KsRGBColor& bkgd, KsRGBColor* out);
// In place.
Boolean AdjustFGColorContrast(KsRGBColor* fg, const KsRGBColor& bkgd);

// ---------------------------------------------------------------------------
// Rectangles

// Some pixel of r may show in the current port: r meets its clip and visible
// regions. False without a port.
Boolean RectIsVisible(const KsRect& r);
Boolean RectIsVisibleInPort(const KsRect& r, GrafPort* port);
// r moved so that its centre is within's centre (sizes kept; an odd
// difference leaves the extra pixel at the right and bottom).
KsRect CenterRectInRect(const KsRect& r, const KsRect& within);
