// The demo as a framework application: its menus, windows and pane trees.
#pragma once

#include <string>

// Starts the application through Go and runs it until it quits. With a
// screenshot path (always on the headless back end) it runs the scripted
// steps, writes the desktop there and quits by itself. Answers the exit status.
int RunDemo(const std::string& screenshot);
