// AFileDialog: the panes, the folder shown and moving between folders.
#include "AFileDialog.h"

#include "ADialogButtonGad.h"
#include "AFileListPane.h"
#include "AGadget.h"
#include "APortable.h"
#include "AScrollPane.h"
#include "ATextEntry.h"
#include "KsColor.h"
#include "KsDrawUtils.h"
#include "KsPortSavers.h"
#include "KsUIHooks.h"
#include "Sound.h"
#include "Stx.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <sys/stat.h>

namespace {
constexpr SInt16 S = kPaneDontCare;
constexpr SInt16 kMargin = 12;

bool EndsWithNoCase(const std::string& name, const std::string& suffix) {
    if (suffix.size() > name.size()) return false;
    for (size_t i = 0; i < suffix.size(); ++i) {
        const unsigned char a = static_cast<unsigned char>(name[name.size() - suffix.size() + i]);
        if (std::tolower(a) != static_cast<unsigned char>(suffix[i])) return false;
    }
    return true;
}

std::string Joined(const std::string& folder, const std::string& name) {
    return folder == "/" ? "/" + name : folder + "/" + name;
}
} // namespace

AFileDialog* AFileDialog::New(Mode mode, const char* prompt) {
    auto* d = new AFileDialog;
    try {
        d->IFileDialog(mode, prompt);
    } catch (...) {
        d->Dispose();
        throw;
    }
    return d;
}

void AFileDialog::IFileDialog(Mode m, const char* prompt) {
    mode = m;
    IDialogWindow(prompt && *prompt ? prompt : (m == Mode::save ? stx("Save As") : stx("Open")),
                  true, kWidth, kHeight, false);
    BuildPanes(prompt);
}

// Rows from the bottom: the button row (34), the name row when saving, the
// row of the hidden box and New Folder; the list takes the rest.
void AFileDialog::BuildPanes(const char* prompt) {
    StPortSaver port;
    SetPortWindowPort(windowPort);
    const bool save = mode == Mode::save;
    const SInt16 optionsBottom = SInt16(save ? -72 : -44);
    const SInt16 listBottom = SInt16(optionsBottom - 28);

    AddLabelPane("PromptLabel", prompt ? prompt : "", kMargin, -kMargin, S, 10, S, 16);
    folderPopup = AddPopupMenu("FolderPopup", nullptr, kMargin, -kMargin, S, 32, S, 20);
    folderPopup->SetUpClickProc(FolderPopupChosen);

    listScroll = AScrollPane::New(mainPane, kMargin, -kMargin, S, 60, listBottom, S, RGBwhite,
                                  kBorderField, false, true, false, RGBgray11);
    listScroll->SetPaneID("FileListScroll");
    list = AFileListPane::New(nullptr, 0, S, 100, 0, S, 100);
    list->SetPaneID("FileList");
    list->SetFontSizeFace(1, 11, 0);
    list->SetSelectProc(ListSelected);
    list->SetOpenProc(ListOpened);
    listScroll->InstallPane(list);

    APane* hidden =
        AddCheckBox("HiddenBox", stx("Show hidden files"), kMargin, S, 180, S, optionsBottom, 18);
    static_cast<AGadget*>(hidden)->SetUpClickProc(HiddenClicked);
    AddButton("NewFolderBut", stx("New Folder"), S, -kMargin, 100, S, optionsBottom, 21)
        ->SetUpClickProc(NewFolderClicked);

    if (save) {
        AddLabelPane("NameLabel", stx("Name:"), kMargin, S, 50, S, -46, 16);
        nameField = ATextEntry::New(mainPane, 66, -kMargin, S, S, -44, 20, "", false);
        FinishBuilt(nameField, "NameField");
        nameField->SetTextLimit(255);
    }
    AddStdButtons(2);
    AddDefaultButIndic();
    if (auto* ok = static_cast<AGadget*>(FindPaneByID("OKBut")))
        ok->SetText(save ? stx("Save//Button label") : stx("Open//Button label"));
}

AFileDialog* AFileDialog::Of(APane* pane) {
    AWindow* w = pane ? pane->GetEnclWindow() : nullptr;
    return w && w->IsInstanceOf("AFileDialog") ? static_cast<AFileDialog*>(w) : nullptr;
}

// ---------------------------------------------------------------------------
// The folder shown

bool AFileDialog::ShowFolder(const std::string& path) {
    KsFolderListing listing =
        KsReadFolder(path, showHidden ? KsHiddenFiles::show : KsHiddenFiles::skip);
    if (listing.error) {
        lastError = listing.errorText;
        SysBeep(5);
        UIdialog(lastError.c_str(), stx("OK//Button label"), 1, 2, "FileDialogRead");
        return false;
    }
    lastError.clear();
    folder = listing.folder;
    listingCut = listing.cut;
    auto& entries = listing.entries;
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [this](const KsFolderEntry& e) { return !Listed(e); }),
                  entries.end());
    list->SetRows(std::move(entries));
    FillFolderPopup();
    return true;
}

void AFileDialog::Reload() {
    const KsFolderEntry* row = list->GetSelectedRow();
    const std::string keep = row ? row->raw : std::string();
    if (!ShowFolder(folder)) return;
    if (const long n = list->FindRaw(keep)) list->SelectEntry(n, true);
}

bool AFileDialog::Listed(const KsFolderEntry& e) const {
    if (e.isFolder || suffixes.empty()) return true;
    return std::any_of(suffixes.begin(), suffixes.end(),
                       [&](const std::string& s) { return EndsWithNoCase(e.raw, s); });
}

void AFileDialog::FillFolderPopup() {
    ancestors.clear();
    for (std::string p = folder; !p.empty();) {
        ancestors.push_back(p);
        if (p == "/") break;
        const size_t slash = p.rfind('/');
        p = slash == 0 ? "/" : p.substr(0, slash);
    }
    folderPopup->DisposePopupMenu();
    folderPopup->MakePopupMenu("Folders");
    for (const std::string& a : ancestors) {
        const size_t slash = a.rfind('/');
        const std::string name = a == "/" ? "/" : a.substr(slash + 1);
        folderPopup->AppendPopupMenuItem(KsShownFileName(name).c_str(), 0, 0);
    }
    folderPopup->SetMenuItem(1, false);
    folderPopup->SetTextFromMenu();
    folderPopup->InvalInterior();
}

void AFileDialog::SetShowHidden(bool on) {
    if (showHidden == on) return;
    showHidden = on;
    if (auto* box = static_cast<AGadget*>(FindPaneByID("HiddenBox")))
        if (box->GetState() != on) box->SetState(on, true);
    if (!folder.empty()) Reload();
}

void AFileDialog::SetTypeFilter(std::vector<std::string> s) {
    suffixes = std::move(s);
    if (!folder.empty()) Reload();
}

bool AFileDialog::OpenSelectedFolder() {
    const KsFolderEntry* row = list->GetSelectedRow();
    if (!row || !row->isFolder) return false;
    // Entered by its resolved path: a link back up shortens the path.
    ShowFolder(Joined(folder, row->raw));
    return true;
}

bool AFileDialog::NewFolder() {
    const std::string base = KsDiskFileName(stx("New Folder"));
    std::string name = base;
    for (int n = 2; n < 1000; ++n) {
        if (mkdir(Joined(folder, name).c_str(), 0777) == 0) {
            Reload();
            if (const long row = list->FindRaw(name)) list->SelectEntry(row, true);
            return true;
        }
        if (errno != EEXIST) break;
        name = base + " " + std::to_string(n);
    }
    lastError = stxFormat("The folder could not be made: %s.", std::strerror(errno));
    SysBeep(5);
    UIdialog(lastError.c_str(), stx("OK//Button label"), 1, 2, "FileDialogNewFolder");
    return false;
}

std::string AFileDialog::GetTypedName() const {
    if (!nameField) return {};
    char buf[256];
    nameField->GetCstr(buf, sizeof buf);
    return buf;
}

void AFileDialog::SetTypedName(const char* shown) {
    if (!nameField) return;
    nameField->SetCstr(shown ? shown : "");
    nameField->SetSelect(0, ATextEntry::kTextEnd);
}

// ---------------------------------------------------------------------------
// Pane procedures

void AFileDialog::FolderPopupChosen(AGadget* gad, void*, SInt16, SInt32 value) {
    AFileDialog* d = Of(gad);
    if (!d || value < 1 || size_t(value) > d->ancestors.size()) return;
    d->ShowFolder(std::string(d->ancestors[size_t(value - 1)]));
}

void AFileDialog::HiddenClicked(AGadget* gad, void*, SInt16, SInt32) {
    if (AFileDialog* d = Of(gad)) d->SetShowHidden(gad->GetState());
}

void AFileDialog::NewFolderClicked(AGadget* gad, void*, SInt16, SInt32) {
    if (AFileDialog* d = Of(gad)) d->NewFolder();
}

// Saving: a file picked in the list gives its name to the name field.
void AFileDialog::ListSelected(AFileListPane* l, long entry) {
    AFileDialog* d = Of(l);
    const KsFolderEntry* row = l->GetRow(entry);
    if (d && row && !row->isFolder && d->nameField) d->SetTypedName(row->shown.c_str());
}

void AFileDialog::ListOpened(AFileListPane* l, long entry) {
    AFileDialog* d = Of(l);
    const KsFolderEntry* row = l->GetRow(entry);
    if (!d || !row) return;
    if (row->isFolder) {
        d->OpenSelectedFolder();
    } else if (APane* ok = d->GetOKGad()) {
        d->DoGoodClick(ok);
    }
}
