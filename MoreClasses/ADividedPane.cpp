// ADividedPane, ADividedPaneH and ADividedPaneV: installing divisions and
// laying them out. Persistence is in ADividedPaneStream.cpp, the dividers in
// ADividerPane.cpp.
#include "ADividedPane.h"

#include "ADividerPane.h"
#include "KsFatal.h"

#include <algorithm>

namespace {
constexpr SInt32 kDivider = ADividedPane::kDividerSize;

SInt16 ClampSize(SInt32 v) {
    return SInt16(std::clamp<SInt32>(v, 0, 0x7FFF));
}
} // namespace

// ---------------------------------------------------------------------------
// Construction

ADividedPaneH* ADividedPaneH::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                                  SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor,
                                  SInt32 border) {
    auto* p = new ADividedPaneH;
    try {
        p->IDividedPaneH(encl, left, right, wid, top, bot, hei, bkgdColor, border);
    } catch (...) {
        p->Dispose();
        throw;
    }
    return p;
}

ADividedPaneV* ADividedPaneV::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                                  SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor,
                                  SInt32 border) {
    auto* p = new ADividedPaneV;
    try {
        p->IDividedPaneV(encl, left, right, wid, top, bot, hei, bkgdColor, border);
    } catch (...) {
        p->Dispose();
        throw;
    }
    return p;
}

void ADividedPane::IDividedPane(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                                SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor,
                                SInt32 border) {
    IPane(encl, left, right, wid, top, bot, hei, bkgdColor, border);
}

void ADividedPaneH::IDividedPaneH(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                                  SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor,
                                  SInt32 border) {
    IDividedPane(encl, left, right, wid, top, bot, hei, bkgdColor, border);
}

void ADividedPaneV::IDividedPaneV(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                                  SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor,
                                  SInt32 border) {
    IDividedPane(encl, left, right, wid, top, bot, hei, bkgdColor, border);
}

void ADividedPane::Dispose() {
    // The dividers and divisions go with the sub-panes.
    iTearingDown = true;
    std::fill(std::begin(dividers), std::end(dividers), nullptr);
    std::fill(std::begin(divisions), std::end(divisions), ADPdivision_t{});
    divisionCount = 0;
    APane::Dispose();
}

// ---------------------------------------------------------------------------
// Divisions

void ADividedPane::InstallPane(APane* pane, SInt32 minSize, SInt32 maxSize, bool proportional) {
    FtlAssert((pane) != 0);
    FtlAssert(maxSize >= minSize);
    FtlAssert(minSize > 5);
    FtlAssert(this->divisionCount < ADP_MAX_DIVISIONS);
    const UInt16 n = divisionCount;
    divisions[n] = {pane, maxSize, minSize, proportional};
    if (pane->GetEnclPane() != this) pane->SetEnclosure(this);
    // The layout places divisions; their own sizing rules would fight it.
    pane->SetSizingAttrs(kPaneFixLeft | kPaneFixTop);
    if (n > 0) dividers[n - 1] = NewDivider(UInt16(n - 1));
    divisionCount = UInt16(n + 1);
    // The first pane is only attached; from the second on all share the room.
    if (n > 0) LayOutEvenly();
}

void ADividedPane::DeinstallPane(APane* pane) {
    ADPdivision_t keep[ADP_MAX_DIVISIONS];
    UInt16 kept = 0;
    bool found = false;
    for (UInt16 i = 0; i < divisionCount; ++i) {
        if (divisions[i].pane == pane)
            found = true;
        else
            keep[kept++] = divisions[i];
    }
    if (!found) return;
    DeinstallAllPanes();
    for (UInt16 i = 0; i < kept; ++i)
        InstallPane(keep[i].pane, keep[i].minSize, keep[i].maxSize, keep[i].proportional);
}

void ADividedPane::DeinstallAllPanes() {
    const bool was = iTearingDown;
    iTearingDown = true;
    for (ADividerPane*& d : dividers) {
        if (d) d->Dispose();
        d = nullptr;
    }
    iTearingDown = was;
    std::fill(std::begin(divisions), std::end(divisions), ADPdivision_t{});
    divisionCount = 0;
}

void ADividedPane::RemoveSubPane(APane* pane) {
    APane::RemoveSubPane(pane);
    if (iTearingDown || !pane) return;
    // A divider or division taken away by someone else is forgotten, and the
    // rest shares the room again.
    for (ADividerPane*& d : dividers)
        if (d == pane) d = nullptr;
    for (UInt16 i = 0; i < divisionCount; ++i)
        if (divisions[i].pane == pane) {
            divisions[i].pane = nullptr;
            DeinstallPane(nullptr);
            return;
        }
}

ADividerPane* ADividedPane::GetDivider(UInt16 whichOne) const {
    FtlAssert(whichOne < divisionCount - 1);
    return dividers[whichOne];
}

const ADPdivision_t& ADividedPane::GetDivision(UInt16 index) const {
    FtlAssert(index < this->divisionCount);
    return divisions[index];
}

void ADividedPane::SetDivisionParams(UInt16 index, SInt32 minSize, SInt32 maxSize,
                                     bool proportional) {
    FtlAssert(index < this->divisionCount);
    FtlAssert(maxSize >= minSize);
    FtlAssert(minSize > 5);
    divisions[index].minSize = minSize;
    divisions[index].maxSize = maxSize;
    divisions[index].proportional = proportional;
}

SInt32 ADividedPane::GetDivisionSize(UInt16 index) const {
    const APane* p = GetDivision(index).pane;
    return p ? PaneSize(p) : 0;
}

SInt32 ADividedPane::GetDividerPos(UInt16 index) const {
    const ADividerPane* d = GetDivider(index);
    return d ? d->GetPos() : 0;
}

void ADividedPane::SetDividerPos(UInt16 index, SInt32 pos) {
    if (ADividerPane* d = GetDivider(index)) d->SetPos(pos);
}

void ADividedPane::GetDividerLimits(UInt16 index, SInt32* minDelta, SInt32* maxDelta) const {
    FtlAssert(index < divisionCount - 1);
    const SInt32 upper = GetDivisionSize(index) - divisions[index].minSize;
    const SInt32 lower = GetDivisionSize(UInt16(index + 1)) - divisions[index + 1].minSize;
    *minDelta = -std::max<SInt32>(upper, 0);
    *maxDelta = std::max<SInt32>(lower, 0);
}

// ---------------------------------------------------------------------------
// Layout

void ADividedPane::FitSizes(SInt32 available, SInt32* sizes) const {
    const SInt32 n = divisionCount;
    SInt32 sum = 0;
    for (SInt32 i = 0; i < n - 1; ++i) {
        sizes[i] = std::max(sizes[i], divisions[i].minSize);
        sum += sizes[i];
    }
    sizes[n - 1] = available - sum;
    SInt32 need = divisions[n - 1].minSize - sizes[n - 1];
    if (need <= 0) return;
    sizes[n - 1] = divisions[n - 1].minSize;
    // Room for the last division comes first from the proportional divisions
    // nearest it, then from the others; never below a minimum.
    for (bool proportional : {true, false})
        for (SInt32 i = n - 2; i >= 0 && need > 0; --i) {
            if (divisions[i].proportional != proportional) continue;
            const SInt32 take = std::min(need, sizes[i] - divisions[i].minSize);
            if (take <= 0) continue;
            sizes[i] -= take;
            need -= take;
        }
}

void ADividedPane::LayOut(const SInt32* sizes) {
    const KsRect in = GetInterior();
    const bool h = IsHorizontal();
    SInt32 pos = AxisStart(in);
    const SInt16 cross = ClampSize(h ? in.Width() : in.Height());
    for (UInt16 i = 0; i < divisionCount; ++i) {
        APane* p = divisions[i].pane;
        const SInt16 size = ClampSize(sizes[i]);
        if (p) {
            if (h) {
                p->MovePaneTo(in.left, pos);
                p->Resize(cross, size);
            } else {
                p->MovePaneTo(pos, in.top);
                p->Resize(size, cross);
            }
        }
        pos += size;
        if (i + 1 < divisionCount && dividers[i]) {
            ADividerPane* d = dividers[i];
            if (h) {
                d->MovePaneTo(in.left, pos);
                d->Resize(cross, SInt16(kDivider));
            } else {
                d->MovePaneTo(pos, in.top);
                d->Resize(SInt16(kDivider), cross);
            }
        }
        pos += kDivider;
    }
}

void ADividedPane::LayOutEvenly() {
    const SInt32 n = divisionCount;
    if (n == 0) return;
    const SInt32 available = AxisExtent(GetInterior()) - kDivider * (n - 1);
    SInt32 sizes[ADP_MAX_DIVISIONS];
    for (SInt32 i = 0; i < n; ++i)
        sizes[i] = std::max<SInt32>(available / n, 0);
    FitSizes(available, sizes);
    LayOut(sizes);
}

bool ADividedPane::Resize(SInt16 width, SInt16 height) {
    const SInt32 oldExtent = AxisExtent(GetInterior());
    if (!APane::Resize(width, height)) return false;
    const SInt32 n = divisionCount;
    if (n == 0) return true;
    const SInt32 newExtent = AxisExtent(GetInterior());
    SInt32 fixed = 0;
    SInt32 sizes[ADP_MAX_DIVISIONS];
    for (SInt32 i = 0; i < n; ++i) {
        sizes[i] = GetDivisionSize(UInt16(i));
        if (!divisions[i].proportional) fixed += sizes[i];
    }
    // The old extent may not exceed the fixed divisions (they filled it, or
    // it was below their minimums): then there is nothing to scale by.
    const SInt32 oldRoom = oldExtent - fixed, newRoom = newExtent - fixed;
    const float scale = oldRoom > 0 ? float(std::max<SInt32>(newRoom, 0)) / float(oldRoom) : 1.0f;
    for (SInt32 i = 0; i < n - 1; ++i)
        if (divisions[i].proportional) sizes[i] = SInt32(float(sizes[i]) * scale);
    FitSizes(newExtent - kDivider * (n - 1), sizes);
    LayOut(sizes);
    return true;
}

ADividerPane* ADividedPane::NewDivider(UInt16 index) {
    ADividerPane* d = IsHorizontal() ? static_cast<ADividerPane*>(ADividerPaneH::New(this, index))
                                     : static_cast<ADividerPane*>(ADividerPaneV::New(this, index));
    d->SetSizingAttrs(kPaneFixLeft | kPaneFixTop);
    return d;
}
