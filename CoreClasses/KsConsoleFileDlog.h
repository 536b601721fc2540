// Where the console saves its text or its log: asks the user for a file.
#pragma once

class AFileLocator;

// Asks with prompt and a default name; answers false when the user cancels.
bool KsConsoleAskForFile(const char* prompt, const char* defaultName, AFileLocator* file);
