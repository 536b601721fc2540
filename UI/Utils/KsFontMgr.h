// Screen font classes: the fonts the framework's own controls use, resolved
// to a font number and size when they are needed.
#pragma once

#include "KsMacTypes.h"

// 0 means "no class": callers then use an explicit font and size.
enum screenFont_t : SInt16 {
    kScreenFontNone = 0,
    kScreenFontSystem = 1, // menus and dialog buttons
    kScreenFontSmall = 2,  // small labels and compact controls
    kScreenFontApp = 3,    // the application's text font
};

class FontMgr {
public:
    // The font number and size of a screen font class; for kScreenFontNone
    // both outputs are left as they are. Outputs may be null.
    static void GetMacFontSize(screenFont_t which, SInt16* font, SInt16* size);
};
