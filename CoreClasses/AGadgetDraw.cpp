// AGadget: colours, the face, the menu indicator, idle time and text.
#include "AGadget.h"

void AGadget::DrawDetail(const KsRect& rect, const KsRGBColor& bkgd, void* data) {
    APane::DrawDetail(rect, bkgd, data);
}
KsRGBColor AGadget::GetBkndColor() const {
    return APane::GetBkndColor();
}
void AGadget::DrawRsrc(const KsRect&, Handle, OSType, SInt16, bool, KsRGBColor*, KsRGBColor*) {}
void AGadget::DrawMenuIndicator(const KsRect&, const KsRGBColor&) {}
SInt16 AGadget::MenuIndicatorForm() const {
    return 0;
}
void AGadget::Dawdle(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* cursorID, void* data) {
    APane::Dawdle(pt, modifiers, sleep, cursorID, data);
}
void AGadget::SetText(const char* text) {
    APane::SetText(text);
}
SInt32 AGadget::GetText(char* buf, SInt32 len) const {
    return APane::GetText(buf, len);
}
