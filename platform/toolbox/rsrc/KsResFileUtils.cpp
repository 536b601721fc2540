#include "KsResFileUtils.h"

#include "KsHandle.h"
#include "Resources.h"

#include <cstring>

namespace {
class StResFile {
public:
    explicit StResFile(SInt16 file) : saved_(CurResFile()) { UseResFile(file); }
    ~StResFile() { UseResFile(saved_); }
    StResFile(const StResFile&) = delete;
    StResFile& operator=(const StResFile&) = delete;

private:
    SInt16 saved_;
};
} // namespace

Handle KsGet1Resource(ResType type, SInt16 id, ConstStr255Param name, SInt16 fileRef) {
    StResFile use(fileRef);
    if (CurResFile() != fileRef) return nullptr;
    if (name && name[0] != 0) return Get1NamedResource(type, name);
    return Get1Resource(type, id);
}

SInt16 KsUnique1IDbase(ResType type, SInt16 fileRef, SInt16 base) {
    StResFile use(fileRef);
    if (CurResFile() != fileRef) return 0;
    SInt32 id = base < 128 ? 128 : base;
    for (SInt32 tries = 0; tries < 32768 - 128; ++tries) {
        Handle h = Get1Resource(type, SInt16(id));
        if (!h) return SInt16(id);
        id = id >= 32767 ? 128 : id + 1;
    }
    return 0;
}

OSErr UpdateRsrcH(ResType type, SInt16 id, ConstStr255Param name, SInt16 fileRef, Handle data) {
    if (!data) return addResFailed;
    StResFile use(fileRef);
    if (CurResFile() != fileRef) return resFNotFound;
    Str255 empty{};
    ConstStr255Param n = name ? name : empty;
    if (Handle old = Get1Resource(type, id)) {
        const Size size = KsGetHandleSize(data);
        if (!KsSetHandleSize(old, size)) return KsGetMemError();
        if (size) std::memcpy(*old, *data, std::size_t(size));
        SetResInfo(old, id, n);
        ChangedResource(old);
    } else {
        Handle copy = KsCopyHand(data);
        if (!copy) return KsGetMemError();
        AddResource(copy, type, id, n);
        if (OSErr err = ResError()) {
            KsDisposeHandle(copy);
            return err;
        }
    }
    if (OSErr err = ResError()) return err;
    UpdateResFile(fileRef);
    return ResError();
}
