// The font engine: the font table, faces through fontconfig and FreeType,
// per-size width tables, the glyph cache and the coverage blender.
//
// Map: font table - faces - width tables (logical) - strikes and glyph
// rendering (device) - blending - drawing - public calls.
#include "KsFontEnginePrivate.h"

#include "KsMacRoman.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_ADVANCES_H

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_map>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// ---------------------------------------------------------------------------
// Font table

struct ClassicFont {
    SInt16 number;
    const char* name;   // as GetFontName answers it
    const char* family; // the installed family it draws with
};

// Numbers 0 and 1 are the system and application fonts; their names are the
// families they stand for, so a name read back gives the concrete family.
constexpr ClassicFont kClassicFonts[] = {
    {0, "Chicago", "DejaVu Sans"},       {1, "Geneva", "DejaVu Sans"},
    {2, "New York", "DejaVu Serif"},     {3, "Geneva", "DejaVu Sans"},
    {4, "Monaco", "DejaVu Sans Mono"},   {5, "Venice", "DejaVu Serif"},
    {6, "London", "DejaVu Serif"},       {7, "Athens", "DejaVu Serif"},
    {8, "San Francisco", "DejaVu Sans"}, {9, "Toronto", "DejaVu Sans"},
    {11, "Cairo", "DejaVu Sans"},        {12, "Los Angeles", "DejaVu Sans"},
    {20, "Times", "DejaVu Serif"},       {21, "Helvetica", "DejaVu Sans"},
    {22, "Courier", "DejaVu Sans Mono"}, {23, "Symbol", "DejaVu Sans"},
    {24, "Taliesin", "DejaVu Sans"},
};
constexpr SInt16 kApplicationFont = 1;
constexpr std::size_t kMaxInstalledFonts = 256;

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
        if (x != y) return false;
    }
    return true;
}

const ClassicFont* FindClassic(SInt16 number) {
    for (const ClassicFont& f : kClassicFonts)
        if (f.number == number) return &f;
    return nullptr;
}

bool IsControl(UInt8 ch) {
    return ch < 0x20 || ch == 0x7F;
}

SInt32 DivRoundUp(SInt64 a, SInt64 b) {
    return SInt32(a >= 0 ? (a + b - 1) / b : -((-a) / b));
}
SInt32 DivRound(SInt64 a, SInt64 b) {
    return SInt32(a >= 0 ? (2 * a + b) / (2 * b) : -((-2 * a + b) / (2 * b)));
}

// The style bits that change a glyph's image (the others only move pens).
Style RenderStyle(Style face) {
    return Style(face & (bold | italic | outline | shadow));
}

// Extra logical pixels per visible character.
SInt32 StyleExtra(Style face) {
    SInt32 extra = 0;
    if (face & bold) extra += 1;
    if (face & shadow)
        extra += 2;
    else if (face & outline)
        extra += 1;
    if (face & extend) extra += 1;
    if (face & condense) extra -= 1;
    return extra;
}

SInt32 ClampSize(SInt16 size) {
    if (size <= 0) return kKsDefaultTextSize;
    return std::min<SInt32>(size, kKsMaxTextSize);
}

SInt32 ClampScale(SInt32 scale) {
    return std::clamp<SInt32>(scale, 1, kKsMaxTextScale);
}

// Fontconfig's configuration is process-wide and shared with every other
// library in the process (the native window's decorations use it too): we
// start it but never finalise it, since finalising under another user's
// caches aborts the process at exit.
bool StartFontconfig() {
    static const bool ready = FcInit() == FcTrue;
    return ready;
}

} // namespace

// ---------------------------------------------------------------------------
// Engine state

struct Face {
    FT_Face ft = nullptr;
    std::string path;
    int index = 0;
    SInt32 upem = 2048;
    SInt32 ascender = 0, descender = 0, height = 0; // font units, descender < 0
    SInt32 pixelSize = 0;                           // the size last set on ft
    std::array<UInt32, 256> glyphOfByte{};          // resolved once per face
};

// Logical widths and metrics of one face at one size.
struct WidthTable {
    Face* face = nullptr;
    SInt32 size = 0;
    std::array<SInt16, 256> width{}; // unstyled
    SInt16 ascent = 0, descent = 0, leading = 0, widMax = 0;
    std::uint64_t lastUse = 0;
};

struct CachedGlyph {
    SInt32 left = 0, top = 0; // bitmap origin from the pen, device pixels (top up)
    SInt32 width = 0, height = 0;
    std::unique_ptr<UInt8[]> bits; // width * height coverage bytes
};

// The glyphs of one face at one device size in one rendering style.
struct Strike {
    Face* face = nullptr;
    SInt32 pixelSize = 0;
    SInt32 scale = 1;
    Style style = normal;
    std::unordered_map<UInt32, CachedGlyph> glyphs;
    std::array<const CachedGlyph*, 256> byByte{};
    std::size_t bytes = 0;
    std::uint64_t lastUse = 0;
};

struct KsFontEngine::Impl {
    std::mutex lock;
    FT_Library library = nullptr;
    bool fontconfigReady = false;
    std::vector<std::unique_ptr<Face>> faces;
    std::unordered_map<SInt16, Face*> faceOfNumber;
    struct Installed {
        SInt16 number;
        std::string name;
    };
    std::vector<Installed> installed;
    std::vector<std::unique_ptr<WidthTable>> widths;
    std::vector<std::unique_ptr<Strike>> strikes;
    Strike* lastStrike = nullptr;
    std::size_t limit = 0, bytes = 0, glyphCount = 0;
    std::uint64_t clock = 0, renders = 0;

    ~Impl() {
        strikes.clear();
        for (auto& f : faces)
            if (f->ft) FT_Done_Face(f->ft);
        if (library) FT_Done_FreeType(library);
    }

    // -----------------------------------------------------------------------
    // Faces

    // The file fontconfig picks for a family in its regular style.
    bool MatchFamily(const char* family, std::string* path, int* index, std::string* foundFamily) {
        if (!fontconfigReady) fontconfigReady = StartFontconfig();
        if (!fontconfigReady) return false;
        FcPattern* pattern = FcPatternCreate();
        if (!pattern) return false;
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
        FcPatternAddInteger(pattern, FC_WEIGHT, FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
        FcPatternAddInteger(pattern, FC_WIDTH, FC_WIDTH_NORMAL);
        FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(nullptr, pattern, &result);
        FcPatternDestroy(pattern);
        if (!match) return false;
        FcChar8* file = nullptr;
        int idx = 0;
        bool ok = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file;
        if (ok) {
            *path = reinterpret_cast<const char*>(file);
            if (FcPatternGetInteger(match, FC_INDEX, 0, &idx) != FcResultMatch) idx = 0;
            *index = idx;
        }
        if (ok && foundFamily) {
            // A family counts as installed only when the match really is it,
            // not fontconfig's substitute for it.
            foundFamily->clear();
            FcChar8* name = nullptr;
            for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i)
                if (name && SameName(reinterpret_cast<const char*>(name), family)) {
                    *foundFamily = reinterpret_cast<const char*>(name);
                    break;
                }
        }
        FcPatternDestroy(match);
        return ok;
    }

    Face* OpenFace(const std::string& path, int index) {
        for (auto& f : faces)
            if (f->path == path && f->index == index) return f.get();
        if (!library && FT_Init_FreeType(&library) != 0) {
            library = nullptr;
            return nullptr;
        }
        FT_Face ft = nullptr;
        if (FT_New_Face(library, path.c_str(), index, &ft) != 0) return nullptr;
        if (!FT_IS_SCALABLE(ft) || ft->units_per_EM == 0) {
            FT_Done_Face(ft);
            return nullptr;
        }
        FT_Select_Charmap(ft, FT_ENCODING_UNICODE);
        auto face = std::make_unique<Face>();
        face->ft = ft;
        face->path = path;
        face->index = index;
        face->upem = ft->units_per_EM;
        face->ascender = ft->ascender;
        face->descender = ft->descender;
        face->height = ft->height;
        for (int b = 0; b < 256; ++b)
            face->glyphOfByte[b] =
                IsControl(UInt8(b)) ? 0 : FT_Get_Char_Index(ft, KsMacRomanToUnicode(UInt8(b)));
        faces.push_back(std::move(face));
        return faces.back().get();
    }

    bool IsKnown(SInt16 number) const {
        if (FindClassic(number)) return true;
        for (const Installed& i : installed)
            if (i.number == number) return true;
        return false;
    }

    const char* FamilyOf(SInt16 number) {
        if (const ClassicFont* f = FindClassic(number)) return f->family;
        for (const Installed& i : installed)
            if (i.number == number) return i.name.c_str();
        return FindClassic(kApplicationFont)->family;
    }

    // The face a font number draws with; null only when no font at all works.
    Face* FaceFor(SInt16 number) {
        if (!IsKnown(number)) number = kApplicationFont;
        auto it = faceOfNumber.find(number);
        if (it != faceOfNumber.end()) return it->second;
        Face* face = nullptr;
        std::string path;
        int index = 0;
        for (const char* family : {FamilyOf(number), "DejaVu Sans", "sans-serif"}) {
            if (MatchFamily(family, &path, &index, nullptr)) face = OpenFace(path, index);
            if (face) break;
        }
        faceOfNumber.emplace(number, face);
        return face;
    }

    // -----------------------------------------------------------------------
    // Width tables (logical pixels)

    WidthTable* WidthsFor(Face* face, SInt32 size) {
        ++clock;
        for (auto& w : widths)
            if (w->face == face && w->size == size) {
                w->lastUse = clock;
                return w.get();
            }
        constexpr std::size_t kMaxTables = 64;
        if (widths.size() >= kMaxTables) {
            auto oldest = std::min_element(widths.begin(), widths.end(), [](auto& a, auto& b) {
                return a->lastUse < b->lastUse;
            });
            widths.erase(oldest);
        }
        auto table = std::make_unique<WidthTable>();
        table->face = face;
        table->size = size;
        table->lastUse = clock;
        SInt16 widest = 0;
        for (int b = 0; b < 256; ++b) {
            SInt16 w = 0;
            if (!IsControl(UInt8(b))) {
                FT_Fixed advance = 0;
                if (FT_Get_Advance(face->ft, face->glyphOfByte[b], FT_LOAD_NO_SCALE, &advance) == 0)
                    w = SInt16(
                        std::min<SInt64>(DivRound(SInt64(advance) * size, face->upem), 32767));
            }
            table->width[b] = w;
            widest = std::max(widest, w);
        }
        SInt32 asc = DivRoundUp(SInt64(face->ascender) * size, face->upem);
        SInt32 desc = DivRoundUp(-SInt64(face->descender) * size, face->upem);
        SInt32 gap = face->height - (face->ascender - face->descender);
        table->ascent = SInt16(std::clamp<SInt32>(asc, 0, 32767));
        table->descent = SInt16(std::clamp<SInt32>(desc, 0, 32767));
        table->leading =
            SInt16(std::clamp<SInt32>(DivRound(SInt64(gap) * size, face->upem), 0, 32767));
        table->widMax = widest;
        widths.push_back(std::move(table));
        return widths.back().get();
    }

    // -----------------------------------------------------------------------
    // Strikes and glyph rendering (device pixels)

    Strike* StrikeFor(Face* face, SInt32 pixelSize, SInt32 scale, Style style) {
        ++clock;
        Strike* s = lastStrike;
        if (!(s && s->face == face && s->pixelSize == pixelSize && s->scale == scale &&
              s->style == style)) {
            s = nullptr;
            for (auto& c : strikes)
                if (c->face == face && c->pixelSize == pixelSize && c->scale == scale &&
                    c->style == style) {
                    s = c.get();
                    break;
                }
            if (!s) {
                constexpr std::size_t kMaxStrikes = 48;
                if (strikes.size() >= kMaxStrikes) {
                    auto oldest =
                        std::min_element(strikes.begin(), strikes.end(),
                                         [](auto& a, auto& b) { return a->lastUse < b->lastUse; });
                    Drop(**oldest);
                    strikes.erase(oldest);
                }
                auto fresh = std::make_unique<Strike>();
                fresh->face = face;
                fresh->pixelSize = pixelSize;
                fresh->scale = scale;
                fresh->style = style;
                strikes.push_back(std::move(fresh));
                s = strikes.back().get();
            }
            lastStrike = s;
        }
        s->lastUse = clock;
        return s;
    }

    void Drop(Strike& s) {
        bytes -= s.bytes;
        glyphCount -= s.glyphs.size();
        s.bytes = 0;
        s.glyphs.clear();
        s.byByte.fill(nullptr);
    }

    // Frees glyphs, least recently used strikes first, until `need` more
    // bytes fit; `keep` goes last.
    void MakeRoom(std::size_t need, Strike* keep) {
        while (bytes + need > limit) {
            Strike* victim = nullptr;
            for (auto& s : strikes)
                if (s.get() != keep && s->bytes > 0 && (!victim || s->lastUse < victim->lastUse))
                    victim = s.get();
            if (!victim) victim = keep;
            if (!victim || victim->bytes == 0) break;
            Drop(*victim);
        }
    }

    // Renders a glyph into coverage; false when FreeType cannot.
    bool Render(Strike& s, UInt32 gid, CachedGlyph* out) {
        Face& face = *s.face;
        if (face.pixelSize != s.pixelSize) {
            if (FT_Set_Pixel_Sizes(face.ft, 0, FT_UInt(s.pixelSize)) != 0) return false;
            face.pixelSize = s.pixelSize;
        }
        if (FT_Load_Glyph(face.ft, gid, FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_LIGHT) != 0)
            return false;
        FT_GlyphSlot slot = face.ft->glyph;
        if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
            if (s.style & italic) {
                // About 12 degrees, sheared about the baseline.
                FT_Matrix shear{0x10000, 0x3800, 0, 0x10000};
                FT_Outline_Transform(&slot->outline, &shear);
            }
            if (s.style & bold) {
                // One logical pixel wider; FreeType grows it to the right,
                // where the extra pixel of advance makes room.
                FT_Pos strength = 64 * s.scale;
                FT_Outline_EmboldenXY(&slot->outline, strength, 0);
            }
        }
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return false;
        const FT_Bitmap& bm = slot->bitmap;
        SInt32 w = SInt32(bm.width), h = SInt32(bm.rows);
        std::vector<UInt8> cover(std::size_t(w) * std::size_t(h));
        for (SInt32 y = 0; y < h; ++y) {
            const unsigned char* row = bm.buffer + SInt64(y) * bm.pitch;
            for (SInt32 x = 0; x < w; ++x) {
                UInt8 v = 0;
                if (bm.pixel_mode == FT_PIXEL_MODE_GRAY)
                    v = bm.num_grays == 256
                            ? row[x]
                            : UInt8(SInt32(row[x]) * 255 / std::max(1, bm.num_grays - 1));
                else if (bm.pixel_mode == FT_PIXEL_MODE_MONO)
                    v = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
                cover[std::size_t(y) * w + x] = v;
            }
        }
        SInt32 left = slot->bitmap_left, top = slot->bitmap_top;
        if (s.style & (outline | shadow)) Hollow(s.style, s.scale, &cover, &w, &h, &left, &top);
        out->left = left;
        out->top = top;
        out->width = w;
        out->height = h;
        out->bits = std::make_unique<UInt8[]>(cover.size() ? cover.size() : 1);
        if (!cover.empty()) std::memcpy(out->bits.get(), cover.data(), cover.size());
        ++renders;
        return true;
    }

    // Outline: the glyph grown by r pixels minus the glyph itself. Shadow adds
    // the grown glyph again, r pixels lower and to the right.
    static void Hollow(Style style, SInt32 r, std::vector<UInt8>* cover, SInt32* w, SInt32* h,
                       SInt32* left, SInt32* top) {
        SInt32 extra = (style & shadow) ? r : 0;
        SInt32 W = *w + 2 * r + extra, H = *h + 2 * r + extra;
        std::vector<UInt8> fill(std::size_t(W) * H, 0), grown(std::size_t(W) * H, 0);
        for (SInt32 y = 0; y < *h; ++y)
            std::memcpy(&fill[std::size_t(y + r) * W + r], &(*cover)[std::size_t(y) * *w],
                        std::size_t(*w));
        // A separable maximum over a (2r+1)-pixel square.
        std::vector<UInt8> across(std::size_t(W) * H, 0);
        for (SInt32 y = 0; y < H; ++y)
            for (SInt32 x = 0; x < W; ++x) {
                UInt8 m = 0;
                for (SInt32 d = -r; d <= r; ++d)
                    if (x + d >= 0 && x + d < W) m = std::max(m, fill[std::size_t(y) * W + x + d]);
                across[std::size_t(y) * W + x] = m;
            }
        for (SInt32 y = 0; y < H; ++y)
            for (SInt32 x = 0; x < W; ++x) {
                UInt8 m = 0;
                for (SInt32 d = -r; d <= r; ++d)
                    if (y + d >= 0 && y + d < H)
                        m = std::max(m, across[std::size_t(y + d) * W + x]);
                grown[std::size_t(y) * W + x] = m;
            }
        std::vector<UInt8> out(std::size_t(W) * H, 0);
        for (SInt32 y = 0; y < H; ++y)
            for (SInt32 x = 0; x < W; ++x) {
                SInt32 g = grown[std::size_t(y) * W + x];
                if (extra && x >= extra && y >= extra)
                    g = std::max<SInt32>(g, grown[std::size_t(y - extra) * W + x - extra]);
                SInt32 v = g - fill[std::size_t(y) * W + x];
                out[std::size_t(y) * W + x] = UInt8(std::max(0, v));
            }
        *cover = std::move(out);
        *w = W;
        *h = H;
        *left -= r;
        *top += r;
    }

    // The cached glyph of a byte, rendering it on a miss; null when it has no
    // image.
    const CachedGlyph* GlyphFor(Strike& s, UInt8 ch) {
        if (const CachedGlyph* g = s.byByte[ch]) return g;
        if (IsControl(ch)) return nullptr;
        UInt32 gid = s.face->glyphOfByte[ch];
        auto it = s.glyphs.find(gid);
        if (it == s.glyphs.end()) {
            CachedGlyph fresh;
            if (!Render(s, gid, &fresh)) return nullptr;
            std::size_t size = std::size_t(fresh.width) * std::size_t(fresh.height);
            MakeRoom(size, &s);
            it = s.glyphs.emplace(gid, std::move(fresh)).first;
            s.bytes += size;
            bytes += size;
            ++glyphCount;
        }
        s.byByte[ch] = &it->second;
        return &it->second;
    }
};

// ---------------------------------------------------------------------------
// Blending

namespace {

// d moved toward s by a/255, each channel rounded exactly; the top byte of d
// is kept. a = 255 gives s exactly.
inline UInt32 Lerp(UInt32 d, UInt32 s, UInt32 a) {
    UInt32 na = 255 - a;
    UInt32 rb = (s & 0xFF00FF) * a + (d & 0xFF00FF) * na + 0x800080;
    rb = ((rb + ((rb >> 8) & 0xFF00FF)) >> 8) & 0xFF00FF;
    UInt32 g = (s & 0xFF00) * a + (d & 0xFF00) * na + 0x8000;
    g = ((g + ((g >> 8) & 0xFF00)) >> 8) & 0xFF00;
    return (d & 0xFF000000) | rb | g;
}

struct Surface {
    UInt32* pixels;
    SInt32 stride; // in pixels
    KsRect bounds;
};

// Calls fn(rect) for each part of box inside both the clip and the image.
template <typename Fn>
void ForEachClipped(const Surface& surf, const KsRgn& clip, const KsRect& box, Fn&& fn) {
    KsRect b = box.Intersect(surf.bounds);
    if (b.IsEmpty()) return;
    for (KsRect c : clip.Rects()) {
        if (c.bottom <= b.top) continue;
        if (c.top >= b.bottom) break; // bands are sorted by top
        KsRect part = c.Intersect(b);
        if (!part.IsEmpty()) fn(part);
    }
}

void FillBox(const Surface& surf, const KsRgn& clip, const KsRect& box, UInt32 color) {
    ForEachClipped(surf, clip, box, [&](const KsRect& r) {
        for (SInt32 y = r.top; y < r.bottom; ++y) {
            UInt32* p = surf.pixels + SInt64(y) * surf.stride;
            for (SInt32 x = r.left; x < r.right; ++x)
                p[x] = (p[x] & 0xFF000000) | color;
        }
    });
}

inline void BlendPixel(UInt32* p, UInt32 a, UInt32 ink) {
    if (a == 255)
        *p = (*p & 0xFF000000) | ink;
    else if (a != 0)
        *p = Lerp(*p, ink, a);
}

#if defined(__SSE2__)
// Four pixels at once, channel for channel the same arithmetic as Lerp (each
// step fits 16 bits: s*a + d*(255-a) + 128 <= 65153), so the result is
// identical; coverage 0 keeps the pixel and 255 gives the ink exactly.
inline void Lerp4(UInt32* p, UInt32 quad, __m128i ink16) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i a16 = _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(quad)), zero);
    const __m128i aa = _mm_unpacklo_epi16(a16, a16);
    const __m128i aLo = _mm_unpacklo_epi32(aa, aa), aHi = _mm_unpackhi_epi32(aa, aa);
    const __m128i full = _mm_set1_epi16(255), half = _mm_set1_epi16(128);
    auto mix = [&](__m128i d16, __m128i a) {
        __m128i t =
            _mm_add_epi16(_mm_mullo_epi16(ink16, a), _mm_mullo_epi16(d16, _mm_sub_epi16(full, a)));
        t = _mm_add_epi16(t, half);
        return _mm_srli_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), 8);
    };
    const __m128i lo = mix(_mm_unpacklo_epi8(d, zero), aLo);
    const __m128i hi = mix(_mm_unpackhi_epi8(d, zero), aHi);
    const __m128i top = _mm_set1_epi32(int(0xFF000000u));
    const __m128i out =
        _mm_or_si128(_mm_andnot_si128(top, _mm_packus_epi16(lo, hi)), _mm_and_si128(top, d));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), out);
}
#endif

template <bool kXor> inline void BlendSpan(UInt32* p, const UInt8* c, SInt32 n, UInt32 ink) {
    SInt32 i = 0;
    if constexpr (!kXor) {
        // Glyph rows are mostly empty: look at four coverage bytes at a time.
#if defined(__SSE2__)
        const __m128i ink16 = _mm_unpacklo_epi8(_mm_set1_epi32(int(ink)), _mm_setzero_si128());
#endif
        for (; i + 4 <= n; i += 4) {
            UInt32 quad;
            std::memcpy(&quad, c + i, 4);
            if (quad == 0) continue;
#if defined(__SSE2__)
            Lerp4(p + i, quad, ink16);
#else
            for (SInt32 k = 0; k < 4; ++k)
                BlendPixel(p + i + k, c[i + k], ink);
#endif
        }
    }
    for (; i < n; ++i) {
        if constexpr (kXor) {
            if (c[i] >= 128) p[i] ^= 0xFFFFFF;
        } else {
            BlendPixel(p + i, c[i], ink);
        }
    }
}

template <bool kXor>
void BlendRects(const Surface& surf, const KsRgn& clip, const KsRect& box, const UInt8* bits,
                SInt32 pitch, UInt32 ink) {
    ForEachClipped(surf, clip, box, [&](const KsRect& r) {
        SInt32 n = r.right - r.left;
        for (SInt32 y = r.top; y < r.bottom; ++y) {
            UInt32* p = surf.pixels + SInt64(y) * surf.stride + r.left;
            if (bits) {
                BlendSpan<kXor>(p, bits + SInt64(y - box.top) * pitch + (r.left - box.left), n,
                                ink);
            } else if constexpr (kXor) {
                for (SInt32 i = 0; i < n; ++i)
                    p[i] ^= 0xFFFFFF;
            } else {
                for (SInt32 i = 0; i < n; ++i)
                    p[i] = (p[i] & 0xFF000000) | ink;
            }
        }
    });
}

// Coverage at (x0, y0) in device pixels, w by h, rows of `pitch` bytes;
// `bits` null means full coverage.
void Blend(const Surface& surf, const KsRgn& clip, SInt32 x0, SInt32 y0, SInt32 w, SInt32 h,
           const UInt8* bits, SInt32 pitch, KsTextMode mode, UInt32 ink) {
    KsRect box{x0, y0, x0 + w, y0 + h};
    if (mode == KsTextMode::kXor)
        BlendRects<true>(surf, clip, box, bits, pitch, ink);
    else
        BlendRects<false>(surf, clip, box, bits, pitch, ink);
}

} // namespace

KsTextMode KsTextModeFor(SInt16 toolboxMode) {
    switch (toolboxMode & 0x0F) {
    case srcCopy:
    case patCopy:
        return KsTextMode::kCopy;
    case srcXor:
    case patXor:
    case notSrcXor:
    case notPatXor:
        return KsTextMode::kXor;
    case srcBic:
    case patBic:
        return KsTextMode::kBic;
    case notSrcCopy:
    case notPatCopy:
        return KsTextMode::kNotCopy;
    default:
        return KsTextMode::kOr;
    }
}

// ---------------------------------------------------------------------------
// Public calls

KsFontEngine::KsFontEngine(std::size_t cacheLimitBytes) : impl_(std::make_unique<Impl>()) {
    impl_->limit = cacheLimitBytes;
}

KsFontEngine::~KsFontEngine() = default;

KsFontEngine& KsFontEngine::Shared() {
    static KsFontEngine* engine = new KsFontEngine(); // lives to the end; drawn from at exit
    return *engine;
}

FontInfo KsFontEngine::Metrics(const KsTextStyle& style) {
    std::lock_guard<std::mutex> hold(impl_->lock);
    FontInfo info{0, 0, 0, 0};
    Face* face = impl_->FaceFor(style.font);
    if (!face) return info;
    const WidthTable* t = impl_->WidthsFor(face, ClampSize(style.size));
    info.ascent = t->ascent;
    info.descent = t->descent;
    info.leading = t->leading;
    info.widMax = SInt16(std::max<SInt32>(0, t->widMax + StyleExtra(style.face)));
    if (style.face & shadow) {
        info.ascent = SInt16(info.ascent + 1);
        info.descent = SInt16(info.descent + 2);
    } else if (style.face & outline) {
        info.ascent = SInt16(info.ascent + 1);
        info.descent = SInt16(info.descent + 1);
    }
    return info;
}

SInt16 KsFontEngine::CharWidth(const KsTextStyle& style, UInt8 ch) {
    return SInt16(std::min<SInt32>(TextWidth(style, &ch, 1), 32767));
}

SInt32 KsFontEngine::TextWidth(const KsTextStyle& style, const UInt8* text, std::size_t length) {
    if (!text || length == 0) return 0;
    std::lock_guard<std::mutex> hold(impl_->lock);
    Face* face = impl_->FaceFor(style.font);
    if (!face) return 0;
    const WidthTable* t = impl_->WidthsFor(face, ClampSize(style.size));
    SInt32 extra = StyleExtra(style.face);
    SInt64 total = 0;
    for (std::size_t i = 0; i < length; ++i)
        if (!IsControl(text[i])) total += std::max<SInt32>(0, t->width[text[i]] + extra);
    return SInt32(std::min<SInt64>(total, 0x7FFFFFFF));
}

KsTextDrawResult KsFontEngine::DrawText(const KsTextTarget& target, const KsTextStyle& style,
                                        KsPoint origin, const UInt8* text, std::size_t length) {
    KsTextDrawResult result;
    if (!text || length == 0 || !target.image || !target.clip) return result;
    std::lock_guard<std::mutex> hold(impl_->lock);
    Face* face = impl_->FaceFor(style.font);
    if (!face) return result;
    SInt32 size = ClampSize(style.size), scale = ClampScale(target.scale);
    const WidthTable* t = impl_->WidthsFor(face, size);
    Strike* strike = impl_->StrikeFor(face, size * scale, scale, RenderStyle(style.face));
    SInt32 extra = StyleExtra(style.face);

    pixman_format_code_t format = pixman_image_get_format(target.image);
    if (format != PIXMAN_x8r8g8b8 && format != PIXMAN_a8r8g8b8) return result;
    Surface surf{
        reinterpret_cast<UInt32*>(pixman_image_get_data(target.image)),
        pixman_image_get_stride(target.image) / 4,
        KsRect{0, 0, pixman_image_get_width(target.image), pixman_image_get_height(target.image)}};
    const KsRgn& clip = *target.clip;
    KsRect clipBox = clip.Bounds().Intersect(surf.bounds);

    SInt64 total = 0;
    for (std::size_t i = 0; i < length; ++i)
        if (!IsControl(text[i])) total += std::max<SInt32>(0, t->width[text[i]] + extra);
    result.width = SInt32(std::min<SInt64>(total, 0x7FFFFFFF));
    SInt64 deviceWidth = std::min<SInt64>(total * scale, 0x3FFFFFFF);

    UInt32 ink = target.foreground & 0xFFFFFF, paper = target.background & 0xFFFFFF;
    KsRect touched;
    auto touch = [&](const KsRect& r) {
        KsRect c = r.Intersect(clipBox);
        if (c.IsEmpty()) return;
        touched =
            touched.IsEmpty()
                ? c
                : KsRect{std::min(touched.left, c.left), std::min(touched.top, c.top),
                         std::max(touched.right, c.right), std::max(touched.bottom, c.bottom)};
    };

    if (target.mode == KsTextMode::kCopy || target.mode == KsTextMode::kNotCopy) {
        FontInfo m{t->ascent, t->descent, 0, 0};
        KsRect box{origin.h, origin.v - m.ascent * scale, SInt32(origin.h + deviceWidth),
                   origin.v + m.descent * scale};
        FillBox(surf, clip, box, target.mode == KsTextMode::kCopy ? paper : ink);
        touch(box);
    }
    UInt32 glyphInk =
        (target.mode == KsTextMode::kBic || target.mode == KsTextMode::kNotCopy) ? paper : ink;

    SInt64 pen = origin.h;
    for (std::size_t i = 0; i < length; ++i) {
        UInt8 ch = text[i];
        if (IsControl(ch)) continue;
        if (const CachedGlyph* g = impl_->GlyphFor(*strike, ch); g && g->width > 0) {
            SInt32 x = SInt32(std::clamp<SInt64>(pen + g->left, -0x3FFFFFFF, 0x3FFFFFFF));
            SInt32 y = origin.v - g->top;
            Blend(surf, clip, x, y, g->width, g->height, g->bits.get(), g->width, target.mode,
                  glyphInk);
            touch(KsRect{x, y, x + g->width, y + g->height});
        }
        pen += SInt64(std::max<SInt32>(0, t->width[ch] + extra)) * scale;
    }

    if ((style.face & underline) && deviceWidth > 0) {
        // One logical pixel thick, one below the baseline.
        KsRect line{origin.h, origin.v + scale, SInt32(origin.h + deviceWidth),
                    origin.v + 2 * scale};
        Blend(surf, clip, line.left, line.top, line.Width(), line.Height(), nullptr, 0, target.mode,
              glyphInk);
        touch(line);
    }
    result.touched = touched;
    return result;
}

bool KsFontEngine::FontNumber(std::string_view name, SInt16* number) {
    std::lock_guard<std::mutex> hold(impl_->lock);
    *number = 0;
    if (name.empty()) return false;
    // Exact classic names first; "Geneva" is font 3 (font 1 only stands for it).
    for (const ClassicFont& f : kClassicFonts)
        if (f.number > kApplicationFont && SameName(name, f.name)) {
            *number = f.number;
            return true;
        }
    if (SameName(name, "Chicago") || SameName(name, "System")) return true; // font 0
    if (SameName(name, "Application")) {
        *number = kApplicationFont;
        return true;
    }
    for (const auto& i : impl_->installed)
        if (SameName(name, i.name)) {
            *number = i.number;
            return true;
        }
    if (impl_->installed.size() >= kMaxInstalledFonts || name.size() > 255) return false;
    std::string family(name);
    std::string path, found;
    int index = 0;
    if (!impl_->MatchFamily(family.c_str(), &path, &index, &found) || found.empty()) return false;
    SInt16 n = SInt16(kKsFirstInstalledFontNumber + impl_->installed.size());
    impl_->installed.push_back({n, found});
    *number = n;
    return true;
}

std::string KsFontEngine::FontName(SInt16 number) {
    std::lock_guard<std::mutex> hold(impl_->lock);
    if (const ClassicFont* f = FindClassic(number)) return f->name;
    for (const auto& i : impl_->installed)
        if (i.number == number) return i.name;
    return {};
}

std::string KsFontEngine::FacePath(SInt16 number) {
    std::lock_guard<std::mutex> hold(impl_->lock);
    Face* face = impl_->FaceFor(number);
    return face ? face->path : std::string();
}

UInt32 KsFontEngine::GlyphIndex(SInt16 number, UInt8 ch) {
    std::lock_guard<std::mutex> hold(impl_->lock);
    Face* face = impl_->FaceFor(number);
    return face ? face->glyphOfByte[ch] : 0;
}

KsFontCacheStats KsFontEngine::CacheStats() {
    std::lock_guard<std::mutex> hold(impl_->lock);
    return {impl_->bytes, impl_->glyphCount, impl_->strikes.size(), impl_->limit, impl_->renders};
}

void KsFontEngine::SetCacheLimit(std::size_t bytes) {
    std::lock_guard<std::mutex> hold(impl_->lock);
    impl_->limit = bytes;
    impl_->MakeRoom(0, nullptr);
}

void KsFontEngine::FlushCache() {
    std::lock_guard<std::mutex> hold(impl_->lock);
    for (auto& s : impl_->strikes)
        impl_->Drop(*s);
}
