// The CONSOLE.LOG copy of console output, shared by the console's files.
#pragma once

#include "KsLog.h"

// The logger while console logging is on; null otherwise.
PrintfLogger* KsConsoleLogger();
