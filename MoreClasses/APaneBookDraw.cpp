// APaneBook: tab geometry and drawing.
//
// Top tabs run along the interior's top edge, label height high; the body
// (binder) lies below them. Stacked tabs run down the left edge, label width
// plus both margins wide; the body lies to their right. The selected tab is
// drawn in the book's colour and joins the body; the others are shaded.
#include "APaneBook.h"

#include "APushButton.h"
#include "Icons.h"
#include "KsColorScheme.h"
#include "KsDrawUtils.h"
#include "KsPortSavers.h"
#include "KsTextUtils.h"
#include "QuickDraw.h"

#include <algorithm>

namespace {
constexpr SInt32 kIconTabWidth = 32;
constexpr SInt32 kTabStripe = 2;  // the tab colour's stripe
constexpr SInt32 kEnableLead = 6; // the enable button's place in its tab
constexpr SInt32 kEnableGap = 2;  // between the enable button and the label
constexpr SInt32 kSmallIconSide = 16;

void Fill(const KsRect& r, const KsRGBColor& c) {
    if (r.IsEmpty()) return;
    const RGBColor rgb = ToRGBColor(c);
    RGBForeColor(&rgb);
    const Rect q = ToRect(r);
    PaintRect(&q);
}

void Line(SInt32 h1, SInt32 v1, SInt32 h2, SInt32 v2, const KsRGBColor& c) {
    const RGBColor rgb = ToRGBColor(c);
    RGBForeColor(&rgb);
    MoveTo(SInt16(h1), SInt16(v1));
    LineTo(SInt16(h2), SInt16(v2));
}
} // namespace

void APaneBook::PlacePagePane(APane* pane) const {
    const SInt32 inset = pageInset, bottom = pageBottomInset;
    if (iStackedLabels) {
        const SInt32 left = tabStripOffset + iLabelMargin2 + iLabelMargin + iLabelWidth + 1 + inset;
        pane->Place(SInt16(left), SInt16(inset), kPaneDontCare, SInt16(bottom), SInt16(bottom),
                    kPaneDontCare);
    } else {
        const SInt32 top = tabStripOffset + iLabelHeight + 1 + bottom;
        pane->Place(SInt16(inset), SInt16(inset), kPaneDontCare, SInt16(top), SInt16(bottom),
                    kPaneDontCare);
    }
}

KsRect APaneBook::GetTabRect(const APaneBookPage* page) const {
    if (!drawsTabs || !page) return {};
    const KsRect in = GetInterior();
    SInt32 x = iStackedLabels ? tabStripOffset : iReveal;
    SInt32 y = iStackedLabels ? iReveal : tabStripOffset;
    SInt32 width = 0;
    for (const APaneBookPage* p : pages) {
        if (!iStackedLabels) x += p->extraTabOffset;
        if (iStackedLabels) {
            width = iLabelMargin + iLabelMargin2 + iLabelWidth;
        } else if (p->tabIcon != -1) {
            width = kIconTabWidth;
            // Room for the enable button before the icon.
            if (p->itsEnableButton) width += kEnableLead + enableSize;
        } else {
            char name[256];
            p->GetName(name, sizeof name);
            width = ::GetLabelWidth(name, 1, labelSize, labelFace) + iLabelMargin + iLabelMargin2;
            // Room for the enable button before the label.
            if (p->itsEnableButton) width += kEnableLead + enableSize + kEnableGap - iLabelMargin;
        }
        if (p == page) break;
        if (p->hidden) continue;
        if (iStackedLabels)
            y += iLabelSeparation + iLabelHeight;
        else
            x += iLabelSeparation + width;
    }
    return {in.left + x, in.top + y, in.left + x + width, in.top + y + iLabelHeight};
}

APaneBookPage* APaneBook::FindPageAtPoint(KsPoint pt, KsRect* tabRect) {
    const auto inside = [](const KsRect& r, KsPoint p) {
        return p.h >= r.left && p.h <= r.right && p.v >= r.top && p.v <= r.bottom;
    };
    for (APaneBookPage* p : pages) {
        if (p->hidden) continue;
        KsRect r = GetTabRect(p);
        if (iStackedLabels) r = r.Insetted(0, -1);
        if (drawsTabs && inside(r, pt)) {
            if (tabRect) *tabRect = r;
            return p;
        }
    }
    APaneBookPage* vis = GetVisPage(false);
    if (!vis || !vis->itsPagePane || !inside(vis->itsPagePane->GetFrame(), pt)) return nullptr;
    APane* nested =
        vis->GenericFindGad([](APane* p, void*) { return p->IsInstanceOf("APaneBook"); }, nullptr);
    if (nested && inside(nested->GetFrame(), pt))
        if (APaneBookPage* inner = static_cast<APaneBook*>(nested)->FindPageAtPoint(pt, tabRect))
            return inner;
    if (tabRect) *tabRect = vis->itsPagePane->GetInterior();
    return vis;
}

void APaneBook::CalcStackedLabelWidth(const char* text) {
    if (!iStackedLabels) return;
    const SInt32 w = ::GetLabelWidth(text ? text : "", 1, labelSize, labelFace);
    if (w == iLabelWidth) return;
    iLabelWidth = w;
    for (APaneBookPage* p : pages)
        if (p->itsPagePane) PlacePagePane(p->itsPagePane);
    RealignEnableGads();
    InvalInterior();
}

SInt32 APaneBook::CalcMinimumWidth() {
    const KsRect in = GetInterior();
    SInt32 w = 0;
    if (!iStackedLabels) {
        for (const APaneBookPage* p : pages)
            if (!p->hidden) w = std::max(w, GetTabRect(p).right - in.left);
    } else if (APaneBookPage* vis = GetVisPage(false)) {
        w = GetTabRect(vis).Width() + 2 * pageInset;
    } else {
        w = kMinWidth;
    }
    return std::max(w, kMinWidth);
}

KsRGBColor APaneBook::TabShade() const {
    return ScaleRGBIntensity(GetBkndColor(), 6, 7);
}

KsRGBColor APaneBook::EnclosureColor() const {
    return GetEnclPane() ? GetEnclPane()->GetBkndColor() : RGBgray7;
}

// The body: everything of the interior that is not tab strip.
static KsRect BodyRect(const KsRect& in, bool stacked, SInt32 stripEnd) {
    KsRect b = in;
    if (stacked)
        b.left = stripEnd;
    else
        b.top = stripEnd;
    return b;
}

void APaneBook::DrawTab(APaneBookPage* page, bool selected) {
    page->DrawBackground(selected);
    page->DrawDetail(selected);
}

void APaneBook::DrawInterior(const KsRect* clip, void* data) {
    const KsRect in = GetInterior();
    const KsRect v = clip ? in.Intersect(*clip) : GetVisRect(in);
    if (v.IsEmpty()) return;
    StClipSaver savedClip(ToRect(v));
    StColorPenSaver pen;
    StTextStateSaver text;

    Fill(GetBounds().Intersect(v), EnclosureColor());
    const SInt32 stripEnd =
        !drawsTabs       ? (iStackedLabels ? in.left : in.top)
        : iStackedLabels ? in.left + tabStripOffset + iLabelMargin + iLabelMargin2 + iLabelWidth
                         : in.top + tabStripOffset + iLabelHeight;
    const KsRect body = BodyRect(in, iStackedLabels, stripEnd);
    APaneBookPage* vis = GetVisPage(false);

    Fill(body, GetBkndColor());
    if (iDrawBinder && drawsTabs) {
        const KsRGBColor edge = ScaleRGBIntensity(GetBkndColor(), 1, 2);
        const KsRect r = body;
        Line(r.left, r.top, r.right - 1, r.top, edge);
        Line(r.left, r.top, r.left, r.bottom - 1, edge);
        Line(r.right - 1, r.top, r.right - 1, r.bottom - 1, edge);
        Line(r.left, r.bottom - 1, r.right - 1, r.bottom - 1, edge);
    }
    if (drawsTabs && vis) {
        for (APaneBookPage* p : pages)
            if (!p->hidden && p != vis) DrawTab(p, false);
        if (!vis->hidden) DrawTab(vis, true);
    }
    // The sub-panes: the visible page's pane, enable buttons and gadgets of
    // the book's own.
    APane::DrawDetail(v, GetBkndColor(), data);
}

void APaneBook::DrawDetail(const KsRect& rect, const KsRGBColor& bkgd, void* data) {
    APane::DrawDetail(rect, bkgd, data);
}

void APaneBookPage::DrawBackground(bool selected) {
    APaneBook* book = itsBook;
    if (!book || hidden) return;
    KsRect tab = book->GetTabRect(this);
    if (tab.IsEmpty()) return;
    const KsRGBColor face = selected ? book->GetBkndColor() : book->TabShade();
    const KsRGBColor edge = ScaleRGBIntensity(book->GetBkndColor(), 1, 2);
    const KsRGBColor light = ScaleRGBIntensity(face, 13, 10);
    // The selected tab reaches over the binder's edge so that it joins the body.
    if (selected) {
        if (book->iStackedLabels)
            tab.right += 1;
        else
            tab.bottom += 1;
    }
    Fill(tab, face);
    if (book->iStackedLabels) {
        Line(tab.left, tab.top, tab.right - 1, tab.top, edge);
        Line(tab.left, tab.top, tab.left, tab.bottom - 1, edge);
        Line(tab.left, tab.bottom - 1, tab.right - 1, tab.bottom - 1, edge);
        Line(tab.left + 1, tab.top + 1, tab.right - 2, tab.top + 1, light);
        if (!(tabColor == RGBblack))
            Fill({tab.left + 1, tab.top + 1, tab.left + 1 + kTabStripe, tab.bottom - 1}, tabColor);
    } else {
        Line(tab.left, tab.top, tab.right - 1, tab.top, edge);
        Line(tab.left, tab.top, tab.left, tab.bottom - 1, edge);
        Line(tab.right - 1, tab.top, tab.right - 1, tab.bottom - 1, edge);
        Line(tab.left + 1, tab.top + 1, tab.left + 1, tab.bottom - 1, light);
        if (!(tabColor == RGBblack))
            Fill({tab.left + 1, tab.top + 1, tab.right - 1, tab.top + 1 + kTabStripe}, tabColor);
    }
    // Nothing shows through where the selected tab meets the body.
    rect = tab;
    edgeRgn.SetRect(tab);
}

void APaneBookPage::DrawDetail(bool selected) {
    APaneBook* book = itsBook;
    if (!book || hidden) return;
    const KsRect tab = book->GetTabRect(this);
    if (tab.IsEmpty()) return;
    const KsRGBColor bg = selected ? book->GetBkndColor() : book->TabShade();
    KsRGBColor fg = RGBblack;
    if (!GetSchemeTextColor(&fg)) AdjustFGColorContrast(&fg, bg);
    if (tabIcon != -1) {
        DrawTabIcon(tab, fg, bg);
        return;
    }
    char name[256];
    GetName(name, sizeof name);
    KsRect r = tab;
    r.left += book->iLabelMargin;
    r.right -= book->iLabelMargin2;
    if (itsEnableButton) r.left = std::max(r.left, itsEnableButton->GetBounds().right + kEnableGap);
    DrawTextHow(name, r, 1, book->labelSize, book->labelFace, book->iStackedLabels ? 0 : 1, fg);
}

// The icon takes the place of the label, in the label's colours: a small
// icon centred in what the enable button leaves of the tab, held inside the
// tab's stripe and edges.
void APaneBookPage::DrawTabIcon(const KsRect& tab, const KsRGBColor& fg, const KsRGBColor& bg) {
    KsRect room = tab.Insetted(1, kTabStripe + 1);
    if (itsEnableButton) room.left = std::max(room.left, itsEnableButton->GetBounds().right);
    const SInt32 side = std::min<SInt32>({kSmallIconSide, room.Width(), room.Height()});
    if (side <= 0) return;
    const KsRect r = CenterRectInRect({0, 0, side, side}, room);
    const Rect q = ToRect(r);
    const RGBColor f = ToRGBColor(fg), b = ToRGBColor(bg);
    RGBForeColor(&f);
    RGBBackColor(&b);
    KsPlotIconID2(tabIcon, &q, kAlignNone, kTransformNone, false);
}
