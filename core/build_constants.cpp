#include "core/build_constants.h"

int g_nVersion = SETUP_VERSION;
int g_nTargetBits = SETUP_TARGET_BITS;
