// AGadget: colours, the face, the menu indicator, idle time and text.
#include "AGadget.h"

#include "AGadgetPrivate.h"
#include "Cursors.h"
#include "Icons.h"
#include "KsColorScheme.h"
#include "KsDrawUtils.h"
#include "KsHandle.h"
#include "KsPortSavers.h"
#include "KsTextUtils.h"
#include "MacText.h"
#include "Pictures.h"
#include "QuickDraw.h"
#include "Resources.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {
// The spotlight lightens each channel by this much, held at white.
constexpr UInt32 kSpotlightLift = 0x2000;

KsRGBColor Lifted(const KsRGBColor& c, UInt32 by) {
    auto up = [by](UInt16 ch) { return UInt16(std::min<UInt32>(ch + by, 0xFFFF)); };
    return {up(c.red), up(c.green), up(c.blue)};
}

// The menu indicator's small icon, loaded once and kept.
Handle MenuIndicatorIcon() {
    static Handle icon = [] {
        Handle res = GetResource(kGadSICN, AGadget::kMenuIndicatorID);
        return res && GadgetFaceDataValid(kGadSICN, KsGetHandleSize(res)) ? KsCopyHand(res)
                                                                          : nullptr;
    }();
    return icon;
}

void PlotSICNIn(const KsRect& r, Handle sicn, const KsRGBColor& color) {
    const RGBColor c = ToRGBColor(color);
    RGBForeColor(&c);
    const Rect rr = ToRect(r);
    PlotSICN(&rr, sicn, 0);
}

// A 16x16 square at the left of r, centred vertically: small icons are not
// stretched to the height of a text line.
KsRect SmallIconRect(const KsRect& r, SInt32 left) {
    const SInt32 top = r.top + (r.Height() - 16) / 2;
    return {left, top, left + 16, top + 16};
}
} // namespace

KsRGBColor AGadget::GetBkndColor() const {
    if (GetDoesBgndLight() && GetState()) return iForeColor;
    if (GetUseExplicitColors()) return bkgdColor;
    KsRGBColor c = APane::GetBkndColor();
    if (spotlight) {
        if (GetColorSchemeAttr("CS_BUT_SPOT_COLOR") != 0)
            GetSchemeColor("CS_BUT_SPOT_COLOR_RED", "CS_BUT_SPOT_COLOR_GREEN",
                           "CS_BUT_SPOT_COLOR_BLUE", &c);
        else
            c = Lifted(c, kSpotlightLift); // saturates: a white face stays white
    }
    return c;
}

void AGadget::DrawDetail(const KsRect& rect, const KsRGBColor& bkgd, void* data) {
    if (hasMenu && takesMenuVal) SetTextFromMenu();
    if (drawProc) {
        drawProc(this, &rect, data);
        return;
    }
    const bool hasText = bodyText && !bodyText->IsEmpty();
    KsRGBColor bg = bkgd;
    auto rsrcColor = [&](KsRGBColor c) {
        if (GetColorSchemeAttr("CS_BUT_RSRC_COLOR") != 0)
            GetSchemeColor("CS_BUT_RSRC_COLOR_RED", "CS_BUT_RSRC_COLOR_GREEN",
                           "CS_BUT_RSRC_COLOR_BLUE", &c);
        else
            AdjustFGColorContrast(&c, bg);
        return c;
    };
    KsRGBColor fg = RGBblack;
    if (!hasText) {
        const bool grey = IsGradientPartialBorder(border) || IsGradientBubbleBorder(border);
        fg = rsrcColor(grey ? RGBgray2 : RGBblack);
    } else if (border != kBorderNone) {
        fg = rsrcColor(RGBblack);
    } else if (!GetSchemeTextColor(&fg)) {
        fg = RGBblack;
        AdjustFGColorContrast(&fg, bg);
    }
    if (spotlight) {
        fg = RGBblack;
        AdjustFGColorContrast(&fg, bg);
    } else if (GetState() && GetDoesFgndLight()) {
        fg = iForeColor;
    }
    if (!GetEnabled()) fg = AverageRGB(fg, bg, 0.4);

    KsRect r = rect;
    if (hasMenu && GetJust(nullptr) == 0) r.left += 5;
    if (IsConcaveBorder(border) && border != kBorderRoundedSunken &&
        border != kBorderRoundedPressed)
        r.Offset(1, 1);
    KsRect textRect = r, rsrcRect = r;
    if (displayRsrcAndText && r.Width() >= 22) {
        rsrcRect.right = r.left + 16;
        textRect.left = r.left + 21;
    }
    if (hasText) {
        bodyText->DrawInColor(textRect, GetUseExplicitColors() ? iForeColor : fg, bg, 1);
        if (hasMenu && showMenuIcon && !displayOnly && bodyText->GetWidth() < textRect.Width() - 13)
            DrawMenuIndicator(textRect, bg);
        if (!displayRsrcAndText) return;
    }
    if (itsRsrcType == 0 || !rsrcHandle) return;
    if (itsRsrcType == kGadTEXT) {
        SInt16 font = defaultFont, size = defaultSize, face = defaultFace, just = 1;
        if (bodyText) {
            font = bodyText->GetFont();
            size = bodyText->GetSize();
            face = bodyText->GetFace();
            just = bodyText->GetJust();
        }
        DrawTextInABox(*rsrcHandle, KsGetHandleSize(rsrcHandle), rsrcRect, font, size, face, just,
                       fg, &bg);
        return;
    }
    if (GetDoesBgndLight() && GetState()) bg = iForeColor;
    DrawRsrc(rsrcRect, rsrcHandle, itsRsrcType, resourceID, GetEnabled(), &bg, &fg);
}

void AGadget::DrawRsrc(const KsRect& rect, Handle handle, OSType type, SInt16 id, bool enabled,
                       KsRGBColor* bkgd, KsRGBColor* fore) {
    StColorPenSaver pen;
    const KsRGBColor fg = fore ? *fore : RGBblack;
    const KsRGBColor bg = bkgd ? *bkgd : RGBwhite;
    if (type == kGadSICN) {
        if (!handle || !GadgetFaceDataValid(type, KsGetHandleSize(handle))) return;
        const KsRect r = SmallIconRect(rect, rect.left + (rect.Width() - 16) / 2);
        PlotSICNIn(r.Offsetted(1, 1), handle, ScaleRGBIntensity(bkgd ? *bkgd : RGBgray8, 125, 100));
        PlotSICNIn(r, handle, fg);
    } else if (type == kGadICNfamily || type == kGadIcsFamily) {
        const Rect r = ToRect(rect);
        KsPlotIconID2(id, &r, kAlignNone, kTransformNone, !enabled);
    } else if (type == kGadICON) {
        if (!handle || !GadgetFaceDataValid(type, KsGetHandleSize(handle))) return;
        const Rect r = ToRect(CenterRectInRect({0, 0, 32, 32}, rect));
        const RGBColor f = ToRGBColor(fg), b = ToRGBColor(bg);
        RGBForeColor(&f);
        RGBBackColor(&b);
        PlotIcon(&r, handle);
    } else if (type == kGadPICT) {
        Rect frame{};
        auto pic = reinterpret_cast<PicHandle>(handle);
        if (!handle || !QDGetPictureBounds(pic, &frame)) return;
        const Rect r = ToRect(
            CenterRectInRect({0, 0, frame.right - frame.left, frame.bottom - frame.top}, rect));
        DrawPicture(pic, &r);
    } else if (type == kGadCicn || type == kGadCccn) {
        const Rect r = ToRect(rect);
        PaintCicon(reinterpret_cast<CIconHandle>(handle), &r);
    }
}

SInt16 AGadget::MenuIndicatorForm() const {
    if (!GetEnabled()) return -1;
    if (active && !label && CanBeTabbedTo()) return 1;
    return 0;
}

void AGadget::DrawMenuIndicator(const KsRect& r, const KsRGBColor& bkgd) {
    Handle icon = MenuIndicatorIcon();
    if (!icon) return;
    const SInt16 form = MenuIndicatorForm();
    KsRGBColor light = ScaleRGBIntensity(bkgd, 125, 100);
    KsRGBColor ink;
    if (AdjustFGColorContrast(RGBgray2, bkgd, nullptr)) {
        ink = form < 0 ? RGBgray5 : form > 0 ? RGBwhite : RGBgray12;
    } else if (form < 0) {
        ink = ScaleRGBIntensity(bkgd, 90, 100);
    } else if (form > 0) {
        ink = ScaleRGBIntensity(bkgd, 125, 100);
        light = ScaleRGBIntensity(bkgd, 140, 100);
    } else {
        ink = RGBgray2;
    }
    StColorPenSaver pen;
    PlotSICNIn(SmallIconRect(r, r.right - 18).Offsetted(0, 1), icon, light);
    PlotSICNIn(SmallIconRect(r, r.right - 19), icon, ink);
}

// ---------------------------------------------------------------------------
// Idle time

void AGadget::Dawdle(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* cursorID, void* data) {
    if (dawdleProc) {
        dawdleProc(this, pt, modifiers, sleep, cursorID, data);
        return;
    }
    if (hasMenu && !displayOnly && !GetAlwaysDawdle()) {
        if (cursorID)
            *cursorID = kMenuCursorID;
        else
            SetCursorByID(kMenuCursorID);
        return;
    }
    if (GetAlwaysDawdle() && spotlightEnabled && !GetState() &&
        (itsRsrcType != 0 || (bodyText && !bodyText->IsEmpty()))) {
        if (SetSpotlight(GadInRect(GetInterior(), pt)) && IsVisible()) {
            DrawInterior(nullptr, nullptr);
            ClipWideOpen();
        }
    }
    APane::Dawdle(pt, modifiers, sleep, cursorID, data);
}

// ---------------------------------------------------------------------------
// Text

void AGadget::SetText(const char* text) {
    std::string copy = text ? text : "";
    if (adjustTextToFit && !copy.empty() && bodyText) {
        const KsRect in = GetInterior();
        SInt32 width = in.Width();
        if (hasMenu && GetJust(nullptr) == 0) width -= 5;
        if (displayRsrcAndText && in.Width() >= 22) width -= 21;
        if (showMenuIcon && !displayOnly) width -= 13;
        // Shortening only ever writes inside the string it was given.
        AdjustStringToFit(copy.data(), ClampToSInt16(std::max<SInt32>(width, 0)),
                          bodyText->GetFont(), bodyText->GetSize(), bodyText->GetFace());
        copy.resize(std::strlen(copy.c_str()));
    }
    APane::SetText(text ? copy.c_str() : nullptr);
    if (text && !displayRsrcAndText) SetRsrc(0, 0);
}

SInt32 AGadget::GetText(char* buf, SInt32 len) const {
    if (hasMenu && takesMenuVal) const_cast<AGadget*>(this)->SetTextFromMenu();
    if (itsRsrcType == 0) return APane::GetText(buf, len);
    if (buf && len > 0) buf[0] = 0;
    return -1;
}
