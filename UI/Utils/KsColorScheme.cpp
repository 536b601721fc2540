// The colour scheme store and the window colour setters.
#include "KsColorScheme.h"

#include "CoreAttrList.h"
#include "KsDrawUtils.h"
#include "Windows.h"

namespace {

CoreAttrList* gScheme = nullptr;

struct Default {
    const char* key;
    SInt32 value;
};

// In this order: switches and settings, then the colour triples background,
// button, lit, spotlight, resource face, text.
constexpr Default kDefaults[] = {
    {"CS_BG_COLOR", 0},
    {"CS_BG_PATTERN", 0},
    {"CS_BUT_COLOR", 0},
    {"CS_BUT_SHADING", 1},
    {"CS_BUT_CURVATURE", 30},
    {"CS_BUT_STYLE", 1},
    {"CS_BUT_COHESION", 1},
    {"CS_BUT_HLT_COLOR", 0},
    {"CS_BUT_SPOT_COLOR", 0},
    {"CS_BUT_RSRC_COLOR", 0},
    {"CS_TEXT_COLOR", 0},
    {"CS_BG_COLOR_RED", 0x7000},
    {"CS_BG_COLOR_GREEN", 0x7000},
    {"CS_BG_COLOR_BLUE", 0x7000},
    {"CS_BUT_COLOR_RED", 0x7000},
    {"CS_BUT_COLOR_GREEN", 0x7000},
    {"CS_BUT_COLOR_BLUE", 0x7000},
    {"CS_BUT_HLT_COLOR_RED", 0x8000},
    {"CS_BUT_HLT_COLOR_GREEN", 0x5000},
    {"CS_BUT_HLT_COLOR_BLUE", 0x7E26},
    {"CS_BUT_SPOT_COLOR_RED", 0xA5C2},
    {"CS_BUT_SPOT_COLOR_GREEN", 0x455C},
    {"CS_BUT_SPOT_COLOR_BLUE", 0xB000},
    {"CS_BUT_RSRC_COLOR_RED", 0x2000},
    {"CS_BUT_RSRC_COLOR_GREEN", 0x2000},
    {"CS_BUT_RSRC_COLOR_BLUE", 0x2000},
    {"CS_TEXT_COLOR_RED", 0},
    {"CS_TEXT_COLOR_GREEN", 0},
    {"CS_TEXT_COLOR_BLUE", 0},
};

constexpr const char* kButStyle = "CS_BUT_STYLE";

CoreAttrList& Scheme() {
    if (gScheme == nullptr) {
        gScheme = new CoreAttrList;
        for (const Default& d : kDefaults)
            gScheme->SetSInt32(d.key, d.value);
        SetBubbleButtonStyle(gScheme->GetSInt32(kButStyle));
    }
    return *gScheme;
}

UInt16 Channel(const char* key) {
    return UInt16(GetColorSchemeAttr(key)); // truncated to 16 bits
}

void SetOneWinColor(WindowRecord* window, int which, const KsRGBColor& color) {
    if (window == nullptr) return;
    RGBColor colors[kKsWinColorCount];
    KsGetWinColors(window, colors);
    colors[which] = ToRGBColor(color);
    KsSetWinColors(window, colors);
}

UInt16 AddClamped(UInt16 channel, SInt32 delta) {
    const SInt32 v = SInt32(channel) + delta;
    return UInt16(v < 0 ? 0 : v > 0xFFFF ? 0xFFFF : v);
}

} // namespace

long GetColorSchemeAttr(const char* key) {
    if (key == nullptr) return 0;
    return Scheme().GetSInt32(key, 0);
}

void SetColorSchemeAttr(const char* key, long value) {
    if (key == nullptr) return;
    // The store holds signed 32-bit values.
    Scheme().SetSInt32(key, SInt32(value));
    if (std::string_view(key) == kButStyle) SetBubbleButtonStyle(SInt32(value));
}

bool GetSchemeColor(const char* redKey, const char* greenKey, const char* blueKey,
                    KsRGBColor* out) {
    const KsRGBColor c{Channel(redKey), Channel(greenKey), Channel(blueKey)};
    if (out != nullptr) *out = c;
    return true;
}

void SetSchemeColor(const char* redKey, const char* greenKey, const char* blueKey,
                    KsRGBColor* colour) {
    SetColorSchemeAttr(redKey, colour != nullptr ? long(colour->red) : -1);
    SetColorSchemeAttr(greenKey, colour != nullptr ? long(colour->green) : -1);
    SetColorSchemeAttr(blueKey, colour != nullptr ? long(colour->blue) : -1);
}

bool GetSchemeTextColor(KsRGBColor* out) {
    if (GetColorSchemeAttr("CS_TEXT_COLOR") == 0) return false;
    return GetSchemeColor("CS_TEXT_COLOR_RED", "CS_TEXT_COLOR_GREEN", "CS_TEXT_COLOR_BLUE", out);
}

SInt32 GetSchemeCurvature() {
    const long c = GetColorSchemeAttr("CS_BUT_CURVATURE");
    return c != 0 ? SInt32(c) : 30;
}

void SetColorSchemeAttrList(CoreAttrList* list) {
    if (list == nullptr) return;
    CoreAttrList* copy = list->Copy();
    if (gScheme != nullptr) gScheme->Dispose();
    gScheme = copy;
    SetBubbleButtonStyle(gScheme->GetSInt32(kButStyle));
}

const CoreAttrList* GetColorSchemeAttrList() {
    return &Scheme();
}

void GetGripColors(const KsRGBColor& bkgd, KsRGBColor* light, KsRGBColor* dark) {
    if (light != nullptr)
        *light = {AddClamped(bkgd.red, 0x4000), AddClamped(bkgd.green, 0x4000),
                  AddClamped(bkgd.blue, 0x4000)};
    if (dark != nullptr)
        *dark = {AddClamped(bkgd.red, -0x4000), AddClamped(bkgd.green, -0x4000),
                 AddClamped(bkgd.blue, -0x4000)};
}

void SetWindowHiliteColor(WindowRecord* window, const KsRGBColor& color) {
    SetOneWinColor(window, kKsWinHiliteColor, color);
}

void SetWindowTBarColor(WindowRecord* window, const KsRGBColor& color) {
    SetOneWinColor(window, kKsWinTitleBarColor, color);
}

void SetWindowContentColor(WindowRecord* window, const KsRGBColor& color) {
    SetOneWinColor(window, kKsWinContentColor, color);
}
