// AGadget: clicks, tracking, the good click and keyboard equivalents.
#include "AGadget.h"

void AGadget::DoClick(KsPoint, SInt16, SInt32, void*) {}
bool AGadget::TrackGad(SInt32, KsPoint, SInt16, SInt32, void*) {
    return false;
}
void AGadget::DoGoodClick(KsPoint, SInt16, SInt32, void*) {}
bool AGadget::DoKeyDown(SInt16, SInt16, EventRecord*, void*) {
    return false;
}
