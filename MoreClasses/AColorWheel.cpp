// AColorWheel: set-up, points, geometry, registration and persistence. The
// drawing is in AColorWheelDraw.cpp, the mouse in AColorWheelClick.cpp.
#include "AColorWheel.h"

#include "AStream.h"
#include "CoreAttrList.h"
#include "PaneStream.h"
#include "XError.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
APortable* MakeWheel() {
    return new AColorWheel;
}
APane* MakeWheelPane() {
    return new AColorWheel;
}
const bool kRegistered = (AColorWheel::PCRegister(), true);

double Clamp(double v, double hi) {
    return std::isfinite(v) ? std::clamp(v, 0.0, hi) : 0.0;
}
} // namespace

void AColorWheel::PCRegister() {
    PClassAdd(kClassID, kClassInfo.name, MakeWheel);
    // The base row comes first, whatever order the library's registrations run in.
    if (!PaneTextFindClass("APane")) APane::PCRegister();
    if (!PaneTextFindClass("AGadget")) AGadget::PCRegister();
    const PaneTextClass* gad = PaneTextFindClass("AGadget");
    PaneTextClass row;
    row.name = kClassInfo.name;
    row.make = MakeWheelPane;
    if (gad) {
        row.addProps = gad->addProps;
        row.getProps = gad->getProps;
    }
    row.subs = PaneTextSubs::none;
    PaneTextRegisterClass(row);
}

// ---------------------------------------------------------------------------
// Geometry

KsPoint CWGeometry::ValueToOffset(double angle, double radius) const {
    if (!(R > 0.0)) return KsPoint{0, 0};
    const double theta = angle * kTwoPi / angleRange + kZeroAngle;
    const double rho = R * std::pow(std::max(0.0, radius / radiusRange), 2.0 / 3.0);
    return KsPoint{SInt32(rho * std::cos(theta)), SInt32(-rho * std::sin(theta))};
}

KsPoint CWGeometry::ValueToOffsetLinear(double angle, double radius) const {
    if (!(R > 0.0)) return KsPoint{0, 0};
    const double theta = angle * kTwoPi / angleRange + kZeroAngle;
    const double rho = R * radius / radiusRange;
    return KsPoint{SInt32(rho * std::cos(theta)), SInt32(-rho * std::sin(theta))};
}

bool CWGeometry::OffsetToValue(double dx, double dy, double* angle, double* radius,
                               double* beyond) const {
    double a = 0.0, r = 0.0, b = 0.0;
    bool inside = false;
    if (R > 0.0) {
        const double d = std::hypot(dx, dy);
        r = std::pow(d / R, 1.5) * radiusRange;
        a = (std::atan2(-dy, dx) - kZeroAngle) * angleRange * kInvTwoPi;
        if (a < 0.0) a += angleRange;
        inside = d <= R;
        b = inside ? 0.0 : d - R;
    }
    if (angle) *angle = a;
    if (radius) *radius = r;
    if (beyond) *beyond = b;
    return inside;
}

CWGeometry AColorWheel::Geometry() const {
    const KsRect in = GetInterior();
    CWGeometry g;
    g.R = (std::min(in.Width(), in.Height()) - 2.0 * margin) / 2.0;
    g.angleRange = angleRange;
    g.radiusRange = radiusRange;
    return g;
}

KsPoint AColorWheel::Center() const {
    const KsRect in = GetInterior();
    return KsPoint{in.left + in.Width() / 2, in.top + in.Height() / 2};
}

KsPoint AColorWheel::PointPosition(SInt16 index) const {
    const KsPoint c = Center();
    if (index < 0 || index >= numPoints) return c;
    const KsPoint o = Geometry().ValueToOffset(points[index].angle, points[index].radius);
    return KsPoint{c.h + o.h, c.v + o.v};
}

SInt16 AColorWheel::HitPoint(KsPoint pt) const {
    if (!(Geometry().R > 0.0)) return -1;
    const SInt16 considered = std::min(numPoints, maxActivePoints);
    auto hits = [&](SInt16 i) {
        if (i < 0 || i >= considered || !points[i].active) return false;
        const KsPoint p = PointPosition(i);
        return std::abs(pt.h - p.h) <= kHitSlop && std::abs(pt.v - p.v) <= kHitSlop;
    };
    if (hits(activePoint)) return activePoint;
    for (SInt16 i = 0; i < considered; ++i)
        if (hits(i)) return i;
    return -1;
}

// ---------------------------------------------------------------------------
// Set-up and settings

AColorWheel* AColorWheel::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                              SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor, SInt32 border) {
    auto* w = new AColorWheel;
    w->IColorWheel(encl, left, right, wid, top, bot, hei, bkgdColor, border);
    return w;
}

void AColorWheel::IColorWheel(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                              SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor, SInt32 border) {
    (void)kRegistered;
    IGadget(encl, left, right, wid, top, bot, hei, bkgdColor, border);
}

AColorWheel::~AColorWheel() {
    DisposeOffscreen();
}

void AColorWheel::Dispose() {
    DisposeOffscreen();
    valChangedProc = nullptr;
    drawEllipseProc = nullptr;
    AGadget::Dispose();
}

bool AColorWheel::SetRanges(double aRange, double rRange) {
    if (!std::isfinite(aRange) || !std::isfinite(rRange) || aRange <= 0.0 || rRange <= 0.0)
        return false;
    angleRange = aRange;
    radiusRange = rRange;
    for (SInt16 i = 0; i < numPoints; ++i) {
        points[i].angle = Clamp(points[i].angle, angleRange);
        points[i].radius = Clamp(points[i].radius, radiusRange);
    }
    DisposeOffscreen(); // the hues follow the angle range
    InvalInterior();
    return true;
}

void AColorWheel::SetMargin(SInt16 m) {
    m = std::max<SInt16>(0, m);
    if (m == margin) return;
    margin = m;
    DisposeOffscreen();
    InvalInterior();
}

bool AColorWheel::SetLabel(SInt16 index, const char* text) {
    if (index < 0 || index >= kLabelCount || !text) return false;
    std::strncpy(labels[index], text, sizeof labels[index] - 1);
    labels[index][sizeof labels[index] - 1] = 0;
    InvalInterior();
    return true;
}

void AColorWheel::SetLabelColor(const KsRGBColor& color) {
    if (color == labelColor) return;
    labelColor = color;
    InvalInterior();
}

void AColorWheel::SetBGPictID(SInt16 id) {
    if (id == bgPictID) return;
    bgPictID = id;
    InvalInterior();
}

void AColorWheel::SetIsVectorWheel(bool on) {
    if (on == vectorWheel) return;
    vectorWheel = on;
    InvalInterior();
}

// ---------------------------------------------------------------------------
// Points

SInt16 AColorWheel::AddCWPoint(const CWPoint& point) {
    if (numPoints >= kMaxPoints) return -1;
    CWPoint p = point;
    p.angle = Clamp(p.angle, angleRange);
    p.radius = Clamp(p.radius, radiusRange);
    const SInt16 index = numPoints++;
    points[index] = p;
    oldActivePoint = activePoint = index;
    InvalInterior();
    return index;
}

SInt16 AColorWheel::AddPoint(double angle, double radius) {
    CWPoint p;
    p.angle = Clamp(angle, angleRange);
    p.radius = Clamp(radius, radiusRange);
    p.startAngle = p.angle;
    p.startRadius = p.radius;
    p.style = pointStyle;
    return AddCWPoint(p);
}

SInt16 AColorWheel::AddPointValRefCon(SInt32 a, SInt32 b, SInt32 c) {
    CWPoint p;
    p.refCon[0] = a;
    p.refCon[1] = b;
    p.refCon[2] = c;
    p.hasRefCon = true;
    p.style = pointStyle;
    return AddCWPoint(p);
}

bool AColorWheel::SetCWPoint(SInt16 index, const CWPoint& point, bool redraw) {
    if (index < 0 || index >= numPoints) return false;
    points[index] = point;
    points[index].angle = Clamp(point.angle, angleRange);
    points[index].radius = Clamp(point.radius, radiusRange);
    if (redraw) RedrawNow();
    return true;
}

bool AColorWheel::GetCWPoint(SInt16 index, CWPoint* point) const {
    if (index < 0 || index >= numPoints || !point) return false;
    *point = points[index];
    return true;
}

bool AColorWheel::HasValueRefCon(SInt32 index) {
    return index >= 0 && index < numPoints && points[index].hasRefCon;
}

bool AColorWheel::SetPointActiveNoCB(SInt16 index, bool redraw) {
    if (index < 0 || index >= numPoints || index == activePoint) return false;
    oldActivePoint = activePoint;
    activePoint = index;
    if (redraw) RedrawNow();
    return true;
}

bool AColorWheel::SetPointActive(SInt16 index, bool redraw) {
    if (!SetPointActiveNoCB(index, redraw)) return false;
    Changed(kCWActivePointChanged);
    return true;
}

void AColorWheel::SetMaxActivePoints(SInt16 n) {
    maxActivePoints = std::clamp<SInt16>(n, 0, kMaxPoints);
}

void AColorWheel::DeleteAllPoints() {
    if (numPoints == 0) return;
    numPoints = 0;
    activePoint = oldActivePoint = -1;
    InvalInterior();
}

void AColorWheel::Changed(CWchange_t change) {
    if (valChangedProc) valChangedProc(this, change);
}

// ---------------------------------------------------------------------------
// Persistence: the settings and the points' values.

void AColorWheel::Put(AStream& s) {
    AGadget::Put(s);
    s.PutClassMark(kClassID, kVersion);
    s.PutDouble("angleRange", angleRange);
    s.PutDouble("radiusRange", radiusRange);
    s.PutShort("margin", margin);
    s.PutShort("pointStyle", pointStyle);
    s.PutBool("vectorWheel", vectorWheel);
    s.PutShort("numPoints", numPoints);
    for (SInt16 i = 0; i < numPoints; ++i) {
        s.PutDouble("angle", points[i].angle);
        s.PutDouble("radius", points[i].radius);
    }
    s.PutExtensionsEnd();
}

void AColorWheel::Get(AStream& s) {
    AGadget::Get(s);
    s.GetClassMark(kClassID, 1, kVersion);
    const double a = s.GetDouble("angleRange");
    const double r = s.GetDouble("radiusRange");
    if (!SetRanges(a, r)) SetRanges(255.0, 255.0);
    margin = std::max<SInt16>(0, s.GetShort("margin"));
    pointStyle = s.GetShort("pointStyle");
    vectorWheel = s.GetBool("vectorWheel");
    const SInt16 n = s.GetShort("numPoints");
    if (n < 0 || n > kMaxPoints) xraisexerror("UIS_COLORWHEEL_BAD_POINTS", "%d points", int(n));
    numPoints = 0;
    activePoint = oldActivePoint = -1;
    for (SInt16 i = 0; i < n; ++i) {
        const double pa = s.GetDouble("angle");
        const double pr = s.GetDouble("radius");
        AddPoint(pa, pr);
    }
    SInt16 ext = 0;
    while (s.GetNextExtension(&ext)) {
    }
}
