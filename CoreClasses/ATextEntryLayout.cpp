// ATextEntry: growth with the text, the layout rectangle and scrolling,
// drawing, and the display updates (UpdateCstr, AppendCstr).
//
// The record's layout rectangle is iDest (window coordinates at scroll
// position 0) moved by the scroll position; its view is the interior. The
// landscape the scroll bars show is the layout's width by the text's height.
#include "ATextEntry.h"

#include "ATextEntryPrivate.h"
#include "KsColorScheme.h"
#include "KsDrawUtils.h"
#include "QuickDraw.h"

#include <algorithm>
#include <cstring>

namespace {
bool EndsWithReturn(TEHandle te) {
    const SInt32 n = TEGetTextLength(te);
    return n > 0 && KsTETextPtr(te)[n - 1] == '\r';
}
bool HasReturn(const char* s, SInt32 n) {
    return std::memchr(s, '\r', size_t(n)) != nullptr;
}
SInt32 LeadingSpaces(const char* s, SInt32 n) {
    SInt32 i = 0;
    while (i < n && s[i] == ' ')
        ++i;
    return i;
}
} // namespace

// ---------------------------------------------------------------------------
// Growth

bool ATextEntry::AdjustBounds() {
    if (!te || (autoSizesH == kTEAutoNone && autoSizesV == kTEAutoNone)) return false;
    const KsRect old = GetBounds();
    const KsRect in = GetInterior();
    KsRect b = old;
    if (autoSizesH != kTEAutoNone) {
        const SInt32 need = std::clamp<SInt32>(KsTEMaxLineWidth(te) + 4, autoMinWid,
                                               std::max<SInt32>(autoMinWid, autoMaxWid));
        const SInt32 d = need - in.Width();
        if (autoSizesH == kTEAutoRight) {
            b.right += d;
        } else if (autoSizesH == kTEAutoLeft) {
            b.left -= d;
        } else if (autoSizesH == kTEAutoBoth) {
            const SInt32 smaller = d / 2;
            b.right += smaller;
            b.left -= d - smaller;
        }
    }
    if (autoSizesV != kTEAutoNone) {
        // At least one line: an empty field must stay clickable.
        const SInt32 lo = std::max<SInt32>(1, autoMinLines);
        const SInt32 lines =
            std::clamp<SInt32>(TEGetLineCount(te), lo, std::max<SInt32>(lo, autoMaxLines));
        SInt32 need = lines * (*te)->lineHeight;
        if (EndsWithReturn(te) && TEGetLineCount(te) < autoMaxLines) need += (*te)->lineHeight;
        const SInt32 d = need - in.Height();
        if (autoSizesV == kTEAutoBottom)
            b.bottom += d;
        else if (autoSizesV == kTEAutoTop)
            b.top -= d;
    }
    if (autoLimitPane) {
        const KsRect lim = autoLimitPane == GetEnclPane() ? autoLimitPane->GetInterior()
                                                          : autoLimitPane->GetBounds();
        b.left = std::max(b.left, lim.left);
        b.top = std::max(b.top, lim.top);
        b.right = std::min(b.right, lim.right);
        b.bottom = std::min(b.bottom, lim.bottom);
    }
    if (b.left == old.left && b.top == old.top && b.right == old.right && b.bottom == old.bottom)
        return false;
    Inval();
    SetBounds(b);
    Inval();
    return true;
}

// ---------------------------------------------------------------------------
// Layout and scrolling

KsRect ATextEntry::ViewRect() const {
    return GetInterior();
}

void ATextEntry::PlaceRecord(const KsRect& dest) {
    iDest = dest;
    if (te) KsTESetRects(dest.Offsetted(-xpos, -ypos), ViewRect(), te);
}

void ATextEntry::AdjustDestRect() {
    if (!te) return;
    const KsRect view = ViewRect();
    KsRect dest = view;
    const SInt16 just = GetJust(nullptr);
    if (!fitTextInX && autoSizesV == kTEAutoNone && !GetIsInScrollPane()) {
        // One line: as wide as the text, so that it scrolls sideways.
        const SInt32 w = KsTEMaxLineWidth(te) + 30;
        if (just == teFlushRight)
            dest.left = dest.right - w;
        else if (just != teCenter)
            dest.right = dest.left + w;
    }
    if (fitTextInX || just == teFlushRight || dest.Width() < view.Width()) dest.right = view.right;
    if (dest.Width() < minDestWid) dest.right = dest.left + minDestWid;
    PlaceRecord(dest);
    // Every line has the same height; an empty text still shows its caret's.
    SInt32 height = std::max<SInt32>(1, TEGetLineCount(te)) * (*te)->lineHeight;
    if (EndsWithReturn(te)) height += (*te)->lineHeight;
    if (xmax != dest.Width()) SetXmax(dest.Width());
    if (ymax != height) SetYmax(height);
    // A text that shrank leaves no scroll position past its end.
    const SInt32 maxX = std::max<SInt32>(0, dest.Width() - view.Width());
    const SInt32 maxY = std::max<SInt32>(0, height - view.Height());
    if (xpos > maxX || ypos > maxY) {
        xpos = scrollXOffset = std::min(xpos, maxX);
        ypos = scrollYOffset = std::min(ypos, maxY);
        PlaceRecord(iDest);
        InvalInterior();
        NotifyLimitsChanged();
    }
}

void ATextEntry::SyncScrollFromRecord() {
    if (!te) return;
    const KsRect d = (*te)->destRect;
    const SInt32 x = iDest.left - d.left, y = iDest.top - d.top;
    if (x == xpos && y == ypos) return;
    xpos = scrollXOffset = x;
    ypos = scrollYOffset = y;
    NotifyLimitsChanged();
}

void ATextEntry::ScrollToSelection(bool) {
    if (!te) return;
    {
        StTextEntryFocus focus(this);
        TEAutoView(true, te);
        TESelView(te);
        TEAutoView(false, te);
    }
    SyncScrollFromRecord();
}

void ATextEntry::SetXpos(SInt32 x) {
    AScrollablePane::SetXpos(x);
    PlaceRecord(iDest);
}

void ATextEntry::SetYpos(SInt32 y) {
    AScrollablePane::SetYpos(y);
    PlaceRecord(iDest);
}

void ATextEntry::GetXinfo(SInt32* pos, SInt32* min, SInt32* max) const {
    AScrollablePane::GetXinfo(pos, min, max);
}

void ATextEntry::GetYinfo(SInt32* pos, SInt32* min, SInt32* max) const {
    AScrollablePane::GetYinfo(pos, min, max);
}

void ATextEntry::InteriorChanged(const KsRect& newInterior) {
    AScrollablePane::InteriorChanged(newInterior);
    AdjustDestRect();
}

// ---------------------------------------------------------------------------
// Drawing

void ATextEntry::PrepareFBColors() {
    const KsRGBColor bk = GetBkndColor();
    KsRGBColor fg = foreColor;
    if (!useExplicitColors) AdjustFGColorContrast(&fg, bk);
    const RGBColor f = ToRGBColor(fg), b = ToRGBColor(bk);
    RGBForeColor(&f);
    RGBBackColor(&b);
}

void ATextEntry::FocusProc(TEHandle, void* owner, Boolean begin) {
    auto* self = static_cast<ATextEntry*>(owner);
    if (begin) {
        if (self->iFocusDepth++ > 0) return;
        self->iFocusPort = KsGetPort();
        AWindow* w = self->GetEnclWindow();
        if (w && w->GetWindowPtr()) SetPortWindowPort(w->GetWindowPtr());
        GetClip(self->iFocusClip);
        // A field that is not shown draws nothing.
        const KsRect vis = self->IsVisible() ? self->GetVisInterior() : KsRect{};
        const Rect r = ToRect(vis);
        ClipRect(&r);
        self->PrepareFBColors();
    } else {
        if (self->iFocusDepth == 0 || --self->iFocusDepth > 0) return;
        SetClip(self->iFocusClip);
        const RGBColor black = ToRGBColor(RGBblack), white = ToRGBColor(RGBwhite);
        RGBForeColor(&black);
        RGBBackColor(&white);
        KsSetPort(self->iFocusPort);
    }
}

void ATextEntry::DrawDetail(const KsRect& rect, const KsRGBColor& bkgd, void* data) {
    if (drawProc || !te) {
        AScrollablePane::DrawDetail(rect, bkgd, data);
        return;
    }
    const KsRect r = rect.Intersect(GetInterior());
    if (r.IsEmpty()) return;
    StColorPenSaver pen;
    PrepareFBColors();
    const Rect rr = ToRect(r);
    KsTEUpdate(&rr, te);
}

// ---------------------------------------------------------------------------
// Display updates

void ATextEntry::UpdateCstr(const char* text, bool notify) {
    if (active || !te) return;
    if (!text) text = "";
    const SInt32 newLen = SInt32(std::strlen(text));
    const SInt32 oldLen = TEGetTextLength(te);
    const char* old = KsTETextPtr(te);
    const SInt32 cmp = std::min<SInt32>(255, std::min(oldLen, newLen));
    SInt32 same = 0;
    while (same < cmp && old[same] == text[same])
        ++same;
    if (oldLen == newLen && (newLen == 0 || std::memcmp(old, text, size_t(newLen)) == 0)) return;

    const SInt16 just = GetJust(nullptr);
    const bool oneLine = !HasReturn(old, oldLen) && !HasReturn(text, newLen);
    bool partial = false;
    if (oneLine && same > 0) {
        if (just != teCenter && just != teFlushRight)
            partial = true;
        else
            partial = oldLen == newLen && (old[0] == '-') == (text[0] == '-') &&
                      LeadingSpaces(old, oldLen) == LeadingSpaces(text, newLen);
    }
    TESetText(text, newLen, te);
    AdjustBounds();
    AdjustDestRect();

    KsRect redraw = (*te)->destRect.Intersect(ViewRect());
    if (partial) redraw.left = std::max(redraw.left, KsTEGetPoint(same, te).h);
    if (!redraw.IsEmpty()) {
        StTextEntryFocus focus(this);
        const KsRect area = redraw.Intersect(GetVisInterior());
        if (focus.ok() && !area.IsEmpty()) {
            // Drawn lines are clipped only by the port: the clip keeps the
            // pixels of the unchanged characters untouched.
            const Rect rr = ToRect(area);
            ClipRect(&rr);
            KsTEUpdate(&rr, te);
        }
    }
    TextToValue(false, notify);
}

void ATextEntry::AppendCstr(const char* text) {
    if (!te || !text || !*text) return;
    if (active) DeactivateTE();
    std::string all = GetString();
    std::string add(text);
    // A log keeps its newest part: the oldest kAppendDrop characters go when
    // the text would pass the cap (more when one append alone is that long).
    if (SInt32(all.size() + add.size()) > kAppendCap) {
        if (SInt32(add.size()) > kAppendCap) {
            add.erase(0, add.size() - size_t(kAppendCap));
            all.clear();
        } else {
            const size_t drop =
                std::max<size_t>(size_t(kAppendDrop), all.size() + add.size() - size_t(kAppendCap));
            all.erase(0, std::min(drop, all.size()));
        }
    }
    all += add;
    TESetText(all.data(), SInt32(all.size()), te);
    if (IsVisible()) InvalInterior();
    AdjustBounds();
    AdjustDestRect();
    TextToValue(false, true);
    if (GetIsInScrollPane()) {
        if (!crCloses) ScrollToSelection(true);
        ContentChanged();
    }
}
