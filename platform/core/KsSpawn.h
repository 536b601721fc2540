// Starting other programs without a shell.
//
// Arguments go to the program as an argument vector, so nothing in them is
// ever interpreted: an address with spaces, quotes or semicolons arrives as
// the one argument it is.
#pragma once

#include <string>
#include <vector>

// The full path of a program found on PATH (or the name itself when it
// holds a "/" and is executable); "" when there is none.
std::string KsFindProgram(const std::string& name);

// Starts argv[0] (searched on PATH) with the given arguments and does not
// wait for it: the program is reparented so it leaves no zombie behind.
// Answers whether it was started.
bool KsSpawnDetached(const std::vector<std::string>& argv);

// Runs argv[0] (searched on PATH), collects at most maxBytes of its standard
// output and waits for it, killing it after timeoutMs. Answers whether it
// ran and exited with status 0.
bool KsRunForOutput(const std::vector<std::string>& argv, std::string* out, int timeoutMs = 2000,
                    std::size_t maxBytes = 4096);
