// Text measuring and drawing helpers: one measuring port, the toolbox's
// text calls, and savers for everything they change.
#include "KsTextUtils.h"

#include "KsPortSavers.h"
#include "QuickDraw.h"

#include <algorithm>
#include <cstring>

namespace {

SInt16 Count16(std::size_t n) {
    return SInt16(std::min<std::size_t>(n, 32767));
}

constexpr char kEllipsis = char(0xC9);

} // namespace

void GetTextPixelWidHei(const char* text, SInt16 font, SInt16 size, SInt16 face, SInt16* wid,
                        SInt16* hei) {
    StTextIn st(font, size, face);
    if (wid) *wid = text ? TextWidth(text, 0, Count16(std::strlen(text))) : 0;
    if (hei) {
        FontInfo fi{};
        GetFontInfo(&fi);
        *hei = SInt16(fi.ascent + fi.descent + fi.leading);
    }
}

SInt16 GetLabelWidth(const char* text, SInt16 font, SInt16 size, SInt16 face) {
    SInt16 w = 0;
    GetTextPixelWidHei(text, font, size, face, &w, nullptr);
    return w;
}

bool AdjustStringToFit(char* text, SInt16 width, SInt16 font, SInt16 size, SInt16 face) {
    if (!text) return false;
    StTextIn st(font, size, face);
    std::size_t n = std::strlen(text);
    if (TextWidth(text, 0, Count16(n)) <= width) return false;
    const SInt16 dots = TextWidth(&kEllipsis, 0, 1);
    // Widths grow with the length, so the longest prefix that fits is found
    // by halving.
    std::size_t lo = 0, hi = n;
    while (lo < hi) {
        const std::size_t mid = (lo + hi + 1) / 2;
        if (TextWidth(text, 0, Count16(mid)) + dots <= width)
            lo = mid;
        else
            hi = mid - 1;
    }
    text[lo] = kEllipsis;
    text[lo + 1] = 0;
    return true;
}

void DrawTextHow(const char* text, const KsRect& r, SInt16 font, SInt16 size, SInt16 face,
                 SInt16 just, const KsRGBColor& color) {
    if (!text || !KsGetPort() || r.IsEmpty()) return;
    StTextIn st(font, size, face);
    StColorPenSaver pen;
    StClipSaver clip;
    const KsRect c = ToKsRect(KsRgnBounds(KsGetPort()->clipRgn)).Intersect(r);
    const Rect cr = ToRect(c);
    ClipRect(&cr);
    const RGBColor fg = ToRGBColor(color);
    RGBForeColor(&fg);
    const SInt16 n = Count16(std::strlen(text));
    FontInfo fi{};
    GetFontInfo(&fi);
    const SInt16 w = TextWidth(text, 0, n);
    SInt32 h = r.left + 2;
    if (just < 0)
        h = r.right - 2 - w;
    else if (just > 0)
        h = r.left + (r.Width() - w) / 2;
    const SInt32 v = r.top + (r.Height() - (fi.ascent + fi.descent)) / 2 + fi.ascent;
    MoveTo(ClampToSInt16(h), ClampToSInt16(v));
    DrawText(text, 0, n);
}

void DrawTextInABox(const char* text, long length, const KsRect& r, SInt16 font, SInt16 size,
                    SInt16 face, SInt16 just, const KsRGBColor& color, const KsRGBColor* bkgd) {
    if (!text || length <= 0 || !KsGetPort() || r.IsEmpty()) return;
    StTextIn st(font, size, face);
    StColorPenSaver pen;
    StClipSaver clip;
    const KsRect c = ToKsRect(KsRgnBounds(KsGetPort()->clipRgn)).Intersect(r);
    const Rect cr = ToRect(c);
    ClipRect(&cr);
    if (bkgd) {
        const RGBColor b = ToRGBColor(*bkgd);
        RGBBackColor(&b);
        const Rect rr = ToRect(r);
        EraseRect(&rr);
    }
    const RGBColor fg = ToRGBColor(color);
    RGBForeColor(&fg);
    FontInfo fi{};
    GetFontInfo(&fi);
    const SInt32 lineHeight = std::max(1, fi.ascent + fi.descent + fi.leading);
    const SInt32 maxWidth = std::max(1, r.Width() - 4);
    SInt32 v = r.top + fi.ascent;
    long start = 0;
    while (start < length && v - fi.ascent < r.bottom) {
        // The longest run of whole words (or, for one long word, characters)
        // that fits the width, ended early by a CR.
        long end = start, lastBreak = -1;
        while (end < length && text[end] != '\r') {
            if (TextWidth(text + start, 0, Count16(std::size_t(end + 1 - start))) > maxWidth) break;
            if (text[end] == ' ') lastBreak = end;
            ++end;
        }
        long next = end;
        if (end < length && text[end] != '\r' && lastBreak > start) {
            end = lastBreak;
            next = lastBreak + 1;
        } else if (end == start && end < length && text[end] != '\r') {
            end = start + 1; // not even one character fits: draw it clipped
            next = end;
        }
        if (next < length && text[next] == '\r') ++next;
        const SInt16 n = Count16(std::size_t(end - start));
        const SInt16 w = TextWidth(text + start, 0, n);
        SInt32 h = r.left + 2;
        if (just < 0)
            h = r.right - 2 - w;
        else if (just > 0)
            h = r.left + (r.Width() - w) / 2;
        MoveTo(ClampToSInt16(h), ClampToSInt16(v));
        DrawText(text + start, 0, n);
        v += lineHeight;
        start = next;
    }
}
