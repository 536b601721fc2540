// Failure reporting. Sections: the host and text helpers;
// showing an error; the memory watch; the fatal path; the dump sections.
#include "KsFailureReport.h"

#include "Cursors.h"
#include "Events.h"
#include "KsDump.h"
#include "KsFatal.h"
#include "KsFormat.h"
#include "KsHandle.h"
#include "KsLog.h"
#include "KsMemWatch.h"
#include "KsOutput.h"
#include "KsTime.h"
#include "KsUIHooks.h"
#include "Sound.h"
#include "Stx.h"
#include "Windows.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const char* const kSource = "CoreClasses/AApplication";
const char* const kLowMemAbortCode = "LOW_MEM_ABORT_BIN_OPEN";
const char* const kFatalErrorCode = "FATAL_ERROR";

KsFailureHost gHost;
unsigned char gOwnDisplaying = 0;

unsigned char& DisplayingFlag() {
    return gHost.displayingException ? *gHost.displayingException : gOwnDisplaying;
}

bool SameCode(const char* code, const char* known) {
    return code == known || (code && std::strcmp(code, known) == 0);
}

const char* OrEmpty(const char* s) {
    return s ? s : "";
}

// Writes a dump for the exception dialog; answers the file, or null when the
// dump could not be written (reported on the debug output only: a failing
// dump must not hide the error being shown).
const char* TryDump(const char* title, int flag) {
    const char* file = nullptr;
    XError failed = KsTryStandard([&] { file = DmpDumpToFile(nullptr, title, flag); });
    if (failed.IsError()) {
        dprintf("State dump failed (%s)\n", OrEmpty(failed.GetCode()));
        return nullptr;
    }
    return file;
}

} // namespace

KsFailureHost KsSetFailureHost(const KsFailureHost& host) {
    KsFailureHost previous = gHost;
    gHost = host;
    return previous;
}

const KsFailureHost& KsGetFailureHost() {
    return gHost;
}

// ---------------------------------------------------------------------------
// Showing an error

namespace {

// Entries of the help-code table are fixed 80-character fields.
const char kHelpCodes[][80] = {"DSK_underrun", "DSK_image_too_large"};

constexpr int kLevelTextSize = 256 + 1;
constexpr int kMessageSize = 1024 + 1;
constexpr size_t kReportLimit = 1023;

// Steps 3 to 9 of showing an error; runs under the standard catch.
bool ShowException(const char* code, bool allowAbort) {
    if (!IsMemoryBelowThresh()) {
        SysBeep(kKsShortBeepTicks);
        if (SameCode(code, kFatalErrorCode)) SysBeep(kKsShortBeepTicks);
    }

    dprintf("Exception:\n");
    std::time_t now = std::time(nullptr);
    char when[32] = "";
    if (!ctime_r(&now, when)) std::strcpy(when, "?\n");
    dprintf("@ %s", when);

    const int levels = ESGetTopLevel();
    std::string report;
    for (int level = levels; level >= 1; --level) {
        char text[kLevelTextSize];
        EMGetErrorMsgLevel(text, sizeof text, level);
        dprintf("%c %s\n", '*', text);
        if (!text[0]) {
            if (const char* file = TryDump("Report from Exception", 0))
                dprintf("System state dumped to file \"%s\".", file);
        }
        if (report.size() < kReportLimit) {
            if (level != levels) report += '\n';
            report.append(text, std::min(std::strlen(text), kReportLimit - report.size()));
            if (report.size() > kReportLimit) report.resize(kReportLimit);
        }
    }
    LogFile::WriteLog("FatalExcpt", report.c_str());
    AppEventLog::WriteLog("FatalExcpt", report.c_str());

    long megabytes = 0;
    double percentFull = 0.0;
    if (!CheckVMUsage(&megabytes, &percentFull)) {
        std::string low = KsFormat("Exception: MegaBytesRemaining:%ld, PercentFull:%5.2f\n",
                                   megabytes, percentFull);
        LogFile::WriteLog("MemoryLow", low.c_str());
        dprintf("MemoryLow %s", low.c_str());
    }

    char message[kMessageSize];
    EMGetErrorMsg(message, sizeof message);

    bool abortChosen = false;
    bool dumped = false;
    for (;;) {
        std::string buttons = stx("OK");
        short next = 2, help = 0, more = 0, abortButton = 0, hiddenDump = 0;
        if (KsIsHelpCode(code)) {
            buttons += std::string("|") + stx("Help");
            help = next++;
        }
        if (levels > 1) {
            buttons += std::string("|") + stx("More");
            more = next++;
        }
        if (allowAbort) {
            buttons += std::string("|") + stx("Abort");
            abortButton = next++;
        }
        if (!dumped) {
            buttons += "|#r";
            hiddenDump = next++;
        }
        short answer = UIdialog(message, buttons.c_str(), 1, 3, code, false, kSource);
        if (answer == help && help) {
            if (gHost.showHelp) gHost.showHelp(code, 1, gHost.data);
        } else if (answer == more && more) {
            UIdialog(report.c_str(), stx("OK"), 1, 3, code, false, kSource);
        } else if (answer == abortButton && abortButton) {
            abortChosen = true;
            break;
        } else if (answer == hiddenDump && hiddenDump) {
            SetWatchCursor();
            const char* file = TryDump("Report from Exception", 1);
            SetArrowCursor();
            dumped = true;
            std::string text = file ? stxFormat("System state dumped to file '%s'.", file)
                                    : std::string(stx("System state CANNOT be dumped to file."));
            UIdialog(text.c_str(), stx("OK"), 1, 0, nullptr, false, kSource);
        } else {
            // OK, the dialog closed (255), or an answer it does not offer: a
            // dialog that keeps answering nonsense must not hold the loop.
            break;
        }
    }
    return abortChosen;
}

} // namespace

bool KsIsHelpCode(const char* code) {
    if (!code) return false;
    for (const auto& entry : kHelpCodes)
        if (std::strncmp(code, entry, sizeof entry) == 0) return true;
    return false;
}

bool KsDisplayException(const char* code, bool allowAbort) {
    unsigned char& displaying = DisplayingFlag();
    if (displaying || SameCode(code, kLowMemAbortCode)) return false;
    displaying = 1;
    bool abortChosen = false;
    XError inner = KsTryStandard([&] { abortChosen = ShowException(code, allowAbort); });
    displaying = 0;
    if (inner.IsError())
        dprintf("Error (%s) while trying to display Exception (%s)", OrEmpty(inner.GetCode()),
                OrEmpty(code));
    return abortChosen;
}

void DialogCleanup() {
    // A message dialog can leave the mouse-up of its closing click behind.
    XError failed = KsTryStandard([] {
        FlushEvents(mUpMask, 0);
        if (gHost.updateAllWindows) gHost.updateAllWindows(gHost.data);
    });
    if (failed.IsError())
        dprintf("Error (%s) while redrawing after a dialog\n", OrEmpty(failed.GetCode()));
}

// ---------------------------------------------------------------------------
// The memory watch

namespace {
short gMemState = 0;
long gMemStateTicks = 0;
constexpr long kMemReportTicks = 3600;
} // namespace

void KsResetMemoryWatch() {
    gMemState = 0;
    gMemStateTicks = 0;
}

void KsCheckMemory() {
    bool low = KsMemReset();
    short state = IsPayloadDropped() ? 2 : low ? 1 : 0;
    long now = KsGetTicks();
    if (state == gMemState && now - gMemStateTicks <= kMemReportTicks) return;
    gMemState = state;
    gMemStateTicks = now;
    if (state == 1) xraisexerror("MEM_LOW");
    if (state == 2) xraisexerror("MEM_DANGER_LOW");
}

// ---------------------------------------------------------------------------
// The fatal path

namespace {

constexpr size_t kFatalTextSize = 1024;
constexpr size_t kFatalTextRoom = 1020;
constexpr size_t kFatalDialogCut = 240;
constexpr size_t kDebugTextLimit = 255;

short gLastChoice = kKsFatalNone;
bool gInFatalUI = false;
std::vector<std::string> gArgs; // captured for Restart
std::vector<char*> gArgv;

void CaptureArguments() {
    gArgs.clear();
    gArgv.clear();
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t start = 0;
    while (start < all.size()) {
        size_t end = all.find('\0', start);
        if (end == std::string::npos) end = all.size();
        gArgs.push_back(all.substr(start, end - start));
        start = end + 1;
    }
    for (std::string& a : gArgs)
        gArgv.push_back(a.data());
    gArgv.push_back(nullptr);
}

void FlushLogs() {
    LogFile::Close();
    std::fflush(nullptr);
}

// The restarted process inherits the time of its restart, so that a fatal
// error soon after start-up ends it instead of restarting it again.
constexpr const char* kRestartEnv = "KS_FATAL_RESTART_TIME";
constexpr long kRestartQuietSeconds = 60;

long MonotonicSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_BOOTTIME, &ts);
    return long(ts.tv_sec);
}

bool RestartedRecently() {
    const char* at = std::getenv(kRestartEnv);
    if (!at || !*at) return false;
    char* end = nullptr;
    const long when = std::strtol(at, &end, 10);
    if (*end != '\0') return false;
    const long since = MonotonicSeconds() - when;
    return since >= 0 && since < kRestartQuietSeconds;
}

void MarkRestart() {
    setenv(kRestartEnv, std::to_string(MonotonicSeconds()).c_str(), 1);
}

struct StFatalUIGuard {
    StFatalUIGuard() noexcept { gInFatalUI = true; }
    ~StFatalUIGuard() noexcept { gInFatalUI = false; }
    StFatalUIGuard(const StFatalUIGuard&) = delete;
    StFatalUIGuard& operator=(const StFatalUIGuard&) = delete;
};

const char* const kChoiceNames[] = {"none",     "Restart", "Exit To Finder", "Dump State",
                                    "Debugger", "raise",   "continue"};

void RecordChoice(short choice) {
    gLastChoice = choice;
    std::string line = KsFormat("Fatal error dialog: %s chosen",
                                choice >= 0 && choice <= 6 ? kChoiceNames[choice] : "?");
    LogFile::WriteLog("FatalErr", line.c_str());
}

short AskFatalDialog(char* message, char* file, int line) {
    if (gHost.fatalErrDialog) return gHost.fatalErrDialog(message, file, line, gHost.data);
    return KsFatalErrDialog(message, file, line);
}

} // namespace

void KsFatalException(const char* /*code*/, const char* text) {
    std::string out = OrEmpty(text);
    if (out.size() >= kFatalTextSize) out.resize(kFatalTextSize - 1);
    // Each level of the error stack, the most general first.
    const int levels = ESGetTopLevel();
    for (int level = levels; level >= 1 && out.size() < kFatalTextRoom; --level) {
        char levelText[kLevelTextSize];
        EMGetErrorMsgLevel(levelText, sizeof levelText, level);
        out += KsFormat("%c %.*s\n", '*', int(kFatalTextRoom - out.size()), levelText);
    }
    if (out.size() >= kFatalTextSize) out.resize(kFatalTextSize - 1);
    if (__FtlAbortm(out.c_str(), kSource, 3247)) std::abort();
}

short KsFatalErrDialog(char* message, char* file, int line) {
    std::string shown = OrEmpty(message);
    if (shown.size() >= kFatalDialogCut) {
        shown.resize(kFatalDialogCut - 3);
        shown += "...";
    }
    std::string text =
        stxFormat("A serious program error has occurred.\nRestarting the computer is "
                  "recommended.\nIf you need further assistance record the "
                  "following\ninformation and call Kesk Customer Support:\n\nError: "
                  "%s\nFile: %s,  Line: %d",
                  shown.c_str(), OrEmpty(file), line);
    LogFile::WriteLog("FatalErr", text.c_str());
    AppEventLog::WriteLog("FatalErr", text.c_str());
    try {
        return UIdialog(text.c_str(), "Restart|Exit To Finder|Dump State|Debugger|#x|#c", 1, 2,
                        nullptr, false, kSource);
    } catch (...) {
        XErrorFromCurrentException();
        std::string debug =
            KsFormat("Fatal Error: %s File: %s,  Line: %d", OrEmpty(message), OrEmpty(file), line);
        DebugCStr(debug.c_str());
        return kKsFatalNone;
    }
}

unsigned char KsFatalErrDebug(char* message, char* file, int line) {
    std::string text = KsFormat("[%s:%d] ", OrEmpty(file), line);
    text += OrEmpty(message);
    if (text.size() > kDebugTextLimit) {
        text.resize(kDebugTextLimit - 3);
        text += "...";
    }
    FtlClearFatalError();
    DebugCStr(text.c_str());
    return true;
}

unsigned char KsFatalErrUI(char* message, char* file, int line) {
    if (gInFatalUI) {
        // A fatal error while the dialog is up: the dialog itself is suspect.
        std::string text = KsFormat("Fatal error while reporting a fatal error: %s [%s:%d]",
                                    OrEmpty(message), OrEmpty(file), line);
        DebugCStr(text.c_str());
        return true;
    }
    StFatalUIGuard guard;

    bool canDump = KsGetMemError() == 0;
    std::string title = KsFormat("%s\n[%s:%d]\n", OrEmpty(message), OrEmpty(file), line);
    if (canDump) {
        XError failed = KsTryStandard([&] { DmpDumpToFile(nullptr, title.c_str(), 1); });
        if (failed.IsError()) canDump = false;
    }

    for (;;) {
        short choice = AskFatalDialog(message, file, line);
        switch (choice) {
        case kKsFatalRestart: {
            RecordChoice(choice);
            if (RestartedRecently()) {
                // A process that fails again at once, or that nobody answers,
                // would restart forever and fill the disk with dumps.
                LogFile::WriteLog("FatalErr", "Restarted less than a minute ago: leaving instead");
                FlushLogs();
                return false;
            }
            MarkRestart();
            FlushLogs();
            char* const* argv = gHost.argv;
            if (!argv) {
                if (gArgv.empty()) CaptureArguments();
                argv = gArgv.data();
            }
            if (gHost.restart)
                gHost.restart(argv, gHost.data);
            else
                KsRestartProcess(argv);
            // Still here: the restart failed; leave as Exit would.
            return false;
        }
        case kKsFatalExit:
            RecordChoice(choice);
            FlushLogs();
            return false; // the fatal state stays set: the core ends the process
        case kKsFatalDump: {
            std::string text;
            if (canDump) {
                XError failed = KsTryStandard([&] {
                    SetWatchCursor();
                    const char* dumpFile = DmpDumpToFile(nullptr, title.c_str(), 0);
                    text = stxFormat("System state dumped to file \"%s\".", dumpFile);
                });
                SetArrowCursor();
                if (failed.IsError()) canDump = false;
            }
            if (!canDump) text = stx("System state CANNOT be dumped to file.");
            UIdialog(text.c_str(), stx("OK"), 1, 0);
            break;
        }
        case kKsFatalNone:
        case kKsFatalDebugger:
            RecordChoice(choice);
            FtlClearFatalError();
            return true;
        case kKsFatalRaise:
            RecordChoice(choice);
            FtlClearFatalError();
            xraisexerror(kFatalErrorCode, "str msg", OrEmpty(message), "str file", OrEmpty(file),
                         "int line", line);
        case kKsFatalContinue:
            RecordChoice(choice);
            FtlClearFatalError();
            return false;
        default:
            break; // an answer the dialog does not offer: ask again
        }
    }
}

short KsGetLastFatalChoice() {
    return gLastChoice;
}

void KsRestartProcess(char* const* argv) {
    static char* const kNoArgs[] = {nullptr};
    execv("/proc/self/exe", argv ? argv : kNoArgs);
    dprintf("Restart failed: %s\n", std::strerror(errno));
}

// ---------------------------------------------------------------------------
// The dump sections

namespace {
void PrintWindowListSection(std::FILE* out) {
    if (gHost.printWindowList)
        gHost.printWindowList(out, gHost.data);
    else
        KsPrintWindowList(out);
}
} // namespace

void KsPrintWindowList(std::FILE* out) {
    int count = 0;
    for (WindowPtr w = KsGetWindowList(); w; w = GetNextWindow(w)) {
        std::string title(reinterpret_cast<const char*>(w->title + 1), w->title[0]);
        for (char& c : title)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
        Rect r;
        KsGetWindowContentRect(w, &r);
        const SInt16 kind = GetWindowKind(w);
        std::fprintf(out, "%3d \"%s\" kind %d layer %d %s (%d, %d, %d, %d) procID %d refCon %ld\n",
                     ++count, title.c_str(), kind & 0x0FFF, KsWindowLayerOf(kind),
                     IsWindowVisible(w) ? "visible" : "hidden", r.left, r.top, r.right, r.bottom,
                     w->procID, long(GetWRefCon(w)));
    }
    if (count == 0) std::fprintf(out, "No windows.\n");
}

void KsInstallFtlErrHandler() {
    DmpInstall(PSPrintStack, "Current Program Stack", 1);
    DmpInstall(PrintSysConfig, "System Configuration", 1);
    DmpInstall(PrintProcesses, "Processes Currently Running", 1);
    DmpInstall(PrintWindowListSection, "WindowList", 1);
    DmpInstall(PrintProcessModules, "Binary Modules Loaded", 1);
    DmpInstall(PrintDeviceDrivers, "Device Drivers Loaded", 1);
    if (!gHost.argv) CaptureArguments();
    FtlInstall(KsFatalErrUI);
}
