// The end-to-end application for message boxes: an application with one
// window on the sdl back end whose command (the key F) fails; the failure is
// reported in a message box that real X input answers.
//
//   ks_e2e_msgbox_driver [--time-limit SECONDS]
//
// Standard output, one line each, flushed as written:
//   ready
//   box OK H,V            (global centre of the box's first button, once shown)
//   answer N              (the button the user chose)
// then, once the user quits (Ctrl+Q) or the time limit passes:
//   end quit|timeout
#include "AApplication.h"
#include "AApplicationPrivate.h"
#include "AutoRequestDlg.h"
#include "KsBackend.h"
#include "KsDesktop.h"
#include "KsE2ERun.h"
#include "KsSimpleDlg.h"
#include "XError.h"

#include <cstdio>

namespace {

bool gQuit = false;

class FailingWindow : public AWindow {
public:
    bool KeyDown(void* data, EventRecord* ev, long charCode, long keyCode) override {
        if (charCode == 'f' || charCode == 'F') xraisexerror("E2E_COMMAND_FAILED");
        return AWindow::KeyDown(data, ev, charCode, keyCode);
    }
};

// Tells where the box's first button is, once it is on the screen.
void ReportBox(AutoRequestDlg* box, EventRecord*, void*) {
    static AutoRequestDlg* reported = nullptr;
    if (box == reported || !box->IsVisible()) return;
    APane* b = box->FindPaneByID("ARbut1_But");
    if (!b) return;
    reported = box;
    const KsRect f = b->GetFrame();
    Point pt{SInt16((f.top + f.bottom) / 2), SInt16((f.left + f.right) / 2)};
    SetPortWindowPort(box->GetWindowPtr());
    LocalToGlobal(&pt);
    KsPresentDesktop();
    std::printf("box OK %d,%d\n", pt.h, pt.v);
}

// The installed message box, with the answer printed.
short PrintingDialog(const char* text, const char* buttons, short def, UIicon_t icon,
                     const char* tag, bool flag, const char* source) {
    const short answer = KsSimpleDlg(text, buttons, def, icon, tag, flag, source);
    std::printf("answer %d\n", answer);
    return answer;
}

} // namespace

int main(int argc, char** argv) {
    if (!StartOnSDL("ks_e2e_msgbox_driver")) return 1;
    KsAppSetExitProc([](int) {});
    int status = 0;
    auto* app = new AApplication;
    try {
        app->SetShortAppName("ks_e2e_msgbox");
        app->IApplication();
        KsGetBackend()->SetTitle("ks_e2e_driver");
        InstallUIdialog(PrintingDialog);
        AutoRequestDlg::InstallNullEventHandler(ReportBox, nullptr);
        auto* w = new FailingWindow;
        w->IWindow("Alpha", nullptr, WindowPtr(-1), 1, 0, 1, 0, 0, 0);
        w->SetWindowToRect(kKsNoScreen, 100, 100, 400, 300);
        w->SelectAndShow();
        KsSetQuitRequestHook({[](void*) { gQuit = true; }, nullptr});
        // Turns end within 100 ms, so the time limit below is seen.
        gl_sleepTime = 6;
        for (int i = 0; i < 50; ++i)
            app->ProcessEvent(everyEvent);
        KsPresentDesktop();
        std::printf("ready\n");
        const bool timedOut = RunTurns(
            TimeLimitArg(argc, argv), [] { return gQuit || QuitCompleted; },
            [&] {
                const XError e = KsTryStandard([&] { app->ProcessEvent(everyEvent); });
                if (e.IsError()) app->DisplayException(e.GetCode(), false);
            });
        std::printf("end %s\n", timedOut ? "timeout" : "quit");
        w->Dispose();
    } catch (...) {
        ReportException("ks_e2e_msgbox_driver");
        status = 1;
    }
    AutoRequestDlg::InstallNullEventHandler(nullptr, nullptr);
    InstallUIdialog(nullptr);
    delete app;
    KsDesktopDispose();
    return status;
}
