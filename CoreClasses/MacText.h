// MacText: a styled string that draws itself in a rectangle.
//
// The string is kept whole (Mac OS Roman bytes, NUL-terminated); panes use
// it for labels, captions and help texts. Font, size, face, justification
// (-1 right, 0 left, 1 centre) and an inlay switch (text drawn a pixel lower,
// engraved) travel with it. Made with New / NewFromRsrc, destroyed with
// Dispose.
#pragma once

#include "AObject.h"
#include "KsColor.h"
#include "KsGeometry.h"
#include "KsMacTypes.h"

#include <string>

class AStream;

class MacText : public AObject {
    KS_DECLARE_CLASS(MacText, AObject)

    // Texts longer than this are cut when set: a caption is not a document.
    static constexpr long kMaxLength = 32767;

    static MacText* New(const char* text, SInt16 font = 1, SInt16 size = 11, SInt16 face = 0);
    // The text of the resource of that type and ID; null when there is none.
    static MacText* NewFromRsrc(OSType type, SInt16 id);

    ~MacText() override;
    MacText(const MacText&) = delete;
    MacText& operator=(const MacText&) = delete;

    AObject* Copy() override;
    MacText* CopyText() const;

    const char* GetText() const { return text_.c_str(); }
    long GetLength() const { return long(text_.size()); }
    bool IsEmpty() const { return text_.empty(); }
    void SetText(const char* text);
    // Copies at most len - 1 bytes and terminates; answers the bytes copied.
    long GetText(char* buf, long len) const;
    bool Equals(const char* text) const;

    SInt16 GetFont() const { return font_; }
    SInt16 GetSize() const { return size_; }
    SInt16 GetFace() const { return face_; }
    void SetFontSizeFace(SInt16 font, SInt16 size, SInt16 face);
    SInt16 GetJust() const { return just_; }
    void SetJust(SInt16 just) { just_ = just; }
    bool GetInlay() const { return inlay_; }
    void SetInlay(bool on) { inlay_ = on; }

    // Metrics in the text's font, measured in the current port (or a private
    // one when there is none); the port's text state is left as it was.
    void GetMetrics(SInt16* ascent, SInt16* descent, SInt16* leading) const;
    SInt16 GetWidth() const;

    // Draws the text inside r, clipped to it, in fg on bg (mode 1: the text
    // only; mode 0 also erases r in bg). Port state is restored afterwards.
    void DrawInColor(const KsRect& r, const KsRGBColor& fg, const KsRGBColor& bg,
                     SInt16 mode) const;

private:
    MacText() = default;
    // Set again, a text that fits is written in place: a tip changing on a
    // pointer move does not allocate.
    std::string text_;
    SInt16 font_ = 1;
    SInt16 size_ = 11;
    SInt16 face_ = 0;
    SInt16 just_ = 0;
    bool inlay_ = false;
};

// A text item of a pane record; a null text is written as absent. Reading
// answers a new MacText or null, never more than the stream holds.
void WriteMacText(AStream& stream, const MacText* text);
MacText* ReadMacText(AStream& stream);
