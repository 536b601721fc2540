// Pictures ('PICT' data): version 1 and 2 opcode pictures, and pictures whose
// data is a PNG file (for new artwork).
//
// A picture handle holds the data exactly as stored, big-endian; ask for the
// frame with QDGetPictureBounds rather than reading the header. Damaged data
// raises XError before anything is drawn.
#pragma once

#include "QuickDraw.h"

// The stored header: picture size (low 16 bits) and frame, big-endian; a PNG
// picture has no such header.
struct Picture {
    UInt8 header[10];
};
using PicPtr = Picture*;
using PicHandle = Picture**;

// The 'PICT' resource with that ID (owned by the resource chain), or null.
PicHandle GetPicture(SInt16 picID);
// Releases a picture from GetPicture, or disposes of any other picture handle.
void KillPicture(PicHandle pic);

// The picture's frame: from its header, or (0, 0, width, height) of a PNG
// picture. Answers false (and an empty rectangle) when the data is damaged.
Boolean QDGetPictureBounds(PicHandle pic, Rect* frame);

// Plays the picture into the current port with its frame mapped onto dstRect:
// shapes, lines and text are mapped, pixel images scaled by nearest
// neighbour, all clipped to the port's clip ∩ visible (and the picture's own
// clip). The port's pen, colours, patterns, text state and clip are the same
// on return. Raises XError, drawing nothing, when the data is damaged or uses
// an opcode that cannot be skipped.
void DrawPicture(PicHandle pic, const Rect* dstRect);
