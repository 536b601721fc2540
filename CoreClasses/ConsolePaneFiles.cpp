// ConsolePane: the log file, saving, the "console" command and CONSOLE.LOG.
//
// Files receive the console's text with CR LF line ends, in UTF-8 (the
// console's text is in the toolbox character set).
#include "ConsolePane.h"

#include "AFileLocator.h"
#include "ATextEntry.h"
#include "KsCommand.h"
#include "KsConsoleLogPrivate.h"
#include "KsConsoleText.h"
#include "KsMacRoman.h"
#include "KsOutput.h"
#include "XError.h"

#include <cerrno>
#include <cstring>
#include <strings.h>

namespace {
// CONSOLE.LOG: the flag, and the logger that exists exactly while it is set.
bool gConsoleLogging = false;
std::unique_ptr<PrintfLogger> gConsoleLogger;
bool gCommandRegistered = false;

constexpr const char* kConsoleLogName = "CONSOLE.LOG";
constexpr long kConsoleLogSize = 51200;
constexpr short kConsoleLogFlush = 2;

std::string FileForm(std::string_view text) {
    return KsMacRomanToUTF8(KsConsoleToCRLF(text));
}

bool WriteAll(std::FILE* f, const std::string& bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
}

void ConsoleCommand(const KsCommandArgs& args) {
    if (!args.GetStr("strParam1")) {
        dprintf("Type 'console help' for full help.\n");
        return;
    }
    const bool was = gConsoleLogging;
    bool now = was, help = false;
    for (const char* name : {"strParam1", "strParam2"}) {
        const char* p = args.GetStr(name);
        if (!p) continue;
        if (!strcasecmp(p, "trace") || !strcasecmp(p, "log"))
            now = true;
        else if (!strcasecmp(p, "notrace") || !strcasecmp(p, "nolog"))
            now = false;
        else if (!strcasecmp(p, "help"))
            help = true;
    }
    if (help) {
        dprintf("Console command for the console.\n");
        dprintf("\tconsole can currently have zero to 2 parameters. The parameters are zero or "
                "more of the following keywords:\n");
        dprintf("\t\ttrace/notrace\t\t=> 'trace' or 'log' will turn console logging on to file "
                "'CONSOLE.LOG'.\n");
        dprintf("\t\tlog/nolog\t\t\t   'notrace' or 'nolog' will turn logging off to this file.\n");
        dprintf("\t\thelp\t\t\t\t= will display help message.\n");
        dprintf("\t\t(no parameters)\t\t= Will display mini-help\n");
    }
    if (now == was) return;
    dprintf("Changing from %stracing console to log file to %stracing console to log file.\n",
            was ? "" : "NOT ", now ? "" : "NOT ");
    KsSetConsoleLogging(now);
}
} // namespace

PrintfLogger* KsConsoleLogger() {
    return gConsoleLogger.get();
}

bool KsConsoleLogging() {
    return gConsoleLogging;
}

void KsSetConsoleLogging(bool on) {
    gConsoleLogging = on;
    if (on && !gConsoleLogger) {
        try {
            gConsoleLogger =
                std::make_unique<PrintfLogger>(kConsoleLogName, kConsoleLogSize, kConsoleLogFlush);
        } catch (const XError& e) {
            // Logging is a convenience: the console goes on without it.
            gConsoleLogging = false;
            dprintf("Cannot open %s (%s).\n", kConsoleLogName, e.GetCode());
        }
    } else if (!on) {
        gConsoleLogger.reset();
    }
}

std::string KsConsoleLogPath() {
    return gConsoleLogger ? gConsoleLogger->GetPath() : std::string();
}

void ConsolePane::RegisterCommandOnce() {
    if (gCommandRegistered) return;
    gCommandRegistered = true;
    AddCommandDef("Console", "str strParam1, str strParam2", ConsoleCommand,
                  "Type 'Console help' for complete help.");
    if (gConsoleLogging && !gConsoleLogger) KsSetConsoleLogging(true);
}

// ---------------------------------------------------------------------------
// The log file

void ConsolePane::OpenLogFile(const char* header, const AFileLocator* file, bool append) {
    CloseLogFile();
    if (!file || !file->IsValid()) xraisexerror("CON_LOG_OPEN", "str path", "");
    const std::string path = file->GetPath();
    std::FILE* f = std::fopen(path.c_str(), append ? "ab" : "wb");
    if (!f) xraisexerror("CON_LOG_OPEN", "str path", path.c_str(), "int errno", errno);
    iLogFile = f;
    if (header && *header) {
        std::string h(header);
        if (h.back() != '\r' && h.back() != '\n') h += '\r';
        WriteLog(h.data(), h.size());
    }
}

void ConsolePane::CloseLogFile() {
    if (!iLogFile) return;
    std::fclose(iLogFile);
    iLogFile = nullptr;
}

void ConsolePane::WriteLog(const char* text, std::size_t length) {
    if (!iLogFile || !text || length == 0) return;
    // Flushed at once: the log is what is left when the program goes down.
    if (!WriteAll(iLogFile, FileForm(std::string_view(text, length))) ||
        std::fflush(iLogFile) != 0) {
        // A log that cannot be written is closed rather than half-kept.
        CloseLogFile();
        dprintf("The console's log file could not be written; it was closed.\n");
    }
}

// ---------------------------------------------------------------------------
// Saving

void ConsolePane::SaveInFile(const char* text, const AFileLocator* file) {
    if (!file || !file->IsValid()) xraisexerror("CON_SAVE_FAILED", "str path", "");
    if (!text) {
        SaveTextToPath(file->GetPath().c_str());
        return;
    }
    const std::string path = file->GetPath();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    const bool ok = f && WriteAll(f, FileForm(text));
    if (f && std::fclose(f) != 0) xraisexerror("CON_SAVE_FAILED", "str path", path.c_str());
    if (!ok) xraisexerror("CON_SAVE_FAILED", "str path", path.c_str());
}

void ConsolePane::SaveTextToPath(const char* path) const {
    if (!path || !*path) xraisexerror("CON_SAVE_FAILED", "str path", "");
    // Written beside the file and moved over it, so a failed save leaves the
    // old file as it was.
    const std::string tmp = std::string(path) + ".part";
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) xraisexerror("CON_SAVE_FAILED", "str path", path);
    const bool wrote = WriteAll(f, FileForm(GetConsoleText()));
    const bool closed = std::fclose(f) == 0;
    if (!wrote || !closed || std::rename(tmp.c_str(), path) != 0) {
        std::remove(tmp.c_str());
        xraisexerror("CON_SAVE_FAILED", "str path", path);
    }
}
