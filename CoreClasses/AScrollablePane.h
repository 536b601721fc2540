// AScrollablePane: a pane whose contents live in a 32-bit landscape and can
// be scrolled. Text fields and tables derive from it; an AScrollPane shows one
// with scroll bars.
//
// Landscape coordinates are LongPoint/LongRect; a landscape point maps to the
// window as window = landscape - (xpos, ypos) + interior origin. Sub-panes are
// placed in window coordinates and are moved with every change of position,
// so that they scroll with the landscape.
//
// Scroll moves the pixels that stay visible (ScrollRect) and invalidates only
// what was uncovered; updates still pending for the part that moved move with
// it. A slave pane follows this pane's scrolling on one axis.
#pragma once

#include "APane.h"

class AScrollablePane;
// Limits-changed and content-changed procedures.
using AScrollableProc = void (*)(AScrollablePane* pane);

class AScrollablePane : public APane {
    KS_DECLARE_CLASS(AScrollablePane, APane)
    KS_PANE_WALK_TRAITS(AScrollablePane, kWalkIdleKeepsTree | kWalkStandardInterior)

    static constexpr OSType kClassID = FourCharCode("Scap");
    static constexpr SInt16 kVersion = 1;
    // Extension of the stream record: the pane this one is the slave of.
    static constexpr SInt16 kExtMaster = 1;
    static constexpr SInt32 kDefaultIncr = 2;
    // The margin SetLimitsFromSubpanes leaves around the sub-panes.
    static constexpr SInt32 kSubpaneMargin = 10;

    static AScrollablePane* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                                SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor, SInt32 border);
    static void PCRegister();

    AScrollablePane();
    ~AScrollablePane() override;

    // --- APane slots ------------------------------------------------------
    void Dispose() override;
    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    void Put(AStream& stream) override;
    void Get(AStream& stream) override;

    // --- Slots AScrollablePane introduces, in slot order --------------------
    // Scrolls by (dx, dy) landscape units, clamped to the scroll range.
    virtual void Scroll(SInt32 dx, SInt32 dy);
    // Min, the scroll maximum (never below min) and the position; any output
    // may be null.
    virtual void GetXScrollInfo(SInt32* min, SInt32* max, SInt32* pos) const;
    virtual void GetYScrollInfo(SInt32* min, SInt32* max, SInt32* pos) const;
    // The stored position and limits; any output may be null.
    virtual void GetXinfo(SInt32* pos, SInt32* min, SInt32* max) const;
    virtual void GetYinfo(SInt32* pos, SInt32* min, SInt32* max) const;
    virtual void WindowToLandscapePt(const KsPoint& in, LongPoint* out) const;
    virtual void WindowPtToLandscapePt(const KsPoint& in, LongPoint* out) const;
    virtual void LandscapeToWindowPt(const LongPoint& in, KsPoint* out) const;
    // Answers whether the point fits the window's 16-bit space unclamped.
    virtual bool LandscapePtToWindowPt(const LongPoint& in, KsPoint* out) const;
    virtual void WindowToLandscapeRect(const KsRect& in, LongRect* out) const;
    virtual void WindowRectToLandscapeRect(const KsRect& in, LongRect* out) const;
    virtual void LandscapeToWindowRect(const LongRect& in, KsRect* out) const;
    virtual bool LandscapeRectToWindowRect(const LongRect& in, KsRect* out) const;
    virtual SInt32 GetXincr() const;
    virtual SInt32 GetXPageIncr() const;
    virtual SInt32 GetYincr() const;
    virtual SInt32 GetYPageIncr() const;
    virtual void SetXpos(SInt32 x);
    virtual void SetYpos(SInt32 y);
    virtual void SetXmin(SInt32 x);
    virtual void SetYmin(SInt32 y);
    virtual void SetXmax(SInt32 x);
    virtual void SetYmax(SInt32 y);
    // Increments of 0 or less are taken as 1: the page arithmetic divides by them.
    virtual void SetXincr(SInt32 x);
    virtual void SetYincr(SInt32 y);
    virtual void SetLimitsFromSubpanes();
    // The slave follows the horizontal axis when horizontal, else the
    // vertical one. Null removes it. Neither pane owns the other.
    virtual void SetSlave(AScrollablePane* slave, bool horizontal);
    virtual void SetUpdate(bool on);
    virtual bool GetUpdate() const;
    virtual void GetInteriorLandscapeRect(LongRect* out) const;
    // The part of the interior whose pixels scroll (all of it here).
    virtual KsRect GetScrollableRect() const;
    virtual void GetScrollableLandscapeRect(LongRect* out) const;
    virtual void IScrollablePane(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                                 SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor,
                                 SInt32 border);

protected:
    // Called around the pixel move of Scroll, with the rectangle that moves;
    // they do nothing here.
    virtual void PreScroll(const KsRect& rect, SInt32 dx, SInt32 dy);
    virtual void PostScroll(const KsRect& rect, SInt32 dx, SInt32 dy);

public:
    // --- Not virtual ---------------------------------------------------------
    void SetLimitsChangedProc(AScrollableProc proc) { limitsChangedProc = proc; }
    AScrollableProc GetLimitsChangedProc() const { return limitsChangedProc; }
    void SetContentChangedProc(AScrollableProc proc) { contentChangedProc = proc; }
    AScrollableProc GetContentChangedProc() const { return contentChangedProc; }
    // Subclasses call it when the extent of their content changes.
    void ContentChanged() {
        if (contentChangedProc) contentChangedProc(this);
    }
    AScrollablePane* GetSlave() const { return itsSlave; }
    bool GetSlaveIsHoriz() const { return slaveIsHoriz; }
    bool GetIsInScrollPane() const { return isInScrollPane; }
    void SetIsInScrollPane(bool on) { isInScrollPane = on; }
    SInt32 GetScrollXOffset() const { return scrollXOffset; }
    SInt32 GetScrollYOffset() const { return scrollYOffset; }

    void AddPropsToList(CoreAttrList* list);
    void GetPropsFromList(CoreAttrList* list);

protected:
    void NotifyLimitsChanged() {
        if (limitsChangedProc) limitsChangedProc(this);
    }

    // Fields in their declared order.
    AScrollablePane* itsSlave = nullptr; // not owned
    bool slaveIsHoriz = true;
    bool isInScrollPane = false;
    AScrollableProc limitsChangedProc = nullptr;
    AScrollableProc contentChangedProc = nullptr;
    SInt32 xpos = 0, xmin = 0, xmax = 0, xincr = kDefaultIncr;
    SInt32 ypos = 0, ymin = 0, ymax = 0, yincr = kDefaultIncr;
    // The scroll offsets, kept equal to the positions. Named apart from
    // APane's xoffset/yoffset, which place the pane itself.
    SInt32 scrollXOffset = 0, scrollYOffset = 0;
    bool update = true;

private:
    // The pane whose slave this one is, so that either can go first.
    AScrollablePane* itsMaster = nullptr; // not owned
    // Scratch region for the area a scroll uncovers (owned).
    RgnHandle iUncovered = nullptr;
    // Set while scrolling, so that panes slaved to each other stop.
    bool iScrolling = false;
    void ForgetPartners();
    void ScrollSlave(SInt32 oldX, SInt32 oldY);
};
