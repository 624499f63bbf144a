// What an installation keeps in its install folder for later: the installer itself (run at
// each user's logon for the user's part, and to uninstall) and the package's settings file
// (copied to users who have none yet).
#pragma once

#include <string>

namespace install {

constexpr const char* kKeptInstaller = "SetUp.exe";
constexpr const char* kSettingsFile = "Vornik.Ini";

// Copies the running program as SetUp.exe and the package's settings file into the install
// folder, replacing older copies. Returns the number of copies that failed; a package without
// a settings file keeps none, and a file that already is the one in the install folder (the
// kept installer run again) stays as it is.
int KeepInstallerFiles(const std::string& installFolder);

} // namespace install
