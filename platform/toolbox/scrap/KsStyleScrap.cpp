// The 'styl' reader and writer, and the scrap calls that pair it with 'TEXT'.
#include "KsStyleScrap.h"

#include "KsHandle.h"
#include "KsImagePrivate.h" // KsByteReader
#include "Scrap.h"
#include "XError.h"

#include <iterator>

namespace {

constexpr const char* kBadStyle = "TBX_BAD_STYLE_SCRAP";
constexpr ResType kText = FourCharCode("TEXT");
constexpr ResType kStyl = FourCharCode("styl");
constexpr Style kKnownFaces = 0x7F; // bold through extend

const EMMessage kMessages[] = {
    {"TBX_BAD_STYLE_SCRAP", "The styled text is damaged: {what} (at offset {offset}).", nullptr},
};

struct RegisterMessages {
    RegisterMessages() { EMRegisterMessages(kMessages, int(std::size(kMessages))); }
} gRegisterMessages;

[[noreturn]] void Bad(const char* what, std::size_t offset) {
    xraisexerror(kBadStyle, "str what", what, "long offset", long(offset));
}

// The rules a run must keep, shared by reader and writer. `previous` is the
// start of the run before it, or -1 for the first.
void CheckRun(const KsStyleRun& run, SInt32 previous, SInt32 textLength, std::size_t offset) {
    if (previous < 0 && run.start != 0) Bad("the first run does not start the text", offset);
    if (previous >= 0 && run.start <= previous) Bad("the runs are out of order", offset);
    if (run.start > 0 && run.start >= textLength) Bad("a run starts past the text", offset);
    if (run.height < 0 || run.ascent < 0) Bad("a negative line height or ascent", offset);
    if (run.size < 0) Bad("a negative font size", offset);
}

void CheckCount(std::size_t count) {
    if (count == 0) Bad("no runs", 0);
    if (count > kKsMaxStyleRuns) Bad("more runs than the count can hold", 0);
}

void PutBE(std::string& out, UInt32 value, int bytes) {
    for (int shift = (bytes - 1) * 8; shift >= 0; shift -= 8)
        out += char(UInt8(value >> shift));
}

} // namespace

std::vector<KsStyleRun> KsReadStyleScrap(const void* data, std::size_t size, SInt32 textLength) {
    if (textLength < 0) Bad("a negative text length", 0);
    KsByteReader in(static_cast<const UInt8*>(data), size, kBadStyle);
    const SInt16 count = in.S16("the run count");
    if (count <= 0) Bad("no runs", 0);
    CheckCount(std::size_t(count));
    // The size is checked before anything is allocated for the runs.
    if (in.Remaining() != std::size_t(count) * kKsStyleRunBytes)
        Bad("the size does not match the run count", in.Offset());
    std::vector<KsStyleRun> runs;
    runs.reserve(std::size_t(count));
    SInt32 previous = -1;
    for (SInt16 i = 0; i < count; ++i) {
        const std::size_t at = in.Offset();
        KsStyleRun r;
        r.start = SInt32(in.U32("a run start"));
        r.height = in.S16("a line height");
        r.ascent = in.S16("an ascent");
        r.font = in.S16("a font");
        r.face = Style(in.U8("a face") & kKnownFaces);
        in.Skip(1, "the filler");
        r.size = in.S16("a size");
        r.color.red = in.U16("a colour");
        r.color.green = in.U16("a colour");
        r.color.blue = in.U16("a colour");
        CheckRun(r, previous, textLength, at);
        previous = r.start;
        runs.push_back(r);
    }
    return runs;
}

std::string KsWriteStyleScrap(const std::vector<KsStyleRun>& runs, SInt32 textLength) {
    if (textLength < 0) Bad("a negative text length", 0);
    CheckCount(runs.size());
    std::string out;
    out.reserve(2 + runs.size() * kKsStyleRunBytes);
    PutBE(out, UInt32(runs.size()), 2);
    SInt32 previous = -1;
    for (const KsStyleRun& r : runs) {
        CheckRun(r, previous, textLength, out.size());
        previous = r.start;
        PutBE(out, UInt32(r.start), 4);
        PutBE(out, UInt16(r.height), 2);
        PutBE(out, UInt16(r.ascent), 2);
        PutBE(out, UInt16(r.font), 2);
        PutBE(out, UInt32(r.face & kKnownFaces) << 8, 2); // face, filler
        PutBE(out, UInt16(r.size), 2);
        PutBE(out, r.color.red, 2);
        PutBE(out, r.color.green, 2);
        PutBE(out, r.color.blue, 2);
    }
    return out;
}

SInt32 KsPutStyledScrap(const void* text, SInt32 length, const std::vector<KsStyleRun>& runs) {
    // Encoded first: runs that do not fit the text leave the scrap as it was.
    const std::string styl = KsWriteStyleScrap(runs, length);
    ZeroScrap();
    if (SInt32 err = PutScrap(length, kText, text); err != noErr) return err;
    return PutScrap(SInt32(styl.size()), kStyl, styl.data());
}

bool KsGetStyledScrap(std::string* text, std::vector<KsStyleRun>* runs) {
    runs->clear();
    Handle h = KsNewHandle(0);
    if (!h) xraisexerror("SYS_ERROR", "short OSErr", memFullErr);
    struct Disposer {
        Handle h;
        ~Disposer() { KsDisposeHandle(h); }
    } disposer{h};
    const SInt32 length = GetScrap(h, kText, nullptr);
    if (length < 0) return false;
    text->assign(*h, std::size_t(length));
    const SInt32 stylLength = GetScrap(h, kStyl, nullptr);
    if (stylLength >= 0) *runs = KsReadStyleScrap(*h, std::size_t(stylLength), length);
    return true;
}
