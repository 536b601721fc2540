// AFileDialog: the requests (NameFile, SelectFile, KsPutFileDlog), the run,
// and what the OK button settles.
#include "AFileDialog.h"

#include "AApplication.h"
#include "AFileListPane.h"
#include "AFileLocator.h"
#include "ATextEntry.h"
#include "KsLog.h"
#include "KsOutput.h"
#include "KsSimpleDlg.h"
#include "KsThreads.h"
#include "KsUIHooks.h"
#include "Sound.h"
#include "Stx.h"
#include "XError.h"

#include <cctype>
#include <memory>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace {
AFileDialog::ShownHook gShownHook = nullptr; // main thread only

std::string Joined(const std::string& folder, const std::string& name) {
    return folder == "/" ? "/" + name : folder + "/" + name;
}

// Batch mode, or a thread that cannot run a dialog: nothing is shown, the
// request is logged and cancelled.
bool AnsweredUnseen(const char* prompt) {
    const char* how =
        KsSDlogGetBatchMode() ? "Batch mode" : (KsIsMainThread() ? nullptr : "Not main thread");
    if (!how) return false;
    const std::string line =
        std::string("File dialog \"") + (prompt ? prompt : "") + "\" -> [Cancel]";
    dprintf("[%s] %s\n", how, line.c_str());
    LogFile::WriteLog(how, line.c_str());
    return true;
}

std::string StartFolder(const ADirLocator* dir, const AFileLocator* locator) {
    for (const std::string& p : {dir ? dir->GetPath() : std::string(),
                                 locator ? locator->GetDir().GetPath() : std::string()}) {
        std::string resolved = KsResolveFolder(p);
        if (!resolved.empty()) return resolved;
    }
    std::string here = KsResolveFolder(".");
    return here.empty() ? std::string("/") : here;
}

// Makes, fills, runs and disposes of one dialog.
bool RunDialog(AFileDialog::Mode mode, const char* prompt, const std::string& start,
               const char* defaultName, std::vector<std::string> suffixes, AFileLocator* out) {
    AFileDialog* dlg = AFileDialog::New(mode, prompt);
    struct Disposer {
        AFileDialog* d;
        ~Disposer() {
            if (KsIsLiveWindow(d)) d->Dispose();
        }
    } disposer{dlg};
    dlg->SetTypeFilter(std::move(suffixes));
    if (!dlg->ShowFolder(start)) dlg->ShowFolder("/");
    if (defaultName) dlg->SetTypedName(KsShownFileName(defaultName).c_str());
    return dlg->RunForChoice(out);
}
} // namespace

AFileDialog::ShownHook AFileDialog::SetShownHook(ShownHook hook) {
    ShownHook old = gShownHook;
    gShownHook = hook;
    return old;
}

std::vector<std::string> AFileDialog::SuffixesOfType(OSType type) {
    if (type == 0 || type == kAnyType) return {};
    if (type == FourCharCode("TEXT")) return {".txt", ".text"};
    // Any other type lists files named after it: 'KsP3' lists "*.ksp3".
    std::string s = ".";
    for (int shift = 24; shift >= 0; shift -= 8) {
        const unsigned char c = static_cast<unsigned char>(type >> shift);
        if (std::isalnum(c)) s += char(std::tolower(c));
    }
    return s.size() > 1 ? std::vector<std::string>{s} : std::vector<std::string>{};
}

bool AFileDialog::NameFile(const char* prompt, AFileLocator* locator, OSType,
                           const ADirLocator* dir) {
    if (!locator || AnsweredUnseen(prompt)) return false;
    const std::string name = locator->GetName();
    return RunDialog(Mode::save, prompt, StartFolder(dir, locator),
                     name.empty() ? nullptr : name.c_str(), {}, locator);
}

AFileLocator* AFileDialog::SelectFile(const char* prompt, short numTypes, const OSType* types,
                                      const ADirLocator* dir, long) {
    if (AnsweredUnseen(prompt)) return nullptr;
    std::vector<std::string> suffixes;
    for (short i = 0; types && i < numTypes; ++i) {
        const std::vector<std::string> s = SuffixesOfType(types[i]);
        if (s.empty()) { // "any" among the types lists everything
            suffixes.clear();
            break;
        }
        suffixes.insert(suffixes.end(), s.begin(), s.end());
    }
    auto chosen = std::make_unique<AFileLocator>();
    if (!RunDialog(Mode::open, prompt, StartFolder(dir, nullptr), nullptr, std::move(suffixes),
                   chosen.get()))
        return nullptr;
    return chosen.release();
}

bool KsPutFileDlog(const char* prompt, const ADirLocator* startDir, const char* defaultName,
                   AFileLocator* out) {
    if (!out || AnsweredUnseen(prompt)) return false;
    return RunDialog(AFileDialog::Mode::save, prompt, StartFolder(startDir, out), defaultName, {},
                     out);
}

// ---------------------------------------------------------------------------
// The run

namespace {
bool ConfirmProc(DialogWindow* dlg, AGadget*, long) {
    return static_cast<AFileDialog*>(dlg)->Confirm();
}
} // namespace

bool AFileDialog::RunForChoice(AFileLocator* out) {
    choiceFolder.clear();
    choiceName.clear();
    if (gShownHook) {
        SelectAndShow(); // placed where the run shows it, so the hook sees it there
        gShownHook(this);
    }
    if (!Run(ConfirmProc, 0) || choiceName.empty()) return false;
    if (out) {
        out->SetDir(ADirLocator(choiceFolder));
        out->SetName(choiceName);
    }
    return true;
}

void AFileDialog::SetChoice(const std::string& rawName) {
    choiceFolder = folder;
    choiceName = rawName;
}

bool AFileDialog::Confirm() {
    return mode == Mode::open ? ChooseForOpen() : ChooseForSave();
}

bool AFileDialog::ChooseForOpen() {
    const KsFolderEntry* row = list->GetSelectedRow();
    if (!row) {
        SysBeep(5);
        return false;
    }
    if (row->isFolder) {
        OpenSelectedFolder();
        return false;
    }
    SetChoice(row->raw);
    return true;
}

// Return in the list on a folder enters it; otherwise the typed name is
// the choice. A typed name that matches the selected entry's shown name
// takes that entry's bytes, so a name that shows with marks is kept as is.
bool AFileDialog::ChooseForSave() {
    const KsFolderEntry* row = list->GetSelectedRow();
    const std::string typed = GetTypedName();
    if (row && row->isFolder && (activePane == list || typed.empty())) {
        OpenSelectedFolder();
        return false;
    }
    if (typed.empty()) {
        SysBeep(5);
        return false;
    }
    const std::string raw = row && row->shown == typed ? row->raw : KsDiskFileName(typed);
    const XError bad = KsTryStandard([&] { KsCheckFileName(raw); });
    if (bad.IsError()) {
        const std::string text = stxFormat("\"%s\" cannot be used as a file name.", typed.c_str());
        UIdialog(text.c_str(), stx("OK//Button label"), 1, 2, "FileDialogBadName");
        return false;
    }
    const std::string path = Joined(folder, raw);
    struct stat st {};
    if (stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            ShowFolder(path);
            return false;
        }
        const std::string text =
            stxFormat("\"%s\" already exists. Do you want to replace it?", typed.c_str());
        if (UIdialog(text.c_str(), stx("Replace|Cancel"), 2, 3, "FileDialogReplace") != 1)
            return false;
    }
    SetChoice(raw);
    return true;
}
