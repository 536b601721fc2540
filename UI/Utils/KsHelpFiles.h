// The application's help file and the browser launcher.
//
// A help file is named in the framework's folder notation (":" between
// folder names) relative to the program's folder. Its extension picks the
// help system: ".htm" pages open in the user's browser, ".chm" files in
// whatever viewer the desktop has registered for them, and ".hlp" files,
// which have no viewer on this platform, are reported as not found. Every
// launch runs the desktop's opener with the address as one argument of an
// exec: no shell ever sees it.
#pragma once

#include <string>

// Help systems by the help file's extension.
enum class KsHelpSystem { unknown = 0, winHelp = 1, browser = 2, htmlHelp = 3 };

// name is kept as given; path names the help file (a leading ":" is
// dropped). A path without ":" names a file in the program's folder.
void UseWinHelpFiles(const char* name, const char* path);
// The help file's full path ("" before UseWinHelpFiles).
const char* GetWinHelpFileName();
// The name given to UseWinHelpFiles.
const char* GetWinHelpName();
// The folder of the help file, ending in "/".
std::string KsHelpFolder();
KsHelpSystem KsGetHelpSystem();

void OpenWinHelpFile();
void OpenShortcutsHelpFile();
void DisplayWinHelpContents();
// Shows a topic or a numbered context; the style is stored by the callers
// and not consulted here.
void DisplayWinHelp(const char* topic, short style);
void DisplayWinHelp(long number, short style);

// Hands an address or a file to the desktop's opener; answers whether the
// opener was started.
bool GotoURL(const char* url, int flag);
bool JumpToWebSite(const char* url, int flag);
