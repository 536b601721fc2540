// APortable: an object that writes itself to a stream and reads itself back,
// and the class registry through which a stream recreates objects.
//
// A portable class answers a four-character class ID, the version it writes
// and the range of versions it reads, and registers a factory under its ID
// with PClassAdd. Its Put writes its base's record first, then its own class
// mark and items; Get reads them in the same order:
//
//     void AGadget::Put(AStream& s) {
//         APane::Put(s);
//         s.PutClassMark(kClassID, 4);
//         s.PutLong("itsRsrcType", itsRsrcType); ...
//     }
//     void AGadget::Get(AStream& s) {
//         APane::Get(s);
//         SInt16 version = s.GetClassMark(kClassID, 1, 4);
//         ...
//     }
//
// Reading contract: the stream constructs the object with its factory, then
// calls Get. If Get raises, the stream disposes the object, so Dispose must
// cope with an object whose Get stopped half-way (fields hold their
// constructor values or what was read so far), and an object read with
// GetObject must be adopted at once, before the next item is read.
#pragma once

#include "AObject.h"
#include "KsMacTypes.h"

class AStream;

// Extension descriptions, the texts GetExtensionDescription answers. They
// name each numbered extension a class writes and the type it holds:
//     PCLASS_EXTENSIONS1( PCLASS_EXT(RGBColor, 1) )
#define NO_EXTENSIONS "NO_EXTENSIONS"
#define PCLASS_EXT(type, number) "PCLASS_EXT(" #type ", " #number ")"
#define PCLASS_EXTENSIONS1(e1) "PCLASS_EXTENSIONS1( " e1 " )"
#define PCLASS_EXTENSIONS2(e1, e2) "PCLASS_EXTENSIONS2( " e1 ", " e2 " )"
#define PCLASS_EXTENSIONS3(e1, e2, e3) "PCLASS_EXTENSIONS3( " e1 ", " e2 ", " e3 " )"

class APortable : public AObject {
    KS_DECLARE_CLASS(APortable, AObject)

    APortable() = default;
    // A copy is not the object a stream read.
    APortable(const APortable& other) : AObject(other) {}
    APortable& operator=(const APortable&) { return *this; }
    // Leaves the numbering of the stream that read it, so that a reference
    // read after the object was disposed answers null instead of the freed
    // object.
    ~APortable() override;

    // Copies through a memory stream: Put, then Get into a new object made by
    // the factory registered under GetClassID. Raises XError when the class
    // is not registered.
    AObject* Copy() override;

    // SubclassResponsibility here: every streamed class has its own ID.
    virtual OSType GetClassID() const;
    virtual SInt16 GetVersionWritten() const { return 1; }
    virtual SInt16 GetMinVersionRead() const { return 1; }
    virtual SInt16 GetMaxVersionRead() const { return GetVersionWritten(); }
    virtual const char* GetExtensionDescription() const { return NO_EXTENSIONS; }

    // The portable base's own record is empty.
    virtual void Put(AStream& stream);
    virtual void Get(AStream& stream);

    // Writes this object whole (class ID and record) as an owned object item.
    virtual void PutObjectToStream(AStream& stream, const char* label);
    // Reads this object's record; the stream calls it on a freshly made
    // object. The default is Get.
    virtual void GetObjectFromStream(AStream& stream);

private:
    friend class AStream;
    AStream* itsReadStream = nullptr; // the stream whose numbering holds this object
    UInt32 itsReadIndex = 0;
};

// The class registry.
using PClassFactory = APortable* (*)();

struct PClassEntry {
    OSType classID;
    const char* name;
    PClassFactory factory;
};

// Registers a class. Registering the same ID and name again replaces the
// factory; an ID or name already taken by another class is misuse.
void PClassAdd(OSType classID, const char* name, PClassFactory factory);
// Null when nothing is registered; entries stay valid for the process.
const PClassEntry* PClassFindByID(OSType classID);
const PClassEntry* PClassFindByName(const char* name); // exact, case-sensitive
// A new empty object of the class; null when the ID is not registered.
APortable* PClassNew(OSType classID);
