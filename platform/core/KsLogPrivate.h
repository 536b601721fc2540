// Helpers shared by the logs; not installed.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

enum class KsLineBreaks { keep, join };

// Log text in UTF-8: valid UTF-8 stays, anything else is read as Mac OS
// Roman. Control characters other than tab become '?'. With `join`, each CR,
// LF or CR LF becomes " | " and trailing line breaks are dropped; with `keep`,
// CR and CR LF become LF.
std::string KsLogText(std::string_view text, KsLineBreaks breaks);

// True when `text` is well-formed UTF-8 (no overlongs, surrogates or values
// past U+10FFFF).
bool KsIsValidUTF8(std::string_view text);

// An append-only file with a size cap. Not locked: its owner serialises use.
class KsCappedFile {
public:
    KsCappedFile(std::string path, long cap, bool sharedWithOthers);
    ~KsCappedFile();
    KsCappedFile(const KsCappedFile&) = delete;
    KsCappedFile& operator=(const KsCappedFile&) = delete;

    // 0 or the errno of the failure.
    int Open();
    // Appends in one write. When the text would take the file past the cap,
    // the file rotates to "<path>.1" first; text longer than the cap keeps
    // only its last `cap` bytes. Answers false when the write failed.
    bool Append(const char* data, std::size_t length);
    void Close();

    const std::string& Path() const { return path_; }
    long Cap() const { return cap_; }
    void SetCap(long cap) { cap_ = cap; }

private:
    void Rotate();
    bool CheckStillOurs();

    std::string path_;
    long cap_;
    // Another process may append to or rotate the same file: the size is then
    // read from the file before each write rather than counted.
    bool shared_;
    int fd_ = -1;
    long size_ = 0;
};
