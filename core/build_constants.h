// Constants fixed when the program is built (CMake options SETUP_VERSION and
// SETUP_TARGET_BITS). Nothing in the program changes them; tests set them to exercise the
// other edition's rules.
#pragma once

// Product version packed as major * 10000 + minor * 100 + patch.
extern int g_nVersion;
// Bit width of the AutoCAD edition this build serves: 32 or 64.
extern int g_nTargetBits;
