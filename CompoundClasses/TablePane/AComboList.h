// AComboList: the choices of a combo cell, in order, and their pop-up menu.
// The menu is built for each pop-up from the choices, so a list may change
// between pop-ups and no menu outlives one.
#pragma once

#include "AObject.h"
#include "KsMacTypes.h"

#include <string>
#include <vector>

class AComboList : public AObject {
    KS_DECLARE_CLASS(AComboList, AObject)

    void AppendChoice(const char* text);
    void RemoveAllChoices() { iChoices.clear(); }
    SInt32 GetCount() const { return SInt32(iChoices.size()); }
    // 1-based; "" out of range.
    const char* GetChoice(SInt32 index) const;
    // The choice with exactly this text, or 0.
    SInt32 IndexOf(const char* text) const;
    // Shows the choices as a pop-up menu with choice `current` (0: the
    // first) at (top, left) in global coordinates, marked when it is one,
    // and tracks it until the button comes up. Answers the chosen index,
    // or 0 for none.
    SInt32 PopUp(SInt16 top, SInt16 left, SInt32 current) const;

private:
    std::vector<std::string> iChoices;
};
