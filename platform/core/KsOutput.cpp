#include "KsOutput.h"

#include "KsFormat.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <string>

namespace {
std::mutex gLock;
KsOutputSinkSlot gConsole;
KsOutputSinkSlot gCapture;
std::atomic<bool> gStderr{true};

void WriteStderr(const char* text, std::size_t length) {
    // Lone CRs become LFs; a CR LF pair stays one line end.
    std::string out;
    out.reserve(length);
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < length && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    std::fwrite(out.data(), 1, out.size(), stderr);
}

__attribute__((format(printf, 2, 0))) void VOutput(KsOutputChannel channel, const char* format,
                                                   va_list ap) {
    KsFormatted text(format, ap);
    if (text.Count() >= 0) KsWriteOutput(channel, text.View().data(), text.View().size());
}
} // namespace

KsOutputSinkSlot KsSetConsoleSink(KsOutputSinkSlot slot) {
    std::lock_guard<std::mutex> g(gLock);
    KsOutputSinkSlot old = gConsole;
    gConsole = slot;
    return old;
}

KsOutputSinkSlot KsSetCaptureSink(KsOutputSinkSlot slot) {
    std::lock_guard<std::mutex> g(gLock);
    KsOutputSinkSlot old = gCapture;
    gCapture = slot;
    return old;
}

bool KsSetStderrOutput(bool enabled) {
    return gStderr.exchange(enabled);
}

void KsWriteOutput(KsOutputChannel channel, const char* text, std::size_t length) {
    KsOutputSinkSlot console, capture;
    {
        std::lock_guard<std::mutex> g(gLock);
        console = gConsole;
        capture = gCapture;
    }
    if (gStderr) WriteStderr(text, length);
    if (console.sink) console.sink(channel, text, length, console.data);
    if (capture.sink) capture.sink(channel, text, length, capture.data);
}

void dprintf(const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    VOutput(KsOutputChannel::debug, format, ap);
    va_end(ap);
}

void cprintf(const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    VOutput(KsOutputChannel::console, format, ap);
    va_end(ap);
}
