#include "security/dll_search.h"

#include <windows.h>

namespace security {

void RestrictDllSearchToSystem32() {
    using SetDirectories = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const FARPROC found = kernel ? GetProcAddress(kernel, "SetDefaultDllDirectories") : nullptr;
    if (found)
        reinterpret_cast<SetDirectories>(reinterpret_cast<void*>(found))(
            LOAD_LIBRARY_SEARCH_SYSTEM32);
}

} // namespace security
