// DragList: what a drag carries from the pane that starts it (APane::DoDrag)
// or from another application to the pane that takes the drop.
//
// The list owns its things (DragThing.h) and its drag region, which is in
// global coordinates; it only points at the source window and the drop pane.
#pragma once

#include "AObject.h"
#include "DragThing.h"
#include "KsGeometry.h"
#include "KsMacTypes.h"
#include "KsRgn.h"

#include <string>
#include <vector>

class APane;
class AWindow;

// The drag messages sent to the pane under the pointer.
enum DragMsg_t : SInt16 {
    kDragMayAccept = 1, // answer whether the drag is welcome
    kDragEnter = 2,
    kDragLeave = 3,
    kDragWithin = 4,
    kDragDrop = 5,
};

// Where a drag comes from: the application, free to leave it (0); the
// application, kept inside it (1); another application (2).
enum DragSrc_t : SInt16 {
    kDragSrcMayLeave = 0,
    kDragSrcInApp = 1,
    kDragSrcSystem = 2,
};

class DragList : public AObject {
    KS_DECLARE_CLASS(DragList, AObject)

    static DragList* New(SInt16 srcKind, KsPoint globalStart);

    // The list takes the thing; answers its index, from 1.
    SInt32 AddDragThing(DragThing* thing);
    // Wraps the object in an APaneDragThing (panes) or an AObjectDragThing.
    SInt32 AddDragObject(AObject* object);
    // From 1; null out of range.
    DragThing* GetDragThing(SInt32 index) const;
    SInt32 CountDragThings() const { return SInt32(things.size()); }
    void Preallocate(SInt32 count);
    // Disposes every thing (a list whose offer is replaced by its data).
    void RemoveDragThings();

    // Queries over all things: the first object of className, whether any
    // carries data of a kind, how many do, and the first such data.
    AObject* GetDragObject(const char* className) const;
    bool ContainsDragObject(const char* className) const {
        return GetDragObject(className) != nullptr;
    }
    bool ContainsDragData(DragData_t kind) const { return GetDragDataInfo(kind) > 0; }
    SInt32 GetDragDataInfo(DragData_t kind) const;
    bool GetDragData(DragData_t kind, std::string* out) const;

    // False for a list kept in the application; otherwise whether one thing
    // can go to another application.
    bool CanDragToSystem() const;
    // The kinds of data offered to other applications, most specific first;
    // empty when the list cannot leave the application.
    std::vector<DragData_t> PrepareDragToSystem() const;

    SInt16 GetSrcKind() const { return srcKind; }
    KsPoint GetStartPoint() const { return start; }
    const KsRgn& GetDragRgn() const { return dragRgn; }
    KsRgn GetDragRgnCopy() const { return dragRgn; }
    void SetDragRgn(const KsRgn& rgn) { dragRgn = rgn; }
    AWindow* GetSourceWindow() const { return sourceWindow; }
    void SetSourceWindow(AWindow* w) { sourceWindow = w; }
    APane* GetDropPane() const { return dropPane; }
    void SetDropPane(APane* pane) { dropPane = pane; }

    // Per thing (from 1); index 0 marks every thing and the list itself, so
    // that a list without things can still be handled.
    void SetDragHandled(SInt32 index, bool on);
    void SetHandled(bool on) { SetDragHandled(0, on); }
    bool AnyHandled() const;
    // Ready for another drag: handled flags and drop pane cleared.
    void ResetDragList();

private:
    DragList() = default;
    ~DragList() override;

    SInt16 srcKind = 0;
    KsPoint start{};
    KsRgn dragRgn;
    std::vector<DragThing*> things; // owned
    AWindow* sourceWindow = nullptr;
    APane* dropPane = nullptr;
    bool handled = false;
};
