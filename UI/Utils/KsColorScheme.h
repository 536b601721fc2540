// The application-wide colour scheme: one attribute list of "CS_" keys
// (switches and 16-bit colour channels widened to 32 bits), built with its
// defaults on first use; and the window colour setters over the toolbox's
// five window colours.
//
// The store is the framework's own: callers read and write it through the
// functions here, and SetColorSchemeAttrList installs a copy of the caller's
// list. Main thread only, like the rest of the framework.
#pragma once

#include "KsColor.h"
#include "KsMacTypes.h"

class CoreAttrList;
struct WindowRecord; // the toolbox window; WindowPtr is WindowRecord*

// The key's value, 0 when the scheme has no such key.
long GetColorSchemeAttr(const char* key);
// Stores the value; "CS_BUT_STYLE" is also handed to SetBubbleButtonStyle.
void SetColorSchemeAttr(const char* key, long value);
// Reads three channel keys (each truncated to 16 bits) into out, which may
// be null. Answers true.
bool GetSchemeColor(const char* redKey, const char* greenKey, const char* blueKey, KsRGBColor* out);
// Stores the three channels of colour; a null colour stores -1 in all three.
void SetSchemeColor(const char* redKey, const char* greenKey, const char* blueKey,
                    KsRGBColor* colour);
// Replaces the whole scheme with a copy of list (the caller keeps list); keys
// missing from it then read 0. Null changes nothing.
void SetColorSchemeAttrList(CoreAttrList* list);
// The scheme's text colour: answers whether "CS_TEXT_COLOR" is on and, when
// it is, sets *out (which may be null) from its three channel keys.
bool GetSchemeTextColor(KsRGBColor* out);
// "CS_BUT_CURVATURE", or 30 when it is 0.
SInt32 GetSchemeCurvature();
// The scheme itself, for reading (built on first use). Owned by the scheme.
const CoreAttrList* GetColorSchemeAttrList();

// The two colours of a grow box's grip on a background: light is 0x4000
// brighter and dark 0x4000 darker per channel, held at 0 and 0xFFFF so that
// a pale or dark background never turns the grip inside out.
void GetGripColors(const KsRGBColor& bkgd, KsRGBColor* light, KsRGBColor* dark);

// Window colours: each reads the window's five colours, replaces one and
// writes all five back. A null window is left alone.
void SetWindowHiliteColor(WindowRecord* window, const KsRGBColor& color);
void SetWindowTBarColor(WindowRecord* window, const KsRGBColor& color);
void SetWindowContentColor(WindowRecord* window, const KsRGBColor& color);
