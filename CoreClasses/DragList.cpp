#include "DragList.h"

#include "APane.h"

DragList* DragList::New(SInt16 kind, KsPoint globalStart) {
    auto* list = new DragList;
    list->srcKind = kind;
    list->start = globalStart;
    return list;
}

DragList::~DragList() {
    RemoveDragThings();
}

SInt32 DragList::AddDragThing(DragThing* thing) {
    if (!thing) return 0;
    things.push_back(thing);
    return SInt32(things.size());
}

SInt32 DragList::AddDragObject(AObject* object) {
    if (object && object->IsInstanceOf("APane"))
        return AddDragThing(APaneDragThing::New(static_cast<APane*>(object)));
    return AddDragThing(AObjectDragThing::New(object));
}

DragThing* DragList::GetDragThing(SInt32 index) const {
    return index >= 1 && index <= CountDragThings() ? things[std::size_t(index - 1)] : nullptr;
}

void DragList::Preallocate(SInt32 count) {
    if (count > 0) things.reserve(std::size_t(count));
}

void DragList::RemoveDragThings() {
    for (DragThing* t : things)
        t->Dispose();
    things.clear();
}

AObject* DragList::GetDragObject(const char* className) const {
    for (DragThing* t : things)
        if (AObject* o = t->GetDragObject(className)) return o;
    return nullptr;
}

SInt32 DragList::GetDragDataInfo(DragData_t kind) const {
    SInt32 n = 0;
    for (DragThing* t : things)
        n += t->HasDragData(kind) ? 1 : 0;
    return n;
}

bool DragList::GetDragData(DragData_t kind, std::string* out) const {
    for (DragThing* t : things)
        if (t->GetDragData(kind, out)) return true;
    return false;
}

bool DragList::CanDragToSystem() const {
    if (srcKind == kDragSrcInApp) return false;
    for (DragThing* t : things)
        if (t->CanDragToSystem()) return true;
    return false;
}

std::vector<DragData_t> DragList::PrepareDragToSystem() const {
    std::vector<DragData_t> kinds;
    if (!CanDragToSystem()) return kinds;
    for (DragData_t k : {kDragDataFile, kDragDataText}) {
        for (DragThing* t : things)
            if (t->CanDragToSystem() && t->HasDragData(k)) {
                kinds.push_back(k);
                break;
            }
    }
    return kinds;
}

void DragList::SetDragHandled(SInt32 index, bool on) {
    if (index == 0) {
        handled = on;
        for (DragThing* t : things)
            t->SetHandled(on);
        return;
    }
    if (DragThing* t = GetDragThing(index)) t->SetHandled(on);
}

bool DragList::AnyHandled() const {
    if (handled) return true;
    for (DragThing* t : things)
        if (t->IsHandled()) return true;
    return false;
}

void DragList::ResetDragList() {
    SetDragHandled(0, false);
    dropPane = nullptr;
}
