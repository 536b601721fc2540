#include "ACustomCheckBox.h"

#include "APanePrivate.h"
#include "KsPortSavers.h"
#include "PaneStream.h"
#include "QuickDraw.h"

#include <cstring>

namespace {
// Registered with the library, so that streams, Copy and the property text
// find the class; its state is the gadget's own.
const bool kRegistered = (ACustomCheckBox::PCRegister(), true);
} // namespace

void ACustomCheckBox::PCRegister() {
    PClassAdd(kClassID, kClassInfo.name,
              [] { return static_cast<APortable*>(new ACustomCheckBox); });
    const PaneTextClass* base = PaneTextFindClass("AGadget");
    PaneTextClass row = base ? *base : PaneTextClass{};
    row.name = "ACustomCheckBox";
    row.make = [] { return static_cast<APane*>(new ACustomCheckBox); };
    PaneTextRegisterClass(row);
}

ACustomCheckBox* ACustomCheckBox::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid,
                                      SInt16 top, SInt16 bot, SInt16 hei, const char* label) {
    auto* b = new ACustomCheckBox;
    b->ICustomCheckBox(encl, left, right, wid, top, bot, hei, label);
    return b;
}

void ACustomCheckBox::ICustomCheckBox(APane* encl, SInt16 left, SInt16 right, SInt16 wid,
                                      SInt16 top, SInt16 bot, SInt16 hei, const char* label) {
    (void)kRegistered;
    IGadget(encl, left, right, wid, top, bot, hei, RGBwhite, 0);
    SetIsBistate(true);
    // Drawn on its enclosure's colour.
    if (encl) SetBkndColor(encl->GetBkndColor());
    if (label) SetText(label);
}

void ACustomCheckBox::StateClicked(bool) {}

void ACustomCheckBox::ShowState(bool on, bool redraw) {
    if (GetState() == on) return;
    SetState(on, false);
    if (redraw) InvalInterior();
}

void ACustomCheckBox::DoGoodClick(KsPoint, SInt16, SInt32, void* refCon) {
    StPaneHold hold(this);
    const bool on = !GetState();
    SetState(on, false);
    StateClicked(on);
    if (!hold.Alive()) return;
    InvalInterior();
    if (upClickProc) upClickProc(this, refCon, 0, on ? 1 : 0);
}

void ACustomCheckBox::DrawDetail(const KsRect&, const KsRGBColor& bkgd, void*) {
    const KsRect in = GetInterior();
    StColorPenSaver pen;
    StTextStateSaver textState;
    const RGBColor back = ToRGBColor(bkgd), black{0, 0, 0};
    RGBBackColor(&back);
    RGBForeColor(&black);
    const SInt16 top = SInt16(in.top + (in.Height() - kBoxSize) / 2);
    Rect box{top, SInt16(in.left + 1), SInt16(top + kBoxSize), SInt16(in.left + 1 + kBoxSize)};
    EraseRect(&box);
    FrameRect(&box);
    if (GetState()) {
        MoveTo(box.left + 2, box.top + 2);
        LineTo(box.right - 3, box.bottom - 3);
        MoveTo(box.left + 2, box.bottom - 3);
        LineTo(box.right - 3, box.top + 2);
    }
    char label[128];
    const SInt32 n = GetText(label, sizeof label);
    if (n <= 0) return;
    SInt16 font = 1, size = 9, face = 0;
    GetFontSizeFace(&font, &size, &face);
    TextFont(font);
    TextSize(size);
    TextFace(Style(face));
    FontInfo fi{};
    GetFontInfo(&fi);
    const SInt16 base = SInt16(in.top + (in.Height() + fi.ascent - fi.descent) / 2);
    MoveTo(box.right + 4, base);
    DrawText(label, 0, SInt16(std::strlen(label)));
}
