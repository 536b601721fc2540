#include "AObject.h"

#include "KsMisuse.h"
#include "KsOutput.h"

#include <cstdio>
#include <cstring>
#include <new>

bool KsClassIsA(const KsClassInfo* info, const char* name) {
    if (!name) return false;
    for (; info; info = info->base)
        if (info->name[0] == name[0] && std::strcmp(info->name, name) == 0) return true;
    return false;
}

void* AObject::operator new(std::size_t size) {
    return ::operator new(size);
}

void AObject::operator delete(void* p) noexcept {
    ::operator delete(p);
}

AObject::~AObject() = default;

void AObject::Dispose() {
    delete this;
}

AObject* AObject::Copy() {
    DoesNotImplement("Copy");
    return nullptr; // not reached
}

void AObject::SubclassResponsibility(const char* operation) const {
    char what[160];
    std::snprintf(what, sizeof what, "%s must be supplied by a subclass",
                  operation ? operation : "an operation");
    KsMisuse(what, ClassName());
}

void AObject::DoesNotImplement(const char* operation) const {
    char what[160];
    std::snprintf(what, sizeof what, "%s is not implemented by this class",
                  operation ? operation : "an operation");
    KsMisuse(what, ClassName());
}

void AObject::Dump() const {
    dprintf("%s at %p\n", ClassName(), static_cast<const void*>(this));
}
