#include "APortable.h"

#include "AMemStream.h"
#include "KsMisuse.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>

AObject* APortable::Copy() {
    AMemStream stream;
    stream.PutObject(nullptr, this);
    stream.Rewind();
    return stream.GetObject(nullptr);
}

APortable::~APortable() {
    if (itsReadStream) itsReadStream->ForgetReadObject(itsReadIndex);
}

OSType APortable::GetClassID() const {
    SubclassResponsibility("GetClassID");
    return 0; // not reached
}

void APortable::Put(AStream&) {}

void APortable::Get(AStream&) {}

void APortable::PutObjectToStream(AStream& stream, const char* label) {
    stream.PutObject(label, this);
}

void APortable::GetObjectFromStream(AStream& stream) {
    Get(stream);
}

// ---------------------------------------------------------------------------
// Registry. Entries are never removed, so the pointers handed out stay valid.

namespace {
struct Entry {
    PClassEntry entry;
    std::string name;
};

struct Registry {
    std::mutex lock;
    std::map<OSType, std::unique_ptr<Entry>> byID;
    std::map<std::string, Entry*, std::less<>> byName;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}
} // namespace

void PClassAdd(OSType classID, const char* name, PClassFactory factory) {
    if (!name || !*name || !factory) KsMisuse("PClassAdd without a name or factory", name);
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> g(r.lock);
    auto byID = r.byID.find(classID);
    auto byName = r.byName.find(std::string_view(name));
    if (byID != r.byID.end() || byName != r.byName.end()) {
        if (byID == r.byID.end() || byName == r.byName.end() ||
            byName->second != byID->second.get())
            KsMisuse("PClassAdd with a class ID or name that another class has", name);
        byID->second->entry.factory = factory;
        return;
    }
    auto e = std::make_unique<Entry>();
    e->name = name;
    e->entry = {classID, e->name.c_str(), factory};
    r.byName.emplace(e->name, e.get());
    r.byID.emplace(classID, std::move(e));
}

const PClassEntry* PClassFindByID(OSType classID) {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> g(r.lock);
    auto it = r.byID.find(classID);
    return it == r.byID.end() ? nullptr : &it->second->entry;
}

const PClassEntry* PClassFindByName(const char* name) {
    if (!name) return nullptr;
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> g(r.lock);
    auto it = r.byName.find(std::string_view(name));
    return it == r.byName.end() ? nullptr : &it->second->entry;
}

APortable* PClassNew(OSType classID) {
    const PClassEntry* e = PClassFindByID(classID);
    return e ? e->factory() : nullptr;
}
