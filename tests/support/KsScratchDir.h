// A fresh temporary folder, removed with everything in it when the test ends.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

class ScratchDir {
public:
    explicit ScratchDir(const char* stem = "kstest") {
        std::string tmpl = (std::filesystem::temp_directory_path() / stem).string() + ".XXXXXX";
        if (mkdtemp(tmpl.data())) path_ = tmpl;
    }
    ~ScratchDir() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }
    bool ok() const { return !path_.empty(); }

private:
    std::filesystem::path path_;
};
