// File access of the resource manager and the resource compiler: whole-file
// reads and atomic whole-file writes.
#include "ResourcesPrivate.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

KsResWriteFault gFault;

int CloseKeepingErrno(int fd) {
    int saved = errno;
    close(fd);
    return saved;
}

// Writes everything, honouring the simulated byte budget.
int WriteAll(int fd, const UInt8* bytes, std::size_t size, long& budget) {
    while (size > 0) {
        std::size_t chunk = size < (1u << 16) ? size : (1u << 16);
        if (budget >= 0) {
            if (budget == 0) return ENOSPC;
            if (long(chunk) > budget) chunk = std::size_t(budget);
        }
        ssize_t n = write(fd, bytes, chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (budget >= 0) budget -= long(n);
        bytes += n;
        size -= std::size_t(n);
    }
    return 0;
}

} // namespace

void KsResSetWriteFault(const KsResWriteFault& fault) {
    gFault = fault;
}

int KsResReadFile(const char* path, std::vector<UInt8>* bytes) {
    int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno;
    struct stat st;
    if (fstat(fd, &st) != 0) return CloseKeepingErrno(fd);
    if (!S_ISREG(st.st_mode)) {
        close(fd);
        return EISDIR;
    }
    // Offsets in the layout are 32-bit: nothing larger can be a resource file.
    if (std::uint64_t(st.st_size) > 0xFFFFFFFFull) {
        close(fd);
        return EFBIG;
    }
    bytes->resize(std::size_t(st.st_size));
    std::size_t done = 0;
    while (done < bytes->size()) {
        ssize_t n = read(fd, bytes->data() + done, bytes->size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return CloseKeepingErrno(fd);
        }
        if (n == 0) break; // the file shrank under us: take what is there
        done += std::size_t(n);
    }
    bytes->resize(done);
    close(fd);
    return 0;
}

int KsResWriteFileAtomically(const char* path, const UInt8* bytes, std::size_t size) {
    std::string target(path);
    std::string::size_type slash = target.rfind('/');
    std::string dir = slash == std::string::npos ? "." : target.substr(0, slash + 1);
    std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string temp = dir + (slash == std::string::npos ? "/." : ".") + base + ".XXXXXX";

    // The new file keeps the old one's permissions; a new file gets the usual ones.
    mode_t mode = 0644;
    struct stat st;
    if (stat(path, &st) == 0) mode = st.st_mode & 07777;

    int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return errno;
    long budget = gFault.byteBudget;
    int err = WriteAll(fd, bytes, size, budget);
    if (!err && fchmod(fd, mode) != 0) err = errno;
    if (!err) {
        if (gFault.failAt == KsResWriteFault::kSync)
            err = EIO;
        else if (fsync(fd) != 0)
            err = errno;
    }
    if (close(fd) != 0 && !err) err = errno;
    if (!err) {
        if (gFault.failAt == KsResWriteFault::kRename)
            err = EIO;
        else if (rename(temp.c_str(), path) != 0)
            err = errno;
    }
    if (err) {
        unlink(temp.c_str());
        return err;
    }
    // The rename itself must reach the disk before the write counts as done.
    int dfd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        fsync(dfd);
        close(dfd);
    }
    return 0;
}
