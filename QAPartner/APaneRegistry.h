// APaneRegistry: stable reference numbers for panes, for test-automation
// tools that name a pane across calls without holding a pointer.
//
// Refnums start at 1 and grow by one per pane added; they are never reused,
// so the records (pane, refnum), kept in order of addition, are sorted by
// refnum and LookUp is a binary search. The registry does not own its panes.
// While a registry exists it keeps APane::iQAPdisposeCallback pointing at
// its own hook, so a disposed pane leaves every live registry at once (a hook
// installed before it is still called).
#pragma once

#include "AArray.h"
#include "KsPaneDump.h"

class APane;

class APaneRegistry : public AArray {
    KS_DECLARE_CLASS(APaneRegistry, AArray)

    static APaneRegistry* New();
    void Dispose() override;
    ~APaneRegistry() override;

    // The pane's refnum: its existing one when already registered, else the
    // next one, also stored in the pane's refNum field.
    SInt32 Add(APane* pane);
    // True, with the pane, while the refnum's pane is registered; false for
    // a refnum removed or never handed out by this registry.
    bool LookUp(SInt32 refNum, APane** paneOut) const;
    // The refnum was handed out by this registry (removed or not).
    bool ValidRefNum(SInt32 refNum) const { return refNum >= 1 && refNum < nextRefNum; }
    // False when the pane is not registered. Its refNum field is left alone.
    bool Remove(APane* pane);
    SInt32 GetNextRefNum() const { return nextRefNum; }
    // The records, one line each, indented by indent spaces.
    void Dump(KsPrintfProc printf, int indent) const;
    using AArray::Dump; // the object's own dump stays callable

    struct Record {
        APane* pane; // not owned
        SInt32 refNum;
    };

private:
    APaneRegistry();
    SInt32 IndexOf(const APane* pane) const;
    SInt32 nextRefNum = 1;
};
