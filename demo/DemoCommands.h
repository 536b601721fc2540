// The demo's command buttons live in the gadget window's bottom row (its pane
// file); this is the Buttons menu that switches how the user re-assigns them.
#pragma once

// Adds the Buttons menu to the bar.
void BuildButtonsMenu();
// Enables and checks the Buttons menu's items.
void UpdateButtonsMenu();
// Answers whether nick was one of the Buttons menu's commands (and did it).
bool HandleButtonsMenu(long nick);
