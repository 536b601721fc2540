#include "AFileLocator.h"

#include "KsFolders.h"
#include "XError.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const EMMessage kMessages[] = {
    {"FILE_BAD_NAME", "\"{name}\" cannot be used as a file name.", nullptr},
};

struct RegisterMessages {
    RegisterMessages() { EMRegisterMessages(kMessages, int(std::size(kMessages))); }
} gRegisterMessages;

// Removes empty and "." components and trailing slashes; ".." is kept, since
// resolving it lexically would be wrong across symbolic links.
std::string Normalise(std::string_view path) {
    std::string out;
    std::size_t i = 0;
    while (i < path.size()) {
        std::size_t slash = path.find('/', i);
        if (slash == std::string_view::npos) slash = path.size();
        std::string_view part = path.substr(i, slash - i);
        if (!part.empty() && part != ".") {
            out += '/';
            out += part;
        }
        i = slash + 1;
    }
    return out.empty() ? std::string("/") : out;
}

std::string CurrentFolder() {
    char buffer[4096];
    return getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string("/");
}
} // namespace

void KsCheckFileName(std::string_view name) {
    if (name.empty() || name == "." || name == ".." || name.size() > 255 ||
        name.find('/') != std::string_view::npos || name.find('\0') != std::string_view::npos)
        xraisexerror("FILE_BAD_NAME", "str name", std::string(name.substr(0, 255)));
}

// ---------------------------------------------------------------- ADirLocator

ADirLocator::ADirLocator(std::string_view path) {
    if (path.empty()) return;
    if (path.find('\0') != std::string_view::npos)
        xraisexerror("FILE_BAD_NAME", "str name", std::string(path.substr(0, path.find('\0'))));
    path_ = path[0] == '/' ? Normalise(path) : Normalise(CurrentFolder() + "/" + std::string(path));
}

ADirLocator ADirLocator::ApplicationFolder() {
    return ADirLocator(KsApplicationFolder());
}
ADirLocator ADirLocator::PreferencesFolder() {
    return ADirLocator(KsUserFolder(KsFolderKind::config));
}
ADirLocator ADirLocator::StateFolder() {
    return ADirLocator(KsUserFolder(KsFolderKind::state));
}
ADirLocator ADirLocator::DataFolder() {
    return ADirLocator(KsUserFolder(KsFolderKind::data));
}
ADirLocator ADirLocator::CacheFolder() {
    return ADirLocator(KsUserFolder(KsFolderKind::cache));
}

std::string ADirLocator::GetName() const {
    if (path_.size() <= 1) return {};
    return path_.substr(path_.find_last_of('/') + 1);
}

bool ADirLocator::Exists() const {
    struct stat info;
    return IsValid() && stat(path_.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

void ADirLocator::Create() const {
    if (int error = KsMakeFolders(path_, 0700))
        xraisexerror("FILE_FOLDER_FAILED", "str path", path_, "int errno", error);
}

ADirLocator ADirLocator::Parent() const {
    if (path_.size() <= 1) return *this;
    std::size_t slash = path_.find_last_of('/');
    return ADirLocator(slash == 0 ? std::string_view("/")
                                  : std::string_view(path_).substr(0, slash));
}

ADirLocator ADirLocator::Child(std::string_view name) const {
    KsCheckFileName(name);
    ADirLocator child;
    child.path_ = (path_ == "/" ? std::string() : path_) + "/" + std::string(name);
    return child;
}

AFileLocator ADirLocator::File(std::string_view name) const {
    return AFileLocator(*this, name);
}

// ---------------------------------------------------------------- AFileLocator

AFileLocator::AFileLocator(const ADirLocator& dir, std::string_view name) : dir_(dir) {
    SetName(name);
}

AFileLocator AFileLocator::FromPath(std::string_view path) {
    std::size_t slash = path.find_last_of('/');
    if (slash == std::string_view::npos) return AFileLocator(ADirLocator("."), path);
    return AFileLocator(ADirLocator(slash == 0 ? std::string_view("/") : path.substr(0, slash)),
                        path.substr(slash + 1));
}

void AFileLocator::SetName(std::string_view name) {
    KsCheckFileName(name);
    name_ = name;
}

std::string AFileLocator::GetPath() const {
    if (!IsValid()) return {};
    return (dir_.GetPath() == "/" ? std::string() : dir_.GetPath()) + "/" + name_;
}

bool AFileLocator::Exists() const {
    struct stat info;
    return IsValid() && stat(GetPath().c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}
