// The entry in Windows' list of programs: written after a successful installation, removed
// by the uninstaller.
#pragma once

#include "install/record_writer.h"

#include <optional>
#include <string>

namespace install {

// Writes the entry below HKEY_LOCAL_MACHINE, or below HKEY_CURRENT_USER when the machine-wide
// key cannot be written, and tells the record where. False when neither could be written.
bool RegisterUninstaller(const std::string& installFolder, InstallRecordWriter& record);

// The install folder of the installation that the entry names (its InstallLocation), below
// HKEY_LOCAL_MACHINE for a machine-wide installation, below HKEY_CURRENT_USER for a user's
// own: an elevated run never follows a user's entry to a record the user can write, and a
// user's run never takes over what only the machine-wide uninstall can remove. nullopt when
// there is none, or the ANSI code page cannot spell it.
std::optional<std::string> ListedInstallFolder(bool machineWide);

// Deletes the entry below root ("HKLM" or "HKCU"); an entry already gone is no failure.
// Returns the Win32 error, or ERROR_SUCCESS.
long RemoveListEntry(const std::string& root);

} // namespace install
