// What the end-to-end drivers share around their own work: the sdl back end,
// turns under a time limit, and how a failure is reported.
#pragma once

#include "KsBackend.h"
#include "XError.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

// The value of --time-limit SECONDS, or 20 s.
inline double TimeLimitArg(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--time-limit") == 0) return std::atof(argv[i + 1]);
    return 20.0;
}

// Line-buffered output (the scripts read it as it comes) and the sdl back end;
// false, said on standard error, when no display can be opened.
inline bool StartOnSDL(const char* program) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    std::unique_ptr<KsBackend> sdl = KsNewSDLBackend();
    if (!sdl) {
        std::fprintf(stderr, "%s: the sdl back end cannot open a display (is DISPLAY set?)\n",
                     program);
        return false;
    }
    KsInstallBackend(std::move(sdl));
    return true;
}

inline void ReportException(const char* program) {
    const XError x = XErrorFromCurrentException();
    std::fprintf(stderr, "%s: %s\n", program, x.GetText().c_str());
}

// Runs turn() until done() or until the time runs out; true when it ran out.
template <class Done, class Turn> bool RunTurns(double seconds, Done done, Turn turn) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) return true;
        turn();
    }
    return false;
}
