#include "KsFatal.h"

#include "KsOutput.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {
unsigned char DefaultHandler(char* message, char* file, int line) {
    std::fprintf(stderr, "Fatal error: %s [%s:%d]\n", message, file, line);
    return true;
}

std::atomic<FtlHandler> gHandler{nullptr};
std::atomic<bool> gFatalSet{false};
std::atomic<int> gDepth{0};
std::atomic<FtlExitProc> gExit{nullptr};

unsigned char Report(const char* message, const char* file, int line) {
    std::string msg(message ? message : "");
    std::string where(file ? file : "?");
    if (gDepth.fetch_add(1) > 0) {
        // A report from inside the handler: never recurse into it.
        std::fprintf(stderr, "Fatal error while reporting a fatal error: %s [%s:%d]\n", msg.c_str(),
                     where.c_str(), line);
        gDepth.fetch_sub(1);
        return true;
    }
    gFatalSet = true;
    FtlHandler h = gHandler.load();
    unsigned char stop;
    try {
        stop = (h ? h : DefaultHandler)(msg.data(), where.data(), line);
    } catch (...) {
        // A handler may raise to let the program go on; later reports must
        // still reach it.
        gDepth.fetch_sub(1);
        throw;
    }
    gDepth.fetch_sub(1);
    if (!stop && gFatalSet) {
        FtlExitProc ex = gExit.load();
        if (ex)
            ex(70);
        else
            std::exit(70);
    }
    return stop;
}
} // namespace

FtlHandler FtlInstall(FtlHandler handler) {
    return gHandler.exchange(handler);
}

unsigned char __FtlAssertFailed(const char* expression, const char* file, int line) {
    std::string text = "Assertion failed: ";
    text += expression ? expression : "";
    return Report(text.c_str(), file, line);
}

unsigned char __FtlAbortm(const char* message, const char* file, int line) {
    return Report(message, file, line);
}

void FtlClearFatalError() {
    gFatalSet = false;
}

bool FtlIsFatalErrorSet() {
    return gFatalSet;
}

FtlExitProc FtlSetExitProc(FtlExitProc proc) {
    return gExit.exchange(proc);
}

bool KsDebuggerAttached() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("TracerPid:", 0) == 0) return std::atoi(line.c_str() + 10) != 0;
    return false;
}

void DebugCStr(const char* text) {
    std::fprintf(stderr, "%s\n", text ? text : "");
    if (KsDebuggerAttached()) std::raise(SIGTRAP);
}
