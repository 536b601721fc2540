#include "AHeadingsPane.h"

#include "AColumn.h"
#include "AScrollPane.h"
#include "ATableScape.h"
#include "AWindow.h"
#include "CKsList.h"
#include "Cursors.h"
#include "Events.h"
#include "KsPortSavers.h"
#include "KsTime.h"
#include "QuickDraw.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr SInt16 S = kPaneDontCare;
const RGBColor kFace{0xDDDD, 0xDDDD, 0xDDDD};
const RGBColor kEdge{0x8888, 0x8888, 0x8888};
} // namespace

void AHeadingsPane::IHeadingsPane(APane* encl, ATableScape* table, SInt16 left, SInt16 right,
                                  SInt16 top, SInt16 height) {
    IScrollablePane(encl, left, right, S, top, S, height, RGBgray13, 0);
    SetFontSizeFace(1, 9, 1);
    itsTable = table;
    if (table) table->SetSlave(this, true);
}

void AHeadingsPane::Dispose() {
    if (itsTable && itsTable->GetSlave() == this) itsTable->SetSlave(nullptr, true);
    itsTable = nullptr;
    AScrollablePane::Dispose();
}

AColumn* AHeadingsPane::HeadingAt(KsPoint pt, bool* onEdge) const {
    if (onEdge) *onEdge = false;
    if (!itsTable) return nullptr;
    LongPoint l{};
    WindowToLandscapePt(pt, &l);
    AColumnList* cols = itsTable->GetColumnList();
    for (SInt32 i = 1; i <= cols->GetCount(); ++i) {
        AColumn* c = cols->AtAs<AColumn>(i);
        if (!c->GetVisible()) continue;
        const SInt32 right = c->GetLeft() + c->GetWidth();
        if (l.h >= right - kEdgeSlop && l.h < right + kEdgeSlop) {
            if (onEdge) *onEdge = true;
            return c;
        }
        if (l.h >= c->GetLeft() && l.h < right) return c;
    }
    return nullptr;
}

void AHeadingsPane::DrawDetail(const KsRect& rect, const KsRGBColor&, void*) {
    StColorPenSaver pen;
    StClipSaver clip;
    const KsRect in = GetInterior();
    Rect r = ToRect(rect);
    ClipRect(&r);
    RGBForeColor(&kFace);
    PaintRect(&r);
    if (!itsTable) return;
    AColumnList* cols = itsTable->GetColumnList();
    FontInfo fi{};
    GetFontInfo(&fi);
    for (SInt32 i = 1; i <= cols->GetCount(); ++i) {
        AColumn* c = cols->AtAs<AColumn>(i);
        if (!c->GetVisible()) continue;
        KsRect cell{};
        LandscapeRectToWindowRect({c->GetLeft(), 0, c->GetLeft() + c->GetWidth(), in.Height()},
                                  &cell);
        const KsRect shown = cell.Intersect(rect);
        if (shown.IsEmpty()) continue;
        r = ToRect(shown);
        ClipRect(&r);
        RGBForeColor(&kEdge);
        MoveTo(SInt16(cell.right - 1), cell.top);
        LineTo(SInt16(cell.right - 1), SInt16(cell.bottom - 1));
        MoveTo(cell.left, SInt16(cell.bottom - 1));
        LineTo(SInt16(cell.right - 1), SInt16(cell.bottom - 1));
        ForeColor(33);
        const char* h = c->GetHeading();
        MoveTo(SInt16(cell.left + 4), SInt16(cell.top + (cell.Height() + fi.ascent) / 2 - 1));
        DrawText(h, 0, SInt16(std::strlen(h)));
        if (c == iSortColumn) {
            // A small triangle at the right: point up ascending, down descending.
            const SInt16 x = SInt16(cell.right - 12), y = SInt16(cell.top + cell.Height() / 2);
            for (SInt16 k = 0; k < 4; ++k) {
                const SInt16 row = iDescending ? SInt16(y - 2 + k) : SInt16(y + 1 - k);
                MoveTo(SInt16(x + k), row);
                LineTo(SInt16(x + 6 - k), row);
            }
        }
    }
}

void AHeadingsPane::ClickSort(AColumn* column) {
    if (!itsTable || !column) return;
    iDescending = column == iSortColumn && !iDescending;
    iSortColumn = column;
    itsTable->Sort(column, iDescending);
    InvalInterior();
}

void AHeadingsPane::ResizeColumn(AColumn* column, SInt32 width) {
    if (!column) return;
    column->SetWidth(SInt16(std::clamp<SInt32>(width, kMinWidth, 32767)));
    InvalInterior();
}

void AHeadingsPane::DoClick(KsPoint pt, SInt16, SInt32, void*) {
    bool onEdge = false;
    AColumn* column = HeadingAt(pt, &onEdge);
    if (!column) return;
    if (!onEdge) {
        ClickSort(column);
        return;
    }
    // Follow the pointer until the button comes up.
    const SInt32 startWidth = column->GetWidth();
    SInt16 lastH = pt.h;
    while (StillDown()) {
        Point m{};
        GetMouse(&m);
        if (m.h != lastH) {
            lastH = m.h;
            ResizeColumn(column, startWidth + (m.h - pt.h));
            if (AWindow* w = GetEnclWindow()) w->UpdateIfNeeded();
        }
        KsDoNothing(1);
    }
    Point m{};
    GetMouse(&m);
    ResizeColumn(column, startWidth + (m.h - pt.h));
}

void AHeadingsPane::Dawdle(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* cursorID,
                           void* data) {
    bool onEdge = false;
    HeadingAt(pt, &onEdge);
    if (!onEdge) {
        AScrollablePane::Dawdle(pt, modifiers, sleep, cursorID, data);
        return;
    }
    if (cursorID)
        *cursorID = crossCursor;
    else
        SetCursorByID(crossCursor);
}

// ---------------------------------------------------------------------------

AHeadedTable* AHeadedTable::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                                SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor) {
    auto* p = new AHeadedTable;
    try {
        p->IHeadedTable(encl, left, right, wid, top, bot, hei, bkgdColor);
    } catch (...) {
        p->Dispose();
        throw;
    }
    return p;
}

void AHeadedTable::IHeadedTable(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                                SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor,
                                SInt16 headingHeight) {
    IPane(encl, left, right, wid, top, bot, hei, bkgdColor, 0);
    itsScroll = AScrollPane::New(this, 0, 0, S, headingHeight, 0, S, bkgdColor, 0, true, true,
                                 false, RGBgray13);
    itsTable = ATableScape::New(itsScroll, 0, 0, S, 0, 0, S, bkgdColor, 0);
    itsScroll->InstallPane(itsTable);
    itsHeadings = new AHeadingsPane;
    // Over the table only, not over the vertical bar.
    itsHeadings->IHeadingsPane(this, itsTable, 0, SInt16(-AScrollPane::kBarWidth), 0,
                               headingHeight);
}

void AHeadedTable::Dispose() {
    if (itsHeadings) itsHeadings->ForgetTable();
    if (itsTable && itsTable->GetSlave() == itsHeadings) itsTable->SetSlave(nullptr, true);
    itsHeadings = nullptr;
    itsTable = nullptr;
    itsScroll = nullptr;
    APane::Dispose();
}
