#include "MacText.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "AStream.h"
#include "KsHandle.h"
#include "KsPortSavers.h"
#include "QuickDraw.h"
#include "Resources.h"
#include "XError.h"

namespace {
constexpr OSType kStrType = 0x53545220; // 'STR '

SInt16 Width16(long n) {
    return SInt16(std::min<long>(n, 32767));
}
} // namespace

MacText* MacText::New(const char* text, SInt16 font, SInt16 size, SInt16 face) {
    auto* t = new MacText;
    t->font_ = font;
    t->size_ = size;
    t->face_ = face;
    t->SetText(text);
    return t;
}

MacText* MacText::NewFromRsrc(OSType type, SInt16 id) {
    Handle h = GetResource(type, id);
    if (!h || !*h) return nullptr;
    const long size = KsGetHandleSize(h);
    const char* p = *h;
    long n = size;
    if (type == kStrType) { // a Pascal string
        n = size > 0 ? std::min<long>(UInt8(p[0]), size - 1) : 0;
        p += 1;
    }
    auto* t = new MacText;
    // The text ends at its first NUL, if it has one.
    t->text_.assign(p, strnlen(p, size_t(n)));
    return t;
}

MacText::~MacText() = default;

AObject* MacText::Copy() {
    return CopyText();
}

MacText* MacText::CopyText() const {
    MacText* t = New(GetText(), font_, size_, face_);
    t->just_ = just_;
    t->inlay_ = inlay_;
    return t;
}

void MacText::SetText(const char* text) {
    // assign keeps the storage when the text fits, and may take text_'s own
    // characters.
    text_.assign(text ? text : "", text ? strnlen(text, size_t(kMaxLength)) : 0);
}

long MacText::GetText(char* buf, long len) const {
    if (!buf || len <= 0) return 0;
    const long n = std::min(GetLength(), len - 1);
    if (n > 0) std::memcpy(buf, GetText(), size_t(n));
    buf[n] = 0;
    return n;
}

bool MacText::Equals(const char* text) const {
    return std::strcmp(GetText(), text ? text : "") == 0;
}

void MacText::SetFontSizeFace(SInt16 font, SInt16 size, SInt16 face) {
    font_ = font;
    size_ = size;
    face_ = face;
}

void MacText::GetMetrics(SInt16* ascent, SInt16* descent, SInt16* leading) const {
    StTextIn st(font_, size_, face_);
    FontInfo fi{};
    GetFontInfo(&fi);
    if (ascent) *ascent = fi.ascent;
    if (descent) *descent = fi.descent;
    if (leading) *leading = fi.leading;
}

SInt16 MacText::GetWidth() const {
    if (text_.empty()) return 0;
    StTextIn st(font_, size_, face_);
    return TextWidth(GetText(), 0, Width16(GetLength()));
}

void MacText::DrawInColor(const KsRect& r, const KsRGBColor& fg, const KsRGBColor& bg,
                          SInt16 mode) const {
    GrafPtr port = nullptr;
    GetPort(&port);
    if (!port || r.IsEmpty()) return;
    StTextIn st(font_, size_, face_);
    StColorPenSaver pen;
    // The text is clipped to r within the current clip. A rectangular clip
    // (the usual one: panes clip to rectangles) is narrowed as a rectangle;
    // any other shape goes through regions.
    StClipSaver clip;
    const Rect rr = ToRect(r);
    if (KsRgnIsRect(port->clipRgn)) {
        const Rect c = ToRect(ToKsRect(KsRgnBounds(port->clipRgn)).Intersect(r));
        ClipRect(&c);
    } else {
        RgnHandle within = NewRgn();
        RectRgn(within, &rr);
        SectRgn(within, clip.Saved(), within);
        SetClip(within);
        DisposeRgn(within);
    }

    const RGBColor f = ToRGBColor(fg), b = ToRGBColor(bg);
    RGBBackColor(&b);
    if (mode == 0) EraseRect(&rr);
    if (!text_.empty()) {
        FontInfo fi{};
        GetFontInfo(&fi);
        const SInt16 w = TextWidth(GetText(), 0, Width16(GetLength()));
        SInt32 h = r.left + 2;
        if (just_ < 0)
            h = r.right - 2 - w;
        else if (just_ > 0)
            h = r.left + (r.Width() - w) / 2;
        const SInt32 textHeight = fi.ascent + fi.descent;
        SInt32 v = r.top + (r.Height() - textHeight) / 2 + fi.ascent;
        if (inlay_) {
            const RGBColor white = ToRGBColor(RGBwhite);
            RGBForeColor(&white);
            MoveTo(ClampToSInt16(h), ClampToSInt16(v + 1));
            DrawText(GetText(), 0, Width16(GetLength()));
        }
        RGBForeColor(&f);
        MoveTo(ClampToSInt16(h), ClampToSInt16(v));
        DrawText(GetText(), 0, Width16(GetLength()));
    }
}

void WriteMacText(AStream& stream, const MacText* text) {
    stream.PutBool("hasText", text != nullptr);
    if (!text) return;
    stream.PutCString("text", text->GetText());
    stream.PutShort("font", text->GetFont());
    stream.PutShort("size", text->GetSize());
    stream.PutShort("face", text->GetFace());
    stream.PutShort("just", text->GetJust());
    stream.PutBool("inlay", text->GetInlay());
}

MacText* ReadMacText(AStream& stream) {
    if (!stream.GetBool("hasText")) return nullptr;
    // The stream bounds the string by what it holds; SetText cuts it.
    const std::string text = stream.GetString("text");
    const SInt16 font = stream.GetShort("font");
    const SInt16 size = stream.GetShort("size");
    const SInt16 face = stream.GetShort("face");
    const SInt16 just = stream.GetShort("just");
    const bool inlay = stream.GetBool("inlay");
    MacText* t = MacText::New(text.c_str(), font, size, face);
    t->SetJust(just);
    t->SetInlay(inlay);
    return t;
}
