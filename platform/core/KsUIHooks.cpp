#include "KsUIHooks.h"

#include "KsOutput.h"
#include "KsThreads.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace {
std::atomic<UIdialogProc> gDialog{nullptr};
std::atomic<UIspinProc> gSpin{nullptr};
std::atomic<UIupdateProc> gUpdate{nullptr};
std::atomic<UIresetProc> gReset{nullptr};
std::atomic<UIcloseProc> gClose{nullptr};

// Progress is drawn by the main thread; a worker that reports is turned away
// and told so once, so that a misplaced call shows up without flooding.
bool OnMainThread() {
    if (KsIsMainThread()) return true;
    static std::atomic<bool> warned{false};
    if (!warned.exchange(true))
        dprintf("WARNING: Attempt to report progress from non-main thread!\n");
    return false;
}
} // namespace

UIdialogProc InstallUIdialog(UIdialogProc proc) {
    return gDialog.exchange(proc);
}

short UIdialog(const char* text, const char* buttons, short defaultButton, UIicon_t icon,
               const char* tag, bool flag, const char* source) {
    if (!text) text = "";
    if (!buttons) buttons = "";
    if (UIdialogProc proc = gDialog.load())
        return proc(text, buttons, defaultButton, icon, tag, flag, source);
    // No dialog yet (early start-up, tools, tests): say what would be asked
    // and take the default, as a batch run would.
    dprintf("\n[UIdialog] %s\n", text);
    dprintf("[UIdialog] [%s]\n", UIdialogButtonLabel(buttons, defaultButton).c_str());
    return defaultButton;
}

int UIdialogButtonCount(const char* buttons) {
    if (!buttons || !*buttons) return 0;
    int count = 1;
    for (const char* p = buttons; *p && count < kUIdialogMaxButtons; ++p)
        if (*p == '|') ++count;
    return count;
}

std::string UIdialogButtonLabel(const char* buttons, int number) {
    int count = UIdialogButtonCount(buttons);
    if (number <= 0 || count == 0) return {};
    if (number > count) number = count;
    const char* start = buttons;
    for (int i = 1; i < number; ++i)
        start = std::strchr(start, '|') + 1;
    const char* end = std::strchr(start, '|');
    std::size_t length = end ? std::size_t(end - start) : std::strlen(start);
    return std::string(start, std::min(length, std::size_t(kUIdialogMaxLabel)));
}

void InstallUIrtns(UIspinProc spin, UIupdateProc update, UIresetProc reset, UIcloseProc close) {
    gSpin = spin;
    gUpdate = update;
    gReset = reset;
    gClose = close;
}

void UIstatSpinCursor(bool cancelAllowed, long delay) {
    if (!OnMainThread()) return;
    if (UIspinProc proc = gSpin.load()) proc(cancelAllowed, delay);
}

bool UIstatUpdate(const char* message, long current, long total, bool cancelAllowed) {
    if (!OnMainThread()) return false;
    if (UIupdateProc proc = gUpdate.load())
        return proc(message ? message : "", current, total, cancelAllowed);
    return false;
}

void UIstatReset() {
    if (!OnMainThread()) return;
    if (UIresetProc proc = gReset.load()) proc();
}

void UIstatClose() {
    if (!OnMainThread()) return;
    if (UIcloseProc proc = gClose.load()) proc();
}
