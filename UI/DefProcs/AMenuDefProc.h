// AMenuDefProc: an object that plays the part of a menu definition.
//
// An object is bound to a definition ID through the toolbox's menu-definition
// registry; every menu whose definition ID is that ID is then sized, drawn,
// tracked and placed by the object. GenericMDEF turns the toolbox's four
// messages into calls on the object.
//
// Ownership: whoever made the object owns it; the registry only points at it
// and forgets it when the object is disposed of.
#pragma once

#include "AObject.h"
#include "KsGeometry.h"
#include "Menus.h"

class AMenuDefProc : public AObject {
    KS_DECLARE_CLASS(AMenuDefProc, AObject)

    // The definition AModMenu owns: IMenuDefProc does not bind it.
    static constexpr SInt16 kModMenuDefID = 777;
    // GenericMDEF's messages.
    enum : SInt16 { kMsgDraw = 0, kMsgChoose = 1, kMsgSize = 2, kMsgPopup = 3 };

    AMenuDefProc() = default;
    AMenuDefProc(const AMenuDefProc&) = delete;
    AMenuDefProc& operator=(const AMenuDefProc&) = delete;
    ~AMenuDefProc() override;
    void Dispose() override;

    // Binds the object to definition `id` (except kModMenuDefID).
    virtual void IMenuDefProc(SInt16 id);
    virtual void DrawMenu(MenuHandle menu, KsRect* rect);
    // *item: the highlighted item on entry, the item under pt on exit.
    virtual void ChooseItem(MenuHandle menu, KsRect* rect, KsPoint pt, SInt16* item);
    virtual void SizeMenu(MenuHandle menu);
    virtual void PlacePopup(MenuHandle menu, KsRect* rect, KsPoint pt, SInt16* item);
    virtual void HiliteItem(MenuHandle menu, const KsRect& rect, SInt16 item, bool on);
    // Where an item is drawn now (for the submenu beside it); empty when it
    // is not shown. The default: rows of the toolbox's menu line height.
    virtual KsRect ItemRectNow(MenuHandle menu, const KsRect& menuRect, SInt16 item) const;
    // Whether tracking is to call ChooseItem again while the pointer rests.
    virtual bool WantsTime(MenuHandle menu, const KsRect& menuRect, KsPoint pt) const;

    SInt16 GetDefID() const { return defID; }
    // The object a menu's definition resolves to; null for a toolbox one.
    static AMenuDefProc* FromMenu(MenuHandle menu);

protected:
    // Routes definition `id` to this object from now on.
    void Bind(SInt16 id);
    void Unbind();

    SInt16 defID = 0;
    bool bound = false;
};

// Dispatches one toolbox message to the object bound to the menu's
// definition; rect is written back (choosing and placing may change it).
// Nothing escapes: a failure inside the object is reported and dropped,
// since the toolbox's tracking cannot carry it.
void GenericMDEF(SInt16 message, MenuHandle menu, Rect* rect, Point pt, SInt16* item);
