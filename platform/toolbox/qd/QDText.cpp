// The toolbox's text calls: the current port's text state, drawing at the pen
// and measuring, over the font engine (KsFontEnginePrivate.h).
//
// Drawing starts at the pen (its v is the baseline) and moves the pen right by
// the text's width. Glyphs are blended in the foreground colour and clipped
// to clip ∩ visible; srcCopy first erases the text's box (pen to pen + width,
// ascent above to descent below the baseline) in the background colour. A
// hidden pen (HidePen) moves without drawing.
#include "KsFontEnginePrivate.h"
#include "KsMacRoman.h"
#include "KsMisuse.h"
#include "KsPortPrivate.h"
#include "QuickDraw.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

KsTextStyle StyleOf(GrafPtr port) {
    return {port->txFont, port->txSize, port->txFace};
}

UInt32 PixelOf(const RGBColor& c) {
    return (UInt32(c.red >> 8) << 16) | (UInt32(c.green >> 8) << 8) | UInt32(c.blue >> 8);
}

// Text calls need a current port, as every drawing call does.
GrafPtr CurrentPort(const char* call) {
    GrafPtr port = KsGetPort();
    if (!port) KsMisuse(call, nullptr);
    return port;
}

SInt16 Saturate16(SInt64 v) {
    return SInt16(std::clamp<SInt64>(v, -32768, 32767));
}

void DrawBytes(const UInt8* text, std::size_t length) {
    GrafPtr port = CurrentPort("DrawText: no current port");
    if (!text || length == 0) return;
    KsFontEngine& engine = KsFontEngine::Shared();
    KsTextStyle style = StyleOf(port);
    KsPortSurface* surface = port->surface;
    SInt32 width = 0;
    if (port->pnVis < 0 || !surface || !surface->image) {
        width = engine.TextWidth(style, text, length);
    } else {
        KsRgn clip = KsPortDeviceClip(port);
        KsTextTarget target;
        target.image = surface->image;
        target.clip = &clip;
        target.scale = port->scale > 0 ? port->scale : surface->scale;
        target.foreground = PixelOf(port->rgbFgColor);
        target.background = PixelOf(port->rgbBkColor);
        target.mode = KsTextModeFor(port->txMode);
        KsPoint origin = KsLocalToDevice(port, KsPoint{port->pnLoc.h, port->pnLoc.v});
        KsTextDrawResult drawn = engine.DrawText(target, style, origin, text, length);
        if (!drawn.touched.IsEmpty()) surface->damage.Union(drawn.touched);
        width = drawn.width;
    }
    port->pnLoc.h = Saturate16(SInt64(port->pnLoc.h) + width);
}

} // namespace

void TextFont(SInt16 font) {
    CurrentPort("TextFont: no current port")->txFont = font;
}
void TextFace(Style face) {
    CurrentPort("TextFace: no current port")->txFace = face;
}
void TextMode(SInt16 mode) {
    CurrentPort("TextMode: no current port")->txMode = mode;
}
void TextSize(SInt16 size) {
    CurrentPort("TextSize: no current port")->txSize = size;
}

void DrawChar(SInt16 ch) {
    UInt8 byte = UInt8(ch & 0xFF);
    DrawBytes(&byte, 1);
}

void DrawString(ConstStr255Param s) {
    if (!s) return;
    DrawBytes(s + 1, s[0]);
}

void DrawText(const void* text, SInt16 firstByte, SInt16 byteCount) {
    if (!text || byteCount <= 0) return;
    if (firstByte < 0) KsMisuse("DrawText: negative first byte", nullptr);
    DrawBytes(static_cast<const UInt8*>(text) + firstByte, std::size_t(byteCount));
}

SInt16 CharWidth(SInt16 ch) {
    return KsFontEngine::Shared().CharWidth(StyleOf(CurrentPort("CharWidth: no current port")),
                                            UInt8(ch & 0xFF));
}

SInt16 StringWidth(ConstStr255Param s) {
    GrafPtr port = CurrentPort("StringWidth: no current port");
    if (!s) return 0;
    return Saturate16(KsFontEngine::Shared().TextWidth(StyleOf(port), s + 1, s[0]));
}

SInt16 TextWidth(const void* text, SInt16 firstByte, SInt16 byteCount) {
    GrafPtr port = CurrentPort("TextWidth: no current port");
    if (!text || byteCount <= 0) return 0;
    if (firstByte < 0) KsMisuse("TextWidth: negative first byte", nullptr);
    return Saturate16(KsFontEngine::Shared().TextWidth(
        StyleOf(port), static_cast<const UInt8*>(text) + firstByte, std::size_t(byteCount)));
}

void GetFontInfo(FontInfo* info) {
    GrafPtr port = CurrentPort("GetFontInfo: no current port");
    if (info) *info = KsFontEngine::Shared().Metrics(StyleOf(port));
}

// An unknown name gives 0, the system font, as the classic call did.
void GetFNum(ConstStr255Param name, SInt16* familyID) {
    if (!familyID) return;
    *familyID = 0;
    if (!name) return;
    std::string text =
        KsMacRomanToUTF8(std::string_view(reinterpret_cast<const char*>(name + 1), name[0]));
    KsFontEngine::Shared().FontNumber(text, familyID);
}

// An unknown number gives the empty name.
void GetFontName(SInt16 familyID, Str255 name) {
    if (!name) return;
    std::string text = KsUTF8ToMacRoman(KsFontEngine::Shared().FontName(familyID));
    std::size_t n = std::min<std::size_t>(text.size(), 255);
    name[0] = UInt8(n);
    std::memcpy(name + 1, text.data(), n);
}
