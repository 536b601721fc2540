// Locations of folders and files.
//
// An ADirLocator names a folder by its absolute path; an AFileLocator names a
// file as a folder plus a name. Paths are native (UTF-8). Locators are plain
// values: they do not keep anything open and need not exist on disk.
//
// Names come from users and from the outside: a name that is empty, ".", "..",
// holds "/" or a NUL, or is longer than 255 bytes raises XError
// "FILE_BAD_NAME" with "str name".
#pragma once

#include <string>
#include <string_view>

class AFileLocator;

class ADirLocator {
public:
    ADirLocator() = default; // names no folder (IsValid false)
    // An absolute path; a relative one is taken from the current folder.
    explicit ADirLocator(std::string_view path);

    // The folder holding the running program.
    static ADirLocator ApplicationFolder();
    // The application's own folders, created on demand (see KsFolders.h).
    static ADirLocator PreferencesFolder();
    static ADirLocator StateFolder();
    static ADirLocator DataFolder();
    static ADirLocator CacheFolder();

    bool IsValid() const { return !path_.empty(); }
    const std::string& GetPath() const { return path_; }
    // The folder's own name ("" for the root or an invalid locator).
    std::string GetName() const;
    bool Exists() const;
    // Creates the folder and its missing parents (mode 0700); raises
    // "FILE_FOLDER_FAILED" on failure.
    void Create() const;

    ADirLocator Parent() const;
    ADirLocator Child(std::string_view name) const;
    AFileLocator File(std::string_view name) const;

    bool operator==(const ADirLocator& other) const { return path_ == other.path_; }

private:
    std::string path_;
};

class AFileLocator {
public:
    AFileLocator() = default; // no folder, no name
    AFileLocator(const ADirLocator& dir, std::string_view name);
    // From a full path: its folder and its last component.
    static AFileLocator FromPath(std::string_view path);

    bool IsValid() const { return dir_.IsValid() && !name_.empty(); }
    const ADirLocator& GetDir() const { return dir_; }
    void SetDir(const ADirLocator& dir) { dir_ = dir; }
    const std::string& GetName() const { return name_; }
    void SetName(std::string_view name);
    // Folder path + "/" + name; "" unless valid.
    std::string GetPath() const;
    bool Exists() const;

    bool operator==(const AFileLocator& other) const {
        return dir_ == other.dir_ && name_ == other.name_;
    }

private:
    ADirLocator dir_;
    std::string name_;
};

// Raises "FILE_BAD_NAME" unless `name` can name one entry of a folder.
void KsCheckFileName(std::string_view name);
