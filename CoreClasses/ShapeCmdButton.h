// ShapeCmdButton: a command button drawn as a shaped picture, with separate
// released and pressed faces (colour icons, an icon family or pictures), that
// answers clicks only inside its shape. The command's own small icon or
// colour icon is drawn on top and moves down and right while pressed.
//
// Ownership: colour-icon faces are the button's and are released when
// replaced and on Dispose; pictures and icon families stay with the resource
// chain.
#pragma once

#include "CmdButton.h"

class ShapeCmdButton : public CmdButton {
    KS_DECLARE_CLASS(ShapeCmdButton, CmdButton)
    KS_PANE_WALK_TRAITS(ShapeCmdButton, GadgetWalkTraits())

    static constexpr OSType kClassID = FourCharCode("ShCB");
    static constexpr SInt16 kVersion = 1;
    static constexpr OSType kCicnShape = FourCharCode("cicn");
    static constexpr OSType kIconFamilyShape = FourCharCode("ICN#");
    static constexpr OSType kPictShape = FourCharCode("PICT");

    // upID 0: no face, the button draws and behaves as a command button.
    static ShapeCmdButton* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                               SInt16 bot, SInt16 hei, SInt32 nick, SInt16 upID, SInt16 downID,
                               const KsRGBColor& buttonColor);
    static void PCRegister();

    ShapeCmdButton();

    void IShapeCmdButton(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top, SInt16 bot,
                         SInt16 hei, SInt32 nick, SInt16 upID, SInt16 downID,
                         const KsRGBColor& buttonColor);
    // Loads both faces of that type ('cicn', 'ICN#' or 'PICT'), releasing the
    // colour icons shown before, and shows the released face.
    void SetUpDnRsrcID(SInt16 upID, SInt16 downID, OSType type);
    // The colour under the command's small icon; nothing is redrawn.
    void SetButtonColor(const KsRGBColor& color) { buttonColor = color; }
    // The face, then the command's icon shifted by drawOffset + offset.
    void DrawWithOffset(const KsRect& rect, const KsRGBColor& color, void* data, SInt16 offset);

    void Dispose() override;
    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    void Put(AStream& stream) override;
    void Get(AStream& stream) override;
    void DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) override;
    void DrawDetail(const KsRect& rect, const KsRGBColor& bkgd, void* data) override;
    void HiliteGad() override;
    void DeliteGad() override;
    void LiteGad(SInt16 direction, SInt32 style) override;

    SInt16 GetUpRsrcID() const { return upRsrcID; }
    SInt16 GetDownRsrcID() const { return downRsrcID; }
    SInt16 GetCurRsrcID() const { return curRsrcID; }
    OSType GetShapeType() const { return shapeType; }
    const KsRgn& GetUpRgn() const { return upRgn; }
    const KsRGBColor& GetButtonColor() const { return buttonColor; }
    SInt16 GetDrawOffset() const { return drawOffset; }

    // Pane property text keys.
    void AddShapePropsToList(CoreAttrList* list);
    void GetShapePropsFromList(CoreAttrList* list);

protected:
    // Whether pt (window coordinates) lies on the released shape; true when
    // no shape can tell.
    bool InShape(KsPoint pt) const;
    void ReleaseFaces();

    // Fields, in their declared order.
    SInt16 upRsrcID = 0;
    SInt16 downRsrcID = 0;
    SInt16 curRsrcID = 0;
    Handle curShape = nullptr;  // upShape or downShape
    Handle upShape = nullptr;   // owned when a colour icon
    Handle downShape = nullptr; // owned when a colour icon
    KsRgn upRgn;                // face coordinates
    KsRgn downRgn;
    OSType shapeType = kCicnShape;
    KsRGBColor buttonColor{0, 0, 0};
    SInt16 drawOffset = 0;
};
