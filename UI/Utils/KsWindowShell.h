// The window-manager shell: layers, activation, selection, showing and hiding
// of toolbox windows under the framework's rules.
//
// Sections: kinds and layers; order and activation; showing and hiding;
// moving, sizing and updates; modal layer; forgetting a window; application.
//
// The kind word of a toolbox window is shared: bits 0-11 hold the framework's
// window kind (64 an ordinary AWindow, 128 a modal one, 8 a toolbox window
// that must not be taken for an AWindow, 0 disposed), bits 12-14 the layer
// and bit 15 is cleared whenever the layer is set. Layer 0 is the frontmost,
// 7 the backmost; the toolbox window manager keeps the list grouped by layer.
// Only windows in layers 0, 1, 3, 5 and 7 ever become the active window;
// windows in 2, 4 and 6 come to the front of their layer but never take
// activation. Ordinary windows live in layer 7, modal ones in 5 (or lower),
// pop-ups in 4.
//
// Every call takes toolbox window pointers and runs on the main thread only.
// The shell only points at windows; a window that goes away must be
// forgotten first (KsForgetWindow).
#pragma once

#include "KsGeometry.h"
#include "Windows.h"

// ---------------------------------------------------------------------------
// Kinds and layers

// The framework kind of modal windows (AWindow uses the same value).
constexpr SInt16 kKsModalWindowKind = 128;
// The layers the framework puts its windows in.
enum : SInt16 {
    kKsAnyLayer = -1,
    kKsFrontLayer = 0,
    kKsPopupLayer = 4,
    kKsModalLayer = 5,
    kKsDocumentLayer = 7
};

// kind must leave bits 12-15 clear (fatal otherwise); the layer is kept.
void KsSetWindowKind(WindowPtr window, SInt16 kind);
SInt16 KsGetWindowKind(WindowPtr window); // bits 0-11
// layer 0 to 7 (asserted); the kind is kept, bit 15 cleared, and the window
// moves to the front of its new layer when the layer changed.
void KsSetWindowLayer(WindowPtr window, SInt16 layer);
SInt16 KsGetWindowLayer(WindowPtr window);

// ---------------------------------------------------------------------------
// Order and activation

// The frontmost visible, highlighted window of an activatable layer; null when none.
WindowPtr KsGetAnyActiveWindow();
WindowPtr KsGetActiveWindow();
// The next visible window of an activatable layer behind `window`.
WindowPtr KsGetNextWindow(WindowPtr window);
// Position among the visible windows of its layer, 0 at the front; 1000 when
// the window is hidden or unknown.
SInt16 KsGetWindowLevel(WindowPtr window);
// The frontmost visible window of an activatable layer; one in layer 5 counts
// only when it is modal (kind 128).
WindowPtr KsGetTopActivatableWindow();
// The frontmost visible window of an activatable layer in `layer` (kKsAnyLayer:
// any layer); failing that, of any activatable layer. Null when none.
WindowPtr KsGetAnyTopActivatableWindow(SInt16 layer);

// Front of its layer among the visible windows; hidden windows do not count.
void KsBringToFrontInLayer(WindowPtr window);
// Directly behind `behind` as far as the layers allow (behind null: the back
// of the window's layer). The window keeps its activation.
void BringBehind(WindowPtr window, WindowPtr behind);
// False while a modal window (kind 128) is active and `window` is another one.
bool KsCanSelectWindow(WindowPtr window);
// Brings the window forward in its layer and, in an activatable layer, makes
// it the active window. While a modal window is active only windows of layers
// 0, 4, 5 and 6 are brought forward; others are left alone.
void KsSelectWindow(WindowPtr window);
// Highlights (on) or unhighlights the window and queues its activate or
// deactivate event.
void KsActivateWindow(WindowPtr window, bool on);
// Forgets the window's queued activate and deactivate events.
void KsFlushActivates(WindowPtr window);
// The layer of the window KsSelectWindow deactivated last (-1 before any).
SInt16 KsGetLastDeactivatedLayer();

// ---------------------------------------------------------------------------
// Showing and hiding

// Called with message 134 and the window just before a window is shown.
using KsShowWindowHook = void (*)(SInt32 message, WindowPtr window);
constexpr SInt32 kKsShowWindowMessage = 134;
KsShowWindowHook KsSetShowWindowHook(KsShowWindowHook hook); // answers the previous

// Shows a hidden window and selects it when it is now the top activatable one.
void KsShowWindow(WindowPtr window);
// Hides a visible window: deactivates it, enables the application again when
// it is a modal window, and, in the foreground, selects the top activatable
// window of the layer last deactivated (else of any layer).
void KsHideWindow(WindowPtr window);

// ---------------------------------------------------------------------------
// Moving, sizing and updates (global coordinates). `front` selects the window
// through KsSelectWindow, so the layer and modal rules hold.

void KsMoveWindow(WindowPtr window, SInt16 h, SInt16 v, bool front);
void KsSizeWindow(WindowPtr window, SInt16 width, SInt16 height, bool update);
// Moves and sizes in one step; `content` is the new content box.
void KsZimWindow(WindowPtr window, const KsRect& content, bool update, bool front);
// Drags the window's outline from `start` within `bounds` (null: the desktop)
// and moves it there; selects it first unless the command key is down.
void KsDragWindow(WindowPtr window, Point start, const Rect* bounds);
void KsZoomWindow(WindowPtr window, SInt16 part, bool front);
void KsInvalWindow(WindowPtr window); // the whole content
// Begins the window's update and answers the region to draw, in the window's
// local coordinates; the caller passes it to KsEndUpdate, which disposes of it.
RgnHandle KsBeginUpdate(WindowPtr window);
void KsEndUpdate(WindowPtr window, RgnHandle region);
// True when the port belongs to a live toolbox window.
bool KsIsPortAWindow(GrafPtr port);
// Sends the AWindow of the window wmZoomIn when it is in its standard state,
// else wmZoomOut. Answers the handler's result (false without an AWindow).
bool KsSendZoomMsg(WindowPtr window);
// SBoxToCBox and CBoxToSBox are the toolbox's (Windows.h).

// ---------------------------------------------------------------------------
// Modal layer. AWindow::SetIsModal calls these so that a window that stops
// being modal goes back to the layer it had.

// Kind 128, and layer 5, or the active window's layer when that window is
// another one in a lower layer. The layer it had is remembered once.
void KsEnterModalLayer(WindowPtr window);
// Kind 64 and the layer remembered by KsEnterModalLayer (7 when none).
void KsLeaveModalLayer(WindowPtr window);

// ---------------------------------------------------------------------------
// Forgetting a window. AWindow::Dispose (and anyone disposing of a toolbox
// window the shell may have seen) calls it before the toolbox window goes:
// the window leaves the modal stack (the application is enabled again for
// it), no modal record will reselect it, and every table forgets it.
void KsForgetWindow(WindowPtr window);

// ---------------------------------------------------------------------------
// Application. On this desktop the application is the desktop itself.

// The native modal dialog (a toolbox window used as one; null when none).
// While it is set, a modal framework window disables that dialog instead of
// the application, and hiding one enables it again.
WindowPtr KsSetNativeModalDialog(WindowPtr dialog); // answers the previous one
bool KsInNativeModalDialog();
void KsEnableNativeModalDialog(bool enable);
bool KsIsNativeModalDialogEnabled();

// Brings the top activatable window forward when the application is in the
// foreground (there is no other application on this desktop to raise it over).
void KsBringAppToForeground();
// The desktop always fills its screens: never maximised or minimised.
bool KsIsAppMaximized();
bool KsIsAppMinimized();
// Remembered for the native helpers (GetSmallCaptionHeight users).
void KsSetWinSmallCaptionMode(bool on);
bool KsWinSmallCaptionMode();
