// Scripted message dialogs, captured debug output and a private state folder
// for the failure-reporting tests.
#pragma once

#include "KsFailureReport.h"
#include "KsFatal.h"
#include "KsLog.h"
#include "KsMemWatch.h"
#include "KsMemWatchPrivate.h"
#include "KsOutput.h"
#include "KsScopedEnv.h"
#include "KsScratchDir.h"
#include "KsTime.h"
#include "KsUIHooks.h"
#include "Sound.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

struct FailureDialogCall {
    std::string text, buttons, tag, source;
    short defaultButton = 0;
    short icon = -1;
    size_t debugSizeBefore = 0; // how much debug output existed when it appeared
};

struct FailureScript {
    std::deque<short> answers;            // answered in order; 1 when empty
    std::function<void(int call)> during; // runs inside each dialog
    std::vector<FailureDialogCall> calls;
    std::string debug;
    int exitStatus = -1;
    std::vector<std::string> restartArgs;
    int restarts = 0;
    std::vector<std::string> helpShown;
    int redraws = 0;
};

inline FailureScript& Script() {
    static FailureScript script;
    return script;
}

inline short ScriptedDialog(const char* text, const char* buttons, short defaultButton,
                            UIicon_t icon, const char* tag, bool, const char* source) {
    FailureScript& s = Script();
    s.calls.push_back({text ? text : "", buttons ? buttons : "", tag ? tag : "<null>",
                       source ? source : "<null>", defaultButton, icon, s.debug.size()});
    if (s.during) s.during(int(s.calls.size()));
    if (s.answers.empty()) return 1;
    short a = s.answers.front();
    s.answers.pop_front();
    return a;
}

class FailureTest : public ::testing::Test {
protected:
    void SetUp() override {
        Script() = FailureScript{};
        stateDir_ = std::make_unique<ScratchDir>("ks_failure");
        env_.Set("XDG_STATE_HOME", stateDir_->str());
        env_.Unset("KS_FATAL_RESTART_TIME"); // a scripted restart never leaves the process
        LogFile::Close();
        previousDialog_ = InstallUIdialog(ScriptedDialog);
        previousSink_ =
            KsSetCaptureSink({[](KsOutputChannel channel, const char* text, size_t length, void*) {
                                  if (channel == KsOutputChannel::debug)
                                      Script().debug.append(text, length);
                              },
                              nullptr});
        previousStderr_ = KsSetStderrOutput(false);
        previousExit_ = FtlSetExitProc([](int status) { Script().exitStatus = status; });
        KsFailureHost host;
        host.restart = [](char* const* argv, void*) {
            ++Script().restarts;
            for (; argv && *argv; ++argv)
                Script().restartArgs.push_back(*argv);
        };
        host.showHelp = [](const char* code, short, void*) { Script().helpShown.push_back(code); };
        host.updateAllWindows = [](void*) { ++Script().redraws; };
        previousHost_ = KsSetFailureHost(host);
        KsMemSimulate(100000, 1000000);
        KsMemInit();
        KsResetMemoryWatch();
        KsUseVirtualClock(true);
    }
    void TearDown() override {
        KsUseVirtualClock(false);
        KsMemCleanup();
        KsMemSimulate(-1, -1);
        KsSetFailureHost(previousHost_);
        FtlSetExitProc(previousExit_);
        FtlInstall(nullptr);
        FtlClearFatalError();
        KsSetStderrOutput(previousStderr_);
        KsSetCaptureSink(previousSink_);
        InstallUIdialog(previousDialog_);
        LogFile::Close();
    }

    static FailureScript& S() { return Script(); }

    std::unique_ptr<ScratchDir> stateDir_;
    ScopedEnv env_;
    UIdialogProc previousDialog_ = nullptr;
    KsOutputSinkSlot previousSink_;
    bool previousStderr_ = true;
    FtlExitProc previousExit_ = nullptr;
    KsFailureHost previousHost_;
};
