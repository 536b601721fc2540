// DragThing: one item of a drag list (DragList.h). Its rectangle is relative
// to the drag origin; it may carry typed data (text, file paths) and an object
// found by class name, and may say that it can leave the application.
//
// AObjectDragThing carries an AObject (not owned); APaneDragThing a pane.
// Things made for data from other applications come from a replaceable
// factory (SetFactory), installed when drops from other applications are
// registered.
#pragma once

#include "AObject.h"
#include "KsGeometry.h"
#include "KsMacTypes.h"

#include <string>
#include <utility>
#include <vector>

class APane;

// The kinds of data a thing may carry. Text is in the toolbox character set;
// a file is a path in the file system's own bytes.
enum DragData_t : SInt16 {
    kDragDataNone = 0,
    kDragDataText = 1,
    kDragDataFile = 2,
};

class DragThing : public AObject {
    KS_DECLARE_CLASS(DragThing, AObject)

    using Factory = DragThing* (*)();
    // Answers the previous factory; null removes it.
    static Factory SetFactory(Factory factory);
    // A thing for data from another application, from the factory.
    static DragThing* New();
    // The plain thing the default factory makes.
    static DragThing* NewPlain();

    void SetDragRect(const KsRect& r) { rect = r; }
    KsRect GetDragRect() const { return rect; }
    // The rectangle placed at a drag origin.
    KsRect GetDragOffsetRect(KsPoint origin) const { return rect.Offsetted(origin.h, origin.v); }

    virtual bool HasDragData(DragData_t kind) const;
    // The first data of that kind; false (out untouched) when there is none.
    virtual bool GetDragData(DragData_t kind, std::string* out) const;
    void AddDragData(DragData_t kind, std::string value);

    // The carried object when it is an instance of className, else null.
    virtual AObject* GetDragObject(const char* className) const;
    bool HasDragObject(const char* className) const { return GetDragObject(className) != nullptr; }

    bool IsHandled() const { return handled; }
    void SetHandled(bool on) { handled = on; }
    // Whether the thing may be dropped on another application: only when it
    // says so and carries data that application can read.
    bool CanDragToSystem() const;
    void SetCanDragToSystem(bool on) { toSystem = on; }

protected:
    DragThing() = default;

private:
    static Factory mFactory;

    KsRect rect{};
    std::vector<std::pair<DragData_t, std::string>> data;
    bool handled = false;
    bool toSystem = false;
};

class AObjectDragThing : public DragThing {
    KS_DECLARE_CLASS(AObjectDragThing, DragThing)

    static AObjectDragThing* New(AObject* object);
    AObject* GetObject() const { return object; }
    AObject* GetDragObject(const char* className) const override;

protected:
    explicit AObjectDragThing(AObject* o) : object(o) {}

private:
    AObject* object; // not owned
};

class APaneDragThing : public AObjectDragThing {
    KS_DECLARE_CLASS(APaneDragThing, AObjectDragThing)

    static APaneDragThing* New(APane* pane);
    APane* GetPane() const;

private:
    explicit APaneDragThing(APane* pane);
};
