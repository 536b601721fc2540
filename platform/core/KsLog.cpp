// Logs. Sections: text conversion, the capped file, LogFile, AppEventLog,
// PrintfLogger.
#include "KsLog.h"

#include "KsAppInfo.h"
#include "KsFolders.h"
#include "KsFormat.h"
#include "KsLogPrivate.h"
#include "KsMacRoman.h"
#include "KsOutput.h"
#include "XError.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <sys/time.h>
#include <syslog.h>
#include <unistd.h>

namespace {
const EMMessage kMessages[] = {
    {"LOG_OPEN_FAILED", "The log file \"{path}\" could not be opened (error {errno}).", nullptr},
};

struct RegisterMessages {
    RegisterMessages() { EMRegisterMessages(kMessages, int(std::size(kMessages))); }
} gRegisterMessages;

// Notes a failing log once per kind, so a full disk does not flood stderr.
void NoteFailure(std::atomic<bool>& noted, const std::string& path, int error) {
    if (!noted.exchange(true))
        dprintf("Log \"%s\" cannot be written: %s\n", path.c_str(), std::strerror(error));
}
} // namespace

// ---------------------------------------------------------------- text

bool KsIsValidUTF8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        char32_t ch;
        std::size_t used = KsDecodeUTF8(text.data() + i, text.size() - i, &ch);
        // The decoder answers U+FFFD for a bad sequence; a real U+FFFD is EF BF BD.
        if (ch == 0xFFFD && text.substr(i, used) != "\xEF\xBF\xBD") return false;
        i += used;
    }
    return true;
}

std::string KsLogText(std::string_view text, KsLineBreaks breaks) {
    const bool utf8 = KsIsValidUTF8(text);
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += breaks == KsLineBreaks::join ? " | " : "\n";
        } else if (c >= 0x80) {
            if (utf8)
                out += char(c);
            else {
                char buf[4];
                out.append(buf, KsEncodeUTF8(KsMacRomanToUnicode(c), buf));
            }
        } else if ((c < 0x20 && c != '\t') || c == 0x7F) {
            out += '?';
        } else {
            out += char(c);
        }
    }
    if (breaks == KsLineBreaks::join) {
        while (out.size() >= 3 && out.compare(out.size() - 3, 3, " | ") == 0)
            out.resize(out.size() - 3);
    }
    return out;
}

// ---------------------------------------------------------------- capped file

KsCappedFile::KsCappedFile(std::string path, long cap, bool sharedWithOthers)
    : path_(std::move(path)), cap_(cap), shared_(sharedWithOthers) {}

KsCappedFile::~KsCappedFile() {
    Close();
}

int KsCappedFile::Open() {
    if (fd_ >= 0) return 0;
    fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd_ < 0) return errno;
    struct stat info;
    size_ = fstat(fd_, &info) == 0 ? long(info.st_size) : 0;
    return 0;
}

void KsCappedFile::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    size_ = 0;
}

bool KsCappedFile::CheckStillOurs() {
    // Another process may have rotated the file away: follow the name.
    struct stat mine, named;
    if (fstat(fd_, &mine) != 0 || stat(path_.c_str(), &named) != 0 || mine.st_ino != named.st_ino ||
        mine.st_dev != named.st_dev) {
        Close();
        return Open() == 0;
    }
    size_ = long(named.st_size);
    return true;
}

void KsCappedFile::Rotate() {
    std::string older = path_ + ".1";
    Close();
    // A failed rename leaves the full file in place; truncating it then keeps
    // the cap, losing the oldest text rather than the newest.
    if (::rename(path_.c_str(), older.c_str()) != 0) ::truncate(path_.c_str(), 0);
    Open();
}

bool KsCappedFile::Append(const char* data, std::size_t length) {
    if (length == 0) return true;
    if (fd_ < 0 && Open() != 0) return false;
    if (shared_ && !CheckStillOurs()) return false;
    if (length > std::size_t(cap_)) {
        data += length - std::size_t(cap_);
        length = std::size_t(cap_);
    }
    if (size_ > 0 && std::size_t(size_) + length > std::size_t(cap_)) {
        Rotate();
        if (fd_ < 0) return false;
    }
    while (length > 0) {
        ssize_t written = ::write(fd_, data, length);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        length -= std::size_t(written);
        size_ += long(written);
    }
    return true;
}

// ---------------------------------------------------------------- LogFile

namespace {
std::mutex gLogLock;
std::unique_ptr<KsCappedFile> gLog;
long gLogCap = 1L << 20;
std::atomic<bool> gLogFailureNoted{false};

std::string LogFilePath() {
    return KsUserFolder(KsFolderKind::state) + "/" + KSGetApplName() + ".log";
}

std::string TimeStamp() {
    struct timeval now;
    gettimeofday(&now, nullptr);
    struct tm local;
    localtime_r(&now.tv_sec, &local);
    char text[64];
    std::size_t n = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    std::snprintf(text + n, sizeof text - n, ".%03ld", long(now.tv_usec / 1000));
    return text;
}
} // namespace

void LogFile::WriteLog(const char* tag, const char* text) {
    std::string line = TimeStamp() + " [" + std::to_string(getpid()) + "] " +
                       KsLogText(tag ? tag : "", KsLineBreaks::join) + ": " +
                       KsLogText(text ? text : "", KsLineBreaks::join) + "\n";
    std::lock_guard<std::mutex> hold(gLogLock);
    if (!gLog) {
        std::string path;
        try {
            path = LogFilePath();
        } catch (...) {
            // The log is written from failure paths: it must never raise.
            NoteFailure(gLogFailureNoted, "<state folder>", errno ? errno : ENOENT);
            return;
        }
        gLog = std::make_unique<KsCappedFile>(path, gLogCap, true);
    }
    if (!gLog->Append(line.data(), line.size())) NoteFailure(gLogFailureNoted, gLog->Path(), errno);
}

std::string LogFile::GetPath() {
    {
        std::lock_guard<std::mutex> hold(gLogLock);
        if (gLog) return gLog->Path();
    }
    return LogFilePath();
}

void LogFile::Close() {
    std::lock_guard<std::mutex> hold(gLogLock);
    gLog.reset();
    gLogFailureNoted = false;
}

long LogFile::SetMaxSize(long bytes) {
    std::lock_guard<std::mutex> hold(gLogLock);
    long previous = gLogCap;
    gLogCap = std::max(bytes, 4096L);
    if (gLog) gLog->SetCap(gLogCap);
    return previous;
}

// ---------------------------------------------------------------- AppEventLog

namespace {
std::mutex gSyslogLock;
std::string gSyslogIdent; // openlog keeps the pointer: it must outlive the log
} // namespace

void AppEventLog::WriteLog(const char* tag, const char* text) {
    std::string tagText = KsLogText(tag ? tag : "", KsLineBreaks::join);
    std::string body = KsLogText(text ? text : "", KsLineBreaks::join);
    std::lock_guard<std::mutex> hold(gSyslogLock);
    const char* name = KSGetApplName();
    if (gSyslogIdent != name) {
        closelog();
        gSyslogIdent = name;
        openlog(gSyslogIdent.c_str(), LOG_PID, LOG_USER);
    }
    // The text is data, never a format.
    syslog(LOG_NOTICE, "%s: %s", tagText.c_str(), body.c_str());
}

// ---------------------------------------------------------------- PrintfLogger

struct PrintfLogger::Impl {
    std::mutex lock;
    std::unique_ptr<KsCappedFile> file;
    std::string path;
    short flushOption = 0;
    std::string pending;
    std::atomic<bool> failureNoted{false};

    void FlushLocked() {
        if (pending.empty()) return;
        if (!file->Append(pending.data(), pending.size()))
            NoteFailure(failureNoted, file->Path(), errno);
        pending.clear();
    }
};

PrintfLogger::PrintfLogger(const char* fileName, long size, short flushOption)
    : impl_(std::make_unique<Impl>()) {
    std::string name = fileName ? fileName : "";
    if (name.empty()) xraisexerror("LOG_OPEN_FAILED", "str path", name, "int errno", ENOENT);
    impl_->path = name[0] == '/' ? name : KsUserFolder(KsFolderKind::state) + "/" + name;
    long cap = size <= 0 ? 1L << 20 : std::max(size, 1024L);
    impl_->flushOption = flushOption;
    impl_->file = std::make_unique<KsCappedFile>(impl_->path, cap, false);
    if (int error = impl_->file->Open())
        xraisexerror("LOG_OPEN_FAILED", "str path", impl_->path, "int errno", error);
}

PrintfLogger::~PrintfLogger() {
    std::lock_guard<std::mutex> hold(impl_->lock);
    impl_->FlushLocked();
}

int PrintfLogger::Printf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    int n = Vprintf(format, args);
    va_end(args);
    return n;
}

int PrintfLogger::Vprintf(const char* format, va_list args) {
    if (!format) return 0;
    KsFormatted text(format, args);
    Write(text.View().data(), text.View().size());
    return text.Count();
}

void PrintfLogger::Write(const char* text, std::size_t length) {
    if (!text || length == 0) return;
    std::string converted = KsLogText(std::string_view(text, length), KsLineBreaks::keep);
    std::lock_guard<std::mutex> hold(impl_->lock);
    impl_->pending += converted;
    bool flush = impl_->flushOption >= 2 || impl_->pending.size() >= 4096 ||
                 (impl_->flushOption == 1 && converted.find('\n') != std::string::npos);
    if (flush) impl_->FlushLocked();
}

void PrintfLogger::Flush() {
    std::lock_guard<std::mutex> hold(impl_->lock);
    impl_->FlushLocked();
}

const std::string& PrintfLogger::GetPath() const {
    return impl_->path;
}

long PrintfLogger::GetMaxSize() const {
    return impl_->file->Cap();
}
