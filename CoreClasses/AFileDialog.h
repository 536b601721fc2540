// AFileDialog: the framework's own modal file dialog, drawn by the
// framework like every other dialog.
//
// One folder at a time: a pop-up of the folder and its ancestors, the list of
// its entries (folders first, sorted, typed ahead, with sizes and dates), a
// "Show hidden files" box and a New Folder button; for saving, a name field.
// Return or the Open/Save button opens a folder or chooses; a double-click
// does the same on a list entry; Escape or Cancel gives up. Saving over an
// existing file asks first.
//
// Names: the disk's bytes are kept in the list and in every locator the
// dialog answers; what is shown and typed is in the framework's character
// set, converted here. A name that cannot be shown appears with replacement
// marks and still opens.
//
// In batch mode (KsSDlogSetBatchMode) nothing is shown: the request is logged
// and answers "cancelled".
//
// Bodies: AFileDialog.cpp (layout and navigation), AFileDialogRun.cpp (the
// requests, choosing, confirming).
#pragma once

#include "DialogWindow.h"
#include "KsFolderListing.h"

#include <string>
#include <vector>

class ADirLocator;
class AFileListPane;
class AFileLocator;
class AScrollPane;
class ATextEntry;

class AFileDialog : public DialogWindow {
    KS_DECLARE_CLASS(AFileDialog, DialogWindow)

    enum class Mode { open, save };
    static constexpr short kWidth = 520;
    static constexpr short kHeight = 400;
    // File type of NameFile and SelectFile meaning "any".
    static constexpr OSType kAnyType = FourCharCode("????");

    // Save: asks for a file name in a folder. The locator's name is the
    // default name; the start folder is dir, else the locator's folder, else
    // the current folder. On true the locator names the chosen file (which
    // may exist: the user agreed to replace it). fileType is not used for
    // the choice; it is the type the caller will write.
    static bool NameFile(const char* prompt, AFileLocator* locator, OSType fileType,
                         const ADirLocator* dir);
    // Open: answers a new locator that the caller deletes, or null when the
    // user cancelled. With numTypes > 0 only files of those types (and
    // folders) are listed; flags are reserved.
    static AFileLocator* SelectFile(const char* prompt, short numTypes, const OSType* types,
                                    const ADirLocator* dir, long flags);

    // The file-name suffixes a file type lists (lower case, with the dot);
    // empty for kAnyType and 0.
    static std::vector<std::string> SuffixesOfType(OSType type);

    // Called once each dialog is shown, before its run takes input: tests
    // script their input here. Answers the previous hook.
    using ShownHook = void (*)(AFileDialog* dlg);
    static ShownHook SetShownHook(ShownHook hook);

    static AFileDialog* New(Mode mode, const char* prompt);

    AFileDialog() = default;

    virtual void IFileDialog(Mode mode, const char* prompt);

    // Shows the folder at path. When it cannot be read the user is told,
    // the dialog stays where it was, and the answer is false.
    bool ShowFolder(const std::string& path);
    // Reads the shown folder again, keeping the selection when it is there.
    void Reload();
    // The resolved path of the folder shown.
    const std::string& GetFolder() const { return folder; }
    void SetShowHidden(bool on);
    bool GetShowHidden() const { return showHidden; }
    void SetTypeFilter(std::vector<std::string> suffixes);
    // Makes a new folder in the shown folder ("New Folder", numbered when
    // taken) and selects it; false (and a message) when it cannot.
    bool NewFolder();
    // Enters the selected folder; false when no folder is selected.
    bool OpenSelectedFolder();

    // The name typed, in the framework's character set.
    std::string GetTypedName() const;
    void SetTypedName(const char* shown);

    // What the OK button does: enters a folder or settles the choice.
    // True when the dialog may end with GetChoice set.
    bool Confirm();
    // Runs the dialog; true with the chosen file in out.
    bool RunForChoice(AFileLocator* out);
    const std::string& GetChoiceFolder() const { return choiceFolder; }
    const std::string& GetChoiceName() const { return choiceName; }

    Mode GetMode() const { return mode; }
    AFileListPane* GetList() const { return list; }
    ATextEntry* GetNameField() const { return nameField; }
    AGadget* GetFolderPopup() const { return folderPopup; }
    // The message the last failed read showed (empty when none).
    const std::string& GetLastError() const { return lastError; }
    // Whether the listing shown was cut at the entry cap.
    bool GetListingCut() const { return listingCut; }

private:
    void BuildPanes(const char* prompt);
    void FillFolderPopup();
    bool Listed(const KsFolderEntry& e) const;
    bool ChooseForOpen();
    bool ChooseForSave();
    void SetChoice(const std::string& rawName);

    static void FolderPopupChosen(AGadget* gad, void* refCon, SInt16 menuID, SInt32 value);
    static void HiddenClicked(AGadget* gad, void* refCon, SInt16 menuID, SInt32 value);
    static void NewFolderClicked(AGadget* gad, void* refCon, SInt16 menuID, SInt32 value);
    static void ListSelected(AFileListPane* list, long entry);
    static void ListOpened(AFileListPane* list, long entry);
    static AFileDialog* Of(APane* pane);

    Mode mode = Mode::open;
    std::string folder;
    std::vector<std::string> ancestors; // folder first, root last
    std::vector<std::string> suffixes;
    bool showHidden = false;
    bool listingCut = false;
    std::string lastError;
    std::string choiceFolder;
    std::string choiceName;
    AFileListPane* list = nullptr;
    AScrollPane* listScroll = nullptr;
    ATextEntry* nameField = nullptr;
    AGadget* folderPopup = nullptr;
};

// The save dialog of the console and of hosts: prompt, start folder (may be
// null) and default name; on true `out` names the chosen file. It is the
// framework's put-file procedure (AWindow::SetPutFileProc).
bool KsPutFileDlog(const char* prompt, const ADirLocator* startDir, const char* defaultName,
                   AFileLocator* out);
