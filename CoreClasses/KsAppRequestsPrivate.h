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
    const std::string& Path() const { return path_; }

    // Accepts and reads what is pending without blocking; each complete
    // request is parsed and handed to KsAEDispatch, and its answer written.
    // Answers the number of requests handled.
    int Poll();

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
    std::string path_;
    std::vector<Connection> connections_;
};

// SIGTERM and SIGINT: the handlers only set a flag; the loop asks to quit.
void KsAppInstallQuitSignals();
void KsAppRemoveQuitSignals();
// True once per signal received since the last call.
bool KsAppTakeQuitSignal();
