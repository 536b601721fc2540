// The resource manager.
//
// Sections: state (files, resources, the chain), opening and closing, writing,
// lookups, information and changes.
//
// Each open file keeps its whole image in memory; a resource's bytes are read
// from the image when its handle is first asked for. Each file has a hash
// index from (type, ID) to its resource, so that a lookup costs one probe.
#include "Resources.h"

#include "KsHandle.h"
#include "KsMacRoman.h"
#include "ResourceFormatPrivate.h"
#include "ResourcesPrivate.h"
#include "XError.h"

#include <algorithm>
#include <cerrno>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

const EMMessage kMessages[] = {
    {"RSRC_OPEN_FAILED", "The resource file \"{path}\" could not be opened.", nullptr},
};

struct RegisterMessages {
    RegisterMessages() { EMRegisterMessages(kMessages, int(std::size(kMessages))); }
} gRegisterMessages;

struct ResFile;

struct Res {
    ResFile* file = nullptr;
    ResType type = 0;
    SInt16 id = 0;
    UInt8 attrs = 0;
    bool hasName = false;
    std::string name;
    const UInt8* data = nullptr; // bytes on disk, inside the file's image
    UInt32 length = 0;
    Handle handle = nullptr; // while loaded, or the caller's block for an added one
};

struct ResFile {
    SInt16 refNum = 0;
    std::string path; // empty for the compiled-in resources
    bool writable = false;
    UInt16 attrs = 0;
    dev_t dev = 0;
    ino_t ino = 0;
    std::vector<UInt8> image;
    std::vector<std::unique_ptr<Res>> resources; // file order
    std::unordered_map<std::uint64_t, Res*> index;
};

std::uint64_t Key(ResType type, SInt16 id) {
    return (std::uint64_t(type) << 16) | UInt16(id);
}

struct Manager {
    std::vector<std::unique_ptr<ResFile>> chain; // bottom first: framework, application, opened
    bool hasApplication = false;
    SInt16 current = kKsFrameworkResFile;
    SInt16 nextRefNum = 1;
    OSErr error = noErr;
    std::unordered_map<Handle, Res*> handles;
};

void LoadImage(ResFile& file, const UInt8* bytes, std::size_t size) {
    KsResMap map = KsReadResourceMap(bytes, size);
    file.attrs = map.fileAttrs;
    file.resources.clear();
    file.index.clear();
    file.resources.reserve(map.records.size());
    file.index.reserve(map.records.size());
    for (KsResRecord& rec : map.records) {
        auto res = std::make_unique<Res>();
        res->file = &file;
        res->type = rec.type;
        res->id = rec.id;
        res->attrs = UInt8(rec.attrs & ~resChanged);
        res->hasName = rec.hasName;
        res->name = std::move(rec.name);
        res->data = rec.data;
        res->length = rec.length;
        file.index.emplace(Key(res->type, res->id), res.get());
        file.resources.push_back(std::move(res));
    }
}

Manager& M() {
    static Manager* manager = [] {
        auto* m = new Manager;
        auto framework = std::make_unique<ResFile>();
        framework->refNum = kKsFrameworkResFile;
        LoadImage(*framework, kKsFrameworkResources, kKsFrameworkResourcesSize);
        framework->attrs |= mapReadOnly;
        m->chain.push_back(std::move(framework));
        return m;
    }();
    return *manager;
}

OSErr SetError(OSErr err) {
    return M().error = err;
}

std::size_t Position(SInt16 refNum) {
    Manager& m = M();
    for (std::size_t i = 0; i < m.chain.size(); ++i)
        if (m.chain[i]->refNum == refNum) return i;
    return std::size_t(-1);
}

ResFile* FindFile(SInt16 refNum) {
    std::size_t at = Position(refNum);
    return at == std::size_t(-1) ? nullptr : M().chain[at].get();
}

ResFile* CurrentFile() {
    return FindFile(M().current);
}

Res* FindRes(Handle h) {
    if (!h) return nullptr;
    Manager& m = M();
    auto it = m.handles.find(h);
    return it == m.handles.end() ? nullptr : it->second;
}

std::string PascalToString(ConstStr255Param s) {
    return s ? std::string(reinterpret_cast<const char*>(s + 1), s[0]) : std::string();
}

OSErr ErrnoToOSErr(int err) {
    switch (err) {
    case ENOENT:
    case ENOTDIR:
        return fnfErr;
    case EACCES:
    case EPERM:
    case EROFS:
        return permErr;
    case ENOSPC:
        return -34; // dskFulErr
    default:
        return ioErr;
    }
}

Handle Load(Res* res) {
    if (res->handle) return res->handle;
    Handle h = KsNewHandleFrom(res->data, Size(res->length));
    if (!h) {
        SetError(memFullErr);
        return nullptr;
    }
    res->handle = h;
    M().handles.emplace(h, res);
    return h;
}

// The resource `file` lookups start at: the current file, or the top one
// when the current file was closed behind the caller's back.
std::size_t SearchStart() {
    std::size_t at = Position(M().current);
    return at == std::size_t(-1) ? M().chain.size() - 1 : at;
}

Res* Find1(ResFile* file, ResType type, SInt16 id) {
    auto it = file->index.find(Key(type, id));
    return it == file->index.end() ? nullptr : it->second;
}

Res* Find1Named(ResFile* file, ResType type, const std::string& name) {
    for (auto& res : file->resources)
        if (res->type == type && res->hasName && res->name == name) return res.get();
    return nullptr;
}

Handle Answer(Res* res) {
    if (!res) {
        SetError(resNotFound);
        return nullptr;
    }
    SetError(noErr);
    return Load(res);
}

bool Writable(ResFile* file) {
    if (file->writable) return true;
    SetError(wrPermErr);
    return false;
}

void Unload(Res* res) {
    if (res->handle) {
        M().handles.erase(res->handle);
        KsDisposeHandle(res->handle);
        res->handle = nullptr;
    }
}

bool Changed(const ResFile& file) {
    if (file.attrs & mapChanged) return true;
    for (const auto& res : file.resources)
        if (res->attrs & resChanged) return true;
    return false;
}

// Writes the file's image with its pending changes; answers false (ResError
// set) when nothing could be written, leaving memory and disk as they were.
bool Write(ResFile* file) {
    if (file->path.empty() || (file->attrs & mapReadOnly) || !Changed(*file)) return true;
    if (!Writable(file)) return false;

    KsResMap map;
    map.fileAttrs = UInt16(file->attrs & ~mapChanged);
    map.records.reserve(file->resources.size());
    for (const auto& res : file->resources) {
        KsResRecord rec;
        rec.type = res->type;
        rec.id = res->id;
        rec.attrs = UInt8(res->attrs & ~resChanged);
        rec.hasName = res->hasName;
        rec.name = res->name;
        if (res->attrs & resChanged) {
            rec.data = reinterpret_cast<const UInt8*>(*res->handle);
            rec.length = UInt32(KsGetHandleSize(res->handle));
        } else {
            rec.data = res->data;
            rec.length = res->length;
        }
        map.records.push_back(std::move(rec));
    }
    std::vector<UInt32> offsets;
    std::vector<UInt8> image = KsWriteResourceMap(map, &offsets);
    if (int err = KsResWriteFileAtomically(file->path.c_str(), image.data(), image.size())) {
        SetError(ErrnoToOSErr(err));
        return false;
    }
    file->image = std::move(image);
    for (std::size_t i = 0; i < file->resources.size(); ++i) {
        Res* res = file->resources[i].get();
        res->data = file->image.data() + offsets[i];
        res->length = map.records[i].length;
        res->attrs = UInt8(res->attrs & ~resChanged);
    }
    file->attrs = UInt16(file->attrs & ~mapChanged);
    struct stat st;
    if (stat(file->path.c_str(), &st) == 0) {
        file->dev = st.st_dev;
        file->ino = st.st_ino;
    }
    return true;
}

void Drop(std::size_t at) {
    Manager& m = M();
    ResFile* file = m.chain[at].get();
    for (auto& res : file->resources)
        Unload(res.get());
    const bool wasCurrent = m.current == file->refNum;
    if (at == 1 && m.hasApplication) m.hasApplication = false;
    m.chain.erase(m.chain.begin() + std::ptrdiff_t(at));
    if (wasCurrent) m.current = m.chain.back()->refNum;
}

SInt16 Open(const char* path, SInt8 permission, bool application) {
    Manager& m = M();
    if (!path || !*path) {
        SetError(fnfErr);
        return -1;
    }
    struct stat st;
    if (stat(path, &st) != 0) {
        SetError(ErrnoToOSErr(errno));
        return -1;
    }
    for (auto& file : m.chain)
        if (!file->path.empty() && file->dev == st.st_dev && file->ino == st.st_ino) {
            m.current = file->refNum;
            SetError(noErr);
            return file->refNum;
        }
    const bool canWrite = access(path, W_OK) == 0;
    bool writable = false;
    switch (permission) {
    case fsRdPerm:
        break;
    case fsCurPerm:
        writable = canWrite;
        break;
    default:
        if (!canWrite) {
            SetError(permErr);
            return -1;
        }
        writable = true;
        break;
    }
    auto file = std::make_unique<ResFile>();
    if (int err = KsResReadFile(path, &file->image)) {
        SetError(ErrnoToOSErr(err));
        return -1;
    }
    try {
        LoadImage(*file, file->image.data(), file->image.size());
    } catch (XError& error) {
        error.PushLevel("RSRC_OPEN_FAILED", "str path", path);
        SetError(mapReadErr);
        throw;
    }
    file->path = path;
    file->writable = writable;
    file->dev = st.st_dev;
    file->ino = st.st_ino;
    // Reference numbers are never reused while the process runs, so a stale
    // number names no file rather than the wrong one.
    file->refNum = m.nextRefNum++;
    const SInt16 refNum = file->refNum;
    if (application) {
        if (m.hasApplication) {
            Write(m.chain[1].get());
            Drop(1);
        }
        m.chain.insert(m.chain.begin() + 1, std::move(file));
        m.hasApplication = true;
    } else {
        m.chain.push_back(std::move(file));
    }
    m.current = refNum;
    SetError(noErr);
    return refNum;
}

} // namespace

// Opening and closing ---------------------------------------------------------

SInt16 KsOpenResFile(const char* path, SInt8 permission) {
    return Open(path, permission, false);
}

SInt16 OpenResFile(ConstStr255Param fileName) {
    return KsOpenResFile(KsMacRomanToUTF8(PascalToString(fileName)).c_str(), fsCurPerm);
}

SInt16 KsOpenApplicationResFile(const char* path, SInt8 permission) {
    return Open(path, permission, true);
}

void KsCreateResFile(const char* path) {
    if (!path || !*path) {
        SetError(fnfErr);
        return;
    }
    struct stat st;
    if (stat(path, &st) == 0) {
        SetError(dupFNErr);
        return;
    }
    std::vector<UInt8> image = KsWriteResourceMap(KsResMap{});
    int err = KsResWriteFileAtomically(path, image.data(), image.size());
    SetError(err ? ErrnoToOSErr(err) : noErr);
}

void CreateResFile(ConstStr255Param fileName) {
    KsCreateResFile(KsMacRomanToUTF8(PascalToString(fileName)).c_str());
}

void CloseResFile(SInt16 refNum) {
    std::size_t at = Position(refNum);
    if (at == std::size_t(-1)) {
        SetError(resFNotFound);
        return;
    }
    if (refNum == kKsFrameworkResFile) {
        SetError(noErr);
        return;
    }
    // A failed write still closes the file (the old contents stay on disk);
    // ResError tells the caller.
    bool written = Write(M().chain[at].get());
    OSErr err = M().error;
    Drop(at);
    SetError(written ? noErr : err);
}

void UpdateResFile(SInt16 refNum) {
    ResFile* file = FindFile(refNum);
    if (!file) {
        SetError(resFNotFound);
        return;
    }
    if (Write(file)) SetError(noErr);
}

SInt16 CurResFile() {
    return M().current;
}

void UseResFile(SInt16 refNum) {
    if (!FindFile(refNum)) {
        SetError(resFNotFound);
        return;
    }
    M().current = refNum;
    SetError(noErr);
}

OSErr ResError() {
    return M().error;
}

SInt16 GetResFileAttrs(SInt16 refNum) {
    ResFile* file = FindFile(refNum);
    SetError(file ? noErr : resFNotFound);
    return file ? SInt16(file->attrs) : 0;
}

void SetResFileAttrs(SInt16 refNum, SInt16 attrs) {
    ResFile* file = FindFile(refNum);
    if (!file) {
        SetError(resFNotFound);
        return;
    }
    if (!file->path.empty()) file->attrs = UInt16(attrs) | mapChanged;
    SetError(noErr);
}

// Lookups ---------------------------------------------------------------------

Handle Get1Resource(ResType type, SInt16 id) {
    ResFile* file = CurrentFile();
    return Answer(file ? Find1(file, type, id) : nullptr);
}

Handle GetResource(ResType type, SInt16 id) {
    Manager& m = M();
    for (std::size_t i = SearchStart() + 1; i-- > 0;)
        if (Res* res = Find1(m.chain[i].get(), type, id)) return Answer(res);
    return Answer(nullptr);
}

Handle Get1NamedResource(ResType type, ConstStr255Param name) {
    ResFile* file = CurrentFile();
    return Answer(file ? Find1Named(file, type, PascalToString(name)) : nullptr);
}

Handle GetNamedResource(ResType type, ConstStr255Param name) {
    Manager& m = M();
    std::string wanted = PascalToString(name);
    for (std::size_t i = SearchStart() + 1; i-- > 0;)
        if (Res* res = Find1Named(m.chain[i].get(), type, wanted)) return Answer(res);
    return Answer(nullptr);
}

namespace {

// Resources of a type visible from the current file, nearest first, each ID
// once. `limit` stops early (0: all).
std::vector<Res*> Visible(ResType type, bool oneFile, std::size_t limit) {
    Manager& m = M();
    std::vector<Res*> out;
    std::unordered_set<SInt16> seen;
    std::size_t start = SearchStart();
    std::size_t stop = oneFile ? start : 0;
    for (std::size_t i = start + 1; i-- > stop;) {
        for (auto& res : m.chain[i]->resources)
            if (res->type == type && seen.insert(res->id).second) {
                out.push_back(res.get());
                if (limit && out.size() == limit) return out;
            }
    }
    return out;
}

std::vector<ResType> VisibleTypes(bool oneFile) {
    Manager& m = M();
    std::vector<ResType> out;
    std::unordered_set<ResType> seen;
    std::size_t start = SearchStart();
    std::size_t stop = oneFile ? start : 0;
    for (std::size_t i = start + 1; i-- > stop;)
        for (auto& res : m.chain[i]->resources)
            if (seen.insert(res->type).second) out.push_back(res->type);
    return out;
}

SInt16 Clamp(std::size_t n) {
    return SInt16(std::min<std::size_t>(n, 32767));
}

Handle Indexed(ResType type, SInt16 index, bool oneFile) {
    if (index < 1) return Answer(nullptr);
    std::vector<Res*> list = Visible(type, oneFile, std::size_t(index));
    return Answer(list.size() == std::size_t(index) ? list.back() : nullptr);
}

void IndexedType(ResType* type, SInt16 index, bool oneFile) {
    std::vector<ResType> types = VisibleTypes(oneFile);
    bool found = index >= 1 && std::size_t(index) <= types.size();
    if (type) *type = found ? types[std::size_t(index) - 1] : 0;
    SetError(found ? noErr : resNotFound);
}

SInt16 FreeID(ResType type, bool oneFile) {
    Manager& m = M();
    std::size_t start = SearchStart();
    std::size_t stop = oneFile ? start : 0;
    for (SInt32 id = 128; id <= 32767; ++id) {
        bool used = false;
        for (std::size_t i = start + 1; !used && i-- > stop;)
            used = Find1(m.chain[i].get(), type, SInt16(id)) != nullptr;
        if (!used) {
            SetError(noErr);
            return SInt16(id);
        }
    }
    SetError(addResFailed);
    return 0;
}

} // namespace

SInt16 CountResources(ResType type) {
    SetError(noErr);
    return Clamp(Visible(type, false, 0).size());
}

SInt16 Count1Resources(ResType type) {
    SetError(noErr);
    return Clamp(Visible(type, true, 0).size());
}

Handle GetIndResource(ResType type, SInt16 index) {
    return Indexed(type, index, false);
}
Handle Get1IndResource(ResType type, SInt16 index) {
    return Indexed(type, index, true);
}

SInt16 CountTypes() {
    SetError(noErr);
    return Clamp(VisibleTypes(false).size());
}

SInt16 Count1Types() {
    SetError(noErr);
    return Clamp(VisibleTypes(true).size());
}

void GetIndType(ResType* type, SInt16 index) {
    IndexedType(type, index, false);
}
void Get1IndType(ResType* type, SInt16 index) {
    IndexedType(type, index, true);
}

SInt16 Unique1ID(ResType type) {
    return FreeID(type, true);
}
SInt16 UniqueID(ResType type) {
    return FreeID(type, false);
}

// Information and changes ---------------------------------------------------

void GetResInfo(Handle resource, SInt16* id, ResType* type, StringPtr name) {
    Res* res = FindRes(resource);
    if (!res) {
        SetError(resNotFound);
        return;
    }
    if (id) *id = res->id;
    if (type) *type = res->type;
    if (name) {
        name[0] = UInt8(res->hasName ? res->name.size() : 0);
        std::copy(res->name.begin(), res->name.begin() + name[0], name + 1);
    }
    SetError(noErr);
}

void SetResInfo(Handle resource, SInt16 id, ConstStr255Param name) {
    Res* res = FindRes(resource);
    if (!res) {
        SetError(resNotFound);
        return;
    }
    ResFile* file = res->file;
    if (!Writable(file)) return;
    if (res->attrs & resProtected) {
        SetError(resAttrErr);
        return;
    }
    // Two resources of one type and ID in a file would make lookups ambiguous.
    if (id != res->id) {
        if (Find1(file, res->type, id)) {
            SetError(resAttrErr);
            return;
        }
        file->index.erase(Key(res->type, res->id));
        res->id = id;
        file->index.emplace(Key(res->type, id), res);
    }
    if (name) {
        res->hasName = name[0] > 0;
        res->name = PascalToString(name);
    }
    file->attrs |= mapChanged;
    SetError(noErr);
}

SInt16 GetResAttrs(Handle resource) {
    Res* res = FindRes(resource);
    SetError(res ? noErr : resNotFound);
    return res ? SInt16(res->attrs) : 0;
}

void SetResAttrs(Handle resource, SInt16 attrs) {
    Res* res = FindRes(resource);
    if (!res) {
        SetError(resNotFound);
        return;
    }
    if (!Writable(res->file)) return;
    // resChanged belongs to the manager: it says whose bytes UpdateResFile writes.
    res->attrs = UInt8((attrs & ~resChanged) | (res->attrs & resChanged));
    res->file->attrs |= mapChanged;
    SetError(noErr);
}

SInt16 HomeResFile(Handle resource) {
    Res* res = FindRes(resource);
    SetError(res ? noErr : resNotFound);
    return res ? res->file->refNum : -1;
}

Size GetResourceSizeOnDisk(Handle resource) {
    Res* res = FindRes(resource);
    SetError(res ? noErr : resNotFound);
    if (!res) return -1;
    return (res->attrs & resChanged) ? KsGetHandleSize(res->handle) : Size(res->length);
}

void AddResource(Handle data, ResType type, SInt16 id, ConstStr255Param name) {
    ResFile* file = CurrentFile();
    if (!data || !file || FindRes(data) || !KsIsHandle(data)) {
        SetError(addResFailed);
        return;
    }
    if (!Writable(file)) return;
    if (Find1(file, type, id)) {
        SetError(addResFailed);
        return;
    }
    auto res = std::make_unique<Res>();
    res->file = file;
    res->type = type;
    res->id = id;
    res->attrs = resChanged;
    res->hasName = name && name[0] > 0;
    res->name = PascalToString(name);
    res->handle = data;
    M().handles.emplace(data, res.get());
    file->index.emplace(Key(type, id), res.get());
    file->resources.push_back(std::move(res));
    file->attrs |= mapChanged;
    SetError(noErr);
}

void RemoveResource(Handle resource) {
    Res* res = FindRes(resource);
    if (!res) {
        SetError(rmvResFailed);
        return;
    }
    ResFile* file = res->file;
    if (!Writable(file)) return;
    if (res->attrs & resProtected) {
        SetError(rmvResFailed);
        return;
    }
    M().handles.erase(resource);
    file->index.erase(Key(res->type, res->id));
    auto it = std::find_if(file->resources.begin(), file->resources.end(),
                           [res](const auto& p) { return p.get() == res; });
    file->resources.erase(it);
    file->attrs |= mapChanged;
    SetError(noErr);
}

void ChangedResource(Handle resource) {
    Res* res = FindRes(resource);
    if (!res) {
        SetError(resNotFound);
        return;
    }
    if (!Writable(res->file)) return;
    if (res->attrs & resProtected) {
        SetError(resAttrErr);
        return;
    }
    res->attrs |= resChanged;
    res->file->attrs |= mapChanged;
    SetError(noErr);
}

void WriteResource(Handle resource) {
    Res* res = FindRes(resource);
    if (!res) {
        SetError(resNotFound);
        return;
    }
    if (Write(res->file)) SetError(noErr);
}

void ReleaseResource(Handle resource) {
    Res* res = FindRes(resource);
    if (!res) {
        SetError(resNotFound);
        return;
    }
    if (res->attrs & resChanged) {
        SetError(resAttrErr);
        return;
    }
    Unload(res);
    SetError(noErr);
}

void DetachResource(Handle resource) {
    Res* res = FindRes(resource);
    if (!res) {
        SetError(resNotFound);
        return;
    }
    if (res->attrs & resChanged) {
        SetError(resAttrErr);
        return;
    }
    M().handles.erase(resource);
    res->handle = nullptr;
    SetError(noErr);
}
