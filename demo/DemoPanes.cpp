#include "DemoPanes.h"

#include "APane.h"
#include "PaneStream.h"
#include "XError.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include <unistd.h>

bool LoadPaneFile(const char* file, std::string& text) {
    text.clear();
    std::vector<std::string> candidates;
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n > 0) {
        std::string dir(self, std::size_t(n));
        dir.erase(dir.find_last_of('/') + 1);
        candidates.push_back(dir + "panes/" + file);
    }
    candidates.push_back(std::string(KS_DEMO_PANES_DIR) + "/" + file);
    for (const std::string& path : candidates) {
        std::ifstream in(path, std::ios::binary);
        if (!in) continue;
        std::ostringstream read;
        read << in.rdbuf();
        text = read.str();
        try {
            ReadPaneText(text.data(), long(text.size()), nullptr, nullptr)->Dispose();
        } catch (const XError& e) {
            const XErrorParam* line = e.FindParam("line");
            std::fprintf(stderr, "ksdemo: %s:%s %s\n", path.c_str(),
                         line ? line->value.c_str() : "", e.GetText().c_str());
            text.clear();
            return false;
        }
        return true;
    }
    std::fprintf(stderr, "ksdemo: %s not found beside the program or in %s\n", file,
                 KS_DEMO_PANES_DIR);
    return false;
}
