// The slider classes as a table, for tests that run one case per kind, and a
// track hook that records what it is told.
#pragma once

#include "AMillSliders.h"

#include <vector>

struct SliderKind {
    const char* name;
    OSType id;
    bool thin;
    // A slider at (left, top), wid x hei, over [lo, hi] at v.
    ASlider* (*make)(APane* encl, SInt16 left, SInt16 top, SInt16 wid, SInt16 hei, double v,
                     double lo, double hi);
};

inline const std::vector<SliderKind>& SliderKinds() {
    constexpr SInt16 S = kPaneDontCare;
    static const std::vector<SliderKind> kinds = {
        {"ASlider", FourCharCode("Slid"), false,
         [](APane* e, SInt16 l, SInt16 t, SInt16 w, SInt16 h, double v, double lo, double hi) {
             return ASlider::New(e, l, S, w, t, S, h, v, lo, hi);
         }},
        {"AThinSlider", FourCharCode("THIN"), true,
         [](APane* e, SInt16 l, SInt16 t, SInt16 w, SInt16 h, double v, double lo, double hi)
             -> ASlider* { return AThinSlider::New(e, l, S, w, t, S, h, v, lo, hi, "Gain", 9); }},
        {"ATreadMill", FourCharCode("TRDM"), true,
         [](APane* e, SInt16 l, SInt16 t, SInt16 w, SInt16 h, double v, double lo, double hi)
             -> ASlider* { return ATreadMill::New(e, l, S, w, t, S, h, v, lo, hi, "Jog", 9); }},
        {"AWindMill", FourCharCode("WNDM"), true,
         [](APane* e, SInt16 l, SInt16 t, SInt16 w, SInt16 h, double v, double lo, double hi)
             -> ASlider* { return AWindMill::New(e, l, S, w, t, S, h, v, lo, hi, "Pan", 9); }},
    };
    return kinds;
}

// Every call of the hook, in order.
inline std::vector<double>& HookCalls() {
    static std::vector<double> calls;
    return calls;
}
inline void RecordHook(double value, ASlider*, void*) {
    HookCalls().push_back(value);
}
