// The window manager: the window list and its layers, the regions of each
// window, frames, hit testing, activation and update events, and the
// tracking of drags, grows and the boxes of the title bar.
//
// Sections: the window record; making and disposing; order and visibility;
// moving, sizing and zooming; tracking; finding; regions and updates;
// properties; conversions.
//
// Every window lives on the desktop (KsDesktop.h). A window's port draws
// straight into the desktop surface: local (0, 0) is the content's top-left
// corner, the port's visRgn is the part of the content no other window
// covers (the menu bar strip excluded), and GlobalToLocal / LocalToGlobal
// work on it as on any port. strucRgn, contRgn and updateRgn are global.
//
// Layers: bits 12 to 14 of windowKind hold a layer, 0 the frontmost and 7 the
// backmost. The list always keeps windows of a lower layer in front of those
// of a higher one: every call that places a window places it within its
// layer. Windows in layers 2, 4 and 6 never become active here (ShowWindow,
// HideWindow and SelectWindow leave activation alone for them).
//
// Activate and update events are answered through the event manager's
// window hooks (Events.h), installed by InitWindows and NewWindow. Their
// message is the window's event ID (KsWindowMessage), not its pointer: a
// 64-bit pointer does not fit the 32-bit message. KsEventWindow maps back.
//
// Main thread only.
#pragma once

#include "Events.h"
#include "QuickDraw.h"

// ---------------------------------------------------------------------------
// The window record

// Part codes of FindWindow. inSysWindow is never answered: there are no
// system windows on this desktop.
enum : SInt16 {
    inDesk = 0,
    inMenuBar = 1,
    inSysWindow = 2,
    inContent = 3,
    inDrag = 4,
    inGrow = 5,
    inGoAway = 6,
    inZoomIn = 7,  // the zoom box of a window in its standard state: back to the user state
    inZoomOut = 8, // the zoom box otherwise: to the standard state
};

// Window definitions (procID = resource ID * 16 + variant). Unknown IDs are
// drawn as document windows of their variant's grow and zoom bits.
enum : SInt16 {
    documentProc = 0,        // title bar, close box, grow box
    dBoxProc = 1,            // modal dialog: thick border, no title bar
    plainDBox = 2,           // one-pixel border
    altDBoxProc = 3,         // one-pixel border with a shadow to the right and below
    noGrowDocProc = 4,       // document without grow box
    movableDBoxProc = 5,     // movable modal dialog: title bar, no grow box
    zoomDocProc = 8,         // document with zoom box and grow box
    zoomNoGrow = 12,         // document with zoom box, no grow box
    rDocProc = 16,           // drawn as noGrowDocProc
    kWindowFloatProc = 1985, // floating window: small title bar, close box
    kWindowFloatGrowProc = 1987,
    kWindowFloatZoomProc = 1989,
    kWindowFloatZoomGrowProc = 1991,
};

// DragGrayRgn axis constraints.
enum : SInt16 { noConstraint = 0, hAxisOnly = 1, vAxisOnly = 2 };
// What DragGrayRgn answers for a release outside its slop rectangle.
constexpr SInt32 kKsDragOutside = SInt32(0x80008000);

// The five colours of a window, in this order (KsGetWinColors).
enum : int {
    kKsWinContentColor = 0,  // what exposed content is erased to
    kKsWinFrameColor = 1,    // borders and box outlines of an inactive window
    kKsWinTextColor = 2,     // the title of an active window
    kKsWinHiliteColor = 3,   // the border of an active window, pressed boxes
    kKsWinTitleBarColor = 4, // the title bar of an active window
    kKsWinColorCount = 5,
};

struct KsWindowPrivate; // the manager's own state for one window

// A window: its port first, so that a WindowPtr is a GrafPtr. The manager
// owns the regions and the private state; the storage belongs to whoever
// gave it to NewWindow (the manager when it was null). Read fields freely;
// change them through the calls.
struct WindowRecord : GrafPort {
    SInt16 windowKind; // bits 0-11 the application's kind, 12-14 the layer; kept as given
    Boolean visible;
    Boolean hilited;
    Boolean goAwayFlag;
    Boolean spareFlag;   // the window has a zoom box
    RgnHandle strucRgn;  // frame and content, global
    RgnHandle contRgn;   // content, global
    RgnHandle updateRgn; // content waiting to be drawn, global
    Str255 title;        // Pascal string
    SInt32 refCon;
    SInt16 procID;
    Boolean enabled; // TBX_EnableWindow
    Rect userState;  // content rectangles (global) of the two zoom states
    Rect stdState;
    RGBColor colors[kKsWinColorCount];
    WindowRecord* nextWindow; // the list, front to back, hidden windows included
    KsWindowPrivate* ks;
};
using CWindowRecord = WindowRecord;
using WindowPeek = WindowRecord*;
using CWindowPeek = WindowRecord*;
using WindowPtr = WindowRecord*;
using WindowRef = WindowRecord*;
using CWindowPtr = WindowRecord*;

// ---------------------------------------------------------------------------
// Making and disposing

// Makes the desktop (when needed) and installs the event hooks. NewWindow
// calls it; calling it again does no harm.
void InitWindows();

// A window whose content is `bounds` (global). storage may be null (the
// manager allocates) or a WindowRecord the caller keeps. behind is
// (WindowPtr)-1 for the front of its layer, null for the back of its layer,
// or the window to go behind. A visible window is shown (and, when it comes
// to the front of an activatable layer, activated). Answers null when out of
// memory.
WindowPtr NewWindow(void* storage, const Rect* bounds, ConstStr255Param title, Boolean visible,
                    SInt16 procID, WindowPtr behind, Boolean goAwayFlag, SInt32 refCon);
WindowPtr NewCWindow(void* storage, const Rect* bounds, ConstStr255Param title, Boolean visible,
                     SInt16 procID, WindowPtr behind, Boolean goAwayFlag, SInt32 refCon);
// Hides the window, takes it off the list and releases its regions; the
// storage is freed when the manager allocated it (CloseWindow never frees).
// Pending activate events of the window are forgotten; the current port, if
// it was the window, becomes the desktop's port.
void DisposeWindow(WindowPtr w);
void CloseWindow(WindowPtr w);

// ---------------------------------------------------------------------------
// Order and visibility

WindowPtr FrontWindow(); // the first visible window; null when none
// The whole list, hidden windows included: the first window and the next one.
WindowPtr KsGetWindowList();
WindowPtr GetNextWindow(WindowPtr w);

void ShowWindow(WindowPtr w);
void HideWindow(WindowPtr w);
// Shows or hides without touching hilite or activation.
void ShowHide(WindowPtr w, Boolean show);
// Brings the window to the front of its layer and makes it the active one:
// the previously active window is unhilited and gets a deactivate event, then
// this one is hilited and gets an activate event.
void SelectWindow(WindowPtr w);
void BringToFront(WindowPtr w); // front of its layer; activation untouched
// Behind `behind` (kept within the window's layer), or to the back of its
// layer when behind is null.
void SendBehind(WindowPtr w, WindowPtr behind);
void HiliteWindow(WindowPtr w, Boolean on);
// Queues an activate (on) or deactivate event for the window; a pending
// event of the opposite sense for the same window cancels instead.
void KsPostActivate(WindowPtr w, Boolean on);
// Forgets the window's pending activate and deactivate events; those of other
// windows keep their order.
void KsForgetActivates(WindowPtr w);
// The active window: the frontmost visible, hilited window of an activatable
// layer; null when none.
WindowPtr KsFrontActiveWindow();
// The frontmost visible window of an activatable layer; null when none.
WindowPtr KsFrontActivatableWindow();

// ---------------------------------------------------------------------------
// Moving, sizing and zooming

// Moves the content's top-left corner to (h, v) global. With front set the
// window is also selected. Pixels still visible are moved, not redrawn.
void MoveWindow(WindowPtr w, SInt16 h, SInt16 v, Boolean front);
// With fUpdate clear, newly exposed content of this window is erased but not
// added to its update region.
void SizeWindow(WindowPtr w, SInt16 width, SInt16 height, Boolean fUpdate);
// Moves and sizes in one step: `content` is the new content box, global.
void KsSetWindowBounds(WindowPtr w, const Rect* content, Boolean fUpdate);
// part inZoomOut: remembers the current content box as the user state and
// takes the standard state; inZoomIn: takes the user state. The content is
// erased and invalidated. front selects the window.
void ZoomWindow(WindowPtr w, SInt16 part, Boolean front);
// The standard state starts as the main screen below the menu bar, 3 pixels
// in from each side, as a content box.
void SetWindowStandardState(WindowPtr w, const Rect* content);
void GetWindowStandardState(WindowPtr w, Rect* content);
void SetWindowUserState(WindowPtr w, const Rect* content);
void GetWindowUserState(WindowPtr w, Rect* content);

// ---------------------------------------------------------------------------
// Tracking (each loops on StillDown while the button is down, drawing on the
// desktop, and leaves the desktop as it found it)

using DragGrayRgnProcPtr = void (*)();
// Drags a gray outline of `rgn` (current port's coordinates) from startPt.
// The mouse is pinned inside limitRect (right and bottom excluded); while it
// is outside slopRect the outline disappears. axis limits the motion. Answers
// the motion as dv << 16 | (dh & 0xFFFF), or 0x80008000 when released outside
// slopRect. actionProc (may be null) is called each time round.
SInt32 DragGrayRgn(RgnHandle rgn, Point startPt, const Rect* limitRect, const Rect* slopRect,
                   SInt16 axis, DragGrayRgnProcPtr actionProc);
// Drags the window's outline (startPt and limitRect global; null limit: the
// desktop) and moves it there; selects it unless the command key is down.
void DragWindow(WindowPtr w, Point startPt, const Rect* limitRect);
// Tracks the grow box from startPt (global). sizeRect: left and top the
// smallest content width and height, right and bottom one more than the
// largest. Answers 0 when the size did not change, else height << 16 | width.
SInt32 GrowWindow(WindowPtr w, Point startPt, const Rect* sizeRect);
// Track the close box, or the zoom box for `part`, showing it pressed while
// the mouse is inside; answer whether the button was released inside.
Boolean TrackGoAway(WindowPtr w, Point pt);
Boolean TrackBox(WindowPtr w, Point pt, SInt16 part);

// ---------------------------------------------------------------------------
// Finding

// The part under pt (global) and the window it belongs to (null for inDesk
// and inMenuBar). Boxes are found only on the active (hilited) window; the
// border of a window without title bar counts as content.
SInt16 FindWindow(Point pt, WindowPtr* window);

// ---------------------------------------------------------------------------
// Regions and updates (the Rect and Rgn calls act on the current port's
// window and take its local coordinates; nothing happens for other ports)

void InvalRect(const Rect* r);
void InvalRgn(RgnHandle rgn);
void ValidRect(const Rect* r);
void ValidRgn(RgnHandle rgn);
void InvalWindowRect(WindowPtr w, const Rect* r);
void InvalWindowRgn(WindowPtr w, RgnHandle rgn);
void ValidWindowRect(WindowPtr w, const Rect* r);
void ValidWindowRgn(WindowPtr w, RgnHandle rgn);
// Between the two, the port's visRgn is cut to the update region; BeginUpdate
// empties the update region, EndUpdate gives back the whole visible region.
void BeginUpdate(WindowPtr w);
void EndUpdate(WindowPtr w);
// The grow box's grip (grow windows only), in the content's bottom-right
// corner, clipped to the visible content.
void DrawGrowIcon(WindowPtr w);

// ---------------------------------------------------------------------------
// Properties

void SetWTitle(WindowPtr w, ConstStr255Param title); // null: empty
void GetWTitle(WindowPtr w, Str255 title);
void SetWRefCon(WindowPtr w, SInt32 refCon);
SInt32 GetWRefCon(WindowPtr w);
// The whole kind word, layer included. Setting it re-places the window when
// its layer changed.
void SetWindowKind(WindowPtr w, SInt16 kind);
SInt16 GetWindowKind(WindowPtr w);
inline SInt16 KsWindowLayerOf(SInt16 kind) {
    return SInt16((kind >> 12) & 7);
}
inline bool KsIsActivatableLayer(SInt16 layer) {
    return layer == 0 || (layer & 1) != 0;
}
inline bool KsIsWindowActivatable(WindowPtr w) {
    return w && KsIsActivatableLayer(KsWindowLayerOf(w->windowKind));
}
void KsGetWinColors(WindowPtr w, RGBColor* colors); // five entries
void KsSetWinColors(WindowPtr w, const RGBColor* colors);
Boolean IsWindowVisible(WindowPtr w);
Boolean IsWindowHilited(WindowPtr w);
// Content and structure boxes, global.
void KsGetWindowContentRect(WindowPtr w, Rect* r);
void KsGetWindowStructureRect(WindowPtr w, Rect* r);

// On this desktop every window is its own native handle: answers the window
// when `native` is one of ours, else null.
WindowPtr TBX_GetwPtr(void* native);
// enable false: the application is disabled for `w` (every other window
// loses its enabled flag, w keeps it); enable true: every window is enabled.
// f2 and f3 change nothing here. A disabled window takes no mouse input: a
// press on any part of it is refused with a beep (KsSetClickFilterHook).
// Windows made later start enabled, as the pop-ups of a modal window must.
void TBX_EnableWindow(WindowPtr w, Boolean enable, Boolean f2, Boolean f3);
Boolean KsIsWindowEnabled(WindowPtr w);

// ---------------------------------------------------------------------------
// Conversions

CGrafPtr GetWindowPort(WindowPtr w);
void SetPortWindowPort(WindowPtr w);
// The window of a port, or null when the port is not a window's.
WindowPtr KsWindowOfPort(GrafPtr port);
// Event messages of activate and update events.
UInt32 KsWindowMessage(WindowPtr w);
WindowPtr KsWindowFromMessage(UInt32 message);
inline WindowPtr KsEventWindow(const EventRecord& e) {
    return KsWindowFromMessage(e.message);
}
// Between structure and content boxes (global) of a window definition.
void SBoxToCBox(Rect* box, SInt16 procID);
void CBoxToSBox(Rect* box, SInt16 procID);
void SBoxToCBox(WindowPtr w, Rect* box);
void CBoxToSBox(WindowPtr w, Rect* box);
