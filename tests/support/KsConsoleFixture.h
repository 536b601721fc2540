// A console window on a headless desk, with the message-box hook answering
// from a script, for the console's tests.
#pragma once

#include "AScreenManOS.h"
#include "ConsoleIOPane.h"
#include "ConsoleWind.h"
#include "KsHeadlessDesk.h"
#include "KsUIHooks.h"
#include "Windows.h"

#include <gtest/gtest.h>

#include <cstdarg>
#include <functional>
#include <memory>
#include <string>

class ConsoleTest : public ::testing::Test {
protected:
    void SetUp() override {
        desk = std::make_unique<HeadlessDesk>();
        ownsScreens = AScreenManOS::Get() == nullptr;
        AScreenManOS::New();
        wasDialog = InstallUIdialog(Answer);
        current = this;
    }
    void TearDown() override {
        if (win && KsIsLiveWindow(win)) win->Dispose();
        InstallUIdialog(wasDialog);
        current = nullptr;
        if (ownsScreens) AScreenManOS::Dispose();
        desk.reset();
    }
    // A shown, active console window; the pane becomes the active console.
    ConsolePane* Open(bool withInput) {
        win = ConsoleWind::New(withInput);
        SizeWindow(win->GetWindowPtr(), 400, 300, false);
        win->Resize();
        ShowWindow(win->GetWindowPtr());
        SelectWindow(win->GetWindowPtr());
        ConsolePane::SetActiveConsole(win->GetConsolePane());
        return win->GetConsolePane();
    }
    ConsoleIOPane* OpenIO() { return static_cast<ConsoleIOPane*>(Open(true)); }
    static int Print(ConsolePane* c, const char* fmt, ...) __attribute__((format(printf, 2, 3))) {
        va_list args;
        va_start(args, fmt);
        const int n = c->Vprintf(fmt, args);
        va_end(args);
        return n;
    }
    // A Command-period waiting in the queue.
    static void PostCmdPeriod() {
        EventRecord e{keyDown, UInt32(0x2F) << 8 | '.', UInt32(KsGetTicks()), {0, 0}, cmdKey};
        KsPostEventRecord(e);
    }

    std::unique_ptr<HeadlessDesk> desk;
    ConsoleWind* win = nullptr;
    // What the message box answers, and what it does while it is up.
    short answer = 1;
    int questions = 0;
    std::function<void()> whileAsking;

private:
    static short Answer(const char*, const char*, short, UIicon_t, const char*, bool, const char*) {
        ++current->questions;
        if (current->whileAsking) current->whileAsking();
        return current->answer;
    }
    static inline ConsoleTest* current = nullptr;
    UIdialogProc wasDialog = nullptr;
    bool ownsScreens = false;
};
