// AStream: the item layout (see AStream.h), writing, bounded reading, objects
// and extensions, and the stream error texts.
#include "AStream.h"

#include "APortable.h"
#include "KsHandle.h"
#include "KsMisuse.h"
#include "XError.h"

#include <cstdio>
#include <cstring>

const char* const kStrmTruncated = "STRM_TRUNCATED";
const char* const kStrmCorrupt = "STRM_CORRUPT";
const char* const kStrmTypeMismatch = "STRM_TYPE_MISMATCH";
const char* const kStrmLabelMismatch = "STRM_LABEL_MISMATCH";
const char* const kStrmTooLong = "STRM_TOO_LONG";
const char* const kStrmUnknownClass = "STRM_UNKNOWN_CLASS";
const char* const kStrmClassMismatch = "STRM_CLASS_MISMATCH";
const char* const kStrmVersionTooNew = "STRM_VERSION_TOO_NEW";
const char* const kStrmVersionTooOld = "STRM_VERSION_TOO_OLD";
const char* const kStrmBadReference = "STRM_BAD_REFERENCE";
const char* const kStrmTooDeep = "STRM_TOO_DEEP";
const char* const kStrmNotADocument = "STRM_NOT_A_DOCUMENT";
const char* const kStrmNoMemory = "STRM_NO_MEMORY";

namespace {

const EMMessage kStreamMessages[] = {
    {"STRM_TRUNCATED", "The data ends before the item '{label}' at offset {offset} is complete.",
     nullptr},
    {"STRM_CORRUPT", "The data is damaged at offset {offset} (item '{label}').", nullptr},
    {"STRM_TYPE_MISMATCH",
     "The data holds a {found} at offset {offset} where a {expected} '{label}' was expected.",
     nullptr},
    {"STRM_LABEL_MISMATCH",
     "The data holds the item '{found}' at offset {offset} where '{label}' was expected.", nullptr},
    {"STRM_TOO_LONG",
     "The item '{label}' at offset {offset} is {length} bytes long; at most {size} fit.", nullptr},
    {"STRM_UNKNOWN_CLASS", "The data holds an object of the unknown class {class}.", nullptr},
    {"STRM_CLASS_MISMATCH",
     "The data holds a record of class {found} where {expected} was expected.", nullptr},
    {"STRM_VERSION_TOO_NEW",
     "The data holds version {version} of class {class}; this program reads versions up to "
     "{max}.",
     nullptr},
    {"STRM_VERSION_TOO_OLD",
     "The data holds version {version} of class {class}, older than the oldest version this "
     "program reads ({min}).",
     nullptr},
    {"STRM_BAD_REFERENCE", "The data refers to object {index}, which it does not hold.", nullptr},
    {"STRM_TOO_DEEP", "The data nests objects more than {max} deep.", nullptr},
    {"STRM_NOT_A_DOCUMENT", "The data is not a stored object document.", nullptr},
    {"STRM_NO_MEMORY", "There is not enough memory to write the data.", nullptr},
};

const bool gMessagesRegistered = [] {
    EMRegisterMessages(kStreamMessages, int(sizeof kStreamMessages / sizeof kStreamMessages[0]));
    return true;
}();

constexpr int kTagCount = 0x16;

// Bytes of the fixed part of each item's payload (variable bodies follow).
// -1: not a tag.
constexpr signed char kFixedPayload[kTagCount] = {
    -1, 1, 1, 2, 4, 8, 4, 0, 16, 6, 4, 1, 4, -1, -1, -1, 8, 4, 0, 6, 6, 0,
};

const char* TypeName(int tag) {
    switch (KsItemType(tag)) {
    case KsItemType::charItem:
        return "char";
    case KsItemType::boolItem:
        return "bool";
    case KsItemType::shortItem:
        return "short";
    case KsItemType::longItem:
        return "long";
    case KsItemType::doubleItem:
        return "double";
    case KsItemType::handleItem:
    case KsItemType::nullHandle:
        return "handle";
    case KsItemType::rectItem:
        return "rectangle";
    case KsItemType::colorItem:
        return "colour";
    case KsItemType::cString:
        return "C string";
    case KsItemType::pString:
        return "Pascal string";
    case KsItemType::bytesItem:
        return "byte block";
    case KsItemType::object:
        return "object";
    case KsItemType::objectRef:
        return "object reference";
    case KsItemType::nullObject:
        return "null object";
    case KsItemType::classMark:
        return "class mark";
    case KsItemType::extension:
        return "extension";
    case KsItemType::extensionsEnd:
        return "end of extensions";
    case KsItemType::none:
        break;
    }
    return "nothing";
}

constexpr UInt32 Bit(KsItemType t) {
    return UInt32(1) << unsigned(t);
}

std::string ClassIDText(OSType id) {
    char text[16];
    const char c[4] = {char(id >> 24), char(id >> 16), char(id >> 8), char(id)};
    bool printable = true;
    for (char ch : c)
        printable = printable && ch >= 0x20 && ch < 0x7F;
    if (printable)
        std::snprintf(text, sizeof text, "'%c%c%c%c'", c[0], c[1], c[2], c[3]);
    else
        std::snprintf(text, sizeof text, "0x%08X", unsigned(id));
    return text;
}

const char* LabelText(const char* label) {
    return label ? label : "";
}

[[noreturn]] void RaiseAt(const char* code, const char* label, long offset) {
    xraisexerror(code, "str label", LabelText(label), "long offset", offset);
}

} // namespace

AStream::AStream(KsByteOrder order) : order_(order) {
    (void)gMessagesRegistered;
}

AStream::~AStream() {
    ForgetReadObjectsFrom(0);
}

void AStream::Rewind() {
    ForgetReadObjectsFrom(0);
    pos_ = 0;
    readDepth_ = 0;
    writeDepth_ = 0;
    readFrames_.clear();
    writeFrames_.clear();
    writtenObjects_.clear();
}

void AStream::WriteAt(long, const void*, long) {
    SubclassResponsibility("WriteAt");
}

void AStream::ReadAt(long, void*, long) {
    SubclassResponsibility("ReadAt");
}

// ---------------------------------------------------------------------------
// Byte order

UInt16 AStream::Load16(const UInt8* p) const {
    return order_ == KsByteOrder::bigEndian ? UInt16((p[0] << 8) | p[1])
                                            : UInt16((p[1] << 8) | p[0]);
}

UInt32 AStream::Load32(const UInt8* p) const {
    if (order_ == KsByteOrder::bigEndian)
        return (UInt32(p[0]) << 24) | (UInt32(p[1]) << 16) | (UInt32(p[2]) << 8) | p[3];
    return (UInt32(p[3]) << 24) | (UInt32(p[2]) << 16) | (UInt32(p[1]) << 8) | p[0];
}

UInt64 AStream::Load64(const UInt8* p) const {
    UInt64 hi = Load32(p), lo = Load32(p + 4);
    return order_ == KsByteOrder::bigEndian ? (hi << 32) | lo : (lo << 32) | hi;
}

void AStream::Store16(UInt8* p, UInt16 v) const {
    if (order_ == KsByteOrder::bigEndian) {
        p[0] = UInt8(v >> 8);
        p[1] = UInt8(v);
    } else {
        p[0] = UInt8(v);
        p[1] = UInt8(v >> 8);
    }
}

void AStream::Store32(UInt8* p, UInt32 v) const {
    if (order_ == KsByteOrder::bigEndian) {
        p[0] = UInt8(v >> 24);
        p[1] = UInt8(v >> 16);
        p[2] = UInt8(v >> 8);
        p[3] = UInt8(v);
    } else {
        p[0] = UInt8(v);
        p[1] = UInt8(v >> 8);
        p[2] = UInt8(v >> 16);
        p[3] = UInt8(v >> 24);
    }
}

void AStream::Store64(UInt8* p, UInt64 v) const {
    if (order_ == KsByteOrder::bigEndian) {
        Store32(p, UInt32(v >> 32));
        Store32(p + 4, UInt32(v));
    } else {
        Store32(p, UInt32(v));
        Store32(p + 4, UInt32(v >> 32));
    }
}

// ---------------------------------------------------------------------------
// Writing

void AStream::Emit(const void* data, long length) {
    if (length <= 0) return;
    WriteAt(pos_, data, length);
    pos_ += length;
    if (pos_ > length_) length_ = pos_;
}

// Fills the scratch buffer with the tag and label; the caller appends the
// fixed payload and hands the end to EndItem.
UInt8* AStream::BeginItem(KsItemType type, const char* label) {
    std::size_t n = label ? std::strlen(label) : 0;
    if (n > 255) KsMisuse("a stream label is longer than 255 bytes", ClassName());
    scratch_[0] = UInt8(type);
    scratch_[1] = UInt8(n);
    if (n) std::memcpy(scratch_ + 2, label, n);
    return scratch_ + 2 + n;
}

void AStream::EndItem(UInt8* end) {
    Emit(scratch_, end - scratch_);
}

void AStream::Patch32(long at, UInt32 value) {
    UInt8 b[4];
    Store32(b, value);
    WriteAt(at, b, 4);
}

void AStream::PutChar(const char* label, char value) {
    UInt8* p = BeginItem(KsItemType::charItem, label);
    *p++ = UInt8(value);
    EndItem(p);
}

void AStream::PutBool(const char* label, bool value) {
    UInt8* p = BeginItem(KsItemType::boolItem, label);
    *p++ = value ? 1 : 0;
    EndItem(p);
}

void AStream::PutShort(const char* label, SInt16 value) {
    UInt8* p = BeginItem(KsItemType::shortItem, label);
    Store16(p, UInt16(value));
    EndItem(p + 2);
}

void AStream::PutLong(const char* label, SInt32 value) {
    UInt8* p = BeginItem(KsItemType::longItem, label);
    Store32(p, UInt32(value));
    EndItem(p + 4);
}

void AStream::PutDouble(const char* label, double value) {
    UInt64 bits;
    std::memcpy(&bits, &value, 8);
    UInt8* p = BeginItem(KsItemType::doubleItem, label);
    Store64(p, bits);
    EndItem(p + 8);
}

void AStream::PutHandle(const char* label, Handle h) {
    if (!h) {
        EndItem(BeginItem(KsItemType::nullHandle, label));
        return;
    }
    Size size = KsGetHandleSize(h);
    UInt8* p = BeginItem(KsItemType::handleItem, label);
    Store32(p, UInt32(size));
    EndItem(p + 4);
    Emit(*h, size);
}

void AStream::PutRect(const char* label, SInt32 left, SInt32 top, SInt32 right, SInt32 bottom) {
    UInt8* p = BeginItem(KsItemType::rectItem, label);
    Store32(p, UInt32(left));
    Store32(p + 4, UInt32(top));
    Store32(p + 8, UInt32(right));
    Store32(p + 12, UInt32(bottom));
    EndItem(p + 16);
}

void AStream::PutColor(const char* label, UInt16 red, UInt16 green, UInt16 blue) {
    UInt8* p = BeginItem(KsItemType::colorItem, label);
    Store16(p, red);
    Store16(p + 2, green);
    Store16(p + 4, blue);
    EndItem(p + 6);
}

void AStream::PutCString(const char* label, const char* s) {
    std::size_t n = s ? std::strlen(s) : 0;
    if (n > UInt32(0x7FFFFFFF)) KsMisuse("a C string too long for a stream", ClassName());
    UInt8* p = BeginItem(KsItemType::cString, label);
    Store32(p, UInt32(n));
    EndItem(p + 4);
    Emit(s, long(n));
}

void AStream::PutPString(const char* label, ConstStringPtr s) {
    UInt8 n = s ? s[0] : 0;
    UInt8* p = BeginItem(KsItemType::pString, label);
    *p++ = n;
    EndItem(p);
    Emit(s ? s + 1 : nullptr, n);
}

void AStream::PutBytes(const char* label, const void* data, long length) {
    if (length < 0 || (length > 0 && !data) || length > long(0x7FFFFFFF))
        KsMisuse("PutBytes with a bad block", ClassName());
    UInt8* p = BeginItem(KsItemType::bytesItem, label);
    Store32(p, UInt32(length));
    EndItem(p + 4);
    Emit(data, length);
}

void AStream::PutObject(const char* label, APortable* object) {
    if (!object) {
        EndItem(BeginItem(KsItemType::nullObject, label));
        return;
    }
    if (writtenObjects_.count(object))
        KsMisuse("PutObject of an object already in the stream (PutObjectRef refers to one)",
                 object->ClassName());
    // Refuse to write what no reader would accept.
    if (writeDepth_ >= kMaxObjectDepth) xraisexerror(kStrmTooDeep, "int max", kMaxObjectDepth);

    UInt8* p = BeginItem(KsItemType::object, label);
    Store32(p, object->GetClassID());
    Store32(p + 4, 0); // body length, patched below
    EndItem(p + 8);
    long lengthAt = pos_ - 4;
    writtenObjects_.emplace(object, UInt32(writtenObjects_.size()));

    std::size_t frames = writeFrames_.size();
    writeFrames_.push_back({0, lengthAt, true});
    ++writeDepth_;
    try {
        object->Put(*this);
    } catch (...) {
        writeFrames_.resize(frames);
        --writeDepth_;
        throw;
    }
    --writeDepth_;
    if (writeFrames_.size() != frames + 1)
        KsMisuse("an extension was left open in Put", object->ClassName());
    writeFrames_.pop_back();
    Patch32(lengthAt, UInt32(pos_ - (lengthAt + 4)));
}

void AStream::PutObjectRef(const char* label, const APortable* object) {
    auto it = object ? writtenObjects_.find(object) : writtenObjects_.end();
    if (it == writtenObjects_.end()) {
        EndItem(BeginItem(KsItemType::nullObject, label));
        return;
    }
    UInt8* p = BeginItem(KsItemType::objectRef, label);
    Store32(p, it->second);
    EndItem(p + 4);
}

void AStream::PutClassMark(OSType classID, SInt16 version) {
    UInt8* p = BeginItem(KsItemType::classMark, nullptr);
    Store32(p, classID);
    Store16(p + 4, UInt16(version));
    EndItem(p + 6);
}

void AStream::BeginExtension(SInt16 number) {
    UInt8* p = BeginItem(KsItemType::extension, nullptr);
    Store16(p, UInt16(number));
    Store32(p + 2, 0); // body length, patched by EndExtension
    EndItem(p + 6);
    writeFrames_.push_back({0, pos_ - 4, false});
}

void AStream::EndExtension() {
    if (writeFrames_.empty() || writeFrames_.back().isObject)
        KsMisuse("EndExtension without BeginExtension", ClassName());
    long lengthAt = writeFrames_.back().lengthAt;
    writeFrames_.pop_back();
    Patch32(lengthAt, UInt32(pos_ - (lengthAt + 4)));
}

void AStream::PutExtensionsEnd() {
    EndItem(BeginItem(KsItemType::extensionsEnd, nullptr));
}

// ---------------------------------------------------------------------------
// Reading

void AStream::Need(long count, const char* label, long itemStart) {
    if (count > Limit() - pos_) RaiseAt(kStrmTruncated, label, itemStart);
}

// Reads the tag, label and fixed payload of the next item into the scratch
// buffer; checks the tag against acceptMask and the label; answers the fixed
// payload.
const UInt8* AStream::ReadHead(const char* label, UInt32 acceptMask, KsItemType expected,
                               KsItemType* found) {
    long start = pos_;
    Need(2, label, start);
    ReadAt(pos_, scratch_, 2);
    int tag = scratch_[0];
    if (tag >= kTagCount || kFixedPayload[tag] < 0) RaiseAt(kStrmCorrupt, label, start);
    if (!(acceptMask & (UInt32(1) << tag)))
        xraisexerror(kStrmTypeMismatch, "str label", LabelText(label), "long offset", start,
                     "str expected", TypeName(int(expected)), "str found", TypeName(tag));
    long n = scratch_[1];
    long fixed = kFixedPayload[tag];
    Need(2 + n + fixed, label, start);
    ReadAt(pos_ + 2, scratch_ + 2, n + fixed);
    if (label && (std::strlen(label) != std::size_t(n) || std::memcmp(label, scratch_ + 2, n)))
        xraisexerror(kStrmLabelMismatch, "str label", label, "long offset", start, "str found",
                     std::string(reinterpret_cast<const char*>(scratch_ + 2), std::size_t(n)));
    pos_ += 2 + n + fixed;
    *found = KsItemType(tag);
    return scratch_ + 2 + n;
}

void AStream::ReadBody(void* data, long count, const char* label, long itemStart) {
    Need(count, label, itemStart);
    if (count > 0) ReadAt(pos_, data, count);
    pos_ += count;
}

KsItemType AStream::PeekItemType() {
    if (pos_ >= Limit()) return KsItemType::none;
    UInt8 tag;
    ReadAt(pos_, &tag, 1);
    if (tag >= kTagCount || kFixedPayload[tag] < 0) RaiseAt(kStrmCorrupt, nullptr, pos_);
    return KsItemType(tag);
}

char AStream::GetChar(const char* label) {
    KsItemType t;
    return char(*ReadHead(label, Bit(KsItemType::charItem), KsItemType::charItem, &t));
}

bool AStream::GetBool(const char* label) {
    KsItemType t;
    long start = pos_;
    UInt8 v = *ReadHead(label, Bit(KsItemType::boolItem), KsItemType::boolItem, &t);
    if (v > 1) RaiseAt(kStrmCorrupt, label, start);
    return v != 0;
}

SInt16 AStream::GetShort(const char* label) {
    KsItemType t;
    return SInt16(Load16(ReadHead(label, Bit(KsItemType::shortItem), KsItemType::shortItem, &t)));
}

SInt32 AStream::GetLong(const char* label) {
    KsItemType t;
    return SInt32(Load32(ReadHead(label, Bit(KsItemType::longItem), KsItemType::longItem, &t)));
}

double AStream::GetDouble(const char* label) {
    KsItemType t;
    UInt64 bits = Load64(ReadHead(label, Bit(KsItemType::doubleItem), KsItemType::doubleItem, &t));
    double v;
    std::memcpy(&v, &bits, 8);
    return v;
}

Handle AStream::GetHandle(const char* label) {
    KsItemType t;
    long start = pos_;
    const UInt8* p = ReadHead(label, Bit(KsItemType::handleItem) | Bit(KsItemType::nullHandle),
                              KsItemType::handleItem, &t);
    if (t == KsItemType::nullHandle) return nullptr;
    UInt32 n = Load32(p);
    // Checked before allocating: a count can ask for no more than is there.
    Need(long(n), label, start);
    Handle h = KsNewHandle(Size(n));
    if (!h) xraisexerror(kStrmNoMemory);
    ReadBody(*h, long(n), label, start);
    return h;
}

void AStream::GetRect(const char* label, SInt32* left, SInt32* top, SInt32* right, SInt32* bottom) {
    KsItemType t;
    const UInt8* p = ReadHead(label, Bit(KsItemType::rectItem), KsItemType::rectItem, &t);
    *left = SInt32(Load32(p));
    *top = SInt32(Load32(p + 4));
    *right = SInt32(Load32(p + 8));
    *bottom = SInt32(Load32(p + 12));
}

void AStream::GetColor(const char* label, UInt16* red, UInt16* green, UInt16* blue) {
    KsItemType t;
    const UInt8* p = ReadHead(label, Bit(KsItemType::colorItem), KsItemType::colorItem, &t);
    *red = Load16(p);
    *green = Load16(p + 2);
    *blue = Load16(p + 4);
}

long AStream::GetCString(const char* label, char* buf, long size) {
    if (buf && size <= 0) KsMisuse("GetCString into a buffer of no size", ClassName());
    KsItemType t;
    long start = pos_;
    UInt32 n = Load32(ReadHead(label, Bit(KsItemType::cString), KsItemType::cString, &t));
    Need(long(n), label, start);
    if (!buf) {
        pos_ += long(n);
        return long(n);
    }
    if (long(n) >= size)
        xraisexerror(kStrmTooLong, "str label", LabelText(label), "long offset", start,
                     "long length", long(n), "long size", size - 1);
    ReadBody(buf, long(n), label, start);
    buf[n] = 0;
    return long(n);
}

std::string AStream::GetString(const char* label) {
    KsItemType t;
    long start = pos_;
    UInt32 n = Load32(ReadHead(label, Bit(KsItemType::cString), KsItemType::cString, &t));
    Need(long(n), label, start);
    std::string s(n, '\0');
    ReadBody(s.data(), long(n), label, start);
    return s;
}

void AStream::GetPString(const char* label, StringPtr buf) {
    KsItemType t;
    long start = pos_;
    UInt8 n = *ReadHead(label, Bit(KsItemType::pString), KsItemType::pString, &t);
    ReadBody(buf + 1, n, label, start);
    buf[0] = n;
}

long AStream::GetBytes(const char* label, void* buf, long size) {
    KsItemType t;
    long start = pos_;
    UInt32 n = Load32(ReadHead(label, Bit(KsItemType::bytesItem), KsItemType::bytesItem, &t));
    Need(long(n), label, start);
    if (long(n) > size)
        xraisexerror(kStrmTooLong, "str label", LabelText(label), "long offset", start,
                     "long length", long(n), "long size", size);
    ReadBody(buf, long(n), label, start);
    return long(n);
}

void AStream::ForgetReadObjectsFrom(std::size_t count) {
    for (std::size_t i = count; i < readObjects_.size(); ++i)
        if (readObjects_[i]) readObjects_[i]->itsReadStream = nullptr;
    if (readObjects_.size() > count) readObjects_.resize(count);
}

void AStream::PopReadFramesTo(std::size_t count) {
    if (readFrames_.size() > count) readFrames_.resize(count);
}

APortable* AStream::GetObject(const char* label) {
    KsItemType t;
    long start = pos_;
    const UInt8* p = ReadHead(label, Bit(KsItemType::object) | Bit(KsItemType::nullObject),
                              KsItemType::object, &t);
    if (t == KsItemType::nullObject) return nullptr;
    OSType classID = Load32(p);
    UInt32 n = Load32(p + 4);
    Need(long(n), label, start);
    if (readDepth_ >= kMaxObjectDepth) xraisexerror(kStrmTooDeep, "int max", kMaxObjectDepth);
    APortable* object = PClassNew(classID);
    if (!object) xraisexerror(kStrmUnknownClass, "str class", ClassIDText(classID));

    // The object is numbered before its record is read, so that the objects
    // inside it can refer back to it (a sub-pane to its enclosure).
    std::size_t numbered = readObjects_.size();
    std::size_t frames = readFrames_.size();
    long end = pos_ + long(n);
    object->itsReadStream = this;
    object->itsReadIndex = UInt32(numbered);
    readObjects_.push_back(object);
    readFrames_.push_back({end, 0, true});
    ++readDepth_;
    try {
        object->GetObjectFromStream(*this);
    } catch (...) {
        // Nothing read from here on may be referred to again.
        ForgetReadObjectsFrom(numbered);
        PopReadFramesTo(frames);
        --readDepth_;
        object->Dispose();
        throw;
    }
    --readDepth_;
    PopReadFramesTo(frames);
    // What a newer writer added at the end of the record is skipped.
    SkipTo(end);
    return object;
}

APortable* AStream::GetObjectRef(const char* label) {
    KsItemType t;
    const UInt8* p = ReadHead(label, Bit(KsItemType::objectRef) | Bit(KsItemType::nullObject),
                              KsItemType::objectRef, &t);
    if (t == KsItemType::nullObject) return nullptr;
    UInt32 index = Load32(p);
    if (index >= readObjects_.size()) xraisexerror(kStrmBadReference, "long index", long(index));
    return readObjects_[index];
}

SInt16 AStream::GetClassMark(OSType classID, SInt16 minVersion, SInt16 maxVersion) {
    KsItemType t;
    const UInt8* p = ReadHead(nullptr, Bit(KsItemType::classMark), KsItemType::classMark, &t);
    OSType found = Load32(p);
    SInt16 version = SInt16(Load16(p + 4));
    if (found != classID)
        xraisexerror(kStrmClassMismatch, "str found", ClassIDText(found), "str expected",
                     ClassIDText(classID));
    if (version > maxVersion)
        xraisexerror(kStrmVersionTooNew, "str class", ClassIDText(classID), "short version",
                     version, "short max", maxVersion);
    if (version < minVersion)
        xraisexerror(kStrmVersionTooOld, "str class", ClassIDText(classID), "short version",
                     version, "short min", minVersion);
    return version;
}

bool AStream::GetNextExtension(SInt16* number) {
    if (!readFrames_.empty() && !readFrames_.back().isObject) SkipExtension();
    KsItemType next = PeekItemType();
    KsItemType t;
    if (next == KsItemType::extensionsEnd) {
        ReadHead(nullptr, Bit(KsItemType::extensionsEnd), KsItemType::extensionsEnd, &t);
        return false;
    }
    if (next != KsItemType::extension) return false;
    long start = pos_;
    const UInt8* p = ReadHead(nullptr, Bit(KsItemType::extension), KsItemType::extension, &t);
    SInt16 n = SInt16(Load16(p));
    UInt32 length = Load32(p + 2);
    Need(long(length), nullptr, start);
    readFrames_.push_back({pos_ + long(length), 0, false});
    *number = n;
    return true;
}

void AStream::SkipExtension() {
    if (readFrames_.empty() || readFrames_.back().isObject)
        KsMisuse("SkipExtension with no extension open", ClassName());
    SkipTo(readFrames_.back().end);
    readFrames_.pop_back();
}

// ---------------------------------------------------------------------------
// Table-driven records

void AStream::PutItem(const AIODesc& d) {
    switch (d.type) {
    case KsItemType::charItem:
        PutChar(d.label, *static_cast<char*>(d.data));
        break;
    case KsItemType::boolItem:
        PutBool(d.label, *static_cast<bool*>(d.data));
        break;
    case KsItemType::shortItem:
        PutShort(d.label, *static_cast<SInt16*>(d.data));
        break;
    case KsItemType::longItem:
        PutLong(d.label, *static_cast<SInt32*>(d.data));
        break;
    case KsItemType::doubleItem:
        PutDouble(d.label, *static_cast<double*>(d.data));
        break;
    case KsItemType::handleItem:
        PutHandle(d.label, *static_cast<Handle*>(d.data));
        break;
    case KsItemType::rectItem: {
        auto* r = static_cast<SInt32*>(d.data);
        PutRect(d.label, r[0], r[1], r[2], r[3]);
        break;
    }
    case KsItemType::colorItem: {
        auto* c = static_cast<UInt16*>(d.data);
        PutColor(d.label, c[0], c[1], c[2]);
        break;
    }
    case KsItemType::cString:
        PutCString(d.label, static_cast<char*>(d.data));
        break;
    case KsItemType::pString:
        PutPString(d.label, static_cast<StringPtr>(d.data));
        break;
    case KsItemType::object:
        PutObject(d.label, *static_cast<APortable**>(d.data));
        break;
    case KsItemType::objectRef:
        PutObjectRef(d.label, *static_cast<APortable**>(d.data));
        break;
    default:
        KsMisuse("an AIODesc of a type that cannot be described", ClassName());
    }
}

void AStream::GetItem(const AIODesc& d) {
    switch (d.type) {
    case KsItemType::charItem:
        *static_cast<char*>(d.data) = GetChar(d.label);
        break;
    case KsItemType::boolItem:
        *static_cast<bool*>(d.data) = GetBool(d.label);
        break;
    case KsItemType::shortItem:
        *static_cast<SInt16*>(d.data) = GetShort(d.label);
        break;
    case KsItemType::longItem:
        *static_cast<SInt32*>(d.data) = GetLong(d.label);
        break;
    case KsItemType::doubleItem:
        *static_cast<double*>(d.data) = GetDouble(d.label);
        break;
    case KsItemType::handleItem:
        *static_cast<Handle*>(d.data) = GetHandle(d.label);
        break;
    case KsItemType::rectItem: {
        auto* r = static_cast<SInt32*>(d.data);
        GetRect(d.label, &r[0], &r[1], &r[2], &r[3]);
        break;
    }
    case KsItemType::colorItem: {
        auto* c = static_cast<UInt16*>(d.data);
        GetColor(d.label, &c[0], &c[1], &c[2]);
        break;
    }
    case KsItemType::cString:
        GetCString(d.label, static_cast<char*>(d.data), d.size);
        break;
    case KsItemType::pString:
        GetPString(d.label, static_cast<StringPtr>(d.data));
        break;
    case KsItemType::object:
        *static_cast<APortable**>(d.data) = GetObject(d.label);
        break;
    case KsItemType::objectRef:
        *static_cast<APortable**>(d.data) = GetObjectRef(d.label);
        break;
    default:
        KsMisuse("an AIODesc of a type that cannot be described", ClassName());
    }
}

void AStream::PutItems(const AIODesc* descs, int count) {
    for (int i = 0; i < count; ++i)
        PutItem(descs[i]);
}

void AStream::GetItems(const AIODesc* descs, int count) {
    for (int i = 0; i < count; ++i)
        GetItem(descs[i]);
}
