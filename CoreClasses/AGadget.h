// AGadget: the base of every control (buttons, check boxes, LEDs, pop-up
// menu buttons, sliders, scroll bars).
//
// A gadget is a pane with a face (the body text, a resource image, or both
// side by side), an on/off state with lighting rules, click handling (hilite,
// track, good click, auto-repeat), an action (a nick number through the menu
// bar, an up-click procedure and the window's good-click hook), a keyboard
// equivalent, an optional attached pop-up menu and spotlighting.
//
// The menu value (itsMenuItem) has one meaning everywhere: the chosen item's
// nick number when the menu bar knows one for it (1000 or more), else the
// item's 1-based number. Menu choices are converted to it on the way in and
// back to items where an item is needed.
//
// Ownership: the gadget owns rsrcHandle (a copy, or a decoded colour icon for
// 'cicn') and, while ownsMenu is set, the menu itsMenuID. It only points at
// its caption and its procedures.
//
// Bodies by concern: AGadget.cpp (set-up, state, values, faces),
// AGadgetClick.cpp (clicks, tracking, good click, keys), AGadgetMenu.cpp
// (the pop-up menu), AGadgetDraw.cpp (colours, faces, idle time),
// AGadgetStream.cpp (streams, property text, WriteResources).
// The virtual operations are declared in the order of their slots.
#pragma once

#include "APane.h"
#include "KsFontMgr.h"
#include "Menus.h"

class AGadget;
class AMultiLineCaption;

using AGadgetClickProc = void (*)(AGadget* gad, void* refCon);
// menuID and value are those of the menu choice made by this click (0 and 0
// when no menu was shown); value is the gadget's menu value (see above).
using AGadgetUpClickProc = void (*)(AGadget* gad, void* refCon, SInt16 menuID, SInt32 value);
using AGadgetValUpdateProc = void (*)(SInt32 value, APane* pane, void* data);
using AGadgetValRefConProc = bool (*)(APane* pane, SInt32 value);
using AGadgetDawdleProc = void (*)(AGadget* gad, KsPoint pt, SInt16 modifiers, SInt32* sleep,
                                   SInt16* cursorID, void* refCon);

// iGadFlags bits.
enum : UInt32 {
    gadAutoRepeats = 0x01,
    gadIsBistate = 0x02,
    gadState = 0x04,
    gadIsLED = 0x08,
    gadDisabled = 0x10,
    gadForeColorSet = 0x20,
    gadLightsOnState = 0x40,
    gadUseExplicitColors = 0x80,
};

// How UpdateMenu prepares the attached menu before it is shown.
enum : SInt16 {
    kGadMenuAsMenuBar = 0,  // reset, then let the window enable items
    kGadMenuFullEnable = 1, // uncheck and enable every item
    kGadMenuUncheckOnly = 2 // uncheck every item, keep the enabling
};

class AGadget : public APane {
    KS_DECLARE_CLASS(AGadget, APane)
    KS_PANE_WALK_TRAITS(AGadget, GadgetWalkTraits())

    static constexpr OSType kClassID = 0x47616467; // 'Gadg'
    static constexpr SInt16 kVersion = 4;
    // Extension numbers of the stream record.
    static constexpr SInt16 kExtForeColor = 1;
    // Click timing, in ticks.
    static constexpr SInt32 kTrackTimeLimit = 1000;
    static constexpr SInt32 kRepeatDelay = 24;
    static constexpr SInt32 kRepeatInterval = 10;
    // The cursor over a menu gadget, and the menu indicator's small icon.
    static constexpr SInt16 kMenuCursorID = 624;
    static constexpr SInt16 kMenuIndicatorID = 9014;
    // The mark of a checked item in a menu drawn in another font than the
    // system font.
    static constexpr char kAltCheckMark = char(0xC3);

    static AGadget* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top, SInt16 bot,
                        SInt16 hei, const KsRGBColor& bkgdColor, SInt32 border);
    // A static text gadget sized to its text in that font.
    static AGadget* NewLabel(APane* encl, const char* text, SInt16 left, SInt16 top, SInt16 font,
                             SInt16 size, SInt16 face, SInt16 just);
    // The font, size and face new gadgets start with (font 4, size 9, plain).
    static void SetDefaultFontSizeFace(SInt16 font, SInt16 size, SInt16 face);
    static void GetDefaultFontSizeFace(SInt16* font, SInt16* size, SInt16* face);
    // Adds the class to the class registry and the pane property text.
    static void PCRegister();

    AGadget();

    virtual void IGadget(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top, SInt16 bot,
                         SInt16 hei, const KsRGBColor& bkgdColor, SInt32 border);

    // --- APane slots AGadget overrides --------------------------------------
    void Dispose() override;
    AObject* Copy() override;
    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    const char* GetExtensionDescription() const override;
    void Put(AStream& stream) override;
    void Get(AStream& stream) override;
    void Dawdle(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* cursorID, void* data) override;
    bool DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) override;
    void DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) override;
    void SetVisible(bool on) override;
    void DrawDetail(const KsRect& rect, const KsRGBColor& bkgd, void* data) override;
    void SetBkndColor(const KsRGBColor& color) override;
    KsRGBColor GetBkndColor() const override;
    void SetText(const char* text) override;
    SInt32 GetText(char* buf, SInt32 len) const override;
    void CenterPane(APane* other, bool horizontal, bool vertical) override;
    void Incorporate(APane* other) override;

    // --- Slots AGadget introduces -------------------------------------------
    virtual void EnableSpotlight(bool on);
    // False, changing nothing, when spotlighting is off or nothing changes.
    virtual bool SetSpotlight(bool on);
    // A toggle that subclasses draw; the base draws its lit look from the state.
    virtual void HiliteGad();
    virtual void DeliteGad();
    // Follows the mouse until release or timeLimit ticks; true when released
    // inside the active rectangle.
    virtual bool TrackGad(SInt32 timeLimit, KsPoint pt, SInt16 modifiers, SInt32 when,
                          void* refCon);
    virtual void DoGoodClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* refCon);
    // Shows the attached menu. selection: menu ID in the high half, item in
    // the low half (0 when nothing was chosen); value: the menu value.
    virtual void DoPopupMenuClick(SInt32* selection, SInt32* value);
    virtual void SetHasMenu(bool on);
    virtual void SetMenuID(SInt16 menuID);
    virtual SInt16 GetMenuID() const;
    // The caption replaces the label. A caption that goes away first calls
    // SetCaption(nullptr) on its gadget; a gadget that goes away first tells
    // its caption.
    virtual void SetCaption(AMultiLineCaption* caption);
    virtual AMultiLineCaption* GetCaption() const;
    virtual MenuHandle GetMenuHandleOnly() const;
    virtual KsRect GetActiveRect() const;
    virtual void SetDownClickProc(AGadgetClickProc proc);
    virtual void SetUpClickProc(AGadgetUpClickProc proc);
    virtual void SetDawdleProc(AGadgetDawdleProc proc);
    virtual void SetValUpdateProc(AGadgetValUpdateProc proc);
    virtual void UpdateValues(SInt32 value, void* data);
    virtual void SetValueRefCon(SInt32 refCon);
    virtual SInt32 GetValueRefCon() const;
    virtual void SetValRefConProc(AGadgetValRefConProc proc);
    virtual bool HasValueRefCon(SInt32 value);
    virtual void SetRsrc(OSType type, SInt16 id);
    virtual void SetDisplayRsrcAndText(bool on);
    virtual void SetAdjustTextToFit(bool on);
    virtual void SetMenuItem(SInt32 value, bool drawNow);
    virtual SInt32 SetMenuItemFromText(const char* text);
    virtual SInt32 GetMenuItemFromText(const char* text) const;
    virtual SInt32 GetMenuItem() const;
    virtual void SetTakesMenuVal(bool on);
    virtual void SetMenuInfo(SInt16 menuID, SInt32 value, bool popsDown, bool takesMenuVal);
    virtual void MakePopupMenu(const char* title);
    virtual void DisposePopupMenu();
    virtual void AppendPopupMenuItem(const char* text, SInt16 iconID, char commandChar);
    virtual void AppendPopupMenuItem_Color(const char* text, const KsRGBColor& markColor,
                                           const KsRGBColor& textColor, const KsRGBColor& keyColor,
                                           const KsRGBColor& backColor);
    virtual void AppendPopupMenuDivider();
    virtual void EnablePopupMenuItem(SInt16 item, bool on);
    // keyCode 0xFF and charCode 0 stand for "none".
    virtual void SetKeyCharCode(UInt8 keyCode, char charCode);
    virtual void SetMenuFontSize(SInt16 font, SInt16 size);
    virtual void SetPopsDown(bool on);
    virtual void UpdateMenu(void* refCon);
    virtual void SetMenuCheckMark(SInt32 value);
    virtual void DoMenuGadUpClick(MenuHandle menu, SInt16 menuID, SInt32 value);
    virtual void SetTextFromMenu();
    virtual void DisposeRsrc();
    virtual void GetMenuPopupPos(MenuHandle menu, SInt16* top, SInt16* left, SInt16* item);
    virtual void SetMenuEnableMode(SInt16 mode);
    virtual void SetMenuFullEnable(bool on);
    virtual void SetShowMenuIcon(bool on);
    virtual void SetAutoRepeats(bool on);
    virtual bool GetAutoRepeats() const;
    // False, drawing nothing, when the state is already `on`. setFace makes
    // the body text bold when on and plain when off.
    virtual bool SetState(bool on, bool setFace);
    virtual bool GetState() const;
    virtual bool GetDoesBgndLight() const;
    virtual bool GetDoesFgndLight() const;
    virtual bool GetIsLED() const;
    virtual void SetIsLED(bool on);
    virtual void SetIsBistate(bool on);
    virtual bool GetIsBistate() const;
    virtual void SetUseExplicitColors(bool on);
    virtual bool GetUseExplicitColors() const;
    virtual void SetEnabled(bool on);
    virtual void SetEnabled2(bool on, bool redrawNow);
    virtual bool GetEnabled() const;
    virtual void Enable();
    virtual void Disable();
    // Answers whether any bit of mask was set before.
    virtual bool SetGadFlag(UInt32 mask, bool on);
    virtual bool GetGadFlag(UInt32 mask) const;
    virtual void SetForeColor(const KsRGBColor& color);
    // A copy of the attached menu prepared as for a click; the caller owns
    // it (DisposeMenu). Null without a menu.
    virtual MenuHandle GetMenuCopy();
    virtual void DrawRsrc(const KsRect& rect, Handle handle, OSType type, SInt16 id, bool enabled,
                          KsRGBColor* bkgd, KsRGBColor* fore);
    virtual void SetCmdNum(SInt32 nick);
    virtual SInt32 GetCmdNum() const;

protected:
    void ConstructPaneID() override;

public:
    void WriteResources(SInt16 fileRef, SInt16 baseID) override;

    // --- Not virtual --------------------------------------------------------
    void SetMenuScreenFont(screenFont_t font) { menuScreenFont = font; }
    screenFont_t GetMenuScreenFont() const { return menuScreenFont; }
    bool GetHasMenu() const { return hasMenu; }
    bool GetOnDownClick() const { return onDownClick; }
    void SetOnDownClick(bool on) { onDownClick = on; }
    bool GetTakesMenuVal() const { return takesMenuVal; }
    bool GetPopsDown() const { return popsDown; }
    bool GetOwnsMenu() const { return ownsMenu; }
    SInt16 GetMenuEnableMode() const { return menuEnableMode; }
    bool GetShowMenuIcon() const { return showMenuIcon; }
    SInt32 GetPrevMenuItem() const { return prevMenuItem; }
    UInt8 GetKeyCode() const { return itsKeyCode; }
    char GetCharCode() const { return char(itsCharCode); }
    bool GetSpotlight() const { return spotlight; }
    bool GetSpotlightEnabled() const { return spotlightEnabled; }
    bool GetAdjustTextToFit() const { return adjustTextToFit; }
    bool GetDisplayRsrcAndText() const { return displayRsrcAndText; }
    OSType GetRsrcType() const { return itsRsrcType; }
    SInt16 GetRsrcID() const { return resourceID; }
    Handle GetRsrcHandle() const { return rsrcHandle; }
    UInt32 GetGadFlags() const { return iGadFlags; }
    const KsRGBColor& GetForeColor() const { return iForeColor; }
    SInt16 GetMenuFont() const { return menuFont; }
    SInt16 GetMenuSize() const { return menuSize; }
    AGadgetClickProc GetDownClickProc() const { return downClickProc; }
    AGadgetUpClickProc GetUpClickProc() const { return upClickProc; }
    AGadgetDawdleProc GetDawdleProc() const { return dawdleProc; }
    // Takes a face from resource data (an 'ICON' or 'SICN' read from a
    // pane description) without a resource file; the data are copied and
    // checked as a resource's would be. Raises "UIS_BAD_RSRC" when they do
    // not hold a valid face.
    void SetRsrcData(OSType type, const void* data, Size size);

    // Pane property text keys; their bodies live with the streams.
    void AddGadgetPropsToList(CoreAttrList* list);
    void GetGadgetPropsFromList(CoreAttrList* list);

protected:
    // A gadget's idle time keeps the tree unless an idle procedure is
    // installed, which may do anything.
    UInt8 GadgetWalkTraits() const {
        return dawdleProc ? UInt8(kWalkStandardInterior)
                          : UInt8(kWalkIdleKeepsTree | kWalkStandardInterior);
    }

    // The menu value as an item of the attached menu (0 when it names none).
    SInt16 MenuValueToItem(SInt32 value) const;
    // A chosen item as a menu value: its nick number when it has one.
    SInt32 ItemToMenuValue(SInt16 item) const;
    // The window's data handed to the procedures as their refCon.
    void* WindowRefCon() const;
    // The menu indicator at the right end of r, in its form (-1 disabled,
    // 1 focused, 0 otherwise).
    void DrawMenuIndicator(const KsRect& r, const KsRGBColor& bkgd);
    SInt16 MenuIndicatorForm() const;
    // Replaces the face by resource (type, id) and answers whether one was
    // loaded; the text is left alone (readers restore both as written).
    bool LoadRsrc(OSType type, SInt16 id);
    // Replaces the face by a copy of checked resource data; the text is left
    // alone. Raises "UIS_GADGET_BAD_RSRC" for data that are no valid face.
    void LoadRsrcData(OSType type, const void* data, Size size);

    // Fields, in their declared order.
    AGadgetClickProc downClickProc = nullptr;
    AGadgetUpClickProc upClickProc = nullptr;
    AGadgetValUpdateProc valUpdateProc = nullptr;
    AGadgetValRefConProc valRefConProc = nullptr;
    AGadgetDawdleProc dawdleProc = nullptr;
    SInt32 valueRefCon = 0;
    OSType itsRsrcType = 0;
    Handle rsrcHandle = nullptr; // owned; a CIconHandle for 'cicn'
    SInt32 itsMenuItem = 0;
    SInt32 prevMenuItem = 0;
    KsRGBColor iForeColor{0x7000, 0x7000, 0x7000};
    AMultiLineCaption* caption = nullptr; // not owned
    SInt16 resourceID = 0;
    SInt16 itsMenuID = 0;
    SInt16 menuFont = 0;
    SInt16 menuSize = 12;
    bool onDownClick = false;
    bool hasMenu = false;
    bool takesMenuVal = true;
    bool ownsMenu = false;
    bool popsDown = true;
    SInt16 menuEnableMode = kGadMenuAsMenuBar;
    bool showMenuIcon = false;
    UInt8 itsKeyCode = 0xFF;
    UInt8 itsCharCode = 0;
    bool adjustTextToFit = false;
    bool displayRsrcAndText = false;
    bool spotlight = false;
    bool spotlightEnabled = false;
    screenFont_t menuScreenFont = kScreenFontSystem;
    UInt32 iGadFlags = 0;
    SInt32 cmdNum = 0;

private:
    // Set while a procedure runs inside SetTextFromMenu, so that the texts it
    // sets do not call it again.
    bool inSetTextFromMenu = false;

    static SInt16 defaultFont;
    static SInt16 defaultSize;
    static SInt16 defaultFace;
};
