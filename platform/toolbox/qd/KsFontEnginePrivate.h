// The font engine behind the toolbox's text calls (not installed).
//
// Fonts: a font number or a classic family name maps through one table to an
// installed family found with fontconfig (DejaVu is the reference: Sans for
// the system, application, Geneva and Helvetica fonts, Serif for New York and
// Times, Sans Mono for Monaco and Courier). Unknown numbers draw in the
// application font. Glyphs come from FreeType, antialiased.
//
// Text is bytes in Mac OS Roman; each byte maps to its Unicode character
// (KsMacRoman.h) and from there to a glyph. Control bytes (0x00-0x1F, 0x7F)
// are invisible and have no width.
//
// Widths are integer logical pixels per character, as the classic toolbox
// measured them: a character's width is its unhinted advance at the logical
// size, rounded to the nearest pixel, plus the style's extra below. So a
// string's width is exactly the sum of its characters' widths, and widths do
// not depend on the backing scale. Extras per visible character: bold +1,
// outline +1, shadow +2 (outline and shadow together +2), extend +1,
// condense -1 (never below 0); italic and underline add nothing.
//
// Metrics (logical pixels, integers): ascent and descent are the font's
// ascender and descender at the size, rounded up; leading is the rest of the
// font's line spacing, rounded to nearest; widMax is the widest Mac OS Roman
// character at the size including the style's extra. Outline adds 1 to ascent
// and descent, shadow 1 to ascent and 2 to descent.
//
// Drawing happens at device resolution: a port at scale 2 renders glyphs at
// twice the pixel size while every width stays logical.
//
// Glyph cache: rendered coverage (a8) per (face, device pixel size, rendering
// style, glyph), held in strikes of one face, size and style. Its memory is
// bounded: when a new glyph would pass the limit, the least recently used
// strikes lose their glyphs first. A warm draw allocates nothing.
//
// The engine locks itself; one shared engine serves the toolbox.
#pragma once

#include "KsGeometry.h"
#include "KsMacTypes.h"
#include "KsRgn.h"
#include "QuickDraw.h"

#include <pixman.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

constexpr SInt16 kKsDefaultTextSize = 12; // a size of 0 or less means this
constexpr SInt16 kKsMaxTextSize = 512;    // larger sizes are drawn at this one
constexpr SInt16 kKsMaxTextScale = 4;
// Font numbers given to installed families that are not in the classic table,
// the first time GetFNum names them.
constexpr SInt16 kKsFirstInstalledFontNumber = 1024;

struct KsTextStyle {
    SInt16 font = 0;
    SInt16 size = kKsDefaultTextSize;
    Style face = normal;
};

// How glyphs meet the pixels (from the toolbox's source modes).
enum class KsTextMode {
    kOr,      // glyphs blended in the foreground; nothing else touched
    kCopy,    // the text's box filled with the background first
    kXor,     // pixels at least half covered are inverted (drawing twice restores)
    kBic,     // glyphs blended in the background colour
    kNotCopy, // the box filled with the foreground, glyphs in the background
};
KsTextMode KsTextModeFor(SInt16 toolboxMode);

// Where to draw. The image is PIXMAN_x8r8g8b8 (or a8r8g8b8; the top byte of
// each pixel is kept). Nothing is drawn outside clip (device pixels) or the
// image.
struct KsTextTarget {
    pixman_image_t* image = nullptr;
    const KsRgn* clip = nullptr;
    SInt32 scale = 1;
    UInt32 foreground = 0x000000; // 0xRRGGBB
    UInt32 background = 0xFFFFFF;
    KsTextMode mode = KsTextMode::kOr;
};

struct KsTextDrawResult {
    SInt32 width = 0; // logical pixels, as TextWidth
    KsRect touched;   // device pixels changed (a bound), empty when none
};

struct KsFontCacheStats {
    std::size_t bytes = 0;  // coverage bytes held
    std::size_t glyphs = 0; // glyphs held
    std::size_t strikes = 0;
    std::size_t limit = 0;
    std::uint64_t renders = 0; // glyphs rendered since the engine began
};

class KsFontEngine {
public:
    // A private engine with its own cache (tests); the toolbox uses Shared().
    explicit KsFontEngine(std::size_t cacheLimitBytes = kDefaultCacheLimit);
    ~KsFontEngine();
    KsFontEngine(const KsFontEngine&) = delete;
    KsFontEngine& operator=(const KsFontEngine&) = delete;

    static KsFontEngine& Shared();
    static constexpr std::size_t kDefaultCacheLimit = 16u << 20;

    FontInfo Metrics(const KsTextStyle& style);
    SInt16 CharWidth(const KsTextStyle& style, UInt8 ch);
    // Saturates at the 32-bit limit.
    SInt32 TextWidth(const KsTextStyle& style, const UInt8* text, std::size_t length);

    // Draws text with its baseline's left end at origin (device pixels).
    KsTextDrawResult DrawText(const KsTextTarget& target, const KsTextStyle& style, KsPoint origin,
                              const UInt8* text, std::size_t length);

    // The font table. FontNumber answers false for a name that is neither a
    // classic family nor an installed one (the number is then 0, the system
    // font). FontName answers "" for an unknown number.
    bool FontNumber(std::string_view name, SInt16* number);
    std::string FontName(SInt16 number);

    // The file the font number draws with, and the glyph a byte draws (0 is
    // the missing-glyph box). For tests and diagnostics.
    std::string FacePath(SInt16 number);
    UInt32 GlyphIndex(SInt16 number, UInt8 ch);

    KsFontCacheStats CacheStats();
    void SetCacheLimit(std::size_t bytes);
    void FlushCache();

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};
