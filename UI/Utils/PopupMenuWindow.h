// PopupMenuWindow: a menu shown in a window of its own, for menus that the
// toolbox pop-up cannot show well: one taller than the screen is laid out in
// as many columns as it needs instead of scrolling through a strip.
//
// The window lives from Popup's start to its end; the object only keeps the
// menu (not owned), its font and the answer.
#pragma once

#include "Menus.h"
#include "QuickDraw.h"

struct WindowRecord; // the toolbox window; WindowPtr is WindowRecord*

class PopupMenuWindow {
public:
    // Whether a menu shown at anchor (global) in that font and size needs
    // this window: when it is taller than the screen that holds anchor
    // below the menu bar.
    static bool NeedsPopupMenuWindow(Point anchor, MenuHandle menu, SInt16 font, SInt16 size);

    PopupMenuWindow(MenuHandle menu, SInt16 font, SInt16 size);
    PopupMenuWindow(const PopupMenuWindow&) = delete;
    PopupMenuWindow& operator=(const PopupMenuWindow&) = delete;
    ~PopupMenuWindow();

    // The item drawn with a check mark.
    void SetMarked(SInt16 item) { marked_ = item; }
    // Shows the menu at anchor (its top-left, or centred on it), kept on the
    // screen, and tracks the mouse: while the button is held when
    // whileButtonDown, else until the next click. Answers whether an
    // enabled item was chosen (GetSelection).
    bool Popup(Point anchor, bool centerOnAnchor, bool whileButtonDown);
    // Lays the menu out for the screen at anchor and answers the window's
    // rectangle (global) that Popup would use.
    KsRect Place(Point anchor, bool centerOnAnchor);
    SInt16 GetSelection() const { return selection_; }

    // The layout, in window coordinates: columns of rows of the item height.
    SInt16 GetColumns() const { return columns_; }
    SInt16 GetRowsPerColumn() const { return rows_; }
    SInt16 GetItemHeight() const { return itemHeight_; }
    SInt16 GetColumnWidth() const { return columnWidth_; }
    // The item at a point of the window (0 when none); the item's rectangle.
    SInt16 ItemAt(Point local) const;
    Rect ItemRect(SInt16 item) const;

private:
    void Layout(SInt16 maxHeight);
    void DrawItem(SInt16 item, bool hilited) const;
    void DrawAll() const;
    bool Selectable(SInt16 item) const;

    MenuHandle menu_;
    SInt16 font_;
    SInt16 size_;
    SInt16 marked_ = 0;
    SInt16 selection_ = 0;
    SInt16 columns_ = 1;
    SInt16 rows_ = 0;
    SInt16 itemHeight_ = 16;
    SInt16 columnWidth_ = 0;
    WindowRecord* window_ = nullptr; // owned while shown
};
