#include "CoreAttrList.h"

#include "KsFatal.h"
#include <cstring>

namespace {
// FNV-1a: short keys, no allocation, good enough spread for a probe table.
UInt32 HashName(std::string_view name) {
    UInt32 h = 2166136261u;
    for (unsigned char c : name) {
        h ^= c;
        h *= 16777619u;
    }
    return h;
}
} // namespace

bool CoreAttr::operator==(const CoreAttr& other) const {
    return type_ == other.type_ && value_ == other.value_ && name_ == other.name_ &&
           bytes_ == other.bytes_;
}

CoreAttrList::CoreAttrList(const CoreAttrList& other)
    : entries_(other.entries_), index_(other.index_) {}

CoreAttrList& CoreAttrList::operator=(const CoreAttrList& other) {
    if (this != &other) {
        entries_ = other.entries_;
        index_ = other.index_;
    }
    return *this;
}

// ---- lookup ----

const CoreAttr* CoreAttrList::Find(std::string_view name) const {
    if (index_.empty()) return nullptr;
    UInt32 hash = HashName(name);
    size_t mask = index_.size() - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        UInt32 at = index_[slot];
        if (at == 0) return nullptr;
        const CoreAttr& e = entries_[at - 1];
        if (e.hash_ == hash && e.name_ == name) return &e;
    }
}

void CoreAttrList::RebuildIndex() {
    size_t size = 16;
    while (size < entries_.size() * 2)
        size *= 2;
    index_.assign(size, 0);
    size_t mask = size - 1;
    for (size_t i = 0; i < entries_.size(); ++i) {
        size_t slot = entries_[i].hash_ & mask;
        while (index_[slot] != 0)
            slot = (slot + 1) & mask;
        index_[slot] = UInt32(i + 1);
    }
}

CoreAttr& CoreAttrList::Entry(std::string_view name) {
    if (const CoreAttr* found = Find(name)) return const_cast<CoreAttr&>(*found);
    CoreAttr e;
    e.name_.assign(name);
    e.hash_ = HashName(name);
    entries_.push_back(std::move(e));
    if (entries_.size() * 2 > index_.size()) {
        RebuildIndex();
    } else {
        size_t mask = index_.size() - 1;
        size_t slot = entries_.back().hash_ & mask;
        while (index_[slot] != 0)
            slot = (slot + 1) & mask;
        index_[slot] = UInt32(entries_.size());
    }
    return entries_.back();
}

// ---- setting ----

void CoreAttrList::SetInteger(std::string_view name, KsAttrType type, SInt64 value) {
    CoreAttr& e = Entry(name);
    e.type_ = type;
    e.value_ = value;
    e.bytes_.clear();
    e.bytes_.shrink_to_fit();
}

void CoreAttrList::SetText(std::string_view name, const char* text) {
    CoreAttr& e = Entry(name);
    e.type_ = KsAttrType::text;
    e.value_ = 0;
    e.bytes_.assign(text ? text : "");
}

void CoreAttrList::SetData(std::string_view name, const void* data, Size size) {
    FtlAssert(size >= 0 && (data || size == 0) && "CoreAttrList::SetData: bad block");
    if (size < 0 || (!data && size != 0)) size = 0;
    CoreAttr& e = Entry(name);
    e.type_ = KsAttrType::data;
    e.value_ = 0;
    e.bytes_.assign(static_cast<const char*>(data ? data : ""), size_t(size));
}

bool CoreAttrList::Remove(std::string_view name) {
    const CoreAttr* found = Find(name);
    if (!found) return false;
    entries_.erase(entries_.begin() + (found - entries_.data()));
    RebuildIndex();
    return true;
}

void CoreAttrList::Clear() {
    entries_.clear();
    index_.clear();
}

// ---- reading ----

const CoreAttr* CoreAttrList::FindInteger(std::string_view name) const {
    const CoreAttr* e = Find(name);
    return (e && e->IsInteger()) ? e : nullptr;
}

bool CoreAttrList::GetBool(std::string_view name, bool dflt) const {
    const CoreAttr* e = FindInteger(name);
    return e ? e->value_ != 0 : dflt;
}

SInt8 CoreAttrList::GetSInt8(std::string_view name, SInt8 dflt) const {
    const CoreAttr* e = FindInteger(name);
    return e ? SInt8(e->value_) : dflt;
}

UInt8 CoreAttrList::GetUInt8(std::string_view name, UInt8 dflt) const {
    const CoreAttr* e = FindInteger(name);
    return e ? UInt8(e->value_) : dflt;
}

SInt16 CoreAttrList::GetSInt16(std::string_view name, SInt16 dflt) const {
    const CoreAttr* e = FindInteger(name);
    return e ? SInt16(e->value_) : dflt;
}

UInt16 CoreAttrList::GetUInt16(std::string_view name, UInt16 dflt) const {
    const CoreAttr* e = FindInteger(name);
    return e ? UInt16(e->value_) : dflt;
}

SInt32 CoreAttrList::GetSInt32(std::string_view name, SInt32 dflt) const {
    const CoreAttr* e = FindInteger(name);
    return e ? SInt32(e->value_) : dflt;
}

UInt32 CoreAttrList::GetUInt32(std::string_view name, UInt32 dflt) const {
    const CoreAttr* e = FindInteger(name);
    return e ? UInt32(e->value_) : dflt;
}

const char* CoreAttrList::GetText(std::string_view name, const char* dflt) const {
    const CoreAttr* e = Find(name);
    return (e && e->type_ == KsAttrType::text) ? e->bytes_.c_str() : dflt;
}

SInt32 CoreAttrList::GetText(std::string_view name, char* buf, SInt32 size,
                             const char* dflt) const {
    if (!buf || size <= 0) return 0;
    const char* text = GetText(name, dflt);
    size_t n = text ? std::strlen(text) : 0;
    if (n > size_t(size - 1)) n = size_t(size - 1);
    if (n) std::memcpy(buf, text, n);
    buf[n] = 0;
    return SInt32(n);
}

const void* CoreAttrList::GetData(std::string_view name, Size* size) const {
    const CoreAttr* e = Find(name);
    if (!e || e->IsInteger()) {
        if (size) *size = 0;
        return nullptr;
    }
    if (size) *size = Size(e->bytes_.size());
    return e->bytes_.data();
}
