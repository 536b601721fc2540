// The request socket's server and the quit signals, for AApplication only.
#pragma once

#include "KsAppRequests.h"

#include <sys/types.h>

#include <memory>
#include <string>
#include <vector>

class KsAppRequestServer {
public:
    KsAppRequestServer() = default;
    ~KsAppRequestServer();
    KsAppRequestServer(const KsAppRequestServer&) = delete;
    KsAppRequestServer& operator=(const KsAppRequestServer&) = delete;

    enum class OpenResult { listening, otherInstance, failed };
    // Listens at path. A socket file nobody answers at is stale and replaced;
    // one that answers belongs to a running instance and is left alone.
    OpenResult Open(const std::string& path);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }
    // The listening socket, for the event loop's wait to watch; -1 when closed.
    int Fd() const { return fd_; }
    // A connection has been accepted and its request is not complete yet.
    bool HasPartialRequests() const { return !connections_.empty(); }
    const std::string& Path() const { return path_; }

    // Accepts and reads what is pending without blocking; each complete
    // request is parsed and handed to KsAEDispatch, and its answer written.
    // Answers the number of requests handled.
    int Poll();
    // Poll, but only when either clock moved since the last poll made here:
    // the event loop asks on every event, and a socket call per event would
    // cost more than the event. `ticks` follows the tick clock (virtual in
    // tests), `coarseMs` a real clock, so requests are still taken while a
    // virtual clock stands still. Answers the number of requests handled.
    int PollIfDue(long ticks, long coarseMs);

    // Peers must run as this user; tests set another to see the refusal.
    static void SetAllowedUid(uid_t uid);
    static void ResetAllowedUid();

private:
    struct Connection {
        int fd = -1;
        std::string buffer;
        long startTicks = 0;
    };
    void Finish(Connection& c);
    int fd_ = -1;
    bool polledOnce_ = false;
    long lastTicks_ = 0, lastCoarseMs_ = 0;
    std::string path_;
    std::vector<Connection> connections_;
};

// A real clock in milliseconds that costs no system call (its step is the
// kernel's timer tick, a few milliseconds): the event loop's poll stamp.
long KsAppCoarseMilliseconds();

// SIGTERM and SIGINT: the handlers only set a flag; the loop asks to quit.
void KsAppInstallQuitSignals();
void KsAppRemoveQuitSignals();
// True once per signal received since the last call.
bool KsAppTakeQuitSignal();
