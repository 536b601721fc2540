#include "ConsoleWind.h"

#include "AScreenManOS.h"
#include "ConsoleIOPane.h"
#include "ConsolePane.h"
#include "KsFatal.h"
#include "Stx.h"
#include "Windows.h"

#include <algorithm>

namespace {
constexpr SInt16 S = kPaneDontCare;
}

ConsoleWind* ConsoleWind::New(bool withInput) {
    auto* w = new ConsoleWind;
    w->IConsoleWind(withInput);
    return w;
}

void ConsoleWind::IConsoleWind(bool withInput) {
    FtlAssert(AScreenManOS::Get() != nullptr);
    IWindow(stx("Console//Window title"), nullptr, WindowPtr(-1), 1, 1, 1, 0, 0, 0);
    SetPortWindowPort(GetWindowPtr());
    CreateMainPane();
    APane* main = GetMainPane();
    ConsolePane* pane = withInput ? ConsoleIOPane::New(main, 0, 0, S, 0, 0, S, RGBwhite, 0)
                                  : ConsolePane::New(main, 0, 0, S, 0, 0, S, RGBwhite, 0);
    InstallConsolePane(pane);
    // Keys typed into a new console go to its command line.
    if (withInput)
        if (ConsoleTextEntry* entry = static_cast<ConsoleIOPane*>(pane)->GetEntryBox())
            entry->TabTo();
}

void ConsoleWind::InstallConsolePane(ConsolePane* conPane) {
    FtlAssert(conPane != nullptr);
    ConsolePane* old = iConsolePane;
    if (old == conPane) return;
    if (old) {
        const std::string text = old->GetConsoleText();
        conPane->AppendText(text.data(), text.size());
        if (ConsolePane::GetActiveConsole() == old) ConsolePane::SetActiveConsole(conPane);
        old->Dispose();
    }
    iConsolePane = conPane;
}

void ConsoleWind::SetCmdPeriodEnable(bool on) {
    if (iConsolePane) iConsolePane->SetCmdPeriodEnable(on);
}

void ConsoleWind::Dispose() {
    // The pane tree goes with the window; the pane itself clears the active
    // console and closes its log.
    iConsolePane = nullptr;
    AWindow::Dispose();
}

bool ConsoleWind::Activate(void* data, EventRecord* ev, long a, long b) {
    // The console last brought to the front is the one printed into.
    if (iConsolePane) ConsolePane::SetActiveConsole(iConsolePane);
    return AWindow::Activate(data, ev, a, b);
}

bool ConsoleWind::Deactivate(void* data, EventRecord* ev, long a, long b) {
    // Output goes on into this console while another window is in front.
    return AWindow::Deactivate(data, ev, a, b);
}

bool ConsoleWind::Close(void* data, EventRecord* ev, long a, long b) {
    // A console is never a document to save.
    iFlags &= ~UInt32(kDirtyDoc);
    return AWindow::Close(data, ev, a, b);
}

void ConsoleWind::GetZoomMaxes(long* w, long* h) {
    AWindow::GetZoomMaxes(w, h);
    if (w) *w = std::min(*w, kZoomMaxWidth);
}
