#include "CDataObject.h"

#include "DragList.h"
#include "KsFatal.h"
#include "KsMacRoman.h"

#include <string>

CDataObject::Factory CDataObject::mFactory = nullptr;

CDataObject::Factory CDataObject::SetFactory(Factory factory) {
    const Factory previous = mFactory;
    mFactory = factory;
    return previous;
}

CDataObject* CDataObject::New(DragList* list) {
    FtlAssert(CDataObject::mFactory != 0);
    return mFactory ? mFactory(list) : nullptr;
}

CDataObject* CDataObject::NewPlain(DragList* list) {
    return new CDataObject(list);
}

std::vector<DragData_t> CDataObject::GetFormats() const {
    return list ? list->PrepareDragToSystem() : std::vector<DragData_t>{};
}

std::vector<KsDragItem> CDataObject::GetData() const {
    std::vector<KsDragItem> items;
    if (!list || !list->CanDragToSystem()) return items;
    std::string data;
    for (SInt32 i = 1; i <= list->CountDragThings(); ++i) {
        const DragThing* thing = list->GetDragThing(i);
        if (!thing->CanDragToSystem()) continue;
        if (thing->GetDragData(kDragDataFile, &data))
            items.push_back({KsDragItem::Kind::file, data});
        if (thing->GetDragData(kDragDataText, &data))
            items.push_back({KsDragItem::Kind::text, KsMacRomanToUTF8(data)});
    }
    return items;
}
