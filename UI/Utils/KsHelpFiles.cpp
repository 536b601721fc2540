#include "KsHelpFiles.h"

#include <cstdio>
#include <cstring>

#include "KsFolders.h"
#include "KsOutput.h"
#include "KsSpawn.h"
#include "KsUIHooks.h"
#include "Stx.h"

namespace {

// Whole paths longer than this are refused, as the folder notation's
// buffers are.
constexpr std::size_t kMaxHelpPath = 1024;

struct HelpFiles {
    std::string name;   // as given to UseWinHelpFiles
    std::string folder; // the program's folder and the help folder, ending in "/"
    std::string file;   // the full path of the help file
};

HelpFiles& Help() {
    static HelpFiles help;
    return help;
}

bool EndsWith(const std::string& s, const char* tail) {
    const std::size_t n = std::strlen(tail);
    return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

void ReportMissing(const std::string& path) {
    const std::string text = stxFormat("Unable to find help file: %s", path.c_str());
    UIdialog(text.c_str(), stx("OK"), 1, 0);
}

void UnknownSystem() {
    dprintf("Unknown help system %d\n", int(KsHelpSystem::unknown));
}

// A viewer for compiled help exists only where the desktop registered one.
bool HasCompiledHelpViewer() {
    std::string out;
    return KsRunForOutput({"xdg-mime", "query", "default", "application/vnd.ms-htmlhelp"}, &out) &&
           out.find(".desktop") != std::string::npos;
}

// Compiled help opens as a whole file: the desktop's viewers take no topic.
void OpenCompiled() {
    const std::string& file = Help().file;
    if (!HasCompiledHelpViewer() || !GotoURL(file.c_str(), 1)) ReportMissing(file);
}

void Show(const std::string& page) {
    switch (KsGetHelpSystem()) {
    case KsHelpSystem::winHelp:
        // No viewer for this format exists here.
        ReportMissing(Help().file);
        break;
    case KsHelpSystem::browser:
        JumpToWebSite(page.c_str(), 1);
        break;
    case KsHelpSystem::htmlHelp:
        OpenCompiled();
        break;
    case KsHelpSystem::unknown:
        UnknownSystem();
        break;
    }
}

} // namespace

void UseWinHelpFiles(const char* name, const char* path) {
    HelpFiles& h = Help();
    h.name = name ? name : "";
    std::string p = path ? path : "";
    if (!p.empty() && p[0] == ':') p.erase(0, 1);
    const std::size_t cut = p.rfind(':');
    std::string dir = cut == std::string::npos ? "" : p.substr(0, cut + 1);
    const std::string file = cut == std::string::npos ? p : p.substr(cut + 1);
    for (char& c : dir)
        if (c == ':') c = '/';
    std::string folder = KsApplicationFolder();
    if (!folder.empty() && folder.back() != '/') folder += '/';
    // The whole path must fit, file name included.
    if (folder.size() + dir.size() + file.size() >= kMaxHelpPath) return;
    h.folder = folder + dir;
    h.file = h.folder + file;
}

const char* GetWinHelpFileName() {
    return Help().file.c_str();
}

const char* GetWinHelpName() {
    return Help().name.c_str();
}

std::string KsHelpFolder() {
    return Help().folder;
}

KsHelpSystem KsGetHelpSystem() {
    const std::string& f = Help().file;
    if (EndsWith(f, ".hlp")) return KsHelpSystem::winHelp;
    if (EndsWith(f, ".htm")) return KsHelpSystem::browser;
    if (EndsWith(f, ".chm")) return KsHelpSystem::htmlHelp;
    return KsHelpSystem::unknown;
}

void OpenWinHelpFile() {
    dprintf("help filename: %s\n", Help().file.c_str());
    Show(Help().file);
}

void OpenShortcutsHelpFile() {
    Show(Help().folder + "short.htm");
}

void DisplayWinHelpContents() {
    DisplayWinHelp(0L, 0);
}

void DisplayWinHelp(const char* topic, short) {
    if (!topic) return;
    Show(Help().folder + topic + ".htm");
}

void DisplayWinHelp(long number, short) {
    dprintf("Winhelp ID = %d\n", int(number));
    Show(number == 0 ? Help().file : Help().folder + std::to_string(number) + ".htm");
}

bool GotoURL(const char* url, int) {
    if (!url || !*url) return false;
    if (KsSpawnDetached({"xdg-open", url})) return true;
    dprintf("Could not start xdg-open for %s\n", url);
    return false;
}

bool JumpToWebSite(const char* url, int flag) {
    return GotoURL(url, flag);
}
