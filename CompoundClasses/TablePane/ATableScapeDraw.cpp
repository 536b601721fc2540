// ATableScape: drawing rows and cells, the panes shown in cells, and
// printing across pages with the headings repeated on each.
#include "ATableScape.h"

#include "AColumn.h"
#include "ARow.h"
#include "AWindow.h"
#include "CKsList.h"
#include "KsPortSavers.h"
#include "QuickDraw.h"
#include "Windows.h"

#include <algorithm>
#include <cstring>

namespace {
RGBColor ToRGB(const KsRGBColor& c) {
    return {c.red, c.green, c.blue};
}
void Fill(const KsRect& r, const RGBColor& c) {
    RGBForeColor(&c);
    const Rect q = ToRect(r);
    PaintRect(&q);
}
constexpr SInt16 kPrintHeading = 20;
} // namespace

void ATableScape::DrawDetail(const KsRect& rect, const KsRGBColor&, void*) {
    StColorPenSaver pen;
    StClipSaver clip;
    Quadrant q[4];
    const int n = GetQuadrants(rect, q);
    for (int i = 0; i < n; ++i)
        DrawRowsIn(q[i].rect, q[i].dx, q[i].dy);
    // Row panes and the edit pane draw over their cells.
    const Rect r = ToRect(rect);
    ClipRect(&r);
    ASplitablePane::DrawDetail(rect, GetBkndColor(), nullptr);
}

void ATableScape::DrawRowsIn(const KsRect& area, SInt32 dx, SInt32 dy) {
    if (area.IsEmpty()) return;
    const KsRect in = GetInterior();
    const RGBColor bkgd = ToRGB(GetBkndColor());
    SInt32 index = 0, top = 0;
    ARow* row = GetRowInfoByPos(std::max<SInt32>(area.top - in.top + dy, 0), &index, &top);
    SInt32 y = area.top;
    for (; row; row = GetRowInfoByIndex(++index, &top)) {
        const SInt32 wy = in.top + top - dy;
        if (wy >= area.bottom) break;
        const KsRect rowRect{area.left, SInt16(std::max<SInt32>(wy, -32767)), area.right,
                             SInt16(std::min<SInt32>(wy + row->GetHeight(), 32767))};
        DrawOneRow(row, index, rowRect, area, dx);
        y = rowRect.bottom;
    }
    if (y < area.bottom) {
        const Rect c = ToRect(area);
        ClipRect(&c);
        Fill({area.left, SInt16(std::max<SInt32>(y, area.top)), area.right, area.bottom}, bkgd);
    }
}

// rowRect spans the area being drawn; clip is that area. Columns are placed
// by dx, the quadrant's horizontal offset.
void ATableScape::DrawOneRow(ARow* row, SInt32, const KsRect& rowRect, const KsRect& clip,
                             SInt32 dx) {
    const KsRect in = GetInterior();
    const KsRect band = rowRect.Intersect(clip);
    if (band.IsEmpty()) return;
    Rect c = ToRect(band);
    ClipRect(&c);
    const bool selected = row->GetSelect();
    if (selected && !iRowsDrawHilite) {
        Fill(band, ToRGB(GetBkndColor()));
        RGBColor hilite{};
        GetHiliteColor(&hilite);
        Fill({band.left, band.top, band.right, SInt16(rowRect.bottom - 1)}, hilite);
    } else {
        Fill(band, ToRGB(row->IsRowColored() ? row->GetRowColor() : GetBkndColor()));
    }
    if (selected && iRowsDrawHilite) row->DrawHilite(rowRect, true);
    const RGBColor text = ToRGB(row->GetRowTextColor());
    TextFace(Style(row->GetFace()));
    for (SInt32 i = 1; i <= iColumns->GetCount(); ++i) {
        AColumn* col = iColumns->AtAs<AColumn>(i);
        if (!col->GetVisible()) continue;
        const SInt32 left = in.left + col->GetLeft() - dx;
        if (left >= band.right) break;
        if (left + col->GetWidth() <= band.left) continue;
        if (row->HasPane(col)) continue;
        const KsRect cell{SInt16(std::max<SInt32>(left, -32767)), rowRect.top,
                          SInt16(std::min<SInt32>(left + col->GetWidth(), 32767)), rowRect.bottom};
        c = ToRect(cell.Intersect(band));
        ClipRect(&c);
        RGBForeColor(&text);
        col->DrawCell(row, cell);
    }
    TextFace(0);
}

void ATableScape::DrawRow(ARow* row) {
    DrawRowNow(row);
}

// Shows a row's new state at once when the table is on screen.
void ATableScape::DrawRowNow(ARow* row) {
    AWindow* w = GetEnclWindow();
    if (!w || !w->GetWindowPtr() || !IsVisible()) return;
    const KsRect r = row->GetRowWindowRect().Intersect(GetVisInterior());
    if (r.IsEmpty()) return;
    StPortSaver port(GrafPtr(GetWindowPort(w->GetWindowPtr())));
    StTextStateSaver text;
    TextFont(1);
    TextSize(9);
    DrawDetail(r, GetBkndColor(), nullptr);
}

// ---------------------------------------------------------------------------
// Row panes: only the rows on screen keep theirs in the pane tree.

void ATableScape::SetYpos(SInt32 y) {
    ASplitablePane::SetYpos(y);
    HideOutsideRowPanes();
}

void ATableScape::SetXpos(SInt32 x) {
    ASplitablePane::SetXpos(x);
    HideOutsideRowPanes();
}

void ATableScape::HideOutsideRowPanes() {
    // Take every shown pane out, then put back those whose rows show.
    for (APane* p : iShownPanes)
        if (p->GetEnclPane() == this) RemoveSubPane(p);
    iShownPanes.clear();
    const KsRect in = GetInterior();
    if (in.IsEmpty() || GetNumRows() == 0) return;
    SInt32 ypos = 0;
    GetYinfo(&ypos, nullptr, nullptr);
    SInt32 index = 0, top = 0;
    ARow* row = GetRowInfoByPos(ypos, &index, &top);
    for (; row && top < ypos + in.Height(); row = GetRowInfoByIndex(++index, &top)) {
        if (!row->iPanes) continue;
        for (const ARow::CellPane& c : *row->iPanes) {
            if (!c.column->GetVisible()) continue;
            const KsRect cell = GetCellWindowRect(row, c.column);
            c.pane->SetBounds(cell);
            AddSubPane(c.pane);
            iShownPanes.push_back(c.pane);
        }
    }
}

void ATableScape::ResetRowPaneOrder() {
    HideOutsideRowPanes();
}

// ---------------------------------------------------------------------------
// Printing: rows are not split across pages; each page starts with the
// column headings.

namespace {
struct PrintState {
    std::vector<SInt32> firstRow; // 1-based display index of each page's first row
};
} // namespace

SInt32 ATableScape::PrintPrepareTo(const KsRect& page, void** state) {
    auto* s = new PrintState;
    *state = s;
    const SInt32 room = std::max<SInt32>(page.Height() - kPrintHeading, 1);
    SInt32 index = 0, used = room;
    for (ARow* row = GetFirstRow(&index); row; row = GetNextRow(&index)) {
        if (used > 0 && used + row->GetHeight() > room) {
            s->firstRow.push_back(index);
            used = 0;
        }
        used += row->GetHeight();
    }
    if (s->firstRow.empty()) s->firstRow.push_back(1);
    return SInt32(s->firstRow.size());
}

void ATableScape::PrintPageBody(SInt32 page, SInt32, const KsRect& pageRect, void* state) {
    auto* s = static_cast<PrintState*>(state);
    if (!s || page < 1 || page > SInt32(s->firstRow.size())) return;
    StColorPenSaver pen;
    StClipSaver clip;
    StTextStateSaver text;
    TextFont(1);
    TextSize(9);
    // The headings.
    const KsRect head{pageRect.left, pageRect.top, pageRect.right,
                      SInt16(pageRect.top + kPrintHeading)};
    Fill(head, RGBColor{0xDDDD, 0xDDDD, 0xDDDD});
    for (SInt32 i = 1; i <= iColumns->GetCount(); ++i) {
        AColumn* col = iColumns->AtAs<AColumn>(i);
        if (!col->GetVisible()) continue;
        const KsRect cell{SInt16(pageRect.left + col->GetLeft()), head.top,
                          SInt16(pageRect.left + col->GetLeft() + col->GetWidth()), head.bottom};
        const Rect c = ToRect(cell.Intersect(head));
        ClipRect(&c);
        ForeColor(33);
        MoveTo(SInt16(cell.left + 3), SInt16(cell.bottom - 6));
        const char* h = col->GetHeading();
        DrawText(h, 0, SInt16(std::strlen(h)));
    }
    // The rows, drawn as on screen with the page as their landscape.
    const SInt32 last =
        page < SInt32(s->firstRow.size()) ? s->firstRow[size_t(page)] : GetNumRows() + 1;
    SInt32 y = head.bottom;
    const KsRect body{pageRect.left, head.bottom, pageRect.right, pageRect.bottom};
    const KsRect in = GetInterior();
    for (SInt32 i = s->firstRow[size_t(page - 1)]; i < last; ++i) {
        ARow* row = GetRowInfoByIndex(i, nullptr);
        const KsRect r{pageRect.left, SInt16(y), pageRect.right, SInt16(y + row->GetHeight())};
        DrawOneRow(row, i, r, body, in.left - pageRect.left);
        y = r.bottom;
    }
}

void ATableScape::PrintComplete(void* state) {
    delete static_cast<PrintState*>(state);
}
