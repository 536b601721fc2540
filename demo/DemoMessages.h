// The demo's message-box commands: a message with three buttons, and an
// import of a clip that is not there, whose failure the application reports.
#pragma once

#include "Menus.h"

// Appends the two items to a menu (the File menu).
void AppendMessageItems(MenuHandle menu);
void EnableMessageItems();
// Answers whether nick was one of them (and did it).
bool HandleMessageItems(long nick);
