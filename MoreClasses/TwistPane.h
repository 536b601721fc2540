// TwistPane: a disclosure container. A title row with a triangle (the
// twister) and a body of sub-panes shown when open and hidden when closed.
//
// Opening or closing swaps the pane's height with the stored other height,
// moves the siblings below it that hang from their enclosure's top, and grows
// or shrinks the enclosures outward: a scrolling enclosure only recomputes
// its limits, an enclosing twist pane that is open grows and moves its own
// siblings in turn, and one that is closed keeps the change in its stored
// open height (its body is not showing). The window grows too when asked.
//
// Heights travel in 16 bits: the stored height is clamped to 0..32767.
#pragma once

#include "AGadget.h"
#include "APane.h"

class AMacPopupMenu;
class APushButton;
class ATextEntry;
class CmdButton;
class ALED;

class TwistPane : public APane {
    KS_DECLARE_CLASS(TwistPane, APane)
    KS_PANE_WALK_TRAITS(TwistPane, kWalkIdleKeepsTree | kWalkStandardInterior)

    static constexpr OSType kClassID = FourCharCode("TwPn");
    static constexpr SInt16 kVersion = 1;
    static constexpr SInt16 kDefaultHeiDelta = 50;
    static constexpr SInt16 kTwisterSize = 16;

    static TwistPane* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                          SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor, SInt32 border);
    static void PCRegister();

    TwistPane() = default;
    virtual void ITwistPane(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                            SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor, SInt32 border);

    // --- APane slots -------------------------------------------------------------
    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    void Put(AStream& stream) override;
    void Get(AStream& stream) override;
    void DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) override;
    void DrawDetail(const KsRect& rect, const KsRGBColor& bkgd, void* data) override;
    KsPoint GetMiniHelpAlignment(KsPoint pt) const override;
    bool HasMiniHelpText() override;
    void RemoveSubPane(APane* pane) override;

    // --- Slots TwistPane introduces, in slot order ------------------------------
    virtual void OpenClose();
    virtual KsRect GetTwisterRect() const;

protected:
    // Moves the siblings below this pane that hang from their enclosure's top
    // by delta; call after this pane's height changed by delta.
    virtual void AdjustSiblings(SInt32 delta);

public:
    virtual APane* AddContentsPane(SInt16 left, SInt16 top, SInt16 right, SInt16 bottom);
    virtual APane* AddDesignPane(SInt16 left, SInt16 top, SInt16 wid, SInt16 hei);
    virtual AMacPopupMenu* AddMacPopupMenuGadStyle(const char* label, SInt16 left, SInt16 top,
                                                   SInt16 wid, SInt16 hei);
    virtual AGadget* AddRsrcGadStyle(const char* label, SInt16 left, SInt16 top, SInt16 wid,
                                     SInt16 hei, OSType rsrcType, SInt16 rsrcID);
    virtual AGadget* AddLabelGadStyle(const char* label, SInt16 left, SInt16 top, SInt16 font,
                                      SInt16 size, SInt16 face);
    // An editable one-line field in the given font; its text starts empty.
    virtual ATextEntry* AddTextEntryGadStyle(const char* label, SInt16 left, SInt16 top, SInt16 wid,
                                             SInt16 hei, SInt16 font, SInt16 size, SInt16 face);
    virtual APushButton* AddButtonGadStyle(const char* label, SInt16 left, SInt16 top, SInt16 wid,
                                           SInt16 hei, AGadgetUpClickProc proc);
    virtual CmdButton* AddCmdButtonStyle(const char* label, SInt16 left, SInt16 top, SInt16 wid,
                                         SInt16 hei, SInt32 nick);
    virtual ALED* AddLEDGad(const char* label, SInt16 left, SInt16 top, SInt16 side,
                            const KsRGBColor& color);

    // --- Not virtual -------------------------------------------------------------
    // Grows the enclosures by delta (see above); *resizeWindow answers whether
    // the window is to grow by delta as well.
    void ResizeEnclosure(SInt32 delta, bool* resizeWindow);

    void SetResizesEnclosure(bool on) { iResizesEnclosure = on; }
    void SetResizesWindow(bool on) { iResizesWindow = on; }
    void SetOpenable(bool on) { openable = on; }
    void SetClosedPanesInvisible(bool on) { closedPanesInvisible = on; }
    void SetContentsPane(APane* pane) { contentsPane = pane; }
    void SetHeiDelta(SInt16 delta) { heiDelta = delta; }
    void SetDrawLine(bool on);
    bool GetIsOpen() const { return iIsOpen; }
    bool GetOpenable() const { return openable; }
    bool GetResizesEnclosure() const { return iResizesEnclosure; }
    bool GetResizesWindow() const { return iResizesWindow; }
    SInt16 GetHeiDelta() const { return heiDelta; }
    APane* GetContentsPane() const { return contentsPane; }
    // The height the pane takes in its other state.
    SInt16 GetOtherHei() const { return iOtherHei; }

    void AddPropsToList(CoreAttrList* list);
    void GetPropsFromList(CoreAttrList* list);

private:
    // Hides a new builder pane while the body is closed and hidden, and
    // names it after its label.
    void FinishBuilt(APane* pane, const char* label);
    bool StartsHidden() const;

    bool iResizesEnclosure = true;
    bool iResizesWindow = false;
    bool iIsOpen = false;
    bool openable = true;
    bool drawLine = false;
    bool closedPanesInvisible = false;
    APane* contentsPane = nullptr; // not owned (a sub-pane)
    SInt16 iOtherHei = 0;
    SInt16 heiDelta = kDefaultHeiDelta;
};
