// Output of the core's channels captured for one scope, with standard error
// kept quiet; both are put back when it goes.
#pragma once

#include "KsOutput.h"

#include <cstddef>
#include <string>

class StCaptureOutput {
public:
    // Every channel, or only `only`.
    StCaptureOutput() : StCaptureOutput(false, KsOutputChannel::debug) {}
    explicit StCaptureOutput(KsOutputChannel only) : StCaptureOutput(true, only) {}
    ~StCaptureOutput() {
        KsSetCaptureSink(previous_);
        KsSetStderrOutput(stderrWas_);
    }
    StCaptureOutput(const StCaptureOutput&) = delete;
    StCaptureOutput& operator=(const StCaptureOutput&) = delete;

    std::string text;

private:
    StCaptureOutput(bool filter, KsOutputChannel only) : filter_(filter), only_(only) {
        previous_ = KsSetCaptureSink({Append, this});
        stderrWas_ = KsSetStderrOutput(false);
    }
    static void Append(KsOutputChannel channel, const char* text, std::size_t length, void* data) {
        auto* self = static_cast<StCaptureOutput*>(data);
        if (!self->filter_ || channel == self->only_) self->text.append(text, length);
    }

    bool filter_;
    KsOutputChannel only_;
    KsOutputSinkSlot previous_;
    bool stderrWas_ = true;
};
