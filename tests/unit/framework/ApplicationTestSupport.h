// A headless desktop with the virtual clock, a started application and
// windows that record the messages they receive.
#pragma once

#include "AApplication.h"
#include "AApplicationPrivate.h"
#include "ABartender.h"
#include "AWindow.h"
#include "KsHeadlessDesk.h"
#include "KsScratchDir.h"
#include "Menus.h"
#include "Sound.h"
#include "XError.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

struct AppMsg {
    std::string window;
    windowMsgID_t msg;
    long a, b;
};

// Every message a test window receives, in order.
inline std::vector<AppMsg>& AppLog() {
    static std::vector<AppMsg> log;
    return log;
}

// Records each message; answers what `answer` says (false by default) and
// runs `onMsg` first when set.
class RecWindow : public AWindow {
public:
    std::string name;
    std::function<bool(windowMsgID_t, long, long)> answer;
    std::function<void(windowMsgID_t, EventRecord*, long, long)> onMsg;
    bool dirty = false;
    bool modal = false;
    int saves = 0;

    bool DoWindowMsg(windowMsgID_t msg, void*, EventRecord* ev, long a, long b) override {
        AppLog().push_back({name, msg, a, b});
        if (msg == wmUpdate && windowPort) { // drawn: nothing to draw
            BeginUpdate(windowPort);
            EndUpdate(windowPort);
        }
        if (onMsg) onMsg(msg, ev, a, b);
        return answer ? answer(msg, a, b) : false;
    }
    bool GetIsDirtyDoc() const override { return dirty; }
    bool GetIsModal() const override { return modal; }
    bool SaveWindow(bool, const ADirLocator*) override {
        ++saves;
        return true;
    }
};

class TestApp : public AApplication {
public:
    std::vector<std::string> opened;
    int newCmds = 0;
    int openCmds = 0;
    int shown = 0;
    std::vector<std::string> shownCodes;
    void OpenFile(AFileLocator* f) override {
        if (f->GetName() == "bad") xraisexerror("TEST_OPEN_FAILED");
        opened.push_back(f->GetPath());
    }
    void NewCmd(const ADirLocator*, char* const) override { ++newCmds; }
    // The framework's own would show the file dialog and wait for input.
    void OpenCmd(const ADirLocator*) override { ++openCmds; }
    bool DisplayException(const char* code, bool) override {
        ++shown;
        shownCodes.emplace_back(code ? code : "");
        return false;
    }
};

class AppTest : public ::testing::Test {
protected:
    void SetUp() override {
        runtimeDir = std::make_unique<ScratchDir>("ksapptest");
        setenv("XDG_RUNTIME_DIR", runtimeDir->str().c_str(), 1);
        KsAppSetExitProc([](int) {});
        KsAppResetExitCleanupForTests();
        KsAppResetUserEventCheck();
        QuitCompleted = 0;
        DoDeferredQuit = 0;
        // The wait for an event is what moves the virtual clock on: a test that
        // turned it off must not leave later modal loops waiting for ever.
        gl_sleepTime = 1;
        AppLog().clear();
        app = new TestApp;
        app->SetShortAppName("apptest");
        app->IApplication();
        FlushEvents(everyEvent, 0);
    }
    void TearDown() override {
        for (RecWindow* w : windows)
            if (KsIsLiveWindow(w)) w->Dispose();
        windows.clear();
        for (AWindow* w : plainWindows)
            if (KsIsLiveWindow(w)) w->Dispose();
        plainWindows.clear();
        delete app;
        app = nullptr;
        if (gBartender) gBartender->Dispose();
        ClearMenuBar();
        runtimeDir.reset();
        QuitCompleted = 0;
        DoDeferredQuit = 0;
    }

    // A shown, selected window whose content's top-left is at (h, v).
    RecWindow* Win(const char* name, SInt16 h = 40, SInt16 v = 60, bool closeBox = true) {
        auto* w = new RecWindow;
        w->name = name;
        w->IWindow(name, nullptr, WindowPtr(-1), closeBox, 0, 1, 0, 0, 0);
        MoveWindow(w->GetWindowPtr(), h, v, false);
        SizeWindow(w->GetWindowPtr(), 200, 150, false);
        ShowWindow(w->GetWindowPtr());
        SelectWindow(w->GetWindowPtr());
        windows.push_back(w);
        return w;
    }
    // A shown, selected plain AWindow (its handlers are the framework's own),
    // disposed of by TearDown.
    AWindow* PlainWin(const char* name, SInt16 h, SInt16 v, SInt16 width, SInt16 height) {
        auto* w = new AWindow;
        w->IWindow(name, nullptr, WindowPtr(-1), 1, 0, 1, 0, 0, 0);
        MoveWindow(w->GetWindowPtr(), h, v, false);
        SizeWindow(w->GetWindowPtr(), width, height, false);
        ShowWindow(w->GetWindowPtr());
        SelectWindow(w->GetWindowPtr());
        SetPortWindowPort(w->GetWindowPtr());
        plainWindows.push_back(w);
        return w;
    }
    // Drains pending activate and update events through the application.
    void Settle() {
        for (int i = 0; i < 20; ++i) {
            EventRecord e;
            if (!GetNextEvent(everyEvent, &e)) break;
            app->HandleEvent(&e);
        }
        AppLog().clear();
    }
    std::vector<std::string> Names(windowMsgID_t msg) const {
        std::vector<std::string> out;
        for (const AppMsg& m : AppLog())
            if (m.msg == msg) out.push_back(m.window);
        return out;
    }
    static EventRecord Ev(EventKind what, UInt32 message = 0, SInt16 h = 0, SInt16 v = 0,
                          UInt16 mods = 0) {
        EventRecord e{};
        e.what = what;
        e.message = message;
        e.when = UInt32(KsGetTicks());
        e.where = Point{v, h};
        e.modifiers = mods;
        return e;
    }

    TestApp* app = nullptr;
    std::vector<RecWindow*> windows;
    std::vector<AWindow*> plainWindows;
    HeadlessDesk desk{800, 600};
    KsHeadlessBackend* backend = desk.backend;
    std::unique_ptr<ScratchDir> runtimeDir;
};
