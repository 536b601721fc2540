// Reading a folder for the file dialogs: its entries with kind, size and
// date, the names converted for display, sorted folders first.
//
// Reading is bounded: at most kMaxEntries entries are kept (the listing says
// it was cut), names longer than kMaxNameBytes are skipped, and a folder is
// always entered by its resolved path, so a symbolic link that points back
// up never makes a path grow without end. Failures are reported in the
// listing (errno and a message for the user), never raised.
//
// Names are raw bytes on disk (normally UTF-8, but any bytes but '/' and
// NUL are possible). `shown` is the name in the framework's character set;
// a name that is not UTF-8 or has characters that set lacks shows
// replacement marks, and `raw` is what opens the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

struct KsFolderEntry {
    std::string raw;
    std::string shown;
    bool isFolder = false;
    bool hidden = false;   // the name starts with '.'
    bool replaced = false; // shown carries replacement marks
    std::uint64_t size = 0;
    std::time_t modified = 0;
};

struct KsFolderListing {
    static constexpr std::size_t kMaxEntries = 32000;
    static constexpr std::size_t kMaxNameBytes = 255;

    std::string folder; // the resolved path that was read
    std::vector<KsFolderEntry> entries;
    bool cut = false;        // more than kMaxEntries entries were there
    std::size_t skipped = 0; // names too long to keep
    int error = 0;           // errno of a folder that could not be read
    std::string errorText;   // for the user, in the framework's character set
};

enum class KsHiddenFiles { skip, show };

// Reads the folder at path (resolved first). maxEntries lowers the cap.
KsFolderListing KsReadFolder(const std::string& path, KsHiddenFiles hidden,
                             std::size_t maxEntries = KsFolderListing::kMaxEntries);

// Folders first, then by shown name ignoring case, then by raw bytes.
void KsSortFolderEntries(std::vector<KsFolderEntry>& entries);

// The resolved absolute path of a folder; "" when path is not a folder.
std::string KsResolveFolder(const std::string& path);

// A name on disk in the framework's character set; replaced (optional) tells
// whether marks stand for bytes that could not be shown.
std::string KsShownFileName(std::string_view raw, bool* replaced = nullptr);
// A name typed in the framework's character set as it goes to disk.
std::string KsDiskFileName(std::string_view shown);

// Short forms for the list's columns: "12 KB", "2026-12-07 05:21".
void KsFormatFileSize(std::uint64_t size, char* buf, std::size_t len);
void KsFormatFileDate(std::time_t when, char* buf, std::size_t len);
