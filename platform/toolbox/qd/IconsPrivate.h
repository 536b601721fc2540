// The icon and cursor decoders (not installed): pure functions over resource
// bytes that raise XError (QD_BAD_ICON, QD_BAD_CURSOR, QD_BAD_PIXPAT) on
// damaged data and never read outside it. Trailing bytes are ignored.
#pragma once

#include "Icons.h"
#include "KsImagePrivate.h"

// 'ICON': 32x32 one-bit, no mask.
KsImage KsDecodeICON(const UInt8* data, std::size_t size);
// 'ICN#' (side 32) and 'ics#' (side 16): the icon, then its mask.
KsImage KsDecodeIconList(const UInt8* data, std::size_t size, SInt32 side);
// 'SICN': how many 16x16 icons the list holds, and icon `index` (from 0).
SInt32 KsCountSICN(std::size_t size); // raises unless a non-empty multiple of 32
KsImage KsDecodeSICN(const UInt8* data, std::size_t size, SInt32 index);
// 'icl8' (side 32) and 'ics8' (side 16): one byte per pixel through the
// system palette; the mask is taken from `maskFrom` (the family's one-bit
// list) when given and of the same size.
KsImage KsDecodeIndexed8(const UInt8* data, std::size_t size, SInt32 side, const KsImage* maskFrom);

// 'cicn' and 'cccn': the colour image with its mask, the one-bit form, and the
// mask's row bytes and bounds as stored.
struct KsColorIcon {
    KsImage color; // pixels + mask
    KsImage oneBit;
    SInt16 pixelSize = 0;
    SInt16 maskRowBytes = 0;
    Rect maskBounds{};
    std::vector<UInt8> maskRows; // as stored: maskRowBytes * height
    SInt16 bmapRowBytes = 0;
    std::vector<UInt8> bmapRows;
};
KsColorIcon KsDecodeCIcon(const UInt8* data, std::size_t size);
// A CIcon handle made from decoded data (raises memFullErr as SYS_ERROR).
CIconHandle KsNewCIconHandle(const KsColorIcon& icon);

// 'ppat': type 0 (the one-bit pattern in black on white) and type 1 (a pixel
// map at 1, 2, 4 or 8 bits with its colour table) as xRGB pixels.
KsImage KsDecodePixPatImage(const UInt8* data, std::size_t size);
PixPatHandle KsDecodePixPat(const UInt8* data, std::size_t size);

// 'CURS': 16x16 data and mask, and the hot spot (inside the 16x16 square).
struct KsCursorImage {
    UInt16 data[16];
    UInt16 mask[16];
    Point hotSpot;
};
KsCursorImage KsDecodeCursor(const UInt8* data, std::size_t size);
