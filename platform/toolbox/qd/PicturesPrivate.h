// The picture player over bytes (not installed), for tests and fuzzing.
#pragma once

#include "KsImagePrivate.h"
#include "Pictures.h"

// Whether the bytes start with the PNG signature.
bool KsIsPNGData(const UInt8* data, std::size_t size);
// A PNG file as 0xAARRGGBB pixels with alpha (raises QD_BAD_PICT).
KsImage KsDecodePNG(const UInt8* data, std::size_t size);
// The frame of picture data of either kind (raises QD_BAD_PICT).
Rect KsPictureFrame(const UInt8* data, std::size_t size);
// Checks the whole picture, then plays it into the current port mapped to dst.
void KsDrawPictureData(const UInt8* data, std::size_t size, const Rect& dst);
// Only the check: every opcode parsed and every image decoded, nothing drawn.
void KsCheckPictureData(const UInt8* data, std::size_t size);
