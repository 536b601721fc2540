// Shared helpers of the pane text, registry and dump tests.
#pragma once

#include "APane.h"
#include "KsFileText.h"
#include "XError.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace panetext_test {

inline std::string Golden(const char* name) {
    return ReadFileText(std::string(KS_TEST_DATA_DIR) + "/ksp3/" + name);
}

// CR line ends replaced by `end`.
inline std::string WithLineEnds(const std::string& text, const std::string& end) {
    std::string out;
    for (char c : text) {
        if (c == '\r')
            out += end;
        else
            out += c;
    }
    return out;
}

// Disposes a tree at the end of a test.
struct PaneTree {
    APane* root = nullptr;
    explicit PaneTree(APane* p) : root(p) {}
    ~PaneTree() {
        if (root) root->Dispose();
    }
    PaneTree(const PaneTree&) = delete;
    PaneTree& operator=(const PaneTree&) = delete;
};

// The XError of running f; fails the test when none is raised.
template <class F> XError ErrorOf(F&& f) {
    try {
        f();
    } catch (const XError& e) {
        return e;
    }
    ADD_FAILURE() << "no XError raised";
    return XError();
}

inline long ParamInt(const XError& e, const char* name) {
    const XErrorParam* p = e.FindParam(name);
    return p ? long(p->intValue) : -1;
}
inline std::string ParamText(const XError& e, const char* name) {
    const XErrorParam* p = e.FindParam(name);
    return p ? p->value : std::string();
}

} // namespace panetext_test
