// AStream: labelled, typed items and whole objects in one byte layout.
//
// Layout. A stream is a sequence of items; each item is
//
//     tag:u8  labelLength:u8  label[labelLength]  payload
//
// and the payload, by tag (numbers in the stream's byte order, big-endian
// unless the stream is told otherwise):
//
//     0x01 char            i8
//     0x02 bool            u8, 0 or 1
//     0x03 short           i16
//     0x04 long            i32
//     0x05 double          IEEE-754 binary64, as a u64
//     0x06 handle          n:u32, n bytes
//     0x07 null handle     -
//     0x08 rectangle       i32 left, top, right, bottom
//     0x09 colour          u16 red, green, blue
//     0x0A C string        n:u32, n bytes (no terminator)
//     0x0B Pascal string   n:u8, n bytes
//     0x0C byte block      n:u32, n bytes
//     0x10 object          classID:u32, n:u32, then n bytes: the object's record
//     0x11 object ref      index:u32 (objects are numbered 0, 1, ... in the
//                          order their items start in the stream)
//     0x12 null object     -
//     0x13 class mark      classID:u32, version:i16
//     0x14 extension       number:i16, n:u32, n bytes of items
//     0x15 extensions end  -
//
// Ownership: an object item owns the object it holds; a reference never owns
// (a reference to an object not written before it is written as null). A
// record's extensions come after its fixed items and end with an extensions-
// end item; a reader skips the ones it does not know, what is left of an
// extension it stopped reading, and whatever a newer writer appended to the
// end of an object's whole record (a base class's part of the record cannot
// grow that way, since its subclass's part follows it: use an extension).
//
// Reading is bounded: every length is checked against what is left of the
// innermost object or extension (or the stream) before anything is read or
// allocated, objects nest at most kMaxObjectDepth deep, and bad data raises
// XError with one of the STRM_ codes below. An object whose record fails to
// read is disposed before the error goes on (see APortable.h).
//
// Byte order: resources written on little-endian machines ("bytes swapped")
// are read by telling the stream KsByteOrder::littleEndian; tags, lengths
// bytes and strings are the same in both orders.
//
// A stream is written, then rewound (Rewind) and read; it does not interleave
// the two. Subclasses supply the medium through WriteAt and ReadAt, or
// override the item operations for a different encoding (a text stream).
#pragma once

#include "AObject.h"
#include "KsMacTypes.h"

#include <string>
#include <unordered_map>
#include <vector>

class APortable;

enum class KsByteOrder : UInt8 { bigEndian, littleEndian };

enum class KsItemType : UInt8 {
    none = 0, // end of the stream or of the object or extension being read
    charItem = 0x01,
    boolItem = 0x02,
    shortItem = 0x03,
    longItem = 0x04,
    doubleItem = 0x05,
    handleItem = 0x06,
    nullHandle = 0x07,
    rectItem = 0x08,
    colorItem = 0x09,
    cString = 0x0A,
    pString = 0x0B,
    bytesItem = 0x0C,
    object = 0x10,
    objectRef = 0x11,
    nullObject = 0x12,
    classMark = 0x13,
    extension = 0x14,
    extensionsEnd = 0x15,
};

// One typed, labelled item, for classes that describe their record as a table.
// data points at: char, bool, SInt16, SInt32, double, Handle, SInt32[4]
// (left, top, right, bottom), UInt16[3] (red, green, blue), char[size],
// Str255, or APortable* (object: owned; objectRef: not owned). Reading a
// handle or an object stores a new one the caller owns.
struct AIODesc {
    KsItemType type;
    const char* label;
    void* data;
    long size = 0; // C strings: the buffer's size
};

// Error codes raised by readers (user texts are registered with the library).
extern const char* const kStrmTruncated;     // "STRM_TRUNCATED"
extern const char* const kStrmCorrupt;       // "STRM_CORRUPT"
extern const char* const kStrmTypeMismatch;  // "STRM_TYPE_MISMATCH"
extern const char* const kStrmLabelMismatch; // "STRM_LABEL_MISMATCH"
extern const char* const kStrmTooLong;       // "STRM_TOO_LONG"
extern const char* const kStrmUnknownClass;  // "STRM_UNKNOWN_CLASS"
extern const char* const kStrmClassMismatch; // "STRM_CLASS_MISMATCH"
extern const char* const kStrmVersionTooNew; // "STRM_VERSION_TOO_NEW"
extern const char* const kStrmVersionTooOld; // "STRM_VERSION_TOO_OLD"
extern const char* const kStrmBadReference;  // "STRM_BAD_REFERENCE"
extern const char* const kStrmTooDeep;       // "STRM_TOO_DEEP"
extern const char* const kStrmNotADocument;  // "STRM_NOT_A_DOCUMENT"
extern const char* const kStrmNoMemory;      // "STRM_NO_MEMORY"

class AStream : public AObject {
    KS_DECLARE_CLASS(AStream, AObject)

    static constexpr int kMaxObjectDepth = 100;

    explicit AStream(KsByteOrder order = KsByteOrder::bigEndian);
    ~AStream() override;
    AStream(const AStream&) = delete;
    AStream& operator=(const AStream&) = delete;

    KsByteOrder GetByteOrder() const { return order_; }
    void SetByteOrder(KsByteOrder order) { order_ = order; }

    // Bytes in the stream.
    virtual long GetLength() const { return length_; }
    long GetPosition() const { return pos_; }
    // Back to the start for reading (or rewriting): forgets the object
    // numbering and any open object or extension.
    void Rewind();

    // Writing. A null label writes an empty one; labels are at most 255 bytes.
    virtual void PutChar(const char* label, char value);
    virtual void PutBool(const char* label, bool value);
    virtual void PutShort(const char* label, SInt16 value);
    virtual void PutLong(const char* label, SInt32 value);
    virtual void PutDouble(const char* label, double value);
    virtual void PutHandle(const char* label, Handle h); // null allowed
    virtual void PutRect(const char* label, SInt32 left, SInt32 top, SInt32 right, SInt32 bottom);
    virtual void PutColor(const char* label, UInt16 red, UInt16 green, UInt16 blue);
    virtual void PutCString(const char* label, const char* s);    // null writes ""
    virtual void PutPString(const char* label, ConstStringPtr s); // null writes ""
    virtual void PutBytes(const char* label, const void* data, long length);
    // The object whole, owned by this item; null writes a null object.
    // Writing an object that is already in the stream is misuse.
    virtual void PutObject(const char* label, APortable* object);
    // A reference to an object already written; otherwise a null object.
    virtual void PutObjectRef(const char* label, const APortable* object);
    virtual void PutClassMark(OSType classID, SInt16 version);
    // Items between these two form extension number `number`.
    virtual void BeginExtension(SInt16 number);
    virtual void EndExtension();
    // Closes a record's extensions.
    virtual void PutExtensionsEnd();

    // Reading. A label that is not null must equal the item's label.
    virtual char GetChar(const char* label);
    virtual bool GetBool(const char* label);
    virtual SInt16 GetShort(const char* label);
    virtual SInt32 GetLong(const char* label);
    virtual double GetDouble(const char* label);
    // A new handle the caller owns, or null for a null handle.
    virtual Handle GetHandle(const char* label);
    virtual void GetRect(const char* label, SInt32* left, SInt32* top, SInt32* right,
                         SInt32* bottom);
    virtual void GetColor(const char* label, UInt16* red, UInt16* green, UInt16* blue);
    // Copies the string, terminated, into buf (size bytes); answers its
    // length. A string that does not fit raises STRM_TOO_LONG; a null buf
    // skips the value.
    virtual long GetCString(const char* label, char* buf, long size);
    std::string GetString(const char* label);
    virtual void GetPString(const char* label, StringPtr buf); // buf holds 256 bytes
    // Copies the block into buf; answers its length; STRM_TOO_LONG past size.
    virtual long GetBytes(const char* label, void* buf, long size);
    // A new object the caller owns, or null. A reference here is corrupt data.
    virtual APortable* GetObject(const char* label);
    // An object read earlier in this stream (not owned), or null (also when
    // that object has been disposed since).
    virtual APortable* GetObjectRef(const char* label);
    // Checks the class and answers the version; STRM_CLASS_MISMATCH,
    // STRM_VERSION_TOO_NEW or STRM_VERSION_TOO_OLD otherwise.
    virtual SInt16 GetClassMark(OSType classID, SInt16 minVersion, SInt16 maxVersion);
    // Opens the next extension of the record and answers true with its number;
    // answers false at the extensions' end (consumed) or when the record has
    // no more extensions. An extension still open is skipped first.
    virtual bool GetNextExtension(SInt16* number);
    // Skips what is left of the open extension.
    virtual void SkipExtension();

    // The type of the next item, without reading it; none at the end of the
    // stream or of the object or extension being read. Raises STRM_CORRUPT
    // for a byte that is no item tag.
    KsItemType PeekItemType();

    // Table-driven records.
    void PutItem(const AIODesc& desc);
    void GetItem(const AIODesc& desc);
    void PutItems(const AIODesc* descs, int count);
    void GetItems(const AIODesc* descs, int count);

protected:
    // The medium. WriteAt writes at any position up to the length, extending
    // the stream; it raises STRM_NO_MEMORY when it cannot. ReadAt is only
    // called for bytes that exist. The defaults are SubclassResponsibility.
    virtual void WriteAt(long position, const void* data, long length);
    virtual void ReadAt(long position, void* data, long length);
    // For a medium that starts with content.
    void SetInitialLength(long length) { length_ = length; }

private:
    friend class AObjDoc;
    friend class APortable;
    struct Frame {
        long end;      // reading: end of the object or extension
        long lengthAt; // writing: where its length is patched
        bool isObject;
    };

    void Emit(const void* data, long length);
    UInt8* BeginItem(KsItemType type, const char* label);
    void EndItem(UInt8* end);
    void Patch32(long at, UInt32 value);
    long Limit() const { return readFrames_.empty() ? length_ : readFrames_.back().end; }
    void Need(long count, const char* label, long itemStart);
    const UInt8* ReadHead(const char* label, UInt32 acceptMask, KsItemType expected,
                          KsItemType* found);
    void ReadBody(void* data, long count, const char* label, long itemStart);
    void SkipTo(long position) { pos_ = position; }
    void PopReadFramesTo(std::size_t count);
    void ForgetReadObjectsFrom(std::size_t count);
    void ForgetReadObject(UInt32 index) { readObjects_[index] = nullptr; }

    UInt16 Load16(const UInt8* p) const;
    UInt32 Load32(const UInt8* p) const;
    UInt64 Load64(const UInt8* p) const;
    void Store16(UInt8* p, UInt16 v) const;
    void Store32(UInt8* p, UInt32 v) const;
    void Store64(UInt8* p, UInt64 v) const;

    KsByteOrder order_;
    long pos_ = 0;
    long length_ = 0;
    int readDepth_ = 0;
    std::vector<Frame> readFrames_;
    std::vector<Frame> writeFrames_;
    int writeDepth_ = 0;
    std::vector<APortable*> readObjects_;
    std::unordered_map<const APortable*, UInt32> writtenObjects_;
    UInt8 scratch_[2 + 255 + 32];
};
