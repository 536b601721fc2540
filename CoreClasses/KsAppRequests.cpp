// Request descriptors, the request socket's text form, its server and the
// quit signals.
#include "KsAppRequests.h"
#include "KsAppRequestsPrivate.h"

#include "KsFatal.h"
#include "KsFolders.h"
#include "KsTime.h"
#include "XError.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <time.h>
#include <unistd.h>

// ---------------------------------------------------------------------------
// Descriptors

namespace {

const AEDesc* FindKey(const AEDesc* d, AEKeyword key) {
    if (!d) return nullptr;
    for (size_t i = 0; i < d->keys.size() && i < d->items.size(); ++i)
        if (d->keys[i] == key) return &d->items[i];
    return nullptr;
}

OSErr CopyOut(const AEDesc* d, DescType type, DescType* typeCode, void* data, Size maxSize,
              Size* actualSize) {
    if (!d) return errAEDescNotFound;
    if (type != typeWildCard && d->descriptorType != type) return errAEWrongDataType;
    if (typeCode) *typeCode = d->descriptorType;
    if (actualSize) *actualSize = Size(d->data.size());
    if (data && maxSize > 0 && !d->data.empty())
        std::memcpy(data, d->data.data(), std::min<size_t>(size_t(maxSize), d->data.size()));
    return kAENoErr;
}

void PutKey(AEDesc* d, AEKeyword key, AEDesc value) {
    for (size_t i = 0; i < d->keys.size(); ++i)
        if (d->keys[i] == key) {
            d->items[i] = std::move(value);
            return;
        }
    d->keys.push_back(key);
    d->items.push_back(std::move(value));
}

AEDesc Flat(DescType type, const void* data, Size size) {
    AEDesc d;
    d.descriptorType = type;
    if (size > 0 && data)
        d.data.assign(static_cast<const UInt8*>(data), static_cast<const UInt8*>(data) + size);
    return d;
}

} // namespace

OSErr KsAECreateEvent(AEEventClass eventClass, AEEventID eventID, AEDesc* out) {
    if (!out) return paramErr;
    *out = AEDesc{};
    out->descriptorType = typeAppleEvent;
    PutKey(out, keyEventClassAttr, Flat(typeType, &eventClass, sizeof eventClass));
    PutKey(out, keyEventIDAttr, Flat(typeType, &eventID, sizeof eventID));
    return kAENoErr;
}

OSErr AECreateList(AEDesc* out) {
    if (!out) return paramErr;
    *out = AEDesc{};
    out->descriptorType = typeAEList;
    return kAENoErr;
}

OSErr AEPutPtr(AEDesc* list, long index, DescType type, const void* data, Size size) {
    if (!list || list->descriptorType != typeAEList || size < 0) return paramErr;
    if (index <= 0 || size_t(index) > list->items.size()) {
        list->items.push_back(Flat(type, data, size));
    } else {
        list->items[size_t(index - 1)] = Flat(type, data, size);
    }
    return kAENoErr;
}

OSErr AEPutParamPtr(AEDesc* event, AEKeyword key, DescType type, const void* data, Size size) {
    if (!event || size < 0) return paramErr;
    PutKey(event, key, Flat(type, data, size));
    return kAENoErr;
}

OSErr AEPutParamDesc(AEDesc* event, AEKeyword key, const AEDesc* desc) {
    if (!event || !desc) return paramErr;
    PutKey(event, key, *desc);
    return kAENoErr;
}

OSErr AEGetAttributePtr(const AEDesc* event, AEKeyword key, DescType type, DescType* typeCode,
                        void* data, Size maxSize, Size* actualSize) {
    return CopyOut(FindKey(event, key), type, typeCode, data, maxSize, actualSize);
}

OSErr AEGetParamPtr(const AEDesc* event, AEKeyword key, DescType type, DescType* typeCode,
                    void* data, Size maxSize, Size* actualSize) {
    return CopyOut(FindKey(event, key), type, typeCode, data, maxSize, actualSize);
}

OSErr AEGetParamDesc(const AEDesc* event, AEKeyword key, DescType type, AEDesc* out) {
    const AEDesc* d = FindKey(event, key);
    if (!d) return errAEDescNotFound;
    if (type != typeWildCard && d->descriptorType != type) return errAECoercionFail;
    if (out) *out = *d;
    return kAENoErr;
}

OSErr AECountItems(const AEDesc* list, long* count) {
    if (!list || !count) return paramErr;
    if (list->descriptorType != typeAEList) return errAEWrongDataType;
    *count = long(list->items.size());
    return kAENoErr;
}

OSErr AEGetNthDesc(const AEDesc* list, long index, DescType type, AEKeyword* key, AEDesc* out) {
    if (!list || list->descriptorType != typeAEList) return errAEWrongDataType;
    if (index < 1 || size_t(index) > list->items.size()) return errAEBadListItem;
    const AEDesc& d = list->items[size_t(index - 1)];
    if (type != typeWildCard && d.descriptorType != type) return errAECoercionFail;
    if (key) *key = keyDirectObject;
    if (out) *out = d;
    return kAENoErr;
}

OSErr AEDisposeDesc(AEDesc* desc) {
    if (desc) *desc = AEDesc{};
    return kAENoErr;
}

namespace {
KsAEHandler gHandler = nullptr;
long gHandlerRefCon = 0;
} // namespace

KsAEHandler KsAESetHandler(KsAEHandler handler, long refcon) {
    KsAEHandler previous = gHandler;
    gHandler = handler;
    gHandlerRefCon = refcon;
    return previous;
}

OSErr KsAEDispatch(AEDesc* event, AEDesc* reply) {
    if (!gHandler) return errAEEventNotHandled;
    return gHandler(event, reply, gHandlerRefCon);
}

// ---------------------------------------------------------------------------
// The text form

namespace {

[[noreturn]] void Bad(const char* reason) {
    xraisexerror("APP_REQUEST_BAD", "str reason", reason);
}

// A whole decimal or 0x hexadecimal number within [lo, hi].
long long ParseNumber(std::string_view s, long long lo, long long hi) {
    if (s.empty() || s.size() > 20) Bad("bad number");
    bool negative = false;
    size_t i = 0;
    if (s[0] == '-' || s[0] == '+') {
        negative = s[0] == '-';
        i = 1;
    }
    int base = 10;
    if (s.size() > i + 2 && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= s.size()) Bad("bad number");
    long long v = 0;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            Bad("bad number");
        v = v * base + digit;
        if (v > (1LL << 40)) Bad("number out of range");
    }
    if (negative) v = -v;
    if (v < lo || v > hi) Bad("number out of range");
    return v;
}

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        const size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
        if (words.size() > 8) Bad("too many words");
    }
    return words;
}

} // namespace

void KsParseAppRequest(const char* text, std::size_t len, AEDesc* out) {
    FtlAssert(out != nullptr);
    if (!text && len) Bad("no text");
    if (len > kKsAppRequestMaxBytes) Bad("request too long");
    const std::string_view all(text ? text : "", len);
    if (all.find('\0') != std::string_view::npos) Bad("NUL byte");

    // Lines up to the first empty one; a final line without its end counts.
    std::vector<std::string_view> lines;
    size_t pos = 0;
    while (pos < all.size()) {
        size_t end = all.find('\n', pos);
        if (end == std::string_view::npos) end = all.size();
        std::string_view line = all.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        pos = end + 1;
        if (line.empty()) break;
        lines.push_back(line);
        if (lines.size() > size_t(kKsAppRequestMaxFiles) + 1) Bad("too many files");
    }
    if (lines.empty()) Bad("empty request");

    const auto words = Words(lines[0]);
    if (words.empty()) Bad("empty request");
    const std::string_view verb = words[0];
    AEDesc ev;
    if (verb == "NICK") {
        if (words.size() < 2 || words.size() > 3 || lines.size() != 1) Bad("NICK takes a nick");
        const SInt32 nick = SInt32(ParseNumber(words[1], 1, 0x7FFFFFFF));
        const SInt16 keys = words.size() == 3 ? SInt16(ParseNumber(words[2], 0, 0xFFFF)) : 0;
        KsAECreateEvent(kKsEventClass, kKsEventNick, &ev);
        AEPutParamPtr(&ev, keyKsNick, typeSInt32, &nick, sizeof nick);
        AEPutParamPtr(&ev, keyKsKeys, typeSInt16, &keys, sizeof keys);
    } else if (verb == "OPEN") {
        if (words.size() != 1) Bad("OPEN takes paths on the following lines");
        if (lines.size() < 2) Bad("OPEN without files");
        AEDesc list;
        AECreateList(&list);
        for (size_t i = 1; i < lines.size(); ++i) {
            const std::string_view path = lines[i];
            if (path.front() != '/') Bad("path not absolute");
            AEPutPtr(&list, 0, typeFSS, path.data(), Size(path.size()));
        }
        KsAECreateEvent(kCoreEventClass, kAEOpenDocuments, &ev);
        AEPutParamDesc(&ev, keyDirectObject, &list);
    } else if (verb == "QUIT") {
        if (words.size() != 1 || lines.size() != 1) Bad("QUIT takes nothing");
        KsAECreateEvent(kCoreEventClass, kAEQuitApplication, &ev);
    } else if (verb == "PING") {
        if (words.size() != 1 || lines.size() != 1) Bad("PING takes nothing");
        KsAECreateEvent(kCoreEventClass, kAEOpenApplication, &ev);
    } else {
        Bad("unknown request");
    }
    *out = std::move(ev);
}

// ---------------------------------------------------------------------------
// The folder

namespace {

void CheckPrivateFolder(const std::string& path) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid() ||
        (st.st_mode & 077) != 0)
        xraisexerror("APP_REQUEST_FOLDER", "str path", path);
}

} // namespace

std::string KsAppRequestFolder(const char* appName) {
    std::string name = appName && *appName ? appName : "app";
    for (char& c : name)
        if (c == '/' || c == '\0' || c == ' ') c = '_';
    if (name == "." || name == "..") name = "app";
    std::string base = KsUserBaseFolder(KsFolderKind::runtime);
    const char* xdg = std::getenv("XDG_RUNTIME_DIR");
    if (!xdg || xdg[0] != '/') {
        // No runtime folder: a private one of this user under /tmp.
        base = "/tmp/kstavik20-" + std::to_string(getuid());
        if (mkdir(base.c_str(), 0700) != 0 && errno != EEXIST)
            xraisexerror("APP_REQUEST_FOLDER", "str path", base);
        CheckPrivateFolder(base);
    }
    const std::string folder = base + "/" + name;
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        xraisexerror("APP_REQUEST_FOLDER", "str path", folder);
    CheckPrivateFolder(folder);
    return folder;
}

std::string KsAppRequestSocketPath(const char* appName) {
    return KsAppRequestFolder(appName) + "/requests.sock";
}

// ---------------------------------------------------------------------------
// Client

namespace {

bool FillAddress(const std::string& path, sockaddr_un* addr) {
    std::memset(addr, 0, sizeof *addr);
    addr->sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof addr->sun_path) return false;
    std::memcpy(addr->sun_path, path.data(), path.size());
    return true;
}

bool WaitFd(int fd, short events, int timeoutMs) {
    pollfd p{fd, events, 0};
    int r;
    do {
        r = poll(&p, 1, timeoutMs);
    } while (r < 0 && errno == EINTR);
    return r > 0;
}

} // namespace

bool KsSendAppRequest(const std::string& socketPath, const std::string& request,
                      std::string* answer, int timeoutMs) {
    sockaddr_un addr{};
    if (!FillAddress(socketPath, &addr)) return false;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    bool ok = connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    size_t sent = 0;
    while (ok && sent < request.size()) {
        if (!WaitFd(fd, POLLOUT, timeoutMs)) {
            ok = false;
            break;
        }
        const ssize_t n = send(fd, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            ok = false;
        else
            sent += size_t(n);
    }
    if (ok) shutdown(fd, SHUT_WR);
    std::string line;
    while (ok && line.size() < 1024) {
        if (!WaitFd(fd, POLLIN, timeoutMs)) {
            ok = false;
            break;
        }
        char buf[256];
        const ssize_t n = recv(fd, buf, sizeof buf, 0);
        if (n <= 0) break;
        line.append(buf, size_t(n));
        if (line.find('\n') != std::string::npos) break;
    }
    close(fd);
    if (!ok || line.empty()) return false;
    const size_t nl = line.find('\n');
    if (nl != std::string::npos) line.resize(nl);
    if (answer) *answer = line;
    return true;
}

// ---------------------------------------------------------------------------
// Server

namespace {
bool gUidOverridden = false;
uid_t gAllowedUid = 0;
constexpr int kMaxConnections = 16;
constexpr long kConnectionTimeoutTicks = 5 * 60;
} // namespace

void KsAppRequestServer::SetAllowedUid(uid_t uid) {
    gUidOverridden = true;
    gAllowedUid = uid;
}

void KsAppRequestServer::ResetAllowedUid() {
    gUidOverridden = false;
}

KsAppRequestServer::~KsAppRequestServer() {
    Close();
}

KsAppRequestServer::OpenResult KsAppRequestServer::Open(const std::string& path) {
    Close();
    sockaddr_un addr{};
    if (!FillAddress(path, &addr)) return OpenResult::failed;
    // Somebody answering there is a running instance.
    if (KsSendAppRequest(path, "PING\n", nullptr, 1000)) return OpenResult::otherInstance;
    struct stat st {};
    if (lstat(path.c_str(), &st) == 0) {
        if (!S_ISSOCK(st.st_mode)) return OpenResult::failed;
        unlink(path.c_str()); // stale
    }
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return OpenResult::failed;
    if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(fd, 8) != 0) {
        close(fd);
        return OpenResult::failed;
    }
    chmod(path.c_str(), 0600);
    fd_ = fd;
    path_ = path;
    polledOnce_ = false;
    return OpenResult::listening;
}

void KsAppRequestServer::Close() {
    for (Connection& c : connections_)
        close(c.fd);
    connections_.clear();
    if (fd_ >= 0) {
        close(fd_);
        fd_ = -1;
        struct stat st {};
        if (lstat(path_.c_str(), &st) == 0 && S_ISSOCK(st.st_mode)) unlink(path_.c_str());
    }
    path_.clear();
}

namespace {

void Answer(int fd, const std::string& text) {
    // The peer waits for the answer; a peer that went away loses it.
    send(fd, text.data(), text.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
}

bool PeerAllowed(int fd) {
    ucred cred{};
    socklen_t len = sizeof cred;
    if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &len) != 0 || len != sizeof cred)
        return false;
    return cred.uid == (gUidOverridden ? gAllowedUid : getuid());
}

} // namespace

void KsAppRequestServer::Finish(Connection& c) {
    std::string reply;
    try {
        AEDesc ev;
        KsParseAppRequest(c.buffer.data(), c.buffer.size(), &ev);
        AEDesc answer;
        const OSErr err = KsAEDispatch(&ev, &answer);
        reply = err == kAENoErr ? "OK 0\n" : "ERR " + std::to_string(err) + "\n";
    } catch (...) {
        const XError e = XErrorFromCurrentException();
        reply = std::string("ERR ") + (e.GetCode() ? e.GetCode() : "?") + "\n";
    }
    Answer(c.fd, reply);
}

int KsAppRequestServer::PollIfDue(long ticks, long coarseMs) {
    if (fd_ < 0) return 0;
    if (polledOnce_ && ticks == lastTicks_ && coarseMs == lastCoarseMs_) return 0;
    polledOnce_ = true;
    lastTicks_ = ticks;
    lastCoarseMs_ = coarseMs;
    return Poll();
}

long KsAppCoarseMilliseconds() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &ts);
    return long(ts.tv_sec) * 1000 + long(ts.tv_nsec / 1000000);
}

int KsAppRequestServer::Poll() {
    if (fd_ < 0) return 0;
    for (;;) {
        const int cfd = accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (cfd < 0) break;
        if (!PeerAllowed(cfd)) {
            Answer(cfd, "ERR APP_REQUEST_REFUSED\n");
            close(cfd);
            continue;
        }
        if (connections_.size() >= size_t(kMaxConnections)) {
            Answer(cfd, "ERR APP_REQUEST_BUSY\n");
            close(cfd);
            continue;
        }
        connections_.push_back(Connection{cfd, {}, KsGetTicks()});
    }
    int handled = 0;
    for (size_t i = 0; i < connections_.size();) {
        Connection& c = connections_[i];
        bool complete = false, drop = false;
        for (;;) {
            char buf[4096];
            const ssize_t n = recv(c.fd, buf, sizeof buf, 0);
            if (n > 0) {
                if (c.buffer.size() + size_t(n) > kKsAppRequestMaxBytes) {
                    Answer(c.fd, "ERR APP_REQUEST_BAD\n");
                    drop = true;
                    break;
                }
                c.buffer.append(buf, size_t(n));
                if (c.buffer.find("\n\n") != std::string::npos) {
                    complete = true;
                    break;
                }
                continue;
            }
            if (n == 0)
                complete = true;
            else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
                drop = true;
            break;
        }
        if (!complete && !drop && KsGetTicks() - c.startTicks > kConnectionTimeoutTicks) {
            Answer(c.fd, "ERR APP_REQUEST_TIMEOUT\n");
            drop = true;
        }
        if (complete) {
            // The connection leaves the list before the request runs: a
            // handler may poll again (a dialog's loop) or quit.
            Connection done = std::move(c);
            connections_.erase(connections_.begin() + long(i));
            Finish(done);
            close(done.fd);
            ++handled;
            continue;
        }
        if (drop) {
            close(c.fd);
            connections_.erase(connections_.begin() + long(i));
            continue;
        }
        ++i;
    }
    return handled;
}

// ---------------------------------------------------------------------------
// Quit signals

namespace {
volatile std::sig_atomic_t gQuitSignals = 0;
struct sigaction gOldTerm {
}, gOldInt{};
bool gSignalsInstalled = false;

void OnQuitSignal(int) {
    gQuitSignals = gQuitSignals + 1;
}
} // namespace

void KsAppInstallQuitSignals() {
    if (gSignalsInstalled) return;
    struct sigaction sa {};
    sa.sa_handler = OnQuitSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &sa, &gOldTerm);
    sigaction(SIGINT, &sa, &gOldInt);
    gSignalsInstalled = true;
}

void KsAppRemoveQuitSignals() {
    if (!gSignalsInstalled) return;
    sigaction(SIGTERM, &gOldTerm, nullptr);
    sigaction(SIGINT, &gOldInt, nullptr);
    gSignalsInstalled = false;
    gQuitSignals = 0;
}

bool KsAppTakeQuitSignal() {
    if (gQuitSignals == 0) return false;
    gQuitSignals = 0;
    return true;
}
