// Where this process may load DLLs from: SetUp.exe is started from a download folder, where
// anyone may have put a DLL under a system DLL's name.
#pragma once

namespace security {

// Every later load that names no folder searches System32 only, never the program's folder
// or the current one. Windows without SetDefaultDllDirectories (7 without KB2533623) keeps
// its search; there only KnownDLLs in the import table and System32 paths for run-time loads
// protect the program.
void RestrictDllSearchToSystem32();

} // namespace security
