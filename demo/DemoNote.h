// The demo's documents: note windows holding one text field, kept on disk as
// small UTF-8 text files. New, Open, Save, Save As and Close work through the
// framework's file dialogs and its save-changes alert.
#pragma once

#include "Menus.h"

class AFileLocator;
class AWindow;

// A note showing a text file (an error is raised when it cannot be read).
AWindow* OpenNoteWindow(const AFileLocator& file);
// An empty note for a file named by New; saving writes (or replaces) it.
AWindow* NewNoteWindow(const AFileLocator& file);
// An untitled note: saving it asks for a name.
AWindow* NewUntitledNote();

// The "New Untitled Note" item (nick 2750).
void AppendNoteItems(MenuHandle menu);
void EnableNoteItems();
// Answers whether nick was one of them (and did it).
bool HandleNoteItems(long nick);
