// The thermometer's window and what it draws: the message, the bar, the time
// line with its estimate, and the cancel hint.
//
// Sections: state and the window; text helpers; the parts; updates; the
// time line's text.
#include "AApplication.h"
#include "AWindow.h"
#include "KsBackend.h"
#include "KsCmdPeriod.h"
#include "KsPortSavers.h"
#include "KsThermometerPrivate.h"
#include "KsTime.h"
#include "KsWindowShell.h"
#include "Stx.h"

#include <climits>
#include <cstdio>
#include <cstring>

namespace {

// Above the pop-ups (layer 4) and modal dialogs (5), and in a layer that
// never takes activation: the thermometer shows over everything and takes
// nothing from the window the user works in.
constexpr SInt16 kThermoLayer = 2;
// More update events than this in one serving are left for the next one, so
// that a window that never validates cannot hold an operation.
constexpr int kMaxUpdatesServed = 16;

constexpr RGBColor kBlack{0, 0, 0};
constexpr RGBColor kFill{0x2E00, 0x5A00, 0xB400};

// The window's port for the scope, with its colours and a plain pen.
class StThermoFocus {
public:
    explicit StThermoFocus(WindowPtr w) : port_(GetWindowPort(w)) {
        RGBColor colors[kKsWinColorCount];
        KsGetWinColors(w, colors);
        RGBBackColor(&colors[kKsWinContentColor]);
        RGBForeColor(&kBlack);
        PenNormal();
    }

private:
    StPortSaver port_;
};

void ForgetDrawing(KsThermoState& s) {
    s.hintShown = false;
    s.hintLeft = kKsThermoHintRect.right;
    s.barValid = false;
    s.fillEdge = -1;
    s.timeLine[0] = 0;
}

// ---------------------------------------------------------------------------
// Text helpers

// Draws `text` in r word by word, as many lines as fit; a word wider than
// the box is cut where it runs out.
void DrawWrapped(const char* text, const Rect& r) {
    FontInfo fi;
    GetFontInfo(&fi);
    const short lineHeight = short(fi.ascent + fi.descent + fi.leading);
    const short width = short(r.right - r.left);
    const std::size_t length = std::strlen(text);
    std::size_t at = 0;
    for (short base = short(r.top + fi.ascent); at < length && base + fi.descent <= r.bottom;
         base = short(base + lineHeight)) {
        std::size_t end = at, lastSpace = 0;
        int used = 0;
        while (end < length && text[end] != '\r' && text[end] != '\n') {
            used += CharWidth(UInt8(text[end]));
            if (used > width) break;
            if (text[end] == ' ') lastSpace = end;
            ++end;
        }
        const bool cut = end < length && text[end] != '\r' && text[end] != '\n';
        std::size_t lineEnd = cut && lastSpace > at ? lastSpace : end;
        if (lineEnd == at && cut) lineEnd = at + 1;
        MoveTo(r.left, base);
        DrawText(text, SInt16(at), SInt16(lineEnd - at));
        at = lineEnd;
        if (at < length && (text[at] == ' ' || text[at] == '\r' || text[at] == '\n')) ++at;
    }
}

long MulDiv(long a, long b, long c) {
    if (c == 0) return 0;
    const __int128 r = static_cast<__int128>(a) * b / c;
    return r > LONG_MAX ? LONG_MAX : r < LONG_MIN ? LONG_MIN : long(r);
}

} // namespace

// ---------------------------------------------------------------------------
// State and the window

KsThermoState& KsThermo() {
    static KsThermoState state;
    return state;
}

WindowPtr KsThermoWindow() {
    KsThermoState& s = KsThermo();
    if (!s.window) return nullptr;
    if (KsWindowFromMessage(s.windowID) == s.window) return s.window;
    // Disposed by someone else (a desktop torn down): make a new one at the
    // next StatInit instead of drawing into freed memory.
    s.window = nullptr;
    s.windowID = 0;
    s.shown = false;
    ForgetDrawing(s);
    return nullptr;
}

void KsThermoCreateWindow() {
    static const unsigned char title[] = "\x0BThermometer";
    // Anywhere: it is sized and centred when first shown.
    const Rect bounds{100, 100, 100 + kKsThermoHeight, 100 + kKsThermoWidth};
    WindowPtr w = NewCWindow(nullptr, &bounds, title, false, altDBoxProc, WindowPtr(-1), false, 0);
    if (!w) return;
    KsSetWindowKind(w, kKsWindowKindNotAWindow);
    KsSetWindowLayer(w, kThermoLayer);
    KsThermoState& s = KsThermo();
    s.window = w;
    s.windowID = KsWindowMessage(w);
    s.shown = false;
    ForgetDrawing(s);
}

void KsThermoShowWindow() {
    KsThermoState& s = KsThermo();
    WindowPtr w = KsThermoWindow();
    if (!w) return;
    SizeWindow(w, kKsThermoWidth, kKsThermoHeight, false);
    Rect content;
    KsGetWindowContentRect(w, &content);
    const KsPoint middle{(content.left + content.right) / 2, (content.top + content.bottom) / 2};
    KsBackend* backend = KsGetBackend();
    KsRect screen = backend->ScreenBounds(0);
    for (int i = 0; i < backend->ScreenCount(); ++i)
        if (backend->ScreenBounds(i).Contains(middle)) screen = backend->ScreenBounds(i);
    MoveWindow(w, SInt16(screen.left + (screen.Width() - kKsThermoWidth) / 2),
               SInt16(screen.top + (screen.Height() - kKsThermoHeight) / 2), false);
    ShowWindow(w);
    s.shown = true;
    s.fullUpdate = true;
    ForgetDrawing(s);
}

void KsThermoHideWindow() {
    KsThermoState& s = KsThermo();
    if (WindowPtr w = KsThermoWindow()) HideWindow(w);
    ForgetDrawing(s);
}

// ---------------------------------------------------------------------------
// The parts

void KsThermoDrawMessage(bool eraseBoth) {
    KsThermoState& s = KsThermo();
    WindowPtr w = KsThermoWindow();
    if (!w) return;
    StThermoFocus focus(w);
    const Rect& r = s.messageTall ? kKsThermoMessageRectTall : kKsThermoMessageRect;
    EraseRect(eraseBoth ? &kKsThermoMessageRectTall : &r);
    StClipSaver clip(r);
    TextFont(0);
    TextSize(12);
    DrawWrapped(s.message, r);
}

void KsThermoDrawBar() {
    KsThermoState& s = KsThermo();
    WindowPtr w = KsThermoWindow();
    if (!w) return;
    const Rect bar = kKsThermoBarRect;
    Rect inside = bar;
    InsetRect(&inside, 1, 1);
    const short edge =
        s.total == 0 ? short(-1)
                     : short(inside.left + MulDiv(inside.right - inside.left, s.current, s.total));
    // Most updates of a long operation land on the same pixel.
    if (s.barValid && edge == s.fillEdge) return;
    if (s.total == 0) {
        // The message's second line has the room; it was erased when the
        // message was drawn over both lines.
        s.fillEdge = -1;
        s.barValid = true;
        return;
    }
    StThermoFocus focus(w);
    if (!s.barValid || s.fillEdge < 0) {
        FrameRect(&bar);
        EraseRect(&inside);
        s.fillEdge = inside.left;
        s.barValid = true;
    }
    if (edge > s.fillEdge) {
        const Rect more{inside.top, s.fillEdge, inside.bottom, edge};
        RGBForeColor(&kFill);
        PaintRect(&more);
    } else if (edge < s.fillEdge) {
        const Rect less{inside.top, edge, inside.bottom, s.fillEdge};
        EraseRect(&less);
    }
    s.fillEdge = edge;
}

void KsThermoDrawTimeLine(long now, bool force) {
    KsThermoState& s = KsThermo();
    if (!s.showTime) return;
    long elapsed = (now - s.opStart) / 60;
    if (elapsed < 0) elapsed = 0;
    if (!force && elapsed == s.lastSecond) return;
    s.lastSecond = elapsed;
    char text[sizeof s.timeLine];
    KsThermoFormatTimeLine(elapsed, s.current, s.total, s.showPercent, text, sizeof text);
    if (!force && std::strcmp(text, s.timeLine) == 0) return;
    std::memcpy(s.timeLine, text, sizeof text);
    WindowPtr w = KsThermoWindow();
    if (!w) return;
    StThermoFocus focus(w);
    // The hint, when shown, keeps its place at the right end of the row.
    const Rect area{kKsThermoHintRect.top, kKsThermoTimeH, kKsThermoHintRect.bottom,
                    short(s.hintShown ? s.hintLeft - 4 : kKsThermoHintRect.right)};
    EraseRect(&area);
    StClipSaver clip(area);
    TextFont(1);
    TextSize(9);
    MoveTo(kKsThermoTimeH, kKsThermoTimeV);
    DrawText(text, 0, SInt16(std::strlen(text)));
}

void KsThermoDrawHint(bool show) {
    KsThermoState& s = KsThermo();
    WindowPtr w = KsThermoWindow();
    s.hintShown = show;
    if (!w) return;
    {
        StThermoFocus focus(w);
        const Rect old{kKsThermoHintRect.top, s.hintLeft, kKsThermoHintRect.bottom,
                       kKsThermoHintRect.right};
        EraseRect(&old);
        s.hintLeft = kKsThermoHintRect.right;
        if (show) {
            const char* text = KsGetInputLocale() == kKsLocaleFrench
                                   ? stx("Type Ctrl+; to cancel//NT French keyboard")
                                   : stx("Type Ctrl+. to cancel//NT");
            TextFont(0);
            TextSize(11);
            const SInt16 length = SInt16(std::strlen(text));
            short left = short(kKsThermoHintRight - TextWidth(text, 0, length));
            if (left < kKsThermoHintRect.left) left = kKsThermoHintRect.left;
            s.hintLeft = left;
            StClipSaver clip(kKsThermoHintRect);
            MoveTo(left, kKsThermoTimeV);
            DrawText(text, 0, length);
        }
    }
    // The time line's room changed with the hint.
    if (s.timeLine[0]) KsThermoDrawTimeLine(KsGetTicks(), true);
}

void KsThermoDrawAll() {
    KsThermoState& s = KsThermo();
    WindowPtr w = KsThermoWindow();
    s.fullUpdate = false;
    if (!w) return;
    const bool hint = s.hintShown;
    {
        StThermoFocus focus(w);
        EraseRect(&w->portRect);
        ValidRect(&w->portRect);
    }
    ForgetDrawing(s);
    KsThermoDrawMessage(false);
    KsThermoDrawBar();
    KsThermoDrawTimeLine(KsGetTicks(), true);
    if (hint) KsThermoDrawHint(true);
}

// ---------------------------------------------------------------------------
// Updates

void KsThermoServeUpdates() {
    for (int i = 0; i < kMaxUpdatesServed; ++i) {
        EventRecord e;
        if (!GetNextEvent(updateMask, &e)) return;
        WindowPtr target = KsEventWindow(e);
        if (target && target == KsThermoWindow()) {
            // Drawn whole under the update, so only what was exposed changes.
            BeginUpdate(target);
            KsThermoDrawAll();
            EndUpdate(target);
        } else if (!ProcessUpdateEvent(e)) {
            return; // no application to draw its windows: they wait for it
        }
    }
}

// ---------------------------------------------------------------------------
// The time line's text

void KsThermoFormatTimeLine(long elapsed, long current, long total, bool percent, char* out,
                            std::size_t size) {
    if (!out || size == 0) return;
    if (elapsed < 0) elapsed = 0;
    // Two digits of hours: an operation past 99 hours starts again from 0.
    const long h = (elapsed / 3600) % 99, m = (elapsed / 60) % 60, sec = elapsed % 60;
    if (current <= 1 || total <= 1) {
        std::snprintf(out, size, "%02ld:%02ld:%02ld", h, m, sec);
        return;
    }
    // 128-bit products: elapsed x total overflows 32 bits within minutes of
    // a large count.
    const long est = MulDiv(elapsed, total, current);
    std::snprintf(out, size, "%02ld:%02ld:%02ld  of  %02ld:%02ld:%02ld Est.", h, m, sec,
                  (est / 3600) % 99, (est / 60) % 60, est % 60);
    if (!percent) return;
    const std::size_t used = std::strlen(out);
    std::snprintf(out + used, size - used, "  %d%%", int(MulDiv(current, 100, total)));
}
