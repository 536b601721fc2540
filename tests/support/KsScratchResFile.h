// A resource file in a scratch folder, open for writing at the top of the
// chain while the object lives; and the bytes of a small 'MENU' resource.
#pragma once

#include "KsHandle.h"
#include "KsScratchDir.h"
#include "Resources.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

class ScratchResFile {
public:
    explicit ScratchResFile(const char* name = "test.rsrc") : path((dir_ / name).string()) {
        KsCreateResFile(path.c_str());
        ref = KsOpenResFile(path.c_str(), fsRdWrPerm);
        EXPECT_GT(ref, 0);
    }
    ~ScratchResFile() {
        if (ref > 0) CloseResFile(ref);
    }
    ScratchResFile(const ScratchResFile&) = delete;
    ScratchResFile& operator=(const ScratchResFile&) = delete;

    template <typename Bytes>
    void Add(ResType type, SInt16 id, const Bytes& bytes, const char* name = "") {
        Handle h = KsNewHandleFrom(bytes.data(), Size(bytes.size()));
        Str255 pname{};
        pname[0] = UInt8(std::strlen(name));
        std::memcpy(pname + 1, name, pname[0]);
        AddResource(h, type, id, pname);
        ASSERT_EQ(ResError(), noErr);
    }

private:
    ScratchDir dir_{"ksrsrc"};

public:
    const std::string path;
    SInt16 ref = -1;
};

// 'MENU' bytes: id, width, height, procID, filler, enable bits, title, items.
inline std::vector<UInt8> MenuData(SInt16 id, const char* title,
                                   const std::vector<std::string>& items) {
    std::vector<UInt8> d = {UInt8(id >> 8), UInt8(id), 0,    0,   0, 0, 0, 0, 0, 0,
                            0xFF,           0xFF,      0xFF, 0xFF};
    const std::string t(title);
    d.push_back(UInt8(t.size()));
    d.insert(d.end(), t.begin(), t.end());
    for (const std::string& i : items) {
        d.push_back(UInt8(i.size()));
        d.insert(d.end(), i.begin(), i.end());
        d.insert(d.end(), {0, 0, 0, 0});
    }
    d.push_back(0);
    return d;
}
