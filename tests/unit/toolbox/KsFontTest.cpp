// The font engine on plain pixman images: metrics and widths checked against
// the font file's own tables (read here independently of FreeType), the font
// table, Mac OS Roman glyphs, exact clipping, colour blending, modes, styles,
// the backing scale and the bounded glyph cache.
#include "KsFontEnginePrivate.h"
#include "KsMacRoman.h"

#include <gtest/gtest.h>
#include <pixman.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// A minimal reader of TrueType tables: units per em, the horizontal header,
// advances and the Unicode character map (format 4).
class SfntTables {
public:
    explicit SfntTables(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        data_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        std::size_t n = U16(4);
        for (std::size_t i = 0; i < n; ++i) {
            std::size_t rec = 12 + 16 * i;
            std::string tag(reinterpret_cast<const char*>(&data_.at(rec)), 4);
            if (tag == "head") head_ = U32(rec + 8);
            if (tag == "hhea") hhea_ = U32(rec + 8);
            if (tag == "hmtx") hmtx_ = U32(rec + 8);
            if (tag == "cmap") cmap_ = U32(rec + 8);
        }
        ok_ = head_ && hhea_ && hmtx_ && cmap_;
        if (!ok_) return;
        std::size_t count = U16(cmap_ + 2);
        for (std::size_t i = 0; i < count; ++i) {
            std::size_t rec = cmap_ + 4 + 8 * i;
            std::size_t platform = U16(rec), encoding = U16(rec + 2);
            std::size_t sub = cmap_ + U32(rec + 4);
            if (U16(sub) == 4 && ((platform == 3 && encoding == 1) || platform == 0)) cmap4_ = sub;
        }
        ok_ = cmap4_ != 0;
    }
    bool ok() const { return ok_; }
    int UnitsPerEm() const { return U16(head_ + 18); }
    int Ascender() const { return S16(hhea_ + 4); }
    int Descender() const { return S16(hhea_ + 6); }
    int LineGap() const { return S16(hhea_ + 8); }
    int Advance(unsigned glyph) const {
        unsigned metrics = U16(hhea_ + 34);
        return U16(hmtx_ + 4 * std::min(glyph, metrics - 1));
    }
    unsigned Glyph(char32_t ch) const {
        if (ch > 0xFFFF) return 0;
        std::size_t segs = U16(cmap4_ + 6) / 2;
        std::size_t ends = cmap4_ + 14, starts = ends + 2 * segs + 2, deltas = starts + 2 * segs,
                    offsets = deltas + 2 * segs;
        for (std::size_t i = 0; i < segs; ++i) {
            if (ch > U16(ends + 2 * i)) continue;
            if (ch < U16(starts + 2 * i)) return 0;
            unsigned delta = U16(deltas + 2 * i), ro = U16(offsets + 2 * i);
            if (ro == 0) return (ch + delta) & 0xFFFF;
            unsigned g = U16(offsets + 2 * i + ro + 2 * (ch - U16(starts + 2 * i)));
            return g ? (g + delta) & 0xFFFF : 0;
        }
        return 0;
    }

private:
    unsigned U16(std::size_t at) const { return unsigned(data_.at(at)) << 8 | data_.at(at + 1); }
    int S16(std::size_t at) const { return int(std::int16_t(U16(at))); }
    std::size_t U32(std::size_t at) const { return std::size_t(U16(at)) << 16 | U16(at + 2); }
    std::vector<unsigned char> data_;
    std::size_t head_ = 0, hhea_ = 0, hmtx_ = 0, cmap_ = 0, cmap4_ = 0;
    bool ok_ = false;
};

int RoundDiv(long a, long b) {
    return int((2 * a + b) / (2 * b));
} // a >= 0
int CeilDiv(long a, long b) {
    return int((a + b - 1) / b);
} // a >= 0

// An xRGB image filled with one colour.
class Image {
public:
    Image(int w, int h, UInt32 fill = 0xFFFFFF)
        : image_(pixman_image_create_bits(PIXMAN_x8r8g8b8, w, h, nullptr, 0)), w_(w), h_(h) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                Set(x, y, fill);
    }
    ~Image() { pixman_image_unref(image_); }
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;
    pixman_image_t* get() const { return image_; }
    int width() const { return w_; }
    int height() const { return h_; }
    UInt32 At(int x, int y) const { return Row(y)[x] & 0xFFFFFF; }
    void Set(int x, int y, UInt32 v) { Row(y)[x] = 0xFF000000 | v; }
    // The smallest box of pixels that differ from `paper`.
    KsRect Ink(UInt32 paper) const {
        KsRect r{w_, h_, 0, 0};
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x)
                if (At(x, y) != paper)
                    r = {std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1),
                         std::max(r.bottom, y + 1)};
        return r.IsEmpty() ? KsRect{} : r;
    }

private:
    UInt32* Row(int y) const {
        return pixman_image_get_data(image_) + y * pixman_image_get_stride(image_) / 4;
    }
    pixman_image_t* image_;
    int w_, h_;
};

std::vector<UInt8> Bytes(const char* s) {
    return std::vector<UInt8>(s, s + std::strlen(s));
}

KsTextDrawResult Draw(KsFontEngine& engine, Image& img, const KsRgn& clip, KsTextStyle style,
                      KsPoint at, const std::vector<UInt8>& text, UInt32 fg = 0x000000,
                      KsTextMode mode = KsTextMode::kOr, SInt32 scale = 1, UInt32 bg = 0xFFFFFF) {
    KsTextTarget t;
    t.image = img.get();
    t.clip = &clip;
    t.scale = scale;
    t.foreground = fg;
    t.background = bg;
    t.mode = mode;
    return engine.DrawText(t, style, at, text.data(), text.size());
}

KsRgn Whole(const Image& img) {
    return KsRgn(KsRect{0, 0, img.width(), img.height()});
}

// Every visible Mac OS Roman byte.
std::vector<UInt8> AllVisible() {
    std::vector<UInt8> v;
    for (int b = 0x20; b < 0x100; ++b)
        if (b != 0x7F) v.push_back(UInt8(b));
    return v;
}

// ---------------------------------------------------------------------------

TEST(KsFontMetrics, MatchTheFontTablesAtSeveralSizes) {
    KsFontEngine engine;
    for (SInt16 font : {SInt16(0), SInt16(1), SInt16(4), SInt16(20)}) {
        SfntTables t(engine.FacePath(font));
        ASSERT_TRUE(t.ok()) << engine.FacePath(font);
        const long upem = t.UnitsPerEm();
        for (SInt16 size : {SInt16(9), SInt16(12), SInt16(24), SInt16(37)}) {
            SCOPED_TRACE(testing::Message() << "font " << font << " size " << size);
            KsTextStyle style{font, size, normal};
            FontInfo info = engine.Metrics(style);
            EXPECT_EQ(info.ascent, CeilDiv(long(t.Ascender()) * size, upem));
            EXPECT_EQ(info.descent, CeilDiv(-long(t.Descender()) * size, upem));
            EXPECT_EQ(info.leading, RoundDiv(long(t.LineGap()) * size, upem));
            int widest = 0;
            for (UInt8 ch : AllVisible()) {
                int expect =
                    RoundDiv(long(t.Advance(t.Glyph(KsMacRomanToUnicode(ch)))) * size, upem);
                ASSERT_EQ(engine.CharWidth(style, ch), expect) << "byte " << int(ch);
                widest = std::max(widest, expect);
            }
            EXPECT_EQ(info.widMax, widest);
        }
    }
}

TEST(KsFontMetrics, SizeZeroIsTwelveAndMonacoIsMonospaced) {
    KsFontEngine engine;
    KsTextStyle zero{1, 0, normal}, twelve{1, 12, normal};
    EXPECT_EQ(engine.Metrics(zero).ascent, engine.Metrics(twelve).ascent);
    EXPECT_EQ(engine.CharWidth(zero, 'W'), engine.CharWidth(twelve, 'W'));
    KsTextStyle mono{4, 9, normal};
    EXPECT_EQ(engine.CharWidth(mono, 'i'), engine.CharWidth(mono, 'W'));
    EXPECT_NE(engine.CharWidth(twelve, 'i'), engine.CharWidth(twelve, 'W'));
}

TEST(KsFontWidths, StringIsTheSumOfItsCharactersInEveryStyle) {
    KsFontEngine engine;
    std::vector<UInt8> text = Bytes("Hello, W\x8Arld \xA5 1234 \xC3\xC7\xC8 tab\there\r");
    for (int face = 0; face < 128; ++face) {
        KsTextStyle style{3, 11, Style(face)};
        SInt32 sum = 0;
        for (UInt8 ch : text)
            sum += engine.CharWidth(style, ch);
        EXPECT_EQ(engine.TextWidth(style, text.data(), text.size()), sum) << "face " << face;
    }
    // Control bytes are invisible and take no room.
    KsTextStyle plain{3, 11, normal};
    EXPECT_EQ(engine.CharWidth(plain, '\r'), 0);
    EXPECT_EQ(engine.CharWidth(KsTextStyle{3, 11, Style(bold | extend)}, '\t'), 0);
}

TEST(KsFontWidths, StylesChangeWidthsAsDocumented) {
    KsFontEngine engine;
    std::vector<UInt8> text = Bytes("Styled text: abc XYZ");
    const SInt32 n = SInt32(text.size());
    KsTextStyle plain{1, 12, normal};
    SInt32 base = engine.TextWidth(plain, text.data(), text.size());
    auto width = [&](Style face) {
        return engine.TextWidth(KsTextStyle{1, 12, face}, text.data(), text.size());
    };
    EXPECT_EQ(width(bold), base + n);
    EXPECT_EQ(width(italic), base);
    EXPECT_EQ(width(underline), base);
    EXPECT_EQ(width(outline), base + n);
    EXPECT_EQ(width(shadow), base + 2 * n);
    EXPECT_EQ(width(Style(outline | shadow)), base + 2 * n);
    EXPECT_EQ(width(condense), base - n); // every character here is at least 1 wide
    EXPECT_EQ(width(extend), base + n);
    EXPECT_EQ(width(Style(bold | condense)), base);
    // Metrics follow the same extras.
    FontInfo p = engine.Metrics(plain), b = engine.Metrics(KsTextStyle{1, 12, bold}),
             s = engine.Metrics(KsTextStyle{1, 12, shadow});
    EXPECT_EQ(b.widMax, p.widMax + 1);
    EXPECT_EQ(s.ascent, p.ascent + 1);
    EXPECT_EQ(s.descent, p.descent + 2);
    // Condensing never gives a negative width.
    EXPECT_GE(engine.CharWidth(KsTextStyle{1, 1, condense}, ' '), 0);
}

// ---------------------------------------------------------------------------

TEST(KsFontTable, NamesAndNumbersRoundTrip) {
    KsFontEngine engine;
    for (SInt16 n : {2, 3, 4, 20, 21, 22}) {
        std::string name = engine.FontName(n);
        ASSERT_FALSE(name.empty()) << n;
        SInt16 back = -1;
        EXPECT_TRUE(engine.FontNumber(name, &back));
        EXPECT_EQ(back, n) << name;
    }
    SInt16 n = -1;
    EXPECT_TRUE(engine.FontNumber("times", &n));
    EXPECT_EQ(n, 20);
    EXPECT_TRUE(engine.FontNumber("GENEVA", &n));
    EXPECT_EQ(n, 3);
    EXPECT_TRUE(engine.FontNumber("Chicago", &n));
    EXPECT_EQ(n, 0);
    EXPECT_EQ(engine.FontName(0), "Chicago");
    EXPECT_EQ(engine.FontName(1), "Geneva"); // the application font's family

    EXPECT_FALSE(engine.FontNumber("No Such Family Qwxz", &n));
    EXPECT_EQ(n, 0);
    EXPECT_FALSE(engine.FontNumber("", &n));
    EXPECT_EQ(engine.FontName(999), "");
    EXPECT_EQ(engine.FontName(-5), "");
}

TEST(KsFontTable, InstalledFamiliesGetStableNumbersAndUnknownNumbersDrawAsFont1) {
    KsFontEngine engine;
    SInt16 n = 0, again = 0;
    ASSERT_TRUE(engine.FontNumber("DejaVu Sans Mono", &n));
    EXPECT_GE(n, kKsFirstInstalledFontNumber);
    EXPECT_TRUE(engine.FontNumber("dejavu sans mono", &again));
    EXPECT_EQ(again, n);
    EXPECT_EQ(engine.FontName(n), "DejaVu Sans Mono");
    EXPECT_EQ(engine.FacePath(n), engine.FacePath(4));

    EXPECT_EQ(engine.FacePath(999), engine.FacePath(1));
    EXPECT_NE(engine.FacePath(20), engine.FacePath(1)); // Times is a serif face
    EXPECT_NE(engine.FacePath(4), engine.FacePath(1));
}

TEST(KsFontGlyphs, MacRomanHighCharactersHaveRealGlyphs) {
    KsFontEngine engine;
    for (UInt8 ch : {0x8A, 0xA5, 0xA1, 0xC3, 0xC7, 0xC8, 0xDB, 0x80})
        EXPECT_NE(engine.GlyphIndex(1, ch), 0u) << std::hex << int(ch);
    // The glyph is the right one: the font's own map agrees.
    SfntTables t(engine.FacePath(1));
    ASSERT_TRUE(t.ok());
    EXPECT_EQ(engine.GlyphIndex(1, 0x8A), t.Glyph(U'\u00E4'));
    EXPECT_EQ(engine.GlyphIndex(1, 0xA5), t.Glyph(U'\u2022'));

    // Drawn: the dieresis of 0x8A puts ink above the top of 'a'.
    Image a(30, 30), umlaut(30, 30);
    KsTextStyle style{1, 18, normal};
    Draw(engine, a, Whole(a), style, {5, 22}, {'a'});
    Draw(engine, umlaut, Whole(umlaut), style, {5, 22}, {0x8A});
    KsRect ia = a.Ink(0xFFFFFF), iu = umlaut.Ink(0xFFFFFF);
    ASSERT_FALSE(ia.IsEmpty());
    EXPECT_LT(iu.top, ia.top - 1);
    EXPECT_EQ(iu.bottom, ia.bottom);
    // 0xA5 (bullet) draws a dot between baseline and x-height.
    Image bullet(30, 30);
    Draw(engine, bullet, Whole(bullet), style, {5, 22}, {0xA5});
    KsRect ib = bullet.Ink(0xFFFFFF);
    EXPECT_FALSE(ib.IsEmpty());
    EXPECT_LT(ib.bottom, 22);
}

// ---------------------------------------------------------------------------

TEST(KsFontDraw, ClippingIsExact) {
    KsFontEngine engine;
    std::vector<UInt8> text = Bytes("Hamburgefonts \x8A\xA5 WMQ");
    KsTextStyle style{1, 14, Style(bold | underline)};
    Image full(140, 30), clipped(140, 30);
    Draw(engine, full, Whole(full), style, {3, 20}, text);
    // A region of several bands and a rectangle that leaves the image.
    KsRgn clip{KsRect{10, 0, 40, 30}, KsRect{55, 8, 70, 17}, KsRect{90, 14, 400, 60},
               KsRect{-20, 22, 5, 25}};
    KsTextDrawResult r = Draw(engine, clipped, clip, style, {3, 20}, text);
    int inside = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 140; ++x) {
            if (clip.Contains(KsPoint{x, y})) {
                ASSERT_EQ(clipped.At(x, y), full.At(x, y)) << x << "," << y;
                inside += full.At(x, y) != 0xFFFFFF;
            } else {
                ASSERT_EQ(clipped.At(x, y), 0xFFFFFFu) << x << "," << y;
            }
        }
    EXPECT_GT(inside, 20);
    // The touched box holds every changed pixel.
    KsRect ink = clipped.Ink(0xFFFFFF);
    EXPECT_TRUE(r.touched.Contains(ink)) << ink.left << " " << r.touched.left;

    // Text entirely off the image or outside the clip changes nothing.
    Image off(40, 20);
    EXPECT_TRUE(Draw(engine, off, Whole(off), style, {-500, 10}, text).touched.IsEmpty());
    EXPECT_TRUE(Draw(engine, off, Whole(off), style, {10, 400}, text).touched.IsEmpty());
    EXPECT_TRUE(Draw(engine, off, KsRgn(), style, {2, 15}, text).touched.IsEmpty());
    EXPECT_TRUE(off.Ink(0xFFFFFF).IsEmpty());
}

TEST(KsFontDraw, ColoursBlendFromCoverage) {
    KsFontEngine engine;
    std::vector<UInt8> text = Bytes("Il\x8A@");
    KsTextStyle style{1, 30, normal};
    const UInt32 fg = 0x12B456, bg = 0xF0E0D0;
    Image mask(80, 40), color(80, 40, bg);
    Draw(engine, mask, Whole(mask), style, {2, 32}, text); // black on white: 255 - value = coverage
    Draw(engine, color, Whole(color), style, {2, 32}, text, fg);
    int full = 0, partial = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 80; ++x) {
            int a = 255 - int(mask.At(x, y) & 0xFF);
            UInt32 c = color.At(x, y);
            for (int shift : {0, 8, 16}) {
                int f = (fg >> shift) & 0xFF, b = (bg >> shift) & 0xFF, got = (c >> shift) & 0xFF;
                int expect = (f * a + b * (255 - a) + 127) / 255;
                ASSERT_NEAR(got, expect, 1) << x << "," << y;
            }
            if (a == 255) {
                ASSERT_EQ(c, fg);
                ++full;
            } else if (a > 0) {
                ++partial;
            } else {
                ASSERT_EQ(c, bg);
            }
        }
    EXPECT_GT(full, 50);
    EXPECT_GT(partial, 20);
}

TEST(KsFontDraw, CopyXorAndBicModes) {
    KsFontEngine engine;
    std::vector<UInt8> text = Bytes("Hx g");
    KsTextStyle style{1, 12, normal};
    FontInfo m = engine.Metrics(style);
    SInt32 w = engine.TextWidth(style, text.data(), text.size());
    const KsPoint at{4, 16};

    // srcCopy: the box pen..pen+width by ascent..descent becomes the
    // background (wherever no ink is), nothing outside it changes.
    Image copy(60, 26, 0x336699);
    Draw(engine, copy, Whole(copy), style, at, text, 0x000000, KsTextMode::kCopy, 1, 0xFFFFFF);
    KsRect box{at.h, at.v - m.ascent, at.h + w, at.v + m.descent};
    for (int y = 0; y < 26; ++y)
        for (int x = 0; x < 60; ++x) {
            UInt32 c = copy.At(x, y);
            if (!box.Contains(KsPoint{x, y}))
                ASSERT_EQ(c, 0x336699u) << x << "," << y;
            else
                ASSERT_EQ((c >> 16) & 0xFF, c & 0xFF) << "grey between white and black";
        }
    EXPECT_EQ(copy.At(at.h + w - 1, at.v - m.ascent), 0xFFFFFFu);

    // srcXor twice restores every pixel.
    Image x(60, 26);
    for (int i = 0; i < 60; ++i)
        x.Set(i, 10, 0x00FF00);
    Draw(engine, x, Whole(x), style, at, text, 0, KsTextMode::kXor);
    EXPECT_FALSE(x.Ink(0xFFFFFF).IsEmpty());
    Draw(engine, x, Whole(x), style, at, text, 0, KsTextMode::kXor);
    for (int i = 0; i < 60; ++i)
        ASSERT_EQ(x.At(i, 10), 0x00FF00u);
    for (int i = 0; i < 60; ++i)
        x.Set(i, 10, 0xFFFFFF);
    EXPECT_TRUE(x.Ink(0xFFFFFF).IsEmpty());

    // srcBic: the glyphs take the background colour.
    Image bic(60, 26, 0x000000);
    Draw(engine, bic, Whole(bic), style, at, text, 0x000000, KsTextMode::kBic, 1, 0xFFFFFF);
    EXPECT_FALSE(bic.Ink(0x000000).IsEmpty());

    EXPECT_EQ(KsTextModeFor(srcCopy), KsTextMode::kCopy);
    EXPECT_EQ(KsTextModeFor(srcOr), KsTextMode::kOr);
    EXPECT_EQ(KsTextModeFor(srcXor), KsTextMode::kXor);
    EXPECT_EQ(KsTextModeFor(srcBic), KsTextMode::kBic);
}

TEST(KsFontDraw, StylesShowInThePixels) {
    KsFontEngine engine;
    auto ink = [&](Style face, const char* s, Image& img) {
        Draw(engine, img, Whole(img), KsTextStyle{1, 40, face}, {10, 50}, Bytes(s));
        return img.Ink(0xFFFFFF);
    };
    Image p(120, 70), b(120, 70), i(120, 70), o(120, 70), sh(120, 70), u(120, 70);
    KsRect plain = ink(normal, "I", p);
    KsRect boldInk = ink(bold, "I", b);
    EXPECT_EQ(boldInk.Width(), plain.Width() + 1);
    EXPECT_EQ(boldInk.left, plain.left); // grown to the right, like its advance
    KsRect italicInk = ink(italic, "I", i);
    EXPECT_GT(italicInk.Width(), plain.Width() + 5); // a 40-pixel stem leans ~8 pixels
    // Outline is hollow: the middle of the stem stays paper, the border is inked.
    KsRect outlineInk = ink(outline, "I", o);
    int midX = (plain.left + plain.right) / 2, midY = (plain.top + plain.bottom) / 2;
    EXPECT_NE(p.At(midX, midY), 0xFFFFFFu);
    EXPECT_EQ(o.At(midX, midY), 0xFFFFFFu);
    EXPECT_EQ(outlineInk.Width(), plain.Width() + 2);
    // Shadow reaches one more pixel right and down.
    KsRect shadowInk = ink(shadow, "I", sh);
    EXPECT_EQ(shadowInk.right, outlineInk.right + 1);
    EXPECT_EQ(shadowInk.bottom, outlineInk.bottom + 1);
    // Underline: one line, one pixel below the baseline, across the width (the
    // spaces included).
    std::vector<UInt8> spaced = Bytes("a   b");
    SInt32 w = engine.TextWidth(KsTextStyle{1, 40, underline}, spaced.data(), spaced.size());
    ink(underline, "a   b", u);
    for (int x = 10; x < 10 + w; ++x) {
        ASSERT_EQ(u.At(x, 51), 0x000000u) << x;
    }
    EXPECT_EQ(u.At(9, 51), 0xFFFFFFu);
    EXPECT_EQ(u.At(10 + w, 51), 0xFFFFFFu);
}

TEST(KsFontDraw, ScaleTwoDrawsTwiceAsLargeWithLogicalWidths) {
    KsFontEngine engine;
    std::vector<UInt8> text = Bytes("Scale Hg");
    KsTextStyle style{1, 12, normal};
    Image one(80, 30), two(160, 60);
    KsTextDrawResult r1 =
        Draw(engine, one, Whole(one), style, {2, 20}, text, 0, KsTextMode::kOr, 1);
    KsTextDrawResult r2 =
        Draw(engine, two, Whole(two), style, {4, 40}, text, 0, KsTextMode::kOr, 2);
    EXPECT_EQ(r1.width, r2.width);
    EXPECT_EQ(r1.width, engine.TextWidth(style, text.data(), text.size()));
    KsRect i1 = one.Ink(0xFFFFFF), i2 = two.Ink(0xFFFFFF);
    EXPECT_NEAR(i2.Height(), 2 * i1.Height(), 2);
    EXPECT_NEAR(i2.Width(), 2 * i1.Width(), 3);
    EXPECT_NEAR(i2.top, 2 * i1.top, 2);
    // Sharp: the dense rendering has more fully inked pixels than a blown-up
    // copy of the small one could have.
    int full1 = 0, full2 = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 80; ++x)
            full1 += one.At(x, y) == 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 160; ++x)
            full2 += two.At(x, y) == 0;
    EXPECT_GT(full2, 4 * full1);
}

TEST(KsFontCache, StaysWithinItsLimitAndWarmDrawsRenderNothing) {
    const std::size_t limit = 96 * 1024;
    KsFontEngine engine(limit);
    std::vector<UInt8> all = AllVisible();
    Image img(400, 120);
    for (SInt16 size = 8; size <= 64; size += 4) {
        for (Style face : {Style(normal), Style(bold), Style(italic | outline)}) {
            Draw(engine, img, Whole(img), KsTextStyle{1, size, face}, {0, 80}, all);
            ASSERT_LE(engine.CacheStats().bytes, limit) << size;
        }
    }
    KsFontCacheStats before = engine.CacheStats();
    EXPECT_GT(before.glyphs, 0u);

    std::vector<UInt8> text = Bytes("The quick brown fox jumps over the lazy");
    Draw(engine, img, Whole(img), KsTextStyle{1, 12, normal}, {0, 20}, text);
    std::uint64_t warm = engine.CacheStats().renders;
    for (int k = 0; k < 5; ++k)
        Draw(engine, img, Whole(img), KsTextStyle{1, 12, normal}, {0, 20}, text);
    EXPECT_EQ(engine.CacheStats().renders, warm);

    // Lowering the limit frees at once; a flushed cache renders again.
    engine.SetCacheLimit(8 * 1024);
    EXPECT_LE(engine.CacheStats().bytes, 8u * 1024);
    engine.FlushCache();
    EXPECT_EQ(engine.CacheStats().bytes, 0u);
    EXPECT_EQ(engine.CacheStats().glyphs, 0u);
    Draw(engine, img, Whole(img), KsTextStyle{1, 12, normal}, {0, 20}, text);
    EXPECT_GT(engine.CacheStats().renders, warm);
}

} // namespace
