#include "DemoScene.h"

#include "KsColor.h"
#include "KsPortSavers.h"

#include <cstring>

namespace {

// A Pascal string from a C string, for the toolbox's text calls.
struct PStr {
    unsigned char bytes[256];
    explicit PStr(const char* s) {
        std::size_t n = std::strlen(s);
        if (n > 255) n = 255;
        bytes[0] = static_cast<unsigned char>(n);
        std::memcpy(bytes + 1, s, n);
    }
    operator ConstStr255Param() const { return bytes; }
};

void Text(SInt16 h, SInt16 v, const char* s, SInt16 font = 0, SInt16 size = 12, Style face = 0) {
    TextFont(font);
    TextSize(size);
    TextFace(face);
    MoveTo(h, v);
    DrawString(PStr(s));
}

void Shift(Rect& r, SInt16 dh) {
    r.left = SInt16(r.left + dh);
    r.right = SInt16(r.right + dh);
}

void Fore(UInt16 r, UInt16 g, UInt16 b) {
    RGBColor c{r, g, b};
    RGBForeColor(&c);
}

void Shapes(const Rect& in) {
    Rect r{in.top, in.left, SInt16(in.top + 70), SInt16(in.left + 90)};
    Fore(0x2B00, 0x7A00, 0xD900);
    PaintOval(&r);
    Shift(r, 110);
    Fore(0xE800, 0x5A00, 0x3C00);
    PaintRoundRect(&r, 24, 24);
    Shift(r, 110);
    Fore(0x2E00, 0xA800, 0x6B00);
    PaintArc(&r, 30, 240);
    Fore(0x1800, 0x2000, 0x3000);
    PenSize(2, 2);
    FrameArc(&r, 30, 240);
    PenNormal();

    // A star: an even-odd polygon with a thick outline.
    PolyHandle star = OpenPoly();
    const SInt16 cx = SInt16(in.left + 45), cy = SInt16(in.top + 140);
    const SInt16 pts[10][2] = {{0, -40}, {12, -12}, {42, -12}, {18, 6},    {26, 36},
                               {0, 18},  {-26, 36}, {-18, 6},  {-42, -12}, {-12, -12}};
    MoveTo(SInt16(cx + pts[0][0]), SInt16(cy + pts[0][1]));
    for (int i = 1; i <= 10; ++i)
        LineTo(SInt16(cx + pts[i % 10][0]), SInt16(cy + pts[i % 10][1]));
    ClosePoly();
    Fore(0xF500, 0xC000, 0x1800);
    PaintPoly(star);
    Fore(0x7000, 0x5000, 0x0000);
    FramePoly(star);
    KillPoly(star);

    // Regions: two overlapping circles combined four ways.
    RgnHandle a = NewRgn(), b = NewRgn(), out = NewRgn();
    const char* names[] = {"union", "sect", "diff", "xor"};
    for (int k = 0; k < 4; ++k) {
        SInt16 x = SInt16(in.left + 110 + k * 58), y = SInt16(in.top + 105);
        OpenRgn();
        Rect c1{y, x, SInt16(y + 40), SInt16(x + 40)};
        FrameOval(&c1);
        CloseRgn(a);
        OpenRgn();
        Rect c2{SInt16(y + 12), SInt16(x + 14), SInt16(y + 52), SInt16(x + 54)};
        FrameOval(&c2);
        CloseRgn(b);
        if (k == 0) UnionRgn(a, b, out);
        if (k == 1) SectRgn(a, b, out);
        if (k == 2) DiffRgn(a, b, out);
        if (k == 3) XorRgn(a, b, out);
        Fore(0x5A00, 0x3C00, 0xB400);
        PaintRgn(out);
        Fore(0x4000, 0x4800, 0x5800);
        Text(x, SInt16(y + 68), names[k], 1, 10);
    }
    DisposeRgn(a);
    DisposeRgn(b);
    DisposeRgn(out);

    // Patterns in the classic pen modes.
    for (int k = 0; k < 4; ++k) {
        const Pattern* pats[] = {&kQDLtGray, &kQDGray, &kQDDkGray, &kQDBlack};
        Rect p{SInt16(in.top + 190), SInt16(in.left + k * 80), SInt16(in.top + 220),
               SInt16(in.left + k * 80 + 70)};
        Fore(0x1800, 0x2000, 0x3000);
        FillRect(&p, pats[k]);
    }
}

void Type(const Rect& in) {
    Fore(0x1800, 0x2000, 0x3000);
    SInt16 v = SInt16(in.top + 14);
    const struct {
        SInt16 font;
        SInt16 size;
        Style face;
        const char* text;
    } lines[] = {
        {1, 12, normal, "Geneva 12: the quick brown fox jumps over the lazy dog"},
        {1, 12, bold, "Bold, and \xA5 bullets, \x8A umlauts, \xD2quotes\xD3"},
        {1, 12, italic, "Italic text at twelve points"},
        {20, 16, normal, "Times 16: Media editing"},
        {4, 12, normal, "Monaco 12: 01:00:00;00"},
        {1, 24, bold, "Large and sharp"},
        {1, 12, underline, "Underlined"},
        {1, 12, condense, "Condensed spacing"},
        {1, 12, extend, "Extended spacing"},
    };
    for (const auto& l : lines) {
        FontInfo fi;
        TextFont(l.font);
        TextSize(l.size);
        TextFace(l.face);
        GetFontInfo(&fi);
        v = SInt16(v + fi.ascent);
        Text(in.left, v, l.text, l.font, l.size, l.face);
        v = SInt16(v + fi.descent + fi.leading + 4);
    }
    TextFace(normal);
}

// The fields themselves are panes over this background (DemoFields.cpp);
// the scene only says how to type into them.
void Timecodes(const Rect& in) {
    Fore(0x4000, 0x4800, 0x5800);
    Text(in.left, SInt16(in.top + 12), "digits, '.' = 00, 'f' = frames, Return:", 1, 11);
}

} // namespace

void DrawShapesDemo(const Rect& area) {
    Rect in{SInt16(area.top + 16), SInt16(area.left + 16), area.bottom, area.right};
    Fore(0xFFFF, 0xFFFF, 0xFFFF);
    PaintRect(&area);
    Shapes(in);
}

void DrawTextDemo(const Rect& area) {
    Fore(0xFFFF, 0xFFFF, 0xFFFF);
    PaintRect(&area);
    Type(Rect{SInt16(area.top + 8), SInt16(area.left + 16), area.bottom, area.right});
}

void DrawTimecodeDemo(const Rect& area) {
    Fore(0xF400, 0xF6F0, 0xFA00);
    PaintRect(&area);
    Timecodes(Rect{SInt16(area.top + 6), SInt16(area.left + 16), area.bottom, area.right});
}

void DrawDesktopHeading(GrafPtr desktop, const Rect& area) {
    StPortSaver port(desktop);
    StColorPenSaver pen;
    StTextStateSaver text;
    Fore(0xFFFF, 0xFFFF, 0xFFFF);
    Text(SInt16(area.left + 24), SInt16(area.bottom - 24), "KsTavik20", 1, 24, bold);
    Fore(0xC800, 0xD400, 0xE400);
    Text(SInt16(area.left + 160), SInt16(area.bottom - 24),
         "drag, grow, zoom and close the windows; the menus work too", 1, 13);
}
