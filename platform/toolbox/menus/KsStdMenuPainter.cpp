// The standard painter of the text menu: item text, marks, command keys as
// "Ctrl+S" text, submenu triangles, separators; and the text measure and
// screen proc it relies on. Icons are laid out (their room is kept) but not
// drawn yet.
#include "KsBackend.h"
#include "KsMenuDef.h"
#include "MenuBarPrivate.h"

#include <string>

namespace {
using namespace KsMenuLook;

KsMenuFont gFont;
SInt16 gLineHeight = 0; // 0 until measured

// Sizing a menu measures in the one-pixel port and leaves the caller's alone.
class StMeasurePort {
public:
    explicit StMeasurePort(Style face) : port_(KsMeasuringPort()) {
        TextFont(gFont.font);
        TextSize(gFont.size);
        TextFace(face);
    }

private:
    StPortSaver port_;
};

unsigned char KeyShown(unsigned char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

// "Ctrl+", "Shift+" when wanted, then the key.
void KeyText(UInt8 key, bool shift, Str255 out) {
    std::string s = shift ? "Ctrl+Shift+" : "Ctrl+";
    s.push_back(static_cast<char>(KeyShown(key)));
    out[0] = static_cast<unsigned char>(s.size());
    s.copy(reinterpret_cast<char*>(out + 1), s.size());
}

SInt16 MeasureText(std::string_view text, Style face) {
    StMeasurePort port(face);
    // The text menu asks for the command glyph and the key; the key is shown
    // as text here, and the Shift glyph's room it adds is too small for
    // "Shift+", so every key is measured with "Shift+" less that room: the
    // column then holds the widest form without overlapping the item text.
    if (text.size() == 2 && static_cast<unsigned char>(text[0]) == KsTextMenuDef::kCommandGlyph) {
        Str255 shown;
        KeyText(static_cast<UInt8>(text[1]), true, shown);
        const SInt16 w = StringWidth(shown) - KsTextMenuDef::kShiftGlyph;
        return w > 0 ? w : 0;
    }
    const std::size_t n = text.size() > 255 ? 255 : text.size();
    return TextWidth(text.data(), 0, static_cast<SInt16>(n));
}

SInt16 MeasureLineHeight() {
    StMeasurePort port(normal);
    FontInfo fi;
    GetFontInfo(&fi);
    return static_cast<SInt16>(fi.ascent + fi.descent + fi.leading + kItemPad);
}

void InstallMeasure() {
    gLineHeight = MeasureLineHeight();
    KsSetMenuTextMeasure(KsMenuTextMeasure{MeasureText, gLineHeight});
}
} // namespace

Rect KsMenuScreenAt(Point where) {
    KsBackend* backend = KsGetBackend();
    const KsPoint p{where.h, where.v};
    for (int i = 0; i < backend->ScreenCount(); ++i) {
        if (backend->ScreenBounds(i).Contains(p)) return ToRect(backend->ScreenBounds(i));
    }
    return ToRect(backend->ScreenBounds(0));
}

namespace {

class KsStdMenuPainter final : public KsMenuPainter {
public:
    void DrawBackground(MenuHandle, const Rect& menuRect) override {
        PaintRGBRect(&menuRect, &kMenuBack);
    }
    void DrawItem(MenuHandle menu, const KsMenuItemLayout& item, bool hilited) override;
};

void DrawCheck(SInt16 left, SInt16 midV, const RGBColor& colour) {
    RGBForeColor(&colour);
    PenSize(1, 1);
    for (SInt16 t = 0; t < 2; ++t) { // two pixels thick
        MoveTo(left, static_cast<SInt16>(midV + t - 1));
        LineTo(static_cast<SInt16>(left + 3), static_cast<SInt16>(midV + t + 2));
        LineTo(static_cast<SInt16>(left + 8), static_cast<SInt16>(midV + t - 4));
    }
}

// A right-pointing triangle, 5 wide and 9 high, centred on midV.
void DrawTriangle(SInt16 left, SInt16 midV, const RGBColor& colour) {
    for (SInt16 dv = -4; dv <= 4; ++dv) {
        const SInt16 w = static_cast<SInt16>(5 - (dv < 0 ? -dv : dv));
        const Rect row{static_cast<SInt16>(midV + dv), left, static_cast<SInt16>(midV + dv + 1),
                       static_cast<SInt16>(left + w)};
        PaintRGBRect(&row, &colour);
    }
}

void KsStdMenuPainter::DrawItem(MenuHandle, const KsMenuItemLayout& item, bool hilited) {
    const Rect& r = item.rect;
    const bool accent = hilited && item.enabled && !item.separator;
    PaintRGBRect(&r, accent ? &kAccent : &kMenuBack);
    const SInt16 midV = static_cast<SInt16>((r.top + r.bottom) / 2);
    if (item.separator) {
        const Rect line{midV, static_cast<SInt16>(r.left + 1), static_cast<SInt16>(midV + 1),
                        static_cast<SInt16>(r.right - 1)};
        PaintRGBRect(&line, &kSeparator);
        return;
    }
    const RGBColor& colour = accent ? kAccentText : item.enabled ? kText : kDisabled;
    TextFont(gFont.font);
    TextSize(gFont.size);
    TextMode(srcOr);
    FontInfo fi;
    GetFontInfo(&fi);
    const SInt16 baseline =
        static_cast<SInt16>(r.top + (r.bottom - r.top - fi.ascent - fi.descent) / 2 + fi.ascent);

    RGBForeColor(&colour);
    TextFace(item.style);
    SInt16 left = static_cast<SInt16>(r.left + KsTextMenuDef::kMarkColumn);
    if (item.icon) left = static_cast<SInt16>(left + KsTextMenuDef::kIconSize + 4);
    MoveTo(left, baseline);
    DrawString(item.text);
    KsUnderlineMnemonic(item.text, item.mnemonicAt, left, baseline);
    TextFace(normal);

    if (item.mark == checkMark) {
        DrawCheck(static_cast<SInt16>(r.left + 3), midV, colour);
    } else if (item.mark > 0 && item.mark < 256) {
        RGBForeColor(&colour);
        MoveTo(static_cast<SInt16>(r.left + 3), baseline);
        DrawChar(item.mark);
    }
    const SInt16 right = static_cast<SInt16>(r.right - KsTextMenuDef::kRightMargin);
    if (item.submenu) {
        DrawTriangle(static_cast<SInt16>(right - 6), midV, colour);
    } else if (item.cmd) {
        Str255 key;
        KeyText(item.cmd, item.shiftKey, key);
        RGBForeColor(&colour);
        MoveTo(static_cast<SInt16>(right - StringWidth(key)), baseline);
        DrawString(key);
    }
}

KsStdMenuPainter gPainter;
} // namespace

void KsEnsureMenuDrawing() {
    if (!gLineHeight) {
        InstallMeasure();
    } else {
        // Ours, unless another measure has been installed since; the default
        // one (no width proc) is replaced.
        KsMenuTextMeasure previous =
            KsSetMenuTextMeasure(KsMenuTextMeasure{MeasureText, gLineHeight});
        using Proc = SInt16 (*)(std::string_view, Style);
        const Proc* proc = previous.width ? previous.width.target<Proc>() : nullptr;
        if (previous.width && !(proc && *proc == MeasureText))
            KsSetMenuTextMeasure(std::move(previous));
    }
    if (KsMenuPainter* previous = KsSetMenuPainter(&gPainter)) KsSetMenuPainter(previous);
    if (KsMenuScreenProc previous = KsSetMenuScreenProc(KsMenuScreenAt))
        KsSetMenuScreenProc(previous);
}

KsMenuFont KsSetMenuFont(KsMenuFont font) {
    if (font.size <= 0) font.size = kSystemSize;
    KsMenuFont previous = gFont;
    if (previous.font == font.font && previous.size == font.size && gLineHeight) return previous;
    gFont = font;
    InstallMeasure();
    return previous;
}

SInt16 KsMenuLineHeight() {
    if (!gLineHeight) InstallMeasure();
    return gLineHeight;
}

void KsUnderlineMnemonic(ConstStr255Param shown, SInt16 at, SInt16 left, SInt16 baseline) {
    if (at < 1 || at > shown[0]) return;
    const SInt16 from =
        static_cast<SInt16>(left + TextWidth(shown, 1, static_cast<SInt16>(at - 1)));
    const SInt16 to = static_cast<SInt16>(from + TextWidth(shown, at, 1));
    // One pixel below the baseline: clear of the letter, above any descender's end.
    MoveTo(from, static_cast<SInt16>(baseline + 1));
    LineTo(static_cast<SInt16>(to - 1), static_cast<SInt16>(baseline + 1));
}

SInt16 KsMenuTitleWidth(ConstStr255Param shown) {
    const KsMenuFont saved = gFont;
    gFont = KsMenuFont{};
    SInt16 w;
    {
        StMeasurePort port(normal);
        w = StringWidth(shown);
    }
    gFont = saved;
    return w;
}
