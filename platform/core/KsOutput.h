// Diagnostic output: dprintf (debug) and cprintf (console).
//
// Both write to standard error, to the console once the framework opens one
// (KsSetConsoleSink), and to a capture sink that tests install. Text may use
// CR or LF line ends: standard error always sees LF.
#pragma once

#include <cstddef>

enum class KsOutputChannel { debug, console };

// A sink receives formatted text (not terminated) and its channel.
using KsOutputSink = void (*)(KsOutputChannel channel, const char* text, std::size_t length,
                              void* data);

struct KsOutputSinkSlot {
    KsOutputSink sink = nullptr;
    void* data = nullptr;
};

// Install a sink; answers the one it replaces.
KsOutputSinkSlot KsSetConsoleSink(KsOutputSinkSlot slot);
KsOutputSinkSlot KsSetCaptureSink(KsOutputSinkSlot slot);
// Standard error can be silenced (tests that expect noisy paths); on by default.
bool KsSetStderrOutput(bool enabled);

void dprintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
void cprintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
void KsWriteOutput(KsOutputChannel channel, const char* text, std::size_t length);
