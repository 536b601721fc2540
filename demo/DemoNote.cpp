#include "DemoNote.h"

#include "ABartender.h"
#include "AFileLocator.h"
#include "APane.h"
#include "ATextEntry.h"
#include "AWindow.h"
#include "KsColor.h"
#include "KsMacRoman.h"
#include "KsPortSavers.h"
#include "Stx.h"
#include "Windows.h"
#include "XError.h"

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace {
constexpr long kNickNewNote = 2750;
constexpr SInt16 S = kPaneDontCare;
// Larger notes are refused rather than cut: the field holds 32000 bytes.
constexpr std::streamoff kMaxNoteBytes = 30000;
int gUntitled = 0;

const EMMessage kMessages[] = {
    {"DEMO_NOTE_READ", "The note \"{path}\" could not be read.", nullptr},
    {"DEMO_NOTE_TOO_BIG", "The note \"{path}\" is too long for the demo (30000 bytes at most).",
     nullptr},
    {"DEMO_NOTE_WRITE", "The note \"{path}\" could not be saved (error {errno}).", nullptr},
};
struct RegisterMessages {
    RegisterMessages() { EMRegisterMessages(kMessages, int(std::size(kMessages))); }
} gRegisterMessages;

// Disk text is UTF-8 with LF; the field's is the framework's set with CR.
std::string FieldFromDisk(const std::string& utf8) {
    std::string text = KsUTF8ToMacRoman(utf8);
    for (char& c : text)
        if (c == '\n') c = '\r';
    return text;
}
std::string DiskFromField(std::string text) {
    for (char& c : text)
        if (c == '\r') c = '\n';
    return KsMacRomanToUTF8(text);
}

// Written beside the file and renamed over it, so that a failed save never
// leaves half a note.
void WriteNote(const std::string& path, const std::string& utf8) {
    const std::string temp = path + ".saving";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << utf8;
        out.close();
        if (out.good() && std::rename(temp.c_str(), path.c_str()) == 0) return;
    }
    const int error = errno;
    std::remove(temp.c_str());
    xraisexerror("DEMO_NOTE_WRITE", "str path", path, "int errno", error);
}

class NoteWindow : public AWindow {
public:
    void Build(const char* title, const std::string& text) {
        IWindow(title, nullptr, WindowPtr(-1), 1, 1, 1, 0, 0, 0);
        ::MoveWindow(GetWindowPtr(), SInt16(140 + 24 * (gUntitled % 8)),
                     SInt16(120 + 24 * (gUntitled % 8)), false);
        ::SizeWindow(GetWindowPtr(), 380, 260, false);
        Resize(nullptr, nullptr, 0, 0);
        StPortSaver port;
        SetPortWindowPort(GetWindowPtr());
        APane* main = GetMainPane();
        main->SetBkndColor(RGBgray9);
        field = ATextEntry::New(main, 8, -8, S, 8, -8, S, "", false);
        field->SetPaneID("noteText");
        field->SetCrCloses(false);
        field->SetCstr(text.c_str());
        saved = text;
        AddGrowBoxPane();
        SelectAndShow();
        field->TabTo();
    }

    void SetFile(const AFileLocator& f) {
        file = f;
        SetWindowTitle(KsUTF8ToMacRoman(f.GetName()).c_str());
    }

    bool SaveDoc(AFileLocator* where, bool) override {
        if (where) SetFile(*where);
        const std::string text = FieldText();
        WriteNote(file.GetPath(), DiskFromField(text));
        saved = text;
        SetIsDirtyDoc(false);
        SetIsNewDoc(false);
        return true;
    }

    // Typing and the Edit menu are what change a note.
    bool KeyDown(void* data, EventRecord* ev, long charCode, long keyCode) override {
        const bool used = AWindow::KeyDown(data, ev, charCode, keyCode);
        NoteChanged();
        return used;
    }
    bool MenuSelect(void* data, EventRecord* ev, long menu, long item) override {
        const bool used = AWindow::MenuSelect(data, ev, menu, item);
        NoteChanged();
        return used;
    }

private:
    std::string FieldText() const {
        std::string text(size_t(field->GetTextLen()) + 1, '\0');
        text.resize(size_t(field->GetCstr(text.data(), SInt32(text.size()))));
        return text;
    }
    void NoteChanged() {
        if (field && !GetIsDirtyDoc() && FieldText() != saved) SetIsDirtyDoc(true);
    }

    ATextEntry* field = nullptr;
    AFileLocator file;
    std::string saved;
};
} // namespace

AWindow* OpenNoteWindow(const AFileLocator& file) {
    std::ifstream in(file.GetPath(), std::ios::binary | std::ios::ate);
    if (!in) xraisexerror("DEMO_NOTE_READ", "str path", file.GetPath());
    if (in.tellg() > kMaxNoteBytes) xraisexerror("DEMO_NOTE_TOO_BIG", "str path", file.GetPath());
    in.seekg(0);
    std::ostringstream all;
    all << in.rdbuf();
    auto* w = new NoteWindow;
    w->Build("", FieldFromDisk(all.str()));
    w->SetFile(file);
    return w;
}

AWindow* NewNoteWindow(const AFileLocator& file) {
    auto* w = new NoteWindow;
    w->Build("", "");
    w->SetFile(file);
    // Named but not yet written: Save writes it.
    w->SetIsDirtyDoc(true);
    return w;
}

AWindow* NewUntitledNote() {
    auto* w = new NoteWindow;
    ++gUntitled;
    const std::string title = stxFormat("Untitled Note %d", gUntitled);
    w->Build(title.c_str(), "");
    w->SetIsNewDoc(true);
    return w;
}

void AppendNoteItems(MenuHandle menu) {
    gBartender->AppendMenuItem(menu, kNickNewNote, stx("New &Untitled Note"), 0, 0, 0);
}

void EnableNoteItems() {
    gBartender->MacEnableMenuItem(kNickNewNote);
}

bool HandleNoteItems(long nick) {
    if (nick != kNickNewNote) return false;
    NewUntitledNote();
    return true;
}
