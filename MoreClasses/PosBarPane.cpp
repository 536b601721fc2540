// PosBarPane: set-up, values, the position-to-pixel mapping, registration and
// persistence. Drawing is in PosBarPaneDraw.cpp, the mouse in
// PosBarPaneClick.cpp.
#include "PosBarPane.h"

#include "AStream.h"
#include "CoreAttrList.h"
#include "KsNumbers.h"
#include "PaneStream.h"
#include "XError.h"

#include <cmath>

namespace {
APortable* MakePosBar() {
    return new PosBarPane;
}
APane* MakePosBarPane() {
    return new PosBarPane;
}
// Frames a second travel through the property text in thousandths.
void AddPosBarProps(APane* p, CoreAttrList* l) {
    auto* bar = static_cast<PosBarPane*>(p);
    l->SetSInt32("length", bar->GetLength());
    l->SetSInt32("fpsMilli", SInt32(std::lround(bar->GetFramesPerSec() * 1000.0)));
}
void GetPosBarProps(APane* p, CoreAttrList* l) {
    auto* bar = static_cast<PosBarPane*>(p);
    bar->SetLength(l->GetSInt32("length", 0));
    bar->SetFramesPerSec(l->GetSInt32("fpsMilli", 30000) / 1000.0);
}
const bool kRegistered = (PosBarPane::PCRegister(), true);
} // namespace

void PosBarPane::PCRegister() {
    PClassAdd(kClassID, kClassInfo.name, MakePosBar);
    // The base row comes first, whatever order the library's registrations run in.
    if (!PaneTextFindClass("APane")) APane::PCRegister();
    const PaneTextClass* pane = PaneTextFindClass("APane");
    PaneTextClass row;
    row.name = kClassInfo.name;
    row.make = MakePosBarPane;
    row.addProps = pane ? pane->addProps : std::vector<PanePropsProc>{};
    row.addProps.push_back(AddPosBarProps);
    row.getProps = pane ? pane->getProps : std::vector<PanePropsProc>{};
    row.getProps.push_back(GetPosBarProps);
    row.subs = PaneTextSubs::none;
    PaneTextRegisterClass(row);
}

PosBarPane* PosBarPane::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                            SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor, SInt32 border) {
    auto* bar = new PosBarPane;
    bar->IPosBarPane(encl, left, right, wid, top, bot, hei, bkgdColor, border);
    return bar;
}

void PosBarPane::IPosBarPane(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                             SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor, SInt32 border) {
    (void)kRegistered;
    IPane(encl, left, right, wid, top, bot, hei, bkgdColor, border);
    AdjustOffscreen();
}

PosBarPane::~PosBarPane() {
    DisposeOffscreen();
}

void PosBarPane::Dispose() {
    DisposeOffscreen();
    posCallback = nullptr;
    APane::Dispose();
}

// ---------------------------------------------------------------------------
// Values

void PosBarPane::SetLength(SInt32 frames) {
    if (frames < 0) frames = 0;
    if (frames == length) return;
    length = frames;
    drawnPos = kNoPos;
    if (curPos > length) curPos = length;
    InvalInterior();
}

void PosBarPane::UpdatePos(SInt32 pos) {
    pos = pos < 0 ? kNoPos : std::min(pos, length);
    curPos = pos;
    if (pos == drawnPos) return;
    const SInt32 oldX = drawnPos >= 0 ? PosToX(drawnPos) : -1;
    const SInt32 newX = pos >= 0 ? PosToX(pos) : -1;
    const bool wasDrawn = drawnPos >= 0;
    drawnPos = pos;
    if (wasDrawn && oldX == newX) return;
    if (oldX >= 0) RefreshNow(BarRectAtX(oldX));
    if (newX >= 0) RefreshNow(BarRectAtX(newX));
}

SInt32& PosBarPane::MarkRef(SInt16 kind) {
    switch (kind) {
    case kInMark:
        return inMark;
    case kOutMark:
        return outMark;
    case kInMark2:
        return inMark2;
    case kOutMark2:
        return outMark2;
    default:
        xraisexerror("UIS_POSBAR_BAD_MARK_KIND", "no mark kind %d", int(kind));
    }
}

SInt32 PosBarPane::GetMark(SInt16 kind) const {
    return const_cast<PosBarPane*>(this)->MarkRef(kind);
}

void PosBarPane::SetMark(SInt32 pos, SInt16 kind) {
    SInt32& mark = MarkRef(kind);
    if (pos < 0) pos = kNoMark;
    if (pos == mark) return;
    const SInt32 old = mark;
    mark = pos;
    InvalInOutRect(kind, old);
}

void PosBarPane::SetShadIn(SInt32 pos) {
    SetShadMarks(pos, shadOut);
}

void PosBarPane::SetShadOut(SInt32 pos) {
    SetShadMarks(shadIn, pos);
}

void PosBarPane::GetShadMarks(SInt32* in, SInt32* out) const {
    if (in) *in = shadIn;
    if (out) *out = shadOut;
}

void PosBarPane::SetShadMarks(SInt32 in, SInt32 out) {
    in = in < 0 ? kNoMark : in;
    out = out < 0 ? kNoMark : out;
    if (in == shadIn && out == shadOut) return;
    shadIn = in;
    shadOut = out;
    if (showShads) InvalInterior();
}

void PosBarPane::SetShowShads(bool on) {
    if (on == showShads) return;
    showShads = on;
    InvalInterior();
}

void PosBarPane::SetSyncPointMarks(bool on) {
    if (on == syncPointMarks) return;
    syncPointMarks = on;
    InvalInterior();
}

void PosBarPane::SetVisRange(SInt32 start, SInt32 end) {
    start = start < 0 ? kNoMark : start;
    end = end < 0 ? kNoMark : end;
    if (start == visStart && end == visEnd) return;
    visStart = start;
    visEnd = end;
    InvalInterior();
}

void PosBarPane::GetVisRange(SInt32* start, SInt32* end) const {
    if (start) *start = visStart;
    if (end) *end = visEnd;
}

void PosBarPane::Clear() {
    curPos = drawnPos = kNoPos;
    inMark = outMark = inMark2 = outMark2 = kNoMark;
    shadIn = shadOut = visStart = visEnd = kNoMark;
    InvalInterior();
}

bool PosBarPane::SetFramesPerSec(double fps) {
    if (!std::isfinite(fps) || fps <= 0.0) return false;
    if (fps != framesPerSec) {
        framesPerSec = fps;
        InvalInterior();
    }
    return true;
}

void PosBarPane::SetShowTicks(bool on) {
    if (on == showTicks) return;
    showTicks = on;
    InvalInterior();
}

void PosBarPane::SetPosCallback(PosBarCallback proc, void* data) {
    posCallback = proc;
    posCallbackData = data;
}

PosBarCallback PosBarPane::GetPosCallback(void** data) const {
    if (data) *data = posCallbackData;
    return posCallback;
}

void PosBarPane::SetMargins(SInt16 left, SInt16 top, SInt16 right, SInt16 bottom) {
    marginLeft = std::max<SInt16>(0, left);
    marginTop = std::max<SInt16>(0, top);
    marginRight = std::max<SInt16>(0, right);
    marginBottom = std::max<SInt16>(0, bottom);
    drawnPos = kNoPos;
    InvalInterior();
}

// ---------------------------------------------------------------------------
// Mapping

KsRect PosBarPane::InsetForMargins(const KsRect& r) const {
    return KsRect{r.left + marginLeft, r.top + marginTop, r.right - marginRight,
                  r.bottom - marginBottom};
}

// A track under one pixel wide (an interior narrower than the margins) maps
// everything to its left end instead of dividing by its width.
SInt32 PosBarPane::XToPos(SInt32 x) const {
    const KsRect t = InsetForMargins(GetInterior());
    if (t.right - t.left < 1) return 0;
    return limitlong(mapFromTo(x, t.left, t.right, 0, length), 0, length);
}

SInt32 PosBarPane::PosToX(SInt32 pos) const {
    const KsRect t = InsetForMargins(GetInterior());
    if (t.right - t.left < 1) return t.left;
    return limitlong(mapFromTo(pos, 0, length, t.left, t.right), t.left, t.right);
}

// The seconds per tick: by the pixels a second, then widened tenfold until
// ticks lie at least a pixel apart. 0 when there is nothing to tick.
SInt32 PosBarPane::TickStep() const {
    const KsRect t = InsetForMargins(GetInterior());
    const double width = double(t.right) - t.left;
    if (length <= 0 || width < 1.0 || !(framesPerSec > 0.0)) return 0;
    const double seconds = length / framesPerSec;
    const double pps = width / seconds;
    SInt32 step = pps < 0.1 ? 600 : pps < 0.8 ? 60 : pps < 5.0 ? 10 : 1;
    while (step * pps < 1.0 && step < 600000000)
        step *= 10;
    return step;
}

// ---------------------------------------------------------------------------
// Persistence

void PosBarPane::Put(AStream& s) {
    APane::Put(s);
    s.PutClassMark(kClassID, kVersion);
    s.PutLong("length", length);
    s.PutLong("inMark", inMark);
    s.PutLong("outMark", outMark);
    s.PutLong("inMark2", inMark2);
    s.PutLong("outMark2", outMark2);
    s.PutDouble("framesPerSec", framesPerSec);
    s.PutShort("marginLeft", marginLeft);
    s.PutShort("marginTop", marginTop);
    s.PutShort("marginRight", marginRight);
    s.PutShort("marginBottom", marginBottom);
    s.PutBool("showShads", showShads);
    s.PutBool("showTicks", showTicks);
    s.PutExtensionsEnd();
}

void PosBarPane::Get(AStream& s) {
    APane::Get(s);
    s.GetClassMark(kClassID, 1, kVersion);
    length = std::max<SInt32>(0, s.GetLong("length"));
    inMark = s.GetLong("inMark");
    outMark = s.GetLong("outMark");
    inMark2 = s.GetLong("inMark2");
    outMark2 = s.GetLong("outMark2");
    for (SInt32* m : {&inMark, &outMark, &inMark2, &outMark2})
        if (*m < 0) *m = kNoMark;
    if (!SetFramesPerSec(s.GetDouble("framesPerSec"))) framesPerSec = 30.0;
    marginLeft = std::max<SInt16>(0, s.GetShort("marginLeft"));
    marginTop = std::max<SInt16>(0, s.GetShort("marginTop"));
    marginRight = std::max<SInt16>(0, s.GetShort("marginRight"));
    marginBottom = std::max<SInt16>(0, s.GetShort("marginBottom"));
    showShads = s.GetBool("showShads");
    showTicks = s.GetBool("showTicks");
    SInt16 n = 0;
    while (s.GetNextExtension(&n)) {
    }
    curPos = drawnPos = kNoPos;
}
