// ABaseSlider: the abstract base of the sliders. It adds the three questions
// every slider answers (its value, its limits and where a value lies on the
// track); the base only reports that a subclass failed to answer them.
#pragma once

#include "AGadget.h"

class ABaseSlider : public AGadget {
    KS_DECLARE_CLASS(ABaseSlider, AGadget)
    KS_PANE_WALK_TRAITS(ABaseSlider, GadgetWalkTraits())

    ABaseSlider() = default;

    // --- Slots ABaseSlider introduces, in slot order -------------------------
    virtual double GetValue() const;
    // The limits truncated to whole numbers.
    virtual void GetMinMax(SInt32* min, SInt32* max) const;
    virtual void ValueToPt(double value, KsPoint* pt, bool flag) const;
};
