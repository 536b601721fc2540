// Helpers over the toolbox's menus for menus the framework builds itself
// (pop-up and context menus).
#pragma once

#include "Menus.h"

// A new empty menu under an ID no menu of the list uses, put in the
// hierarchical part of the menu list so that GetMenuHandle finds it. procID
// 0 keeps the standard definition. Null when no ID is free.
MenuHandle CreateNewMenu(const char* title, SInt16 procID);
// The menu with that ID, loaded from the resources into the hierarchical
// part of the menu list when the list does not hold it yet; null when there
// is no such resource.
MenuHandle GetPopupMenu(SInt16 menuID);
// Takes the menu out of the menu list and frees it; null is allowed.
void SafeDisposeMenu(MenuHandle menu);
// One item whose text is taken as it is (no metacharacters); text is cut
// to 255 bytes.
void AppendMenuLiteralCstr(MenuHandle menu, const char* text);
// Removes every item's mark.
void UncheckAllItems(MenuHandle menu);
// Enables every item.
void EnableAllItems(MenuHandle menu);
