// Cursors: the current cursor, its visibility, and the resource decoders.
#include "Cursors.h"

#include "KsBackend.h"
#include "KsFatal.h"
#include "KsHandle.h"
#include "Resources.h"
#include "XError.h"

#include <cstring>
#include <iterator>
#include <map>

namespace {

const EMMessage kMessages[] = {
    {"TBX_CURSOR_BAD", "The cursor resource is damaged: {what} ({size} bytes).", nullptr},
};

struct RegisterMessages {
    RegisterMessages() { EMRegisterMessages(kMessages, int(std::size(kMessages))); }
} gRegisterMessages;

constexpr ResType kCURS = FourCharCode("CURS");
constexpr ResType kCrsr = FourCharCode("crsr");
constexpr std::size_t kCURSSize = 68;
constexpr std::size_t kCrsrHeader = 96;

// What the back end is asked to show: a system cursor or an image.
struct Shape {
    bool standard = true;
    KsStandardCursor kind = KsStandardCursor::arrow;
    KsCursorImage image{};

    bool operator==(const Shape& o) const {
        if (standard != o.standard) return false;
        if (standard) return kind == o.kind;
        return std::memcmp(image.data, o.image.data, sizeof image.data) == 0 &&
               std::memcmp(image.mask, o.image.mask, sizeof image.mask) == 0 &&
               image.hotSpot.v == o.image.hotSpot.v && image.hotSpot.h == o.image.hotSpot.h;
    }
};

struct CursorState {
    Shape shape;
    SInt16 id = kKsArrowCursorID;
    int level = 0;
    bool obscured = false;
    bool onScreen = false;            // the back end shows `shape`
    std::map<SInt16, Handle> decoded; // GetCursor's native records, one per ID

    CursorState() = default;
    CursorState(const CursorState&) = delete;
    CursorState& operator=(const CursorState&) = delete;
    ~CursorState() {
        for (auto& [id, h] : decoded)
            KsDisposeHandle(h);
    }
};

CursorState& State() {
    static CursorState state;
    return state;
}

bool Showing(const CursorState& s) {
    return s.level == 0 && !s.obscured;
}

void Send(CursorState& s) {
    KsBackend* backend = KsGetBackend();
    if (!backend) return;
    if (s.shape.standard)
        backend->SetStandardCursor(s.shape.kind);
    else
        backend->SetCursor(s.shape.image);
    s.onScreen = true;
}

void SendHidden(CursorState& s) {
    if (KsBackend* backend = KsGetBackend()) backend->SetStandardCursor(KsStandardCursor::hidden);
    s.onScreen = false;
}

// Cursors are set on every idle pass; an unchanged one costs nothing.
void Use(const Shape& shape, SInt16 id) {
    CursorState& s = State();
    s.id = id;
    if (shape == s.shape && (s.onScreen || !Showing(s))) return;
    s.shape = shape;
    if (Showing(s)) Send(s);
}

Shape Standard(KsStandardCursor kind) {
    Shape shape;
    shape.kind = kind;
    return shape;
}

// Use(Standard(kind), id), without building and comparing a whole image for
// the system cursor the pointer mostly already shows.
void UseStandard(KsStandardCursor kind, SInt16 id) {
    CursorState& s = State();
    if (s.shape.standard && s.shape.kind == kind && (s.onScreen || !Showing(s))) {
        s.id = id;
        return;
    }
    Use(Standard(kind), id);
}

Shape Image(const Cursor& c) {
    Shape shape;
    shape.standard = false;
    for (int row = 0; row < 16; ++row) {
        shape.image.data[row] = UInt16(c.data[row]);
        shape.image.mask[row] = UInt16(c.mask[row]);
    }
    shape.image.hotSpot = c.hotSpot;
    return shape;
}

SInt16 Get16(const UInt8* p) {
    return SInt16(UInt16((p[0] << 8) | p[1]));
}

// Data, mask and hot spot as laid out in 'CURS' and in the one-bit part of 'crsr'.
void ReadRecord(const UInt8* p, Cursor* out) {
    for (int row = 0; row < 16; ++row) {
        out->data[row] = Get16(p + 2 * row);
        out->mask[row] = Get16(p + 32 + 2 * row);
    }
    out->hotSpot.v = Get16(p + 64);
    out->hotSpot.h = Get16(p + 66);
}

[[noreturn]] void Bad(const char* what, std::size_t size) {
    xraisexerror("TBX_CURSOR_BAD", "str what", what, "long size", std::int64_t(size));
}

// The system cursor that stands for a classic system ID; false for others.
bool SystemCursor(SInt16 id, KsStandardCursor* kind) {
    switch (id) {
    case iBeamCursor:
        *kind = KsStandardCursor::iBeam;
        return true;
    case crossCursor:
        *kind = KsStandardCursor::cross;
        return true;
    case plusCursor:
        *kind = KsStandardCursor::plus;
        return true;
    case watchCursor:
        *kind = KsStandardCursor::watch;
        return true;
    default:
        return false;
    }
}

bool FromResource(ResType type, SInt16 id) {
    Handle h = GetResource(type, id);
    if (!h) return false;
    Cursor c;
    const auto* bytes = reinterpret_cast<const UInt8*>(*h);
    const auto size = std::size_t(KsGetHandleSize(h));
    if (type == kCURS)
        KsDecodeCURS(bytes, size, &c);
    else
        KsDecodeCrsr(bytes, size, &c);
    Use(Image(c), id);
    return true;
}

OSErr ByID(SInt16 id, ResType first, ResType second) {
    if (FromResource(first, id) || FromResource(second, id)) return noErr;
    KsStandardCursor kind;
    if (SystemCursor(id, &kind)) {
        UseStandard(kind, id);
        return noErr;
    }
    return resNotFound;
}

} // namespace

void KsDecodeCURS(const UInt8* bytes, std::size_t size, Cursor* out) {
    if (!bytes || size != kCURSSize) Bad("a 'CURS' resource is 68 bytes", size);
    ReadRecord(bytes, out);
}

void KsDecodeCrsr(const UInt8* bytes, std::size_t size, Cursor* out) {
    if (!bytes || size < kCrsrHeader) Bad("a 'crsr' resource is shorter than its header", size);
    const UInt16 type = UInt16(Get16(bytes));
    if (type != 0x8000 && type != 0x8001) Bad("the 'crsr' type is neither 0x8000 nor 0x8001", size);
    ReadRecord(bytes + 20, out); // after type, map, data, expanded data, valid, handle
}

void InitCursor() {
    CursorState& s = State();
    s.level = 0;
    s.obscured = false;
    s.shape = Standard(KsStandardCursor::arrow);
    s.id = kKsArrowCursorID;
    Send(s);
}

void SetCursor(const Cursor* cursor) {
    FtlAssert(cursor != nullptr);
    Use(Image(*cursor), kKsImageCursorID);
}

void SetArrowCursor() {
    UseStandard(KsStandardCursor::arrow, kKsArrowCursorID);
}

void SetWatchCursor() {
    UseStandard(KsStandardCursor::watch, kKsBusyCursorID);
}

CursHandle GetCursor(SInt16 id) {
    Handle h = GetResource(kCURS, id);
    if (!h) return nullptr;
    Cursor c;
    KsDecodeCURS(reinterpret_cast<const UInt8*>(*h), std::size_t(KsGetHandleSize(h)), &c);
    Handle& mine = State().decoded[id];
    if (!mine) mine = KsNewHandle(Size(sizeof(Cursor)));
    if (!mine) return nullptr;
    std::memcpy(*mine, &c, sizeof c);
    return reinterpret_cast<CursHandle>(mine);
}

OSErr SetCursorByID(SInt16 id) {
    return ByID(id, kCURS, kCrsr);
}

OSErr KsSetCCursor(SInt16 id) {
    return ByID(id, kCrsr, kCURS);
}

void HideCursor() {
    CursorState& s = State();
    if (Showing(s)) SendHidden(s);
    --s.level;
}

void ShowCursor() {
    CursorState& s = State();
    if (s.level == 0) return;
    if (++s.level == 0 && !s.obscured) Send(s);
}

void ObscureCursor() {
    CursorState& s = State();
    if (s.obscured) return;
    s.obscured = true;
    if (s.level == 0) SendHidden(s);
}

void KsCursorMouseMoved() {
    CursorState& s = State();
    if (!s.obscured) return;
    s.obscured = false;
    if (s.level == 0) Send(s);
}

SInt16 KsGetCursorID() {
    return State().id;
}

bool KsIsCursorVisible() {
    return Showing(State());
}

int KsGetCursorLevel() {
    return State().level;
}
