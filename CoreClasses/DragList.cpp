#include "DragList.h"

DragList* DragList::New(SInt16 kind, KsPoint globalStart) {
    auto* list = new DragList;
    list->srcKind = kind;
    list->start = globalStart;
    return list;
}

SInt32 DragList::AddDragObject(AObject* object) {
    objects.push_back(object);
    return SInt32(objects.size());
}

AObject* DragList::GetDragObject(const char* className) const {
    for (AObject* o : objects)
        if (o && o->IsInstanceOf(className)) return o;
    return nullptr;
}
