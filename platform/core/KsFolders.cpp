#include "KsFolders.h"

#include "KsAppInfo.h"
#include "XError.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const EMMessage kMessages[] = {
    {"FILE_FOLDER_FAILED", "The folder \"{path}\" could not be found or created (error {errno}).",
     nullptr},
};

struct RegisterMessages {
    RegisterMessages() { EMRegisterMessages(kMessages, int(std::size(kMessages))); }
} gRegisterMessages;

// Relative values are invalid under the XDG rules and are ignored.
std::string AbsoluteEnv(const char* name) {
    const char* value = std::getenv(name);
    if (!value || value[0] != '/') return {};
    return value;
}

std::string HomeFolder() {
    std::string home = AbsoluteEnv("HOME");
    if (!home.empty()) return home;
    struct passwd entry;
    struct passwd* found = nullptr;
    char buffer[4096];
    if (getpwuid_r(getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found &&
        found->pw_dir && found->pw_dir[0] == '/')
        return found->pw_dir;
    return {};
}

std::string StripTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

[[noreturn]] void RaiseFolderFailed(const std::string& path, int error) {
    xraisexerror("FILE_FOLDER_FAILED", "str path", path, "int errno", error);
}
} // namespace

int KsMakeFolders(const std::string& path, unsigned mode) {
    if (path.empty()) return ENOENT;
    struct stat info;
    if (stat(path.c_str(), &info) == 0) return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
    std::size_t slash = path.find_last_of('/');
    if (slash != std::string::npos && slash > 0) {
        int error = KsMakeFolders(path.substr(0, slash), mode);
        if (error) return error;
    }
    if (mkdir(path.c_str(), mode_t(mode)) == 0) return 0;
    // Another process may have made it in the meantime.
    if (errno == EEXIST && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return 0;
    return errno;
}

std::string KsUserBaseFolder(KsFolderKind kind) {
    const char* variable = nullptr;
    const char* fallback = nullptr;
    switch (kind) {
    case KsFolderKind::config:
        variable = "XDG_CONFIG_HOME", fallback = "/.config";
        break;
    case KsFolderKind::state:
        variable = "XDG_STATE_HOME", fallback = "/.local/state";
        break;
    case KsFolderKind::data:
        variable = "XDG_DATA_HOME", fallback = "/.local/share";
        break;
    case KsFolderKind::cache:
        variable = "XDG_CACHE_HOME", fallback = "/.cache";
        break;
    case KsFolderKind::runtime:
        variable = "XDG_RUNTIME_DIR";
        break;
    }
    std::string base = AbsoluteEnv(variable);
    if (!base.empty()) return StripTrailingSlashes(base);
    if (!fallback) return {};
    std::string home = HomeFolder();
    if (home.empty()) return {};
    return StripTrailingSlashes(home) + fallback;
}

std::string KsUserFolder(KsFolderKind kind) {
    std::string base = KsUserBaseFolder(kind);
    std::string folder;
    if (base.empty() && kind == KsFolderKind::runtime) {
        folder = KsUserFolder(KsFolderKind::cache) + "/runtime";
    } else {
        if (base.empty()) RaiseFolderFailed("~", ENOENT);
        folder = (base == "/" ? std::string() : base) + "/" + KSGetApplName();
    }
    if (int error = KsMakeFolders(folder, 0700)) RaiseFolderFailed(folder, error);
    return folder;
}

std::string KsApplicationFolder() {
    char path[4096];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return {};
    std::string exe(path, std::size_t(length));
    std::size_t slash = exe.find_last_of('/');
    if (slash == std::string::npos) return {};
    return slash == 0 ? std::string("/") : exe.substr(0, slash);
}
