#include "KsFontMgr.h"

void FontMgr::GetMacFontSize(screenFont_t which, SInt16* font, SInt16* size) {
    SInt16 f = 0, s = 0;
    switch (which) {
    case kScreenFontSystem:
        f = 0; // the system font, size 12
        s = 12;
        break;
    case kScreenFontSmall:
        f = 1;
        s = 9;
        break;
    case kScreenFontApp:
        f = 1;
        s = 12;
        break;
    default:
        return;
    }
    if (font) *font = f;
    if (size) *size = s;
}
