// AColorWheel: a hue/saturation wheel with up to 12 control points placed by
// polar coordinates. Angles and radii are values in ranges the host sets
// (255 each by default), so a host works in its own units.
//
// Geometry: R = (min(interior width, height) - 2 margin) / 2, the wheel
// centred in the interior; value angle 0 lies kZeroAngle radians
// counter-clockwise from the positive x axis, and radius values grow with
// the 2/3 power of the distance from the centre. A wheel with R <= 0 has no
// room: nothing is hit and every point sits at the centre.
//
// The disc is drawn antialiased at the window's backing scale into a buffer
// kept until the size or scale changes; a drag repaints from it.
// Ownership: the wheel owns its buffer; it only points at its procedures.
#pragma once

#include "AGadget.h"

struct GrafPort;
class AColorWheel;

enum CWchange_t : SInt16 {
    kCWActivePointChanged = 0, // another point became active
    kCWPointMoved = 1,         // the active point's angle or radius changed
};
using AColorWheelValChangedProc = void (*)(AColorWheel* wheel, CWchange_t change);
using AColorWheelDrawEllipseProc = void (*)(AColorWheel* wheel, const KsRect& disc);

struct CWPoint {
    double angle = 0.0;
    double radius = 0.0;
    double extra1 = 0.0;
    double extra2 = 0.0;
    double startAngle = 0.0;
    double startRadius = 0.0;
    SInt16 style = 128;
    SInt32 refCon[3] = {0, 0, 0};
    bool hasRefCon = false;
    bool active = true;
};

// Pixel offsets from the centre (y down) and back.
struct CWGeometry {
    static constexpr double kZeroAngle = 1.92568;
    static constexpr double kTwoPi = 6.28318530717958;
    static constexpr double kInvTwoPi = 0.1591549430918955;
    double R = 0;
    double angleRange = 255.0;
    double radiusRange = 255.0;

    KsPoint ValueToOffset(double angle, double radius) const;       // ρ = R (r / range)^(2/3)
    KsPoint ValueToOffsetLinear(double angle, double radius) const; // ρ = R r / range
    // Answers whether (dx, dy) lies inside the circle; *beyond (may be null)
    // is how far outside it lies, 0 inside.
    bool OffsetToValue(double dx, double dy, double* angle, double* radius, double* beyond) const;
};

// Paints the wheel's disc over the whole of `port` (a world or any port with
// pixels), centred at c in the port's coordinates, on background bg
// (0x00RRGGBB), at the port's backing scale.
void CWPaintDisc(GrafPort* port, const CWGeometry& g, KsPoint c, UInt32 bg);

class AColorWheel : public AGadget {
    KS_DECLARE_CLASS(AColorWheel, AGadget)
    KS_PANE_WALK_TRAITS(AColorWheel, GadgetWalkTraits())

    static constexpr OSType kClassID = FourCharCode("CWhl");
    static constexpr SInt16 kVersion = 1;
    static constexpr SInt16 kMaxPoints = 12;
    static constexpr SInt16 kHitSlop = 5;
    static constexpr SInt16 kShiftKey = 0x0200;
    static constexpr SInt16 kLabelCount = 7;

    static AColorWheel* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                            SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor, SInt32 border);
    static void PCRegister();

    AColorWheel() = default;
    virtual void IColorWheel(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                             SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor, SInt32 border);

    void Dispose() override;
    ~AColorWheel() override;
    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    void Put(AStream& stream) override;
    void Get(AStream& stream) override;
    void DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) override;
    void DrawInterior(const KsRect* clip, void* data) override;
    void InteriorChanged(const KsRect& newInterior) override;

    // --- Settings --------------------------------------------------------------
    // Ranges not above 0 (or not finite) are refused; points are re-clamped.
    bool SetRanges(double angleRange, double radiusRange);
    void SetMargin(SInt16 margin);
    // Label 0..6: the six angles and "TM". Out of range: false.
    bool SetLabel(SInt16 index, const char* text);
    void SetLabelColor(const KsRGBColor& color);
    void SetIsVectorWheel(bool on);
    bool IsVectorWheel() const { return vectorWheel; }
    void SetPointStyle(SInt16 style) { pointStyle = style; }
    // A picture resource drawn over the disc; -1 for none.
    void SetBGPictID(SInt16 id);
    void SetIgnoresMissedClicks(bool on) { ignoreMissedClicks = on; }
    void SetValChangedProc(AColorWheelValChangedProc proc) { valChangedProc = proc; }
    void SetDrawEllipseProc(AColorWheelDrawEllipseProc proc) { drawEllipseProc = proc; }

    // --- Points: every index is checked; out of range does nothing ---------------
    // Answers the new index, or -1 when the wheel is full.
    SInt16 AddPoint(double angle, double radius);
    SInt16 AddPointValRefCon(SInt32 a, SInt32 b, SInt32 c);
    SInt16 AddCWPoint(const CWPoint& point);
    bool SetCWPoint(SInt16 index, const CWPoint& point, bool redraw);
    bool GetCWPoint(SInt16 index, CWPoint* point) const;
    SInt16 GetNumPoints() const { return numPoints; }
    SInt16 GetActivePoint() const { return activePoint; }
    SInt16 GetOldActivePoint() const { return oldActivePoint; }
    bool HasValueRefCon(SInt32 index) override;
    // Answers whether the active point changed; tells the value-changed
    // procedure when it did.
    bool SetPointActive(SInt16 index, bool redraw);
    bool SetPointActiveNoCB(SInt16 index, bool redraw);
    void SetMaxActivePoints(SInt16 n);
    void DeleteAllPoints();
    bool IsFirstProcPass() const { return firstProcPass; }
    void SetFirstProcPass(bool on) { firstProcPass = on; }

    // --- Geometry --------------------------------------------------------------
    CWGeometry Geometry() const;
    KsPoint Center() const;
    // A point's position in window coordinates (the centre for a bad index).
    KsPoint PointPosition(SInt16 index) const;
    // The point within kHitSlop of pt, active point first; -1 for none.
    SInt16 HitPoint(KsPoint pt) const;
    void DrawWheel();

protected:
    void DrawDisc(const KsRect& area);
    void DrawPoints();
    void DrawLabels();
    bool AdjustOffscreen();
    void DisposeOffscreen();
    void RedrawNow();
    void Changed(CWchange_t change);
    // Stores polar values from a window position (doubles: Shift moves finer).
    void MoveActiveTo(double h, double v);

    SInt16 activePoint = -1;
    SInt16 oldActivePoint = -1;
    AColorWheelValChangedProc valChangedProc = nullptr;
    AColorWheelDrawEllipseProc drawEllipseProc = nullptr;
    CWPoint points[kMaxPoints];
    double angleRange = 255.0;
    double radiusRange = 255.0;
    SInt16 numPoints = 0;
    SInt16 maxActivePoints = kMaxPoints;
    SInt16 pointStyle = 128;
    SInt16 margin = 20;
    KsRGBColor labelColor = RGBgray8;
    bool vectorWheel = true;
    bool firstProcPass = true;
    bool ignoreMissedClicks = false;
    SInt16 bgPictID = -1;
    char labels[kLabelCount][8] = {"0\xA1",   "60\xA1",  "120\xA1", "180\xA1",
                                   "240\xA1", "300\xA1", "TM"};
    GrafPort* disc = nullptr; // owned: the drawn disc, interior-sized
    KsRect discRect;
};
