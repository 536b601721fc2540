// ACollection: the common base of the core containers (AArray, AList and
// CKsList). It only knows how many items there are; the subclasses decide what
// an item is.
//
// Indices are 1-based throughout the containers, as the framework's callers
// count them: item 1 is the first, GetCount() the last, 0 means "not found".
//
// Containers are made with new and destroyed with Dispose (or delete). They
// are not copyable: a pane's sub-pane list or the application's window list
// has one owner.
#pragma once

#include "AObject.h"

#include "KsMacTypes.h"

class ACollection : public AObject {
    KS_DECLARE_CLASS(ACollection, AObject)

public:
    ACollection() = default;
    virtual ~ACollection() = default;
    ACollection(const ACollection&) = delete;
    ACollection& operator=(const ACollection&) = delete;

    virtual SInt32 GetCount() const = 0;
    bool IsEmpty() const { return GetCount() == 0; }
    bool ValidIndex(SInt32 index) const { return index >= 1 && index <= GetCount(); }

    // Dispose destroys the container itself; items it points to are not touched.
};
