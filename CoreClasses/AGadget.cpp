// AGadget: set-up, state and enabling, value hooks, resource faces, copying.
#include "AGadget.h"

#include "AGadgetPrivate.h"
#include "AWindow.h"
#include "Icons.h"
#include "KsDrawUtils.h"
#include "KsHandle.h"
#include "KsTextUtils.h"
#include "MacText.h"
#include "Resources.h"
#include "XError.h"

#include <cstdio>
#include <cstring>
#include <iterator>

SInt16 AGadget::defaultFont = 4;
SInt16 AGadget::defaultSize = 9;
SInt16 AGadget::defaultFace = 0;

namespace {
const EMMessage kMessages[] = {
    {"UIS_GADGET_BAD_RSRC", "The gadget's face ({type}) does not hold valid resource data.",
     nullptr},
};
struct RegisterMessages {
    RegisterMessages() { EMRegisterMessages(kMessages, int(std::size(kMessages))); }
} gRegisterMessages;
} // namespace

AGadget::AGadget() {
    SetFontSizeFace(defaultFont, defaultSize, defaultFace);
    SetJust(1);
}

AGadget* AGadget::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top, SInt16 bot,
                      SInt16 hei, const KsRGBColor& bkgdColor, SInt32 border) {
    auto* g = new AGadget;
    try {
        g->IGadget(encl, left, right, wid, top, bot, hei, bkgdColor, border);
    } catch (...) {
        g->Dispose();
        throw;
    }
    return g;
}

void AGadget::IGadget(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top, SInt16 bot,
                      SInt16 hei, const KsRGBColor& color, SInt32 borderStyle) {
    IPane(encl, left, right, wid, top, bot, hei, color, borderStyle);
    iForeColor = ScaleRGBIntensity(color, 150, 100);
    iGadFlags |= gadLightsOnState;
}

AGadget* AGadget::NewLabel(APane* encl, const char* text, SInt16 left, SInt16 top, SInt16 font,
                           SInt16 size, SInt16 face, SInt16 just) {
    SInt16 wid = 0, hei = 0;
    GetTextPixelWidHei(text ? text : "", font, size, face, &wid, &hei);
    wid = SInt16(wid + (wid + 10) / 20);
    constexpr SInt16 S = kPaneDontCare;
    AGadget* g = New(encl, left, S, wid, top, S, hei, RGBwhite, 0);
    g->SetInheritsBkgd(true, 0);
    g->SetText(text);
    g->SetFontSizeFace(font, size, face);
    g->SetJust(just);
    return g;
}

void AGadget::SetDefaultFontSizeFace(SInt16 font, SInt16 size, SInt16 face) {
    defaultFont = font;
    defaultSize = size;
    defaultFace = face;
}

void AGadget::GetDefaultFontSizeFace(SInt16* font, SInt16* size, SInt16* face) {
    if (font) *font = defaultFont;
    if (size) *size = defaultSize;
    if (face) *face = defaultFace;
}

void AGadget::Dispose() {
    if (caption) {
        KsCaptionForgetGadget(caption, this);
        caption = nullptr;
    }
    DisposeRsrc();
    DisposePopupMenu();
    APane::Dispose();
}

// The stream carries the fields; what it does not carry (procedures, the
// resource copy, the menu settings) is set here. The copy never owns the
// menu: two gadgets would otherwise free it twice.
AObject* AGadget::Copy() {
    auto* copy = static_cast<AGadget*>(APane::Copy());
    copy->downClickProc = downClickProc;
    copy->upClickProc = upClickProc;
    copy->valUpdateProc = valUpdateProc;
    copy->valRefConProc = valRefConProc;
    copy->dawdleProc = dawdleProc;
    copy->valueRefCon = valueRefCon;
    copy->prevMenuItem = prevMenuItem;
    copy->menuFont = menuFont;
    copy->menuSize = menuSize;
    copy->menuEnableMode = menuEnableMode;
    copy->showMenuIcon = showMenuIcon;
    copy->adjustTextToFit = adjustTextToFit;
    copy->displayRsrcAndText = displayRsrcAndText;
    copy->spotlightEnabled = spotlightEnabled;
    copy->spotlight = false;
    copy->menuScreenFont = menuScreenFont;
    copy->cmdNum = cmdNum;
    copy->ownsMenu = false;
    copy->caption = nullptr;
    // The stream gave the copy a face loaded by ID; a face without a
    // resource behind it is copied from this gadget's data.
    if (copy->rsrcHandle == nullptr && rsrcHandle != nullptr) {
        if (itsRsrcType == kGadCicn) {
            copy->rsrcHandle = reinterpret_cast<Handle>(KsGetCIcon(resourceID));
        } else {
            copy->rsrcHandle = KsCopyHand(rsrcHandle);
        }
        if (copy->rsrcHandle) {
            copy->itsRsrcType = itsRsrcType;
            copy->resourceID = resourceID;
        }
    }
    return copy;
}

void AGadget::Incorporate(APane* other) {
    if (other && other->IsInstanceOf("AGadget")) {
        auto* g = static_cast<AGadget*>(other);
        SetRsrc(g->itsRsrcType, g->resourceID);
    }
    APane::Incorporate(other);
}

void AGadget::ConstructPaneID() {
    if (resourceID == 0 || itsRsrcType == 0) {
        APane::ConstructPaneID();
        return;
    }
    char type[5];
    OSTypeToText(itsRsrcType, type);
    char buf[64];
    std::snprintf(buf, sizeof buf,
                  "\xC7"
                  "Gadget %s.%d\xC8",
                  type, int(resourceID));
    _SetPaneID(buf);
}

// ---------------------------------------------------------------------------
// Procedures and value hooks

void AGadget::SetDownClickProc(AGadgetClickProc proc) {
    downClickProc = proc;
}
void AGadget::SetUpClickProc(AGadgetUpClickProc proc) {
    upClickProc = proc;
}
void AGadget::SetDawdleProc(AGadgetDawdleProc proc) {
    dawdleProc = proc;
    WalkTraitsChanged();
}
void AGadget::SetValUpdateProc(AGadgetValUpdateProc proc) {
    valUpdateProc = proc;
}
void AGadget::UpdateValues(SInt32 value, void* data) {
    if (valUpdateProc) valUpdateProc(value, this, data);
}
void AGadget::SetValueRefCon(SInt32 refCon) {
    valueRefCon = refCon;
}
SInt32 AGadget::GetValueRefCon() const {
    return valueRefCon;
}
void AGadget::SetValRefConProc(AGadgetValRefConProc proc) {
    valRefConProc = proc;
}
bool AGadget::HasValueRefCon(SInt32 value) {
    return valRefConProc ? valRefConProc(this, value) : valueRefCon == value;
}
void AGadget::SetCmdNum(SInt32 nick) {
    cmdNum = nick;
}
SInt32 AGadget::GetCmdNum() const {
    return cmdNum;
}
void AGadget::SetKeyCharCode(UInt8 keyCode, char charCode) {
    itsKeyCode = keyCode;
    itsCharCode = UInt8(charCode);
}
void AGadget::SetDisplayRsrcAndText(bool on) {
    displayRsrcAndText = on;
}
void AGadget::SetAdjustTextToFit(bool on) {
    adjustTextToFit = on;
}

// ---------------------------------------------------------------------------
// Caption

void AGadget::SetCaption(AMultiLineCaption* c) {
    caption = c;
    if (c && label) {
        // The caption stands in for the label.
        label->Dispose();
        label = nullptr;
        Inval();
    }
}

AMultiLineCaption* AGadget::GetCaption() const {
    return caption;
}

void AGadget::SetVisible(bool on) {
    APane::SetVisible(on);
    if (caption) KsCaptionSetVisible(caption, on);
}

void AGadget::CenterPane(APane* other, bool horizontal, bool vertical) {
    if (!other) return;
    const KsRect base = horizontal && vertical ? other->GetInterior() : other->GetFrame();
    const KsRect me = GetFrame();
    const KsRect to = CenterRectInRect(me, base);
    const SInt32 h = horizontal ? to.left : me.left;
    const SInt32 v = vertical ? to.top : me.top;
    if (h != me.left || v != me.top) MovePaneTo(h, v);
}

KsRect AGadget::GetActiveRect() const {
    return clickInLabel ? GetBounds() : GetFrame();
}

// ---------------------------------------------------------------------------
// Flags and state

bool AGadget::SetGadFlag(UInt32 mask, bool on) {
    const bool was = (iGadFlags & mask) != 0;
    if (on)
        iGadFlags |= mask;
    else
        iGadFlags &= ~mask;
    return was;
}

bool AGadget::GetGadFlag(UInt32 mask) const {
    return (iGadFlags & mask) != 0;
}

void AGadget::SetAutoRepeats(bool on) {
    SetGadFlag(gadAutoRepeats, on);
    if (on) onDownClick = true;
}
bool AGadget::GetAutoRepeats() const {
    return GetGadFlag(gadAutoRepeats);
}
void AGadget::SetIsBistate(bool on) {
    SetGadFlag(gadIsBistate, on);
    iGadFlags &= ~UInt32(gadLightsOnState);
}
bool AGadget::GetIsBistate() const {
    return GetGadFlag(gadIsBistate);
}
bool AGadget::GetIsLED() const {
    return GetGadFlag(gadIsLED);
}
void AGadget::SetIsLED(bool on) {
    if (SetGadFlag(gadIsLED, on) != on) InvalInterior();
}
bool AGadget::GetDoesBgndLight() const {
    return GetGadFlag(gadIsBistate | gadLightsOnState) && !GetGadFlag(gadIsLED);
}
bool AGadget::GetDoesFgndLight() const {
    return GetGadFlag(gadIsBistate | gadLightsOnState) && GetGadFlag(gadIsLED);
}
void AGadget::SetUseExplicitColors(bool on) {
    if (SetGadFlag(gadUseExplicitColors, on) != on) InvalInterior();
}
bool AGadget::GetUseExplicitColors() const {
    return GetGadFlag(gadUseExplicitColors);
}

bool AGadget::SetState(bool on, bool setFace) {
    if (on == GetState()) return false;
    SetGadFlag(gadState, on);
    if (bodyText && setFace)
        bodyText->SetFontSizeFace(bodyText->GetFont(), bodyText->GetSize(), on ? 1 : 0);
    if (on) SetSpotlight(false);
    Inval();
    return true;
}

bool AGadget::GetState() const {
    return GetGadFlag(gadState);
}

bool AGadget::GetEnabled() const {
    return !GetGadFlag(gadDisabled);
}

void AGadget::SetEnabled(bool on) {
    if (on == GetEnabled()) return;
    SetGadFlag(gadDisabled, !on);
    if (caption) KsCaptionSetDrawState(caption, on ? 1 : 2);
    Inval();
}

void AGadget::SetEnabled2(bool on, bool redrawNow) {
    if (on == GetEnabled()) return;
    SetGadFlag(gadDisabled, !on);
    if (caption) KsCaptionSetDrawState(caption, on ? 1 : 2);
    if (redrawNow && IsVisible()) DrawInterior(nullptr, nullptr);
}

void AGadget::Enable() {
    SetEnabled(true);
}
void AGadget::Disable() {
    SetEnabled(false);
}

void AGadget::SetForeColor(const KsRGBColor& color) {
    SetSpotlight(false);
    iForeColor = color;
    iGadFlags |= gadForeColorSet;
}

void AGadget::SetBkndColor(const KsRGBColor& color) {
    SetSpotlight(false);
    APane::SetBkndColor(color);
    if (!GetGadFlag(gadForeColorSet)) iForeColor = ScaleRGBIntensity(color, 150, 100);
}

void AGadget::EnableSpotlight(bool on) {
    SetAlwaysDawdle(on);
    spotlightEnabled = on;
}

bool AGadget::SetSpotlight(bool on) {
    if (!spotlightEnabled || spotlight == on) return false;
    spotlight = on;
    return true;
}

// The base draws its lit look from the state: hiliting is the subclasses'.
void AGadget::HiliteGad() {}

void AGadget::DeliteGad() {
    if (IsVisible()) HiliteGad();
}

// ---------------------------------------------------------------------------
// Resource faces

void AGadget::DisposeRsrc() {
    if (rsrcHandle) {
        if (itsRsrcType == kGadCicn)
            KsDisposCIcon(reinterpret_cast<CIconHandle>(rsrcHandle));
        else
            KsDisposeHandle(rsrcHandle);
    }
    rsrcHandle = nullptr;
    itsRsrcType = 0;
    resourceID = 0;
}

bool AGadget::LoadRsrc(OSType type, SInt16 id) {
    DisposeRsrc();
    Handle h = nullptr;
    if (type == kGadCicn) {
        h = reinterpret_cast<Handle>(KsGetCIcon(id));
    } else if (type != 0) {
        Handle res = GetResource(type, id);
        // Resource data are checked before they become a face: drawing
        // trusts their size.
        if (res && GadgetFaceDataValid(type, KsGetHandleSize(res))) h = KsCopyHand(res);
    }
    InvalInterior();
    if (!h) return false;
    rsrcHandle = h;
    itsRsrcType = type;
    resourceID = id;
    return true;
}

void AGadget::SetRsrc(OSType type, SInt16 id) {
    if (type == itsRsrcType && id == resourceID) return;
    if (LoadRsrc(type, id) && !displayRsrcAndText) SetText(nullptr);
}

void AGadget::LoadRsrcData(OSType type, const void* data, Size size) {
    if ((type != kGadICON && type != kGadSICN) || !data || !GadgetFaceDataValid(type, size)) {
        char text[5];
        OSTypeToText(type, text);
        xraisexerror("UIS_GADGET_BAD_RSRC", "str type", text);
    }
    Handle h = KsNewHandleFrom(data, size);
    if (!h) xraisexerror("MEM_LOW");
    DisposeRsrc();
    rsrcHandle = h;
    itsRsrcType = type;
    InvalInterior();
}

void AGadget::SetRsrcData(OSType type, const void* data, Size size) {
    LoadRsrcData(type, data, size);
    if (!displayRsrcAndText) SetText(nullptr);
}
