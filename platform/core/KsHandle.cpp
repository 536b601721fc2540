#include "KsHandle.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {
// The master pointer is the first member, so a Handle is the address of this
// block. The magic value catches a pointer passed where a handle belongs.
struct MasterBlock {
    char* data;
    Size size;
    UInt32 magic;
};
constexpr UInt32 kMagic = 0x4B734864; // 'KsHd'
constexpr UInt32 kDead = 0x64656164;

// Pointer blocks carry their size in front of the bytes handed out.
struct PtrHeader {
    Size size;
    UInt32 magic;
    UInt32 pad;
};
constexpr UInt32 kPtrMagic = 0x4B735074; // 'KsPt'

thread_local OSErr gMemError = noErr;

MasterBlock* Block(Handle h) {
    auto* b = reinterpret_cast<MasterBlock*>(h);
    return (b && b->magic == kMagic) ? b : nullptr;
}

bool SizeOk(Size size) {
    return size >= 0 && size <= kKsMaxHandleSize;
}
} // namespace

OSErr KsGetMemError() {
    return gMemError;
}

Handle KsNewHandle(Size size) {
    if (!SizeOk(size)) {
        gMemError = memFullErr;
        return nullptr;
    }
    auto* b = new (std::nothrow) MasterBlock{nullptr, size, kMagic};
    // calloc(0) may answer null; always hold a real block so *h is never null.
    char* data = b ? static_cast<char*>(std::calloc(size_t(size ? size : 1), 1)) : nullptr;
    if (!data) {
        delete b;
        gMemError = memFullErr;
        return nullptr;
    }
    b->data = data;
    gMemError = noErr;
    return reinterpret_cast<Handle>(b);
}

Handle KsNewHandleFrom(const void* data, Size size) {
    Handle h = KsNewHandle(size);
    if (h && size > 0) std::memcpy(*h, data, size_t(size));
    return h;
}

void KsDisposeHandle(Handle h) {
    MasterBlock* b = Block(h);
    if (!b) {
        gMemError = h ? nilHandleErr : noErr;
        return;
    }
    std::free(b->data);
    b->data = nullptr;
    b->magic = kDead;
    delete b;
    gMemError = noErr;
}

Size KsGetHandleSize(Handle h) {
    MasterBlock* b = Block(h);
    gMemError = (b || !h) ? noErr : nilHandleErr;
    return b ? b->size : 0;
}

bool KsIsHandle(Handle h) {
    return Block(h) != nullptr;
}

bool KsSetHandleSize(Handle h, Size size) {
    MasterBlock* b = Block(h);
    if (!b) {
        gMemError = nilHandleErr;
        return false;
    }
    if (!SizeOk(size)) {
        gMemError = memFullErr;
        return false;
    }
    char* data = static_cast<char*>(std::realloc(b->data, size_t(size ? size : 1)));
    if (!data) {
        gMemError = memFullErr;
        return false;
    }
    if (size > b->size) std::memset(data + b->size, 0, size_t(size - b->size));
    b->data = data;
    b->size = size;
    gMemError = noErr;
    return true;
}

Handle KsCopyHand(Handle h) {
    MasterBlock* b = Block(h);
    if (!b) {
        gMemError = h ? nilHandleErr : noErr;
        return nullptr;
    }
    return KsNewHandleFrom(b->data, b->size);
}

Ptr KsNewPtr(Size size) {
    if (!SizeOk(size)) {
        gMemError = memFullErr;
        return nullptr;
    }
    auto* p = static_cast<PtrHeader*>(std::calloc(sizeof(PtrHeader) + size_t(size), 1));
    if (!p) {
        gMemError = memFullErr;
        return nullptr;
    }
    p->size = size;
    p->magic = kPtrMagic;
    gMemError = noErr;
    return reinterpret_cast<Ptr>(p + 1);
}

void KsDisposePtr(Ptr p) {
    if (!p) return;
    PtrHeader* hdr = reinterpret_cast<PtrHeader*>(p) - 1;
    if (hdr->magic != kPtrMagic) {
        gMemError = paramErr;
        return;
    }
    hdr->magic = 0;
    std::free(hdr);
    gMemError = noErr;
}

Size KsGetPtrSize(Ptr p) {
    if (!p) return 0;
    PtrHeader* hdr = reinterpret_cast<PtrHeader*>(p) - 1;
    return hdr->magic == kPtrMagic ? hdr->size : 0;
}
