#include "AObjDoc.h"

#include "APortable.h"
#include "AStream.h"
#include "XError.h"

namespace {
constexpr UInt8 kMagic[4] = {'K', 's', 'O', 'D'};
}

AObjDoc::AObjDoc(AStream& stream) : stream_(stream) {}

AObjDoc::~AObjDoc() {
    if (object_) object_->Dispose();
}

void AObjDoc::Write(APortable* root) {
    UInt8 header[6] = {kMagic[0],
                       kMagic[1],
                       kMagic[2],
                       kMagic[3],
                       UInt8(stream_.GetByteOrder() == KsByteOrder::bigEndian ? 'B' : 'L'),
                       kFormatVersion};
    stream_.Emit(header, sizeof header);
    stream_.PutObject(nullptr, root);
}

APortable* AObjDoc::Read() {
    if (object_) {
        object_->Dispose();
        object_ = nullptr;
    }
    UInt8 header[6];
    if (stream_.Limit() - stream_.pos_ < long(sizeof header)) xraisexerror(kStrmNotADocument);
    stream_.ReadAt(stream_.pos_, header, sizeof header);
    if (header[0] != kMagic[0] || header[1] != kMagic[1] || header[2] != kMagic[2] ||
        header[3] != kMagic[3] || (header[4] != 'B' && header[4] != 'L') ||
        header[5] != kFormatVersion)
        xraisexerror(kStrmNotADocument);
    stream_.pos_ += sizeof header;
    stream_.SetByteOrder(header[4] == 'B' ? KsByteOrder::bigEndian : KsByteOrder::littleEndian);
    object_ = stream_.GetObject(nullptr);
    return object_;
}

APortable* AObjDoc::TakeObject() {
    APortable* o = object_;
    object_ = nullptr;
    return o;
}
