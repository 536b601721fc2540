// The pixman region behind a KsRgn, for the toolbox layer's drawing code.
// Not installed: hosts see KsRgn only. Operations through this pointer must
// leave a valid region behind (pixman's own calls do).
#pragma once

#include "KsRgn.h"

#include <new>
#include <pixman.h>

struct KsRgnAccess {
    static pixman_region32_t* Get(KsRgn& rgn) {
        return std::launder(reinterpret_cast<pixman_region32_t*>(rgn.storage_));
    }
    static const pixman_region32_t* Get(const KsRgn& rgn) {
        return std::launder(reinterpret_cast<const pixman_region32_t*>(rgn.storage_));
    }
};

inline pixman_region32_t* KsRgnPixman(KsRgn& rgn) {
    return KsRgnAccess::Get(rgn);
}
inline const pixman_region32_t* KsRgnPixman(const KsRgn& rgn) {
    return KsRgnAccess::Get(rgn);
}
