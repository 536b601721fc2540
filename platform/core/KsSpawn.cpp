#include "KsSpawn.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

bool IsExecutableFile(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

// Everything the child needs is built before fork: between fork and exec a
// multi-threaded process may only make async-signal-safe calls.
struct Argv {
    std::string path;
    std::vector<std::string> args;
    std::vector<char*> ptrs;
    explicit Argv(const std::vector<std::string>& argv) : args(argv) {
        if (!args.empty()) path = KsFindProgram(args[0]);
        for (std::string& a : args)
            ptrs.push_back(a.data());
        ptrs.push_back(nullptr);
    }
    bool Ok() const { return !path.empty(); }
};

void WaitFor(pid_t pid, int* status) {
    while (waitpid(pid, status, 0) < 0 && errno == EINTR) {
    }
}

} // namespace

std::string KsFindProgram(const std::string& name) {
    if (name.empty()) return "";
    if (name.find('/') != std::string::npos) return IsExecutableFile(name) ? name : "";
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        std::string dir = dirs.substr(start, end - start);
        if (dir.empty()) dir = ".";
        const std::string candidate = dir + "/" + name;
        if (IsExecutableFile(candidate)) return candidate;
        start = end + 1;
    }
    return "";
}

bool KsSpawnDetached(const std::vector<std::string>& argv) {
    Argv a(argv);
    if (!a.Ok()) return false;
    int ready[2];
    if (pipe2(ready, O_CLOEXEC) != 0) return false;
    const pid_t child = fork();
    if (child < 0) {
        close(ready[0]);
        close(ready[1]);
        return false;
    }
    if (child == 0) {
        // The intermediate child starts the program and leaves at once, so the
        // program is adopted by init and never waited for here.
        setsid();
        const pid_t grandchild = fork();
        if (grandchild == 0) {
            execv(a.path.c_str(), a.ptrs.data());
            const char failed = 1;
            [[maybe_unused]] ssize_t n = write(ready[1], &failed, 1);
            _exit(127);
        }
        _exit(grandchild < 0 ? 1 : 0);
    }
    close(ready[1]);
    int status = 0;
    WaitFor(child, &status);
    // The write end closes on a successful exec: a byte means exec failed.
    char failed = 0;
    ssize_t n;
    do {
        n = read(ready[0], &failed, 1);
    } while (n < 0 && errno == EINTR);
    close(ready[0]);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 && n == 0;
}

bool KsRunForOutput(const std::vector<std::string>& argv, std::string* out, int timeoutMs,
                    std::size_t maxBytes) {
    if (out) out->clear();
    Argv a(argv);
    if (!a.Ok()) return false;
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return false;
    const int devNull = open("/dev/null", O_RDONLY | O_CLOEXEC);
    const pid_t child = fork();
    if (child < 0) {
        close(fds[0]);
        close(fds[1]);
        if (devNull >= 0) close(devNull);
        return false;
    }
    if (child == 0) {
        dup2(fds[1], STDOUT_FILENO);
        if (devNull >= 0) dup2(devNull, STDIN_FILENO);
        execv(a.path.c_str(), a.ptrs.data());
        _exit(127);
    }
    close(fds[1]);
    if (devNull >= 0) close(devNull);
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    bool timedOut = false;
    char buf[512];
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            timedOut = true;
            break;
        }
        pollfd p{fds[0], POLLIN, 0};
        const int r = poll(&p, 1, int(left));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) {
            timedOut = r == 0;
            break;
        }
        const ssize_t n = read(fds[0], buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        if (out && out->size() < maxBytes)
            out->append(buf, std::min(std::size_t(n), maxBytes - out->size()));
    }
    close(fds[0]);
    if (timedOut) kill(child, SIGKILL);
    int status = 0;
    WaitFor(child, &status);
    return !timedOut && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
