#include "KsCoreVersion.h"

const char* KsCoreVersion() {
    return KS_VERSION_TEXT;
}
