// APagePane: one page of a stack pane's body, below its header row. Only one
// page of a stack pane shows at a time; the stack pane is then 1 + the
// page's rows high when open.
//
// The page owns its gadgets (sub-panes); it only points at its procedure.
#pragma once

#include "AGadget.h"
#include "APane.h"

class APaneStack;
class AStackPane;

class APagePane : public APane {
    KS_DECLARE_CLASS(APagePane, APane)
    KS_PANE_WALK_TRAITS(APagePane, kWalkIdleKeepsTree | kWalkStandardInterior)

    static constexpr OSType kClassID = FourCharCode("PagP");
    static constexpr SInt16 kVersion = 1;

    // encl is a stack pane of a pane stack.
    static APagePane* New(APane* encl, SInt32 refCon, const char* name, SInt16 heightMultiple,
                          AGadgetValUpdateProc valUpdateProc, SInt16 moreMultiple);
    static void PCRegister();

    APagePane() = default;

    // --- Overrides ----------------------------------------------------------
    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    void Put(AStream& stream) override;
    void Get(AStream& stream) override;
    bool DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) override;
    void DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) override;

    // --- Slots APagePane introduces, in slot order ----------------------------
    // A heightMultiple of 0 takes the current stack pane's body rows.
    virtual void IPagePane(APane* encl, SInt32 refCon, const char* name, SInt16 heightMultiple,
                           AGadgetValUpdateProc valUpdateProc, SInt16 moreMultiple);
    virtual SInt16 GetHeightMultiple() const { return heightMultiple; }
    // m >= 1; the page's own height, nothing else moves.
    virtual void SetHeightMultiple(SInt16 m);
    virtual SInt16 GetMoreMultiple() const { return moreMultiple; }
    virtual void SetMoreMultiple(SInt16 m) { moreMultiple = m < 0 ? SInt16(0) : m; }
    virtual bool IsMoreOpen() const { return isMoreOpen; }
    virtual void OpenMore();
    virtual void CloseMore();
    virtual void SetValUpdateProc(AGadgetValUpdateProc proc) { valUpdateProc = proc; }
    virtual void UpdateValues(SInt32 refCon, void* data);
    virtual void UpdateValues_Closed(SInt32 refCon, void* data);
    virtual void SetValueRefCon(SInt32 refCon) { valueRefCon = refCon; }
    virtual SInt32 GetValueRefCon() const { return valueRefCon; }

    // --- Not virtual ----------------------------------------------------------
    AGadgetValUpdateProc GetValUpdateProc() const { return valUpdateProc; }
    // The stack pane and the stack the page lies in; null when not in one.
    AStackPane* GetStackPane() const;
    APaneStack* GetStack() const;

protected:
    void MoreRows(bool open);

    // Fields, in their declared order.
    AGadgetValUpdateProc valUpdateProc = nullptr;
    SInt32 valueRefCon = 0;
    SInt16 heightMultiple = 0;
    bool isMoreOpen = false;
    SInt16 moreMultiple = 0;
};
