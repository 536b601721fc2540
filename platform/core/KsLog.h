// Logs: the application's log file, the system log and capped printf logs.
//
// Text given to the logs is in the toolbox character set (Mac OS Roman);
// files and the system log receive UTF-8. Text that already is valid UTF-8
// with non-ASCII characters (paths, system messages) is passed through.
// Logging never raises once a log is open: a failing write is dropped, with
// one note on the debug output.
#pragma once

#include <cstdarg>
#include <memory>
#include <string>

// The per-application log: <state folder>/<application name>.log, one line
// per call: "YYYY-MM-DD HH:MM:SS.mmm [pid] tag: text". Line breaks inside the
// text become " | " so that each call stays one line. Safe from any thread and
// from several processes of the same application (each line is one append).
// When the file reaches its cap it is renamed to "<name>.1" (replacing an
// older one) and a new file begins.
class LogFile {
public:
    static void WriteLog(const char* tag, const char* text);

    // The file the next line goes to (resolving the state folder).
    static std::string GetPath();
    // Closes the file; the next line reopens it, in the state folder as it is
    // then. Lets tests and hosts that change XDG_STATE_HOME move the log.
    static void Close();
    // Cap in bytes (at least 4096); 1 MiB by default. Answers the previous one.
    static long SetMaxSize(long bytes);

    LogFile() = delete;
};

// The system log, under the application's name, with the process id.
class AppEventLog {
public:
    static void WriteLog(const char* tag, const char* text);

    AppEventLog() = delete;
};

// A file that receives printf-style text, capped in size: when the next text
// would take the file past the cap, the file is renamed to "<name>.1"
// (replacing an older one) and a new file begins, so the newest text is kept
// and at most about twice the cap is used. A relative name is placed in the
// application's state folder. Thread-safe.
//
// Flush options: 0 buffers up to 4 KiB (flushed by Flush, at the cap and on
// destruction), 1 flushes at each line end, 2 flushes after every call.
class PrintfLogger {
public:
    // Raises XError "LOG_OPEN_FAILED" ("str path", "int errno") when the file
    // cannot be opened. A size of 0 or less means 1 MiB; smaller sizes are
    // raised to 1024.
    PrintfLogger(const char* fileName, long size, short flushOption);
    ~PrintfLogger();
    PrintfLogger(const PrintfLogger&) = delete;
    PrintfLogger& operator=(const PrintfLogger&) = delete;

    int Printf(const char* format, ...) __attribute__((format(printf, 2, 3)));
    int Vprintf(const char* format, va_list args) __attribute__((format(printf, 2, 0)));
    // Writes text as it is (line ends: CR and CR LF become LF).
    void Write(const char* text, std::size_t length);
    void Flush();

    const std::string& GetPath() const;
    long GetMaxSize() const;

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};
