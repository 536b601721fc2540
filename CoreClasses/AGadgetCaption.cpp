// The gadget's side of its caption.
#include "AGadgetPrivate.h"

#include "AMultiLineCaption.h"

void KsCaptionForgetGadget(AMultiLineCaption* caption, AGadget* gadget) {
    if (caption->GetAssociatedGad() == gadget) caption->SetAssociatedGad(nullptr);
}
void KsCaptionSetVisible(AMultiLineCaption* caption, bool on) {
    caption->SetVisible(on);
}
void KsCaptionSetDrawState(AMultiLineCaption* caption, SInt16 state) {
    caption->SetCaptionDrawState(state);
}

bool GadgetFaceDataValid(OSType type, Size size) {
    if (type == kGadICON) return size == 128;
    if (type == kGadSICN) return size > 0 && size % 32 == 0;
    return size >= 0;
}

void OSTypeToText(OSType type, char out[5]) {
    for (int i = 0; i < 4; ++i) {
        const char c = char((type >> (24 - 8 * i)) & 0xFF);
        out[i] = c ? c : ' ';
    }
    out[4] = 0;
}
