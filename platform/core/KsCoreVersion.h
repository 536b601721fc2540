// Version of the core services library, for hosts that check what they run on.
#pragma once

const char* KsCoreVersion();
