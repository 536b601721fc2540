// Window-manager internals shared by its files and tests (not installed).
#pragma once

#include "KsPortPrivate.h"
#include "KsPortSavers.h"
#include "Windows.h"

// The manager's own state for one window. Regions are global.
struct KsWindowPrivate {
    UInt32 id = 0; // the event message (KsWindowMessage)
    bool ownsStorage = false;
    bool inUpdate = false; // between BeginUpdate and EndUpdate
    KsRgn visStruc;        // the structure not covered by windows in front
    KsRgn visCont;         // the same for the content
    KsRgn drawing;         // during an update: the region being drawn
};

// The geometry of one window definition: how far the structure reaches out of
// the content on each side, and what the frame holds.
struct KsFrameKind {
    SInt16 left = 0, top = 0, right = 0, bottom = 0; // outsets, >= 0
    SInt16 titleHeight = 0; // rows of title bar (inside `top`), 0 when none
    bool hasGrow = false;
    bool hasZoom = false;
    bool canClose = false; // the definition shows a close box when goAwayFlag is set
    bool movable = false;  // the frame outside the content drags the window
    bool shadow = false;   // altDBoxProc: a shadow strip right and below
};
KsFrameKind KsFrameKindOf(SInt16 procID);

constexpr SInt16 kKsGrowBoxSize = 15;
constexpr SInt16 kKsBoxSize = 12;  // close and zoom boxes
constexpr SInt16 kKsBoxMargin = 7; // from the frame's side to a box

// Boxes of a window, global; empty when the window has none.
KsRect KsCloseBoxRect(WindowPtr w);
KsRect KsZoomBoxRect(WindowPtr w);
KsRect KsGrowBoxRect(WindowPtr w);
KsRect KsTitleBarRect(WindowPtr w);
inline KsRect KsContentRect(WindowPtr w) {
    return KsRgnRef(w->contRgn).Bounds();
}
inline KsRect KsStructureRect(WindowPtr w) {
    return KsRgnRef(w->strucRgn).Bounds();
}

// Frame drawing (KsWindowDef.cpp). Each draws on the desktop port, clipped to
// `clip` (global) and to the window's visible structure; `pressed` shows a box
// held down.
void KsDrawFrame(WindowPtr w, const KsRgn& clip);
void KsDrawBox(WindowPtr w, SInt16 part, bool pressed);
void KsDrawGrip(WindowPtr w, const KsRgn& clip);

// Saves the current port and the desktop port's drawing state, makes the
// desktop port current with its clip set to `clip`; restores all on exit.
class StKsDesktopDrawing {
public:
    explicit StKsDesktopDrawing(const KsRgn& clip);
    StKsDesktopDrawing(const StKsDesktopDrawing&) = delete;
    StKsDesktopDrawing& operator=(const StKsDesktopDrawing&) = delete;
    GrafPtr Port() const { return port_; }

private:
    GrafPtr port_;
    StPortSaver saver_;
    StClipSaver clip_;
    StColorPenSaver pen_;
    StTextStateSaver text_;
};

// Global to the window port's local coordinates: local = global + offset.
KsPoint KsWindowLocalOffset(WindowPtr w);

// After the desktop changed size (KsDesktopFollowScreens): window ports
// cover the new desktop, standard states that followed the old main screen
// follow the new one, and what became visible is drawn.
void KsWindowsFollowDesktop(const KsRect& oldDesktop, const Rect& oldMain);

// Disposes of every window and forgets pending events (tests, shutdown).
void KsWindowsReset();
