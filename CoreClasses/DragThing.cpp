#include "DragThing.h"

#include "APane.h"
#include "KsFatal.h"

#include <cstddef>

DragThing::Factory DragThing::mFactory = nullptr;

DragThing::Factory DragThing::SetFactory(Factory factory) {
    const Factory previous = mFactory;
    mFactory = factory;
    return previous;
}

DragThing* DragThing::New() {
    FtlAssert(DragThing::mFactory != NULL);
    return mFactory();
}

DragThing* DragThing::NewPlain() {
    return new DragThing;
}

bool DragThing::HasDragData(DragData_t kind) const {
    for (const auto& d : data)
        if (d.first == kind) return true;
    return false;
}

bool DragThing::GetDragData(DragData_t kind, std::string* out) const {
    for (const auto& d : data)
        if (d.first == kind) {
            if (out) *out = d.second;
            return true;
        }
    return false;
}

void DragThing::AddDragData(DragData_t kind, std::string value) {
    data.emplace_back(kind, std::move(value));
}

AObject* DragThing::GetDragObject(const char*) const {
    return nullptr;
}

bool DragThing::CanDragToSystem() const {
    return toSystem && (HasDragData(kDragDataText) || HasDragData(kDragDataFile));
}

AObjectDragThing* AObjectDragThing::New(AObject* object) {
    return new AObjectDragThing(object);
}

AObject* AObjectDragThing::GetDragObject(const char* className) const {
    return object && object->IsInstanceOf(className) ? object : nullptr;
}

APaneDragThing* APaneDragThing::New(APane* pane) {
    return new APaneDragThing(pane);
}

APaneDragThing::APaneDragThing(APane* pane) : AObjectDragThing(pane) {}

APane* APaneDragThing::GetPane() const {
    return static_cast<APane*>(GetObject());
}
