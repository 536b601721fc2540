// Region handles: the toolbox header and a KsRgn in one handle block.
//
// Sections: handles and their header; the algebra; queries; recording
// (OpenRgn / CloseRgn); BitMapToRegion.
#include "KsPortPrivate.h"
#include "KsShapes.h"

#include "KsFatal.h"
#include "KsHandle.h"
#include "XError.h"

#include <algorithm>
#include <new>
#include <vector>

namespace {

constexpr OSErr rgnTooBigErr = -500;
// More rectangles than this from one bitmap is refused (rgnTooBigErr): the
// classic limit was far lower, and nothing needs such a region.
constexpr std::size_t kMaxBitmapRects = std::size_t(1) << 20;

KsRgnBlock* Block(RgnHandle rgn) {
    FtlAssert(rgn && *rgn);
    return reinterpret_cast<KsRgnBlock*>(*rgn);
}

// The size the classic band encoding of the region would at most take: kKsRectRgnSize
// for an empty or rectangular region, always more for any other shape.
UInt16 EncodedSize(const KsRgn& r) {
    std::size_t n = r.RectCount();
    if (n <= 1) return kKsRectRgnSize;
    std::size_t size = 12 + 16 * n;
    return size > 0xFFFF ? 0xFFFF : UInt16(size);
}

// The recording block behind port->rgnSave: a region block, then the
// recording itself.
struct Recording {
    KsRgn acc;                 // frames and finished paths so far
    std::vector<KsPoint> path; // the line path being drawn
};
struct SaveBlock {
    KsRgnBlock base;
    Recording* rec;
};

Recording* RecordingOf(GrafPtr port) {
    if (!port || !port->rgnSave) return nullptr;
    return reinterpret_cast<SaveBlock*>(*port->rgnSave)->rec;
}

void FlushPath(Recording* rec) {
    if (rec->path.size() >= 3) rec->acc.Xor(KsPolyRgn(rec->path.data(), int(rec->path.size())));
    rec->path.clear();
}

} // namespace

// ---- Handles and their header -----------------------------------------------

KsRgn& KsRgnRef(RgnHandle rgn) {
    return Block(rgn)->rgn;
}

void KsRgnSync(RgnHandle rgn) {
    KsRgnBlock* b = Block(rgn);
    b->header.rgnSize = EncodedSize(b->rgn);
    b->header.rgnBBox = ToRect(b->rgn.Bounds());
}

RgnHandle NewRgn() {
    Handle h = KsNewHandle(sizeof(KsRgnBlock));
    if (!h) return nullptr;
    auto* b = reinterpret_cast<KsRgnBlock*>(*h);
    new (&b->rgn) KsRgn();
    b->header.rgnSize = kKsRectRgnSize;
    return reinterpret_cast<RgnHandle>(h);
}

void DisposeRgn(RgnHandle rgn) {
    if (!rgn) return;
    Block(rgn)->rgn.~KsRgn();
    KsDisposeHandle(reinterpret_cast<Handle>(rgn));
}

KsRgn RgnHandleToKsRgn(RgnHandle rgn) {
    return KsRgnRef(rgn);
}

void KsRgnToRgnHandle(const KsRgn& src, RgnHandle dst) {
    KsRgnRef(dst) = src;
    KsRgnSync(dst);
}

RgnHandle KsNewRgnFrom(const KsRgn& src) {
    RgnHandle h = NewRgn();
    if (h) KsRgnToRgnHandle(src, h);
    return h;
}

// ---- The algebra ------------------------------------------------------------

void CopyRgn(RgnHandle src, RgnHandle dst) {
    if (src == dst) return;
    KsRgnToRgnHandle(KsRgnRef(src), dst);
}

void SetEmptyRgn(RgnHandle rgn) {
    KsRgnRef(rgn).SetEmpty();
    KsRgnSync(rgn);
}

void SetRectRgn(RgnHandle rgn, SInt16 left, SInt16 top, SInt16 right, SInt16 bottom) {
    KsRgnRef(rgn).SetRect({left, top, right, bottom});
    KsRgnSync(rgn);
}

void RectRgn(RgnHandle rgn, const Rect* r) {
    SetRectRgn(rgn, r->left, r->top, r->right, r->bottom);
}

void OffsetRgn(RgnHandle rgn, SInt16 dh, SInt16 dv) {
    if (dh == 0 && dv == 0) return;
    KsRgnRef(rgn).Offset(dh, dv);
    KsRgnSync(rgn);
}

void InsetRgn(RgnHandle rgn, SInt16 dh, SInt16 dv) {
    KsRgnRef(rgn).Inset(dh, dv);
    KsRgnSync(rgn);
}

// dst may be a or b: the operands are read before dst is written.
void SectRgn(RgnHandle a, RgnHandle b, RgnHandle dst) {
    KsRgnToRgnHandle(KsRgnRef(a) & KsRgnRef(b), dst);
}
void UnionRgn(RgnHandle a, RgnHandle b, RgnHandle dst) {
    KsRgnToRgnHandle(KsRgnRef(a) | KsRgnRef(b), dst);
}
void DiffRgn(RgnHandle a, RgnHandle b, RgnHandle dst) {
    KsRgnToRgnHandle(KsRgnRef(a) - KsRgnRef(b), dst);
}
void XorRgn(RgnHandle a, RgnHandle b, RgnHandle dst) {
    KsRgnToRgnHandle(KsRgnRef(a) ^ KsRgnRef(b), dst);
}

// ---- Queries ----------------------------------------------------------------

Boolean RectInRgn(const Rect* r, RgnHandle rgn) {
    return KsRgnRef(rgn).Overlaps(ToKsRect(*r));
}
Boolean PtInRgn(Point pt, RgnHandle rgn) {
    return KsRgnRef(rgn).Contains(ToKsPoint(pt));
}
Boolean EmptyRgn(RgnHandle rgn) {
    return KsRgnRef(rgn).IsEmpty();
}
Boolean EqualRgn(RgnHandle a, RgnHandle b) {
    return KsRgnRef(a) == KsRgnRef(b);
}

// ---- Recording --------------------------------------------------------------

// The pen stays hidden while the region is open, so the outline is recorded,
// not drawn.
void OpenRgn() {
    GrafPtr port = KsThePort();
    FtlAssert(port->rgnSave == nullptr); // one recording per port at a time
    Handle h = KsNewHandle(sizeof(SaveBlock));
    if (!h) xraisexerror("SYS_ERROR", "short OSErr", memFullErr);
    auto* sb = reinterpret_cast<SaveBlock*>(*h);
    new (&sb->base.rgn) KsRgn();
    sb->base.header.rgnSize = kKsRectRgnSize;
    sb->rec = new Recording;
    port->rgnSave = reinterpret_cast<RgnHandle>(h);
    HidePen();
}

void CloseRgn(RgnHandle dst) {
    GrafPtr port = KsThePort();
    Recording* rec = RecordingOf(port);
    FtlAssert(rec != nullptr); // CloseRgn without OpenRgn
    FlushPath(rec);
    KsRgn result = std::move(rec->acc);
    auto* sb = reinterpret_cast<SaveBlock*>(*port->rgnSave);
    delete rec;
    sb->base.rgn.~KsRgn();
    KsDisposeHandle(reinterpret_cast<Handle>(port->rgnSave));
    port->rgnSave = nullptr;
    ShowPen();
    KsRgnToRgnHandle(result, dst);
}

bool KsIsRecordingRgn(GrafPtr port) {
    return RecordingOf(port) != nullptr;
}

void KsRecordShape(GrafPtr port, const KsRgn& shape) {
    if (Recording* rec = RecordingOf(port)) rec->acc.Xor(shape);
}

// Consecutive lines form one path; a line that does not start where the last
// one ended closes the path and starts another.
void KsRecordLine(GrafPtr port, KsPoint from, KsPoint to) {
    Recording* rec = RecordingOf(port);
    if (!rec) return;
    if (!rec->path.empty() && !(rec->path.back() == from)) FlushPath(rec);
    if (rec->path.empty()) rec->path.push_back(from);
    rec->path.push_back(to);
}

// ---- BitMapToRegion ---------------------------------------------------------

OSErr BitMapToRegion(RgnHandle region, const BitMap* bits) {
    if (!region || !bits) return paramErr;
    const KsRect b = ToKsRect(bits->bounds);
    const SInt32 width = b.Width(), height = b.Height();
    if (width < 0 || height < 0) return paramErr;
    if (width == 0 || height == 0) {
        SetEmptyRgn(region);
        return noErr;
    }
    if (!bits->baseAddr || bits->rowBytes <= 0 || (width + 7) / 8 > bits->rowBytes) return paramErr;

    const auto* base = reinterpret_cast<const UInt8*>(bits->baseAddr);
    std::vector<KsRect> out;
    std::vector<SInt32> prev, cur; // runs of the last band and of this row, as x pairs
    SInt32 bandTop = 0;
    auto emit = [&](SInt32 bottom) {
        if (out.size() + prev.size() / 2 > kMaxBitmapRects) return false;
        for (std::size_t i = 0; i < prev.size(); i += 2)
            out.push_back(
                {b.left + prev[i], b.top + bandTop, b.left + prev[i + 1], b.top + bottom});
        return true;
    };
    for (SInt32 y = 0; y < height; ++y) {
        const UInt8* row = base + std::size_t(y) * std::size_t(bits->rowBytes);
        cur.clear();
        bool inRun = false;
        for (SInt32 x = 0; x < width; ++x) {
            const UInt8 byte = row[x >> 3];
            // Whole bytes that continue the current state are skipped at once.
            if ((x & 7) == 0 && x + 8 <= width && byte == (inRun ? 0xFF : 0x00)) {
                x += 7;
                continue;
            }
            const bool set = (byte >> (7 - (x & 7))) & 1;
            if (set != inRun) {
                cur.push_back(x);
                inRun = set;
            }
        }
        if (inRun) cur.push_back(width);
        if (y == 0 || cur != prev) {
            if (y > 0 && !emit(y)) {
                SetEmptyRgn(region);
                return rgnTooBigErr;
            }
            prev.swap(cur);
            bandTop = y;
        }
    }
    if (!emit(height)) {
        SetEmptyRgn(region);
        return rgnTooBigErr;
    }
    KsRgnToRgnHandle(KsRgn(out.data(), out.size()), region);
    return noErr;
}
