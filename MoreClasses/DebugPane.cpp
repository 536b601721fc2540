#include "DebugPane.h"

#include "DebugControls.h"
#include "KsFatal.h"
#include "PaneStream.h"

#include <algorithm>

namespace {
constexpr SInt16 S = kPaneDontCare;
SInt16 Coord(int v) {
    return SInt16(std::clamp(v, -32767, 32767));
}
// Registered with the library, so that streams, Copy and the property text
// find the class. Its controls are bound to variables by program and are
// not kept.
const bool kRegistered = (DebugPane::PCRegister(), true);
} // namespace

void DebugPane::PCRegister() {
    PClassAdd(kClassID, kClassInfo.name, [] { return static_cast<APortable*>(new DebugPane); });
    const PaneTextClass* base = PaneTextFindClass("APane");
    PaneTextClass row = base ? *base : PaneTextClass{};
    row.name = "DebugPane";
    row.make = [] { return static_cast<APane*>(new DebugPane); };
    PaneTextRegisterClass(row);
}

DebugPane* DebugPane::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                          SInt16 bot, SInt16 hei, const KsRGBColor& color, SInt32 border,
                          const char* label) {
    auto* p = new DebugPane;
    p->IDebugPane(encl, left, right, wid, top, bot, hei, color, border, label);
    return p;
}

void DebugPane::IDebugPane(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                           SInt16 bot, SInt16 hei, const KsRGBColor& color, SInt32 border,
                           const char* label) {
    (void)kRegistered;
    IPane(encl, left, right, wid, top, bot, hei, color, border);
    if (label) AddLabel(label, kLabelAbove);
    SetInheritsBkgd(false, 0);
    iNextX = 3;
    iNextY = 3;
    iYSpacing = 1;
    iAutoResize = false;
    SetAlwaysDawdle(true);
}

void DebugPane::AddedSomething(APane* control) {
    const int height = control->GetBounds().Height();
    iNextY += height + iYSpacing;
    if (!iAutoResize) return;
    const KsRect b = GetBounds();
    Resize(SInt16(b.Width()), Coord(b.Height() + height + iYSpacing));
}

void DebugPane::AddBoolean(const char* label, unsigned char* flag) {
    AddOneBit(label, flag, 1, 0x1);
}

void DebugPane::AddOneBit(const char* label, void* flags, short size, unsigned long mask) {
    auto* box = DebugBitCheckBox::New(this, Coord(iNextX), 0, S, Coord(iNextY), S, label, flags,
                                      size, mask);
    box->SetPaneID(label);
    AddedSomething(box);
}

void DebugPane::AddBits(const DebugBitSpec_t* table, void* flags, short size) {
    FtlAssert((table) != 0);
    for (; table->label; ++table)
        AddOneBit(table->label, flags, size, table->mask);
}

void DebugPane::AddPushButton(const char* label, void (*proc)(unsigned long),
                              unsigned long refCon) {
    auto* b =
        DebugPushButton::New(this, Coord(iNextX), -3, S, Coord(iNextY), S, label, proc, refCon);
    b->SetPaneID(label);
    AddedSomething(b);
}

void DebugPane::AddInteger(const char* label, short size, void* var, short radix,
                           KsBoundSign sign) {
    auto* e = DebugIntEntry::New(this, Coord(iNextX), -3, Coord(iNextY), S, label, size, var, radix,
                                 sign);
    e->SetPaneID(label);
    AddedSomething(e);
}
