// The demo's command buttons: a small window of buttons bound to the demo's
// menu commands, read from its pane file, and a Buttons menu that switches
// how the user re-assigns them.
#pragma once

// Adds the Buttons menu to the bar.
void BuildButtonsMenu();
// Enables and checks the Buttons menu's items.
void UpdateButtonsMenu();
// Answers whether nick was one of the Buttons menu's commands (and did it).
bool HandleButtonsMenu(long nick);
// Opens the window of command buttons; false when its pane file cannot be
// read (the reason is printed).
bool OpenCommandWindow();
