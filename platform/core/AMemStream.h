// AMemStream: a stream over a handle.
#pragma once

#include "AStream.h"

class AMemStream : public AStream {
    KS_DECLARE_CLASS(AMemStream, AStream)

    // Over a new, empty handle of its own.
    explicit AMemStream(KsByteOrder order = KsByteOrder::bigEndian);
    // Over the caller's handle, which it does not own: reads its contents
    // from the start; writing replaces them from the current position. The
    // handle may grow while writing and is cut to the stream's length by
    // GetHandle and when the stream goes.
    explicit AMemStream(Handle h, KsByteOrder order = KsByteOrder::bigEndian);
    ~AMemStream() override;

    // The handle, holding exactly the stream's bytes. Still owned as before.
    Handle GetDataHandle();
    // Gives the stream's own handle to the caller; the stream is empty after.
    Handle DetachDataHandle();

protected:
    void WriteAt(long position, const void* data, long length) override;
    void ReadAt(long position, void* data, long length) override;

private:
    void Trim();

    Handle handle_;
    bool ownsHandle_;
    long capacity_; // size of the handle, at least the stream's length
};
