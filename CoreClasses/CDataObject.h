// What a drag out of the application offers other applications: the drag
// list, the kinds of data it offers and that data in the forms back ends
// hand over. Made through a replaceable factory; making one before a factory
// is installed fails the assertion "CDataObject::mFactory != 0".
#pragma once

#include "DragThing.h"
#include "KsSystemDrag.h"

#include <vector>

class DragList;

class CDataObject {
public:
    using Factory = CDataObject* (*)(DragList* list);
    // Answers the previous factory; null removes it.
    static Factory SetFactory(Factory factory);
    // An object for the list (not owned); null without a factory.
    static CDataObject* New(DragList* list);
    // The plain object the default factory makes.
    static CDataObject* NewPlain(DragList* list);

    virtual ~CDataObject() = default;
    CDataObject(const CDataObject&) = delete;
    CDataObject& operator=(const CDataObject&) = delete;

    DragList* GetDragList() const { return list; }
    // The kinds offered, most specific first.
    virtual std::vector<DragData_t> GetFormats() const;
    // Of each thing that can leave the application: its path, and its text
    // converted to UTF-8.
    virtual std::vector<KsDragItem> GetData() const;

protected:
    explicit CDataObject(DragList* l) : list(l) {}

private:
    static Factory mFactory;

    DragList* list;
};
