#include "KsToolboxVersion.h"

#include "KsCoreVersion.h"

// The toolbox layer is built together with its core: both carry one version.
const char* KsToolboxVersion() { return KsCoreVersion(); }
