// TEMPORARY, until the unattended install's KeepInstallerFiles is merged: keeps SetUp.exe and
// Vornik.Ini in the install folder as that step does, so that the uninstaller has its kept
// copy to run from. Delete this file and its call in app/install_sequence.cpp at the merge.
#pragma once

#include <string>

namespace uninstall {

void KeepInstallerFilesStandIn(const std::string& installFolder);

} // namespace uninstall
