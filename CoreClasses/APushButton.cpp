// APushButton: set-up, the pressed look, grouping; and the registration
// every button class shares.
#include "APushButton.h"

#include "AButtonsPrivate.h"
#include "AWindow.h"
#include "CKsList.h"
#include "KsColorScheme.h"
#include "KsDrawUtils.h"
#include "KsPortSavers.h"
#include "PaneStream.h"
#include "QDScroll.h"
#include "QuickDraw.h"

namespace {
// The concave bevels 2 and 1 pixels wide.
constexpr SInt32 kSunkenBevel2 = 14, kSunkenBevel1 = 16;

template <class T> APortable* MakeObject() {
    return new T;
}
template <class T> APane* MakePane() {
    return new T;
}
// Registered with the library, so that streams, Copy and pane texts find the
// class.
const bool kRegistered = (APushButton::PCRegister(), true);

void ClipTo(const KsRect& r) {
    const Rect q = ToRect(r);
    ClipRect(&q);
}
} // namespace

void KsRegisterButtonClass(OSType classID, const char* name, APane* (*makePane)(),
                           PClassFactory factory, void (*afterRead)(APane*)) {
    PClassAdd(classID, name, factory);
    PaneTextClass row;
    row.name = name;
    row.make = makePane;
    if (const PaneTextClass* pane = PaneTextFindClass("APane")) {
        row.addProps = pane->addProps;
        row.getProps = pane->getProps;
    }
    row.addProps.push_back(
        [](APane* p, CoreAttrList* l) { static_cast<AGadget*>(p)->AddGadgetPropsToList(l); });
    row.getProps.push_back(
        [](APane* p, CoreAttrList* l) { static_cast<AGadget*>(p)->GetGadgetPropsFromList(l); });
    row.subs = PaneTextSubs::none;
    row.afterRead = afterRead;
    PaneTextRegisterClass(row);
}

void KsApplySchemeButtonColor(APane* pane) {
    if (GetColorSchemeAttr("CS_BUT_COLOR") != 0) {
        KsRGBColor c{};
        GetSchemeColor("CS_BUT_COLOR_RED", "CS_BUT_COLOR_GREEN", "CS_BUT_COLOR_BLUE", &c);
        pane->SetInheritsBkgd(false, 0);
        pane->SetBkndColor(c);
    } else {
        pane->SetInheritsBkgd(true, 0);
    }
}

void APushButton::PCRegister() {
    KsRegisterButtonClass(kClassID, kClassInfo.name, MakePane<APushButton>,
                          MakeObject<APushButton>);
}

// ---------------------------------------------------------------------------
// Set-up

APushButton* APushButton::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                              SInt16 bot, SInt16 hei, AGadgetUpClickProc proc, OSType rsrcType,
                              SInt16 rsrcID) {
    (void)kRegistered;
    auto* b = new APushButton;
    b->IPushButton(encl, left, right, wid, top, bot, hei, proc, rsrcType, rsrcID);
    return b;
}

void APushButton::IPushButton(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                              SInt16 bot, SInt16 hei, AGadgetUpClickProc proc, OSType rsrcType,
                              SInt16 rsrcID) {
    IGadget(encl, left, right, wid, top, bot, hei, RGBgray8, kBorderButton);
    SetUpClickProc(proc);
    lit = false;
    if (rsrcID != 0) SetRsrc(rsrcType, rsrcID);
    refNum = kNoGroup;
}

void APushButton::SetRefNum(SInt32 group) {
    refNum = group;
}

SInt32 APushButton::GetRefNum() const {
    return refNum;
}

bool APushButton::SetStateAsRadio() {
    if (GetState()) return false;
    SetState(true, true);
    if (!itsEnclPane) return true;
    for (SInt32 i = 1; i <= itsEnclPane->GetNumSubPanes(); ++i) {
        APane* p = itsEnclPane->GetSubPane(i);
        if (p == this || !p->IsInstanceOf("APushButton")) continue;
        auto* b = static_cast<APushButton*>(p);
        if (b->GetRefNum() != kNoGroup && b->GetState()) b->SetState(false, true);
    }
    return true;
}

// ---------------------------------------------------------------------------
// Drawing

void APushButton::Draw(const KsRect* clip, void* data) {
    APane::Draw(clip, data);
}

void APushButton::DrawBorder() {
    if (borderProc) {
        APane::DrawBorder();
        return;
    }
    const KsRGBColor colors[2] = {GetBkndColor(),
                                  itsEnclPane ? itsEnclPane->GetBkndColor() : GetBkndColor()};
    DrawPushButtonBorder(GetFrame(), border, colors, iLook,
                         IsDefaultButton() ? KsDefaultRing::kDefault : KsDefaultRing::kNone);
    DrawLabel();
}

KsRGBColor APushButton::GetBkndColor() const {
    const KsRGBColor c = AGadget::GetBkndColor();
    return iLook == KsPushLook::kPressed ? ScaleRGBIntensity(c, 85, 100) : c;
}

bool APushButton::KeepsLookWhenPressed(SInt32 style) {
    return style == 17 || style == kBorderBevelThin || style == kBorderBevelTab ||
           style == kBorderGradientFixed || style == kBorderGradientFixed2;
}

void APushButton::RedrawNow(KsPushLook look) {
    StPaneWindowPort port(this);
    if (!port.ok()) return;
    // A convex style's pressed partner is the style above it; the border
    // draws it from iLook, the interior (a gradient turns over) from border.
    struct Restore {
        APushButton* b;
        SInt32 style;
        ~Restore() {
            b->border = style;
            b->iLook = KsPushLook::kUp;
        }
    } restore{this, border};
    iLook = look;
    const bool swap = look == KsPushLook::kPressed && IsConvexBorder(border) &&
                      !KeepsLookWhenPressed(border) && !bkgdProc;
    ClipTo(GetVisBounds());
    DrawBorder();
    if (swap) border = restore.style + 1;
    DrawInterior(nullptr, nullptr);
}

void APushButton::RedrawInteriorNow(KsPushLook look, void* data) {
    StPaneWindowPort port(this);
    if (!port.ok()) return;
    struct Restore {
        APushButton* b;
        ~Restore() { b->iLook = KsPushLook::kUp; }
    } restore{this};
    iLook = look;
    DrawInterior(nullptr, data);
}

void APushButton::HiliteGad() {
    if (bkgdProc) {
        // The background procedure draws the pressed look.
        RedrawInteriorNow(KsPushLook::kPressed, nullptr);
    } else if (border == kBorderNone) {
        LiteGad(1, kBorderNone);
    } else if (border == kBorderBlackBevel) {
        LiteGad(1, kBorderLED);
    } else if (border == kBorderTwoColor) {
        LiteGad(1, kBorderTwoColor);
    } else if (IsRoundedBorder(border)) {
        LiteGad(1, border);
    } else if (IsConvexBorder(border) && !KeepsLookWhenPressed(border)) {
        RedrawNow(KsPushLook::kPressed);
    } else {
        LiteGad(1, kBorderField);
    }
    lit = true;
}

void APushButton::DeliteGad() {
    if (bkgdProc) {
        // Data pointing at true asks the procedure for the released look.
        static bool released = true;
        RedrawInteriorNow(KsPushLook::kUp, &released);
    } else if (IsConvexBorder(border) && !KeepsLookWhenPressed(border)) {
        RedrawNow(KsPushLook::kUp);
    } else if (lit) {
        LiteGad(-1, border);
    }
    lit = false;
    if (borderProc) Inval();
}

void APushButton::LiteGad(SInt16 direction, SInt32 style) {
    StPaneWindowPort port(this);
    if (!port.ok()) return;
    const bool pressing = direction >= 1;
    const KsRect frame = GetFrame();
    const KsRect vis = GetVisInterior();
    const KsRGBColor bg = GetBkndColor();
    const KsRGBColor encl = itsEnclPane ? itsEnclPane->GetBkndColor() : bg;
    iUncovered.SetEmpty();
    if (style != kBorderTwoColor && !vis.IsEmpty()) {
        ClipTo(vis);
        KsScrollRect(vis, direction, direction, &iUncovered);
    }
    ClipTo(GetVisBounds());
    if (!pressing) {
        // Released: the button's own border, exactly as an update draws it.
        const KsRGBColor colors[2] = {bg, encl};
        DrawPushButtonBorder(frame, border, colors, KsPushLook::kUp,
                             IsDefaultButton() ? KsDefaultRing::kDefault : KsDefaultRing::kNone);
    } else if (style == kBorderBlackBevel) {
        TwoColoredBevelFrame(frame, ScaleRGBIntensity(bg, 4, 3), RGBblack);
    } else if (style == kBorderLED) {
        TwoColoredBevelFrame(frame, ScaleRGBIntensity(bg, 1, 3), ScaleRGBIntensity(bg, 6, 5));
    } else if (style == kBorderTwoColor) {
        TwoColoredBevelFrame(frame, ScaleRGBIntensity(bg, 70, 100),
                             ScaleRGBIntensity(bg, 130, 100));
    } else if (IsRoundedBorder(style)) {
        RoundedRaisedBorder(frame, bg, encl, KsBevel::kSunken);
    } else if (GetBorderWidth(border) > 0) {
        // Any other border turns into a sunken bevel as wide as it is.
        BevelFrame(frame, GetBorderWidth(border) > 1 ? kSunkenBevel2 : kSunkenBevel1, bg);
    }
    if (!iUncovered.IsEmpty()) {
        RgnHandle strip = KsNewRgnFrom(iUncovered);
        SetClip(strip);
        DisposeRgn(strip);
        DrawBackground(iUncovered.Bounds(), nullptr);
    }
    // The shadow of the press lies in the strip just uncovered, so the
    // release, moving the face back over it, leaves no trace.
    if (pressing && style != kBorderTwoColor) {
        ClipTo(vis);
        RoundedRaisedHilite(vis, bg);
    }
}
