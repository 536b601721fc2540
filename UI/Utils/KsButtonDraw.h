// The faces of the button family: push-button frames (pressed and default),
// the radio button's round box, the LED and the saturating colour lift used
// for focus and spotlight. They build on the border styles, bevels, gradients
// and bubbles of KsDrawUtils and use the same shades, so a button sits next
// to any framed pane without a seam.
//
// Contract for every drawing call here: the port, its clip, pen, pattern and
// colours are the same on exit as on entry. Coordinates are the current
// port's local ones; shapes are drawn as rectangles and regions, which the
// port maps exactly onto device pixels at any backing scale.
#pragma once

#include "KsColor.h"
#include "KsGeometry.h"
#include "KsMacTypes.h"

// ---------------------------------------------------------------------------
// Colours

// Each channel raised by `amount`, held at 0xFFFF: a pale colour turns
// white, never black.
KsRGBColor LiftRGB(const KsRGBColor& color, UInt16 amount);

// ---------------------------------------------------------------------------
// Push buttons

enum class KsPushLook : UInt8 { kUp, kPressed };
enum class KsDefaultRing : UInt8 { kNone, kDefault };

// The border of a push button of `style` in frame (colors: [0] the button,
// [1] around it). Pressed, a convex style is drawn as its concave partner,
// and the push-button style 3 as a sunken bevel inside its outline. The
// default button's outline is drawn dark and doubled at the bottom and right
// over whatever the style drew, so it reads at a glance on any colour.
void DrawPushButtonBorder(const KsRect& frame, SInt32 style, const KsRGBColor colors[2],
                          KsPushLook look, KsDefaultRing ring);

// ---------------------------------------------------------------------------
// Radio buttons

// The round box of a radio button: a disc as large as the smaller side of
// box, centred in it, shaded from light at the top to dark at the bottom and
// outlined; style 60 adds a sheen at the top, 61 (checked, pressed or
// disabled) a shadow under the top edge. encl is the colour around the disc.
void PaintRadioFace(const KsRect& box, const KsRGBColor& color, const KsRGBColor& encl,
                    SInt32 style);
// The square the disc of PaintRadioFace occupies, centred in box, its side
// the smaller side of box rounded down to an even number: the selected mark
// is drawn there so that it stays round in a box that is not square.
KsRect RadioDiscRect(const KsRect& box);
// The selected mark of a disabled radio button (whose colour icon has no
// dimmed form): a dot in color, a third of the disc across.
void PaintRadioDot(const KsRect& disc, const KsRGBColor& color);

// ---------------------------------------------------------------------------
// LEDs

enum class KsLEDLook : UInt8 { kOff, kOn };

// The lamp of an LED in r: filled with color; a lit lamp gets a glint near
// its top so that on and off differ in form as well as colour.
void PaintLEDFace(const KsRect& r, const KsRGBColor& color, KsLEDLook look);
