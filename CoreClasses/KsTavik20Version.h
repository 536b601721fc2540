// Version of the framework library.
#pragma once

const char* KsTavik20Version();
