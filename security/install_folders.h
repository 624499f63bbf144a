// The target folder and the install folder, made safe for a machine-wide installation before
// anything is copied: what HKEY_LOCAL_MACHINE starts for every user must not be changeable by
// any of them. A per-user installation makes plain folders that stay the user's own.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace security {

// Whether this installation is machine-wide: it runs as an administrator (elevated) or as
// SYSTEM and may write the machine's list of programs, as its entries will be written.
bool InstallsMachineWide();

enum class FolderState { Ready, Refused, NotMade };
struct PreparedFolders {
    FolderState state;
    std::wstring refused; // with Refused: the folder refused
};

// Makes every missing level down to the install folder with these security attributes (a
// SECURITY_ATTRIBUTES*; nullptr: inherited), telling each level made to the install
// listeners; false when a level cannot be made.
using MakeMissingLevels = std::function<bool(void* securityAttributes)>;

// The install folder and the levels above it, made safe for a machine-wide installation
// before anything is copied: every existing level, from the drive down, must be owned by
// Administrators, SYSTEM, TrustedInstaller or this account, an existing install folder gets
// the locked DACL, and the missing levels are made with it in their create call. A refused
// folder is told to the listeners as a failure, and nothing is made then. A per-user
// installation only makes the missing levels, plain.
PreparedFolders PrepareInstallFolders(const std::string& target, const std::string& installFolder,
                                      bool machineWide, const MakeMissingLevels& makeMissing);

} // namespace security
