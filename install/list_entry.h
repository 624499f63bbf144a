// The entry in Windows' list of programs: written after a successful installation, removed
// by the uninstaller.
#pragma once

#include "install/record_writer.h"

#include <string>

namespace uninstall {

// Writes the entry below HKEY_LOCAL_MACHINE, or below HKEY_CURRENT_USER when the machine-wide
// key cannot be written, and tells the record where. False when neither could be written.
bool RegisterUninstaller(const std::string& installFolder, InstallRecordWriter& record);

// Deletes the entry below root ("HKLM" or "HKCU"); an entry already gone is no failure.
// Returns the Win32 error, or ERROR_SUCCESS.
long RemoveListEntry(const std::string& root);

} // namespace uninstall
