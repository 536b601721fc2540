#include "AMemStream.h"

#include "KsHandle.h"
#include "XError.h"

#include <cstring>

AMemStream::AMemStream(KsByteOrder order)
    : AStream(order), handle_(KsNewHandle(0)), ownsHandle_(true), capacity_(0) {
    if (!handle_) xraisexerror(kStrmNoMemory);
}

AMemStream::AMemStream(Handle h, KsByteOrder order)
    : AStream(order), handle_(h), ownsHandle_(false), capacity_(KsGetHandleSize(h)) {
    SetInitialLength(capacity_);
}

AMemStream::~AMemStream() {
    if (ownsHandle_)
        KsDisposeHandle(handle_);
    else
        Trim();
}

void AMemStream::Trim() {
    if (handle_ && capacity_ != GetLength() && KsSetHandleSize(handle_, GetLength()))
        capacity_ = GetLength();
}

Handle AMemStream::GetDataHandle() {
    Trim();
    return handle_;
}

Handle AMemStream::DetachDataHandle() {
    if (!ownsHandle_) return nullptr;
    Trim();
    Handle h = handle_;
    handle_ = KsNewHandle(0);
    capacity_ = 0;
    Rewind();
    SetInitialLength(0);
    return h;
}

void AMemStream::WriteAt(long position, const void* data, long length) {
    long end = position + length;
    if (end > capacity_) {
        // Geometric growth keeps writing linear; the handle is cut back to
        // the stream's length when it is handed out.
        long want = capacity_ < 256 ? 256 : capacity_;
        while (want < end)
            want = want <= kKsMaxHandleSize / 2 ? want * 2 : end;
        if (!handle_ || !KsSetHandleSize(handle_, want)) xraisexerror(kStrmNoMemory);
        capacity_ = want;
    }
    std::memcpy(*handle_ + position, data, std::size_t(length));
}

void AMemStream::ReadAt(long position, void* data, long length) {
    std::memcpy(data, *handle_ + position, std::size_t(length));
}
