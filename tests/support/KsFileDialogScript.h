// Scripted input for the file dialogs: what a test wants done once the
// dialog shows, fed through the headless back end's input script.
#pragma once

#include "AFileDialog.h"
#include "AFileListPane.h"
#include "KsHeadlessBackend.h"
#include "KsPortSavers.h"
#include "KsTime.h"
#include "QuickDraw.h"

#include <functional>
#include <string>
#include <utility>

// Installs `onShown` as the dialogs' shown hook for its life.
class FileDialogScript {
public:
    static constexpr UInt8 kReturn = 0x24, kEscape = 0x35;

    FileDialogScript(KsHeadlessBackend* backend, std::function<void(FileDialogScript&)> onShown)
        : backend_(backend), onShown_(std::move(onShown)) {
        Current() = this;
        previous_ = AFileDialog::SetShownHook([](AFileDialog* d) {
            FileDialogScript& s = *Current();
            s.dlg = d;
            s.t = KsGetTicks();
            ++s.shown;
            s.onShown_(s);
            // Whatever happens, the dialog ends: a test never waits for ever.
            s.Key(kEscape, 3000);
        });
    }
    ~FileDialogScript() {
        AFileDialog::SetShownHook(previous_);
        Current() = nullptr;
    }
    FileDialogScript(const FileDialogScript&) = delete;
    FileDialogScript& operator=(const FileDialogScript&) = delete;

    // Each step is `after` ticks after the previous one.
    void Key(UInt8 code, long after = 3) {
        t += after;
        backend_->ScriptKeyDown(t, code);
        backend_->ScriptKeyUp(t + 1, code);
    }
    void Type(const char* utf8, long after = 3) {
        t += after;
        backend_->ScriptText(t, utf8);
    }
    // clicks (1 or 2) on list row n (from 1).
    void ClickRow(long n, int clicks = 1, long after = 3) {
        AFileListPane* list = dlg->GetList();
        const KsRect in = list->GetInterior();
        Point pt{SInt16(in.top + (n - 1) * list->GetLineHeight() + list->GetLineHeight() / 2),
                 SInt16(in.left + 30)};
        {
            StPortSaver port;
            SetPortWindowPort(dlg->GetWindowPtr());
            LocalToGlobal(&pt);
        }
        for (int i = 0; i < clicks; ++i) {
            t += i == 0 ? after : 2;
            backend_->ScriptPress(t, pt.h, pt.v);
            backend_->ScriptRelease(++t, pt.h, pt.v);
        }
    }

    AFileDialog* dlg = nullptr;
    long t = 0;
    int shown = 0;

private:
    static FileDialogScript*& Current() {
        static FileDialogScript* current = nullptr;
        return current;
    }
    KsHeadlessBackend* backend_;
    std::function<void(FileDialogScript&)> onShown_;
    AFileDialog::ShownHook previous_ = nullptr;
};
