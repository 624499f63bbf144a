// The target folder and the install folder, made safe for a machine-wide installation before
// anything is copied: what HKEY_LOCAL_MACHINE starts for every user must not be changeable by
// any of them. A per-user installation makes plain folders that stay the user's own.
#pragma once

#include <optional>
#include <string>

namespace security {

// Whether this installation is machine-wide: it runs as an administrator (elevated) or as
// SYSTEM and may write the machine's list of programs, as its entries will be written.
bool InstallsMachineWide();

struct FolderRefusal {
    std::wstring folder; // the folder refused
};

// Creates the target folder and its install folder (one level each) and tells each created
// level to the install listeners. Machine-wide: every level is created with the locked DACL
// in its create call; an existing folder, and every folder above the target, must be owned
// by Administrators, SYSTEM, TrustedInstaller or this account, and an existing install folder
// gets the locked DACL.
// A refused folder is told to the listeners as a failure, and nothing is created after it.
std::optional<FolderRefusal> PrepareInstallFolders(const std::string& target,
                                                   const std::string& installFolder,
                                                   bool machineWide);

} // namespace security
