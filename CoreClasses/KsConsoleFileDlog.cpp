#include "KsConsoleFileDlog.h"

#include "AFileLocator.h"
#include "KsOutput.h"

#include <string>

// No put-file dialog is built into the framework yet: the file is named
// after the default in the current folder, and the console says where.
bool KsConsoleAskForFile(const char* prompt, const char* defaultName, AFileLocator* file) {
    if (!file) return false;
    const std::string name = std::string(defaultName && *defaultName ? defaultName : "console");
    *file = AFileLocator(ADirLocator("."), name + ".txt");
    cprintf("%s %s\n", prompt ? prompt : "", file->GetPath().c_str());
    return file->IsValid();
}
