// Message boxes: batch mode, scripted answers, requests from other threads,
// and the dialog itself.
#include "KsSimpleDlg.h"

#include "AApplication.h"
#include "AutoRequestDlg.h"
#include "KsFatal.h"
#include "KsLog.h"
#include "KsOutput.h"
#include "KsPortSavers.h"
#include "KsThreads.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

namespace {

enum class Variant { screenCentred, appCentred, styled };

// Settings: one set for the whole process, changed from the main thread only.
std::atomic<bool> gBatchMode{false};
std::atomic<KsSDlogCleanupProc> gCleanup{nullptr};
std::atomic<KsSDlogUpdateProc> gUpdate{nullptr};
std::atomic<long> gPickupTimeoutMs{2000};
AutoRequestDlg* gCurrent = nullptr;   // main thread only
std::vector<std::string> gShownLines; // main thread only
std::string gRequestName;             // main thread only

bool MayChange(const char* setting) {
    if (KsIsMainThread()) return true;
    cprintf("WARNING: Attempt to %s from non-main thread!\n", setting);
    return false;
}

std::mutex gScriptMutex;
std::deque<short> gScripted;

// An answer given without showing anything leaves a record of what was asked.
short AnswerUnseen(const char* how, const char* text, const char* buttons, short defaultButton,
                   short answer) {
    const std::string label = UIdialogButtonLabel(buttons, answer);
    dprintf("\n[%s] %s\n", how, text);
    dprintf("[%s] [%s]\n", how, label.c_str());
    const std::string line = std::string(text) + " -> [" + label + "]";
    LogFile::WriteLog(how, line.c_str());
    (void)defaultButton;
    return answer;
}

bool TakeScripted(short* answer) {
    std::lock_guard<std::mutex> lock(gScriptMutex);
    if (gScripted.empty()) return false;
    *answer = gScripted.front();
    gScripted.pop_front();
    return true;
}

// "AutoReq_<source base name>_<start of text>_<start of buttons>" or, with a
// tag, "AutoReq_<base name>_<tag>"; spaces become underscores.
std::string RequestName(const char* text, const char* buttons, const char* tag,
                        const char* source) {
    std::string base;
    if (source) {
        const char* b = source;
        for (const char* p = source; *p; ++p)
            if (*p == '\\' || *p == '/') b = p + 1;
        base.assign(b, std::strcspn(b, "."));
    }
    std::string name = "AutoReq_" + base + "_";
    if (tag) {
        name += tag;
    } else {
        size_t n = std::min<size_t>(std::strcspn(text, "\""), 7);
        name.append(text, std::min(n, std::strlen(text)));
        name += "_";
        name.append(buttons, std::min<size_t>(std::strlen(buttons), 9));
    }
    if (name.size() > 255) name.resize(255);
    std::replace(name.begin(), name.end(), ' ', '_');
    return name;
}

// Disposes of the dialog however the request ends.
struct DialogOwner {
    AutoRequestDlg* dlg;
    ~DialogOwner() {
        if (gCurrent == dlg) gCurrent = nullptr;
        if (dlg && KsIsLiveWindow(dlg)) dlg->Dispose();
    }
};

short ShowOnMainThread(Variant variant, const char* text, const char* buttons, short defaultButton,
                       UIicon_t icon, const char* tag, bool flag, const char* source) {
    if (gBatchMode.load())
        return AnswerUnseen("Batch mode", text, buttons, defaultButton, defaultButton);
    short scripted = 0;
    if (TakeScripted(&scripted))
        return AnswerUnseen("Scripted answer", text, buttons, defaultButton, scripted);
    if (!gApplication)
        return AnswerUnseen("No application", text, buttons, defaultButton, defaultButton);
    if (variant == Variant::styled) gRequestName = RequestName(text, buttons, tag, source);

    StPortSaver port;
    const char* title = gApplication->GetShortAppName();
    DialogOwner owner{AutoRequestDlg::New(true, title, variant == Variant::styled)};
    if (variant == Variant::appCentred) owner.dlg->SetPlacement(1);
    owner.dlg->IAutoRequestDlg(text, buttons, defaultButton, icon, flag);
    gCurrent = owner.dlg;
    gShownLines.clear();
    for (const KsARLine& line : owner.dlg->GetParsed().lines)
        gShownLines.push_back(line.text);
    owner.dlg->Run(nullptr, 0);
    const short answer =
        KsIsLiveWindow(owner.dlg) ? owner.dlg->Answer() : AutoRequestDlg::kClosedAnswer;
    if (flag)
        if (KsSDlogCleanupProc cleanup = gCleanup.load()) cleanup();
    return answer;
}

// Requests other threads wait on.
struct ThreadRequest {
    Variant variant;
    const char *text, *buttons, *tag, *source;
    short defaultButton;
    UIicon_t icon;
    bool flag;
    bool taken = false;
    bool done = false;
    short answer = 0;
};
std::mutex gRequestMutex;
std::condition_variable gRequestCv;
std::deque<ThreadRequest*> gRequests;
std::atomic<int> gRequestCount{0};

short AskFromOtherThread(ThreadRequest& r) {
    std::unique_lock<std::mutex> lock(gRequestMutex);
    gRequests.push_back(&r);
    ++gRequestCount;
    const auto timeout = std::chrono::milliseconds(gPickupTimeoutMs.load());
    if (!gRequestCv.wait_for(lock, timeout, [&] { return r.taken; })) {
        gRequests.erase(std::find(gRequests.begin(), gRequests.end(), &r));
        --gRequestCount;
        lock.unlock();
        return AnswerUnseen("Not shown (main thread busy)", r.text, r.buttons, r.defaultButton,
                            r.defaultButton);
    }
    gRequestCv.wait(lock, [&] { return r.done; });
    return r.answer;
}

short Request(Variant variant, const char* text, const char* buttons, short defaultButton,
              UIicon_t icon, const char* tag, bool flag, const char* source) {
    if (!text) text = "";
    if (!buttons) buttons = "";
    if (KsIsMainThread())
        return ShowOnMainThread(variant, text, buttons, defaultButton, icon, tag, flag, source);
    if (gBatchMode.load())
        return AnswerUnseen("Batch mode", text, buttons, defaultButton, defaultButton);
    ThreadRequest r{variant, text, buttons, tag, source, defaultButton, icon, flag};
    return AskFromOtherThread(r);
}

} // namespace

short KsSimpleDlg(const char* text, const char* buttons, short defaultButton, UIicon_t icon,
                  const char* tag, bool flag, const char* source) {
    return Request(Variant::screenCentred, text, buttons, defaultButton, icon, tag, flag, source);
}
short KsSimpleDlgAppCentered(const char* text, const char* buttons, short defaultButton,
                             UIicon_t icon, const char* tag, bool flag, const char* source) {
    return Request(Variant::appCentred, text, buttons, defaultButton, icon, tag, flag, source);
}
short KsSimpleDialog(const char* text, const char* buttons, short defaultButton, UIicon_t icon,
                     const char* tag, bool flag, const char* source) {
    return Request(Variant::styled, text, buttons, defaultButton, icon, tag, flag, source);
}

void KsSDlogServeThreadRequests() {
    if (gRequestCount.load(std::memory_order_relaxed) == 0 || !KsIsMainThread()) return;
    ThreadRequest* r = nullptr;
    {
        std::lock_guard<std::mutex> lock(gRequestMutex);
        if (gRequests.empty()) return;
        r = gRequests.front();
        gRequests.pop_front();
        --gRequestCount;
        r->taken = true;
    }
    gRequestCv.notify_all();
    short answer = r->defaultButton;
    try {
        answer = ShowOnMainThread(r->variant, r->text, r->buttons, r->defaultButton, r->icon,
                                  r->tag, r->flag, r->source);
    } catch (...) {
        // The waiting thread gets the default; the error is the main thread's.
        std::lock_guard<std::mutex> lock(gRequestMutex);
        r->answer = answer;
        r->done = true;
        gRequestCv.notify_all();
        throw;
    }
    std::lock_guard<std::mutex> lock(gRequestMutex);
    r->answer = answer;
    r->done = true;
    gRequestCv.notify_all();
}

bool KsSDlogSetBatchMode(bool on) {
    if (!MayChange("SetARBatchMode")) return gBatchMode.load();
    return gBatchMode.exchange(on);
}
bool KsSDlogGetBatchMode() {
    return gBatchMode.load();
}
void KsSDlogSetCleanup(KsSDlogCleanupProc proc) {
    if (MayChange("SetARcleanupProc")) gCleanup = proc;
}
void KsSDlogSetUpdate(KsSDlogUpdateProc proc) {
    if (MayChange("SetARupdateProc")) gUpdate = proc;
}
void SDLSetCleanupProc(KsSDlogCleanupProc proc) {
    if (MayChange("SetSDLCleanupProc")) gCleanup = proc;
}
KsSDlogCleanupProc SDLGetCleanupProc() {
    return gCleanup.load();
}
void SDLSetUpdateEvtProc(KsSDlogUpdateProc proc) {
    if (MayChange("SetSDLUpdateEventProc")) gUpdate = proc;
}
KsSDlogUpdateProc SDLGetUpdateEvtProc() {
    return gUpdate.load();
}
void KsSDlogInit() {}

bool KsSDlogIsSimpleDlog(const AWindow* window) {
    return window && window == gCurrent;
}
void KsSDlogUpdate(AWindow* window) {
    if (!gCurrent) {
        __FtlAssertFailed("arWindow", __FILE__, __LINE__);
        return;
    }
    if (window && window != gCurrent) return;
    if (!KsIsLiveWindow(gCurrent)) return;
    gCurrent->GetMainPane()->Inval();
    gCurrent->UpdateIfNeeded();
}

long GetARnumLines() {
    return long(gShownLines.size());
}

const char* GetARnthLine(long n) {
    if (n < 1 || n > long(gShownLines.size())) return "";
    return gShownLines[std::size_t(n - 1)].c_str();
}

const char* KsSDlogRequestName() {
    return gRequestName.c_str();
}

void KsSDlogPushScriptedAnswer(short answer) {
    std::lock_guard<std::mutex> lock(gScriptMutex);
    gScripted.push_back(answer);
}
void KsSDlogClearScriptedAnswers() {
    std::lock_guard<std::mutex> lock(gScriptMutex);
    gScripted.clear();
}
int KsSDlogScriptedAnswersLeft() {
    std::lock_guard<std::mutex> lock(gScriptMutex);
    return int(gScripted.size());
}
long KsSDlogSetPickupTimeout(long milliseconds) {
    return gPickupTimeoutMs.exchange(std::max(0L, milliseconds));
}
