#include "KsAppInfo.h"

#include "KsCoreVersion.h"

#include <cstring>
#include <ctime>
#include <deque>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::mutex gLock;
// Names handed out by KSGetApplName stay valid for the process: each distinct
// name is kept, never freed (a handful at most). A deque never moves its
// elements; the pointer keeps it alive past static destruction.
std::deque<std::string>* gNames = new std::deque<std::string>;
const std::string* gName = nullptr;

const std::string* Keep(std::string name) {
    for (const std::string& kept : *gNames)
        if (kept == name) return &kept;
    gNames->push_back(std::move(name));
    return &gNames->back();
}
std::string gVersion;

std::string ProgramName() {
    char path[4096];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length > 0) {
        std::string exe(path, std::size_t(length));
        // A replaced executable reads "<path> (deleted)".
        const char deleted[] = " (deleted)";
        if (exe.size() > sizeof deleted - 1 &&
            exe.compare(exe.size() - (sizeof deleted - 1), sizeof deleted - 1, deleted) == 0)
            exe.resize(exe.size() - (sizeof deleted - 1));
        std::string base = exe.substr(exe.find_last_of('/') + 1);
        if (!base.empty()) return base;
    }
    return "KsApplication";
}

int CopyOut(const std::string& text, char* buffer, int size) {
    if (!buffer || size <= 0) return 0;
    std::size_t n = std::min(text.size(), std::size_t(size - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = 0;
    return int(n);
}
} // namespace

const char* KSGetApplName() {
    std::lock_guard<std::mutex> hold(gLock);
    if (!gName) gName = Keep(ProgramName());
    return gName->c_str();
}

int KSGetApplName(char* buffer, int size) {
    return CopyOut(KSGetApplName(), buffer, size);
}

bool KsSetApplName(const char* name) {
    std::string wanted = (name && *name) ? std::string(name) : ProgramName();
    if (wanted.size() > 127 || wanted == "." || wanted == "..") return false;
    for (unsigned char c : wanted)
        if (c == '/' || c < 0x20 || c == 0x7F) return false;
    std::lock_guard<std::mutex> hold(gLock);
    if (gName && *gName == wanted) return true;
    gName = Keep(std::move(wanted));
    return true;
}

void KsSetApplVersion(const char* version) {
    std::lock_guard<std::mutex> hold(gLock);
    gVersion = version ? version : "";
}

std::string GetVersionInfo() {
    std::string version;
    {
        std::lock_guard<std::mutex> hold(gLock);
        version = gVersion;
    }
    if (version.empty()) version = KsCoreVersion();
    std::string text = std::string(KSGetApplName()) + " version " + version;
    struct stat info;
    struct tm date;
    char day[16];
    if (stat("/proc/self/exe", &info) == 0 && localtime_r(&info.st_mtime, &date) &&
        std::strftime(day, sizeof day, "%Y-%m-%d", &date) > 0)
        text += std::string(" (built ") + day + ")";
    return text;
}

int GetVersionInfo(char* buffer, int size) {
    return CopyOut(GetVersionInfo(), buffer, size);
}
