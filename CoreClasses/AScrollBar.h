// AScrollBar: the framework's own scroll bar. Arrows at both ends, a track
// that pages, a thumb as long as the visible share of the content and,
// optionally, scale handles at both ends of the thumb with which the user
// changes a zoom value.
//
// Along its axis the interior is: the up/left button, the track, the
// down/right button. The thumb lies on the track; its start maps [min, max]
// onto [track start, track end - thumb length] (KsScrollMath.h).
//
// Ownership: the bar owns its four icon handles; it only points at the pane
// it controls (the scroll pane keeps that pointer current) and at its
// procedures.
#pragma once

#include "AGadget.h"

class AScrollablePane;
class AScrollBar;

// The bar moved by delta (notified scrolling); data is SetScrollCB's.
using AScrollBarProc = void (*)(SInt32 delta, AScrollBar* bar, void* data);
// A scale handle set the scale value.
using AScrollBarScaleProc = void (*)(double value, AScrollBar* bar, void* data);

// Parts answered by FindPart.
constexpr SInt16 kSBarNoPart = 0;
constexpr SInt16 kSBarScaleLeading = 9;
constexpr SInt16 kSBarScaleTrailing = 10;
constexpr SInt16 kSBarUpButton = 20;
constexpr SInt16 kSBarDownButton = 21;
constexpr SInt16 kSBarPageUp = 22;
constexpr SInt16 kSBarPageDown = 23;
constexpr SInt16 kSBarThumb = 129;

class AScrollBar : public AGadget {
    KS_DECLARE_CLASS(AScrollBar, AGadget)
    KS_PANE_WALK_TRAITS(AScrollBar, kWalkIdleKeepsTree | kWalkStandardInterior)

    static constexpr OSType kClassID = FourCharCode("SBar");
    static constexpr SInt16 kVersion = 1;
    static constexpr SInt16 kBarWidth = 16;
    static constexpr SInt16 kDefaultLength = 50;
    // Arrow icons: horizontal 9000/9001, vertical 9002/9003; scale handles:
    // horizontal 9010/9011, vertical 9012/9013.
    static constexpr SInt16 kArrowIconH = 9000;
    static constexpr SInt16 kArrowIconV = 9002;
    static constexpr SInt16 kScaleIconH = 9010;
    static constexpr SInt16 kScaleIconV = 9012;

    static AScrollBar* New(APane* encl, AScrollablePane* controlled, SInt16 left, SInt16 right,
                           SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei, const KsRGBColor& color,
                           SInt32 border);
    static void PCRegister();

    AScrollBar();

    virtual void IScrollBar(APane* encl, AScrollablePane* controlled, SInt16 left, SInt16 right,
                            SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei, const KsRGBColor& color,
                            SInt32 border);

    // --- Overrides ----------------------------------------------------------
    void Dispose() override;
    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    void Put(AStream& stream) override;
    void Get(AStream& stream) override;
    void Dawdle(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* cursorID, void* data) override;
    void DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) override;
    void InteriorChanged(const KsRect& newInterior) override;
    void DrawInterior(const KsRect* clip, void* data) override;
    void HiliteGad() override;
    void DeliteGad() override;
    void DoGoodClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* refCon) override;

    // --- Slots AScrollBar introduces, in slot order --------------------------
    virtual void SetScrollCB(AScrollBarProc proc, void* data);
    virtual void SetScaleCB(AScrollBarScaleProc proc, void* data);
    virtual void SetMinMaxVal(SInt32 min, SInt32 max, SInt32 val);
    virtual void SetStep(SInt32 step);
    virtual void SetPageStep(SInt32 step);
    // Turns the scale handles on; the value is clamped into [min, max].
    virtual void SetScale(double value, double min, double max);
    virtual void SetScrollEnabled(bool on);
    virtual void SetControlledPane(AScrollablePane* pane);
    virtual SInt32 GetValue() const;
    // Answers whether the value changed.
    virtual bool SetValue(SInt32 v);
    virtual void SetMin(SInt32 v);
    virtual void SetMax(SInt32 v);
    virtual void SetDragStep(SInt32 step);
    virtual void SetThumbContinuousScroll(bool on);
    virtual void SetThumbWidth(SInt16 length);
    virtual void SetButtonWidth(SInt16 length);
    virtual void SetIsVertical(bool on);
    virtual bool IsVertical() const;
    // The part under pt and, when rect is not null, its rectangle.
    virtual SInt16 FindPart(KsPoint pt, KsRect* rect) const;
    // The value whose thumb starts at pt along the axis.
    virtual SInt32 FindValue(KsPoint pt) const;
    virtual void DoScroll(SInt32 delta, bool notify);
    virtual void DoScale(double value, bool notify);
    virtual double FindScale(KsPoint pt, SInt16 part) const;
    virtual KsRect GetThumbRect(SInt32 value) const;
    virtual KsRect GetUpButtonRect() const;
    virtual KsRect GetDownButtonRect() const;
    virtual KsRect GetThumbAreaRect() const;
    virtual void HiliteThumb();
    virtual void HiliteUpScale();
    virtual void HiliteDownScale();
    virtual void DeliteUpScale();
    virtual void DeliteDownScale();
    virtual void HiliteUpButton();
    virtual void HiliteDownButton();
    virtual void DeliteUpButton();
    virtual void DeliteDownButton();
    virtual void DrawButton(SInt16 part);
    virtual void DrawThumbArea();
    // Drawing goes straight to the window: there is nothing to keep.
    virtual void AdjustOffscreen();

protected:
    // Answers whether the length changed.
    virtual bool UpdateThumbWidth();
    virtual void SetIcons();

public:
    // --- Not virtual ---------------------------------------------------------
    // Pane property text keys.
    void AddPropsToList(CoreAttrList* list);
    void GetPropsFromList(CoreAttrList* list);
    // Where the thumb of value starts along the axis.
    SInt32 ValueToPoint(SInt32 value) const;

    SInt32 GetMin() const { return minValue; }
    SInt32 GetMax() const { return maxValue; }
    SInt32 GetStep() const { return step; }
    SInt32 GetPageStep() const { return pageStep; }
    SInt32 GetDragStep() const { return dragStep; }
    double GetScaleValue() const { return scaleValue; }
    bool GetScaleEnabled() const { return scaleEnabled; }
    bool GetScrollEnabled() const { return scrollEnabled; }
    bool GetThumbContinuousScroll() const { return thumbContinuous; }
    SInt32 GetThumbLength() const { return thumbLength; }
    AScrollablePane* GetControlledPane() const { return controlledPane; }
    void SetStrayDistance(SInt16 pixels) { strayDistance = pixels; }
    SInt16 GetStrayDistance() const { return strayDistance; }

protected:
    // The interior's extent along the axis: [start, end).
    void AxisSpan(SInt32* start, SInt32* end) const;
    // The track along the axis: [start, end).
    void TrackSpan(SInt32* start, SInt32* end) const;
    // A point's coordinate along the axis, and across it.
    SInt32 Along(KsPoint pt) const { return vertical ? pt.v : pt.h; }
    SInt32 Across(KsPoint pt) const { return vertical ? pt.h : pt.v; }
    // A span along the axis as a rectangle across the interior.
    KsRect SpanRect(SInt32 start, SInt32 end) const;
    void DrawThumbAreaIn(const KsRect& clip);
    // The button in the current port, as it stands.
    void PaintButton(SInt16 part);
    void DrawScaleHandle(const KsRect& thumb, SInt16 part);
    void DisposeIcons();
    void Relight(SInt16 part, bool on);
    void RedrawThumbArea();

    // Fields, in their declared order.
    bool scrollEnabled = true;
    bool thumbContinuous = true;
    SInt32 value = 0;
    double scaleValue = 1.0;
    double scaleMin = 0.0;
    double scaleMax = 1.0;
    bool scaleEnabled = false;
    SInt32 minValue = 0;
    SInt32 maxValue = 0;
    SInt32 step = 1;
    SInt32 pageStep = 10;
    SInt32 dragStep = 1;
    SInt16 trackPart = kSBarNoPart;
    SInt32 grabOffset = 0;
    SInt32 thumbLength = 0;
    SInt16 scaleHandleLength = 8;
    SInt16 buttonLength = kBarWidth;
    SInt16 buttonLength2 = kBarWidth;
    SInt16 strayDistance = 64;
    Handle icons[4] = {}; // owned: up/left, down/right, leading and trailing scale handle
    bool vertical = false;
    AScrollablePane* controlledPane = nullptr; // not owned
    KsRGBColor thumbColor{};
    KsRGBColor outlineColor{};
    AScrollBarProc scrollProc = nullptr;
    void* scrollData = nullptr;
    AScrollBarScaleProc scaleProc = nullptr;
    void* scaleData = nullptr;

private:
    // The part drawn lit, or kSBarNoPart.
    SInt16 litPart = kSBarNoPart;
};
