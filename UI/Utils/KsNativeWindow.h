// Native window helpers of the window-manager shell, as they mean on the
// desktop.
//
// There is no native window system under the framework: every window lives
// on one desktop surface with the menu bar in its top 20 pixels. So:
// - a native window handle is the toolbox window itself (TBX_GetwPtr maps a
//   handle back; a handle that is not a live window is refused);
// - the application's main window is the desktop (KsGetMainWnd); its client
//   area is the desktop below the menu bar, and that is also the work area
//   windows are kept inside;
// - frame metrics are the frame sizes of the toolbox window definitions;
// - minimising hides a window and remembers it as iconic; restoring shows it
//   again. An iconic window's outer rectangle is the one it had when shown;
// - native styles are flags kept per window: the frame a window shows comes
//   from its window definition, so they change no pixels, but they are
//   answered (KsGetWindowStyles) and "always on top" makes a window count as
//   topmost for the obstruction tests;
// - floating windows are those registered in a table of 9 entries.
// Rectangles are global (screen) coordinates. Main thread only.
#pragma once

#include "KsGeometry.h"
#include "Windows.h"

using KsNativeWindow = void*;

// The desktop, standing for the application's main window.
KsNativeWindow KsGetMainWnd();

// ---------------------------------------------------------------------------
// Rectangles

// The content (client) or structure (outer) rectangle. A handle that is not a
// window writes "GetWindowWRect error: %s\n" to the debug output and leaves
// the outputs alone; answers whether they were set. The main window answers
// the desktop below the menu bar (client) or the whole desktop (outer).
bool GetWindowCRect(KsNativeWindow window, SInt32* left, SInt32* top, SInt32* right,
                    SInt32* bottom);
bool GetWindowWRect(KsNativeWindow window, SInt32* left, SInt32* top, SInt32* right,
                    SInt32* bottom);
// The main window's client rectangle: the desktop below the menu bar.
void GetMainWndSize(SInt32* left, SInt32* top, SInt32* right, SInt32* bottom);
// Centres `window` over `parent` (null or the main window: the work area),
// then keeps it inside the work area: a left or top edge outside moves in,
// a right or bottom edge outside pulls the window back by its size. Size and
// z-order are kept.
void CenterWindowInWindow(KsNativeWindow window, KsNativeWindow parent);

// ---------------------------------------------------------------------------
// Styles

enum KsWindowStyle : UInt32 {
    kKsStyleMinimizeBox = 1u << 0,
    kKsStyleMaximizeBox = 1u << 1,
    kKsStyleSystemMenu = 1u << 2,
    kKsStyleCaption = 1u << 3,
    kKsStyleResizeFrame = 1u << 4,
    kKsStyleToolWindow = 1u << 5,
    kKsStyleAlwaysOnTop = 1u << 6,
    kKsStyleDefault = kKsStyleMinimizeBox | kKsStyleMaximizeBox | kKsStyleSystemMenu |
                      kKsStyleCaption | kKsStyleResizeFrame,
};
UInt32 KsGetWindowStyles(KsNativeWindow window); // 0 for a handle that is not a window

// Each switch set removes (or adds) that style.
void RemoveWindowStyles(KsNativeWindow window, bool minimizeBox, bool maximizeBox, bool systemMenu,
                        bool caption, bool resizeFrame);
void AddWindowStyles(KsNativeWindow window, bool minimizeBox, bool maximizeBox, bool systemMenu,
                     bool caption, bool resizeFrame);
void AddWindowResizeFrame(KsNativeWindow window);
void MakeWindowResizable(KsNativeWindow window, bool on); // resize frame and maximise box
void ChangeWindowToToolbar(KsNativeWindow window);        // a tool window: small caption, no boxes
void SetWindowAlwaysOnTop(KsNativeWindow window, bool on);
// The desktop has no close button or resize buttons of its own; remembered.
void EnableAppCloseability(bool on);
void EnableAppResizeButtons(bool on);
bool KsAppCloseability();
bool KsAppResizeButtons();

// ---------------------------------------------------------------------------
// Frame metrics: outsets of the toolbox window definitions, in pixels.

SInt16 GetResizableXBorderWidth(); // a document window with grow box, at the side
SInt16 GetResizableYBorderWidth(); // ... at the bottom
SInt16 GetFixedXBorderWidth();     // the modal dialog's thick border
SInt16 GetFixedYBorderWidth();
SInt16 GetXEdgeWidth(); // the plain box's one-pixel border
SInt16 GetYEdgeWidth();
SInt16 GetXBorderWidth(); // a document window without grow box
SInt16 GetYBorderWidth();
SInt16 GetCaptionHeight();      // a document window's title bar
SInt16 GetSmallCaptionHeight(); // a floating window's title bar
SInt16 GetWinTaskbarHeight();   // no task bar on the desktop: 0

// ---------------------------------------------------------------------------
// Floating windows and overlap tests

constexpr int kKsFloatingWindowSlots = 9;
// Answers the 1-based slot, or 0 when the table is full or it is not a window.
int KsAddFloatingWindow(KsNativeWindow window);
void KsRemoveFloatingWindow(KsNativeWindow window);
// 1-based slot of the window in the table; 0 when not in it.
int IsFloatingWindow(KsNativeWindow window);
// A visible floating window that is not a tool window exists.
bool IsActivatableFWVisible();
bool IntersectWithFloatingWindow(KsNativeWindow floating, const KsRect& r);
bool IntersectWithAnyFloatingWindow(const KsRect& r);
// The overlay rectangle (empty: none) that other windows should stay off.
void KsSetOverlayRect(const KsRect& r);
bool IntersectsWithOverlayRect(const KsRect& r);
// A visible always-on-top window overlaps r.
bool KsWinIsRectObstructedByTopmost(const KsRect& r);
// The window's outer rectangle lies on the desktop, below the menu bar, and no
// visible window in front of it covers any of it.
bool WRectFullyVisible(KsNativeWindow window);
// For a visible window: every visible, non-floating window behind it in its
// own layer that overlaps it goes to the back of that layer (in one pass);
// answers the last floating window met in front of it (null when none).
KsNativeWindow WalkZOrder(KsNativeWindow window);
// Windows here have no system menu to rename: nothing happens.
void RenameMaximizeToZoom(KsNativeWindow window);
// True: windows are dragged as outlines (DragWindow), never as full windows.
bool IsWireFrames();

// ---------------------------------------------------------------------------
// Thin wrappers

bool KsIsIconic(KsNativeWindow window);
void MinimizeWindow(KsNativeWindow window); // hides it and remembers it as iconic
void RestoreWindow(KsNativeWindow window);  // shows an iconic window again
void SendMinimize(KsNativeWindow window);
void RestoreMinimizedWindow(KsNativeWindow window);
void RestoreMinimizedWindows(); // every iconic window, in the order minimised
// Moves and sizes by the outer rectangle, and puts it behind `after` (null:
// the order is kept; the main window: the front of its layer).
void KsSetWindowPos(KsNativeWindow window, KsNativeWindow after, const KsRect& outer);
void SetWindowFocus(KsNativeWindow window);      // KsSelectWindow
void SetForegroundWin(KsNativeWindow window);    // KsSelectWindow
void WinBringWindowToTop(KsNativeWindow window); // KsBringToFrontInLayer
void WinBringAppToForeground();                  // KsBringAppToForeground
// Invalidates r (global) in the window's content.
void RepaintRect(KsNativeWindow window, const KsRect& r);
// Disables every menu of the bar (keeping their states) or gives them back.
void EnableMenuBar(bool enable);
