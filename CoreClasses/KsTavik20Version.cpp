#include "KsTavik20Version.h"

#include "KsToolboxVersion.h"

const char* KsTavik20Version() { return KsToolboxVersion(); }
