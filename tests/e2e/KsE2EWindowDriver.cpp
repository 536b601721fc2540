// The end-to-end application for framework windows: two AWindows on the sdl
// back end, every window event turned into a window message, driven by real
// X input.
//
//   ks_e2e_window_driver [--time-limit SECONDS] [--modal]
//
// With --modal, Beta is a modal window that disables the rest.
//
// Standard output, one line each, flushed as written:
//   window NAME content L,T,R,B goaway H,V drag H,V ...        (global)
//   ready
// then, once the user quits (Ctrl+Q) or the time limit passes:
//   end quit|timeout
//   window NAME content L,T,R,B ...                            (the AWindows left)
#include "AWindow.h"
#include "KsBackend.h"
#include "KsDesktop.h"
#include "KsE2EParts.h"
#include "KsE2ERun.h"
#include "QuickDraw.h"
#include "Windows.h"
#include "XError.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

bool gQuit = false;

AWindow* Make(const char* name, SInt32 left, SInt32 top, SInt32 w, SInt32 h) {
    AWindow* win = AWindow::New(name, nullptr, nullptr, 1, 1, 1, 0, 0, 0);
    win->SetWindowToRect(kKsNoScreen, left, top, left + w, top + h);
    win->AddGrowBoxPane();
    win->SelectAndShow();
    return win;
}

void PrintWindows() {
    for (WindowPtr w = KsGetWindowList(); w; w = GetNextWindow(w)) {
        AWindow* aw = GetWindowObj(w);
        if (!aw) continue;
        char title[256];
        aw->GetWindowTitle(title, sizeof title);
        PrintWindowLine(w, title);
    }
}

// Idle time for every window: a closed window is disposed of by its next
// message.
void IdleAll(EventRecord& e) {
    std::vector<WindowPtr> all;
    for (WindowPtr w = KsGetWindowList(); w; w = GetNextWindow(w))
        all.push_back(w);
    for (WindowPtr w : all)
        SendWindowMsg(wmIdle, w, &e, 0, 0);
}

void HandleEvent(EventRecord& e) {
    switch (e.what) {
    case mouseDown: {
        WindowPtr w = nullptr;
        switch (FindWindow(e.where, &w)) {
        case inDrag:
            SendWindowMsg(wmDrag, w, &e, 0, 0);
            break;
        case inGrow:
            SendWindowMsg(wmGrow, w, &e, 0, 0);
            break;
        case inGoAway:
            if (TrackGoAway(w, e.where)) DoWindowClose(w);
            break;
        case inZoomIn:
        case inZoomOut:
            if (TrackBox(w, e.where, inZoomOut)) SendWindowMsg(wmZoomOut, w, &e, 0, 0);
            break;
        case inContent:
            if (w != FrontWindow()) SelectWindow(w);
            SendWindowMsg(wmClick, w, &e, 0, 0);
            break;
        default:
            break;
        }
        break;
    }
    case keyDown:
        if ((e.modifiers & cmdKey) && (e.message & charCodeMask) == 'q') gQuit = true;
        break;
    case updateEvt:
        DoWindowUpdate(KsEventWindow(e));
        break;
    case activateEvt:
        SendWindowMsg((e.modifiers & activeFlag) ? wmActivate : wmDeactivate, KsEventWindow(e), &e,
                      0, 0);
        break;
    default:
        break;
    }
    IdleAll(e);
}

} // namespace

int main(int argc, char** argv) {
    bool modal = false;
    for (int i = 1; i < argc; ++i)
        modal = modal || std::strcmp(argv[i], "--modal") == 0;
    if (!StartOnSDL("ks_e2e_window_driver")) return 1;
    int status = 0;
    try {
        KsGetBackend()->SetTitle("ks_e2e_driver");
        if (!KsDesktopInit()) return 1;
        InitWindows();
        Make("Alpha", 100, 100, 300, 200);
        AWindow* beta = Make("Beta", 700, 150, 300, 200);
        if (modal) {
            beta->SetIsModal(true);
            beta->SelectAndShow();
        }
        KsSetQuitRequestHook({[](void*) { gQuit = true; }, nullptr});
        EventRecord e;
        for (int i = 0; i < 1000 && GetNextEvent(everyEvent, &e); ++i)
            HandleEvent(e);
        KsPresentDesktop();
        PrintWindows();
        std::printf("ready\n");
        const bool timedOut = RunTurns(
            TimeLimitArg(argc, argv), [] { return gQuit; },
            [&] {
                if (!WaitNextEvent(everyEvent, &e, 6, nullptr)) return;
                try {
                    HandleEvent(e);
                } catch (...) {
                    ReportException("ks_e2e_window_driver");
                    status = 1;
                }
            });
        std::printf("end %s\n", timedOut ? "timeout" : "quit");
        PrintWindows();
        std::vector<WindowPtr> all;
        for (WindowPtr w = KsGetWindowList(); w; w = GetNextWindow(w))
            all.push_back(w);
        for (WindowPtr w : all)
            if (AWindow* aw = GetWindowObj(w)) aw->Dispose();
    } catch (...) {
        ReportException("ks_e2e_window_driver");
        status = 1;
    }
    KsDesktopDispose();
    return status;
}
