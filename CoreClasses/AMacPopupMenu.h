// AMacPopupMenu: the standard pop-up menu control. A box showing the current
// item with a down arrow, the title (when there is one) at its left. A click
// shows the menu with the current item under the pointer (the toolbox's
// pop-up menu call); the chosen item becomes the value. With the keyboard
// focus the up and down arrows step through the enabled items.
//
// The control owns its menu: menus given to it are copied item by item, so
// streams and copies carry the items.
#pragma once

#include "AMacControl.h"
#include "Menus.h"

class AMacPopupMenu : public AMacControl {
    KS_DECLARE_CLASS(AMacPopupMenu, AMacControl)

    static constexpr OSType kClassID = FourCharCode("MPop");
    static constexpr SInt16 kVersion = 1;
    static constexpr SInt16 kDownKeyCode = 0x7D;
    static constexpr SInt16 kUpKeyCode = 0x7E;
    // Room between the title and the box.
    static constexpr SInt16 kTitleGap = 6;

    static AMacPopupMenu* New(APane* encl, const char* title, SInt16 left, SInt16 right, SInt16 wid,
                              SInt16 top, SInt16 bot, SInt16 hei);
    static void PCRegister();

    AMacPopupMenu();
    ~AMacPopupMenu() override;
    AMacPopupMenu(const AMacPopupMenu&) = delete;
    AMacPopupMenu& operator=(const AMacPopupMenu&) = delete;

    // --- Pane, gadget and control slots -------------------------------------------
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    OSType GetClassID() const override { return kClassID; }
    void Dispose() override;
    void Put(AStream& stream) override;
    void Get(AStream& stream) override;
    void DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) override;
    bool DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) override;
    MenuHandle GetMenuHandleOnly() const override;
    void DrawControl(const KsRect& bounds, const KsRGBColor& bkgd) override;

    // --- Slots AMacPopupMenu introduces -----------------------------------------
    // The items of menu (null: none) replace the control's; the value is kept
    // when it still names an item, else it becomes 1.
    virtual void SetMenu(MenuHandle menu);
    virtual void AppendItem(const char* text);
    // The maximum follows the menu's item count again (after the menu was
    // changed through GetMenuHandleOnly).
    virtual void RefreshMenu();
    virtual SInt16 CountItems() const;
    // The item's text, cut to len - 1 bytes; empty when there is no such item.
    virtual void GetItemText(SInt16 item, char* buf, SInt32 len) const;
    // Shows the menu at the box, the current item under the pointer; answers
    // the item chosen (0: none).
    virtual SInt16 TrackMenu();

    // The box: the bounds without the title.
    KsRect GetBoxRect() const;

private:
    MenuHandle EnsureMenu();
    void StepItem(SInt16 direction, KsPoint pt, SInt16 modifiers, SInt32 when, void* data);

    MenuHandle menu = nullptr;
};
