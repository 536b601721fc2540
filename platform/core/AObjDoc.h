// AObjDoc: one object tree stored in a stream, behind a small header.
//
// Header: the four bytes "KsOD", the byte order the rest was written in ('B'
// big-endian, 'L' little-endian), and the format version byte (1); then one
// object item (or a null object). Reading adopts the header's byte order, so
// a document written "bytes swapped" reads correctly whatever the stream was
// told.
#pragma once

#include "AObject.h"
#include "KsMacTypes.h"

class APortable;
class AStream;

class AObjDoc : public AObject {
    KS_DECLARE_CLASS(AObjDoc, AObject)

    static constexpr UInt8 kFormatVersion = 1;

    explicit AObjDoc(AStream& stream);
    // Disposes an object read and not taken.
    ~AObjDoc() override;
    AObjDoc(const AObjDoc&) = delete;
    AObjDoc& operator=(const AObjDoc&) = delete;

    // Writes the header and the tree rooted at root (which may be null).
    void Write(APortable* root);
    // Reads the header and the tree; the document keeps the object until
    // TakeObject. Raises STRM_NOT_A_DOCUMENT for a bad header, the stream's
    // codes for a bad tree (nothing of it is left behind).
    APortable* Read();
    APortable* GetObject() const { return object_; }
    APortable* TakeObject();

private:
    AStream& stream_;
    APortable* object_ = nullptr;
};
