// A Windows DLL that is no KnownDLL, loaded at run time from System32 only: imported, it
// would be searched for beside the program first.
#pragma once

#include <windows.h>

namespace fw {

// The module, kept loaded for the life of the process, or null.
HMODULE LoadSystemLibrary(const wchar_t* name);

} // namespace fw
