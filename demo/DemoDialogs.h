// The demo's dialogs: "Clip Settings..." (check boxes, a radio group, a
// pop-up menu and number and timecode fields, kept between openings) and
// "Go to Timecode...", which moves the front viewer's position.
#pragma once

#include "Menus.h"

// Appends the two items to a menu (the Edit menu).
void AppendDialogItems(MenuHandle menu);
void EnableDialogItems();
// Answers whether nick was one of them (and did it).
bool HandleDialogItems(long nick);
