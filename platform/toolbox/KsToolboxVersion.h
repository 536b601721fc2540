// Version of the toolbox layer library.
#pragma once

const char* KsToolboxVersion();
