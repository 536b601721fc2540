// What the off-screen worlds and the pixel copies share (not installed).
#pragma once

#include "KsPortPrivate.h"
#include "QDOffscreen.h"

// The port whose pixel map descriptor bits is; null when bits is anything
// else (a one-bit bitmap, or a copy of a descriptor).
GrafPtr KsPortOfPixMap(const BitMap* bits);
void KsSetQDError(QDErr err);
// Drops a port's pixel map descriptor; KsClosePort calls it.
void KsForgetPortPixMap(GrafPtr port);

// Carries pixels from a world's old buffer into its new one: kept at the
// same offset from the top-left corner and clipped, or scaled to fill it
// with CopyBits's nearest-pixel rule.
enum class KsKeepPixels : UInt8 { kClip, kStretch };
void KsCarryPixels(const KsPortSurface* from, KsPortSurface* to, KsKeepPixels how);
