// Drags to and from other applications, through the back end's system drag
// service where it has one. The framework side: drags arriving over the
// desktop become drag lists of source kind 2 (kDragSrcSystem) that travel
// through APane::SendDragMsg like any other and end in the drop pane's
// HandleDropFromSystem.
#pragma once

#include "KsGeometry.h"
#include "KsMacTypes.h"
#include "KsSystemDrag.h"

#include <vector>

class AWindow;
class DragList;

// Lets drops from other applications reach the window's panes: a drop
// target record (CDropTarget.h) unless the window has one. Installs the
// default thing and record factories where there are none.
void RegisterForDrop(AWindow* window);
// Drops on or off for all registered windows at once; answers the previous
// state. Off at start.
bool EnableDrops(bool on);

// A list of source kind 2 holding one thing per item, made by the thing
// factory: text converted to the toolbox character set, paths kept as they
// are. An item without data stands for a kind on offer.
DragList* GetSystemDragList(const std::vector<KsDragItem>& items, KsPoint globalStart);

// Runs a drag that may leave the application from the global point `start`.
// Answers false, having done nothing, when the back end offers no way out of
// the application; otherwise the drop point and modifiers. What is offered
// comes from a data object (CDataObject.h; the default factory is
// installed where there is none). A drop on one of
// the application's panes is sent to it (kDragDrop); one that another
// application takes marks the list handled; Escape cancels.
bool SystemTrackDrag(DragList* list, KsPoint start, KsPoint* release, SInt16* modifiers);
