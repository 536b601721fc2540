// Stand-ins for the desktop's opener programs and the message box, so help
// and browser launches can be checked without a desktop.
#pragma once

#include "KsScopedEnv.h"
#include "KsScratchDir.h"
#include "KsUIHooks.h"

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <vector>

// PATH holds only a scratch folder with recorders: "xdg-open" writes each
// argument it gets on a line of its own to <dir>/opened.
class StubOpeners {
public:
    StubOpeners() {
        env_.Set("PATH", dir_.str());
        Script("xdg-open", "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" +
                               (dir_ / "opened.tmp").string() + "\"; /bin/mv \"" +
                               (dir_ / "opened.tmp").string() + "\" \"" +
                               (dir_ / "opened").string() + "\"");
    }
    // A program that prints `output`.
    void Printer(const char* name, const std::string& output) {
        Script(name, "printf '%s\\n' '" + output + "'");
    }
    // The arguments the opener got, waiting up to waitMs for it to run;
    // empty when it never ran.
    std::vector<std::string> Opened(int waitMs = 2000) const {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
        std::ifstream in;
        while (std::chrono::steady_clock::now() < until) {
            in.open(dir_ / "opened");
            if (in) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        std::vector<std::string> args;
        for (std::string line; std::getline(in, line);)
            args.push_back(line);
        return args;
    }

private:
    void Script(const char* name, const std::string& body) {
        const std::string path = (dir_ / name).string();
        std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
        chmod(path.c_str(), 0755);
    }
    ScratchDir dir_{"ksopeners"};
    ScopedEnv env_;
};

// Message boxes answer their default button and are recorded.
class StRecordedDialogs {
public:
    StRecordedDialogs() {
        Texts().clear();
        previous_ = InstallUIdialog(Record);
    }
    ~StRecordedDialogs() { InstallUIdialog(previous_); }
    static std::vector<std::string>& Texts() {
        static std::vector<std::string> texts;
        return texts;
    }

private:
    static short Record(const char* text, const char*, short def, UIicon_t, const char*, bool,
                        const char*) {
        Texts().emplace_back(text ? text : "");
        return def;
    }
    UIdialogProc previous_ = nullptr;
};
