// ShapeCmdButton: faces, hit testing, pressing, drawing and persistence.
#include "ShapeCmdButton.h"

#include "AStream.h"
#include "AWindow.h"
#include "CmdButtonPrivate.h"
#include "CoreAttrList.h"
#include "Icons.h"
#include "KsDrawUtils.h"
#include "KsPortSavers.h"
#include "PaneStream.h"
#include "Pictures.h"
#include "QuickDraw.h"
#include "Windows.h"

namespace {

constexpr OSType kSICN = FourCharCode("SICN");
constexpr OSType kCicn = FourCharCode("cicn");

APortable* MakeShapeCmdButton() {
    return new ShapeCmdButton;
}
APane* MakeShapeCmdButtonPane() {
    return new ShapeCmdButton;
}
const bool kRegistered = (ShapeCmdButton::PCRegister(), true);

CIconHandle AsCIcon(Handle h) {
    return reinterpret_cast<CIconHandle>(h);
}

// The mask of the colour icon with that ID, which is released again.
KsRgn MaskOfIconID(SInt16 id) {
    CIconHandle icon = KsGetCIcon(id);
    KsRgn rgn = CIconMaskRegion(icon);
    KsDisposCIcon(icon);
    return rgn;
}

void Clip(const KsRect& r) {
    const Rect rr = ToRect(r);
    ClipRect(&rr);
}

} // namespace

ShapeCmdButton* ShapeCmdButton::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                                    SInt16 bot, SInt16 hei, SInt32 nick, SInt16 upID, SInt16 downID,
                                    const KsRGBColor& color) {
    auto* b = new ShapeCmdButton;
    b->IShapeCmdButton(encl, left, right, wid, top, bot, hei, nick, upID, downID, color);
    return b;
}

void ShapeCmdButton::PCRegister() {
    PClassAdd(kClassID, kClassInfo.name, MakeShapeCmdButton);
    PaneTextClass row;
    row.name = kClassInfo.name;
    row.make = MakeShapeCmdButtonPane;
    row.addProps = {
        [](APane* p, CoreAttrList* l) { p->AddPropsToList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<AGadget*>(p)->AddGadgetPropsToList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<CmdButton*>(p)->AddCmdButtonPropsToList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<ShapeCmdButton*>(p)->AddShapePropsToList(l); }};
    row.getProps = {
        [](APane* p, CoreAttrList* l) { p->GetPropsFromList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<AGadget*>(p)->GetGadgetPropsFromList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<CmdButton*>(p)->GetCmdButtonPropsFromList(l); },
        [](APane* p, CoreAttrList* l) {
            static_cast<ShapeCmdButton*>(p)->GetShapePropsFromList(l);
        }};
    row.subs = PaneTextSubs::none;
    PaneTextRegisterClass(row);
}

ShapeCmdButton::ShapeCmdButton() {
    abbreviates = false;
}

void ShapeCmdButton::IShapeCmdButton(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                                     SInt16 bot, SInt16 hei, SInt32 nick, SInt16 upID,
                                     SInt16 downID, const KsRGBColor& color) {
    ICmdButton(encl, left, right, wid, top, bot, hei, nick, RGBwhite);
    SetUpDnRsrcID(upID, downID, shapeType);
    buttonColor = color;
    drawOffset = 0;
    SetDrawsBackground(false);
    SetInheritsBkgd(true, 0);
    SetJust(1);
    SetBorderStyle(0);
    SetCmdNum(nick);
}

void ShapeCmdButton::ReleaseFaces() {
    if (shapeType == kCicnShape) {
        if (upShape) KsDisposCIcon(AsCIcon(upShape));
        if (downShape) KsDisposCIcon(AsCIcon(downShape));
    }
    upShape = downShape = curShape = nullptr;
    upRgn.SetEmpty();
    downRgn.SetEmpty();
}

void ShapeCmdButton::SetUpDnRsrcID(SInt16 up, SInt16 down, OSType type) {
    ReleaseFaces();
    shapeType = type;
    upRsrcID = up;
    if (up != 0 && type == kCicnShape) {
        upShape = reinterpret_cast<Handle>(KsGetCIcon(up));
        upRgn = CIconMaskRegion(AsCIcon(upShape));
    } else if (up != 0 && type == kPictShape) {
        upShape = reinterpret_cast<Handle>(GetPicture(up));
        upRgn = MaskOfIconID(up);
    }
    downRsrcID = down;
    // Pressed colour icons are neither hit-tested nor clipped: no region.
    if (down != 0 && type == kCicnShape) {
        downShape = reinterpret_cast<Handle>(KsGetCIcon(down));
    } else if (down != 0 && type == kPictShape) {
        downShape = reinterpret_cast<Handle>(GetPicture(down));
        downRgn = MaskOfIconID(down);
    }
    curRsrcID = upRsrcID;
    curShape = upShape;
}

void ShapeCmdButton::Dispose() {
    ReleaseFaces();
    CmdButton::Dispose();
}

bool ShapeCmdButton::InShape(KsPoint pt) const {
    const KsRect in = GetInterior();
    if (shapeType == kIconFamilyShape) {
        const Rect r = ToRect(in);
        return PtInIconID(Point{SInt16(pt.v), SInt16(pt.h)}, &r, kAlignNone, curRsrcID);
    }
    if ((shapeType == kCicnShape || shapeType == kPictShape) && !upRgn.IsEmpty())
        return upRgn.Contains(KsPoint{pt.h - in.left, pt.v - in.top});
    return true;
}

// A click outside the shape does nothing at all: no hilite, no command.
void ShapeCmdButton::DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) {
    if (curRsrcID != 0 && !InShape(pt)) return;
    CmdButton::DoClick(pt, modifiers, when, data);
}

// Equal faces, or no pressed one, press like a plain push button.
void ShapeCmdButton::HiliteGad() {
    if (downRsrcID != 0 && downRsrcID != upRsrcID) {
        if (curRsrcID == downRsrcID) return;
        curRsrcID = downRsrcID;
        curShape = downShape;
    }
    APushButton::HiliteGad();
}

void ShapeCmdButton::DeliteGad() {
    if (upRsrcID != 0 && downRsrcID != 0 && downRsrcID != upRsrcID) {
        if (curRsrcID == upRsrcID) return;
        curRsrcID = upRsrcID;
        curShape = upShape;
    }
    APushButton::DeliteGad();
}

void ShapeCmdButton::LiteGad(SInt16 direction, SInt32 style) {
    AWindow* w = GetEnclWindow();
    if (upRsrcID == 0 || downRsrcID == 0 || upRsrcID == downRsrcID || !w || !w->GetWindowPtr()) {
        APushButton::LiteGad(direction, style);
        return;
    }
    StPortSaver port;
    SetPortWindowPort(w->GetWindowPtr());
    Clip(GetInterior());
    DrawWithOffset(GetInterior(), GetBkndColor(), nullptr, direction);
    ClipWideOpen();
}

void ShapeCmdButton::DrawDetail(const KsRect& rect, const KsRGBColor& bkgd, void* data) {
    DrawWithOffset(rect, bkgd, data, 0);
}

void ShapeCmdButton::DrawWithOffset(const KsRect& rect, const KsRGBColor& color, void* data,
                                    SInt16 offset) {
    if (curRsrcID == 0) {
        CmdButton::DrawDetail(rect, color, data);
        return;
    }
    const KsRect in = GetInterior();
    {
        const bool was = drawsBackground;
        drawsBackground = true;
        APane::DrawBackground(in, data);
        drawsBackground = was;
    }
    drawOffset = SInt16(drawOffset + offset);
    {
        StClipSaver clip;
        const Rect r = ToRect(in);
        if (shapeType == kIconFamilyShape) {
            Clip(in);
            KsPlotIconID2(curRsrcID, &r, 1, 0, false);
        } else if (shapeType == kCicnShape && curShape) {
            Clip(in);
            PaintCicon(AsCIcon(curShape), &r);
        } else if (shapeType == kPictShape && curShape) {
            const KsRgn* shape = nullptr;
            if (curRsrcID == downRsrcID && !downRgn.IsEmpty())
                shape = &downRgn;
            else if (curRsrcID == upRsrcID && !upRgn.IsEmpty())
                shape = &upRgn;
            if (shape) {
                RgnHandle h = KsNewRgnFrom(KsRgn(*shape).Offset(in.left, in.top));
                SetClip(h);
                DisposeRgn(h);
            } else {
                Clip(in);
            }
            DrawPicture(reinterpret_cast<PicHandle>(curShape), &r);
        }
    }
    const KsRect face = in.Offsetted(drawOffset, drawOffset);
    if (itsRsrcType == kSICN && rsrcHandle) {
        StColorPenSaver pen;
        const Rect shadow = ToRect(face.Offsetted(1, 1));
        const RGBColor light = ToRGBColor(ScaleRGBIntensity(buttonColor, 5, 4));
        const RGBColor white = ToRGBColor(RGBwhite);
        RGBForeColor(&light);
        RGBBackColor(&white);
        PlotSICN(&shadow, rsrcHandle, 0);
        const RGBColor ink = ToRGBColor(GetState() && GetIsLED() ? iForeColor : RGBblack);
        RGBForeColor(&ink);
        const Rect f = ToRect(face);
        PlotSICN(&f, rsrcHandle, 0);
    } else if (itsRsrcType == kCicn && rsrcHandle) {
        const Rect f = ToRect(face);
        PaintCicon(AsCIcon(rsrcHandle), &f);
    } else {
        CmdButton::DrawDetail(rect, color, data);
    }
}

void ShapeCmdButton::Put(AStream& s) {
    (void)kRegistered;
    CmdButton::Put(s);
    s.PutClassMark(kClassID, kVersion);
    s.PutShort("upRsrcID", upRsrcID);
    s.PutShort("downRsrcID", downRsrcID);
    s.PutLong("shapeType", SInt32(shapeType));
    s.PutColor("buttonColor", buttonColor.red, buttonColor.green, buttonColor.blue);
}

void ShapeCmdButton::Get(AStream& s) {
    CmdButton::Get(s);
    s.GetClassMark(kClassID, 1, kVersion);
    const SInt16 up = s.GetShort("upRsrcID");
    const SInt16 down = s.GetShort("downRsrcID");
    const OSType type = OSType(s.GetLong("shapeType"));
    s.GetColor("buttonColor", &buttonColor.red, &buttonColor.green, &buttonColor.blue);
    SetUpDnRsrcID(up, down, type);
}

void ShapeCmdButton::AddShapePropsToList(CoreAttrList* list) {
    list->SetSInt16("upRsrcID", upRsrcID);
    list->SetSInt16("dnRsrcID", downRsrcID);
    list->SetUInt32("shapeTyp", shapeType);
    list->SetUInt16("btn.r", buttonColor.red);
    list->SetUInt16("btn.g", buttonColor.green);
    list->SetUInt16("btn.b", buttonColor.blue);
}

void ShapeCmdButton::GetShapePropsFromList(CoreAttrList* list) {
    buttonColor = {list->GetUInt16("btn.r", 0), list->GetUInt16("btn.g", 0),
                   list->GetUInt16("btn.b", 0)};
    SetUpDnRsrcID(list->GetSInt16("upRsrcID", 0), list->GetSInt16("dnRsrcID", 0),
                  list->GetUInt32("shapeTyp", kCicnShape));
}
