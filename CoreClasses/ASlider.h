// ASlider: a gadget that shows a number as the position of a square thumb
// along a track and lets the user drag or click it to another value.
//
// The value model is in doubles; without floatingPoint the mapping between
// values and points works on whole numbers. Values are always kept inside
// [min, max]. The thumb's centre travels between lo and hi, half a thumb in
// from each end of the track; the minimum lies at the left (horizontal) or
// at the bottom (vertical). A visible sub-range, when in force, is what the
// track shows.
//
// Bodies by concern: ASlider.cpp (set-up, values, limits, mapping),
// ASliderDraw.cpp (thumb and body), ASliderClick.cpp (clicks and dragging),
// ASliderStream.cpp (registration, stream record, property text).
//
// Ownership: the slider owns its offscreen thumb; it only points at its
// track hook's data.
#pragma once

#include "ABaseSlider.h"
#include "QDOffscreen.h"

class ASlider;

// Told of value changes: the value, the slider and the caller's data.
using ASliderTrackProc = void (*)(double value, ASlider* slider, void* data);

class ASlider : public ABaseSlider {
    KS_DECLARE_CLASS(ASlider, ABaseSlider)
    KS_PANE_WALK_TRAITS(ASlider, GadgetWalkTraits())

    static constexpr OSType kClassID = FourCharCode("Slid");
    static constexpr SInt16 kVersion = 1;
    // Extension of the stream record: the doubles and settings that the
    // record's whole-number fields cannot carry.
    static constexpr SInt16 kExtReal = 1;

    static ASlider* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top, SInt16 bot,
                        SInt16 hei, double value, double min, double max);
    static void PCRegister();

    ASlider();
    ~ASlider() override;

    // --- Overrides ----------------------------------------------------------
    void Dispose() override;
    AObject* Copy() override;
    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    void Put(AStream& stream) override;
    void Get(AStream& stream) override;
    void InteriorChanged(const KsRect& newInterior) override;
    void DrawInterior(const KsRect* clip, void* data) override;
    void SetBkndColor(const KsRGBColor& color) override;
    void DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) override;
    bool TrackGad(SInt32 timeLimit, KsPoint pt, SInt16 modifiers, SInt32 when, void* data) override;
    void SetEnabled(bool on) override;
    void SetEnabled2(bool on, bool redrawNow) override;
    bool GetEnabled() const override;
    double GetValue() const override;
    void GetMinMax(SInt32* min, SInt32* max) const override;
    void ValueToPt(double value, KsPoint* pt, bool flag) const override;

    // --- Slots ASlider introduces, in slot order ----------------------------
    virtual double GetOldValue() const;
    virtual void SetOldValue(double v);
    // Records what the thumb shows now (value, limits and visible range).
    virtual void SetOldValues();
    // Stores v as it is: no clamping, no drawing.
    virtual void SetValueInternal(double v);
    virtual void SetValue(double v);
    virtual void SetValueNoTrackHook(double v);
    virtual void SetValueNoTrackHook2(double v, bool redraw);
    // Stores and clamps only.
    virtual void SetValueNoUpdate(double v);
    virtual void GetMinMax_Double(double* min, double* max) const;
    virtual double GetMin() const;
    virtual double GetMax() const;
    virtual double GetMin_Visible() const;
    virtual double GetMax_Visible() const;
    virtual void SetMinMax_Visible(double visMin, double visMax);
    virtual void SetInc(double inc);
    virtual double GetInc() const;
    // New limits and value: the value is clamped into them, the thumb
    // redrawn and the track hook told once. Answers 0.
    virtual SInt32 SetMinMax(double value, double min, double max);
    virtual SInt32 SetMinMaxNoTrackHook(double value, double min, double max);
    virtual SInt32 SetMinMaxNoTrackHook2(double value, double min, double max, bool redraw);
    // Stores the limits; answers whether either changed. No clamping, no drawing.
    virtual bool SetLimits(double min, double max);
    virtual void SetTrackHook(ASliderTrackProc hook);
    virtual void CallTrackHook(double value, void* data);
    virtual void SetSnapsBack(bool on);
    virtual void SetFloatingPoint(bool on);
    virtual bool IsFirstProcPass() const;
    virtual void SetFirstProcPass(bool on);
    virtual bool WasKeyInput() const;
    virtual void SetWasKeyInput(bool on);
    virtual void InitVariableVisRange(double visMin, double visMax);
    virtual void SetThumbColor(const KsRGBColor& color);
    virtual void SetNotifyIfNotChanged(bool on);
    virtual void EraseThumb();
    virtual void DrawThumb();
    virtual void DrawBody();
    virtual void MakeThumbPM();
    virtual void MakeThumbPMDetail(const KsRect& r);
    virtual void SetThumbRect();
    virtual void FindThumbRect(KsRect* r, double value) const;
    virtual void FindOldThumbRect(KsRect* r) const;
    virtual double RangeMap(double x, double fromLo, double fromHi, double toLo, double toHi) const;
    virtual void PtToValue(KsPoint pt, double* value, bool flag) const;
    virtual void GotoPoint(KsPoint pt, bool flag, void* data);
    virtual void DisposePMs();
    virtual void SetMotionThreshold(SInt32 pixels);
    virtual SInt32 GetMotionThreshold() const;
    virtual void SetAlwaysTrackInc(bool on);
    virtual bool GetAlwaysTrackInc() const;
    virtual void ISlider(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top, SInt16 bot,
                         SInt16 hei, double value, double min, double max);

    // --- Not virtual ---------------------------------------------------------
    bool IsHorizontal() const { return horizontal; }
    bool GetSnapsBack() const { return snapsBack; }
    bool GetFloatingPoint() const { return floatingPoint; }
    bool GetNotifyIfNotChanged() const { return notifyIfNotChanged; }
    bool HasVariableVisRange() const { return variableVisRange; }
    const KsRGBColor& GetThumbColor() const { return thumbColor; }
    ASliderTrackProc GetTrackHook() const { return trackHook; }
    KsRect GetThumbRect() const { return thumbRect; }
    // The stretch of the interior the thumb travels along.
    KsRect GetTrackRect() const { return TrackArea(); }
    // Pane property text keys.
    void AddSliderPropsToList(CoreAttrList* list);
    void GetSliderPropsFromList(CoreAttrList* list);

protected:
    // Where the thumb travels; the interior unless a subclass keeps room for
    // texts beside it.
    virtual KsRect TrackArea() const;
    // The thumb centre's travel along the axis: [lo, hi].
    void TravelSpan(SInt32* lo, SInt32* hi) const;
    // Shows a new value in the current port: the thumb moves; thin sliders
    // also bring their value text up to date.
    virtual void RedrawValue();
    // Moves to v (clamped) while the user drags: when it changes, the thumb
    // is redrawn and the track hook told with data.
    void FollowValue(double v, void* data);
    // v clamped into [GetMin(), GetMax()].
    double Clamped(double v) const;

    // Fields, in their declared order.
    SInt32 motionThreshold = 1;
    bool notifyIfNotChanged = true;
    bool floatingPoint = false;
    bool variableVisRange = false;
    double value = 0;
    double min = 0;
    double max = 0;
    double inc = 1.0;
    double visMin = -1.0;
    double visMax = -1.0;
    double oldValue = 0;
    double oldMin = 0;
    double oldMax = 0;
    double oldVisMin = 0;
    double oldVisMax = 0;
    KsRect thumbRect{};
    GWorldPtr thumbPM = nullptr; // owned
    bool horizontal = false;
    bool snapsBack = false;
    bool enabled = true;
    bool firstProcPass = false;
    bool wasKeyInput = false;
    bool alwaysTrackInc = false;
    KsRGBColor thumbColor{};
    ASliderTrackProc trackHook = nullptr;

private:
    // Calls of the track hook so far; tracking uses it to report a move once.
    SInt64 hookCalls = 0;
};

// A double as a 32-bit whole number: truncated toward zero, saturated at the
// 32-bit limits, 0 for NaN.
SInt32 SliderLong(double v);
