// AMacControl: the base of the standard controls (check box, radio button,
// pop-up menu), drawn by the framework as gadgets.
//
// A control holds a value between a minimum and a maximum, a title (the
// gadget text), a hilite part (non-zero while it is pressed) and the
// enabling of every gadget. It takes the keyboard focus by Tab or a click
// when it can be tabbed to, and then answers Space.
//
// Derived classes draw their face in DrawControl and say what a good click
// does to the value in ClickChangesValue.
#pragma once

#include "AGadget.h"

class CoreAttrList;

class AMacControl : public AGadget {
    KS_DECLARE_CLASS(AMacControl, AGadget)

    static constexpr OSType kClassID = FourCharCode("MCtl");
    static constexpr SInt16 kVersion = 1;
    static constexpr SInt16 kSpaceKeyCode = 0x31;

    static void PCRegister();

    AMacControl();

    virtual void IMacControl(APane* encl, const char* title, SInt16 left, SInt16 right, SInt16 wid,
                             SInt16 top, SInt16 bot, SInt16 hei, SInt32 value, SInt32 min,
                             SInt32 max);

    // --- Pane and gadget slots ------------------------------------------------
    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    void Put(AStream& stream) override;
    void Get(AStream& stream) override;
    void DrawDetail(const KsRect& rect, const KsRGBColor& bkgd, void* data) override;
    void DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) override;
    bool DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) override;
    void DoGoodClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* refCon) override;
    void HiliteGad() override;
    void DeliteGad() override;
    void Activate() override;
    void Deactivate() override;
    void SetEnabled(bool on) override;

    // --- Slots AMacControl introduces -----------------------------------------
    // The value is kept between the minimum and the maximum.
    virtual void SetVal(SInt32 value);
    virtual SInt32 GetVal() const;
    // A maximum below the minimum is raised to it.
    virtual void SetMinMax(SInt32 min, SInt32 max);
    virtual void SetTitle(const char* title);
    // Answers the length copied (at most len - 1 bytes).
    virtual SInt32 GetTitle(char* buf, SInt32 len) const;
    virtual void SetHilite(SInt16 part);
    virtual SInt16 GetHilite() const;
    // What the value becomes after a good click (the value itself: nothing).
    virtual SInt32 ClickChangesValue(SInt32 value) const;
    // The face, in the port of the window, within the bounds.
    virtual void DrawControl(const KsRect& bounds, const KsRGBColor& bkgd);

    // --- Not virtual ------------------------------------------------------------
    SInt32 GetMin() const { return ctlMin; }
    SInt32 GetMax() const { return ctlMax; }
    void AddMacControlPropsToList(CoreAttrList* list);
    void GetMacControlPropsFromList(CoreAttrList* list);
    // Draws the control at once, in the window's port.
    void RedrawControlNow();
    // The title's colour on bkgd: greyed when the control is disabled.
    KsRGBColor TitleColor(const KsRGBColor& bkgd) const;

    // Registers a control class with the class registry and the pane
    // property text (APane's, AGadget's and AMacControl's keys, then the
    // class's own, when given).
    static void RegisterControlClass(OSType classID, const char* name, APane* (*makePane)(),
                                     PClassFactory factory,
                                     void (*addProps)(APane*, CoreAttrList*) = nullptr,
                                     void (*getProps)(APane*, CoreAttrList*) = nullptr);

protected:
    SInt32 ctlValue = 0;
    SInt32 ctlMin = 0;
    SInt32 ctlMax = 1;
    SInt16 ctlHilite = 0;
};
