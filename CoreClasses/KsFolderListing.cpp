#include "KsFolderListing.h"

#include "KsMacRoman.h"
#include "Stx.h"

#include <algorithm>
#include <cerrno>
#include <cinttypes>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace {
struct DirCloser {
    void operator()(DIR* d) const { closedir(d); }
};

unsigned char Lower(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c;
}

int CompareNoCase(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = Lower(static_cast<unsigned char>(a[i]));
        const unsigned char y = Lower(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::string ReadError(const std::string& folder, int err) {
    return stxFormat("The folder \"%s\" could not be read: %s.", KsShownFileName(folder).c_str(),
                     std::strerror(err));
}
} // namespace

std::string KsShownFileName(std::string_view raw, bool* replaced) {
    std::size_t marks = 0;
    std::string shown = KsUTF8ToMacRoman(raw, &marks);
    if (replaced) *replaced = marks != 0;
    return shown;
}

std::string KsDiskFileName(std::string_view shown) {
    return KsMacRomanToUTF8(shown);
}

std::string KsResolveFolder(const std::string& path) {
    char resolved[PATH_MAX];
    if (path.empty() || !realpath(path.c_str(), resolved)) return {};
    struct stat st {};
    if (stat(resolved, &st) != 0 || !S_ISDIR(st.st_mode)) return {};
    return resolved;
}

KsFolderListing KsReadFolder(const std::string& path, KsHiddenFiles hidden,
                             std::size_t maxEntries) {
    KsFolderListing out;
    maxEntries = std::min(maxEntries, KsFolderListing::kMaxEntries);
    errno = 0;
    out.folder = KsResolveFolder(path);
    if (out.folder.empty()) {
        out.error = errno ? errno : ENOTDIR;
        out.errorText = ReadError(path, out.error);
        return out;
    }
    std::unique_ptr<DIR, DirCloser> dir(opendir(out.folder.c_str()));
    if (!dir) {
        out.error = errno;
        out.errorText = ReadError(out.folder, out.error);
        return out;
    }
    const int fd = dirfd(dir.get());
    while (dirent* d = readdir(dir.get())) {
        const char* name = d->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
        const bool dot = name[0] == '.';
        if (dot && hidden == KsHiddenFiles::skip) continue;
        const std::size_t length = std::strlen(name);
        if (length > KsFolderListing::kMaxNameBytes) {
            ++out.skipped;
            continue;
        }
        if (out.entries.size() >= maxEntries) {
            out.cut = true;
            break;
        }
        KsFolderEntry e;
        e.raw.assign(name, length);
        e.shown = KsShownFileName(e.raw, &e.replaced);
        e.hidden = dot;
        // Links are followed for their kind and size; a dangling link or a
        // loop of links lists as a plain entry that cannot be entered.
        struct stat st {};
        if (fstatat(fd, name, &st, 0) != 0 && fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            st = {};
        e.isFolder = S_ISDIR(st.st_mode);
        e.size = e.isFolder ? 0 : std::uint64_t(st.st_size);
        e.modified = st.st_mtime;
        out.entries.push_back(std::move(e));
    }
    KsSortFolderEntries(out.entries);
    return out;
}

void KsSortFolderEntries(std::vector<KsFolderEntry>& entries) {
    std::sort(entries.begin(), entries.end(), [](const KsFolderEntry& a, const KsFolderEntry& b) {
        if (a.isFolder != b.isFolder) return a.isFolder;
        if (const int c = CompareNoCase(a.shown, b.shown)) return c < 0;
        return a.raw < b.raw;
    });
}

void KsFormatFileSize(std::uint64_t size, char* buf, std::size_t len) {
    if (!buf || len == 0) return;
    static const char* const kUnits[] = {"KB", "MB", "GB", "TB"};
    if (size < 1024) {
        std::snprintf(buf, len, "%" PRIu64 " B", size);
        return;
    }
    double v = double(size) / 1024.0;
    std::size_t unit = 0;
    while (v >= 1024.0 && unit + 1 < std::size(kUnits)) {
        v /= 1024.0;
        ++unit;
    }
    std::snprintf(buf, len, v < 10.0 ? "%.1f %s" : "%.0f %s", v, kUnits[unit]);
}

void KsFormatFileDate(std::time_t when, char* buf, std::size_t len) {
    if (!buf || len == 0) return;
    std::tm t{};
    if (!localtime_r(&when, &t) || std::strftime(buf, len, "%Y-%m-%d %H:%M", &t) == 0) buf[0] = 0;
}
