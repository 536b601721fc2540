// PosBarPane drawing: the off-screen buffer, the track, the visible range,
// shadow marks, ticks, timecode labels, marks and the blue position bar.
//
// Every paint goes to the buffer first, limited to the area asked for, and is
// then copied out; a step of the position repaints two narrow columns.
#include "PosBarPane.h"

#include "AWindow.h"
#include "KsDrawUtils.h"
#include "KsNumbers.h"
#include "KsPortSavers.h"
#include "QDOffscreen.h"
#include "QuickDraw.h"
#include "StPaneWindowPort.h"
#include "Timecode.h"
#include "Windows.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {
constexpr SInt16 kMarkFlag = 5;  // the width of a mark's flag
constexpr SInt16 kLabelFont = 1; // timecode labels
constexpr SInt16 kLabelSize = 9;
constexpr SInt32 kLabelMinHeight = 24; // interiors lower than this show no labels

void Paint(const KsRect& r, const KsRGBColor& c) {
    const Rect rr = ToRect(r);
    const RGBColor rc = ToRGBColor(c);
    PaintRGBRect(&rr, &rc);
}

// The timecode rate nearest a frame rate; 0 when none is close.
SInt32 RateFor(double fps) {
    struct Near {
        double fps;
        SInt32 rate;
    };
    static constexpr Near kRates[] = {
        {23.976, kTCRate23_976}, {24, kTCRate24},         {25, kTCRate25}, {29.97, kTCRate29_97},
        {30, kTCRate30},         {47.952, kTCRate47_952}, {48, kTCRate48}, {50, kTCRate50},
        {59.94, kTCRate59_94},   {60, kTCRate60}};
    for (const Near& n : kRates)
        if (std::fabs(fps - n.fps) < 0.005) return n.rate;
    return 0;
}
} // namespace

PosBarPane::BarColors PosBarPane::GetBarColors() const {
    BarColors c;
    c.track = GetBkndColor();
    c.visRange = RGBgray10;
    c.blueBar = KsRGBColor{0x0000, 0x3000, 0xFFFF};
    c.blueBarHilite = KsRGBColor{0x0000, 0x0000, 0x9000};
    c.mark = KsRGBColor{0xD000, 0x1000, 0x1000};
    c.mark2 = KsRGBColor{0x1000, 0x9000, 0x1000};
    c.shadow = RGBgray7;
    c.tick = RGBblack;
    AdjustFGColorContrast(&c.tick, c.track);
    return c;
}

void PosBarPane::DisposeOffscreen() {
    if (offscreen) DisposeGWorld(offscreen);
    offscreen = nullptr;
    offRect = KsRect{};
}

bool PosBarPane::AdjustOffscreen() {
    const KsRect in = GetInterior();
    AWindow* w = GetEnclWindow();
    if (in.IsEmpty() || !w || !w->GetWindowPtr()) {
        DisposeOffscreen();
        return false;
    }
    const SInt16 scale = GetWindowPort(w->GetWindowPtr())->scale;
    if (offscreen && offRect == in && offscreen->scale == scale) return true;
    DisposeOffscreen();
    const Rect r = ToRect(in);
    if (KsNewGWorldScaled(&offscreen, 32, &r, scale, 0) != noErr) offscreen = nullptr;
    if (offscreen) offRect = in;
    return offscreen != nullptr;
}

void PosBarPane::InteriorChanged(const KsRect& newInterior) {
    APane::InteriorChanged(newInterior);
    DisposeOffscreen();
    drawnPos = kNoPos;
}

KsRect PosBarPane::BarRectAtX(SInt32 x) const {
    const KsRect in = GetInterior();
    return KsRect{x - 1, in.top, x + 2, in.bottom};
}

KsRect PosBarPane::GetBlueBarRect(SInt32 pos) const {
    return BarRectAtX(PosToX(pos));
}

// First marks hang from the top half, second marks from the bottom half; in
// marks carry their flag to the left of the line, out marks to the right.
KsRect PosBarPane::MarkRectAt(SInt16 kind, SInt32 pos) const {
    if (pos < 0) return KsRect{};
    const KsRect in = GetInterior();
    const SInt32 x = PosToX(pos);
    const SInt32 mid = in.top + (in.bottom - in.top) / 2;
    const bool second = kind == kInMark2 || kind == kOutMark2;
    const bool isIn = kind == kInMark || kind == kInMark2;
    const SInt32 top = second ? mid : in.top;
    const SInt32 bottom = second ? in.bottom : mid;
    return isIn ? KsRect{x - kMarkFlag, top, x + 1, bottom}
                : KsRect{x, top, x + kMarkFlag + 1, bottom};
}

KsRect PosBarPane::GetMarkRect(SInt16 kind) const {
    return MarkRectAt(kind, GetMark(kind));
}

void PosBarPane::InvalInOutRect(SInt16 kind, SInt32 oldPos) {
    const KsRect area = MarkRectAt(kind, oldPos).Union(GetMarkRect(kind));
    if (area.IsEmpty()) return;
    if (kind == kInMark || kind == kOutMark)
        RefreshNow(area);
    else
        PaneInvalRect(area);
}

void PosBarPane::DrawVisRange(const KsRect& area) {
    if (visStart < 0 || visEnd < visStart) return;
    const KsRect in = GetInterior();
    const SInt32 h = in.bottom - in.top;
    const KsRect band{PosToX(visStart), in.top + h / 3, PosToX(visEnd) + 1, in.bottom - h / 3};
    Paint(band.Intersect(area), GetBarColors().visRange);
}

// Ticks from 0 every TickStep() seconds up to the length; only those within
// `area` are visited, so a narrow repaint costs a few ticks.
void PosBarPane::DrawTickMarks(const KsRect& area) {
    const SInt32 step = TickStep();
    if (!showTicks || step == 0) return;
    const KsRect in = GetInterior();
    const KsRect t = InsetForMargins(in);
    const double seconds = length / framesPerSec;
    const double pps = (double(t.right) - t.left) / seconds;
    const double firstT = std::floor(std::max(0.0, (area.left - 1 - t.left) / pps) / step) * step;
    const double lastT = std::min(seconds, (area.right + 1 - t.left) / pps);
    const KsRGBColor c = GetBarColors().tick;
    SInt32 lastX = -32768;
    for (double s = firstT; s <= lastT + 1e-9; s += step) {
        const SInt32 x = SInt32(std::lround(t.left + s * pps));
        if (x == lastX) continue; // never two ticks on one pixel
        lastX = x;
        const SInt64 whole = SInt64(std::llround(s));
        if (whole % 10 == 0) Paint(KsRect{x, in.top, x + 1, in.top + 3}, c);
        const SInt32 h = whole % 600 == 0 ? 6 : whole % 60 == 0 ? 3 : 1;
        Paint(KsRect{x, in.bottom - h, x + 1, in.bottom}, c);
    }
}

// Labels at every tick whose spacing leaves room for the text, in timecode
// at the bar's rate (frame counts when no timecode rate matches).
void PosBarPane::DrawTimecodeLabels(const KsRect& area) {
    const SInt32 step = TickStep();
    const KsRect in = GetInterior();
    if (!showTicks || step == 0 || in.bottom - in.top < kLabelMinHeight) return;
    const KsRect t = InsetForMargins(in);
    const double seconds = length / framesPerSec;
    const double pps = (double(t.right) - t.left) / seconds;
    StTextIn text(kLabelFont, kLabelSize, 0);
    const SInt16 labelWidth = TextWidth("00:00:00:00", 0, 11);
    SInt64 every = step;
    for (SInt64 m : {10, 6, 10, 6, 10}) {
        if (every * pps >= labelWidth + 8) break;
        every *= m;
    }
    if (every * pps < labelWidth + 8) return;
    const SInt32 rate = RateFor(framesPerSec);
    const RGBColor fg = ToRGBColor(GetBarColors().tick);
    RGBForeColor(&fg);
    const double firstT =
        std::floor(std::max(0.0, (area.left - labelWidth - 4 - t.left) / pps) / double(every)) *
        double(every);
    const double lastT = std::min(seconds, (area.right + 1 - t.left) / pps);
    for (double s = firstT; s <= lastT + 1e-9; s += double(every)) {
        const SInt32 x = SInt32(std::lround(t.left + s * pps));
        if (x + 2 + labelWidth > in.right) break;
        char buf[32];
        const SInt32 frames = SInt32(std::llround(s * framesPerSec));
        if (!rate ||
            !TCToStr(TCMake(rate, frames), buf, sizeof buf, kTCFormatValid | kTCFormatDuration))
            std::snprintf(buf, sizeof buf, "%ld", long(frames));
        MoveTo(SInt16(x + 2), SInt16(in.bottom - 8));
        DrawText(buf, 0, SInt16(std::strlen(buf)));
    }
}

void PosBarPane::DrawBlueBar(SInt32 pos, bool hilite) {
    if (pos < 0) return;
    const BarColors c = GetBarColors();
    Paint(GetBlueBarRect(pos), hilite ? c.blueBarHilite : c.blueBar);
}

void PosBarPane::HiliteBlueBar(bool on) {
    if (on == barHilited) return;
    barHilited = on;
    if (curPos >= 0) RefreshNow(GetBlueBarRect(curPos));
}

// Paints `area` into the buffer, then copies it to the current port. Without
// a buffer (a port of another kind, or no memory) it paints straight into the
// current port.
void PosBarPane::Render(const KsRect& area, bool) {
    const KsRect a = area.Intersect(GetInterior());
    if (a.IsEmpty()) return;
    GrafPtr target = KsGetPort();
    const bool buffered = AdjustOffscreen();
    {
        StGWorldSaver world;
        if (buffered) SetGWorld(offscreen, nullptr);
        StClipSaver clip(ToRect(a));
        StColorPenSaver pen;
        const BarColors c = GetBarColors();
        Paint(a, c.track);
        DrawVisRange(a);
        if (showShads)
            for (SInt32 s : {shadIn, shadOut})
                if (s >= 0) {
                    const SInt32 x = PosToX(s);
                    Paint(KsRect{x, GetInterior().top, x + 1, GetInterior().bottom}.Intersect(a),
                          c.shadow);
                }
        DrawTickMarks(a);
        DrawTimecodeLabels(a);
        if (showMarks)
            for (SInt16 kind : {kInMark2, kOutMark2, kInMark, kOutMark}) {
                const KsRect m = GetMarkRect(kind);
                if (m.IsEmpty()) continue;
                const KsRGBColor mc = kind == kInMark || kind == kOutMark ? c.mark : c.mark2;
                const SInt32 x = PosToX(GetMark(kind));
                const bool isIn = kind == kInMark || kind == kInMark2;
                Paint(KsRect{x, m.top, x + 1, m.bottom}, mc);
                const KsRect flag = isIn ? KsRect{m.left, m.top, x, m.top + kMarkFlag}
                                         : KsRect{x + 1, m.top, m.right, m.top + kMarkFlag};
                Paint(flag, mc);
            }
        DrawBlueBar(curPos, barHilited);
    }
    if (buffered && target) {
        const Rect r = ToRect(a);
        CopyBits(GetPortBitMapForCopyBits(offscreen), GetPortBitMapForCopyBits(target), &r, &r,
                 srcCopy, nullptr);
    }
}

void PosBarPane::RefreshNow(const KsRect& area) {
    StPaneWindowPort port(this);
    if (!port.ok()) return;
    const KsRect a = GetVisRect(area.Intersect(GetInterior()));
    if (a.IsEmpty()) return;
    const Rect r = ToRect(a);
    ClipRect(&r);
    Render(a, true);
}

void PosBarPane::DrawInterior(const KsRect* clip, void*) {
    const KsRect in = GetInterior();
    const KsRect a = clip ? in.Intersect(*clip) : GetVisRect(in);
    if (a.IsEmpty()) return;
    Render(a, true);
    drawnPos = curPos;
}
