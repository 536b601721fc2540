// ARadioButtonGad and ACheckBoxGad. Map: what both share (label, focus,
// colours, clicks), the radio button, the check box.
#include "ARadioCheckGads.h"

#include "AButtonsPrivate.h"
#include "AGadgetPrivate.h"
#include "KsButtonDraw.h"
#include "KsColorScheme.h"
#include "KsDrawUtils.h"
#include "MacText.h"
#include "QuickDraw.h"

namespace {
template <class T> APortable* MakeObject() {
    return new T;
}
template <class T> APane* MakePane() {
    return new T;
}
void CheckBoxAfterRead(APane* p) {
    static_cast<ACheckBoxGad*>(p)->MatchBoxToEnabling();
}
const bool kRegistered = (ARadioButtonGad::PCRegister(), ACheckBoxGad::PCRegister(), true);

// The label the two classes draw beside their box, in the font they use.
void MakeLabel(APane* pane, const char* text) {
    if (!text || !*text) return;
    pane->AddLabel(text, kLabelNone);
    if (MacText* label = pane->GetLabel()) {
        label->SetFontSizeFace(1, 9, 0);
        label->SetJust(0);
    }
}

SInt32 LabelWidth(const APane* pane) {
    const MacText* label = pane->GetLabel();
    return label && !label->IsEmpty() ? label->GetWidth() : 0;
}

// The colours the scheme gives: the lit colour, and the button colour or
// the enclosure's background.
void ApplySchemeColors(AGadget* gad, const KsRGBColor& litDefault) {
    KsRGBColor lit = litDefault;
    if (GetColorSchemeAttr("CS_BUT_HLT_COLOR") != 0)
        GetSchemeColor("CS_BUT_HLT_COLOR_RED", "CS_BUT_HLT_COLOR_GREEN", "CS_BUT_HLT_COLOR_BLUE",
                       &lit);
    gad->SetForeColor(lit);
    KsApplySchemeButtonColor(gad);
}

// The label in r, on the enclosure's background; a button that can take the
// focus paints that background first, 115 % while it holds the focus.
void DrawToggleLabel(const AGadget* gad, KsRect r) {
    MacText* label = gad->GetLabel();
    if (!label || r.IsEmpty()) return;
    const APane* encl = gad->GetEnclPane();
    KsRGBColor bg = encl ? encl->GetBkndColor() : gad->GetBkndColor();
    if (gad->CanBeTabbedTo()) {
        if (gad->IsActive()) bg = ScaleRGBIntensity(bg, 115, 100);
        const Rect area = ToRect(r.Intersect(gad->GetVisBounds()));
        const RGBColor c = ToRGBColor(bg);
        EraseRGBRect(&area, &c);
    }
    KsRGBColor fg = RGBblack;
    if (!GetSchemeTextColor(&fg)) AdjustFGColorContrast(&fg, bg);
    if (!gad->GetEnabled()) fg = AverageRGB(fg, bg, 0.4);
    label->DrawInColor(r, fg, bg, 1);
}

// Focus changes: the window's active pane, then the caption's draw state or
// the label drawn again.
void ShowFocus(APushButton* b, MacText* label, AMultiLineCaption* caption) {
    if (AWindow* w = b->GetEnclWindow()) {
        if (b->IsActive())
            w->SetActivePane(b);
        else if (w->GetActivePane() == b)
            w->SetActivePane(nullptr);
    }
    if (!b->IsVisible()) return;
    if (caption) {
        KsCaptionSetDrawState(caption, !b->IsActive() ? 1 : b->GetEnabled() ? 0 : 2);
    } else if (label) {
        StPaneWindowPort port(b);
        if (!port.ok()) return;
        const Rect vb = ToRect(b->GetVisBounds());
        ClipRect(&vb);
        b->DrawLabel();
    }
}

// A click on an enabled button takes the keyboard focus, as Tab would; the
// pane tree has already taken it from the pane that held it.
void TakeFocusOnClick(APushButton* b, KsPoint pt) {
    if (b->GetDisplayOnly() || !b->GetEnabled() || !b->CanBeTabbedTo() || b->IsActive() ||
        !GadInRect(b->GetActiveRect(), pt))
        return;
    b->Activate();
    if (AWindow* w = b->GetEnclWindow()) w->SetTargetPane(b);
}

// The box's top edge: centred in the bounds' height.
SInt32 BoxTop(const KsRect& b, SInt16 boxHeight) {
    return b.top + (b.Height() - boxHeight) / 2;
}

// The radio button's background procedure: the round box, drawn pressed
// while the button is held and while it is selected.
void RadioBackground(APane* pane, const KsRect* rect, void*) {
    if (!pane || !rect || !pane->IsInstanceOf("ARadioButtonGad")) return;
    auto* b = static_cast<ARadioButtonGad*>(pane);
    const KsRGBColor color = b->GetEnabled() ? b->GetBkndColor() : RGBgray11;
    const APane* encl = b->GetEnclPane();
    const KsRGBColor around = encl ? encl->GetBkndColor() : RGBgray8;
    // Updates call the procedure without data too: whether the button is
    // held comes from the button, not from the missing data.
    const bool down = b->GetState() || b->IsDrawingPressed();
    PaintRadioFace(b->GetInterior(), color, around, down ? kBorderBubbleDown : kBorderBubble);
}

constexpr SInt16 SizeOr(SInt16 value, SInt16 fallback) {
    return value == kPaneDontCare ? fallback : value;
}
} // namespace

// ===========================================================================
// ARadioButtonGad

void ARadioButtonGad::PCRegister() {
    KsRegisterButtonClass(kClassID, kClassInfo.name, MakePane<ARadioButtonGad>,
                          MakeObject<ARadioButtonGad>);
}

// What IRadioButtonGad sets that no stream or description carries.
ARadioButtonGad::ARadioButtonGad() {
    canBeTabbedTo = true;
    clickInLabel = true;
    bkgdProc = RadioBackground;
    border = kBorderNone;
    refNum = 0;
    iGadFlags = gadIsBistate;
}

ARadioButtonGad* ARadioButtonGad::New(APane* encl, SInt32 group, const char* text, SInt16 left,
                                      SInt16 right, SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei,
                                      SInt16 bw, SInt16 bh) {
    (void)kRegistered;
    auto* b = new ARadioButtonGad;
    b->IRadioButtonGad(encl, group, text, left, right, wid, top, bot, hei, bw, bh);
    return b;
}

void ARadioButtonGad::IRadioButtonGad(APane* encl, SInt32 group, const char* text, SInt16 left,
                                      SInt16 right, SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei,
                                      SInt16 bw, SInt16 bh) {
    IPushButton(encl, left, right, wid, top, bot, hei, nullptr, 0, 0);
    canBeTabbedTo = true;
    clickInLabel = true;
    SetRefNum(group);
    UpdateColorScheme();
    SetBorderStyle(kBorderNone);
    SetBkgdProc(RadioBackground);
    SetIsBistate(true);
    boxWidth = SizeOr(bw, kDefaultBoxWidth);
    boxHeight = SizeOr(bh, kDefaultBoxHeight);
    FrameRuleChanged();
    MakeLabel(this, text);
}

KsRect ARadioButtonGad::GetFrame() const {
    const KsRect b = GetBounds();
    const SInt32 top = BoxTop(b, boxHeight);
    return {b.left, top, b.left + boxWidth, top + boxHeight};
}

// The box moves to r and takes its size; the bounds keep theirs.
void ARadioButtonGad::SetFrame(const KsRect& r) {
    const KsRect b = GetBounds();
    boxWidth = ClampToSInt16(r.Width());
    boxHeight = ClampToSInt16(r.Height());
    FrameRuleChanged();
    const SInt32 top = r.top - (b.Height() - boxHeight) / 2;
    SetBounds({r.left, top, r.left + b.Width(), top + b.Height()});
}

KsRect ARadioButtonGad::GetActiveRect() const {
    KsRect r = GetBounds();
    const SInt32 right = r.left + boxWidth + 6 + LabelWidth(this);
    if (right < r.right) r.right = right;
    return r;
}

void ARadioButtonGad::DrawLabel() {
    KsRect r = GetBounds();
    r.left += 3 + boxWidth;
    DrawToggleLabel(this, r);
}

// The selected mark keeps its own size, centred on the disc, rather than
// being stretched over a box that is not square.
void ARadioButtonGad::DrawDetail(const KsRect& rect, const KsRGBColor& bkgd, void* data) {
    if (drawProc || itsRsrcType != kGadCicn || !rsrcHandle) {
        APushButton::DrawDetail(rect, bkgd, data);
        return;
    }
    const KsRect disc = RadioDiscRect(GetInterior());
    if (!GetEnabled()) {
        PaintRadioDot(disc, AverageRGB(RGBgray2, bkgd, 0.4));
        return;
    }
    const KsRect mark = disc.Width() >= 14 ? CenterRectInRect({0, 0, 16, 16}, disc) : disc;
    KsRGBColor bg = bkgd, fg = RGBblack;
    DrawRsrc(mark, rsrcHandle, itsRsrcType, resourceID, true, &bg, &fg);
}

void ARadioButtonGad::DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) {
    TakeFocusOnClick(this, pt);
    APushButton::DoClick(pt, modifiers, when, data);
}

bool ARadioButtonGad::DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) {
    if (GetEnabled() && active && (keyCode == kButtonKeySpace || keyCode == kButtonKeyRight)) {
        if (!GetState()) {
            SetState(true, true);
            if (upClickProc) upClickProc(this, data, 0, 0);
        }
        return true;
    }
    return APushButton::DoKeyDown(charCode, keyCode, event, data);
}

void ARadioButtonGad::Activate() {
    if (active) return;
    active = true;
    ShowFocus(this, label, caption);
}

void ARadioButtonGad::Deactivate() {
    if (!active) return;
    active = false;
    ShowFocus(this, label, caption);
}

void ARadioButtonGad::UpdateColorScheme() {
    ApplySchemeColors(this, RGBdustyPurple);
}

void ARadioButtonGad::SetFontSizeFace(SInt16 font, SInt16 size, SInt16 face) {
    APushButton::SetFontSizeFace(font, size, face);
    if (label &&
        (label->GetFont() != font || label->GetSize() != size || label->GetFace() != face)) {
        label->SetFontSizeFace(font, size, face);
        Inval();
    }
}

// Radio groups do not compare their numbers: every grouped radio button of
// an enclosure belongs to one group. Hosts rely on this, so it stays.
bool ARadioButtonGad::SetState(bool on, bool) {
    if (refNum == kNoGroup) {
        if (on == GetState()) return false;
        SetGadFlag(gadState, on);
        SetRsrc(on ? kGadCicn : 0, on ? kSelectedIconID : 0);
        PaneInvalRect(GetFrame());
        return true;
    }
    if (GetState() || !on) return false;
    SetGadFlag(gadState, true);
    SetSpotlight(false);
    SetRsrc(kGadCicn, kSelectedIconID);
    PaneInvalRect(GetFrame());
    if (!itsEnclPane) return true;
    for (SInt32 i = 1; i <= itsEnclPane->GetNumSubPanes(); ++i) {
        APane* p = itsEnclPane->GetSubPane(i);
        if (p == this || !p->IsInstanceOf("ARadioButtonGad")) continue;
        auto* other = static_cast<ARadioButtonGad*>(p);
        if (other->refNum == kNoGroup || !other->GetState()) continue;
        // Directly, not through its SetState: a member turned off this way
        // is not a change its owner asked for.
        other->SetGadFlag(gadState, false);
        other->SetRsrc(0, 0);
        other->PaneInvalRect(other->GetFrame());
    }
    return true;
}

void ARadioButtonGad::SetEnabled(bool on) {
    if (on != GetEnabled()) Deactivate();
    APushButton::SetEnabled(on);
    canBeTabbedTo = on;
}

// ===========================================================================
// ACheckBoxGad

void ACheckBoxGad::PCRegister() {
    KsRegisterButtonClass(kClassID, kClassInfo.name, MakePane<ACheckBoxGad>,
                          MakeObject<ACheckBoxGad>, CheckBoxAfterRead);
}

void ACheckBoxGad::Get(AStream& stream) {
    APushButton::Get(stream);
    MatchBoxToEnabling();
}

void ACheckBoxGad::MatchBoxToEnabling() {
    const bool on = GetEnabled();
    SetBoxHeight(on ? kDefaultBoxHeight : kDisabledBoxHeight);
    SetBorderStyle(on ? kBorderBubble : kBorderBubbleDown);
    canBeTabbedTo = on;
}

ACheckBoxGad::ACheckBoxGad() {
    canBeTabbedTo = true;
    clickInLabel = true;
    border = kBorderBubble;
    iGadFlags = gadIsBistate;
}

ACheckBoxGad* ACheckBoxGad::New(APane* encl, const char* text, SInt16 left, SInt16 right,
                                SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei, SInt16 bw,
                                SInt16 bh) {
    auto* b = new ACheckBoxGad;
    b->ICheckBoxGad(encl, text, left, right, wid, top, bot, hei, bw, bh);
    return b;
}

void ACheckBoxGad::ICheckBoxGad(APane* encl, const char* text, SInt16 left, SInt16 right,
                                SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei, SInt16 bw,
                                SInt16 bh) {
    IPushButton(encl, left, right, wid, top, bot, hei, nullptr, 0, 0);
    canBeTabbedTo = true;
    clickInLabel = true;
    UpdateColorScheme();
    SetBorderStyle(kBorderBubble);
    SetIsBistate(true);
    boxWidth = SizeOr(bw, kDefaultBoxWidth);
    boxHeight = SizeOr(bh, kDefaultBoxHeight);
    FrameRuleChanged();
    MakeLabel(this, text);
    reversed = false;
}

void ACheckBoxGad::SetReversed(bool on) {
    if (on == reversed) return;
    Inval();
    reversed = on;
    FrameRuleChanged();
    if (label) label->SetJust(on ? -1 : 0);
    Inval();
}

void ACheckBoxGad::SetBoxHeight(SInt16 h) {
    if (h == boxHeight) return;
    Inval();
    boxHeight = h;
    FrameRuleChanged();
}

KsRect ACheckBoxGad::GetFrame() const {
    const KsRect b = GetBounds();
    const SInt32 top = BoxTop(b, boxHeight);
    const SInt32 left = reversed ? b.right - boxWidth : b.left;
    return {left, top, left + boxWidth, top + boxHeight};
}

void ACheckBoxGad::SetFrame(const KsRect& r) {
    const KsRect b = GetBounds();
    boxWidth = ClampToSInt16(r.Width());
    boxHeight = ClampToSInt16(r.Height());
    FrameRuleChanged();
    const SInt32 top = r.top - (b.Height() - boxHeight) / 2;
    const SInt32 left = reversed ? r.right - b.Width() : r.left;
    SetBounds({left, top, left + b.Width(), top + b.Height()});
}

KsRect ACheckBoxGad::GetActiveRect() const {
    KsRect r = GetBounds();
    const SInt32 reach = boxWidth + 6 + LabelWidth(this);
    if (reversed) {
        if (r.right - reach > r.left) r.left = r.right - reach;
    } else if (r.left + reach < r.right) {
        r.right = r.left + reach;
    }
    return r;
}

void ACheckBoxGad::DrawLabel() {
    KsRect r = GetBounds();
    if (reversed)
        r.right -= 3 + boxWidth;
    else
        r.left += 3 + boxWidth;
    DrawToggleLabel(this, r);
}

void ACheckBoxGad::DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) {
    TakeFocusOnClick(this, pt);
    APushButton::DoClick(pt, modifiers, when, data);
}

bool ACheckBoxGad::DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) {
    if (GetEnabled() && active &&
        (keyCode == kButtonKeySpace || keyCode == kButtonKeyLeft || keyCode == kButtonKeyRight)) {
        const bool want = keyCode == kButtonKeySpace ? !GetState() : keyCode == kButtonKeyRight;
        if (want != GetState()) {
            SetState(want, true);
            if (upClickProc) upClickProc(this, data, 0, 0);
        }
        return true;
    }
    return APushButton::DoKeyDown(charCode, keyCode, event, data);
}

void ACheckBoxGad::Activate() {
    if (active) return;
    active = true;
    ShowFocus(this, label, caption);
}

void ACheckBoxGad::Deactivate() {
    if (!active) return;
    active = false;
    ShowFocus(this, label, caption);
}

void ACheckBoxGad::UpdateColorScheme() {
    ApplySchemeColors(this, RGBenablePurple);
}

void ACheckBoxGad::SetFontSizeFace(SInt16 font, SInt16 size, SInt16 face) {
    APushButton::SetFontSizeFace(font, size, face);
    if (label &&
        (label->GetFont() != font || label->GetSize() != size || label->GetFace() != face)) {
        label->SetFontSizeFace(font, size, face);
        Inval();
    }
}

bool ACheckBoxGad::SetState(bool on, bool) {
    if (on == GetState()) return false;
    SetGadFlag(gadState, on);
    if (on) SetSpotlight(false);
    SetRsrc(on ? kGadSICN : 0, on ? kCheckIconID : 0);
    PaneInvalRect(GetFrame());
    return true;
}

// Disabling a checked box unchecks it, and a disabled box is drawn smaller
// and sunken. Hosts rely on the unchecking, so it stays.
void ACheckBoxGad::SetEnabled(bool on) {
    canBeTabbedTo = on;
    if (on != GetEnabled()) {
        if (!on) {
            if (GetState()) SetState(false, true);
            SetBoxHeight(kDisabledBoxHeight);
            SetBorderStyle(kBorderBubbleDown);
        } else {
            SetBoxHeight(kDefaultBoxHeight);
            SetBorderStyle(kBorderBubble);
        }
        Deactivate();
    }
    APushButton::SetEnabled(on);
}
