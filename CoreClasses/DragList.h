// DragList: what a drag inside the application carries from the pane that
// starts it to the pane that takes the drop (APane::DoDrag).
//
// The list only points at its objects (panes, usually) and at the source
// window; the drag region is its own, in global coordinates.
#pragma once

#include "AObject.h"
#include "KsGeometry.h"
#include "KsMacTypes.h"
#include "KsRgn.h"

#include <vector>

class APane;
class AWindow;

// The drag messages sent to the pane under the pointer.
enum : SInt16 {
    kDragMayAccept = 1, // answer whether the drag is welcome
    kDragEnter = 2,
    kDragLeave = 3,
    kDragWithin = 4,
    kDragDrop = 5,
};

class DragList : public AObject {
    KS_DECLARE_CLASS(DragList, AObject)

    // Source kinds: a drag that stays in the application (1) or one that may
    // leave it (0).
    static DragList* New(SInt16 srcKind, KsPoint globalStart);

    // Answers the new object's index, from 1.
    SInt32 AddDragObject(AObject* object);
    SInt32 CountDragObjects() const { return SInt32(objects.size()); }
    // The first object that is an instance of className; null when none.
    AObject* GetDragObject(const char* className) const;
    bool ContainsDragObject(const char* className) const {
        return GetDragObject(className) != nullptr;
    }

    SInt16 GetSrcKind() const { return srcKind; }
    KsPoint GetStartPoint() const { return start; }
    const KsRgn& GetDragRgn() const { return dragRgn; }
    void SetDragRgn(const KsRgn& rgn) { dragRgn = rgn; }
    AWindow* GetSourceWindow() const { return sourceWindow; }
    void SetSourceWindow(AWindow* w) { sourceWindow = w; }
    APane* GetDropPane() const { return dropPane; }
    void SetDropPane(APane* pane) { dropPane = pane; }
    bool AnyHandled() const { return handled; }
    void SetHandled(bool on) { handled = on; }

private:
    DragList() = default;

    SInt16 srcKind = 0;
    KsPoint start{};
    KsRgn dragRgn;
    std::vector<AObject*> objects; // not owned
    AWindow* sourceWindow = nullptr;
    APane* dropPane = nullptr;
    bool handled = false;
};
