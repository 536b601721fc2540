// The demo's console: a console window (View > Console) that logs what the
// demo does and runs the core's commands, and a debug settings window (View >
// Debug Settings) whose controls are bound to a few of the demo's settings
// and to the pane dump's options.
#pragma once

class AWindow;
struct MenuInfo;
using MenuHandle = MenuInfo**;

// Opens the console window, or brings it to the front, and answers it.
AWindow* OpenDemoConsole();
// Appends "Console" and "Debug Settings" to the View menu.
void BuildConsoleMenus(MenuHandle view);
void UpdateConsoleMenus();
// Answers whether nick was one of those items (and did it).
bool HandleConsoleMenus(long nick);
// Logs a menu command into the console, when one is open and logging of
// commands is on.
void DemoLogCommand(short menuID, long nick);
